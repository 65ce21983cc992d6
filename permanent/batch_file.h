// The startup batch file's lines: one "subst X: folder" line per permanent
// letter. The file is the user's too: every line that is not a letter's subst
// line is theirs and stays byte for byte.
//
// Lines are taken as the command interpreter takes them at log-on:
// - a line ends at LF, and CRs are dropped wherever they stand, so a lone CR
//   ends no line;
// - outside double quotes, a caret before the line end joins the next line to
//   the command, and takes that line's first character as it is, even the
//   line end of an empty line ("^^" is a caret and joins nothing);
// - blanks, tabs and @ before a command are dropped;
// - a UTF-8 byte-order mark is not skipped: it is read as the start of the
//   first command, which then fails.
#pragma once

#include <string>
#include <vector>

// The UTF-8 byte-order mark some editors put at the very start of a file.
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// True when `line` (one element of BatchLines) is the letter's line: after
// blanks, tabs and @, "subst" in any case, a blank or a tab, the letter in
// either case and a colon, not followed by /D, which releases the letter. A
// user's "subst.exe Q: ..." or "substitute" line is nobody's.
bool LineBelongsTo(const std::string& line, char letter);

// The lines of a batch file as the interpreter reads its commands, each with
// its own line end (the last one may have none): lines a caret joins are one
// element. A byte-order mark is not part of the first one.
std::vector<std::string> BatchLines(const std::string& content);

// True when a line that runs at log-on maps the letter. The line behind a
// byte-order mark never runs.
bool MapsLetter(const std::string& content, char letter);

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
// mark is kept on a line of its own, so the next line still runs. A line
// behind the mark goes too: saved again without the mark, it would map the
// letter.
FilteredBatch DropLetterLines(const std::string& content, char letter);

// True when the text's last line has no line end of its own (a lone CR, or a
// lone byte-order mark, ends none).
bool EndsMidLine(const std::string& content);

// What to write before a line appended to the file, so that the interpreter
// reads that line as a command of its own: a line end where the last command
// has not ended, and where a caret at the end waits for a character (a
// joining caret takes the next line's first one as it is, even a line end),
// a blank before it. The blank is all the user's last command gains.
std::string LineEndsBeforeAppend(const std::string& content);
