// Make Permanent's duplicate check and append on any startup batch file, on
// both families: judged by what the command interpreter runs at log-on.
#include "batch_oracle.h"
#include "fuzz_app.h"

FUZZ_TARGET(batch_file) {
    if (size < 1) return 0;
    char letter = static_cast<char>('A' + data[0] % 26);
    bool w95 = data[0] & 0x80;
    std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);

    FuzzApp app;
    app.m.version = w95 ? OsVersion{1, 4, 10} : OsVersion{2, 10, 0};
    if (!app.Start()) return 0;
    const std::string batch = kFuzzStartup + "\\subit.bat";
    app.m.AddFile(batch, content);
    app.m.AddFolder("C:\\Work");
    app.f.dirList().SetPath("C:\\Work");
    app.f.Ltr = std::string(1, letter);
    app.f.cmdDefault_Click();

    oracle::Run before = oracle::WhatRuns(content);
    bool taken = false;
    for (const std::string& command : before.commands)
        taken = taken || oracle::IsLettersLine(command, letter);
    std::string after = app.m.FileBytes(batch);
    if (letter == 'C') {
        // The system's disk holds C: no line could ever map it.
        FUZZ_CHECK(after == content);
        FUZZ_CHECK(app.w.boxes.back().text.rfind("Drive C: is a disk", 0) == 0);
        return 0;
    }
    if (taken) {
        // Error 1, and nothing written.
        FUZZ_CHECK(after == content);
        FUZZ_CHECK(!app.w.boxes.empty() &&
                   app.w.boxes.back().text ==
                       "This Letter, \"" + app.f.Ltr + "\", is already assigned to a Folder!");
        return 0;
    }
    // Every line that ran still runs, in its place, and the new one runs after them.
    FUZZ_CHECK(after.compare(0, content.size(), content) == 0);
    oracle::Run now = oracle::WhatRuns(after);
    FUZZ_CHECK(now.commands.size() == before.commands.size() + 1);
    FUZZ_CHECK(now.commands.back() == std::string("subst ") + letter + ": \"C:\\Work\"");
    for (size_t i = 0; i < before.commands.size(); ++i) {
        // A last command that a caret left waiting for a line may take blanks
        // from the line that ends it, and nothing else.
        const std::string &was = before.commands[i], &is = now.commands[i];
        bool closed = before.open && i + 1 == before.commands.size() &&
                      is.compare(0, was.size(), was) == 0 &&
                      is.find_first_not_of(' ', was.size()) == std::string::npos;
        FUZZ_CHECK(is == was || closed);
    }
    return 0;
}
