// Read-only geometry and text services of the project: level depths, free lengths and their
// projections, the widths a pile presents to the soil, the failure plane distance, the concrete
// facing texts and the counts the report uses. Lengths are ft | m unless a name says otherwise.

#include <algorithm>
#include <cmath>
#include <string>

#include "model/KdClasses.h"

namespace vantrel {

namespace {


// Levels that also have an entry in the free lengths of the analysis.
int LevelsWithFreeLength(const TAnchor& system) {
    return std::min(system.UsedLevels(), static_cast<int>(system.FreeLengths.size()));
}

bool IsTension(const TAnchLevel& level) {
    return level.Kind == lkTieback || level.Kind == lkTieRod;
}
bool IsCompression(const TAnchLevel& level) {
    return level.Kind == lkStrut || level.Kind == lkRaker;
}

// Concrete lagging facing: the thickness is the first entry whose soil pressure limit the lagging
// pressure does not exceed. Set 0 is f'c 3 ksi (21 MPa), set 1 f'c 4.5 ksi (32 MPa). The bar steps
// up from #4 (12 mm) to #5 (14 mm) past the third limit of either set.
constexpr int kFacingSteps = 7;
constexpr int kFacingLastSmallBar = 2;
constexpr double kFacingLimitPsf[2][kFacingSteps] = {{280, 330, 370, 400, 435, 465, 535},
                                                     {350, 400, 450, 495, 535, 575, 640}};
constexpr double kFacingLimitKPa[2][kFacingSteps] = {{13.4, 15.8, 17.7, 19.1, 20.8, 22.2, 25.6},
                                                     {16.7, 19.1, 21.5, 23.7, 25.6, 27.5, 30.6}};
constexpr int kFacingThicknessIn[kFacingSteps] = {3, 4, 5, 6, 7, 8, 10};
constexpr int kFacingThicknessMm[kFacingSteps] = {75, 100, 125, 150, 175, 200, 250};

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

Ext TKdData::FreeLength(int i, bool ignoreStrutMinimum) const {
    if (i < 0 || i >= static_cast<int>(Anchors.Levels.size())) return kNaN;
    return FreeLength(i, ignoreStrutMinimum, Anchors.Levels[i].BondLength);
}

Ext TKdData::FreeLength(int i, bool ignoreStrutMinimum, Ext bondLength) const {
    if (i < 0 || i >= static_cast<int>(Anchors.Levels.size())) return kNaN;
    const TAnchLevel& level = Anchors.Levels[i];
    switch (level.Kind) {
    case lkTieback: {
        // Unbonded length from the analysis, not less than the minimum; a level without one (no
        // entry yet, or undefined) takes the minimum, so the tieback is still drawn and listed
        // with the shortest length it can have. Its bond length says whether the whole is defined.
        const Ext minimum = UnitVal(4.57L, 15.0L);
        const bool computed =
            i < static_cast<int>(Anchors.FreeLengths.size()) && !IsNaN(Anchors.FreeLengths[i]);
        return MaxOf(computed ? Anchors.FreeLengths[i] : minimum, minimum) + bondLength;
    }
    case lkTieRod:
        return bondLength; // the tie-rod length is stored there
    case lkStrut: {
        const Ext minimum = UnitVal(3.0L, 10.0L);
        return ignoreStrutMinimum ? minimum : MaxOf(minimum, MaxFreeProjection(false));
    }
    case lkRaker:
        return SafeDiv(HeightAboveBase(i), std::sin(level.Angle * kDegToRad));
    default:
        return 0.0L;
    }
}

Ext TKdData::MaxFreeProjection(bool braces) const {
    const int count = LevelsWithFreeLength(Anchors);
    Ext largest = 0.0L;
    for (int i = 0; i < count; ++i) {
        const TAnchLevel& level = Anchors.Levels[i];
        if (braces ? !IsCompression(level) : !IsTension(level)) continue;
        largest = MaxOf(largest, FreeLength(i, true) * std::cos(level.Angle * kDegToRad));
    }
    return largest;
}

Ext TKdData::MaxAnchorDepth() const {
    const int count = LevelsWithFreeLength(Anchors);
    Ext deepest = 0.0L;
    for (int i = 0; i < count; ++i) {
        deepest = MaxOf(deepest,
                        FreeLength(i, true) * std::sin(Anchors.Levels[i].Angle * kDegToRad) + LevelDepth(i));
    }
    return deepest;
}

Ext TKdData::SurchargeExtent() const {
    // The surcharge offsets are doubles by storage.
    Ext reach = 0.0L;
    if (Anchors.StripLoadOn) {
        const Ext offset = Anchors.StripOffset;
        reach = MaxOf(offset + 1.0L, offset + static_cast<Ext>(Anchors.StripWidth));
    }
    if (Anchors.LineLoadOn) reach = MaxOf(reach, Anchors.LineOffset);
    if (Anchors.PointLoadOn) reach = MaxOf(reach, Anchors.PointOffset);
    return reach;
}

Ext TKdData::MaxDrawnProjection(bool braces) const {
    // As MaxFreeProjection, but from what the cross section can draw: a tieback whose bond length
    // is undefined (a bond soil without load transfer) is drawn with its unbonded length alone, and
    // a member without a finite length (a raker lying flat) is left out.
    const int count = LevelsWithFreeLength(Anchors);
    Ext largest = 0.0L;
    for (int i = 0; i < count; ++i) {
        const TAnchLevel& level = Anchors.Levels[i];
        if (braces ? !IsCompression(level) : !IsTension(level)) continue;
        Ext length = FreeLength(i, true);
        if (IsNaN(length) && level.Kind == lkTieback && IsNaN(level.BondLength))
            length = FreeLength(i, true, 0.0L);
        const Ext projection = length * std::cos(level.Angle * kDegToRad);
        if (IsFinite(projection)) largest = MaxOf(largest, projection);
    }
    return largest;
}

Ext TKdData::DiagramWidth() const {
    return EffectivePileWidth() + MaxDrawnProjection(true) + MaxOf(MaxDrawnProjection(false), SurchargeExtent());
}

Ext TKdData::SectionDepth() const {
    if (PileType == ptSheet) return GetShape().Bf;
    if (PileSection == psRebarCage) {
        // Pile width ft | m to in | cm; the clear cover is entered in in | mm.
        const Ext widthInOrCm = PileWidth * UnitVal(100.0L, 12.0L);
        const Ext coverInOrCm = ClearCover / UnitVal(10.0L, 1.0L);
        return widthInOrCm - 2.0L * coverInOrCm;
    }
    return GetShape().D;
}

Ext TKdData::EffectivePileWidth() const {
    return MaxOf(PileWidth, SectionDepth() / UnitVal(100.0L, 12.0L));
}

Ext TKdData::TributaryWidth() const {
    if (PileType == ptSheet) return 1.0L; // per unit length of wall
    if (Installation != 1) return PileWidth;
    return GetShape().Bf / UnitVal(100.0L, 12.0L); // driven: the flange bears on the soil
}

Ext TKdData::HalfClearGap() const {
    return (TributaryWidth() * UnitVal(100.0L, 12.0L) - BeamDiagonal) / 2.0L;
}

bool TKdData::IsClearGapWide() const {
    if (Installation != 0) return true;
    return HalfClearGap() >= UnitVal(5.0L, 2.0L); // undefined gap: not wide
}

Ext TKdData::LevelBarSize(int i) const {
    if (i < 0 || i >= static_cast<int>(Anchors.Levels.size())) return kNaN;
    const TAnchLevel& level = Anchors.Levels[i];
    if (!IsTension(level)) return 0.0L;
    if (level.TendonType != ttThreadedBar) return level.BarSize * 0.263L;
    const TAnchorBarTable bars = GetAnchorBars();
    if (level.BarSize < 0 || level.BarSize >= static_cast<int>(bars.size())) return kNaN;
    return bars[level.BarSize].Zero1;
}

TNumberText TKdData::ConcreteFacingText() const {
    const int set = LaggingConcreteSet == 0 ? 0 : 1;
    const Ext p = LaggingSoilPressure; // psf | kPa
    int step = 0;
    while (step < kFacingSteps && !(p <= UnitVal(kFacingLimitKPa[set][step], kFacingLimitPsf[set][step])))
        ++step;
    if (step == kFacingSteps) return {"SPECIAL DESIGN", {}}; // also for an undefined pressure
    const bool smallBar = step <= kFacingLastSmallBar;
    if (Units == usSI)
        return {"%.0f mm CONC with\r%.0f mm bars at %.0f mm O.C.",
                {double(kFacingThicknessMm[step]), smallBar ? 12.0 : 14.0, 250.0}};
    return {"%.1f in PCC with\r#%.0f bars at %.0f in O.C.",
            {double(kFacingThicknessIn[step]), smallBar ? 4.0 : 5.0, 12.0}};
}

TNumberText TKdData::ConcreteStrengthText() const {
    // The strengths f'c and fy and the modulus of rupture of the two concrete sets.
    const bool first = LaggingConcreteSet == 0;
    if (Units == usSI)
        return {"fc = %.0f MPa, fy = %.0f MPa\rModulus of Rupture = %.1f MPa",
                {first ? 21.0 : 32.0, 410.0, first ? 3.4 : 4.1}};
    return {first ? "fc = %.0f ksi, fy = %.0f ksi\rModulus of Rupture = %.2f ksi"
                  : "fc = %.1f ksi, fy = %.0f ksi\rModulus of Rupture = %.2f ksi",
            {first ? 3.0 : 4.5, 60.0, first ? 0.49 : 0.60}};
}

bool TKdData::AllWalersPass() const {
    const auto begin = Anchors.Levels.begin();
    return std::all_of(begin, begin + Anchors.UsedLevels(), [](const TAnchLevel& level) {
        return !level.Waler.HasWaler || (level.Waler.ModulusPass && level.Waler.DeflectionPass);
    });
}

int TKdData::CountWalerLevels() const {
    const auto begin = Anchors.Levels.begin();
    return static_cast<int>(std::count_if(begin, begin + Anchors.UsedLevels(),
                                          [](const TAnchLevel& level) { return level.Waler.HasWaler; }));
}

int TKdData::CountCornerBraces() const {
    if (!UseCornerBraces) return 0;
    const auto begin = CornerBraces.Levels.begin();
    return static_cast<int>(std::count_if(begin, begin + CornerBraces.UsedLevels(),
                                          [](const TAnchLevel& level) { return level.Kind > lkUnused; }));
}

} // namespace vantrel
