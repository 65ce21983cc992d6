// The letter scan on the real machine: frmMWL_Pro::RefreshLetterLists over
// the 26 letters through Win32Platform, beside 26 bare GetDriveTypeW calls.
// The window is the simulated one: the lists only collect text, so what is
// timed is the scan itself.
//
//   letter_scan_bench SCANS
#include "common/results.h"
#include "platform/win32/win32_platform.h"
#include "ui/frmMWL_Pro.h"
#include "ui/sim/sim_window.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Body> double Time(Body body) {
    double start = Now();
    body();
    return Now() - start;
}

std::vector<double> Micro(std::vector<double> seconds) {
    for (double& s : seconds) s *= 1e6;
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    int scans = argc > 1 ? std::atoi(argv[1]) : 1000;
    // As Mapwell.exe: an empty drive is skipped quietly, not asked for.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    Win32Platform machine;
    SimWindow window;
    frmMWL_Pro form(machine.platform, window);

    auto bareScan = [] {
        wchar_t root[] = L"A:\\";
        for (wchar_t c = L'A'; c <= L'Z'; ++c) {
            root[0] = c;
            GetDriveTypeW(root);
        }
    };
    // Warms the system's drive caches for both.
    form.RefreshLetterLists();
    bareScan();
    // In turns, so a machine that is busier at one moment than at another
    // weighs on both alike.
    std::vector<double> scan, bare;
    for (int i = 0; i < scans; ++i) {
        scan.push_back(Time([&] { form.RefreshLetterLists(); }));
        bare.push_back(Time(bareScan));
    }

    PrintResult("scan.mapwell_us", Summarize(Micro(scan)));
    PrintResult("scan.bare_us", Summarize(Micro(bare)));
    std::string used;
    for (const std::string& l : window.used.items) used += l;
    PrintResult("scan.used", used.empty() ? std::string("none") : used);
    return 0;
}
