// The window as a user meets it: real keys and a real pointer (SendInput),
// through the dialog manager, the accelerators, the menus, mouse activation
// and tool tips. Boxes are closed with real keys too.
#include "e2e_fixture.h"
#include "inspector_client.h"
#include "real_input.h"

#include <functional>
#include <iterator>

namespace {

const int kTabOrder[] = {ids::lstAvail,  ids::txtPath,   ids::DrvList,
                         ids::dirList,   ids::cmdOk,     ids::cmdDefault,
                         ids::cmdCancel, ids::cmdRemove, ids::lstUsedLtrs};

int Selected(const MapwellProcess& app, int id) {
    return static_cast<int>(SendMessageA(app.control(id), LB_GETCURSEL, 0, 0));
}

std::string Highlighted(const MapwellProcess& app, int id) {
    int i = Selected(app, id);
    auto items = app.ListItems(id);
    return i >= 0 && i < static_cast<int>(items.size()) ? items[i] : "";
}

// Presses keys and waits until the focus has moved off the control that had it.
void PressMovingFocus(const MapwellProcess& app, std::initializer_list<WORD> keys) {
    int before = app.FocusedId();
    real::Keys(keys);
    WaitUntil([&] { return app.FocusedId() != before; }, 3);
}

// Moves the focus to a control with Tab, as a user does.
void TabTo(const MapwellProcess& app, int id) {
    for (size_t i = 0; i <= std::size(kTabOrder) && app.FocusedId() != id; ++i)
        PressMovingFocus(app, {VK_TAB});
    ASSERT_EQ(app.FocusedId(), id);
}

// A point of the main window's client area that no control covers: a label,
// which lets clicks through to the window.
POINT EmptySpot(const MapwellProcess& app) {
    return real::CentreOf(app.control(ids::Label2));
}

struct RealInput : MapwellTest {
    void SetUp() override {
        MapwellTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(app.BringToFront());
    }
    // Waits for a box with this title, closes it with real keys once it is the
    // foreground window, and waits for it to go. Returns its text.
    std::string CloseWithKeys(const std::string& title, std::initializer_list<WORD> keys) {
        MessageBoxInfo box;
        // A box that never came fails the test even where its text is not checked.
        if (!WaitUntil([&] { return app.FindBox(box) && box.title == title; }, 20)) {
            ADD_FAILURE() << "no box titled " << title;
            return "<no box " + title + ">";
        }
        WaitUntil([&] { return GetForegroundWindow() == box.hwnd; });
        real::Keys(keys);
        // Then the window, or the next box, takes real input again.
        MessageBoxInfo next;
        WaitUntil([&] {
            return !IsWindow(box.hwnd) &&
                   (GetForegroundWindow() == app.main() || app.FindBox(next));
        });
        return box.text;
    }
    HWND WaitForHelpViewer() { return WaitForTopLevel(app.pid(), "", "Mapwell Help"); }
};

TEST_F(RealInput, ArrowKeysMoveTheFreeLetterAlsoRightAfterABox) {
    ASSERT_EQ(Selected(app, ids::lstAvail), -1);
    real::Keys({VK_DOWN});
    EXPECT_TRUE(WaitUntil([&] { return Selected(app, ids::lstAvail) == 0; }));

    real::Keys({VK_MENU, 'V'});
    EXPECT_EQ(CloseWithKeys("View Virtual Drives", {VK_RETURN}),
              "This will list all of your Virtual Drives");
    EXPECT_EQ(CloseWithKeys("Assigned Virtual Drives", {VK_RETURN}),
              "There are no assigned Virtual Drives");
    real::Keys({VK_DOWN});
    EXPECT_TRUE(WaitUntil([&] { return Selected(app, ids::lstAvail) == 1; }))
        << "after View's boxes; the focus is on " << app.FocusedId();

    ASSERT_TRUE(app.OpenFolder(kWork));
    RECT item{};
    SendMessageA(app.control(ids::lstAvail), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(app.control(ids::lstAvail), nullptr, reinterpret_cast<POINT*>(&item), 2);
    std::string letter = app.ListItems(ids::lstAvail).at(1);
    real::DoubleClick({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    EXPECT_EQ(CloseWithKeys("Done!", {VK_RETURN}), "Operation Completed!");
    EXPECT_TRUE(Contains(DriveLetters(), letter)) << letter;
    int before = Selected(app, ids::lstAvail);
    real::Keys({VK_DOWN});
    EXPECT_TRUE(WaitUntil([&] { return Selected(app, ids::lstAvail) == before + 1; }))
        << "after \"Operation Completed!\"; the focus is on " << app.FocusedId();
}

// Enter opens the highlighted folder; Alt+right click there goes straight to
// the name box, with no question (a plain right click asks first: the focus
// table below cancels both boxes, and what Cancel leaves is tested natively).
TEST_F(RealInput, EnterOpensAFolderAndAltRightClickTakesAHiddenOnesName) {
    CreateDirectoryA("C:\\e2e\\Music\\Secret", nullptr);
    SetFileAttributesA("C:\\e2e\\Music\\Secret", FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(app.OpenFolder("C:\\e2e"));
    TabTo(app, ids::dirList);
    for (int i = 0; i < 10 && Highlighted(app, ids::dirList) != "Music"; ++i) {
        std::string before = Highlighted(app, ids::dirList);
        real::Keys({VK_DOWN});
        WaitUntil([&] { return Highlighted(app, ids::dirList) != before; }, 3);
    }
    ASSERT_EQ(Highlighted(app, ids::dirList), "Music");
    EXPECT_EQ(app.Text(ids::txtPath), "C:\\e2e") << "highlighting alone opens nothing";
    real::Keys({VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return app.Text(ids::txtPath) == kMusic; }))
        << app.Text(ids::txtPath);

    real::Click(real::CentreOf(app.control(ids::dirList)), real::Button::Right, true);
    MessageBoxInfo box;
    ASSERT_TRUE(app.WaitForBox(box));
    EXPECT_EQ(box.title, "Enter Folder Name") << "no question first";
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == box.hwnd; }));
    MapwellProcess::Screenshot(box.hwnd, "input-box");
    real::Type("Secret");
    real::Keys({VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return app.Text(ids::txtPath) == kMusic + "\\Secret"; }))
        << app.Text(ids::txtPath);
}

