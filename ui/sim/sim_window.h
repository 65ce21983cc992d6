// A simulated main window: controls that remember what they were told,
// message and input boxes answered from a script and recorded.
#pragma once

#include "ui/main_window.h"

#include <deque>
#include <string>
#include <vector>

class SimWindow;

class SimListBox : public ListBoxControl {
public:
    SimListBox(SimWindow& w, std::string name) : w_(w), name_(std::move(name)) {}
    void Clear() override {
        items.clear();
        index = -1;
    }
    void AddItem(const std::string& text) override { items.push_back(text); }
    int ListCount() override { return static_cast<int>(items.size()); }
    std::string List(int i) override {
        return i >= 0 && i < ListCount() ? items[i] : std::string();
    }
    int ListIndex() override { return index; }
    void SetListIndex(int i) override { index = i; }
    void SetFocus() override;
    // Selects the entry with this text; false when there is none.
    bool Select(const std::string& text);

    std::vector<std::string> items;
    int index = -1;

private:
    SimWindow& w_;
    std::string name_;
};

class SimTextBox : public TextBoxControl {
public:
    std::string Text() override { return text; }
    void SetText(const std::string& t) override { text = t; }
    std::string text;
};

class SimButton : public ButtonControl {
public:
    SimButton(SimWindow& w, std::string name) : w_(w), name_(std::move(name)) {}
    void SetVisible(bool v) override { visible = v; }
    bool Visible() override { return visible; }
    void SetFocus() override;
    bool visible = true;

private:
    SimWindow& w_;
    std::string name_;
};

class SimFolderList : public FolderListControl {
public:
    SimFolderList(SimWindow& w) : w_(w) {}
    void SetLines(const std::vector<FolderLine>& l) override { lines = l; }
    void SetHighlight(int line) override { highlight = line; }
    void SetFocus() override;
    std::vector<FolderLine> lines;
    int highlight = -1;

private:
    SimWindow& w_;
};

class SimDriveCombo : public DriveComboControl {
public:
    void SetLines(const std::vector<DriveLine>& l) override { lines = l; }
    void SetSelection(int line) override { selection = line; }
    std::vector<DriveLine> lines;
    int selection = -1;
};

struct SimBox {
    std::string text;
    int flags = 0;
    std::string title;
    int answer = 0;
    int pointerWhenShown = 0; // the main window's pointer while it was up
    int pendingInput = 0;     // input still waiting for the window when it came up
};

class SimWindow : public MainWindow {
public:
    SimListBox avail{*this, "lstAvail"};
    SimListBox used{*this, "lstUsedLtrs"};
    SimTextBox path;
    SimButton ok{*this, "cmdOk"}, makePermanent{*this, "cmdDefault"}, exit{*this, "cmdCancel"},
        remove{*this, "cmdRemove"};
    SimFolderList folders{*this};
    SimDriveCombo driveCombo;

    ListBoxControl& lstAvail() override { return avail; }
    ListBoxControl& lstUsedLtrs() override { return used; }
    TextBoxControl& txtPath() override { return path; }
    ButtonControl& cmdOk() override { return ok; }
    ButtonControl& cmdDefault() override { return makePermanent; }
    ButtonControl& cmdCancel() override { return exit; }
    ButtonControl& cmdRemove() override { return remove; }
    FolderListControl& dirList() override { return folders; }
    DriveComboControl& DrvList() override { return driveCombo; }

    WindowHandle Handle() override { return reinterpret_cast<WindowHandle>(0x1234); }
    std::string Caption() override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
    void SetMousePointer(int p) override { pointer = p; }
    void SetScreenPointer(int p) override { screenPointer = p; }
    TwipsRect Bounds() override { return bounds; }
    void SetBounds(const TwipsRect& r) override { bounds = r; }
    int ScreenWidth() override { return screenWidth; }
    int ScreenHeight() override { return screenHeight; }
    // The window keeps the focus on its active control, as a form does.
    void SetFocusToWindow() override {}
    void DiscardInput() override { pendingInput = 0; }
    // Keys and clicks the user gave that the window has not acted on yet.
    int pendingInput = 0;
    void EndProgram() override { ended = true; }
    int MsgBox(const std::string& text, int flags, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title) override;
    void ShowAbout(const AboutTexts& texts) override { abouts.push_back(texts); }
    std::vector<AboutTexts> abouts;

    std::string caption = "Mapwell";
    int pointer = 0;
    int screenPointer = 0;
    TwipsRect bounds{0, 0, 7170, 5500};
    int screenWidth = 1024 * 15, screenHeight = 768 * 15;
    std::string focus;
    bool ended = false;

    // Answers for the next boxes, in order; an empty script answers with the
    // box's first button (OK or Yes).
    std::deque<int> answers;
    std::vector<SimBox> boxes;
    // Texts for the next input boxes, in order; an empty script cancels ("").
    std::deque<std::string> inputs;
    struct Input {
        std::string prompt, title;
    };
    std::vector<Input> inputBoxes;
};
