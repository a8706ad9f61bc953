// The value labels of the deflection and settlement charts of both demo projects: clear of the tick
// labels, within the span of their axis, and every chart text in the one family of the drawings.

#include <gtest/gtest.h>

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

} // namespace
} // namespace vantrel
