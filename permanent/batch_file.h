// The startup batch file's lines: one "subst X: folder" line per permanent
// letter. The file is the user's too: every line that is not a letter's subst
// line is theirs and stays byte for byte.
//
// Lines are taken as the command interpreter takes them at log-on: a line
// ends at LF, and CRs are dropped wherever they stand, so a lone CR ends no
// line. The interpreter does not skip a UTF-8 byte-order mark either: it
// reads the mark as the start of the first command, which then fails.
#pragma once

#include <string>
#include <vector>

// The UTF-8 byte-order mark some editors put at the very start of a file.
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// True when `line` is the letter's line: "subst" in any case, a blank or a
// tab, the letter in either case, and a colon. A user's "subst.exe Q: ..."
// or "substitute" line is nobody's.
bool LineBelongsTo(const std::string& line, char letter);

// The lines of a batch file, each with its own line end (the last one may
// have none); a byte-order mark is not part of the first one.
std::vector<std::string> BatchLines(const std::string& content);

// "subst X: argument". Each % is doubled, since the command interpreter
// expands %...% in batch lines and would otherwise map another folder.
std::string BatchLine(const std::string& letter, const std::string& argument);

struct FilteredBatch {
    // The file without the letter's lines: every other line as it was, in
    // order, the last one ended by CR LF; a byte-order mark where there was one.
    std::string text;
    size_t lines = 0;   // lines read
    size_t dropped = 0; // lines dropped
};

// The batch file without the letter's lines. Where the first line goes, a
// mark is kept on a line of its own, so the next line still runs.
FilteredBatch DropLetterLines(const std::string& content, char letter);

// True when the text does not end a line: a line appended now would be read
// as part of its last one (a lone CR or a lone byte-order mark included).
bool EndsMidLine(const std::string& content);
