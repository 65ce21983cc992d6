// Removing a permanent entry from any batch file, on both families: judged by
// what the command interpreter runs at log-on and by the bytes left.
#include "batch_oracle.h"
#include "fuzz_app.h"

FUZZ_TARGET(remove_entry) {
    if (size < 1) return 0;
    char letter = static_cast<char>('A' + data[0] % 26);
    bool w95 = data[0] & 0x80;
    std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);

    // Every letter permanent: the removal must unmark its own and no other.
    const int32_t allMarked = 0x0BFFFFFF;
    FuzzApp app(StateFileBytes(allMarked));
    app.m.version = w95 ? OsVersion{1, 4, 10} : OsVersion{2, 10, 0};
    if (!app.Start()) return 0;
    std::string batch = w95 ? "c:\\autoexec.bat" : kFuzzStartup + "\\subit.bat";
    app.m.AddFile(batch, content);
    app.f.Ltr = std::string(1, letter);
    app.f.WorkingMask = allMarked;
    app.f.RemovePermanentEntry();

    oracle::Run before = oracle::WhatRuns(content);
    std::vector<oracle::Command> commands = oracle::Commands(content);
    if (before.marked) {
        // The line behind the mark never runs, yet it is the letter's: saved
        // again without the mark, it would map the letter.
        commands[0].raw.erase(0, oracle::kMark.size());
        commands[0].text.erase(0, oracle::kMark.size());
    }
    std::string kept;
    size_t dropped = 0;
    bool firstDropped = false;
    for (size_t i = 0; i < commands.size(); ++i) {
        if (oracle::IsLettersLine(commands[i].text, letter)) {
            firstDropped = firstDropped || i == 0;
            ++dropped;
        } else {
            kept += commands[i].raw;
        }
    }
    // Only the last line of subit.bat takes the file with it; a file that
    // stays is never read as an empty one.
    FUZZ_CHECK(app.m.Exists(batch) == (dropped == 0 || w95 || commands.size() > 1));
    if (dropped == 0) {
        FUZZ_CHECK(app.m.FileBytes(batch) == content); // untouched
    } else if (w95 || commands.size() > 1) {
        std::string after = app.m.FileBytes(batch);
        oracle::Run now = oracle::WhatRuns(after);
        // What ran still runs, but for the letter's own lines.
        std::erase_if(before.commands, [&](auto& c) { return oracle::IsLettersLine(c, letter); });
        FUZZ_CHECK(now.commands == before.commands);
        FUZZ_CHECK(!before.marked || now.marked);
        // Every other command byte for byte and in order; a mark whose line went
        // keeps a line end of its own, and the last line gains one it lacked.
        std::string body = after.substr(before.marked ? oracle::kMark.size() : 0);
        if (before.marked && firstDropped) kept = "\r\n" + kept;
        if (!kept.empty() && kept.back() != '\n') kept += "\r\n";
        FUZZ_CHECK(body == kept);
    }
    FUZZ_CHECK(!app.m.Exists(kFuzzStartup + "\\temp.dat"));
    FUZZ_CHECK(!app.m.Exists("c:\\temp.dat"));
    FUZZ_CHECK(app.f.WorkingMask == (allMarked & ~LetterBit(app.f.Ltr)));
    FUZZ_CHECK(MaskIn(app.m.FileBytes(kFuzzData + "himem32.mwl")) == app.f.WorkingMask);
    FUZZ_CHECK(app.w.boxes.empty());
    FUZZ_CHECK(app.w.pointer == kPointerDefault);
    return 0;
}
