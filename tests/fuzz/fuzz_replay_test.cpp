#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "properties.h"
#include "support/temp_folder.h"

namespace brezzolo::fuzz {
namespace {

namespace fs = std::filesystem;

const fs::path kFuzzFolder = BREZZOLO_FUZZ_FOLDER;

// The inputs kept in a folder, in name order; names starting with "." are no inputs.
std::vector<fs::path> inputsIn(const fs::path& folder) {
    std::vector<fs::path> inputs;
    for (const std::string& name : test::filesIn(folder.string())) {
        if (!name.starts_with(".") && fs::is_regular_file(folder / name)) {
            inputs.push_back(folder / name);
        }
    }
    return inputs;
}

// Runs every input of <kind>/<target> through the target's check; the number of inputs.
std::size_t replay(const std::string& kind, const FuzzTarget& target) {
    const auto inputs = inputsIn(kFuzzFolder / kind / target.name);
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.string());
        EXPECT_EQ(target.check(test::readFileBytes(input.string())), "");
    }
    return inputs.size();
}

TEST(FuzzReplay, EverySavedFindingKeepsItsProperties) {
    for (const FuzzTarget& target : fuzzTargets()) {
        replay("findings", target);
    }
}

TEST(FuzzReplay, EverySeedKeepsItsPropertiesAndEveryTargetHasSeeds) {
    for (const FuzzTarget& target : fuzzTargets()) {
        EXPECT_GT(replay("corpus", target), 0u) << target.name;
    }
}

// A finding in a folder no target reads would never be replayed.
TEST(FuzzReplay, EveryInputFolderNamesATarget) {
    for (const char* kind : {"corpus", "findings"}) {
        for (const std::string& name : test::filesIn((kFuzzFolder / kind).string())) {
            if (fs::is_directory(kFuzzFolder / kind / name)) {
                EXPECT_NE(findFuzzTarget(name), nullptr) << kind << "/" << name;
            }
        }
    }
}

TEST(FuzzReplay, TheCycleInputSplitsAtTheFirstHistoryMark) {
    const std::string mark(kHistoryMark);
    const struct {
        std::string input;
        std::string currentData;
        std::optional<std::string> history;
    } cases[] = {
        {"lines\r\n", "lines\r\n", std::nullopt},
        {"lines\r\n" + mark, "lines\r\n", ""},
        {"a" + mark + "b" + mark + "c", "a", "b" + mark + "c"},
    };
    for (const auto& c : cases) {
        const CycleInput parts = splitCycleInput(c.input);
        EXPECT_EQ(parts.currentData, c.currentData);
        EXPECT_EQ(parts.history, c.history);
    }
}

}  // namespace
}  // namespace brezzolo::fuzz
