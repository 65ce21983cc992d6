// What Mapwell's fixed waits cost: processor time of the Mapwell process
// during one Add and during one Restore of five drives.
#pragma once

// Runs each operation `runs` times on a freshly started Mapwell (MAPWELL_EXE)
// and prints its processor seconds and wall seconds.
void MeasureWaits(int runs);
