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
        WriteFileBytes(StateFilePath(), StateFileBytes(0x08000000));
    }
    void StartAndWait() {
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(app.WaitForMainWindow()) << "no main window";
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

TEST_F(Startup, MainWindowIsCentredFixedAndReadyForALetter) {
    StartAndWait();
    EXPECT_EQ(app.Caption(), "Mapwell - Pro");
    LONG style = GetWindowLongA(app.main(), GWL_STYLE);
    EXPECT_FALSE(style & WS_THICKFRAME) << "not resizable";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    RECT r;
    GetWindowRect(app.main(), &r);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_NEAR(r.left + (r.right - r.left) / 2, sw / 2, 2);
    EXPECT_NEAR(r.top + (r.bottom - r.top) / 2, sh / 2, 2);
    EXPECT_TRUE(WaitUntil([&] { return app.FocusedId() == ids::lstAvail; }))
        << "focus is on control " << app.FocusedId();
    MapwellProcess::Screenshot(app.main(), "main-window");
}

// The display scaling a program finds when it starts, set for the scope.
struct ScopedLogPixels {
    explicit ScopedLogPixels(DWORD dpi) { Set(dpi); }
    ~ScopedLogPixels() { Set(96); }
    static void Set(DWORD dpi) {
        RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi,
                        sizeof(dpi));
    }
};

TEST_F(Startup, FolderIconsFollowTheSmallIconSizeAt150Percent) {
    ScopedLogPixels scaling(144);
    StartAndWait();
    ASSERT_TRUE(WaitUntil([&] { return app.FocusedId() == ids::lstAvail; }));
    HWND list = app.control(ids::dirList);
    int lineHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    // The first line's icon: the run of columns, from the left, that differ
    // from the line's background; text follows after a gap.
    ScreenPixels p = CaptureClient(list);
    ASSERT_GE(p.height, lineHeight);
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
    int smallIcon = MulDiv(16, 144, 96);
    EXPECT_GT(width, smallIcon * 3 / 4) << "an icon drawn at 16 pixels is at most 16 wide";
    EXPECT_LE(width, smallIcon);
    MapwellProcess::Screenshot(app.main(), "main-window-144dpi");
}

// What a push button shows of its caption, read from the screen: every pixel
// inside the button's frame that differs from its face.
struct CaptionInk {
    int pixels = 0;
    bool inFocusRing = false; // ink between the frame and the inner rectangle
    bool onInnerEdge = false; // ink on the inner rectangle's top or bottom row: a line cut there
    int tallestLine = 0;      // rows of the tallest line of text, access-key underlines apart
};

CaptionInk ReadCaption(HWND button) {
    CaptionInk ink;
    ScreenPixels p = CaptureClient(button);
    // The frame takes 2 pixels, the focus rectangle the next ring; the
    // caption belongs inside that.
    const int frame = GetSystemMetrics(SM_CXEDGE), inner = frame + 1;
    if (p.width <= 2 * inner || p.height <= 2 * inner) return ink;
    std::map<COLORREF, int> counts;
    for (int y = inner; y < p.height - inner; ++y)
        for (int x = inner; x < p.width - inner; ++x) ++counts[p.at(x, y)];
    const COLORREF face = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                              return a.second < b.second;
                          })->first;
    std::vector<bool> rowInk(static_cast<size_t>(p.height), false);
    for (int y = frame; y < p.height - frame; ++y)
        for (int x = frame; x < p.width - frame; ++x) {
            if (p.at(x, y) == face) continue;
            ++ink.pixels;
            rowInk[static_cast<size_t>(y)] = true;
            bool ring = x < inner || y < inner || x >= p.width - inner || y >= p.height - inner;
            ink.inFocusRing |= ring;
            ink.onInnerEdge |= !ring && (y == inner || y == p.height - inner - 1);
        }
    // A line is a run of rows with ink; a run of one or two rows is an
    // underline.
    for (int y = 0; y < p.height;) {
        int run = 0;
        while (y + run < p.height && rowInk[static_cast<size_t>(y + run)]) ++run;
        if (run > 2) ink.tallestLine = std::max(ink.tallestLine, run);
        y += std::max(run, 1);
    }
    return ink;
}

