// Every label of the plan view and the cross section, swept over the projects where labels crowd:
// every pile type and section in both unit systems, sections deeper than their pier, and the
// smallest spacing and pier the field limits take, in the window's picture, a narrow tall one and
// the report's wide one; cross sections also of a new project with four levels at its default
// spacing, of eight levels and of every support kind. A label lies inside the picture, clear of
// every other label, of the steel and of every line that is not its own (the plan view's pier
// outline among them); in the cross section also clear of the pile; in the plan view its colour
// reads against what lies under it, and the spacing value stays by its line. The row band's steel
// stays in the band. The smallest projects are written as PNG files into <build>/labels for a
// reviewer to look at.

#include "DiagramFixtures.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <climits>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace testing_drawing;

const auto& kPiles = kSweepPiles;

// The demo's pier and section; the smallest pier and spacing the field limits take (0.5 ft | 0.15 m
// pier, 1.5 ft | 0.5 m soldier spacing, tangent and secant spacings at their least multiple of the
// pier); the catalog's deepest section in the demo's pier.
enum class Fit { Demo, Smallest, Deepest };
const char* const kFitNames[] = {"demo", "smallest", "deepest"};

// The cross section leaves a picture narrower than its label room blank: it is swept in the
// window's and the report's.
// The crowded cross sections are drawn also at the report's own size and in the enlarged view of a
// small screen.
const struct {
    const char* Name;
    QSize Size;
    bool CrossSection;
    bool Piles = true; // every pile type is swept at this size
} kSizes[] = {{"window", {600, 700}, true},          {"narrow", {320, 760}, false},
              {"report", {2250, 1000}, true},        {"report_page", {1500, 1218}, true, false},
              {"enlarged", {1004, 668}, true, false}};

// The supports: the demo's tiebacks, or every level a tie rod, a strut or a raker.
const char* const kSupportNames[] = {"tiebacks", "tie_rods", "struts", "rakers"};

struct SweepCase {
    int Units;
    SweepPile Pile;
    Fit Fitting;
    int Size;
    int Support = lkTieback;
    int Levels = 0;     // the level count set, 0 to keep the project's
    bool New = false;   // the built-in new project instead of the demo
    bool Flattest = false; // rakers at their least angle, 18.7 degrees, as a tieback row turned raker
    // Every level a raker as the window turns one: the kind alone, the angle held to 18.7..45
    // degrees (0: the levels kept).
    double Raker = 0;
    int FootFrom = 0;    // the levels from this one on (B = 1) 1 ft | 0.3 m below the one above
    bool German = false; // drawn under a comma locale
    std::string Name() const {
        const std::string foot = FootFrom ? "_1ft_from_" + std::string(1, char('A' + FootFrom)) : "";
        if (New)
            return std::string(Units ? "si" : "english") + "_new_" + std::to_string(Levels) + "_levels" + foot + "_" +
                   kSizes[Size].Name;
        if (Raker != 0)
            return std::string(Units ? "si" : "english") + (German ? "_german" : "") + "_demo_rakers_" +
                   std::to_string(int(Raker * 10)) + (Levels ? "_" + std::to_string(Levels) + "_levels" : "") +
                   foot + "_" + kSizes[Size].Name;
        return std::string(Units ? "si" : "english") + "_" + Pile.Name + "_" + kFitNames[int(Fitting)] + "_" +
               (Support != lkTieback ? kSupportNames[Support] + std::string(Flattest ? "_flattest_" : "_") : "") +
               (Levels ? std::to_string(Levels) + "_levels" + foot + "_" : "") + kSizes[Size].Name;
    }
};

