#include "driver.h"

#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"
#include "ui/control_ids.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

bool WaitUntil(const std::function<bool()>& done, double seconds) {
    DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    for (;;) {
        if (done()) return true;
        if (static_cast<LONG>(GetTickCount() - deadline) > 0) return false;
        Sleep(25);
    }
}

namespace {

// Text is read through the wide messages, as UTF-8, so names in any script
// come whole (and Wine marshals the ANSI form of LB_GETTEXT across processes
// one character short).
std::string WindowText(HWND h) {
    wchar_t buffer[4096] = {};
    SendMessageTimeoutW(h, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return ToUtf8(buffer);
}

std::string ClassOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof(name));
    return name;
}

struct FindData {
    DWORD pid;
    std::string cls, title; // empty: any
    HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND h, LPARAM lp) {
    auto* d = reinterpret_cast<FindData*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char title[128] = {};
    GetWindowTextA(h, title, sizeof(title));
    if (pid == d->pid && IsWindowVisible(h) && (d->cls.empty() || ClassOf(h) == d->cls) &&
        (d->title.empty() || d->title == title))
        d->found = h;
    return d->found == nullptr;
}

HWND FindTopLevel(DWORD pid, const std::string& cls, const std::string& title = "") {
    FindData d{pid, cls, title};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&d));
    return d.found;
}

// The entries of a list box or combo box, through the wide messages as above.
std::vector<std::string> Items(HWND control, UINT countMessage, UINT textMessage) {
    std::vector<std::string> items;
    LRESULT n = SendMessageW(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        wchar_t buffer[512] = {};
        SendMessageW(control, textMessage, i, reinterpret_cast<LPARAM>(buffer));
        items.push_back(ToUtf8(buffer));
    }
    return items;
}

} // namespace

MapwellProcess::~MapwellProcess() {
    if (Running()) Kill();
    if (pi_.hProcess) CloseHandle(pi_.hProcess);
    if (pi_.hThread) CloseHandle(pi_.hThread);
}

bool MapwellProcess::Start(const std::string& workingDir, const std::string& copy) {
    std::string exe = copy.empty() ? Env("MAPWELL_EXE") : copy;
    std::string line = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    return CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingDir.c_str(), &si, &pi_) != FALSE;
}

bool MapwellProcess::WaitForMainWindow(double seconds) {
    return WaitUntil(
               [&] {
                   main_ = FindTopLevel(pi_.dwProcessId, ids::kMainWindowClass);
                   return main_ != nullptr || !Running();
               },
               seconds) &&
           main_ != nullptr;
}

bool MapwellProcess::StartReady(const std::string& workingDir, const std::string& exe) {
    return Start(workingDir, exe) && WaitForMainWindow() &&
           WaitUntil([&] { return FocusedId() == ids::lstAvail; });
}

bool MapwellProcess::Running() const {
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

bool MapwellProcess::WaitForExit(double seconds) {
    return pi_.hProcess &&
           WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0;
}

void MapwellProcess::Kill() {
    TerminateProcess(pi_.hProcess, 1);
    WaitForSingleObject(pi_.hProcess, 5000);
}

std::string MapwellProcess::Caption() const {
    return WindowText(main_);
}

std::string MapwellProcess::Text(int id) const {
    return WindowText(control(id));
}

std::vector<std::string> MapwellProcess::ListItems(int id) const {
    return Items(control(id), LB_GETCOUNT, LB_GETTEXT);
}

int MapwellProcess::FocusedId() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(pi_.dwThreadId, &info) || !info.hwndFocus) return 0;
    HWND h = info.hwndFocus;
    // A combo box's edit or list child stands for the combo box.
    while (h && GetParent(h) && GetParent(h) != main_) h = GetParent(h);
    return h && GetParent(h) == main_ ? GetDlgCtrlID(h) : 0;
}

bool MapwellProcess::FindBox(MessageBoxInfo& box) const {
    HWND found = FindTopLevel(pi_.dwProcessId, "#32770");
    if (!found) return false;
    box = {};
    box.hwnd = found;
    box.title = WindowText(found);
    box.text = WindowText(GetDlgItem(found, 0xFFFF));
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND b = GetDlgItem(found, id);
        if (b && IsWindowVisible(b)) box.buttons.push_back(id);
    }
    return true;
}

