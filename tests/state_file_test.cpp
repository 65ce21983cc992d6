#include "fixture.h"

#include <functional>

namespace {

TEST(StateFile, EachSequenceChangesTheMaskAndNothingElse) {
    using Run = std::function<void(FileSystem&, StateImage&)>;
    struct Case {
        const char* name;
        int32_t stored;
        Run run;
        int32_t after;
    };
    auto mark = [](const char* letter) {
        return [letter](FileSystem& fs, StateImage& image) {
            MarkPermanent(fs, kStateFile, letter, image);
        };
    };
    const Case cases[] = {
        {"Mark X", 0x08000000, mark("X"), 0x08800000},
        {"Mark X again", 0x08800000, mark("X"), 0x08800000},
        {"Mark A, bit 0", 0x08800000, mark("A"), 0x08800001},
        // Another window may have marked E and V since: only X's bit goes.
        {"Unmark X", 0x08A00010,
         [](FileSystem& fs, StateImage& image) { UnmarkPermanent(fs, kStateFile, "X", image); },
         0x08200010},
        {"Reset", 0x0BFFFFFF,
         [](FileSystem& fs, StateImage& image) { ResetPermanent(fs, kStateFile, image); },
         0x08000000},
    };
    for (const Case& c : cases) {
        SimMachine m;
        StateImage image;
        m.AddFile(kStateFile, Patterned(c.stored));
        c.run(m.platform().files, image);
        EXPECT_EQ(m.FileBytes(kStateFile), Patterned(c.after)) << c.name;
        EXPECT_EQ(image.PermanentMask, c.after) << c.name;
    }
}

} // namespace
