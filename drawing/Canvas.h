// The drawing surface of the diagrams and charts: a white QImage (RGB32) with a pen, a brush and a
// font, drawn through QPainter without antialiasing so that every pixel is one of the colours asked
// for. Label placement reads pixels back (a label never takes a drawing colour as its background),
// so edges must not blend.
//
// Extents follow the classic GDI conventions the drawings were laid out with: Rectangle and Ellipse
// take a bounding box whose right and bottom edges are exclusive, Arc runs counter-clockwise from a
// start radial to an end radial, TextOut places the top-left corner of the text cell, and the pen
// position is kept between MoveTo and LineTo.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vantrel {

// A colour in the $00BBGGRR form (red in the low byte), as the drawings write their colours.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clMaroon = 0x000080;
// "No colour": a fill given this colour is not drawn.
inline constexpr TColor clNone = 0x1FFFFFFF;

constexpr TColor RgbColor(int r, int g, int b) {
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int RedOf(TColor c) {
    return int(c & 0xFF);
}
constexpr int GreenOf(TColor c) {
    return int((c >> 8) & 0xFF);
}
constexpr int BlueOf(TColor c) {
    return int((c >> 16) & 0xFF);
}
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
TColor FromQRgb(QRgb rgb);

enum class TPenStyle { Solid, Dash, Dot, DashDot, Clear };
enum class TBrushStyle { Solid, Clear, BDiagonal };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;     // pixels; 0 draws one pixel wide like 1
    bool Flat = false; // flat line ends with round joins, so thick bars end exactly at their points
    TPenStyle Style = TPenStyle::Solid;
    bool operator==(const TPen&) const = default;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::Solid;
    bool operator==(const TBrush&) const = default;
};

struct TFont {
    // Height in pixels with the classic sign convention: negative is the character height (the
    // em size), positive the cell height (ascent plus descent); 0 takes the default.
    int Height = -13;
    bool Bold = false;
    bool Italic = false;
    TColor Color = clBlack;
    int Angle = 0; // degrees counter-clockwise; 90 reads upward
    bool operator==(const TFont&) const = default;
};

// One text as drawn: what the test hook records.
struct TTextRecord {
    QString Text;
    int X = 0; // the reference point given to TextOut (top-left of the unrotated cell)
    int Y = 0;
    int Angle = 0;
    TColor Color = clBlack;
    int Height = 0;    // the font height as set (sign convention of TFont)
    int PixelSize = 0; // the character height in pixels actually used
    bool Bold = false;
    QString Family; // the family the font resolved to
    int Tag = 0;    // the canvas's tag when it was drawn
};

// One straight stroke as drawn: a line, a piece of a polyline, an edge of an outlined rectangle or
// polygon, a chord of an arc. Labels keep clear of strokes that are not their own; the test hook
// records them.
struct TSegmentRecord {
    QLine Line;
    int Width = 1; // pen width in pixels
    TColor Color = clBlack;
    int Tag = 0;
};

class TCanvas {
  public:
    // The family every drawing uses; installed by the setup script (fonts-liberation).
    static const char* const FontFamily;
    // Coordinates beyond this many pixels are not drawn: they come from degenerate geometry.
    static constexpr int MaxCoordinate = 1000000;

    explicit TCanvas(int width = 0, int height = 0);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    int Width() const { return Image_.width(); }
    int Height() const { return Image_.height(); }
    // Grows or crops the picture keeping its top-left part; new area is white.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, Height()); }
    void SetHeight(int height) { SetSize(Width(), height); }
    // The picture drawn so far (ends any painting in progress).
    const QImage& Image();
    // Row y of the picture as drawn so far (32-bit pixels), read without ending the painting.
    const QRgb* ScanLine(int y) const { return reinterpret_cast<const QRgb*>(Image_.constScanLine(y)); }
    QImage TakeImage();

    // Drawing state.
    const TPen& Pen() const { return Pen_; }
    void SetPen(const TPen& pen) { Pen_ = pen; }
    void SetPenColor(TColor c) { Pen_.Color = c; }
    void SetPenWidth(int w) { Pen_.Width = w; }
    void SetPenFlat(bool flat) { Pen_.Flat = flat; }
    void SetPenStyle(TPenStyle s) { Pen_.Style = s; }
    const TBrush& Brush() const { return Brush_; }
    void SetBrush(const TBrush& brush) { Brush_ = brush; }
    void SetBrushColor(TColor c) { Brush_.Color = c; }
    void SetBrushStyle(TBrushStyle s) { Brush_.Style = s; }
    const TFont& Font() const { return Font_; }
    void SetFont(const TFont& font);
    void SetFontHeight(int height);
    // Font size in points at 96 pixels per inch (height -size x 96 / 72).
    void SetFontSize(int points);
    void SetFontBold(bool bold);
    void SetFontItalic(bool italic);
    void SetFontColor(TColor c) { Font_.Color = c; }
    void SetFontAngle(int degrees);
    // Opaque text fills its cell with the brush colour behind the glyphs.
    bool TextTransparent() const { return TextTransparent_; }
    void SetTextTransparent(bool transparent) { TextTransparent_ = transparent; }

