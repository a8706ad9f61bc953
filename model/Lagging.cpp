// Timber lagging between soldier beams: one board thickness checked in bending, shear and deflection
// by allowable stress design of sawn lumber with its adjustment factors (size, flat use, wet service,
// beam stability).
//
// Units: English lengths in (the clear span s in ft for the loads), stresses psi, E in 10^6 psi, soil
// pressure psf; SI lengths mm (s in m), stresses MPa, E in GPa, pressure kPa, with S, Q and I held
// in 10^4 mm units (x 0.0001) so the stress formulas carry their own factors.

#include <array>
#include <cmath>

#include "model/KdClasses.h"

namespace vantrel {

namespace {

struct LumberSize {
    int nominal;   // in
    int nominalSI; // mm
    Ext dressed;   // in
};

constexpr std::array<LumberSize, 7> kSizes{{
    {2, 50, 1.5L},
    {3, 75, 2.5L},
    {4, 100, 3.5L},
    {6, 150, 5.5L},
    {8, 200, 7.25L},
    {10, 250, 9.25L},
    {12, 300, 11.25L},
}};

constexpr Ext kBoardWidth = 11.25L; // in, every thickness
constexpr Ext kCovE = 0.25L;        // coefficient of variation of E for sawn lumber

void SetUndefined(TLaggingResults& r) {
    for (Ext* f : {&r.ClearSpan, &r.CoefficientOfVariation,
                   &r.Thickness, &r.BoardWidth,
                   &r.CD,        &r.CF,
                   &r.Cfu,       &r.Ct,
                   &r.CMFb,      &r.CMFv,
                   &r.CME,       &r.CEGrade,
                   &r.Ci,        &r.Cr,
                   &r.CP,        &r.CT,
                   &r.Cb,        &r.Le,
                   &r.Emin,      &r.EminPrime,
                   &r.RB,        &r.FbE,
                   &r.FbStar,    &r.CL,
                   &r.S,         &r.Q,
                   &r.I,         &r.M,
                   &r.FbPrime,   &r.fb,
                   &r.V,         &r.FvPrime,
                   &r.fv,        &r.EPrime,
                   &r.Deflection})
        *f = kNaN;
    r.LaggingPass = false;
}

} // namespace

bool TKdData::CheckLagging(int sizeIndex) {
    TLaggingResults& r = LaggingResults;
    SetUndefined(r);
    r.SizeIndex = sizeIndex;
    if (sizeIndex < 0 || sizeIndex >= static_cast<int>(kSizes.size())) {
        r.NominalThickness = 0;
        r.NominalThicknessSI = 0;
        return false;
    }
    const LumberSize& size = kSizes[static_cast<size_t>(sizeIndex)];
    const bool english = Units == usEnglish;
    const Ext mm = english ? 1.0L : 25.4L;    // in to the project's small length unit
    const Ext si4 = english ? 1.0L : 0.0001L; // mm^3, mm^4 held in 10^4 units in SI

    r.NominalThickness = size.nominal;
    r.NominalThicknessSI = size.nominalSI;
    r.CoefficientOfVariation = kCovE;
    const Ext s = PileSpacing - PileWidth; // clear span, ft or m
    r.ClearSpan = s * (english ? 12.0L : 1000.0L);
    r.Thickness = size.dressed * mm;
    r.BoardWidth = kBoardWidth * mm;
    const Ext t = r.Thickness;
    const Ext w = r.BoardWidth;

    // Adjustment factors.
    const bool thin = size.nominal <= 4;
    r.CD = 1.0L;
    r.CF = size.nominal == 4 ? 1.1L : 1.0L;
    if (size.nominal <= 3)
        r.Cfu = 1.2L;
    else if (size.nominal == 4)
        r.Cfu = 1.1L;
    else
        r.Cfu = LumberGrade == 2 ? 0.86L : LumberGrade == 0 ? 0.74L : 1.0L;
    r.Ct = 1.0L;
    // Wet service reduces the bending value of thin boards when Fb CF exceeds 1150 psi (7.93 MPa).
    r.CMFb = thin && TimberFb * r.CF > UnitVal(7.93L, 1150.0L) ? 0.85L : 1.0L;
    r.CMFv = thin ? 0.97L : 1.0L;
    r.CME = thin ? 0.9L : 1.0L;
    r.CEGrade = !thin && LumberGrade == 0 ? 0.9L : 1.0L;
    r.Ci = r.Cr = r.CP = r.CT = r.Cb = 1.0L;

    if (!(r.ClearSpan > 0.0L)) return false; // no span between the piles: nothing to check

    // Beam stability of the board on edge over its clear span.
    r.Le = 2.06L * r.ClearSpan;
    r.Emin = TimberE * (1.0L - 1.645L * kCovE) * 1.03L / 1.66L * (english ? 1.0e6L : 1000.0L); // psi or MPa
    r.EminPrime = r.Emin * r.CME * r.CEGrade * r.Ct * r.Ci * r.CT;
    r.RB = std::sqrt(r.Le * t / (w * w));
    r.FbE = 1.2L * r.EminPrime / (r.RB * r.RB);
    r.FbStar = TimberFb * r.CD * r.CMFb * r.Ct * r.CF * r.Ci * r.Cr;
    if (r.RB <= 50.0L) {
        const Ext ratio = SafeDiv(r.FbE, r.FbStar);
        const Ext a = (1.0L + ratio) / 1.9L;
        r.CL = a - SafeSqrt(a * a - ratio / 0.95L);
    } else {
        r.CL = 0.0L;
    }

    r.S = w * t * t / 6.0L * si4;
    r.Q = w * t * t / 8.0L * si4;
    r.I = w * t * t * t / 12.0L * si4;

    // Bending: lb-ft per ft (English) or N m per m (SI), plus the extra pile loads that are switched on.
    r.M = LaggingSoilPressure * s * s / 8.0L * (english ? 1.0L : 1000.0L);
    if (DesignFlag1) r.M += 1000.0L * ExtraPileLoad1;
    if (DesignFlag2) r.M += 1000.0L * ExtraPileLoad2;
    r.FbPrime = r.FbStar * r.Cfu * r.CL;
    r.fb = w * r.M / r.S * si4;

    // Shear.
    r.V = 0.5L * s * LaggingSoilPressure;
    r.FvPrime = TimberFv * r.CD * r.CMFv * r.Ct * r.Ci;
    r.fv = r.Q * r.V / r.I * (english ? 1.0L / 12.0L : 1.0L);

    // Deflection of a simply supported board: 5 q s^4 / (384 E' I) in in or mm.
    r.EPrime = TimberE * r.CME * r.CEGrade * r.Ct * r.Ci;
    r.Deflection = SafeDiv(5.0L * w * LaggingSoilPressure * s * s * s * s, 384.0L * r.I * r.EPrime) *
                   (english ? 0.000144L : 100.0L);

    r.LaggingPass = SafeDiv(r.fb, r.FbPrime) <= 1.0L && SafeDiv(r.fv, r.FvPrime) <= 1.0L &&
                    SafeDiv(r.Deflection, r.ClearSpan / 180.0L) <= 1.0L;
    return r.LaggingPass;
}

} // namespace vantrel
