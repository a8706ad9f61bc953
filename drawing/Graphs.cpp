// The frame every chart shares: the series and axes of the one chart, rendering into a picture
// (turned a quarter turn for the charts along the pile depth), hit points, axis scaling, value labels,
// print sizes and the read-out under the mouse.

#include "drawing/Graphs.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "platform/NumberFormat.h"

namespace vantrel {

using chart::Axis;
using chart::AxisId;
using chart::PointerStyle;
using chart::Series;

// --- Plain functions ---------------------------------------------------------------------------

bool FindHitPoint(const TGrPointArr& points, int x, int y, double& xValue, double& yValue) {
    for (const THitPoint& p : points) {
        if (p.X - 5 <= x && x <= p.X + 5 && p.Y - 5 <= y && y <= p.Y + 5) {
            xValue = p.XValue;
            yValue = p.YValue;
            return true;
        }
    }
    return false;
}

void RotateBitmap90(const QImage& source, QImage& dest) {
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    const int w = src.width(), h = src.height();
    dest = QImage(h, w, QImage::Format_RGB32);
    if (src.isNull() || dest.isNull()) {
        dest = QImage();
        return;
    }
    // Source row y becomes destination column y, read from the bottom up: pixel (x, y) goes to
    // (y, w - 1 - x). Copied in square tiles so that both pictures stay in the cache.
    const uchar* in = src.constBits();
    uchar* out = dest.bits();
    const qsizetype inStride = src.bytesPerLine(), outStride = dest.bytesPerLine();
    constexpr int kTile = 32;
    for (int y0 = 0; y0 < h; y0 += kTile) {
        const int y1 = std::min(h, y0 + kTile);
        for (int x0 = 0; x0 < w; x0 += kTile) {
            const int x1 = std::min(w, x0 + kTile);
            for (int y = y0; y < y1; ++y) {
                const auto* row = reinterpret_cast<const QRgb*>(in + y * inStride);
                for (int x = x0; x < x1; ++x)
                    reinterpret_cast<QRgb*>(out + (w - 1 - x) * outStride)[y] = row[x];
            }
        }
    }
}

TEPGrPoints ScaleHitPoints(const TEPGrPoints& source, double factor) {
    TEPGrPoints out;
    for (size_t k = 0; k < source.size(); ++k) {
        out[k].reserve(source[k].size());
        for (const THitPoint& p : source[k]) {
            const double x = std::clamp(std::nearbyint(p.X * factor), double(INT_MIN), double(INT_MAX));
            const double y = std::clamp(std::nearbyint(p.Y * factor), double(INT_MIN), double(INT_MAX));
            out[k].push_back({std::isfinite(x) ? static_cast<int>(x) : 0,
                              std::isfinite(y) ? static_cast<int>(y) : 0, p.XValue, p.YValue});
        }
    }
    return out;
}

namespace {
// Normalises a positive range to v in 10..100 with range = v x 10^e.
void Normalise(double range, double& v, int& e) {
    v = range;
    e = 0;
    while (v < 10 && v != 0) {
        v *= 10;
        --e;
    }
    while (v > 100) {
        v /= 10;
        ++e;
    }
}
} // namespace

double HorizontalIncrement(double rangeX) {
    if (!std::isfinite(rangeX) || rangeX <= 0) return 0;
    double v = 0;
    int e = 0;
    Normalise(rangeX, v, e);
    if (v < 12.5) return 0;
    return 5.0 * std::pow(10.0, e) * std::nearbyint(v / 25.0);
}

double VerticalIncrement(double rangeY, double maxY) {
    double t = 0;
    if (std::isfinite(rangeY) && rangeY > 0) {
        double v = 0;
        int e = 0;
        Normalise(rangeY, v, e);
        t = std::nearbyint(std::pow(10.0, e) * v / 5.0);
    }
    if (t > 0) return t;
    return std::isfinite(maxY) ? std::nearbyint(maxY * 100.0) / 100.0 : 0.0;
}

AxisScaling ComputeAxisScaling(const std::vector<SeriesExtents>& series) {
    double rangeX = 0, rangeY = 0, maxY = 0, minY = 2147483647.0;
    for (const SeriesExtents& s : series) {
        const double lx = s.empty ? 0 : s.minX, hx = s.empty ? 0 : s.maxX;
        const double ly = s.empty ? 0 : s.minY, hy = s.empty ? 0 : s.maxY;
        rangeX = std::max(rangeX, hx - std::min(0.0, lx));
        rangeY = std::max(rangeY, hy - std::min(0.0, ly));
        maxY = std::max(maxY, hy);
        minY = std::min(minY, ly);
    }
    if (series.empty()) minY = 0; // no active series: nothing to place, keep the limits at 0
    AxisScaling out;
    out.horizIncrement = HorizontalIncrement(rangeX);
    out.vertIncrement = VerticalIncrement(rangeY, maxY);
    out.vertMin = minY - 0.1 * rangeY;
    out.vertMax = maxY + 0.1 * rangeY;
    return out;
}

QPoint KeepOnScreen(const QRect& frame, const QRect& screen) {
    QPoint pos = frame.topLeft();
    const int screenRight = screen.left() + screen.width();
    const int screenBottom = screen.top() + screen.height();
    if (pos.x() + frame.width() > screenRight) pos.setX(screenRight - frame.width());
    if (pos.y() + frame.height() > screenBottom) pos.setY(screenBottom - frame.height());
    if (pos.y() < screen.top()) pos.setY(screen.top());
    if (pos.x() < screen.left()) pos.setX(screen.left());
    return pos;
}

namespace {
const char* const kPressureReadOut[8] = {"  Strip Surcharge: %.2f    Distance: %.2f",
                                         "  Uniform Surcharge: %.2f    Distance: %.2f",
                                         "  Pore Water Pressure: %.2f    Distance: %.2f",
                                         "  Apparent Earth Pressure: %.2f    Distance: %.2f",
                                         "  Line Load Surcharge: %.2f    Distance: %.2f",
                                         "  Point Load Surcharge: %.2f    Distance: %.2f",
                                         "  Seismic Pressure: %.2f    Distance: %.2f",
                                         "  Total Backfill Earth Pressure: %.2f    Distance: %.2f"};

// Runs the read-out searches in order; each hit replaces the text, so the last hit wins.
class ReadOutText {
  public:
    ReadOutText(int x, int y) : x_(x), y_(y) {}
    bool Test(const TGrPointArr& points, const char* format) {
        if (!FindHitPoint(points, x_, y_, xValue_, yValue_)) return false;
        format_ = format;
        return true;
    }
    QString Text() const {
        return format_ ? platform::FormatFixedText(format_, {yValue_, xValue_}) : QString();
    }

