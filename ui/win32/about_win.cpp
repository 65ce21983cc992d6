#include "ui/win32/about_win.h"

#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"
#include "ui/win32/resource_ids.h"

#include <string>

namespace {

struct AboutState {
    const AboutTexts* texts;
    UniqueGdi titleFont, textFont;
};

HFONT Font(HWND dialog, const wchar_t* face, int points, bool bold) {
    HDC dc = GetDC(dialog);
    int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(dialog, dc);
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face);
}

void SetText(HWND dialog, int id, const std::string& utf8, HGDIOBJ font) {
    HWND item = GetDlgItem(dialog, id);
    SetWindowTextW(item, ToUtf16(utf8).c_str());
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<AboutState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<AboutState*>(lp);
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        const AboutTexts& t = *state->texts;
        state->titleFont.reset(Font(dialog, L"Verdana", 14, true));
        state->textFont.reset(Font(dialog, L"Arial", 9, false));
        SetWindowTextW(dialog, ToUtf16(t.caption).c_str());
        SetText(dialog, IDC_ABOUT_TITLE, t.title, state->titleFont.get());
        SetText(dialog, IDC_ABOUT_VERSION, t.version, state->textFont.get());
        SetText(dialog, IDC_ABOUT_DISCLAIMER, t.disclaimer, state->textFont.get());
        SetText(dialog, IDC_ABOUT_DESCRIPTION, t.description, state->textFont.get());
        HICON icon =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MAPWELL),
                                          IMAGE_ICON, 48, 48, LR_SHARED));
        SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wp));
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

void ShowAboutBox(HWND owner, const AboutTexts& texts) {
    AboutState state{&texts, {}, {}};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), owner, AboutProc,
                    reinterpret_cast<LPARAM>(&state));
}
