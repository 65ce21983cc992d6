// subst.exe on the simulated machine: reads its arguments by the C run-time's
// rules, as the real command does, and maps or releases the letter.
#pragma once

#include "platform/sim/sim_machine.h"

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
                if (slashes % 2) arg += '"';
                else quoted = !quoted;
            } else {
                arg.append(slashes, '\\');
                if (i < line.size()) arg += line[i];
                else break;
            }
        }
        args.push_back(arg);
    }
    return args;
}

inline void InstallSimSubst(SimMachine& m) {
    m.onLaunch = [&m](SimLaunch& l) {
        if (l.shellExecute) return true;
        std::vector<std::string> a = CrtArgs(l.commandLine);
        if (a.size() != 3 || a[0] != "subst.exe" || a[1].size() != 2) return true;
        char letter = a[1][0];
        if (a[2] == "/D") {
            if (m.Drive(letter).exists) m.RemoveDrive(letter);
        } else if (!m.Drive(letter).exists && m.Exists(a[2])) {
            m.AddDrive(letter, DriveKind::Fixed);
        }
        return true;
    };
}
