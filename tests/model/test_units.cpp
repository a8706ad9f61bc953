// Unit system, field limits, the unit switch and the level arrays.

#include <gtest/gtest.h>

#include "model/KdClasses.h"

using namespace vantrel;

TEST(Units, PlaceholderBuilds) {
    TKdData d;
    EXPECT_EQ(d.Units, 0);
}
