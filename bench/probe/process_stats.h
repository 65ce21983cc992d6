// What another process costs: processor time, private memory, window objects.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

// User plus kernel processor seconds the process has used so far; nothing
// when it is not in the system's process list.
std::optional<double> CpuSeconds(DWORD pid);

// The same, summed over every process in the list.
double TotalCpuSeconds();

// Private (committed, unshared) bytes; nothing when they cannot be read.
std::optional<uint64_t> PrivateBytes(HANDLE process);

// GetGuiResources (GR_GDIOBJECTS or GR_USEROBJECTS); nothing when the system
// does not count them.
std::optional<DWORD> GuiObjects(HANDLE process, DWORD kind);

// Waits until the processes in the list together use less than `share` of
// one processor over half a second; false when that has not happened within
// `seconds`.
bool WaitForQuiet(double share, double seconds);

// Windows the process owns, top-level and child: a lower bound on its USER
// objects that every system can count.
int WindowCount(DWORD pid);

// Seconds on the performance counter.
double Now();
