// Push-button captions laid out and drawn by the program itself. Wine's
// button measures a caption, then wraps it once more when it draws it
// within the width it measured, so one caption needed a smaller font than
// its neighbours; drawn here, what is measured is what shows, under Windows
// and Wine alike. The button still draws its own frame.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

// True when `caption` shows whole in `font` on a push button with this
// client size, laid out as DrawButtonCaption lays it out.
bool CaptionFits(HDC dc, HFONT font, const std::wstring& caption, SIZE client);

// The answer to a push button's NM_CUSTOMDRAW: before the button paints its
// content, draws the caption (and the focus rectangle) and skips the
// button's own.
LRESULT DrawButtonCaption(const NMCUSTOMDRAW& draw);
