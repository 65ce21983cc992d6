// The startup batch file's lines: one "subst X: folder" line per permanent
// letter, the letter always at the 7th character. The file is the user's
// too: every line that is not a letter's subst line is theirs and stays.
#pragma once

#include <string>
#include <vector>

// The UTF-8 byte-order mark some editors put at the very start of a file.
// It belongs to no line, and a rewritten file keeps it.
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// True when `line` is the letter's line: a subst line (its first five
// characters, in any case, are "subst") whose 7th character is the letter,
// in either case.
bool LineBelongsTo(const std::string& line, char letter);

// The lines of a batch file; a byte-order mark is not part of the first one.
std::vector<std::string> BatchLines(const std::string& content);

// "subst X: argument". Each % is doubled, since the command interpreter
// expands %...% in batch lines and would otherwise map another folder.
std::string BatchLine(const std::string& letter, const std::string& argument);

struct FilteredBatch {
    std::string
        text; // a byte-order mark if the file had one, then the kept lines, each ended by CR LF
    size_t lines = 0;   // lines read
    size_t dropped = 0; // lines dropped
};

// The batch file without the letter's lines.
FilteredBatch DropLetterLines(const std::string& content, char letter);

// True when the text does not end a line (appending would continue it).
bool EndsMidLine(const std::string& content);
