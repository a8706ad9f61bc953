#include "drawing/Canvas.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace vantrel {

namespace {

TCanvas::TextHook& TextHookSlot() {
    static TCanvas::TextHook hook;
    return hook;
}

TCanvas::SegmentHook& SegmentHookSlot() {
    static TCanvas::SegmentHook hook;
    return hook;
}

bool& TextsHiddenSlot() {
    static bool hidden = false;
    return hidden;
}

// Cell height (ascent plus descent) of the family per pixel of character height, for fonts given by
// a positive (cell) height.
double CellPerPixel() {
    static const double ratio = [] {
        QFont f(TCanvas::FontFamily);
        f.setPixelSize(100);
        const double cell = QFontMetricsF(f).height();
        return cell > 0 ? cell / 100.0 : 1.15;
    }();
    return ratio;
}

// The widths and ink boxes of texts measured so far, by font: a drawing measures the same few
// texts over and over (every label's cell is measured where it is asked for and again where it is
// drawn), and shaping a text costs far more than looking it up. Kept for the thread, and dropped
// whole when it grows past a few thousand texts.
struct TextMeasure {
    int Width = -1;
    std::optional<QRect> Ink;
};
struct MeasureKey {
    QString Text;
    int PixelSize;
    bool Bold, Italic;
    bool operator==(const MeasureKey&) const = default;
};
struct MeasureHash {
    size_t operator()(const MeasureKey& k) const {
        return qHash(k.Text, size_t(k.PixelSize) * 4 + size_t(k.Bold) * 2 + size_t(k.Italic));
    }
};
TextMeasure& Measured(const QString& text, int pixelSize, bool bold, bool italic) {
    static thread_local std::unordered_map<MeasureKey, TextMeasure, MeasureHash> measured;
    if (measured.size() > 4096) measured.clear();
    return measured[MeasureKey{text, pixelSize, bold, italic}];
}

// The cell height and ascent of the family by font, measured once for the thread: reading them
// from the font's metrics loads its glyph engine, which costs more than a whole label search.
struct FontCell {
    int Height = 0, Ascent = 0;
};
const FontCell& CellOf(const QFontMetrics& metrics, int pixelSize, bool bold, bool italic) {
    static thread_local std::map<std::tuple<int, bool, bool>, FontCell> cells;
    auto [it, fresh] = cells.try_emplace({pixelSize, bold, italic});
    if (fresh) it->second = {metrics.height(), metrics.ascent()};
    return it->second;
}

// The pixels the glyphs of a text cover when drawn level with its cell's top-left corner at
// (0, 0), as runs of a row: without antialiasing a glyph's pixel is either the font's colour or
// left as it was, and the same wherever the text is drawn at whole pixels. Rendered once per
// text and font for the thread, then set straight into the picture.
struct GlyphRun {
    int Y, X0, X1;
};
const std::vector<GlyphRun>& Glyphs(const QString& text, const QFont& font, int pixelSize, bool bold,
                                    bool italic, int width, int height, int ascent) {
    static thread_local std::unordered_map<MeasureKey, std::vector<GlyphRun>, MeasureHash> drawn;
    if (drawn.size() > 4096) drawn.clear();
    auto [it, fresh] = drawn.try_emplace(MeasureKey{text, pixelSize, bold, italic});
    if (!fresh) return it->second;
    // Room all round for glyphs that reach beyond the cell (overhangs, italics).
    const int pad = 2 * std::max(pixelSize, 1);
    QImage canvas(width + 2 * pad, height + 2 * pad, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(font);
        p.translate(pad, pad);
        p.setPen(QColor(Qt::black));
        p.drawText(QPoint(0, ascent), text);
    }
    const int cw = canvas.width(), ch = canvas.height();
    for (int y = 0; y < ch; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < cw; ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFFFFFF) continue;
            if (!it->second.empty() && it->second.back().Y == y - pad && it->second.back().X1 == x - pad - 1)
                ++it->second.back().X1;
            else
                it->second.push_back({y - pad, x - pad, x - pad});
        }
    }
    return it->second;
}

bool Finite(int v) {
    return v > -TCanvas::MaxCoordinate && v < TCanvas::MaxCoordinate;
}

} // namespace

const char* const TCanvas::FontFamily = "Liberation Sans";

