// What the command interpreter runs of a batch file at log-on, stated on its
// own terms for the fuzz targets: lines end at LF, every CR is dropped, and a
// UTF-8 byte-order mark is read as part of the command it stands in, at the
// start of the file or anywhere else, which then fails. The targets judge the
// program's edits by what runs before and after.
#pragma once

#include <regex>
#include <string>
#include <vector>

namespace oracle {

inline const std::string kMark = "\xEF\xBB\xBF";

struct Run {
    std::vector<std::string> commands; // the lines that run, CRs gone, in order
    bool marked = false;               // the file starts with a byte-order mark
};

inline Run WhatRuns(const std::string& file) {
    Run run;
    run.marked = file.compare(0, kMark.size(), kMark) == 0;
    std::string command;
    bool open = false;
    auto end = [&] {
        // A command that starts with a mark's bytes names no program.
        if (command.compare(0, kMark.size(), kMark) != 0) run.commands.push_back(command);
        command.clear();
        open = false;
    };
    for (char c : file) {
        open = true;
        if (c == '\n')
            end();
        else if (c != '\r')
            command += c;
    }
    if (open) end();
    return run;
}

// The command a raw line (with its end) gives: its CRs and LF dropped.
inline std::string Command(const std::string& line) {
    std::string out;
    for (char c : line)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

// The letter's own line: "subst", a blank or a tab, the letter, a colon.
inline bool IsLettersLine(const std::string& command, char letter) {
    const std::regex rule(std::string("^subst[ \t]") + letter + ":", std::regex::icase);
    return std::regex_search(command, rule);
}

// The raw lines of a file after its mark, each with its own end.
inline std::vector<std::string> RawLines(const std::string& file) {
    std::vector<std::string> lines(1);
    for (size_t i = file.compare(0, kMark.size(), kMark) == 0 ? kMark.size() : 0; i < file.size();
         ++i) {
        lines.back() += file[i];
        if (file[i] == '\n') lines.emplace_back();
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

// The commands of `before` with the letter's own taken out.
inline std::vector<std::string> Without(const std::vector<std::string>& before, char letter) {
    std::vector<std::string> out;
    for (const std::string& c : before)
        if (!IsLettersLine(c, letter)) out.push_back(c);
    return out;
}

} // namespace oracle
