// Earth pressure table of the anchor system: lateral pressures over the loading height in 61 rows
// and the four-point load diagram on which the beam analysis of the pile works.
//
// Pressures are in psf (kPa), depths in ft (m), the load on one pile in kip/ft (kN/m). The
// surcharge inputs are in the matching units (lbf and lb/ft, or kN and kN/m), so every formula
// below is unit-free except the unit weight of water and the psf-to-kip/ft step of the pile load.
// The user-defined diagram points hold their pressures in psf (kPa) as well.

#include <array>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "model/KdClasses.h"
#include "model/Undefined.h"

namespace vantrel {

namespace {

constexpr int kLastRow = kPressureRows - 1; // row at the loading height
constexpr int kTopBreakRow = 15;            // end of the top ramp of the clay diagrams
constexpr int kBottomBreakRow = 45;         // start of the bottom ramp of the trapezoids
constexpr int kUserDefinedSoil = 10;
constexpr Ext kDegPerRad = 180.0L / kPi;

// Apparent earth pressure coefficients of the soil types 0..9: the pressure is the coefficient
// times the soil unit weight times the loading height.
constexpr std::array<Ext, kUserDefinedSoil> kApparentCoefficient = {0.33L, 0.228L, 0.163L, 0.4L, 0.3L,
                                                                    0.2L,  0.33L,  0.15L,  0.2L, 0.15L};

// Clays and stratified soils (3, 4, 5, 6, 9) rise from zero over the top quarter of the diagram.
bool RampsAtTop(int soilType) {
    return soilType == 3 || soilType == 4 || soilType == 5 || soilType == 6 || soilType == 9;
}

// The trapezoids (4, 5, 6, 9) also fall back to zero over the bottom quarter.
bool RampsAtBottom(int soilType) {
    return soilType == 4 || soilType == 5 || soilType == 6 || soilType == 9;
}

// Fraction of the full apparent pressure that row i of a soil-type diagram carries.
Ext ShapeFactor(int soilType, int i) {
    if (RampsAtTop(soilType) && i < kTopBreakRow) return static_cast<Ext>(i) / kTopBreakRow;
    if (RampsAtBottom(soilType) && i > kBottomBreakRow) return static_cast<Ext>(kLastRow - i) / kTopBreakRow;
    return 1.0L;
}

// Pressure at depth x of the straight line through two user points, also outside their depth
// range. Two points at one depth make a step in the diagram rather than a line; the row at the
// step shows the pressure reached from above, the upper point's. (The forced last depth makes this
// the case of a third point at the loading height.)
Ext LineThrough(const TPressurePoint& upper, const TPressurePoint& lower, Ext x) {
    if (lower.X == upper.X) return upper.W;
    return upper.W + (lower.W - upper.W) * (x - upper.X) / (lower.X - upper.X);
}

// Strip load by the elastic solution for a flexible strip of width B at setback A, with the angles
// from the horizontal at the row's depth to the strip's far and near edges. Leaves the row's strip
// fields at zero above the footing and when the load is off.
void FillStrip(const TAnchor& a, TPressureRow& row) {
    const Ext d = row.Depth - static_cast<Ext>(a.StripDepth);
    if (!a.StripLoadOn || !(d > 0.0L)) return;
    const Ext setback = a.StripOffset;
    const Ext q = a.StripLoad;
    row.StripAngle1 = std::atan((setback + static_cast<Ext>(a.StripWidth)) / d) * kDegPerRad;
    row.StripAngle2 = std::atan(setback / d) * kDegPerRad;
    row.StripBeta = row.StripAngle1 - row.StripAngle2;
    row.StripAlpha = (row.StripAngle1 + row.StripAngle2) / 2.0L;
    const Ext beta = row.StripBeta / kDegPerRad;
    const Ext alpha = row.StripAlpha / kDegPerRad;
    row.StripTermA = q / kPi * (beta + std::sin(beta));
    row.StripTermB = q / kPi * (beta - std::sin(beta));
    const Ext sinA = std::sin(alpha);
    const Ext cosA = std::cos(alpha);
    row.Strip = 2.0L * sinA * sinA * row.StripTermA + cosA * cosA * row.StripTermB;
}

// The strip-load columns of the last table built on this thread, with what they were computed
// from. They depend only on the row depths (the step dz) and the strip inputs, and take most of
// the time of the table (two arc tangents, a sine and a sine-cosine per row), while the window
// recalculates on every committed input, most of which leave the strip alone. A table whose step
// and strip inputs have the same bits as the last one takes its strip columns from here.
class StripMemo {
  public:
    bool Holds(Ext dz, const TAnchor& a) const {
        return valid_ && SameBits(dz_, dz) && on_ == a.StripLoadOn && SameBits(depth_, a.StripDepth) &&
               SameBits(offset_, a.StripOffset) && SameBits(width_, a.StripWidth) &&
               SameBits(load_, a.StripLoad);
    }
    void Copy(int i, TPressureRow& row) const {
        const Strip& s = rows_[static_cast<size_t>(i)];
        row.StripAngle1 = s.angle1;
        row.StripAngle2 = s.angle2;
        row.StripBeta = s.beta;
        row.StripAlpha = s.alpha;
        row.StripTermA = s.termA;
        row.StripTermB = s.termB;
        row.Strip = s.strip;
    }
    void Keep(Ext dz, const TAnchor& a, const std::array<TPressureRow, kPressureRows>& table) {
        dz_ = dz;
        on_ = a.StripLoadOn;
        depth_ = a.StripDepth;
        offset_ = a.StripOffset;
        width_ = a.StripWidth;
        load_ = a.StripLoad;
        for (size_t i = 0; i < table.size(); ++i) {
            const TPressureRow& row = table[i];
            rows_[i] = Strip{row.StripAngle1, row.StripAngle2, row.StripBeta, row.StripAlpha,
                             row.StripTermA,  row.StripTermB,  row.Strip};
        }
        valid_ = true;
    }

