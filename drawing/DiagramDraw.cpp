// The drawer's frame shared by every diagram: entry points, layout units, label colours and the
// drawing primitives (text boxes, values with units, arrows, angle arcs, dimension lines, dashed
// lines, superscript text).

#include "drawing/DiagramDraw.h"

#include <QLabel>
#include <QLocale>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace vantrel {

namespace {

constexpr double kPiD = std::numbers::pi;

// Lines and hatches use these; a label never takes one of them as its background.
constexpr std::array<TColor, 6> kDrawingColours = {0x808080,   0x000000,   0xC0C0C0,
                                                   0x0002CBE8, 0x005EA3FF, 0xFFFFFF};

// A coordinate the canvas leaves out (beyond its reach).
constexpr int kOutside = 2 * TCanvas::MaxCoordinate;

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
    Labels.clear();
    Blocks.clear();
    Segments.clear();
    SegmentsByTop.clear();
    SegmentsByBottom.clear();
    StrokeSpans.clear();
    Held.clear();
    AvoidLines = false;
    HoldLabels = false;
    HasSteel = true;
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

QString TDiagramDraw::FormatValue(double value, int decimals, const QString& unitText) {
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

QPoint TDiagramDraw::ClearShift(const QRect& box, int tag, int rise) {
    // A label beyond the canvas's reach comes from degenerate geometry and is not drawn.
    if (box.isEmpty() || !Reachable(box.left()) || !Reachable(box.right()) || !Reachable(box.top()) ||
        !Reachable(box.bottom()))
        return {};
    // The picture as it is cut at the end.
    const int pw = std::min(Bitmap.Width(), OutW > 0 ? OutW : Bitmap.Width());
    const int ph = std::min(Bitmap.Height(), OutH > 0 ? OutH : Bitmap.Height());
    // Moves that keep the box inside the picture; one too large for it keeps its top-left corner in.
    const int dxMin = -box.left(), dyMin = -box.top();
    const int dxMax = std::max(dxMin, pw - 1 - box.right()), dyMax = std::max(dyMin, ph - 1 - box.bottom());
    // Kept within `rise` of its row when a place there is clear.
    if (rise >= 0 && std::max(dyMin, -rise) <= std::min(dyMax, rise))
        if (const auto near = FindClear(box, tag, dxMin, dxMax, std::max(dyMin, -rise), std::min(dyMax, rise)))
            return *near;
    // Searched first within a square about the place asked for, a few labels wide, then within
    // squares three times as wide: a clear place found no farther than the square's half-width
    // needs no wider search, as every place outside lies farther.
    const int whole = std::max({dxMax - dxMin, dyMax - dyMin, 1});
    for (int half = 3 * (box.width() + box.height());; half *= 3) {
        const bool last = half >= whole;
        const auto found = FindClear(box, tag, dxMin, dxMax, dyMin, dyMax, last ? 0 : half);
        if (found && (last || (long long)found->x() * found->x() + (long long)found->y() * found->y() <=
                                  (long long)half * half))
            return *found;
        if (last) return QPoint(std::clamp(0, dxMin, dxMax), std::clamp(0, dyMin, dyMax));
    }
}

std::optional<QPoint> TDiagramDraw::FindClear(const QRect& box, int tag, int dxMin, int dxMax, int dyMin,
                                              int dyMax, int half) {
    // A line unit of white between a label and its neighbours.
    const int gap = LineUnit();
    const int dx0 = std::clamp(0, dxMin, dxMax);
    // Within a square of half-width `half` about no move (none: 0) only what reaches into it counts.
    if (half > 0) {
        dxMin = std::max(dxMin, dx0 - half), dxMax = std::min(dxMax, dx0 + half);
        dyMin = std::max(dyMin, -half), dyMax = std::min(dyMax, half);
        if (dyMin > dyMax) return std::nullopt;
    }
    const int left = box.left() - gap, right = box.right() + gap;
    const int top0 = box.top() - gap, bottom0 = box.bottom() + gap;

    // Every obstacle blocks, in a row of moves dy, one interval of moves dx: those that bring the
    // box (widened by the gap) onto it. It does so in the rows dyLo..dyHi only: a label or block
    // over its whole width, a stroke over the columns its centre line crosses within the rows of
    // the box widened by half its pen, which shift from row to row when it slants.
    struct Obstacle {
        int dyLo, dyHi;
        int dxLo = 0, dxHi = 0;
        const TSegmentRecord* stroke = nullptr;
        double slope = 0; // columns per row of a slanting stroke
    };
    std::vector<Obstacle> obstacles;
    obstacles.reserve(Labels.size() + Blocks.size() + (AvoidLines ? Segments.size() : 0));
    // Labels and blocks come first, then the strokes in the order of their top rows.
    std::vector<int> strokeObstacle;
    auto reaches = [&](const Obstacle& o) {
        return o.dyHi >= dyMin && o.dyLo <= dyMax && o.dxHi >= dxMin && o.dxLo <= dxMax;
    };
    auto addRect = [&](const QRect& o) {
        const Obstacle r{o.top() - bottom0, o.bottom() - top0, o.left() - right, o.right() - left};
        if (reaches(r)) obstacles.push_back(r);
    };
    for (const QRect& l : Labels)
        addRect(l);
    for (const QRect& b : Blocks)
        addRect(b);
    const size_t rects = obstacles.size();
    if (AvoidLines) {
        // The strokes are measured and sorted once for all the labels of a drawing; a leader drawn
        // since takes its place among them.
        for (size_t i = StrokeSpans.size(); i < Segments.size(); ++i) {
            const TSegmentRecord& r = Segments[i];
            const int pen = (r.Width + 1) / 2;
            StrokeSpans.push_back({std::min(r.Line.y1(), r.Line.y2()) - pen, std::max(r.Line.y1(), r.Line.y2()) + pen,
                                   std::min(r.Line.x1(), r.Line.x2()) - pen, std::max(r.Line.x1(), r.Line.x2()) + pen});
        }
        auto byTop = [&](int a, int b) { return StrokeSpans[size_t(a)].Top < StrokeSpans[size_t(b)].Top; };
        auto byBottom = [&](int a, int b) { return StrokeSpans[size_t(a)].Bottom > StrokeSpans[size_t(b)].Bottom; };
        for (int i = int(SegmentsByTop.size()); i < int(Segments.size()); ++i) {
            SegmentsByTop.insert(std::upper_bound(SegmentsByTop.begin(), SegmentsByTop.end(), i, byTop), i);
            SegmentsByBottom.insert(std::upper_bound(SegmentsByBottom.begin(), SegmentsByBottom.end(), i, byBottom),
                                    i);
        }
        strokeObstacle.assign(Segments.size(), -1);
        for (const int i : SegmentsByTop) {
            const StrokeSpan& span = StrokeSpans[size_t(i)];
            if (span.Top - bottom0 > dyMax) break; // this and every later one below the rows searched
            const TSegmentRecord& s = Segments[size_t(i)];
            if (tag != 0 && s.Tag == tag) continue;
            // Its columns over all its rows; those of a row when it slants.
            Obstacle o{span.Top - bottom0, span.Bottom - top0, span.Left - right, span.Right - left};
            if (!reaches(o)) continue;
            if (s.Line.dx() != 0 && s.Line.dy() != 0) {
                o.stroke = &s;
                o.slope = double(s.Line.dx()) / s.Line.dy();
            }
            strokeObstacle[size_t(i)] = int(obstacles.size());
            obstacles.push_back(o);
        }
    }
    auto interval = [&](const Obstacle& o, int dy) -> std::pair<int, int> {
        if (!o.stroke) return {o.dxLo, o.dxHi};
        // The centre line's columns between the rows it crosses within the band.
        const TSegmentRecord& s = *o.stroke;
        const int half = (s.Width + 1) / 2;
        const int yTop = std::min(s.Line.y1(), s.Line.y2()), yBottom = std::max(s.Line.y1(), s.Line.y2());
        const int ya = std::clamp(top0 + dy - half, yTop, yBottom), yb = std::clamp(bottom0 + dy + half, yTop, yBottom);
        double xa = s.Line.x1() + (ya - s.Line.y1()) * o.slope, xb = s.Line.x1() + (yb - s.Line.y1()) * o.slope;
        if (xa > xb) std::swap(xa, xb);
        // Whole columns, a column wider either side rather than a libm rounding per row.
        return {int(xa) - 1 - half - right, int(xb) + 1 + half - left};
    };

    // The steel of a picture row as runs of columns, read once per row when a search needs it.
    std::vector<std::vector<std::pair<int, int>>> steelRuns;
    std::vector<char> steelRead;
    const QRgb steel = qRgb(RedOf(kSteel), GreenOf(kSteel), BlueOf(kSteel)) & 0xFFFFFF;
    const QRgb ties = qRgb(RedOf(kTies), GreenOf(kTies), BlueOf(kTies)) & 0xFFFFFF;
    auto runsOf = [&](int y) -> const std::vector<std::pair<int, int>>& {
        if (steelRead.empty()) {
            steelRuns.resize(size_t(Bitmap.Height()));
            steelRead.assign(size_t(Bitmap.Height()), 0);
        }
        auto& runs = steelRuns[size_t(y)];
        if (!steelRead[size_t(y)]) {
            steelRead[size_t(y)] = 1;
            const auto* line = Bitmap.ScanLine(y);
            // Only the columns a move of the search can bring the box onto.
            const int x0 = std::max(0, left + dxMin), x1 = std::min(Bitmap.Width() - 1, right + dxMax);
            for (int x = x0; x <= x1; ++x) {
                const QRgb c = line[x] & 0xFFFFFF;
                if (c != steel && c != ties) continue;
                if (!runs.empty() && runs.back().second == x - 1)
                    runs.back().second = x;
                else
                    runs.emplace_back(x, x);
            }
        }
        return runs;
    };

    // The moves of a row nearest to dx0, from the intervals of moves it blocks: dx0 itself when it
    // is free, else the free neighbours of the blocked run that holds it.
    std::vector<std::pair<int, int>> blocked;
    blocked.reserve(obstacles.size() + 16);
    std::vector<int> candidates;
    auto freeNear = [&]() {
        candidates.clear();
        std::sort(blocked.begin(), blocked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t i = 0; i < blocked.size();) {
            // The next run of blocked moves, the intervals that meet or touch it merged.
            const int lo = blocked[i].first;
            int hi = blocked[i].second;
            for (++i; i < blocked.size() && blocked[i].first <= hi + 1; ++i)
                hi = std::max(hi, blocked[i].second);
            if (lo > dx0) break;
            if (hi >= dx0) {
                if (lo - 1 >= dxMin) candidates.push_back(lo - 1);
                if (hi + 1 <= dxMax) candidates.push_back(hi + 1);
                return;
            }
        }
        candidates.push_back(dx0);
    };
    auto steelOf = [&](int dy) {
        if (HasSteel)
            for (int y = std::max(0, top0 + dy); y <= std::min(Bitmap.Height() - 1, bottom0 + dy); ++y)
                for (const auto& [x0, x1] : runsOf(y))
                    blocked.emplace_back(x0 - right, x1 - left);
    };
    // Most labels stand clear where they are asked for.
    if (dx0 == 0 && dyMin <= 0 && dyMax >= 0) {
        for (const Obstacle& o : obstacles)
            if (o.dyLo <= 0 && 0 <= o.dyHi) blocked.push_back(interval(o, 0));
        steelOf(0);
        freeNear();
        if (candidates.size() == 1 && candidates[0] == 0) return QPoint();
    }

    // The rows are searched outward from no move, down and up in turn. Each direction sweeps the
    // obstacles in the order they come into reach and drops those it has passed. A row across
    // the same obstacles as the row before it, none slanting and no steel read, offers the same
    // moves one row farther: it is passed over.
    struct Sweep {
        bool down;
        std::vector<int> order; // by the row each comes into reach
        size_t next = 0;
        std::vector<int> active;
        int leaves = 0;      // the nearest row at which an active obstacle is passed
        bool slants = false; // an active stroke slants
        bool seen = false;   // a row has been read
        int read = 0;        // the last row read
    };
    const int stride = std::max(2, box.height() / 2);
    Sweep down{true, {}, 0, {}}, up{false, {}, 0, {}};
    // The strokes come in sorted; the few labels and blocks are sorted and merged with them.
    {
        std::vector<int> firstRects(rects);
        for (size_t i = 0; i < rects; ++i)
            firstRects[i] = int(i);
        auto byLo = [&](int a, int b) { return obstacles[size_t(a)].dyLo < obstacles[size_t(b)].dyLo; };
        auto byHi = [&](int a, int b) { return obstacles[size_t(a)].dyHi > obstacles[size_t(b)].dyHi; };
        std::vector<int> strokesDown, strokesUp;
        strokesDown.reserve(obstacles.size() - rects);
        strokesUp.reserve(obstacles.size() - rects);
        for (size_t i = rects; i < obstacles.size(); ++i)
            strokesDown.push_back(int(i));
        if (AvoidLines)
            for (const int i : SegmentsByBottom) {
                if (StrokeSpans[size_t(i)].Bottom - top0 < dyMin) break; // this and every later one above
                if (strokeObstacle[size_t(i)] >= 0) strokesUp.push_back(strokeObstacle[size_t(i)]);
            }
        std::vector<int> rectsDown = firstRects, rectsUp = firstRects;
        std::sort(rectsDown.begin(), rectsDown.end(), byLo);
        std::sort(rectsUp.begin(), rectsUp.end(), byHi);
        down.order.resize(obstacles.size());
        up.order.resize(obstacles.size());
        std::merge(rectsDown.begin(), rectsDown.end(), strokesDown.begin(), strokesDown.end(), down.order.begin(), byLo);
        std::merge(rectsUp.begin(), rectsUp.end(), strokesUp.begin(), strokesUp.end(), up.order.begin(), byHi);
    }
    // Reads row dy into `blocked`; false when it offers nothing new.
    auto blockRow = [&](Sweep& sweep, int dy) {
        // A slanting stroke shifts its columns a little from row to row: such rows are read every
        // half label height.
        bool changed = !sweep.seen || HasSteel || (sweep.slants && std::abs(dy - sweep.read) >= stride);
        while (sweep.next < sweep.order.size()) {
            const Obstacle& o = obstacles[size_t(sweep.order[sweep.next])];
            if (sweep.down ? o.dyLo > dy : o.dyHi < dy) break;
            sweep.active.push_back(sweep.order[sweep.next++]);
            changed = true;
        }
        if (sweep.seen && (sweep.down ? dy > sweep.leaves : dy < sweep.leaves)) changed = true;
        // Rows within half a label height are read every other row, farther ones a label height
        // apart: a nearer place in a narrow gap between them may be missed, never one taken that
        // is not clear.
        if (sweep.seen && !HasSteel &&
            std::abs(dy - sweep.read) < (std::abs(dy) > box.height() / 2 ? box.height() : 2))
            changed = false;
        if (!changed) return false;
        sweep.seen = true;
        sweep.read = dy;
        sweep.slants = false;
        sweep.leaves = sweep.down ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
        blocked.clear();
        auto& active = sweep.active;
        for (size_t i = 0; i < active.size();) {
            const Obstacle& o = obstacles[size_t(active[i])];
            if (sweep.down ? o.dyHi < dy : o.dyLo > dy) {
                active[i] = active.back();
                active.pop_back();
                continue;
            }
            ++i;
            sweep.leaves = sweep.down ? std::min(sweep.leaves, o.dyHi) : std::max(sweep.leaves, o.dyLo);
            sweep.slants = sweep.slants || o.stroke;
            const auto iv = interval(o, dy);
            if (iv.first <= iv.second) blocked.push_back(iv);
        }
        steelOf(dy);
        return true;
    };
    // Of moves equally far, the one met first walking square rings about no move, each ring's top
    // row, bottom row, left column and right column in turn.
    auto order = [](int dx, int dy) {
        const int r = std::max(std::abs(dx), std::abs(dy));
        const int side = dy == -r ? 0 : dy == r ? 1 : dx == -r ? 2 : 3;
        return std::array<long long, 3>{r, side, side < 2 ? dx : dy};
    };
    long long best = -1;
    std::array<long long, 3> bestOrder{};
    std::optional<QPoint> shift;
    const int reach = std::max(std::abs(dyMin), std::abs(dyMax));
    for (int k = 0; k <= reach && (best < 0 || (long long)k * k <= best); ++k)
        for (const int sign : {-1, 1}) {
            const int dy = sign * k;
            if (dy < dyMin || dy > dyMax || (k == 0 && sign > 0)) continue;
            if (!blockRow(dy >= 0 ? down : up, dy)) continue;
            freeNear();
            for (const int dx : candidates) {
                const long long d2 = (long long)dx * dx + (long long)dy * dy;
                const auto o = order(dx, dy);
                if (best < 0 || d2 < best || (d2 == best && o < bestOrder))
                    best = d2, bestOrder = o, shift = QPoint(dx, dy);
            }
            if (best == 0) return QPoint();
        }
    return shift;
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

QPoint TDiagramDraw::SetLabel(const QRect& box, QPoint anchor, const std::function<void(QPoint)>& draw) {
    const int tag = Bitmap.Tag();
    Layout.Placed.push_back({box, QPoint(), anchor, QLine(), false, QRect()});
    if (!HoldLabels) {
        const QPoint shift = ClearShift(box, tag);
        Layout.Placed.back().Shift = shift;
        draw(shift);
        return shift;
    }
    const TFont font = Bitmap.Font();
    const TBrush brush = Bitmap.Brush();
    const bool transparent = Bitmap.TextTransparent();
    Held.push_back({box, anchor, tag, Layout.Placed.size() - 1,
                    [this, font, brush, transparent, draw](QPoint shift) {
                        Bitmap.SetFont(font);
                        Bitmap.SetBrush(brush);
                        Bitmap.SetTextTransparent(transparent);
                        draw(shift);
                    }});
    return {};
}

void TDiagramDraw::PlaceLabels() {
    HoldLabels = false;
    if (Held.empty()) return;
    const TFont font = Bitmap.Font();
    const TPen pen = Bitmap.Pen();
    const TBrush brush = Bitmap.Brush();
    const bool transparent = Bitmap.TextTransparent();
    for (const HeldLabel& l : Held) {
        // A label of no drawing step still owns its leader.
        Bitmap.SetTag(l.Tag != 0 ? l.Tag : ++LastTag);
        // Moved clear off its place (beside a neighbour that took it), a label gets a leader from
        // its nearest edge to the point it labels; a place whose leader would cross a label is
        // given up for the next nearest.
        const size_t blocks = Blocks.size();
        QPoint shift;
        std::optional<QLine> leader;
        for (int tries = 0; tries < 4; ++tries) {
            shift = ClearShift(l.Box, l.Tag);
            const QRect at = l.Box.translated(shift);
            if (std::abs(shift.x()) <= l.Box.width() && std::abs(shift.y()) <= l.Box.height()) break;
            const QLine line(QPoint(std::clamp(l.Anchor.x(), at.left(), at.right()),
                                    std::clamp(l.Anchor.y(), at.top(), at.bottom())),
                             l.Anchor);
            const auto crossed = std::find_if(Labels.begin(), Labels.end(), [&](const QRect& other) {
                return LineMeetsRect(line, other.adjusted(-1, -1, 1, 1));
            });
            if (crossed == Labels.end()) {
                leader = line;
                break;
            }
            // Every place behind the label crossed is given up at once; a point boxed in by labels
            // on every side takes no leader.
            Blocks.push_back(at.united(*crossed));
        }
        Blocks.resize(blocks);
        if (leader) {
            SetPen(clBlack, LineUnit());
            Bitmap.Line(leader->x1(), leader->y1(), leader->x2(), leader->y2());
            Layout.Placed[l.Placed].Leader = *leader;
        }
        Layout.Placed[l.Placed].Shift = shift;
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
    const QRect ink = TextInk(x, y, s);
    const QPoint shift = SetLabel(ink, anchor.isNull() ? ink.center() : anchor,
                                  [this, x, y, s](QPoint d) { TextOutSuper(x + d.x(), y + d.y(), s); });
    return ink.translated(shift);
}

void TDiagramDraw::TextOutSuper(int x, int y, const QString& s) {
    if (const QRect ink = TextInk(x, y, s); !ink.isEmpty()) Labels.push_back(ink);
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
            const auto it = std::find_if(under.begin(), under.end(), [c](const auto& u) { return u.first == c; });
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
                                bool frame, TColor fill, int rise) {
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
    // A filled or framed box covers its rectangle, a bare one the glyphs of its text.
    const QRect cover = fill != clNone || frame ? QRect(QPoint(left, top), QPoint(right - 1, bottom - 1))
                                                : TextInk(left + offset, top, text);
    const QPoint shift = ClearShift(cover, Bitmap.Tag(), rise);
    Layout.Placed.push_back({cover, shift, cover.center(), QLine(), false, QRect()});
    left += shift.x(), right += shift.x(), top += shift.y(), bottom += shift.y();
    if (fill != clNone) {
        Bitmap.SetBrushColor(fill);
        Bitmap.SetBrushStyle(TBrushStyle::Solid);
        Bitmap.FillRect(left, top, right, bottom);
    }
    if (frame) Bitmap.Rectangle(left, top, right + Bitmap.Pen().Width, bottom);
    Bitmap.SetTextTransparent(true);
    // The background is read where the glyphs begin: a label set close beside the steel takes its
    // colour from the white it stands on, not from the steel a side bearing away.
    const QRect ink = TextInk(left + offset, top, text);
    int x = ink.isEmpty() ? left + offset : std::max(left + offset, ink.left());
    int y = top + Bitmap.TextHeight(text) / 2;
    TColor sample = Bitmap.Pixel(x, y);
    if (IsDrawingColor(sample)) {
        sample = Bitmap.Pixel(--x, --y);
        if (IsDrawingColor(sample)) sample = Bitmap.Pixel(x, y + 2);
    }
    Bitmap.SetFontColor(ReadableOn(ink, ContrastColor(sample)));
    TextOutSuper(left + offset, top, text);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
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
    const QPoint mid(x + (toRight ? 1 : -1) * RoundPx(std::cos(a / 2) * r), y - RoundPx(std::sin(a / 2) * r));
    DrawLabel(lx, ly, label, mid);
    Layout.Placed.back().Arc = QRect(x - r, y - r, 2 * r, 2 * r);
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
    const QRect cover = transparent ? TextInk(x, y, t) : vertical ? QRect(x, y - bh, bw, bh) : QRect(x, y, bw, bh);
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
    });
    Layout.Placed.back().Dimension = true;
    Bitmap.SetFont(saved);
    Bitmap.SetTag(open);
    const QRect box = vertical ? QRect(x, y - bh, bw, bh) : QRect(x, y, bw, bh);
    return box.translated(shift);
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
