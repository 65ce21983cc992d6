// A state file of any length and content: start-up reads record 2 without
// writing, and marking a letter keeps every byte but the mask and makes the
// file whole.
#include "fuzz_app.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    FuzzApp app(bytes);
    FUZZ_CHECK(app.Start());
    uint32_t mask = 0;
    for (int i = 3; i >= 0; --i)
        mask = (mask << 8) | (1366u + i < size ? static_cast<uint8_t>(bytes[1366 + i]) : 0u);
    FUZZ_CHECK(app.f.WorkingMask == static_cast<int32_t>(mask));
    FUZZ_CHECK(app.m.FileBytes(kFuzzData + "himem32.mwl") == bytes);

    StateImage image;
    int32_t marked = MarkPermanent(app.m.platform().files, kFuzzData + "himem32.mwl", "X", image);
    FUZZ_CHECK(marked == static_cast<int32_t>(mask | 0x00800000));
    std::string after = app.m.FileBytes(kFuzzData + "himem32.mwl");
    FUZZ_CHECK(after.size() == std::max<size_t>(size, 2500));
    for (size_t i = 0; i < after.size(); ++i) {
        if (i >= 1366 && i < 1370) continue;
        FUZZ_CHECK(after[i] == (i < size ? bytes[i] : '\0'));
    }
    return 0;
}