std::vector<SweepCase> SweepCases() {
    std::vector<SweepCase> out;
    for (int units = 0; units < 2; ++units)
        for (int size = 0; size < int(std::size(kSizes)); ++size) {
            if (kSizes[size].Piles)
                for (const SweepPile& p : kPiles)
                    for (const Fit fit : {Fit::Demo, Fit::Smallest, Fit::Deepest})
                        if (fit != Fit::Deepest || p.Section != psRebarCage) out.push_back({units, p, fit, size});
            if (!kSizes[size].CrossSection) continue;
            const SweepCase demo{units, kPiles[0], Fit::Demo, size};
            auto with = [&](auto change) {
                SweepCase c = demo;
                change(c);
                out.push_back(c);
            };
            for (const int support : {lkTieRod, lkStrut, lkRaker})
                with([&](SweepCase& c) { c.Support = support; });
            with([](SweepCase& c) { c.Support = lkRaker, c.Flattest = true; });
            with([](SweepCase& c) { c.Levels = 8; });
            with([](SweepCase& c) { c.Levels = 4, c.FootFrom = 1; });
            with([](SweepCase& c) { c.Levels = 4, c.New = true; });
            with([](SweepCase& c) { c.Levels = 4, c.New = true, c.FootFrom = 2; });
            for (const double angle : {18.7, 45.0})
                with([&](SweepCase& c) { c.Raker = angle, c.German = c.Units == usSI; });
        }
    return out;
}

void PrintTo(const SweepCase& c, std::ostream* os) {
    *os << c.Name();
}

// The levels from `from` on one foot (0.3 m) below the one above.
void OneFootApart(TKdData& d, int from) {
    if (from > 0)
        for (int i = from; i < d.Anchors.UsedLevels(); ++i)
            d.Anchors.Levels[i].HeightFromPrevious = d.Units == usSI ? 0.3L : 1.0L;
}

TKdData SweepProject(const SweepCase& c) {
    TKdData d = DemoProject(c.Units);
    if (c.New) { // File > New with the built-in defaults, in the unit system, then more levels
        d.NewProject(true);
        d.SetUnits(uint8_t(c.Units));
        d.Anchors.LevelCount = c.Levels;
        d.ResizeAnchorLevels();
        OneFootApart(d, c.FootFrom);
        d.Calculate();
        return d;
    }
    if (c.Levels) {
        d.Anchors.LevelCount = c.Levels;
        d.ResizeAnchorLevels();
    }
    OneFootApart(d, c.FootFrom);
    if (c.Raker != 0) {
        for (int i = 0; i < d.Anchors.UsedLevels(); ++i) {
            d.Anchors.Levels[i].Kind = lkRaker;
            d.Anchors.Levels[i].Angle = Ext(c.Raker);
        }
        d.Calculate();
        return d;
    }
    FitPile(d, c.Pile.Type, c.Pile.Section, c.Pile.Installation,
            c.Fitting == Fit::Smallest  ? PileFit::Smallest
            : c.Fitting == Fit::Deepest ? PileFit::Deepest
                                        : PileFit::Demo);
    if (c.Support == lkTieRod) {
        for (TAnchLevel& l : d.Anchors.Levels)
            l.Kind = lkTieRod;
        d.Anchors.Levels[1].TieRodAnchorage = 1;
    } else if (c.Support != lkTieback) {
        MakeBraced(d, c.Support);
        if (c.Flattest)
            for (TAnchLevel& l : d.Anchors.Levels)
                l.Angle = 18.7L;
    }
    // The clear cover within its limits: 2 in | 50 mm up to a third of the pier.
    d.ClearCover =
        std::clamp(d.ClearCover, d.UnitVal(50.0L, 2.0L),
                   std::max(d.UnitVal(50.0L, 2.0L), d.TributaryWidth() * d.UnitVal(1000.0L, 12.0L) / 3));
    d.Calculate();
    return d;
}

// The box of a recorded text's glyphs on the picture, its padding blanks left out.
QRect UnturnedInk(const TTextRecord& t) {
    QFont font(t.Family);
    font.setPixelSize(t.PixelSize);
    font.setBold(t.Bold);
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics fm(font);
    const QString trimmed = t.Text.trimmed();
    const int lead = fm.horizontalAdvance(t.Text.left(t.Text.indexOf(trimmed)));
    return fm.tightBoundingRect(trimmed).translated(lead, fm.ascent());
}

