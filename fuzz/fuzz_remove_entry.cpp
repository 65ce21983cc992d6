// Removing a permanent entry from any batch file, on both families: the
// letter's lines go, every other line stays in its order, nothing is left
// behind.
#include "fuzz_app.h"
#include "permanent/batch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    char letter = static_cast<char>('A' + data[0] % 26);
    bool w95 = data[0] & 0x80;
    std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);

    FuzzApp app;
    app.m.version = w95 ? OsVersion{1, 4, 10} : OsVersion{2, 10, 0};
    if (!app.Start()) return 0;
    std::string batch = w95 ? "c:\\autoexec.bat" : kFuzzStartup + "\\subit.bat";
    app.m.AddFile(batch, content);
    app.f.Ltr = std::string(1, letter);
    app.f.WorkingMask = 0x08000000 | LetterBit(app.f.Ltr);
    app.f.RemovePermanentEntry();

    FilteredBatch expected = DropLetterLines(content, letter);
    if (expected.dropped == 0) {
        FUZZ_CHECK(app.m.FileBytes(batch) == content); // untouched
    } else if (!w95 && expected.lines == 1) {
        FUZZ_CHECK(!app.m.Exists(batch));
    } else {
        FUZZ_CHECK(app.m.FileBytes(batch) == expected.text);
    }
    FUZZ_CHECK(!app.m.Exists(kFuzzStartup + "\\temp.dat"));
    FUZZ_CHECK(!app.m.Exists("c:\\temp.dat"));
    FUZZ_CHECK(!(app.f.WorkingMask & LetterBit(app.f.Ltr)));
    FUZZ_CHECK(app.w.boxes.empty());
    FUZZ_CHECK(app.w.pointer == kPointerDefault);
    return 0;
}
