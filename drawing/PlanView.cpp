// The pile plan view: a row of piles at their spacing in a narrow band at the bottom, and one pile
// enlarged above it with its section, reinforcement and dimensions.

#include "drawing/DiagramDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <tuple>

namespace vantrel {

namespace {

constexpr TColor kConcreteEdge = 0x9C703F;
constexpr TColor kLeader = 0x0000FF;
constexpr int kClearCoverTag = 88;
constexpr int kPitchOverrideTag = 89;

// The three labels of a rebar cage: vertical bars, clear cover and ties or spiral.
struct RebarLabels {
    QString Bars, Cover, Ties;
};

RebarLabels MakeRebarLabels(const TKdData& d) {
    // Cover and pitch are entered in in | mm; a cm label on an SI value in mm would read ten times
    // too large.
    const QString unit = d.Units == usSI ? "mm" : "in";
    RebarLabels r;
    r.Bars = QString("%1 %2 vert. bars")
                 .arg(d.VerticalBarCount)
                 .arg(QString::fromStdString(d.BarLabel(d.VerticalBarSize)));
    r.Cover = TDiagramDraw::FormatValue(double(d.ClearCover), d.FieldLimits[kClearCoverTag].Digits, unit) +
              " clear";
    // A pitch override of 0 means the calculated pitch is used: the label shows the pitch built,
    // not the 0 typed.
    const double pitch = d.PitchOverride != 0 ? double(d.PitchOverride) : double(d.CalculatedPitch);
    r.Ties = QString("%1 %2 @ %3")
                 .arg(QString::fromStdString(d.BarLabel(d.LateralBarSize)))
                 .arg(d.TieOrSpiral == 1 ? "spiral" : "ties")
                 .arg(TDiagramDraw::FormatValue(pitch, d.FieldLimits[kPitchOverrideTag].Digits, unit));
    return r;
}

// The outline of a polyline drawn `thick` wide: its two sides joined at the ends, with mitred
// corners, as one polygon.
std::vector<QPoint> ThickOutline(const std::vector<QPointF>& line, double thick) {
    const size_t n = line.size();
    std::vector<QPoint> left(n), right(n);
    auto normal = [&](size_t i) { // unit normal of segment i, to its left
        const QPointF d = line[i + 1] - line[i];
        const double len = std::hypot(d.x(), d.y());
        return len > 0 ? QPointF(d.y() / len, -d.x() / len) : QPointF(0, -1);
    };
    for (size_t i = 0; i < n; ++i) {
        const QPointF a = normal(i == 0 ? 0 : i - 1), b = normal(i + 1 < n ? i : i - 1);
        QPointF m = a + b;
        const double cos2 = QPointF::dotProduct(m, a);
        m = cos2 > 0.1 ? m * (thick / 2 / cos2) : a * (thick / 2);
        left[i] = (line[i] + m).toPoint();
        right[n - 1 - i] = (line[i] - m).toPoint();
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

// Records the outline of the ellipse in the box as the strokes labels keep clear of: chords a
// quarter of the radius long, which stray from the outline by half a pixel or so, and their ends
// by as much again: they are recorded a pixel wider on each side than the pen.
void RecordOutline(TCanvas& canvas, int left, int top, int right, int bottom) {
    const int pen = canvas.Pen().Width;
    canvas.SetPenWidth(pen + 2);
    const double cx = (left + right - 1) / 2.0, cy = (top + bottom - 1) / 2.0;
    const double rx = (right - left - 1) / 2.0, ry = (bottom - top - 1) / 2.0;
    const int chords = std::clamp(int(std::max(rx, ry) / 4), 16, 96);
    auto at = [&](int i) {
        const double a = 2 * std::numbers::pi * i / chords;
        return QPoint(int(std::lround(cx + rx * std::cos(a))), int(std::lround(cy + ry * std::sin(a))));
    };
    for (int i = 0; i < chords; ++i)
        canvas.RecordStroke(at(i), at(i + 1));
    canvas.SetPenWidth(pen);
}

// A dimension of the plan view. A value that fits between the arrows stands on its line, its
// cell painted over the line; one set beside the line, the arrows outside, covers no more than its
// glyphs' cell, so that it may stand close to the lines about it, and keeps off its own line and
// arrows.
QRect Dimension(TDiagramDraw& draw, int x1, int y1, int x2, int y2, const QString& text, int mode,
                bool outside) {
    draw.Bitmap.SetFontHeight(-draw.FontSize());
    const int len = draw.Bitmap.TextWidth(" " + text + " ");
    const bool vertical = x1 == x2;
    const bool on = !outside && (vertical ? y2 - y1 : x2 - x1) - draw.ArrowSize() > len;
    const QRect box = draw.DrawDimension(x1, y1, x2, y2, text, mode, outside, !on);
    if (!on) {
        const int out = 2 * draw.ArrowSize();
        const int pen = (draw.LineUnit() + 1) / 2 + draw.ArrowSize() / 5; // the arrows' barbs
        const QPoint a = vertical ? QPoint(0, out) : QPoint(out, 0);
        draw.Placement.Blocks.push_back(
            QRect(QPoint(x1, y1) - a, QPoint(x2, y2) + a).normalized().adjusted(-pen, -pen, pen, pen));
    }
    return box;
}

} // namespace

// Positions shared by the parts of the plan view. Section values are in drawing lengths (ft | m).
struct TDiagramDraw::PlanFrame {
    int fs = 0, ls = 0, lu1 = 0, lu2 = 0;
    double tw = 0, s = 0, pw = 0;
    double depth = 0, flange = 0, tf = 0, web = 0, fillet = 0;                // values 5, 9, 4, 12, 11
    double depthRaw = 0, flangeRaw = 0, tfRaw = 0, webRaw = 0, filletRaw = 0; // in | cm
    QString lu, su;                                                           // length unit, section unit
    double rowScale = 0;
    int bottom = 0, rowTop = 0, left = 0, right = 0, x1 = 0, x2 = 0, yr = 0;
    int boxL = 0, boxR = 0, boxT = 0, boxB = 0, xc = 0, yc = 0;
    int hT = 0, h5 = 0, h9 = 0; // half extents of the detail
    bool sheet = false, drilled = false;
    bool spacingBelow = false; // the spacing dimensioned below the row, not along its centre line
    bool overlap = false;      // a secant row's overlap dimensioned above the row
    bool tall = false;         // a pier fitted to a box narrower than tall
    bool tallBeam = false;     // an I-beam larger than its pier fitted to a box narrower than tall
};

void TDiagramDraw::DrawPilePlanView() {
    CommonStart();
    // The centre lines, the pier outlines, the extension lines and the clear gap's diagonal run
    // across the section's dimensions: every dimension's value waits until all lines are drawn,
    // then keeps clear of those that are not its own.
    Placement.AvoidLines = true;
    HoldLabels = true;
    Bitmap.SetSegmentLog(&Placement.Strokes);
    const TKdData& d = Data;
    PlanFrame f;
    f.tw = double(d.TributaryWidth());
    if (f.tw == 0 || !std::isfinite(f.tw) || f.tw < 0) return;
    f.fs = FontSize();
    Bitmap.SetFontHeight(-f.fs);
    f.ls = LineSpacing();
    f.lu1 = LineUnit();
    f.lu2 = LineUnit2();
    const bool si = d.Units == usSI;
    f.lu = si ? "m" : "ft";
    f.su = si ? "cm" : "in";
    const double perUnit = si ? 100.0 : 12.0; // in | cm per ft | m
    const TSteelShape shape = d.GetShape();
    f.depthRaw = double(shape.D);
    f.flangeRaw = double(shape.Bf);
    f.tfRaw = double(shape.Tf);
    f.webRaw = double(shape.Tw);
    f.filletRaw = double(shape.K1);
    f.depth = f.depthRaw / perUnit;
    f.flange = f.flangeRaw / perUnit;
    f.tf = f.tfRaw / perUnit;
    f.web = f.webRaw / perUnit;
    f.fillet = f.filletRaw / perUnit;
    f.s = double(d.PileSpacing);
    f.sheet = d.PileType == ptSheet;
    f.drilled = d.Installation == 0;
    const bool cage = d.PileSection == psRebarCage;
    f.pw = (f.sheet || (!f.drilled && !cage)) ? f.depth : f.tw;
    if (!(f.pw > 0) || !std::isfinite(f.pw)) f.pw = f.tw;
    // A steel section larger than its pier stands out of it: the band holds the section's depth,
    // or the row's steel would run up into the detail (which fits its scale to the section too).
    const bool steel = d.PileSection == psIBeam || d.PileSection == psPipe;
    if (!f.sheet && f.drilled && steel && f.depth > f.pw && std::isfinite(f.depth)) f.pw = f.depth;

    // Row band. A tangent or secant row shows two primary piles one spacing apart and the secondary
    // piles between and after them: 1.5 spacings plus one pile width in all. Two full spacings
    // would leave an empty half spacing at the row's end and shrink the row for nothing.
    const double spans = d.PileType != ptSoldierBeam ? 1.5 : 1.0;
    // Piers that touch or overlap leave no room by the row's centre line for the spacing's value:
    // its dimension goes below the row, between the centre lines, the caption under it.
    f.spacingBelow = (d.PileType == ptTangent || d.PileType == ptSecant) && !f.sheet;
    f.bottom = H - (f.spacingBelow ? 3 : 2) * f.fs;
    f.left = f.fs;
    f.right = W - f.fs;
    f.rowScale = (f.right - f.left) / (spans * f.s + f.tw);
    f.rowTop = f.bottom - RoundPx(f.rowScale * f.pw);
    if (f.bottom - f.rowTop > H / 8.0 || !std::isfinite(f.rowScale)) {
        f.rowTop = f.bottom - RoundPx(H / 8.0);
        f.rowScale = (f.bottom - f.rowTop) / f.pw;
        const double a = d.PileType != ptSoldierBeam ? 1.5 : 1.0;
        const double b = d.PileType != ptSoldierBeam ? 0.5 : 1.0;
        f.left = W / 2 - RoundPx((a * f.s + f.tw) * f.rowScale / 2);
        f.right = W / 2 + RoundPx((b * f.s + f.tw) * f.rowScale / 2);
    }
    f.x1 = f.left + RoundPx(f.tw * f.rowScale / 2);
    f.x2 = f.x1 + RoundPx(f.s * f.rowScale);
    f.yr = f.rowTop + RoundPx(f.rowScale * f.pw / 2);

    // Detail box.
    f.boxT = 2 * f.ls;
    // A secant row's overlap is dimensioned above the row: half a line spacing more between it and
    // the detail holds its value clear of the pier's diameter.
    f.overlap = d.PileType == ptSecant && f.drilled && d.PileWidthLessHalfSpacing > 0;
    f.boxB = f.rowTop - (f.overlap ? 5 * f.ls / 2 : 2 * f.ls);
    // Two line spacings aside. A pier whose section fits in it is fitted to the box's width in a
    // picture narrower than tall, where two line spacings aside would leave it a fraction of the
    // picture: there the box reaches to a line spacing from the sides, room enough for a value
    // written upward beside the pier. A section fitted to the box keeps the full margins for its
    // dimensions at its side; an I-beam fitted to a tall box reaches to a line spacing from the
    // left, its flange thickness's value above its corner.
    const bool sectionFit = (steel && !f.sheet && std::max(f.depth, f.flange) > f.tw) || f.sheet;
    const bool tall = W < f.boxB - f.boxT;
    f.tall = tall && !sectionFit;
    f.tallBeam = tall && sectionFit && !f.sheet && d.PileSection == psIBeam;
    const int side = sectionFit ? 2 * f.ls : std::clamp((W - (f.boxB - f.boxT)) / 2, f.ls, 2 * f.ls);
    f.boxL = f.tallBeam ? f.ls : side;
    f.boxR = W - side;
    f.xc = RoundPx((f.boxL + f.boxR) / 2.0);
    f.yc = RoundPx((f.boxT + f.boxB) / 2.0);
    const int bw = f.boxR - f.boxL, bh = f.boxB - f.boxT;
    Scale = bw >= bh ? bh / f.tw : bw / f.tw;
    if (sectionFit) {
        Scale = bw / f.depth;
        if (f.flange * Scale > bh) Scale = bh / f.flange;
        // A pier wider than the flange is deep stands out above and below the section: it keeps
        // inside the box too, clear of the row band.
        if (!f.sheet && f.drilled && f.tw * Scale > std::min(bw, bh)) Scale = std::min(bw, bh) / f.tw;
    }
    if (d.PileSection == psIBeam && !f.sheet && f.depth > 0) {
        // The flange thickness and fillet distance are labelled left of the section: it shrinks
        // to keep them inside the picture. In a tall picture the flange thickness's value stands
        // above or below the section instead.
        Bitmap.SetFontHeight(-f.fs);
        const int tfLabel = ArrowSize() + Bitmap.TextWidth(" " + FormatValue(f.tfRaw, 2, f.su) + " ");
        const int room = std::max(f.tall || f.tallBeam ? 0 : tfLabel, f.ls + Bitmap.TextHeight("0"));
        const int half = f.xc - room;
        if (half > 0 && RoundPx(f.depth * Scale / 2) > half) Scale = 2.0 * half / f.depth;
    }
    if (cage && !f.sheet) {
        // The cage's labels stand left and right of the pier: the pier shrinks to leave them room.
        const RebarLabels labels = MakeRebarLabels(d);
        const int leftRoom = Bitmap.TextWidth(labels.Bars) + 4;
        const int rightRoom = Bitmap.TextWidth(labels.Cover) + f.ls; // the ties may go below the pier
        // Never smaller than two line spacings; labels that still do not fit are kept inside the
        // picture where they are drawn.
        const int half = std::max(std::min(f.xc - leftRoom, W - f.xc - rightRoom), 2 * f.ls);
        if (RoundPx(f.tw * Scale / 2) > half) Scale = 2.0 * half / f.tw;
    }
    if (!std::isfinite(Scale) || !(Scale > 0) || bw <= 0 || bh <= 0) return;
    f.hT = RoundPx(f.tw * Scale / 2);
    f.h5 = RoundPx(f.depth * Scale / 2);
    f.h9 = RoundPx(f.flange * Scale / 2);
    Layout.Values.insert({{"Scale", Scale},
                          {"RowScale", f.rowScale},
                          {"RowTop", f.rowTop},
                          {"Bottom", f.bottom},
                          {"X1", f.x1},
                          {"X2", f.x2},
                          {"Yr", f.yr},
                          {"Xc", f.xc},
                          {"Yc", f.yc},
                          {"HalfTW", f.hT}});

    DrawPlanRow(f);

    // The pier of a drilled pile.
    if (!f.sheet && f.drilled) {
        const bool tooClose = !d.IsClearGapWide() && steel;
        Bitmap.SetBrush(TBrush{kConcrete, TBrushStyle::Solid});
        SetPen(tooClose ? kLeader : kConcreteEdge, f.lu2);
        Bitmap.Ellipse(f.xc - f.hT, f.yc - f.hT, f.xc + f.hT, f.yc + f.hT);
        RecordOutline(Bitmap, f.xc - f.hT, f.yc - f.hT, f.xc + f.hT, f.yc + f.hT);
        Layout.Values["PierOutline"] = tooClose ? kLeader : kConcreteEdge;
    }
    if (f.sheet)
        DrawPlanSheet(f);
    else if (d.PileSection == psIBeam)
        DrawPlanIBeam(f);
    else if (d.PileSection == psPipe)
        DrawPlanPipe(f);
    else if (cage)
        DrawPlanRebarCage(f);
    if (!f.sheet && f.drilled && steel) DrawPlanClearGap(f);
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
}

void TDiagramDraw::DrawPlanRow(const PlanFrame& f) {
    if (f.sheet) return; // the sheets of the row are drawn with the sheet detail
    const TKdData& d = Data;
    const double rs = f.rowScale;
    const int r = RoundPx(f.tw * rs / 2);
    const int fs = f.fs;
    std::vector<int> primaries = {f.x1, f.x2};
    std::vector<int> secondaries;
    if (f.drilled && (d.PileType == ptTangent || d.PileType == ptSecant))
        secondaries = {f.x1 + RoundPx(f.s * rs / 2), f.x2 + RoundPx(f.s * rs / 2)};
    for (size_t k = 0; k < secondaries.size(); ++k)
        Layout.Values["Secondary" + std::to_string(k)] = secondaries[k];

    // Concrete or steel bodies: fills first, then outlines, so overlapping piers need no flood fill.
    if (f.drilled) {
        Bitmap.SetPen(TPen{kConcreteEdge, f.lu2, false, TPenStyle::Clear});
        Bitmap.SetBrush(TBrush{kConcrete, TBrushStyle::Solid});
        for (int x : secondaries)
            Bitmap.Ellipse(x - r, f.yr - r, x + r, f.yr + r);
        for (int x : primaries)
            Bitmap.Ellipse(x - r, f.yr - r, x + r, f.yr + r);
        SetPen(kConcreteEdge, f.lu2);
        Bitmap.SetBrushStyle(TBrushStyle::Clear);
        for (int x : secondaries) {
            const int ri = r - f.lu2 / 2;
            Bitmap.Ellipse(x - ri, f.yr - ri, x + ri, f.yr + ri);
        }
        for (int x : primaries)
            Bitmap.Ellipse(x - r, f.yr - r, x + r, f.yr + r);
        for (int x : secondaries)
            RecordOutline(Bitmap, x - r + f.lu2 / 2, f.yr - r + f.lu2 / 2, x + r - f.lu2 / 2,
                          f.yr + r - f.lu2 / 2);
        for (int x : primaries)
            RecordOutline(Bitmap, x - r, f.yr - r, x + r, f.yr + r);
        Bitmap.SetBrushStyle(TBrushStyle::Solid);
    } else {
        SetPen(kConcreteEdge, f.lu2);
        Bitmap.SetBrush(TBrush{kConcrete, TBrushStyle::Solid});
        const int hw = RoundPx(f.flange * rs / 2), hd = RoundPx(f.depth * rs / 2);
        for (int x : primaries)
            Bitmap.Rectangle(x - hw, f.yr - hd, x + hw, f.yr + hd);
    }

    // Steel in the row.
    if (d.PileSection == psIBeam) {
        const int detailWeb = RoundPx(f.web * Scale);
        const int pen = std::max(2 * f.lu2, detailWeb / 2 - 1);
        const int hw = RoundPx(f.flange * rs / 2), hd = RoundPx(f.depth * rs / 2);
        Bitmap.SetPen(TPen{kSteel, pen, true, TPenStyle::Solid});
        for (int x : primaries) {
            Bitmap.Line(x - hw, f.yr - hd + pen / 2, x + hw, f.yr - hd + pen / 2);
            Bitmap.Line(x - hw, f.yr + hd - pen / 2, x + hw, f.yr + hd - pen / 2);
            Bitmap.Line(x, f.yr - hd, x, f.yr + hd);
        }
    } else if (d.PileSection == psPipe) {
        const int wall = std::max(1, RoundPx(f.web * rs)); // the nominal wall of the pipe
        const int rp = RoundPx(f.depth * rs / 2) - wall / 2;
        SetPen(kSteel, wall);
        Bitmap.SetBrush(TBrush{clWhite, d.PipeFilledWithConcrete ? TBrushStyle::Clear : TBrushStyle::Solid});
        if (rp > 0)
            for (int x : primaries)
                Bitmap.Ellipse(x - rp, f.yr - rp, x + rp, f.yr + rp);
    } else {
        const double perBar = d.Units == usSI ? 1000.0 : 12.0;
        const int tie = std::max(1, RoundPx(d.GetRebar(d.LateralBarSize).Diameter / perBar * rs));
        const int rc = RoundPx((f.tw / 2 - double(d.ClearCover) / perBar) * rs);
        SetPen(kTies, tie);
        Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Clear});
        if (rc > 0)
            for (int x : primaries)
                Bitmap.Ellipse(x - rc, f.yr - rc, x + rc, f.yr + rc);
    }
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});

    // Centre lines, spacing and caption.
    const int lineEnd = f.bottom + fs / 2;
    SetPen(clBlack, f.lu1);
    for (int x : primaries) {
        Bitmap.MoveTo(x, f.rowTop - fs / 2);
        DashDotLineTo(x, lineEnd, true, 0);
    }
    Bitmap.MoveTo(f.x1 - fs, f.yr);
    DashDotLineTo(f.x2 + fs, f.yr, true, 0);
    // Below the row the centre lines are its extension lines, reaching a little past it.
    const int ys = f.spacingBelow ? lineEnd - f.lu2 : f.yr;
    DrawDimension(f.x1, ys, f.x2, ys, QString(), 3, false, true);
    const QRect value = DrawPlanSpacing(f, ys, f.spacingBelow ? lineEnd + f.lu2 : f.yr + f.lu2);
    Layout.Boxes["Spacing"] = value;
    Layout.Values["SpacingLine"] = ys;
    const int caption = f.spacingBelow ? value.bottom() + 1 + f.lu2 : lineEnd + f.lu2;
    DrawTextBox(f.x1, caption, f.x2, caption + fs, "pier spacing", 2, false, clNone);
    Bitmap.SetFontHeight(-fs);

    // Overlap of secant piles.
    const double overlap = double(d.PileWidthLessHalfSpacing);
    if (f.overlap && !secondaries.empty()) {
        const int a = secondaries[0] - r, b = f.x1 + r;
        const int y = f.rowTop - fs / 2;
        SetPen(clBlack, f.lu1);
        Bitmap.Line(a, y - f.lu2, a, f.yr);
        Bitmap.Line(b, y - f.lu2, b, f.yr);
        // Labelled on its left, away from the detail's labels that come down right of the centre.
        Layout.Boxes["Overlap"] =
            Dimension(*this, std::min(a, b), y, std::max(a, b), y, FormatValue(overlap, 2, f.lu), 1, false);
    }
}

