// What the logic sees of the main window's controls: one small interface per
// control kind. The Win32 window and the simulated window implement them.
#pragma once

#include <string>
#include <vector>

class ListBoxControl {
public:
    virtual ~ListBoxControl() = default;
    virtual void Clear() = 0;
    virtual void AddItem(const std::string& text) = 0;
    virtual int ListCount() = 0;
    virtual std::string List(int index) = 0;
    // -1 when nothing is selected.
    virtual int ListIndex() = 0;
    virtual void SetListIndex(int index) = 0;
    virtual void SetFocus() = 0;
    // The selected entry's text; "" when nothing is selected.
    std::string Text() {
        int i = ListIndex();
        return i < 0 ? std::string() : List(i);
    }
};

class TextBoxControl {
public:
    virtual ~TextBoxControl() = default;
    virtual std::string Text() = 0;
    virtual void SetText(const std::string& text) = 0;
};

class ButtonControl {
public:
    virtual ~ButtonControl() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() = 0;
    virtual void SetFocus() = 0;
};

// One line of the folder list: its text, indentation level and whether its
// folder is open (the current folder and those above it) or closed (those below).
struct FolderLine {
    std::string text;
    int indent = 0;
    bool open = false;
    bool operator==(const FolderLine&) const = default;
};

class FolderListControl {
public:
    virtual ~FolderListControl() = default;
    virtual void SetLines(const std::vector<FolderLine>& lines) = 0;
    // -1 when nothing is highlighted.
    virtual void SetHighlight(int line) = 0;
    virtual void SetFocus() = 0;
};

enum class DriveIcon { Removable, Fixed, Network, CdRom, RamDisk, Unknown };

struct DriveLine {
    std::string text; // "c: [System]"
    DriveIcon icon = DriveIcon::Fixed;
    bool operator==(const DriveLine&) const = default;
};

class DriveComboControl {
public:
    virtual ~DriveComboControl() = default;
    virtual void SetLines(const std::vector<DriveLine>& lines) = 0;
    virtual void SetSelection(int line) = 0;
};
