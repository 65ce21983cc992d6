// Drives the real Mapwell.exe from another process, as a user would: finds
// its windows and controls by their shared ids, clicks, selects and types by
// posting messages (a modal box must never block the driver), and reads what
// the user sees. Every wait polls against a deadline.
#pragma once

#include "tests/state_file_bytes.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Polls `done` every 25 ms until it is true or `seconds` have passed.
bool WaitUntil(const std::function<bool()>& done, double seconds = 10);

// Waits for a visible top-level window of the process, by class and title ("": any).
HWND WaitForTopLevel(DWORD pid, const std::string& cls, const std::string& title = "");

struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::string title;
    std::string text;
    std::vector<int> buttons; // ids of the visible buttons (1 OK, 2 Cancel, 6 Yes, 7 No)
};

class MapwellProcess {
public:
    ~MapwellProcess();
    // Starts Mapwell.exe (path from MAPWELL_EXE, unless `exe` names another
    // copy) in `workingDir`.
    bool Start(const std::string& workingDir = "C:\\", const std::string& exe = "");
    // Waits for the main window to be shown; false on time-out or exit.
    bool WaitForMainWindow(double seconds = 20);
    // Starts it and waits until the window is ready for a letter: shown, the
    // focus in the list of free letters.
    bool StartReady(const std::string& workingDir = "C:\\", const std::string& exe = "");
    bool WaitForExit(double seconds = 10);
    bool Running() const;
    void Kill();

    HWND main() const { return main_; }
    HWND control(int id) const { return GetDlgItem(main_, id); }
    DWORD pid() const { return pi_.dwProcessId; }
    DWORD threadId() const { return pi_.dwThreadId; } // the UI thread

    // --- reading ---
    std::string Caption() const;
    std::vector<std::string> ListItems(int id) const;
    std::string Text(int id) const;
    // The control of Mapwell's window that has the keyboard focus (0: none).
    int FocusedId() const;
    // The topmost message box (or other dialog) of the process, if any.
    bool FindBox(MessageBoxInfo& box) const;
    // Waits for a box to appear.
    bool WaitForBox(MessageBoxInfo& box, double seconds = 10) const;

    // --- acting ---
    // Makes the main window the foreground window, where real keys go.
    bool BringToFront();
    void Click(int id);
    void MenuCommand(int id);
    // Selects the list entry with this text and tells the window, as a click does.
    bool SelectListItem(int id, const std::string& text);
    void PressKey(HWND target, UINT vk);
    void AnswerBox(const MessageBoxInfo& box, int buttonId);
    // Waits for a box with this title, answers it, and waits for it to go.
    // Returns its text ("<none>" when it never came).
    std::string Answer(const std::string& title, int buttonId, const std::string& shot = "");
    // Opens a folder of the folder list by double-clicking its line.
    bool OpenFolderLine(const std::string& name);
    // Opens a folder by its full path (C:), line by line from the root.
    bool OpenFolder(const std::string& path);
    // Picks a drive ("f:") in the drive list.
    bool SelectDrive(const std::string& letterColon);
    std::vector<std::string> ComboItems(int id) const;
    // Saves a picture of a window to build/screenshots/NAME.bmp.
    static void Screenshot(HWND window, const std::string& name);

private:
    bool Pick(int id, bool combo, const std::function<bool(const std::string&)>& matches);
    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
};

// What the screen shows of a window's client area, row by row from the top.
struct ScreenPixels {
    int width = 0, height = 0;
    std::vector<COLORREF> colours;
    COLORREF at(int x, int y) const { return colours[static_cast<size_t>(y) * width + x]; }
};
ScreenPixels CaptureRect(const RECT& onScreen); // top row first
ScreenPixels CaptureClient(HWND window);

// Helpers on the prefix's files; paths and command lines are UTF-8.
std::string ReadFileBytes(const std::string& path);
[[nodiscard]] bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
std::string DataFolder(); // ...\Quillon Software\Mapwell\ (with the backslash)
std::string StateFilePath();
std::string StartupFolder();
// The letters A..Z that have a drive now ("C:", "D:" ...), as GetLogicalDrives says.
std::vector<std::string> DriveLetters();
std::string Env(const char* name);
// Runs a command line to its end; returns its exit code (-1: not started).
int RunAndWait(const std::string& commandLine, double seconds = 20);
// Runs a shell script on the Unix side of Wine (mount, umount) to its end;
// returns its exit status (-1: it did not end) and leaves what it printed in
// `output`. The script must not hold a double quote.
int RunUnixShell(const std::string& script, std::string& output, double seconds = 20);
// The Unix path Wine keeps a Windows path at.
std::string UnixPath(const std::string& windowsPath);
// Releases every mapping the subst stand-in made.
void ReleaseStandInMappings();
// The stand-in's log of command lines, and clearing it.
std::vector<std::string> SubstLog();
void ClearSubstLog();
// The mask in the state file.
int32_t StoredMask();
