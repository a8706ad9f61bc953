// The chart layer: series order, extents, axis limits and increments, value-to-pixel conversion,
// what is drawn where, the legend and the after-draw hook.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "drawing/Canvas.h"
#include "drawing/Chart.h"

namespace vantrel::chart {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Chart_Series, KeepsXAscendingByStableInsertion) {
    Series s;
    const double pts[][2] = {{5, 1}, {1, 2}, {5, 3}, {kNaN, 4}, {3, 5}, {5, 6}, {0, 7}};
    for (const auto& p : pts)
        s.Add(p[0], p[1]);
    // Equal X keep their order of insertion; an undefined X goes to the end.
    const double ys[] = {7, 2, 5, 1, 3, 6, 4};
    ASSERT_EQ(s.Count(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(s.Y(i), ys[i]) << i;
    EXPECT_TRUE(std::isnan(s.X(6)));
    s.Add(9, std::numeric_limits<double>::infinity());
    // Extents only over finite points.
    EXPECT_EQ(s.XRange()->first, 0);
    EXPECT_EQ(s.XRange()->second, 5);
    EXPECT_EQ(s.YRange()->second, 7);
    s.Clear();
    EXPECT_FALSE(s.YRange().has_value());
}

TEST(Chart_Axis, FormatsLabels) {
    const struct {
        double v;
        const char* text;
    } cases[] = {{0, "0"},
                 {1250, "1,250"},
                 {-3, "-3"},
                 {0.05, "0.05"},
                 {2.5004, "2.5"},
                 {-0.0001, "0"},
                 {1234567.891, "1,234,567.891"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatAxisValue(c.v), c.text) << c.v;
    EXPECT_TRUE(FormatAxisValue(kNaN).isEmpty());
    // A fine step keeps its labels apart: slopes of a few ten-thousandths.
    EXPECT_EQ(StepDecimals(0.0002), 4);
    EXPECT_EQ(StepDecimals(0.25), 3);
    EXPECT_EQ(StepDecimals(50), 3);
    EXPECT_EQ(FormatAxisValue(-0.0004, StepDecimals(0.0002)), "-0.0004");
    EXPECT_EQ(FormatAxisValue(0.0006, StepDecimals(0.0002)), "0.0006");
}

class Chart_Draw : public ::testing::Test {
  protected:
    Chart chart;
    Series& s = AddSeries();
    Series& AddSeries() {
        chart.series.resize(1);
        Series& r = chart.series[0];
        r.color = clRed;
        r.lineWidth = 2;
        r.pointer.visible = false;
        r.horizAxis = AxisId::Bottom;
        r.vertAxis = AxisId::Left;
        return r;
    }
    TCanvas canvas{400, 300};
    TColor At(int x, int y) { return canvas.Pixel(x, y); }
};

TEST_F(Chart_Draw, ValueToPixelWithAutomaticAndFixedLimits) {
    for (int i = 0; i <= 10; ++i)
        s.Add(i, 2 * i);
    chart.Draw(canvas);
    const Axis& b = chart.GetAxis(AxisId::Bottom);
    const Axis& l = chart.GetAxis(AxisId::Left);
    EXPECT_TRUE(b.drawn && l.drawn);
    EXPECT_FALSE(chart.GetAxis(AxisId::Top).drawn); // no series on it
    EXPECT_EQ(b.drawnMin, 0);
    EXPECT_EQ(b.drawnMax, 10);
    EXPECT_EQ(l.drawnMax, 20);
    EXPECT_LT(b.CalcPos(0), b.CalcPos(10)); // left to right
    EXPECT_GT(l.CalcPos(0), l.CalcPos(20)); // bottom to top
    EXPECT_NEAR(chart.XScreen(s, 5), (b.CalcPos(0) + b.CalcPos(10)) / 2.0, 0.5);
    // The curve is where the scale puts it, in its own colour.
    for (int i = 1; i < 10; ++i)
        EXPECT_EQ(At(chart.XScreen(s, i), chart.YScreen(s, i)), clRed) << i;
    // Inverted axes swap the ends; fixed limits replace the data's.
    chart.GetAxis(AxisId::Left).inverted = true;
    chart.GetAxis(AxisId::Bottom).SetMinMax(-10, 10);
    chart.Draw(canvas);
    EXPECT_LT(l.CalcPos(0), l.CalcPos(20));
    EXPECT_EQ(b.drawnMin, -10);
    EXPECT_NEAR(b.CalcPos(0), (b.CalcPos(-10) + b.CalcPos(10)) / 2.0, 1);
}

TEST_F(Chart_Draw, EqualLimitsDrawOneUnitEitherSide) {
    s.Add(0, 0);
    s.Add(1, 0);
    chart.GetAxis(AxisId::Left).SetMinMax(0, 0);
    chart.Draw(canvas);
    EXPECT_EQ(chart.GetAxis(AxisId::Left).drawnMin, -1);
    EXPECT_EQ(chart.GetAxis(AxisId::Left).drawnMax, 1);
    const int y = chart.YScreen(s, 0);
    EXPECT_GT(y, 20);
    EXPECT_LT(y, 280);
}

TEST_F(Chart_Draw, IncrementsAndTheirLimit) {
    for (int i = 0; i <= 100; ++i)
        s.Add(i, i);
    Axis& b = chart.GetAxis(AxisId::Bottom);
    b.increment = 25;
    chart.Draw(canvas);
    EXPECT_EQ(b.drawnIncrement, 25);
    // More than 100 steps: the chart's own step instead.
    b.increment = 0.5;
    chart.Draw(canvas);
    EXPECT_GT(b.drawnIncrement, 0.5);
    // Labels too close together: whole multiples of the increment.
    b.increment = 2;
    chart.Draw(canvas);
    EXPECT_EQ(std::fmod(b.drawnIncrement, 2.0), 0.0);
    EXPECT_GT(b.drawnIncrement, 2);
}

TEST_F(Chart_Draw, TickLabelsOfEveryStepAreDistinctAndNoLongerThanTheStep) {
    // Each step is the fixed increment of both axes over ten steps from three starts; the decimals
    // are those of the step written out (2.5e-7 = 0.00000025 has eight).
    const struct {
        double step;
        int decimals;
    } steps[] = {{1e-9, 9}, {2e-9, 9},   {5e-8, 8}, {2.5e-7, 8}, {1e-6, 6}, {2e-5, 5},
                 {5e-4, 4}, {0.0025, 4}, {0.01, 2}, {0.2, 1},    {0.25, 2}, {1, 0},
                 {2.5, 1},  {20, 0},     {500, 0},  {5e4, 0},    {1e6, 0}};
    Axis& left = chart.GetAxis(AxisId::Left);
    Axis& bottom = chart.GetAxis(AxisId::Bottom);
    for (const auto& c : steps) {
        for (const double start : {0.0, -3.0, 1234.0}) {
            SCOPED_TRACE(::testing::Message() << "step " << c.step << " from " << start << " steps");
            s.Clear();
            s.Add(start * c.step, start * c.step);
            s.Add((start + 10) * c.step, (start + 10) * c.step);
            left.increment = bottom.increment = c.step;
            ScopedTextRecorder texts;
            chart.Draw(canvas);
            // The left axis writes its labels first, then the bottom axis.
            const std::vector<TTextRecord>& all = texts.Texts();
            const size_t n = left.labelBoxes.size();
            ASSERT_EQ(all.size(), n + bottom.labelBoxes.size());
            ASSERT_GE(n, 3u);
            for (size_t i = 0; i < all.size(); ++i) {
                const std::string label = all[i].Text.toStdString();
                if (i != 0 && i != n) {
                    EXPECT_NE(label, all[i - 1].Text.toStdString());
                }
                const size_t point = label.find('.');
                EXPECT_LE(point == std::string::npos ? 0 : label.size() - point - 1, size_t(c.decimals))
                    << label;
            }
        }
    }
}

TEST_F(Chart_Draw, UndefinedPointsBreakTheLine) {
    s.Add(0, 0);
    s.Add(1, 1);
    s.Add(2, kNaN);
    s.Add(3, 3);
    s.Add(4, 4);
    chart.Draw(canvas);
    // Halfway between points 1 and 3 nothing is drawn; within each defined run the line is there.
    const int xm = chart.XScreen(s, 2), ym = (chart.YScreen(s, 1) + chart.YScreen(s, 3)) / 2;
    EXPECT_NE(At(xm, ym), clRed);
    EXPECT_EQ(
        At((chart.XScreen(s, 3) + chart.XScreen(s, 4)) / 2, (chart.YScreen(s, 3) + chart.YScreen(s, 4)) / 2),
        clRed);
}

TEST_F(Chart_Draw, PanelBackWallLegendAndHook) {
    s.Add(0, 0);
    s.Add(10, 10);
    s.title = "Curve";
    chart.color = clBtnFace;
    chart.legendVisible = true;
    chart.GetAxis(AxisId::Left).title = "Value";
    int calls = 0;
    chart.afterDraw = [&](AfterDraw& hook) {
        ++calls;
        const Axis& l = hook.chart.GetAxis(AxisId::Left);
        EXPECT_LT(l.labelPos, l.axisPos); // labels left of the left axis
        EXPECT_EQ(l.LabelFont().Angle, 0);
        // The hook draws on the chart's canvas.
        hook.canvas.SetPixel(1, 1, clBlue);
    };
    ScopedTextRecorder texts;
    chart.Draw(canvas);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(At(1, 1), clBlue);
    EXPECT_EQ(At(2, 150), clBtnFace);
    EXPECT_EQ(At(chart.XScreen(s, 0) + 20, chart.YScreen(s, 0) - 5), clWhite);
    EXPECT_TRUE(texts.Find("Curve"));
    EXPECT_TRUE(texts.Find("Value"));
    EXPECT_EQ(texts.Find("Value")->Angle, 90);
    EXPECT_EQ(chart.LegendTitles(), QStringList{"Curve"});
    // The legend sits below the plot.
    EXPECT_GT(texts.Find("Curve")->Y, chart.GetAxis(AxisId::Bottom).axisPos);
    s.showInLegend = false;
    EXPECT_TRUE(chart.LegendTitles().isEmpty());
}

} // namespace
} // namespace vantrel::chart
