// Every label of the plan view and the cross section, swept over the projects where labels crowd:
// every pile type and section in both unit systems, sections deeper than their pier, and the
// smallest spacing and pier the field limits take, in the window's picture, a narrow tall one and
// the report's wide one. A label lies inside the picture, clear of every other label and of the
// steel; the row band's steel stays in the band. The smallest projects are written as PNG files
// into <build>/labels for a reviewer to look at.

#include "DiagramFixtures.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace testing_drawing;

struct SweepPile {
    const char* Name;
    int Type, Section, Installation;
};
const SweepPile kPiles[] = {
    {"soldier_beam", ptSoldierBeam, psIBeam, 0},
    {"soldier_beam_driven", ptSoldierBeam, psIBeam, 1},
    {"soldier_pipe", ptSoldierBeam, psPipe, 0},
    {"soldier_pipe_driven", ptSoldierBeam, psPipe, 1},
    {"soldier_cage", ptSoldierBeam, psRebarCage, 0},
    {"tangent_beam", ptTangent, psIBeam, 0},
    {"tangent_cage", ptTangent, psRebarCage, 0},
    {"secant_beam", ptSecant, psIBeam, 0},
    {"secant_pipe", ptSecant, psPipe, 0},
    {"secant_cage", ptSecant, psRebarCage, 0},
    {"sheet", ptSheet, psIBeam, 1},
};

// The demo's pier and section; the smallest pier and spacing the field limits take (0.5 ft | 0.15 m
// pier, 1.5 ft | 0.5 m soldier spacing, tangent and secant spacings at their least multiple of the
// pier); the catalog's deepest section in the demo's pier.
enum class Fit { Demo, Smallest, Deepest };
const char* const kFitNames[] = {"demo", "smallest", "deepest"};

// The cross section leaves a picture narrower than its label room blank: it is swept in the
// window's and the report's.
const struct {
    const char* Name;
    QSize Size;
    bool CrossSection;
} kSizes[] = {{"window", {600, 700}, true}, {"narrow", {320, 760}, false}, {"report", {2250, 1000}, true}};

// The supports: the demo's tiebacks, or every level a tie rod, a strut or a raker.
const char* const kSupportNames[] = {"tiebacks", "tie_rods", "struts", "rakers"};

struct SweepCase {
    int Units;
    SweepPile Pile;
    Fit Fitting;
    int Size;
    int Support = lkTieback;
    std::string Name() const {
        return std::string(Units ? "si" : "english") + "_" + Pile.Name + "_" + kFitNames[int(Fitting)] + "_" +
               (Support != lkTieback ? kSupportNames[Support] + std::string("_") : "") + kSizes[Size].Name;
    }
};

std::vector<SweepCase> SweepCases() {
    std::vector<SweepCase> out;
    for (int units = 0; units < 2; ++units)
        for (int size = 0; size < int(std::size(kSizes)); ++size) {
            for (const SweepPile& p : kPiles)
                for (const Fit fit : {Fit::Demo, Fit::Smallest, Fit::Deepest})
                    if (fit != Fit::Deepest || p.Section != psRebarCage) out.push_back({units, p, fit, size});
            for (const int support : {lkTieRod, lkStrut, lkRaker})
                if (kSizes[size].CrossSection) out.push_back({units, kPiles[0], Fit::Demo, size, support});
        }
    return out;
}

void PrintTo(const SweepCase& c, std::ostream* os) {
    *os << c.Name();
}

TKdData SweepProject(const SweepCase& c) {
    TKdData d = DemoProject(c.Units);
    const bool si = c.Units == usSI;
    d.SetPileType(c.Pile.Type);
    d.PileSection = c.Pile.Section;
    d.Installation = c.Pile.Installation;
    d.LoadOShapesForPile();
    if (c.Fitting == Fit::Smallest) {
        d.PileWidth = si ? 0.15L : 0.5L;
        if (d.PileType == ptSoldierBeam) d.PileSpacing = si ? 0.5L : 1.5L;
    }
    if (c.Fitting == Fit::Deepest) {
        int deepest = 0;
        if (d.PileSection == psPipe) {
            for (size_t i = 0; i < d.PipeShapes.size(); ++i)
                if (d.PipeShapes[i].OD > d.PipeShapes[size_t(deepest)].OD) deepest = int(i);
        } else {
            for (size_t i = 0; i < d.SteelShapes.size(); ++i)
                if (d.SteelShapes[i].D > d.SteelShapes[size_t(deepest)].D) deepest = int(i);
        }
        d.SetShapeIndex(deepest);
    }
    // The spacings the window allows a tangent and a secant row.
    if (d.PileType == ptTangent) d.PileSpacing = 2.0L * d.TributaryWidth();
    if (d.PileType == ptSecant) d.PileSpacing = 1.33L * d.TributaryWidth();
    if (c.Support == lkTieRod) {
        for (TAnchLevel& l : d.Anchors.Levels)
            l.Kind = lkTieRod;
        d.Anchors.Levels[1].TieRodAnchorage = 1;
    } else if (c.Support != lkTieback) {
        MakeBraced(d, c.Support);
    }
    // The clear cover within its limits: 2 in | 50 mm up to a third of the pier.
    d.ClearCover =
        std::clamp(d.ClearCover, d.UnitVal(50.0L, 2.0L),
                   std::max(d.UnitVal(50.0L, 2.0L), d.TributaryWidth() * d.UnitVal(1000.0L, 12.0L) / 3));
    d.Calculate();
    return d;
}