QRect TDiagramDraw::DrawPlanSpacing(const PlanFrame& f, int line, int top) {
    // The value stands by its line, below it or, along the row's centre line, above it, between
    // the two centre lines: moved along the line, or a little up or down, to clear the steel, the
    // pier outlines and the labels.
    const QString text = FormatValue(f.s, 2, f.lu);
    Bitmap.SetFontHeight(-(f.fs - 2));
    const int tw = Bitmap.TextWidth(text), th = Bitmap.TextHeight(text);
    const int mid = (f.x1 + f.x2) / 2;
    const QRect below(mid - tw / 2, top, tw, th);
    // Its glyphs within half a font size of the line.
    const QRect ink = TextInk(0, 0, text);
    const TMoves along{f.x1 - mid, f.x2 - mid, 0, std::max(0, line + f.fs / 2 - top - ink.top() - 1)};
    Placement.Gap = LineUnit();
    const QRect above(below.left(), line - f.lu2 - th, tw, th);
    std::optional<QPoint> under = Placement.NearestClear(Bitmap, below, 0, along);
    std::optional<QPoint> over;
    const int rise = std::max(0, above.top() + ink.bottom() - (line - f.fs / 2) - 1);
    if (!f.spacingBelow)
        over = Placement.NearestClear(Bitmap, above, 0, {along.DxMin, along.DxMax, -rise, 0});
    QRect cell = below;
    if (under)
        cell = below.translated(*under);
    else if (over)
        cell = above.translated(*over);
    if (!under && !over) { // off the steel and the labels still
        Placement.AvoidLines = false;
        cell = below.translated(Placement.NearestClear(Bitmap, below, 0, along).value_or(QPoint()));
        Placement.AvoidLines = true;
    }
    Layout.Placed.push_back({cell, QPoint(), QPoint(), {}, QLine(), false});
    Bitmap.SetTextTransparent(true);
    Bitmap.SetFontColor(clBlack);
    TextOutSuper(cell.left(), cell.top(), text);
    return cell;
}

