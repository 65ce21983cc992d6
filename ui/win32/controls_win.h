// Thin wrappers over the Win32 controls of the main window: each method is a
// message send or two. Text goes in and comes out as UTF-8.
#pragma once

#include "ui/controls.h"

#include <windows.h>

#include <commctrl.h>

// A window's text (a control's, or a top-level window's caption).
std::string WindowText(HWND h);

class Win32ListBox : public ListBoxControl {
public:
    void Attach(HWND h) { h_ = h; }
    HWND hwnd() const { return h_; }
    void Clear() override { SendMessageW(h_, LB_RESETCONTENT, 0, 0); }
    void AddItem(const std::string& text) override;
    int ListCount() override { return static_cast<int>(SendMessageW(h_, LB_GETCOUNT, 0, 0)); }
    std::string List(int index) override;
    // LB_ERR (-1) when nothing is selected.
    int ListIndex() override { return static_cast<int>(SendMessageW(h_, LB_GETCURSEL, 0, 0)); }
    void SetListIndex(int index) override { SendMessageW(h_, LB_SETCURSEL, index, 0); }
    void SetFocus() override { ::SetFocus(h_); }

private:
    HWND h_ = nullptr;
};

class Win32Edit : public TextBoxControl {
public:
    void Attach(HWND h) { h_ = h; }
    std::string Text() override;
    void SetText(const std::string& text) override;

private:
    HWND h_ = nullptr;
};

class Win32Button : public ButtonControl {
public:
    void Attach(HWND h) { h_ = h; }
    void SetVisible(bool visible) override { ShowWindow(h_, visible ? SW_SHOW : SW_HIDE); }
    bool Visible() override { return IsWindowVisible(h_) != FALSE; }
    void SetFocus() override { ::SetFocus(h_); }

private:
    HWND h_ = nullptr;
};

// An owner-drawn list box: each line an indented folder with its icon.
class Win32FolderList : public FolderListControl {
public:
    // Takes the list and the small icons it draws folders with.
    void Attach(HWND h, HIMAGELIST images);
    HWND hwnd() const { return h_; }
    void SetLines(const std::vector<FolderLine>& lines) override;
    // LB_SETCURSEL with -1 clears the highlight.
    void SetHighlight(int line) override { SendMessageW(h_, LB_SETCURSEL, line, 0); }
    void SetFocus() override { ::SetFocus(h_); }
    void Draw(const DRAWITEMSTRUCT& item, int indentPx) const;

private:
    HWND h_ = nullptr;
    std::vector<FolderLine> lines_;
    HIMAGELIST images_ = nullptr;
};

// An owner-drawn drop-down list: each drive with the icon of its kind, which
// is the line's item data (its DriveIcon, an index in the small icons).
class Win32DriveCombo : public DriveComboControl {
public:
    // Takes the list, the small icons it draws drives with, and the height
    // the closed list is to have.
    void Attach(HWND h, HIMAGELIST images, int height);
    void SetLines(const std::vector<DriveLine>& lines) override;
    void SetSelection(int line) override { SendMessageW(h_, CB_SETCURSEL, line, 0); }
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    HWND h_ = nullptr;
    std::vector<DriveLine> lines_;
    HIMAGELIST images_ = nullptr;
};
