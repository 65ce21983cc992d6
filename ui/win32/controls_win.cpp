#include "ui/win32/controls_win.h"

#include "ui/win32/small_icons_win.h"

#include <commctrl.h>

std::string Win32ListBox::List(int index) {
    LRESULT len = SendMessageA(h_, LB_GETTEXTLEN, index, 0);
    if (len == LB_ERR) return "";
    std::string text(static_cast<size_t>(len) + 1, '\0');
    LRESULT got = SendMessageA(h_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return text;
}

std::string Win32Edit::Text() {
    int len = GetWindowTextLengthA(h_);
    std::string text(static_cast<size_t>(len) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(h_, text.data(), len + 1)));
    return text;
}

void Win32FolderList::Attach(HWND h, HIMAGELIST images) {
    h_ = h;
    images_ = images;
}

void Win32FolderList::SetLines(const std::vector<FolderLine>& lines) {
    lines_ = lines;
    SendMessageA(h_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(h_, LB_RESETCONTENT, 0, 0);
    // The text is kept too, so readers (and screen readers) see each folder's name.
    for (const FolderLine& l : lines_)
        SendMessageA(h_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l.text.c_str()));
    SendMessageA(h_, WM_SETREDRAW, TRUE, 0);
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
    DrawTextA(dc, line.text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &rc);
}

void Win32DriveCombo::Attach(HWND h, HIMAGELIST images) {
    h_ = h;
    SendMessageA(h_, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
}

void Win32DriveCombo::SetLines(const std::vector<DriveLine>& lines) {
    if (lines == lines_) return;
    lines_ = lines;
    SendMessageA(h_, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < lines_.size(); ++i) {
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = static_cast<INT_PTR>(i);
        item.pszText = const_cast<char*>(lines_[i].text.c_str());
        item.iImage = item.iSelectedImage = static_cast<int>(lines_[i].icon);
        SendMessageA(h_, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}
