// The drawer's frame shared by every diagram: entry points, layout units, label colours and the
// drawing primitives (text boxes, values with units, arrows, angle arcs, dimension lines, dashed
// lines, superscript text).

#include "drawing/DiagramDraw.h"

#include <QHash>
#include <QLabel>
#include <QLocale>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace vantrel {

namespace {

constexpr double kPiD = std::numbers::pi;

// Lines and hatches use these; a label never takes one of them as its background.
constexpr std::array<TColor, 6> kDrawingColours = {0x808080,       0x000000,         0xC0C0C0,
                                                   kRetainedHatch, kExcavationHatch, 0xFFFFFF};

// A coordinate the canvas leaves out (beyond its reach).
constexpr int kOutside = 2 * TCanvas::MaxCoordinate;

// The pixels a straight piece spans, whichever end comes first (a QRect normalized from its ends
// would lose a pixel at each end of a piece drawn right to left or upward).
QRect SpanOf(const QLine& piece) {
    return QRect(QPoint(std::min(piece.x1(), piece.x2()), std::min(piece.y1(), piece.y2())),
                 QPoint(std::max(piece.x1(), piece.x2()), std::max(piece.y1(), piece.y2())));
}

// Whether a cell at `at` stands within `reach` of one of `pieces`, read pixel by pixel along them.
bool WithinReach(const QRect& at, const std::vector<QLine>& pieces, int reach) {
    for (const QLine& piece : pieces) {
        // A piece whose span lies beyond reach has no pixel within it; a level or plumb one is its
        // span.
        const QRect span = SpanOf(piece);
        const int gx = std::max({at.left() - span.right(), 0, span.left() - at.right()});
        const int gy = std::max({at.top() - span.bottom(), 0, span.top() - at.bottom()});
        if ((long long)gx * gx + (long long)gy * gy > (long long)reach * reach) continue;
        if (piece.dx() == 0 || piece.dy() == 0) return true;
        const int n = std::max({std::abs(piece.dx()), std::abs(piece.dy()), 1});
        for (int i = 0; i <= n; ++i) {
            const double x = piece.x1() + double(i) * piece.dx() / n,
                         y = piece.y1() + double(i) * piece.dy() / n;
            const double dx = std::max({at.left() - x, 0.0, x - at.right()});
            const double dy = std::max({at.top() - y, 0.0, y - at.bottom()});
            if (dx * dx + dy * dy <= double(reach) * reach) return true;
        }
    }
    return false;
}

} // namespace

bool IsDrawingColor(TColor c) {
    return std::find(kDrawingColours.begin(), kDrawingColours.end(), c) != kDrawingColours.end();
}

TColor ContrastColor(TColor c) {
    return RedOf(c) + GreenOf(c) + BlueOf(c) < 385 ? clWhite : clBlack;
}

