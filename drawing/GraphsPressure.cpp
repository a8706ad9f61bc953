// The earth pressure components along the depth, each alone or all in one chart, and the surface
// settlement behind the wall.

#include "drawing/Graphs.h"

#include <cmath>

namespace vantrel {

using chart::AxisId;

void TGraphsRenderer::ShowEarthPressures(const TKdData& data, TChartKind kind) {
    if (kind < 7 || kind > 16) return;
    pressureMode_ = true;
    combined_ = false;
    data_ = &data;
    targetImage_ = 1;
    if (kind != 7) {
        HideAll();
        EnlargeSingle(kind == 16 ? 1 : PressureImage(kind));
    }
    combined_ = kind == 16;
    // The combined chart draws each component in its own series: Series1 and Series6 .. Series12.
    for (int k = 0; k < 8; ++k)
        pressureSeries_[static_cast<size_t>(k)] = combined_ ? (k == 0 ? 0 : k + 4) : 0;
    shownKinds_.reset();
    for (int c = 8; c <= 15; ++c)
        if (kind == 7 || kind == 16 || kind == c) shownKinds_.set(static_cast<size_t>(c));
    HideAll();
    SeriesN(4).active = SeriesN(5).active = false;
    for (int n = 6; n <= 12; ++n)
        SeriesN(n).active = combined_;
    chart_.legendVisible = combined_;

    if (!combined_) {
        for (int c = 8; c <= 15; ++c)
            if (IsShown(c)) AddPressureCurve(c, PressureImage(c));
        return;
    }
    for (int c = 8; c <= 15; ++c)
        AddPressureCurve(c, 0);
    SeriesN(2).showInLegend = SeriesN(3).showInLegend = false;
    chart_.GetAxis(AxisId::Right).title =
        data.Units == usSI ? "Earth Pressures, kPa" : "Earth Pressures, psf";
    ScaleAxes(nullptr, nullptr);
    renderingKind_ = 16;
    RenderChartToImage(1, true);
    for (size_t k = 0; k < 8; ++k)
        CollectHitPoints(pressureHits_[k], chart_[pressureSeries_[k]], true, true);
    Pic(1).visible = true;
}

void TGraphsRenderer::AddPressureCurve(int component, int image) {
    const int k = component - 8;
    chart::Series& s = chart_[pressureSeries_[static_cast<size_t>(k)]];
    chart::Series& zero = SeriesN(3);
    const bool si = data_->Units == usSI;
    labelMinimum_ = false;
    labelMaximum_ = true;
    s.Clear();
    SetUnitCaptions(QString(PressureSeriesTitles[k]) + (si ? ", kPa" : ", psf"),
                    si ? "Distance x, m" : "Distance x, ft");
    chart::Axis& top = chart_.GetAxis(AxisId::Top);
    chart::Axis& right = chart_.GetAxis(AxisId::Right);
    top.inverted = right.inverted = true;
    top.minimum = right.minimum = 0;
    s.title = PressureSeriesTitles[k];
    for (const TPressureRow& row : data_->Anchors.PressureTable) {
        s.Add(static_cast<double>(row.Depth), static_cast<double>(row.Component(k)));
        zero.Add(static_cast<double>(row.Depth), 0.0);
    }
    zero.Add(static_cast<double>(data_->Anchors.LoadingHeight), 0.0);
    ScaleAxes(nullptr, nullptr);
    if (image == 0) return;
    renderingKind_ = component;
    RenderChartToImage(image, true);
    Pic(image).visible = true;
    CollectHitPoints(pressureHits_[static_cast<size_t>(k)], s, true, true);
}

// --- Surface settlement -------------------------------------------------------------------------

const double SettlementCurves[3][11] = {
    {-0.2, -0.13, -0.1, -0.08, -0.04, -0.02, -0.01, -0.01, 0, 0, 0},
    {-0.44, -0.38, -0.3, -0.28, -0.21, -0.19, -0.16, -0.1, -0.07, -0.04, -0.01},
    {-0.88, -0.7, -0.59, -0.5, -0.4, -0.33, -0.28, -0.2, -0.16, -0.13, -0.06},
};

int SettlementCurveOfSoil(int soilType) {
    switch (soilType) {
    case 0: // loose sand
    case 3: // soft to firm clay
        return 2;
    case 1: // medium dense sand
    case 4: // stiff clay
    case 5: // very stiff clay
    case 6: // stratified soils
        return 1;
    default: // dense sand, bedrock, user defined
        return 0;
    }
}

// The tabulated settlements are percentages of the shored height: 0.88 % of a 20 ft wall is 2.1 in.
double SettlementOrdinate(double s, double h, bool si) {
    return (si ? 1000.0 : 12.0) * h * s / 100.0;
}

void TGraphsRenderer::ShowSettlement(const TKdData& data, TChartKind, bool forImage) {
    data_ = &data;
    HideAll();
    targetImage_ = 1;
    gridVisible_ = false;
    renderingKind_ = 18;
    // A landscape picture: half as large again as the grid cell (or print picture) turned.
    Picture& pic = Pic(1);
    const int w0 = pic.size.width();
    pic.size = QSize(pic.size.height() * 3 / 2, w0 * 3 / 2);
    if (forImage) pic.size = QSize(pic.size.width() / 2, pic.size.height() / 2);
    pic.visible = true;
    SeriesN(2).active = SeriesN(4).active = SeriesN(5).active = false;
    for (int n = 6; n <= 12; ++n)
        SeriesN(n).active = false;
    chart_.legendVisible = false;
    chart::Axis& left = chart_.GetAxis(AxisId::Left);
    chart::Axis& top = chart_.GetAxis(AxisId::Top);
    if (!forImage) {
        for (chart::Axis* a : {&left, &top}) {
            a->labelSize = static_cast<int>(std::nearbyint(a->labelSize * 1.6));
            a->labelFontHeight = static_cast<int>(std::nearbyint(a->labelFontHeight * 1.6));
            a->titleFontHeight = static_cast<int>(std::nearbyint(a->titleFontHeight * 1.6));
        }
    }
    labelMinimum_ = false;
    labelMaximum_ = true;
    chart::Series& s1 = SeriesN(1);
    s1.Clear();
    s1.vertAxis = AxisId::Left;
    chart_.GetAxis(AxisId::Right).visible = false;
    const bool si = data.Units == usSI;
    left.title = si ? "Settlement, mm" : "Settlement, in";
    top.title = si ? "L, m" : "L, ft";
    left.inverted = top.inverted = false;
    left.minimum = top.minimum = 0;
    s1.title = "Settlement Behind Shoring";
    const double* curve = SettlementCurves[SettlementCurveOfSoil(data.Anchors.SoilType)];
    const double h = static_cast<double>(data.ShoredHeight);
    for (int i = 0; i <= 10; ++i)
        s1.Add(h * 0.2 * i, SettlementOrdinate(curve[i], h, si));
    ScaleAxes(&top, &left);
    RenderChartToImage(1, false);
    CollectHitPoints(pressureHits_[0], s1, true, false);
}

} // namespace vantrel
