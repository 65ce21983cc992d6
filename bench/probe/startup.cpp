#include "startup.h"

#include "common/results.h"
#include "floor/floor.h"
#include "platform/win32/handles.h"
#include "process_stats.h"
#include "ui/control_ids.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace {

constexpr DWORD kStartDeadlineMs = 20000;

struct Target {
    std::string name;
    std::string exe;
    const char* windowClass;
    // True once the shown window is ready for the user.
    std::function<bool(HWND window, DWORD threadId)> ready;
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
    double seconds = -1; // negative: never became ready
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

Sample StartOnce(const Target& t) {
    Sample s;
    std::string line = "\"" + t.exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    double start = Now();
    if (!CreateProcessA(t.exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\",
                        &si, &pi))
        return s;
    UniqueKernel process(pi.hProcess), thread(pi.hThread);
    // Blocks until the program first waits for input, so the probe does not
    // compete for the processor while the target starts; the poll after it
    // covers a program that waits for input before it is ready.
    WaitForInputIdle(process.get(), kStartDeadlineMs);
    double deadline = start + kStartDeadlineMs / 1000.0;
    for (;;) {
        HWND window = VisibleWindowOf(t.windowClass, pi.dwProcessId);
        if (window && t.ready(window, pi.dwThreadId)) {
            s.seconds = Now() - start;
            break;
        }
        if (Now() > deadline || WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) break;
        Sleep(1);
    }
    if (s.seconds >= 0) {
        s.privateBytes = SettledPrivateBytes(process.get());
        s.gdiObjects = GuiObjects(process.get(), GR_GDIOBJECTS);
        s.userObjects = GuiObjects(process.get(), GR_USEROBJECTS);
        s.windows = WindowCount(pi.dwProcessId);
    }
    // Ready or not, the next start must find it gone.
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
    return s;
}

struct Series {
    std::vector<double> seconds, privateBytes, gdi, user, windows;
    int failures = 0;
    void Add(const Sample& s) {
        if (s.seconds < 0) {
            ++failures;
            return;
        }
        seconds.push_back(s.seconds);
        if (s.privateBytes) privateBytes.push_back(static_cast<double>(*s.privateBytes));
        if (s.gdiObjects) gdi.push_back(*s.gdiObjects);
        if (s.userObjects) user.push_back(*s.userObjects);
        windows.push_back(s.windows);
    }
    void Print(const std::string& name) const {
        PrintResult("startup." + name, Summarize(seconds));
        PrintResult("startup_failures." + name, std::to_string(failures));
        auto printOrNa = [&](const std::string& key, const std::vector<double>& v) {
            if (v.empty())
                PrintResult(key, std::string("n/a"));
            else
                PrintResult(key, Summarize(v));
        };
        printOrNa("private_bytes." + name, privateBytes);
        printOrNa("gdi_objects." + name, gdi);
        printOrNa("user_objects." + name, user);
        printOrNa("windows." + name, windows);
    }
};

} // namespace

void MeasureStartup(const std::string& mapwellExe, const std::string& floorExe, int runs) {
    std::vector<Target> targets{
        {"mapwell", mapwellExe, ids::kMainWindowClass, MapwellReady},
        {"floor", floorExe, kFloorClass, FloorReady},
    };
    // The first start of each pays for loading files into the cache.
    for (const Target& t : targets) StartOnce(t);
    std::vector<Series> series(targets.size());
    // Interleaved, so a machine that slows down or speeds up during the run
    // weighs on both alike.
    for (int run = 0; run < runs; ++run)
        for (size_t i = 0; i < targets.size(); ++i) series[i].Add(StartOnce(targets[i]));
    for (size_t i = 0; i < targets.size(); ++i) series[i].Print(targets[i].name);
}
