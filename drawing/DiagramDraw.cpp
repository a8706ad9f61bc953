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
#include <numbers>

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
    Bitmap.SetSize(OutW != 0 ? OutW : Bitmap.Width(), OutH != 0 ? OutH : Bitmap.Height());
}

void TDiagramDraw::CommonStart() {
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
    Bitmap.FillRect(0, 0, Bitmap.Width(), Bitmap.Height());
    Labels.clear();
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

QPoint TDiagramDraw::ClearShift(const QRect& box) {
    // A label beyond the canvas's reach comes from degenerate geometry and is not drawn.
    if (box.isEmpty() || !Reachable(box.left()) || !Reachable(box.right()) || !Reachable(box.top()) ||
        !Reachable(box.bottom()))
        return {};
    const int pw = Bitmap.Width(), ph = Bitmap.Height();
    // Moves that keep the box inside the picture; one too large for it keeps its top-left corner in.
    const int dxMin = -box.left(), dyMin = -box.top();
    const int dxMax = std::max(dxMin, pw - 1 - box.right()), dyMax = std::max(dyMin, ph - 1 - box.bottom());
    // A line unit of white between a label and its neighbours.
    const int gap = LineUnit();
    auto clearOfLabels = [&](const QRect& b) {
        const QRect wide = b.adjusted(-gap, -gap, gap, gap);
        return std::none_of(Labels.begin(), Labels.end(), [&](const QRect& l) { return l.intersects(wide); });
    };
    // Steel under a box: read from the picture for the place asked for, from a table of sums of
    // steel pixels over the picture while searching.
    auto isSteel = [](TColor c) { return c == kSteel || c == kTies; };
    std::vector<int> sums;
    auto steelIn = [&](QRect b) {
        b = b.adjusted(-gap, -gap, gap, gap).intersected(QRect(0, 0, pw, ph));
        if (b.isEmpty()) return false;
        if (sums.empty()) {
            for (int y = b.top(); y <= b.bottom(); ++y)
                for (int x = b.left(); x <= b.right(); ++x)
                    if (isSteel(Bitmap.Pixel(x, y))) return true;
            return false;
        }
        auto at = [&](int x, int y) { return sums[size_t(y) * size_t(pw + 1) + size_t(x)]; };
        return at(b.right() + 1, b.bottom() + 1) - at(b.left(), b.bottom() + 1) - at(b.right() + 1, b.top()) +
                   at(b.left(), b.top()) >
               0;
    };
    auto clear = [&](int dx, int dy) {
        if (dx < dxMin || dx > dxMax || dy < dyMin || dy > dyMax) return false;
        const QRect b = box.translated(dx, dy);
        return clearOfLabels(b) && !steelIn(b);
    };
    if (clear(0, 0)) return {};
    const QImage& image = Bitmap.Image();
    sums.assign(size_t(pw + 1) * size_t(ph + 1), 0);
    for (int y = 0; y < ph; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int run = 0;
        for (int x = 0; x < pw; ++x) {
            run += isSteel(FromQRgb(line[x]));
            sums[size_t(y + 1) * size_t(pw + 1) + size_t(x + 1)] =
                sums[size_t(y) * size_t(pw + 1) + size_t(x + 1)] + run;
        }
    }
    // Square rings about the place asked for, nearest first, each cut to the moves that keep the
    // box inside; a ring of radius r holds nothing nearer than r, so the search ends once a clear
    // place nearer than the next ring is known.
    long long best = -1;
    QPoint shift(std::clamp(0, dxMin, dxMax), std::clamp(0, dyMin, dyMax));
    const int reach = std::max({std::abs(dxMin), std::abs(dxMax), std::abs(dyMin), std::abs(dyMax)});
    auto consider = [&](int dx, int dy) {
        const long long d2 = (long long)dx * dx + (long long)dy * dy;
        if ((best < 0 || d2 < best) && clear(dx, dy)) best = d2, shift = QPoint(dx, dy);
    };
    for (int r = 1; r <= reach && (best < 0 || (long long)r * r < best); ++r) {
        const int x0 = std::max(-r, dxMin), x1 = std::min(r, dxMax);
        const int y0 = std::max(-r + 1, dyMin), y1 = std::min(r - 1, dyMax);
        for (const int dy : {-r, r})
            if (dy >= dyMin && dy <= dyMax)
                for (int dx = x0; dx <= x1; ++dx)
                    consider(dx, dy);
        for (const int dx : {-r, r})
            if (dx >= dxMin && dx <= dxMax)
                for (int dy = y0; dy <= y1; ++dy)
                    consider(dx, dy);
    }
    return shift;
}

QRect TDiagramDraw::DrawLabel(int x, int y, const QString& s) {
    const QPoint shift = ClearShift(TextInk(x, y, s));
    TextOutSuper(x + shift.x(), y + shift.y(), s);
    return TextInk(x + shift.x(), y + shift.y(), s);
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

QRect TDiagramDraw::DrawTextBox(int left, int top, int right, int bottom, const QString& text, int align,
                                bool frame, TColor fill) {
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
    const QPoint shift = ClearShift(cover);
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
    Bitmap.SetFontColor(ContrastColor(sample));
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
    DrawLabel(lx, ly, label);
}

QRect TDiagramDraw::DrawDimension(int x1, int y1, int x2, int y2, const QString& text, int mode, bool outside,
                                  bool transparent) {
    const QString t = text.isEmpty() ? text : " " + text + " ";
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
    const QPoint shift = ClearShift(transparent ? TextInk(x, y, t)
                                    : vertical  ? QRect(x, y - bh, bw, bh)
                                                : QRect(x, y, bw, bh));
    x += shift.x();
    y += shift.y();
    // The label's background: what lies under the middle of its box, looking a little aside when
    // that is a line or a hatch; white when nothing else is found.
    const int cx = x + bw / 2;
    const int cy = vertical ? y - bh / 2 : y + bh / 2;
    const int d = LineUnit2();
    TColor back = Bitmap.Pixel(cx, cy);
    for (const QPoint off : {QPoint(0, -d), QPoint(0, d), QPoint(-d, 0), QPoint(d, 0)}) {
        if (!IsDrawingColor(back)) break;
        back = Bitmap.Pixel(cx + off.x(), cy + off.y());
    }
    if (IsDrawingColor(back) || back == clBlack) back = clWhite;
    const TColor brush = Bitmap.Brush().Color;
    Bitmap.SetBrushColor(back);
    Bitmap.SetTextTransparent(transparent);
    Bitmap.SetFontColor(ContrastColor(back));
    TextOutSuper(x, y, t);
    Bitmap.SetBrushColor(brush);
    Bitmap.SetFont(saved);
    return vertical ? QRect(x, y - bh, bw, bh) : QRect(x, y, bw, bh);
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
