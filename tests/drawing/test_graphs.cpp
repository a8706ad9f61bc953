// The chart renderer: plain functions, every chart kind's pictures, titles, scales, value labels and
// hit points, the read-outs, and pixel probes of what is drawn where.

#include <QImage>
#include <QLocale>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "drawing/Chart.h"
#include "drawing/DiagramDraw.h"
#include "drawing/Graphs.h"
#include "tests/drawing/ChartProject.h"

namespace vantrel {
namespace {

using testing::ChartProject;

// --- Plain functions ---------------------------------------------------------------------------

TEST(Graphs_Scaling, HorizontalIncrementNormalisesTheRange) {
    // v = range normalised to 10..100; 5 x 10^e x round(v / 25), 0 below v = 12.5.
    const struct {
        double range, increment;
    } cases[] = {{45, 10}, {0.37, 0.05}, {12, 0}, {12.6, 5}, {100, 20},
                 {101, 0}, {1000, 200},  {0, 0},  {20, 5}};
    for (const auto& c : cases)
        EXPECT_NEAR(HorizontalIncrement(c.range), c.increment, 1e-12) << c.range;
    EXPECT_EQ(HorizontalIncrement(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(Graphs_Scaling, VerticalIncrementIsAFifthOrTheRoundedMaximum) {
    const struct {
        double range, maxY, increment;
    } cases[] = {{10, 6, 2}, {3, 3, 1}, {66, 36, 13}, {0.37, 0.37, 0.37}, {0.2, 0.123, 0.12}, {0, 0, 0}};
    for (const auto& c : cases)
        EXPECT_NEAR(VerticalIncrement(c.range, c.maxY), c.increment, 1e-12) << c.range;
}

TEST(Graphs_Scaling, LimitsFromTheExtentsOfEverySeries) {
    // MinY = -4, MaxY = 6: RangeY = 10, limits -5 and 7, increment 2.
    SeriesExtents a{false, 0, 20, -4, 6};
    SeriesExtents empty; // counts with 0 as its extremes
    AxisScaling s = ComputeAxisScaling({a, empty});
    EXPECT_DOUBLE_EQ(s.vertMin, -5);
    EXPECT_DOUBLE_EQ(s.vertMax, 7);
    EXPECT_DOUBLE_EQ(s.vertIncrement, 2);
    EXPECT_DOUBLE_EQ(s.horizIncrement, 5);
    // All zero: increment 0 and both limits 0.
    s = ComputeAxisScaling({SeriesExtents{false, 0, 0, 0, 0}, empty});
    EXPECT_EQ(s.vertMin, 0);
    EXPECT_EQ(s.vertMax, 0);
    EXPECT_EQ(s.vertIncrement, 0);
    // A series entirely above zero still ranges from 0; its minimum stays its own.
    s = ComputeAxisScaling({SeriesExtents{false, -5, 15, 5, 10}});
    EXPECT_DOUBLE_EQ(s.vertMin, 5 - 1.0); // RangeY = 10 - min(0, 5) = 10
    EXPECT_DOUBLE_EQ(s.vertMax, 11);
    EXPECT_DOUBLE_EQ(s.horizIncrement, 5); // RangeX = 15 - (-5) = 20
    // No active series at all: nothing to place, limits stay at zero.
    s = ComputeAxisScaling({});
    EXPECT_EQ(s.vertMin, 0);
    EXPECT_EQ(s.vertMax, 0);
}

TEST(Graphs_Plain, RotateBitmap90TurnsCounterClockwise) {
    QImage src(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            src.setPixel(x, y, qRgb(x * 50, y * 100, 7));
    QImage dest;
    RotateBitmap90(src, dest);
    ASSERT_EQ(dest.size(), QSize(2, 3));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(dest.pixel(y, 3 - 1 - x), src.pixel(x, y)) << x << "," << y;
    // The top row becomes the left column read from the bottom up.
    EXPECT_EQ(dest.pixel(0, 2), src.pixel(0, 0));
    RotateBitmap90(QImage(), dest);
    EXPECT_TRUE(dest.isNull());
}

TEST(Graphs_Plain, FindHitPointFiveTolerancePixelsFirstPointWins) {
    const TGrPointArr pts = {{100, 100, 1.0, 10.0}, {102, 102, 2.0, 20.0}};
    const struct {
        int x, y;
        bool hit;
        double xValue;
    } cases[] = {{105, 105, true, 1.0}, {95, 95, true, 1.0},   {106, 100, true, 2.0}, {108, 100, false, 0},
                 {100, 94, false, 0},   {107, 107, true, 2.0}, {108, 108, false, 0}};
    for (const auto& c : cases) {
        double xv = -1, yv = -1;
        EXPECT_EQ(FindHitPoint(pts, c.x, c.y, xv, yv), c.hit) << c.x << "," << c.y;
        EXPECT_EQ(xv, c.hit ? c.xValue : -1); // left as it was without a hit
    }
    double xv = 3, yv = 4;
    EXPECT_FALSE(FindHitPoint({}, 0, 0, xv, yv));
    EXPECT_EQ(yv, 4);
}

TEST(Graphs_Plain, ScaleHitPointsRoundsPixelsAndKeepsValues) {
    TEPGrPoints src;
    src[0] = {{3, 5, 1.5, -2.5}, {10, 11, 0, 0}};
    src[7] = {{7, 1, 9, 9}};
    const TEPGrPoints half = ScaleHitPoints(src, 0.5);
    // 1.5 and 2.5 round to the even neighbours 2 and 2; 5.5 to 6.
    EXPECT_EQ(half[0][0].X, 2);
    EXPECT_EQ(half[0][0].Y, 2);
    EXPECT_EQ(half[0][1].Y, 6);
    EXPECT_EQ(half[0][0].XValue, 1.5);
    EXPECT_EQ(half[0][0].YValue, -2.5);
    EXPECT_EQ(half[7][0].X, 4);
    EXPECT_TRUE(half[3].empty());
    EXPECT_EQ(ScaleHitPoints(src, 1.0)[0][1].X, 10);
}

TEST(Graphs_Plain, KeepOnScreen) {
    const QRect screen(0, 0, 1920, 1080);
    const struct {
        QRect frame;
        QPoint expected;
    } cases[] = {
        {QRect(1000, 100, 930, 500), QPoint(990, 100)}, // 10 pixels beyond the right edge
        {QRect(100, 700, 400, 400), QPoint(100, 680)},  // 20 beyond the bottom
        {QRect(50, 50, 2000, 300), QPoint(0, 50)},      // wider than the screen
        {QRect(-30, -40, 300, 300), QPoint(0, 0)},      {QRect(10, 20, 300, 300), QPoint(10, 20)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepOnScreen(c.frame, screen), c.expected);
    EXPECT_EQ(KeepOnScreen(QRect(1900, 0, 100, 100), QRect(1920, 0, 1280, 1024)), QPoint(1920, 0));
}

TEST(Graphs_Plain, SettlementCurveBySoilTypeInPercentOfTheWallHeight) {
    const int curve[] = {2, 1, 0, 2, 1, 1, 1, 0, 0, 0, 0, 0};
    for (int soil = 0; soil <= 11; ++soil)
        EXPECT_EQ(SettlementCurveOfSoil(soil), curve[soil]) << soil;
    EXPECT_EQ(SettlementCurveOfSoil(-1), 0);
    // 0.88 % of 20 ft = 0.176 ft = 2.112 in; of 6 m = 52.8 mm.
    EXPECT_NEAR(SettlementOrdinate(-0.88, 20, false), -2.112, 1e-12);
    EXPECT_NEAR(SettlementOrdinate(-0.88, 6, true), -52.8, 1e-12);
}

// --- Waler point sequences ---------------------------------------------------------------------

TEST(Graphs_Waler, TributaryShearAndMomentSequences) {
    const TWaler w = ChartProject().Anchors.Levels[1].Waler;
    const std::vector<QPointF> v = WalerShearPoints(w);
    // (0,0); 8 points s = 0.24 up to 1.92; (2,-14), (2,28); 19 points 0.4 apart; (10,-28), (10,14);
    // the right overhang 0.1 apart to about 12.
    ASSERT_GE(v.size(), 1u + 8 + 2 + 19 + 2 + 19);
    EXPECT_EQ(v[0], QPointF(0, 0));
    EXPECT_NEAR(v[1].x(), 0.24, 1e-12);
    EXPECT_NEAR(v[1].y(), -14 * 0.24 / 2, 1e-12);
    EXPECT_EQ(v[9], QPointF(2, -14));
    EXPECT_EQ(v[10], QPointF(2, 28));
    EXPECT_NEAR(v[11].y(), 28 - 56 * 0.4 / 8, 1e-12);
    EXPECT_EQ(v[30], QPointF(10, -28));
    EXPECT_EQ(v[31], QPointF(10, 14));
    EXPECT_NEAR(v.back().x(), 12, 0.1 + 1e-9);
    EXPECT_NEAR(v.back().y(), 0, 1.4 + 1e-9);
    for (const QPointF& p : v)
        EXPECT_LE(p.x(), 12 + 1e-9); // nothing at 2 l = 16
    const std::vector<QPointF> m = WalerMomentPoints(w);
    EXPECT_EQ(m.front(), QPointF(0, 0));
    EXPECT_EQ(m.back(), QPointF(12, 0));
    EXPECT_NEAR(m[1].y(), -7 * 0.24 * 0.24 / 2, 1e-12);
    // Mid-span: R1 (6 - 2) - w 6^2 / 2 = 168 - 126 = 42.
    bool midSpan = false;
    for (const QPointF& p : m)
        if (std::fabs(p.x() - 6) < 1e-9) midSpan = std::fabs(p.y() - 42) < 1e-9;
    EXPECT_TRUE(midSpan);
}

TEST(Graphs_Waler, TributaryWithAShortSpanDrawsNormally) {
    // Overhangs longer than the span (a = c = 4 ft, b = 3 ft, w = 2 kips/ft): R1 = w L / 2 = 11,
    // M1 = M2 = -w a^2 / 2 = -16.
    TWaler w;
    w.Wa = w.Wc = 4;
    w.Wb = 3;
    w.TotalLength = 11;
    w.WalerW = 2;
    w.R1 = 11;
    w.M1 = w.M2 = -16;
    const std::vector<QPointF> m = WalerMomentPoints(w);
    // 0; 18 points 0.22 apart below 4; (4, -16); 19 points 0.15 apart; (7, -16); 19 points 0.2 apart; (11,
    // 0).
    ASSERT_EQ(m.size(), 1u + 18 + 1 + 19 + 1 + 19 + 1);
    for (size_t i = 1; i < m.size(); ++i)
        EXPECT_GT(m[i].x(), m[i - 1].x()) << i;
    EXPECT_EQ(m[19], QPointF(4, -16));
    EXPECT_EQ(m[39], QPointF(7, -16));
    // Mid-span, x = 5.5: 11 x 1.5 - 2 x 5.5^2 / 2 = -13.75.
    EXPECT_NEAR(m[29].y(), -13.75, 1e-9);
}

TEST(Graphs_Waler, TwoSpanSequencesEndAtTheFarSupport) {
    TWaler w;
    w.TwoSpans = true;
    w.WLeft = 6;
    w.TotalLength = 12;
    w.WalerW = 7;
    // 3/8 w l = 15.75, 5/8 w l = 26.25; M1 = -w l^2 / 8 = -31.5, M2 = -9 w l^2 / 128 = -17.71875.
    w.V1 = w.V3 = 15.75;
    w.V2 = 26.25;
    w.M1 = -31.5;
    w.M2 = -17.71875;
    const std::vector<QPointF> v = WalerShearPoints(w);
    EXPECT_EQ(v[0], QPointF(0, 0));
    EXPECT_EQ(v[1], QPointF(0, 15.75));
    EXPECT_EQ(v.back(), QPointF(12, -15.75));
    const std::vector<QPointF> m = WalerMomentPoints(w);
    // The span moment peaks at 3 l / 8 = 2.25 ft: |M2| there, and 0 at the end support.
    double peak = -1e9;
    for (const QPointF& p : m)
        peak = std::max(peak, p.y());
    EXPECT_LE(peak, 17.71875 + 1e-9);
    EXPECT_GT(peak, 17.71875 - 0.2);
    EXPECT_EQ(m.back(), QPointF(12, 0));
}

TEST(Graphs_Waler, ZeroOrUndefinedStepsAreSkipped) {
    // A waler of length 0 with a = 2: the step L / 50 is 0 and the run toward a would never end.
    TWaler w;
    w.Wa = 2;
    w.TotalLength = 0;
    EXPECT_LE(WalerShearPoints(w).size(), 10u);
    EXPECT_LE(WalerMomentPoints(w).size(), 10u);
    w.TotalLength = std::numeric_limits<Ext>::quiet_NaN();
    w.Wb = -4;
    EXPECT_LE(WalerShearPoints(w).size(), 10u);
    w.TwoSpans = true;
    w.WLeft = 1e300L;
    w.TotalLength = 1;
    EXPECT_LE(WalerMomentPoints(w).size(), 10u); // far too many points: not drawn
}

// --- Rendered charts ---------------------------------------------------------------------------

class Graphs_Render : public ::testing::Test {
  protected:
    TKdData project = ChartProject();
    static const RenderedChart* Log(const TGraphsRenderer& r, int kind) {
        for (const RenderedChart& c : r.RenderLog())
            if (c.kind == kind) return &c;
        return nullptr;
    }
    static QRgb Pixel(const TGraphsRenderer& r, int image, int x, int y) {
        return r.Image(image).pixel(x, y) & 0xFFFFFF;
    }
    // The point the read-out answers for at p: points lie closer than the 5-pixel tolerance, so
    // the first one within it in the array.
    static const THitPoint& FirstNear(const TGrPointArr& h, const THitPoint& p) {
        for (const THitPoint& q : h)
            if (std::abs(q.X - p.X) <= 5 && std::abs(q.Y - p.Y) <= 5) return q;
        return p;
    }
    // Share of the hit points whose pixel (or a neighbour) has the colour.
    static double OnColour(const TGraphsRenderer& r, int image, const TGrPointArr& hits, TColor colour) {
        const QRgb want = ToQColor(colour).rgb() & 0xFFFFFF;
        int n = 0;
        for (const THitPoint& p : hits)
            n += Pixel(r, image, p.X, p.Y) == want;
        return hits.empty() ? 0.0 : double(n) / hits.size();
    }
};

TEST_F(Graphs_Render, AllPileChartsInTheGrid) {
    TGraphsRenderer r;
    r.ShowPileGraphs(project, 0);
    EXPECT_TRUE(r.GridVisible());
    EXPECT_EQ(r.GridColumns(), 3);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(r.GetPicture(i).visible, i <= 6) << i;
        if (i <= 6) {
            EXPECT_EQ(r.Image(i).size(), QSize(200, 357)) << i;
        }
    }
    // 202 nodes in two segments; the interaction hits: 9 curve rows, 2 + 2 design line points.
    for (int a : {0, 2, 3, 4, 5})
        EXPECT_EQ(r.PileHits()[static_cast<size_t>(a)].size(), 202u) << a;
    EXPECT_TRUE(r.PileHits()[1].empty());
    EXPECT_EQ(r.PileHits()[6].size(), 13u);
    const THitPoint& mid = r.PileHits()[3][150];
    EXPECT_NEAR(mid.XValue, 14.9, 1e-12);
    EXPECT_NEAR(mid.YValue, 14.9 * 5.1 / 10, 1e-12);
    // Value labels: maxima of loading, shear and moment, the slope as the moment before it, the
    // minimum of the deflection; none on the interaction chart.
    const struct {
        int kind;
        const char* mark;
    } marks[] = {{1, "10.00"}, {2, "10.00"}, {3, "10.00"}, {4, "0.01"}, {5, "-0.25"}};
    for (const auto& m : marks) {
        const RenderedChart* c = Log(r, m.kind);
        ASSERT_TRUE(c) << m.kind;
        EXPECT_EQ(c->marks, QStringList{m.mark}) << m.kind;
        EXPECT_TRUE(c->rotated);
    }
    EXPECT_TRUE(Log(r, 6)->marks.isEmpty());
}

TEST_F(Graphs_Render, LabelsWriteTheLocalesSeparators) {
    // Under a locale that writes 1.234,5 the drawings' values and the charts' axis and value labels
    // take its decimal comma, as the edits do, and the axes group thousands with its point. A value
    // written before the switch is written again with the comma.
    ASSERT_EQ(TDiagramDraw::FormatValue(12.5, 2, "ft").toStdString(), "12.5 ft");
    struct Locale {
        QLocale saved;
        Locale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
        ~Locale() { QLocale::setDefault(saved); }
    } german;
    EXPECT_EQ(TDiagramDraw::FormatValue(12.5, 2, "ft").toStdString(), "12,5 ft");
    EXPECT_EQ(TDiagramDraw::FormatValue(3.0, 2, "in").toStdString(), "3 in");
    EXPECT_EQ(TDiagramDraw::FormatValue(100, 0, "m").toStdString(), "100 m");
    EXPECT_EQ(TDiagramDraw::FormatValue(1234.5678, 2, "\"").toStdString(), "1234,57\"");
    EXPECT_EQ(chart::FormatAxisValue(1234567.891).toStdString(), "1.234.567,891");
    EXPECT_EQ(chart::FormatAxisValue(-0.05).toStdString(), "-0,05");
    ScopedTextRecorder texts;
    TGraphsRenderer r;
    r.ShowPileGraphs(project, 5);
    EXPECT_EQ(Log(r, 5)->marks, QStringList{"-0,25"}); // the deflection's minimum, -10 x 10 / 400
    int commas = 0;
    for (const TTextRecord& t : texts.Texts()) {
        EXPECT_FALSE(t.Text.contains(QRegularExpression("\\d\\.\\d"))) << t.Text.toStdString();
        commas += t.Text.contains(QRegularExpression("\\d,\\d"));
    }
    EXPECT_GE(commas, 3);
}

TEST_F(Graphs_Render, TitlesOfEveryPileChartInBothUnitSystems) {
    const struct {
        int kind;
        const char *vertEn, *vertSi;
    } cases[] = {{1, "Loading, kips/ft", "Loading, kN/m"}, {2, "Shear, kip", "Shear, kN"},
                 {3, "Moment, k-ft", "Moment, kN-m"},      {4, "Slope, radians", "Slope, radians"},
                 {5, "Deflection, in", "Deflection, mm"},  {6, "Design Moment, k-ft", "Design Moment, KN.m"}};
    for (bool si : {false, true}) {
        TGraphsRenderer r;
        r.ShowPileGraphs(ChartProject(si), 0);
        for (const auto& c : cases) {
            const RenderedChart* log = Log(r, c.kind);
            ASSERT_TRUE(log);
            EXPECT_EQ(log->vertTitle, si ? c.vertSi : c.vertEn);
            const char* horiz = c.kind == 6 ? (si ? "Design Axial Load, KN" : "Design Axial Load, kip")
                                            : (si ? "Distance x, m" : "Distance x, ft");
            EXPECT_EQ(log->horizTitle, horiz);
        }
    }
}

TEST_F(Graphs_Render, SingleKindsFillTheEnlargedWindow) {
    for (int kind = 1; kind <= 6; ++kind) {
        TGraphsRenderer r;
        r.ShowPileGraphs(project, kind);
        EXPECT_FALSE(r.GridVisible());
        EXPECT_EQ(r.StackedPictures(), std::vector<int>{kind});
        EXPECT_EQ(r.Image(kind).size(), QSize(400, 714));
        EXPECT_EQ(r.RenderLog().size(), 1u);
    }
    // Kind 4 alone: no value labels; a deflection whose smallest value is 0: none either.
    TGraphsRenderer slope;
    slope.ShowPileGraphs(project, 4);
    EXPECT_TRUE(slope.RenderLog()[0].marks.isEmpty());
    for (TArrAnchOne& s : project.Anchors.PileNodes)
        for (TAnchNode& n : s.Nodes)
            n.Deflection2 = std::fabs(n.Deflection2);
    TGraphsRenderer deflection;
    deflection.ShowPileGraphs(project, 5);
    EXPECT_TRUE(deflection.RenderLog()[0].marks.isEmpty());
}

TEST_F(Graphs_Render, AValueLabelThatRoundsToZeroHasNoSign) {
    // An almost unloaded pile deflects a hair's breadth: the deflection's minimum label, written
    // with three decimals below 0.005, reads zero without a sign.
    for (const double least : {-1e-7, -0.0004}) {
        TKdData p = project;
        for (TArrAnchOne& s : p.Anchors.PileNodes)
            for (TAnchNode& n : s.Nodes)
                n.Deflection2 *= least / -0.25; // the curve's least value, at 10 ft, was -0.25
        TGraphsRenderer r;
        r.ShowPileGraphs(p, 5);
        EXPECT_EQ(Log(r, 5)->marks, QStringList{"0.000"}) << least;
    }
}

TEST_F(Graphs_Render, WithoutRebarCageTheInteractionChartIsLeftOut) {
    project.PileSection = psIBeam;
    TGraphsRenderer all;
    all.ShowPileGraphs(project, 0);
    EXPECT_FALSE(all.GetPicture(6).visible);
    EXPECT_TRUE(all.PileHits()[6].empty());
    TGraphsRenderer alone;
    alone.ShowPileGraphs(project, 6);
    EXPECT_EQ(alone.StackedPictures(), std::vector<int>{6}); // an empty enlarged picture
    EXPECT_EQ(alone.Image(6).size(), QSize(400, 714));
    EXPECT_TRUE(alone.RenderLog().empty());
    EXPECT_TRUE(alone.ReadOut(6, 200, 300).isEmpty());
}

TEST_F(Graphs_Render, DepthRunsDownAndValuesGrowToTheRight) {
    TGraphsRenderer r;
    r.ShowPileGraphs(project, 1);
    const TGrPointArr& h = r.PileHits()[0];
    ASSERT_EQ(h.size(), 202u);
    for (size_t i = 1; i < h.size(); ++i) {
        EXPECT_GE(h[i].Y, h[i - 1].Y) << i; // depth ascending down the picture
        EXPECT_GE(h[i].X, h[i - 1].X) << i; // load 0.5 x depth grows to the right
    }
    EXPECT_LT(h.front().Y, 60);
    EXPECT_GT(h.back().Y, 714 - 60);
    // The hit points land on the blue loading curve (the first lies on the zero line).
    EXPECT_GT(OnColour(r, 1, TGrPointArr(h.begin() + 5, h.end() - 1), clBlue), 0.95);
}

TEST_F(Graphs_Render, CurveColoursOfThePileCharts) {
    TGraphsRenderer r;
    r.ShowPileGraphs(project, 0);
    EXPECT_GT(OnColour(r, 1, r.PileHits()[0], clBlue), 0.9);
    for (int k = 2; k <= 5; ++k)
        EXPECT_GT(OnColour(r, k, r.PileHits()[static_cast<size_t>(k)], chart::clFuchsia), 0.8) << k;
    // The interaction curve is navy.
    EXPECT_GT(OnColour(r, 6, TGrPointArr(r.PileHits()[6].begin(), r.PileHits()[6].begin() + 9), clNavy), 0.6);
    // Panel of a shown chart, white back wall.
    EXPECT_EQ(Pixel(r, 1, 3, 3), 0xF0F0F0u);
    const THitPoint& p = r.PileHits()[3][100];
    EXPECT_EQ(Pixel(r, 3, p.X + 6, p.Y), 0xFFFFFFu);
}

TEST_F(Graphs_Render, PrintSizesAndWhitePanel) {
    TGraphsRenderer r;
    r.PrepareForPrint();
    r.ShowPileGraphs(project, 0);
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(r.Image(i).size(), QSize(600, 900)) << i;
    EXPECT_EQ(Pixel(r, 2, 3, 3), 0xFFFFFFu);
    EXPECT_EQ(r.Chart1().GetAxis(chart::AxisId::Right).labelFontHeight, 22);
    EXPECT_EQ(r.Chart1().GetAxis(chart::AxisId::Left).labelFontHeight, 22);
    EXPECT_EQ(r.Chart1().legendFontHeight, 18); // 11 x 1.6 = 17.6
    EXPECT_EQ(r.Chart1()[0].lineWidth, 4);
    EXPECT_EQ(r.Chart1()[3].pointer.penWidth, 2); // the cross pointer's pen
    EXPECT_EQ(r.Chart1()[4].pointer.penWidth, 1);
    EXPECT_GT(OnColour(r, 3, r.PileHits()[3], chart::clFuchsia), 0.9);
}

TEST_F(Graphs_Render, InteractionChartReadsOutTheCurveAndLinesButNotTheDesignPoint) {
    TGraphsRenderer r;
    r.ShowPileGraphs(project, 6);
    const TGrPointArr& h = r.PileHits()[6];
    ASSERT_EQ(h.size(), 13u);
    // Curve rows in order of axial load, then the limit line, then the second design line (its points
    // in ascending axial load: the bars' tension strength first).
    EXPECT_EQ(h[0].XValue, -50);
    EXPECT_EQ(h[9].XValue, 640);
    EXPECT_EQ(h[10].YValue, 60);
    EXPECT_EQ(h[11].XValue, -300);
    EXPECT_EQ(h[12].YValue, 150);
    EXPECT_EQ(r.ReadOut(6, h[11].X, h[11].Y), "  Moment: 0.00    Axial Load: -300.00");
    // The design point (350, 60): its pixel from the chart's scale, turned like the picture.
    const chart::Series& s4 = r.Chart1()[3];
    const int x = r.Chart1().YScreen(s4, 0), y = 714 - r.Chart1().XScreen(s4, 0);
    EXPECT_TRUE(r.ReadOut(6, x, y).isEmpty());
    EXPECT_EQ(Pixel(r, 6, x, y - 1), ToQColor(clRed).rgb() & 0xFFFFFF); // the red cross is there
    // Axial load runs up the side: the tension end lies below the largest load.
    EXPECT_GT(h[11].Y, h[9].Y);
}

TEST_F(Graphs_Render, ReadOutsOfThePileCharts) {
    TGraphsRenderer r;
    r.ShowPileGraphs(project, 0);
    const struct {
        int image, array;
        const char* format;
    } cases[] = {
        {1, 0, "  Loading: %.2f    Distance: %.2f"},    {2, 2, "  Shear: %.2f    Distance: %.2f"},
        {3, 3, "  Moment: %.4f    Distance: %.2f"},     {4, 4, "  Slope: %.5f    Distance: %.2f"},
        {5, 5, "  Deflection: %.3f    Distance: %.3f"}, {6, 6, "  Moment: %.2f    Axial Load: %.2f"}};
    for (const auto& c : cases) {
        const TGrPointArr& h = r.PileHits()[static_cast<size_t>(c.array)];
        const THitPoint& p = h[h.size() / 2 + 1];
        const THitPoint& q = FirstNear(h, p);
        EXPECT_LE(&q, &p); // dense points: an earlier one may answer
        EXPECT_EQ(r.ReadOut(c.image, p.X, p.Y), QString::asprintf(c.format, q.YValue, q.XValue)) << c.image;
        // Off every point: nothing.
        EXPECT_TRUE(r.ReadOut(c.image, -50, -50).isEmpty());
    }
    EXPECT_TRUE(r.ReadOut(7, 10, 10).isEmpty());
    // A chart not shown answers nothing.
    TGraphsRenderer one;
    one.ShowPileGraphs(project, 3);
    const THitPoint& p = one.PileHits()[3][40];
    EXPECT_FALSE(one.ReadOut(3, p.X, p.Y).isEmpty());
    EXPECT_TRUE(one.ReadOut(2, p.X, p.Y).isEmpty());
}

TEST_F(Graphs_Render, EarthPressureComponentsEachInItsPicture) {
    TGraphsRenderer r;
    r.ShowEarthPressures(project, 7);
    EXPECT_TRUE(r.PressureMode());
    EXPECT_EQ(r.GridColumns(), 4);
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(r.Image(i).size(), QSize(200, 357));
    const char* titles[8] = {"Strip, psf",     "Uniform, psf",    "Pore Water, psf", "App. Earth, psf",
                             "Line Load, psf", "Point Load, psf", "Seismic, psf",    "Total, psf"};
    for (int k = 0; k < 8; ++k) {
        const RenderedChart* c = Log(r, 8 + k);
        ASSERT_TRUE(c);
        EXPECT_EQ(c->image, PressureImage(8 + k));
        EXPECT_EQ(c->vertTitle, titles[k]);
        EXPECT_EQ(c->horizTitle, "Distance x, ft");
        EXPECT_TRUE(c->legend.isEmpty());
        EXPECT_EQ(r.PressureHits()[static_cast<size_t>(k)].size(), 61u);
    }
    // Uniform is a flat zero: no value label, scaled to 0..0 and drawn one unit either side.
    const RenderedChart* uniform = Log(r, 9);
    EXPECT_TRUE(uniform->marks.isEmpty());
    EXPECT_EQ(uniform->vertMin, 0);
    EXPECT_EQ(uniform->vertMax, 0);
    EXPECT_EQ(uniform->vertIncrement, 0);
    EXPECT_EQ(uniform->drawnVertMin, -1);
    EXPECT_EQ(uniform->drawnVertMax, 1);
    // Total = 500 + 80.4 x depth below... its maximum at 20 ft: 500 + 18 x 20 + 62.4 x 10 = 1484.
    EXPECT_EQ(Log(r, 15)->marks, QStringList{"1484.00"});
    // Read-out: only the picture of the component answers.
    const THitPoint& p = r.PressureHits()[6][30];
    const THitPoint& q = FirstNear(r.PressureHits()[6], p);
    EXPECT_EQ(r.ReadOut(6, p.X, p.Y),
              QString::asprintf("  Seismic Pressure: %.2f    Distance: %.2f", q.YValue, q.XValue));
    EXPECT_TRUE(r.ReadOut(5, p.X, p.Y).isEmpty() ||
                !r.ReadOut(5, p.X, p.Y).startsWith("  Seismic")); // Point Load's own picture
    // Every picture of kind 7 on the blue curve.
    for (int k : {0, 3, 7})
        EXPECT_GT(OnColour(r, PressureImage(8 + k), r.PressureHits()[static_cast<size_t>(k)], clBlue), 0.7)
            << k;
}

TEST_F(Graphs_Render, CombinedEarthPressureChart) {
    TGraphsRenderer r;
    r.ShowEarthPressures(project, 16);
    EXPECT_TRUE(r.Combined());
    EXPECT_EQ(r.StackedPictures(), std::vector<int>{1});
    EXPECT_EQ(r.Image(1).size(), QSize(400, 714));
    ASSERT_EQ(r.RenderLog().size(), 1u);
    const RenderedChart& c = r.RenderLog()[0];
    EXPECT_EQ(c.vertTitle, "Earth Pressures, psf");
    EXPECT_EQ(c.legend, (QStringList{"Strip", "Uniform", "Pore Water", "App. Earth", "Line Load",
                                     "Point Load", "Seismic", "Total"}));
    EXPECT_EQ(c.marks, QStringList{"200.00"}); // the maximum of Strip, 10 x 20
    // Every component in its own colour; the hit points land on it.
    const TColor colours[8] = {0xFF0000, 0x008000, 0x808040, 0x000080,
                               0x408000, 0x00FFFF, 0xFF8080, 0x8080FF};
    for (int k : {0, 3, 7})
        EXPECT_GT(OnColour(r, 1, r.PressureHits()[static_cast<size_t>(k)], colours[k]), 0.5) << k;
    // At the top of the wall Strip, Uniform, Pore Water, Line Load, Point Load and Seismic are all 0:
    // the last component tested, Seismic, decides the text.
    const THitPoint& top = r.PressureHits()[0][0];
    EXPECT_EQ(r.ReadOut(1, top.X, top.Y), "  Seismic Pressure: 0.00    Distance: 0.00");
    TEPGrPoints half, full;
    r.ScaleHitPoints(half, 0.5);
    r.ScaleHitPoints(full, 1.0);
    EXPECT_EQ(full, r.PressureHits());
    EXPECT_EQ(half[7].size(), 61u);
    EXPECT_EQ(half[7][60].X, static_cast<int>(std::nearbyint(full[7][60].X * 0.5)));
}

TEST_F(Graphs_Render, SettlementPictureSizesAndCurve) {
    const struct {
        bool print, forImage;
        QSize size;
    } cases[] = {{false, false, {535, 300}},
                 {false, true, {267, 150}},
                 {true, false, {1350, 900}},
                 {true, true, {675, 450}}};
    for (const auto& c : cases) {
        TGraphsRenderer r;
        if (c.print) r.PrepareForPrint();
        r.ShowSettlement(project, 18, c.forImage);
        EXPECT_EQ(r.Image(1).size(), c.size);
        EXPECT_EQ(r.StackedPictures(), std::vector<int>{1});
    }
    TGraphsRenderer r;
    r.ShowSettlement(project, 18, false);
    const RenderedChart& log = r.RenderLog()[0];
    EXPECT_EQ(log.vertTitle, "Settlement, in");
    EXPECT_EQ(log.horizTitle, "L, ft");
    EXPECT_FALSE(log.rotated);
    EXPECT_EQ(r.Chart1().GetAxis(chart::AxisId::Left).labelFontHeight, 18); // 11 x 1.6
    const TGrPointArr& h = r.PressureHits()[0];
    ASSERT_EQ(h.size(), 11u);
    // Loose sand: curve 2; 0.88 % of 20 ft at the wall, 0.06 % at 2 H = 40 ft.
    EXPECT_NEAR(h[0].YValue, -2.112, 1e-9);
    EXPECT_NEAR(h[10].XValue, 40, 1e-9);
    EXPECT_NEAR(h[10].YValue, -0.144, 1e-9);
    EXPECT_LT(h[0].X, h[10].X); // distance grows to the right
    EXPECT_GT(h[0].Y, h[10].Y); // settlement downward
    EXPECT_EQ(log.marks, QStringList{"-0.14"});
    EXPECT_TRUE(r.ReadOut(1, h[5].X, h[5].Y).isEmpty()); // no read-out on the chart window
    EXPECT_EQ(ChartZoomReadOut(r.PressureHits(), h[5].X, h[5].Y),
              QString::asprintf("  Settlement: %.2f    Distance: %.2f", h[5].YValue, h[5].XValue));
    // User-defined soil: curve 0, whose far end is 0 (no value label at the maximum).
    project.Anchors.SoilType = 10;
    TGraphsRenderer user;
    user.ShowSettlement(project, 18, true);
    EXPECT_NEAR(user.PressureHits()[0][0].YValue, -0.48, 1e-9);
    EXPECT_TRUE(user.RenderLog()[0].marks.isEmpty());
}

TEST_F(Graphs_Render, WalerChartsOfOneLevel) {
    TGraphsRenderer r;
    r.ShowWalerGraphs(project, 17, 1);
    EXPECT_EQ(r.StackedPictures(), (std::vector<int>{1, 2, 3}));
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(r.Image(i).size(), QSize(357, 200));
    const char* titles[3] = {"Shear, kips", "Moment, k-ft", "Deflection, in"};
    for (int i = 0; i < 3; ++i) {
        const RenderedChart& c = r.RenderLog()[static_cast<size_t>(i)];
        EXPECT_EQ(c.vertTitle, titles[i]);
        EXPECT_EQ(c.horizTitle, "Distance x, ft");
        EXPECT_EQ(c.marks.size(), 2); // both extremes
    }
    EXPECT_EQ(r.RenderLog()[0].marks, (QStringList{"28.00", "-28.00"}));
    EXPECT_EQ(r.PileHits()[0].size(), WalerShearPoints(project.Anchors.Levels[1].Waler).size());
    EXPECT_EQ(r.PileHits()[2].size(), 51u);
    const struct {
        int image, array;
        const char* format;
    } cases[] = {{1, 0, "  Shear: %.2f    Distance: %.2f"},
                 {2, 1, "  Moment: %.2f    Distance: %.2f"},
                 {3, 2, "  Deflection: %.3f    Distance: %.2f"}};
    for (const auto& c : cases) {
        // From the 21st point on, the first that no earlier point lies within 5 pixels of: the
        // read-out gives the first point it finds there.
        const TGrPointArr& hits = r.PileHits()[static_cast<size_t>(c.array)];
        size_t k = 20;
        while (k + 1 < hits.size() &&
               std::any_of(hits.begin(), hits.begin() + static_cast<long>(k), [&](const THitPoint& q) {
                   return std::abs(q.X - hits[k].X) <= 5 && std::abs(q.Y - hits[k].Y) <= 5;
               }))
            ++k;
        const THitPoint& p = hits[k];
        EXPECT_EQ(r.ReadOut(c.image, p.X, p.Y), QString::asprintf(c.format, p.YValue, p.XValue));
        EXPECT_GT(OnColour(r, c.image, r.PileHits()[static_cast<size_t>(c.array)], clBlue), 0.8) << c.image;
    }
    // A level outside the levels: three empty charts.
    for (int level : {-1, 2, 99}) {
        TGraphsRenderer none;
        none.ShowWalerGraphs(project, 17, level);
        EXPECT_EQ(none.StackedPictures(), (std::vector<int>{1, 2, 3}));
        for (int a = 0; a < 3; ++a)
            EXPECT_TRUE(none.PileHits()[static_cast<size_t>(a)].empty());
    }
}

TEST_F(Graphs_Render, UndefinedResultsAreNeitherDrawnNorCounted) {
    const Ext nan = std::numeric_limits<Ext>::quiet_NaN(), inf = std::numeric_limits<Ext>::infinity();
    project.Anchors.PileNodes[0].Nodes[50].Load = nan;
    project.Anchors.PileNodes[1].Nodes[10].Load = inf;
    project.Anchors.PileNodes[1].Nodes[20].Depth = nan;
    project.Anchors.PressureTable[30].Strip = -inf;
    TGraphsRenderer r;
    r.ShowPileGraphs(project, 1);
    EXPECT_EQ(r.PileHits()[0].size(), 199u);
    for (const THitPoint& p : r.PileHits()[0])
        EXPECT_TRUE(std::isfinite(p.YValue) && std::isfinite(p.XValue));
    const RenderedChart& c = r.RenderLog()[0];
    EXPECT_EQ(c.marks, QStringList{"10.00"});
    EXPECT_DOUBLE_EQ(c.vertMax, 11); // maximum 10 + a tenth of the range 10
    TGraphsRenderer p;
    p.ShowEarthPressures(project, 8);
    EXPECT_EQ(p.PressureHits()[0].size(), 60u);
    // A project without any result at all: empty charts, no hit points, no crash.
    TKdData empty = ChartProject();
    empty.Anchors.PileNodes.clear();
    for (TPressureRow& row : empty.Anchors.PressureTable)
        row = TPressureRow{nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan, nan};
    empty.ShoredHeight = nan;
    TGraphsRenderer e1, e2, e3;
    e1.ShowPileGraphs(empty, 0);
    e2.ShowEarthPressures(empty, 16);
    e3.ShowSettlement(empty, 18, false);
    for (const TGrPointArr& h : e1.PileHits())
        EXPECT_TRUE(h.size() <= 13u);
    for (const TGrPointArr& h : e2.PressureHits())
        EXPECT_TRUE(h.empty());
    EXPECT_TRUE(e3.PressureHits()[0].empty());
}

TEST_F(Graphs_Render, AbsurdMagnitudesDrawWithoutFailing) {
    // A damaged project: values near the limits of the number range, tiny and huge depths.
    const Ext values[] = {1e300L, -1e300L, 1e-300L, 1e30L, -5e-320L};
    int i = 0;
    for (TArrAnchOne& s : project.Anchors.PileNodes)
        for (TAnchNode& n : s.Nodes) {
            n.Load = n.Shear = n.Moment = n.Slope2 = n.Deflection2 = values[i++ % 5];
        }
    for (TPressureRow& r : project.Anchors.PressureTable)
        r.Strip = r.Total = values[i++ % 5];
    project.Anchors.LoadingHeight = 1e300L;
    project.ShoredHeight = 1e300L;
    TGraphsRenderer pile, pressure, settlement;
    pile.ShowPileGraphs(project, 0);
    pressure.ShowEarthPressures(project, 16);
    settlement.ShowSettlement(project, 18, false);
    EXPECT_EQ(pile.PileHits()[0].size(), 202u);
    EXPECT_EQ(pressure.Image(1).size(), QSize(400, 714));
    EXPECT_EQ(settlement.PressureHits()[0].size(), 11u);
}

} // namespace
} // namespace vantrel