QColor ToQColor(TColor c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}
TColor FromQColor(const QColor& c) {
    return RgbColor(c.red(), c.green(), c.blue());
}
TColor FromQRgb(QRgb rgb) {
    return RgbColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

TCanvas::TCanvas(int width, int height) {
    SetSize(width, height);
    UpdateFont();
}

TCanvas::~TCanvas() {
    EndPainting();
}

void TCanvas::EndPainting() {
    if (Painter_) {
        Painter_->end();
        Painter_.reset();
    }
    PainterPen_.reset();
    PainterBrush_.reset();
}

QPainter& TCanvas::Painter() {
    White_ = false; // whatever the painter is wanted for draws
    if (!Painter_) {
        Painter_ = std::make_unique<QPainter>(&Image_);
        Painter_->setRenderHint(QPainter::Antialiasing, false);
        Painter_->setRenderHint(QPainter::TextAntialiasing, false);
        Painter_->setFont(QFont_);
        if (Clip_) Painter_->setClipRect(*Clip_);
    }
    return *Painter_;
}

void TCanvas::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (!Image_.isNull() && width == Image_.width() && height == Image_.height()) return;
    EndPainting();
    QImage next;
    if (width > 0 && height > 0) {
        next = QImage(width, height, QImage::Format_RGB32);
        if (!next.isNull()) {
            // The part kept is copied, only the rest filled white; of a white picture nothing
            // is kept.
            const int cw = Image_.isNull() || White_ ? 0 : std::min(width, Image_.width());
            const int ch = Image_.isNull() || White_ ? 0 : std::min(height, Image_.height());
            for (int y = 0; y < ch; ++y) {
                QRgb* const line = reinterpret_cast<QRgb*>(next.scanLine(y));
                std::copy_n(reinterpret_cast<const QRgb*>(Image_.constScanLine(y)), cw, line);
                std::fill(line + cw, line + width, QRgb(0xFFFFFFFF));
            }
            if (ch == 0)
                next.fill(Qt::white);
            else
                for (int y = ch; y < height; ++y) {
                    QRgb* const line = reinterpret_cast<QRgb*>(next.scanLine(y));
                    std::fill(line, line + width, QRgb(0xFFFFFFFF));
                }
        }
    }
    White_ = !next.isNull() && (Image_.isNull() || White_);
    Image_ = next;
}

const QImage& TCanvas::Image() {
    EndPainting();
    return Image_;
}

QImage TCanvas::TakeImage() {
    EndPainting();
    QImage out = Image_;
    Image_ = QImage();
    White_ = false;
    return out;
}

void TCanvas::SetFont(const TFont& font) {
    const bool metrics =
        font.Height != Font_.Height || font.Bold != Font_.Bold || font.Italic != Font_.Italic;
    Font_ = font;
    if (metrics) UpdateFont();
}

void TCanvas::SetFontHeight(int height) {
    if (height == Font_.Height) return;
    Font_.Height = height;
    UpdateFont();
}

void TCanvas::SetFontSize(int points) {
    SetFontHeight(-int(std::lround(points * 96.0 / 72.0)));
}

void TCanvas::SetFontBold(bool bold) {
    if (bold == Font_.Bold) return;
    Font_.Bold = bold;
    UpdateFont();
}

void TCanvas::SetFontItalic(bool italic) {
    if (italic == Font_.Italic) return;
    Font_.Italic = italic;
    UpdateFont();
}

void TCanvas::SetFontAngle(int degrees) {
    Font_.Angle = degrees;
}

void TCanvas::UpdateFont() {
    int px = 13;
    if (Font_.Height < 0)
        px = -Font_.Height;
    else if (Font_.Height > 0)
        px = int(std::lround(Font_.Height / CellPerPixel()));
    PixelSize_ = std::clamp(px, 1, 20000);
    QFont f(FontFamily);
    f.setPixelSize(PixelSize_);
    f.setBold(Font_.Bold);
    f.setItalic(Font_.Italic);
    f.setStyleStrategy(QFont::NoAntialias);
    QFont_ = f;
    Metrics_ = std::make_unique<QFontMetrics>(QFont_);
    if (Painter_) Painter_->setFont(QFont_);
}

