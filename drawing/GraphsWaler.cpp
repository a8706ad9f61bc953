// Shear, moment and deflection along the waler of one support level.

#include "drawing/Graphs.h"

#include <cmath>
#include <functional>

namespace vantrel {

using chart::AxisId;

namespace {

// Points at x = start, start + step, ... while x < bound. A step that is not a positive finite
// number (a waler of no length) adds nothing, and neither does a run of absurdly many points.
void AddRun(std::vector<QPointF>& points, double start, double step, double bound,
            const std::function<double(double)>& f) {
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(start) || !std::isfinite(bound)) return;
    if ((bound - start) / step > 100000.0) return;
    for (int i = 0;; ++i) {
        const double x = start + i * step;
        if (!(x < bound)) break;
        points.emplace_back(x, f(x));
    }
}

struct WalerValues {
    double l, L, a, b, c, w, r1, v1, v2, v3, v4, m1, m2;
    explicit WalerValues(const TWaler& wl)
        : l(static_cast<double>(wl.WLeft)), L(static_cast<double>(wl.TotalLength)),
          a(static_cast<double>(wl.Wa)), b(static_cast<double>(wl.Wb)), c(static_cast<double>(wl.Wc)),
          w(static_cast<double>(wl.WalerW)), r1(static_cast<double>(wl.R1)),
          v1(std::fabs(static_cast<double>(wl.V1))), v2(std::fabs(static_cast<double>(wl.V2))),
          v3(std::fabs(static_cast<double>(wl.V3))), v4(std::fabs(static_cast<double>(wl.V4))),
          m1(std::fabs(static_cast<double>(wl.M1))), m2(std::fabs(static_cast<double>(wl.M2))) {}
};

} // namespace

std::vector<QPointF> WalerShearPoints(const TWaler& waler) {
    const WalerValues v(waler);
    std::vector<QPointF> p{{0, 0}};
    const double s = v.L / 50;
    if (!waler.TwoSpans) {
        // Overhang a, span b between the supports, overhang c.
        AddRun(p, s, s, v.a, [&](double x) { return -v.v1 * x / v.a; });
        p.emplace_back(v.a, -v.v1);
        p.emplace_back(v.a, v.v2);
        const double s2 = v.b / 20;
        AddRun(p, v.a + s2, s2, v.a + v.b, [&](double x) { return v.v2 - (v.v2 + v.v3) * (x - v.a) / v.b; });
        p.emplace_back(v.a + v.b, -v.v3);
        p.emplace_back(v.a + v.b, v.v4);
        const double s3 = v.c / 20;
        AddRun(p, v.a + v.b + s3, s3, v.L, [&](double x) { return v.v4 * (v.L - x) / v.c; });
    } else {
        // Two equal spans l: 3/8 w l at the ends, 5/8 w l either side of the middle support.
        AddRun(p, 0, s, v.l, [&](double x) { return v.v1 - (v.v1 + v.v2) * x / v.l; });
        p.emplace_back(v.l, -v.v2);
        p.emplace_back(v.l, v.v2);
        AddRun(p, v.l + s, s, v.L, [&](double x) { return v.v2 - (v.v2 + v.v3) * (x - v.l) / v.l; });
        p.emplace_back(2 * v.l, -static_cast<double>(waler.V3));
    }
    return p;
}

std::vector<QPointF> WalerMomentPoints(const TWaler& waler) {
    const WalerValues v(waler);
    std::vector<QPointF> p{{0, 0}};
    const double s = v.L / 50;
    if (!waler.TwoSpans) {
        AddRun(p, s, s, v.a, [&](double x) { return -v.w * x * x / 2; });
        p.emplace_back(v.a, -v.m1);
        const double s2 = v.b / 20;
        AddRun(p, v.a + s2, s2, v.a + v.b, [&](double x) { return v.r1 * (x - v.a) - v.w * x * x / 2; });
        p.emplace_back(v.a + v.b, -v.m2);
        const double s3 = v.c / 20;
        AddRun(p, v.a + v.b + s3, s3, v.L, [&](double x) { return -v.w * (v.L - x) * (v.L - x) / 2; });
    } else {
        // Span moments of 9/128 w l^2 at 3/8 l from each end support.
        const double e = 3 * v.l / 8;
        AddRun(p, s, s, v.l, [&](double x) { return v.m2 - v.w * (x - e) * (x - e) / 2; });
        p.emplace_back(v.l, -v.m1);
        AddRun(p, v.l + s, s, v.L,
               [&](double x) { return v.m2 - v.w * (e - (v.L - x)) * (e - (v.L - x)) / 2; });
    }
    p.emplace_back(v.L, 0);
    return p;
}

void TGraphsRenderer::WalerChart(int image, TGrPointArr& hits, const QString& title,
                                 const std::vector<QPointF>& points) {
    renderingKind_ = 17;
    labelMinimum_ = labelMaximum_ = true;
    chart::Series& s1 = SeriesN(1);
    s1.Clear();
    s1.color = 0xFF0000;
    s1.pointer.visible = false;
    chart_.legendVisible = false;
    chart_.GetAxis(AxisId::Right).visible = false;
    chart::Axis& left = chart_.GetAxis(AxisId::Left);
    chart::Axis& bottom = chart_.GetAxis(AxisId::Bottom);
    chart::Axis& top = chart_.GetAxis(AxisId::Top);
    left.visible = true;
    bottom = top; // the distance axis along the bottom, set up like the depth axis of the other charts
    top.visible = false;
    bottom.visible = true;
    bottom.title = data_->Units == usSI ? "Distance x, m" : "Distance x, ft";
    left.title = title;
    left.inverted = bottom.inverted = false;
    left.minimum = bottom.minimum = 0;
    s1.horizAxis = AxisId::Bottom;
    s1.vertAxis = AxisId::Left;
    for (const QPointF& pt : points)
        s1.Add(pt.x(), pt.y());
    ScaleAxes(&bottom, &left);
    RenderChartToImage(image, false);
    CollectHitPoints(hits, s1, true, false);
    Pic(image).visible = true;
}

void TGraphsRenderer::ShowWalerGraphs(const TKdData& data, TChartKind, int levelIndex) {
    data_ = &data;
    targetImage_ = 1;
    shownKinds_.reset();
    shownKinds_.set(17);
    HideAll();
    gridVisible_ = false;
    // Three charts stacked, each as wide as a grid cell is high and as high as it is wide.
    const QSize chartSize(Pic(1).size.height(), Pic(1).size.width());
    for (int i = 1; i <= 3; ++i)
        Pic(i).size = chartSize;
    for (int n = 2; n <= 12; ++n)
        SeriesN(n).active = false;
    const bool si = data.Units == usSI;
    const bool known = levelIndex >= 0 && levelIndex < data.Anchors.UsedLevels();
    std::vector<QPointF> shear, moment, deflection;
    if (known) {
        const TWaler& w = data.Anchors.Levels[static_cast<size_t>(levelIndex)].Waler;
        shear = WalerShearPoints(w);
        moment = WalerMomentPoints(w);
        for (const TWalerPoint& p : w.WalerDeflections)
            deflection.emplace_back(static_cast<double>(p.X), static_cast<double>(p.Y));
    }
    WalerChart(1, pileHits_[0], si ? "Shear, kN" : "Shear, kips", shear);
    WalerChart(2, pileHits_[1], si ? "Moment, kN-m" : "Moment, k-ft", moment);
    WalerChart(3, pileHits_[2], si ? "Deflection, mm" : "Deflection, in", deflection);
}

} // namespace vantrel