void TDiagramDraw::DrawSectionExtents(const PlanFrame& f, int xl, int xr, int yt, int yb) {
    // The section's depth (value 5) below it and its width (value 9) at its right, each with
    // extension lines two line spacings long.
    const int ls = f.ls;
    SetPen(clBlack, f.lu1);
    Bitmap.Line(xl, yb, xl, yb + 2 * ls);
    Bitmap.Line(xr - 1, yb, xr - 1, yb + 2 * ls);
    Dimension(*this, xl, yb + ls + ls / 2, xr - 1, yb + ls + ls / 2, FormatValue(f.depthRaw, 2, f.su), 2,
              false);
    Bitmap.Line(xr, yt, xr + 2 * ls, yt);
    Bitmap.Line(xr, yb - 1, xr + 2 * ls, yb - 1);
    Dimension(*this, xr + ls + ls / 2, yt, xr + ls + ls / 2, yb - 1, FormatValue(f.flangeRaw, 2, f.su), 2,
              false);
}

void TDiagramDraw::DrawPlanIBeam(const PlanFrame& f) {
    const int xl = f.xc - f.h5, xr = f.xc + f.h5, yt = f.yc - f.h9, yb = f.yc + f.h9;
    const int tf = std::max(1, RoundPx(f.tf * Scale));
    const int hw = std::max(1, RoundPx(f.web * Scale / 2));
    const int leg = RoundPx((f.fillet - f.web / 2) * Scale);
    SetPen(kSteel, f.lu1);
    Bitmap.SetBrush(TBrush{kSteel, TBrushStyle::Solid});
    Bitmap.Rectangle(xl, yt, xl + tf, yb);
    Bitmap.Rectangle(xr - tf, yt, xr, yb);
    Bitmap.Rectangle(xl + tf, f.yc - hw, xr - tf, f.yc + hw);
    if (leg > 0) {
        for (const int sx : {1, -1})
            for (const int sy : {1, -1}) {
                const int cx = sx > 0 ? xl + tf : xr - tf;
                const int cy = f.yc - sy * hw;
                Bitmap.Polygon({{cx, cy}, {cx + sx * leg, cy}, {cx, cy - sy * leg}});
            }
    }
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
    Layout.Values.insert(
        {{"SectionLeft", xl}, {"SectionRight", xr}, {"SectionTop", yt}, {"SectionBottom", yb}});

    DrawSectionExtents(f, xl, xr, yt, yb);
    const int ls = f.ls;
    // Flange thickness a third of the way from the flange edge to the web; web thickness a quarter
    // of the depth from the right. The web's value is set first: it has but the room above the
    // web, where the flange thickness's value may stand when the room left of the flange is taken.
    // In a tall picture, where the room left of the flange is the pier's, the flange thickness is
    // dimensioned at the bottom flange, its value below the section's corner, away from the clear
    // gap's diagonal.
    const int xTw = xr - (xr - xl) / (f.tallBeam ? 8 : 4);
    Dimension(*this, xTw, f.yc - hw, xTw, f.yc + hw, FormatValue(f.webRaw, 2, f.su), 2, true);
    const int yTf = f.tall ? yb - 1 - (yb - 1 - (f.yc + hw)) / 3 : yt + (f.yc - hw - yt) / 3;
    Layout.Boxes["FlangeThickness"] =
        Dimension(*this, xl, yTf, xl + tf, yTf, FormatValue(f.tfRaw, 2, f.su), 1, true);
    // Web centre line and the fillet distance from it.
    Bitmap.MoveTo(xl - 2 * ls, f.yc);
    DashDotLineTo(xr + 2 * ls, f.yc, true, 20);
    // The fillet distance below the centre line, clear of the flange thickness above it.
    if (f.fillet > 0) {
        const int yk = f.yc + RoundPx(f.fillet * Scale);
        Bitmap.Line(xl - 2 * ls, yk, xl, yk);
        Dimension(*this, xl - ls, f.yc, xl - ls, yk, FormatValue(f.filletRaw, 2, f.su), 1, false);
    }
}

