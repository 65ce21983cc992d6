// Names outside the system's code pages: the path field counts characters,
// not bytes; and the flags each code page allows its conversions.
#include "fixture.h"
#include "platform/code_page_rules.h"

namespace {

// A path of 67 characters shows as "....." and its last 63, cut between
// characters: one byte each, or two to four in UTF-8.
TEST(PathField, ShortensLongPathsByWholeCharacters) {
    struct Case {
        std::string unit, last, extra; // whole: 62 units and last; longer: whole and extra
    };
    const Case cases[] = {
        {"a", "a", "b"}, {"\xCE\xBB", "\xF0\x9F\x98\x80", "\xE2\x82\xAC"}, // lambda, a smile, euro
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra);
        App app;
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

// One row per rule of the documentation of WideCharToMultiByte and
// MultiByteToWideChar, each as strict as it allows: WC_ERR_INVALID_CHARS only
// for UTF-8 and GB18030; no default-character pointer for UTF-7 and UTF-8;
// flags 0 for the code pages it lists so; WC_NO_BEST_FIT_CHARS and
// MB_ERR_INVALID_CHARS for every other one.
TEST(ConversionFlags, FollowTheDocumentedRulesAndAreAsStrictAsEachCodePageAllows) {
    struct Rule {
        std::vector<uint32_t> codePages;
        uint32_t wcFlags;
        bool usedDefault;
        uint32_t mbFlags;
    };
    const Rule rules[] = {
        {{65001}, win32::kWcErrInvalidChars, false, win32::kMbErrInvalidChars},
        {{54936}, win32::kWcErrInvalidChars, true, win32::kMbErrInvalidChars},
        {{65000}, 0, false, 0},
        {{42, 50220, 50221, 50222, 50225, 50227, 50229, 57002, 57011}, 0, true, 0},
        {{437, 932, 1252}, win32::kWcNoBestFitChars, true, win32::kMbErrInvalidChars},
    };
    for (const Rule& r : rules) {
        for (uint32_t cp : r.codePages) {
            EXPECT_EQ(ToMultiByteRuleFor(cp).flags, r.wcFlags) << cp;
            EXPECT_EQ(ToMultiByteRuleFor(cp).usedDefault, r.usedDefault) << cp;
            EXPECT_EQ(ToWideFlagsFor(cp), r.mbFlags) << cp;
        }
    }
}

} // namespace
