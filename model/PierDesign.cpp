// Drilled pier with a rebar cage: strength design of the circular reinforced concrete section.
//
// The vertical bars are lumped into three rows of As/3 each (at the centre and at +-R cos 30
// from it), the concrete carries the equivalent rectangular stress block 0.85 f'c over a circular
// segment of depth a = Beta1 c, and the strain limit of the concrete is 0.003. Nine neutral-axis
// depths give the interaction diagram: row 0 without axial load, row 3 at the balanced strain,
// row 8 at the maximum axial strength, the others evenly between.
//
// Internal units: English in, in^2, ksi (forces kips, moments kip-in); SI mm, mm^2, MPa (forces
// N, moments N-mm). Rows and results leave in kips | kN and kip-ft | kN-m; lever arms stay in
// in | mm.

#include <cmath>

#include "model/KdClasses.h"
#include "model/Undefined.h"

namespace vantrel {

namespace {

constexpr Ext kConcreteStrain = 0.003L;

// Everything the strength of one neutral-axis depth needs, in the internal units.
struct PierSection {
    Ext D = 0;         // diameter
    Ext As = 0;        // total vertical steel
    Ext rowDepth[3]{}; // depths of the three bar rows from the compression face
    Ext fc = 0, Fy = 0, E = 0;
    Ext Beta1 = 0;
    Ext PhiC = 0;
    bool spiral = false;
    Ext forceDiv = 1;  // internal force -> kips | kN
    Ext momentDiv = 1; // internal moment -> kip-ft | kN-m