HWND WaitForTopLevel(DWORD pid, const std::string& cls, const std::string& title) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopLevel(pid, cls, title)) != nullptr; });
    return found;
}

bool MapwellProcess::WaitForBox(MessageBoxInfo& box, double seconds) const {
    return WaitUntil([&] { return FindBox(box); }, seconds);
}

bool MapwellProcess::BringToFront() {
    SetForegroundWindow(main_);
    return WaitUntil([&] { return GetForegroundWindow() == main_; });
}

void MapwellProcess::Click(int id) {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control(id)));
}

void MapwellProcess::MenuCommand(int id) {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool MapwellProcess::SelectListItem(int id, const std::string& text) {
    return Pick(id, false, [&](const std::string& line) { return line == text; });
}

void MapwellProcess::PressKey(HWND target, UINT vk) {
    PostMessageA(target, WM_KEYDOWN, vk, 1);
    PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
}

void MapwellProcess::AnswerBox(const MessageBoxInfo& box, int buttonId) {
    PostMessageA(GetDlgItem(box.hwnd, buttonId), BM_CLICK, 0, 0);
}

void MapwellProcess::Screenshot(HWND window, const std::string& name) {
    std::string folder = Env("MAPWELL_SCREENSHOTS");
    if (folder.empty()) return;
    // A window that has just appeared may not have painted all of itself yet.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    GetWindowRect(window, &r);
    // Another process paints it: taken once two looks in a row agree.
    ScreenPixels p = CaptureRect(r), before;
    WaitUntil(
        [&] {
            before = std::move(p);
            p = CaptureRect(r);
            return p.colours == before.colours;
        },
        2);
    if (p.colours.empty()) return;
    BITMAPINFOHEADER bi{sizeof(bi), p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}; // top-down
    std::string pixels;
    for (COLORREF c : p.colours)
        pixels += {static_cast<char>(GetBValue(c)), static_cast<char>(GetGValue(c)),
                   static_cast<char>(GetRValue(c)), '\xFF'};
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi);
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(folder + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof(fh));
    out.write(reinterpret_cast<const char*>(&bi), sizeof(bi));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(std::filesystem::path(ToUtf16(path)), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(ToUtf16(path)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesW(ToUtf16(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string DataFolder() {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_DEFAULT, appData);
    return appData + std::string("\\Quillon Software\\Mapwell\\");
}
std::string StateFilePath() {
    return DataFolder() + "himem32.mwl";
}

std::string StartupFolder() {
    char buffer[MAX_PATH] = {};
    // Made again when a test has deleted it.
    SHGetFolderPathA(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_DEFAULT,
                     buffer);
    return buffer;
}

std::vector<std::string> DriveLetters() {
    std::vector<std::string> out;
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i)
        if (mask & (1u << i)) out.push_back(std::string(1, static_cast<char>('A' + i)) + ":");
    return out;
}

std::string Env(const char* name) {
    char buffer[1024] = {};
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
    return n && n < sizeof(buffer) ? buffer : "";
}

std::string MapwellProcess::Answer(const std::string& title, int buttonId,
                                   const std::string& shot) {
    MessageBoxInfo box;
    if (!WaitUntil([&] { return FindBox(box) && box.title == title; }, 20)) return "<none>";
    if (!shot.empty()) Screenshot(box.hwnd, shot);
    AnswerBox(box, buttonId);
    WaitUntil([&] { return !IsWindow(box.hwnd); });
    return box.text;
}

// Selects the first entry `matches` takes and tells the window, as a click
// does; false when there is none.
bool MapwellProcess::Pick(int id, bool combo,
                          const std::function<bool(const std::string&)>& matches) {
    HWND control = this->control(id);
    auto items = combo ? ComboItems(id) : ListItems(id);
    auto at = std::find_if(items.begin(), items.end(), matches);
    if (at == items.end()) return false;
    SendMessageA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, at - items.begin(), 0);
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
    return true;
}

bool MapwellProcess::OpenFolderLine(const std::string& name) {
    if (!Pick(ids::dirList, false,
              [&](const std::string& line) { return _stricmp(line.c_str(), name.c_str()) == 0; }))
        return false;
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(ids::dirList, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(control(ids::dirList)));
    return true;
}

bool MapwellProcess::OpenFolder(const std::string& path) {
    std::string root = path.substr(0, 3);
    std::string drive = std::string(1, static_cast<char>(tolower(path[0]))) + ":";
    if (_strnicmp(Text(ids::txtPath).c_str(), root.c_str(), 2) != 0 && !SelectDrive(drive))
        return false;
    if (!OpenFolderLine(root)) return false;
    if (!WaitUntil([&] { return _stricmp(Text(ids::txtPath).c_str(), root.c_str()) == 0; }))
        return false;
    std::string shown = root;
    size_t at = 3;
    while (at < path.size()) {
        size_t end = path.find('\\', at);
        if (end == std::string::npos) end = path.size();
        std::string name = path.substr(at, end - at);
        shown = shown.size() == 3 ? shown + name : shown + "\\" + name;
        if (!OpenFolderLine(name)) return false;
        std::string want = shown.size() > 66 ? "....." + shown.substr(shown.size() - 63) : shown;
        if (!WaitUntil([&] { return _stricmp(Text(ids::txtPath).c_str(), want.c_str()) == 0; }))
            return false;
        at = end + 1;
    }
    return true;
}

std::vector<std::string> MapwellProcess::ComboItems(int id) const {
    return Items(control(id), CB_GETCOUNT, CB_GETLBTEXT);
}

ScreenPixels CaptureRect(const RECT& r) {
    ScreenPixels p;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return p;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(bi.bmiHeader), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}; // top-down
    void* bits = nullptr;
    UniqueDc screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    UniqueDc memory(CreateCompatibleDC(screen.get()));
    UniqueGdi bitmap(CreateDIBSection(memory.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return p;
    HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, w, h, screen.get(), r.left, r.top, SRCCOPY);
    SelectObject(memory.get(), old);
    p.width = w;
    p.height = h;
    // The DIB holds blue, green, red; a COLORREF is red, green, blue.
    const auto* pixel = static_cast<const DWORD*>(bits);
    for (int i = 0; i < w * h; ++i)
        p.colours.push_back(RGB((pixel[i] >> 16) & 0xFF, (pixel[i] >> 8) & 0xFF, pixel[i] & 0xFF));
    return p;
}

ScreenPixels CaptureClient(HWND window) {
    RECT rc{};
    GetClientRect(window, &rc);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return CaptureRect(rc);
}

bool MapwellProcess::SelectDrive(const std::string& letterColon) {
    return Pick(ids::DrvList, true,
                [&](const std::string& line) { return line.compare(0, 2, letterColon) == 0; });
}

int RunAndWait(const std::string& commandLine, double seconds) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring line = ToUtf16(commandLine);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, static_cast<DWORD>(seconds * 1000)) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

std::string UnixPath(const std::string& windowsPath) {
    using ToUnix = char* (*)(const WCHAR*);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* path = toUnix ? toUnix(wide) : nullptr;
    std::string out = path ? path : "";
    if (path) HeapFree(GetProcessHeap(), 0, path);
    return out;
}

int RunUnixShell(const std::string& script, std::string& output, double seconds) {
    // Wine starts a Unix program but hands back no process to wait for: the
    // script writes its status last, into a file of its own.
    const std::string out = "C:\\unix-shell.txt", status = "C:\\unix-shell-status.txt";
    DeleteFileA(out.c_str());
    DeleteFileA(status.c_str());
    std::string line = "Z:\\bin\\sh -c \"{ " + script + "; } >'" + UnixPath(out) +
                       "' 2>&1; echo $? >'" + UnixPath(status) + ".part' && mv '" +
                       UnixPath(status) + ".part' '" + UnixPath(status) + "'\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
        return -1;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    bool ended = WaitUntil([&] { return FileExists(status); }, seconds);
    output = ReadFileBytes(out);
    return ended ? std::atoi(ReadFileBytes(status).c_str()) : -1;
}

void ReleaseStandInMappings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\MapwellBench\\Subst", 0, KEY_READ, &key))
        return;
    std::vector<std::string> letters;
    char name[16];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof(name);
        if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr)) break;
        letters.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string& l : letters) RunAndWait("subst.exe " + l.substr(0, 1) + ": /D");
}

std::vector<std::string> SubstLog() {
    std::string bytes = ReadFileBytes(Env("SUBST_STANDIN_LOG"));
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

void ClearSubstLog() {
    DeleteFileA(Env("SUBST_STANDIN_LOG").c_str());
}

int32_t StoredMask() {
    return MaskIn(ReadFileBytes(StateFilePath()));
}
