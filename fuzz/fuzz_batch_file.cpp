// The line rules of the startup batch file on any content: the duplicate check
// of Make Permanent and the filter that drops a letter's lines.
#include "fuzz_app.h"
#include "permanent/batch_file.h"
#include "platform/text_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    char letter = static_cast<char>('A' + data[0] % 26);
    bool vista = data[0] & 0x80;
    std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);

    FilteredBatch kept = DropLetterLines(content, letter);
    std::vector<std::string> lines = BatchLines(content);
    FUZZ_CHECK(kept.lines == lines.size());
    // The mark stays at the start where the file had one; after it, every
    // line that is not the letter's stays byte for byte, in order. (A line
    // that itself starts with the mark's bytes may come first then, so the
    // kept text is split as written, not read anew.)
    const bool mark = content.rfind(kUtf8Bom, 0) == 0;
    FUZZ_CHECK(!mark || kept.text.rfind(kUtf8Bom, 0) == 0);
    std::vector<std::string> left = SplitLines(kept.text.substr(mark ? 3 : 0));
    FUZZ_CHECK(left.size() + kept.dropped == lines.size());
    size_t at = 0;
    for (const std::string& l : lines) {
        if (LineBelongsTo(l, letter)) continue;
        FUZZ_CHECK(at < left.size() && left[at] == l);
        ++at;
    }
    for (const std::string& l : left) FUZZ_CHECK(!LineBelongsTo(l, letter));
    FUZZ_CHECK(!EndsMidLine(kept.text));

    // The duplicate check of the real handler agrees with the rule.
    FuzzApp app;
    app.m.version = vista ? OsVersion{2, 6, 1} : OsVersion{2, 10, 0};
    if (!app.Start()) return 0;
    app.f.Ltr = std::string(1, letter);
    app.m.AddFile(kFuzzStartup + "\\subit.bat", content);
    bool free = app.f.CanAddPermanentEntry(kFuzzStartup + "\\subit.bat");
    FUZZ_CHECK(free == (kept.dropped == 0));
    FUZZ_CHECK(free == app.w.boxes.empty());
    return 0;
}
