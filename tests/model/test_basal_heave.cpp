// Factor of safety against basal heave.

#include <gtest/gtest.h>

#include <cmath>

#include "model/KdClasses.h"

using namespace vantrel;

// C 700 psf, Nc 5.14, gamma 115 pcf, q 100 psf, B 40 ft, H from the shored height 20 ft (the entered
// H is replaced):
// - "H/B > 1": FS = 700 (5.14)/(115 (20) + 100) = 3598/2400 = 1.49917.
// - "H/B < 1", wide excavation: FS = 3598/(2300 + 100 - 700 (20)/(0.7 (40))) = 3598/1900 = 1.89368.
// - "H/B < 1" with B = 5 ft: 2400 - 14000/3.5 = -1600, no heave mechanism: undefined.
// - "H/B > 1" with no weight and no surcharge: zero driving load, undefined.
// - "H/B < 1" with B = 0: undefined.
TEST(BasalHeave, BothConditionsAndUndefinedCases) {
    struct Case {
        int condition;
        Ext gamma, q, B, fs;
    };
    const Case cases[] = {
        {0, 115.0L, 100.0L, 40.0L, 3598.0L / 2400.0L},
        {1, 115.0L, 100.0L, 40.0L, 3598.0L / 1900.0L},
        {1, 115.0L, 100.0L, 5.0L, kNaN},
        {0, 0.0L, 0.0L, 40.0L, kNaN},
        {1, 115.0L, 100.0L, 0.0L, kNaN},
    };
    for (const Case& c : cases) {
        TKdData d;
        d.ShoredHeight = 20.0L;
        d.BasalHeight = 55.0L;
        d.BasalCondition = c.condition;
        d.BasalCohesion = 700.0L;
        d.BasalNc = 5.14L;
        d.BasalUnitWeight = c.gamma;
        d.BasalSurcharge = c.q;
        d.BasalWidth = c.B;
        d.BasalSafetyFactor = 9.0L;
        d.BasalHeaveCheck();
        EXPECT_EQ(d.BasalHeight, 20.0L);
        if (std::isnan(c.fs))
            EXPECT_TRUE(std::isnan(d.BasalSafetyFactor)) << c.condition << " " << static_cast<double>(c.B);
        else
            EXPECT_NEAR(d.BasalSafetyFactor, c.fs, 1e-15L);
    }
}

// The wall's shored height drives the result: 30 ft gives 3598/(3450 + 100) = 1.01352 in condition 0.
TEST(BasalHeave, FollowsShoredHeight) {
    TKdData d;
    d.BasalCondition = 0;
    d.BasalCohesion = 700.0L;
    d.BasalNc = 5.14L;
    d.BasalUnitWeight = 115.0L;
    d.BasalSurcharge = 100.0L;
    d.ShoredHeight = 30.0L;
    d.BasalHeight = 20.0L;
    d.BasalHeaveCheck();
    EXPECT_NEAR(d.BasalSafetyFactor, 3598.0L / 3550.0L, 1e-15L);
}