    // Lines.
    QPoint PenPos() const { return PenPos_; }
    void MoveTo(int x, int y) { PenPos_ = QPoint(x, y); }
    void LineTo(int x, int y);
    void Line(int x1, int y1, int x2, int y2);
    void Polyline(const std::vector<QPoint>& points);
    // Shapes: filled with the brush, outlined with the pen.
    void Polygon(const std::vector<QPoint>& points);
    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    // Fills with the brush, no outline; right and bottom exclusive.
    void FillRect(int left, int top, int right, int bottom);
    void Clear(TColor color = clWhite);
    // The arc of the ellipse in the box, counter-clockwise from the radial through (x3, y3) to the
    // radial through (x4, y4); equal radials draw the whole ellipse. It is recorded as the chords
    // of a few degrees that follow it.
    void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    // Pie: the arc closed by its two radii and filled with the brush.
    void Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);

    // Text.
    void TextOut(int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    QSize TextExtent(const QString& text) const { return {TextWidth(text), TextHeight(text)}; }
    // The box the glyphs of a text cover, from the top-left of its cell (unturned); empty for blanks.
    QRect TextInk(const QString& text) const;
    int FontPixelSize() const { return PixelSize_; }
    int FontAscent() const;

    // Pixels: outside the picture reads white.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor c);

    // Clipping of later drawing to a rectangle (right and bottom exclusive); none removes it.
    void SetClipRect(int left, int top, int right, int bottom);
    void ClearClip();

    // Draws another picture with its top-left corner at (x, y), scaled to w x h when given.
    void DrawImage(int x, int y, const QImage& image, int w = -1, int h = -1);

    // What is drawn next belongs to drawing step `tag` (0 for none): the strokes and the text of one
    // dimension, angle or leadered label share a tag, so a label can tell its own lines from others.
    int Tag() const { return Tag_; }
    void SetTag(int tag) { Tag_ = tag; }
    // Every stroke drawn while a log is given is appended to it (none: nullptr).
    void SetSegmentLog(std::vector<TSegmentRecord>* log) { SegmentLog_ = log; }
    // A line drawn in pieces (dashes) is recorded as the one stroke it stands for: its pieces go
    // unrecorded while it is drawn, then the whole is recorded with the pen in use.
    void SetStrokesHeld(bool held) { StrokesHeld_ = held; }
    void RecordStroke(QPoint from, QPoint to);

    // Test hooks: while a recorder is installed every TextOut and every stroke of every canvas is
    // passed to it.
    using TextHook = std::function<void(const TTextRecord&)>;
    static TextHook SetTextHook(TextHook hook);
    using SegmentHook = std::function<void(const TSegmentRecord&)>;
    static SegmentHook SetSegmentHook(SegmentHook hook);
    // Test hook: while set, every text is recorded but not painted (neither its glyphs nor an opaque
    // cell), so a test sees what lies under the labels. Returns the previous setting.
    static bool SetTextsHidden(bool hidden);

  private:
    QPainter& Painter();
    void EndPainting();
    void ApplyPen(QPainter& p);
    void ApplyBrush(QPainter& p);
    QPen MakeQPen() const;
    QBrush MakeQBrush() const;
    void UpdateFont();
    bool Drawable(int x, int y) const;
    void Stroke(QPoint from, QPoint to);
    void PathArc(bool pie, int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);

    QImage Image_;
    bool White_ = false; // nothing drawn on the picture since it was made or cleared white
    std::unique_ptr<QPainter> Painter_;
    TPen Pen_;
    TBrush Brush_;
    TFont Font_;
    QFont QFont_;
    std::unique_ptr<QFontMetrics> Metrics_;
    int PixelSize_ = 13;
    bool TextTransparent_ = false;
    QPoint PenPos_;
    int Tag_ = 0;
    std::vector<TSegmentRecord>* SegmentLog_ = nullptr;
    bool StrokesHeld_ = false;
    std::optional<QRect> Clip_;
    // What the painter currently holds, so unchanged state is not set again.
    std::optional<TPen> PainterPen_;
    std::optional<TBrush> PainterBrush_;
};

// Records every text and stroke drawn by any canvas while it lives; restores the previous hooks when
// it ends.
class ScopedTextRecorder {
  public:
    ScopedTextRecorder();
    ~ScopedTextRecorder();
    ScopedTextRecorder(const ScopedTextRecorder&) = delete;
    ScopedTextRecorder& operator=(const ScopedTextRecorder&) = delete;
    const std::vector<TTextRecord>& Texts() const { return Texts_; }
    const std::vector<TSegmentRecord>& Segments() const { return Segments_; }
    void Clear() {
        Texts_.clear();
        Segments_.clear();
    }
    // The first text equal to s, or nullptr.
    const TTextRecord* Find(const QString& s) const;
    // True when some recorded text contains s.
    bool Contains(const QString& s) const;

  private:
    std::vector<TTextRecord> Texts_;
    std::vector<TSegmentRecord> Segments_;
    TCanvas::TextHook Previous_;
    TCanvas::SegmentHook PreviousSegments_;
};

} // namespace vantrel