  private:
    // Equal bits of the significant bytes (NaN matches NaN, 0 does not match -0).
    static bool SameBits(Ext a, Ext b) { return std::memcmp(&a, &b, 10) == 0; }
    static bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

    struct Strip {
        Ext angle1, angle2, beta, alpha, termA, termB, strip;
    };
    bool valid_ = false;
    Ext dz_ = 0;
    bool on_ = false;
    double depth_ = 0, offset_ = 0, width_ = 0, load_ = 0;
    std::array<Strip, kPressureRows> rows_{};
};

// Line load parallel to the wall at distance x behind it (modified Boussinesq solution over the
// height h below the footing). d > 0 and d <= h keep both divisors positive.
Ext LinePressure(const TAnchor& a, Ext depth, Ext loadingHeight) {
    const Ext d = depth - static_cast<Ext>(a.LineDepth);
    if (!a.LineLoadOn || !(d > 0.0L)) return 0.0L;
    const Ext h = loadingHeight - static_cast<Ext>(a.LineDepth);
    const Ext m = static_cast<Ext>(a.LineOffset) / h;
    const Ext n = d / h;
    const Ext s = m * m + n * n;
    return 1.2732L * static_cast<Ext>(a.LineLoad) * m * m * n / (h * s * s);
}

// Point load at distance x behind the wall (Boussinesq). d > 0 keeps the divisor positive.
Ext PointPressure(const TAnchor& a, Ext depth) {
    const Ext d = depth - static_cast<Ext>(a.PointDepth);
    if (!a.PointLoadOn || !(d > 0.0L)) return 0.0L;
    const Ext x = a.PointOffset;
    const Ext r2 = x * x + d * d; // (x^2 + d^2)^2.5 as a product and a square root: no pow per row
    return 0.955L * static_cast<Ext>(a.PointLoad) * x * x * d / (r2 * r2 * std::sqrt(r2));
}

// Row of the table nearest to a user depth, halves to the even row. Kept as a real number so
// that the row selection of the user diagram works for any depth; see RowIndex.
Ext UserBreakRow(Ext depth, Ext loadingHeight) {
    return RoundHalfEven(kLastRow * depth / loadingHeight);
}

// The break row as an index into the table, or -1 when it falls outside the table or is undefined.
int RowIndex(Ext row) {
    if (!(row >= 0.0L && row <= kLastRow)) return -1;
    return static_cast<int>(row);
}

} // namespace

void TKdData::BuildPressureTable(TAnchor& anchor) {
    // The loading height is the input reader's to keep between H and 1.25 H; the table takes it as
    // stored, because the beam analysis spans the same stored height. Without a positive height
    // there is nothing to tabulate.
    const Ext hl = anchor.LoadingHeight;
    if (!(hl > 0.0L) || !IsFinite(hl)) {
        anchor.PressureTable.fill(AllUndefined<TPressureRow>());
        anchor.DiagramPoints.fill(AllUndefined<TDiagramPoint>());
        anchor.ApparentPressure = kNaN;
        return;
    }

    const int soil = anchor.SoilType;
    const bool userDiagram = soil == kUserDefinedSoil;
    const bool knownSoil = soil >= 0 && soil <= kUserDefinedSoil;

    Ext r1 = kTopBreakRow;
    Ext r2 = kBottomBreakRow;
    if (userDiagram) {
        anchor.ApparentPressure = 0.0L;
        UnfactoredPoints[0].X = 0.0L;
        UnfactoredPoints[3].X = hl;
        r1 = UserBreakRow(UnfactoredPoints[1].X, hl);
        r2 = UserBreakRow(UnfactoredPoints[2].X, hl);
    } else {
        anchor.ApparentPressure =
            knownSoil ? kApparentCoefficient[static_cast<size_t>(soil)] * anchor.SoilUnitWeight : kNaN;
    }

    const Ext dz = hl / kLastRow;
    const Ext waterUnitWeight = UnitVal(9.81L, 62.4L);     // kN/m^3 or pcf
    const Ext pileLoadPerPressure = UnitVal(1.0L, 0.001L); // (kN/m or kip/ft) per (kPa or psf) x spacing
    const Ext uniform = anchor.UniformSurcharge * anchor.SurchargeK;
    const auto& pts = UnfactoredPoints;
    thread_local StripMemo strips;
    const bool stripsKnown = strips.Holds(dz, anchor);

    static_assert(std::is_trivially_copyable_v<TPressureRow>);
    for (int i = 0; i <= kLastRow; ++i) {
        // Built in place from all-zero bytes (every value +0), as a fresh row starts.
        TPressureRow& row = anchor.PressureTable[static_cast<size_t>(i)];
        std::memset(static_cast<void*>(&row), 0, sizeof row);
        row.Depth = i * dz;
        row.Uniform = uniform;
        if (userDiagram) {
            if (i < r1) {
                row.ApparentEarth = LineThrough(pts[0], pts[1], row.Depth);
            } else if (i >= r2) {
                row.ApparentEarth = LineThrough(pts[2], pts[3], row.Depth);
            } else {
                row.ApparentEarth = LineThrough(pts[1], pts[2], row.Depth);
            }
        } else {
            row.ApparentEarth = anchor.ApparentPressure * hl * ShapeFactor(soil, i);
        }
        // The top of the wall carries none of the depth-dependent pressures.
        if (i > 0) {
            if (stripsKnown)
                strips.Copy(i, row);
            else
                FillStrip(anchor, row);
            const Ext submerged = row.Depth - anchor.WaterDepth;
            row.PoreWater = submerged > 0.0L ? waterUnitWeight * submerged : 0.0L;
            row.LineLoad = LinePressure(anchor, row.Depth, hl);
            row.PointLoad = PointPressure(anchor, row.Depth);
            row.Seismic = 0.75L * anchor.Kh * anchor.SoilUnitWeight * row.Depth;
        }
        row.Total = row.Strip + row.Uniform + row.PoreWater + row.ApparentEarth + row.LineLoad +
                    row.PointLoad + row.Seismic;
        row.PileLoad = row.Total * anchor.PileSpacing * pileLoadPerPressure;
    }

    if (!stripsKnown) strips.Keep(dz, anchor, anchor.PressureTable);

    // Only these four points load the beam; the other rows are for display.
    const auto point = [&](int index) {
        if (index < 0) return AllUndefined<TDiagramPoint>();
        const TPressureRow& row = anchor.PressureTable[static_cast<size_t>(index)];
        return TDiagramPoint{row.Depth, row.PileLoad};
    };
    anchor.DiagramPoints[0] = TDiagramPoint{0.0L, anchor.PressureTable[0].PileLoad};
    anchor.DiagramPoints[1] = point(RowIndex(r1));
    anchor.DiagramPoints[2] = point(RowIndex(r2));
    anchor.DiagramPoints[3] = point(kLastRow);
}

} // namespace vantrel
