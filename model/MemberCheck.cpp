// Steel member check of a strut or raker level: allowable strength design of a doubly symmetric
// I/H shape or a round pipe as a beam-column under the level's support load and the entered moments.
//
// Units: the section rows are in in, in^2, in^3, in^4 with ksi (English) or mm, mm^2, 10^3 mm^3,
// 10^6 mm^4 with MPa (SI; J in 10^3 mm^4, so J/(Sx h0) stays dimensionless). Level lengths in ft or m
// enter the formulas times 12 or 1000. A stress times a section modulus is kip-in or N m; moments
// leave in kip-ft (/12) or kN-m (/1000), axial strengths in kips (ksi x in^2) or kN (N / 1000).

#include <cmath>

#include "model/KdClasses.h"
#include "model/SteelDesign.h"

namespace vantrel {

namespace {

// Every computed field of a member result, set undefined before a check so that a step that
// cannot compute never shows a value of an earlier check. `Spare` is not a result.
constexpr Ext TShapeRes::*kShapeResults[] = {
    &TShapeRes::Kc,       &TShapeRes::Rpg,      &TShapeRes::HOverTw,  &TShapeRes::Aw,
    &TShapeRes::H,        &TShapeRes::KLrX,     &TShapeRes::KLrY,     &TShapeRes::KLr,
    &TShapeRes::Fe,       &TShapeRes::Fcr,      &TShapeRes::Qs,       &TShapeRes::Qa,
    &TShapeRes::Pa,       &TShapeRes::LambdaF,  &TShapeRes::LambdaPf, &TShapeRes::LambdaRf,
    &TShapeRes::PUtil,    &TShapeRes::Lp,       &TShapeRes::Lr,       &TShapeRes::LbOverRts,
    &TShapeRes::Fbx,      &TShapeRes::MnFlb,    &TShapeRes::MnLtb,    &TShapeRes::MnCf,
    &TShapeRes::MnTf,     &TShapeRes::MnY,      &TShapeRes::MnYFlb,   &TShapeRes::Mp,
    &TShapeRes::MnYield,  &TShapeRes::FcrLtb,   &TShapeRes::MyP,      &TShapeRes::LambdaW,
    &TShapeRes::LambdaPw, &TShapeRes::LambdaRw, &TShapeRes::MxAllow,  &TShapeRes::MxUtil,
    &TShapeRes::Fby,      &TShapeRes::MyAllow,  &TShapeRes::MyUtil,
};

void SetUndefined(TShapeRes& r) {
    for (const auto field : kShapeResults)
        r.*field = kNaN;
    r.ClassText.clear();
}

// Class of a compression element from its slenderness; an element exactly at a limit falls into
// the next class.
const char* ClassOf(Ext lambda, Ext lambdaP, Ext lambdaR) {
    if (lambda < lambdaP) return "Compact";
    if (lambda < lambdaR) return "Noncompact";
    return "Slender";
}

// A nominal strength that is not positive comes only from a row that cannot be a section (an
// incomplete user-defined row, a web far beyond any girder): it is undefined, so that its
// utilisation never reads as a pass.
Ext Positive(Ext strength) {
    return strength > 0.0L ? strength : kNaN;
}

// Unbraced lengths below 1 and Cb not above 1 enter the check (and are written back) as 1.
void ClampLengths(TAnchLevel& level) {
    for (Ext* v : {&level.Lx, &level.Ly, &level.Lb})
        if (*v < 1.0L) *v = 1.0L;
    if (level.Cb <= 1.0L) level.Cb = 1.0L;
}

struct UnitFactors {
    Ext length; // in per ft or mm per m
    Ext moment; // kip-in per kip-ft or N m per kN m
    Ext force;  // kips per kip or N per kN
};

// Compression of the level's member through its slenderness; the caller fills the area terms.
void Slenderness(TShapeRes& r, const TAnchLevel& level, Ext rx, Ext ry, Ext lengthFactor) {
    r.KLrX = SafeDiv(level.Kx * level.Lx * lengthFactor, rx);
    r.KLrY = SafeDiv(level.Ky * level.Ly * lengthFactor, ry);
    r.KLr = MaxOf(r.KLrX, r.KLrY);
    r.Fe = steel::EulerStress(level.MemberE, r.KLr);
    r.Fcr = steel::CriticalStress(level.Fy, r.Fe, r.KLr, level.MemberE);
}

void CheckIShape(TAnchLevel& level, const UnitFactors& u) {
    TShapeRes& r = level.Result;
    const TIShape& s = level.IShape;
    const Ext E = level.MemberE;
    const Ext Fy = level.Fy;
    const Ext rootEFy = SafeSqrt(SafeDiv(E, Fy));

    // Web.
    r.H = s.D - 2.0L * s.Tf;
    r.HOverTw = SafeDiv(r.H, s.Tw);
    r.Kc = MinOf(MaxOf(SafeDiv(4.0L, SafeSqrt(r.HOverTw)), 0.35L), 0.76L);
    r.Aw = MinOf(SafeDiv(r.H * s.Tw, s.Bf * s.Tf), 10.0L);
    r.Rpg = steel::SlenderWebFactor(r.Aw, r.HOverTw, E, Fy);
    r.LambdaW = r.HOverTw;
    r.LambdaPw = 3.76L * rootEFy;
    r.LambdaRw = 5.70L * rootEFy;

    // Flange.
    r.LambdaF = SafeDiv(s.Bf, 2.0L * s.Tf);
    r.LambdaPf = 0.38L * rootEFy;
    r.LambdaRf = rootEFy;
    if (!IsNaN(r.LambdaF) && !IsNaN(rootEFy)) r.ClassText = ClassOf(r.LambdaF, r.LambdaPf, r.LambdaRf);

    // Compression with the effective widths of the flanges (unstiffened, limit 0.56 sqrt(E/Fy)) and
    // of the web (stiffened, limit 1.49 sqrt(E/Fy)). A tension member has no compression check.
    if (!(level.TestLoad < 0.0L)) {
        Slenderness(r, level, s.Rx, s.Ry, u.length);
        r.Qs = steel::EffectiveWidthRatio(r.LambdaF, 0.56L * rootEFy, Fy, r.Fcr);
        r.Qa = steel::EffectiveWidthRatio(r.HOverTw, 1.49L * rootEFy, Fy, r.Fcr);
        const Ext effectiveArea = s.A - 2.0L * s.Tf * s.Bf * (1.0L - r.Qs) - s.Tw * r.H * (1.0L - r.Qa);
        r.Pa = Positive(r.Fcr * effectiveArea) / steel::kOmega / u.force;
        r.PUtil = SafeDiv(level.TestLoad, r.Pa);
    }

    // Strong axis: yielding, lateral-torsional and flange local buckling; the Rpg forms only for a
    // slender web. Every strength is capped at the plastic moment.
    const Ext lbLen = level.Lb * u.length;
    const Ext lpLen = steel::LimitLp(s.Ry, E, Fy);
    const Ext lrLen = steel::LimitLr(s.Rts, E, Fy, s.J, s.Sx, s.H0);
    r.Lp = lpLen / u.length;
    r.Lr = lrLen / u.length;
    r.LbOverRts = SafeDiv(lbLen, s.Rts);
    const Ext mp = Fy * s.Zx;
    const Ext mnLtb = steel::LtbMoment(Fy, s.Zx, s.Sx, E, lbLen, lpLen, lrLen, level.Cb, s.J, s.H0, s.Rts);
    const Ext mnFlb = steel::FlangeBucklingMoment(Fy, s.Zx, s.Sx, E, r.LambdaF, r.LambdaPf, r.LambdaRf, r.Kc);
    r.Mp = mp / u.moment;
    r.MnLtb = mnLtb / u.moment;
    r.MnFlb = mnFlb / u.moment;
    r.FcrLtb = SafeDiv(mnLtb, s.Sx);
    Ext mnX = MinOf(mnLtb, mnFlb);
    if (r.HOverTw > r.LambdaRw) {
        const Ext compressionFlange = r.Rpg * Fy * s.Sx;
        const Ext ltb = r.Rpg * steel::SlenderWebLtbStress(Fy, E, lbLen, s.Rts, level.Cb) * s.Sx;
        const Ext flb =
            r.Rpg * steel::SlenderWebFlbStress(Fy, E, r.LambdaF, r.LambdaPf, r.LambdaRf, r.Kc) * s.Sx;
        mnX = MinOf(compressionFlange, ltb, flb, mp);
        r.MnCf = compressionFlange / u.moment;
        r.MnTf = mnX / u.moment;
    }
    r.MnYield = mnX / u.moment;
    r.Fbx = SafeDiv(level.Mx * u.length, s.Sx);
    r.MxAllow = Positive(mnX) / steel::kOmega / u.moment;
    r.MxUtil = SafeDiv(std::fabs(level.Mx), r.MxAllow);

    // Weak axis: yielding (at most 1.6 Fy Sy) and flange local buckling.
    r.MyP = Fy * s.Zy / u.moment;
    const Ext mnY = steel::WeakAxisYieldMoment(Fy, s.Zy, s.Sy);
    const Ext mnYFlb = steel::WeakAxisFlangeMoment(Fy, s.Zy, s.Sy, E, r.LambdaF, r.LambdaPf, r.LambdaRf);
    r.MnY = mnY / u.moment;
    r.MnYFlb = mnYFlb / u.moment;
    r.Fby = SafeDiv(level.My * u.length, s.Sy);
    r.MyAllow = Positive(MinOf(mnY, mnYFlb)) / steel::kOmega / u.moment;
    r.MyUtil = SafeDiv(std::fabs(level.My), r.MyAllow);

    level.CombinedRatio = steel::InteractionRatio(r.PUtil, r.MxUtil, r.MyUtil, false);
}

// Round pipe: one slenderness for both axes (the entered K and L of each), the wall reduction of
// the area in compression and local buckling of the wall in flexure; no weak axis. The concrete
// fill is not counted: the bare steel pipe is checked.
void CheckPipe(TAnchLevel& level, const UnitFactors& u) {
    TShapeRes& r = level.Result;
    const TOShape& s = level.OShape;
    const Ext E = level.MemberE;
    const Ext Fy = level.Fy;
    const Ext dOverT = SafeDiv(s.OD, s.T);

    r.LambdaF = dOverT;
    r.LambdaPf = SafeDiv(0.07L * E, Fy);
    r.LambdaRf = SafeDiv(0.31L * E, Fy);
    if (!IsNaN(r.LambdaF) && !IsNaN(r.LambdaPf)) r.ClassText = ClassOf(r.LambdaF, r.LambdaPf, r.LambdaRf);

    if (!(level.TestLoad < 0.0L)) {
        Slenderness(r, level, s.R, s.R, u.length);
        r.Qs = 1.0L;
        r.Qa = steel::PipeAreaFactor(dOverT, E, Fy);
        r.Pa = Positive(r.Fcr * r.Qa * s.A) / steel::kOmega / u.force;
        r.PUtil = SafeDiv(level.TestLoad, r.Pa);
    }

    const Ext mn = steel::PipeMoment(Fy, s.Z, s.S, E, dOverT);
    r.Mp = Fy * s.Z / u.moment;
    r.MnFlb = mn / u.moment;
    r.MnYield = r.MnFlb;
    r.Fbx = SafeDiv(level.Mx * u.length, s.S);
    r.MxAllow = Positive(mn) / steel::kOmega / u.moment;
    r.MxUtil = SafeDiv(std::fabs(level.Mx), r.MxAllow);

    level.CombinedRatio = steel::InteractionRatio(r.PUtil, r.MxUtil, 0.0L, false);
}

} // namespace

void TKdData::CheckLevel(int i) {
    if (i < 0 || i >= static_cast<int>(Anchors.Levels.size())) return;
    CheckLevelMember(Anchors.Levels[static_cast<size_t>(i)], i);
}

void TKdData::CheckLevelMember(TAnchLevel& level, int index) {
    CheckLevelMember(level, index, Anchors);
}

void TKdData::CheckLevelMember(TAnchLevel& level, int index, const TAnchor& system) {
    const bool english = Units == usEnglish;
    const Ext c = english ? 12.0L : 1.0L; // outline: ft to in, m stays m

    // Outline of the member, always.
    if (level.MemberKind == 0) {
        level.MemberArea = level.MemberWidth * level.MemberLength;
        level.MemberPerimeter = 2.0L * level.MemberWidth + 2.0L * level.MemberLength;
        const Ext depth = level.MemberLength * c;
        level.MemberInertia = level.MemberWidth * c * depth * depth * depth / 12.0L;
    } else {
        const Ext radius = level.MemberWidth / 2.0L;
        level.MemberArea = kPi * radius * radius;
        level.MemberPerimeter = kPi * level.MemberWidth;
        const Ext diameter = level.MemberWidth * c;
        level.MemberInertia = kPi * diameter * diameter * diameter * diameter / 64.0L;
    }
    if (english) level.MemberArea *= 144.0L; // ft^2 to in^2
    level.MemberTipArea = english ? level.MemberArea / 144.0L : level.MemberArea;

    level.TestLoad = index >= 0 && static_cast<size_t>(index) < system.LevelLoads.size()
                         ? system.LevelLoads[static_cast<size_t>(index)]
                         : kNaN;

    if (!level.StructuralDesign) return;
    SetUndefined(level.Result);
    level.CombinedRatio = kNaN;
    if (level.MemberKind != 0 && level.MemberKind != 1) return;

    ClampLengths(level);
    const UnitFactors u = english ? UnitFactors{12.0L, 12.0L, 1.0L} : UnitFactors{1000.0L, 1000.0L, 1000.0L};
    if (level.MemberKind == 0)
        CheckIShape(level, u);
    else
        CheckPipe(level, u);
}

void TKdData::SelectMemberRow(TAnchLevel& level, int row) const {
    if (level.MemberKind != 0 && level.MemberKind != 1) {
        level.ShapeRow = -1;
        return;
    }
    const size_t length = level.MemberKind == 0 ? MemberIShapes.size() : MemberOShapes.size();
    level.ShapeRow = row < static_cast<int>(length) ? row : -1;
    if (row < 0 || row >= static_cast<int>(length)) return;
    if (level.MemberKind == 0)
        level.IShape = MemberIShapes[static_cast<size_t>(row)];
    else
        level.OShape = MemberOShapes[static_cast<size_t>(row)];
}

} // namespace vantrel
