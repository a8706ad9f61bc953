// Canvas layer: extents, fills, text placement and the recording hook, by pixel probes on a small
// white canvas (edges may differ by one pixel; probes sit at interior points or just outside).

#include "drawing/Canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <set>

namespace vantrel {
namespace {

class DiagramDraw_Canvas : public ::testing::Test {
  protected:
    TCanvas c{60, 40};

    // True when (x, y) or one of its eight neighbours has colour col.
    bool Near(int x, int y, TColor col) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (c.Pixel(x + dx, y + dy) == col) return true;
        return false;
    }

    std::set<TColor> Colours() {
        std::set<TColor> out;
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x)
                out.insert(c.Pixel(x, y));
        return out;
    }
};

TEST_F(DiagramDraw_Canvas, StartsWhiteAndReadsWhiteOutside) {
    EXPECT_EQ(c.Width(), 60);
    EXPECT_EQ(c.Height(), 40);
    EXPECT_EQ(Colours(), std::set<TColor>{clWhite});
    c.SetBrushColor(clBlack);
    c.FillRect(0, 0, 60, 40);
    EXPECT_EQ(c.Pixel(0, 0), clBlack);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {60, 5}, {5, 40}, {1000000, 1000000}})
        EXPECT_EQ(c.Pixel(x, y), clWhite) << x << "," << y;
}

TEST_F(DiagramDraw_Canvas, ColourFormIsBlueGreenRed) {
    c.SetPixel(3, 3, 0x0002CBE8);
    const QRgb rgb = c.Image().pixel(3, 3);
    EXPECT_EQ(qRed(rgb), 0xE8);
    EXPECT_EQ(qGreen(rgb), 0xCB);
    EXPECT_EQ(qBlue(rgb), 0x02);
    EXPECT_EQ(c.Pixel(3, 3), 0x0002CBE8u);
}

TEST_F(DiagramDraw_Canvas, LinesKeepThePenPositionAndDrawNoBlend) {
    c.SetPenColor(clRed);
    c.SetPenWidth(0);
    c.MoveTo(5, 10);
    c.LineTo(50, 10);
    c.LineTo(50, 30);
    c.Line(5, 35, 45, 20); // a slanted line: still only red and white
    EXPECT_EQ(c.PenPos(), QPoint(45, 20));
    EXPECT_EQ(c.Pixel(20, 10), clRed);
    EXPECT_EQ(c.Pixel(20, 9), clWhite);
    EXPECT_EQ(c.Pixel(20, 11), clWhite);
    EXPECT_EQ(c.Pixel(50, 20), clRed);
    EXPECT_EQ(c.Pixel(4, 10), clWhite);
    EXPECT_EQ(Colours(), (std::set<TColor>{clWhite, clRed}));
}

TEST_F(DiagramDraw_Canvas, WidePensAndFlatEnds) {
    c.SetPenColor(clBlue);
    c.SetPenWidth(6);
    c.Line(10, 10, 40, 10);
    EXPECT_EQ(c.Pixel(25, 8), clBlue);
    EXPECT_EQ(c.Pixel(25, 12), clBlue);
    EXPECT_EQ(c.Pixel(25, 15), clWhite);
    EXPECT_EQ(c.Pixel(7, 10), clBlue) << "round caps reach past the end point";
    c.SetPenFlat(true);
    c.Line(10, 30, 40, 30);
    EXPECT_EQ(c.Pixel(25, 28), clBlue);
    EXPECT_EQ(c.Pixel(7, 30), clWhite) << "flat caps end at the end point";
    EXPECT_EQ(c.Pixel(43, 30), clWhite);
}

