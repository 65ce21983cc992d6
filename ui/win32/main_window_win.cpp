#include "ui/win32/main_window_win.h"

#include "app/startup_steps.h"
#include "platform/win32/utf16.h"
#include "ui/control_ids.h"
#include "ui/layout.h"
#include "ui/win32/about_win.h"
#include "ui/win32/button_caption_win.h"
#include "ui/win32/fonts_win.h"
#include "ui/win32/input_box_win.h"
#include "ui/win32/small_icons_win.h"

#include <commctrl.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// The letter lists are narrow columns: every one of the 26 letters must fit
// without a scroll bar, which would leave no room for the letters.
void FitAllLetters(HWND list) {
    RECT rc;
    GetClientRect(list, &rc);
    LRESULT natural = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    LRESULT fit = (rc.bottom - rc.top) / 26;
    if (natural != LB_ERR && fit < natural) SendMessageW(list, LB_SETITEMHEIGHT, 0, fit);
}

// One of the window's push buttons (tool tips send custom draws too).
bool IsButton(HWND control) {
    wchar_t cls[16] = {};
    GetClassNameW(control, cls, static_cast<int>(std::size(cls)));
    return lstrcmpiW(cls, L"Button") == 0;
}

} // namespace

template <class F> void Win32MainWindow::Guard(F f) {
    if (ended_ || !form_) return;
    try {
        f();
    } catch (const std::exception& e) {
        MessageBoxW(hwnd_, ToUtf16(e.what()).c_str(), ToUtf16(kAppTitle).c_str(),
                    MB_OK | MB_ICONSTOP);
        SetMousePointer(kPointerDefault);
    }
}

bool Win32MainWindow::Create(HINSTANCE instance) {
    const std::wstring className = ToUtf16(ids::kMainWindowClass);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    {
        StartupStep step("icons");
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0));
    }
    StartupStep step("main window");
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = className.c_str();
    if (!RegisterClassExW(&wc)) return false;

    dpi_ = GetDeviceCaps(ScreenDC(), LOGPIXELSX);

    RECT rc{0, 0, Px(kClientWidthTwips), Px(kClientHeightTwips)};
    AdjustWindowRectEx(&rc, kStyle, TRUE, kExStyle);
    // Given the menu bar as it is made, rather than by SetMenu after, the
    // window lays out its frame once.
    HMENU bar = CreateMenus();
    hwnd_ = CreateWindowExW(kExStyle, className.c_str(), ToUtf16(kAppTitle).c_str(), kStyle,
                            CW_USEDEFAULT, CW_USEDEFAULT, rc.right - rc.left, rc.bottom - rc.top,
                            nullptr, bar, instance, this);
    if (!hwnd_) {
        DestroyMenu(bar);
        return false;
    }
    CreateControls(instance);
    return true;
}

HMENU Win32MainWindow::CreateMenus() {
    StartupStep step("menu bar");
    HMENU bar = CreateMenu();
    const std::span<const MenuDef> menu = MainMenu();
    for (size_t i = 0; i < menu.size(); ++i) {
        const MenuDef& m = menu[i];
        if (m.level != 0) continue;
        const std::wstring caption = ToUtf16(m.caption);
        if (m.id != 0) {
            AppendMenuW(bar, MF_STRING, m.id, caption.c_str());
            continue;
        }
        // Only the bar shows at first: a drop-down gets its items when it
        // first opens (FillPopup).
        HMENU popup = CreatePopupMenu();
        popups_.push_back({popup, i + 1, false});
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), caption.c_str());
    }
    return bar;
}

void Win32MainWindow::FillPopup(HMENU menu) {
    const std::span<const MenuDef> items = MainMenu();
    for (Popup& p : popups_) {
        if (p.menu != menu || p.filled) continue;
        p.filled = true;
        for (size_t i = p.first; i < items.size() && items[i].level == 1; ++i) {
            const MenuDef& m = items[i];
            std::wstring caption = ToUtf16(m.caption);
            if (m.shortcut) caption += L"\t" + ToUtf16(m.shortcut);
            if (caption == L"-")
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            else
                AppendMenuW(menu, MF_STRING, m.id, caption.c_str());
        }
    }
}

HACCEL Win32MainWindow::accelerators() {
    if (accel_) return accel_;
    std::vector<ACCEL> accels;
    for (const MenuDef& m : MainMenu())
        if (m.shortcut && std::string(m.shortcut) == "F1")
            accels.push_back({FVIRTKEY, VK_F1, static_cast<WORD>(m.id)});
    accel_ = CreateAcceleratorTableW(accels.data(), static_cast<int>(accels.size()));
    return accel_;
}