    bool Usable() const {
        const Ext gross = kPi * D * D / 4.0L;
        return D > 0.0L && fc > 0.0L && Fy > 0.0L && E > 0.0L && As > 0.0L && As < gross &&
               rowDepth[0] > 0.0L && IsFinite(Beta1) && IsFinite(PhiC);
    }
};

// Forces of the bar rows at neutral-axis depth c: stress limited to +-Fy, compression positive.
struct BarForces {
    Ext compression = 0; // sum of the rows in compression
    Ext tension = 0;     // sum of the rows in tension (negative)
    Ext momentC = 0;     // moments of the compressed rows about the centre
    Ext momentT = 0;     // moments of the tensioned rows about the centre
};

void Evaluate(const PierSection& s, Ext c, TInteractionPoint& row, BarForces& bars) {
    row.c = c;
    const Ext perRow = s.As / 3.0L;
    Ext eps[3], fs[3];
    for (int k = 0; k < 3; ++k) {
        eps[k] = (c - s.rowDepth[k]) * kConcreteStrain / c;
        fs[k] = std::fmax(-s.Fy, std::fmin(s.Fy, s.E * eps[k]));
    }
    row.Eps1 = eps[0], row.Fs1 = fs[0];
    row.Eps2 = eps[1], row.Fs2 = fs[1];
    row.Eps3 = eps[2], row.Fs3 = fs[2];

    const Ext r = s.D / 2.0L;
    row.a = std::fmin(s.Beta1 * c, s.D);
    row.Theta = row.a < s.D ? std::acos((r - row.a) / r) : kPi;
    const Ext sinT = std::sin(row.Theta);
    Ext ac = (row.Theta - sinT * std::cos(row.Theta)) * s.D * s.D / 4.0L;

    bars = BarForces{};
    for (int k = 0; k < 3; ++k) {
        // A bar inside the stress block displaces the concrete it stands in.
        if (s.rowDepth[k] < row.a) ac -= perRow;
        const Ext force = fs[k] * perRow;
        const Ext lever = r - s.rowDepth[k];
        if (force > 0.0L) {
            bars.compression += force;
            bars.momentC += force * lever;
        } else {
            bars.tension += force;
            bars.momentT += force * lever;
        }
    }
    row.Ac = ac;

    // Moment of the concrete segment about the centre: area x centroid = D^3 sin^3(Theta) / 12.
    const Ext concreteForce = 0.85L * s.fc * ac;
    const Ext concreteMoment = 0.85L * s.fc * s.D * s.D * s.D * sinT * sinT * sinT / 12.0L;
    const Ext fcInternal = concreteForce + bars.compression;
    row.Fc = fcInternal / s.forceDiv;
    row.Ft = bars.tension / s.forceDiv;
    row.yc = SafeDiv(concreteMoment + bars.momentC, fcInternal);
    row.yt = bars.tension != 0.0L ? bars.momentT / bars.tension : 0.0L;

    const Ext et = -eps[2];
    const Ext phi = s.spiral ? 0.57L + 67.0L * et : 0.48L + 83.0L * et;
    row.Phi = std::fmin(0.9L, std::fmax(s.PhiC, phi));
    row.PhiPn = row.Phi * (fcInternal + bars.tension) / s.forceDiv;
    row.PhiMn = row.Phi * (concreteMoment + bars.momentC + std::fabs(bars.momentT)) / s.momentDiv;
}

// Row 0: the neutral-axis depth at which the section carries no axial load. The concrete area
// that balances the bar forces is compared with the compressed area; c moves by 0.5 % until the
// two agree within 0.5 %. The walk is bounded: 0.995^3000 spans any depth of the section.
bool SolveNoAxial(const PierSection& s, TInteractionPoint& row) {
    Ext c = s.D / 3.0L;
    BarForces bars;
    for (int i = 0; i < 3000; ++i) {
        Evaluate(s, c, row, bars);
        const Ext acRequired = (-bars.tension - bars.compression) / (0.85L * s.fc);
        if (acRequired != 0.0L && std::fabs(row.Ac / acRequired - 1.0L) < 0.005L) return true;
        c += acRequired <= row.Ac ? -0.005L * c : 0.005L * c;
    }
    return false;
}

// Row 8: the depth at which the reduced axial strength reaches Pmax, by halving steps from D.
void SolveMaxAxial(const PierSection& s, Ext pmax, TInteractionPoint& row) {
    Ext c = s.D;
    Ext step = s.D / 2.0L;
    BarForces bars;
    for (;;) {
        Evaluate(s, c, row, bars);
        if (step < s.D / 100.0L) return;
        c += pmax <= row.PhiPn ? -step : step;
        step /= 2.0L;
    }
}

PierSection SectionOf(const TKdData& d) {
    const bool si = d.Units == usSI;
    PierSection s;
    s.D = d.TributaryWidth() * (si ? 1000.0L : 12.0L);
    s.As = d.Pier.SteelArea;
    s.rowDepth[0] = s.D / 2.0L - d.Pier.BarRowOffset;
    s.rowDepth[1] = s.D / 2.0L;
    s.rowDepth[2] = s.D / 2.0L + d.Pier.BarRowOffset;
    s.fc = d.ConcreteFc;
    s.Fy = d.SteelFy;
    s.E = d.SteelE;
    s.Beta1 = d.Pier.Beta1;
    s.PhiC = d.Pier.PhiC;
    s.spiral = d.TieOrSpiral == 1;
    s.forceDiv = si ? 1000.0L : 1.0L;
    s.momentDiv = si ? 1.0e6L : 12.0L;
    return s;
}

} // namespace

void TKdData::PierSectionStrength(TInteractionPoint& row) const {
    const PierSection s = SectionOf(*this);
    if (!s.Usable() || !(row.c > 0.0L)) {
        const Ext c = row.c;
        row = AllUndefined<TInteractionPoint>();
        row.c = c;
        return;
    }
    BarForces bars;
    Evaluate(s, row.c, row, bars);
}

void TKdData::DesignPier() {
    Pier = AllUndefined<TPierResults>();
    Interaction.fill(AllUndefined<TInteractionPoint>());
    CalculatedPitch = VerticalSteelPercent = kNaN;
    FactoredAxial = FactoredMoment = PierResult1 = MomentCapacity = kNaN;
    if (PileSection != psRebarCage || PileType == ptSheet) return;

    // Factored loads: 1.2 dead on the axial load, 1.6 on the moment and shear of this
    // calculation's analysis (the beam analysis runs before the pier design).
    FactoredAxial = 1.2L * AxialLoad;
    FactoredMoment = 1.6L * std::fabs(Anchors.MaxMoment);
    PierResult1 = 1.6L * std::fabs(PeakShearC);
    Pier.DesignAxial = FactoredAxial;
    Pier.DesignMoment = FactoredMoment;

    const bool si = Units == usSI;
    const bool spiral = TieOrSpiral == 1;
    const Ext D = TributaryWidth() * (si ? 1000.0L : 12.0L); // in | mm
    const TRebarRow vertical = GetRebar(VerticalBarSize);
    const TRebarRow lateral = GetRebar(LateralBarSize);
    const Ext gross = kPi * D * D / 4.0L;

    // Beta1 of the stress block: 0.85 up to 4000 psi (28 MPa), 0.05 less per 1000 psi (7 MPa)
    // above, not below 0.65. English f'c is held in ksi.
    const Ext beta = si ? 0.85L - 0.05L * (ConcreteFc - 28.0L) / 7.0L
                        : 0.85L - 0.05L * (ConcreteFc * 1000.0L - 4000.0L) / 1000.0L;
    Pier.Beta1 = std::fmin(0.85L, std::fmax(0.65L, beta));
    Pier.SteelArea = VerticalBarCount * static_cast<Ext>(vertical.Area);
    Pier.SteelRatio = SafeDiv(Pier.SteelArea, gross) * 100.0L;
    VerticalSteelPercent = Pier.SteelRatio;
    Pier.PhiC = spiral ? 0.75L : 0.65L;

    // Tie spacing: 16 vertical bar diameters, 48 tie diameters, the pier diameter; a spiral's
    // pitch is 3 in (75 mm). An entered pitch overrides it.
    CalculatedPitch =
        spiral ? (si ? 75.0L : 3.0L) : MinOf(16.0L * vertical.Diameter, 48.0L * lateral.Diameter, D);
    const Ext pitch = PitchOverride != 0.0L ? PitchOverride : CalculatedPitch;

    const Ext R = D / 2.0L - ClearCover - lateral.Diameter - vertical.Diameter / 2.0L;
    Pier.BarRowOffset = R * std::cos(kPi / 6.0L);
    Pier.AreaPerRow = Pier.SteelArea / 3.0L;

    // Volumetric ratio of the lateral steel over the bar circle, and the concrete shear
    // 0.8 x 1.5 sqrt(f'c psi) D^2 (0.1275 sqrt(f'c MPa) in SI).
    const Ext circle = D - 2.0L * ClearCover - vertical.Diameter;
    Pier.LateralValue = SafeDiv(lateral.Area * kPi * circle, pitch * kPi * circle * circle / 4.0L);
    Pier.ConcreteShear = si ? 0.8L * 0.1275L * SafeSqrt(ConcreteFc) / 1000.0L * D * D
                            : 0.8L * 1.5L * SafeSqrt(1000.0L * ConcreteFc) / 1000.0L * D * D;

    const PierSection s = SectionOf(*this);
    if (VerticalBarCount <= 0 || R <= 0.0L || !s.Usable()) {
        // No bars, bars outside the section, steel filling the section or no material: the
        // section has no strength to give, and the neutral-axis searches are not started.
        return;
    }
    const Ext forceDiv = si ? 1000.0L : 1.0L;
    const Ext k = spiral ? 0.6375L : 0.52L;
    Pier.PmaxPier = k * (SteelFy * Pier.SteelArea + 0.85L * ConcreteFc * (gross - Pier.SteelArea)) / forceDiv;
    Pier.TensionStrength = -0.9L * SteelFy * Pier.SteelArea / forceDiv;

    BarForces bars;
    if (SolveNoAxial(s, Interaction[0])) {
        SolveMaxAxial(s, Pier.PmaxPier, Interaction[8]);
        const Ext c0 = Interaction[0].c;
        const Ext c8 = Interaction[8].c;
        const Ext c3 =
            kConcreteStrain * (D / 2.0L + Pier.BarRowOffset) / (kConcreteStrain + SteelFy / SteelE);
        Evaluate(s, c3, Interaction[3], bars);
        for (int r = 1; r <= 2; ++r)
            Evaluate(s, c0 + r * (c3 - c0) / 3.0L, Interaction[r], bars);
        for (int r = 4; r <= 7; ++r)
            Evaluate(s, c3 + (r - 3) * (c8 - c3) / 5.0L, Interaction[r], bars);
        Pier.MomentNoAxial = Interaction[0].PhiMn;
    } else {
        Interaction[0] = AllUndefined<TInteractionPoint>();
    }
    MomentCapacity = MomentAtAxial(FactoredAxial);
    Pier.DesignUtilization = SafeDiv(FactoredMoment, MomentCapacity) * 100.0L;
}

Ext TKdData::MomentAtAxial(Ext p) const {
    if (IsNaN(p) || IsNaN(Pier.TensionStrength)) return kNaN;
    for (const TInteractionPoint& row : Interaction) {
        if (IsNaN(row.PhiPn) || IsNaN(row.PhiMn)) return kNaN;
    }
    const TInteractionPoint& first = Interaction[0];
    if (p >= Pier.TensionStrength && p < first.PhiPn) {
        return first.PhiMn * (p - Pier.TensionStrength) / (first.PhiPn - Pier.TensionStrength);
    }
    for (int k = 0; k < 8; ++k) {
        const TInteractionPoint& lo = Interaction[k];
        const TInteractionPoint& hi = Interaction[k + 1];
        if (lo.PhiPn <= p && p < hi.PhiPn) {
            return lo.PhiMn + (hi.PhiMn - lo.PhiMn) * (p - lo.PhiPn) / (hi.PhiPn - lo.PhiPn);
        }
    }
    // Beyond the ends of the diagram (more tension than the bars give, more compression than the
    // section gives) the section has no moment strength left.
    return 0.0L;
}

} // namespace vantrel