void TDiagramDraw::DrawPlanPipe(const PlanFrame& f) {
    const TKdData& d = Data;
    // A pipe row carries its nominal wall where a beam has its web thickness; the design wall
    // (0.93 of it for welded tubes) belongs to the strength checks, not to the picture.
    const int wall = std::max(1, RoundPx(f.web * Scale));
    const int in = wall / 2;
    SetPen(kSteel, wall);
    Bitmap.SetBrush(TBrush{clWhite, d.PipeFilledWithConcrete ? TBrushStyle::Clear : TBrushStyle::Solid});
    // The pen runs inside the outline, so the outside diameter is the drawn one.
    if (f.h5 - in > 0 && f.h9 - in > 0)
        Bitmap.Ellipse(f.xc - f.h5 + in, f.yc - f.h9 + in, f.xc + f.h5 - in, f.yc + f.h9 - in);
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
    const int xl = f.xc - f.h5, xr = f.xc + f.h5, yb = f.yc + f.h9;
    const int ls = f.ls;
    SetPen(clBlack, f.lu1);
    Bitmap.Line(xl, f.yc, xl, yb + 2 * ls);
    Bitmap.Line(xr - 1, f.yc, xr - 1, yb + 2 * ls);
    Dimension(*this, xl, yb + ls + ls / 2, xr - 1, yb + ls + ls / 2, FormatValue(f.depthRaw, 2, f.su), 2,
              false);
    // Wall thickness at the top of the ring.
    const int xw = f.xc + (xr - f.xc) / 4;
    Dimension(*this, xw, f.yc - f.h9, xw, f.yc - f.h9 + wall, FormatValue(f.webRaw, 2, f.su), 1, true);
    Layout.Values.insert({{"SectionLeft", xl}, {"SectionRight", xr}, {"Wall", wall}});
}

