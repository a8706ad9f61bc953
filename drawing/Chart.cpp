#include "drawing/Chart.h"

#include <QLocale>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace vantrel::chart {

namespace {

constexpr int kPanelMargin = 8; // room between the picture's edge and the outermost text
constexpr int kLabelGap = 2;    // between a tick's end and its label
constexpr int kTitleGap = 4;    // between the labels (or marks) and the axis title
constexpr int kMaxTicks = 100;  // an increment giving more steps than this is treated as automatic
constexpr double kPixelClamp = TCanvas::MaxCoordinate / 2;
// The most decimals a label shows: past them a double no longer tells the ticks apart.
constexpr int kMaxDecimals = 15;

TFont MakeFont(int height, bool bold, TColor color = clBlack, int angle = 0) {
    TFont f;
    f.Height = -std::max(1, std::abs(height));
    f.Bold = bold;
    f.Color = color;
    f.Angle = angle;
    return f;
}

int NormalAngle(int angle) {
    return ((angle % 360) + 360) % 360;
}

// Size of a text box on the picture once turned by a multiple of 90 degrees.
QSize TurnedSize(const TCanvas& c, const QString& text, int angle) {
    const QSize s(c.TextWidth(text), c.TextHeight(text));
    const int a = NormalAngle(angle);
    return (a == 90 || a == 270) ? s.transposed() : s;
}

// Draws text in the canvas font turned by angle (counter-clockwise) with its turned box centred on
// (cx, cy): the reference point is the centre less the turned half-cell.
QRect TextCentredAt(TCanvas& c, double cx, double cy, int angle, const QString& text) {
    const double w = c.TextWidth(text), h = c.TextHeight(text);
    QTransform t;
    t.rotate(-angle);
    const QPointF half = t.map(QPointF(w / 2.0, h / 2.0));
    const int x = static_cast<int>(std::lrint(cx - half.x())),
              y = static_cast<int>(std::lrint(cy - half.y()));
    c.TextOut(x, y, text);
    return TextBox(c, x, y, text);
}

// A step of 1, 2 or 5 times a power of ten, at least minStep.
double NiceStep(double minStep) {
    if (!(minStep > 0) || !std::isfinite(minStep)) return 1.0;
    const double e = std::floor(std::log10(minStep));
    const double base = std::pow(10.0, e);
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * base >= minStep * (1.0 - 1e-9)) return m * base;
    }
    return 10.0 * base;
}

// The tick values of an axis for a step.
std::vector<double> Ticks(double lo, double hi, double step) {
    std::vector<double> out;
    if (!(step > 0) || !std::isfinite(step) || !(hi >= lo)) return out;
    const double count = (hi - lo) / step;
    if (!std::isfinite(count) || count > 10.0 * kMaxTicks) return out;
    const double first = std::ceil(lo / step - 1e-9) * step;
    for (int i = 0;; ++i) {
        double v = first + i * step;
        if (v > hi + step * 1e-9) break;
        if (std::fabs(v) < step * 1e-9) v = 0.0;
        out.push_back(v);
    }
    return out;
}

struct AxisLayout {
    QStringList labels;
    std::vector<double> ticks;
    int across = 0; // room of the labels across the axis
    int along = 0;  // length of the longest label along the axis
};