// Where the focus is after a box that real input opened (access keys of the
// buttons and menus among them) and closed: back on the control that had it,
// unless the handler moves it on purpose.
TEST_F(RealInput, TheFocusComesBackAfterEveryKindOfBox) {
    ASSERT_TRUE(app.OpenFolder(kMusic));
    POINT folders = real::CentreOf(app.control(ids::dirList));
    auto menu = [&](WORD key, WORD item) {
        real::Keys({VK_MENU, key});
        WaitForTopLevel(app.pid(), "#32768");
        real::Keys({item});
    };
    // A button's access key with no letter chosen: error 3.
    auto noLetter = [this](WORD key) -> std::function<void()> {
        return [this, key] {
            real::Keys({VK_MENU, key});
            EXPECT_EQ(CloseWithKeys("ERROR!", {VK_RETURN}),
                      "You need to select a Virtual Drive Letter!");
        };
    };
    struct Case {
        const char* what;
        int start, expected;
        std::function<void()> openAndClose;
    };
    const Case cases[] = {
        {"hidden-folder question", ids::dirList, ids::dirList,
         [&] {
             real::Click(folders, real::Button::Right);
             EXPECT_EQ(CloseWithKeys("Hidden Folder Name", {VK_ESCAPE}),
                       "Do you want to add a hidden folder?");
         }},
        {"hidden-folder name box", ids::dirList, ids::dirList,
         [&] {
             real::Click(folders, real::Button::Right, true);
             CloseWithKeys("Enter Folder Name", {VK_ESCAPE});
         }},
        {"View's two boxes", ids::DrvList, ids::DrvList,
         [&] {
             real::Keys({VK_MENU, 'V'});
             EXPECT_EQ(CloseWithKeys("View Virtual Drives", {VK_RETURN}),
                       "This will list all of your Virtual Drives");
             CloseWithKeys("Assigned Virtual Drives", {VK_ESCAPE});
         }},
        {"Restore's question, cancelled", ids::dirList, ids::dirList,
         [&] {
             menu('F', 'R');
             CloseWithKeys("Restore MWL", {VK_ESCAPE});
         }},
        {"another program", ids::lstUsedLtrs, ids::lstUsedLtrs,
         [&] {
             PROCESS_INFORMATION pi{};
             STARTUPINFOA si{};
             si.cb = sizeof(si);
             char line[] = "notepad.exe";
             ASSERT_TRUE(CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &si, &pi));
             HWND notepad = WaitForTopLevel(pi.dwProcessId, "Notepad");
             EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notepad; }));
             // Beside Mapwell, so that a click can reach Mapwell again.
             SetWindowPos(notepad, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
             real::Click(EmptySpot(app));
             EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app.main(); }));
             TerminateProcess(pi.hProcess, 0);
             CloseHandle(pi.hThread);
             CloseHandle(pi.hProcess);
         }},
        {"About, which gives it to the free letters", ids::txtPath, ids::lstAvail,
         [&] {
             menu('F', 'A');
             MessageBoxInfo box;
             ASSERT_TRUE(WaitUntil([&] { return app.FindBox(box); }));
             EXPECT_EQ(box.title, "About Mapwell - Pro");
             wchar_t title[64] = {}, version[64] = {};
             SendMessageW(GetDlgItem(box.hwnd, 202), WM_GETTEXT, 64,
                          reinterpret_cast<LPARAM>(title));
             SendMessageW(GetDlgItem(box.hwnd, 203), WM_GETTEXT, 64,
                          reinterpret_cast<LPARAM>(version));
             EXPECT_EQ(std::wstring(title), L"Mapwell - Pro\u2122");
             EXPECT_EQ(std::wstring(version), L"Version 3.0.2");
             MapwellProcess::Screenshot(box.hwnd, "about");
             CloseWithKeys("About Mapwell - Pro", {VK_RETURN});
         }},
        {"error 3 of Add, which gives it to the free letters", ids::txtPath, ids::lstAvail,
         noLetter('A')},
        {"error 3 of Make Permanent, which gives it to the free letters", ids::dirList,
         ids::lstAvail, noLetter('M')},
        {"error 3 of Remove, which gives it to the used letters", ids::cmdOk, ids::lstUsedLtrs,
         noLetter('R')},
        {"Make Permanent, which gives the window the focus before it maps", ids::cmdDefault,
         ids::cmdDefault,
         [&] {
             ASSERT_TRUE(app.SelectListItem(ids::lstAvail, "E:"));
             real::Keys({VK_MENU, 'M'});
             CloseWithKeys("Make Permanent?", {VK_RETURN});
             EXPECT_EQ(CloseWithKeys("Done!", {VK_RETURN}), "Operation Completed!");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TabTo(app, c.start);
        c.openAndClose();
        EXPECT_TRUE(WaitUntil([&] { return app.FocusedId() == c.expected; }, 3))
            << "the focus is on " << app.FocusedId();
        ASSERT_TRUE(app.BringToFront());
    }
}

