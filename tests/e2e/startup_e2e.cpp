// Start-up, the main window and exit, on the real program.
#include "driver.h"
#include "inspector_client.h"
#include "ui/control_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>

namespace {

struct Startup : ::testing::Test {
    MapwellProcess app;
    void SetUp() override {
        SetFileAttributesA(StateFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteFileBytes(StateFilePath(), StateFileBytes(0x08000000)));
    }
    void TearDown() override {
        SetFileAttributesA(StateFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(WriteFileBytes(StateFilePath(), StateFileBytes(0x08000000)));
    }
};

TEST_F(Startup, WithoutStateFileOnlyError255AppearsAndTheProgramEnds) {
    ASSERT_TRUE(DeleteFileA(StateFilePath().c_str()));
    ASSERT_TRUE(app.Start());
    MessageBoxInfo box;
    ASSERT_TRUE(app.WaitForBox(box));
    EXPECT_EQ(box.title, "ERROR!");
    EXPECT_EQ(box.text,
              "There is a missing or corrupt file! Remove and reinstall the software, \r\n"
              "if the problem persists e-mail us at www.quillonsoftware.com/contact!");
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    MapwellProcess::Screenshot(box.hwnd, "error-255");
    EXPECT_FALSE(app.WaitForMainWindow(0.5)) << "the main window must never show";
    app.AnswerBox(box, IDOK);
    EXPECT_TRUE(app.WaitForExit());
    EXPECT_FALSE(FileExists(StateFilePath())) << "start-up never creates the state file";
}

// A value of the user's, set for the scope and then put back as it was.
struct ScopedUserValue {
    ScopedUserValue(const char* key, const char* name, DWORD type, const void* data, DWORD size)
        : key_(key), name_(name) {
        had_ = RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_ANY | RRF_NOEXPAND, &oldType_,
                            old_, &oldSize_) == ERROR_SUCCESS;
        RegSetKeyValueA(HKEY_CURRENT_USER, key, name, type, data, size);
    }
    ~ScopedUserValue() {
        if (had_)
            RegSetKeyValueA(HKEY_CURRENT_USER, key_, name_, oldType_, old_, oldSize_);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, key_, name_);
    }
    const char *key_, *name_;
    bool had_ = false;
    DWORD oldType_ = 0, oldSize_ = MAX_PATH;
    BYTE old_[MAX_PATH] = {};
};

// Folder redirection, as roaming and managed profiles have it: AppData points
// elsewhere, and the setup program put the state file there.
TEST_F(Startup, ARedirectedAppDataHoldingTheStateFileStartsToTheMainWindow) {
    const std::string redirected = "C:\\e2e\\Redirected AppData";
    const std::string state = redirected + "\\Quillon Software\\Mapwell\\himem32.mwl";
    for (const std::string& folder :
         {std::string("C:\\e2e"), redirected, redirected + "\\Quillon Software",
          redirected + "\\Quillon Software\\Mapwell"})
        CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(state, StateFileBytes(0x08000000)));
    ASSERT_TRUE(DeleteFileA(StateFilePath().c_str())) << "only the redirected folder holds it";
    {
        ScopedUserValue redirect(
            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", "AppData",
            REG_EXPAND_SZ, redirected.c_str(), static_cast<DWORD>(redirected.size() + 1));
        ASSERT_TRUE(app.StartReady());
        EXPECT_EQ(app.Caption(), "Mapwell - Pro");
        MessageBoxInfo box;
        EXPECT_FALSE(app.FindBox(box)) << box.text;
        app.Kill();
    }
    EXPECT_FALSE(FileExists(StateFilePath())) << "nothing created in the default folder";
    DeleteFileA(state.c_str());
}

// The display scaling a program finds when it starts, set for the scope.
struct ScopedLogPixels : ScopedUserValue {
    explicit ScopedLogPixels(const DWORD& dpi)
        : ScopedUserValue("Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof(dpi)) {}
};

// The height in pixels of the tallest line of a push button's caption as the
// screen shows it: its rows inside the frame that differ from the face (a run
// of one or two is an access key's underline). 0: no caption yet; -1: ink
// over the ring between the frame and the inner rectangle, or on the inner
// rectangle's top or foot row, where a line cut short would show.
int CaptionHeight(HWND button) {
    ScreenPixels p = CaptureClient(button);
    const int frame = GetSystemMetrics(SM_CXEDGE), inner = frame + 1;
    std::map<COLORREF, int> counts;
    for (COLORREF c : p.colours) ++counts[c];
    if (counts.empty()) return 0;
    const COLORREF face = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                              return a.second < b.second;
                          })->first;
    int tallest = 0, run = 0;
    for (int y = frame; y < p.height - frame; ++y) {
        bool ink = false;
        for (int x = frame; x < p.width - frame; ++x) {
            if (p.at(x, y) == face) continue;
            ink = true;
            if (x < inner || x >= p.width - inner || y <= inner || y >= p.height - inner - 1)
                return -1;
        }
        run = ink ? run + 1 : 0;
        if (run > 2) tallest = std::max(tallest, run);
    }
    return tallest;
}

