// The program's entry: Main.
#include "app/startup_steps.h"
#include "platform/win32/win32_platform.h"
#include "ui/frmMWL_Pro.h"
#include "ui/win32/main_window_win.h"

#include <commctrl.h>
#include <windows.h>

namespace {

// Libraries, and the programs the command interpreter starts, come from the
// system's folder only. By default Windows looks beside Mapwell.exe and in the
// current folder first, and both are the user's to write: the per-user install
// folder, and the data folder that View and Restore make current.
void SearchOnlyTheSystemFolder() {
    constexpr DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    // Present from Windows 8, and on Windows 7 with its security update.
    auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault) setDefault(kSearchSystem32);
    SetDllDirectoryW(L""); // takes the current folder out of the search where the above is missing
    // Read by the command interpreter that View and Restore start with
    // "subst.exe": it then does not look in its current folder first.
    SetEnvironmentVariableW(L"NoDefaultCurrentDirectoryInExePath", L"1");
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    StartupStep entry("library search, error mode");
    SearchOnlyTheSystemFolder();
    // An empty floppy or CD-ROM drive must fail quietly when the letters are
    // scanned, not ask the user to insert a disk.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    {
        StartupStep step("common controls");
        INITCOMMONCONTROLSEX icc{};
        icc.dwSize = 8;
        icc.dwICC = ICC_USEREX_CLASSES;
        InitCommonControlsEx(&icc);
    }

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
    {
        StartupStep step("focus, pointer");
        form.Form_Activate();
    }

    StartupStep waiting("waiting for input");
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The table holds keys only; made at the first key, not before the first paint.
        if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) &&
            TranslateAcceleratorW(window.hwnd(), window.accelerators(), &msg))
            continue;
        if (IsDialogMessageW(window.hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