QPen TCanvas::MakeQPen() const {
    if (Pen_.Style == TPenStyle::Clear) return QPen(Qt::NoPen);
    QPen pen(ToQColor(Pen_.Color));
    pen.setWidth(std::max(Pen_.Width, 1));
    pen.setCapStyle(Pen_.Flat ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    switch (Pen_.Style) {
    case TPenStyle::Dash:
        pen.setStyle(Qt::DashLine);
        break;
    case TPenStyle::Dot:
        pen.setStyle(Qt::DotLine);
        break;
    case TPenStyle::DashDot:
        pen.setStyle(Qt::DashDotLine);
        break;
    default:
        break;
    }
    return pen;
}

QBrush TCanvas::MakeQBrush() const {
    switch (Brush_.Style) {
    case TBrushStyle::Clear:
        return QBrush(Qt::NoBrush);
    case TBrushStyle::BDiagonal:
        return QBrush(ToQColor(Brush_.Color), Qt::BDiagPattern);
    default:
        return QBrush(ToQColor(Brush_.Color));
    }
}

void TCanvas::ApplyPen(QPainter& p) {
    if (PainterPen_ && *PainterPen_ == Pen_) return;
    p.setPen(MakeQPen());
    PainterPen_ = Pen_;
}

void TCanvas::ApplyBrush(QPainter& p) {
    if (PainterBrush_ && *PainterBrush_ == Brush_) return;
    p.setBrush(MakeQBrush());
    PainterBrush_ = Brush_;
}

bool TCanvas::Drawable(int x, int y) const {
    return !Image_.isNull() && Finite(x) && Finite(y);
}

void TCanvas::LineTo(int x, int y) {
    const QPoint from = PenPos_;
    PenPos_ = QPoint(x, y);
    if (!Drawable(x, y) || !Drawable(from.x(), from.y()) || Pen_.Style == TPenStyle::Clear) return;
    if ((from.x() == x || from.y() == y) && Pen_.Style == TPenStyle::Solid && Pen_.Width <= 1 && !Pen_.Flat &&
        !Clip_) {
        // A level or plumb line one pixel wide, unclipped: its pixels, both ends included, are set
        // straight, as the painter sets them.
        White_ = false;
        const QRgb ink = qRgb(RedOf(Pen_.Color), GreenOf(Pen_.Color), BlueOf(Pen_.Color));
        const int x0 = std::max(0, std::min(from.x(), x)),
                  x1 = std::min(Image_.width() - 1, std::max(from.x(), x));
        const int y0 = std::max(0, std::min(from.y(), y)),
                  y1 = std::min(Image_.height() - 1, std::max(from.y(), y));
        uchar* const bits = Image_.bits();
        const qsizetype stride = Image_.bytesPerLine();
        for (int row = y0; row <= y1; ++row) {
            QRgb* const line = reinterpret_cast<QRgb*>(bits + row * stride);
            std::fill(line + x0, line + std::max(x0, x1 + 1), ink);
        }
        Stroke(from, PenPos_);
        return;
    }
    QPainter& p = Painter();
    ApplyPen(p);
    p.drawLine(from, PenPos_);
    Stroke(from, PenPos_);
}

void TCanvas::Stroke(QPoint from, QPoint to) {
    if (!StrokesHeld_) RecordStroke(from, to);
}

void TCanvas::RecordStroke(QPoint from, QPoint to) {
    if (!SegmentLog_ && !SegmentHookSlot()) return;
    const TSegmentRecord r{QLine(from, to), std::max(1, Pen_.Width), Pen_.Color, Tag_};
    if (SegmentLog_) SegmentLog_->push_back(r);
    if (const SegmentHook& hook = SegmentHookSlot()) hook(r);
}

void TCanvas::Line(int x1, int y1, int x2, int y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void TCanvas::Polyline(const std::vector<QPoint>& points) {
    if (points.size() < 2 || Image_.isNull() || Pen_.Style == TPenStyle::Clear) return;
    for (const QPoint& pt : points)
        if (!Finite(pt.x()) || !Finite(pt.y())) return;
    QPainter& p = Painter();
    ApplyPen(p);
    p.drawPolyline(points.data(), int(points.size()));
    for (size_t i = 1; i < points.size(); ++i)
        Stroke(points[i - 1], points[i]);
}

void TCanvas::Polygon(const std::vector<QPoint>& points) {
    if (points.size() < 2 || Image_.isNull()) return;
    for (const QPoint& pt : points)
        if (!Finite(pt.x()) || !Finite(pt.y())) return;
    QPainter& p = Painter();
    ApplyPen(p);
    ApplyBrush(p);
    p.drawPolygon(points.data(), int(points.size()));
    if (Pen_.Style != TPenStyle::Clear)
        for (size_t i = 0; i < points.size(); ++i)
            Stroke(points[i], points[(i + 1) % points.size()]);
}

void TCanvas::FillRect(int left, int top, int right, int bottom) {
    if (!Drawable(left, top) || !Drawable(right, bottom) || Brush_.Style == TBrushStyle::Clear) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right == left || bottom == top) return;
    if (White_ && !Clip_ && Brush_.Style == TBrushStyle::Solid && Brush_.Color == clWhite)
        return; // white on white
    QPainter& p = Painter();
    p.fillRect(QRect(left, top, right - left, bottom - top), MakeQBrush());
}

void TCanvas::Clear(TColor color) {
    if (Image_.isNull()) return;
    EndPainting();
    Image_.fill(ToQColor(color));
    White_ = FromQColor(ToQColor(color)) == clWhite;
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (!Drawable(left, top) || !Drawable(right, bottom)) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right == left || bottom == top) return;
    FillRect(left, top, right, bottom);
    if (Pen_.Style == TPenStyle::Clear) return;
    QPainter& p = Painter();
    ApplyPen(p);
    p.setBrush(Qt::NoBrush);
    PainterBrush_.reset();
    // The outline runs through the outermost pixels of the box: its last column and row are
    // right - 1 and bottom - 1.
    p.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
    const QPoint a(left, top), b(right - 1, top), c(right - 1, bottom - 1), d(left, bottom - 1);
    Stroke(a, b), Stroke(b, c), Stroke(c, d), Stroke(d, a);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    if (!Drawable(left, top) || !Drawable(right, bottom)) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right == left || bottom == top) return;
    QPainter& p = Painter();
    ApplyPen(p);
    ApplyBrush(p);
    p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void TCanvas::PathArc(bool pie, int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    if (!Drawable(left, top) || !Drawable(right, bottom)) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right - left < 2 || bottom - top < 2) return;
    const double cx = (left + right - 1) / 2.0;
    const double cy = (top + bottom - 1) / 2.0;
    // Angles in the mathematical sense (counter-clockwise on the screen, y pointing down).
    const double a3 = std::atan2(cy - y3, x3 - cx) * 180.0 / std::numbers::pi;
    const double a4 = std::atan2(cy - y4, x4 - cx) * 180.0 / std::numbers::pi;
    double span = a4 - a3;
    while (span <= 0)
        span += 360.0;
    while (span > 360.0)
        span -= 360.0;
    const QRect box(left, top, right - left - 1, bottom - top - 1);
    QPainter& p = Painter();
    ApplyPen(p);
    const int start16 = int(std::lround(a3 * 16));
    const int span16 = int(std::lround(span * 16));
    if (pie) {
        ApplyBrush(p);
        p.drawPie(box, start16, span16);
    } else {
        p.drawArc(box, start16, span16);
        // Recorded as chords a few degrees apart, none farther than half a pixel from the arc
        // for radii up to a few hundred pixels.
        const double rx = (right - left - 1) / 2.0, ry = (bottom - top - 1) / 2.0;
        const int n = std::max(2, int(std::ceil(span / 5.0)));
        auto at = [&](int i) {
            const double t = (a3 + span * i / n) * std::numbers::pi / 180.0;
            return QPoint(int(std::lround(cx + rx * std::cos(t))), int(std::lround(cy - ry * std::sin(t))));
        };
        for (int i = 1; i <= n; ++i)
            Stroke(at(i - 1), at(i));
    }
}

