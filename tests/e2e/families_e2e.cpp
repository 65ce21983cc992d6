// The cases that depend on the operating-system family, once per family:
// Wine's per-program version setting, which each new process reads, makes
// Mapwell.exe see that system; the driver itself keeps the default.
#include "e2e_fixture.h"
#include "inspector_client.h"

namespace {

struct Family {
    const char* wineVersion;
    const char* seen; // what GetVersionEx tells Mapwell: platform, major.minor
    bool w95;         // the Windows 9x family: CD-ROM folders refused, autoexec.bat edited
};

void PrintTo(const Family& family, std::ostream* out) {
    *out << family.wineVersion;
}

const Family kFamilies[] = {
    {"win98", "1 4.10", true},
    {"winxp", "2 5.1", false},  // "NT"
    {"win7", "2 6.1", false},   // "Vista"
    {"win10", "2 10.0", false}, // "NT" again, by the manifest's Windows 10 entry
};

const char* const kAppDefaults = "Software\\Wine\\AppDefaults\\Mapwell.exe";
const std::string kAutoexec = "C:\\autoexec.bat";
// Only lines that begin with "subst" belong to a letter, by their 7th character.
const std::string kAutoexecTail = "REM   E stays\r\nPATH C:\\WINDOWS\r\nSUBST F: C:\\KEEP\r\n";
const std::string kAutoexecLines = "@ECHO OFF\r\nSUBST E: C:\\OLD\r\n" + kAutoexecTail;
const std::string kAutoexecWithoutE = "@ECHO OFF\r\n" + kAutoexecTail;

struct FamilyTest : MapwellTest, ::testing::WithParamInterface<Family> {
    std::string cdFolder = Env("E2E_CDROM_LETTER") + ":\\Disc";

    void BeforeStart() override {
        const char* version = GetParam().wineVersion;
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kAppDefaults, "Version", REG_SZ, version,
                                  static_cast<DWORD>(strlen(version) + 1)),
                  ERROR_SUCCESS);
        CreateDirectoryA("C:\\fixtures\\cd\\Disc", nullptr);
        ASSERT_TRUE(FileExists(cdFolder)) << cdFolder;
        ASSERT_TRUE(WriteFileBytes(kAutoexec, kAutoexecLines));
    }
    void TearDown() override {
        MapwellTest::TearDown();
        RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults);
        DeleteFileA(kAutoexec.c_str());
    }
};

// A CD-ROM folder added; E: added, refused as permanent for another folder,
// made permanent for its own (into a Startup folder a clean-up tool deleted,
// which the shell makes again), mapped again at log-on, and removed with Yes:
// on the Windows 9x family its line leaves autoexec.bat too.
TEST_P(FamilyTest, ACdRomFolderAndAPermanentLetterMadeAndRemoved) {
    const Family& family = GetParam();
    Inspector inspector;
    ASSERT_TRUE(inspector.Attach(app));
    ASSERT_EQ(inspector.Ask("version"), family.seen) << "the version setting reached Mapwell";

    Choose(cdFolder, "G:");
    app.Click(ids::cmdOk);
    if (family.w95) {
        EXPECT_EQ(app.Answer("Wrong Operating System", IDOK),
                  "CD ROM drives are not supported for the Windows 98 family!");
        EXPECT_TRUE(SubstLog().empty()) << "nothing launched";
    } else {
        EXPECT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
        EXPECT_EQ(SubstLog(), std::vector<std::string>{"subst.exe G: \"" + cdFolder + "\""});
    }

    // E: mapped by Add is made permanent for the folder it shows, not another.
    const std::string batch = BatchFile();
    Add(kWork, "E:");
    ASSERT_TRUE(app.OpenFolder(kMusic));
    ASSERT_TRUE(app.SelectListItem(ids::lstUsedLtrs, "E:"));
    app.Click(ids::cmdDefault);
    EXPECT_EQ(
        app.Answer("Mapwell", IDOK, "make-permanent-other-folder"),
        "Drive E: shows the folder C:\\e2e\\Work Files now, not C:\\e2e\\Music.\r\nTo make E: "
        "permanent for C:\\e2e\\Music, remove drive E: first; or pick C:\\e2e\\Work Files to "
        "make it permanent as it is.");
    EXPECT_FALSE(FileExists(batch));
    ASSERT_TRUE(RemoveDirectoryA(StartupFolder().c_str())) << "error " << GetLastError();
    ASSERT_TRUE(app.OpenFolder(kWork));
    ASSERT_TRUE(app.SelectListItem(ids::lstUsedLtrs, "E:"));
    app.Click(ids::cmdDefault);
    EXPECT_EQ(app.Answer("Make Permanent?", IDOK, "make-permanent-question"),
              "This feature will place a file in your Startup Folder!\r\n\r\n"
              "Save \"E:\\\" as:  \"C:\\e2e\\Work Files\"\r\npermanently?");
    EXPECT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
    EXPECT_EQ(SubstLog().back(), "subst.exe E: \"" + kWork + "\"") << "mapped once, by Add";
    EXPECT_TRUE(WaitUntil([] { return StoredMask() == 0x08000010; })) << StoredMask();
    EXPECT_EQ(ReadFileBytes(batch), "subst E: \"C:\\e2e\\Work Files\"\r\n");
    LogOnAgain("E", batch);

    EXPECT_EQ(RemoveWithYes("E"), "");
    EXPECT_FALSE(Contains(DriveLetters(), "E:"));
    EXPECT_EQ(StoredMask(), 0x08000000);
    EXPECT_TRUE(WaitUntil([&] { return Contains(app.ListItems(ids::lstAvail), "E:"); }));
    if (family.w95) {
        EXPECT_EQ(ReadFileBytes(kAutoexec), kAutoexecWithoutE);
        EXPECT_TRUE(FileExists(batch)) << "never deleted on this family";
        EXPECT_EQ(ReadFileBytes(batch), "");
    } else {
        EXPECT_EQ(ReadFileBytes(kAutoexec), kAutoexecLines) << "not this family's file";
        EXPECT_FALSE(FileExists(batch)) << "its only line was dropped";
    }
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyTest, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<Family>& info) {
                             return std::string(info.param.wineVersion);
                         });

} // namespace
