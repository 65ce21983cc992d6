#include "startup.h"

#include "common/results.h"
#include "floor/floor.h"
#include "platform/win32/handles.h"
#include "process_stats.h"
#include "steps.h"
#include "tests/e2e/driver.h"
#include "ui/control_ids.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr DWORD kStartDeadlineMs = 20000;
// Starts of each program whose footprint is read, after the timed ones.
constexpr int kFootprintRuns = 3;
// Every start begins this long after the program before it ended. The end of
// a program goes on in the Wine server and the X server for a while, and a
// processor left idle wakes slowly: both would weigh on whichever program
// came next, more after some programs than after others.
constexpr DWORD kGapMs = 100;
// A look at the screen keeps the X server busy, and so the very paint it
// waits for: once the window shows, looks are this far apart.
constexpr DWORD kLookGapMs = 4;

struct Target {
    std::string key; // startup.KEY or paint.KEY
    std::string exe;
    const char* windowClass;
    // Ready targets are polled once the program first waits for input, and
    // their footprint is read; paint targets are watched from the start.
    bool paint;
    std::function<bool(HWND window, DWORD threadId)> done;
    // A timed build: its steps are read once it is ready, and then the
    // screen is watched until its first paint shows.
    StepLogReader* steps = nullptr;
    std::function<bool(HWND window, DWORD threadId)> painted = nullptr;
};

HWND FocusOf(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

// As the end-to-end tests wait for it: the letter lists filled and the focus
// in the list of free letters.
bool MapwellReady(HWND window, DWORD threadId) {
    HWND focus = FocusOf(threadId);
    if (!focus || GetParent(focus) != window || GetDlgCtrlID(focus) != ids::lstAvail) return false;
    DWORD_PTR count = 0;
    return SendMessageTimeoutA(focus, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count) &&
           static_cast<LRESULT>(count) > 0;
}

bool FloorReady(HWND window, DWORD threadId) {
    return FocusOf(threadId) == window;
}

// The share of a window's client area that the screen shows in `background`,
// and how many of its pixels are something else.
struct Coverage {
    double background = 0;
    long other = 0;
};

Coverage OnScreen(HWND window, COLORREF background) {
    Coverage c;
    ScreenPixels p = CaptureClient(window);
    if (p.colours.empty()) return c;
    long matching = static_cast<long>(std::count(p.colours.begin(), p.colours.end(), background));
    c.background = static_cast<double>(matching) / static_cast<double>(p.colours.size());
    c.other = static_cast<long>(p.colours.size()) - matching;
    return c;
}

// Both letter lists on screen in their own background with letters in them:
// what the user sees once the first paint is complete.
bool MapwellPainted(HWND window, DWORD) {
    for (int id : {ids::lstAvail, ids::lstUsedLtrs}) {
        Coverage c = OnScreen(GetDlgItem(window, id), GetSysColor(COLOR_INFOBK));
        if (c.background < 0.5 || c.other < 8) return false;
    }
    return true;
}

bool FloorPainted(HWND window, DWORD) {
    return OnScreen(window, GetSysColor(COLOR_BTNFACE)).background > 0.9;
}

HWND VisibleWindowOf(const char* windowClass, DWORD pid) {
    for (HWND h = FindWindowExA(nullptr, nullptr, windowClass, nullptr); h;
         h = FindWindowExA(nullptr, h, windowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == pid && IsWindowVisible(h)) return h;
    }
    return nullptr;
}

struct Sample {
    double seconds = -1; // negative: never got there
    StepTimes steps;
    double paintSeconds = -1; // a timed build's first paint, seen once it was ready
    std::optional<uint64_t> privateBytes;
    std::optional<DWORD> gdiObjects, userObjects;
    int windows = 0;
};

// Private bytes once they stop changing: the first paint and whatever the
// window does right after showing are then behind it.
std::optional<uint64_t> SettledPrivateBytes(HANDLE process) {
    std::optional<uint64_t> last = PrivateBytes(process);
    double deadline = Now() + 3;
    while (Now() < deadline) {
        Sleep(100);
        std::optional<uint64_t> next = PrivateBytes(process);
        if (next == last) break;
        last = next;
    }
    return last;
}

// One start. `footprint`: once ready, wait for the memory to settle and read
// what the program holds; the timed starts do not, so that every start
// follows the end of the one before as long after, whichever program that was.
Sample StartOnce(const Target& t, bool footprint) {
    Sample s;
    std::string line = "\"" + t.exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (t.steps) t.steps->Clear();
    double start = Now();
    if (!CreateProcessA(t.exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\",
                        &si, &pi))
        return s;
    UniqueKernel process(pi.hProcess), thread(pi.hThread);
    // Blocks until the program first waits for input, so the probe does not
    // compete for the processor while the target starts; the poll after it
    // covers a program that waits for input before it is ready. A paint can
    // reach the screen before that, so it is watched from the start.
    if (!t.paint) WaitForInputIdle(process.get(), kStartDeadlineMs);
    double deadline = start + kStartDeadlineMs / 1000.0;
    for (;;) {
        HWND window = VisibleWindowOf(t.windowClass, pi.dwProcessId);
        if (window && t.done(window, pi.dwThreadId)) {
            s.seconds = Now() - start;
            break;
        }
        if (Now() > deadline || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) break;
        Sleep(window && t.paint ? kLookGapMs : 1);
    }
    if (s.seconds >= 0 && t.steps) {
        s.steps = t.steps->Times(start, start + s.seconds);
        for (;;) {
            HWND window = VisibleWindowOf(t.windowClass, pi.dwProcessId);
            if (window && t.painted(window, pi.dwThreadId)) {
                s.paintSeconds = Now() - start;
                break;
            }
            if (Now() > deadline) break;
            Sleep(1);
        }
    } else if (s.seconds >= 0 && footprint) {
        s.privateBytes = SettledPrivateBytes(process.get());
        s.gdiObjects = GuiObjects(process.get(), GR_GDIOBJECTS);
        s.userObjects = GuiObjects(process.get(), GR_USEROBJECTS);
        s.windows = WindowCount(pi.dwProcessId);
    }
    // Done or not, the next start must find it gone.
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
    Sleep(kGapMs);
    return s;
}

struct Series {
    std::vector<double> seconds, privateBytes, gdi, user, windows, paintSeconds;
    StepSeries steps;
    int failures = 0;
    void Add(const Sample& s) {
        if (s.seconds < 0) {
            ++failures;
            return;
        }
        seconds.push_back(s.seconds);
        if (!s.steps.empty()) steps.Add(s.steps);
        if (s.paintSeconds >= 0) paintSeconds.push_back(s.paintSeconds);
    }
    void AddFootprint(const Sample& s) {
        if (s.seconds < 0) return;
        if (s.privateBytes) privateBytes.push_back(static_cast<double>(*s.privateBytes));
        if (s.gdiObjects) gdi.push_back(*s.gdiObjects);
        if (s.userObjects) user.push_back(*s.userObjects);
        windows.push_back(s.windows);
    }
    void Print(const Target& t) const {
        std::string kind = t.paint ? "paint" : "startup";
        PrintResult(kind + "." + t.key, Summarize(seconds));
        PrintResult(kind + "_failures." + t.key, std::to_string(failures));
        if (t.steps) {
            steps.Print(t.key);
            PrintResult("steps_paint." + t.key, Summarize(paintSeconds));
            return;
        }
        if (t.paint) return;
        auto printOrNa = [&](const std::string& key, const std::vector<double>& v) {
            if (v.empty())
                PrintResult(key, std::string("n/a"));
            else
                PrintResult(key, Summarize(v));
        };
        printOrNa("private_bytes." + t.key, privateBytes);
        printOrNa("gdi_objects." + t.key, gdi);
        printOrNa("user_objects." + t.key, user);
        printOrNa("windows." + t.key, windows);
    }
};

} // namespace