void TCanvas::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    if (Pen_.Style == TPenStyle::Clear) return;
    PathArc(false, left, top, right, bottom, x3, y3, x4, y4);
}

void TCanvas::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) {
    PathArc(true, left, top, right, bottom, x3, y3, x4, y4);
}

int TCanvas::TextWidth(const QString& text) const {
    TextMeasure& m = Measured(text, PixelSize_, Font_.Bold, Font_.Italic);
    if (m.Width < 0) m.Width = Metrics_->horizontalAdvance(text);
    return m.Width;
}

int TCanvas::TextHeight(const QString& /*text*/) const {
    return CellOf(*Metrics_, PixelSize_, Font_.Bold, Font_.Italic).Height;
}

QRect TCanvas::TextInk(const QString& text) const {
    TextMeasure& m = Measured(text, PixelSize_, Font_.Bold, Font_.Italic);
    if (!m.Ink) m.Ink = Metrics_->tightBoundingRect(text).translated(0, Metrics_->ascent());
    return *m.Ink;
}

int TCanvas::FontAscent() const {
    return CellOf(*Metrics_, PixelSize_, Font_.Bold, Font_.Italic).Ascent;
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    if (const TextHook& hook = TextHookSlot()) {
        hook(TTextRecord{text, x, y, Font_.Angle, Font_.Color, Font_.Height, PixelSize_, Font_.Bold,
                         QFontInfo(QFont_).family(), Tag_});
    }
    if (text.isEmpty() || !Drawable(x, y) || TextsHiddenSlot()) return;
    QPainter& p = Painter();
    const bool rotated = Font_.Angle % 360 != 0;
    if (rotated) {
        p.translate(x, y);
        p.rotate(-Font_.Angle);
    } else {
        p.translate(x, y);
    }
    if (!TextTransparent_) p.fillRect(QRect(0, 0, TextWidth(text), TextHeight(text)), ToQColor(Brush_.Color));
    if (!rotated && !Clip_) {
        // Level text unclipped: its glyphs' pixels are set straight.
        p.resetTransform();
        const QRgb ink = qRgb(RedOf(Font_.Color), GreenOf(Font_.Color), BlueOf(Font_.Color));
        const int w = Image_.width(), h = Image_.height();
        uchar* const bits = Image_.bits();
        const qsizetype stride = Image_.bytesPerLine();
        for (const GlyphRun& r : Glyphs(text, QFont_, PixelSize_, Font_.Bold, Font_.Italic, TextWidth(text),
                                        TextHeight(text), FontAscent())) {
            const int py = y + r.Y, x0 = std::max(0, x + r.X0), x1 = std::min(w - 1, x + r.X1);
            if (py < 0 || py >= h || x0 > x1) continue;
            QRgb* const line = reinterpret_cast<QRgb*>(bits + py * stride);
            std::fill(line + x0, line + x1 + 1, ink);
        }
        return;
    }
    p.setPen(ToQColor(Font_.Color));
    PainterPen_.reset();
    p.drawText(QPoint(0, Metrics_->ascent()), text);
    p.resetTransform();
}

