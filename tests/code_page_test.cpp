// Folder names in other code pages: a machine whose ANSI and OEM code page is
// 932 (Japanese), where many characters end in the backslash's byte 0x5C, and
// the flags each code page allows its conversions.
#include "fixture.h"
#include "platform/code_page_rules.h"

namespace {

// Shift-JIS (code page 932): each character two bytes.
const std::string kSo = "\x83\x5C";                       // ソ, second byte a backslash's
const std::string kHyo = "\x95\x5C";                      // 表, second byte a backslash's
const std::string kSoft = kSo + "\x83\x74\x83\x67";       // ソフト
const std::string kHyoKeisan = kHyo + "\x8C\x76\x8E\x5A"; // 表計算
const std::string kA = "\x83\x41";                        // ア, second byte an "A"'s
const std::string kDi = "\x83\x61";                       // ヂ, second byte an "a"'s
const std::string kPo = "\x83\x7C";                       // ポ, second byte a bar's

struct DoubleByte : ::testing::Test {
    App app;
    void SetUp() override {
        app.m.UseCodePage(932);
        for (const std::string& f :
             {"C:\\Work Files\\" + kSoft, "C:\\Work Files\\" + kHyoKeisan, "C:\\" + kHyo,
              "C:\\" + kSoft, "C:\\Data\\" + kSo, "C:\\" + kA, "C:\\" + kDi})
            app.m.AddFolder(f);
        app.m.AddFolder("C:\\Data\\" + kPo, attrHidden);
        app.m.AddFolder(kStartup);
        ASSERT_TRUE(app.StartWithSubst());
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const FolderLine& l : app.w.folders.lines) names.push_back(l.text);
        return names;
    }
};

TEST_F(DoubleByte, FolderListNamesAndOpensFoldersEndingInTheBackslashsByte) {
    struct Case {
        std::string from, name, full;
        std::vector<std::string> linesAfter;
    };
    const Case cases[] = {
        {"C:\\Work Files", kSoft, "C:\\Work Files\\" + kSoft, {"C:\\", "Work Files", kSoft}},
        {"C:\\Work Files",
         kHyoKeisan,
         "C:\\Work Files\\" + kHyoKeisan,
         {"C:\\", "Work Files", kHyoKeisan}},
        {"C:\\", kHyo, "C:\\" + kHyo, {"C:\\", kHyo}},
        {"C:\\", kSoft, "C:\\" + kSoft, {"C:\\", kSoft}},
        {"C:\\Data", kSo, "C:\\Data\\" + kSo, {"C:\\", "Data", kSo}},
    };
    for (const Case& c : cases) {
        app.f.dirList().SetPath(c.from);
        app.f.dirList_DblClick(app.LineOf(c.name));
        EXPECT_EQ(app.f.Hold, c.full);
        EXPECT_EQ(app.w.path.text, c.full);
        EXPECT_EQ(Names(), c.linesAfter) << "no bogus parent line";
    }
}

TEST_F(DoubleByte, NamesThatDifferOnlyInASecondByteAreTwoFolders) {
    app.f.dirList().SetPath("C:\\" + kA);
    app.f.dirList().SetPath("C:\\" + kDi);
    EXPECT_EQ(app.f.Hold, "C:\\" + kDi);
}

TEST_F(DoubleByte, AddAndMakePermanentKeepTheLastCharacterWhole) {
    struct Case {
        std::string chosen, passed;
    };
    // A cancelled hidden-folder name leaves a final backslash, which goes.
    const Case cases[] = {{"C:\\" + kHyo, "C:\\" + kHyo},
                          {"C:\\Data\\" + kSo, "C:\\Data\\" + kSo},
                          {"C:\\Data\\" + kSo + "\\", "C:\\Data\\" + kSo}};
    for (const Case& c : cases) {
        App a;
        a.m.UseCodePage(932);
        a.m.AddFolder(c.passed);
        a.m.AddFolder(kStartup);
        a.StartWithSubst();
        a.Choose(c.passed, "E:");
        a.f.Hold = c.chosen;
        a.f.cmdOk_Click();
        a.Choose(c.passed, "X:");
        a.f.Hold = c.chosen;
        a.f.cmdDefault_Click();
        ASSERT_EQ(a.m.launches.size(), 2u) << c.chosen;
        EXPECT_EQ(a.m.launches[0].commandLine, "subst.exe E: \"" + c.passed + "\"");
        EXPECT_EQ(a.m.launches[1].commandLine, "subst.exe X: \"" + c.passed + "\"");
        EXPECT_EQ(a.subst.mapped['E'], c.passed);
        EXPECT_EQ(a.m.FileBytes(kBatch), "subst X: \"" + c.passed + "\"\r\n");
    }
}

TEST_F(DoubleByte, AFolderIsNotTakenForAnotherThatStartsLikeIt) {
    // 表 is gone; 表計算 beside it begins with the same bytes.
    app.Choose("C:\\Work Files", "E:");
    app.f.Hold = "C:\\Work Files\\" + kHyo;
    app.f.cmdOk_Click();
    EXPECT_TRUE(app.m.launches.empty());
    EXPECT_EQ(app.LastBox().text, "Path not found!");
}

TEST_F(DoubleByte, TypedHiddenNamesEndingInABackslashsOrBarsByteAreFound) {
    app.f.dirList().SetPath("C:\\Data");
    for (const std::string& name : {kSo, kPo}) {
        app.w.inputs = {name};
        app.f.dirList_MouseDown(2, 4, 0, 0);
        EXPECT_EQ(app.f.Hold, "C:\\Data\\" + name);
        EXPECT_TRUE(app.w.boxes.empty()) << "no \"Path not found!\"";
        app.f.Hidden = false;
        app.f.dirList().SetPath("C:\\Data");
    }
}

