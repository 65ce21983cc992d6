#include "permanent/batch_file.h"

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
    // The first eight characters the interpreter sees: CRs do not count.
    std::string head;
    for (size_t i = 0; i < line.size() && head.size() < 8 && line[i] != '\n'; ++i)
        if (line[i] != '\r') head += Lower(line[i]);
    return head.size() == 8 && head.compare(0, 5, "subst") == 0 &&
           (head[5] == ' ' || head[5] == '\t') && head[6] == Lower(letter) && head[7] == ':';
}

std::vector<std::string> BatchLines(const std::string& content) {
    std::vector<std::string> lines;
    size_t at = StartsWithBom(content) ? 3 : 0;
    while (at < content.size()) {
        size_t end = content.find('\n', at);
        end = end == std::string::npos ? content.size() : end + 1;
        lines.push_back(content.substr(at, end - at));
        at = end;
    }
    return lines;
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
