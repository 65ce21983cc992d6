// What the logic sees of the main window itself: its controls, caption,
// pointer, placement, focus and the modal boxes it owns.
#pragma once

#include "platform/platform.h"
#include "ui/about.h"
#include "ui/controls.h"

#include <string>

// Mouse pointers, numbered as the program's pointer property.
constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;

// Message box flags and answers.
constexpr int mbOk = 0;
constexpr int mbOkCancel = 1;
constexpr int mbYesNoCancel = 3;
constexpr int mbCritical = 16;
constexpr int mbQuestion = 32;
constexpr int mbExclamation = 48;
constexpr int mbInformation = 64;
constexpr int idOk = 1;
constexpr int idCancel = 2;
constexpr int idYes = 6;
constexpr int idNo = 7;

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

class MainWindow {
public:
    virtual ~MainWindow() = default;

    virtual ListBoxControl& lstAvail() = 0;
    virtual ListBoxControl& lstUsedLtrs() = 0;
    virtual TextBoxControl& txtPath() = 0;
    virtual ButtonControl& cmdOk() = 0;
    virtual ButtonControl& cmdDefault() = 0;
    virtual ButtonControl& cmdCancel() = 0;
    virtual ButtonControl& cmdRemove() = 0;
    virtual FolderListControl& dirList() = 0;
    virtual DriveComboControl& DrvList() = 0;

    virtual WindowHandle Handle() = 0;
    virtual std::string Caption() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    // The pointer shown over the main window.
    virtual void SetMousePointer(int pointer) = 0;
    // The pointer shown wherever the mouse is, while the program is busy.
    virtual void SetScreenPointer(int pointer) = 0;
    // Outer bounds of the window and size of the screen, in twips.
    virtual TwipsRect Bounds() = 0;
    virtual void SetBounds(const TwipsRect& r) = 0;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    virtual void SetFocusToWindow() = 0;
    // Throws away the keyboard and mouse input waiting for the window.
    virtual void DiscardInput() = 0;
    // Ends the program: no handler runs after this.
    virtual void EndProgram() = 0;

    // A modal message box owned by the main window; returns the answer.
    virtual int MsgBox(const std::string& text, int flags, const std::string& title) = 0;
    // A modal input box; "" when cancelled.
    virtual std::string InputBox(const std::string& prompt, const std::string& title) = 0;
    // The modal About box; returns when it is closed.
    virtual void ShowAbout(const AboutTexts& texts) = 0;
};