// Chooses the step of an axis for its length in pixels: the given increment (widened by whole
// multiples until the labels do not overlap) or a 1-2-5 step with room for the labels.
AxisLayout LayoutAxisLabels(TCanvas& c, Axis& axis, bool horizontal, int lengthPx) {
    AxisLayout out;
    c.SetFont(axis.LabelFont());
    const double lo = axis.drawnMin, hi = axis.drawnMax, range = hi - lo;
    const int a = NormalAngle(axis.labelAngle);
    const bool turned = (a == 90 || a == 270);
    const int textHeight = c.TextHeight(QStringLiteral("0"));
    // Label length along the axis, from the widest of the extreme values.
    int widest = 0;
    for (double v : {lo, hi, (lo + hi) / 2.0})
        widest = std::max(widest, c.TextWidth(FormatAxisValue(v, StepDecimals(NiceStep(range / 10.0)))));
    const int alongExtent = (horizontal != turned) ? widest : textHeight;
    const double minSpacing = std::max(16, alongExtent + 6);
    const double px = std::max(1, lengthPx);
    double step = 0;
    const bool fixedUsable =
        axis.increment > 0 && std::isfinite(axis.increment) && range / axis.increment <= kMaxTicks;
    if (fixedUsable) {
        step = axis.increment;
        const double spacing = step / range * px;
        if (spacing < minSpacing) step *= std::ceil(minSpacing / std::max(spacing, 1e-9));
    } else {
        step = NiceStep(minSpacing / px * range);
    }
    out.ticks = Ticks(lo, hi, step);
    const int decimals = StepDecimals(step);
    int maxWidth = 0;
    for (double v : out.ticks) {
        out.labels << FormatAxisValue(v, decimals);
        maxWidth = std::max(maxWidth, c.TextWidth(out.labels.back()));
    }
    const int acrossText = (horizontal != turned) ? textHeight : maxWidth;
    out.across = axis.labelSize > 0 ? axis.labelSize : acrossText;
    out.along = alongExtent;
    axis.drawnIncrement = step;
    return out;
}

void DrawPointer(TCanvas& c, const Series& s, int x, int y) {
    const Pointer& pt = s.pointer;
    const int hs = pt.horizSize, vs = pt.vertSize;
    c.SetPen(TPen{s.color, std::max(1, pt.penWidth), false, TPenStyle::Solid});
    c.SetBrush(TBrush{pt.brush != clNone ? pt.brush : s.color, TBrushStyle::Solid});
    switch (pt.style) {
    case PointerStyle::Rectangle:
        c.Rectangle(x - hs, y - vs, x + hs + 1, y + vs + 1);
        break;
    case PointerStyle::Circle:
        c.Ellipse(x - hs, y - vs, x + hs + 1, y + vs + 1);
        break;
    case PointerStyle::Triangle:
        c.Polygon({QPoint(x - hs, y + vs), QPoint(x + hs, y + vs), QPoint(x, y - vs)});
        break;
    case PointerStyle::DownTriangle:
        c.Polygon({QPoint(x - hs, y - vs), QPoint(x + hs, y - vs), QPoint(x, y + vs)});
        break;
    case PointerStyle::Cross:
        c.Line(x - hs, y, x + hs + 1, y);
        c.Line(x, y - vs, x, y + vs + 1);
        break;
    case PointerStyle::DiagCross:
        c.Line(x - hs, y - vs, x + hs + 1, y + vs + 1);
        c.Line(x - hs, y + vs, x + hs + 1, y - vs - 1);
        break;
    case PointerStyle::Star:
        c.Line(x - hs, y, x + hs + 1, y);
        c.Line(x, y - vs, x, y + vs + 1);
        c.Line(x - hs, y - vs, x + hs + 1, y + vs + 1);
        c.Line(x - hs, y + vs, x + hs + 1, y - vs - 1);
        break;
    case PointerStyle::Diamond:
        c.Polygon({QPoint(x, y - vs), QPoint(x + hs, y), QPoint(x, y + vs), QPoint(x - hs, y)});
        break;
    }
}

} // namespace

int StepDecimals(double step) {
    if (!(step > 0) || !std::isfinite(step)) return 3;
    // The fewest decimals that write the step out, judged against the step itself: a tolerance of
    // fixed size would take every step smaller than it for a whole number and label every tick 0.
    for (int d = 0; d < kMaxDecimals; ++d) {
        const double scaled = step * std::pow(10.0, d);
        if (std::fabs(scaled - std::nearbyint(scaled)) <= 1e-9 * scaled) return std::max(3, d);
    }
    return kMaxDecimals;
}

