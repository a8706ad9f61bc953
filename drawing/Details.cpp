// Details: the guardrail post on top of the pile, and the cross sections of a strut's steel member
// (flanged shape or pipe).

#include "drawing/DiagramDraw.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace vantrel {

namespace {

constexpr int kGuardrailFitRounds = 50;

// The frame of a member section picture: the area inside a margin of two line spacings, its
// centre, and the unit of the section's sizes (in or mm; the level's outline is in ft or m).
struct SectionFrame {
    double perUnit; // section size units per outline unit
    QString unit;
    int left, top, right, bottom, xc, yc;
};

std::optional<SectionFrame> SectionFrameOf(bool si, int ls, int width, int height) {
    SectionFrame f{si ? 1000.0 : 12.0, si ? "mm" : "in", 2 * ls, 2 * ls,
                   width - 2 * ls,     height - 2 * ls,  0,      0};
    if (f.right <= f.left || f.bottom <= f.top) return std::nullopt;
    f.xc = f.left + RoundPx((f.right - f.left) / 2.0);
    f.yc = f.top + RoundPx((f.bottom - f.top) / 2.0);
    return f;
}

} // namespace

std::array<QPoint, 6> TDiagramDraw::BreakLinePoints(int x1, int y1, int x2, int y2, int q) {
    if (x2 > x1) {
        const int m = x1 + (x2 - x1) / 2;
        return {QPoint(x1, y1),        QPoint(m - 2 * q, y1), QPoint(m - q, y1 - q),
                QPoint(m + q, y1 + q), QPoint(m + 2 * q, y1), QPoint(x2, y1)};
    }
    const int m = y1 + (y2 - y1) / 2;
    return {QPoint(x1, y1),        QPoint(x1, m - 2 * q), QPoint(x1 - q, m - q),
            QPoint(x1 + q, m + q), QPoint(x1, m + 2 * q), QPoint(x1, y2)};
}

void TDiagramDraw::DrawBreakLine(int x1, int y1, int x2, int y2) {
    const auto points = BreakLinePoints(x1, y1, x2, y2, FontSize() / 4);
    Bitmap.Polyline(std::vector<QPoint>(points.begin(), points.end()));
}

