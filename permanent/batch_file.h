// The startup batch file's lines: one "subst X: folder" line per permanent
// letter, the letter always at the 7th character.
#pragma once

#include <string>

// True when `line` is the letter's line: its 7th character is the letter (in
// either case). With `substLinesOnly`, only lines beginning with "subst" (in
// any case) take part.
bool LineBelongsTo(const std::string& line, char letter, bool substLinesOnly);

// "subst X: argument". Each % is doubled, since the command interpreter
// expands %...% in batch lines and would otherwise map another folder.
std::string BatchLine(const std::string& letter, const std::string& argument);

struct FilteredBatch {
    std::string text;   // the kept lines, each ended by CR LF
    size_t lines = 0;   // lines read
    size_t dropped = 0; // lines dropped
};

// The batch file without the letter's lines.
FilteredBatch DropLetterLines(const std::string& content, char letter, bool substLinesOnly);

// True when the text does not end a line (appending would continue it).
bool EndsMidLine(const std::string& content);