// Every caption, label and list row shows whole, at 100 % and at 150 %.
// The buttons are judged by what the screen shows: each caption inside its
// button's inner rectangle, and the same text height on all four (they are
// one family of controls, and a caption drawn smaller reads as a fault).
// Labels and rows are measured inside the running program with their own
// fonts.
TEST_F(Startup, EveryCaptionLabelAndRowShowsWholeAt96And144Dpi) {
    for (DWORD dpi : {96u, 144u}) {
        SCOPED_TRACE(dpi);
        ScopedLogPixels scaling(dpi);
        MapwellProcess run;
        ASSERT_TRUE(run.Start());
        ASSERT_TRUE(run.WaitForMainWindow());
        ASSERT_TRUE(WaitUntil([&] { return run.FocusedId() == ids::lstAvail; }));
        const int buttons[] = {ids::cmdOk, ids::cmdCancel, ids::cmdDefault, ids::cmdRemove};
        std::map<int, CaptionInk> inks;
        // Polled until all four show ink: the first paint may not be done.
        ASSERT_TRUE(WaitUntil([&] {
            for (int id : buttons)
                if ((inks[id] = ReadCaption(run.control(id))).pixels == 0) return false;
            return true;
        })) << "a button shows no caption";
        int least = INT_MAX, most = 0;
        for (int id : buttons) {
            const CaptionInk& ink = inks[id];
            EXPECT_FALSE(ink.inFocusRing) << run.Text(id) << ": drawn over its margin";
            EXPECT_FALSE(ink.onInnerEdge) << run.Text(id) << ": a line cut at the top or foot";
            least = std::min(least, ink.tallestLine);
            most = std::max(most, ink.tallestLine);
        }
        std::string heights;
        for (int id : buttons)
            heights += run.Text(id) + " " + std::to_string(inks[id].tallestLine) + "; ";
        // Lines with a letter that rises above the capitals may be a pixel taller.
        EXPECT_LE(most - least, 1) << "text heights in pixels: " << heights;

        Inspector inspector;
        ASSERT_TRUE(inspector.Attach(run));
        std::string report = inspector.Ask("fit");
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 8) << report;
        EXPECT_EQ(report.find("CUT"), std::string::npos) << report;
    }
}

TEST_F(Startup, LettersAreListedOnceEachWithNetworkDrivesInLowerCase) {
    StartAndWait();
    std::vector<std::string> avail = app.ListItems(ids::lstAvail);
    std::vector<std::string> used = app.ListItems(ids::lstUsedLtrs);
    EXPECT_TRUE(std::is_sorted(avail.begin(), avail.end()));
    std::vector<std::string> all = avail;
    for (const std::string& u : used) all.push_back(std::string(1, char(toupper(u[0]))) + ":");
    std::sort(all.begin(), all.end());
    std::vector<std::string> letters;
    for (char c = 'A'; c <= 'Z'; ++c) letters.push_back(std::string(1, c) + ":");
    EXPECT_EQ(all, letters);

    std::string net = Env("E2E_NETWORK_LETTER"), cd = Env("E2E_CDROM_LETTER");
    std::vector<std::string> expectedUsed;
    for (const std::string& d : DriveLetters())
        expectedUsed.push_back(d.substr(0, 1) == net ? std::string(1, char(tolower(net[0]))) + ":"
                                                     : d);
    EXPECT_EQ(used, expectedUsed);
    if (!cd.empty()) {
        EXPECT_NE(std::find(used.begin(), used.end(), cd + ":"), used.end()) << "CD-ROM upper case";
    }
}

} // namespace