void TDiagramDraw::DrawPlanRebarCage(const PlanFrame& f) {
    const TKdData& d = Data;
    const bool si = d.Units == usSI;
    const double perUnit = si ? 1000.0 : 12.0; // in | mm per ft | m
    const double sc = Scale / perUnit;         // pixels per in | mm
    const int cover = RoundPx(double(d.ClearCover) * sc);
    const int tie = std::max(1, RoundPx(d.GetRebar(d.LateralBarSize).Diameter * sc));
    const int rt = f.hT - cover - tie / 2;
    SetPen(kTies, tie);
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Clear});
    if (rt > 0) Bitmap.Ellipse(f.xc - rt, f.yc - rt, f.xc + rt, f.yc + rt);
    const int rb = std::max(1, RoundPx(d.GetRebar(d.VerticalBarSize).Diameter * sc / 2));
    const int rr = f.hT - cover - tie - rb;
    const int count = d.VerticalBarCount;
    SetPen(clBlack, 1);
    Bitmap.SetBrush(TBrush{clBlack, TBrushStyle::Solid});
    if (count > 0 && count < 1000 && rr > 0) {
        const double step = 2 * std::numbers::pi / count;
        for (int i = 0; i < count; ++i) {
            const int bx = f.xc + RoundPx(rr * std::sin(i * step));
            const int by = f.yc - RoundPx(rr * std::cos(i * step));
            Bitmap.Ellipse(bx - rb, by - rb, bx + rb, by + rb);
        }
    }
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
    Layout.Values.insert({{"TieRadius", rt}, {"BarRadius", rb}, {"BarCircle", rr}});

    // The pier's diameter below it, its extension lines drawn before the labels, which keep clear
    // of them.
    const int fs = f.fs, ls = f.ls;
    const int sqL = f.xc - f.hT, sqR = f.xc + f.hT, sqT = f.yc - f.hT, sqB = f.yc + f.hT;
    SetPen(clBlack, f.lu1);
    Bitmap.Line(sqL, f.yc, sqL, sqB + 2 * ls);
    Bitmap.Line(sqR - 1, f.yc, sqR - 1, sqB + 2 * ls);
    Dimension(*this, sqL, sqB + ls + ls / 2, sqR - 1, sqB + ls + ls / 2,
              FormatValue(f.tw * (si ? 100.0 : 12.0), 2, f.su), 2, false);

    // Labels with leaders.
    const RebarLabels labels = MakeRebarLabels(d);
    const QString& bars = labels.Bars;
    // The bars' label in a box of its own width (the label margin) left of the square's top, its
    // leader from the middle of that margin 0.75 of a font size above the square to the top bar;
    // the label, drawn after the leader on white, hides the leader's start.
    Bitmap.SetFontHeight(-fs);
    const int barsW = Bitmap.TextWidth(bars) + 4;
    const int barsRight = std::max(sqL, barsW);
    const QPoint barsShift = ClearShift(QRect(barsRight - barsW, sqT - fs, barsW, fs));
    if (rr > 0) {
        SetPen(kLeader, f.lu1);
        Bitmap.Line(barsRight - barsW / 2 + barsShift.x(), sqT - RoundPx(0.75 * fs) + barsShift.y(), f.xc,
                    f.yc - rr);
    }
    Layout.Boxes["Bars"] =
        DrawTextBox(barsRight - barsW + barsShift.x(), sqT - fs + barsShift.y(), barsRight + barsShift.x(),
                    sqT + barsShift.y(), bars, 1, false, clWhite);
    // The cover's and the ties' labels right of the pier, level with its top and its bottom; where
    // they do not fit there, the cover's above the pier at the right, over the bars' label when
    // the two would meet, and the ties' below the pier's dimension. Each is set where it is clear,
    // then led from its point nearest the pier's centre to the tie at 45 degrees.
    Bitmap.SetFontHeight(-fs);
    const int coverW = Bitmap.TextWidth(labels.Cover) + 4, tiesW = Bitmap.TextWidth(labels.Ties) + 4;
    QRect coverBox(sqR + ls / 2, sqT - fs, coverW, fs), tieBox(sqR + ls / 2, sqB - fs, tiesW, fs);
    if (coverBox.right() >= W) {
        coverBox.moveTopLeft({std::max(0, W - coverW), sqT - fs});
        if (coverBox.left() < Layout.Boxes["Bars"].right() + f.ls) coverBox.translate(0, -fs - f.lu2);
    }
    if (tieBox.right() >= W)
        tieBox.moveTopLeft({std::max(0, std::min(f.xc, W - tiesW)), sqB + 2 * ls + f.lu2});
    const double diag = std::sqrt(0.5);
    const QPoint coverAt(f.xc + RoundPx(rt * diag), f.yc - RoundPx(rt * diag));
    const QPoint tieAt(f.xc + RoundPx(rt * diag), f.yc + RoundPx(rt * diag));
    for (const auto& [box, text, name, at] : {std::tuple{coverBox, labels.Cover, "Cover", coverAt},
                                              std::tuple{tieBox, labels.Ties, "Ties", tieAt}}) {
        const QRect set =
            DrawTextBox(box.left(), box.top(), box.right() + 1, box.bottom() + 1, text, 0, false, clNone, fs);
        Layout.Boxes[name] = set;
        if (rt <= 0) continue;
        const int x = std::clamp(f.xc, set.left(), set.right());
        const int y = std::clamp(f.yc, set.top(), set.bottom());
        SetPen(kLeader, f.lu1);
        Bitmap.Line(x, y, at.x(), at.y());
    }
}

