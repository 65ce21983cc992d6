// The window's fonts: the faces the layout asks for, each control's at the
// largest size that shows its text whole in the rectangle the control really
// draws it in, whatever the system's fonts and scaling.
#pragma once

#include "platform/win32/handles.h"

#include <windows.h>

#include <functional>
#include <map>

// The system's dialog font (the shell maps it to Tahoma, Microsoft Sans Serif
// or Segoe UI, as dialog boxes use it) and MS Sans Serif, `em` pixels high.
HFONT CreateDialogFont(int em);
HFONT CreateSansFont(int em, bool bold);

// Fonts of one face at several sizes, each made once and kept for the
// window's life. `make(em)` creates the font with a character height of
// `em` pixels.
class FontSizes {
public:
    explicit FontSizes(std::function<HFONT(int em)> make) : make_(std::move(make)) {}
    HFONT Get(int em);

private:
    std::function<HFONT(int)> make_;
    std::map<int, UniqueGdi> fonts_;
};

// True when a label (a static control) of this client size shows all of
// `text` in `font`, wrapped at its words; `align` is DT_LEFT or DT_RIGHT.
bool LabelFits(HDC dc, HFONT font, const char* text, SIZE client, UINT align);

// True when a line of text in `font` is no taller than `height`.
bool LineFits(HDC dc, HFONT font, int height);

// The largest character height from `em` down to `least` whose font
// `fits`; `least` when none does.
int LargestFitting(int em, int least, const std::function<bool(int em)>& fits);