double ContrastRatio(TColor a, TColor b) {
    auto luminance = [](TColor c) {
        auto linear = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(RedOf(c)) + 0.7152 * linear(GreenOf(c)) + 0.0722 * linear(BlueOf(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool Reachable(double v) {
    return std::isfinite(v) && std::fabs(v) < TCanvas::MaxCoordinate;
}

int RoundPx(double v) {
    if (!Reachable(v)) return kOutside;
    return int(std::nearbyint(v));
}

TCrossSectionTexts TCrossSectionTexts::Defaults(const TKdData& data) {
    TCrossSectionTexts t;
    const int soil = data.Anchors.SoilType;
    if (soil >= 0 && soil < int(Texts::AnchorSoilType.size()))
        t.SoilName = QString::fromStdString(Texts::AnchorSoilType[soil]);
    const bool si = data.Units == usSI;
    t.UniformUnit = si ? "kPa" : "psf";
    t.StripUnit = si ? "kPa" : "psf";
    t.LineUnit = si ? "kN/m" : "lb/ft";
    t.PointUnit = si ? "kN" : "lbf";
    t.WaterUnit = si ? "m" : "ft";
    t.AxialUnit = si ? "kN" : "kips";
    return t;
}

TDiagramDraw::TDiagramDraw(const TKdData& data, const TCrossSectionTexts* texts)
    : Data(data), Texts(texts ? *texts : TCrossSectionTexts::Defaults(data)) {}

void TDiagramDraw::Draw(int kind) {
    Kind = kind;
    switch (kind) {
    case dkCrossSection:
        DrawCrossSection();
        break;
    case dkPilePlanView:
        DrawPilePlanView();
        break;
    case dkGuardrail:
        DrawGuardrail();
        break;
    case dkFlangedSection:
        DrawFlangedSection();
        break;
    case dkPipeSection:
        DrawPipeSection();
        break;
    default:
        break; // an unknown kind keeps the white picture
    }
    PlaceLabels();
    Bitmap.SetSegmentLog(nullptr);
    Bitmap.SetSize(OutW != 0 ? OutW : Bitmap.Width(), OutH != 0 ? OutH : Bitmap.Height());
}

void TDiagramDraw::CommonStart() {
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
    Bitmap.FillRect(0, 0, Bitmap.Width(), Bitmap.Height());
    Placement.Clear();
    LabelGlyphs.clear();
    Divide = QRect();
    Held.clear();
    HoldLabels = false;
    Bitmap.SetSegmentLog(nullptr);
    Bitmap.SetTag(0);
    W = Bitmap.Width();
    OutW = W;
    H = Bitmap.Height();
    Bitmap.SetPen(TPen{});
    Bitmap.SetFont(TFont{});
    Bitmap.SetFontHeight(-FontSize());
    Layout.Values["W"] = W;
    Layout.Values["H"] = H;
    Layout.Values["FontSize"] = FontSize();
}

void TDiagramDraw::SetPen(TColor color, int width) {
    Bitmap.SetPenColor(color);
    Bitmap.SetPenWidth(width);
    Bitmap.SetPenFlat(false);
    Bitmap.SetPenStyle(TPenStyle::Solid);
}

void TDiagramDraw::HatchRect(int left, int top, int right, int bottom, TColor color) {
    const TBrush saved = Bitmap.Brush();
    Bitmap.SetBrush(TBrush{color, TBrushStyle::BDiagonal});
    Bitmap.FillRect(left, top, right, bottom);
    Bitmap.SetBrush(saved);
}

// --- layout units ---------------------------------------------------------------------------

int TDiagramDraw::LineUnit() const {
    return std::max(1, RoundPx(std::min(W, H) / 700.0));
}

int TDiagramDraw::ArrowSize() const {
    if (Kind == dkCrossSection) return RoundPx(10 * LineUnit() * 0.7);
    return 10 * LineUnit();
}

int TDiagramDraw::LineSpacing() const {
    return RoundPx(Bitmap.TextHeight("X") * 1.5);
}

int TDiagramDraw::FontSize() const {
    const int f = GridY(0.9);
    if (Kind == dkPilePlanView) return RoundPx(f * 1.5);
    if (Kind == dkCrossSection) return RoundPx(f * 0.7);
    return f;
}

int TDiagramDraw::ScaledFont(double factor) const {
    return RoundPx(FontSize() * factor);
}
int TDiagramDraw::PercentX(double p) const {
    return RoundPx(p / 100.0 * W);
}
int TDiagramDraw::PercentY(double p) const {
    return RoundPx(p / 100.0 * H);
}
int TDiagramDraw::GridX(double v) const {
    return PercentX(v * 100.0 / 11.0);
}
int TDiagramDraw::GridY(double v) const {
    return PercentY(v * 100.0 / 38.0);
}

// --- primitives -----------------------------------------------------------------------------

namespace {

// A value in the fewest decimals that show it, at most `decimals`, with its unit.
QString Formatted(double value, int decimals, const QString& unitText) {
    QString s;
    if (!std::isfinite(value)) {
        s = "N.A.";
    } else {
        // Fixed point rounded once, to eight significant digits or to the decimals asked for,
        // whichever keeps fewer.
        constexpr int kPrecision = 8;
        const int exponent =
            value == 0 ? 0 : QString::number(value, 'e', kPrecision - 1).section('e', 1).toInt();
        const int kept = std::min(std::clamp(decimals, 0, 18), kPrecision - 1 - exponent);
        if (kept >= 0) {
            s = QString::number(value, 'f', kept);
        } else { // more than eight digits before the point: the rest are zeros
            const double unit = std::pow(10.0, -kept);
            s = QString::number(std::round(value / unit) * unit, 'f', 0);
        }
        if (s.contains('.')) {
            while (s.endsWith('0'))
                s.chop(1);
            if (s.endsWith('.')) s.chop(1);
        }
        if (s == "-0") s = "0";
        // Written with the decimal separator the edits use.
        s.replace('.', QLocale().decimalPoint());
    }
    if (!unitText.isEmpty()) {
        if (unitText != "'" && unitText != "\"") s += ' ';
        s += unitText.trimmed();
    }
    return s;
}

} // namespace

QString TDiagramDraw::FormatValue(double value, int decimals, const QString& unitText) {
    // A drawing writes the same few values over and over (a label's text is measured where it is
    // asked for and again where it is drawn): each is formatted once for the thread, with the
    // separator of the moment.
    struct Key {
        double Value;
        int Decimals;
        QString Unit;
        QChar Point;
        bool operator==(const Key& o) const {
            return std::memcmp(&Value, &o.Value, sizeof Value) == 0 && Decimals == o.Decimals &&
                   Unit == o.Unit && Point == o.Point;
        }
    };
    struct Hash {
        size_t operator()(const Key& k) const {
            return qHash(k.Unit,
                         qHashBits(&k.Value, sizeof k.Value, size_t(k.Decimals) * 65536 + k.Point.unicode()));
        }
    };
    static thread_local std::unordered_map<Key, QString, Hash> formatted;
    const QString point = QLocale().decimalPoint();
    if (point.size() != 1) return Formatted(value, decimals, unitText);
    const Key key{value, decimals, unitText, point.front()};
    if (const auto it = formatted.find(key); it != formatted.end()) return it->second;
    if (formatted.size() > 4096) formatted.clear();
    return formatted[key] = Formatted(value, decimals, unitText);
}

QRect TDiagramDraw::TextInk(int x, int y, const QString& s) const {
    QString plain = s;
    plain.remove('^');
    QRect ink = Bitmap.TextInk(plain);
    if (ink.isEmpty()) return QRect();
    if (plain.size() != s.size()) ink.setTop(ink.top() - RoundPx(Bitmap.TextHeight("X") / 4.0));
    // Turned a quarter counter-clockwise about the reference point: the text reads upward.
    if (Bitmap.Font().Angle == 90)
        return QRect(QPoint(x + ink.top(), y - ink.right()), QPoint(x + ink.bottom(), y - ink.left()));
    return ink.translated(x, y);
}

QSize TDiagramDraw::PictureSize() const {
    return {std::min(Bitmap.Width(), OutW > 0 ? OutW : Bitmap.Width()),
            std::min(Bitmap.Height(), OutH > 0 ? OutH : Bitmap.Height())};
}

QRect TDiagramDraw::TextCell(int x, int y, const QString& s) const {
    QString plain = s;
    plain.remove('^');
    if (plain.trimmed().isEmpty()) return QRect();
    const int raise = plain.size() != s.size() ? RoundPx(Bitmap.TextHeight("X") / 4.0) : 0;
    const QRect cell(0, -raise, Bitmap.TextWidth(plain), Bitmap.TextHeight(plain) + raise);
    // Turned a quarter counter-clockwise about the reference point: the text reads upward.
    if (Bitmap.Font().Angle == 90)
        return QRect(QPoint(x + cell.top(), y - cell.right()), QPoint(x + cell.bottom(), y - cell.left()));
    return cell.translated(x, y);
}

QPoint TDiagramDraw::ClearShift(const QRect& box, int tag, int rise) {
    // A label beyond the canvas's reach comes from degenerate geometry and is not drawn.
    if (box.isEmpty() || !Reachable(box.left()) || !Reachable(box.right()) || !Reachable(box.top()) ||
        !Reachable(box.bottom()))
        return {};
    Placement.Gap = LineUnit(); // a line unit of white between a label and its neighbours
    const TMoves inside = TMoves::Inside(box, PictureSize());
    // Kept within `rise` of its row when a place there is clear.
    if (rise >= 0)
        if (const auto near = Placement.NearestClear(
                Bitmap, box, tag, inside.Within({inside.DxMin, inside.DxMax, -rise, rise})))
            return *near;
    return Placement.NearestClearWidening(Bitmap, box, tag, inside);
}

bool LineMeetsRect(const QLine& line, const QRect& rect) {
    // The line clipped to the rows of the rectangle, then its columns compared.
    const double x1 = line.x1(), y1 = line.y1(), x2 = line.x2(), y2 = line.y2();
    double t0 = 0, t1 = 1;
    if (y1 == y2) {
        if (y1 < rect.top() || y1 > rect.bottom()) return false;
    } else {
        double a = (rect.top() - y1) / (y2 - y1), b = (rect.bottom() - y1) / (y2 - y1);
        if (a > b) std::swap(a, b);
        t0 = std::max(a, 0.0), t1 = std::min(b, 1.0);
        if (t0 > t1) return false;
    }
    const double xa = x1 + t0 * (x2 - x1), xb = x1 + t1 * (x2 - x1);
    return std::max(xa, xb) >= rect.left() && std::min(xa, xb) <= rect.right();
}

int TDiagramDraw::BeginStep() {
    const int open = Bitmap.Tag();
    if (open == 0) Bitmap.SetTag(++LastTag);
    return open;
}

QPoint TDiagramDraw::SetLabel(const QRect& box, QPoint anchor, const std::function<void(QPoint)>& draw,
                              const TTarget& target, TLabelRank rank, const std::function<bool()>& along,
                              const QMargins& blanks) {
    const int tag = Bitmap.Tag();
    if (!HoldLabels) {
        const QPoint shift = ClearShift(box, tag);
        Layout.Placed.push_back({box, shift, anchor, target, QLine(), rank == lrDimension});
        draw(shift);
        return shift;
    }
    const TFont font = Bitmap.Font();
    const TBrush brush = Bitmap.Brush();
    const bool transparent = Bitmap.TextTransparent();
    Held.push_back({box, target, anchor, tag, Bitmap.TextHeight("X"), rank,
                    [this, font, brush, transparent, draw](QPoint shift) {
                        Bitmap.SetFont(font);
                        Bitmap.SetBrush(brush);
                        Bitmap.SetTextTransparent(transparent);
                        draw(shift);
                    },
                    !along ? std::function<bool()>()
                           : [this, font, along] {
                                 Bitmap.SetFont(font);
                                 return along();
                             },
                    blanks});
    return {};
}

std::vector<QLine> TDiagramDraw::StandsBy(const HeldLabel& l) const {
    std::vector<QLine> pieces = l.Target;
    if (l.Tag != 0)
        for (const TSegmentRecord& s : Placement.Strokes)
            if (s.Tag == l.Tag) pieces.push_back(s.Line);
    return pieces;
}

std::optional<QPoint> TDiagramDraw::NearTarget(const HeldLabel& l, const TMoves& inside) {
    // Within reach of each straight piece: across a level or plumb one beside it, and about its
    // ends within squares whose corners are within reach of them; of a slanting one, within such
    // squares side by side along it.
    const int corner = l.Reach * 7 / 10;
    std::vector<TMoves> near;
    for (const QLine& piece : l.Target) {
        const QRect r = SpanOf(piece);
        if (piece.dx() == 0 || piece.dy() == 0) {
            TMoves m = TMoves::Near(l.Box, r, l.Reach);
            if (piece.dy() == 0) m.DxMin = r.left() - l.Box.right(), m.DxMax = r.right() - l.Box.left();
            if (piece.dx() == 0) m.DyMin = r.top() - l.Box.bottom(), m.DyMax = r.bottom() - l.Box.top();
            near.push_back(m);
            for (const QPoint end : {piece.p1(), piece.p2()})
                near.push_back(TMoves::Near(l.Box, QRect(end, end), corner));
            continue;
        }
        // Searched at all only when a place within the squares' span is clear.
        if (!Placement.NearestClear(Bitmap, l.Box, l.Tag, inside.Within(TMoves::Near(l.Box, r, corner)),
                                    true))
            continue;
        const int n = std::max(1, int(std::hypot(piece.dx(), piece.dy()) / std::max(1, 2 * corner)));
        for (int i = 0; i <= n; ++i) {
            const QPoint p(piece.x1() + RoundPx(double(piece.dx()) * i / n),
                           piece.y1() + RoundPx(double(piece.dy()) * i / n));
            near.push_back(TMoves::Near(l.Box, QRect(p, p), corner));
        }
    }
    if (near.empty()) {
        // Within reach of its anchor straight across or up and down, and at a slant its corner
        // within reach: a square of the reach would reach farther at its corners.
        const QRect p = l.Anchor.isNull() ? l.Box : QRect(l.Anchor, l.Anchor);
        TMoves across = TMoves::Near(l.Box, p, l.Reach), upDown = across;
        across.DyMin = p.top() - l.Box.bottom(), across.DyMax = p.bottom() - l.Box.top();
        upDown.DxMin = p.left() - l.Box.right(), upDown.DxMax = p.right() - l.Box.left();
        near.insert(near.end(), {across, upDown, TMoves::Near(l.Box, p, corner)});
    }
    // Where its drawing laid it out, by what it labels, is near it too: within reach of that box
    // across, up and down, and at its corners. A value must keep to its line or arc, and a level's
    // letter to its tick.
    else if (l.Rank != lrLetter && l.Rank != lrDimension) {
        const int w = l.Box.width() - 1, h = l.Box.height() - 1;
        near.push_back({-w - l.Reach, w + l.Reach, -h, h});
        near.push_back({-w, w, -h - l.Reach, h + l.Reach});
        near.push_back({-w - corner, w + corner, -h - corner, h + corner});
    }
    // A letter or a value within its reach of where it was asked for still reads as its tick's,
    // its dimension's or its arc's, where it stays within reach of them: of what it labels or of
    // another stroke of its step (a dimension's extension lines and arrows). The square is
    // searched by the stretches of it within reach of each of them.
    const bool home = l.Rank == lrLetter || l.Rank == lrDimension;
    const std::vector<QLine> pieces = home ? StandsBy(l) : std::vector<QLine>();
    for (const QLine& piece : pieces)
        near.push_back(
            TMoves{-l.Reach, l.Reach, -l.Reach, l.Reach}.Within(TMoves::Near(l.Box, SpanOf(piece), l.Reach)));
    auto within = [&](QPoint move) { return WithinReach(l.Box.translated(move), pieces, l.Reach); };
    // The ranges searched from the one holding the least move on, until none left can hold a
    // move nearer than the best found.
    auto d2 = [](QPoint p) { return (long long)p.x() * p.x() + (long long)p.y() * p.y(); };
    auto least = [&](const TMoves& m) {
        return d2(QPoint(std::clamp(0, m.DxMin, m.DxMax), std::clamp(0, m.DyMin, m.DyMax)));
    };
    for (TMoves& m : near)
        m = inside.Within(m);
    std::erase_if(near, [](const TMoves& m) { return m.Empty(); });
    if (near.size() > 1) {
        TMoves all = near.front();
        for (const TMoves& m : near)
            all = {std::min(all.DxMin, m.DxMin), std::max(all.DxMax, m.DxMax), std::min(all.DyMin, m.DyMin),
                   std::max(all.DyMax, m.DyMax)};
        Placement.Prepare(l.Box, l.Tag, all);
    }
    std::sort(near.begin(), near.end(),
              [&](const TMoves& a, const TMoves& b) { return least(a) < least(b); });
    std::optional<QPoint> best;
    for (size_t i = 0; i < near.size(); ++i) {
        const TMoves& m = near[i];
        if (best && least(m) >= d2(*best)) break;
        // A range searched before gives what it gave then.
        if (std::find(near.begin(), near.begin() + long(i), m) != near.begin() + long(i)) continue;
        if (const auto found = Placement.NearestClear(Bitmap, l.Box, l.Tag, m, false, best ? d2(*best) : -1))
            if ((!best || d2(*found) < d2(*best)) && (!home || within(*found))) best = found;
    }
    // An opaque value reads by its text, not by the blanks its box paints about it: where its text
    // stands beyond reach, the nearest place within a label height of there where the text stands
    // within it is taken instead, if any is clear.
    const QRect text = l.Box.marginsRemoved(l.Blanks);
    if (best && !l.Blanks.isNull() && !WithinReach(text.translated(*best), pieces, l.Reach)) {
        // Across a level or plumb piece, in squares along a slanting one, and about the place asked
        // for by the strokes of its step, as above.
        std::vector<TMoves> byText;
        for (const QLine& piece : l.Target) {
            if (piece.dx() == 0 || piece.dy() == 0) {
                byText.push_back(TMoves::Near(text, SpanOf(piece), l.Reach));
                continue;
            }
            const int n = std::max(1, int(std::hypot(piece.dx(), piece.dy()) / std::max(1, 2 * corner)));
            for (int i = 0; i <= n; ++i) {
                const QPoint p(piece.x1() + RoundPx(double(piece.dx()) * i / n),
                               piece.y1() + RoundPx(double(piece.dy()) * i / n));
                byText.push_back(TMoves::Near(text, QRect(p, p), corner));
            }
        }
        for (const QLine& piece : pieces)
            byText.push_back(TMoves{-l.Reach, l.Reach, -l.Reach, l.Reach}.Within(
                TMoves::Near(text, SpanOf(piece), l.Reach)));
        // Sought about the place found, which a nudge of a few pixels mostly mends.
        const TMoves about{best->x() - l.Reach, best->x() + l.Reach, best->y() - l.Reach,
                           best->y() + l.Reach};
        for (TMoves& m : byText)
            m = inside.Within(about.Within(m));
        std::erase_if(byText, [](const TMoves& m) { return m.Empty(); });
        std::sort(byText.begin(), byText.end(),
                  [&](const TMoves& a, const TMoves& b) { return least(a) < least(b); });
        std::optional<QPoint> closer;
        for (const TMoves& m : byText) {
            if (closer && least(m) >= d2(*closer)) break;
            if (const auto found =
                    Placement.NearestClear(Bitmap, l.Box, l.Tag, m, false, closer ? d2(*closer) : -1))
                if ((!closer || d2(*found) < d2(*closer)) &&
                    WithinReach(text.translated(*found), pieces, l.Reach))
                    closer = found;
        }
        if (closer) best = closer;
    }
    // A letter with no clear place by its tick still reads as its tick's a label height from where
    // it was asked for, rather than led away.
    if (!best && l.Rank == lrLetter)
        if (const TMoves square = inside.Within({-l.Reach, l.Reach, -l.Reach, l.Reach}); !square.Empty())
            best = Placement.NearestClear(Bitmap, l.Box, l.Tag, square);
    return best;
}

QPoint TDiagramDraw::PlaceHeld(const HeldLabel& l, std::optional<QLine>& leader, QLine& bend) {
    const QRect& box = l.Box;
    if (box.isEmpty() || !Reachable(box.left()) || !Reachable(box.right()) || !Reachable(box.top()) ||
        !Reachable(box.bottom()))
        return {};
    Placement.Gap = LineUnit();
    TMoves inside = TMoves::Inside(box, PictureSize());
    // On the side of the divide where what it labels lies.
    QRect target(l.Anchor, l.Anchor);
    for (const QLine& piece : l.Target)
        target |= SpanOf(piece);
    if (!Divide.isEmpty() && target.bottom() >= Divide.top() && target.top() <= Divide.bottom()) {
        // A member's dimension starts at the wall: its side is that of its longest stroke's middle.
        int left = target.left(), right = target.right();
        if (!l.Target.empty()) {
            const QLine longest =
                *std::max_element(l.Target.begin(), l.Target.end(), [](const QLine& a, const QLine& b) {
                    return std::hypot(a.dx(), a.dy()) < std::hypot(b.dx(), b.dy());
                });
            const int mid = (longest.x1() + longest.x2()) / 2;
            if (mid > Divide.right()) left = std::max(left, Divide.right());
            if (mid < Divide.left()) right = std::min(right, Divide.left());
        }
        if (right <= Divide.left()) inside.DxMax = std::min(inside.DxMax, Divide.left() - 1 - box.right());
        if (left >= Divide.right()) inside.DxMin = std::max(inside.DxMin, Divide.right() + 1 - box.left());
    }
    if (inside.Empty()) return {};
    // Where it was asked for, or near what it labels.
    const TMoves asked = inside.Within({0, 0, 0, 0});
    if (!asked.Empty() && Placement.NearestClear(Bitmap, box, l.Tag, asked)) return {};
    if (const auto near = NearTarget(l, inside)) return *near;
    // A caption that labels no point of the drawing takes the nearest clear place.
    if (l.Target.empty() && l.Anchor.isNull())
        return Placement.NearestClearWidening(Bitmap, box, l.Tag, inside);
    // Anywhere, with a leader. A place whose leader would cross a label or the divide is given up
    // for the next nearest; when every one tried is, the first is taken with its leader.
    // A level or plumb line is first led to straight across from beside it, where a leader may
    // pass between the labels along the line.
    const size_t blocks = Placement.Blocks.size();
    std::vector<QPoint> tried;
    QPoint shift;
    std::optional<QPoint> first;
    TMoves across = inside;
    if (l.Target.size() == 1 && l.Target[0].dx() == 0)
        across.DyMin = std::max(across.DyMin, target.top() - box.bottom()),
        across.DyMax = std::min(across.DyMax, target.bottom() - box.top());
    else if (l.Target.size() == 1 && l.Target[0].dy() == 0)
        across.DxMin = std::max(across.DxMin, target.left() - box.right()),
        across.DxMax = std::min(across.DxMax, target.right() - box.left());
    else
        across = TMoves{0, -1, 0, -1};
    for (int tries = 0; tries < 96 && !leader; ++tries) {
        std::optional<QPoint> straight;
        if (tries < 6 && !across.Empty()) straight = Placement.NearestClear(Bitmap, box, l.Tag, across);
        if (!straight) across = TMoves{0, -1, 0, -1};
        shift = straight ? *straight : Placement.NearestClearWidening(Bitmap, box, l.Tag, inside);
        // The places given up may leave none clear: the search then ends at the first one found.
        if (!straight &&
            !Placement.NearestClear(Bitmap, box, l.Tag, {shift.x(), shift.x(), shift.y(), shift.y()}, true)) {
            if (first) shift = *first;
            break;
        }
        if (!first) first = shift;
        const QRect at = box.translated(shift);
        QRect crossed = at;
        leader = Leader(l, at, crossed, lsCells);
        if (crossed != at) tried.push_back(shift);
        // Every place behind the label crossed is given up at once.
        if (!leader) Placement.Blocks.push_back(at.united(crossed));
    }
    Placement.Blocks.resize(blocks);
    // Where labels crowd too close for a straight leader to pass between their cells, a bent one
    // may pass about them, or a straight one between their glyphs, at the nearest place where
    // either does; else the first place tried is led across them.
    for (const QPoint t : tried) {
        if (leader) return shift;
        if (const auto bent = BentLeader(l, box.translated(t))) {
            leader = bent->first;
            bend = bent->second;
            return t;
        }
        QRect crossed;
        leader = Leader(l, box.translated(t), crossed, lsGlyphs);
        shift = t;
    }
    for (const QPoint t : tried) {
        if (leader) return shift;
        QRect crossed;
        leader = Leader(l, box.translated(t), crossed, lsAny);
        shift = t;
    }
    return shift;
}

std::vector<QPoint> TDiagramDraw::LeaderEnds(const HeldLabel& l, const QRect& at) const {
    // The nearest point of a straight piece, or one of its ends, or its middle; its anchor, then
    // the ends of its strokes (an arc's chords, a caption's lines) and their points nearest the
    // label. A point on the divide is reached from beside its nearer face.
    std::vector<QPoint> ends{l.Anchor};
    if (l.Target.size() == 1) {
        const QLine& piece = l.Target[0];
        const QRect r = SpanOf(piece);
        const QPoint nearest(std::clamp(at.center().x(), r.left(), r.right()),
                             std::clamp(at.center().y(), r.top(), r.bottom()));
        ends = {piece.dx() == 0 || piece.dy() == 0 ? nearest : piece.center(), piece.p1(), piece.p2(),
                piece.center()};
        // Straight across, at each row (column) the label shares with a plumb (level) line.
        if (piece.dx() == 0)
            for (int y = std::max(at.top(), r.top()); y <= std::min(at.bottom(), r.bottom()); ++y)
                ends.emplace_back(r.left(), y);
        if (piece.dy() == 0)
            for (int x = std::max(at.left(), r.left()); x <= std::min(at.right(), r.right()); ++x)
                ends.emplace_back(x, r.top());
    } else {
        for (const QLine& piece : l.Target) {
            ends.push_back(piece.p1());
            ends.push_back(piece.p2());
            const QPointF d(piece.dx(), piece.dy());
            const double len2 = d.x() * d.x() + d.y() * d.y();
            if (len2 <= 0) continue;
            const QPointF c = QPointF(at.center()) - QPointF(piece.p1());
            const double t = std::clamp((c.x() * d.x() + c.y() * d.y()) / len2, 0.0, 1.0);
            ends.push_back((QPointF(piece.p1()) + t * d).toPoint());
        }
    }
    for (QPoint& to : ends)
        if (Divide.contains(to))
            to.rx() =
                to.x() - Divide.left() < Divide.right() - to.x() ? Divide.left() - 1 : Divide.right() + 1;
    return ends;
}

std::optional<std::pair<QLine, QLine>> TDiagramDraw::BentLeader(const HeldLabel& l, const QRect& at) const {
    const int pen = LineUnit() / 2;
    auto clear = [&](const QLine& lead) {
        return (Divide.isEmpty() || !LineMeetsRect(lead, Divide)) &&
               std::none_of(Placement.Labels.begin(), Placement.Labels.end(), [&](const QRect& other) {
                   return LineMeetsRect(lead, other.adjusted(-pen, -pen, pen, pen));
               });
    };
    // Level from the label's middle row or a quarter of its height from its top or bottom; plumb
    // from its middle column or a quarter of its width from its sides.
    const QPoint c = at.center(), quarter(at.width() / 4, at.height() / 4);
    std::optional<std::pair<QLine, QLine>> best;
    int shortest = 0;
    for (const QPoint to : LeaderEnds(l, at))
        for (const QPoint bend :
             {QPoint(to.x(), c.y()), QPoint(c.x(), to.y()), QPoint(to.x(), at.top() + quarter.y()),
              QPoint(to.x(), at.bottom() - quarter.y()), QPoint(at.left() + quarter.x(), to.y()),
              QPoint(at.right() - quarter.x(), to.y())}) {
            if (at.contains(bend) || bend == to) continue;
            const QLine first(QPoint(std::clamp(bend.x(), at.left(), at.right()),
                                     std::clamp(bend.y(), at.top(), at.bottom())),
                              bend);
            const QLine second(bend, to);
            const int along =
                std::abs(first.dx()) + std::abs(first.dy()) + std::abs(second.dx()) + std::abs(second.dy());
            if ((best && along >= shortest) || LineMeetsRect(second, at) || !clear(first) || !clear(second))
                continue;
            best = {first, second};
            shortest = along;
        }
    return best;
}

std::optional<QLine> TDiagramDraw::Leader(const HeldLabel& l, const QRect& at, QRect& crossed,
                                          TLeaderSpace space) const {
    // From the label's nearest edge to what it labels.
    for (const QPoint to : LeaderEnds(l, at)) {
        const QLine lead(
            QPoint(std::clamp(to.x(), at.left(), at.right()), std::clamp(to.y(), at.top(), at.bottom())), to);
        if (!Divide.isEmpty() && LineMeetsRect(lead, Divide)) continue;
        if (space == lsAny) return lead;
        const std::vector<QRect>& boxes = space == lsCells ? Placement.Labels : LabelGlyphs;
        // A cell's edge is blank about its glyphs: a leader's pen may touch it, as a line may.
        const int pen = space == lsCells ? LineUnit() / 2 : 1;
        const auto across = std::find_if(boxes.begin(), boxes.end(), [&](const QRect& other) {
            return LineMeetsRect(lead, other.adjusted(-pen, -pen, pen, pen));
        });
        if (across == boxes.end()) return lead;
        if (crossed == at) crossed = *across;
    }
    return std::nullopt;
}

void TDiagramDraw::PlaceLabels() {
    HoldLabels = false;
    if (Held.empty()) return;
    const TFont font = Bitmap.Font();
    const TPen pen = Bitmap.Pen();
    const TBrush brush = Bitmap.Brush();
    const bool transparent = Bitmap.TextTransparent();
    // By rank; among the values, a dimension's (which must stand by its one line) before an
    // angle's (which reads by its arc and may be led to it).
    auto order = [](const HeldLabel& l) {
        return std::pair(l.Rank, l.Rank == lrDimension ? l.Target.size() : 0);
    };
    std::stable_sort(Held.begin(), Held.end(),
                     [&](const HeldLabel& a, const HeldLabel& b) { return order(a) < order(b); });
    for (const HeldLabel& l : Held) {
        // A label of no drawing step still owns its leader.
        Bitmap.SetTag(l.Tag != 0 ? l.Tag : ++LastTag);
        std::optional<QLine> leader;
        QLine bend;
        const QPoint shift = PlaceHeld(l, leader, bend);
        if (leader && l.Along && l.Along()) continue;
        Layout.Placed.push_back(
            {l.Box, shift, l.Anchor, l.Target, leader.value_or(QLine()), l.Rank == lrDimension, bend});
        if (leader) {
            SetPen(clBlack, LineUnit());
            Bitmap.Line(leader->x1(), leader->y1(), leader->x2(), leader->y2());
            if (!bend.isNull()) Bitmap.Line(bend.x1(), bend.y1(), bend.x2(), bend.y2());
        }
        l.Draw(shift);
    }
    Held.clear();
    Bitmap.SetTag(0);
    Bitmap.SetFont(font);
    Bitmap.SetPen(pen);
    Bitmap.SetBrush(brush);
    Bitmap.SetTextTransparent(transparent);
}

QRect TDiagramDraw::DrawLabel(int x, int y, const QString& s, QPoint anchor) {
    return DrawLabelLines(x, y, {s}, 0, anchor);
}

QRect TDiagramDraw::DrawLabelLines(int x, int y, const QStringList& lines, int step, QPoint anchor,
                                   const TTarget& target, TLabelRank rank) {
    QRect cell;
    for (qsizetype i = 0; i < lines.size(); ++i)
        cell |= TextCell(x, y + int(i) * step, lines[i]);
    const QPoint shift = SetLabel(
        cell, anchor,
        [this, x, y, lines, step](QPoint d) {
            for (qsizetype i = 0; i < lines.size(); ++i)
                TextOutSuper(x + d.x(), y + int(i) * step + d.y(), lines[i]);
        },
        target, rank);
    return cell.translated(shift);
}

void TDiagramDraw::TextOutSuper(int x, int y, const QString& s) {
    if (const QRect cell = TextCell(x, y, s); !cell.isEmpty()) {
        Placement.Labels.push_back(cell);
        LabelGlyphs.push_back(TextInk(x, y, s));
    }
    if (!s.contains('^')) {
        Bitmap.TextOut(x, y, s);
        return;
    }
    const int raise = RoundPx(Bitmap.TextHeight("X") / 4.0);
    QString run;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == '^' && i + 1 < s.size()) {
            if (!run.isEmpty()) {
                Bitmap.TextOut(x, y, run);
                x += Bitmap.TextWidth(run);
                run.clear();
            }
            const QString up(s[i + 1]);
            Bitmap.TextOut(x, y - raise, up);
            x += Bitmap.TextWidth(up);
            ++i;
        } else if (s[i] != '^') {
            run += s[i];
        }
    }
    if (!run.isEmpty()) Bitmap.TextOut(x, y, run);
}

TColor TDiagramDraw::ReadableOn(const QRect& box, TColor colour) const {
    // The colours under a tenth or more of the box; a sample taken at one point may have met a
    // stroke or the edge of a fill that the rest of the text does not stand on.
    const QRect b = box.intersected(QRect(0, 0, Bitmap.Width(), Bitmap.Height()));
    if (b.isEmpty()) return colour;
    // A grid of at most 32 x 32 samples of the box tells the shares of its colours well enough.
    const int sx = std::max(1, b.width() / 32), sy = std::max(1, b.height() / 32);
    std::vector<std::pair<QRgb, int>> under;
    long long area = 0;
    for (int y = b.top(); y <= b.bottom(); y += sy) {
        const auto* line = Bitmap.ScanLine(y);
        for (int x = b.left(); x <= b.right(); x += sx, ++area) {
            const QRgb c = line[x] & 0xFFFFFF;
            if (!under.empty() && under.back().first == c) { // runs of one colour are the rule
                ++under.back().second;
                continue;
            }
            const auto it =
                std::find_if(under.begin(), under.end(), [c](const auto& u) { return u.first == c; });
            if (it == under.end())
                under.emplace_back(c, 1);
            else
                ++it->second;
        }
    }
    auto worst = [&](TColor ink) {
        double w = 21;
        for (const auto& [c, n] : under)
            if (10LL * n >= area) w = std::min(w, ContrastRatio(ink, FromQRgb(c)));
        return w;
    };
    if (worst(colour) >= kReadable) return colour;
    const TColor other = colour == clBlack ? clWhite : clBlack;
    return worst(other) > worst(colour) ? other : colour;
}

QRect TDiagramDraw::DrawTextBox(int left, int top, int right, int bottom, const QString& text, int align,
                                bool frame, TColor fill, int rise, QPoint anchor, const TTarget& target,
                                TLabelRank rank) {
    Bitmap.SetFontHeight(-(bottom - top - 2));
    const int tw = Bitmap.TextWidth(text);
    if (frame && tw + 10 > right - left) right = left + tw + 10;
    int offset = 0;
    switch (align) {
    case 0:
        offset = 1;
        break;
    case 1:
        offset = (right - left) - tw - 1;
        break;
    case 2:
        offset = ((right - left) - tw) / 2 + 1;
        break;
    default:
        break;
    }
    // A filled or framed box covers its rectangle, a bare one the cell of its text.
    const QRect cover = fill != clNone || frame ? QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))
                                                : TextCell(left + offset, top, text);
    const QRect asked(QPoint(left, top), QPoint(right - 1, bottom - 1));
    auto draw = [this, left, top, right, bottom, offset, text, frame, fill](QPoint shift) {
        const int l = left + shift.x(), r = right + shift.x(), t = top + shift.y(), b = bottom + shift.y();
        if (fill != clNone) {
            Bitmap.SetBrushColor(fill);
            Bitmap.SetBrushStyle(TBrushStyle::Solid);
            Bitmap.FillRect(l, t, r, b);
        }
        if (frame) Bitmap.Rectangle(l, t, r + Bitmap.Pen().Width, b);
        Bitmap.SetTextTransparent(true);
        // The background is read where the glyphs begin: a label set close beside the steel takes
        // its colour from the white it stands on, not from the steel a side bearing away.
        const QRect ink = TextInk(l + offset, t, text);
        int x = ink.isEmpty() ? l + offset : std::max(l + offset, ink.left());
        int y = t + Bitmap.TextHeight(text) / 2;
        TColor sample = Bitmap.Pixel(x, y);
        if (IsDrawingColor(sample)) {
            sample = Bitmap.Pixel(--x, --y);
            if (IsDrawingColor(sample)) sample = Bitmap.Pixel(x, y + 2);
        }
        Bitmap.SetFontColor(ReadableOn(ink, ContrastColor(sample)));
        TextOutSuper(l + offset, t, text);
    };
    // Held with the labels that may stand anywhere, or set now.
    if (HoldLabels && rise < 0) {
        SetLabel(cover, anchor, draw, target, rank);
        return asked;
    }
    const QPoint shift = ClearShift(cover, Bitmap.Tag(), rise);
    Layout.Placed.push_back({cover, shift, cover.center(), {}, QLine()});
    draw(shift);
    return asked.translated(shift);
}

