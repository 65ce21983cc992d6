// Launching processes, the clock and the help viewer.
#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_platform.h"

#include <shellapi.h>

namespace {

class Win32Process : public Process {
public:
    Win32Process(DWORD id, HANDLE handle) : id_(id), handle_(handle) {}
    uint32_t Id() const override { return id_; }
    bool WaitForExit(double seconds) override {
        if (!handle_) return true; // nothing to wait for
        return WaitForSingleObject(handle_.get(), static_cast<DWORD>(seconds * 1000)) !=
               WAIT_TIMEOUT;
    }

private:
    DWORD id_;
    UniqueKernel handle_;
};

} // namespace

std::unique_ptr<Process> Win32Processes::Shell(const std::string& program,
                                               const std::string& commandLine) {
    if (program.empty()) return nullptr;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring line = ToUtf16(commandLine);
    if (!CreateProcessW(ToUtf16(program).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return std::make_unique<Win32Process>(pi.dwProcessId, pi.hProcess);
}

std::unique_ptr<Process> Win32Processes::ShellExec(WindowHandle owner, const std::string& verb,
                                                   const std::string& file,
                                                   const std::string& parameters,
                                                   const std::string& directory, int show) {
    const std::wstring wideVerb = ToUtf16(verb), wideFile = ToUtf16(file),
                       wideParameters = ToUtf16(parameters), wideDirectory = ToUtf16(directory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = static_cast<HWND>(owner);
    info.lpVerb = wideVerb.c_str();
    info.lpFile = wideFile.c_str();
    info.lpParameters = wideParameters.c_str();
    // An empty folder means the current directory, as for ShellExecuteW.
    info.lpDirectory = directory.empty() ? nullptr : wideDirectory.c_str();
    info.nShow = show;
    if (!ShellExecuteExW(&info)) return nullptr;
    DWORD id = info.hProcess ? GetProcessId(info.hProcess) : 0;
    return std::make_unique<Win32Process>(id, info.hProcess);
}

double Win32Clock::Seconds() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Win32Clock::Sleep(double seconds) {
    ::Sleep(static_cast<DWORD>(seconds * 1000));
}

void Win32Help::ShowContext(WindowHandle owner, const std::string& file, uint32_t contextId) {
    // The viewer lives in hhctrl.ocx. It stays loaded for as long as help
    // windows may be open, so it is never freed.
    static HMODULE viewer = LoadSystemLibrary("hhctrl.ocx");
    if (!viewer) return;
    using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    auto htmlHelp =
        reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpW")));
    constexpr UINT kHelpContext = 0x000F; // HH_HELP_CONTEXT
    if (htmlHelp)
        htmlHelp(static_cast<HWND>(owner), ToUtf16(file).c_str(), kHelpContext, contextId);
}
