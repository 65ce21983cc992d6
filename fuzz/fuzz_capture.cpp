// Any captured listing, shown by View and acted on by Restore: View shows its
// lines as they are, Restore hands the command interpreter nothing but
// letters.
#include "fuzz_app.h"
#include "platform/text_lines.h"

#include <cctype>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string capture(reinterpret_cast<const char*>(data), size);
    FuzzApp app;
    if (!app.Start()) return 0;
    app.m.onLaunch = [&](SimLaunch& l) {
        if (l.parameters == " /C subst.exe > temp") app.m.AddFile(kFuzzData + "temp", capture);
        return true;
    };

    app.f.mnuView_Click();
    std::string listing;
    for (const std::string& line : SplitLines(capture)) listing += line + "\r\n";
    FUZZ_CHECK(app.w.boxes.back().text ==
               (listing.empty() ? "There are no assigned Virtual Drives" : listing));
    FUZZ_CHECK(!app.m.Exists(kFuzzData + "temp"));

    app.m.launches.clear();
    app.f.mnuRepair_Click();
    for (size_t i = 1; i < app.m.launches.size(); ++i) {
        const std::string& p = app.m.launches[i].parameters;
        FUZZ_CHECK(p.size() == 19 && p.compare(0, 14, " /C subst.exe ") == 0);
        FUZZ_CHECK(std::isalpha(static_cast<unsigned char>(p[14])) && p.substr(15) == ": /D");
    }
    FUZZ_CHECK(app.w.pointer == kPointerDefault);
    FUZZ_CHECK(app.f.WorkingMask == 0x08000000);
    return 0;
}
