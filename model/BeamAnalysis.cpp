// Beam analysis of the pile: a continuous beam on pinned supports at every level and at the bottom
// of the loading height, with a free cantilever above the first level, under the four-point load
// diagram of the earth pressure table.
//
// Method: slope-deflection with numerically integrated fixed-end actions. Every span is integrated
// from its top (trapezoidal rule, 100 steps) as if fixed there; the top shear and moment that bring
// its bottom back to its end condition (fixed for inner spans, pinned for the last) come from a
// 2 x 2 system; the joint rotations follow from the stiffness matrix of the spans; a final pass
// integrates the pile from the top, segment by segment, with the support reactions as steps in
// the shear.
//
// Units: depths ft (m), load kip/ft (kN/m), shear kips (kN), moment kip-ft (kN-m), EI kip-ft^2
// (kN-m^2), slope rad; the displayed deflection in in (mm). Reactions are the forces of the
// supports on one pile, positive against the earth load, so that in equilibrium their sum equals
// the area of the load diagram. Along the pile the shear is the integral of the load less the
// reactions above, and the moment the integral of the shear: positive where the earth side of the
// pile is in tension (over the supports).

#include <array>
#include <cmath>
#include <vector>

#include "model/KdClasses.h"
#include "model/SteelDesign.h"
#include "model/Undefined.h"

namespace vantrel {

namespace {

constexpr int kSteps = kSpanNodes - 1;

// The piecewise-linear load per unit depth of the four diagram points: the line through points 0
// and 1 down to point 1's depth, the line through points 1 and 2 down to point 2's depth, the line
// through points 2 and 3 below (point 3 taken at the loading height). Two points at one depth are
// a step in the load: the step's depth keeps the value from above.
class LoadDiagram {
  public:
    LoadDiagram(const std::array<TDiagramPoint, 4>& p, Ext loadingHeight)
        : p_{p[0], p[1], p[2], TDiagramPoint{loadingHeight, p[3].Load}}, end_{p[1].Depth,
                                                                              MaxOf(p[1].Depth, p[2].Depth)} {
    }

    Ext At(Ext x) const { return Line(Piece(x), x); }

    // Load between two depths. Over a step that holds no break of the diagram this is the
    // trapezoidal rule; over one that does, it is the exact area, so that the shear keeps the
    // whole load and the reactions sum to the load of the diagram.
    Ext Between(Ext a, Ext b) const { return Area(b) - Area(a); }

    // Integral of the load from 0 to d, and its moment about depth d, exact over the linear pieces.
    Ext Area(Ext d) const { return Integral(d, false); }
    Ext MomentAbout(Ext d) const { return Integral(d, true); }

  private:
    int Piece(Ext x) const { return x <= end_[0] ? 0 : x <= end_[1] ? 1 : 2; }

    Ext Line(int piece, Ext x) const {
        const TDiagramPoint& a = p_[piece];
        const TDiagramPoint& b = p_[piece + 1];
        if (a.Depth == b.Depth) return x > a.Depth ? b.Load : a.Load;
        return a.Load + (b.Load - a.Load) * (x - a.Depth) / (b.Depth - a.Depth);
    }

    Ext Integral(Ext d, bool moment) const {
        Ext sum = 0.0L;
        const Ext from[3] = {0.0L, end_[0], end_[1]};
        const Ext to[3] = {end_[0], end_[1], d};
        for (int piece = 0; piece < 3; ++piece) {
            const Ext a = MaxOf(from[piece], 0.0L);
            const Ext b = MinOf(to[piece], d);
            if (!(b > a)) {
                if (IsNaN(a) || IsNaN(b)) return kNaN;
                continue;
            }
            const Ext wa = Line(piece, a);
            const Ext wb = Line(piece, b);
            const Ext h = b - a;
            // Exact for the product of two linear functions: h/6 (2 f0 g0 + f0 g1 + f1 g0 + 2 f1 g1).
            sum += moment
                       ? h / 6.0L * (2.0L * wa * (d - a) + wa * (d - b) + wb * (d - a) + 2.0L * wb * (d - b))
                       : h * (wa + wb) / 2.0L;
        }
        return sum;
    }

