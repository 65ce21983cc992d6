// The floors for the start-up measurement: the least a Win32 program can do
// before it is ready for the user. One registered class, one empty top-level
// window shown and focused, and the message loop.
//
// Built twice. The bare floor is just that. The same-DLL floor (built with
// FLOOR_WITH_MAPWELL_DLLS) also carries Mapwell's manifest, imports every
// system DLL Mapwell.exe imports and initialises the common controls as
// Mapwell does: the least any program with Mapwell's imports can cost.
#include "floor.h"

#include <windows.h>

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
    reinterpret_cast<void (*)()>(&CoTaskMemFree),    // ole32
    reinterpret_cast<void (*)()>(&SHGetFolderPathA), // shell32
};
#endif

namespace {

LRESULT CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
#ifdef FLOOR_WITH_MAPWELL_DLLS
    // As Mapwell's entry routine calls it.
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = 8;
    icc.dwICC = ICC_USEREX_CLASSES;
    InitCommonControlsEx(&icc);
#endif
    WNDCLASSA wc{};
    wc.lpfnWndProc = FloorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFloorClass;
    if (!RegisterClassA(&wc)) return 1;
    // Mapwell's outer size, so both have as much to paint.
    HWND hwnd = CreateWindowA(kFloorClass, "Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 476, 386, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return 1;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    // Mapwell puts the focus on a control once it is shown; the floor's
    // window takes it itself, so "ready" means the same thing for both.
    SetFocus(hwnd);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