void TDiagramDraw::DrawArrowHead(int x, int y, double angle, int len) {
    for (const double b : {angle + kPiD + kPiD / 14, angle + kPiD - kPiD / 14}) {
        Bitmap.MoveTo(x, y);
        Bitmap.LineTo(x + RoundPx(std::sin(b) * len), y + RoundPx(std::cos(b) * len));
    }
}

void TDiagramDraw::DrawArrowLine(int x1, int y1, int x2, int y2, int len, bool atStart, bool atEnd) {
    Bitmap.MoveTo(x1, y1);
    Bitmap.LineTo(x2, y2);
    double a = y2 != y1 ? std::atan(double(x2 - x1) / double(y2 - y1)) : kPiD / 2;
    if (a > -kPiD / 2 && a < 0) a += kPiD;
    if (atStart) DrawArrowHead(x1, y1, a + kPiD, len);
    if (atEnd) DrawArrowHead(x2, y2, a, len);
}

void TDiagramDraw::DrawAngle(int x, int y, int r, double angleDeg, bool toRight) {
    const int open = BeginStep(); // the arc and its value
    const double a = angleDeg * kPiD / 180.0;
    int sx, sy, ex, ey;
    if (!toRight) {
        sx = x - RoundPx(std::cos(a) * r);
        sy = y - RoundPx(std::sin(a) * r);
        ex = x - r;
        ey = y;
        if (sy > y) std::swap(sx, ex), std::swap(sy, ey);
    } else {
        sx = x + r;
        sy = y;
        ex = x + RoundPx(std::cos(a) * r);
        ey = y - RoundPx(std::sin(a) * r);
        if (ey > y) std::swap(sx, ex), std::swap(sy, ey);
    }
    Bitmap.Arc(x - r, y - r, x + r, y + r, sx, sy, ex, ey);
    const QString label = FormatValue(angleDeg, 2, QString()) + QChar(0x00B0);
    const int fs = FontSize();
    const int y0 = y - RoundPx(std::sin(a) * (fs + r));
    const int ly = y0 + (y - y0 - fs) / 2;
    const int lx = toRight ? x + RoundPx(std::cos(a) * r) + fs
                           : x - RoundPx(std::cos(a) * r) - fs - Bitmap.TextWidth(label);
    Bitmap.SetTextTransparent(true);
    // Led, when it must move far, to the middle of its arc.
    const int side = toRight ? 1 : -1;
    const QPoint mid(x + side * RoundPx(std::cos(a / 2) * r), y - RoundPx(std::sin(a / 2) * r));
    const QPoint end(x + side * RoundPx(std::cos(a) * r), y - RoundPx(std::sin(a) * r));
    DrawLabelLines(lx, ly, {label}, 0, mid, {QLine(QPoint(x + side * r, y), mid), QLine(mid, end)},
                   lrDimension);
    Bitmap.SetTag(open);
}

