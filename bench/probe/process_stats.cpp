#include "process_stats.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <vector>

namespace {

constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

double Seconds100ns(LARGE_INTEGER t) {
    return static_cast<double>(t.QuadPart) / 1e7;
}

BOOL CALLBACK CountChild(HWND, LPARAM lp) {
    ++*reinterpret_cast<int*>(lp);
    return TRUE;
}

struct WindowTally {
    DWORD pid;
    int count = 0;
};

BOOL CALLBACK CountTopLevel(HWND h, LPARAM lp) {
    auto* t = reinterpret_cast<WindowTally*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != t->pid) return TRUE;
    ++t->count;
    EnumChildWindows(h, CountChild, reinterpret_cast<LPARAM>(&t->count));
    return TRUE;
}

struct ProcessCpu {
    DWORD pid;
    double seconds;
};

// Not GetProcessTimes: under Wine 8 it reports no user time for any process
// but the caller. The system's process list has the real figures there (Wine
// reads them from /proc) and the same ones on Windows.
std::vector<ProcessCpu> ProcessList() {
    std::vector<unsigned char> buffer(256 * 1024);
    NTSTATUS status;
    for (;;) {
        ULONG needed = 0;
        status = NtQuerySystemInformation(SystemProcessInformation, buffer.data(),
                                          static_cast<ULONG>(buffer.size()), &needed);
        if (status != kInfoLengthMismatch) break;
        buffer.resize(std::max<size_t>(needed, buffer.size()) * 2);
    }
    std::vector<ProcessCpu> list;
    if (status < 0) return list;
    for (size_t at = 0;;) {
        auto* p = reinterpret_cast<SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
        list.push_back({static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(p->UniqueProcessId)),
                        Seconds100ns(p->UserTime) + Seconds100ns(p->KernelTime)});
        if (!p->NextEntryOffset) return list;
        at += p->NextEntryOffset;
    }
}

} // namespace

std::optional<double> CpuSeconds(DWORD pid) {
    for (const ProcessCpu& p : ProcessList())
        if (p.pid == pid) return p.seconds;
    return std::nullopt;
}

double TotalCpuSeconds() {
    double total = 0;
    for (const ProcessCpu& p : ProcessList()) total += p.seconds;
    return total;
}

bool WaitForQuiet(double share, double seconds) {
    constexpr double kWindow = 0.5;
    double deadline = Now() + seconds;
    double before = TotalCpuSeconds();
    for (;;) {
        Sleep(static_cast<DWORD>(kWindow * 1000));
        double after = TotalCpuSeconds();
        if (after - before < share * kWindow) return true;
        if (Now() > deadline) return false;
        before = after;
    }
}

std::optional<uint64_t> PrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof(pmc);
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                              sizeof(pmc)))
        return std::nullopt;
    // Windows reports the same figure in both fields; Wine 8 fills only the
    // older one.
    uint64_t bytes = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
    if (!bytes) return std::nullopt;
    return bytes;
}

std::optional<DWORD> GuiObjects(HANDLE process, DWORD kind) {
    SetLastError(ERROR_SUCCESS);
    DWORD n = GetGuiResources(process, kind);
    // Wine answers 0 with ERROR_CALL_NOT_IMPLEMENTED; a live GUI process never
    // has none.
    if (n == 0) return std::nullopt;
    return n;
}

int WindowCount(DWORD pid) {
    WindowTally t{pid};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&t));
    return t.count;
}

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}
