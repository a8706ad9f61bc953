// Guardrail post: one single angle welded to the pile, a cantilever of the guardrail's height under a
// load in any direction. Allowable strength design of the angle in compression (flexural buckling with
// the effective slenderness of a single angle) and in bending (yielding and lateral-torsional
// buckling about a geometric axis), and the stresses in the two fillet welds.
//
// Units: the angle row in in, in^2, in^3 with ksi (English) or mm, mm^2, 10^3 mm^3 with MPa (SI);
// the post length enters in in or mm. Loads in kips or kN, moments in kip-ft or kN-m, weld stresses in
// ksi or MPa.

#include <cmath>

#include "model/KdClasses.h"
#include "model/SteelDesign.h"

namespace vantrel {

namespace {

// Every result of the guardrail step, undefined while the post cannot be checked.
constexpr Ext TGuardrailResults::*kGuardrailResults[] = {
    &TGuardrailResults::GrFy,
    &TGuardrailResults::GrFu,
    &TGuardrailResults::GrE,
    &TGuardrailResults::GrCb,
    &TGuardrailResults::GrSlenderness,
    &TGuardrailResults::GrFe,
    &TGuardrailResults::GrFcr,
    &TGuardrailResults::GrPn,
    &TGuardrailResults::GrAllowCompression,
    &TGuardrailResults::GrLoad,
    &TGuardrailResults::GrMy,
    &TGuardrailResults::GrMyLimit,
    &TGuardrailResults::GrMe,
    &TGuardrailResults::GrMnLtb,
    &TGuardrailResults::GrMyLimitCopy,
    &TGuardrailResults::GrAllowMoment,
    &TGuardrailResults::GrMoment,
    &TGuardrailResults::GrFexx,
    &TGuardrailResults::GrWeldFactor,
    &TGuardrailResults::GrPx,
    &TGuardrailResults::GrPy,
    &TGuardrailResults::GrPz,
    &TGuardrailResults::GrWeldSize,
    &TGuardrailResults::GrThroat,
    &TGuardrailResults::GrWeldLength,
    &TGuardrailResults::GrLeg,
    &TGuardrailResults::GrMx,
    &TGuardrailResults::GrMy2,
    &TGuardrailResults::GrMz,
    &TGuardrailResults::GrWeldArea,
    &TGuardrailResults::GrWeldAreaZ,
    &TGuardrailResults::GrWeldAreaTotal,
    &TGuardrailResults::GrWeldSx,
    &TGuardrailResults::GrWeldSy,
    &TGuardrailResults::GrWeldSz,
    &TGuardrailResults::GrShearY,
    &TGuardrailResults::GrNormalY,
    &TGuardrailResults::GrAngleY,
    &TGuardrailResults::GrStressY,
    &TGuardrailResults::GrAllowY,
    &TGuardrailResults::GrShearX,
    &TGuardrailResults::GrNormalX,
    &TGuardrailResults::GrAngleX,
    &TGuardrailResults::GrStressX,
    &TGuardrailResults::GrAllowX,
};

// Effective slenderness of a single angle connected through one leg: 72 + 0.75 L/r up to L/r = 80,
// 32 + 1.25 L/r beyond.
Ext AngleSlenderness(Ext lOverR) {
    if (IsNaN(lOverR)) return kNaN;
    return lOverR <= 80.0L ? 72.0L + 0.75L * lOverR : 32.0L + 1.25L * lOverR;
}

// Nominal moment of a single angle from the elastic lateral-torsional buckling moment Me and the
// yield moment My: Me (0.92 - 0.17 Me/My) when Me <= My, else My (1.92 - 1.17 sqrt(My/Me)).
Ext AngleLtbMoment(Ext Me, Ext My) {
    if (!(My > 0.0L) || !(Me > 0.0L)) return kNaN;
    if (Me <= My) return Me * (0.92L - 0.17L * Me / My);
    return My * (1.92L - 1.17L * std::sqrt(My / Me));
}

// Allowable stress of a fillet weld loaded at angle theta to its axis, 0.6 Fexx (1 + 0.5 sin^2 theta)
// over the weld safety factor.
Ext WeldAllowable(Ext Fexx, Ext theta, Ext omega) {
    const Ext s = std::sin(theta);
    return 0.6L * Fexx * (1.0L + 0.5L * s * s) / omega;
}

} // namespace

void TKdData::DesignGuardrail() {
    GuardrailBracing = GuardrailLength;
    GuardrailCompressionFactor = 1.67L;
    GuardrailBendingFactor = 1.67L;
    if (!UseGuardrail) return;

    TGuardrailResults& g = Gr;
    for (const auto field : kGuardrailResults)
        g.*field = kNaN;
    if (GuardrailAngle < 0 || GuardrailAngle >= static_cast<int>(AngleTable.size())) return;
    const TGRShape& angle = AngleTable[static_cast<size_t>(GuardrailAngle)];

    const bool english = Units == usEnglish;
    const Ext lengthFactor = english ? 12.0L : 1000.0L; // in per ft, mm per m
    const Ext forceFactor = english ? 1.0L : 1000.0L;   // ksi x in^2 = kips; MPa x mm^2 = N per kN
    // Fy S (ksi x in^3 = kip-in, MPa x 10^3 mm^3 = N m) to kip-ft or kN-m.
    const Ext yieldMomentFactor = english ? 12.0L : 1000.0L;
    // E b^4 t / L^2 (ksi x in^3 = kip-in, MPa x mm^3 = N mm) to kip-ft or kN-m.
    const Ext bucklingMomentFactor = english ? 12.0L : 1.0e6L;
    // Weld stresses: kips / in^2 = ksi; kN / mm^2 x 1000 = MPa.
    const Ext stressFactor = english ? 1.0L : 1000.0L;

    g.GrFy = UnitVal(248.2L, 36.0L);
    g.GrFu = UnitVal(399.9L, 58.0L);
    g.GrE = UnitVal(199948.0L, 29000.0L);
    g.GrCb = 1.5L;
    const Ext L = GuardrailLength * lengthFactor;

    // Compression.
    g.GrSlenderness = AngleSlenderness(SafeDiv(L, angle.R));
    g.GrFe = steel::EulerStress(g.GrE, g.GrSlenderness);
    g.GrFcr = steel::CriticalStress(g.GrFy, g.GrFe, g.GrSlenderness, g.GrE);
    g.GrPn = angle.A * g.GrFcr / forceFactor;
    g.GrAllowCompression = g.GrPn / GuardrailCompressionFactor;

    // Load: the distributed load over the post spacing (plf x ft = lb, kN/m x m = kN) or the point
    // load, whichever is larger; lb to kips in English.
    const Ext spread = GuardrailSpacing * GuardrailLoad;
    const Ext P = (spread > GuardrailPointLoad ? spread : GuardrailPointLoad) / (english ? 1000.0L : 1.0L);
    g.GrLoad = P;

    // Bending about a geometric axis, lateral-torsional buckling with Cb 1.5 and the 1.25 factor of a
    // post restrained at the point of maximum moment.
    const Ext b = angle.D;
    const Ext t = angle.T;
    g.GrMy = angle.S * g.GrFy / yieldMomentFactor;
    g.GrMyLimit = 1.5L * g.GrMy;
    const Ext slenderLeg = SafeDiv(L * t, b * b);
    g.GrMe = 1.25L * SafeDiv(0.66L * g.GrE * b * b * b * b * t * g.GrCb, L * L) *
             (std::sqrt(1.0L + 0.78L * slenderLeg * slenderLeg) - 1.0L) / bucklingMomentFactor;
    g.GrMnLtb = AngleLtbMoment(g.GrMe, g.GrMy);
    g.GrMyLimitCopy = g.GrMyLimit;
    g.GrAllowMoment = MinOf(g.GrMnLtb, g.GrMyLimit) / GuardrailBendingFactor;
    g.GrMoment = GuardrailLength * g.GrLoad;

    // Weld group: two fillet welds along the leg.
    g.GrFexx = UnitVal(482.633L, 70.0L);
    g.GrWeldFactor = 2.0L;
    g.GrPx = P;
    g.GrPy = P;
    g.GrPz = 0.0L;
    g.GrWeldSize = UnitVal(4.762L, 0.1875L);
    g.GrThroat = g.GrWeldSize / std::sqrt(2.0L);
    g.GrWeldLength = UnitVal(152.4L, 6.0L);
    g.GrLeg = b;
    g.GrMx = g.GrMoment * lengthFactor; // kip-in or kN-mm
    g.GrMy2 = g.GrMx;
    g.GrMz = g.GrMx;
    const Ext lw = g.GrWeldLength;
    g.GrWeldArea = 2.0L * g.GrThroat * lw;
    g.GrWeldAreaZ = 0.0L;
    g.GrWeldAreaTotal = std::sqrt(g.GrWeldArea * g.GrWeldArea + g.GrWeldAreaZ * g.GrWeldAreaZ);
    g.GrWeldSx = b * 0.5L * lw * g.GrThroat * 2.0L;
    g.GrWeldSy = g.GrThroat * 2.0L * lw * lw / 6.0L;
    g.GrWeldSz = SafeDiv(lw * g.GrThroat * 2.0L * (b / 2.0L) * (b / 2.0L), b / 2.0L);

    // Load along the y-axis: direct shear, and normal stress from the load and the moment. A vanishing
    // shear is taken as 0.001 so that the load angle stays defined.
    g.GrShearY = P / g.GrWeldArea * stressFactor;
    g.GrNormalY = (P / g.GrWeldAreaTotal + g.GrMy2 / g.GrWeldSy) * stressFactor;
    g.GrAngleY = std::atan(SafeDiv(g.GrNormalY, MaxOf(g.GrShearY, 0.001L)));
    g.GrStressY = std::hypot(g.GrShearY, g.GrNormalY);
    g.GrAllowY = WeldAllowable(g.GrFexx, g.GrAngleY, g.GrWeldFactor);

    // Load along the x-axis.
    g.GrShearX = MaxOf(SafeDiv(g.GrMx, g.GrWeldSx), 0.001L) * stressFactor;
    g.GrNormalX = (P / g.GrWeldAreaTotal + SafeDiv(g.GrMy2, g.GrWeldSz) + g.GrMz / g.GrWeldSy) * stressFactor;
    g.GrAngleX = std::atan(SafeDiv(g.GrNormalX, g.GrShearX));
    g.GrStressX = std::hypot(g.GrShearX, g.GrNormalX);
    g.GrAllowX = WeldAllowable(g.GrFexx, g.GrAngleX, g.GrWeldFactor);
}

} // namespace vantrel