    std::array<TDiagramPoint, 4> p_;
    std::array<Ext, 2> end_; // depths where the first and the second line end
};

// x = inverse(A) b through the matrix routines; false, and x undefined, when A is singular.
bool Solve(const TMatrix& a, const TVector& b, TVector& x) {
    TMatrix inverse;
    TMatrix column;
    TMatrix product;
    MatrixCalc::VectorToColumn(b, column);
    if (!MatrixCalc::InvertMatrix(a, inverse) || !MatrixCalc::MultiplyMatrix(inverse, column, product)) {
        x.assign(b.size(), kNaN);
        return false;
    }
    MatrixCalc::ColumnToVector(product, x);
    return true;
}

// Trapezoidal step of the integral of f over dx.
Ext Step(Ext dx, Ext fPrev, Ext f) {
    return dx * (fPrev + f) / 2.0L;
}

// Supports and segments of the pile. Segment 0 is the cantilever from the top of the wall to
// level 1, segment k (1..n) the span from level k down to level k + 1, or to the bottom of the
// loading height for k = n. Joint j (0..n-1) is level j + 1, joint n the bottom support.
struct Geometry {
    int n = 0;
    Ext ei = 0;
    std::vector<Ext> top;    // depth of the top of segment k, ft
    std::vector<Ext> length; // length of segment k, ft
    bool valid = false;
    // Sign conventions of the span bookkeeping. With several levels the particular moment of a
    // span pass is the negative integral of its shear; with a single level (one span, pinned at
    // its bottom) it is the positive integral, and s brings the cantilever, the end shears and
    // the slopes of that case into the convention of the joints.
    Ext s = 1;
    Ext momentSign = -1;
};

Geometry PileGeometry(const TKdData& d, const TAnchor& anchor) {
    Geometry g;
    g.n = anchor.LevelCount;
    g.ei = d.PileEI;
    g.s = g.n == 1 ? -1.0L : 1.0L;
    g.momentSign = -g.s;
    // More levels than a system can have are not analysed: the solve grows with the cube of the
    // level count, and a damaged or hostile project must not hold the calculation up.
    if (g.n < 1 || g.n > kMaxLevelCount || static_cast<int>(anchor.Levels.size()) < g.n) return g;
    g.top.assign(static_cast<size_t>(g.n) + 1, 0.0L);
    g.length.assign(static_cast<size_t>(g.n) + 1, 0.0L);
    for (int k = 1; k <= g.n; ++k)
        g.top[k] = d.LevelDepth(k - 1, anchor);
    for (int k = 0; k < g.n; ++k)
        g.length[k] = g.top[k + 1] - g.top[k];
    // The last span reaches the bottom of the loading height, wherever the lowest level lies.
    g.length[g.n] = anchor.LoadingHeight - g.top[g.n];

    // A level at the very top leaves a cantilever of no length, which is sound; every span needs
    // a positive length (two levels at one depth, or a level at or below the loading height,
    // leave no beam to analyse), and the pile a positive, finite stiffness.
    bool ok = g.length[0] >= 0.0L && IsFinite(g.length[0]) && g.ei > 0.0L && IsFinite(g.ei);
    for (int k = 1; k <= g.n; ++k)
        ok = ok && g.length[k] > 0.0L && IsFinite(g.length[k]);
    g.valid = ok;
    return g;
}

// Span k integrated from its top. First pass: under its load alone, top fixed, bottom free. Then
// the top shear and moment that restore the bottom: fixed (slope and deflection 0) for an inner
// span, pinned (moment and deflection 0) for the last one. Second pass: under its load and those
// end forces. False when the 2 x 2 system cannot be solved.
bool IntegrateSpan(const Geometry& g, const LoadDiagram& load, int k, TArrAnchOne& span) {
    const Ext ei = g.ei;
    const Ext len = g.length[k];
    const Ext dx = len / kSteps;
    auto& nd = span.Nodes;
    for (int i = 0; i <= kSteps; ++i) {
        TAnchNode& c = nd[i];
        c = TAnchNode{};
        c.Depth = g.top[k] + i * dx;
        c.Load = load.At(c.Depth);
        if (i == 0) continue;
        const TAnchNode& p = nd[i - 1];
        c.Shear = p.Shear + load.Between(p.Depth, c.Depth);
        c.Moment = p.Moment + g.momentSign * Step(dx, p.Shear, c.Shear);
        c.Slope = p.Slope + Step(dx, p.Moment, c.Moment) / ei;
        c.Deflection = p.Deflection + Step(dx, p.Slope, c.Slope);
    }

    const TAnchNode& bottom = nd[kSteps];
    if (k < g.n) {
        span.SpanMatrix = {{len * len / (2.0L * ei), len / ei},
                           {len * len * len / (6.0L * ei), len * len / (2.0L * ei)}};
        span.SpanRhs = {bottom.Slope, bottom.Deflection};
    } else {
        span.SpanMatrix = {{len, 1.0L}, {len * len * len / (6.0L * ei), len * len / (2.0L * ei)}};
        span.SpanRhs = {bottom.Moment, bottom.Deflection};
    }
    const bool solved = Solve(span.SpanMatrix, span.SpanRhs, span.SpanSolution);
    span.EndShear = span.SpanSolution[0];
    span.EndMoment = span.SpanSolution[1];

    nd[0].Shear2 = g.s * span.EndShear;
    nd[0].Moment2 = -span.EndMoment;
    for (int i = 1; i <= kSteps; ++i) {
        TAnchNode& c = nd[i];
        const TAnchNode& p = nd[i - 1];
        c.Shear2 = p.Shear2 + load.Between(p.Depth, c.Depth);
        c.Moment2 = p.Moment2 + g.momentSign * Step(dx, p.Shear2, c.Shear2);
        c.Slope2 = p.Slope2 + g.s * Step(dx, p.Moment2, c.Moment2) / ei;
        c.Deflection2 = p.Deflection2 + Step(dx, p.Slope2, c.Slope2);
    }
    return solved;
}

// Cantilever, joint actions, stiffness, joint rotations and the support reactions. Every span
// follows one sign convention, so the joint moment adds the end moments of the two spans that
// meet there with the same sign. False when the rotation matrix is singular.
bool SolveJoints(const Geometry& g, const LoadDiagram& load, TAnchor& a) {
    const int n = g.n;
    const Ext ei = g.ei;
    const Ext s = g.s;
    // Cantilever above level 1: the load above the support and its moment there, which hogs the
    // span below (negative in the convention of the joints).
    const Ext d1 = g.top[1];
    a.CantileverShear = load.Area(d1);
    a.CantileverMoment = -load.MomentAbout(d1);

    const auto& spans = a.SpanNodes;
    a.JointShears.assign(static_cast<size_t>(n) + 1, 0.0L);
    a.JointMoments.assign(static_cast<size_t>(n), 0.0L);
    a.JointShears[0] = s * a.CantileverShear - spans[1].EndShear;
    a.JointMoments[0] = s * a.CantileverMoment - spans[1].Nodes[0].Moment2;
    for (int j = 1; j < n; ++j) {
        a.JointShears[j] = spans[j].Nodes[kSteps].Shear2 - spans[j + 1].EndShear;
        a.JointMoments[j] = spans[j + 1].EndMoment + s * spans[j].Nodes[kSteps].Moment2;
    }
    a.JointShears[n] = s * spans[n].Nodes[kSteps].Shear2;

    // Stiffness assembled span by span, each with its own length: 4EI/L and 2EI/L for the
    // rotations of a span between two levels, 3EI/L for the last span (pinned at its bottom); end
    // shears of 6EI/L^2 and 3EI/L^2 per unit rotation.
    MatrixCalc::NewMatrix(n, n, a.RotationMatrix);
    MatrixCalc::NewMatrix(n + 1, n, a.ShearMatrix);
    TMatrix& rm = a.RotationMatrix;
    TMatrix& sm = a.ShearMatrix;
    for (int top = 0; top < n; ++top) {
        const int bottom = top + 1;
        const Ext len = g.length[bottom];
        if (bottom < n) {
            rm[top][top] += 4.0L * ei / len;
            rm[bottom][bottom] += 4.0L * ei / len;
            rm[top][bottom] = rm[bottom][top] = 2.0L * ei / len;
            const Ext v = 6.0L * ei / (len * len);
            sm[top][top] += v;
            sm[top][bottom] += v;
            sm[bottom][top] -= v;
            sm[bottom][bottom] -= v;
        } else {
            rm[top][top] += 3.0L * ei / len;
            sm[top][top] += 3.0L * ei / (len * len);
            sm[bottom][top] -= 3.0L * ei / (len * len);
        }
    }
    TMatrix rotations;
    TMatrix corrections;
    if (!Solve(rm, a.JointMoments, a.Rotations)) return false;
    MatrixCalc::VectorToColumn(a.Rotations, rotations);
    if (!MatrixCalc::MultiplyMatrix(sm, rotations, corrections)) return false;
    MatrixCalc::ColumnToVector(corrections, a.ShearCorrections);

    a.Reactions.assign(static_cast<size_t>(n) + 1, 0.0L);
    for (int j = 0; j <= n; ++j)
        a.Reactions[j] = s * (a.JointShears[j] - a.ShearCorrections[j]);
    a.SumOfReactions = MatrixCalc::SumVector(a.Reactions);
    return true;
}

// Pile pass from the top of the wall, the reactions as steps in the shear. The integrated slope
// starts from 0 at the free top; the rotation of the first support fixes its constant. The
// deflection, integrated from 0 at the top, is measured from the mean of its values at the first
// two supports and shown in in (mm).
void IntegratePile(const Geometry& g, const LoadDiagram& load, Ext toDisplay, TAnchor& a) {
    a.PileNodes.assign(static_cast<size_t>(g.n) + 1, TArrAnchOne{});
    for (int k = 0; k <= g.n; ++k) {
        const Ext dx = g.length[k] / kSteps;
        auto& nd = a.PileNodes[k].Nodes;
        nd[0].Depth = g.top[k];
        nd[0].Load = load.At(nd[0].Depth);
        if (k > 0) {
            const TAnchNode& last = a.PileNodes[k - 1].Nodes[kSteps];
            nd[0].Shear = last.Shear - a.Reactions[k - 1];
            nd[0].Moment = last.Moment;
            nd[0].Slope = last.Slope;
        }
        for (int i = 1; i <= kSteps; ++i) {
            TAnchNode& c = nd[i];
            const TAnchNode& p = nd[i - 1];
            c.Depth = g.top[k] + i * dx;
            c.Load = load.At(c.Depth);
            c.Shear = p.Shear + load.Between(p.Depth, c.Depth);
            c.Moment = p.Moment + Step(dx, p.Shear, c.Shear);
            c.Slope = p.Slope + g.s * Step(dx, p.Moment, c.Moment) / g.ei;
        }
    }

    a.ReferenceSlope = a.PileNodes[0].Nodes[kSteps].Slope - a.Rotations[0];
    Ext deflection = 0.0L;
    for (int k = 0; k <= g.n; ++k) {
        const Ext dx = g.length[k] / kSteps;
        auto& nd = a.PileNodes[k].Nodes;
        for (int i = 0; i <= kSteps; ++i) {
            nd[i].Slope2 = nd[i].Slope - a.ReferenceSlope;
            if (i > 0) deflection += Step(dx, nd[i - 1].Slope2, nd[i].Slope2);
            nd[i].Deflection = deflection;
        }
    }
    a.ReferenceDeflection =
        (a.PileNodes[0].Nodes[kSteps].Deflection + a.PileNodes[1].Nodes[kSteps].Deflection) / 2.0L;
    for (TArrAnchOne& seg : a.PileNodes) {
        for (TAnchNode& c : seg.Nodes)
            c.Deflection2 = g.s * (a.ReferenceDeflection - c.Deflection) * toDisplay;
    }
}

void MarkBeamUndefined(TAnchor& a, int n) {
    const size_t levels = static_cast<size_t>(n > 0 ? n : 0);
    a.JointShears.assign(levels + 1, kNaN);
    a.JointMoments.assign(levels, kNaN);
    a.CantileverShear = kNaN;
    a.CantileverMoment = kNaN;
    a.RotationMatrix.assign(levels, TVector(levels, kNaN));
    a.ShearMatrix.assign(levels + 1, TVector(levels, kNaN));
    a.Rotations.assign(levels, kNaN);
    a.ShearCorrections.assign(levels + 1, kNaN);
    a.Reactions.assign(levels + 1, kNaN);
    a.SumOfReactions = kNaN;
    a.ReferenceSlope = kNaN;
    a.ReferenceDeflection = kNaN;
    TArrAnchOne undefined;
    undefined.Nodes.fill(AllUndefined<TAnchNode>());
    undefined.EndShear = kNaN;
    undefined.EndMoment = kNaN;
    a.SpanNodes.assign(levels + 1, undefined);
    a.PileNodes.assign(levels + 1, undefined);
}

// Member check of an I-beam pile (allowable strength design) over its longest unbraced length.
// The formulas work in kips and inches (English) or newtons and millimetres (SI, where the pile
// table is cm-based with ry in mm and A in mm^2); h0 and rts are stored in the section table's
// length unit, Lp and Lr in that of Lb (in, or m). Sheet piles, pipes and rebar cages get no such
// check: undefined.
void PileMemberCheck(const TKdData& d, TAnchor& a) {
    a.H0 = a.Rts = a.Lp = a.Lr = kNaN;
    a.BucklingCheck = a.Slenderness = a.Fe = a.Fcr = a.AxialCheck = a.CombinedUtilization = kNaN;
    a.ShearAreaProvided = a.ModulusProvided = kNaN;
    TSteelShape sh;
    if (d.PileType == ptSheet || d.PileSection != psIBeam || !d.GetShape(sh)) return;

    const bool english = d.Units == usEnglish;
    // What the section provides against the required web area and modulus, in their units:
    // in^2 and in^3, or mm^2 (from the row's cm^2) and 10^3 mm^3 (= the row's cm^3).
    a.ShearAreaProvided = sh.Aw * (english ? 1.0L : 100.0L);
    a.ModulusProvided = sh.Zx;
    const Ext len = english ? 1.0L : 10.0L;           // table length to in or mm
    const Ext lbLength = english ? 1.0L : 1000.0L;    // Lb (in or m) to in or mm
    const Ext spanLength = english ? 12.0L : 1000.0L; // ft or m to in or mm
    const Ext toMoment = english ? 12.0L : 1.0e6L;    // kip-in to kip-ft, or N-mm to kN-m
    const Ext toForce = english ? 1.0L : 1000.0L;     // kips, or N to kN
    const Ext E = a.E;
    const Ext Fy = a.Fy;
    const Ext depth = sh.D * len;
    const Ext iy = sh.Iy * len * len * len * len;
    const Ext j = sh.J * len * len * len * len;
    const Ext sx = sh.Sx * len * len * len;
    const Ext zx = sh.Zx * len * len * len;
    const Ext ry = sh.Ry;
    const Ext area = sh.A;

    const Ext h0 = depth - sh.Tf * len;
    const Ext rts = SafeSqrt(SafeDiv(h0 * iy, 2.0L * sx));
    const Ext lp = steel::LimitLp(ry, E, Fy);
    const Ext lr = steel::LimitLr(rts, E, Fy, j, sx, h0);
    a.H0 = h0 / len;
    a.Rts = rts / len;
    a.Lp = lp / lbLength;
    a.Lr = lr / lbLength;
    a.BucklingCheck =
        steel::LtbMoment(Fy, zx, sx, E, a.Lb * lbLength, lp, lr, a.Cb, j, h0, rts) / steel::kOmega / toMoment;

    a.Slenderness = SafeDiv(a.MaxSpan * a.K * spanLength, ry);
    a.Fe = steel::EulerStress(E, a.Slenderness);
    a.Fcr = steel::CriticalStress(Fy, a.Fe, a.Slenderness, E);
    a.AxialCheck = a.Fcr * area / steel::kOmega / toForce;

    const Ext mc = MinOf(a.BucklingCheck, Fy * sx / steel::kOmega / toMoment);
    a.CombinedUtilization = steel::InteractionRatio(SafeDiv(a.TotalVerticalLoad, a.AxialCheck),
                                                    SafeDiv(std::fabs(a.MaxMoment), mc), 0.0L) *
                            100.0L;
}

} // namespace

void TKdData::AnalyseBeam(TAnchor& anchor) {
    const bool english = Units == usEnglish;
    const int n = anchor.LevelCount;
    anchor.TotalVerticalLoad = TotalVerticalLoad;
    anchor.E = SteelE;
    anchor.Fy = SteelFy;
    // Longest unbraced length of the pile: the largest level spacing, or the height of the lowest
    // level above the excavation bottom.
    Ext maxSpan = n >= 1 ? LowestLevelHeight() : kNaN;
    for (int k = 0; k < n && k < static_cast<int>(anchor.Levels.size()); ++k)
        maxSpan = MaxOf(maxSpan, anchor.Levels[k].HeightFromPrevious);
    anchor.MaxSpan = maxSpan;
    anchor.Lb = maxSpan * (english ? 12.0L : 1.0L); // in, or m
    anchor.Embedment = ShoredHeight * anchor.EmbedmentRatio;
    PileLength = anchor.Embedment + ShoredHeight;
    anchor.PileSpacing = PileSpacing;
    anchor.SoilUnitWeight = SoilRecords[0].UnitWeight;
    BuildPressureTable(anchor);
    AnalysePileOnSupports(anchor);
}

void TKdData::AnalysePileOnSupports(TAnchor& anchor) {
    const bool english = Units == usEnglish;
    const LoadDiagram load(anchor.DiagramPoints, anchor.LoadingHeight);
    anchor.SumOfLoads = load.Area(anchor.LoadingHeight);

    const Geometry g = PileGeometry(*this, anchor);
    bool solved = g.valid;
    if (solved) anchor.SpanNodes.assign(static_cast<size_t>(g.n) + 1, TArrAnchOne{});
    for (int k = 1; solved && k <= g.n; ++k)
        solved = IntegrateSpan(g, load, k, anchor.SpanNodes[k]);
    solved = solved && SolveJoints(g, load, anchor);
    if (solved)
        IntegratePile(g, load, english ? 12.0L : 1000.0L, anchor); // deflection ft to in, or m to mm
    else
        MarkBeamUndefined(anchor, g.n <= kMaxLevelCount ? g.n : 0); // storage as for no levels

    // Peaks along the pile; a tie keeps the first node in segment and node order.
    AbsPeak shear;
    AbsPeak moment;
    AbsPeak deflection;
    for (const TArrAnchOne& seg : anchor.PileNodes) {
        for (const TAnchNode& c : seg.Nodes) {
            shear.Offer(c.Shear, c.Depth);
            moment.Offer(c.Moment, c.Depth);
            deflection.Offer(c.Deflection2, c.Depth);
        }
    }
    anchor.MaxShear = shear.value;
    anchor.MaxShearDepth = shear.at;
    anchor.MaxMoment = moment.value;
    anchor.MaxMomentDepth = moment.at;
    anchor.MaxDeflectionResult = deflection.value;
    anchor.MaxDeflectionDepth = deflection.at;

    // Required web area (allowable shear 0.6 Fy / 1.5) and section modulus (Fy / 1.67):
    // in^2 and in^3 from kips, kip-ft and ksi; mm^2 and 10^3 mm^3 from kN, kN-m and MPa.
    const Ext shearToArea = english ? 1.0L : 1000.0L;      // kips, or kN to N
    const Ext momentToModulus = english ? 12.0L : 1000.0L; // kip-ft to kip-in, or kN-m to 10^3 N-mm
    anchor.ShearAreaRequired = SafeDiv(1.5L * shearToArea * std::fabs(anchor.MaxShear), 0.6L * anchor.Fy);
    anchor.ModulusRequired =
        SafeDiv(steel::kOmega * momentToModulus * std::fabs(anchor.MaxMoment), anchor.Fy);
    anchor.UtilizedIx = SafeDiv(std::fabs(anchor.MaxDeflectionResult), anchor.MaxDeflection) * 100.0L;

    LevelLoadsFromReactions(anchor);
    PileMemberCheck(*this, anchor);
}

} // namespace vantrel