void TDiagramDraw::DrawPlanClearGap(const PlanFrame& f) {
    const TKdData& d = Data;
    const bool si = d.Units == usSI;
    const double t = std::atan2(f.flange, f.depth);
    const double r = f.tw * Scale / 2;
    const QPoint corner(f.xc - f.h5, f.yc - f.h9);
    const QPoint far(f.xc + RoundPx(r * std::cos(t)), f.yc + RoundPx(r * std::sin(t)));
    const QPoint near(f.xc - RoundPx(r * std::cos(t)), f.yc - RoundPx(r * std::sin(t)));
    SetPen(clBlack, f.lu1);
    Bitmap.MoveTo(far.x() + RoundPx(f.fs / 2.0 * std::cos(t)), far.y() + RoundPx(f.fs / 2.0 * std::sin(t)));
    if (d.PileSection == psPipe) {
        // A pipe has no corner: the gap is measured along the same line to its surface, and the
        // line stops at the surface on the far side, leaving the inside of the pipe to its wall's
        // value.
        const QPoint out(RoundPx(f.h5 * std::cos(t)), RoundPx(f.h9 * std::sin(t)));
        DashDotLineTo(f.xc + out.x(), f.yc + out.y(), true, 10);
        DrawArrowLine(near.x(), near.y(), f.xc - out.x(), f.yc - out.y(), ArrowSize(), true, true);
    } else {
        DashDotLineTo(corner.x(), corner.y(), true, 30);
        DrawArrowLine(near.x(), near.y(), corner.x(), corner.y(), ArrowSize(), true, true);
    }
    const QString gap = FormatValue(double(d.HalfClearGap()), 2, f.su);
    Bitmap.SetFontHeight(-f.fs);
    const int gw = std::max(GridX(1), Bitmap.TextWidth(gap) + 4);
    const int top = near.y() - 2 * f.fs;
    const QRect box = DrawTextBox(near.x() - gw, top, near.x(), top + f.fs, gap, 1, false, clNone);
    Bitmap.SetFontHeight(-f.fs);
    const int ls = f.ls;
    // Pier diameter just below the pier, above the row band; a line spacing from the section's depth
    // dimension when the two come close, below it where there is room.
    int yb = f.yc + f.hT + ls;
    if (const int yDepth = f.yc + f.h9 + ls + ls / 2; std::abs(yb - yDepth) < ls)
        yb = yDepth + ls <= f.rowTop - ls ? yDepth + ls : yDepth - ls;
    SetPen(clBlack, f.lu1);
    Bitmap.Line(f.xc - f.hT, f.yc, f.xc - f.hT, yb + ls / 2);
    Bitmap.Line(f.xc + f.hT - 1, f.yc, f.xc + f.hT - 1, yb + ls / 2);
    Dimension(*this, f.xc - f.hT, yb, f.xc + f.hT - 1, yb, FormatValue(f.tw * (si ? 100.0 : 12.0), 2, f.su),
              2, false);
    Layout.Values["GapLabelX"] = box.left();
}

