// The program's entry: Main.
#include "platform/win32/win32_platform.h"
#include "ui/frmMWL_Pro.h"
#include "ui/win32/main_window_win.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // An empty floppy or CD-ROM drive must fail quietly when the letters are
    // scanned, not ask the user to insert a disk.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = 8;
    icc.dwICC = ICC_USEREX_CLASSES;
    InitCommonControlsEx(&icc);

    Win32Platform machine;
    Win32MainWindow window;
    if (!window.Create(instance)) return 1;
    frmMWL_Pro form(machine.platform, window);
    window.Attach(&form);
    if (!form.Form_Load()) {
        DestroyWindow(window.hwnd());
        return 0;
    }
    window.Show();
    form.Form_Activate();

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(window.hwnd(), window.accelerators(), &msg)) continue;
        if (IsDialogMessageA(window.hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
