// Factor of safety against heave of the excavation bottom in clay (undrained cohesion C, bearing
// capacity factor Nc). Deep excavation (H/B > 1): FS = C Nc / (gamma H + q). Wide excavation
// (H/B < 1): the shear resistance C H / (0.7 B) on the vertical planes through the heaving block
// lightens the driving load, FS = C Nc / (gamma H + q - C H / (0.7 B)); with no positive driving load
// left there is no heave mechanism and FS is undefined.
//
// Units: C and q psf or kPa, gamma pcf or kN/m^3, H and B ft or m.

#include "model/KdClasses.h"

namespace vantrel {

void TKdData::BasalHeaveCheck() {
    BasalHeight = ShoredHeight;
    Ext driving = BasalUnitWeight * BasalHeight + BasalSurcharge;
    if (BasalCondition == 1) driving -= SafeDiv(BasalCohesion * BasalHeight, 0.7L * BasalWidth);
    BasalSafetyFactor = driving > 0.0L ? BasalCohesion * BasalNc / driving : kNaN;
}

} // namespace vantrel
