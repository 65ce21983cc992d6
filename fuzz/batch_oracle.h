// What the command interpreter runs of a batch file at log-on, stated on its
// own terms for the fuzz targets. The targets judge the program's edits by
// what runs before and after.
//
// - A line ends at LF; every CR is dropped, wherever it stands.
// - Outside double quotes a caret is dropped and the character after it is
//   taken as it is: "^^" is one caret and joins nothing. A caret before the
//   line end joins the next line to the command, and the first character of
//   that line is taken as it is, even when it is the line end of an empty
//   line: that one becomes part of the command, which goes on to the line
//   after. A caret at the end of the file ends the command.
// - Inside double quotes a caret is an ordinary character; the line end still
//   ends the command, quote and all.
// - Blanks, tabs and @ before a command are dropped. A command that then
//   starts with a UTF-8 byte-order mark's bytes names no program, at the start
//   of the file or anywhere else; one that is then empty runs nothing.
// - Percent signs are not followed: a variable's value is not known before
//   log-on.
#pragma once

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

namespace oracle {

inline const std::string kMark = "\xEF\xBB\xBF";

// One command as the interpreter reads it: the bytes it takes from the file
// (its line ends included) and the text it runs.
struct Command {
    std::string raw;
    std::string text;
};

// The commands of a file, a mark at its start included in the first one.
// `open` is set when the file ends while a caret waits for the next line.
inline std::vector<Command> Commands(const std::string& file, bool* open = nullptr) {
    enum class State { Plain, Quoted, Caret, Joined };
    std::vector<Command> out;
    Command now;
    State state = State::Plain;
    for (char c : file) {
        now.raw += c;
        if (c == '\r') continue;
        switch (state) {
        case State::Caret:
            if (c == '\n') {
                state = State::Joined; // the next line's first character is taken as it is
                continue;
            }
            [[fallthrough]];
        case State::Joined:
            now.text += c;
            state = State::Plain;
            continue;
        case State::Quoted:
        case State::Plain:
            if (c == '\n') {
                out.push_back(now);
                now = {};
                state = State::Plain;
                continue;
            }
            if (state == State::Plain && c == '^') {
                state = State::Caret;
                continue;
            }
            if (c == '"') state = state == State::Plain ? State::Quoted : State::Plain;
            now.text += c;
        }
    }
    if (open) *open = state == State::Caret || state == State::Joined;
    if (!now.raw.empty()) out.push_back(now);
    return out;
}

// A command without the blanks, tabs and @ before it.
inline std::string Bare(const std::string& text) {
    return text.substr(std::min(text.size(), text.find_first_not_of(" \t@")));
}

struct Run {
    std::vector<std::string> commands; // the texts that run, in order
    bool marked = false;               // the file starts with a byte-order mark
    bool open = false;                 // a caret at the end waits for another line
};

inline Run WhatRuns(const std::string& file) {
    Run run;
    run.marked = file.compare(0, kMark.size(), kMark) == 0;
    for (const Command& c : Commands(file, &run.open)) {
        std::string bare = Bare(c.text);
        if (!bare.empty() && bare.compare(0, kMark.size(), kMark) != 0)
            run.commands.push_back(c.text);
    }
    return run;
}

// The letter's own line: "subst", a blank or a tab, the letter, a colon, and
// then anything but /D (bare or quoted), which releases the letter instead.
inline bool IsLettersLine(const std::string& text, char letter) {
    const std::string head = std::string("^[ \t@]*subst[ \t]") + letter + ":";
    return std::regex_search(text, std::regex(head, std::regex::icase)) &&
           !std::regex_search(text,
                              std::regex(head + "[ \t]*(/d|\"/d\")([ \t]|$)", std::regex::icase));
}

} // namespace oracle