void TDiagramDraw::DrawSheetShape(int left, int right, int top, int bottom, int thick, bool az) {
    const int w = right - left;
    Bitmap.SetPen(TPen{kSteel, thick, true, TPenStyle::Solid});
    const int yt = top + thick / 2, yb = bottom - thick / 2;
    Bitmap.Polyline({{left + thick, yt}, {left + w / 3, yt}, {left + 2 * w / 3, yb}, {right - thick, yb}});
    // Interlocks: a hook at each end, an open claw for Z-shaped rows and a closed knuckle for the
    // others.
    SetPen(kSteel, std::max(1, thick / 2));
    const int r = std::max(2, thick);
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Clear});
    if (az) {
        Bitmap.Arc(left - r, yt - r, left + r + 1, yt + r + 1, left + r, yt, left, yt + r);
        Bitmap.Arc(right - r - 1, yb - r, right + r, yb + r + 1, right - r, yb, right, yb - r);
    } else {
        Bitmap.Ellipse(left - r + thick / 2, yt - r, left + r + thick / 2, yt + r);
        Bitmap.Ellipse(right - r - thick / 2, yb - r, right + r - thick / 2, yb + r);
    }
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
}

void TDiagramDraw::DrawPlanSheet(const PlanFrame& f) {
    const TKdData& d = Data;
    const bool az = QString::fromStdString(d.GetShape().Name).trimmed().startsWith("AZ", Qt::CaseInsensitive);
    // Detail.
    const int thick = std::max(1, RoundPx(f.web * Scale));
    const int xl = f.xc - f.h5, xr = f.xc + f.h5, yt = f.yc - f.h9, yb = f.yc + f.h9;
    DrawSheetShape(xl, xr, yt, yb, thick, az);
    // Row band: the sheets across the band, every other one turned over as they are driven, so
    // that they interlock into one wall: one outline for the whole row, its area filled with the
    // outline colour.
    const int rw = std::max(2, RoundPx(f.depth * f.rowScale));
    const double rthick = std::max(1.0, f.web * f.rowScale);
    const int rh = std::max(2, RoundPx(f.flange * f.rowScale));
    const double up = f.yr - rh / 2 + rthick / 2, down = f.yr - rh / 2 + rh - rthick / 2;
    std::vector<QPointF> line{{double(f.left), up}};
    int count = 0;
    for (int x = f.left; x + rw <= f.right && count < 200; x += rw, ++count) {
        const double y0 = count % 2 ? down : up, y1 = count % 2 ? up : down;
        line.insert(line.end(), {{x + rw / 3.0, y0}, {x + 2 * rw / 3.0, y1}, {double(x + rw), y1}});
    }
    if (count > 0) {
        SetPen(kSteel, 1);
        Bitmap.SetBrush(TBrush{kSteel, TBrushStyle::Solid});
        Bitmap.Polygon(ThickOutline(line, rthick));
        Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
    }
    Layout.Values["RowSheets"] = count;
    Layout.Values.insert({{"SectionLeft", xl}, {"SectionRight", xr}});
    // Dimensions: width of one pile, height and thickness.
    DrawSectionExtents(f, xl, xr, yt, yb);
    const int xm = xl + (xr - xl) / 2;
    const int ym = f.yc;
    const int half =
        std::max(1, RoundPx(thick / 2.0 / std::sin(std::atan2(double(yb - yt), (xr - xl) / 3.0))));
    Dimension(*this, xm - half, ym, xm + half, ym, FormatValue(f.webRaw, 2, f.su), 1, true);
}

} // namespace vantrel
