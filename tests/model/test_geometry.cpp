// Geometry and text services of the project.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

#include "model/KdClasses.h"

using namespace vantrel;

namespace {

// A project with the given anchor levels (heights from the previous level, ft | m) and nothing
// else that the services read.
TKdData ProjectWithLevels(uint8_t units, Ext shoredHeight, std::initializer_list<Ext> heights) {
    TKdData d;
    d.Units = units;
    d.ShoredHeight = shoredHeight;
    d.Anchors.LevelCount = static_cast<int>(heights.size());
    d.Anchors.Levels.assign(heights.size(), TAnchLevel{});
    int i = 0;
    for (const Ext h : heights)
        d.Anchors.Levels[i++].HeightFromPrevious = h;
    d.Anchors.FreeLengths.clear();
    return d;
}

} // namespace

// Depths are running sums of the heights from the previous level: 2, 2 + 3.5, 2 + 3.5 + 4.
TEST(GeometryLevels, DepthsAndHeights) {
    const TKdData d = ProjectWithLevels(usEnglish, 12.0L, {2.0L, 3.5L, 4.0L});
    struct Case {
        int level;
        Ext depth;
    };
    for (const Case& c : {Case{-1, 0.0L}, Case{-7, 0.0L}, Case{0, 2.0L}, Case{1, 5.5L}, Case{2, 9.5L},
                          // past the last level: the existing levels only
                          Case{3, 9.5L}, Case{10, 9.5L}}) {
        EXPECT_EQ(c.depth, d.LevelDepth(c.level)) << "level " << c.level;
        EXPECT_EQ(12.0L - c.depth, d.HeightAboveBase(c.level)) << "level " << c.level;
    }

    // The other system is summed from its own levels.
    TAnchor corner;
    corner.Levels.assign(2, TAnchLevel{});
    corner.Levels[0].HeightFromPrevious = 1.25L;
    corner.Levels[1].HeightFromPrevious = 0.5L;
    EXPECT_EQ(1.75L, d.LevelDepth(1, corner));
    EXPECT_EQ(0.0L, d.LevelDepth(0, TAnchor{}));
}

// Lowest level at 9.5 ft: 12 - 9.5 = 2.5 above the bottom; at or below the bottom it is 0.
TEST(GeometryLevels, LowestLevelHeightNeverNegative) {
    struct Case {
        Ext shoredHeight;
        Ext expected;
    };
    for (const Case& c : {Case{12.0L, 2.5L}, Case{9.5L, 0.0L}, Case{8.0L, 0.0L}}) {
        const TKdData d = ProjectWithLevels(usSI, c.shoredHeight, {2.0L, 3.5L, 4.0L});
        EXPECT_EQ(c.expected, d.LowestLevelHeight()) << "H = " << static_cast<double>(c.shoredHeight);
    }
    // Without levels the whole shored height stands above the bottom.
    EXPECT_EQ(6.0L, ProjectWithLevels(usEnglish, 6.0L, {}).LowestLevelHeight());
}

// Distances along an anchor line to the 55-degree failure plane through the point H/5 behind the
// wall at the excavation bottom, for H = 20, z = 5 (h = 15), worked out by geometry:
//   alpha 0:  horizontal line, H/5 + h / tan55 = 4 + 15 / 1.428148 = 14.503113;
//   alpha 35: the line is perpendicular to the plane, so the length is the distance from the point
//             to the plane, H/5 sin55 + h cos55 = 3.276608 + 8.603647 = 11.880255;
//   alpha 90: vertical line meets the plane extended below the bottom at h + H/5 tan55 = 20.712592;
//   alpha 20: intersection of (s cos20, z + s sin20) with (H/5 + u cos55, H - u sin55) solved by
//             Cramer's rule, s = 12.299345.
// SI, H = 6, z = 1.5, alpha 15 by the same intersection: 3.792811 (no unit constant enters).
TEST(GeometryFailurePlane, DistanceAlongAnchorLine) {
    struct Case {
        uint8_t units;
        Ext shoredHeight, alpha, z, expected;
    };
    for (const Case& c :
         {Case{usEnglish, 20, 0, 5, 14.503113073145647L}, Case{usEnglish, 20, 35, 5, 11.88025472242166L},
          Case{usEnglish, 20, 90, 5, 20.71259202696846L}, Case{usEnglish, 20, 20, 5, 12.299344731327546L},
          Case{usSI, 6, 15, 1.5L, 3.792810902085935L}}) {
        TKdData d = ProjectWithLevels(c.units, c.shoredHeight, {});
        EXPECT_NEAR(static_cast<double>(c.expected),
                    static_cast<double>(d.FailurePlaneDistance(c.alpha, c.z)), 1e-12)
            << "alpha " << static_cast<double>(c.alpha);
    }
    // A line rising at 55 degrees runs parallel to the plane and never meets it.
    EXPECT_TRUE(std::isnan(ProjectWithLevels(usEnglish, 20, {}).FailurePlaneDistance(-55, 5)));
}
