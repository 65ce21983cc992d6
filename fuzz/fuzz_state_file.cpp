// A state file of any length and content: start-up reads record 2 without
// writing, and marking a letter stores the new mask, keeps every other byte
// and makes the file whole.
#include "fuzz_app.h"

FUZZ_TARGET(state_file) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    FuzzApp app(bytes);
    FUZZ_CHECK(app.Start());
    const int32_t mask = MaskIn(bytes);
    FUZZ_CHECK(app.f.WorkingMask == mask);
    FUZZ_CHECK(app.m.FileBytes(kFuzzData + "himem32.mwl") == bytes);

    StateImage image;
    int32_t marked = MarkPermanent(app.m.platform().files, kFuzzData + "himem32.mwl", "X", image);
    FUZZ_CHECK(marked == (mask | 0x00800000));
    std::string after = app.m.FileBytes(kFuzzData + "himem32.mwl");
    std::string expected = bytes;
    expected.resize(std::max<size_t>(size, 2500), '\0');
    expected.replace(kMaskAt, 4, StateFileBytes(marked).substr(kMaskAt, 4));
    FUZZ_CHECK(after == expected);
    return 0;
}
