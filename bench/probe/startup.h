// Start-up: from CreateProcess to the main window ready for the user.
#pragma once

#include <string>

// Starts Mapwell and the floor program in turn, `runs` times each after one
// unmeasured start of each, and prints the times and what each holds once
// started.
void MeasureStartup(const std::string& mapwellExe, const std::string& floorExe, int runs);