QRect TDiagramDraw::DrawDimension(int x1, int y1, int x2, int y2, const QString& text, int mode, bool outside,
                                  bool transparent) {
    const QString t = text.isEmpty() ? text : " " + text + " ";
    const int open = BeginStep(); // the lines, the arrows and the value
    const TFont saved = Bitmap.Font();
    const bool vertical = x1 == x2;
    Bitmap.SetFontHeight(-FontSize());
    Bitmap.SetFontAngle(vertical ? 90 : 0);
    const int tw = Bitmap.TextWidth(t);
    const int th = Bitmap.TextHeight(t);
    const int bw = vertical ? th : tw;
    const int bh = vertical ? tw : th;
    const int len = tw;
    const int avail = outside ? 0 : (vertical ? y2 - y1 : x2 - x1);
    int x = x1 + (x2 - x1) / 2;
    int y = y1 + (y2 - y1) / 2;
    if (vertical) {
        x -= bw / 2;
        y += len / 2;
    } else {
        x -= bw / 2;
        y -= bh / 2;
    }
    const int as = ArrowSize();
    if (avail - as > len || mode >= 3) {
        DrawArrowLine(x1, y1, x2, y2, as, true, true);
        if (avail - 2 * as <= len) {
            if (mode == 3) (vertical ? x : y) -= vertical ? bw : bh;
            if (mode == 4) (vertical ? x : y) += vertical ? bw : bh;
        }
    } else if (vertical) {
        DrawArrowLine(x1, y1 - 2 * as, x2, y1, as, false, true);
        DrawArrowLine(x1, y2, x2, y2 + 2 * as, as, true, false);
        if (mode == 1) y = y2 + as + len;
        if (mode == 2) y = y1 - as;
        x -= bw;
    } else {
        DrawArrowLine(x1 - 2 * as, y1, x1, y2, as, false, true);
        DrawArrowLine(x2, y2, x2 + 2 * as, y1, as, true, false);
        if (mode == 1) x = x1 - as - bw;
        if (mode == 2) x = x2 + as;
        y -= bh;
    }
    // An opaque label covers its cell, a transparent one the glyphs of its text.
    // An opaque label covers its cell with its blanks, a transparent one the cell of its text.
    const int blank = t.isEmpty() ? 0 : Bitmap.TextWidth(" ");
    const QRect cover = !transparent ? vertical ? QRect(x, y - bh, bw, bh) : QRect(x, y, bw, bh)
                        : vertical ? QRect(x, y - bh + blank, bw, bh - 2 * blank)
                                     : QRect(x + blank, y, bw - 2 * blank, bh);
    // What it labels: its line, with the arrows beyond its ends when they are drawn outside.
    const bool inside = avail - as > len || mode >= 3;
    const QPoint out = inside ? QPoint() : vertical ? QPoint(0, 2 * as) : QPoint(2 * as, 0);
    const TTarget target{QLine(QPoint(x1, y1) - out, QPoint(x2, y2) + out)};
    const QPoint shift = SetLabel(cover, QPoint(x1 + (x2 - x1) / 2, y1 + (y2 - y1) / 2), [=, this](QPoint d) {
        const int lx = x + d.x(), ly = y + d.y();
        // The label's background: what lies under the middle of its box, looking a little aside
        // when that is a line or a hatch; white when nothing else is found.
        const int cx = lx + bw / 2;
        const int cy = vertical ? ly - bh / 2 : ly + bh / 2;
        const int step = LineUnit2();
        TColor back = Bitmap.Pixel(cx, cy);
        for (const QPoint off : {QPoint(0, -step), QPoint(0, step), QPoint(-step, 0), QPoint(step, 0)}) {
            if (!IsDrawingColor(back)) break;
            back = Bitmap.Pixel(cx + off.x(), cy + off.y());
        }
        if (IsDrawingColor(back) || back == clBlack) back = clWhite;
        const TColor brush = Bitmap.Brush().Color;
        Bitmap.SetBrushColor(back);
        Bitmap.SetTextTransparent(transparent);
        Bitmap.SetFontColor(ContrastColor(back));
        TextOutSuper(lx, ly, t);
        Bitmap.SetBrushColor(brush);
    }, target, lrDimension, x1 == x2 || y1 == y2 || text.isEmpty() ? std::function<bool()>() : [=, this] {
        return WriteAlong(QLine(QPoint(x1, y1), QPoint(x2, y2)), text, QPoint(x1 + (x2 - x1) / 2, y1 + (y2 - y1) / 2), target);
    }, transparent ? QMargins() : vertical ? QMargins(0, blank, 0, blank) : QMargins(blank, 0, blank, 0));
    Bitmap.SetFont(saved);
    Bitmap.SetTag(open);
    const QRect box = vertical ? QRect(x, y - bh, bw, bh) : QRect(x, y, bw, bh);
    return box.translated(shift);
}