// The glyph box of a text turned to a slant (written along a slanting line), grown by `grow`, as
// it lies on the picture; empty for a text upright or turned a quarter.
QPolygonF InkShape(const TTextRecord& t, double grow = 0) {
    if (t.Angle % 90 == 0) return {};
    const QRectF ink = QRectF(UnturnedInk(t)).adjusted(-grow, -grow, grow, grow);
    const double a = t.Angle * std::numbers::pi / 180;
    const QPointF d(std::cos(a), -std::sin(a)), e(std::sin(a), std::cos(a)), o(t.X, t.Y);
    QPolygonF shape;
    for (const QPointF& k : {ink.topLeft(), ink.topRight(), ink.bottomRight(), ink.bottomLeft()})
        shape << o + k.x() * d + k.y() * e;
    return shape;
}

QRect InkBox(const TTextRecord& t) {
    const QRect ink = UnturnedInk(t);
    // A turned text runs upwards from its reference point.
    if (t.Angle == 90)
        return QRect(QPoint(t.X + ink.top(), t.Y - ink.right()),
                     QPoint(t.X + ink.bottom(), t.Y - ink.left()));
    // Of a slanting text, the box about its turned glyph box.
    if (t.Angle % 90 != 0) return InkShape(t).boundingRect().toAlignedRect();
    return ink.translated(t.X, t.Y);
}

// Whether a stroke's pixels come into a box: its centre line walked pixel by pixel, widened by
// half its pen.
// Of a slanting text, the pixels are read by their middles in its turned glyph box.
bool Crosses(const TSegmentRecord& s, const QRect& box, const TTextRecord* text = nullptr) {
    const int half = s.Width / 2;
    const QRect wide = box.adjusted(-half, -half, half, half);
    const QPolygonF shape = text ? InkShape(*text, half) : QPolygonF();
    const QPoint a = s.Line.p1(), b = s.Line.p2();
    const int n = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
    for (int i = 0; i <= n; ++i) {
        const double t = n ? double(i) / n : 0;
        const QPoint p(int(std::lround(a.x() + t * (b.x() - a.x()))), int(std::lround(a.y() + t * (b.y() - a.y()))));
        if (shape.isEmpty() ? wide.contains(p) : shape.containsPoint(QPointF(p) + QPointF(0.5, 0.5), Qt::OddEvenFill))
            return true;
    }
    return false;
}

// WCAG relative luminance and contrast ratio.
double Luminance(TColor c) {
    auto lin = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(RedOf(c)) + 0.7152 * lin(GreenOf(c)) + 0.0722 * lin(BlueOf(c));
}
double Contrast(TColor a, TColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colours under a text's glyph box but off its glyphs, with their pixel counts: the text is
// drawn again alone to tell its glyphs from what lies under them.
std::map<TColor, int> Background(const Rendered& r, const TTextRecord& t, const QRect& box) {
    QImage glyphs(box.size(), QImage::Format_RGB32);
    glyphs.fill(Qt::white);
    {
        QPainter p(&glyphs);
        QFont font(t.Family);
        font.setPixelSize(t.PixelSize);
        font.setBold(t.Bold);
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        p.setPen(Qt::black);
        p.translate(t.X - box.left(), t.Y - box.top());
        p.rotate(-t.Angle);
        p.drawText(QPoint(0, QFontMetrics(font).ascent()), t.Text);
    }
    std::map<TColor, int> under;
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x)
            if (glyphs.pixel(x, y) == qRgb(255, 255, 255)) ++under[r.Pixel(box.left() + x, box.top() + y)];
    return under;
}

