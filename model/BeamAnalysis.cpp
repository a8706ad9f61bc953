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

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
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
//
// The integration steps take the load between two nodes as the difference of the integral from 0
// to each (over a step that holds no break of the diagram this is the trapezoidal rule; over one
// that does, it is the exact area, so that the shear keeps the whole load and the reactions sum to
// the load of the diagram). The integral to a node comes from a running sum: the areas of the
// whole pieces above it, summed once, plus the part of its own piece, in the same operations as
// the piece-by-piece integral gives it.
class LoadDiagram {
  public:
    LoadDiagram(const std::array<TDiagramPoint, 4>& p, Ext loadingHeight)
        : p_{p[0], p[1], p[2], TDiagramPoint{loadingHeight, p[3].Load}}, end_{p[1].Depth,
                                                                              MaxOf(p[1].Depth, p[2].Depth)} {
        running_ = IsFinite(end_[0]) && IsFinite(end_[1]);
        for (const TDiagramPoint& point : p_)
            running_ = running_ && IsFinite(point.Depth) && IsFinite(point.Load);
        if (!running_) return;
        const Ext from[3] = {0.0L, end_[0], end_[1]};
        Ext sum = 0.0L;
        for (int piece = 0; piece < 3; ++piece) {
            // Along a piece of one nonzero load the line gives that load exactly at every finite
            // depth (its slope term is a zero added to it), without the division.
            flat_[piece] = p_[piece].Load == p_[piece + 1].Load && p_[piece].Load != 0.0L;
            start_[piece] = MaxOf(from[piece], 0.0L);
            startLoad_[piece] = Line(piece, start_[piece]);
            above_[piece] = sum;
            if (piece < 2 && end_[piece] > start_[piece])
                sum += (end_[piece] - start_[piece]) * (startLoad_[piece] + Line(piece, end_[piece])) / 2.0L;
        }
    }

    Ext At(Ext x) const { return Line(Piece(x), x); }

    // The load at x, and in `area` its integral from 0 to x.
    Ext At(Ext x, Ext& area) const {
        if (!running_ || IsNaN(x)) {
            area = Area(x);
            return At(x);
        }
        const int piece = Piece(x);
        const Ext w = flat_[piece] ? p_[piece].Load : Line(piece, x);
        area = above_[piece];
        if (x > start_[piece]) area += (x - start_[piece]) * (startLoad_[piece] + w) / 2.0L;
        return w;
    }

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
    // Running integral: where each piece starts (never above depth 0), the load there, and the
    // area of the whole pieces above it. Only for a diagram of finite values.
    bool running_ = false;
    std::array<bool, 3> flat_{};
    std::array<Ext, 3> start_{}, startLoad_{}, above_{};
};

// Storage of the solves, kept from one analysis to the next on each thread.
struct SolveScratch {
    TMatrix inverse;
    MatrixCalc::TInversionScratch inversion;
};

// x = inverse(A) b, the inverse by the inversion of the matrix routines and the product summed
// from 0 in column order as MatrixCalc::MultiplyMatrix sums it; false, and x undefined, when A is
// not square or singular.
bool Solve(const TMatrix& a, const TVector& b, TVector& x) {
    thread_local SolveScratch scratch;
    const size_t n = a.size();
    TMatrix& inverse = scratch.inverse;
    // Rows beyond n stay for the larger solves (the inversion works on rows 0..n-1 only).
    if (inverse.size() < n) inverse.resize(n);
    bool square = b.size() == n;
    for (size_t i = 0; i < n; ++i) {
        inverse[i].assign(a[i].begin(), a[i].end());
        square = square && a[i].size() == n;
    }
    Ext det = 0.0L;
    const int last = static_cast<int>(n) - 1;
    if (!square || !MatrixCalc::InvertInPlace(inverse, 0, last, last, det, scratch.inversion)) {
        x.assign(b.size(), kNaN);
        return false;
    }
    x.resize(n);
    for (size_t i = 0; i < n; ++i) {
        Ext sum = 0.0L;
        for (size_t k = 0; k < n; ++k)
            sum += inverse[i][k] * b[k];
        x[i] = sum;
    }
    return true;
}

// m := [[a, b], [c, d]] in the storage m already has.
void SetMatrix2(TMatrix& m, Ext a, Ext b, Ext c, Ext d) {
    MatrixCalc::NewMatrix(2, 2, m);
    m[0][0] = a;
    m[0][1] = b;
    m[1][0] = c;
    m[1][1] = d;
}