// A path of 67 characters shows as "....." and its last 63, cut between
// characters in every code page: one byte each, two (932), two to four (UTF-8).
TEST(PathField, ShortensLongPathsByWholeCharacters) {
    struct Case {
        uint32_t codePage;
        std::string unit, last, extra; // whole: 62 units and last; longer: whole and extra
    };
    const Case cases[] = {
        {1252, "a", "a", "b"},
        {932, kHyo, kHyo, kSo},
        {65001, "\xCE\xBB", "\xF0\x9F\x98\x80", "\xE2\x82\xAC"}, // lambda, a smile, euro
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        App app;
        app.m.UseCodePage(c.codePage);
        std::string tail;
        for (int i = 0; i < 61; ++i) tail += c.unit;
        const std::string whole = "C:\\" + tail + c.unit + c.last, longer = whole + c.extra;
        app.m.AddFolder(whole);
        app.m.AddFolder(longer);
        app.StartWithSubst();
        app.f.dirList().SetPath(whole);
        EXPECT_EQ(app.w.path.text, whole);
        EXPECT_EQ(app.f.Hold, whole);
        app.f.dirList().SetPath(longer);
        EXPECT_EQ(app.w.path.text, "....." + tail + c.last + c.extra);
        EXPECT_EQ(app.f.Hold, longer);
        EXPECT_EQ(app.w.folders.lines.back().text, longer.substr(3));
        app.Choose(longer, "E:");
        app.f.cmdOk_Click();
        EXPECT_EQ(app.subst.mapped['E'], longer);
    }
}

// Code page 1252 and its OEM code page 437: ü is FC in the one, 81 in the other.
TEST(OemCodePage, ViewShowsTheListingInTheAnsiCodePageAndRestoreStillReleasesIt) {
    App app;
    app.StartWithSubst();
    app.Choose("C:\\M\xFCller", "E:");
    app.f.cmdOk_Click();
    ASSERT_EQ(app.subst.mapped['E'], "C:\\M\xFCller");
    app.f.mnuView_Click();
    EXPECT_EQ(app.LastBox().text, "E:\\: => C:\\M\xFCller\r\n");
    app.w.answers = {idOk};
    app.f.mnuRepair_Click();
    EXPECT_TRUE(app.subst.mapped.empty());
}

TEST(OemCodePage, ANameItCannotHoldIsWrittenByItsShortNameOrNotAtAll) {
    struct Case {
        std::string shortName, line; // "" line: refused, nothing written
    };
    const Case cases[] = {
        {"C:\\PRICE~1", "subst X: \"C:\\PRICE~1\"\r\n"},
        {"", ""},
        {"C:\\PRICE\x80~1", ""},
    };
    for (const Case& c : cases) {
        App a;
        a.m.AddFolder(kStartup);
        if (!c.shortName.empty()) a.m.shortPaths["C:\\Price \x80"] = c.shortName;
        a.StartWithSubst();
        a.Choose("C:\\Price \x80", "X:");
        a.f.cmdDefault_Click();
        if (c.line.empty()) {
            EXPECT_TRUE(a.m.launches.empty()) << c.shortName;
            EXPECT_FALSE(a.m.Exists(kBatch)) << c.shortName;
            EXPECT_EQ(a.LastBox().text,
                      "The folder C:\\Price \x80\r\nhas characters that cannot be "
                      "written in the startup batch file, so it cannot be made "
                      "permanent.")
                << c.shortName;
            EXPECT_EQ(a.LastBox().flags, 16);
            continue;
        }
        ASSERT_EQ(a.m.launches.size(), 1u);
        EXPECT_EQ(a.m.launches[0].commandLine, "subst.exe X: \"C:\\Price \x80\"");
        EXPECT_EQ(a.m.FileBytes(kBatch), c.line);
    }
}

// The flags each code page accepts, by the documentation of WideCharToMultiByte
// and MultiByteToWideChar, as strict as it allows.
TEST(ConversionFlags, FollowTheDocumentedRulesAndAreAsStrictAsEachCodePageAllows) {
    struct Case {
        uint32_t cp, wcFlags;
        bool usedDefault;
        uint32_t mbFlags;
    };
    const Case cases[] = {
        {65001, win32::kWcErrInvalidChars, false, win32::kMbErrInvalidChars},
        {65000, 0, false, 0},
        {54936, win32::kWcErrInvalidChars, true, win32::kMbErrInvalidChars},
        {42, 0, true, 0},
        {50220, 0, true, 0},
        {50229, 0, true, 0},
        {57002, 0, true, 0},
        {57011, 0, true, 0},
        {437, win32::kWcNoBestFitChars, true, win32::kMbErrInvalidChars},
        {850, win32::kWcNoBestFitChars, true, win32::kMbErrInvalidChars},
        {932, win32::kWcNoBestFitChars, true, win32::kMbErrInvalidChars},
        {936, win32::kWcNoBestFitChars, true, win32::kMbErrInvalidChars},
        {1252, win32::kWcNoBestFitChars, true, win32::kMbErrInvalidChars},
    };
    for (const Case& c : cases) {
        ToMultiByteRule rule = ToMultiByteRuleFor(c.cp);
        EXPECT_EQ(rule.flags, c.wcFlags) << c.cp;
        EXPECT_EQ(rule.usedDefault, c.usedDefault) << c.cp;
        EXPECT_EQ(ToWideFlagsFor(c.cp), c.mbFlags) << c.cp;
    }
}

} // namespace
