#include "ui/win32/button_caption_win.h"

#include "platform/win32/handles.h"

#include <algorithm>

namespace {

constexpr UINT kLayout = DT_CENTER | DT_WORDBREAK; // as push buttons lay out

// Where the caption goes: inside the 2-pixel frame and the 1-pixel ring the
// focus rectangle takes.
RECT CaptionBox(RECT client) {
    InflateRect(&client, -(GetSystemMetrics(SM_CXEDGE) + 1), -(GetSystemMetrics(SM_CYEDGE) + 1));
    return client;
}

// The size of the caption's lines broken at words to the box's width; a
// word wider than the box makes it wider.
SIZE Laid(HDC dc, const std::wstring& caption, const RECT& box, UINT flags) {
    RECT rc{0, 0, box.right - box.left, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rc,
              kLayout | flags | DT_CALCRECT);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

} // namespace

bool CaptionFits(HDC dc, HFONT font, const std::wstring& caption, SIZE client) {
    RECT box = CaptionBox({0, 0, client.cx, client.cy});
    SelectedObject selected(dc, font);
    SIZE laid = Laid(dc, caption, box, 0);
    return laid.cx <= box.right - box.left && laid.cy <= box.bottom - box.top;
}

LRESULT DrawButtonCaption(const NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage != CDDS_PREPAINT) return CDRF_DODEFAULT;
    HWND button = draw.hdr.hwndFrom;
    std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(button)) + 1, L'\0');
    caption.resize(static_cast<size_t>(
        GetWindowTextW(button, caption.data(), static_cast<int>(caption.size()))));
    // Access keys and the focus rectangle show as the keyboard cues say.
    auto cues = static_cast<UINT>(SendMessageW(button, WM_QUERYUISTATE, 0, 0));
    UINT flags = (cues & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;

    HDC dc = draw.hdc;
    SavedDc saved(dc);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc,
                 GetSysColor((draw.uItemState & CDIS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    // Centred across and down the box; a caption too tall is cut at its foot.
    RECT box = CaptionBox(draw.rc);
    RECT text = box;
    text.top += std::max(0L, (box.bottom - box.top - Laid(dc, caption, box, flags).cy) / 2);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, kLayout | flags);
    if ((draw.uItemState & CDIS_FOCUS) && !(cues & UISF_HIDEFOCUS)) {
        RECT focus = draw.rc;
        InflateRect(&focus, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        DrawFocusRect(dc, &focus);
    }
    return CDRF_SKIPDEFAULT;
}
