#include "ui/win32/fonts_win.h"

#include "platform/win32/utf16.h"

namespace {

// The text's size when laid out `width` pixels wide.
SIZE Measure(HDC dc, const char* text, int width, UINT flags) {
    RECT rc{0, 0, width, 0};
    DrawTextW(dc, ToUtf16(text).c_str(), -1, &rc, flags | DT_CALCRECT);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

} // namespace

HFONT CreateDialogFont(int em) {
    return CreateFontW(-em, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg 2");
}

HFONT CreateSansFont(int em, bool bold) {
    return CreateFontW(-em, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

HFONT FontSizes::Get(int em) {
    UniqueGdi& font = fonts_[em];
    if (!font) font.reset(make_(em));
    return static_cast<HFONT>(font.get());
}

bool LabelFits(HDC dc, HFONT font, const char* text, SIZE client, UINT align) {
    SelectedObject selected(dc, font);
    SIZE laid = Measure(dc, text, client.cx, DT_WORDBREAK | DT_EXPANDTABS | align);
    return laid.cx <= client.cx && laid.cy <= client.cy;
}

bool LineFits(HDC dc, HFONT font, int height) {
    SelectedObject selected(dc, font);
    TEXTMETRICW tm;
    return GetTextMetricsW(dc, &tm) && tm.tmHeight <= height;
}

int LargestFitting(int em, int least, const std::function<bool(int em)>& fits) {
    for (; em > least; --em)
        if (fits(em)) return em;
    return least;
}
