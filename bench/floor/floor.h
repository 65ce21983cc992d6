// The floor program's window class, which the probe looks for.
#pragma once

constexpr const char* kFloorClass = "MapwellBenchFloor";