// `segments` brought to `count` entries, keeping the storage of those already there.
void SizeSegments(TArrAnchNodes& segments, int count) {
    segments.resize(static_cast<size_t>(count));
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
    std::array<Ext, kMaxLevelCount + 1> top{};    // depth of the top of segment k, ft
    std::array<Ext, kMaxLevelCount + 1> length{}; // length of segment k, ft
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

// The load of every integration step of each span (index: span, node), kept from the spans for
// the pile pass, which steps through the same depths.
using StepLoads = std::array<std::array<Ext, kSpanNodes>, kMaxLevelCount + 1>;

// Span k integrated from its top. First pass: under its load alone, top fixed, bottom free. Then
// the top shear and moment that restore the bottom: fixed (slope and deflection 0) for an inner
// span, pinned (moment and deflection 0) for the last one. Second pass: under its load and those
// end forces. False when the 2 x 2 system cannot be solved. The running values are carried from
// node to node as the integration sums them.
bool IntegrateSpan(const Geometry& g, const LoadDiagram& load, int k, TArrAnchOne& span,
                   std::array<Ext, kSpanNodes>& step) {
    const Ext ei = g.ei;
    const Ext len = g.length[k];
    const Ext dx = len / kSteps;
    auto& nd = span.Nodes;
    // The depths and loads first: they depend on nothing the integration sums, so their
    // divisions need not wait for it.
    Ext areaAbove = 0.0L;
    for (int i = 0; i <= kSteps; ++i) {
        TAnchNode& c = nd[i];
        c.Depth = g.top[k] + i * dx;
        Ext area = 0.0L;
        c.Load = load.At(c.Depth, area);
        step[i] = area - areaAbove;
        areaAbove = area;
    }
    Ext shear = 0.0L, moment = 0.0L, slope = 0.0L, deflection = 0.0L;
    for (int i = 0; i <= kSteps; ++i) {
        TAnchNode& c = nd[i];
        if (i > 0) {
            const Ext shearAbove = shear, momentAbove = moment, slopeAbove = slope;
            shear = shearAbove + step[i];
            moment = momentAbove + g.momentSign * Step(dx, shearAbove, shear);
            slope = slopeAbove + Step(dx, momentAbove, moment) / ei;
            deflection = deflection + Step(dx, slopeAbove, slope);
        }
        c.Shear = shear;
        c.Moment = moment;
        c.Slope = slope;
        c.Deflection = deflection;
    }

    if (k < g.n) {
        SetMatrix2(span.SpanMatrix, len * len / (2.0L * ei), len / ei, len * len * len / (6.0L * ei),
                   len * len / (2.0L * ei));
        span.SpanRhs = {slope, deflection};
    } else {
        SetMatrix2(span.SpanMatrix, len, 1.0L, len * len * len / (6.0L * ei), len * len / (2.0L * ei));
        span.SpanRhs = {moment, deflection};
    }
    const bool solved = Solve(span.SpanMatrix, span.SpanRhs, span.SpanSolution);
    span.EndShear = span.SpanSolution[0];
    span.EndMoment = span.SpanSolution[1];

    shear = g.s * span.EndShear;
    moment = -span.EndMoment;
    slope = deflection = 0.0L;
    for (int i = 0; i <= kSteps; ++i) {
        if (i > 0) {
            const Ext shearAbove = shear, momentAbove = moment, slopeAbove = slope;
            shear = shearAbove + step[i];
            moment = momentAbove + g.momentSign * Step(dx, shearAbove, shear);
            slope = slopeAbove + g.s * Step(dx, momentAbove, moment) / ei;
            deflection = deflection + Step(dx, slopeAbove, slope);
        }
        TAnchNode& c = nd[i];
        c.Shear2 = shear;
        c.Moment2 = moment;
        c.Slope2 = slope;
        c.Deflection2 = deflection;
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
    if (!Solve(rm, a.JointMoments, a.Rotations)) return false;
    // ShearMatrix x Rotations, summed from 0 in column order as MatrixCalc::MultiplyMatrix sums it.
    a.ShearCorrections.resize(static_cast<size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        Ext sum = 0.0L;
        for (int k = 0; k < n; ++k)
            sum += sm[i][k] * a.Rotations[k];
        a.ShearCorrections[i] = sum;
    }

    a.Reactions.assign(static_cast<size_t>(n) + 1, 0.0L);
    for (int j = 0; j <= n; ++j)
        a.Reactions[j] = s * (a.JointShears[j] - a.ShearCorrections[j]);
    a.SumOfReactions = MatrixCalc::SumVector(a.Reactions);
    return true;
}

// Peaks along the pile: segments in order and nodes in order, so a tie keeps the first node.
struct PilePeaks {
    AbsPeak shear, moment, deflection;
};

// Pile pass from the top of the wall, the reactions as steps in the shear. The integrated slope
// starts from 0 at the free top; the rotation of the first support fixes its constant. The
// deflection, integrated from 0 at the top, is measured from the mean of its values at the first
// two supports and shown in in (mm). Segment k > 0 steps through the depths of span k, whose
// loads it takes over; the cantilever (segment 0) has its own. The peaks are taken on the way.
void IntegratePile(const Geometry& g, const LoadDiagram& load, const StepLoads& spanSteps, Ext toDisplay,
                   TAnchor& a, PilePeaks& peaks) {
    SizeSegments(a.PileNodes, g.n + 1);
    std::array<Ext, kSpanNodes> cantileverSteps;
    Ext shear = 0.0L, moment = 0.0L, slope = 0.0L;
    Ext deflection = 0.0L;
    for (int k = 0; k <= g.n; ++k) {
        const Ext dx = g.length[k] / kSteps;
        TArrAnchOne& segment = a.PileNodes[k];
        // The span solution belongs to the spans; a pile segment has none.
        segment.SpanMatrix.clear();
        segment.SpanRhs.clear();
        segment.SpanSolution.clear();
        segment.EndShear = segment.EndMoment = 0.0L;
        auto& nd = segment.Nodes;
        const auto* span = k > 0 ? &a.SpanNodes[k].Nodes : nullptr;
        const std::array<Ext, kSpanNodes>& step = k > 0 ? spanSteps[k] : cantileverSteps;

        Ext areaAbove = 0.0L;
        nd[0].Depth = g.top[k];
        nd[0].Load = load.At(nd[0].Depth, areaAbove);
        if (k > 0) shear = shear - a.Reactions[k - 1];
        for (int i = 0; i <= kSteps; ++i) {
            TAnchNode& c = nd[i];
            if (i > 0) {
                if (span) {
                    // Depth and Load side by side, copied as they stand.
                    static_assert(offsetof(TAnchNode, Load) == offsetof(TAnchNode, Depth) + sizeof(Ext));
                    std::memcpy(&c.Depth, &(*span)[i].Depth, 2 * sizeof(Ext));
                } else {
                    c.Depth = g.top[k] + i * dx;
                    Ext area = 0.0L;
                    c.Load = load.At(c.Depth, area);
                    cantileverSteps[i] = area - areaAbove;
                    areaAbove = area;
                }
                const Ext shearAbove = shear, momentAbove = moment;
                shear = shearAbove + step[i];
                moment = momentAbove + Step(dx, shearAbove, shear);
                slope = slope + g.s * Step(dx, momentAbove, moment) / g.ei;
            }
            c.Shear = shear;
            c.Moment = moment;
            c.Slope = slope;
            // The second-case columns are not used along the pile: zero, as stored bytes.
            static_assert(offsetof(TAnchNode, Moment2) == offsetof(TAnchNode, Shear2) + sizeof(Ext));
            std::memset(&c.Shear2, 0, 2 * sizeof(Ext));
            peaks.shear.Offer(shear, c.Depth);
            peaks.moment.Offer(moment, c.Depth);
            if (k > 0) {
                // The constant of the slope is known once the cantilever is done.
                const Ext slope2 = slope - a.ReferenceSlope;
                if (i > 0) deflection += Step(dx, nd[i - 1].Slope2, slope2);
                c.Slope2 = slope2;
                c.Deflection = deflection;
            }
        }
        if (k == 0) {
            a.ReferenceSlope = slope - a.Rotations[0];
            for (int i = 0; i <= kSteps; ++i) {
                nd[i].Slope2 = nd[i].Slope - a.ReferenceSlope;
                if (i > 0) deflection += Step(dx, nd[i - 1].Slope2, nd[i].Slope2);
                nd[i].Deflection = deflection;
            }
        }
    }
    a.ReferenceDeflection =
        (a.PileNodes[0].Nodes[kSteps].Deflection + a.PileNodes[1].Nodes[kSteps].Deflection) / 2.0L;
    for (TArrAnchOne& seg : a.PileNodes) {
        for (TAnchNode& c : seg.Nodes) {
            c.Deflection2 = g.s * (a.ReferenceDeflection - c.Deflection) * toDisplay;
            peaks.deflection.Offer(c.Deflection2, c.Depth);
        }
    }
}

void MarkBeamUndefined(TAnchor& a, int n) {
    const size_t levels = static_cast<size_t>(n > 0 ? n : 0);
    a.JointShears.assign(levels + 1, kNaN);
    a.JointMoments.assign(levels, kNaN);
    a.CantileverShear = kNaN;
    a.CantileverMoment = kNaN;
    MatrixCalc::NewMatrix(static_cast<int>(levels), static_cast<int>(levels), a.RotationMatrix);
    MatrixCalc::NewMatrix(static_cast<int>(levels) + 1, static_cast<int>(levels), a.ShearMatrix);
    for (TMatrix* m : {&a.RotationMatrix, &a.ShearMatrix})
        for (TVector& row : *m)
            std::fill(row.begin(), row.end(), kNaN);
    a.Rotations.assign(levels, kNaN);
    a.ShearCorrections.assign(levels + 1, kNaN);
    a.Reactions.assign(levels + 1, kNaN);
    a.SumOfReactions = kNaN;
    a.ReferenceSlope = kNaN;
    a.ReferenceDeflection = kNaN;
    static const TArrAnchOne undefined = [] {
        TArrAnchOne segment;
        segment.Nodes.fill(AllUndefined<TAnchNode>());
        segment.EndShear = kNaN;
        segment.EndMoment = kNaN;
        return segment;
    }();
    for (TArrAnchNodes* segments : {&a.SpanNodes, &a.PileNodes}) {
        SizeSegments(*segments, static_cast<int>(levels) + 1);
        std::fill(segments->begin(), segments->end(), undefined);
    }
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
    if (solved) {
        SizeSegments(anchor.SpanNodes, g.n + 1);
        static const TArrAnchOne kUnused{};
        anchor.SpanNodes[0] = kUnused; // span 0 does not exist: its entry stays empty
    }
    StepLoads steps;
    for (int k = 1; solved && k <= g.n; ++k)
        solved = IntegrateSpan(g, load, k, anchor.SpanNodes[k], steps[k]);
    solved = solved && SolveJoints(g, load, anchor);
    PilePeaks peaks;
    if (solved) {
        const Ext toDisplay = english ? 12.0L : 1000.0L; // deflection ft to in, or m to mm
        IntegratePile(g, load, steps, toDisplay, anchor, peaks);
    } else {
        MarkBeamUndefined(anchor, g.n <= kMaxLevelCount ? g.n : 0); // storage as for no levels
        peaks.shear.Offer(kNaN, kNaN);
        peaks.moment.Offer(kNaN, kNaN);
        peaks.deflection.Offer(kNaN, kNaN);
    }
    anchor.MaxShear = peaks.shear.value;
    anchor.MaxShearDepth = peaks.shear.at;
    anchor.MaxMoment = peaks.moment.value;
    anchor.MaxMomentDepth = peaks.moment.at;
    anchor.MaxDeflectionResult = peaks.deflection.value;
    anchor.MaxDeflectionDepth = peaks.deflection.at;

    // Required web area (allowable shear 0.6 Fy / 1.5) and section modulus (Fy / 1.67):
    // in^2 and in^3 from kips, kip-ft and ksi; mm^2 and 10^3 mm^3 from kN, kN-m and MPa.
    const Ext shearToArea = english ? 1.0L : 1000.0L;      // kips, or kN to N
    const Ext momentToModulus = english ? 12.0L : 1000.0L; // kip-ft to kip-in, or kN-m to 10^3 N-mm
    anchor.ShearAreaRequired = SafeDiv(1.5L * shearToArea * std::fabs(anchor.MaxShear), 0.6L * anchor.Fy);
    anchor.ModulusRequired =
        SafeDiv(steel::kOmega * momentToModulus * std::fabs(anchor.MaxMoment), anchor.Fy);
    anchor.UtilizedIx = SafeDiv(std::fabs(anchor.MaxDeflectionResult), anchor.MaxDeflection) * 100.0L;

    LevelLoadsFromReactions(anchor);
    CheckPileMember(anchor);
}

void TKdData::CheckPileMember(TAnchor& anchor) const {
    PileMemberCheck(*this, anchor);
}

} // namespace vantrel
