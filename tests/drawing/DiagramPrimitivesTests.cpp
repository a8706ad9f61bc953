// The drawer's frame: layout units, value texts, label colours and the primitives, each checked
// against values worked out by hand (in the comments) or by pixel probes on a small white canvas.

#include "DiagramFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vantrel {
namespace {

// A drawer of a given size and kind, as a diagram sets itself up.
struct Drawer {
    TKdData Data;
    TDiagramDraw Draw{Data};
    Drawer(int w, int h, int kind) {
        Draw.Bitmap.SetSize(w, h);
        Draw.W = w;
        Draw.H = h;
        Draw.Kind = kind;
        Draw.Bitmap.SetFontHeight(-Draw.FontSize());
    }
    TColor Px(int x, int y) { return Draw.Bitmap.Pixel(x, y); }
    bool Inked(int x, int y) { return Px(x, y) != clWhite; }
    // Ink within one pixel of (x, y).
    bool InkNear(int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (Inked(x + dx, y + dy)) return true;
        return false;
    }
};

TEST(DiagramDraw_Layout, UnitsFromThePictureSize) {
    // LineUnit = Round(min(W, H) / 700) >= 1; FontSize = Round(0.9 H / 38) scaled 0.7 (kind 0) or
    // 1.5 (kind 1); ArrowSize = 10 LineUnit, Round(7 LineUnit) in kind 0. Halves go to even.
    const struct {
        int W, H, Kind, LineUnit, ArrowSize, FontSize;
    } cases[] = {
        {600, 600, 0, 1, 7, 10},    // 0.857 -> 1; 14.21 -> 14, x 0.7 = 9.8 -> 10
        {600, 600, 1, 1, 10, 21},   // 14 x 1.5 = 21
        {600, 600, 2, 1, 10, 14},   //
        {1050, 1050, 2, 2, 20, 25}, // 1.5 -> 2 (even); 24.87 -> 25
        {1750, 1750, 3, 2, 20, 41}, // 2.5 -> 2 (even); 41.45 -> 41
        {350, 350, 4, 1, 10, 8},    // 0.5 -> 0 (even), at least 1; 8.29 -> 8
        {700, 633, 0, 1, 7, 10},    // 14.99 -> 15, x 0.7 = 10.5 -> 10 (even)
        {700, 633, 1, 1, 10, 22},   // 15 x 1.5 = 22.5 -> 22 (even)
        {2450, 2450, 2, 4, 40, 58}, // 3.5 -> 4 (even); 58.03 -> 58
    };
    for (const auto& c : cases) {
        Drawer d(c.W, c.H, c.Kind);
        SCOPED_TRACE(testing::Message() << c.W << "x" << c.H << " kind " << c.Kind);
        EXPECT_EQ(d.Draw.LineUnit(), c.LineUnit);
        EXPECT_EQ(d.Draw.LineUnit2(), 2 * c.LineUnit);
        EXPECT_EQ(d.Draw.ArrowSize(), c.ArrowSize);
        EXPECT_EQ(d.Draw.FontSize(), c.FontSize);
    }
}

TEST(DiagramDraw_Layout, GridAndPercentPositions) {
    Drawer d(1100, 633, 2);
    EXPECT_EQ(d.Draw.GridX(1), 100);     // 1100 / 11
    EXPECT_EQ(d.Draw.GridX(0.05), 5);    // 0.4545 % of 1100 = 5.0
    EXPECT_EQ(d.Draw.PercentY(50), 316); // 316.5 -> 316 (even)
    EXPECT_EQ(d.Draw.PercentX(25), 275);
    EXPECT_EQ(d.Draw.GridY(3.5), 58);      // 9.21 % of 633 = 58.3
    EXPECT_EQ(d.Draw.ScaledFont(1.5), 22); // FontSize 15 x 1.5 = 22.5 -> 22
    // LineSpacing is 1.5 text heights of the current font.
    EXPECT_EQ(d.Draw.LineSpacing(), RoundPx(d.Draw.Bitmap.TextHeight("X") * 1.5));
    // A 0 x 0 picture still has a line unit of 1.
    Drawer empty(0, 0, 0);
    EXPECT_EQ(empty.Draw.LineUnit(), 1);
}

TEST(DiagramDraw_Layout, FormatValue) {
    const struct {
        double Value;
        int Decimals;
        const char* Unit;
        const char* Text;
    } cases[] = {
        {2.5, 3, "ft", "2.5 ft"},  {10, 2, "'", "10'"},        {0, 2, "", "0"},
        {12.50, 2, "", "12.5"},    {3.0, 2, "in", "3 in"},     {1234.5678, 2, "\"", "1234.57\""},
        {-0.001, 2, "", "0"},      {100, 0, "m", "100 m"},     {10, 2, " ft ", "10 ft"},
        {254, 2, " mm", "254 mm"}, {9.144, 2, " m", "9.14 m"}, {0.5, 3, "\"", "0.5\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TDiagramDraw::FormatValue(c.Value, c.Decimals, c.Unit), QString(c.Text)) << c.Text;
    EXPECT_EQ(TDiagramDraw::FormatValue(std::nan(""), 2, "ft"), "N.A. ft");
    // Eight significant digits at most: 123456.79|1, 0.0012345678|9, 98765432|1.
    EXPECT_EQ(TDiagramDraw::FormatValue(123456.7891, 4, ""), "123456.79");
    EXPECT_EQ(TDiagramDraw::FormatValue(0.00123456789, 12, ""), "0.0012345679");
    EXPECT_EQ(TDiagramDraw::FormatValue(987654321, 0, ""), "987654320");
}

TEST(DiagramDraw_Layout, LabelColours) {
    for (TColor c : {0x808080u, 0x000000u, 0xC0C0C0u, 0x0002CBE8u, 0x005EA3FFu, 0xFFFFFFu})
        EXPECT_TRUE(IsDrawingColor(c)) << std::hex << c;
    for (TColor c : {0xC7C7C7u, 0x0000FFu, 0x9C703Fu, 0x0000BFu})
        EXPECT_FALSE(IsDrawingColor(c)) << std::hex << c;
    // White on R + G + B below 385.
    EXPECT_EQ(ContrastColor(clBlack), clWhite);
    EXPECT_EQ(ContrastColor(clWhite), clBlack);
    EXPECT_EQ(ContrastColor(RgbColor(128, 128, 128)), clWhite); // 384
    EXPECT_EQ(ContrastColor(RgbColor(129, 128, 128)), clBlack); // 385
    EXPECT_EQ(ContrastColor(0xC7C7C7), clBlack);
    EXPECT_EQ(ContrastColor(0x800000), clWhite);
}

TEST(DiagramDraw_Layout, RoundingOfCoordinates) {
    EXPECT_EQ(RoundPx(2.5), 2);
    EXPECT_EQ(RoundPx(3.5), 4);
    EXPECT_EQ(RoundPx(-2.5), -2);
    EXPECT_FALSE(Reachable(std::nan("")));
    EXPECT_FALSE(Reachable(HUGE_VAL));
    EXPECT_FALSE(Reachable(2e6));
    // Unreachable values give coordinates the canvas leaves out.
    EXPECT_GE(std::abs(RoundPx(std::nan(""))), TCanvas::MaxCoordinate);
    EXPECT_GE(std::abs(RoundPx(-1e300)), TCanvas::MaxCoordinate);
}

TEST(DiagramDraw_Primitives, ArrowHeadOpensBackwards) {
    Drawer d(100, 100, 2);
    // Angle pi/2 points to the right: strokes at pi/2 + pi -/+ pi/14 of length 20 end at
    // 50 + 20 sin(3pi/2 +- pi/14) = 50 - 19.50 -> 31 and 50 + 20 cos(...) = 50 -/+ 4.45 -> 46, 54.
    d.Draw.DrawArrowHead(50, 50, std::numbers::pi / 2, 20);
    EXPECT_TRUE(d.Inked(31, 54));
    EXPECT_TRUE(d.Inked(31, 46));
    EXPECT_TRUE(d.Inked(50, 50));
    EXPECT_FALSE(d.InkNear(60, 50)) << "nothing ahead of the tip";
    EXPECT_FALSE(d.InkNear(31, 50)) << "the head is open";
}

TEST(DiagramDraw_Primitives, ArrowLineHeadsFollowTheGivenOrder) {
    // Left to right with both heads: the heads point outward, so nothing lies beyond the ends.
    Drawer fwd(120, 40, 2);
    fwd.Draw.DrawArrowLine(30, 20, 90, 20, 10, true, true);
    EXPECT_TRUE(fwd.Inked(60, 20));
    EXPECT_TRUE(fwd.InkNear(39, 22)); // head at the start opens toward larger x
    EXPECT_FALSE(fwd.InkNear(21, 22));
    EXPECT_FALSE(fwd.InkNear(99, 22));
    // The same line given right to left: its heads open outward past the ends (pointing inward).
    Drawer rev(120, 40, 2);
    rev.Draw.DrawArrowLine(90, 20, 30, 20, 10, true, true);
    EXPECT_TRUE(rev.InkNear(21, 22));
    EXPECT_TRUE(rev.InkNear(99, 22));
    // A vertical line given top to bottom: its end head opens upward.
    Drawer down(40, 120, 2);
    down.Draw.DrawArrowLine(20, 30, 20, 90, 10, false, true);
    EXPECT_TRUE(down.InkNear(22, 81));
    EXPECT_FALSE(down.InkNear(22, 99));
}

TEST(DiagramDraw_Primitives, AngleArcAndLabel) {
    Drawer d(300, 300, 2); // FontSize 7 (Round(0.9 x 300 / 38) = 7)
    ASSERT_EQ(d.Draw.FontSize(), 7);
    ScopedTextRecorder rec;
    d.Draw.DrawAngle(100, 100, 30, 30, true);
    // Label at x = 100 + Round(30 cos 30) + 7 = 133; y0 = 100 - Round(sin 30 x 37) = 82 (18.5 -> 18),
    // y = 82 + (100 - 82 - 7) div 2 = 87.
    const TTextRecord* label = rec.Find(QString("30") + QChar(0x00B0));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->X, 133);
    EXPECT_EQ(label->Y, 87);
    // The arc runs from the horizontal up to 30 degrees: on it at 15 degrees, not at 60.
    EXPECT_TRUE(d.InkNear(129, 92));
    EXPECT_FALSE(d.InkNear(115, 74));
    // Opening to the left, the label ends a font size left of the arc's end.
    rec.Clear();
    d.Draw.DrawAngle(200, 200, 30, 45, false);
    const TTextRecord* left = rec.Find(QString("45") + QChar(0x00B0));
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->X + d.Draw.Bitmap.TextWidth(left->Text), 200 - 21 - 7); // Round(30 cos 45) = 21
    EXPECT_TRUE(d.InkNear(171, 192)) << "arc at 15 degrees left of vertical side";
}

TEST(DiagramDraw_Primitives, DashedLinesAndBreakLine) {
    // N = 0 means 8: nine pieces of 10 px over 90 px, dashes at the odd pieces and both ends.
    Drawer d(100, 30, 2);
    d.Draw.Bitmap.MoveTo(0, 10);
    d.Draw.DashDotLineTo(90, 10, false, 0);
    int dashes = 0;
    bool inDash = false;
    for (int x = 0; x <= 95; ++x) {
        const bool ink = d.Inked(x, 10);
        if (ink && !inDash) ++dashes;
        inDash = ink;
    }
    EXPECT_EQ(dashes, 5);
    for (int x : {5, 25, 45, 65, 85})
        EXPECT_TRUE(d.Inked(x, 10)) << x;
    for (int x : {15, 35, 55, 75})
        EXPECT_FALSE(d.Inked(x, 10)) << x;
    EXPECT_EQ(d.Draw.Bitmap.PenPos(), QPoint(90, 10));
    // Dash-dot: a dot in the middle of each gap (15 -/+ 10/15).
    d.Draw.Bitmap.MoveTo(0, 20);
    d.Draw.DashDotLineTo(90, 20, true, 0);
    EXPECT_TRUE(d.Inked(15, 20));
    EXPECT_FALSE(d.Inked(12, 20));
    // A negative count is a solid line.
    d.Draw.Bitmap.MoveTo(0, 25);
    d.Draw.DashDotLineTo(90, 25, false, -1);
    EXPECT_TRUE(d.Inked(15, 25));

    const auto h = TDiagramDraw::BreakLinePoints(0, 10, 100, 10, 5);
    const std::array<QPoint, 6> hx = {QPoint(0, 10),  QPoint(40, 10), QPoint(45, 5),
                                      QPoint(55, 15), QPoint(60, 10), QPoint(100, 10)};
    EXPECT_EQ(h, hx);
    const auto v = TDiagramDraw::BreakLinePoints(10, 0, 10, 100, 5);
    const std::array<QPoint, 6> vx = {QPoint(10, 0),  QPoint(10, 40), QPoint(5, 45),
                                      QPoint(15, 55), QPoint(10, 60), QPoint(10, 100)};
    EXPECT_EQ(v, vx);
}

TEST(DiagramDraw_Primitives, SuperscriptText) {
    Drawer d(200, 100, 2);
    ScopedTextRecorder rec;
    d.Draw.TextOutSuper(10, 40, "m^3");
    const int raise = RoundPx(d.Draw.Bitmap.TextHeight("X") / 4.0);
    ASSERT_EQ(rec.Texts().size(), 2u);
    EXPECT_EQ(rec.Texts()[0].Text, "m");
    EXPECT_EQ(rec.Texts()[0].Y, 40);
    EXPECT_EQ(rec.Texts()[1].Text, "3");
    EXPECT_EQ(rec.Texts()[1].X, 10 + d.Draw.Bitmap.TextWidth("m"));
    EXPECT_EQ(rec.Texts()[1].Y, 40 - raise);
    rec.Clear();
    d.Draw.TextOutSuper(10, 40, "in^2/ft");
    ASSERT_EQ(rec.Texts().size(), 3u);
    EXPECT_EQ(rec.Texts()[1].Text, "2");
    EXPECT_EQ(rec.Texts()[2].Text, "/ft");
    EXPECT_EQ(rec.Texts()[2].Y, 40);
    EXPECT_EQ(rec.Texts()[2].X, 10 + d.Draw.Bitmap.TextWidth("in") + d.Draw.Bitmap.TextWidth("2"));
    rec.Clear();
    d.Draw.TextOutSuper(10, 40, "plain");
    ASSERT_EQ(rec.Texts().size(), 1u);
}

TEST(DiagramDraw_Primitives, TextBoxFontAlignAndContrast) {
    Drawer d(300, 100, 2);
    ScopedTextRecorder rec;
    d.Draw.DrawTextBox(10, 10, 200, 32, "Dark", 1, false, 0x800000); // navy fill
    ASSERT_EQ(rec.Texts().size(), 1u);
    const TTextRecord& dark = rec.Texts()[0];
    EXPECT_EQ(dark.Height, -20); // -(32 - 10 - 2)
    EXPECT_EQ(dark.Color, clWhite);
    EXPECT_EQ(dark.X, 10 + 190 - d.Draw.Bitmap.TextWidth("Dark") - 1);
    EXPECT_EQ(d.Px(15, 12), 0x800000u);
    rec.Clear();
    d.Draw.DrawTextBox(10, 50, 200, 72, "Light", 2, false, clNone);
    EXPECT_EQ(rec.Texts()[0].Color, clBlack);
    EXPECT_EQ(rec.Texts()[0].X, 10 + (190 - d.Draw.Bitmap.TextWidth("Light")) / 2 + 1);
    EXPECT_EQ(d.Px(15, 52), clWhite) << "no fill";
}

TEST(DiagramDraw_Primitives, DimensionLineInsideAndOutside) {
    Drawer d(400, 200, 2); // FontSize 5, ArrowSize 10
    ScopedTextRecorder rec;
    // Room enough: the line between the points, the label centred on it and covering it.
    d.Draw.DrawDimension(20, 50, 380, 50, "10 ft", 0, false, false);
    ASSERT_EQ(rec.Texts().size(), 1u);
    EXPECT_EQ(rec.Texts()[0].Text, " 10 ft ");
    const int bw = d.Draw.Bitmap.TextWidth(" 10 ft ");
    EXPECT_NEAR(rec.Texts()[0].X + bw / 2, 200, 1);
    EXPECT_TRUE(d.Inked(40, 50));
    EXPECT_TRUE(d.Inked(360, 50));

    // No room (10 px for a longer label): two outside arrows, nothing between the points.
    rec.Clear();
    d.Draw.DrawDimension(100, 120, 110, 120, "10 ft", 1, false, false);
    EXPECT_TRUE(d.Inked(85, 120));
    EXPECT_TRUE(d.Inked(125, 120));
    EXPECT_FALSE(d.Inked(105, 120));
    // Mode 1 puts the label left of the left arrow and one box height up.
    const int th = d.Draw.Bitmap.TextHeight("X");
    EXPECT_EQ(rec.Texts()[0].X, 100 - 10 - bw);
    EXPECT_EQ(rec.Texts()[0].Y, 120 - th / 2 - th);

    // Mode 3 always draws the line between and moves the long label up beside it.
    rec.Clear();
    d.Draw.DrawDimension(200, 170, 210, 170, "10 ft", 3, false, true);
    EXPECT_TRUE(d.Inked(205, 170));
    EXPECT_EQ(rec.Texts()[0].Y, 170 - th / 2 - th);

    // Vertical: the text turned to read upward.
    rec.Clear();
    d.Draw.DrawDimension(300, 20, 300, 180, "2 m", 0, false, false);
    EXPECT_EQ(rec.Texts()[0].Angle, 90);
    EXPECT_EQ(d.Draw.Bitmap.Font().Angle, 0) << "the font is restored";
}

TEST(DiagramDraw_Primitives, CircleGrowsWithThePen) {
    Drawer d(100, 100, 2);
    d.Draw.Bitmap.SetPenWidth(4);
    d.Draw.Bitmap.SetBrushStyle(TBrushStyle::Clear);
    d.Draw.DrawCircle(50, 50, 10); // box (38, 38)-(62, 62) with the pen centred on it
    EXPECT_TRUE(d.Inked(39, 50));
    EXPECT_TRUE(d.Inked(60, 50));
    EXPECT_FALSE(d.Inked(50, 50));
    EXPECT_FALSE(d.Inked(34, 50));
}

} // namespace
} // namespace vantrel
