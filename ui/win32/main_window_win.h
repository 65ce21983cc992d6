// The Win32 main window: built from the control and menu tables, it forwards
// every event to the logic and implements MainWindow for it.
#pragma once

#include "platform/win32/handles.h"
#include "ui/frmMWL_Pro.h"
#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/win32/controls_win.h"
#include "ui/win32/fonts_win.h"
#include "ui/win32/remembered_focus.h"

#include <windows.h>

#include <vector>

class Win32MainWindow : public MainWindow {
public:
    // Creates the window, hidden, with all its controls and its menu bar.
    bool Create(HINSTANCE instance);
    void Attach(frmMWL_Pro* form) { form_ = form; }
    HWND hwnd() const { return hwnd_; }
    // The keys' table, made when the first key comes.
    HACCEL accelerators();
    void Show();

    ListBoxControl& lstAvail() override { return avail_; }
    ListBoxControl& lstUsedLtrs() override { return used_; }
    TextBoxControl& txtPath() override { return path_; }
    ButtonControl& cmdOk() override { return ok_; }
    ButtonControl& cmdDefault() override { return permanent_; }
    ButtonControl& cmdCancel() override { return exit_; }
    ButtonControl& cmdRemove() override { return remove_; }
    FolderListControl& dirList() override { return folders_; }
    DriveComboControl& DrvList() override { return drives_; }

    WindowHandle Handle() override { return hwnd_; }
    std::string Caption() override;
    void SetCaption(const std::string& caption) override;
    void SetMousePointer(int pointer) override;
    void SetScreenPointer(int pointer) override;
    TwipsRect Bounds() override;
    void SetBounds(const TwipsRect& r) override;
    int ScreenWidth() override;
    int ScreenHeight() override;
    // As a form's own SetFocus: the window, with the focus on its active control.
    void SetFocusToWindow() override {
        focus_.Save();
        focus_.Restore();
    }
    void DiscardInput() override;
    void EndProgram() override;
    int MsgBox(const std::string& text, int flags, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title) override;
    void ShowAbout(const AboutTexts& texts) override;

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK FolderListProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(int id, int code, HWND control);
    void CreateControls(HINSTANCE instance);
    // The menu bar, its drop-downs still empty.
    HMENU CreateMenus();
    void FillPopup(HMENU menu);
    void CreateToolTips();
    void ApplyPointer();
    int Px(int twips) const { return MulDiv(twips, dpi_, 1440); }
    int Twips(int px) const { return MulDiv(px, 1440, dpi_); }
    // Runs a handler; no exception leaves the window procedure.
    template <class F> void Guard(F f);

    HWND hwnd_ = nullptr;
    bool tipsMade_ = false;
    bool framePainted_ = false;
    HACCEL accel_ = nullptr;
    // The menu bar's drop-downs: each with the index of its first item in MainMenu().
    struct Popup {
        HMENU menu;
        size_t first;
        bool filled;
    };
    std::vector<Popup> popups_;
    frmMWL_Pro* form_ = nullptr;
    bool ended_ = false;
    int dpi_ = 96;
    int pointer_ = kPointerDefault;
    int screenPointer_ = kPointerDefault;

    Win32ListBox avail_, used_;
    Win32Edit path_;
    Win32Button ok_, permanent_, exit_, remove_;
    Win32FolderList folders_;
    Win32DriveCombo drives_;

    // Each control's text in the largest size that shows it whole.
    HFONT FontFor(HDC dc, const ControlDef& c);
    int buttonEm_ = 0, listEm_ = 0; // found for the first control of each kind
    FontSizes dialogFonts_{CreateDialogFont},
        sansFonts_{[](int em) { return CreateSansFont(em, false); }},
        boldFonts_{[](int em) { return CreateSansFont(em, true); }};
    UniqueImageList smallIcons_;
    RememberedFocus focus_;
};
