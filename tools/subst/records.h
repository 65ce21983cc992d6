// What the stand-in has mapped, kept in the registry so that listing and /D outlive a wineserver
// restart: one REG_SZ per letter under HKCU\Software\MapwellBench\Subst, name "E", data the
// Windows folder exactly as it was given on the command line (UTF-8 here).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

struct SubstRecord {
    char letter; // 'A'..'Z'
    std::string target;
};

std::optional<std::string> RecordedTarget(char letter);
std::vector<SubstRecord> AllRecords(); // sorted by letter
void SaveRecord(char letter, const std::string& target);
void ForgetRecord(char letter);

} // namespace bench
