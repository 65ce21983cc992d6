// Start-up: from CreateProcess to the main window ready for the user, and to
// its first complete paint.
#pragma once

#include <string>

struct StartupExes {
    std::string mapwell;
    std::string bareFloor;
    std::string dllFloor; // the floor with Mapwell's DLLs, manifest and common controls
    // The same three built with their start-up steps timed (bench/steps/).
    std::string mapwellSteps, bareFloorSteps, dllFloorSteps;
};

// Starts each program in turn, `runs` times each after one unmeasured start
// of each, and prints the times, and what each holds once started (read in a
// few more starts):
//   startup.{mapwell,floor,dll_floor}  to ready, with the footprint
//   paint.{mapwell,dll_floor}          to the first complete paint on screen
//   startup.*_steps, step.*_steps.N    the timed builds: to ready, and each step
//   steps_paint.*_steps                their first paint, seen once ready
void MeasureStartup(const StartupExes& exes, int runs);