QString FormatAxisValue(double v, int decimals) {
    if (!std::isfinite(v)) return QString();
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    const double unit = std::pow(10.0, decimals);
    double r = std::round(v * unit) / unit;
    if (r == 0.0 || !std::isfinite(r)) r = std::isfinite(r) ? 0.0 : v; // no "-0"
    QString digits = QString::number(std::fabs(r), 'f', decimals);
    if (digits.contains('.')) {
        while (digits.endsWith('0'))
            digits.chop(1);
        if (digits.endsWith('.')) digits.chop(1);
    }
    // The decimal separator of the edits, and thousands grouped with the locale's separator.
    const QLocale locale;
    const int dot = digits.indexOf('.');
    QString whole = dot < 0 ? digits : digits.left(dot);
    const QString frac = dot < 0 ? QString() : locale.decimalPoint() + digits.mid(dot + 1);
    for (int i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, locale.groupSeparator());
    return (r < 0 ? QStringLiteral("-") : QString()) + whole + frac;
}

QRect TextBox(const TCanvas& canvas, int x, int y, const QString& text) {
    QTransform t;
    t.translate(x, y);
    t.rotate(-canvas.Font().Angle);
    return t.mapRect(QRect(0, 0, canvas.TextWidth(text), canvas.TextHeight(text)));
}

// --- Series -------------------------------------------------------------------------------------

void Series::Clear() {
    xs.clear();
    ys.clear();
}

void Series::Add(double x, double y) {
    size_t at = xs.size();
    if (!std::isnan(x)) {
        const auto definedEnd =
            std::partition_point(xs.begin(), xs.end(), [](double v) { return !std::isnan(v); });
        at = static_cast<size_t>(std::upper_bound(xs.begin(), definedEnd, x) - xs.begin());
    }
    xs.insert(xs.begin() + static_cast<std::ptrdiff_t>(at), x);
    ys.insert(ys.begin() + static_cast<std::ptrdiff_t>(at), y);
}

bool Series::IsFinitePoint(int i) const {
    return std::isfinite(X(i)) && std::isfinite(Y(i));
}

namespace {
// Extremes of one coordinate over the points whose both coordinates are finite.
std::optional<std::pair<double, double>> RangeOf(const std::vector<double>& v,
                                                 const std::vector<double>& other) {
    std::optional<std::pair<double, double>> r;
    for (size_t i = 0; i < v.size(); ++i) {
        const double a = v[i];
        if (!std::isfinite(a) || !std::isfinite(other[i])) continue;
        if (!r)
            r = std::make_pair(a, a);
        else
            r = std::make_pair(std::min(r->first, a), std::max(r->second, a));
    }
    return r;
}
} // namespace

std::optional<std::pair<double, double>> Series::XRange() const {
    return RangeOf(xs, ys);
}
std::optional<std::pair<double, double>> Series::YRange() const {
    return RangeOf(ys, xs);
}

// --- Axis ---------------------------------------------------------------------------------------

void Axis::SetMinMax(double lo, double hi) {
    automaticMinimum = automaticMaximum = false;
    minimum = lo;
    maximum = hi;
}

TFont Axis::LabelFont() const {
    return MakeFont(labelFontHeight, false, labelColor, labelAngle);
}
TFont Axis::TitleFont() const {
    return MakeFont(titleFontHeight, true);
}

int Axis::CalcPos(double v) const {
    const double span = drawnMax - drawnMin;
    if (!(span > 0) || !std::isfinite(v)) return startPos;
    const double pos = startPos + (v - drawnMin) / span * (endPos - startPos);
    return static_cast<int>(std::lrint(std::clamp(pos, -kPixelClamp, kPixelClamp)));
}

// --- Chart --------------------------------------------------------------------------------------

Chart::Chart() = default;

AxisId Chart::AxisOf(const Axis& axis, const Chart& chart) {
    for (int i = 0; i < 4; ++i)
        if (&chart.axes_[static_cast<size_t>(i)] == &axis) return static_cast<AxisId>(i);
    return AxisId::Left;
}

bool Chart::AxisInUse(AxisId id) const {
    return std::any_of(series.begin(), series.end(),
                       [id](const Series& s) { return s.active && (s.horizAxis == id || s.vertAxis == id); });
}