TEST_F(DiagramDraw_Canvas, RectangleAndEllipseLeaveRightAndBottomOut) {
    c.SetPenColor(clBlack);
    c.SetBrushColor(clYellow);
    c.Rectangle(10, 5, 30, 25);
    EXPECT_EQ(c.Pixel(10, 15), clBlack);
    EXPECT_EQ(c.Pixel(29, 15), clBlack);
    EXPECT_EQ(c.Pixel(30, 15), clWhite);
    EXPECT_EQ(c.Pixel(20, 24), clBlack);
    EXPECT_EQ(c.Pixel(20, 25), clWhite);
    EXPECT_EQ(c.Pixel(20, 15), clYellow);

    c.SetBrushStyle(TBrushStyle::Clear);
    c.Ellipse(35, 5, 55, 25);
    EXPECT_EQ(c.Pixel(35, 15), clBlack);
    EXPECT_EQ(c.Pixel(54, 15), clBlack);
    EXPECT_EQ(c.Pixel(55, 15), clWhite);
    EXPECT_EQ(c.Pixel(45, 5), clBlack);
    EXPECT_EQ(c.Pixel(45, 15), clWhite) << "clear brush leaves the inside";
}

TEST_F(DiagramDraw_Canvas, PolygonFillsAndHatchBrush) {
    c.SetPenColor(clBlack);
    c.SetBrushColor(clGray);
    c.SetBrushStyle(TBrushStyle::BDiagonal);
    c.Polygon({{0, 0}, {59, 0}, {59, 39}, {0, 39}});
    const std::set<TColor> colours = Colours();
    EXPECT_TRUE(colours.count(clGray));
    EXPECT_TRUE(colours.count(clWhite)) << "a hatch leaves the background between its lines";
    c.SetBrushStyle(TBrushStyle::Solid);
    c.Polygon({{10, 10}, {30, 10}, {20, 30}});
    EXPECT_EQ(c.Pixel(20, 15), clGray);
    int solid = 0; // below the triangle the hatch leaves white between its lines
    for (int x = 2; x < 58; ++x)
        solid += c.Pixel(x, 35) == clGray;
    EXPECT_LT(solid, 40);
    EXPECT_EQ(c.Pixel(10, 10), clBlack);
}

TEST_F(DiagramDraw_Canvas, ArcRunsCounterClockwise) {
    c.SetPenColor(clRed);
    // Circle of radius 10 about (20, 20): from the right point to the top point counter-clockwise is
    // the upper-right quarter only.
    c.Arc(10, 10, 31, 31, 31, 20, 20, 9);
    // Probes at 45 degrees on the circle: (20 +- 7.07, 20 +- 7.07).
    EXPECT_TRUE(Near(27, 13, clRed));
    EXPECT_FALSE(Near(13, 27, clRed));
    EXPECT_FALSE(Near(13, 13, clRed));
    EXPECT_FALSE(Near(27, 27, clRed));
    // The other way round is the remaining three quarters.
    c.Clear();
    c.Arc(10, 10, 31, 31, 20, 9, 31, 20);
    EXPECT_FALSE(Near(27, 13, clRed));
    EXPECT_TRUE(Near(13, 27, clRed));
    EXPECT_TRUE(Near(13, 13, clRed));
    EXPECT_TRUE(Near(27, 27, clRed));
}

TEST_F(DiagramDraw_Canvas, TextAtTopLeftOpaqueOrTransparent) {
    TCanvas t(200, 100);
    t.SetFontHeight(-20);
    EXPECT_EQ(t.FontPixelSize(), 20);
    const int w = t.TextWidth("HHHH");
    const int h = t.TextHeight("HHHH");
    EXPECT_GT(w, 40);
    EXPECT_GE(h, 20);
    EXPECT_LE(h, 26);
    t.SetBrushColor(clYellow);
    t.SetTextTransparent(false);
    t.SetFontColor(clBlue);
    t.TextOut(10, 10, "HHHH");
    EXPECT_EQ(t.Pixel(10 + w - 1, 10 + 1), clYellow) << "opaque text fills its cell";
    EXPECT_EQ(t.Pixel(10 + w + 1, 10 + 1), clWhite);
    bool blue = false;
    for (int x = 10; x < 10 + w; ++x)
        blue = blue || t.Pixel(x, 10 + h / 2) == clBlue;
    EXPECT_TRUE(blue);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const TColor px = t.Pixel(x, y);
            ASSERT_TRUE(px == clWhite || px == clYellow || px == clBlue) << "glyph edges are not blended";
        }
    t.SetTextTransparent(true);
    t.TextOut(10, 50, "HHHH");
    EXPECT_EQ(t.Pixel(10 + w - 1, 51), clWhite);
    // Nothing above the reference point or left of it.
    for (int x = 0; x < 200; ++x)
        EXPECT_EQ(t.Pixel(x, 9), clWhite);
    for (int y = 0; y < 100; ++y)
        EXPECT_EQ(t.Pixel(9, y), clWhite);
}

