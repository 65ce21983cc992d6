// subst.exe on the simulated machine: reads its arguments by the C run-time's
// rules, as the real command does, and maps or releases the letter.
#pragma once

#include "platform/sim/sim_machine.h"

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
            std::vector<std::string> a = CrtArgs(l.parameters);
            if (a.size() >= 2 && a[0] == "/C" && a[1] == m.systemDirectory + "\\subst.exe") {
                if (a.size() == 4 && a[2] == ">" && writesCapture) {
                    std::string folder = l.currentDirectory;
                    if (folder.back() != '\\') folder += '\\';
                    m.AddFile(folder + a[3], Listing(m));
                } else if (a.size() == 4) {
                    Run(m, {a[1], a[2], a[3]});
                }
            }
            return true;
        };
    }
};