class DiagramDraw_LabelSweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(DiagramDraw_LabelSweep, LabelsClearOfOneAnotherAndOfTheSteel) {
    const SweepCase& c = GetParam();
    const QLocale saved;
    if (c.German) QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const TKdData d = SweepProject(c);
    const struct Restore {
        QLocale locale;
        ~Restore() { QLocale::setDefault(locale); }
    } restore{saved};
    for (const int kind : {int(dkPilePlanView), int(dkCrossSection)}) {
        if (kind == dkCrossSection ? !kSizes[c.Size].CrossSection
                                   : c.New || c.Levels || c.Raker != 0 || !kSizes[c.Size].Piles)
            continue;
        SCOPED_TRACE(kind == dkPilePlanView ? "plan view" : "cross section");
        const Rendered r = Render(d, kind, kSizes[c.Size].Size);
        ASSERT_FALSE(r.Texts.empty());
        if (c.Fitting == Fit::Smallest || (c.Pile.Type == ptSoldierBeam && c.Fitting == Fit::Demo &&
                                           c.Pile.Installation == 0 && c.Pile.Section == psIBeam)) {
            const QString folder = QString(VANTREL_BINARY_DIR) + "/labels";
            ASSERT_TRUE(QDir().mkpath(folder));
            r.Image.save(QString("%1/%2_%3.png")
                             .arg(folder, kind == dkPilePlanView ? "plan" : "cross",
                                  QString::fromStdString(c.Name())));
        }
        const QRect picture = r.Image.rect();
        // The pile's column in the cross section.
        const QRect pile =
            kind != dkCrossSection
                ? QRect()
                : QRect(QPoint(int(std::min(r.Value("xL"), r.Value("xL2"))), int(r.Value("yTop"))),
                        QPoint(int(std::max(r.Value("xR"), r.Value("xR2"))) - 1, int(r.Value("yTip"))));
        std::vector<std::tuple<QString, QRect, const TTextRecord*>> drawn;
        for (const TTextRecord& t : r.Texts) {
            if (t.Text.trimmed().isEmpty()) continue;
            const QRect box = InkBox(t);
            const std::string text = '"' + t.Text.trimmed().toStdString() + '"';
            EXPECT_TRUE(picture.contains(box)) << text << " outside the picture";
            for (const auto& [other, at, of] : drawn) {
                // A slanting text is read by its turned glyph box.
                const QPolygonF mine = InkShape(t), theirs = InkShape(*of);
                const bool meet = mine.isEmpty() && theirs.isEmpty()
                                      ? at.intersects(box)
                                      : (mine.isEmpty() ? QPolygonF(QRectF(box)) : mine)
                                            .intersects(theirs.isEmpty() ? QPolygonF(QRectF(at)) : theirs);
                EXPECT_FALSE(meet) << text << " on \"" << other.toStdString() << '"';
            }
            int steel = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    steel += r.Pixel(x, y) == kSteel || r.Pixel(x, y) == kTies;
            EXPECT_EQ(steel, 0) << text << " on the steel";
            drawn.emplace_back(t.Text.trimmed(), box, &t);
            for (const TSegmentRecord& l : r.Segments) {
                if (l.Tag != 0 && l.Tag == t.Tag) continue;
                EXPECT_FALSE(Crosses(l, box, &t)) << text << " under the line " << l.Line.x1() << ','
                                              << l.Line.y1() << " - " << l.Line.x2() << ',' << l.Line.y2();
            }
            if (kind == dkCrossSection) {
                EXPECT_FALSE(pile.intersects(box)) << text << " on the pile";
                continue;
            }
            // Every colour under a tenth or more of the text's background reads against it at 3:1.
            const std::map<TColor, int> under = Background(r, t, box);
            int total = 0;
            for (const auto& [colour, n] : under)
                total += n;
            for (const auto& [colour, n] : under)
                if (10 * n >= total) {
                    EXPECT_GE(Contrast(t.Color, colour), 3.0)
                        << text << " in " << std::hex << t.Color << " on " << colour << std::dec;
                }
        }
        if (kind != dkPilePlanView || c.Pile.Type == ptSheet) continue;
        // The pier spacing's value stands by its dimension line: along the row's centre line, or
        // below the row where the piers touch or overlap.
        const TTextRecord* spacing =
            r.Text(TDiagramDraw::FormatValue(double(d.PileSpacing), 2, c.Units == usSI ? "m" : "ft"));
        ASSERT_NE(spacing, nullptr);
        const QRect at = InkBox(*spacing);
        const double yr = r.Value("SpacingLine"), fs = r.Value("FontSize");
        EXPECT_LE(std::max(at.top() - yr, yr - at.bottom()), fs / 2) << "spacing value off its line";
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

// The cell of a recorded text, its advance by its font's height, turned with it.
QRect Cell(const TTextRecord& t) {
    QFont font(t.Family);
    font.setPixelSize(t.PixelSize);
    font.setBold(t.Bold);
    const QFontMetrics fm(font);
    const QRect cell(0, 0, fm.horizontalAdvance(t.Text), fm.height());
    if (t.Angle == 90) return QRect(QPoint(t.X, t.Y - cell.right()), QPoint(t.X + cell.bottom(), t.Y));
    return cell.translated(t.X, t.Y);
}

// Every label of a drawing step (a dimension, an angle, a level's tick) stands within a label
// height of the strokes of its step: its dimension line, arc or tick, or the leader it was given
// when it had to move farther; and on the side of the pile where they are. The lines of a text
// of two lines count as one label.
TEST_P(DiagramDraw_LabelSweep, LabelsStandByWhatTheyLabel) {
    const SweepCase& c = GetParam();
    if (!kSizes[c.Size].CrossSection) return;
    const QLocale saved;
    if (c.German) QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const TKdData d = SweepProject(c);
    const Rendered r = Render(d, dkCrossSection, kSizes[c.Size].Size);
    QLocale::setDefault(saved);
    const int pileLeft = int(std::min(r.Value("xL"), r.Value("xL2")));
    const int pileRight = int(std::max(r.Value("xR"), r.Value("xR2"))) - 1;
    std::map<int, std::pair<std::string, QRect>> labels; // by tag
    for (const TTextRecord& t : r.Texts)
        if (!t.Text.trimmed().isEmpty() && t.Tag != 0) {
            auto& [text, box] = labels[t.Tag];
            text += (text.empty() ? "\"" : " ") + t.Text.trimmed().toStdString();
            box |= Cell(t);
        }
    for (auto& [tag, label] : labels) {
        const auto& [text, box] = label;
        // The distance from the cell to the nearest pixel of a stroke of its step, walked along
        // each stroke's centre line.
        double nearest = 1e9;
        int left = INT_MAX, right = INT_MIN, reach = 0;
        for (const TTextRecord& t : r.Texts)
            if (t.Tag == tag) {
                QFont font(t.Family);
                font.setPixelSize(t.PixelSize);
                reach = QFontMetrics(font).height();
            }
        for (const TSegmentRecord& s : r.Segments) {
            if (s.Tag != tag) continue;
            const QPoint a = s.Line.p1(), b = s.Line.p2();
            left = std::min({left, a.x(), b.x()}), right = std::max({right, a.x(), b.x()});
            const int n = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
            for (int i = 0; i <= n; ++i) {
                const double x = a.x() + (n ? double(i) / n : 0) * (b.x() - a.x());
                const double y = a.y() + (n ? double(i) / n : 0) * (b.y() - a.y());
                const double dx = std::max({box.left() - x, 0.0, x - box.right()});
                const double dy = std::max({box.top() - y, 0.0, y - box.bottom()});
                nearest = std::min(nearest, std::hypot(dx, dy) - s.Width / 2);
            }
        }
        if (left > right) continue; // a label of no step
        EXPECT_LE(nearest, reach) << text << "\" at " << box.x() << ',' << box.y() << " away from what it labels";
        if (right < pileLeft) {
            EXPECT_LT(box.right(), pileLeft) << text << "\" across the pile from its line";
        }
        if (left > pileRight) {
            EXPECT_GT(box.left(), pileRight) << text << "\" across the pile from its line";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Drawings, DiagramDraw_LabelSweep, ::testing::ValuesIn(SweepCases()),
                         [](const auto& info) { return info.param.Name(); });

} // namespace
} // namespace vantrel