TEST_F(DiagramDraw_Canvas, TextAt90DegreesReadsUpwardFromItsReference) {
    TCanvas t(100, 200);
    t.SetFontHeight(-16);
    t.SetFontAngle(90);
    t.SetTextTransparent(true);
    t.SetFontColor(clBlack);
    const int w = t.TextWidth("HHHHHH");
    const int h = t.TextHeight("HHHHHH");
    t.TextOut(40, 150, "HHHHHH");
    int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 100; ++x)
            if (t.Pixel(x, y) == clBlack) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    EXPECT_GE(minX, 40);
    EXPECT_LE(maxX, 40 + h);
    EXPECT_LE(maxY, 150);
    EXPECT_GE(minY, 150 - w);
    EXPECT_GT(maxY - minY, w / 2) << "the text runs along y";
}

TEST_F(DiagramDraw_Canvas, FontHeightConventions) {
    TCanvas t(10, 10);
    t.SetFontHeight(-30);
    const int cell = t.TextHeight("X");
    t.SetFontHeight(cell);
    EXPECT_NEAR(t.FontPixelSize(), 30, 1) << "a positive height is the cell height";
    t.SetFontSize(12); // 12 pt at 96 dpi = 16 px
    EXPECT_EQ(t.FontPixelSize(), 16);
    t.SetFontBold(true);
    EXPECT_GT(t.TextWidth("WWW"), 0);
}

// Level text unclipped is set from its glyphs' pixels, rendered once per text and font: it must
// come out as the painter draws it (a picture clipped to itself takes the painter's way), in any
// font, colour and fill, and where it reaches out of the picture.
TEST_F(DiagramDraw_Canvas, LevelTextComesOutAsThePainterDrawsIt) {
    const struct {
        int Height;
        bool Bold, Italic;
    } fonts[] = {
        {-9, false, false}, {-13, false, false}, {-20, true, false}, {-16, false, true}, {14, true, true}};
    const char* const texts[] = {"HHHH", "Ag|j 0.1 ft", "Strip load: 300 psf @ 5 - 15 ft", "(W)", " "};
    const QPoint at[] = {{5, 5}, {-7, 30}, {150, 80}, {60, -6}};
    for (const auto& f : fonts)
        for (const char* text : texts)
            for (const bool opaque : {false, true}) {
                TCanvas direct(200, 100), painted(200, 100);
                painted.SetClipRect(0, 0, 200, 100);
                for (TCanvas* t : {&direct, &painted}) {
                    t->SetFontHeight(f.Height);
                    t->SetFontBold(f.Bold);
                    t->SetFontItalic(f.Italic);
                    t->SetBrushColor(clSilver);
                    t->FillRect(0, 40, 200, 60); // text over a fill as well as over white
                    t->SetBrushColor(clYellow);
                    t->SetTextTransparent(!opaque);
                    for (size_t i = 0; i < std::size(at); ++i) {
                        t->SetFontColor(i % 2 ? clRed : clBlack);
                        t->TextOut(at[i].x(), at[i].y(), text);
                    }
                }
                EXPECT_TRUE(direct.Image() == painted.Image())
                    << text << " at height " << f.Height << (f.Bold ? " bold" : "")
                    << (f.Italic ? " italic" : "") << (opaque ? " opaque" : " transparent");
            }
}

