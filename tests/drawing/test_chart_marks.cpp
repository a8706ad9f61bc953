// The value labels of the deflection and settlement charts of both demo projects: clear of the tick
// labels, within the span of their axis, and every chart text in the one family of the drawings;
// on the settlement picture as the window and the report show it, under a point and a comma
// locale, the value label's ink stands apart from the ink of every tick label.

#include <QLocale>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "drawing/Graphs.h"

namespace vantrel {
namespace {

struct MarkCase {
    const char* file;
    int kind; // 5 deflection, 18 settlement, 0 all pile charts (the deflection chart among them)
    bool print;
};

void PrintTo(const MarkCase& c, std::ostream* os) {
    *os << c.file << " kind " << c.kind << (c.print ? " print" : "");
}

class ChartMarks_Demo : public ::testing::TestWithParam<MarkCase> {
  protected:
    // Renders the case's kind and returns the render of the deflection or settlement chart.
    RenderedChart Render(TGraphsRenderer& r) {
        data_.LoadFromFile(std::string(VANTREL_BINARY_DIR) + "/" + GetParam().file);
        data_.Calculate();
        if (GetParam().print) r.PrepareForPrint();
        if (GetParam().kind == 18)
            r.ShowSettlement(data_, 18, GetParam().print);
        else
            r.ShowPileGraphs(data_, GetParam().kind);
        const int wanted = GetParam().kind == 0 ? 5 : GetParam().kind;
        for (const RenderedChart& c : r.RenderLog())
            if (c.kind == wanted) return c;
        ADD_FAILURE() << "no render of the kind";
        return {};
    }
    TKdData data_;
};

TEST_P(ChartMarks_Demo, ValueLabelsStayClearOfTheAxisNumbers) {
    TGraphsRenderer r;
    const RenderedChart c = Render(r);
    ASSERT_FALSE(c.marks.isEmpty()); // both demos have a non-zero extreme to label
    ASSERT_EQ(c.markBoxes.size(), static_cast<size_t>(c.marks.size()));
    ASSERT_FALSE(c.labelBoxes.empty());
    for (size_t m = 0; m < c.markBoxes.size(); ++m) {
        const QRect& mark = c.markBoxes[m];
        SCOPED_TRACE(c.marks[static_cast<int>(m)].toStdString());
        // A couple of pixels of white between the two, so that they read as separate texts.
        for (const QRect& label : c.labelBoxes)
            EXPECT_FALSE(mark.adjusted(-2, -2, 2, 2).intersects(label))
                << "value label (" << mark.x() << "," << mark.y() << " " << mark.width() << "x"
                << mark.height() << ") on a tick label (" << label.x() << "," << label.y() << ")";
        // Along the value axis (vertical before any turn) the label stays beside the back wall,
        // out of the corner where the other axis writes its numbers.
        EXPECT_GE(mark.top(), c.plot.top());
        EXPECT_LE(mark.bottom(), c.plot.bottom());
    }
}

TEST_P(ChartMarks_Demo, EveryTextInTheFamilyOfTheDrawings) {
    std::set<QString> families;
    {
        ScopedTextRecorder texts;
        TGraphsRenderer r;
        Render(r);
        ASSERT_FALSE(texts.Texts().empty());
        for (const TTextRecord& t : texts.Texts())
            families.insert(t.Family);
    }
    EXPECT_EQ(families, std::set<QString>{QString::fromLatin1(TCanvas::FontFamily)});
}

INSTANTIATE_TEST_SUITE_P(Chart, ChartMarks_Demo,
                         ::testing::Values(MarkCase{"ENGLISH UNITS DEMO EXAMPLE.kpw", 5, false},
                                           MarkCase{"SI UNITS DEMO EXAMPLE.kpw", 5, false},
                                           MarkCase{"ENGLISH UNITS DEMO EXAMPLE.kpw", 18, false},
                                           MarkCase{"SI UNITS DEMO EXAMPLE.kpw", 18, false},
                                           MarkCase{"ENGLISH UNITS DEMO EXAMPLE.kpw", 0, true},
                                           MarkCase{"SI UNITS DEMO EXAMPLE.kpw", 18, true}));

// The box of the dark pixels (text, not the grey tick and grid lines) of the picture within a box.
QRect InkIn(const QImage& picture, const QRect& box) {
    QRect ink;
    const QRect b = box.intersected(picture.rect());
    for (int y = b.top(); y <= b.bottom(); ++y)
        for (int x = b.left(); x <= b.right(); ++x)
            if (qGray(picture.pixel(x, y)) < 96) ink |= QRect(x, y, 1, 1);
    return ink;
}

// The white between two boxes: columns or rows, whichever is more.
int Apart(const QRect& a, const QRect& b) {
    return std::max(std::max(a.left() - b.right(), b.left() - a.right()),
                    std::max(a.top() - b.bottom(), b.top() - a.bottom())) -
           1;
}

TEST(ChartMarks_Settlement, ValueLabelInkApartFromTheTickLabels) {
    TKdData data;
    data.LoadFromFile(std::string(VANTREL_BINARY_DIR) + "/ENGLISH UNITS DEMO EXAMPLE.kpw");
    data.Calculate();
    const QLocale before;
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)})
        for (const bool report : {false, true}) {
            QLocale::setDefault(locale);
            // The window's picture (drawn white at the chart window's size, then fitted to its page)
            // and the report's (printed fonts, half size).
            TGraphsRenderer r;
            if (report) r.PrepareForPrint();
            r.SetChartColor(clWhite);
            r.ShowSettlement(data, 18, report);
            QLocale::setDefault(before);
            SCOPED_TRACE(locale.name().toStdString() + (report ? " report" : " window"));
            ASSERT_FALSE(r.RenderLog().empty());
            const RenderedChart& c = r.RenderLog().back();
            ASSERT_EQ(c.markBoxes.size(), 1u) << "the settlement nearest to none is labelled";
            const QImage& picture = r.Image(1);
            const QRect mark = InkIn(picture, c.markBoxes[0]);
            ASSERT_FALSE(mark.isEmpty());
            for (const QRect& label : c.labelBoxes) {
                const QRect ink = InkIn(picture, label);
                if (ink.isEmpty()) continue;
                // The value's digits turned a quarter: their height across the axis, in white.
                EXPECT_GE(Apart(mark, ink), mark.width())
                    << c.marks[0].toStdString() << " at " << mark.x() << ',' << mark.y() << ' '
                    << mark.width() << 'x' << mark.height() << ", a tick label at " << ink.x() << ','
                    << ink.y() << ' ' << ink.width() << 'x' << ink.height();
            }
        }
}

} // namespace
} // namespace vantrel
