// Any captured listing, shown by View and acted on by Restore: View shows its
// lines as they are, Restore hands the command interpreter nothing but
// letters.
#include "fuzz_app.h"
#include "platform/path_text.h"
#include "platform/text_lines.h"

#include <cctype>

// The system's subst.exe, as the interpreter's line names it.
static const std::string kSubst = "\"C:\\Windows\\system32\\subst.exe\"";

FUZZ_TARGET(capture) {
    std::string capture(reinterpret_cast<const char*>(data), size);
    FuzzApp app;
    if (!app.Start()) return 0;
    app.m.onLaunch = [&](SimLaunch& l) {
        if (l.parameters == " /C \"" + kSubst + " > \"" + kFuzzData + "temp\"\"")
            app.m.AddFile(kFuzzData + "temp", capture);
        return true;
    };

    app.f.mnuView_Click();
    std::string listing;
    for (const std::string& line : SplitLines(capture)) listing += line + "\r\n";
    // The listing is shown line by line as printed; only bytes outside ASCII
    // change, each from the console's code page to one character of UTF-8,
    // whose bytes are all outside ASCII too.
    const std::string& shown = app.w.boxes.back().text;
    if (listing.empty()) {
        FUZZ_CHECK(shown == "There are no assigned Virtual Drives");
    } else {
        auto ascii = [](std::string s) {
            std::erase_if(s, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
            return s;
        };
        FUZZ_CHECK(PathText::Length(shown) == listing.size());
        FUZZ_CHECK(ascii(shown) == ascii(listing));
    }
    FUZZ_CHECK(!app.m.Exists(kFuzzData + "temp"));

    app.m.launches.clear();
    app.f.mnuRepair_Click();
    for (size_t i = 1; i < app.m.launches.size(); ++i) {
        const std::string& p = app.m.launches[i].parameters;
        const std::string head = " /C " + kSubst + " ";
        FUZZ_CHECK(p.size() == head.size() + 5 && p.compare(0, head.size(), head) == 0);
        FUZZ_CHECK(std::isalpha(static_cast<unsigned char>(p[head.size()])) &&
                   p.substr(head.size() + 1) == ": /D");
    }
    FUZZ_CHECK(app.w.pointer == kPointerDefault);
    FUZZ_CHECK(app.f.WorkingMask == 0x08000000);
    return 0;
}