void Win32MainWindow::CreateToolTips() {
    StartupStep step("tool tips");
    tipsMade_ = true;
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                0, 0, 0, 0, hwnd_, nullptr, instance, nullptr);
    for (const ControlDef& c : MainControls()) {
        if (!c.toolTip) continue;
        // Registered on the window the mouse goes to: each control itself
        // (the drive list is a drop-down list, with no child of its own).
        // The tool tip keeps its own copy of the text.
        std::wstring tip = ToUtf16(c.toolTip);
        TOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = hwnd_;
        ti.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd_, c.id));
        ti.lpszText = tip.data();
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

HFONT Win32MainWindow::FontFor(HDC dc, const ControlDef& c) {
    StartupStep step("fonts, caption fits");
    // The sizes the layout asks for: 8-point dialog font, 9.75-point sans serif.
    const int dialogEm = MulDiv(8, dpi_, 72), sansEm = MulDiv(975, dpi_, 7200);
    const int least = MulDiv(6, dpi_, 72);
    const SIZE size{Px(c.width), Px(c.height)};
    switch (c.font) {
    case ControlFont::SansBold: {
        // A letter list shows all 26 rows without a scroll bar, which would
        // leave no room for the letters; each row shows its letter whole.
        // Both lists are as high: the size is found once.
        if (listEm_) return boldFonts_.Get(listEm_);
        int row = (size.cy - 2 * GetSystemMetrics(SM_CYEDGE)) / 26;
        listEm_ = LargestFitting(sansEm, least,
                                 [&](int em) { return LineFits(dc, boldFonts_.Get(em), row); });
        return boldFonts_.Get(listEm_);
    }
    case ControlFont::Sans:
        return sansFonts_.Get(LargestFitting(sansEm, least, [&](int em) {
            return LabelFits(dc, sansFonts_.Get(em), c.caption, size,
                             c.kind == ControlKind::LabelRight ? DT_RIGHT : DT_LEFT);
        }));
    case ControlFont::Default:
        if (c.kind != ControlKind::Button) return dialogFonts_.Get(dialogEm);
        // The buttons look alike: one size for all, the largest at which
        // every caption shows whole, found with the first button.
        if (buttonEm_) return dialogFonts_.Get(buttonEm_);
        int em = dialogEm;
        for (const ControlDef& b : MainControls()) {
            if (b.kind != ControlKind::Button) continue;
            const std::wstring caption = ToUtf16(b.caption);
            const SIZE client{Px(b.width), Px(b.height)};
            em = LargestFitting(em, least, [&](int e) {
                return CaptionFits(dc, dialogFonts_.Get(e), caption, client);
            });
        }
        buttonEm_ = em;
        return dialogFonts_.Get(em);
    }
    return dialogFonts_.Get(dialogEm);
}

void Win32MainWindow::CreateControls(HINSTANCE instance) {
    StartupStep controls("controls");
    ScreenDC dc; // where the captions are measured
    {
        StartupStep step("icons");
        smallIcons_ = LoadSmallIcons(instance);
    }
    // The table is in tab order already; creating in that order sets it.
    for (const ControlDef& c : MainControls()) {
        const wchar_t* cls = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD ex = 0;
        int height = Px(c.height);
        switch (c.kind) {
        case ControlKind::ListBox:
            cls = L"LISTBOX";
            style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
            ex = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::TextBox:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL;
            ex = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::DriveList:
            // Owner-drawn rather than a ComboBoxEx, which is a window more and
            // under Wine took about as long to make as the other eleven
            // controls together; a tool tip on it never showed either.
            cls = L"COMBOBOX";
            style |=
                WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
            height = Px(c.height) * 10; // the drop-down's height
            break;
        case ControlKind::FolderList:
            cls = L"LISTBOX";
            style |= WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                     LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
            ex = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Button:
            cls = L"BUTTON";
            style |= WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE;
            break;
        case ControlKind::Label:
            break;
        case ControlKind::LabelRight:
            style |= SS_RIGHT;
            break;
        }
        HWND h = CreateWindowExW(
            ex, cls, ToUtf16(c.caption).c_str(), style, Px(c.left), Px(c.top), Px(c.width), height,
            hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(dc, c)), FALSE);
        switch (c.id) {
        case ids::lstAvail:
            avail_.Attach(h);
            focus_.Attach(hwnd_, h);
            FitAllLetters(h);
            break;
        case ids::lstUsedLtrs:
            used_.Attach(h);
            FitAllLetters(h);
            break;
        case ids::txtPath:
            path_.Attach(h);
            break;
        case ids::cmdOk:
            ok_.Attach(h);
            break;
        case ids::cmdDefault:
            permanent_.Attach(h);
            break;
        case ids::cmdCancel:
            exit_.Attach(h);
            break;
        case ids::cmdRemove:
            remove_.Attach(h);
            break;
        case ids::DrvList:
            drives_.Attach(h, smallIcons_.get(), Px(c.height));
            break;
        case ids::dirList:
            folders_.Attach(h, smallIcons_.get());
            SetWindowSubclass(h, FolderListProc, 0, reinterpret_cast<DWORD_PTR>(this));
            break;
        }
    }
}