// The close button of the title bar, found by asking the window what is where.
POINT CloseButton(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    for (int y = r.top; y < r.top + 40; y += 2)
        for (int x = r.right - 1; x > r.right - 80; x -= 2)
            if (SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return {x, y};
    return {-1, -1};
}

// Esc from each focusable control, the Exit button's and File > Exit's access
// keys, the title bar's close button and the system menu: each on a program
// of its own.
TEST_F(RealInput, EveryWayOutEndsTheProgram) {
    app.Kill();
    struct Way {
        std::string name;
        std::function<void(MapwellProcess&)> take;
    };
    std::vector<Way> ways;
    for (int id : kTabOrder)
        ways.push_back({"Esc from " + std::to_string(id), [id](MapwellProcess& run) {
                            TabTo(run, id);
                            real::Keys({VK_ESCAPE});
                        }});
    ways.push_back({"Alt+E", [](MapwellProcess&) { real::Keys({VK_MENU, 'E'}); }});
    ways.push_back({"File > Exit", [](MapwellProcess& run) {
                        real::Keys({VK_MENU, 'F'});
                        WaitForTopLevel(run.pid(), "#32768");
                        real::Keys({'X'});
                    }});
    ways.push_back({"the title bar", [](MapwellProcess& run) {
                        POINT close = CloseButton(run.main());
                        ASSERT_GE(close.x, 0) << "no close button in the title bar";
                        real::Click(close);
                    }});
    ways.push_back({"the system menu", [](MapwellProcess& run) {
                        real::Keys({VK_MENU, VK_SPACE});
                        WaitForTopLevel(run.pid(), "#32768");
                        real::Keys({'C'});
                    }});
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        MapwellProcess run;
        ASSERT_TRUE(run.StartReady());
        ASSERT_TRUE(run.BringToFront());
        way.take(run);
        EXPECT_TRUE(run.WaitForExit());
    }
}