void Chart::ComputeLimits(Axis& axis, AxisId id) const {
    double lo = 0, hi = 0;
    bool any = false;
    for (const Series& s : series) {
        if (!s.active) continue;
        std::optional<std::pair<double, double>> r;
        if (s.horizAxis == id)
            r = s.XRange();
        else if (s.vertAxis == id)
            r = s.YRange();
        else
            continue;
        if (!r) continue;
        lo = any ? std::min(lo, r->first) : r->first;
        hi = any ? std::max(hi, r->second) : r->second;
        any = true;
    }
    if (!axis.automaticMinimum) lo = axis.minimum;
    if (!axis.automaticMaximum) hi = axis.maximum;
    if (!std::isfinite(lo)) lo = 0;
    if (!std::isfinite(hi)) hi = lo;
    if (lo > hi) std::swap(lo, hi);
    // Equal limits (a flat curve, all-zero data) would divide by zero: one unit either side.
    if (hi - lo <= std::fabs(lo) * 1e-12) {
        lo -= 1.0;
        hi += 1.0;
    }
    axis.drawnMin = lo;
    axis.drawnMax = hi;
}

int Chart::XScreen(const Series& s, int i) const {
    return GetAxis(s.horizAxis).CalcPos(s.X(i));
}
int Chart::YScreen(const Series& s, int i) const {
    return GetAxis(s.vertAxis).CalcPos(s.Y(i));
}

QStringList Chart::LegendTitles() const {
    QStringList out;
    for (const Series& s : series)
        if (s.active && s.showInLegend) out << s.title;
    return out;
}

