#include "fixture.h"

namespace {

// Record 1 and the reserved fields filled with a pattern that a careless
// write would disturb.
std::string PatternedStateFile(int32_t mask) {
    std::string bytes = StateFileBytes(mask);
    for (size_t i = 0; i < 1366; ++i) bytes[i] = static_cast<char>(i * 7 + 3);
    for (size_t i = 1370; i < 2500; ++i) bytes[i] = static_cast<char>(i * 5 + 1);
    return bytes;
}

std::string WithMask(std::string bytes, int32_t mask) {
    for (int i = 0; i < 4; ++i)
        bytes[1366 + i] = static_cast<char>((static_cast<uint32_t>(mask) >> (8 * i)) & 0xFF);
    return bytes;
}

struct StateFileTest : ::testing::Test {
    SimMachine m;
    StateImage image;
    void SetUp() override { m.AddFile(kStateFile, PatternedStateFile(0x08000000)); }
};

TEST_F(StateFileTest, MarkSetsOnlyTheLettersBitAtOffset1366) {
    EXPECT_EQ(MarkPermanent(m.platform().files, kStateFile, "X", image), 0x08800000);
    std::string bytes = m.FileBytes(kStateFile);
    EXPECT_EQ(bytes.substr(1366, 4), std::string("\x00\x00\x80\x08", 4));
    EXPECT_EQ(bytes, WithMask(PatternedStateFile(0), 0x08800000));
    // Twice is the same as once.
    MarkPermanent(m.platform().files, kStateFile, "X", image);
    EXPECT_EQ(m.FileBytes(kStateFile), bytes);
    EXPECT_EQ(MarkPermanent(m.platform().files, kStateFile, "A", image), 0x08800001);
}

TEST_F(StateFileTest, UnmarkStoresTheWorkingMaskWhole) {
    m.AddFile(kStateFile, PatternedStateFile(0x0BC00010)); // whatever was stored before
    StoreWorkingMask(m.platform().files, kStateFile, 0x08800000 & ~LetterBit("X"), image);
    EXPECT_EQ(m.FileBytes(kStateFile), WithMask(PatternedStateFile(0), 0x08000000));
}

TEST_F(StateFileTest, ResetStoresTheResetValueAndKeepsEverythingElse) {
    m.AddFile(kStateFile, PatternedStateFile(0x0BFFFFFF));
    EXPECT_EQ(ResetPermanent(m.platform().files, kStateFile, image), 0x08000000);
    EXPECT_EQ(m.FileBytes(kStateFile), WithMask(PatternedStateFile(0), 0x08000000));
    EXPECT_EQ(image.PermanentMask, 0x08000000);
}

TEST_F(StateFileTest, ShortFileReadsAsZerosAndIsMadeWholeOnWrite) {
    m.AddFile(kStateFile, std::string(1300, 'a'));
    MarkPermanent(m.platform().files, kStateFile, "C", image);
    std::string bytes = m.FileBytes(kStateFile);
    ASSERT_EQ(bytes.size(), 2500u);
    EXPECT_EQ(bytes.substr(0, 1300), std::string(1300, 'a'));
    EXPECT_EQ(bytes.substr(1366, 4), std::string("\x04\x00\x00\x00", 4));
    EXPECT_EQ(bytes.substr(1370), std::string(1130, '\0'));
}

TEST_F(StateFileTest, ReadOnlyFileFailsWithoutChange) {
    m.SetAttrs(kStateFile, attrReadOnly);
    try {
        MarkPermanent(m.platform().files, kStateFile, "X", image);
        FAIL() << "a read-only state file cannot be marked";
    } catch (const RtError& e) {
        EXPECT_EQ(e.number(), 75);
    }
    EXPECT_EQ(m.FileBytes(kStateFile), PatternedStateFile(0x08000000));
}

TEST(LetterBits, AIsBitZeroAndZIsBit25) {
    EXPECT_EQ(LetterBit("A"), 1);
    EXPECT_EQ(LetterBit("x"), 0x00800000);
    EXPECT_EQ(LetterBit("Z"), 1 << 25);
    EXPECT_EQ(LetterBit(""), 0);
    EXPECT_EQ(LetterBit("1"), 0);
}

} // namespace
