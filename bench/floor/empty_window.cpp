// The floors for the start-up measurement: the least a Win32 program can do
// before it is ready for the user. One registered class, one empty top-level
// window shown and focused, and the message loop.
//
// Built twice. The bare floor is just that. The same-DLL floor (built with
// FLOOR_WITH_MAPWELL_DLLS) also carries Mapwell's manifest, imports every
// system DLL Mapwell.exe imports and initialises the common controls as
// Mapwell does: the least any program with Mapwell's imports can cost. Like
// Mapwell, both are wide programs (wWinMain, the W functions).
#include "app/startup_steps.h"
#include "floor.h"

#include <windows.h>

#include <cstring>
#include <string>

#ifdef FLOOR_WITH_MAPWELL_DLLS
#include <commctrl.h>
#include <shlobj.h>

// One function of each DLL Mapwell.exe imports beyond the bare floor's, so
// that the loader maps and initialises the same set; none is called. bench/run.sh
// checks that the two import lists stay equal.
extern void (*const volatile kMapwellImports[])();
void (*const volatile kMapwellImports[])() = {
    reinterpret_cast<void (*)()>(&RegCloseKey),      // advapi32
    reinterpret_cast<void (*)()>(&GetStockObject),   // gdi32
    reinterpret_cast<void (*)()>(&SHGetFolderPathW), // shell32
};
#endif

namespace {

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int show) {
#ifdef FLOOR_WITH_MAPWELL_DLLS
    // As Mapwell's entry routine calls it.
    StartupStep controls("common controls");
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = 8;
    icc.dwICC = ICC_USEREX_CLASSES;
    InitCommonControlsEx(&icc);
#endif
    StartupStep window("main window");
    const std::wstring className(kFloorClass, kFloorClass + std::strlen(kFloorClass)); // ASCII
    WNDCLASSW wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className.c_str();
    if (!RegisterClassW(&wc)) return 1;
    // Mapwell's outer size, so both have as much to paint.
    HWND hwnd = CreateWindowW(className.c_str(), L"Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 476, 386, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    {
        StartupStep step("show");
        ShowWindow(hwnd, show);
    }
    {
        StartupStep step("paint");
        UpdateWindow(hwnd);
    }
    {
        // Mapwell puts the focus on a control once it is shown; the floor's
        // window takes it itself, so "ready" means the same thing for both.
        StartupStep step("focus, pointer");
        SetFocus(hwnd);
    }

    StartupStep waiting("waiting for input");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