TEST_F(DiagramDraw_Canvas, LevelAndPlumbLinesComeOutAsThePainterDrawsThem) {
    // Either way, either end first, a point, across the edges and wholly outside; over a fill and
    // beside slanting and wide lines drawn through the painter between them.
    const QLine lines[] = {{5, 5, 40, 5},    {40, 9, 5, 9},      {7, 3, 7, 30},      {9, 30, 9, 3},
                           {20, 20, 20, 20}, {-10, 35, 250, 35}, {60, -5, 60, 120},  {199, 0, 199, 99},
                           {0, 99, 199, 99}, {-30, 50, -5, 50},  {30, 150, 30, 180}, {10, 10, 50, 60}};
    for (const int width : {0, 1, 2})
        for (const bool flat : {false, true}) {
            TCanvas direct(200, 100), painted(200, 100);
            painted.SetClipRect(0, 0, 200, 100);
            for (TCanvas* t : {&direct, &painted}) {
                t->SetBrushColor(clSilver);
                t->FillRect(0, 40, 200, 60);
                int i = 0;
                for (const QLine& l : lines) {
                    t->SetPen(TPen{++i % 2 ? clRed : clBlack, i % 3 == 0 ? 2 : width, flat});
                    t->Line(l.x1(), l.y1(), l.x2(), l.y2());
                }
            }
            EXPECT_TRUE(direct.Image() == painted.Image()) << "width " << width << (flat ? " flat" : "");
        }
}

TEST_F(DiagramDraw_Canvas, GrowAndCropKeepTheTopLeft) {
    c.SetBrushColor(clRed);
    c.FillRect(0, 0, 60, 40);
    c.SetSize(80, 50);
    EXPECT_EQ(c.Pixel(59, 39), clRed);
    EXPECT_EQ(c.Pixel(70, 10), clWhite) << "grown area is white";
    EXPECT_EQ(c.Pixel(10, 45), clWhite);
    c.SetSize(20, 10);
    EXPECT_EQ(c.Image().size(), QSize(20, 10));
    EXPECT_EQ(c.Pixel(19, 9), clRed);
    c.SetSize(0, 0);
    EXPECT_TRUE(c.Image().isNull());
    c.Line(0, 0, 5, 5); // drawing on an empty picture is harmless
    c.TextOut(0, 0, "x");
    // Whatever is the first thing drawn on a fresh picture is kept when it grows, and a white
    // fill over white leaves it white.
    const std::function<void(TCanvas&)> first[] = {
        [](TCanvas& t) { t.SetPixel(3, 3, clRed); },
        [](TCanvas& t) { t.TextOut(2, 2, "H"); },
        [](TCanvas& t) { t.Line(0, 3, 10, 3); },
        [](TCanvas& t) {
            t.SetBrushColor(clWhite);
            t.FillRect(0, 0, 60, 40);
            t.SetPixel(3, 3, clRed);
        },
    };
    for (size_t i = 0; i < std::size(first); ++i) {
        TCanvas t(60, 40);
        first[i](t);
        t.SetSize(90, 50);
        bool drawn = false;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 12; ++x)
                drawn = drawn || t.Pixel(x, y) != clWhite;
        EXPECT_TRUE(drawn) << "case " << i;
        EXPECT_EQ(t.Pixel(80, 45), clWhite);
    }
}

TEST_F(DiagramDraw_Canvas, FarCoordinatesAreLeftOut) {
    c.SetPenColor(clBlack);
    c.Line(10, 10, 2000000, 10);
    c.Rectangle(-5000000, 0, 30, 30);
    EXPECT_EQ(Colours(), std::set<TColor>{clWhite});
}

TEST_F(DiagramDraw_Canvas, RecorderSeesEveryTextAndRestores) {
    {
        ScopedTextRecorder outer;
        {
            ScopedTextRecorder inner;
            c.SetFontHeight(-12);
            c.SetFontColor(clRed);
            c.SetFontAngle(90);
            c.SetFontBold(true);
            c.TextOut(4, 30, "abc");
            ASSERT_EQ(inner.Texts().size(), 1u);
            const TTextRecord& r = inner.Texts()[0];
            EXPECT_EQ(r.Text, "abc");
            EXPECT_EQ(r.X, 4);
            EXPECT_EQ(r.Y, 30);
            EXPECT_EQ(r.Angle, 90);
            EXPECT_EQ(r.Color, clRed);
            EXPECT_EQ(r.Height, -12);
            EXPECT_TRUE(r.Bold);
            EXPECT_TRUE(inner.Contains("b"));
            EXPECT_EQ(inner.Find("abc"), &inner.Texts()[0]);
            EXPECT_EQ(inner.Find("ab"), nullptr);
        }
        EXPECT_TRUE(outer.Texts().empty());
        c.TextOut(0, 0, "after");
        ASSERT_EQ(outer.Texts().size(), 1u);
    }
}

} // namespace
} // namespace vantrel
