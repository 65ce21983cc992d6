#include "permanent/batch_file.h"

#include "platform/text_lines.h"

#include <cctype>

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool StartsWithBom(const std::string& content) {
    return content.rfind(kUtf8Bom, 0) == 0;
}

} // namespace

bool LineBelongsTo(const std::string& line, char letter) {
    if (line.size() < 7) return false;
    for (size_t i = 0; i < 5; ++i)
        if (Lower(line[i]) != "subst"[i]) return false;
    return Lower(line[6]) == Lower(letter);
}

std::vector<std::string> BatchLines(const std::string& content) {
    return SplitLines(StartsWithBom(content) ? content.substr(3) : content);
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
    if (StartsWithBom(content)) out.text = kUtf8Bom;
    for (const std::string& line : BatchLines(content)) {
        ++out.lines;
        if (LineBelongsTo(line, letter)) {
            ++out.dropped;
            continue;
        }
        out.text += line + "\r\n";
    }
    return out;
}

bool EndsMidLine(const std::string& content) {
    if (content.empty() || content == kUtf8Bom) return false;
    return content.back() != '\n' && content.back() != '\r';
}