void MeasureStartup(const StartupExes& exes, int runs) {
    StepLogReader steps;
    std::vector<Target> targets{
        {"mapwell", exes.mapwell, ids::kMainWindowClass, false, MapwellReady},
        {"floor", exes.bareFloor, kFloorClass, false, FloorReady},
        {"dll_floor", exes.dllFloor, kFloorClass, false, FloorReady},
        {"mapwell", exes.mapwell, ids::kMainWindowClass, true, MapwellPainted},
        {"dll_floor", exes.dllFloor, kFloorClass, true, FloorPainted},
        {"mapwell_steps", exes.mapwellSteps, ids::kMainWindowClass, false, MapwellReady, &steps,
         MapwellPainted},
        {"dll_floor_steps", exes.dllFloorSteps, kFloorClass, false, FloorReady, &steps,
         FloorPainted},
        {"floor_steps", exes.bareFloorSteps, kFloorClass, false, FloorReady, &steps, FloorPainted},
    };
    // The first start of each pays for loading files into the cache.
    for (const Target& t : targets) StartOnce(t, false);
    std::vector<Series> series(targets.size());
    // Interleaved, so a machine that slows down or speeds up during the run
    // weighs on all alike.
    for (int run = 0; run < runs; ++run)
        for (size_t i = 0; i < targets.size(); ++i) series[i].Add(StartOnce(targets[i], false));
    for (int run = 0; run < kFootprintRuns; ++run)
        for (size_t i = 0; i < targets.size(); ++i)
            if (!targets[i].paint && !targets[i].steps)
                series[i].AddFootprint(StartOnce(targets[i], true));
    for (size_t i = 0; i < targets.size(); ++i) series[i].Print(targets[i]);
}
