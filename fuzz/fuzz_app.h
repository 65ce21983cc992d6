// A Mapwell on the simulated machine for the fuzz targets, and a check that
// stops the run when a property does not hold.
//
// Each target is written as FUZZ_TARGET(name) { ... }: libFuzzer's entry in
// the fuzz build (clang), and in the native tests (MAPWELL_SEEDS) a function
// Fuzz_name that runs every seed of the corpus through the same properties,
// where a property that does not hold throws, so that the next seed still runs.
#pragma once

#include "platform/sim/sim_machine.h"
#include "tests/state_file_bytes.h"
#include "ui/frmMWL_Pro.h"
#include "ui/sim/sim_window.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef MAPWELL_SEEDS
struct FuzzFailure {
    std::string what;
};
#define FUZZ_TARGET(name) int Fuzz_##name(const uint8_t* data, size_t size)
#else
#define FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
#endif

[[noreturn]] inline void FuzzCheckFailed(const char* file, int line, const char* cond) {
#ifdef MAPWELL_SEEDS
    throw FuzzFailure{std::string(file) + ":" + std::to_string(line) + ": " + cond};
#else
    std::fprintf(stderr, "%s:%d: %s\n", file, line, cond);
    std::abort();
#endif
}

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) FuzzCheckFailed(__FILE__, __LINE__, #cond);                                   \
    } while (0)

inline const std::string kFuzzData = "C:\\Users\\me\\AppData\\Roaming\\Quillon Software\\Mapwell\\";
inline const std::string kFuzzStartup =
    "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";

struct FuzzApp {
    SimMachine m;
    SimWindow w;
    frmMWL_Pro f{m.platform(), w};

    explicit FuzzApp(const std::string& stateFile = StateFileBytes(0x08000000)) {
        m.AddFile(kFuzzData + "himem32.mwl", stateFile);
        m.AddFolder(kFuzzStartup);
    }
    bool Start() {
        if (!f.Form_Load()) return false;
        f.Form_Activate();
        return true;
    }
};
