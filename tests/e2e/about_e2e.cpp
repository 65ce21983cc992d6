// The resources of the built program (the About box is tested with real input).
#include "e2e_fixture.h"

namespace {

TEST(VersionResource, ReadsThreeZeroTwo) {
    std::string exe = Env("MAPWELL_EXE");
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &len));
    EXPECT_EQ(info->dwFileVersionMS, 0x00030000u);
    EXPECT_EQ(info->dwFileVersionLS, 0x00020000u);
}

#pragma pack(push, 2)
struct IconGroupEntry { // GRPICONDIRENTRY
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(IconResource, HoldsTwoHundredFiftySixColourImagesBesideTheTrueColourOnes) {
    HMODULE exe = LoadLibraryExA(Env("MAPWELL_EXE").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(found, nullptr);
    auto* group = static_cast<const BYTE*>(LockResource(LoadResource(exe, found)));
    WORD count = *reinterpret_cast<const WORD*>(group + 4);
    auto* entries = reinterpret_cast<const IconGroupEntry*>(group + 6);
    std::vector<std::pair<int, int>> images; // size, bits per pixel
    for (WORD i = 0; i < count; ++i) images.push_back({entries[i].width, entries[i].bitCount});
    FreeLibrary(exe);
    for (int size : {48, 32, 16})
        for (int bits : {8, 32})
            EXPECT_NE(std::find(images.begin(), images.end(), std::pair{size, bits}), images.end())
                << size << " x " << size << ", " << bits << " bits";
}

} // namespace
