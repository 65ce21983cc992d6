// Stands where a system program or library must never be taken from: beside
// Mapwell.exe, or in its current folder. Should it ever run, it leaves a mark
// for the end-to-end tests to find.
#include <windows.h>

#include <string>

namespace {

void Mark(const char* what) {
    HANDLE f = CreateFileA("C:\\planted-ran.txt", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    std::string line = std::string(what) + ": " + GetCommandLineA() + "\r\n";
    DWORD written = 0;
    WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(f);
}

} // namespace

#ifdef PLANTED_LIBRARY
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) Mark("planted library loaded");
    return TRUE;
}
#else
int main() {
    Mark("planted program ran");
    return 0;
}
#endif
