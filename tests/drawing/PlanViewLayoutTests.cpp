// The pile plan view of projects made from the built-in defaults: every pile type, narrow and wide
// spacing, both unit systems. The labels stay inside the picture and apart, and the row band's steel
// stays in the band.

#include "drawing/Canvas.h"
#include "drawing/DiagramDraw.h"
#include "model/KdClasses.h"

#include <QFont>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct PlanCase {
    const char* Name;
    uint8_t Units;
    int PileType, Section, Installation;
    double Width, Spacing; // ft | m
};

// Narrow: the pier close to the spacing; wide: a small pier far apart.
const PlanCase kPlanCases[] = {
    {"DefaultsSoldierBeam", usEnglish, ptSoldierBeam, psIBeam, 0, 0.5, 1.5},
    {"SoldierBeamWide", usEnglish, ptSoldierBeam, psIBeam, 0, 2.0, 10.0},
    {"SoldierBeamDrivenNarrow", usEnglish, ptSoldierBeam, psIBeam, 1, 0.5, 1.5},
    {"SoldierPipeNarrow", usEnglish, ptSoldierBeam, psPipe, 0, 0.5, 1.5},
    {"SoldierCageNarrow", usEnglish, ptSoldierBeam, psRebarCage, 0, 0.5, 1.5},
    {"TangentCageNarrow", usEnglish, ptTangent, psRebarCage, 0, 0.5, 1.5},
    {"TangentBeamWide", usEnglish, ptTangent, psIBeam, 0, 3.0, 6.0},
    {"SecantBeamNarrow", usEnglish, ptSecant, psIBeam, 0, 0.5, 1.5},
    {"SecantCageWide", usEnglish, ptSecant, psRebarCage, 0, 3.0, 4.0},
    {"SheetNarrow", usEnglish, ptSheet, psIBeam, 1, 0.5, 1.5},
    {"SISoldierBeamNarrow", usSI, ptSoldierBeam, psIBeam, 0, 0.15, 0.45},
    {"SISoldierBeamWide", usSI, ptSoldierBeam, psIBeam, 0, 0.6, 3.0},
    {"SISoldierPipeNarrow", usSI, ptSoldierBeam, psPipe, 0, 0.15, 0.45},
    {"SISecantBeamNarrow", usSI, ptSecant, psIBeam, 0, 0.15, 0.45},
    {"SITangentCageWide", usSI, ptTangent, psRebarCage, 0, 0.9, 1.8},
    {"SISecantCageWide", usSI, ptSecant, psRebarCage, 0, 1.2, 1.5},
    {"SISheetNarrow", usSI, ptSheet, psIBeam, 1, 0.15, 0.45},
};

void PrintTo(const PlanCase& c, std::ostream* os) {
    *os << c.Name;
}

class DiagramDraw_PlanLayout : public ::testing::TestWithParam<PlanCase> {};

TEST_P(DiagramDraw_PlanLayout, LabelsAndRowStayInsideThePicture) {
    const PlanCase& c = GetParam();
    TKdData d{std::string()}; // no program folder: the built-in defaults
    d.NewProject(false);
    if (c.Units != d.Units) d.SetUnits(c.Units);
    d.SetPileType(c.PileType);
    d.PileSection = c.Section;
    d.Installation = c.Installation;
    d.LoadOShapesForPile();
    d.PileWidth = c.Width;
    d.PileSpacing = c.Spacing;
    d.Calculate();
    const QSize size(600, 700);
    ScopedTextRecorder texts;
    TDiagramLayout layout;
    const QImage img = RenderDiagram(d, 1, size, nullptr, nullptr, &layout);
    ASSERT_FALSE(texts.Texts().empty());
    std::vector<std::pair<QString, QRect>> drawn;
    for (const TTextRecord& t : texts.Texts()) {
        if (t.Text.trimmed().isEmpty()) continue;
        QFont font(TCanvas::FontFamily);
        font.setPixelSize(t.PixelSize);
        const QFontMetrics fm(font);
        const int w = fm.horizontalAdvance(t.Text), h = fm.height();
        // A turned text runs upwards from its reference point.
        const QRect r = t.Angle == 90 ? QRect(t.X, t.Y - w, h, w) : QRect(t.X, t.Y, w, h);
        EXPECT_GE(r.left(), 0) << '"' << t.Text.toStdString() << '"';
        EXPECT_LE(r.right(), size.width() - 1) << '"' << t.Text.toStdString() << '"';
        EXPECT_GE(r.top(), 0) << '"' << t.Text.toStdString() << '"';
        EXPECT_LE(r.bottom(), size.height() - 1) << '"' << t.Text.toStdString() << '"';
        // No two labels overlap (their cells less the empty rim of two pixels round the glyphs).
        for (const auto& [other, box] : drawn)
            EXPECT_FALSE(box.intersects(r.adjusted(2, 2, -2, -2)))
                << '"' << t.Text.toStdString() << "\" on \"" << other.toStdString() << '"';
        drawn.emplace_back(t.Text, r.adjusted(2, 2, -2, -2));
    }
    if (c.PileType == ptSheet) return;
    // The spacing is labelled with the entered spacing, and nothing of the row's steel runs up out
    // of the band into the detail above it.
    const QString unit = c.Units == usSI ? "m" : "ft";
    EXPECT_TRUE(texts.Contains(TDiagramDraw::FormatValue(c.Spacing, 2, unit)));
    const int x1 = int(layout.Value("X1")),
              above = int(layout.Value("RowTop")) - 8; // between the detail and the band
    for (int x = x1 - 3; x <= x1 + 3; ++x)
        EXPECT_NE(FromQRgb(img.pixel(x, above)), kSteel) << "at " << x << ',' << above;
}

INSTANTIATE_TEST_SUITE_P(PlanView, DiagramDraw_PlanLayout, ::testing::ValuesIn(kPlanCases),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace vantrel
