// Folders named in the scripts of the prefix's system, run once in a Japanese
// prefix (code page 932: names whose last byte is the backslash's, 5C) and
// twice in a Western one (1252 and 437: Greek and Cyrillic names, which
// neither code page holds), the second time with a copy of Mapwell.exe whose
// manifest has no activeCodePage (E2E_WITHOUT_ACTIVE_CODE_PAGE): Windows
// before 10 1903 ignores the element, and nothing may rest on it. Each is
// listed, opened, added, viewed and made permanent by a line that maps it
// again when cmd runs the batch file. The Startup folder is redirected to one
// whose path takes more than 260 bytes in UTF-8, more than any byte buffer of
// MAX_PATH holds.
#include "e2e_fixture.h"
#include "platform/win32/handles.h"
#include "platform/win32/utf16.h"

#include <shlobj.h>

namespace {

// Four folders of 27 characters each (a Unix file name holds 255 bytes): a
// path of 118 characters, 334 bytes in UTF-8.
std::string LongStartupFolder() {
    std::string path = "C:\\e2e";
    for (int i = 0; i < 4; ++i) path += "\\長いスタートアップ長いスタートアップ長いスタートアップ";
    return path;
}
const wchar_t kUserShellFolders[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

const LPCWSTR kManifest = MAKEINTRESOURCEW(24); // RT_MANIFEST, in its wide form

// The manifest of an exe on disk; "" when it has none.
std::string ManifestOf(const std::string& exe, WORD& language) {
    UniqueModule module(LoadLibraryExW(ToUtf16(exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    HRSRC found = nullptr;
    EnumResourceLanguagesW(
        module.get(), kManifest, MAKEINTRESOURCEW(1),
        [](HMODULE, LPCWSTR, LPCWSTR, WORD lang, LONG_PTR param) {
            *reinterpret_cast<WORD*>(param) = lang;
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&language));
    if (module) found = FindResourceExW(module.get(), kManifest, MAKEINTRESOURCEW(1), language);
    HGLOBAL data = found ? LoadResource(module.get(), found) : nullptr;
    if (!data) return "";
    return std::string(static_cast<const char*>(LockResource(data)),
                       SizeofResource(module.get(), found));
}

// A copy of Mapwell.exe, its manifest without the activeCodePage element;
// "" when it could not be made.
std::string CopyWithoutActiveCodePage(const std::string& exe) {
    const std::string copy = "C:\\e2e-copy\\Mapwell.exe";
    CreateDirectoryW(L"C:\\e2e-copy", nullptr);
    WORD language = 0;
    std::string manifest = ManifestOf(exe, language);
    const std::string end = "</activeCodePage>";
    size_t from = manifest.find("<activeCodePage"), to = manifest.find(end);
    if (from == std::string::npos || to == std::string::npos ||
        !CopyFileW(ToUtf16(exe).c_str(), ToUtf16(copy).c_str(), FALSE))
        return "";
    manifest.erase(from, to + end.size() - from);
    HANDLE update = BeginUpdateResourceW(ToUtf16(copy).c_str(), FALSE);
    if (!update ||
        !UpdateResourceW(update, kManifest, MAKEINTRESOURCEW(1), language, manifest.data(),
                         static_cast<DWORD>(manifest.size())) ||
        !EndUpdateResourceW(update, FALSE))
        return "";
    return ManifestOf(copy, language) == manifest ? copy : "";
}

// What a console program's OEM listing of the text reads as once converted back.
std::string AsListed(const std::string& utf8) {
    char oem[1024] = {};
    WideCharToMultiByte(GetOEMCP(), 0, ToUtf16(utf8).c_str(), -1, oem, sizeof(oem), nullptr,
                        nullptr);
    wchar_t back[1024] = {};
    MultiByteToWideChar(GetOEMCP(), 0, oem, -1, back, 1024);
    return ToUtf8(back);
}

struct Names : MapwellTest {
    static void SetUpTestSuite() {
        if (Env("E2E_WITHOUT_ACTIVE_CODE_PAGE").empty()) return;
        const std::string copy = CopyWithoutActiveCodePage(Env("MAPWELL_EXE"));
        ASSERT_FALSE(copy.empty()) << "no copy without activeCodePage";
        SetEnvironmentVariableW(L"MAPWELL_EXE", ToUtf16(copy).c_str());
    }
    void BeforeStart() override {
        const std::wstring startup = ToUtf16(LongStartupFolder());
        SHCreateDirectoryExW(nullptr, startup.c_str(), nullptr);
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kUserShellFolders, L"Startup", REG_EXPAND_SZ,
                                  startup.c_str(),
                                  static_cast<DWORD>((startup.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        MapwellTest::TearDown();
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kUserShellFolders, L"Startup");
    }
};

TEST_F(Names, FoldersInTheSystemsScriptsAreListedMappedMadePermanentAndViewed) {
    // In 932, ソ is 83 5C and 表 is 95 5C.
    const std::vector<std::string> names = GetACP() == 932
                                               ? std::vector<std::string>{"ソフト", "表", "ソ"}
                                               : std::vector<std::string>{"Ελληνικά", "Кириллица"};
    const std::string batch = LongStartupFolder() + "\\subit.bat";
    for (const std::string& name : names) {
        SCOPED_TRACE(name + " in code page " + std::to_string(GetACP()));
        const std::string folder = kWork.substr(0, 7) + name; // C:\e2e\NAME
        CreateDirectoryW(ToUtf16(folder).c_str(), nullptr);
        ASSERT_TRUE(WriteFileBytes(folder + "\\hello.txt", "hello"));
        ClearSubstLog();

        // The list shows the name and opens it; the path field shows it; Add maps it.
        Choose(folder, "E:");
        if (&name == &names.front())
            MapwellProcess::Screenshot(app.main(), "names-" + std::to_string(GetACP()));
        app.Click(ids::cmdOk);
        ASSERT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
        EXPECT_EQ(SubstLog(), std::vector<std::string>{"subst.exe E: \"" + folder + "\""});
        EXPECT_EQ(ReadFileBytes("E:\\hello.txt"), "hello");
        app.MenuCommand(ids::mnuView);
        app.Answer("View Virtual Drives", IDOK);
        EXPECT_EQ(app.Answer("Assigned Virtual Drives", IDOK),
                  "E:\\: => " + AsListed(folder) + "\r\n");
        RunAndWait("subst.exe E: /D");

        // Every name is made permanent by a line that maps it at log-on: in
        // 932, which holds these names, by the name; in the Western OEM code
        // pages, which hold no Greek or Cyrillic letter, by its short name.
        Choose(folder, "G:");
        app.Click(ids::cmdDefault);
        EXPECT_NE(app.Answer("Make Permanent?", IDOK), "<none>");
        EXPECT_EQ(app.Answer("Done!", IDOK), "Operation Completed!");
        // Written once the box is closed.
        EXPECT_TRUE(WaitUntil([&] { return FileExists(batch); }));
        LogOnAgain("G", batch);
        RunAndWait("subst.exe G: /D");
        DeleteFileW(ToUtf16(batch).c_str());
    }
}

} // namespace