// The width of the first folder line's icon: the run of columns, from the
// left, that differ from the line's background (text follows after a gap).
int FolderIconWidth(HWND list) {
    int lineHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    ScreenPixels p = CaptureClient(list);
    if (p.height < lineHeight) return 0;
    COLORREF background = p.at(0, lineHeight / 2);
    auto drawn = [&](int x) {
        for (int y = 0; y < lineHeight; ++y)
            if (p.at(x, y) != background) return true;
        return false;
    };
    int x = 0;
    while (x < p.width && !drawn(x)) ++x;
    int width = 0;
    while (x + width < p.width && drawn(x + width)) ++width;
    return width;
}

// At 100 % and at 150 %: the window centred, of a fixed size and ready for a
// letter; every caption, label and list row whole; the folder icons at the
// small-icon size; each letter listed once, network drives in lower case.
// The buttons are judged by what the screen shows: each caption inside its
// button's inner rectangle, and the same text height on all four (one family
// of controls: a caption drawn smaller reads as a fault). Labels and rows are
// measured inside the running program with their own fonts.
TEST_F(Startup, TheMainWindowShowsWholeAt96And144Dpi) {
    for (DWORD dpi : {96u, 144u}) {
        SCOPED_TRACE(dpi);
        ScopedLogPixels scaling(dpi);
        MapwellProcess run;
        ASSERT_TRUE(run.StartReady());
        EXPECT_EQ(run.Caption(), "Mapwell - Pro");
        LONG style = GetWindowLongA(run.main(), GWL_STYLE);
        EXPECT_FALSE(style & WS_THICKFRAME) << "not resizable";
        EXPECT_FALSE(style & WS_MAXIMIZEBOX);
        EXPECT_TRUE(style & WS_MINIMIZEBOX);
        RECT r;
        GetWindowRect(run.main(), &r);
        EXPECT_NEAR(r.left + (r.right - r.left) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
        EXPECT_NEAR(r.top + (r.bottom - r.top) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);

        std::map<int, int> heights; // polled: the first paint may not be done
        ASSERT_TRUE(WaitUntil([&] {
            for (int id : {ids::cmdOk, ids::cmdCancel, ids::cmdDefault, ids::cmdRemove})
                if ((heights[id] = CaptionHeight(run.control(id))) == 0) return false;
            return true;
        })) << "a button shows no caption";
        std::string shown;
        int least = INT_MAX, most = 0;
        for (auto [id, height] : heights) {
            shown += run.Text(id) + " " + std::to_string(height) + "; ";
            least = std::min(least, height);
            most = std::max(most, height);
        }
        EXPECT_GT(least, 0) << "a caption over its margin or cut short: " << shown;
        // A line with a letter that rises above the capitals may be a pixel taller.
        EXPECT_LE(most - least, 1) << "text heights in pixels: " << shown;
        Inspector inspector;
        ASSERT_TRUE(inspector.Attach(run));
        std::string report = inspector.Ask("fit");
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 8) << report;
        EXPECT_EQ(report.find("CUT"), std::string::npos) << report;

        // An icon drawn at 16 pixels where the small icon has 24 is at most 16 wide.
        const int smallIcon = MulDiv(16, static_cast<int>(dpi), 96);
        const int icon = FolderIconWidth(run.control(ids::dirList));
        EXPECT_GT(icon, smallIcon * 3 / 4);
        EXPECT_LE(icon, smallIcon);
        MapwellProcess::Screenshot(run.main(), dpi == 96 ? "main-window" : "main-window-144dpi");

        std::vector<std::string> avail = run.ListItems(ids::lstAvail);
        std::vector<std::string> used = run.ListItems(ids::lstUsedLtrs);
        EXPECT_TRUE(std::is_sorted(avail.begin(), avail.end()));
        std::vector<std::string> all = avail, letters;
        for (const std::string& u : used) all.push_back(std::string(1, char(toupper(u[0]))) + ":");
        std::sort(all.begin(), all.end());
        for (char c = 'A'; c <= 'Z'; ++c) letters.push_back(std::string(1, c) + ":");
        EXPECT_EQ(all, letters);
        const std::string net = Env("E2E_NETWORK_LETTER");
        std::vector<std::string> expectedUsed;
        for (const std::string& d : DriveLetters())
            expectedUsed.push_back(
                d.substr(0, 1) == net ? std::string(1, char(tolower(net[0]))) + ":" : d);
        EXPECT_EQ(used, expectedUsed) << "a CD-ROM in upper case, a share in lower case";
    }
}

} // namespace
