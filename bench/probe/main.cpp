// The Windows-side timer of the bench: started once under Wine, it starts
// the programs it measures itself, so Wine's own start-up of the probe is
// not counted.
//
//   mapwell_probe startup MAPWELL_EXE FLOOR_EXE DLL_FLOOR_EXE RUNS STEPS_DIR
//                   STEPS_DIR: where the timed builds are (mapwell_steps.exe,
//                   empty_window_steps.exe, dll_floor_steps.exe)
//   mapwell_probe waits RUNS        (Mapwell from MAPWELL_EXE, as the e2e driver)
//   mapwell_probe settle            waits for a fresh prefix's services to finish starting
//   mapwell_probe steps EXE [SECONDS]  one start of a timed build, each step as it came
#include "common/results.h"
#include "process_stats.h"
#include "startup.h"
#include "steps.h"
#include "waits.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "startup" && argc == 7) {
        std::string steps = std::string(argv[6]) + "\\";
        MeasureStartup({argv[2], argv[3], argv[4], steps + "mapwell_steps.exe",
                        steps + "empty_window_steps.exe", steps + "dll_floor_steps.exe"},
                       std::atoi(argv[5]));
        return 0;
    }
    if (command == "waits" && argc == 3) {
        MeasureWaits(std::atoi(argv[2]));
        return 0;
    }
    if (command == "steps" && (argc == 3 || argc == 4))
        return PrintOneStart(argv[2], argc == 4 ? std::atof(argv[3]) : 0.5);
    if (command == "settle" && argc == 2) {
        // A fresh prefix starts its services with the first program run in
        // it; they would compete with whatever is measured first.
        double start = Now();
        bool quiet = WaitForQuiet(0.05, 30);
        char waited[64];
        std::snprintf(waited, sizeof(waited), "%.1f%s", Now() - start, quiet ? "" : " (not quiet)");
        PrintResult("settle_seconds", std::string(waited));
        return 0;
    }
    std::fprintf(stderr,
                 "usage: mapwell_probe startup MAPWELL_EXE FLOOR_EXE DLL_FLOOR_EXE RUNS STEPS_DIR\n"
                 "       mapwell_probe waits RUNS\n"
                 "       mapwell_probe settle\n");
    return 2;
}