bool TDiagramDraw::WriteAlong(const QLine& line, const QString& text, QPoint anchor, const TTarget& target) {
    const double w = Bitmap.TextWidth(text), h = Bitmap.TextHeight(text);
    const auto at =
        Placement.AlongClear(Bitmap, PictureSize(), {line, w, h, LineUnit(), ArrowSize()}, Bitmap.Tag());
    if (!at) return false;
    const QPoint o = at->Corner;
    if (at->Breaks) {
        // Its line is broken under it.
        const TBrush brush = Bitmap.Brush();
        const TPen pen = Bitmap.Pen();
        Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
        Bitmap.SetPenStyle(TPenStyle::Clear);
        const QPointF c(o);
        Bitmap.Polygon({c.toPoint(), (c + w * at->Along).toPoint(),
                        (c + w * at->Along + h * at->Down).toPoint(), (c + h * at->Down).toPoint()});
        Bitmap.SetPen(pen);
        Bitmap.SetBrush(brush);
    }
    Bitmap.SetFontAngle(at->Degrees);
    Bitmap.SetFontColor(clBlack);
    Bitmap.SetTextTransparent(true);
    Bitmap.TextOut(o.x(), o.y(), text);
    Bitmap.SetFontAngle(0);
    // Later labels keep clear of its cell.
    QRectF all;
    for (const QRect& piece : at->Pieces(w, h)) {
        Placement.Labels.push_back(piece);
        LabelGlyphs.push_back(piece);
        all |= QRectF(piece);
    }
    Layout.Placed.push_back({all.toAlignedRect(), QPoint(), anchor, target, QLine(), true});
    return true;
}

