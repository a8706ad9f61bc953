// Regression of the whole calculation: every value of the reference projects after a calculation,
// against the dumps in tests/model/data taken from the calculation as it was checked against the
// independent tests. Set VANTREL_WRITE_RESULT_DUMPS=1 to write the dumps afresh (only when a
// result is meant to change, and say why in the commit).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "reference_projects.h"
#include "result_dump.h"

using namespace vantrel;
using namespace vantrel::testing;

namespace {

std::string DumpFile(const std::string& name) {
    return std::string(VANTREL_SOURCE_DIR) + "/tests/model/data/results-" + name + ".txt";
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(ResultDump, EveryValueOfTheReferenceProjectsAsBefore) {
    const bool write = std::getenv("VANTREL_WRITE_RESULT_DUMPS") != nullptr;
    for (auto& [name, project] : ReferenceProjects()) {
        SCOPED_TRACE(name);
        project.Calculate();
        const std::string dump = DumpProject(project);
        if (write) {
            std::ofstream(DumpFile(name), std::ios::binary) << dump;
            continue;
        }
        const std::string expected = ReadText(DumpFile(name));
        ASSERT_FALSE(expected.empty()) << DumpFile(name);
        EXPECT_EQ(CompareResultDumps(expected, dump, 1e-12L), "");
        // Calculating again over the results of the first calculation changes nothing.
        project.Calculate();
        EXPECT_EQ(CompareResultDumps(dump, DumpProject(project), 0.0L), "");
    }
}

TEST(ResultDump, ComparisonSeesEveryKindOfDifference) {
    const std::string base = "a 1.5\nb nan\nc \"W12X26\"\nd 7\n";
    EXPECT_EQ(CompareResultDumps(base, base, 1e-12L), "");
    EXPECT_EQ(CompareResultDumps(base, "a 1.5000000000001\nb nan\nc \"W12X26\"\nd 7\n", 1e-12L), "");
    EXPECT_NE(CompareResultDumps(base, "a 1.50000000001\nb nan\nc \"W12X26\"\nd 7\n", 1e-12L), "");
    EXPECT_NE(CompareResultDumps(base, "a 1.5\nb 0\nc \"W12X26\"\nd 7\n", 1e-12L), "");
    EXPECT_NE(CompareResultDumps(base, "a 1.5\nb nan\nc \"W12X27\"\nd 7\n", 1e-12L), "");
    EXPECT_NE(CompareResultDumps(base, "a 1.5\nb nan\nc \"W12X26\"\n", 1e-12L), "");
    EXPECT_NE(CompareResultDumps(base, "a 1.5\nx nan\nc \"W12X26\"\nd 7\n", 1e-12L), "");
    // Records on one line compare value by value.
    const std::string row = "n 0 1.25 nan -3\n";
    EXPECT_EQ(CompareResultDumps(row, "n 0 1.2500000000000001 nan -3\n", 1e-12L), "");
    EXPECT_NE(CompareResultDumps(row, "n 0 1.25 nan -3.0001\n", 1e-12L), "");
    EXPECT_NE(CompareResultDumps(row, "n 0 1.25 nan\n", 1e-12L), "");
}

// Projects calculated in turn, forwards and back again, each agree with themselves to the bit:
// nothing one calculation keeps for the next (storage, remembered intermediate columns) leaks
// from one project into another.
TEST(ResultDump, ProjectsCalculatedInTurnAgreeToTheBit) {
    auto projects = ReferenceProjects();
    std::vector<std::string> first;
    for (auto& [name, project] : projects) {
        project.Calculate();
        first.push_back(DumpProject(project));
    }
    for (size_t i = projects.size(); i-- > 0;) {
        SCOPED_TRACE(projects[i].first);
        projects[i].second.Calculate();
        EXPECT_EQ(CompareResultDumps(first[i], DumpProject(projects[i].second), 0.0L), "");
    }
    // A changed strip load is taken up at once.
    TKdData& demo = projects[0].second;
    demo.Anchors.StripOffset += 1.0;
    demo.Calculate();
    EXPECT_NE(CompareResultDumps(first[0], DumpProject(demo), 0.0L), "");
    demo.Anchors.StripOffset -= 1.0;
    demo.Calculate();
    EXPECT_EQ(CompareResultDumps(first[0], DumpProject(demo), 0.0L), "");
}

// One project taken through the changes the window makes, levels removed, a level moved onto
// another (no beam to analyse) and back, levels added, and calculated after each: every value
// agrees to the bit with a project that went through the same changes and is calculated once.
// The storage a calculation keeps for the next (node tables, matrices, solve scratch) holds
// nothing over.
TEST(ResultDump, KeptStorageHoldsNothingOver) {
    const std::function<void(TKdData&)> changes[] = {
        [](TKdData&) {},
        [](TKdData& d) {
            d.Anchors.LevelCount = 2;
            d.ResizeAnchorLevels();
        },
        [](TKdData& d) { d.Anchors.Levels[1].HeightFromPrevious = 0.0L; },
        [](TKdData& d) { d.Anchors.Levels[1].HeightFromPrevious = 3.0L; },
        [](TKdData& d) {
            d.Anchors.LevelCount = 5;
            d.ResizeAnchorLevels();
        },
        [](TKdData& d) {
            d.Anchors.LevelCount = 1;
            d.ResizeAnchorLevels();
        },
    };
    TKdData kept = EightLevelProject();
    for (size_t step = 0; step < std::size(changes); ++step) {
        SCOPED_TRACE(step);
        changes[step](kept);
        kept.Calculate();
        TKdData once = EightLevelProject();
        for (size_t earlier = 0; earlier <= step; ++earlier)
            changes[earlier](once);
        once.Calculate();
        EXPECT_EQ(CompareResultDumps(DumpProject(once), DumpProject(kept), 0.0L), "");
    }
}
