#include "ui/win32/controls_win.h"

#include "platform/win32/utf16.h"
#include "ui/win32/small_icons_win.h"

#include <commctrl.h>

#include <algorithm>

void Win32ListBox::AddItem(const std::string& text) {
    SendMessageW(h_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToUtf16(text).c_str()));
}

std::string Win32ListBox::List(int index) {
    LRESULT len = SendMessageW(h_, LB_GETTEXTLEN, index, 0);
    if (len == LB_ERR) return "";
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
    LRESULT got = SendMessageW(h_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return ToUtf8(text);
}

std::string WindowText(HWND h) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return ToUtf8(text);
}

std::string Win32Edit::Text() {
    return WindowText(h_);
}

void Win32Edit::SetText(const std::string& text) {
    SetWindowTextW(h_, ToUtf16(text).c_str());
}

void Win32FolderList::Attach(HWND h, HIMAGELIST images) {
    h_ = h;
    images_ = images;
}

void Win32FolderList::SetLines(const std::vector<FolderLine>& lines) {
    lines_ = lines;
    SendMessageW(h_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(h_, LB_RESETCONTENT, 0, 0);
    // The text is kept too, so readers (and screen readers) see each folder's name.
    for (const FolderLine& l : lines_)
        SendMessageW(h_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToUtf16(l.text).c_str()));
    SendMessageW(h_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h_, nullptr, TRUE);
}

void Win32FolderList::Draw(const DRAWITEMSTRUCT& item, int indentPx) const {
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= lines_.size()) return;
    const FolderLine& line = lines_[item.itemID];
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    FillRect(dc, &rc, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    int iconSize = GetSystemMetrics(SM_CXSMICON);
    int x = rc.left + 2 + line.indent * indentPx;
    int y = rc.top + (rc.bottom - rc.top - iconSize) / 2;
    ImageList_Draw(images_, line.open ? kOpenFolderImage : kClosedFolderImage, dc, x, y,
                   ILD_TRANSPARENT);
    RECT text = rc;
    text.left = x + iconSize + 4;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, ToUtf16(line.text).c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

void Win32DriveCombo::Attach(HWND h, HIMAGELIST images, int height) {
    h_ = h;
    images_ = images;
    // The closed list's height follows from its selection field's: set that
    // so the whole is as high as the layout says.
    RECT rc;
    GetWindowRect(h_, &rc);
    LRESULT field = SendMessageW(h_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (field != CB_ERR)
        SendMessageW(h_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     field + height - (rc.bottom - rc.top));
}

void Win32DriveCombo::SetLines(const std::vector<DriveLine>& lines) {
    if (lines == lines_) return;
    lines_ = lines;
    SendMessageW(h_, CB_RESETCONTENT, 0, 0);
    // The text is kept too, so readers (and screen readers) see each drive's name.
    for (const DriveLine& l : lines_) {
        LRESULT at =
            SendMessageW(h_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToUtf16(l.text).c_str()));
        SendMessageW(h_, CB_SETITEMDATA, at, static_cast<LPARAM>(l.icon));
    }
}

void Win32DriveCombo::Draw(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    FillRect(dc, &rc, GetSysColorBrush(COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= lines_.size()) return;
    // As a drive list draws a line: the icon, then the text, which alone is
    // highlighted when the line is selected.
    int iconSize = GetSystemMetrics(SM_CXSMICON);
    int x = rc.left + 2;
    ImageList_Draw(images_, static_cast<int>(item.itemData), dc, x,
                   rc.top + (rc.bottom - rc.top - GetSystemMetrics(SM_CYSMICON)) / 2,
                   ILD_TRANSPARENT);
    const std::wstring text = ToUtf16(lines_[item.itemID].text);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT mark{x + iconSize + 2, rc.top, std::min(x + iconSize + 6 + extent.cx, rc.right),
              rc.bottom};
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected) FillRect(dc, &mark, GetSysColorBrush(COLOR_HIGHLIGHT));
    RECT textRc = mark;
    textRc.left += 2;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, text.c_str(), -1, &textRc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &mark);
}