// The box of a recorded text's glyphs on the picture, its padding blanks left out.
QRect InkBox(const TTextRecord& t) {
    QFont font(t.Family);
    font.setPixelSize(t.PixelSize);
    font.setBold(t.Bold);
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics fm(font);
    const QString trimmed = t.Text.trimmed();
    const int lead = fm.horizontalAdvance(t.Text.left(t.Text.indexOf(trimmed)));
    const QRect ink = fm.tightBoundingRect(trimmed).translated(lead, fm.ascent());
    // A turned text runs upwards from its reference point.
    if (t.Angle == 90)
        return QRect(QPoint(t.X + ink.top(), t.Y - ink.right()),
                     QPoint(t.X + ink.bottom(), t.Y - ink.left()));
    return ink.translated(t.X, t.Y);
}

class DiagramDraw_LabelSweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(DiagramDraw_LabelSweep, LabelsClearOfOneAnotherAndOfTheSteel) {
    const SweepCase& c = GetParam();
    const TKdData d = SweepProject(c);
    for (const int kind : {int(dkPilePlanView), int(dkCrossSection)}) {
        if (kind == dkCrossSection && !kSizes[c.Size].CrossSection) continue;
        SCOPED_TRACE(kind == dkPilePlanView ? "plan view" : "cross section");
        const Rendered r = Render(d, kind, kSizes[c.Size].Size);
        ASSERT_FALSE(r.Texts.empty());
        if (c.Fitting == Fit::Smallest) {
            const QString folder = QString(VANTREL_BINARY_DIR) + "/labels";
            ASSERT_TRUE(QDir().mkpath(folder));
            r.Image.save(QString("%1/%2_%3.png")
                             .arg(folder, kind == dkPilePlanView ? "plan" : "cross",
                                  QString::fromStdString(c.Name())));
        }
        const QRect picture = r.Image.rect();
        std::vector<std::pair<QString, QRect>> drawn;
        for (const TTextRecord& t : r.Texts) {
            if (t.Text.trimmed().isEmpty()) continue;
            const QRect box = InkBox(t);
            const std::string text = '"' + t.Text.trimmed().toStdString() + '"';
            EXPECT_TRUE(picture.contains(box)) << text << " outside the picture";
            for (const auto& [other, at] : drawn)
                EXPECT_FALSE(at.intersects(box)) << text << " on \"" << other.toStdString() << '"';
            int steel = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    steel += r.Pixel(x, y) == kSteel || r.Pixel(x, y) == kTies;
            EXPECT_EQ(steel, 0) << text << " on the steel";
            drawn.emplace_back(t.Text.trimmed(), box);
        }
        if (kind != dkPilePlanView || c.Pile.Type == ptSheet) continue;
        // Nothing of the row's steel runs up out of the band into the detail above it, and the
        // detail's pier stays above the band.
        const int x1 = int(r.Value("X1")), above = int(r.Value("RowTop")) - 8;
        for (int x = x1 - 3; x <= x1 + 3; ++x)
            EXPECT_NE(r.Pixel(x, above), kSteel) << "at " << x << ',' << above;
        if (c.Pile.Installation == 0) {
            EXPECT_LT(r.Value("Yc") + r.Value("HalfTW"), r.Value("RowTop"));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Drawings, DiagramDraw_LabelSweep, ::testing::ValuesIn(SweepCases()),
                         [](const auto& info) { return info.param.Name(); });

} // namespace
} // namespace vantrel
