// A Mapwell on the simulated machine for the fuzz targets, and a check that
// stops the run when a property does not hold.
#pragma once

#include "platform/sim/sim_machine.h"
#include "ui/frmMWL_Pro.h"
#include "ui/sim/sim_window.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #cond);                        \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

inline const std::string kFuzzData = "C:\\Users\\me\\AppData\\Roaming\\Quillon Software\\Mapwell\\";
inline const std::string kFuzzStartup =
    "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";

inline std::string InstalledStateFile() {
    std::string b(2500, '\0');
    b[1369] = 0x08;
    return b;
}

struct FuzzApp {
    SimMachine m;
    SimWindow w;
    frmMWL_Pro f{m.platform(), w};

    explicit FuzzApp(const std::string& stateFile = InstalledStateFile()) {
        m.AddFile(kFuzzData + "himem32.mwl", stateFile);
        m.AddFolder(kFuzzStartup);
    }
    bool Start() {
        if (!f.Form_Load()) return false;
        f.Form_Activate();
        return true;
    }
};
