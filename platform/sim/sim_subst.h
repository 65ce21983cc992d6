// subst.exe on the simulated machine: reads its arguments by the C run-time's
// rules, as the real command does, and maps or releases the letter.
#pragma once

#include "platform/sim/sim_machine.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// The C run-time's splitting of a command line (backslashes escape a quote
// only when they stand right before it).
inline std::vector<std::string> CrtArgs(const std::string& line) {
    std::vector<std::string> args;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        std::string arg;
        bool quoted = false;
        for (; i < line.size() && (quoted || line[i] != ' '); ++i) {
            size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') ++slashes, ++i;
            if (i < line.size() && line[i] == '"') {
                arg.append(slashes / 2, '\\');
                if (slashes % 2)
                    arg += '"';
                else
                    quoted = !quoted;
            } else {
                arg.append(slashes, '\\');
                if (i >= line.size()) break;
                arg += line[i];
            }
        }
        args.push_back(arg);
    }
    return args;
}

// What cmd runs of " /C command": a command that starts with a quote loses
// that quote and the last one, unless it holds exactly two quotes with a
// blank between them.
inline std::string CmdLineAfterC(const std::string& parameters) {
    size_t at = parameters.find("/C ");
    if (at != std::string::npos) at = parameters.find_first_not_of(' ', at + 3);
    if (at == std::string::npos) return "";
    std::string line = parameters.substr(at);
    size_t quotes = std::count(line.begin(), line.end(), '"');
    bool kept = quotes == 2 && line.find(' ') < line.rfind('"');
    if (line[0] == '"' && !kept)
        line = line.substr(1, line.rfind('"') - 1) + line.substr(line.rfind('"') + 1);
    return line;
}

// The mappings it made, for its listing.
struct SimSubst {
    std::map<char, std::string> mapped;
    bool writesCapture = true;

    // Written as a console program writes it: in the OEM code page.
    std::string Listing(SimMachine& m) const {
        std::string out;
        for (const auto& [letter, folder] : mapped) {
            std::string oem;
            if (!m.platform().os.ToOemCodePage(folder, oem)) oem = "?";
            out += std::string(1, letter) + ":\\: => " + oem + "\r\n";
        }
        return out;
    }

    void Run(SimMachine& m, const std::vector<std::string>& a) {
        if (a.size() != 3 || a[1].size() != 2) return;
        char letter = a[1][0];
        if (a[2] == "/D") {
            if (mapped.erase(letter)) m.RemoveDrive(letter);
        } else if (!m.Drive(letter).exists && m.Exists(a[2])) {
            m.AddDrive(letter, DriveKind::Fixed);
            m.Drive(letter).virtualDrive = true;
            m.Drive(letter).virtualFolder = a[2];
            mapped[letter] = a[2];
        }
    }

    // Plain launches of subst.exe, and the command interpreter running it.
    void Install(SimMachine& m) {
        m.onLaunch = [this, &m](SimLaunch& l) {
            if (!l.shellExecute) {
                std::vector<std::string> a = CrtArgs(l.commandLine);
                if (!a.empty() && a[0] == "subst.exe") Run(m, a);
                return true;
            }
            // The interpreter runs the system's subst.exe only when it is named
            // by its path: by its bare name, it would take one from its current
            // folder first.
            std::vector<std::string> a = CrtArgs(CmdLineAfterC(l.parameters));
            if (!a.empty() && a[0] == m.systemDirectory + "\\subst.exe") {
                // cmd refuses a current folder on a share ("UNC paths are not
                // supported") and starts in the Windows folder instead.
                std::string folder = l.directory.empty() ? l.currentDirectory : l.directory;
                if (folder.rfind("\\\\", 0) == 0) folder = "C:\\Windows";
                if (folder.back() != '\\') folder += '\\';
                bool full = a.size() == 3 && (a[2].find(':') == 1 || a[2].rfind("\\\\", 0) == 0);
                if (a.size() == 3 && a[1] == ">" && writesCapture)
                    m.AddFile(full ? a[2] : folder + a[2], Listing(m));
                else if (a.size() == 3)
                    Run(m, a);
            }
            return true;
        };
    }
};
