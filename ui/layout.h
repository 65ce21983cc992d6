// The main window as data: its controls and its menus. The Win32 window is
// built from these tables by one loop each.
#pragma once

#include <cstdint>
#include <span>

class frmMWL_Pro;

enum class ControlKind { ListBox, TextBox, DriveList, FolderList, Button, Label, LabelRight };
enum class ControlFont { Default, SansBold, Sans };

// Client area of the main window, in twips.
constexpr int kClientWidthTwips = 7050;
constexpr int kClientHeightTwips = 5130;

struct ControlDef {
    int id;
    const char* name;
    ControlKind kind;
    const char* caption;
    const char* toolTip;          // nullptr: none
    int left, top, width, height; // twips, within the client area
    int tabIndex;
    ControlFont font;
    bool infoBackground; // drawn in the system's tool-tip background colour
};

using Handler = void (frmMWL_Pro::*)();

struct MenuDef {
    int id;    // 0 for a separator, or for a drop-down menu
    int level; // 0: on the menu bar, 1: in the drop-down above it
    const char* name;
    const char* caption;
    const char* shortcut; // nullptr: none
    Handler handler;      // nullptr: nothing to do yet
    uint32_t helpContext; // a help command: the topic it opens
};

std::span<const ControlDef> MainControls();
std::span<const MenuDef> MainMenu();

// Runs the handler of a menu command; false when the id is not a command.
bool RunMenuCommand(frmMWL_Pro& form, int id);

// What a control reports. `line` is the list line concerned, where there is one.
enum class ControlEvent { Click, DblClick };
void RunControlEvent(frmMWL_Pro& form, int id, ControlEvent event, int line);
