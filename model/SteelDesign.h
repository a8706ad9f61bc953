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
