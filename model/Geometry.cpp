// Read-only geometry and text services of the project: level depths, free lengths and their
// projections, the widths a pile presents to the soil, the failure plane distance, the concrete
// facing texts and the counts the report uses. Lengths are ft | m unless a name says otherwise.

#include <algorithm>
#include <cmath>

#include "model/KdClasses.h"

namespace vantrel {

namespace {

constexpr Ext kDegToRad = kPi / 180.0L;

} // namespace

Ext TKdData::LevelDepth(int i) const {
    return LevelDepth(i, Anchors);
}

Ext TKdData::LevelDepth(int i, const TAnchor& system) const {
    // An index past the last level sums the levels that exist.
    const int last = std::min(i, static_cast<int>(system.Levels.size()) - 1);
    Ext depth = 0.0L;
    for (int k = 0; k <= last; ++k)
        depth += system.Levels[k].HeightFromPrevious;
    return depth;
}

Ext TKdData::HeightAboveBase(int i) const {
    return ShoredHeight - LevelDepth(i);
}

Ext TKdData::LowestLevelHeight() const {
    // A lowest level below the excavation bottom stands 0 above it, never a negative height.
    const Ext h = HeightAboveBase(Anchors.LevelCount - 1);
    return h < 0.0L ? 0.0L : h;
}

Ext TKdData::FailurePlaneDistance(Ext alphaDeg, Ext z) const {
    // The failure plane rises at 55 degrees from the excavation bottom, H/5 behind the wall. A line
    // leaving the wall at depth z, alpha below horizontal, meets it at horizontal distance
    //   x = (H/5 tan55 + (H - z)) / (tan55 + tan alpha),
    // and its length there is x / cos alpha. Multiplying through by cos alpha keeps the expression
    // finite for a vertical line (cos alpha = 0); only a line parallel to the plane has no answer.
    const Ext t = std::tan(55.0L * kDegToRad);
    const Ext alpha = alphaDeg * kDegToRad;
    const Ext reach = ShoredHeight / 5.0L * t + (ShoredHeight - z);
    const Ext along = t * std::cos(alpha) + std::sin(alpha);
    if (std::fabs(along) <= 1e-15L) return kNaN;
    return std::fabs(reach / along);
}

} // namespace vantrel
