#include "LabelRules.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

namespace vantrel::testing_drawing {
namespace {

// --- The allowances, in one place ------------------------------------------------------------
// Lines: what does not count as a line crossing a label:
// - a dimension value's own dimension line and arrows (the strokes of its drawing step, which the
//   canvas tags alike);
// - an angle value's own arc;
// - the leader drawn to a moved label (a bent one's two pieces); in the plan view, a
//   leader-coloured stroke that ends at the label (the rebar labels draw their own leaders from
//   their box);
// - a stroke that ends where the label's subject is (the point its leader would end at): a level
//   letter's tick, the reference line that "Excav." over "Bottom" names;
// - hatching (one-pixel diagonals of a hatch colour) and the inside of filled areas: a label may
//   stand on the soil or in the pier, not on their outlines (in the plan view the concrete is a
//   fill wherever it shows);
// - a line touching the cell's edge by a pixel, as a neighbour's cell may.
// An angle's base line, though drawn in the angle's step, is not the value's own: a value on it
// reads as a value of the line.
// Nearness: where its drawing asked for a label counts as near what it labels (the drawing lays it
// out by its subject), except for an angle's value, which stands by its arc alone; and so do the
// strokes the drawing says it stands by; a text of two lines is
// near when either line is. A place passed over by a label led away counts as clear only with a
// line unit of white about it from labels, and a pixel more from lines, as the placement keeps them
// (a stroke's pen rounded up). The pier spacing's value in
// the plan view is drawn apart from its dimension line: it is judged against that line instead.
constexpr TColor kLeaderColour = 0x0000FF;
constexpr TColor kHatches[] = {0x0002CBE8, 0x005EA3FF};

// A cell turned to a slant: from its corner O, W along D (the text's reading direction) and H
// along E (its downward direction); pixels are read by their middles.
struct Slant {
    QPointF O, D, E;
    double W = 0, H = 0;
    std::array<QPointF, 4> Corners(double grow = 0) const {
        return {O - grow * D - grow * E, O + (W + grow) * D - grow * E, O + (W + grow) * D + (H + grow) * E,
                O - grow * D + (H + grow) * E};
    }
    // Whether the middle of pixel (x, y) lies in the cell shrunk by `in`.
    bool Holds(int x, int y, double in = 0) const {
        const QPointF c(x + 0.5 - O.x(), y + 0.5 - O.y());
        const double u = c.x() * D.x() + c.y() * D.y(), v = c.x() * E.x() + c.y() * E.y();
        return u >= in && u <= W - in && v >= in && v <= H - in;
    }
    double Distance(QPointF p) const {
        const QPointF c = p - O;
        const double u = c.x() * D.x() + c.y() * D.y(), v = c.x() * E.x() + c.y() * E.y();
        return std::hypot(std::max({-u, 0.0, u - W}), std::max({-v, 0.0, v - H}));
    }
};

std::array<QPointF, 4> CornersOf(const QRect& r) {
    return {QPointF(r.left(), r.top()), QPointF(r.right() + 1, r.top()),
            QPointF(r.right() + 1, r.bottom() + 1), QPointF(r.left(), r.bottom() + 1)};
}

// How deep two convex shapes (an upright one's corners, or a slant's) overlap: the least overlap of
// their shadows on the axes of their sides; not above 0 when they are apart.
double Depth(const std::array<QPointF, 4>& a, const std::array<QPointF, 4>& b) {
    double depth = 1e300;
    for (const auto* shape : {&a, &b})
        for (int i = 0; i < 2; ++i) {
            const QPointF side = (*shape)[size_t(i + 1)] - (*shape)[size_t(i)];
            const double n = std::hypot(side.x(), side.y());
            if (n < 1e-9) continue;
            const QPointF axis(side.x() / n, side.y() / n);
            auto shadow = [&](const std::array<QPointF, 4>& s) {
                double lo = 1e300, hi = -1e300;
                for (const QPointF& k : s)
                    lo = std::min(lo, k.x() * axis.x() + k.y() * axis.y()),
                    hi = std::max(hi, k.x() * axis.x() + k.y() * axis.y());
                return std::pair{lo, hi};
            };
            const auto [a0, a1] = shadow(a);
            const auto [b0, b1] = shadow(b);
            depth = std::min(depth, std::min(a1, b1) - std::max(a0, b0));
        }
    return depth;
}

struct Label {
    QString Text; // the texts of its pieces, joined
    QRect Cell;   // advance by font height, its blanks left out; of a slanting text, the box of its cell
    std::optional<Slant> Slanted; // the cell of a text turned other than upright or a quarter
    QRect Ink;                    // the box of its glyphs
    int Height = 0;               // the font's height: a label height
    int Tag = 0;
    const TPlacedLabel* Placed = nullptr;
    std::vector<const TTextRecord*> Pieces;
};

QFont FontOf(const TTextRecord& t) {
    QFont font(t.Family);
    font.setPixelSize(t.PixelSize);
    font.setBold(t.Bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// A box given from the top-left of the unturned cell, on the picture (of a slanting text, the box
// that holds it turned).
QRect Turned(const TTextRecord& t, const QRect& r) {
    if (t.Angle == 90)
        return QRect(QPoint(t.X + r.top(), t.Y - r.right()), QPoint(t.X + r.bottom(), t.Y - r.left()));
    if (t.Angle % 90 != 0) {
        const double a = t.Angle * 3.14159265358979323846 / 180;
        const QPointF d(std::cos(a), -std::sin(a)), e(std::sin(a), std::cos(a)), o(t.X, t.Y);
        double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
        for (const QPointF& k : CornersOf(r)) {
            const QPointF c = o + k.x() * d + k.y() * e;
            x0 = std::min(x0, c.x()), x1 = std::max(x1, c.x()), y0 = std::min(y0, c.y()),
            y1 = std::max(y1, c.y());
        }
        return QRect(QPoint(int(std::floor(x0)), int(std::floor(y0))),
                     QPoint(int(std::ceil(x1)) - 1, int(std::ceil(y1)) - 1));
    }
    return r.translated(t.X, t.Y);
}

std::optional<Slant> SlantOf(const TTextRecord& t) {
    if (t.Angle % 90 == 0) return std::nullopt;
    const QFontMetrics fm(FontOf(t));
    const QString trimmed = t.Text.trimmed();
    const int lead = fm.horizontalAdvance(t.Text.left(t.Text.indexOf(trimmed)));
    const double a = t.Angle * 3.14159265358979323846 / 180;
    const QPointF d(std::cos(a), -std::sin(a)), e(std::sin(a), std::cos(a));
    return Slant{QPointF(t.X, t.Y) + lead * d, d, e, double(fm.horizontalAdvance(trimmed)),
                 double(fm.height())};
}

QRect CellOf(const TTextRecord& t) {
    const QFontMetrics fm(FontOf(t));
    const QString trimmed = t.Text.trimmed();
    const int lead = fm.horizontalAdvance(t.Text.left(t.Text.indexOf(trimmed)));
    return Turned(t, QRect(lead, 0, fm.horizontalAdvance(trimmed), fm.height()));
}

QRect InkOf(const TTextRecord& t) {
    const QFontMetrics fm(FontOf(t));
    const QString trimmed = t.Text.trimmed();
    const int lead = fm.horizontalAdvance(t.Text.left(t.Text.indexOf(trimmed)));
    return Turned(t, fm.tightBoundingRect(trimmed).translated(lead, fm.ascent()));
}

// A label's cell as corners; whether it overlaps `r` deeper than `depth`; its distance to a point
// and to a line.
std::array<QPointF, 4> CornersOf(const Label& l) {
    return l.Slanted ? l.Slanted->Corners() : CornersOf(l.Cell);
}

bool Overlaps(const Label& l, const QRect& r, double depth) {
    return Depth(CornersOf(l), CornersOf(r)) > depth;
}

std::string Quoted(const QString& s) {
    return '"' + s.trimmed().toStdString() + '"';
}

std::string Where(const QRect& r) {
    std::ostringstream os;
    os << '(' << r.left() << ',' << r.top() << ' ' << r.width() << 'x' << r.height() << ')';
    return os.str();
}

double Distance(const QRect& r, QPointF p) {
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return std::hypot(dx, dy);
}

double Distance(const QRect& a, const QRect& b) {
    const int dx = std::max({a.left() - b.right(), 0, b.left() - a.right()});
    const int dy = std::max({a.top() - b.bottom(), 0, b.top() - a.bottom()});
    return std::hypot(dx, dy);
}

// The least of `distance` over the points of `l`, a pixel apart.
template <typename F> double LeastAlong(const QLine& l, F distance) {
    const int n = std::max({std::abs(l.dx()), std::abs(l.dy()), 1});
    double best = 1e300;
    for (int i = 0; i <= n; ++i)
        best = std::min(best,
                        distance(QPointF(l.x1() + double(i) * l.dx() / n, l.y1() + double(i) * l.dy() / n)));
    return best;
}

double Distance(const QRect& r, const QLine& l) {
    return LeastAlong(l, [&](QPointF p) { return Distance(r, p); });
}

double Distance(const Label& l, QPointF p) {
    return l.Slanted ? l.Slanted->Distance(p) : Distance(l.Cell, p);
}

double Distance(const Label& l, const QLine& s) {
    if (!l.Slanted) return Distance(l.Cell, s);
    return LeastAlong(s, [&](QPointF p) { return Distance(l, p); });
}

double Distance(const Label& l, const QRect& r) {
    if (!l.Slanted) return Distance(l.Cell, r);
    if (Overlaps(l, r, 0)) return 0;
    double best = 1e300;
    for (const QLine& side : {QLine(r.topLeft(), r.topRight()), QLine(r.topRight(), r.bottomRight()),
                              QLine(r.bottomRight(), r.bottomLeft()), QLine(r.bottomLeft(), r.topLeft())})
        best = std::min(best, Distance(l, side));
    return best;
}

// A dimension's value stands by one stroke, its dimension line; an angle's value by the chords of
// its arc.
bool IsDimension(const TPlacedLabel& p) {
    return p.Value && p.Target.size() == 1;
}

// The box of the circle an angle's arc lies on: the circle through the ends and the middle of its
// chords; empty for any other label.
QRect ArcCircle(const TPlacedLabel& p) {
    if (!p.Value || p.Target.size() != 2) return {};
    const QPointF a = p.Target[0].p1(), b = p.Target[0].p2(), c = p.Target[1].p2();
    const double d = 2 * (a.x() * (b.y() - c.y()) + b.x() * (c.y() - a.y()) + c.x() * (a.y() - b.y()));
    if (std::abs(d) < 1e-9) return {};
    auto sq = [](QPointF q) { return q.x() * q.x() + q.y() * q.y(); };
    const QPointF centre((sq(a) * (b.y() - c.y()) + sq(b) * (c.y() - a.y()) + sq(c) * (a.y() - b.y())) / d,
                         (sq(a) * (c.x() - b.x()) + sq(b) * (a.x() - c.x()) + sq(c) * (b.x() - a.x())) / d);
    const double r = std::hypot(a.x() - centre.x(), a.y() - centre.y());
    return QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r).toRect();
}

bool SameLine(const QLine& a, const QLine& b) {
    return (a.p1() == b.p1() && a.p2() == b.p2()) || (a.p1() == b.p2() && a.p2() == b.p1());
}

// Whether `s` is a piece of the leader drawn to `p` (a bent one has two).
bool LeaderPiece(const QLine& s, const TPlacedLabel& p) {
    return (!p.Leader.isNull() && SameLine(s, p.Leader)) || (!p.Bend.isNull() && SameLine(s, p.Bend));
}

TColor At(const QImage& image, int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return clWhite;
    return FromQRgb(image.pixel(x, y));
}

// Whether the bare picture's pixel belongs to a line or an arc: not white, not hatching, and thin
// across in some direction (at most `thin` pixels of its colour), where a filled area is wide in
// every direction.
bool LinePixel(const QImage& bare, int x, int y, int thin) {
    const TColor c = At(bare, x, y);
    if (c == clWhite) return false;
    if (std::find(std::begin(kHatches), std::end(kHatches), c) != std::end(kHatches) &&
        At(bare, x - 1, y) != c && At(bare, x + 1, y) != c && At(bare, x, y - 1) != c &&
        At(bare, x, y + 1) != c)
        return false;
    for (const QPoint step : {QPoint(1, 0), QPoint(0, 1), QPoint(1, 1), QPoint(1, -1)}) {
        int run = 1;
        for (const int sign : {1, -1})
            for (QPoint p = QPoint(x, y) + sign * step; run <= thin && At(bare, p.x(), p.y()) == c;
                 p += sign * step)
                ++run;
        if (run <= thin) return true;
    }
    return false;
}

// The texts drawn as labels: the pieces of one label (a raised exponent is drawn apart) are the
// texts that one placed label's box holds.
std::vector<Label> Labels(const std::vector<TTextRecord>& texts, const TDiagramLayout& layout) {
    std::vector<Label> labels;
    std::vector<int> byPlaced(layout.Placed.size(), -1);
    for (const TTextRecord& t : texts) {
        if (t.Text.trimmed().isEmpty()) continue;
        const QRect ink = InkOf(t);
        int owner = -1;
        double nearest = 1e300;
        for (size_t i = 0; i < layout.Placed.size(); ++i) {
            const TPlacedLabel& p = layout.Placed[i];
            const QRect at = p.Asked.translated(p.Shift).adjusted(-2, -2, 2, 2);
            if (!at.contains(ink)) continue;
            const QPointF d = QPointF(at.center() - ink.center());
            const double far = std::hypot(d.x(), d.y());
            if (far < nearest) nearest = far, owner = int(i);
        }
        if (owner >= 0 && byPlaced[size_t(owner)] >= 0 &&
            labels[size_t(byPlaced[size_t(owner)])].Tag == t.Tag) {
            Label& l = labels[size_t(byPlaced[size_t(owner)])];
            l.Text += t.Text.trimmed();
            l.Cell = l.Cell.united(CellOf(t));
            l.Ink = l.Ink.united(ink);
            l.Pieces.push_back(&t);
            continue;
        }
        Label l{t.Text.trimmed(),
                CellOf(t),
                SlantOf(t),
                ink,
                QFontMetrics(FontOf(t)).height(),
                t.Tag,
                owner >= 0 ? &layout.Placed[size_t(owner)] : nullptr,
                {&t}};
        if (owner >= 0) byPlaced[size_t(owner)] = int(labels.size());
        labels.push_back(l);
    }
    return labels;
}

// The strokes about a label within `area` of the picture: its own, each widened by a pixel on
// either side (black on white in Own), and those of every other step at their pens, in their colours
// (in Other): a line of another step lying along or across its own is not its own for being there,
// nor is another label's leader or tick for ending where this label's subject is, and a stroke drawn
// wider than a line is read as one where it shows.
constexpr QRgb kNoInk = qRgb(1, 2, 3);
struct Strokes {
    QImage Own, Other;
};
Strokes StrokesAbout(const QRect& area, const std::vector<TSegmentRecord>& segments, const Label& l,
                     const std::vector<TPlacedLabel>& placed, bool planView) {
    Strokes ink{QImage(area.size(), QImage::Format_RGB32), QImage(area.size(), QImage::Format_RGB32)};
    ink.Own.fill(Qt::white);
    ink.Other.fill(kNoInk);
    QPainter own(&ink.Own), other(&ink.Other);
    own.translate(-area.topLeft());
    other.translate(-area.topLeft());
    for (const TSegmentRecord& s : segments) {
        const QRect span = QRect(s.Line.p1(), s.Line.p2()).normalized();
        if (!area.intersects(span.adjusted(-s.Width - 2, -s.Width - 2, s.Width + 2, s.Width + 2))) continue;
        const TPlacedLabel* p = l.Placed;
        // A stroke ending at the subject is its own unless another step drew it or it leads to
        // another label.
        const bool atSubject =
            p && (s.Line.p1() == p->Anchor || s.Line.p2() == p->Anchor) && (s.Tag == 0 || s.Tag == l.Tag) &&
            std::none_of(placed.begin(), placed.end(),
                         [&](const TPlacedLabel& o) { return &o != p && LeaderPiece(s.Line, o); });
        const bool step =
            p && ((IsDimension(*p) && l.Tag != 0 && s.Tag == l.Tag) || LeaderPiece(s.Line, *p) || atSubject);
        const bool leader =
            planView && s.Color == kLeaderColour &&
            (Distance(l.Cell, QPointF(s.Line.p1())) <= 2 || Distance(l.Cell, QPointF(s.Line.p2())) <= 2);
        if (step || leader) {
            own.setPen(QPen(Qt::black, s.Width + 2, Qt::SolidLine, Qt::RoundCap));
            own.drawLine(s.Line);
        } else if (s.Tag == 0 || s.Tag != l.Tag) {
            // (A stroke of its own step that is not its own, as an angle's base line, is read from
            // the picture alone.)
            other.setPen(QPen(ToQColor(s.Color), s.Width, Qt::SolidLine, Qt::RoundCap));
            other.drawLine(s.Line);
        }
    }
    if (l.Placed && !ArcCircle(*l.Placed).isEmpty()) { // the whole circle: only its arc is drawn
        own.setPen(QPen(Qt::black, 5));
        own.drawEllipse(ArcCircle(*l.Placed));
    }
    return ink;
}

} // namespace

std::vector<LabelFault> JudgeLabels(const TKdData& d, int kind, QSize size, JudgedDrawing* drawn) {
    std::vector<LabelFault> faults;
    TDiagramLayout layout;
    std::vector<TTextRecord> texts;
    std::vector<TSegmentRecord> segments;
    QImage picture, bare;
    {
        ScopedTextRecorder recorder;
        picture = RenderDiagram(d, kind, size, nullptr, nullptr, &layout);
        texts = recorder.Texts();
        segments = recorder.Segments();
    }
    {
        ScopedTextRecorder recorder;
        const bool hidden = TCanvas::SetTextsHidden(true);
        bare = RenderDiagram(d, kind, size);
        TCanvas::SetTextsHidden(hidden);
        // Labels are placed by what is recorded, not by what is painted: the texts stand where
        // they stood.
        bool same = recorder.Texts().size() == texts.size();
        for (size_t i = 0; same && i < texts.size(); ++i)
            same = recorder.Texts()[i].X == texts[i].X && recorder.Texts()[i].Y == texts[i].Y;
        if (!same) faults.push_back({"checker", "the texts moved when drawn unpainted"});
    }
    if (drawn) *drawn = {picture, layout};
    const bool plan = kind == dkPilePlanView, cross = kind == dkCrossSection;
    const std::vector<Label> labels = Labels(texts, layout);
    const QRect frame = picture.rect();
    // The widest stroke a drawing makes (a tendon's bond zone) is some line units across.
    const int unit = std::max(1, int(std::lround(std::min(size.width(), size.height()) / 700.0)));
    const int thin = 8 * unit;
    // The pile's column in the cross section.
    const QRect pile =
        !cross || !layout.Has("xL")
            ? QRect()
            : QRect(QPoint(int(std::min(layout.Value("xL"), layout.Value("xL2"))), int(layout.Value("yTop"))),
                    QPoint(int(std::max(layout.Value("xR"), layout.Value("xR2"))) - 1,
                           int(layout.Value("yTip"))));
    auto fault = [&](const char* rule, const Label& l, const std::string& more) {
        faults.push_back({rule, Quoted(l.Text) + ' ' + Where(l.Cell) + ' ' + more});
    };

    // Texts of two lines: the lower right under the upper, their left edges aligned; the two are
    // near what they label when either is.
    static const std::pair<const char*, const char*> kTwoLines[] = {
        {"Excav.", "Top"}, {"Excav.", "Bottom"}, {"Pile", "Tip"}};
    std::map<const TTextRecord*, const TTextRecord*> partner;
    for (size_t i = 0; i + 1 < texts.size(); ++i)
        for (const auto& [upper, lower] : kTwoLines)
            if (texts[i].Text == upper && texts[i + 1].Text == lower) {
                const TTextRecord &a = texts[i], &b = texts[i + 1];
                partner[&a] = &b, partner[&b] = &a;
                const int h = QFontMetrics(FontOf(a)).height();
                const int dy = b.Y - a.Y;
                if (std::abs(b.X - a.X) > 1 || dy < h * 3 / 4 || dy > 3 * h / 2) {
                    std::ostringstream os;
                    os << '"' << upper << "\" at " << a.X << ',' << a.Y << " over \"" << lower << "\" at "
                       << b.X << ',' << b.Y;
                    faults.push_back({"two lines", os.str()});
                }
            }

    // The pier spacing's value (see the allowances).
    const QString spacing =
        plan && d.PileType != ptSheet
            ? TDiagramDraw::FormatValue(double(d.PileSpacing), 2, d.Units == usSI ? "m" : "ft")
            : QString();
    if (std::getenv("VANTREL_LABEL_DEBUG"))
        for (const Label& l : labels) {
            std::cout << Quoted(l.Text) << ' ' << Where(l.Cell) << " tag " << l.Tag;
            if (l.Placed)
                std::cout << " asked " << Where(l.Placed->Asked) << " shift " << l.Placed->Shift.x() << ','
                          << l.Placed->Shift.y() << " anchor " << l.Placed->Anchor.x() << ','
                          << l.Placed->Anchor.y() << (IsDimension(*l.Placed) ? " dimension" : "")
                          << (ArcCircle(*l.Placed).isEmpty() ? "" : " angle")
                          << (l.Placed->Leader.isNull() ? "" : " leader")
                          << (l.Placed->Bend.isNull() ? "" : " bent");
            std::cout << '\n';
        }
    for (size_t i = 0; i < labels.size(); ++i) {
        const Label& l = labels[i];
        if (!frame.contains(l.Ink)) fault("outside", l, "reaches out of the picture " + Where(frame));
        for (size_t j = 0; j < i; ++j) {
            const QRect both = l.Cell.intersected(labels[j].Cell);
            // Of a slanting cell, the overlap across its sides.
            if (l.Slanted || labels[j].Slanted ? Depth(CornersOf(l), CornersOf(labels[j])) > 1
                                               : both.width() > 1 && both.height() > 1)
                fault("overlap", l, "on " + Quoted(labels[j].Text) + ' ' + Where(labels[j].Cell));
        }
        // Lines and arcs under the cell, from the pixels of the bare picture; like a neighbour's
        // cell, a line may touch the cell's edge by a pixel.
        // Its own strokes, read where its cell stands and where it was asked for (a label height
        // about each, for the search for a nearer place below).
        const QRect home = l.Placed ? l.Cell.translated(-l.Placed->Shift) : l.Cell;
        const int about = l.Height + 2 * unit + 1;
        const QRect area = l.Cell.united(home)
                               .united(l.Placed ? l.Placed->Asked : QRect())
                               .adjusted(-about, -about, about, about);
        const Strokes ink = StrokesAbout(area, segments, l, layout.Placed, plan);
        // In the plan view the concrete is only ever a fill: a sliver of it squeezed between the
        // steel and an arrow is no line.
        auto foreign = [&](int x, int y) {
            const TColor c = At(bare, x, y);
            if (c == clWhite || (plan && c == kConcrete)) return false;
            const int u = x - area.left(), v = y - area.top();
            if (FromQRgb(ink.Other.pixel(u, v)) == c) return true;
            return ink.Own.pixel(u, v) == qRgb(255, 255, 255) && LinePixel(bare, x, y, thin);
        };
        {
            const QRect inner = l.Cell.adjusted(1, 1, -1, -1);
            int crossing = 0;
            QPoint first;
            for (int y = std::max(0, inner.top()); y <= std::min(bare.height() - 1, inner.bottom()); ++y)
                for (int x = std::max(0, inner.left()); x <= std::min(bare.width() - 1, inner.right()); ++x)
                    if ((!l.Slanted || l.Slanted->Holds(x, y, 1)) && foreign(x, y)) {
                        if (crossing++ == 0) first = QPoint(x, y);
                    }
            if (crossing > 0) {
                std::ostringstream os;
                os << "crossed by " << crossing << " pixels of line, the first at " << first.x() << ','
                   << first.y();
                fault("line", l, os.str());
            }
        }
        // A value set beside its level or plumb line reads across none of its strokes: a plumb
        // line through a level text strikes it through (a value written on its line reads along it).
        auto struck = [&](const QRect& cell) {
            return l.Placed && IsDimension(*l.Placed) && l.Tag != 0 && !l.Slanted &&
                   std::any_of(segments.begin(), segments.end(), [&](const TSegmentRecord& s) {
                       return s.Tag == l.Tag && !LeaderPiece(s.Line, *l.Placed) &&
                              (l.Pieces[0]->Angle == 0 ? s.Line.dx() == 0 && s.Line.dy() != 0
                                                       : s.Line.dy() == 0 && s.Line.dx() != 0) &&
                              LineMeetsRect(s.Line, cell.adjusted(1, 1, -1, -1));
                   });
        };
        if (struck(l.Cell)) fault("line", l, "struck through by its own dimension line");
        if (cross && !pile.isEmpty() && (l.Slanted ? Overlaps(l, pile, 0) : l.Ink.intersects(pile)))
            fault("line", l, "on the pile " + Where(pile));
        int steel = 0;
        for (int y = l.Ink.top(); y <= l.Ink.bottom(); ++y)
            for (int x = l.Ink.left(); x <= l.Ink.right(); ++x)
                steel += (!l.Slanted || l.Slanted->Holds(x, y)) &&
                         (At(bare, x, y) == kSteel || At(bare, x, y) == kTies);
        if (steel > 0) fault("steel", l, "on the steel");
        if (plan) {
            // Every colour under a tenth or more of the glyph box, off the glyphs, reads against the
            // text at 3:1. The text is drawn again alone to tell its glyphs from what lies under them.
            for (const TTextRecord* t : l.Pieces) {
                const QRect box = InkOf(*t);
                QImage glyphs(box.size(), QImage::Format_RGB32);
                glyphs.fill(Qt::white);
                {
                    QPainter painter(&glyphs);
                    painter.setFont(FontOf(*t));
                    painter.setPen(Qt::black);
                    painter.translate(t->X - box.left(), t->Y - box.top());
                    painter.rotate(-t->Angle);
                    painter.drawText(QPoint(0, QFontMetrics(FontOf(*t)).ascent()), t->Text);
                }
                std::map<TColor, int> under;
                int total = 0;
                for (int y = 0; y < box.height(); ++y)
                    for (int x = 0; x < box.width(); ++x)
                        if (glyphs.pixel(x, y) == qRgb(255, 255, 255))
                            ++under[At(picture, box.left() + x, box.top() + y)], ++total;
                for (const auto& [colour, n] : under)
                    if (10 * n >= total && ContrastRatio(t->Color, colour) < kReadable) {
                        std::ostringstream os;
                        os << "in " << std::hex << t->Color << " on " << colour;
                        fault("colour", l, os.str());
                    }
            }
        }
        if (!l.Placed) { // the drawing must say what each label labels, or nearness goes unjudged
            fault("checker", l, "is not among the drawing's placed labels");
            continue;
        }
        if (l.Text == spacing) continue;
        const TPlacedLabel& p = *l.Placed;
        // What it labels: the point the drawing gave, and the strokes of its own step.
        std::vector<QLine> own, measured;
        for (const TSegmentRecord& s : segments)
            if (l.Tag != 0 && s.Tag == l.Tag) {
                own.push_back(s.Line);
                if (!LeaderPiece(s.Line, p)) measured.push_back(s.Line);
            }
        QRect whole = l.Cell;
        if (const auto it = partner.find(l.Pieces[0]); it != partner.end())
            whole = whole.united(CellOf(*it->second));
        // Where its drawing asked for it counts as near: the drawing lays its labels out by what they
        // label. Not so an angle's value: it reads as its arc's only by its arc, and the place asked
        // for beside the arc's end may lie farther from it than a label height.
        const bool angle = !ArcCircle(p).isEmpty();
        const QRect asked = p.Asked.isEmpty() ? QRect(p.Anchor, p.Anchor) : p.Asked;
        double near = angle ? 1e300 : l.Slanted ? Distance(l, asked) : Distance(whole, asked);
        if (!p.Anchor.isNull())
            near = std::min(near,
                            l.Slanted ? Distance(l, QPointF(p.Anchor)) : Distance(whole, QPointF(p.Anchor)));
        for (const QLine& s : own)
            near = std::min(near, l.Slanted ? Distance(l, s) : Distance(whole, s));
        for (const QLine& s : p.Target)
            near = std::min(near, l.Slanted ? Distance(l, s) : Distance(whole, s));
        if (near > l.Height) {
            std::ostringstream os;
            os << std::lround(near) << " px from what it labels at " << p.Anchor.x() << ',' << p.Anchor.y()
               << (p.Leader.isNull() ? ", without a leader" : "");
            fault("nearness", l, os.str());
        }
        // A label led away from where it was asked for must not pass over a clear place within a
        // label height of it: what it covers there (its cell, and the blanks about an opaque value
        // that its box paints over) whole in the picture, off the pile, clear of the other labels'
        // cells and of every line not its own, and a dimension's value by its line.
        if (!p.Leader.isNull()) {
            const int h = l.Height;
            const int margin = 2 * unit; // a line unit of white, the pen's half pixel beyond
            const QRect covers = home.united(p.Asked);
            const QRect region = covers.adjusted(-h - margin, -h - margin, h + margin, h + margin);
            // Foreign line pixels of the region, summed from its top-left corner; a dashed line's
            // gaps are on its path as its dashes are, as the placement keeps labels off it.
            auto onPath = [&](int x, int y) {
                return foreign(x, y) || (At(bare, x, y) == clWhite &&
                                         ink.Other.pixel(x - area.left(), y - area.top()) != kNoInk);
            };
            std::vector<int> sum(size_t(region.width() + 1) * size_t(region.height() + 1), 0);
            const int stride = region.width() + 1;
            for (int y = 0; y < region.height(); ++y)
                for (int x = 0; x < region.width(); ++x)
                    sum[size_t((y + 1) * stride + x + 1)] =
                        sum[size_t(y * stride + x + 1)] + sum[size_t((y + 1) * stride + x)] -
                        sum[size_t(y * stride + x)] + onPath(region.left() + x, region.top() + y);
            auto lines = [&](const QRect& r) { // r within the region
                const int x0 = r.left() - region.left(), y0 = r.top() - region.top();
                const int x1 = r.right() - region.left() + 1, y1 = r.bottom() - region.top() + 1;
                return sum[size_t(y1 * stride + x1)] - sum[size_t(y0 * stride + x1)] -
                       sum[size_t(y1 * stride + x0)] + sum[size_t(y0 * stride + x0)];
            };
            // A place across the pile from what it labels is none for it, as a dimension's value
            // keeps to its line's side: the side of the longest piece it stands by, or of its point.
            int side = 0; // -1 left of the pile, 1 right of it
            if (!pile.isEmpty() && (!p.Target.empty() || !p.Anchor.isNull())) {
                // Its middle as it is, not rounded: one half a pixel off the pile's face is off it.
                QPointF mid = p.Anchor;
                if (!p.Target.empty()) {
                    const QLine longest = *std::max_element(
                        p.Target.begin(), p.Target.end(), [](const QLine& a, const QLine& b) {
                            return std::hypot(a.dx(), a.dy()) < std::hypot(b.dx(), b.dy());
                        });
                    mid = (QPointF(longest.p1()) + QPointF(longest.p2())) / 2;
                }
                if (mid.y() >= pile.top() && mid.y() <= pile.bottom())
                    side = mid.x() < pile.left() ? -1 : mid.x() > pile.right() ? 1 : 0;
            }
            std::optional<QPoint> clear;
            for (int dy = -h; dy <= h && !clear; ++dy)
                for (int dx = -h; dx <= h && !clear; ++dx) {
                    const QRect at = home.translated(dx, dy), cover = covers.translated(dx, dy);
                    if ((side < 0 && at.center().x() > pile.right()) ||
                        (side > 0 && at.center().x() < pile.left()))
                        continue;
                    if (!frame.contains(cover) || (!pile.isEmpty() && cover.intersects(pile)) ||
                        lines(cover.adjusted(-margin, -margin, margin, margin)) > 0)
                        continue;
                    // A dimension's value must stay by its line there too, not struck through by
                    // it, an angle's by its arc.
                    if (struck(at)) continue;
                    if ((IsDimension(p) || angle) &&
                        std::none_of(measured.begin(), measured.end(),
                                     [&](const QLine& m) { return Distance(at, m) <= h; }))
                        continue;
                    bool free = true;
                    for (size_t j = 0; j < labels.size() && free; ++j) {
                        free = j == i ||
                               (labels[j].Slanted
                                    ? !Overlaps(labels[j], cover.adjusted(-unit, -unit, unit, unit), 0)
                                    : !cover.adjusted(-unit, -unit, unit, unit).intersects(labels[j].Cell));
                    }
                    if (free) clear = at.topLeft();
                }
            if (clear) {
                std::ostringstream os;
                os << "led away while its cell was clear at " << clear->x() << ',' << clear->y();
                fault("nearness", l, os.str());
            }
        }
        // Its leaders: the one the drawing lists, and any stroke of its step drawn from its cell to
        // the point it labels.
        std::vector<QLine> leaders;
        if (!p.Leader.isNull()) leaders.push_back(p.Leader);
        if (!p.Bend.isNull()) leaders.push_back(p.Bend);
        for (const QLine& s : own)
            if ((s.p2() == p.Anchor && Distance(l.Cell, QPointF(s.p1())) <= 2) ||
                (s.p1() == p.Anchor && Distance(l.Cell, QPointF(s.p2())) <= 2))
                leaders.push_back(s);
        if (!pile.isEmpty() && std::any_of(leaders.begin(), leaders.end(),
                                           [&](const QLine& s) { return LineMeetsRect(s, pile); })) {
            std::ostringstream os;
            os << "led across the pile to " << p.Anchor.x() << ',' << p.Anchor.y();
            fault("leader", l, os.str());
        }
        if (IsDimension(p) && !measured.empty()) {
            double line = 1e300;
            for (const QLine& s : measured)
                line = std::min(line, Distance(l, s));
            if (line > l.Height) {
                std::ostringstream os;
                os << std::lround(line) << " px from its dimension line"
                   << (p.Leader.isNull() ? "" : ", led to it");
                fault("dimension", l, os.str());
            }
            // Its side of the pile: that of the dimension's longest stroke, when it lies beside the pile.
            const QLine longest =
                *std::max_element(measured.begin(), measured.end(), [](const QLine& a, const QLine& b) {
                    return std::hypot(a.dx(), a.dy()) < std::hypot(b.dx(), b.dy());
                });
            const QPoint mid = (longest.p1() + longest.p2()) / 2;
            if (!pile.isEmpty() && mid.y() >= pile.top() && mid.y() <= pile.bottom() &&
                (mid.x() < pile.left() || mid.x() > pile.right())) {
                const bool left = mid.x() < pile.left();
                if (left ? l.Cell.center().x() > pile.right() : l.Cell.center().x() < pile.left())
                    fault("dimension", l,
                          std::string("stands ") + (left ? "right" : "left") + " of the pile, its line " +
                              (left ? "left" : "right") + " of it");
            }
        }
    }

    // The pier spacing's value stays within half a font size of its line, between its ends.
    if (!spacing.isEmpty() && layout.Boxes.count("Spacing")) {
        const auto it =
            std::find_if(labels.begin(), labels.end(), [&](const Label& l) { return l.Text == spacing; });
        const double yr = layout.Value("SpacingLine"), fs = layout.Value("FontSize");
        if (it == labels.end())
            faults.push_back({"dimension", "the pier spacing's value is missing"});
        else if (std::max(it->Ink.top() - yr, yr - it->Ink.bottom()) > fs / 2 ||
                 it->Cell.center().x() < layout.Value("X1") || it->Cell.center().x() > layout.Value("X2"))
            fault("dimension", *it, "off the spacing's line at " + std::to_string(int(yr)));
    }
    return faults;
}

} // namespace vantrel::testing_drawing
