#include "drawing/Chart.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace vantrel::chart {

namespace {

constexpr int kPanelMargin = 8; // room between the picture's edge and the outermost text
constexpr int kLabelGap = 2;    // between a tick's end and its label
constexpr int kTitleGap = 4;    // between the labels (or marks) and the axis title
constexpr int kMaxTicks = 100;  // an increment giving more steps than this is treated as automatic
constexpr double kPixelClamp = 1.0e6;

const char* const kFontFamily = "Liberation Sans";

QFont PixelFont(int height, bool bold = false) {
    QFont f(kFontFamily);
    f.setPixelSize(std::max(1, std::abs(height)));
    f.setBold(bold);
    return f;
}

// Size of a text box on the picture once turned by a multiple of 90 degrees.
QSize TurnedSize(const QFontMetrics& fm, const QString& text, int angle) {
    const QSize s(fm.horizontalAdvance(text), fm.height());
    const int a = ((angle % 360) + 360) % 360;
    return (a == 90 || a == 270) ? s.transposed() : s;
}

// Draws text turned by angle (counter-clockwise) with its turned box centred on (cx, cy).
void TextCentredAt(QPainter& p, double cx, double cy, int angle, const QString& text) {
    const QFontMetrics fm(p.font());
    const double w = fm.horizontalAdvance(text);
    const double h = fm.height();
    p.save();
    p.translate(cx, cy);
    p.rotate(-angle);
    p.drawText(QRectF(-w / 2.0 - 1, -h / 2.0, w + 2, h), Qt::AlignCenter, text);
    p.restore();
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
AxisLayout LayoutAxisLabels(Axis& axis, bool horizontal, int lengthPx) {
    AxisLayout out;
    const QFontMetrics fm(axis.LabelFont());
    const double lo = axis.drawnMin, hi = axis.drawnMax, range = hi - lo;
    const int a = ((axis.labelAngle % 360) + 360) % 360;
    const bool turned = (a == 90 || a == 270);
    // Label length along the axis, from the widest of the extreme values.
    int widest = 0;
    for (double v : {lo, hi, (lo + hi) / 2.0})
        widest = std::max(widest, fm.horizontalAdvance(FormatAxisValue(v)));
    const int alongExtent = (horizontal != turned) ? widest : fm.height();
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
    int maxWidth = 0;
    for (double v : out.ticks) {
        out.labels << FormatAxisValue(v);
        maxWidth = std::max(maxWidth, fm.horizontalAdvance(out.labels.back()));
    }
    const int acrossText = (horizontal != turned) ? fm.height() : maxWidth;
    out.across = axis.labelSize > 0 ? axis.labelSize : acrossText;
    out.along = alongExtent;
    axis.drawnIncrement = step;
    return out;
}

void DrawPointer(QPainter& p, const Series& s, int x, int y) {
    const Pointer& pt = s.pointer;
    const int hs = pt.horizSize, vs = pt.vertSize;
    p.setPen(QPen(s.color, std::max(1, pt.penWidth), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(pt.brush.isValid() ? pt.brush : s.color);
    switch (pt.style) {
    case PointerStyle::Rectangle:
        p.drawRect(x - hs, y - vs, 2 * hs, 2 * vs);
        break;
    case PointerStyle::Circle:
        p.drawEllipse(QPoint(x, y), hs, vs);
        break;
    case PointerStyle::Triangle:
        p.drawPolygon(QPolygon({QPoint(x - hs, y + vs), QPoint(x + hs, y + vs), QPoint(x, y - vs)}));
        break;
    case PointerStyle::DownTriangle:
        p.drawPolygon(QPolygon({QPoint(x - hs, y - vs), QPoint(x + hs, y - vs), QPoint(x, y + vs)}));
        break;
    case PointerStyle::Cross:
        p.drawLine(x - hs, y, x + hs, y);
        p.drawLine(x, y - vs, x, y + vs);
        break;
    case PointerStyle::DiagCross:
        p.drawLine(x - hs, y - vs, x + hs, y + vs);
        p.drawLine(x - hs, y + vs, x + hs, y - vs);
        break;
    case PointerStyle::Star:
        p.drawLine(x - hs, y, x + hs, y);
        p.drawLine(x, y - vs, x, y + vs);
        p.drawLine(x - hs, y - vs, x + hs, y + vs);
        p.drawLine(x - hs, y + vs, x + hs, y - vs);
        break;
    case PointerStyle::Diamond:
        p.drawPolygon(QPolygon({QPoint(x, y - vs), QPoint(x + hs, y), QPoint(x, y + vs), QPoint(x - hs, y)}));
        break;
    }
}

} // namespace

QColor FromBgr(uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QString FormatAxisValue(double v) {
    if (!std::isfinite(v)) return QString();
    double r = std::round(v * 1000.0) / 1000.0;
    if (r == 0.0) r = 0.0; // no "-0"
    QString digits = QString::number(std::fabs(r), 'f', 3);
    while (digits.endsWith('0'))
        digits.chop(1);
    if (digits.endsWith('.')) digits.chop(1);
    const int dot = digits.indexOf('.');
    QString whole = dot < 0 ? digits : digits.left(dot);
    const QString frac = dot < 0 ? QString() : digits.mid(dot);
    for (int i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, ',');
    return (r < 0 ? QStringLiteral("-") : QString()) + whole + frac;
}

QRect TextOutAngle(QPainter& p, int x, int y, int angleDeg, const QString& text) {
    const QFontMetrics fm(p.font());
    QTransform t;
    t.translate(x, y);
    t.rotate(-angleDeg);
    p.save();
    p.setTransform(t, true);
    p.drawText(0, fm.ascent(), text);
    p.restore();
    return t.mapRect(QRect(0, 0, fm.horizontalAdvance(text), fm.height()));
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

QFont Axis::LabelFont() const {
    return PixelFont(labelFontHeight);
}
QFont Axis::TitleFont() const {
    return PixelFont(titleFontHeight, true);
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

void Chart::Draw(QImage& image) {
    for (Axis& a : axes_)
        a.drawn = false;
    image.fill(color);
    if (image.isNull() || image.width() < 4 || image.height() < 4) return;
    const int W = image.width(), H = image.height();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    if (bevel) {
        p.setPen(Qt::white);
        p.drawLine(0, 0, W - 1, 0);
        p.drawLine(0, 0, 0, H - 1);
        p.setPen(QColor(160, 160, 160));
        p.drawLine(0, H - 1, W - 1, H - 1);
        p.drawLine(W - 1, 0, W - 1, H - 1);
    }

    // Legend entries and their rows along the bottom.
    struct Entry {
        const Series* s;
        int width;
    };
    std::vector<std::vector<Entry>> legendRows;
    const QFont legendFont = PixelFont(legendFontHeight);
    const QFontMetrics lfm(legendFont);
    const int symbolWidth = 24, entryGap = 12;
    if (legendVisible) {
        std::vector<Entry> row;
        int rowWidth = 0;
        for (const Series& s : series) {
            if (!s.active || !s.showInLegend) continue;
            const int w = symbolWidth + 4 + lfm.horizontalAdvance(s.title);
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
    const int legendLine = lfm.height() + 2;
    const int legendHeight = legendRows.empty() ? 0 : static_cast<int>(legendRows.size()) * legendLine + 6;

    // Axes in use and their limits.
    for (int i = 0; i < 4; ++i) {
        Axis& a = axes_[static_cast<size_t>(i)];
        a.drawn = a.visible && AxisInUse(static_cast<AxisId>(i));
        if (a.drawn) ComputeLimits(a, static_cast<AxisId>(i));
    }

    // Room of each side: ticks, labels, marks and title. A first pass lays the labels out for the
    // whole picture; the second, for the plot's real size, fixes the steps.
    auto sideRoom = [&](const Axis& a, const AxisLayout& l) {
        int room = a.tickLength + kLabelGap + l.across + a.outerMargin;
        if (!a.title.isEmpty()) room += kTitleGap + QFontMetrics(a.TitleFont()).height();
        return room;
    };
    std::array<AxisLayout, 4> layouts;
    QRect plot(kPanelMargin, kPanelMargin, W - 2 * kPanelMargin, H - 2 * kPanelMargin - legendHeight);
    for (int pass = 0; pass < 2; ++pass) {
        std::array<int, 4> room{};
        for (int i = 0; i < 4; ++i) {
            Axis& a = axes_[static_cast<size_t>(i)];
            if (!a.drawn) continue;
            const bool horizontal = IsHorizontal(static_cast<AxisId>(i));
            layouts[static_cast<size_t>(i)] =
                LayoutAxisLabels(a, horizontal, horizontal ? plot.width() : plot.height());
            room[static_cast<size_t>(i)] = sideRoom(a, layouts[static_cast<size_t>(i)]);
        }
        // Labels at the ends of an axis stick out by half their length.
        int endRoomH = 0, endRoomV = 0;
        for (int i = 0; i < 4; ++i) {
            if (!axes_[static_cast<size_t>(i)].drawn) continue;
            (IsHorizontal(static_cast<AxisId>(i)) ? endRoomH : endRoomV) =
                std::max(IsHorizontal(static_cast<AxisId>(i)) ? endRoomH : endRoomV,
                         layouts[static_cast<size_t>(i)].along / 2 + 2);
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
        const int out = a.tickLength + kLabelGap;
        switch (id) {
        case AxisId::Left:
            a.axisPos = plot.left();
            a.labelPos = a.axisPos - out;
            break;
        case AxisId::Right:
            a.axisPos = plot.right();
            a.labelPos = a.axisPos + out;
            break;
        case AxisId::Top:
            a.axisPos = plot.top();
            a.labelPos = a.axisPos - out;
            break;
        case AxisId::Bottom:
            a.axisPos = plot.bottom();
            a.labelPos = a.axisPos + out;
            break;
        }
    }

    // Back wall and grid.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(backWall);
    p.drawRect(plot);
    p.setBrush(Qt::NoBrush);
    QPen gridPen(QColor(192, 192, 192), 1, Qt::DotLine);
    p.setPen(gridPen);
    for (int i = 0; i < 4; ++i) {
        const Axis& a = axes_[static_cast<size_t>(i)];
        if (!a.drawn) continue;
        for (double v : layouts[static_cast<size_t>(i)].ticks) {
            const int pos = a.CalcPos(v);
            if (IsHorizontal(static_cast<AxisId>(i))) {
                if (pos > plot.left() && pos < plot.right())
                    p.drawLine(pos, plot.top() + 1, pos, plot.bottom() - 1);
            } else if (pos > plot.top() && pos < plot.bottom()) {
                p.drawLine(plot.left() + 1, pos, plot.right() - 1, pos);
            }
        }
    }

    // Series, clipped to the back wall.
    p.save();
    p.setClipRect(plot.adjusted(1, 1, 0, 0));
    for (const Series& s : series) {
        if (!s.active || s.Count() == 0) continue;
        if (s.isLine && s.lineWidth > 0) {
            p.setPen(QPen(s.color, s.lineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            QPolygon run;
            auto flush = [&] {
                if (run.size() >= 2) p.drawPolyline(run);
                run.clear();
            };
            for (int i = 0; i < s.Count(); ++i) {
                if (!s.IsFinitePoint(i)) {
                    flush();
                    continue;
                }
                run << QPoint(XScreen(s, i), YScreen(s, i));
            }
            flush();
        }
        if (s.pointer.visible) {
            for (int i = 0; i < s.Count(); ++i)
                if (s.IsFinitePoint(i)) DrawPointer(p, s, XScreen(s, i), YScreen(s, i));
        }
    }
    p.restore();

    // Axis lines, ticks, labels and titles.
    for (int i = 0; i < 4; ++i) {
        const Axis& a = axes_[static_cast<size_t>(i)];
        if (!a.drawn) continue;
        const auto id = static_cast<AxisId>(i);
        const AxisLayout& l = layouts[static_cast<size_t>(i)];
        const int dir = (id == AxisId::Left || id == AxisId::Top) ? -1 : 1;
        p.setPen(a.axisPen);
        if (IsHorizontal(id))
            p.drawLine(plot.left(), a.axisPos, plot.right(), a.axisPos);
        else
            p.drawLine(a.axisPos, plot.top(), a.axisPos, plot.bottom());
        p.setFont(a.LabelFont());
        const QFontMetrics fm(p.font());
        for (size_t t = 0; t < l.ticks.size(); ++t) {
            const int pos = a.CalcPos(l.ticks[t]);
            p.setPen(a.tickPen);
            if (IsHorizontal(id))
                p.drawLine(pos, a.axisPos, pos, a.axisPos + dir * a.tickLength);
            else
                p.drawLine(a.axisPos, pos, a.axisPos + dir * a.tickLength, pos);
            p.setPen(a.labelColor);
            const QSize box = TurnedSize(fm, l.labels[static_cast<int>(t)], a.labelAngle);
            const int acrossBox = IsHorizontal(id) ? box.height() : box.width();
            const double centreAcross = a.labelPos + dir * acrossBox / 2.0;
            if (IsHorizontal(id))
                TextCentredAt(p, pos, centreAcross, a.labelAngle, l.labels[static_cast<int>(t)]);
            else
                TextCentredAt(p, centreAcross, pos, a.labelAngle, l.labels[static_cast<int>(t)]);
        }
        if (!a.title.isEmpty()) {
            p.setFont(a.TitleFont());
            p.setPen(Qt::black);
            const int th = QFontMetrics(p.font()).height();
            const double across = a.labelPos + dir * (l.across + a.outerMargin + kTitleGap + th / 2.0);
            const double mid =
                IsHorizontal(id) ? (plot.left() + plot.right()) / 2.0 : (plot.top() + plot.bottom()) / 2.0;
            const int angle = id == AxisId::Left ? 90 : id == AxisId::Right ? 270 : 0;
            if (IsHorizontal(id))
                TextCentredAt(p, mid, across, angle, a.title);
            else
                TextCentredAt(p, across, mid, angle, a.title);
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
        const QRect box((W - boxWidth) / 2 - 6, H - kPanelMargin - legendHeight + 2, boxWidth + 12,
                        legendHeight - 2);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(box);
        p.setFont(legendFont);
        int y = box.top() + 3;
        for (const auto& row : legendRows) {
            int x = box.left() + 6;
            for (const Entry& e : row) {
                const int cy = y + legendLine / 2;
                if (e.s->isLine) {
                    p.setPen(QPen(e.s->color, std::max(1, e.s->lineWidth)));
                    p.drawLine(x, cy, x + symbolWidth - 2, cy);
                }
                if (e.s->pointer.visible) {
                    Series small = *e.s;
                    small.pointer.horizSize = std::min(small.pointer.horizSize, legendLine / 2 - 1);
                    small.pointer.vertSize = std::min(small.pointer.vertSize, legendLine / 2 - 1);
                    DrawPointer(p, small, x + symbolWidth / 2 - 1, cy);
                }
                p.setPen(Qt::black);
                p.drawText(QRect(x + symbolWidth + 4, y, e.width, legendLine),
                           Qt::AlignLeft | Qt::AlignVCenter, e.s->title);
                x += e.width + entryGap;
            }
            y += legendLine;
        }
        p.setBrush(Qt::NoBrush);
    }

    if (afterDraw) {
        AfterDraw hook{p, *this};
        afterDraw(hook);
    }
}

} // namespace vantrel::chart