  private:
    int x_, y_;
    double xValue_ = 0, yValue_ = 0;
    const char* format_ = nullptr;
};
} // namespace

QString ChartZoomReadOut(const TEPGrPoints& hits, int x, int y) {
    // The settlement chart fills array 0 alone; an earth pressure chart always has components past
    // it (the total backfill pressure at least), with or without a uniform surcharge. Testing the
    // uniform surcharge alone would read a chart without one as settlements.
    const bool pressures =
        std::any_of(hits.begin() + 1, hits.end(), [](const TGrPointArr& a) { return !a.empty(); });
    return pressures ? PressureReadOut(hits, x, y) : SettlementReadOut(hits[0], x, y);
}

QString PressureReadOut(const TEPGrPoints& hits, int x, int y) {
    ReadOutText r(x, y);
    for (size_t k = 0; k < 8; ++k)
        r.Test(hits[k], kPressureReadOut[k]);
    return r.Text();
}

QString SettlementReadOut(const TGrPointArr& hits, int x, int y) {
    ReadOutText r(x, y);
    r.Test(hits, "  Settlement: %.2f    Distance: %.2f");
    return r.Text();
}

const char* const PressureSeriesTitles[8] = {"Strip",     "Uniform",    "Pore Water", "App. Earth",
                                             "Line Load", "Point Load", "Seismic",    "Total"};

int PressureImage(int kind) {
    static const int images[8] = {1, 2, 3, 7, 4, 5, 6, 8};
    return kind >= 8 && kind <= 15 ? images[kind - 8] : 1;
}

// --- The renderer --------------------------------------------------------------------------------

TGraphsRenderer::TGraphsRenderer() {
    struct SeriesStyle {
        bool line;
        uint32_t bgr;
        int width;
        PointerStyle style;
        int size;
        bool pointerVisible;
    };
    // Series1 .. Series12: the curve, the design lines and point of the interaction chart, the zero
    // line along the depth, and one series per earth pressure component of the combined chart.
    static const SeriesStyle styles[12] = {{true, 0xFF0000, 2, PointerStyle::Diamond, 2, true},
                                           {true, 0x0000FF, 1, PointerStyle::Diamond, 2, true},
                                           {true, 0x4080FF, 1, PointerStyle::Diamond, 2, false},
                                           {false, 0x008000, 0, PointerStyle::Cross, 10, true},
                                           {true, 0x40FF00, 1, PointerStyle::Triangle, 2, true},
                                           {true, 0x008000, 2, PointerStyle::Rectangle, 3, true},
                                           {true, 0x808040, 2, PointerStyle::Triangle, 3, true},
                                           {true, 0x000080, 2, PointerStyle::DiagCross, 3, true},
                                           {true, 0x408000, 2, PointerStyle::Star, 3, true},
                                           {true, 0x00FFFF, 2, PointerStyle::Circle, 3, true},
                                           {true, 0xFF8080, 2, PointerStyle::DownTriangle, 3, true},
                                           {true, 0x8080FF, 2, PointerStyle::Diamond, 4, true}};
    chart_.series.resize(12);
    for (int i = 0; i < 12; ++i) {
        Series& s = chart_[i];
        const SeriesStyle& sp = styles[i];
        s.name = QStringLiteral("Series%1").arg(i + 1);
        s.isLine = sp.line;
        s.color = sp.bgr;
        s.lineWidth = sp.width;
        s.pointer.style = sp.style;
        s.pointer.horizSize = s.pointer.vertSize = sp.size;
        s.pointer.visible = sp.pointerVisible;
        s.horizAxis = AxisId::Top;
        s.vertAxis = AxisId::Right;
    }
    chart_[3].pointer.brush = 0x0000FF;
    chart_.legendVisible = true;
    chart_.bevel = true;
    Axis& top = chart_.GetAxis(AxisId::Top);
    top.inverted = true;
    top.increment = 5;
    top.labelAngle = 270;
    Axis& right = chart_.GetAxis(AxisId::Right);
    right.inverted = true;
    right.increment = 5;
    right.labelAngle = 270;
    Axis& left = chart_.GetAxis(AxisId::Left);
    left.inverted = true;
    left.labelAngle = 90;
    chart_.GetAxis(AxisId::Bottom).labelAngle = 90;
    chart_.afterDraw = [this](chart::AfterDraw& hook) { Chart1AfterDraw(hook); };

    static const int cells[kImages][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {0, 3}, {1, 3}};
    for (int i = 0; i < kImages; ++i) {
        pictures_[static_cast<size_t>(i)].row = cells[i][0];
        pictures_[static_cast<size_t>(i)].column = cells[i][1];
    }
}

std::vector<int> TGraphsRenderer::StackedPictures() const {
    std::vector<int> out;
    for (int i = 1; i <= kImages; ++i)
        if (GetPicture(i).visible) out.push_back(i);
    return out;
}

void TGraphsRenderer::HideAll() {
    for (Picture& p : pictures_)
        p.visible = false;
}

void TGraphsRenderer::EnlargeSingle(int image) {
    gridVisible_ = false;
    Picture& p = Pic(image);
    // On screen the picture fills a window twice the size of its grid cell; print pictures keep
    // their fixed print size.
    if (!printMode_) p.size *= 2;
    p.visible = true;
    targetImage_ = image;
}

void TGraphsRenderer::PrepareForPrint() {
    printMode_ = true;
    chart_.color = clWhite;
    chart_.bevel = false;
    auto twice = [](Axis& a) {
        a.labelSize *= 2;
        a.labelFontHeight *= 2;
        a.titleFontHeight *= 2;
    };
    Axis& right = chart_.GetAxis(AxisId::Right);
    twice(right);
    Axis& left = chart_.GetAxis(AxisId::Left);
    left.labelSize = right.labelSize;
    left.labelFontHeight = right.labelFontHeight;
    left.titleFontHeight = right.titleFontHeight;
    twice(chart_.GetAxis(AxisId::Top));
    chart_.legendFontHeight = static_cast<int>(std::nearbyint(chart_.legendFontHeight * 1.6));
    for (Series& s : chart_.series) {
        s.pointer.horizSize *= 2;
        s.pointer.vertSize *= 2;
        s.lineWidth *= 2;
        if (s.pointer.style == PointerStyle::Cross) s.pointer.penWidth *= 2;
    }
    for (Picture& p : pictures_)
        p.size = QSize(600, 900);
}

void TGraphsRenderer::ScaleAxes(Axis* horiz, Axis* vert) {
    if (!horiz) horiz = &chart_.GetAxis(AxisId::Top);
    if (!vert) vert = &chart_.GetAxis(AxisId::Right);
    std::vector<SeriesExtents> extents;
    for (const Series& s : chart_.series) {
        if (!s.active) continue;
        SeriesExtents e;
        const auto rx = s.XRange();
        const auto ry = s.YRange();
        if (rx && ry) {
            e.empty = false;
            e.minX = rx->first;
            e.maxX = rx->second;
            e.minY = ry->first;
            e.maxY = ry->second;
        }
        extents.push_back(e);
    }
    lastScaling_ = ComputeAxisScaling(extents);
    horiz->increment = lastScaling_.horizIncrement;
    vert->increment = lastScaling_.vertIncrement;
    vert->SetMinMax(lastScaling_.vertMin, lastScaling_.vertMax);
}

void TGraphsRenderer::RenderChartToImage(int image, bool rotated) {
    targetImage_ = image;
    Picture& pic = Pic(image);
    const QSize size = rotated ? pic.size.transposed() : pic.size;
    TCanvas canvas(size.width(), size.height());
    // Room beyond the value axis for the labels of the extreme values.
    for (AxisId id : {AxisId::Left, AxisId::Right}) {
        Axis& a = chart_.GetAxis(id);
        a.outerMargin = static_cast<int>(std::lrint(1.5 * std::abs(a.labelFontHeight)));
    }
    // A value label running off the picture, or out into the axis title (set farther out beside
    // a tick label), gets the room it needs, and the chart is drawn once more.
    chart_.extraRoom = {};
    for (int attempt = 0; attempt < 3; ++attempt) {
        pendingMarks_.clear();
        pendingMarkTexts_.clear();
        pendingMarkBoxes_.clear();
        pendingMarkRoom_ = {};
        chart_.Draw(canvas);
        bool grown = false;
        for (AxisId id : {AxisId::Left, AxisId::Right}) {
            Axis& a = chart_.GetAxis(id);
            if (const int room = pendingMarkRoom_[static_cast<size_t>(id)]; room > a.outerMargin) {
                a.outerMargin = room;
                grown = true;
            }
        }
        if (grown) continue;
        std::array<int, 4> over{};
        for (const QRect& box : pendingMarkBoxes_) {
            over[0] = std::max(over[0], -box.left());
            over[1] = std::max(over[1], -box.top());
            over[2] = std::max(over[2], box.right() - (canvas.Width() - 1));
            over[3] = std::max(over[3], box.bottom() - (canvas.Height() - 1));
        }
        if (over == std::array<int, 4>{}) break;
        for (size_t i = 0; i < 4; ++i)
            if (over[i] > 0) chart_.extraRoom[i] += over[i] + 2;
    }
    QImage bitmap = canvas.TakeImage();
    if (rotated) {
        QImage turned;
        RotateBitmap90(bitmap, turned);
        bitmap = turned;
    }
    pic.image = bitmap;

    const Series& s1 = chart_[0];
    const Axis& h = chart_.GetAxis(s1.horizAxis);
    const Axis& v = chart_.GetAxis(s1.vertAxis);
    RenderedChart r;
    r.kind = renderingKind_;
    r.image = image;
    r.size = pic.size;
    r.rotated = rotated;
    r.horizTitle = h.title;
    r.vertTitle = v.title;
    r.horizIncrement = lastScaling_.horizIncrement;
    r.vertIncrement = lastScaling_.vertIncrement;
    r.vertMin = lastScaling_.vertMin;
    r.vertMax = lastScaling_.vertMax;
    r.drawnHorizMin = h.drawnMin;
    r.drawnHorizMax = h.drawnMax;
    r.drawnVertMin = v.drawnMin;
    r.drawnVertMax = v.drawnMax;
    if (chart_.legendVisible) r.legend = chart_.LegendTitles();
    r.marks = pendingMarkTexts_;
    r.markValues = pendingMarks_;
    r.markBoxes = pendingMarkBoxes_;
    r.plot = QRect(QPoint(std::min(h.startPos, h.endPos), std::min(v.startPos, v.endPos)),
                   QPoint(std::max(h.startPos, h.endPos), std::max(v.startPos, v.endPos)));
    for (AxisId id : {AxisId::Left, AxisId::Top, AxisId::Right, AxisId::Bottom}) {
        const Axis& a = chart_.GetAxis(id);
        r.labelBoxes.insert(r.labelBoxes.end(), a.labelBoxes.begin(), a.labelBoxes.end());
    }
    renderLog_.push_back(r);
}

void TGraphsRenderer::CollectHitPoints(TGrPointArr& points, const Series& s, bool replace,
                                       bool rotated) const {
    if (replace) points.clear();
    const int height = GetPicture(targetImage_).size.height();
    for (int i = 0; i < s.Count(); ++i) {
        if (!s.IsFinitePoint(i)) continue;
        const int col = chart_.XScreen(s, i), row = chart_.YScreen(s, i);
        THitPoint p;
        p.XValue = s.X(i);
        p.YValue = s.Y(i);
        p.X = rotated ? row : col;
        p.Y = rotated ? height - col : row;
        points.push_back(p);
    }
}

void TGraphsRenderer::Chart1AfterDraw(chart::AfterDraw& hook) {
    const Series& s1 = chart_[0];
    const Axis& axis = chart_.GetAxis(s1.vertAxis);
    if (!axis.drawn) return;
    const auto range = s1.YRange();
    const double hi = range ? range->second : 0.0;
    const double lo = range ? range->first : 0.0;
    if (labelMaximum_ && hi != 0.0) DrawAxisMarks(hook.canvas, axis, true, hi);
    if (labelMinimum_ && lo != 0.0) DrawAxisMarks(hook.canvas, axis, false, lo);
}

void TGraphsRenderer::DrawAxisMarks(TCanvas& c, const Axis& axis, bool atMaximum, double value) {
    const AxisId id = chart::Chart::AxisOf(axis, chart_);
    const int d = (id == AxisId::Right || id == AxisId::Top) ? 1 : -1;
    c.SetPen(axis.tickPen);
    c.SetFont(axis.LabelFont());
    const int h = std::abs(axis.labelFontHeight);
    const int y = axis.CalcPos(value);
    c.Line(axis.axisPos, y, axis.labelPos + d * static_cast<int>(std::lrint(1.3 * h)), y);
    const QString text = platform::FormatFixed(value, std::nearbyint(value * 100.0) == 0.0 ? 3 : 2);
    // The text stands 2.3 label heights out and clear of the tick labels: never closer to the
    // axis than the far edge of their band (a value near a tick, or long or upright labels, would
    // otherwise write it over the axis numbers), and along the axis within the back wall's span,
    // so that a value near the end of the axis stays out of the corner of the other axis' labels.
    int top = y - (atMaximum ? h : 0);
    QRect at0 = chart::TextBox(c, 0, top, text);
    const int spanLo = std::min(axis.startPos, axis.endPos), spanHi = std::max(axis.startPos, axis.endPos);
    if (at0.height() <= spanHi - spanLo) {
        if (at0.bottom() > spanHi) top -= at0.bottom() - spanHi;
        if (at0.top() < spanLo) top += spanLo - at0.top();
        at0 = chart::TextBox(c, 0, top, text);
    }
    // Level with a tick label (a value near a tick), a label height of white keeps the two from
    // reading as one number ("-0,02 0"); elsewhere a quarter of one parts it from the band.
    const bool besideTick =
        std::any_of(axis.labelBoxes.begin(), axis.labelBoxes.end(), [&](const QRect& tick) {
            return tick.top() <= at0.bottom() && at0.top() <= tick.bottom();
        });
    const int gap = besideTick ? h : std::max(3, h / 4);
    const int bandEdge = axis.labelPos + d * (axis.labelExtent + gap);
    int x = axis.labelPos + d * static_cast<int>(std::lrint(2.3 * h));
    x = d > 0 ? std::max(x, bandEdge - at0.left()) : std::min(x, bandEdge - at0.right());
    // Level with the axis title it takes the room it reaches out to, so that the title moves out.
    if (axis.titleBox.top() <= at0.bottom() && at0.top() <= axis.titleBox.bottom()) {
        int& room = pendingMarkRoom_[static_cast<size_t>(id)];
        room = std::max(room,
                        d * ((d > 0 ? x + at0.right() : x + at0.left()) - axis.labelPos) - axis.labelExtent);
    }
    c.TextOut(x, top, text);
    pendingMarkBoxes_.push_back(chart::TextBox(c, x, top, text));
    pendingMarks_.push_back(value);
    pendingMarkTexts_ << text;
}

void TGraphsRenderer::SetUnitCaptions(const QString& vertTitle, const QString& horizTitle) {
    chart_.GetAxis(AxisId::Right).title = vertTitle;
    chart_.GetAxis(AxisId::Top).title = horizTitle;
}

void TGraphsRenderer::ScaleHitPoints(TEPGrPoints& dest, double factor) const {
    dest = vantrel::ScaleHitPoints(pressureHits_, factor);
}

QString TGraphsRenderer::ReadOut(int image, int x, int y) const {
    ReadOutText r(x, y);
    if (pressureMode_) {
        for (int k = 0; k < 8; ++k)
            if ((image == PressureImage(8 + k) || combined_) && IsShown(8 + k))
                r.Test(pressureHits_[static_cast<size_t>(k)], kPressureReadOut[k]);
        return r.Text();
    }
    switch (image) {
    case 1:
        if (IsShown(1) && !r.Test(pileHits_[0], "  Loading: %.2f    Distance: %.2f"))
            r.Test(pileHits_[1], "  Loading: %.2f    Distance: %.2f");
        if (IsShown(17)) r.Test(pileHits_[0], "  Shear: %.2f    Distance: %.2f");
        break;
    case 2:
        if (IsShown(2)) r.Test(pileHits_[2], "  Shear: %.2f    Distance: %.2f");
        if (IsShown(17)) r.Test(pileHits_[1], "  Moment: %.2f    Distance: %.2f");
        break;
    case 3:
        if (IsShown(3)) r.Test(pileHits_[3], "  Moment: %.4f    Distance: %.2f");
        if (IsShown(17)) r.Test(pileHits_[2], "  Deflection: %.3f    Distance: %.2f");
        break;
    case 4:
        if (IsShown(4)) r.Test(pileHits_[4], "  Slope: %.5f    Distance: %.2f");
        break;
    case 5:
        if (IsShown(5)) r.Test(pileHits_[5], "  Deflection: %.3f    Distance: %.3f");
        break;
    case 6:
        if (IsShown(6)) r.Test(pileHits_[6], "  Moment: %.2f    Axial Load: %.2f");
        break;
    default:
        break;
    }
    return r.Text();
}

} // namespace vantrel