void TDiagramDraw::DrawGuardrail() {
    CommonStart();
    const TKdData& d = Data;
    const double length = double(d.GuardrailLength); // post height, ft | m
    if (!(length > 0) || !std::isfinite(length)) return;
    const bool si = d.Units == usSI;
    const int fs = FontSize();
    Bitmap.SetFontHeight(-fs);
    const int ls = LineSpacing();
    const int lu1 = LineUnit(), lu2 = LineUnit2();
    // The fixed detail sizes are in inches; SI shows them in millimetres.
    const double inchToLength = si ? 25.4 / 1000.0 : 1.0 / 12.0; // in -> ft | m
    const QString foot = si ? " m" : "'";
    const QString inch = si ? " mm" : "\"";
    auto inches = [&](double in) { return si ? in * 25.4 : in; }; // the value shown

    // Fit: the post takes the upper part of the height, two overlap lengths below it must fit.
    const int yTop = 3 * fs;
    const int yBot = H - 3 * fs;
    if (yBot - yTop < 4) return;
    int yP = yTop + RoundPx(0.6 * (yBot - yTop));
    for (int round = 0; round < kGuardrailFitRounds; ++round) {
        Scale = (yP - yTop) / length;
        const int c = yBot - RoundPx(Scale * 2 * 12 * inchToLength);
        const int next = std::max(yTop + (yBot - yTop) / 2, c);
        const bool settled = std::abs(next - yP) < 10;
        yP = next;
        if (settled) break;
    }
    Scale = (yP - yTop) / length;
    if (!std::isfinite(Scale) || !(Scale > 0)) return;
    const double mmOrIn = si ? 1000.0 : 12.0; // section sizes in mm | in per drawing unit
    TGRShape angle;
    d.GetAngle(angle);
    const int xm = W / 2;
    const int pileHalf = RoundPx(double(d.TributaryWidth()) * Scale / 2);
    const int pileL = xm - pileHalf, pileR = xm + pileHalf;
    const int postHalf = std::max(1, RoundPx(double(angle.B) * Scale / 2 / mmOrIn));
    const int postL = xm - postHalf, postR = xm + postHalf;
    const int overlap = RoundPx(12 * inchToLength * Scale);
    Layout.Values.insert({{"Scale", Scale},
                          {"yTop", yTop},
                          {"yPost", yP},
                          {"yBottom", yBot},
                          {"postLeft", postL},
                          {"postRight", postR},
                          {"pileLeft", pileL},
                          {"pileRight", pileR}});

    // Pile, cut off below by a break line.
    SetPen(clBlack, lu2);
    Bitmap.Line(pileL, yP, pileL, yBot);
    Bitmap.Line(pileR, yP, pileR, yBot);
    Bitmap.Line(pileL, yP, pileR, yP);
    SetPen(clBlack, lu1);
    Bitmap.Line(pileL + 3 * lu2, yP, pileL + 3 * lu2, yBot);
    Bitmap.Line(pileR - 3 * lu2, yP, pileR - 3 * lu2, yBot);
    DrawBreakLine(pileL - fs, yBot, pileR + fs, yBot);

    // Post: the angle's leg at the scale, welded over the overlap to the pile's face.
    SetPen(clBlack, lu2);
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Clear});
    Bitmap.Rectangle(postL, yTop, postR, yP + overlap);
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});

    // Cable through the post, at most 6 in below its top.
    const int yCable = yTop + RoundPx(6 * inchToLength * Scale);
    const double cableDia = double(angle.T); // the leg thickness gives the cable diameter, in | mm
    const int rCable = std::max(1, RoundPx(cableDia * Scale / mmOrIn / 2));
    SetPen(clBlack, lu1);
    DrawCircle(xm, yCable, rCable);
    Bitmap.MoveTo(xm - postHalf - 2 * rCable - fs, yCable);
    DashDotLineTo(xm + postHalf + 2 * rCable + fs, yCable, true, 0);
    Bitmap.MoveTo(xm, yCable - 2 * rCable - fs / 2);
    DashDotLineTo(xm, yCable + 2 * rCable + fs / 2, true, 0);
    Layout.Values["yCable"] = yCable;
    Layout.Values["rCable"] = rCable;

    // Dimensions.
    DrawDimension(postL - ls, yTop, postL - ls, yP, FormatValue(length, 2, foot), 4, false, false);
    Bitmap.Line(postR, yTop, postR + 2 * ls, yTop);
    Bitmap.Line(postR + rCable, yCable, postR + 2 * ls, yCable);
    DrawDimension(postR + ls, yTop, postR + ls, yCable, QString(), 2, false, false);
    const int yFifteen = yTop + RoundPx(15 * inchToLength * Scale);
    Bitmap.Line(postL - 3 * ls, yTop, postL, yTop);
    Bitmap.Line(postL - 3 * ls, yFifteen, postL, yFifteen);
    DrawDimension(postL - 2 * ls - ls / 2, yTop, postL - 2 * ls - ls / 2, yFifteen,
                  FormatValue(inches(15), 2, inch), 3, false, false);
    Bitmap.Line(pileR, yP + overlap, pileR + 2 * ls, yP + overlap);
    Bitmap.Line(pileR, yP, pileR + 2 * ls, yP);
    DrawDimension(pileR + ls, yP, pileR + ls, yP + overlap, FormatValue(inches(12), 2, inch), 4, false,
                  false);
    const int weldOff = RoundPx(1 * inchToLength * Scale);
    DrawDimension(pileL - ls, yP + weldOff, pileL - ls, yP + overlap - weldOff,
                  FormatValue(inches(10), 2, inch) + " WELD", 3, false, false);
    Bitmap.SetFontAngle(0);

    // Texts.
    const int rowH = fs;
    SetPen(clBlack, lu1);
    const int leftEnd = postL - 3 * ls;
    DrawTextBox(0, yTop - fs, leftEnd, yTop - fs + rowH, QString::fromStdString(angle.Name), 1, false,
                clNone);
    DrawTextBox(0, yTop, leftEnd, yTop + rowH, "GUARDRAIL", 1, false, clNone);
    DrawArrowLine(leftEnd + lu2, yTop + rowH / 2, postL, yTop + RoundPx(2.8 * fs), ArrowSize(), false, true);
    Layout.Boxes["Name"] = QRect(QPoint(0, yTop - fs), QPoint(leftEnd, yTop - 1));
    // The 6-inch limit beside the cable's dimension.
    DrawTextBox(postR + 2 * ls, yTop + (yCable - yTop) / 2 - rowH / 2, W,
                yTop + (yCable - yTop) / 2 + rowH / 2, FormatValue(inches(6), 2, inch) + " MAX", 0, false,
                clNone);
    const int rightX = postR + 3 * ls;
    const int firstRow = std::max(yCable + RoundPx(2.8 * fs) - rowH, yTop + (yCable - yTop) / 2 + rowH);
    const QString rows[4] = {FormatValue(cableDia, 3, inch) + " STEEL CABLE W/",
                             "TURNBUCKLES @ " + FormatValue(30 * 12 * inchToLength, 3, foot),
                             "MAX INTERVALS FOR", "TENSIONING"};
    for (int r = 0; r < 4; ++r)
        DrawTextBox(rightX, firstRow + r * rowH, W, firstRow + (r + 1) * rowH, rows[r], 0, false, clNone);
    Layout.Boxes["Cable"] = QRect(QPoint(rightX, firstRow), QPoint(W - 1, firstRow + 4 * rowH - 1));
    DrawArrowLine(rightX - lu2, firstRow + rowH / 2, xm + rCable, yCable, ArrowSize(), false, true);
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
}

