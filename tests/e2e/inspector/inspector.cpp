// A test-only DLL that the end-to-end driver hooks into Mapwell's UI thread
// (SetWindowsHookEx with WH_GETMESSAGE), to read what only Mapwell's own
// process can: a tool tip's text, and later fonts and text extents. Mapwell.exe
// itself carries no test code.
//
// A query is one line, "VERB ARGS...", answered in text. To add one, write a
// function and name it in kQueries.
#include "platform/win32/handles.h"
#include "protocol.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <map>
#include <memory>
#include <sstream>

namespace {

using Query = std::string (*)(HWND main, std::istringstream& args);

// The id of the main window's control that `h` is, or lies inside (a combo
// box's list, a ComboBoxEx's combo box).
int ControlId(HWND main, HWND h) {
    while (h && GetParent(h) && GetParent(h) != main) h = GetParent(h);
    return h && GetParent(h) == main ? GetDlgCtrlID(h) : 0;
}

BOOL CALLBACK FindShownTip(HWND h, LPARAM lp) {
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof(cls));
    if (lstrcmpiA(cls, TOOLTIPS_CLASSA) != 0 || !IsWindowVisible(h)) return TRUE;
    *reinterpret_cast<HWND*>(lp) = h;
    return FALSE;
}

// "tip": the tool tip now shown: the id of its control, a tab, its text.
std::string ShownTip(HWND main, std::istringstream&) {
    HWND tip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownTip, reinterpret_cast<LPARAM>(&tip));
    if (!tip) return "none";
    char text[1024] = {};
    TTTOOLINFOA ti{};
    ti.cbSize = sizeof(ti);
    ti.lpszText = text;
    if (!SendMessageA(tip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&ti))) return "none";
    ti.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&ti));
    HWND tool = (ti.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(ti.uId) : ti.hwnd;
    return std::to_string(ControlId(main, tool)) + "\t" + text;
}

// "version": what GetVersionEx tells Mapwell: platform id, major.minor.
std::string Version(HWND, std::istringstream&) {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof(v);
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)
#endif
    GetVersionExA(&v);
    return std::to_string(v.dwPlatformId) + " " + std::to_string(v.dwMajorVersion) + "." +
           std::to_string(v.dwMinorVersion);
}

// The size `text` takes in `font`, laid out `width` pixels wide with `flags`.
SIZE Extent(HFONT font, const std::string& text, int width, UINT flags) {
    ScreenDC dc;
    SelectedObject selected(dc, font);
    RECT rc{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &rc, flags | DT_CALCRECT);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

int LineHeight(HFONT font) {
    ScreenDC dc;
    SelectedObject selected(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    return tm.tmHeight;
}

std::string Verdict(bool fits, const std::string& what) {
    return fits ? "ok" : "CUT " + what;
}

// Whether the text of one control shows whole, measured with its own font
// in the rectangle it draws in.
std::string TextFit(HWND h) {
    auto font = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
    char cls[64] = {}, text[256] = {};
    GetClassNameA(h, cls, sizeof(cls));
    GetWindowTextA(h, text, sizeof(text));
    RECT rc;
    GetClientRect(h, &rc);
    const int w = rc.right, ht = rc.bottom;
    LONG style = GetWindowLongA(h, GWL_STYLE);
    if (lstrcmpiA(cls, "Static") == 0) {
        SIZE laid = Extent(font, text, w, DT_WORDBREAK | ((style & SS_RIGHT) ? DT_RIGHT : 0));
        return Verdict(laid.cx <= w && laid.cy <= ht,
                       std::to_string(laid.cx) + "x" + std::to_string(laid.cy) + " in " +
                           std::to_string(w) + "x" + std::to_string(ht));
    }
    if (lstrcmpiA(cls, "ListBox") == 0) {
        auto row = static_cast<int>(SendMessageA(h, LB_GETITEMHEIGHT, 0, 0));
        auto count = static_cast<int>(SendMessageA(h, LB_GETCOUNT, 0, 0));
        int widest = 0;
        for (int i = 0; i < count; ++i) {
            char item[256] = {};
            SendMessageA(h, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
            widest = std::max<int>(widest, Extent(font, item, 10000, DT_SINGLELINE).cx);
        }
        // The letter lists hold all 26 letters without scrolling.
        bool letters = !(style & LBS_OWNERDRAWFIXED);
        bool fits = LineHeight(font) <= row && (!letters || (26 * row <= ht && widest <= w));
        return Verdict(fits, "rows " + std::to_string(row) + " for a line of " +
                                 std::to_string(LineHeight(font)) + ", widest " +
                                 std::to_string(widest) + " in " + std::to_string(w));
    }
    if (lstrcmpiA(cls, "ComboBox") == 0) {
        auto row = static_cast<int>(SendMessageA(h, CB_GETITEMHEIGHT, 0, 0));
        return Verdict(LineHeight(font) <= row, "rows " + std::to_string(row));
    }
    return Verdict(LineHeight(font) <= ht,
                   "a line of " + std::to_string(LineHeight(font)) + " in " + std::to_string(ht));
}

// "fit": for every control of the main window but the push buttons (the
// test reads what they draw from the screen), "ID ok" or "ID CUT how", one a
// line.
std::string Fit(HWND main, std::istringstream&) {
    std::string lines;
    for (HWND h = GetWindow(main, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        char cls[16] = {};
        GetClassNameA(h, cls, sizeof(cls));
        if (IsWindowVisible(h) && lstrcmpiA(cls, "Button") != 0)
            lines += std::to_string(GetDlgCtrlID(h)) + " " + TextFit(h) + "\n";
    }
    return lines;
}

const std::map<std::string, Query> kQueries = {
    {"tip", ShownTip},
    {"version", Version},
    {"fit", Fit},
};

std::string Run(HWND main, const std::string& request) {
    std::istringstream args(request);
    std::string verb;
    args >> verb;
    auto query = kQueries.find(verb);
    if (query == kQueries.end()) return "error: no query " + verb;
    return query->second(main, args);
}

void Answer(HWND target, LONG serial) {
    UniqueKernel mapping(OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE,
                                          inspector::MappingName(GetCurrentProcessId()).c_str()));
    if (!mapping) return;
    std::unique_ptr<inspector::Shared, BOOL(WINAPI*)(LPCVOID)> shared(
        static_cast<inspector::Shared*>(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0)),
        UnmapViewOfFile);
    if (!shared) return;
    std::string answer;
    try {
        answer = Run(GetAncestor(target, GA_ROOT), shared->request);
    } catch (const std::exception& e) {
        answer = std::string("error: ") + e.what();
    }
    lstrcpynA(shared->answer, answer.c_str(), sizeof(shared->answer));
    InterlockedExchange(&shared->answered, serial);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    InspectorGetMessageHook(int code, WPARAM wp, LPARAM lp) {
    static const UINT query = RegisterWindowMessageA(inspector::kQueryMessage);
    auto* msg = reinterpret_cast<MSG*>(lp);
    // Answered once, when the message is taken off the queue; Mapwell's window
    // then sees a WM_NULL.
    if (code == HC_ACTION && wp == PM_REMOVE && msg->message == query) {
        Answer(msg->hwnd, static_cast<LONG>(msg->wParam));
        msg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}
