#include "permanent/batch_file.h"

#include "platform/text_lines.h"

#include <cctype>

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

} // namespace

bool LineBelongsTo(const std::string& line, char letter, bool substLinesOnly) {
    if (substLinesOnly) {
        if (line.size() < 5) return false;
        for (size_t i = 0; i < 5; ++i)
            if (Lower(line[i]) != "subst"[i]) return false;
    }
    return line.size() >= 7 && Lower(line[6]) == Lower(letter);
}

std::string BatchLine(const std::string& letter, const std::string& argument) {
    std::string line = "subst " + letter + ": ";
    for (char c : argument) {
        line += c;
        if (c == '%') line += '%';
    }
    return line;
}

FilteredBatch DropLetterLines(const std::string& content, char letter, bool substLinesOnly) {
    FilteredBatch out;
    for (const std::string& line : SplitLines(content)) {
        ++out.lines;
        if (LineBelongsTo(line, letter, substLinesOnly)) {
            ++out.dropped;
            continue;
        }
        out.text += line + "\r\n";
    }
    return out;
}

bool EndsMidLine(const std::string& content) {
    return !content.empty() && content.back() != '\n' && content.back() != '\r';
}