void TDiagramDraw::DrawFlangedSection() {
    CommonStart();
    if (!HasLevel || Level.MemberWidth == 0 || !Level.StructuralDesign) return;
    const bool si = Data.Units == usSI;
    const TIShape& s = Level.IShape;
    const int ls = LineSpacing();
    const std::optional<SectionFrame> frame = SectionFrameOf(si, ls, W, H);
    if (!frame) return;
    const auto& [perUnit, unit, left, top, right, bottom, xc, yc] = *frame;
    const double outerW = std::max(double(Level.MemberWidth), double(s.Bf) / perUnit);
    const double outerH = std::max(double(Level.MemberLength), double(s.D) / perUnit);
    Scale = std::min((right - left) / outerW, (bottom - top) / outerH);
    if (!std::isfinite(Scale) || !(Scale > 0)) return;
    auto px = [&](double sectionSize) { return RoundPx(sectionSize / perUnit * Scale); };
    const int bf = px(double(s.Bf)), dd = px(double(s.D)), tf = std::max(1, px(double(s.Tf))),
              tw = std::max(1, px(double(s.Tw)));
    const int x0 = xc - bf / 2, x1 = x0 + bf, y0 = yc - dd / 2, y1 = y0 + dd;
    const int w0 = xc - tw / 2, w1 = w0 + tw;
    Layout.Values.insert({{"Scale", Scale},
                          {"left", x0},
                          {"right", x1},
                          {"top", y0},
                          {"bottom", y1},
                          {"webLeft", w0},
                          {"webRight", w1}});

    SetPen(kSteel, LineUnit());
    Bitmap.SetBrush(TBrush{kSteel, TBrushStyle::Solid});
    Bitmap.Rectangle(x0, y0, x1, y0 + tf);
    Bitmap.Rectangle(x0, y1 - tf, x1, y1);
    Bitmap.Rectangle(w0, y0 + tf, w1, y1 - tf);
    const int k = std::max(1, std::min(tf, (bf - tw) / 4));
    Bitmap.Polygon({{w0, y0 + tf}, {w0 - k, y0 + tf}, {w0, y0 + tf + k}});
    Bitmap.Polygon({{w1, y0 + tf}, {w1 + k, y0 + tf}, {w1, y0 + tf + k}});
    Bitmap.Polygon({{w0, y1 - tf}, {w0 - k, y1 - tf}, {w0, y1 - tf - k}});
    Bitmap.Polygon({{w1, y1 - tf}, {w1 + k, y1 - tf}, {w1, y1 - tf - k}});
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});

    SetPen(clBlack, LineUnit());
    const int as = ArrowSize();
    Bitmap.Line(x0, y0 - 1, x0, y0 - ls - as);
    Bitmap.Line(x1 - 1, y0 - 1, x1 - 1, y0 - ls - as);
    DrawDimension(x0, y0 - ls, x1 - 1, y0 - ls, FormatValue(double(s.Bf), 2, unit), 2, false, false);
    Bitmap.Line(x1, y0, x1 + ls + as, y0);
    Bitmap.Line(x1, y1 - 1, x1 + ls + as, y1 - 1);
    DrawDimension(x1 + ls, y0, x1 + ls, y1 - 1, FormatValue(double(s.D), 2, unit), 2, false, false);
    const int xTf = x0 + (w0 - x0) / 3;
    DrawDimension(xTf, y0, xTf, y0 + tf, FormatValue(double(s.Tf), 2, unit), 1, true, false);
    const int yTw = y0 + dd / 4;
    DrawDimension(w0, yTw, w1, yTw, FormatValue(double(s.Tw), 2, unit), 1, true, false);
    if (Level.MemberKind != 0) {
        const int wide = RoundPx(double(Level.MemberWidth) * Scale);
        DrawDimension(xc - wide / 2, y1 + ls, xc + wide / 2, y1 + ls,
                      FormatValue(double(Level.MemberWidth) * (si ? 100.0 : 12.0), 2, si ? "cm" : "in"), 1,
                      false, false);
    }
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
}