void TDiagramDraw::DrawCircle(int x, int y, int r) {
    const int p = Bitmap.Pen().Width / 2;
    Bitmap.Ellipse(x - r - p, y - r - p, x + r + p, y + r + p);
}

void TDiagramDraw::DashDotLineTo(int x, int y, bool dashDot, int n) {
    if (n == 0) n = 8;
    if (n < 0) {
        Bitmap.LineTo(x, y);
        return;
    }
    const QPoint p0 = Bitmap.PenPos();
    Bitmap.SetStrokesHeld(true);
    const double dx = double(x - p0.x()) / (n + 1);
    const double dy = double(y - p0.y()) / (n + 1);
    for (int i = 1; i <= n; ++i) {
        const int px = p0.x() + RoundPx(i * dx);
        const int py = p0.y() + RoundPx(i * dy);
        if (i % 2 == 1) {
            Bitmap.LineTo(px, py);
        } else {
            if (dashDot) {
                Bitmap.MoveTo(p0.x() + RoundPx(i * dx - dx / 2 - dx / 15),
                              p0.y() + RoundPx(i * dy - dy / 2 - dy / 15));
                Bitmap.LineTo(p0.x() + RoundPx(i * dx - dx / 2 + dx / 15),
                              p0.y() + RoundPx(i * dy - dy / 2 + dy / 15));
            }
            Bitmap.MoveTo(px, py);
        }
    }
    Bitmap.LineTo(x, y);
    Bitmap.SetStrokesHeld(false);
    Bitmap.RecordStroke(p0, QPoint(x, y));
}

