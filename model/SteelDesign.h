#pragma once
// Allowable strength design of steel members, written once for every check that needs it: the
// strut and raker member check, the soldier pile check, the pile check of the beam analysis and
// the guardrail post.
//
// Every function works in one consistent system chosen by its caller: stresses (E, Fy, F) in one
// unit, lengths (L, r, rts, h0, d) in one unit, section moduli and J in that length unit's cube
// and fourth power. Moments come back as stress x modulus (kip-in with ksi and in^3); the caller
// converts at the call site. Undefined inputs (zero radius, zero modulus) give NaN, never a pass.

#include <cmath>

#include "model/Numeric.h"

namespace vantrel::steel {

inline constexpr Ext kOmega = 1.67L; // ASD safety factor for compression and flexure

// Elastic (Euler) buckling stress for slenderness KL/r.
inline Ext EulerStress(Ext E, Ext klr) { return SafeDiv(kPi * kPi * E, klr * klr); }

// Critical flexural buckling stress: inelastic 0.658^(Fy/Fe) Fy while KL/r <= 4.71 sqrt(E/Fy)
// (equivalently Fe >= 0.44 Fy), elastic 0.877 Fe beyond.
inline Ext CriticalStress(Ext Fy, Ext Fe, Ext klr, Ext E) {
    if (IsNaN(Fe) || IsNaN(Fy) || Fe <= 0.0L || Fy <= 0.0L || E <= 0.0L) return kNaN;
    if (klr > 4.71L * std::sqrt(E / Fy)) return 0.877L * Fe;
    return std::pow(0.658L, Fy / Fe) * Fy;
}

// Limiting unbraced length for yielding, Lp = 1.76 ry sqrt(E/Fy) (length unit of ry).
inline Ext LimitLp(Ext ry, Ext E, Ext Fy) {
    if (!(ry > 0.0L) || !(E > 0.0L) || !(Fy > 0.0L)) return kNaN;
    return 1.76L * ry * std::sqrt(E / Fy);
}

// Limiting unbraced length for inelastic lateral-torsional buckling (doubly symmetric I, c = 1):
// Lr = 1.95 rts E/(0.7 Fy) sqrt(J/(Sx h0) + sqrt((J/(Sx h0))^2 + 6.76 (0.7 Fy/E)^2)).
inline Ext LimitLr(Ext rts, Ext E, Ext Fy, Ext J, Ext Sx, Ext h0) {
    if (!(rts > 0.0L) || !(E > 0.0L) || !(Fy > 0.0L) || !(Sx > 0.0L) || !(h0 > 0.0L) || J < 0.0L) return kNaN;
    const Ext jr = J / (Sx * h0);
    const Ext f = 0.7L * Fy / E;
    return 1.95L * rts * (E / (0.7L * Fy)) * std::sqrt(jr + std::sqrt(jr * jr + 6.76L * f * f));
}

// Nominal flexural strength for lateral-torsional buckling of a doubly symmetric I-shape,
// capped at the plastic moment Mp = Fy Zx (Cb > 1 never lifts the strength above Mp).
inline Ext LtbMoment(Ext Fy, Ext Zx, Ext Sx, Ext E, Ext Lb, Ext Lp, Ext Lr, Ext Cb, Ext J, Ext h0, Ext rts) {
    const Ext Mp = Fy * Zx;
    if (IsNaN(Mp) || IsNaN(Lb) || IsNaN(Lp) || IsNaN(Lr)) return kNaN;
    if (Lb <= Lp) return Mp;
    if (Lb <= Lr) {
        if (Lr <= Lp) return kNaN;
        return MinOf(Cb * (Mp - (Mp - 0.7L * Fy * Sx) * (Lb - Lp) / (Lr - Lp)), Mp);
    }
    if (!(rts > 0.0L) || !(Sx > 0.0L) || !(h0 > 0.0L)) return kNaN;
    const Ext s = Lb / rts;
    const Ext Fcr = Cb * kPi * kPi * E / (s * s) * std::sqrt(1.0L + 0.078L * J / (Sx * h0) * s * s);
    return MinOf(Fcr * Sx, Mp);
}

// Ratio of effective to full width of a slender element in compression, be/b = (1 - c1 sqrt(Fel/Fcr))
// sqrt(Fel/Fcr) with Fel = (c2 lambdaR / lambda)^2 Fy, c1 0.22 and c2 1.49; 1 while the element is
// not slender at the member's stress (lambda <= lambdaR sqrt(Fy/Fcr)).
inline Ext EffectiveWidthRatio(Ext lambda, Ext lambdaR, Ext Fy, Ext Fcr) {
    if (IsNaN(lambda) || IsNaN(lambdaR) || !(Fy > 0.0L) || !(Fcr > 0.0L) || lambda < 0.0L) return kNaN;
    if (lambda <= lambdaR * std::sqrt(Fy / Fcr)) return 1.0L;
    const Ext ratio = 1.49L * lambdaR / lambda;
    const Ext root = std::sqrt(ratio * ratio * Fy / Fcr);
    return (1.0L - 0.22L * root) * root;
}

// Nominal flexural strength of an I-shape for flange local buckling about the strong axis with a
// compact or noncompact web (lambda = bf/2tf): Mp while compact, the linear transition to 0.7 Fy Sx
// over lambdaP..lambdaR, 0.9 E kc Sx / lambda^2 for a slender flange. A flange exactly at a limit
// falls into the next class.
inline Ext FlangeBucklingMoment(Ext Fy, Ext Zx, Ext Sx, Ext E, Ext lambda, Ext lambdaP, Ext lambdaR, Ext kc) {
    const Ext Mp = Fy * Zx;
    if (IsNaN(Mp) || IsNaN(lambda) || IsNaN(lambdaP) || IsNaN(lambdaR)) return kNaN;
    if (lambda < lambdaP) return Mp;
    if (lambda < lambdaR) return Mp - (Mp - 0.7L * Fy * Sx) * (lambda - lambdaP) / (lambdaR - lambdaP);
    return MinOf(SafeDiv(0.9L * E * kc * Sx, lambda * lambda), Mp);
}

// Bending strength reduction of a slender web, Rpg = 1 - aw/(1200 + 300 aw) (h/tw - 5.7 sqrt(E/Fy)),
// at most 1, with aw the web-to-flange area ratio (at most 10).
inline Ext SlenderWebFactor(Ext aw, Ext hOverTw, Ext E, Ext Fy) {
    if (!(Fy > 0.0L) || !(E > 0.0L)) return kNaN;
    return MinOf(1.0L - aw / (1200.0L + 300.0L * aw) * (hOverTw - 5.7L * std::sqrt(E / Fy)), 1.0L);
}

// Critical compression-flange stress of an I-shape with a slender web for lateral-torsional
// buckling, with the limits of that case: Lp = 1.1 rt sqrt(E/Fy), Lr = pi rt sqrt(E/(0.7 Fy)).
// Fy up to Lp, Cb (Fy - 0.3 Fy (Lb - Lp)/(Lr - Lp)) up to Lr, Cb pi^2 E/(Lb/rt)^2 beyond; at most Fy.
inline Ext SlenderWebLtbStress(Ext Fy, Ext E, Ext Lb, Ext rt, Ext Cb) {
    if (!(Fy > 0.0L) || !(E > 0.0L) || !(rt > 0.0L) || IsNaN(Lb) || IsNaN(Cb)) return kNaN;
    const Ext Lp = 1.1L * rt * std::sqrt(E / Fy);
    const Ext Lr = kPi * rt * std::sqrt(E / (0.7L * Fy));
    if (Lb <= Lp) return Fy;
    if (Lb <= Lr) return MinOf(Cb * (Fy - 0.3L * Fy * (Lb - Lp) / (Lr - Lp)), Fy);
    const Ext s = Lb / rt;
    return MinOf(Cb * kPi * kPi * E / (s * s), Fy);
}

// Critical compression-flange stress of an I-shape with a slender web for flange local buckling:
// Fy for a compact flange, Fy - 0.3 Fy (lambda - lambdaP)/(lambdaR - lambdaP) for a noncompact one,
// 0.9 E kc / lambda^2 for a slender one.
inline Ext SlenderWebFlbStress(Ext Fy, Ext E, Ext lambda, Ext lambdaP, Ext lambdaR, Ext kc) {
    if (IsNaN(Fy) || IsNaN(lambda) || IsNaN(lambdaP) || IsNaN(lambdaR)) return kNaN;
    if (lambda < lambdaP) return Fy;
    if (lambda < lambdaR) return Fy - 0.3L * Fy * (lambda - lambdaP) / (lambdaR - lambdaP);
    return MinOf(SafeDiv(0.9L * E * kc, lambda * lambda), Fy);
}

// Weak-axis flexure of an I-shape: yielding Mp = min(Fy Zy, 1.6 Fy Sy).
inline Ext WeakAxisYieldMoment(Ext Fy, Ext Zy, Ext Sy) { return MinOf(Fy * Zy, 1.6L * Fy * Sy); }

// Weak-axis flange local buckling: Mp for a compact flange, the transition from Mp to 0.7 Fy Sy for a
// noncompact one, 0.69 E / lambda^2 Sy for a slender one; never above Mp.
inline Ext WeakAxisFlangeMoment(Ext Fy, Ext Zy, Ext Sy, Ext E, Ext lambda, Ext lambdaP, Ext lambdaR) {
    const Ext Mp = WeakAxisYieldMoment(Fy, Zy, Sy);
    if (IsNaN(Mp) || IsNaN(lambda) || IsNaN(lambdaP) || IsNaN(lambdaR)) return kNaN;
    if (lambda < lambdaP) return Mp;
    if (lambda < lambdaR) return Mp - (Mp - 0.7L * Fy * Sy) * (lambda - lambdaP) / (lambdaR - lambdaP);
    return MinOf(SafeDiv(0.69L * E * Sy, lambda * lambda), Mp);
}

// Effective area ratio Ae/Ag of a round hollow section in compression (D/t wall slenderness):
// 1 up to 0.11 E/Fy, 0.038 E/(Fy D/t) + 2/3 beyond.
inline Ext PipeAreaFactor(Ext dOverT, Ext E, Ext Fy) {
    if (!(dOverT > 0.0L) || !(E > 0.0L) || !(Fy > 0.0L)) return kNaN;
    if (dOverT <= 0.11L * E / Fy) return 1.0L;
    return 0.038L * E / (Fy * dOverT) + 2.0L / 3.0L;
}

// Nominal flexural strength of a round hollow section by local buckling (D/t): Fy Z when compact
// (D/t <= 0.07 E/Fy), (0.021 E/(D/t) + Fy) S when noncompact (up to 0.31 E/Fy), 0.33 E/(D/t) S when
// slender; never above the plastic moment Fy Z.
inline Ext PipeMoment(Ext Fy, Ext Z, Ext S, Ext E, Ext dOverT) {
    const Ext Mp = Fy * Z;
    if (IsNaN(Mp) || !(dOverT > 0.0L) || !(E > 0.0L) || !(Fy > 0.0L)) return kNaN;
    if (dOverT <= 0.07L * E / Fy) return Mp;
    if (dOverT <= 0.31L * E / Fy) return MinOf((0.021L * E / dOverT + Fy) * S, Mp);
    return MinOf(0.33L * E / dOverT * S, Mp);
}

// Combined axial force and flexure (H1-1a / H1-1b) with the utilisations Pr/Pc, Mrx/Mcx, Mry/Mcy.
// `firstFormAtLimit` chooses the form for Pr/Pc exactly 0.2: the pile checks take H1-1a there,
// the strut member check H1-1b.
inline Ext InteractionRatio(Ext pUtil, Ext mxUtil, Ext myUtil, bool firstFormAtLimit = true) {
    if (IsNaN(pUtil) || IsNaN(mxUtil) || IsNaN(myUtil)) return kNaN;
    const bool first = firstFormAtLimit ? pUtil >= 0.2L : pUtil > 0.2L;
    if (first) return pUtil + 8.0L / 9.0L * (mxUtil + myUtil);
    return pUtil / 2.0L + mxUtil + myUtil;
}

} // namespace vantrel::steel
