// Support loads of the anchor and corner-brace systems, free and bond lengths of the anchors, and
// the number of bars or strands of each tendon.
//
// Reactions come per pile from the beam analysis (kips or kN). An anchor that takes every m-th pile
// carries m reactions; a sheet-pile wall carries the reaction per unit width times the spacing
// step of its anchors.

#include <array>
#include <cmath>

#include "model/KdClasses.h"

namespace vantrel {

namespace {

constexpr int kUserDefinedBondSoil = 18;

// Allowable load transfer along the bond zone (kip/ft) by bond soil type: static, and the
// seismic column used whenever the system has a seismic coefficient.
constexpr std::array<Ext, kUserDefinedBondSoil> kTransferStatic = {1.5L,  3.0L,  4.5L, 6.0L, 7.5L, 0.3L,
                                                                   0.45L, 0.67L, 1.0L, 1.5L, 2.0L, 10.0L,
                                                                   8.0L,  6.0L,  6.0L, 5.0L, 5.0L, 4.0L};
constexpr std::array<Ext, kUserDefinedBondSoil> kTransferSeismic = {2.0L,   4.0L, 6.0L,  8.0L,  10.0L, 0.4L,
                                                                    0.6L,   0.9L, 1.33L, 2.0L,  2.67L, 13.33L,
                                                                    10.33L, 8.0L, 8.0L,  6.67L, 6.67L, 5.33L};

// Axial force of a member inclined angleDeg to the horizontal whose horizontal component is h.
// A member at right angles to the wall's load (cosine zero) cannot carry it: undefined.
Ext AlongMember(Ext h, Ext angleDeg) {
    const Ext c = std::cos(angleDeg * kDegToRad);
    if (!(std::fabs(c) >= 1e-9L)) return kNaN;
    return h / c;
}

Ext At(const TVector& v, int i) {
    return i >= 0 && static_cast<size_t>(i) < v.size() ? v[static_cast<size_t>(i)] : kNaN;
}

// The levels that exist both by count and in the array: a count beyond the array (a project
// built in code) never sizes a result vector past the levels there are.
int LevelsOf(const TAnchor& a) {
    return a.UsedLevels();
}

bool IsTendon(int kind) {
    return kind == lkTieback || kind == lkTieRod;
}
bool IsBrace(int kind) {
    return kind == lkStrut || kind == lkRaker;
}

} // namespace

void TKdData::LevelLoadsFromReactions(TAnchor& anchor) {
    const int n = LevelsOf(anchor);
    // Reactions per pile times the piles one anchor serves: the spacing multiple, or the
    // spacing step along a sheet-pile wall. Zero or negative would pass every check unloaded.
    const Ext m =
        PileType == ptSheet ? anchor.SheetPileSpacingStep : static_cast<Ext>(anchor.AnchorSpacingItem);
    const Ext multiple = m > 0.0L ? m : kNaN;
    const Ext minFree = UnitVal(4.57L, 15.0L); // m or ft

    anchor.LevelLoads.assign(static_cast<size_t>(n), kNaN);
    anchor.FreeLengths.assign(static_cast<size_t>(n), kNaN);
    anchor.TestLoads.assign(static_cast<size_t>(n), kNaN);
    // A system of more levels than it can have is not analysed: its level loads stay undefined.
    if (n > kMaxLevelCount) return;
    for (int j = 0; j < n && static_cast<size_t>(j) < anchor.Levels.size(); ++j) {
        const TAnchLevel& level = anchor.Levels[static_cast<size_t>(j)];
        const size_t k = static_cast<size_t>(j);
        anchor.LevelLoads[k] = std::fabs(AlongMember(At(anchor.Reactions, j), level.Angle)) * multiple;
        anchor.TestLoads[k] = anchor.LevelLoads[k] * anchor.TestLoadFactor;
        if (level.Kind == lkTieback) {
            // Unbonded length: from the wall to the failure plane along the anchor, to 0.1 with
            // halves to even, and never shorter than the minimum.
            const Ext toPlane = FailurePlaneDistance(level.Angle, LevelDepth(j, anchor));
            anchor.FreeLengths[k] = MaxOf(minFree, RoundHalfEven(toPlane * 10.0L) / 10.0L);
        }
    }
}

void TKdData::CountTendons() {
    const TAnchorBarTable bars = GetAnchorBars();
    // One 0.6 in grade 270 strand at 0.6 of its 58.6 kip ultimate: 35.2 kips = 156.6 kN.
    const Ext strandCapacity = UnitVal(156.6L, 35.2L);
    const int n = LevelsOf(Anchors);
    for (int j = 0; j < n && static_cast<size_t>(j) < Anchors.Levels.size(); ++j) {
        TAnchLevel& level = Anchors.Levels[static_cast<size_t>(j)];
        if (!IsTendon(level.Kind)) continue;
        Ext capacity = 0.0L;
        if (level.TendonType == ttStrand) {
            level.Grade = 270;
            capacity = strandCapacity;
        } else if (level.BarSize >= 0 && static_cast<size_t>(level.BarSize) < bars.size()) {
            capacity = bars[static_cast<size_t>(level.BarSize)].Capacity(BarGradeIndex(level.Grade));
        }
        // A size that does not exist in the grade has capacity 0: no count (-1).
        level.BarCount = capacity > 0.0L ? CeilCount(std::fabs(At(Anchors.TestLoads, j)) / capacity) : -1;
    }
}

void TKdData::CornerBraceLoads() {
    // A corner brace takes the anchor load of its level along its own plan angle.
    const int nc = LevelsOf(CornerBraces);
    CornerBraces.LevelLoads.assign(static_cast<size_t>(nc), kNaN);
    CornerBraces.TestLoads.assign(static_cast<size_t>(nc), kNaN);
    for (int j = 0; j < nc && static_cast<size_t>(j) < CornerBraces.Levels.size(); ++j) {
        const TAnchLevel& brace = CornerBraces.Levels[static_cast<size_t>(j)];
        if (brace.Kind < 0) continue;
        const Ext load = AlongMember(At(Anchors.LevelLoads, j), brace.Angle);
        CornerBraces.LevelLoads[static_cast<size_t>(j)] = load;
        CornerBraces.TestLoads[static_cast<size_t>(j)] = load * CornerBraces.TestLoadFactor;
    }

    for (int j = 0; j < LevelsOf(Anchors); ++j) {
        const size_t k = static_cast<size_t>(j);
        if (k < Anchors.Levels.size() && IsBrace(Anchors.Levels[k].Kind)) CheckLevel(j);
        if (k < CornerBraces.Levels.size() && IsBrace(CornerBraces.Levels[k].Kind)) {
            CheckLevelMember(CornerBraces.Levels[k], j, CornerBraces);
        }
    }
}

void TKdData::DesignBond() {
    if (BondSoilType >= 0 && BondSoilType < kUserDefinedBondSoil) {
        const auto& table = Anchors.Kh != 0.0L ? kTransferSeismic : kTransferStatic;
        AllowLoadTransfer = table[static_cast<size_t>(BondSoilType)] * UnitVal(14.6L, 1.0L); // kN/m or kip/ft
    } else if (BondSoilType != kUserDefinedBondSoil) {
        AllowLoadTransfer = kNaN;
    }

    const Ext minBond = UnitVal(7.0L, 23.0L); // m or ft
    const Ext transfer = AllowLoadTransfer > 0.0L ? AllowLoadTransfer : kNaN;
    const int n = LevelsOf(Anchors);
    if (n > kMaxLevelCount) return; // not analysed: the bond lengths stay undefined
    for (int j = 0; j < n && static_cast<size_t>(j) < Anchors.Levels.size(); ++j) {
        TAnchLevel& level = Anchors.Levels[static_cast<size_t>(j)];
        if (level.Kind == lkTieRod) {
            // The deadman lies behind the active wedge: 1.8 x the height above the excavation
            // bottom, nothing for a rod at or below the bottom.
            level.BondLength = 1.8L * MaxOf(0.0L, HeightAboveBase(j));
        } else {
            level.BondLength = MaxOf(minBond, SafeDiv(At(Anchors.TestLoads, j), transfer));
        }
    }
}

} // namespace vantrel
