// Paths are 8-bit text in the process's ANSI code page. In a double-byte code
// page (932, 936, 949, 950) the second byte of a character may be 0x5C, the
// backslash's own byte (ソ is 83 5C, 表 is 95 5C), or an ASCII letter's; in
// UTF-8 a character takes up to four bytes. Read byte by byte, such a path
// splits inside a character. So every split, trim, cut and comparison of a
// path walks it by character, here.
#pragma once

#include "platform/platform.h"

#include <string>
#include <vector>

class PathText {
public:
    explicit PathText(const CodePage& codePage) : cp_(codePage) {}

    // Bytes of the character that starts at `at` (1 at or past the end); a
    // character cut short by the end of the text ends there.
    size_t CharSize(const std::string& s, size_t at) const;
    // Characters in `s`.
    size_t Length(const std::string& s) const;
    // Offset of the last backslash that is a character of its own; npos when
    // there is none.
    size_t LastSeparator(const std::string& s) const;
    bool EndsWithSeparator(const std::string& s) const;
    // The last character ("" for an empty text).
    std::string LastChar(const std::string& s) const;
    // `s` without its last character.
    std::string DropLast(const std::string& s) const;
    // The last `count` characters (all of `s` when it has fewer).
    std::string Tail(const std::string& s, size_t count) const;
    // The parts between backslashes and slashes, empty ones included.
    std::vector<std::string> Split(const std::string& s) const;
    // ASCII letters in upper case, every other character's bytes as they are:
    // the file system's case-insensitive comparison of the names Mapwell
    // shows.
    std::string Upper(const std::string& s) const;
    bool Same(const std::string& a, const std::string& b) const { return Upper(a) == Upper(b); }

private:
    CodePage cp_;
};