TColor TCanvas::Pixel(int x, int y) const {
    if (Image_.isNull() || x < 0 || y < 0 || x >= Image_.width() || y >= Image_.height()) return clWhite;
    return FromQRgb(Image_.pixel(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor c) {
    if (Image_.isNull() || x < 0 || y < 0 || x >= Image_.width() || y >= Image_.height()) return;
    White_ = false;
    Image_.setPixel(x, y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
}

void TCanvas::SetClipRect(int left, int top, int right, int bottom) {
    Clip_ = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    if (Painter_) Painter_->setClipRect(*Clip_);
}

void TCanvas::ClearClip() {
    Clip_.reset();
    if (Painter_) Painter_->setClipping(false);
}

void TCanvas::DrawImage(int x, int y, const QImage& image, int w, int h) {
    if (image.isNull() || !Drawable(x, y)) return;
    QPainter& p = Painter();
    if (w < 0 || h < 0)
        p.drawImage(QPoint(x, y), image);
    else
        p.drawImage(QRect(x, y, w, h), image);
}

TCanvas::TextHook TCanvas::SetTextHook(TextHook hook) {
    TextHook previous = std::move(TextHookSlot());
    TextHookSlot() = std::move(hook);
    return previous;
}

TCanvas::SegmentHook TCanvas::SetSegmentHook(SegmentHook hook) {
    SegmentHook previous = std::move(SegmentHookSlot());
    SegmentHookSlot() = std::move(hook);
    return previous;
}

bool TCanvas::SetTextsHidden(bool hidden) {
    return std::exchange(TextsHiddenSlot(), hidden);
}

ScopedTextRecorder::ScopedTextRecorder() {
    Previous_ = TCanvas::SetTextHook([this](const TTextRecord& r) { Texts_.push_back(r); });
    PreviousSegments_ = TCanvas::SetSegmentHook([this](const TSegmentRecord& r) { Segments_.push_back(r); });
}

ScopedTextRecorder::~ScopedTextRecorder() {
    TCanvas::SetTextHook(std::move(Previous_));
    TCanvas::SetSegmentHook(std::move(PreviousSegments_));
}

const TTextRecord* ScopedTextRecorder::Find(const QString& s) const {
    for (const TTextRecord& r : Texts_)
        if (r.Text == s) return &r;
    return nullptr;
}

bool ScopedTextRecorder::Contains(const QString& s) const {
    return std::any_of(Texts_.begin(), Texts_.end(),
                       [&](const TTextRecord& r) { return r.Text.contains(s); });
}

} // namespace vantrel
