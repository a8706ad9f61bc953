// The design calculation: every result of the project recomputed from its inputs, in a fixed order.
//
// Each step guards its own hazards and leaves its own results undefined (NaN) when it cannot
// compute; the calculation always runs to the end. Every result the steps write is reset first, so
// a value of an earlier calculation never shows as current.
//
// Units: the project's own system throughout (English ft, kips, ksf, ksi; SI m, kN, kPa, MPa);
// section rows in their catalog units (in | cm-based for pile rows, in | mm for pipe rows) are
// brought to in | mm where a formula needs them, and the result leaves in the unit named by its
// field.

#include <cmath>

#include "model/KdClasses.h"
#include "model/SteelDesign.h"
#include "model/Undefined.h"

namespace vantrel {

namespace {


// ---------------------------------------------------------------------------------------------
// Reset of every result the calculation writes.

void ResetShapeResult(TAnchLevel& level) {
    level.CombinedRatio = kNaN;
    TShapeRes& r = level.Result;
    r.KLr = r.Fe = r.Fcr = r.Pa = r.PUtil = kNaN;
    r.MxAllow = r.MxUtil = r.MyAllow = r.MyUtil = kNaN;
    r.ClassText.clear();
}

void ResetWaler(TWaler& w) {
    w.WalerDepth = w.WalerLoad = w.WalerIx = kNaN;
    w.TotalLength = w.WalerW = w.R1 = w.R2 = kNaN;
    w.V1 = w.V2 = w.V3 = w.V4 = w.MaxShearW = kNaN;
    w.M1 = w.M2 = w.M3 = w.MaxMomentW = kNaN;
    w.RequiredS = w.ProvidedS = kNaN;
    w.MaxDeflectionW = w.MaxDeflectionX = w.AllowableDeflectionW = kNaN;
    FillUndefined(w.WalerDeflections);
    w.ModulusPass = w.DeflectionPass = false;
}

void ResetSystem(TAnchor& a) {
    a.Embedment = a.Lb = a.MaxSpan = kNaN;
    a.CantileverShear = a.CantileverMoment = kNaN;
    a.SumOfReactions = a.SumOfLoads = a.ReferenceSlope = a.ReferenceDeflection = kNaN;
    a.MaxShear = a.MaxShearDepth = a.MaxMoment = a.MaxMomentDepth = kNaN;
    a.MaxDeflectionResult = a.MaxDeflectionDepth = kNaN;
    a.ShearAreaRequired = a.ShearAreaProvided = a.ModulusRequired = a.ModulusProvided = a.UtilizedIx = kNaN;
    a.H0 = a.Rts = a.Lp = a.Lr = a.BucklingCheck = a.Slenderness = a.Fe = a.Fcr = kNaN;
    a.AxialCheck = a.CombinedUtilization = kNaN;
    const size_t n = static_cast<size_t>(a.UsedLevels());
    a.Reactions.assign(n + 1, kNaN);
    a.LevelLoads.assign(n, kNaN);
    a.FreeLengths.assign(n, kNaN);
    a.TestLoads.assign(n, kNaN);
    for (TAnchLevel& level : a.Levels) {
        level.BondLength = kNaN;
        // Tendon counts belong to tiebacks and tie rods; a strut or raker keeps whatever it holds.
        if (level.Kind == lkTieback || level.Kind == lkTieRod) level.BarCount = -1;
        ResetShapeResult(level);
    }
}

void ResetLagging(TLaggingResults& r) {
    r.SizeIndex = 0;
    r.NominalThickness = r.NominalThicknessSI = 0;
    r.ClearSpan = r.CoefficientOfVariation = r.Thickness = r.BoardWidth = kNaN;
    r.CD = r.CF = r.Cfu = r.Ct = r.CMFb = r.CMFv = r.CME = r.CEGrade = r.Ci = r.Cr = r.CP = r.CT = r.Cb =
        kNaN;
    r.Le = r.Emin = r.EminPrime = r.RB = r.FbE = r.FbStar = r.CL = kNaN;
    r.S = r.Q = r.I = r.M = r.FbPrime = r.fb = r.V = r.FvPrime = r.fv = r.EPrime = r.Deflection = kNaN;
    r.LaggingPass = false;
}

void ResetResults(TKdData& d) {
    d.PileWidthLessHalfSpacing = d.SoilPressureRate = d.AuxCopy = kNaN;
    d.AuxResult1 = d.AuxResult2 = d.AuxResult3 = d.AuxResult4 = d.AuxResult5 = d.AuxResult6 = kNaN;
    d.ExtraPileLoad1 = d.ExtraPileLoad2 = kNaN;
    d.PierI = d.Ec = d.SectionIx = d.PileEI = d.EncasedEI = d.RowStep = d.BeamDiagonal = d.PileLength = kNaN;
    FillUndefined(d.PileResults);
    d.PeakShearC = d.PeakShearDepth = kNaN;
    d.PeakMomentAbove = d.PeakMomentAboveDepth = d.PeakMomentBelow = d.PeakMomentBelowDepth = kNaN;
    d.TopDeflection = kNaN;
    d.LpLength = d.LrLength = d.AllowableMoment = d.AllowableMomentBelow = d.BendingRatio = kNaN;
    d.AllowableShear = d.ShearRatio = d.AllowableAxial = d.AxialRatio = d.CombinedRatio = kNaN;
    d.SlendernessKLr = kNaN;
    d.LaggingSoilPressure = d.LaggingMoment = d.LaggingAreaRequired = d.LaggingModulusRequired = kNaN;
    ResetLagging(d.LaggingResults);
    d.SectionModulusProvided = d.SectionModulusRequired = kNaN;
    // TotalVerticalLoad is not reset: the system design rewrites it right after the analysis and
    // compares it with the value that analysis took (see DesignSystem).
    d.VerticalAxialComponent = d.AllowableAxialLoad = kNaN;
    d.Gr = AllUndefined<TGuardrailResults>();
    d.BasalSafetyFactor = kNaN;
    ResetSystem(d.Anchors);
    ResetSystem(d.CornerBraces);
    for (TAnchLevel& level : d.Anchors.Levels)
        ResetWaler(level.Waler);
    // The pier design resets its own results when it runs (always, inside DesignSystem).
}

// ---------------------------------------------------------------------------------------------
// Derived inputs and the extra pile loads.

void DerivedInputs(TKdData& d) {
    d.PileWidthLessHalfSpacing = d.PileWidth - d.PileSpacing / 2.0L;
    // The copies the beam analysis also makes, taken here so that the lagging loads of this
    // calculation see the current soil and spacing.
    d.Anchors.SoilUnitWeight = d.SoilRecords[0].UnitWeight;
    d.Anchors.PileSpacing = d.PileSpacing;
    d.SoilPressureRate = d.Anchors.SurchargeK * d.Anchors.SoilUnitWeight;
    d.SoilRecords[0].Surcharge = d.Anchors.UniformSurcharge;
    d.AuxCopy = d.AuxInput1;
}

// Extra loads of the pile loads section, as moments at the top of the pile (kip-ft | kN-m; the
// inputs are in lb and ft in English). Block A spreads the pressure
// q = a/(a + 2b) x input 5 x factor x cos(soil angle) x 1.35 (soldier beams, sheet piles) or 1.7
// (tangent and secant piles), a = input 3, b = input 2, over the retained height below
// z1 = input 4 + b; its resultant q (H - z1) acts at z1 + (H - z1)/2 from the top. The companion
// load is the product of its two inputs (a force and its lever arm).
void ExtraPileLoads(TKdData& d) {
    const Ext perKip = d.Units == usSI ? 1.0L : 1000.0L; // lb-ft per kip-ft in English
    const Ext a = d.AuxInput3;
    const Ext b = d.AuxInput2;
    const Ext z1 = d.AuxInput4 + d.AuxInput2;
    const Ext factor = (d.PileType == ptTangent || d.PileType == ptSecant) ? 1.7L : 1.35L;
    const Ext below = d.ShoredHeight - z1;
    d.AuxResult1 = z1;
    d.AuxResult3 = below;
    if (a + 2.0L * b == 0.0L) {
        // No strip: no share to spread and no extra load.
        d.AuxResult4 = d.AuxResult2 = 0.0L;
        d.ExtraPileLoad1 = 0.0L;
    } else {
        d.AuxResult4 = a / (a + 2.0L * b);
        d.AuxResult2 =
            d.AuxResult4 * d.AuxInput5 * d.AuxFactor * std::cos(d.SoilRecords[0].Angle * kDegToRad) * factor;
        d.ExtraPileLoad1 = MaxOf(0.0L, (z1 + below / 2.0L) * d.AuxResult2 * below) / perKip;
    }
    d.ExtraPileLoad2 = d.AuxInput6 * d.AuxInput7 / perKip;
    d.AuxResult5 = d.ExtraPileLoad1;
    d.AuxResult6 = d.ExtraPileLoad2;
}

// The extra loads whose check boxes are on, kip-ft | kN-m.
Ext SwitchedExtraLoads(const TKdData& d) {
    return (d.DesignFlag1 ? d.ExtraPileLoad1 : 0.0L) + (d.DesignFlag2 ? d.ExtraPileLoad2 : 0.0L);
}

// The user pressure lists follow the wall: the loading side runs from the top (point 1) to H
// (points 4 and 5) and on to the embedment (point 8).
void UserPressureGeometry(TKdData& d) {
    const Ext H = d.ShoredHeight;
    d.LoadingSidePoints[0].X = 0.0L;
    d.LoadingSidePoints[3].X = H;
    d.LoadingSidePoints[4].X = H;
    d.LoadingSidePoints[7].X = H + H * d.Anchors.EmbedmentRatio;
}

// ---------------------------------------------------------------------------------------------
// The steel section of the pile in in | mm, for the stiffness and the soldier pile check.

struct PileSteel {
    bool valid = false;
    bool pipe = false;
    Ext d = 0, tf = 0, bf = 0, Ix = 0, Iy = 0, Sx = 0, Zx = 0, J = 0, ry = 0, A = 0, Aw = 0;
    Ext catalogIx = 0; // Ix in the unit of SectionIx: in^4 | cm^4
};

PileSteel PileSteelOf(const TKdData& d) {
    const bool si = d.Units == usSI;
    PileSteel s;
    const int index = d.CurrentShapeIndex();
    if (d.PileType != ptSheet && d.PileSection == psPipe && index >= 0) {
        // A pipe pile takes its values from the pipe row itself (mm, mm^2, 10^3 mm^3, 10^6 mm^4 in
        // SI); the pile section layout of a pipe holds only its outline and inertia.
        if (index >= static_cast<int>(d.PipeShapes.size())) return s;
        const TOShape& p = d.PipeShapes[static_cast<size_t>(index)];
        const Ext mod = si ? 1.0e3L : 1.0L, inertia = si ? 1.0e6L : 1.0L;
        s.pipe = true;
        s.d = s.bf = p.OD;
        s.A = p.A;
        s.Sx = p.S * mod;
        s.Zx = p.Z * mod;
        s.ry = p.R;
        s.Ix = s.Iy = p.I * inertia;
        s.catalogIx = si ? p.I * 100.0L : p.I;
        s.valid = true;
        return s;
    }
    TSteelShape row;
    if (!d.GetShape(row)) return s;
    // Pile rows in SI: lengths cm, Ix, Iy, J cm^4, Zx, Sx cm^3, Aw cm^2, A mm^2, Ry mm.
    const Ext len = si ? 10.0L : 1.0L, area = si ? 100.0L : 1.0L, mod = si ? 1.0e3L : 1.0L,
              inertia = si ? 1.0e4L : 1.0L;
    s.pipe = d.PileType != ptSheet && d.PileSection == psPipe; // a user-defined pipe row
    s.d = row.D * len;
    s.tf = row.Tf * len;
    s.bf = row.Bf * len;
    s.Ix = row.Ix * inertia;
    s.Iy = row.Iy * inertia;
    s.Sx = row.Sx * mod;
    s.Zx = row.Zx * mod;
    s.J = row.J * inertia;
    s.ry = row.Ry;
    s.A = row.A;
    s.Aw = row.Aw * area;
    s.catalogIx = row.Ix;
    s.valid = true;
    return s;
}

void SectionProperties(TKdData& d) {
    const bool si = d.Units == usSI;
    const Ext D = d.TributaryWidth();
    d.PierI = si ? kPi * std::pow(D, 4) / 64.0L * 1.0e8L // m^4 -> cm^4
                 : kPi * std::pow(12.0L * D, 4) / 64.0L;
    d.Ec = si ? 4700.0L * SafeSqrt(d.ConcreteFc) : 57000.0L * SafeSqrt(1000.0L * d.ConcreteFc) / 1000.0L;
    const PileSteel s = PileSteelOf(d);
    d.SectionIx = s.valid ? s.catalogIx : kNaN;
    // in^4 x ksi / 144 = kip-ft^2; cm^4 x MPa / 10^5 = kN-m^2.
    const Ext eiDiv = si ? 100000.0L : 144.0L;
    d.PileEI = d.SectionIx * d.SteelE / eiDiv;
    d.EncasedEI = d.PileType == ptSheet ? d.PileEI : d.Ec * d.PierI / eiDiv;
    // A concrete-filled pipe and a rebar-cage pier bend as their concrete section.
    if (d.PileType != ptSheet &&
        (d.PileSection == psRebarCage || (d.PileSection == psPipe && d.PipeFilledWithConcrete))) {
        d.PileEI = d.EncasedEI;
    }
    d.RowStep = d.ShoredHeight / 30.0L;
}

// ---------------------------------------------------------------------------------------------
// Cantilever check of the pile: the pile below the top loaded by the user pressure lists and fixed
// at the deepest row, integrated row by row with the trapezoidal rule.

// Pressure at depth x from four points, the segment chosen by depth (the first up to point 1, the
// second up to point 2, else the third, each extended as its straight line). A segment of zero
// length is a step to its lower point's pressure.
Ext PressureAt(const TPressurePoint* p, Ext x) {
    const int k = x <= p[1].X ? 0 : (x <= p[2].X ? 1 : 2);
    const Ext dx = p[k + 1].X - p[k].X;
    if (dx == 0.0L) return p[k + 1].W;
    return p[k].W + (p[k + 1].W - p[k].W) * (x - p[k].X) / dx;
}

void CantileverTable(TKdData& d) {
    const Ext H = d.ShoredHeight;
    auto& rows = d.PileResults;
    for (int i = 0; i <= 30; ++i)
        rows[i].Depth = i * H / 30.0L;
    rows[31].Depth = H;
    rows[32].Depth = H + d.IgnorePassive;
    for (int i = 33; i <= 43; ++i)
        rows[i].Depth = rows[32].Depth + (i - 33) * 0.04L * H;
    for (int i = 44; i <= 55; ++i)
        rows[i].Depth = rows[43].Depth + (i - 43) * 0.5L * H / 12.0L;
    for (int i = 56; i <= 63; ++i)
        rows[i].Depth = rows[55].Depth + (i - 55) * 0.3L * H / 8.0L;

    const TPressurePoint* loading = d.LoadingSidePoints.data();
    const TPressurePoint* embedded = loading + 4;
    const TPressurePoint* passive = d.PassiveSidePoints.data();
    rows[0].Pressure = loading[0].W;
    for (int i = 1; i <= 30; ++i)
        rows[i].Pressure = PressureAt(loading, rows[i].Depth);
    rows[31].Pressure = loading[4].W;
    rows[32].Pressure = PressureAt(embedded, rows[32].Depth) + passive[0].W;
    for (int i = 33; i <= 55; ++i) {
        rows[i].Pressure = PressureAt(embedded, rows[i].Depth) + PressureAt(passive, rows[i].Depth);
    }
    for (int i = 56; i < kPileResultRows; ++i)
        rows[i].Pressure = 0.0L;

    // Loads at the top of the pile: no lateral force is entered there; the moment carries the
    // extra loads whose check boxes are on.
    const Ext topShear = 0.0L;
    const Ext topMoment = SwitchedExtraLoads(d);
    auto ei = [&](int i) { return i <= 30 ? d.PileEI : d.EncasedEI; };

    TPileResultRow& top = rows[0];
    top.Load = top.Load2 = top.Pressure * d.PileSpacing;
    top.Shear = top.Shear2 = topShear;
    top.Moment = top.Moment2 = topMoment;
    top.RawSlope = top.RawSlope2 = 0.0L;
    for (int i = 1; i < kPileResultRows; ++i) {
        const TPileResultRow& p = rows[i - 1];
        TPileResultRow& r = rows[i];
        const Ext step = r.Depth - p.Depth;
        r.Load = r.Pressure * d.PileSpacing;
        r.Shear = p.Shear + step * (p.Load + r.Load) / 2.0L;
        r.Moment = p.Moment + step * (p.Shear + r.Shear) / 2.0L;
        r.RawSlope = p.RawSlope - SafeDiv(step * (p.Moment + r.Moment) / 2.0L, ei(i));
        // Second case: only the part of the pile above the point where the moment stops being
        // positive takes load.
        const bool loaded = r.Moment > 0.0L;
        r.Load2 = loaded ? r.Load : 0.0L;
        r.Shear2 = loaded ? p.Shear2 + step * (p.Load2 + r.Load2) / 2.0L : 0.0L;
        r.Moment2 = loaded ? p.Moment2 + step * (p.Shear2 + r.Shear2) / 2.0L : 0.0L;
        r.RawSlope2 = p.RawSlope2 - SafeDiv(step * (p.Moment2 + r.Moment2) / 2.0L, ei(i));
        if (IsNaN(r.Moment)) r.Load2 = r.Shear2 = r.Moment2 = r.RawSlope2 = kNaN;
    }

    // Slope and deflection vanish at the fixed deepest row; deflections in in | mm.
    const Ext toSmall = d.Units == usSI ? 1000.0L : 12.0L;
    const TPileResultRow& tip = rows[kPileResultRows - 1];
    const Ext slopeTip = tip.RawSlope, slopeTip2 = tip.RawSlope2;
    for (int i = 0; i < kPileResultRows; ++i) {
        TPileResultRow& r = rows[i];
        r.Slope = r.RawSlope - slopeTip;
        r.Slope2 = r.RawSlope2 - slopeTip2;
        if (i == 0) {
            r.RawDeflection = r.RawDeflection2 = 0.0L;
            continue;
        }
        const TPileResultRow& p = rows[i - 1];
        const Ext step = r.Depth - p.Depth;
        r.RawDeflection = p.RawDeflection + step * (p.Slope + r.Slope) / 2.0L;
        r.RawDeflection2 = p.RawDeflection2 + step * (p.Slope2 + r.Slope2) / 2.0L;
    }
    const Ext deflTip = tip.RawDeflection, deflTip2 = tip.RawDeflection2;
    for (TPileResultRow& r : rows) {
        r.Deflection = (r.RawDeflection - deflTip) * toSmall;
        r.Deflection2 = (r.RawDeflection2 - deflTip2) * toSmall;
    }
}

// Row of the largest (or smallest) value of a column over rows [from, to]; the first row wins a
// tie; -1 when a value is undefined.
template <typename Get> int ExtremeRow(const TKdData& d, int from, int to, bool largest, Get get) {
    int best = from;
    for (int i = from; i <= to; ++i) {
        const Ext v = get(d.PileResults[i]);
        if (IsNaN(v)) return -1;
        if (largest ? v > get(d.PileResults[best]) : v < get(d.PileResults[best])) best = i;
    }
    return best;
}

// Peaks of the second case; returns the row of the peak moment above the excavation (-1 undefined).
int CantileverExtremes(TKdData& d) {
    const auto shear2 = [](const TPileResultRow& r) { return r.Shear2; };
    const auto moment2 = [](const TPileResultRow& r) { return r.Moment2; };
    const int last = kPileResultRows - 1;
    const int hi = ExtremeRow(d, 0, last, true, shear2);
    const int lo = ExtremeRow(d, 0, last, false, shear2);
    if (hi >= 0 && lo >= 0) {
        const int row = std::fabs(d.PileResults[lo].Shear2) > std::fabs(d.PileResults[hi].Shear2) ? lo : hi;
        d.PeakShearC = d.PileResults[row].Shear2;
        d.PeakShearDepth = d.PileResults[row].Depth;
    }
    const int above = ExtremeRow(d, 0, 30, true, moment2);
    if (above >= 0) {
        d.PeakMomentAbove = d.PileResults[above].Moment2;
        d.PeakMomentAboveDepth = d.PileResults[above].Depth;
    }
    const int below = ExtremeRow(d, 31, last, true, moment2);
    if (below >= 0) {
        d.PeakMomentBelow = d.PileResults[below].Moment2;
        d.PeakMomentBelowDepth = d.PileResults[below].Depth;
    }
    d.TopDeflection = std::fabs(d.PileResults[0].Deflection2);
    return above;
}

// ---------------------------------------------------------------------------------------------
// Soldier pile member check (allowable strength design, Omega = 1.67) over the shored height.

void SoldierPileCheck(TKdData& d) {
    const bool si = d.Units == usSI;
    const bool sheet = d.PileType == ptSheet;
    // Beam diagonal: the clearance an I-beam needs in its drilled hole (in | cm).
    if (!sheet && d.PileSection == psIBeam) {
        TSteelShape row;
        d.BeamDiagonal = d.GetShape(row) ? std::sqrt(row.Bf * row.Bf + row.D * row.D) : kNaN;
    } else {
        d.BeamDiagonal = d.SectionDepth();
    }
    const int aboveRow = CantileverExtremes(d);
    // A sheet pile is checked by its section modulus after the analysis; a rebar cage by the pier
    // design: neither has a steel member to check here.
    if (sheet || d.PileSection == psRebarCage) return;
    const PileSteel s = PileSteelOf(d);
    if (!s.valid) return;

    const Ext E = d.SteelE, Fy = d.SteelFy, omega = steel::kOmega;
    const Ext len = si ? 1000.0L : 12.0L;      // in | mm per ft | m
    const Ext momentDiv = si ? 1.0e6L : 12.0L; // N-mm | kip-in per kN-m | kip-ft
    const Ext forceDiv = si ? 1000.0L : 1.0L;  // N | kips per kN | kips
    const Ext Lb = d.ShoredHeight * len;

    if (s.pipe) {
        d.AllowableMoment = Fy * 0.78L * s.Sx / momentDiv;
        d.AllowableMomentBelow = d.AllowableMoment;
        d.AllowableShear = 0.18L * Fy * s.A / forceDiv;
    } else {
        const Ext Lp = steel::LimitLp(s.ry, E, Fy);
        const Ext h0 = s.d - s.tf;
        const Ext rts = SafeSqrt(SafeDiv(h0 * s.Iy, 2.0L * s.Sx));
        const Ext Lr = steel::LimitLr(rts, E, Fy, s.J, s.Sx, h0);
        d.LpLength = Lp / len;
        d.LrLength = Lr / len;
        d.AllowableMoment =
            steel::LtbMoment(Fy, s.Zx, s.Sx, E, Lb, Lp, Lr, 1.0L, s.J, h0, rts) / omega / momentDiv;
        d.AllowableMomentBelow = Fy * s.Zx / omega / momentDiv;
        d.AllowableShear = 0.6L * Fy * s.Aw / 1.5L / forceDiv;
    }
    if (!(d.AllowableMoment > 0.0L)) d.AllowableMoment = kNaN;
    if (!(d.AllowableMomentBelow > 0.0L)) d.AllowableMomentBelow = kNaN;
    if (!(d.AllowableShear > 0.0L)) d.AllowableShear = kNaN;

    d.SlendernessKLr = MaxOf(0.1L, SafeDiv(2.1L * Lb, s.ry));
    // Elastic buckling where Fe < 0.44 Fy, i.e. KL/r beyond pi sqrt(E / 0.44 Fy) = 4.736 sqrt(E/Fy):
    // the soldier pile's own limit, a little past the 4.71 sqrt(E/Fy) of the member checks.
    const Ext Fe = steel::EulerStress(E, d.SlendernessKLr);
    const Ext Fcr = !(Fe > 0.0L) || !(Fy > 0.0L) ? kNaN
                    : Fe < 0.44L * Fy            ? 0.877L * Fe
                                                 : std::pow(0.658L, Fy / Fe) * Fy;
    d.AllowableAxial = Fcr * s.A / omega / forceDiv;
    if (!(d.AllowableAxial > 0.0L)) d.AllowableAxial = kNaN;

    // Bending with the axial load acting on the deflected pile: above the excavation the lever arm
    // is the top deflection relative to the section of the peak moment, below it the whole top
    // deflection (in | mm back to ft | m).
    const Ext P = d.AxialLoad;
    const Ext leverAbove =
        aboveRow >= 0 ? std::fabs(d.PileResults[0].Deflection2 - d.PileResults[aboveRow].Deflection2) : kNaN;
    const Ext above = SafeDiv(d.PeakMomentAbove + P * leverAbove / len, d.AllowableMoment);
    const Ext below = SafeDiv(d.PeakMomentBelow + P * d.TopDeflection / len, d.AllowableMomentBelow);
    d.BendingRatio = 100.0L * MaxOf(above, below);
    d.ShearRatio = SafeDiv(std::fabs(d.PeakShearC), d.AllowableShear) * 100.0L;
    d.AxialRatio = SafeDiv(100.0L * P, d.AllowableAxial);
    d.CombinedRatio = 100.0L * steel::InteractionRatio(d.AxialRatio / 100.0L, d.BendingRatio / 100.0L, 0.0L);
}

// ---------------------------------------------------------------------------------------------
// Lagging between soldier beams: the loads, the required section and the timber size loop.

void LaggingLoads(TKdData& d) {
    if (d.PileType != ptSoldierBeam) return;
    const bool si = d.Units == usSI;
    const TAnchor& a = d.Anchors;
    const Ext s = d.PileSpacing - d.PileWidth; // clear span, ft | m
    d.LaggingSoilPressure =
        (s * 0.35L * a.UniformSurcharge + a.SurchargeK * a.SoilUnitWeight * s) * d.ArchingFactor;
    // lb-ft (English, with the extra loads from kip-ft) | kN-m (SI).
    d.LaggingMoment = si ? d.LaggingSoilPressure * 0.7L * s * s / 8.0L + SwitchedExtraLoads(d)
                         : (d.PileWidth / 2.0L + 0.3125L * s) * d.LaggingSoilPressure * s / 3.0L +
                               1000.0L * SwitchedExtraLoads(d);
    const Ext toSmallMoment = si ? 1.0e6L : 12.0L; // N-mm | lb-in
    switch (d.LaggingType) {
    case ltTimber: {
        // A board spanning s between the piles: shear V = p s / 2 (lb | kN) against 1.5 V / Fv, and
        // the moment against the bending stress adjusted by the size and flat-use factors.
        const Ext V = d.LaggingSoilPressure * s / 2.0L;
        d.LaggingAreaRequired = SafeDiv(1.5L * V * (si ? 1000.0L : 1.0L), d.TimberFv); // in^2 | mm^2
        d.LaggingModulusRequired =
            SafeDiv(d.LaggingMoment * toSmallMoment,
                    d.TimberFb * d.LaggingSizeFactor * d.LaggingFlatUseFactor); // in^3|mm^3
        break;
    }
    case ltSteelPlate:
    case ltConcrete:
        d.LaggingAreaRequired = 0.0L;
        d.LaggingModulusRequired =
            SafeDiv(d.LaggingMoment * toSmallMoment, d.SteelFy * (si ? 1.0L : 1000.0L));
        break;
    default:
        break;
    }
    if (d.LaggingType != ltTimber) return;
    for (int size = 0; size <= 6; ++size) {
        if (d.CheckLagging(size)) break;
    }
}

// ---------------------------------------------------------------------------------------------
// After the analysis of the wall system.

// Vertical loads on the pile: the vertical components of the support test loads and the axial load,
// against skin friction over the embedment and end bearing of a pier of diameter B.
void VerticalLoads(TKdData& d) {
    if (d.PileType == ptSheet) {
        d.VerticalAxialComponent = d.TotalVerticalLoad = d.AllowableAxialLoad = kNaN;
        return;
    }
    const TAnchor& a = d.Anchors;
    Ext sum = 0.0L;
    for (int j = 0; j < a.UsedLevels(); ++j) {
        const Ext test =
            j < static_cast<int>(a.TestLoads.size()) ? a.TestLoads[static_cast<size_t>(j)] : kNaN;
        sum += test * std::sin(a.Levels[static_cast<size_t>(j)].Angle * kDegToRad);
    }
    d.VerticalAxialComponent = sum;
    d.TotalVerticalLoad = sum + d.AxialLoad;
    const Ext B = d.PileWidth;
    d.AllowableAxialLoad =
        d.AllowSkinFriction * a.Embedment * B * kPi + kPi * d.AllowEndBearing * (B / 2.0L) * (B / 2.0L);
}

void SheetPileModulus(TKdData& d) {
    if (d.PileType != ptSheet) return;
    TSteelShape row;
    d.SectionModulusProvided = d.GetShape(row) ? row.Sx : kNaN;
    // kip-ft x 12 / ksi = in^3; kN-m x 10^6 / MPa = mm^3, / 10^3 for the cm^3 (10^3 mm^3) of the row.
    const Ext toModulus = d.Units == usSI ? 1000.0L : 12.0L;
    d.SectionModulusRequired = SafeDiv(std::fabs(d.Anchors.MaxMoment) * toModulus, 0.6L * d.SteelFy);
}

} // namespace

void TKdData::DesignSystem() {
    AnalyseBeam(Anchors);
    // The vertical loads follow the support loads of this analysis at once, so that nothing
    // later reads those of an earlier calculation. The analysis took the pile's vertical load
    // before its supports were known (the value of the last calculation); when the current one
    // differs, the member check of the pile, the one step that reads it, runs again with it.
    VerticalLoads(*this);
    const bool sameLoad = Anchors.TotalVerticalLoad == TotalVerticalLoad ||
                          (IsNaN(Anchors.TotalVerticalLoad) && IsNaN(TotalVerticalLoad));
    if (!sameLoad) {
        Anchors.TotalVerticalLoad = TotalVerticalLoad;
        CheckPileMember(Anchors);
    }
    // The analysis rewrote the anchors' total vertical load, a setting the corner braces share.
    CopySharedSettings();
    CountTendons();
    CornerBraceLoads();
    // The pier is designed for the moment of this calculation's analysis.
    DesignPier();
}

void TKdData::Calculate() {
    // The bar and angle tables follow the bar standard and the units of this calculation, however
    // the inputs were changed.
    LoadRebarTable();
    LoadAngleTable();
    ResetResults(*this);
    DerivedInputs(*this);
    ExtraPileLoads(*this);
    UserPressureGeometry(*this);
    SectionProperties(*this);
    CantileverTable(*this);
    SoldierPileCheck(*this);
    LaggingLoads(*this);
    DesignSystem();
    SheetPileModulus(*this);
    DesignBond();
    DesignGuardrail();
    BasalHeaveCheck();
    // A system of more levels than it can have is not analysed, and its walers not designed.
    if (Anchors.LevelCount <= kMaxLevelCount) {
        for (int i = 0; i < Anchors.UsedLevels(); ++i)
            DesignWaler(i);
    }
}

} // namespace vantrel