// --- entry points -----------------------------------------------------------------------------

QImage RenderDiagram(const TKdData& data, int kind, QSize size, const TAnchLevel* level,
                     const TCrossSectionTexts* texts, TDiagramLayout* layout) {
    if (size.width() <= 0 || size.height() <= 0) return QImage();
    TDiagramDraw draw(data, texts);
    draw.Bitmap.SetSize(size.width(), size.height());
    if (level) {
        draw.Level = *level;
        draw.HasLevel = true;
    }
    draw.Draw(kind);
    if (layout) *layout = draw.Layout;
    return draw.Bitmap.TakeImage();
}

void DrawToImage(QLabel& image, const TKdData& data, int kind, const TAnchLevel* level,
                 const TCrossSectionTexts* texts) {
    QImage picture = RenderDiagram(data, kind, image.size(), level, texts);
    if (picture.isNull()) {
        image.setPixmap(QPixmap());
        return;
    }
    // The cross section may come back wider than asked (room for long surcharge labels): shown
    // whole, scaled down to the label.
    if (picture.width() > image.width() || picture.height() > image.height())
        picture = picture.scaled(image.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    image.setPixmap(QPixmap::fromImage(picture));
}

void DrawToGraphic(QImage& target, const TKdData& data, int kind, const TAnchLevel* level,
                   const TCrossSectionTexts* texts) {
    target = RenderDiagram(data, kind, target.size(), level, texts);
}

} // namespace vantrel