void Win32MainWindow::Show() {
    {
        StartupStep step("show");
        ShowWindow(hwnd_, SW_SHOW);
    }
    StartupStep step("paint");
    UpdateWindow(hwnd_);
}

LRESULT CALLBACK Win32MainWindow::WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<Win32MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = h;
        SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!self) return DefWindowProcW(h, msg, wp, lp);
    return self->OnMessage(msg, wp, lp);
}

LRESULT Win32MainWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if (header->code == NM_CUSTOMDRAW && IsButton(header->hwndFrom))
            return DrawButtonCaption(*reinterpret_cast<NMCUSTOMDRAW*>(lp));
        break;
    }
    case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        mi->itemHeight = static_cast<UINT>(GetSystemMetrics(SM_CYSMICON) + 2);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (di->CtlID == static_cast<UINT>(ids::dirList)) folders_.Draw(*di, Px(150));
        if (di->CtlID == static_cast<UINT>(ids::DrvList)) drives_.Draw(*di);
        return TRUE;
    }
    case WM_CTLCOLORLISTBOX: {
        auto list = reinterpret_cast<HWND>(lp);
        if (list == avail_.hwnd() || list == used_.hwnd()) {
            auto dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, GetSysColor(COLOR_INFOBK));
            SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
        }
        break;
    }
    case WM_INITMENUPOPUP:
        FillPopup(reinterpret_cast<HMENU>(wp));
        break;
    case WM_SETCURSOR:
        // A tool tip shows only under the pointer: the tips are made when the
        // pointer first comes over the window, not before it is first shown.
        // The mouse message that brought this reaches the control after it,
        // so the tip sees the pointer arrive.
        if (!tipsMade_) CreateToolTips();
        if (pointer_ == kPointerHourglass || screenPointer_ == kPointerHourglass) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_NCACTIVATE:
        // Shown for the first time, the window is activated before its frame
        // is first painted: drawing the frame and menu bar for the activation
        // too would draw them twice. -1: the state changes, nothing is drawn.
        if (!framePainted_) return DefWindowProcW(hwnd_, msg, wp, -1);
        break;
    case WM_NCPAINT:
        framePainted_ = true;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE)
            focus_.Save();
        else if (!HIWORD(wp)) // not while minimised
            focus_.Restore();
        return 0;
    case WM_SETFOCUS:
        // The frame takes no keys itself: the focus goes on to a control.
        focus_.Restore();
        return 0;
    case WM_CLOSE:
        // Closing from the title bar ends the program; no handler runs for it.
        EndProgram();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

void Win32MainWindow::OnCommand(int id, int code, HWND control) {
    if (!control) {
        // Menus, accelerators, and Esc (IDCANCEL) from the dialog manager.
        if (id == ids::cmdCancel)
            Guard([&] { RunControlEvent(*form_, id, ControlEvent::Click, -1); });
        else
            Guard([&] { RunMenuCommand(*form_, id); });
        return;
    }
    if (id == ids::DrvList) {
        if (code == CBN_SELCHANGE) {
            int line = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
            Guard([&] { RunControlEvent(*form_, id, ControlEvent::Click, line); });
        }
        return;
    }
    bool isList = id == ids::lstAvail || id == ids::lstUsedLtrs || id == ids::dirList;
    ControlEvent event;
    if (isList && code == LBN_SELCHANGE)
        event = ControlEvent::Click;
    else if (isList && code == LBN_DBLCLK)
        event = ControlEvent::DblClick;
    else if (!isList && code == BN_CLICKED)
        event = ControlEvent::Click;
    else
        return;
    int line = isList ? static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0)) : -1;
    Guard([&] { RunControlEvent(*form_, id, event, line); });
}

