// Loading, shear, moment, slope and deflection along the pile, and the interaction diagram of a
// rebar cage pier.

#include "drawing/Graphs.h"

namespace vantrel {

using chart::AxisId;
using chart::PointerStyle;

std::vector<TAnchNode> CollectPileNodes(const TKdData& data) {
    std::vector<TAnchNode> nodes;
    nodes.reserve(data.Anchors.PileNodes.size() * kSpanNodes);
    for (const TArrAnchOne& segment : data.Anchors.PileNodes)
        nodes.insert(nodes.end(), segment.Nodes.begin(), segment.Nodes.end());
    return nodes;
}

namespace {
struct PileChartKind {
    Ext TAnchNode::*value;
    const char* caption;
    const char* english;
    const char* si;
    int hitArray;
};
// Kinds 1 to 5. The node load is a load per unit depth on one pile, hence kips/ft or kN/m; a
// pressure unit (ksf, kPa) would misname it.
const PileChartKind kPileCharts[5] = {
    {&TAnchNode::Load, "Loading, ", "kips/ft", "kN/m", 0},
    {&TAnchNode::Shear, "Shear, ", "kip", "kN", 2},
    {&TAnchNode::Moment, "Moment, ", "k-ft", "kN-m", 3},
    {&TAnchNode::Slope2, "Slope, radians", "", "", 4},
    {&TAnchNode::Deflection2, "Deflection, ", "in", "mm", 5},
};
} // namespace

void TGraphsRenderer::ShowPileGraphs(const TKdData& data, TChartKind kind) {
    if (kind > 6) return;
    pressureMode_ = false;
    data_ = &data;
    const std::vector<TAnchNode> nodes = CollectPileNodes(data);
    targetImage_ = 1;
    const bool si = data.Units == usSI;
    // The fourth grid column is not used by the pile charts.
    Pic(7).visible = Pic(8).visible = false;
    gridColumns_ = 3;
    if (kind != 0) {
        for (int i = 1; i <= 6; ++i)
            Pic(i).visible = false;
        EnlargeSingle(kind);
    }
    shownKinds_.reset();
    for (int k = 1; k <= 6; ++k)
        if (kind == 0 || kind == k) shownKinds_.set(static_cast<size_t>(k));
    HideAll();
    for (int n = 4; n <= 12; ++n)
        SeriesN(n).active = false;

    chart::Series& s1 = SeriesN(1);
    chart::Series& s2 = SeriesN(2);
    chart::Series& s3 = SeriesN(3);
    chart::Axis& top = chart_.GetAxis(AxisId::Top);
    chart::Axis& right = chart_.GetAxis(AxisId::Right);
    for (int k = 1; k <= 5; ++k) {
        if (k == 1) s1.color = 0xFF0000;
        if (IsShown(k)) {
            const PileChartKind& pileChart = kPileCharts[k - 1];
            renderingKind_ = k;
            if (k <= 3) {
                labelMinimum_ = false;
                labelMaximum_ = true;
            } else if (k == 5) {
                labelMinimum_ = true;
                labelMaximum_ = false;
            }
            s1.Clear();
            s2.Clear();
            s3.Clear();
            if (k >= 2) s2.active = false;
            s1.pointer.visible = false;
            chart_.legendVisible = false;
            SetUnitCaptions(QString(pileChart.caption) + (si ? pileChart.si : pileChart.english),
                            si ? "Distance x, m" : "Distance x, ft");
            top.inverted = right.inverted = true;
            top.minimum = right.minimum = 0;
            for (const TAnchNode& node : nodes) {
                s1.Add(static_cast<double>(node.Depth), static_cast<double>(node.*pileChart.value));
                s3.Add(static_cast<double>(node.Depth), 0.0);
            }
            s3.Add(static_cast<double>(data.Anchors.LoadingHeight), 0.0);
            ScaleAxes(nullptr, nullptr);
            RenderChartToImage(k, true);
            CollectHitPoints(pileHits_[static_cast<size_t>(pileChart.hitArray)], s1, true, true);
            if (k == 1) CollectHitPoints(pileHits_[1], s2, true, true);
            Pic(k).visible = true;
        }
        // The loading curve is blue, the others fuchsia.
        if (k == 1) s1.color = 0xFF00FF;
    }

    if (IsShown(6) && data.PileSection == psRebarCage) {
        renderingKind_ = 6;
        chart::Series& s4 = SeriesN(4);
        chart::Series& s5 = SeriesN(5);
        labelMinimum_ = labelMaximum_ = false;
        s1.Clear();
        s2.Clear();
        s1.color = 0x800000;
        s2.color = s4.color = 0x0000FF;
        s2.pointer.style = s5.pointer.style = PointerStyle::Diamond;
        s3.Clear();
        s4.Clear();
        s5.Clear();
        s2.active = s4.active = s5.active = true;
        top.inverted = false;
        chart_.legendVisible = false;
        SetUnitCaptions(si ? "Design Moment, KN.m" : "Design Moment, k-ft",
                        si ? "Design Axial Load, KN" : "Design Axial Load, kip");
        for (const TInteractionPoint& row : data.Interaction)
            s1.Add(static_cast<double>(row.PhiPn), static_cast<double>(row.PhiMn));
        // The largest design axial load of the section, the design moment without axial load and the
        // tension strength of the bars alone (negative).
        const double axialLimit = static_cast<double>(data.Pier.PmaxPier);
        const double pureMoment = static_cast<double>(data.Interaction[0].PhiMn);
        const double steelAxial = static_cast<double>(data.Pier.TensionStrength);
        s2.Add(axialLimit, 0.0);
        s2.Add(axialLimit, static_cast<double>(data.Interaction[8].PhiMn));
        s4.Add(static_cast<double>(data.FactoredAxial), static_cast<double>(data.FactoredMoment));
        s5.Add(0.0, pureMoment);
        s5.Add(steelAxial, 0.0);
        ScaleAxes(nullptr, nullptr);
        RenderChartToImage(6, true);
        CollectHitPoints(pileHits_[6], s1, true, true);
        CollectHitPoints(pileHits_[6], s2, false, true);
        CollectHitPoints(pileHits_[6], s5, false, true);
        Pic(6).visible = true;
    } else if (kind == 6) {
        // A pile that is not a rebar cage has no interaction diagram: an empty window of the size.
        Picture& p = Pic(6);
        p.image = QImage(p.size, QImage::Format_RGB32);
        p.image.fill(ToQColor(chart_.color));
        p.visible = true;
    }
}

} // namespace vantrel