void TDiagramDraw::DrawPipeSection() {
    CommonStart();
    if (!HasLevel || Level.MemberWidth == 0 || !Level.StructuralDesign) return;
    const TOShape& s = Level.OShape;
    const int ls = LineSpacing();
    const std::optional<SectionFrame> frame = SectionFrameOf(Data.Units == usSI, ls, W, H);
    if (!frame) return;
    const auto& [perUnit, unit, left, top, right, bottom, xc, yc] = *frame;
    const double outer = std::max(double(Level.MemberWidth), double(s.OD) / perUnit);
    Scale = std::min((right - left) / outer, (bottom - top) / outer);
    if (!std::isfinite(Scale) || !(Scale > 0)) return;
    const int r = RoundPx(double(s.OD) / perUnit * Scale / 2);
    const int ri = RoundPx((double(s.OD) - 2 * double(s.T)) / perUnit * Scale / 2);
    Layout.Values.insert({{"Scale", Scale}, {"xc", xc}, {"yc", yc}, {"r", r}, {"rInner", ri}});
    if (r <= 0) return;
    const int lu = LineUnit();
    SetPen(kSteel, lu);
    Bitmap.SetBrush(TBrush{kSteel, TBrushStyle::Solid});
    Bitmap.Ellipse(xc - r, yc - r, xc + r, yc + r);
    // A wall that fills the pipe leaves no inside to draw.
    if (ri > 0) {
        Bitmap.SetBrushColor(Level.ConcreteFilled ? kConcrete : clWhite);
        Bitmap.Ellipse(xc - ri, yc - ri, xc + ri, yc + ri);
    }
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
    SetPen(clBlack, lu);
    const int as = ArrowSize();
    Bitmap.Line(xc - r, yc, xc - r, yc + r + ls + as);
    Bitmap.Line(xc + r - 1, yc, xc + r - 1, yc + r + ls + as);
    DrawDimension(xc - r, yc + r + ls, xc + r - 1, yc + r + ls, FormatValue(double(s.OD), 2, unit), 2, false,
                  false);
    // The wall at the right, on the horizontal through the centre; its value beside it.
    if (ri > 0 && ri < r) {
        DrawDimension(xc + ri, yc, xc + r, yc, QString(), 1, true, false);
        // The value inside the ring, left of its wall, just above the dimension.
        const QString text = "t = " + FormatValue(double(s.T), 2, unit);
        const int fs = FontSize();
        Bitmap.SetFontHeight(-fs);
        const int right = xc + ri - ls / 2;
        const int top = yc - 2 * fs;
        Layout.Boxes["Wall"] =
            DrawTextBox(right - Bitmap.TextWidth(text) - 4, top, right, top + fs, text, 1, false, clNone);
    }
}

} // namespace vantrel
