#include "permanent/batch_file.h"

#include <cctype>

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string Lower(std::string s) {
    for (char& c : s) c = Lower(c);
    return s;
}

bool StartsWithBom(const std::string& content) {
    return content.rfind(kUtf8Bom, 0) == 0;
}

// One command as the interpreter reads it from a batch file.
struct Command {
    size_t end = 0;     // just past its last byte
    std::string text;   // what runs: CRs and joining carets gone
    bool ended = false; // a line end finished it; otherwise the file did
    bool caret = false; // the file ended while a caret waited for a character
};

Command ReadCommand(const std::string& content, size_t at) {
    Command c;
    bool quoted = false, joined = false;
    for (c.end = at; c.end < content.size();) {
        char ch = content[c.end++];
        if (ch == '\r') continue;
        if (c.caret && ch == '\n' && !joined) {
            joined = true; // the caret stays on the next line's first character
        } else if (c.caret) {
            c.caret = joined = false;
            c.text += ch;
        } else if (ch == '\n') {
            c.ended = true;
            return c;
        } else if (ch == '^' && !quoted) {
            c.caret = true;
        } else {
            quoted = quoted != (ch == '"');
            c.text += ch;
        }
    }
    return c;
}

} // namespace

bool LineBelongsTo(const std::string& line, char letter) {
    const std::string text = ReadCommand(line, 0).text;
    const size_t at = text.find_first_not_of(" \t@");
    if (at == std::string::npos) return false;
    const std::string head = Lower(text.substr(at, 8));
    if (head.size() != 8 || head.compare(0, 5, "subst") != 0 ||
        (head[5] != ' ' && head[5] != '\t') || head[6] != Lower(letter) || head[7] != ':')
        return false;
    // "subst X: /D" is a release the user wrote, not a mapping.
    const size_t from = text.find_first_not_of(" \t", at + 8);
    if (from == std::string::npos) return true;
    const std::string argument = Lower(text.substr(from, text.find_first_of(" \t", from) - from));
    return argument != "/d" && argument != "\"/d\"";
}

std::vector<std::string> BatchLines(const std::string& content) {
    std::vector<std::string> lines;
    for (size_t at = StartsWithBom(content) ? 3 : 0; at < content.size();) {
        size_t end = ReadCommand(content, at).end;
        lines.push_back(content.substr(at, end - at));
        at = end;
    }
    return lines;
}

bool MapsLetter(const std::string& content, char letter) {
    const std::vector<std::string> lines = BatchLines(content);
    for (size_t i = StartsWithBom(content) ? 1 : 0; i < lines.size(); ++i)
        if (LineBelongsTo(lines[i], letter)) return true;
    return false;
}

std::string BatchLine(const std::string& letter, const std::string& argument) {
    std::string line = "subst " + letter + ": ";
    for (char c : argument) {
        line += c;
        if (c == '%') line += '%';
    }
    return line;
}

FilteredBatch DropLetterLines(const std::string& content, char letter) {
    FilteredBatch out;
    const bool bom = StartsWithBom(content);
    std::string kept;
    for (const std::string& line : BatchLines(content)) {
        ++out.lines;
        if (LineBelongsTo(line, letter)) {
            // Behind the mark the next line would fail as the first one did:
            // the mark keeps a line of its own.
            if (bom && out.lines == 1) kept = "\r\n";
            ++out.dropped;
            continue;
        }
        kept += line;
    }
    if (EndsMidLine(kept)) kept += "\r\n";
    if (bom) out.text = kUtf8Bom;
    out.text += kept;
    return out;
}

bool EndsMidLine(const std::string& content) {
    return !content.empty() && content.back() != '\n';
}

std::string LineEndsBeforeAppend(const std::string& content) {
    Command last;
    for (size_t at = 0; at < content.size(); at = last.end) last = ReadCommand(content, at);
    if (content.empty() || last.ended) return "";
    return last.caret ? " \r\n" : "\r\n";
}
