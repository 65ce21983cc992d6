// The control that had the keyboard focus when the window lost activation,
// given back when the window is activated again, as dialog boxes do. Without
// it the focus stays on the frame after a message box or another program,
// and the arrow keys, Space and Enter reach no control until Tab is pressed.
#pragma once

#include <windows.h>

class RememberedFocus {
public:
    // `fallback` takes the focus when no control of `window` has had it yet.
    void Attach(HWND window, HWND fallback) {
        window_ = window;
        fallback_ = fallback;
    }
    // Keeps the focused control, if it is one of the window's.
    void Save() {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) control_ = focus;
    }
    // Gives the focus back to the kept control.
    void Restore() const {
        bool usable = control_ && IsWindow(control_) && IsWindowVisible(control_) &&
                      IsWindowEnabled(control_);
        HWND target = usable ? control_ : fallback_;
        if (target) SetFocus(target);
    }

private:
    HWND window_ = nullptr;
    HWND fallback_ = nullptr;
    HWND control_ = nullptr;
};