void Chart::Draw(TCanvas& c) {
    for (Axis& a : axes_) {
        a.drawn = false;
        a.labelBoxes.clear();
        a.titleBox = QRect();
    }
    c.Clear(color);
    if (c.Width() < 4 || c.Height() < 4) return;
    const int W = c.Width(), H = c.Height();
    c.ClearClip();
    c.SetTextTransparent(true);

    if (bevel) {
        c.SetPen(TPen{clWhite, 1});
        c.Line(0, H - 1, 0, 0);
        c.LineTo(W - 1, 0);
        c.SetPen(TPen{0xA0A0A0, 1});
        c.LineTo(W - 1, H - 1);
        c.LineTo(0, H - 1);
    }

    // Legend entries and their rows along the bottom.
    struct Entry {
        const Series* s;
        int width;
    };
    std::vector<std::vector<Entry>> legendRows;
    const TFont legendFont = MakeFont(legendFontHeight, false);
    c.SetFont(legendFont);
    const int legendLine = c.TextHeight(QStringLiteral("X")) + 2;
    const int symbolWidth = 24, entryGap = 12;
    if (legendVisible) {
        std::vector<Entry> row;
        int rowWidth = 0;
        for (const Series& s : series) {
            if (!s.active || !s.showInLegend) continue;
            const int w = symbolWidth + 4 + c.TextWidth(s.title);
            if (!row.empty() && rowWidth + entryGap + w > W - 2 * kPanelMargin - 8) {
                legendRows.push_back(row);
                row.clear();
                rowWidth = 0;
            }
            rowWidth += (row.empty() ? 0 : entryGap) + w;
            row.push_back({&s, w});
        }
        if (!row.empty()) legendRows.push_back(row);
    }
    const int legendHeight = legendRows.empty() ? 0 : static_cast<int>(legendRows.size()) * legendLine + 6;

    // Axes in use and their limits.
    for (int i = 0; i < 4; ++i) {
        Axis& a = axes_[static_cast<size_t>(i)];
        a.drawn = a.visible && AxisInUse(static_cast<AxisId>(i));
        if (a.drawn) ComputeLimits(a, static_cast<AxisId>(i));
    }

    // Room of each side: ticks, labels, marks and title. A first pass lays the labels out for the
    // whole picture; the second, for the plot's real size, fixes the steps.
    std::array<AxisLayout, 4> layouts;
    QRect plot(kPanelMargin, kPanelMargin, W - 2 * kPanelMargin, H - 2 * kPanelMargin - legendHeight);
    for (int pass = 0; pass < 2; ++pass) {
        std::array<int, 4> room{};
        int endRoomH = 0, endRoomV = 0; // labels at the ends of an axis stick out by half their length
        for (int i = 0; i < 4; ++i) {
            Axis& a = axes_[static_cast<size_t>(i)];
            if (!a.drawn) continue;
            const bool horizontal = IsHorizontal(static_cast<AxisId>(i));
            AxisLayout& l = layouts[static_cast<size_t>(i)];
            l = LayoutAxisLabels(c, a, horizontal, horizontal ? plot.width() : plot.height());
            int r = a.tickLength + kLabelGap + l.across + a.outerMargin;
            if (!a.title.isEmpty()) {
                c.SetFont(a.TitleFont());
                r += kTitleGap + c.TextHeight(a.title);
            }
            room[static_cast<size_t>(i)] = r;
            int& endRoom = horizontal ? endRoomH : endRoomV;
            endRoom = std::max(endRoom, l.along / 2 + 2);
        }
        const int left = kPanelMargin + std::max(room[0], endRoomH) + extraRoom[0];
        const int right = W - 1 - kPanelMargin - std::max(room[2], endRoomH) - extraRoom[2];
        const int top = kPanelMargin + std::max(room[1], endRoomV) + extraRoom[1];
        const int bottom = H - 1 - kPanelMargin - legendHeight - std::max(room[3], endRoomV) - extraRoom[3];
        plot = QRect(QPoint(left, top), QPoint(std::max(left + 1, right), std::max(top + 1, bottom)));
    }

    // Scale of every axis: pixel of its minimum and maximum, line and label positions.
    for (int i = 0; i < 4; ++i) {
        Axis& a = axes_[static_cast<size_t>(i)];
        const auto id = static_cast<AxisId>(i);
        if (IsHorizontal(id)) {
            a.startPos = a.inverted ? plot.right() : plot.left();
            a.endPos = a.inverted ? plot.left() : plot.right();
        } else {
            a.startPos = a.inverted ? plot.top() : plot.bottom();
            a.endPos = a.inverted ? plot.bottom() : plot.top();
        }
        // The axis line on its side of the back wall; the labels start beyond the ticks, outward.
        const int outward = (id == AxisId::Left || id == AxisId::Top) ? -1 : 1;
        a.axisPos = id == AxisId::Left    ? plot.left()
                    : id == AxisId::Right ? plot.right()
                    : id == AxisId::Top   ? plot.top()
                                          : plot.bottom();
        a.labelPos = a.axisPos + outward * (a.tickLength + kLabelGap);
        a.labelExtent = layouts[static_cast<size_t>(i)].across;
    }

    // Back wall and grid.
    c.SetPen(TPen{clBlack, 1});
    c.SetBrush(TBrush{backWall, TBrushStyle::Solid});
    c.Rectangle(plot.left(), plot.top(), plot.right() + 1, plot.bottom() + 1);
    c.SetPen(TPen{clSilver, 1, false, TPenStyle::Dot});
    for (int i = 0; i < 4; ++i) {
        const Axis& a = axes_[static_cast<size_t>(i)];
        if (!a.drawn) continue;
        for (double v : layouts[static_cast<size_t>(i)].ticks) {
            const int pos = a.CalcPos(v);
            if (IsHorizontal(static_cast<AxisId>(i))) {
                if (pos > plot.left() && pos < plot.right()) c.Line(pos, plot.top() + 1, pos, plot.bottom());
            } else if (pos > plot.top() && pos < plot.bottom()) {
                c.Line(plot.left() + 1, pos, plot.right(), pos);
            }
        }
    }

    // Series, clipped to the inside of the back wall.
    c.SetClipRect(plot.left() + 1, plot.top() + 1, plot.right(), plot.bottom());
    for (const Series& s : series) {
        if (!s.active || s.Count() == 0) continue;
        if (s.isLine && s.lineWidth > 0) {
            c.SetPen(TPen{s.color, s.lineWidth});
            std::vector<QPoint> run;
            auto flush = [&] {
                c.Polyline(run);
                run.clear();
            };
            for (int i = 0; i < s.Count(); ++i) {
                if (!s.IsFinitePoint(i)) {
                    flush();
                    continue;
                }
                run.emplace_back(XScreen(s, i), YScreen(s, i));
            }
            flush();
        }
        if (s.pointer.visible) {
            for (int i = 0; i < s.Count(); ++i)
                if (s.IsFinitePoint(i)) DrawPointer(c, s, XScreen(s, i), YScreen(s, i));
        }
    }
    c.ClearClip();

    // Axis lines, ticks, labels and titles.
    for (int i = 0; i < 4; ++i) {
        Axis& a = axes_[static_cast<size_t>(i)];
        if (!a.drawn) continue;
        const auto id = static_cast<AxisId>(i);
        const AxisLayout& l = layouts[static_cast<size_t>(i)];
        const int dir = (id == AxisId::Left || id == AxisId::Top) ? -1 : 1;
        c.SetPen(a.axisPen);
        if (IsHorizontal(id))
            c.Line(plot.left(), a.axisPos, plot.right() + 1, a.axisPos);
        else
            c.Line(a.axisPos, plot.top(), a.axisPos, plot.bottom() + 1);
        c.SetFont(a.LabelFont());
        for (size_t t = 0; t < l.ticks.size(); ++t) {
            const QString& label = l.labels[static_cast<int>(t)];
            const int pos = a.CalcPos(l.ticks[t]);
            c.SetPen(a.tickPen);
            if (IsHorizontal(id))
                c.Line(pos, a.axisPos, pos, a.axisPos + dir * a.tickLength);
            else
                c.Line(a.axisPos, pos, a.axisPos + dir * a.tickLength, pos);
            const QSize box = TurnedSize(c, label, a.labelAngle);
            const double across = a.labelPos + dir * (IsHorizontal(id) ? box.height() : box.width()) / 2.0;
            a.labelBoxes.push_back(IsHorizontal(id) ? TextCentredAt(c, pos, across, a.labelAngle, label)
                                                    : TextCentredAt(c, across, pos, a.labelAngle, label));
        }
        if (!a.title.isEmpty()) {
            const int angle = id == AxisId::Left ? 90 : id == AxisId::Right ? 270 : 0;
            TFont f = a.TitleFont();
            f.Angle = angle;
            c.SetFont(f);
            const int th = c.TextHeight(a.title);
            const double across = a.labelPos + dir * (l.across + a.outerMargin + kTitleGap + th / 2.0);
            const double mid =
                IsHorizontal(id) ? (plot.left() + plot.right()) / 2.0 : (plot.top() + plot.bottom()) / 2.0;
            a.titleBox = IsHorizontal(id) ? TextCentredAt(c, mid, across, angle, a.title)
                                          : TextCentredAt(c, across, mid, angle, a.title);
        }
    }

    // Legend: framed rows of a line with the series' pointer and its title.
    if (!legendRows.empty()) {
        int boxWidth = 0;
        for (const auto& row : legendRows) {
            int w = 0;
            for (const Entry& e : row)
                w += (w ? entryGap : 0) + e.width;
            boxWidth = std::max(boxWidth, w);
        }
        const int boxLeft = (W - boxWidth) / 2 - 6, boxTop = H - kPanelMargin - legendHeight + 2;
        c.SetPen(TPen{clBlack, 1});
        c.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
        c.Rectangle(boxLeft, boxTop, boxLeft + boxWidth + 12, boxTop + legendHeight - 2);
        int y = boxTop + 3;
        for (const auto& row : legendRows) {
            int x = boxLeft + 6;
            for (const Entry& e : row) {
                const int cy = y + legendLine / 2;
                if (e.s->isLine) {
                    c.SetPen(TPen{e.s->color, std::max(1, e.s->lineWidth)});
                    c.Line(x, cy, x + symbolWidth - 1, cy);
                }
                if (e.s->pointer.visible) {
                    Series small = *e.s;
                    small.pointer.horizSize = std::min(small.pointer.horizSize, legendLine / 2 - 1);
                    small.pointer.vertSize = std::min(small.pointer.vertSize, legendLine / 2 - 1);
                    DrawPointer(c, small, x + symbolWidth / 2 - 1, cy);
                }
                c.SetFont(legendFont);
                c.TextOut(x + symbolWidth + 4, y + 1, e.s->title);
                x += e.width + entryGap;
            }
            y += legendLine;
        }
    }

    if (afterDraw) {
        AfterDraw hook{c, *this};
        afterDraw(hook);
    }
}

} // namespace vantrel::chart
