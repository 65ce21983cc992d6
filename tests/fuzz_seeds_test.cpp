// Every seed of the fuzz corpus through its target's properties, so that a
// build without clang still checks them.
#include "fuzz/fuzz_app.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

int Fuzz_batch_file(const uint8_t* data, size_t size);
int Fuzz_remove_entry(const uint8_t* data, size_t size);
int Fuzz_capture(const uint8_t* data, size_t size);
int Fuzz_state_file(const uint8_t* data, size_t size);

namespace {

TEST(FuzzSeeds, EverySeedHoldsItsTargetsProperties) {
    const std::pair<const char*, int (*)(const uint8_t*, size_t)> targets[] = {
        {"batch_file", Fuzz_batch_file},
        {"remove_entry", Fuzz_remove_entry},
        {"capture", Fuzz_capture},
        {"state_file", Fuzz_state_file},
    };
    for (auto [name, run] : targets) {
        size_t seeds = 0;
        for (const auto& seed :
             std::filesystem::directory_iterator(std::string(MAPWELL_CORPUS "/") + name)) {
            std::ifstream in(seed.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            ++seeds;
            try {
                run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            } catch (const FuzzFailure& failure) {
                ADD_FAILURE() << name << "/" << seed.path().filename().string() << ": "
                              << failure.what;
            }
        }
        EXPECT_GT(seeds, 0u) << name;
    }
}

} // namespace