LRESULT CALLBACK Win32MainWindow::FolderListProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                                 DWORD_PTR data) {
    auto* self = reinterpret_cast<Win32MainWindow*>(data);
    switch (msg) {
    case WM_GETDLGCODE:
        // Enter opens the highlighted folder instead of going to the dialog manager.
        if (lp && reinterpret_cast<MSG*>(lp)->message == WM_KEYDOWN &&
            reinterpret_cast<MSG*>(lp)->wParam == VK_RETURN)
            return DLGC_WANTMESSAGE;
        break;
    case WM_CHAR:
        self->Guard([&] { self->form_->dirList_KeyPress(static_cast<int>(wp)); });
        if (wp == VK_RETURN) return 0;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: // a second press soon after the first is a press all the same
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
        int button = msg == WM_LBUTTONDOWN                              ? 1
                     : msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK ? 2
                                                                        : 4;
        int shift = ((wp & MK_SHIFT) ? 1 : 0) | ((wp & MK_CONTROL) ? 2 : 0) |
                    ((GetKeyState(VK_MENU) < 0) ? 4 : 0);
        if (button == 1) DefSubclassProc(h, msg, wp, lp); // highlight first, as a click does
        self->Guard([&] {
            self->form_->dirList_MouseDown(button, shift, static_cast<short>(LOWORD(lp)),
                                           static_cast<short>(HIWORD(lp)));
        });
        return 0;
    }
    }
    return DefSubclassProc(h, msg, wp, lp);
}

std::string Win32MainWindow::Caption() {
    return WindowText(hwnd_);
}

void Win32MainWindow::SetCaption(const std::string& caption) {
    SetWindowTextW(hwnd_, ToUtf16(caption).c_str());
}

void Win32MainWindow::ApplyPointer() {
    bool busy = pointer_ == kPointerHourglass || screenPointer_ == kPointerHourglass;
    // The handler that set it keeps the thread busy, so WM_SETCURSOR will not
    // come: show it now.
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32MainWindow::SetMousePointer(int pointer) {
    pointer_ = pointer;
    ApplyPointer();
}

void Win32MainWindow::SetScreenPointer(int pointer) {
    screenPointer_ = pointer;
    ApplyPointer();
}

TwipsRect Win32MainWindow::Bounds() {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return {Twips(r.left), Twips(r.top), Twips(r.right - r.left), Twips(r.bottom - r.top)};
}

void Win32MainWindow::SetBounds(const TwipsRect& r) {
    // Never cut off the bottom of the client area, whatever the frame's metrics.
    RECT need{0, 0, Px(kClientWidthTwips), Px(kClientHeightTwips)};
    AdjustWindowRectEx(&need, kStyle, TRUE, kExStyle);
    int height = std::max(Px(r.height), static_cast<int>(need.bottom - need.top));
    MoveWindow(hwnd_, Px(r.left), Px(r.top), Px(r.width), height, TRUE);
}

int Win32MainWindow::ScreenWidth() {
    return Twips(GetSystemMetrics(SM_CXSCREEN));
}
int Win32MainWindow::ScreenHeight() {
    return Twips(GetSystemMetrics(SM_CYSCREEN));
}

void Win32MainWindow::DiscardInput() {
    // Removing them from the queue is all it takes: nothing is dispatched.
    // The non-client range holds the title bar's and menu bar's clicks.
    MSG msg;
    for (auto [first, last] : {std::pair<UINT, UINT>{WM_KEYFIRST, WM_KEYLAST},
                               {WM_MOUSEFIRST, WM_MOUSELAST},
                               {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}})
        while (PeekMessageW(&msg, nullptr, first, last, PM_REMOVE | PM_NOYIELD)) {
        }
}

void Win32MainWindow::EndProgram() {
    ended_ = true;
    DestroyWindow(hwnd_);
}

int Win32MainWindow::MsgBox(const std::string& text, int flags, const std::string& title) {
    // Before the window is shown (start-up), a box stands on its own.
    HWND owner = IsWindowVisible(hwnd_) ? hwnd_ : nullptr;
    return MessageBoxW(owner, ToUtf16(text).c_str(), ToUtf16(title).c_str(),
                       static_cast<UINT>(flags));
}

std::string Win32MainWindow::InputBox(const std::string& prompt, const std::string& title) {
    return ShowInputBox(hwnd_, prompt, title);
}

void Win32MainWindow::ShowAbout(const AboutTexts& texts) {
    ShowAboutBox(hwnd_, texts);
}