// Tab and Shift+Tab visit the controls in tab order; F1 from each opens the
// Introduction and gives the focus back. The help run of scripts/test.sh
// checks, in the viewer's trace, that every F1 and Help > Introduction opened
// the Introduction.
TEST_F(RealInput, TabVisitsTheControlsInOrderAndF1FromEachOpensTheIntroduction) {
    std::vector<int> forward, backward;
    for (size_t i = 0; i < std::size(kTabOrder); ++i) {
        const int id = app.FocusedId();
        forward.push_back(id);
        real::Keys({VK_F1});
        HWND viewer = WaitForHelpViewer();
        ASSERT_NE(viewer, nullptr) << id;
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == viewer; })) << id;
        if (i == 0) MapwellProcess::Screenshot(viewer, "help-viewer");
        real::Keys({VK_MENU, VK_F4});
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(viewer); })) << id;
        EXPECT_TRUE(WaitUntil([&] { return app.FocusedId() == id; }, 3))
            << "back from the viewer, the focus is on " << app.FocusedId() << ", not " << id;
        PressMovingFocus(app, {VK_TAB});
    }
    forward.push_back(app.FocusedId());
    for (size_t i = 0; i < std::size(kTabOrder); ++i) {
        PressMovingFocus(app, {VK_SHIFT, VK_TAB});
        backward.push_back(app.FocusedId());
    }
    std::vector<int> order(std::begin(kTabOrder), std::end(kTabOrder));
    EXPECT_EQ(backward, std::vector<int>(order.rbegin(), order.rend()));
    order.push_back(order.front());
    EXPECT_EQ(forward, order);
    real::Keys({VK_MENU, 'H'});
    WaitForTopLevel(app.pid(), "#32768");
    real::Keys({'I'});
    EXPECT_NE(WaitForHelpViewer(), nullptr) << "Help > Introduction";
}

struct ToolTipText {
    int id;
    const char* text;
};

const ToolTipText kToolTips[] = {
    {ids::txtPath, " Selected Path"},
    {ids::DrvList, " Drive List"},
    {ids::dirList, " Folder List"},
    {ids::cmdOk, " Create virtual drive. "},
    {ids::cmdDefault, " Make virtual drive letter permanent. "},
    {ids::cmdCancel, " Do nothing and exit program. "},
    {ids::cmdRemove, " Click Letter in Use, then Click to remove that letter's virtual drive. "},
    {ids::lstUsedLtrs, " Lower case letters are network drives "},
};

TEST_F(RealInput, EachToolTipShowsItsTextUnderThePointer) {
    Inspector inspector;
    ASSERT_TRUE(inspector.Attach(app));
    for (const ToolTipText& tip : kToolTips) {
        SCOPED_TRACE(tip.text);
        POINT at = real::CentreOf(app.control(tip.id));
        real::MoveTo(at);
        real::MoveTo({at.x + 1, at.y + 1});
        std::string shown;
        std::string mine = std::to_string(tip.id) + "\t";
        EXPECT_TRUE(WaitUntil([&] {
            shown = inspector.Ask("tip");
            return shown.rfind(mine, 0) == 0;
        })) << "shown: "
            << shown;
        EXPECT_EQ(shown, mine + tip.text);
    }
    real::MoveTo(real::CentreOf(app.control(ids::lstAvail)));
    EXPECT_TRUE(WaitUntil([&] { return inspector.Ask("tip") == "none"; }));
    EXPECT_FALSE(WaitUntil([&] { return inspector.Ask("tip") != "none"; }, 1.5))
        << "the free letters have no tip";
}

// The window dispatches nothing while it pauses, so what the user does then
// waits in the queue. Acted on after Restore, a double-click on the third
// free letter would map whatever letter the rebuilt list has there, right
// after the user asked to remove everything.
TEST_F(RealInput, ClicksGivenDuringRestoreAreNotActedOnAfterIt) {
    Add(kWork, "E:");
    Add(kMusic, "G:");
    HWND list = app.control(ids::lstAvail);
    ASSERT_GE(app.ListItems(ids::lstAvail).size(), 3u);
    // The third line's place, read while the window still answers.
    RECT client;
    GetClientRect(list, &client);
    auto rowHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    auto top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    POINT third{client.right / 2, (2 - top) * rowHeight + rowHeight / 2};
    ClientToScreen(list, &third);
    ClearSubstLog();

    app.MenuCommand(ids::mnuRepair);
    ASSERT_NE(CloseWithKeys("Restore MWL", {VK_RETURN}), "<no box Restore MWL>");
    real::DoubleClick(third); // the window is frozen in the capture's pause
    ASSERT_TRUE(WaitUntil(
        [&] {
            auto avail = app.ListItems(ids::lstAvail);
            return Contains(avail, "E:") && Contains(avail, "G:");
        },
        60));
    MessageBoxInfo box;
    EXPECT_FALSE(WaitUntil([&] { return app.FindBox(box); }, 4)) << box.title << ": " << box.text;
    // The listing and the releases, by the system's subst.exe; no mapping.
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string subst = std::string(system) + "\\subst.exe";
    for (std::string line : SubstLog()) {
        // The program's own name may come quoted, as the interpreter's line gives it.
        if (line.rfind('"', 0) == 0) line.erase(line.find('"', 1), 1).erase(0, 1);
        EXPECT_TRUE(_strnicmp(line.c_str(), subst.c_str(), subst.size()) == 0 &&
                    line.find('"') == std::string::npos)
            << line;
    }
    EXPECT_EQ(Selected(app, ids::lstAvail), -1) << "the click never reached the list";
}

} // namespace
