// The wall cross section: a scaled elevation of the pile from its top to its tip, the retained soil,
// the excavation, every support level with its member drawn to scale, the failure plane, the
// surcharges, the water level and the axial load, with their dimensions.

#include "drawing/DiagramDraw.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <tuple>

namespace vantrel {

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

// Whether the segments a and b meet.
bool Cross(const QLine& a, const QLine& b) {
    auto side = [](QPoint p, QPoint q, QPoint r) {
        const long long v =
            (long long)(q.x() - p.x()) * (r.y() - p.y()) - (long long)(q.y() - p.y()) * (r.x() - p.x());
        return (v > 0) - (v < 0);
    };
    const int d1 = side(a.p1(), a.p2(), b.p1()), d2 = side(a.p1(), a.p2(), b.p2());
    const int d3 = side(b.p1(), b.p2(), a.p1()), d4 = side(b.p1(), b.p2(), a.p2());
    if (d1 * d2 < 0 && d3 * d4 < 0) return true;
    auto on = [](QPoint p, QPoint q, QPoint r) {
        return std::min(p.x(), q.x()) <= r.x() && r.x() <= std::max(p.x(), q.x()) &&
               std::min(p.y(), q.y()) <= r.y() && r.y() <= std::max(p.y(), q.y());
    };
    return (d1 == 0 && on(a.p1(), a.p2(), b.p1())) || (d2 == 0 && on(a.p1(), a.p2(), b.p2())) ||
           (d3 == 0 && on(b.p1(), b.p2(), a.p1())) || (d4 == 0 && on(b.p1(), b.p2(), a.p2()));
}

constexpr TColor kPileGrey = 0xC7C7C7;
constexpr TColor kSlurryGrey = 0xEFEFEF;
constexpr TColor kConcreteGrey = 0xC0C0C0;

// The widest surcharge label the layout reserves room for.
const QString kStripSample = "Strip Load XXXX psf, XX - XX ft";
const QString kStripSampleShort = "Strip Load XXXX psf, X - XX ft";
const QString kUniformSample = "Uniform surcharge: XXXX psf";

} // namespace

// Positions shared by the steps of the cross section.
struct TDiagramDraw::CrossFrame {
    int fs = 0, ls = 0, lu1 = 0, lu2 = 0, as = 0;
    QString lu; // length unit of the drawing
    QString su; // small unit of pile widths
    int xc = 0, xL = 0, xR = 0, xL2 = 0, xR2 = 0, xMin = 0, xs = 0;
    int yTop = 0, yExc = 0, yTip = 0, yTip2 = 0, xU = 0;
    int extent = 0; // reach of the surcharges right of the wall, pixels
    // While the rakers' length dimensions are chosen: the blocks from `held` on hold the places
    // their lines keep off, the levels' letters' first (`letters` of them), then the values chosen.
    size_t held = 0, letters = 0;
    std::vector<int> offsets;   // how far each level's length dimensions stand off its member
    std::vector<QLine> chosen;  // the dimension and extension lines chosen so far
    std::vector<QLine> members; // the members drawn, each from its start to its far end
    std::vector<int> memberOf;  // which of them each level's is (-1: none)
    size_t member = 0;          // the one whose dimensions are being chosen
    int roomless = 0;           // the levels whose values found no room
    double f = 1.3;             // label row of the next surcharge, in font sizes above the ground
};

void TDiagramDraw::GrowWidthTo(int right) {
    // A label is never given more than four picture widths (a caption of absurd length is cut).
    right = std::min(right, 4 * std::max(W, 1));
    if (right <= OutW) return;
    OutW = right;
    // The picture is cut to OutW at the end; it only has to be at least that wide meanwhile.
    if (Bitmap.Width() < OutW) Bitmap.SetWidth(OutW);
}

void TDiagramDraw::DashedLineTo(int x, int y, int piece) {
    const QPoint start = Bitmap.PenPos();
    Bitmap.SetStrokesHeld(true);
    int x0 = Bitmap.PenPos().x();
    int y0 = Bitmap.PenPos().y();
    int ex = x, ey = y;
    if (x0 == ex || y0 == ey) {
        if (x0 > ex) std::swap(x0, ex);
        if (y0 > ey) std::swap(y0, ey);
    }
    double dx = (ex - x0) / 9.0;
    double dy = (ey - y0) / 9.0;
    if (piece != 0 && ((dx > 0 && piece < dx) || (dy > 0 && piece < dy))) {
        if (dx != 0) dx = std::copysign(double(piece), dx);
        if (dy != 0) dy = std::copysign(double(piece), dy);
    }
    Bitmap.MoveTo(x0, y0);
    if (ex > x0) {
        for (int i = 1; x0 + RoundPx(i * dx) < ex; ++i) {
            const int px = x0 + RoundPx(i * dx), py = y0 + RoundPx(i * dy);
            if (i % 2 == 1)
                Bitmap.LineTo(px, py);
            else
                Bitmap.MoveTo(px, py);
        }
    }
    Bitmap.LineTo(ex, ey);
    Bitmap.MoveTo(x, y);
    Bitmap.SetStrokesHeld(false);
    Bitmap.RecordStroke(start, QPoint(x, y));
}

void TDiagramDraw::DrawCrossSection() {
    CommonStart();
    // Levels, members, dimensions and the failure plane cross one another: every label waits until
    // all lines are drawn, then keeps clear of those that are not its own.
    Placement.AvoidLines = true;
    HoldLabels = true;
    Placement.HasSteel = false; // members are drawn in black
    Bitmap.SetSegmentLog(&Placement.Strokes);
    const TKdData& d = Data;
    const TAnchor& a = d.Anchors;
    if (d.PileLength == 0) return;
    CrossFrame f;
    f.fs = FontSize();
    Bitmap.SetFontHeight(-f.fs);
    f.ls = LineSpacing();
    f.lu1 = LineUnit();
    f.lu2 = LineUnit2();
    f.as = ArrowSize();
    const bool si = d.Units == usSI;
    f.lu = si ? "m" : "ft";
    f.su = si ? "cm" : "in";
    const double toLength = si ? 100.0 : 12.0; // in | cm per ft | m
    const int fs = f.fs, ls = f.ls, lu1 = f.lu1, lu2 = f.lu2;

    // Scale: the depth of the pile or of the deepest anchor fits the height, the horizontal extent
    // of braces, pile, anchors and surcharges the width.
    const double diagramWidth = double(d.DiagramWidth());
    const double depth = std::max(double(d.PileLength), double(d.MaxAnchorDepth()));
    const double s1 = (H - 4 * ls - GridY(3.5)) / depth;
    const double s2 = (W - 6 * ls) / diagramWidth;
    Scale = std::min(s1, s2);
    if (!(diagramWidth > 0) || !std::isfinite(Scale) || !(Scale > 0)) return; // nothing can be drawn
    const double extent = double(d.SurchargeExtent());
    int r0 = 5 * fs;
    if (extent != 0)
        r0 += Bitmap.TextWidth(kStripSample);
    else if (a.UniformSurcharge != 0)
        r0 = Bitmap.TextWidth(kUniformSample) + 10 * fs;
    else
        r0 = 15 * fs;
    const double braces = double(d.MaxDrawnProjection(true));
    const double anchors = double(d.MaxDrawnProjection(false));
    const double sectionDepth = double(d.SectionDepth()) / toLength; // ft | m
    f.xc = 5 * ls + std::max(3 * ls, RoundPx((braces + double(d.EffectivePileWidth()) / 2) * Scale));
    auto faces = [&] {
        const int half = RoundPx(sectionDepth * Scale / 2);
        f.xL = f.xc - half;
        f.xR = f.xc + half;
    };
    faces();
    if (f.xR + RoundPx(Scale * extent) + r0 > W) Scale = std::min(Scale, (W - 6 * ls - r0) / diagramWidth);
    if (!std::isfinite(Scale) || !(Scale > 0)) return;
    faces();
    const int outW = f.xR + std::max(RoundPx(Scale * extent) + r0, RoundPx(anchors * Scale) + 3 * ls);
    if (outW <= 0 || outW > 4 * W) return;
    OutW = outW;
    // Drawn up to OutW: a narrower picture is cut at the end, a wider one grows white now.
    if (Bitmap.Width() < OutW) Bitmap.SetWidth(OutW);

    f.yTop = GridY(3.5);
    f.yExc = f.yTop + RoundPx(double(d.ShoredHeight) * Scale);
    f.yTip = f.yExc + RoundPx(double(a.Embedment) * Scale);
    f.yTip2 = f.yTip - lu2;
    const int sampleW = Bitmap.TextWidth(kStripSampleShort);
    const int m = std::min(W / 4, (W - sampleW - 2 * fs) / 2 - 2 * fs);
    const int e =
        std::min(std::max(m, RoundPx(1.33 * Scale * double(d.ShoredHeight))), W - f.xc - sampleW - 2 * fs);
    f.xU = f.xc + e + fs;
    const bool sheet = d.PileType == ptSheet;
    const bool cage = d.PileSection == psRebarCage;
    if (sheet) {
        f.xL2 = f.xL;
        f.xR2 = f.xR;
    } else {
        const int half = RoundPx(double(d.TributaryWidth()) * Scale / 2);
        f.xL2 = f.xc - half;
        f.xR2 = f.xc + half;
    }
    f.xMin = std::min(f.xL2, f.xL);
    OutH = std::min(f.yTip + 4 * ls, H); // nothing is drawn below the picture
    Layout.Values.insert({{"Scale", Scale},
                          {"xc", f.xc},
                          {"xL", f.xL},
                          {"xR", f.xR},
                          {"xL2", f.xL2},
                          {"xR2", f.xR2},
                          {"yTop", f.yTop},
                          {"yExc", f.yExc},
                          {"yTip", f.yTip},
                          {"LineSpacing", ls}});

    // Pile.
    SetPen(clBlack, lu2);
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
    if (!sheet) {
        if (d.Installation == 0 || cage) {
            Bitmap.SetBrushColor(kPileGrey);
            Bitmap.Rectangle(f.xL2, f.yExc, f.xR2, f.yTip);
        }
        if (d.PileSection == psIBeam || d.PileSection == psPipe) {
            const bool filled = d.PileSection == psPipe && d.PipeFilledWithConcrete;
            Bitmap.SetBrushColor(filled ? kPileGrey : clWhite);
            Bitmap.Rectangle(f.xL, f.yTop, f.xR, f.yTip2);
            if (d.PileSection == psIBeam) {
                // Flange thickness in in | cm to ft | m.
                const int t = int(std::trunc(double(d.GetShape().Tf) / toLength * Scale));
                const int dx = t + lu2 / 2 + 2;
                SetPen(clBlack, std::max(1, lu1 / 3));
                Bitmap.Line(f.xL + dx, f.yTop, f.xL + dx, f.yTip2 - lu1);
                Bitmap.Line(f.xR - dx - lu2, f.yTop, f.xR - dx - lu2, f.yTip2 - lu1);
                SetPen(clBlack, lu2);
            }
        }
        if (cage) {
            Bitmap.SetBrushColor(d.ConcretePlacement == 1 ? kSlurryGrey : kConcreteGrey);
            Bitmap.Rectangle(f.xL2, f.yTop, f.xR2, f.yExc);
        }
    } else {
        Bitmap.SetBrushColor(kPileGrey);
        Bitmap.Rectangle(f.xL, f.yTop, f.xR, f.yTip2);
    }
    Bitmap.SetBrushColor(clWhite);
    // No label stands on the pile, and none is led across it.
    Divide = QRect(QPoint(std::min(f.xL, f.xL2), f.yTop), QPoint(std::max(f.xR, f.xR2) - 1, f.yTip));
    Placement.Blocks.push_back(Divide);

    // Retained soil and its name.
    f.xs = cage ? f.xR2 : f.xR;
    const int groundEnd = f.xs + 10 * fs;
    HatchRect(f.xs, f.yTop, groundEnd, f.yExc, kRetainedHatch);
    SetPen(clBlack, lu1);
    Bitmap.Line(f.xs, f.yTop, groundEnd, f.yTop);
    {
        int y = f.yTop + lu2;
        auto below = [&](bool on, double offset, double depthFt) {
            const int footing = f.yTop + RoundPx(depthFt * Scale);
            if (on && footing > y && f.xR + offset * Scale < groundEnd) y = footing;
        };
        below(a.PointLoadOn, a.PointOffset, a.PointDepth);
        below(a.LineLoadOn, a.LineOffset, a.LineDepth);
        below(a.StripLoadOn, a.StripOffset, a.StripDepth);
        Bitmap.SetTextTransparent(true);
        Bitmap.SetFontColor(clBlack);
        // The name stands on the soil it names: along its row, or down the soil's far side.
        const int x = groundEnd - Bitmap.TextWidth(Texts.SoilName + " ");
        const int middle = y + Bitmap.TextHeight("X") / 2;
        DrawLabelLines(x, y, {Texts.SoilName}, 0, QPoint(x, middle),
                       {QLine(f.xs, middle, groundEnd, middle), QLine(groundEnd, middle, groundEnd, f.yExc)});
    }

    // Excavation side and the reference levels.
    HatchRect(f.xMin - 6 * fs, f.yExc, f.xMin, f.yTip2, kExcavationHatch);
    Bitmap.SetTextTransparent(true);
    Bitmap.SetFontColor(clBlack);
    // Each a text of two lines beyond the far end of its reference line, its middle on the line's
    // level, and clear of the line's end; it may stand anywhere along the line, and is led to it
    // when it must move farther.
    auto twoLines = [&](int y, int left, int right, const QString& upper, const QString& lower) {
        const int width = std::max(Bitmap.TextWidth(upper), Bitmap.TextWidth(lower));
        const int x = std::min(left + 3 * ls - 8 * fs, left - 2 * lu2 - width);
        DrawLabelLines(x, y - fs - lu2, {upper, lower}, fs + lu2, QPoint(left, y), {QLine(left, y, right, y)},
                       lrReference);
    };
    SetPen(clBlack, lu1);
    Bitmap.Line(f.xMin - 3 * ls, f.yTop, f.xL, f.yTop);
    Bitmap.Line(f.xMin - 3 * ls, f.yTip, f.xMin, f.yTip);
    const int xDim = f.xMin - 2 * ls;
    DrawDimension(xDim, f.yTop, xDim, f.yExc, FormatValue(double(d.ShoredHeight), 2, f.lu), 2, false, false);
    DrawDimension(xDim, f.yExc, xDim, f.yTip, FormatValue(double(a.Embedment), 2, f.lu), 2, false, false);

    // Support levels.
    const int levels = std::min(a.UsedLevels(), int(a.FreeLengths.size()));
    // The levels' members first: the chain of their spacings stands where its values find room
    // among them.
    std::vector<int> yLevel;
    for (int i = 0; i < levels; ++i) {
        yLevel.push_back(f.yTop + RoundPx(double(d.LevelDepth(i)) * Scale));
        Layout.Values["Level" + std::to_string(i) + ".y"] = yLevel.back();
        DrawAnchor(f, i, yLevel.back(), 0);
    }
    // Where the rakers' length dimensions stand (those of tension members stay one line spacing off
    // them, and are seen by the rakers' values): each value keeps off the places of the levels'
    // letters, of the members' angle values, of the labels asked for so far and of the ground's
    // name, and off the values chosen before it.
    f.offsets.assign(size_t(levels), ls);
    if (std::any_of(a.Levels.begin(), a.Levels.begin() + levels,
                    [](const TAnchLevel& l) { return l.Kind == lkRaker && l.Angle != 0; })) {
        f.held = Placement.Blocks.size();
        const TFont font = Bitmap.Font();
        Bitmap.SetFontAngle(0);
        Bitmap.SetFontHeight(-fs);
        // A place is held where it is clear of the members: one they cross is given up anyway.
        Placement.Gap = LineUnit();
        std::vector<QRect> places;
        auto hold = [&](const QRect& place, int tag) {
            if (const TMoves asked = TMoves::Inside(place, PictureSize()).Within({0, 0, 0, 0});
                !asked.Empty() && Placement.NearestClear(Bitmap, place, tag, asked))
                places.push_back(place);
        };
        const int letter = Bitmap.TextWidth("A");
        for (int i = 0; i < levels; ++i)
            hold(QRect(f.xL - (3 * ls) / 2 - letter, yLevel[size_t(i)] - 2 * fs / 3, letter,
                       Bitmap.TextHeight("A")),
                 0);
        f.letters = places.size();
        {
            const int left = f.xMin - 3 * ls;
            const int width = std::max(Bitmap.TextWidth("Excav."), Bitmap.TextWidth("Top"));
            const int x = std::min(left + 3 * ls - 8 * fs, left - 2 * lu2 - width), y = f.yTop - fs - lu2;
            hold(TextCell(x, y, "Excav.") | TextCell(x, y + fs + lu2, "Top"), 0);
        }
        for (const HeldLabel& l : Held)
            hold(l.Box, l.Tag);
        Bitmap.SetFontHeight(-FontSize());
        for (int i = 0; i < levels; ++i) {
            const TAnchLevel& level = a.Levels[size_t(i)];
            const std::string key = "Level" + std::to_string(i);
            if (level.Angle == 0 || !Layout.Has(key + ".p2X")) continue;
            // As its arc's value is set: right of a raker's far end, left of a tension member's
            // (a tieback's below its bond zone's end), over the horizontal drawn from it.
            const bool raker = level.Kind == lkRaker;
            const int x = int(Layout.Value(key + ".p2X"));
            const int y = int(Layout.Value(key + ".p2Y")) + (level.Kind == lkTieback ? (3 * lu2) / 2 : 0);
            const double angle = double(level.Angle) * kDeg, r = 3 * ls;
            const QString value = FormatValue(double(level.Angle), 2, QString()) + QChar(0x00B0);
            const int y0 = y - RoundPx(std::sin(angle) * (fs + r)), w = Bitmap.TextWidth(value);
            const int dx = RoundPx(std::cos(angle) * r) + fs;
            hold(QRect(raker ? x + dx : x - dx - w, y0 + (y - y0 - fs) / 2, w, Bitmap.TextHeight(value)), 0);
        }
        Placement.Blocks.insert(Placement.Blocks.end(), places.begin(), places.end());
        Bitmap.SetFont(font);
        // Chosen from the lowest member up, where those above leave their values room for the
        // lines of those below to pass, and from the highest down: the order that leaves fewer
        // values without room is kept, the lowest first when they tie.
        const size_t marks = Placement.Blocks.size();
        std::vector<int> upward;
        int roomless = 0;
        for (const bool up : {true, false}) {
            f.offsets.assign(size_t(levels), ls);
            f.chosen.clear();
            f.roomless = 0;
            for (int k = 0; k < levels; ++k) {
                const int i = up ? levels - 1 - k : k;
                DrawAnchor(f, i, yLevel[size_t(i)], 1);
            }
            Placement.Blocks.resize(marks);
            if (up)
                upward = f.offsets, roomless = f.roomless;
            else if (roomless <= f.roomless)
                f.offsets = upward;
        }
        Placement.Blocks.resize(f.held);
    }
    for (int i = 0; i < levels; ++i)
        DrawAnchor(f, i, yLevel[size_t(i)], 2);
    DrawLevelChain(f, yLevel);
    for (int i = 0; i < levels; ++i) {
        const int yA = yLevel[size_t(i)];
        // The level's tick and its letter.
        const int open = BeginStep();
        SetPen(clBlack, lu1);
        Bitmap.Line(f.xL - (3 * ls) / 2, yA, f.xL, yA);
        Bitmap.SetFontHeight(-fs);
        Bitmap.SetFontAngle(0);
        Bitmap.SetTextTransparent(true);
        Bitmap.SetFontColor(clBlack);
        const QString letter(QChar('A' + i % 26));
        // The letter stands by the tick in front of the pile (a pier wider than the beam reaches
        // over the tick's end): it is never set beyond the pile.
        DrawLabelLines(f.xL - (3 * ls) / 2 - Bitmap.TextWidth("A"),
                       yA - 2 * std::abs(Bitmap.Font().Height) / 3, {letter}, 0,
                       QPoint(f.xL - (3 * ls) / 2, yA),
                       {QLine(f.xL - (3 * ls) / 2, yA, std::min(f.xL, Divide.left()) - 1, yA)}, lrLetter);
        Bitmap.SetTag(open);
    }

    // The excavation bottom runs out under the braces when they cross where its name would stand:
    // the name then stands at the end of the line, beyond their feet.
    int bottomLeft = f.xMin - 3 * ls;
    {
        int reach = bottomLeft;
        for (int i = 0; i < levels; ++i) {
            const std::string key = "Level" + std::to_string(i);
            const int kind = a.Levels[i].Kind;
            if ((kind != lkStrut && kind != lkRaker) || !Layout.Has(key + ".p2X")) continue;
            reach = std::min(reach, int(Layout.Value(key + ".p2X")) - (kind == lkRaker ? 2 * ls : ls));
        }
        if (reach < bottomLeft) {
            Bitmap.SetFontHeight(-fs);
            Bitmap.SetFontAngle(0);
            const int x =
                std::min(bottomLeft + 3 * ls - 8 * fs, bottomLeft - 2 * lu2 - Bitmap.TextWidth("Bottom"));
            const int y = f.yExc - fs - lu2;
            const QRect cell = TextCell(x, y, "Excav.") | TextCell(x, y + fs + lu2, "Bottom");
            Placement.Gap = lu1;
            if (!Placement.NearestClear(Bitmap, cell, 0, TMoves{}) && reach - 2 * lu2 - cell.width() >= 0)
                bottomLeft = reach;
        }
    }
    SetPen(clBlack, lu1);
    Bitmap.Line(f.xMin, f.yExc, bottomLeft, f.yExc);
    Bitmap.SetFontHeight(-fs);
    Bitmap.SetFontAngle(0);
    Bitmap.SetTextTransparent(true);
    Bitmap.SetFontColor(clBlack);
    twoLines(f.yTop, f.xMin - 3 * ls, f.xL, "Excav.", "Top");
    twoLines(f.yExc, bottomLeft, f.xMin, "Excav.", "Bottom");
    twoLines(f.yTip, f.xMin - 3 * ls, f.xMin, "Pile", "Tip");

    // Failure plane: rises at 55 degrees from the excavation bottom, H/5 behind the wall.
    {
        SetPen(clBlack, lu1);
        const int xf = f.xR + RoundPx(double(d.ShoredHeight) * Scale / 5);
        Bitmap.MoveTo(f.xR, f.yExc);
        DashedLineTo(xf + 3 * ls, f.yExc, 0);
        Bitmap.SetFontHeight(-fs);
        Bitmap.SetTextTransparent(true);
        Bitmap.SetFontColor(clBlack);
        int yEnd = levels > 0 ? RoundPx(double(d.LevelDepth(0)) * Scale) + 2 * f.yTop - 3 * ls : f.yTop;
        yEnd = std::clamp(yEnd, f.yTop, f.yExc);
        const QLine plane(xf, f.yExc, xf + RoundPx((f.yExc - yEnd) / std::tan(55 * kDeg)), yEnd);
        // It names the plane and the level it starts from; led, it points at the plane.
        DrawLabelLines(xf + fs, f.yExc + lu2, {"Failure Plane"}, 0, plane.center(),
                       {QLine(f.xR, f.yExc, xf + 3 * ls, f.yExc), plane});
        Bitmap.MoveTo(xf, f.yExc);
        DashedLineTo(plane.x2(), plane.y2(), 0);
        DrawAngle(xf, f.yExc, RoundPx(1.5 * ls), 55, true);
        Bitmap.Line(xf, f.yExc, xf, f.yExc + RoundPx(1.5 * ls));
        DrawDimension(f.xR, f.yExc + ls, xf, f.yExc + ls, FormatValue(double(d.ShoredHeight) / 5, 2, f.lu), 4,
                      false, false);
        Layout.Values["xFailure"] = xf;
    }

    // Widths below the tip.
    SetPen(clBlack, lu1);
    if (!cage) {
        const int down = RoundPx(3 * ls / 2.0);
        Bitmap.Line(f.xL, f.yTip, f.xL, f.yTip + down);
        Bitmap.Line(f.xR - lu2, f.yTip, f.xR - lu2, f.yTip + down);
        DrawDimension(f.xL, f.yTip + ls, f.xR - lu2, f.yTip + ls,
                      FormatValue(double(d.SectionDepth()), 2, f.su), 2, false, false);
    }
    if ((d.Installation == 0 || cage) && !sheet) {
        const int down = RoundPx(5 * ls / 2.0);
        Bitmap.Line(f.xL2, f.yTip, f.xL2, f.yTip + down);
        Bitmap.Line(f.xR2 - lu2, f.yTip, f.xR2 - lu2, f.yTip + down);
        DrawDimension(f.xL2, f.yTip + 2 * ls, f.xR2 - lu2, f.yTip + 2 * ls,
                      FormatValue(double(d.TributaryWidth()) * toLength, 2, f.su), 4, false, false);
    }

    DrawSurcharges(f);

    // User-defined pressure.
    if (d.PressureMethod == 1 && fs > 0) {
        const int r = (f.yExc - f.yTop) / fs - 1;
        DrawTextBox(f.xU, f.yExc - r * fs, W, f.yExc - (r - 1) * fs, "User Defined", 0, false, clNone);
        const int k = d.SoilInputMode != 0 ? 7 : 9;
        DrawTextBox(f.xU, f.yTip2 - k * fs, W, f.yTip2 - (k - 1) * fs, "User Defined", 0, false, clNone);
    }

    // Water level.
    if (a.WaterDepth != 0) {
        const int yW = f.yTop + RoundPx(double(a.WaterDepth) * Scale);
        const int xw = f.xs + GridX(0.05);
        const int mid = xw + GridX(0.05);
        SetPen(clBlack, lu1);
        Bitmap.Line(xw, yW, xw + GridX(0.1), yW);
        Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
        Bitmap.Polygon({{xw, yW - GridX(0.08)}, {xw + GridX(0.1), yW - GridX(0.08)}, {mid, yW}});
        const int yc = yW - GridX(0.04);
        // The depth stands by its symbol, led to its point when it must move; it is set with the
        // texts of the reference lines, before the captions that may stand anywhere.
        DrawTextBox(mid + GridX(0.1), yc - GridY(0.35), mid + GridX(0.5), yc + GridY(0.35),
                    FormatValue(double(a.WaterDepth), 2, Texts.WaterUnit), 0, false, clNone, -1,
                    QPoint(mid, yW), {QLine(xw, yW, xw + GridX(0.1), yW)}, lrReference);
        Layout.Values["yWater"] = yW;
    }

    // Axial load on the pile.
    SetPen(clRed, lu2);
    DrawArrowLine(f.xc, f.yTop - GridY(1), f.xc, f.yTop, f.as, false, true);
    SetPen(clBlack, lu1);
    // The load stands by its arrow, led to the arrow's tail when it must move.
    const QLine axial(f.xc, f.yTop - GridY(1), f.xc, f.yTop);
    DrawTextBox(f.xL2, f.yTop - GridY(1), f.xc - 2 * lu2, f.yTop - GridY(1) + fs,
                "Axial: " + FormatValue(double(d.AxialLoad), 1, Texts.AxialUnit), 1, false, clNone, -1,
                axial.p1(), {axial});
    Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
    PlaceLabels();
    Layout.Values["OutW"] = OutW;
    Layout.Values["OutH"] = OutH;
}

void TDiagramDraw::DrawLevelChain(const CrossFrame& f, const std::vector<int>& yLevel) {
    const TKdData& d = Data;
    const TAnchor& a = d.Anchors;
    const int fs = f.fs, ls = f.ls, lu1 = f.lu1, lu2 = f.lu2;
    const int levels = int(yLevel.size());
    struct Space {
        int Top, Bottom;
        double Value;
    };
    std::vector<Space> spaces;
    for (int i = 0; i < levels; ++i)
        spaces.push_back({i > 0 ? yLevel[size_t(i) - 1] : f.yTop, yLevel[size_t(i)],
                          double(a.Levels[i].HeightFromPrevious)});
    if (levels > 0) {
        const double lowest = double(d.LowestLevelHeight());
        spaces.push_back({f.yExc - RoundPx(lowest * Scale), f.yExc, lowest});
    }
    if (spaces.empty()) return;
    // The spacings are dimensioned in a chain beside the wall: by the levels' ticks in front of it
    // when every value reads upward between its arrows there, else in a column of its own in front
    // beyond the level letters, or behind the wall in the retained soil, where extension lines
    // carry the levels over to it; it stands on the side where fewer of its values meet a stroke,
    // in front on a par unless a brace starts there. When a value there meets a stroke, a block or
    // a label, other columns are tried: braces and their dimensions cross the columns in front,
    // anchors and theirs the soil behind, so the columns on either side are tried outward from the
    // wall, as far as beyond the raker feet and the anchors' ends. The chain takes the one where
    // every value finds a clear place beside its own line and whose extension lines cross the
    // fewest labels (a few at most), nearest the wall on a par, its lines keeping off the reference
    // texts, the angles' values and the axial load. When none does, it stands where it stood.
    Bitmap.SetFontHeight(-fs);
    Bitmap.SetFontAngle(0);
    const int th = Bitmap.TextHeight("X");
    const int n = int(spaces.size());
    // Each space's value: its text, its width read level and upward with its margins, and whether
    // it reads upward between its arrows.
    struct Value {
        QString Text;
        int Width = 0, Length = 0;
        bool Roomy = false;
    };
    std::vector<Value> values;
    int widest = 0;
    for (const Space& s : spaces) {
        Value v;
        v.Text = FormatValue(s.Value, 2, f.lu);
        v.Width = Bitmap.TextWidth(v.Text);
        v.Length = Bitmap.TextWidth(" " + v.Text + " ");
        v.Roomy = s.Bottom - s.Top - 2 * f.as > v.Length;
        widest = std::max(widest, v.Length);
        values.push_back(std::move(v));
    }
    const bool crowded = std::any_of(values.begin(), values.end(), [](const Value& v) { return !v.Roomy; });
    bool hasBrace = false;
    for (int i = 0; i < levels; ++i)
        hasBrace = hasBrace || a.Levels[i].Kind == lkStrut || a.Levels[i].Kind == lkRaker;
    int xBehind = f.xs + 2 * ls;
    QRect water; // the water level's symbol and value, set later behind the wall
    if (a.WaterDepth != 0 && a.WaterDepth <= d.ShoredHeight) {
        // A water level within the shored height has its value right of its symbol by the wall,
        // where the chain would stand: the chain stands beyond it.
        const int box = 2 * GridY(0.35);
        Bitmap.SetFontHeight(-(box - 2));
        const int valueEnd =
            f.xs + GridX(0.2) + Bitmap.TextWidth(FormatValue(double(a.WaterDepth), 2, Texts.WaterUnit));
        Bitmap.SetFontHeight(-fs);
        xBehind = std::max(xBehind, valueEnd + ls);
        const int yW = f.yTop + RoundPx(double(a.WaterDepth) * Scale);
        water = QRect(QPoint(f.xs, yW - GridY(0.7)), QPoint(valueEnd, yW + GridY(0.1)));
    }
    const int letterLeft = f.xL - (3 * ls) / 2 - Bitmap.TextWidth("A");
    const int groundEnd = f.xs + 10 * fs;     // the ground line's end behind the wall
    const int referenceEnd = f.xMin - 3 * ls; // the excavation's reference lines' end in front
    // The failure plane, drawn later: its dashed line along the excavation bottom and its rise.
    const int xf = f.xR + RoundPx(double(d.ShoredHeight) * Scale / 5);
    const int bottomReach = xf + 3 * ls;
    int yEnd = levels > 0 ? RoundPx(double(d.LevelDepth(0)) * Scale) + 2 * f.yTop - 3 * ls : f.yTop;
    yEnd = std::clamp(yEnd, f.yTop, f.yExc);
    const QLine plane(xf, f.yExc, xf + RoundPx((f.yExc - yEnd) / std::tan(55 * kDeg)), yEnd);

    // What the values keep clear of: the strokes and blocks so far, the labels held so far where
    // they were asked for, and what the levels and the excavation draw after the chain: the
    // levels' ticks and letters, the reference texts, the failure plane and the water level.
    const int bandTop = f.yTop - 2 * th, bandBottom = f.yExc + 2 * th;
    auto textCell = [&](int x, int y, const QString& text) {
        return QRect(x, y, Bitmap.TextWidth(text), th);
    };
    std::vector<TSegmentRecord> lines;
    for (const TSegmentRecord& r : Placement.Strokes)
        if (std::max(r.Line.y1(), r.Line.y2()) >= bandTop && std::min(r.Line.y1(), r.Line.y2()) <= bandBottom)
            lines.push_back(r);
    std::vector<QRect> blocks = Placement.Blocks;
    QRect axial;                   // the axial load's value, right-aligned left of its arrow above the wall
    std::vector<QRect> labels;     // what a chain's line or extension line must not cross either
    std::vector<QRect> references; // the reference lines' texts, standing beyond their ends
    std::vector<QRect> angles;     // the angles' values: a line run by one pushes it off its arc
    for (const HeldLabel& l : Held)
        if (l.Box.bottom() >= bandTop && l.Box.top() <= bandBottom) {
            labels.push_back(l.Box);
            if (l.Rank == lrDimension && l.Target.size() > 1) angles.push_back(l.Box);
        }
    for (const QRect& r : Placement.Labels)
        if (r.bottom() >= bandTop && r.top() <= bandBottom) labels.push_back(r);
    for (int i = 0; i < levels; ++i) {
        const int yA = yLevel[size_t(i)];
        lines.push_back({QLine(f.xL - (3 * ls) / 2, yA, f.xL, yA), lu1});
        labels.push_back(textCell(letterLeft, yA - 2 * fs / 3, QString(QChar('A' + i % 26))));
    }
    for (const auto& [y, lower] :
         {std::pair{f.yTop, "Top"}, std::pair{f.yExc, "Bottom"}, std::pair{f.yTip, "Tip"}}) {
        const QString upper = y == f.yTip ? "Pile" : "Excav.";
        const int width = std::max(Bitmap.TextWidth(upper), Bitmap.TextWidth(lower));
        const int x = std::min(referenceEnd + 3 * ls - 8 * fs, referenceEnd - 2 * lu2 - width);
        references.push_back(textCell(x, y - fs - lu2, upper) | textCell(x, y, lower));
        labels.push_back(references.back());
    }
    labels.push_back(textCell(xf + fs, f.yExc + lu2, "Failure Plane"));
    {
        // Set a little smaller than the values: measured in theirs, it takes no less room.
        const int w = Bitmap.TextWidth("Axial: " + FormatValue(double(d.AxialLoad), 1, Texts.AxialUnit));
        axial = QRect(f.xc - 2 * lu2 - w - 1, f.yTop - GridY(1), w, fs);
        blocks.push_back(axial);
    }
    lines.push_back({QLine(f.xR, f.yExc, bottomReach, f.yExc), lu1});
    lines.push_back({plane, lu1});
    blocks.push_back(
        QRect(xf, f.yExc - RoundPx(1.5 * ls), RoundPx(1.5 * ls), RoundPx(1.5 * ls))); // its angle
    if (!water.isEmpty()) blocks.push_back(water);
    // Above the ground behind the wall, the surcharges' rows with their lines and texts; below it
    // their arrows down to the depths they act at; the axial load's arrow on the wall's top.
    const int rows =
        int(a.UniformSurcharge != 0) + int(a.StripLoadOn) + int(a.LineLoadOn) + int(a.PointLoadOn);
    if (rows > 0)
        blocks.push_back(
            QRect(QPoint(f.xR, f.yTop - ScaledFont(1.3 + rows - 0.5)), QPoint(4 * W, f.yTop - 1)));
    if (a.StripLoadOn) {
        const double stripEnd = std::max(a.StripOffset + a.StripWidth, a.StripOffset + 1.0);
        blocks.push_back(
            QRect(QPoint(f.xR + RoundPx(a.StripOffset * Scale), f.yTop),
                  QPoint(f.xR + RoundPx(stripEnd * Scale), f.yTop + RoundPx(a.StripDepth * Scale))));
    }
    for (const auto& [on, offset, depth] : {std::tuple{a.LineLoadOn, a.LineOffset, a.LineDepth},
                                            std::tuple{a.PointLoadOn, a.PointOffset, a.PointDepth}})
        if (on) {
            const int x = f.xR + RoundPx(double(offset) * Scale);
            lines.push_back({QLine(x, f.yTop, x, f.yTop + RoundPx(double(depth) * Scale)), lu2});
        }
    lines.push_back({QLine(f.xc, f.yTop - GridY(1), f.xc, f.yTop), lu2});

    // Where the chain has always stood, and whether its values stand clear there of the strokes,
    // the blocks and the labels (the reference texts make room along their lines).
    const int xFront = crowded ? referenceEnd + 2 * lu2 : f.xL - ls;
    auto valueCell = [&](int k, int x, int away) {
        const Space& s = spaces[size_t(k)];
        const Value& v = values[size_t(k)];
        const int mid = s.Top + (s.Bottom - s.Top) / 2;
        if (v.Roomy) return QRect(x - th / 2, mid - v.Width / 2, th, v.Width);
        return QRect(away > 0 ? x + 2 * lu2 : x - 2 * lu2 - v.Width, mid - th / 2, v.Width, th);
    };
    // Whether a stroke meets a rectangle, read first by the box about the stroke.
    auto strokeMeets = [](const QLine& l, const QRect& r) {
        return std::max(l.x1(), l.x2()) >= r.left() && std::min(l.x1(), l.x2()) <= r.right() &&
               std::max(l.y1(), l.y2()) >= r.top() && std::min(l.y1(), l.y2()) <= r.bottom() &&
               LineMeetsRect(l, r);
    };
    auto blocked = [&](int x, int away) {
        int count = 0;
        for (int k = 0; k < n; ++k) {
            const QRect cell = valueCell(k, x, away);
            count +=
                std::any_of(Placement.Strokes.begin(), Placement.Strokes.end(), [&](const TSegmentRecord& r) {
                    return strokeMeets(r.Line, cell.adjusted(-r.Width, -r.Width, r.Width, r.Width));
                });
        }
        return count;
    };
    const int inFront = blocked(xFront, -1), behindWall = blocked(xBehind, 1);
    const bool behind = behindWall < inFront || (behindWall == inFront && hasBrace);
    auto standsClear = [&] {
        const int x = behind ? xBehind : xFront, away = behind ? 1 : -1;
        // Values read level one below the other in a run of short spaces are set apart by the
        // placement: the run takes their rows with a text height to spare above and below.
        for (int k = 0, first = 0; k < n; ++k) {
            if (values[size_t(k)].Roomy) {
                first = k + 1;
                continue;
            }
            const int count = k - first + 1;
            const int rows = valueCell(k, x, away).bottom() - valueCell(first, x, away).top() + 1 + 2 * th;
            if (count * th + (count - 1) * (lu1 + 1) > rows) return false;
        }
        for (int k = 0; k < n; ++k) {
            const QRect g = valueCell(k, x, away).adjusted(-lu1, -lu1, lu1, lu1);
            auto meets = [&](const QRect& r) { return r.intersects(g); };
            auto fixed = [&](const QRect& r) {
                return meets(r) && std::find(references.begin(), references.end(), r) == references.end();
            };
            if (std::any_of(blocks.begin(), blocks.end(), meets) ||
                std::any_of(labels.begin(), labels.end(), fixed) ||
                std::any_of(lines.begin(), lines.end(), [&](const TSegmentRecord& r) {
                    const int p = (r.Width + 1) / 2;
                    return strokeMeets(r.Line, g.adjusted(-p, -p, p, p));
                }))
                return false;
        }
        return true;
    };

    // A column of the chain: its plumb line at X, the values on the side Away from the wall (or on
    // the line, reading upward, where they fit between the arrows); apart from the ticks, the
    // levels are carried over to it by extension lines. Where spaces are too short for their
    // values to stand one below the other beside the line, the line steps outward: each space
    // takes the nearest column where its value stands clear beside its own line, above the
    // space's lower level, so that no extension line carried farther out below runs through it.
    struct Column {
        int X = 0, Away = 1;
        bool Apart = true;
        std::vector<int> Xs;      // each space's line
        std::vector<QRect> Cells; // each space's value where it found its place (empty: none)
        std::vector<int> Reach;   // each level's extension line's end, from the top
    };
    auto column = [](int x, int away, bool apart) {
        Column c;
        c.X = x, c.Away = away, c.Apart = apart;
        return c;
    };
    // The level each extension line carries over, from the top, and where it starts on either
    // side: by the wall or the letters, or where the ground or a reference line ends.
    auto levelY = [&](int k) { return k == 0 ? spaces[0].Top : spaces[size_t(k) - 1].Bottom; };
    auto extensionFrom = [&](int k, int away) {
        const int y = levelY(k);
        if (y == f.yTop) return away > 0 ? groundEnd : referenceEnd;
        if (y == f.yExc) return away > 0 ? bottomReach : referenceEnd;
        return away > 0 ? f.xs : letterLeft - 2 * lu2;
    };
    // The ends of a level's extension line: from its start to just beyond the farthest line it
    // carries to.
    auto extension = [&](const Column& c, int k) -> std::optional<QLine> {
        if (!c.Apart) return std::nullopt;
        const int end = c.Reach[size_t(k)] + lu1 * c.Away, from = extensionFrom(k, c.Away);
        if ((end - from) * c.Away <= 0) return std::nullopt;
        return QLine(from, levelY(k), end, levelY(k));
    };
    std::optional<Column> best;
    if (!standsClear()) {
        const int spread = RoundPx(f.as * std::sin(std::numbers::pi / 14)) + 1; // an arrowhead's half width
        const int pen = (lu1 + 1) / 2;
        const int step = std::max(1, th / 6);       // the search's step along and across a space
        const int outward = 8 * (widest + 2 * lu2); // how far a space's line may step out from its column
        // A segment's columns within rows top to bottom, or none when it passes them by.
        auto within = [](const QLine& l, int top, int bottom, double& lo, double& hi) {
            const double x1 = l.x1(), y1 = l.y1(), x2 = l.x2(), y2 = l.y2();
            double t0 = 0, t1 = 1;
            if (y1 == y2) {
                if (y1 < top || y1 > bottom) return false;
            } else {
                double p = (top - y1) / (y2 - y1), q = (bottom - y1) / (y2 - y1);
                if (p > q) std::swap(p, q);
                t0 = std::max(p, 0.0), t1 = std::min(q, 1.0);
                if (t0 > t1) return false;
            }
            const double xa = x1 + t0 * (x2 - x1), xb = x1 + t1 * (x2 - x1);
            lo = std::min(xa, xb), hi = std::max(xa, xb);
            return true;
        };
        // What a space's value and line may meet, gathered for the rows where they stand (its
        // band) when the space is first laid out: the blocks and labels and the strokes, each by
        // the columns it takes there (a stroke's grown by its pen), sorted from the left, so that
        // a cell is read against what lies across its own columns only; and for the value read
        // level, at each of its heights, the columns where it may not stand, merged.
        struct Obstacle {
            int Lo = 0, Hi = 0;
            QRect Box;                              // a block or a label
            const TSegmentRecord* Stroke = nullptr; // or a stroke
        };
        using Spans = std::vector<std::pair<int, int>>;
        struct Band {
            bool Gathered = false;
            int Top = 0, Bottom = 0, LevelTop = 0;
            std::vector<Obstacle> Met;
            int Widest = 0;                   // the widest obstacle's columns
            std::vector<QRect> Taken, Labels; // the blocks and labels; the labels alone
            std::vector<Spans> Level;         // by the value's rise above its lowest height
            std::vector<bool> Merged;         // which of them are gathered
        };
        int widestPen = 0;
        for (const TSegmentRecord& r : lines)
            widestPen = std::max(widestPen, (r.Width + 1) / 2);
        const int margin = lu1 + std::max(pen + spread, widestPen) + 1;
        std::vector<Band> bands(spaces.size());
        auto band = [&](int k) -> const Band& {
            Band& b = bands[size_t(k)];
            if (b.Gathered) return b;
            b.Gathered = true;
            const Space& s = spaces[size_t(k)];
            const Value& v = values[size_t(k)];
            const int mid = s.Top + (s.Bottom - s.Top) / 2;
            const int slack = std::max(0, (s.Bottom - s.Top - 2 * f.as - v.Length) / 2);
            b.LevelTop = std::min(mid - th / 2, s.Bottom - lu1 - 1 - th);
            b.Top = std::min({s.Top - 2 * f.as, b.LevelTop - th / 2, mid - v.Length / 2 - slack}) - margin;
            b.Bottom = std::max({s.Bottom + 2 * f.as, b.LevelTop + th, mid + v.Length / 2 + slack}) + margin;
            auto across = [&](const QRect& r) { return r.bottom() >= b.Top && r.top() <= b.Bottom; };
            for (const QRect& r : blocks)
                if (across(r)) b.Taken.push_back(r);
            for (const QRect& r : labels)
                if (across(r)) b.Taken.push_back(r), b.Labels.push_back(r);
            for (const QRect& r : b.Taken)
                b.Met.push_back({r.left(), r.right(), r, nullptr});
            for (const TSegmentRecord& r : lines) {
                double lo = 0, hi = 0;
                const int p = (r.Width + 1) / 2;
                if (std::max(r.Line.y1(), r.Line.y2()) >= b.Top &&
                    std::min(r.Line.y1(), r.Line.y2()) <= b.Bottom && within(r.Line, b.Top, b.Bottom, lo, hi))
                    b.Met.push_back({int(std::floor(lo)) - p, int(std::ceil(hi)) + p, QRect(), &r});
            }
            std::sort(b.Met.begin(), b.Met.end(),
                      [](const Obstacle& x, const Obstacle& y) { return x.Lo < y.Lo; });
            for (const Obstacle& o : b.Met)
                b.Widest = std::max(b.Widest, o.Hi - o.Lo);
            b.Level.resize(size_t(th / 2 / step) + 1);
            b.Merged.assign(b.Level.size(), false);
            return b;
        };
        // The columns where a space's value read level at rise i may not stand, merged.
        auto levelSpans = [&](int k, size_t i) -> const Spans& {
            Band& b = bands[size_t(k)];
            if (b.Merged[i]) return b.Level[i];
            b.Merged[i] = true;
            const int dy = int(i) * step;
            const int top = b.LevelTop - dy - lu1,
                      bottom = b.LevelTop - dy + th - 1 + lu1; // grown cell's rows
            Spans spans;
            for (const Obstacle& o : b.Met) {
                if (!o.Stroke) {
                    if (o.Box.top() <= bottom && o.Box.bottom() >= top) spans.emplace_back(o.Lo, o.Hi);
                    continue;
                }
                const int p = (o.Stroke->Width + 1) / 2;
                double lo = 0, hi = 0;
                if (within(o.Stroke->Line, top - p, bottom + p, lo, hi))
                    spans.emplace_back(int(std::ceil(lo - p)), int(std::floor(hi + p)));
            }
            std::sort(spans.begin(), spans.end());
            Spans& merged = b.Level[i];
            for (const auto& [lo, hi] : spans)
                if (!merged.empty() && lo <= merged.back().second + 1)
                    merged.back().second = std::max(merged.back().second, hi);
                else
                    merged.emplace_back(lo, hi);
            return merged;
        };
        // Each level's row: the spans of the labels its extension line crosses, and of what it
        // may not run through at all (the reference texts, the angles' values, the axial load).
        std::vector<Spans> crossing(size_t(n) + 1), spoiling(size_t(n) + 1);
        for (int k = 0; k <= n; ++k) {
            const int y = levelY(k);
            for (const QRect& r : labels)
                if (y >= r.top() - lu1 && y <= r.bottom() + lu1)
                    crossing[size_t(k)].emplace_back(r.left() - lu1, r.right() + lu1);
            for (const std::vector<QRect>* spoilers : {&references, &angles})
                for (const QRect& r : *spoilers)
                    if (y >= r.top() && y <= r.bottom())
                        spoiling[size_t(k)].emplace_back(r.left(), r.right());
            if (y >= axial.top() && y <= axial.bottom())
                spoiling[size_t(k)].emplace_back(axial.left(), axial.right());
        }
        // How many spans a level's extension line runs over.
        auto over = [&](const Spans& spans, const QLine& e) {
            const int x1 = std::min(e.x1(), e.x2()), x2 = std::max(e.x1(), e.x2());
            return int(std::count_if(spans.begin(), spans.end(), [&](const std::pair<int, int>& r) {
                return x2 >= r.first && x1 <= r.second;
            }));
        };

        // Lays out column c space by space: the labels its extension lines cross, or none at the
        // first space whose value finds no clear place or whose line runs onto a label or a
        // block, at an extension line through what it may not run through, and once it crosses
        // `most` labels.
        constexpr int kNever = 1 << 28; // beyond any canvas
        auto layout = [&](Column& c, int most) -> std::optional<int> {
            const int dir = c.Away;
            int crossed = 0;
            c.Xs.assign(size_t(n), c.X);
            c.Cells.assign(size_t(n), QRect());
            c.Reach.assign(size_t(n) + 1, c.X);
            std::vector<QLine> drawn, carried; // the chain's lines and extension lines so far
            for (int k = 0; k < n; ++k) {
                const Space& s = spaces[size_t(k)];
                const Value& v = values[size_t(k)];
                const Band& b = band(k);
                const std::optional<QLine> level = extension(c, k); // carried as far as it goes so far
                // Whether a cell meets anything; if so, the left edge from which on, going in
                // direction dir, the cell is past all it meets (kNever: past the canvas). What the
                // drawing holds is read from the band, or for a value read level at rise i from
                // the columns merged for it.
                auto meets = [&](const QRect& cell, const Spans* merged) -> std::optional<int> {
                    if (cell.left() < 0 || cell.top() < 0 || cell.right() >= OutW || cell.bottom() >= OutH)
                        return dir * kNever;
                    const QRect g = cell.adjusted(-lu1, -lu1, lu1, lu1);
                    bool hit = false;
                    int past = -dir * kNever;
                    auto span = [&](int lo, int hi) { // what lies across the cell's rows
                        if (hi < g.left() || lo > g.right()) return;
                        hit = true;
                        past =
                            dir > 0 ? std::max(past, hi + 1 + lu1) : std::min(past, lo - lu1 - cell.width());
                    };
                    if (merged) {
                        auto o = std::lower_bound(
                            merged->begin(), merged->end(), g.left(),
                            [](const std::pair<int, int>& r, int x) { return r.second < x; });
                        for (; o != merged->end() && o->first <= g.right(); ++o)
                            span(o->first, o->second);
                    } else {
                        const auto first =
                            std::lower_bound(b.Met.begin(), b.Met.end(), g.left() - b.Widest,
                                             [](const Obstacle& o, int x) { return o.Lo < x; });
                        for (auto o = first; o != b.Met.end() && o->Lo <= g.right(); ++o) {
                            if (o->Hi < g.left()) continue;
                            if (!o->Stroke) {
                                if (o->Box.top() <= g.bottom() && o->Box.bottom() >= g.top())
                                    span(o->Lo, o->Hi);
                                continue;
                            }
                            const int p = (o->Stroke->Width + 1) / 2;
                            double lo = 0, hi = 0;
                            if (within(o->Stroke->Line, g.top() - p, g.bottom() + p, lo, hi))
                                span(int(std::ceil(lo - p)), int(std::floor(hi + p)));
                        }
                    }
                    for (int j = 0; j < k; ++j) {
                        const QRect& r = c.Cells[size_t(j)];
                        if (r.top() <= g.bottom() && r.bottom() >= g.top()) span(r.left(), r.right());
                    }
                    for (const QLine& l : drawn) // upright, with the arrowheads' spread
                        if (l.y1() <= g.bottom() + pen && l.y2() >= g.top() - pen)
                            span(l.x1() - pen - spread, l.x1() + pen + spread);
                    auto levelLine = [&](const QLine& e) { // the levels above, carried over
                        if (e.y1() >= g.top() - pen && e.y1() <= g.bottom() + pen)
                            span(std::min(e.x1(), e.x2()) - pen, std::max(e.x1(), e.x2()) + pen);
                    };
                    for (const QLine& e : carried)
                        levelLine(e);
                    if (level) levelLine(*level);
                    return hit ? std::optional<int>(past) : std::nullopt;
                };
                const int mid = s.Top + (s.Bottom - s.Top) / 2;
                const bool upward = !c.Apart || v.Roomy;
                // The line with its arrows, outside when the space is too short for them.
                const int out = !upward && s.Bottom - s.Top < 2 * f.as ? 2 * f.as : 0;
                auto lineAt = [&](int x) { return QLine(x, s.Top - out, x, s.Bottom + out); };
                std::optional<QRect> found;
                int x = c.X;
                if (upward) {
                    // Reading upward on its line between the arrows, anywhere along the space.
                    const QRect cell(c.X - th / 2, mid - v.Length / 2, th, v.Length);
                    const int slack = std::max(0, (s.Bottom - s.Top - 2 * f.as - v.Length) / 2);
                    for (int dy = 0; dy <= slack && !found; dy += step)
                        for (const int sign : {1, -1})
                            if (!found && !meets(cell.translated(0, sign * dy), nullptr))
                                found = cell.translated(0, sign * dy);
                } else {
                    // Level beside the line, about the space's middle but above its lower level:
                    // the line steps outward past what each try meets, on the search's steps.
                    const int limit = dir > 0 ? std::min(OutW, c.X + outward) : std::max(0, c.X - outward);
                    for (int at = c.X; (limit - at) * dir >= 0 && !found;) {
                        int next = dir * kNever; // the nearest line from which a try may hold
                        // The line keeps off the values above with its arrows.
                        const QLine l = lineAt(at);
                        const QRect line = QRect(l.p1(), l.p2()).adjusted(-lu1 - spread, 0, lu1 + spread, 0);
                        int clear = -dir * kNever;
                        for (int j = 0; j < k; ++j) {
                            const QRect& r = c.Cells[size_t(j)];
                            if (r.intersects(line))
                                clear = dir > 0 ? std::max(clear, r.right() + lu1 + spread + 1)
                                                : std::min(clear, r.left() - lu1 - spread - 1);
                        }
                        if (clear != -dir * kNever) {
                            next = clear;
                        } else {
                            const int left = dir > 0 ? at + 2 * lu2 : at - 2 * lu2 - v.Width;
                            for (size_t i = 0; i < b.Level.size() && !found; ++i) {
                                const QRect cell(left, b.LevelTop - int(i) * step, v.Width, th);
                                if (const auto past = meets(cell, &levelSpans(k, i))) {
                                    const int from = std::abs(*past) >= kNever ? *past : *past - left + at;
                                    next = dir > 0 ? std::min(next, from) : std::max(next, from);
                                } else {
                                    found = cell, x = at;
                                }
                            }
                        }
                        if (found) break;
                        at += std::max(1, ((next - at) * dir + step - 1) / step) * step * dir;
                    }
                }
                if (!found) return std::nullopt;
                c.Xs[size_t(k)] = x;
                c.Reach[size_t(k)] =
                    dir > 0 ? std::max(c.Reach[size_t(k)], x) : std::min(c.Reach[size_t(k)], x);
                c.Reach[size_t(k) + 1] = x;
                const QLine line = lineAt(x);
                drawn.push_back(line);
                // A line run onto a block (the surcharges' rows, the water level) or a label holds
                // no value; nor does one through the axial load.
                const QRect run = QRect(line.p1(), line.p2()).adjusted(-lu1, 0, lu1, 0);
                auto onto = [&](const QRect& r) { return r.intersects(run); };
                auto through = [&](const QRect& r) {
                    return LineMeetsRect(line, r.adjusted(-lu1, -lu1, lu1, lu1));
                };
                if (std::any_of(b.Taken.begin(), b.Taken.end(), onto) ||
                    std::any_of(b.Labels.begin(), b.Labels.end(), through) || LineMeetsRect(line, axial))
                    return std::nullopt;
                c.Cells[size_t(k)] = *found;
                // The level above is carried over as far as it goes now.
                if (const auto e = extension(c, k)) {
                    if (over(spoiling[size_t(k)], *e) > 0) return std::nullopt;
                    crossed += over(crossing[size_t(k)], *e);
                    if (crossed >= most) return std::nullopt;
                    carried.push_back(*e);
                }
            }
            if (const auto e = extension(c, n)) {
                if (over(spoiling[size_t(n)], *e) > 0) return std::nullopt;
                crossed += over(crossing[size_t(n)], *e);
            }
            if (crossed >= most) return std::nullopt;
            return crossed;
        };

        // The columns, nearest the wall first on either side: by the ticks when every value reads
        // upward there, else beyond the letters in front and beyond the water level's value
        // behind, until one holds every value with no extension line over a label. A level's
        // extension line runs over what lies on its row between its start and the column for
        // every column farther out: a side ends before the first reference text, angle or axial
        // load so met, and once the labels so met are as many as the best column's crossings.
        constexpr int kMostCrossed = 6;   // labels a chain's extension lines may cross
        constexpr int kMostColumns = 200; // beyond that the chain stands where it stood
        int bestCrossed = kMostCrossed + 1;
        if (!crowded) {
            Column c = column(f.xL - ls, -1, false);
            if (const auto crossed = layout(c, 1)) best = std::move(c), bestCrossed = *crossed;
        }
        int frontEnd = 2 * lu2 + widest - 1, behindEnd = OutW - 2 * lu2 - widest - 1;
        std::vector<int> frontMet, behindMet; // the columns from which on each label is met, outward
        for (int k = 0; k <= n; ++k) {
            const int front = extensionFrom(k, -1), back = extensionFrom(k, 1);
            for (const auto& [lo, hi] : spoiling[size_t(k)]) {
                if (lo <= front) frontEnd = std::max(frontEnd, std::min(hi, front - 1) + lu1);
                if (hi >= back) behindEnd = std::min(behindEnd, std::max(lo, back + 1) - lu1 - 1);
            }
            for (const auto& [lo, hi] : crossing[size_t(k)]) {
                if (lo <= front) frontMet.push_back(std::min(hi, front - 1) + lu1);
                if (hi >= back) behindMet.push_back(std::max(lo, back + 1) - lu1);
            }
        }
        std::sort(frontMet.begin(), frontMet.end(), std::greater<>());
        std::sort(behindMet.begin(), behindMet.end());
        const int columnStep = std::max(2, th / 4);
        size_t metFront = 0, metBehind = 0; // the labels met so far on either side
        for (int front = letterLeft - 3 * lu2, back = xBehind, tried = 0;
             bestCrossed > 0 && tried < kMostColumns; ++tried) {
            while (metFront < frontMet.size() && frontMet[metFront] >= front)
                ++metFront;
            while (metBehind < behindMet.size() && behindMet[metBehind] <= back)
                ++metBehind;
            const bool canFront = front > frontEnd && int(metFront) < bestCrossed;
            const bool canBehind = back <= behindEnd && int(metBehind) < bestCrossed;
            if (!canFront && !canBehind) break;
            const int dFront = f.xL - front, dBehind = back - f.xs;
            const bool inFront =
                canFront && (!canBehind || dFront < dBehind || (dFront == dBehind && !hasBrace));
            Column c = inFront ? column(front, -1, true) : column(back, 1, true);
            (inFront ? front -= columnStep : back += columnStep);
            if (const auto crossed = layout(c, bestCrossed)) best = std::move(c), bestCrossed = *crossed;
        }
    }
    const bool clean = best.has_value();
    if (!clean) {
        best = column(behind ? xBehind : xFront, behind ? 1 : -1, behind || crowded);
        best->Xs.assign(size_t(n), best->X);
        best->Cells.assign(size_t(n), QRect());
    }
    const Column& chain = *best;
    const int away = chain.Away;
    Layout.Values["ChainX"] = chain.X;
    // The extension lines: from the wall or the letters to the column, or, for a column found
    // clear, carried to each line from where the ground and the reference lines end.
    auto carry = [&](int k) -> std::optional<QLine> {
        if (clean) return extension(chain, k);
        if (!chain.Apart || k == 0 || k == n || spaces[size_t(k) - 1].Bottom == f.yExc) return std::nullopt;
        const int y = spaces[size_t(k) - 1].Bottom;
        if (away > 0) return QLine(f.xs, y, chain.X + 2 * lu2, y);
        return QLine(letterLeft - 2 * lu2, y, chain.X - 2 * lu2, y);
    };
    // An extension line carried past a label is broken about it, so that the label stands where it
    // was asked for.
    auto drawCarried = [&](const QLine& e) {
        int x1 = std::min(e.x1(), e.x2()), x2 = std::max(e.x1(), e.x2());
        const int y = e.y1(), gap = lu1 + (lu1 + 1) / 2;
        std::vector<std::pair<int, int>> cuts;
        if (clean)
            for (const QRect& r : labels)
                if (y >= r.top() - gap && y <= r.bottom() + gap && r.right() + gap >= x1 &&
                    r.left() - gap <= x2)
                    cuts.emplace_back(r.left() - gap, r.right() + gap);
        std::sort(cuts.begin(), cuts.end());
        for (const auto& [a, b] : cuts) {
            if (a > x1) Bitmap.Line(x1, y, std::min(a, x2), y);
            x1 = std::max(x1, b);
        }
        if (x2 > x1) Bitmap.Line(x1, y, x2, y);
    };
    // Where no column holds the values, a run of spaces too short for theirs would have them
    // read level one over the other by the line: they stand stacked beside it instead, in the
    // levels' order about the run's middle, each led from its space along its own level.
    std::vector<std::optional<int>> stacked(static_cast<size_t>(n)); // a stacked value's top
    std::vector<int> lead(static_cast<size_t>(n), ls); // from its leader's knee to the value
    if (!clean && chain.Apart) {
        const int gap = lu1 + 1;
        auto asked = [&](int k) {
            const Space& s = spaces[size_t(k)];
            return s.Top + (s.Bottom - s.Top) / 2 - th / 2;
        };
        for (int k = 0; k < n;) {
            if (values[size_t(k)].Roomy) {
                ++k;
                continue;
            }
            int last = k;
            while (last + 1 < n && !values[size_t(last) + 1].Roomy)
                ++last;
            bool apart = true;
            for (int j = k; j < last; ++j)
                apart = apart && asked(j + 1) >= asked(j) + th + gap;
            if (!apart) {
                // Each as near its own space as the others leave it (the least squares fit of
                // the tops a pitch apart, pooled where they would cross), kept below the ground
                // line, and above the excavation's where the run has room for them there.
                const int pitch = th + gap;
                std::vector<std::pair<double, int>> pools; // mean rise of the pool, its values
                for (int j = k; j <= last; ++j) {
                    pools.emplace_back(double(asked(j) - (j - k) * pitch), 1);
                    while (pools.size() > 1 && pools[pools.size() - 2].first > pools.back().first) {
                        const auto [mean, count] = pools.back();
                        pools.pop_back();
                        auto& [m, c] = pools.back();
                        m = (m * c + mean * count) / (c + count), c += count;
                    }
                }
                int j = k;
                for (const auto& [mean, count] : pools)
                    for (int i = 0; i < count; ++i, ++j)
                        stacked[size_t(j)] = int(std::lround(mean)) + (j - k) * pitch;
                const int lo = f.yTop + lu1 + 1, hi = f.yExc - lu1 - th;
                const bool room = hi - lo >= (last - k) * pitch;
                for (j = k; j <= last; ++j) {
                    int& y = *stacked[size_t(j)];
                    if (room) y = std::min(y, hi - (last - j) * pitch);
                    y = std::max(y, lo + (j - k) * pitch);
                }
                // The stack stands out beyond the knees as far as it must for its values to stand
                // clear of the strokes, the blocks and the labels and for its leaders to keep off
                // the labels, if it can within a few spacings.
                // What lies across the rows of the stack and its leaders, gathered once.
                int rowTop = *stacked[size_t(k)], rowBottom = *stacked[size_t(last)] + th;
                for (j = k; j <= last; ++j) {
                    const Space& s = spaces[size_t(j)];
                    rowTop = std::min(rowTop, s.Top + (s.Bottom - s.Top) / 2);
                    rowBottom = std::max(rowBottom, s.Top + (s.Bottom - s.Top) / 2);
                }
                rowTop -= 2 * lu1, rowBottom += 2 * lu1;
                const int sweep = 7 * ls + widest + 2 * lu1; // from the line to the farthest value's end
                const int colLo = away > 0 ? chain.X - 2 * lu1 : chain.X - sweep,
                          colHi = away > 0 ? chain.X + sweep : chain.X + 2 * lu1;
                std::vector<QRect> near;
                std::vector<const TSegmentRecord*> strokes;
                for (const std::vector<QRect>* rects : {&blocks, &labels})
                    for (const QRect& r : *rects)
                        if (r.bottom() >= rowTop && r.top() <= rowBottom && r.right() >= colLo && r.left() <= colHi)
                            near.push_back(r);
                for (const TSegmentRecord& r : lines)
                    if (const int p = (r.Width + 1) / 2; std::max(r.Line.y1(), r.Line.y2()) + p >= rowTop &&
                                                         std::min(r.Line.y1(), r.Line.y2()) - p <= rowBottom &&
                                                         std::max(r.Line.x1(), r.Line.x2()) + p >= colLo &&
                                                         std::min(r.Line.x1(), r.Line.x2()) - p <= colHi)
                        strokes.push_back(&r);
                bool held = false;
                for (int reach = ls; reach <= 6 * ls && !held; reach += std::max(2, th / 4)) {
                    bool clear = true;
                    for (j = k; j <= last && clear; ++j) {
                        const int width = values[size_t(j)].Width;
                        const int x = away > 0 ? chain.X + ls + reach : chain.X - ls - reach - width;
                        const QRect g = QRect(x, *stacked[size_t(j)], width, th).adjusted(-lu1, -lu1, lu1, lu1);
                        const Space& s = spaces[size_t(j)];
                        const QPoint mid(chain.X, s.Top + (s.Bottom - s.Top) / 2), knee(chain.X + away * ls, mid.y());
                        const QPoint end(away > 0 ? x - lu2 : x + width + lu2, *stacked[size_t(j)] + th / 2);
                        clear = std::none_of(near.begin(), near.end(), [&](const QRect& r) { return r.intersects(g); }) &&
                                std::none_of(strokes.begin(), strokes.end(), [&](const TSegmentRecord* r) {
                                    const int p = (r->Width + 1) / 2;
                                    return strokeMeets(r->Line, g.adjusted(-p, -p, p, p));
                                }) &&
                                std::none_of(near.begin(), near.end(), [&](const QRect& r) {
                                    const QRect grown = r.adjusted(-lu1, -lu1, lu1, lu1);
                                    return strokeMeets(QLine(mid, knee), grown) || strokeMeets(QLine(knee, end), grown);
                                });
                    }
                    if (clear) {
                        held = true;
                        for (j = k; j <= last; ++j)
                            lead[size_t(j)] = reach;
                    }
                }
                // In front, where the reference texts stand beyond the chain, a stack that finds
                // no clear place would push them aside: its values stand by their spaces.
                for (j = k; j <= last && !held && away < 0; ++j)
                    stacked[size_t(j)].reset();
            }
            k = last + 1;
        }
    }
    for (int k = 0; k < n; ++k) {
        const Space& s = spaces[size_t(k)];
        const int y1 = s.Top, y2 = s.Bottom, xChain = chain.Xs[size_t(k)];
        // The space's extension lines (its lower level's, and the ground's with the first), the
        // line, its arrows and the value.
        const int open = BeginStep();
        SetPen(clBlack, lu1);
        for (const int j : {k + 1, k == 0 ? 0 : -1})
            if (j >= 0)
                if (const auto e = carry(j)) {
                    drawCarried(*e);
                    // A stacked value moved is not moved onto its own extension lines.
                    if (stacked[size_t(k)])
                        Placement.Blocks.push_back(QRect(QPoint(std::min(e->x1(), e->x2()), e->y1() - lu1 / 2),
                                                         QPoint(std::max(e->x1(), e->x2()), e->y1() + (lu1 - 1) / 2)));
                }
        const QString& text = values[size_t(k)].Text;
        Bitmap.SetFontHeight(-fs);
        Bitmap.SetFontAngle(0);
        if (!chain.Apart || values[size_t(k)].Roomy) {
            DrawDimension(xChain, y1, xChain, y2, text, away > 0 ? 4 : 3, false, false);
        } else {
            // Too short for its value between the arrows: the value reads level beside the line,
            // away from the wall; a space too short for two arrows has them outside, pointing in.
            int top = y1, bottom = y2;
            if (y2 - y1 >= 2 * f.as) {
                DrawArrowLine(xChain, y1, xChain, y2, f.as, true, true);
            } else {
                top = y1 - 2 * f.as, bottom = y2 + 2 * f.as;
                Bitmap.Line(xChain, y1, xChain, y2);
                DrawArrowLine(xChain, top, xChain, y1, f.as, false, true);
                DrawArrowLine(xChain, y2, xChain, bottom, f.as, true, false);
            }
            // Its value, and every other label, keeps off the chain's line: a value moved onto
            // it would be struck through.
            Placement.Blocks.push_back(
                QRect(QPoint(xChain - lu1 / 2, top), QPoint(xChain + (lu1 - 1) / 2, bottom)));
            Bitmap.SetTextTransparent(true);
            Bitmap.SetFontColor(clBlack);
            const QPoint mid(xChain, y1 + (y2 - y1) / 2);
            if (const std::optional<int> y = stacked[size_t(k)]) {
                // Along its level from the line to a knee, then to the value's middle.
                const int width = Bitmap.TextWidth(text);
                const QPoint knee(xChain + away * ls, mid.y());
                const int x = away > 0 ? knee.x() + lead[size_t(k)] : knee.x() - lead[size_t(k)] - width;
                const QPoint end(away > 0 ? x - lu2 : x + width + lu2, *y + th / 2);
                Bitmap.Line(mid.x(), mid.y(), knee.x(), knee.y());
                Bitmap.Line(knee.x(), knee.y(), end.x(), end.y());
                // No value is moved onto the leader's piece along the level.
                Placement.Blocks.push_back(QRect(QPoint(std::min(mid.x(), knee.x()), mid.y() - lu1 / 2),
                                                 QPoint(std::max(mid.x(), knee.x()), mid.y() + (lu1 - 1) / 2)));
                DrawLabelLines(x, *y, {text}, 0, end,
                               {QLine(xChain, top, xChain, bottom), QLine(mid, knee), QLine(knee, end)},
                               lrDimension);
                Bitmap.SetTag(open);
                continue;
            }
            const QRect& cell = chain.Cells[size_t(k)];
            const int x = away > 0 ? xChain + 2 * lu2 : xChain - 2 * lu2 - Bitmap.TextWidth(text);
            const int y = !cell.isEmpty() ? cell.top() : mid.y() - Bitmap.TextHeight(text) / 2;
            DrawLabelLines(x, y, {text}, 0, mid, {QLine(xChain, top, xChain, bottom)}, lrDimension);
        }
        Bitmap.SetTag(open);
    }
}

void TDiagramDraw::DrawSurcharges(CrossFrame& f) {
    const TKdData& d = Data;
    const TAnchor& a = d.Anchors;
    const int fs = f.fs;
    const int groundEnd = f.xs + 10 * fs;
    const double stripEnd = std::max(a.StripOffset + a.StripWidth, a.StripOffset + 1.0);
    f.extent = groundEnd - f.xR;
    if (a.LineLoadOn) f.extent = std::max(f.extent, RoundPx(a.LineOffset * Scale));
    if (a.PointLoadOn) f.extent = std::max(f.extent, RoundPx(a.PointOffset * Scale));
    if (a.StripLoadOn) f.extent = std::max(f.extent, RoundPx(stripEnd * Scale));
    const int labelEnd = f.xR + f.extent + fs; // where the leaders end
    const int labelLeft = f.xR + f.extent + RoundPx(1.5 * fs);

    // One label row: the picture first grows white to hold the label, then the text is drawn.
    auto label = [&](const QString& text, const std::string& name) {
        const int top = f.yTop - ScaledFont(f.f + 0.5);
        const int bottom = f.yTop - ScaledFont(f.f - 0.5);
        Bitmap.SetFontHeight(-(bottom - top - 2));
        Bitmap.SetFontAngle(0);
        GrowWidthTo(labelLeft + 1 + Bitmap.TextWidth(text) + f.ls);
        // Set now, in its own row right of the loads, before the labels held back.
        HoldLabels = false;
        const QRect row = DrawTextBox(labelLeft, top, std::max(W, OutW), bottom, text, 0, false, clNone);
        HoldLabels = true;
        Layout.Boxes[name] = QRect(row.topLeft(), QPoint(row.left() + Bitmap.TextWidth(text), row.bottom()));
        f.f += 1;
    };
    auto arrowsDown = [&](int x0, int x1, double step, int yFrom, int yTo) {
        if (step > 0)
            for (int k = 0; x0 + RoundPx(k * step) < x1; ++k) {
                const int x = x0 + RoundPx(k * step);
                DrawArrowLine(x, yFrom, x, yTo, f.as, false, true);
            }
        DrawArrowLine(x1, yFrom, x1, yTo, f.as, false, true);
    };

    if (a.UniformSurcharge != 0) {
        const int y = f.yTop - ScaledFont(f.f);
        const int end = f.xs + 6 * fs;
        SetPen(clBlue, f.lu1);
        Bitmap.Line(f.xR, y, end, y);
        arrowsDown(f.xR, end, (end - f.xR) / 5.0, y, f.yTop);
        Bitmap.MoveTo(end, y);
        DashedLineTo(labelEnd, y, fs);
        SetPen(clBlack, f.lu1);
        label("Uniform surcharge: " + FormatValue(double(a.UniformSurcharge), 2, Texts.UniformUnit),
              "Uniform");
    }
    if (a.StripLoadOn) {
        const int y = f.yTop - ScaledFont(f.f);
        const int x0 = f.xR + RoundPx(a.StripOffset * Scale);
        const int x1 = f.xR + RoundPx(stripEnd * Scale);
        SetPen(clBlack, f.lu1);
        if (RoundPx(a.StripOffset * Scale) > f.as) Bitmap.Line(x0, y, x1, y);
        Bitmap.Line(x1, y, labelEnd, y);
        double step = (x1 - x0) / 5.0;
        for (int div = 4; div >= 2 && step < ScaledFont(1.0); --div)
            step = (x1 - x0) / double(div);
        if (step == 0) step = ScaledFont(1.0);
        arrowsDown(x0, x1, step, y, f.yTop + RoundPx(a.StripDepth * Scale));
        label("Strip load: " + FormatValue(a.StripLoad, 2, Texts.StripUnit) + " @ " +
                  FormatValue(a.StripOffset, 2, QString()) + " - " +
                  FormatValue(a.StripOffset + a.StripWidth, 2, f.lu),
              "Strip");
    }
    auto single = [&](double load, double offset, double depth, const QString& caption, const QString& unit,
                      const std::string& name) {
        const int y = f.yTop - ScaledFont(f.f);
        const int x = f.xR + RoundPx(offset * Scale);
        SetPen(clBlack, f.lu1);
        Bitmap.Line(x, y, labelEnd, y);
        SetPen(clBlack, f.lu2);
        DrawArrowLine(x, y, x, f.yTop + RoundPx(depth * Scale), f.as, false, true);
        SetPen(clBlack, f.lu1);
        label(caption + FormatValue(load, 2, unit) + " @ " + FormatValue(offset, 2, f.lu), name);
    };
    if (a.LineLoadOn) single(a.LineLoad, a.LineOffset, a.LineDepth, "Line load: ", Texts.LineUnit, "Line");
    if (a.PointLoadOn)
        single(a.PointLoad, a.PointOffset, a.PointDepth, "Point load: ", Texts.PointUnit, "Point");
    Layout.Values["xLabels"] = labelLeft;
}

void TDiagramDraw::DrawAnchor(CrossFrame& f, int i, int yA, int pass) {
    const TKdData& d = Data;
    const TAnchLevel& level = d.Anchors.Levels[i];
    const int kind = level.Kind;
    if (kind < lkTieback || kind > lkRaker) return;
    const bool tension = kind == lkTieback || kind == lkTieRod;
    const int fs = f.fs, ls = f.ls, lu1 = f.lu1, lu2 = f.lu2;
    const double toLength = d.Units == usSI ? 100.0 : 12.0;
    const double angle = double(level.Angle);
    const double a = angle * kDeg;
    const double a2 = (tension ? angle : 180.0 - angle) * kDeg;
    const double ca = std::cos(a), sa = std::sin(a);
    const double ca2 = std::cos(a2), sa2 = std::sin(a2);
    const int x0 = tension ? f.xR : f.xL;

    // Lengths: the whole member, its unbonded part and the bond zone of a tieback. A bond length the
    // design left undefined draws the unbonded part alone.
    double total = double(d.FreeLength(i, true));
    double unbonded = total;
    if (kind == lkTieback) {
        const double minimum = double(d.UnitVal(4.57L, 15.0L));
        const double fromAnalysis = double(d.Anchors.FreeLengths[i]);
        unbonded = std::isfinite(fromAnalysis) ? std::max(fromAnalysis, minimum) : minimum;
        if (!std::isfinite(double(level.BondLength))) total = unbonded;
    }
    const double bond = total - unbonded;

    QPoint start(x0, yA);
    if (tension) {
        const double c = (double(d.SectionDepth()) / toLength * Scale) / ca + ls / 2.0;
        start = QPoint(x0 - RoundPx(ca * c), yA - RoundPx(sa * c));
    }
    const QPoint p1(x0 + RoundPx(ca2 * unbonded * Scale), yA + RoundPx(sa2 * unbonded * Scale));
    QPoint p2(x0 + RoundPx(ca2 * total * Scale), yA + RoundPx(sa2 * total * Scale));
    // A member whose geometry has no finite drawing (a tieback straight down, a raker lying flat)
    // is left out; its level's tick and letter stay.
    auto inReach = [](QPoint p) {
        return Reachable(p.x()) && Reachable(p.y()) && std::abs(p.x()) < TCanvas::MaxCoordinate / 2;
    };
    if (!inReach(start) || !inReach(p1) || !inReach(p2)) return;
    const std::string key = "Level" + std::to_string(i);
    Layout.Values[key + ".startX"] = start.x();
    Layout.Values[key + ".startY"] = start.y();
    Layout.Values[key + ".p1X"] = p1.x();
    Layout.Values[key + ".p1Y"] = p1.y();
    Layout.Values[key + ".p2X"] = p2.x();
    Layout.Values[key + ".p2Y"] = p2.y();
    if (pass == 0) {
        f.memberOf.resize(size_t(i) + 1, -1);
        f.memberOf[size_t(i)] = int(f.members.size());
        f.members.emplace_back(start, p2);
    }
    if (pass == 1) f.member = size_t(f.memberOf[size_t(i)]);
    if (pass > 0) {
        // Its length dimensions parallel to it on its upper side, `by` off it.
        const int side = tension ? 1 : -1;
        auto moved = [&](QPoint e, int by) {
            return QPoint(e.x() + side * RoundPx(sa2 * by), e.y() - side * RoundPx(ca2 * by));
        };
        const QString unit = d.Units == usSI ? "m" : "'";
        std::vector<std::pair<QLine, QString>> lines{{QLine(start, p1), FormatValue(unbonded, 2, unit)}};
        if (kind == lkTieback && bond > 0) lines.push_back({QLine(p1, p2), FormatValue(bond, 2, unit)});
        int& by = f.offsets[size_t(i)];
        if (pass == 1) {
            // One line spacing off it, or where its values find no room there, as little farther
            // as gives them room by their lines (up to five spacings, and a spacing above the
            // ground at most: higher, they take the pile's axial load's place and that of the
            // ground's name after it), its lines crossing no other member and no place held.
            const bool slants = kind == lkRaker && std::all_of(lines.begin(), lines.end(), [](const auto& l) {
                                    return l.first.dx() != 0 && l.first.dy() != 0;
                                });
            const TFont font = Bitmap.Font();
            Bitmap.SetFontHeight(-FontSize());
            Bitmap.SetFontAngle(0);
            const int g = LineUnit(), h = Bitmap.TextHeight("X");
            const double margin = g + 1;
            // What may stand in its values' way at any offset, gathered once: the strokes, the
            // lines chosen and the places held about the member, also in its frame (u along it
            // from its start, v off it toward its dimensions).
            const QPointF origin(start), toward(side * sa2, -side * ca2);
            const double length = std::hypot(double(p2.x() - start.x()), double(p2.y() - start.y()));
            const QPointF along = length > 0 ? QPointF(p2 - start) / length : QPointF(1, 0);
            auto local = [&](QPointF x) {
                x -= origin;
                return QPointF(x.x() * along.x() + x.y() * along.y(),
                               x.x() * toward.x() + x.y() * toward.y());
            };
            const int reach = 5 * ls + 3 * h;
            const QRect zone = QRect(start, p2).normalized().adjusted(-reach, -reach, reach, reach);
            struct Obstacle {
                QPointF a, b; // a stroke's ends, or a box's least and greatest corners
                double pad;   // the white kept about it
                bool box;
            };
            std::vector<Obstacle> near;
            std::vector<std::pair<QLine, int>> strokes;
            std::vector<QRect> boxes;
            auto addStroke = [&](const QLine& l, int width) {
                if (!LineMeetsRect(l, zone)) return;
                strokes.emplace_back(l, width);
                near.push_back({local(l.p1()), local(l.p2()), margin + width / 2.0, false});
            };
            auto addBox = [&](const QRect& r) {
                boxes.push_back(r);
                QPointF lo(1e300, 1e300), hi(-1e300, -1e300);
                for (const QPoint k : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
                    const QPointF c = local(k);
                    lo = QPointF(std::min(lo.x(), c.x()), std::min(lo.y(), c.y()));
                    hi = QPointF(std::max(hi.x(), c.x()), std::max(hi.y(), c.y()));
                }
                near.push_back({lo, hi, double(g), true});
            };
            if (slants) {
                for (const TSegmentRecord& r : Placement.Strokes)
                    addStroke(r.Line, r.Width);
                for (const QLine& l : f.chosen)
                    addStroke(l, lu1);
                for (const QRect& r : Placement.Blocks)
                    if (r.intersects(zone)) addBox(r);
            }
            // Where along the stretch [lo, hi] a cell w long finds the band [v0, v1] clear: the
            // place nearest the stretch's middle.
            auto band = [&](double lo, double hi, double w, double v0, double v1) -> std::optional<double> {
                std::vector<std::pair<double, double>> blocked;
                for (const Obstacle& o : near) {
                    const double p = o.pad;
                    if (o.box) {
                        if (o.b.y() + p > v0 && o.a.y() - p < v1)
                            blocked.emplace_back(o.a.x() - p, o.b.x() + p);
                        continue;
                    }
                    // The stretch of the stroke within the band, its pen and white about it.
                    const double dv = o.b.y() - o.a.y();
                    double t0 = 0, t1 = 1;
                    if (std::abs(dv) < 1e-9) {
                        if (o.a.y() < v0 - p || o.a.y() > v1 + p) continue;
                    } else {
                        double ta = (v0 - p - o.a.y()) / dv, tb = (v1 + p - o.a.y()) / dv;
                        if (ta > tb) std::swap(ta, tb);
                        t0 = std::max(t0, ta), t1 = std::min(t1, tb);
                        if (t0 > t1) continue;
                    }
                    const double ua = o.a.x() + t0 * (o.b.x() - o.a.x()),
                                 ub = o.a.x() + t1 * (o.b.x() - o.a.x());
                    blocked.emplace_back(std::min(ua, ub) - p, std::max(ua, ub) + p);
                }
                std::sort(blocked.begin(), blocked.end());
                const double middle = (lo + hi - w) / 2;
                std::optional<double> best;
                auto gap = [&](double a, double b) {
                    if (b - a < w) return;
                    const double u = std::clamp(middle, a, b - w);
                    if (!best || std::abs(u - middle) < std::abs(*best - middle)) best = u;
                };
                double from = lo;
                for (const auto& [a, b] : blocked) {
                    if (b <= from) continue;
                    if (a >= hi) break;
                    gap(from, a);
                    from = b;
                }
                gap(from, hi);
                return best;
            };
            // Where the value `text` finds room by the dimension line of `member` `t` off it: one
            // line spacing off, where it is asked for; else beside its line or across it, as it is
            // written along the line (a place found so is read again from the picture); what it
            // then holds.
            auto room = [&](const QLine& member, int t,
                            const QString& text) -> std::optional<std::vector<QRect>> {
                const QLine at(moved(member.p1(), t), moved(member.p2(), t));
                if (t == ls) {
                    const QString spaced = " " + text + " ";
                    const int bw = Bitmap.TextWidth(spaced), bh = Bitmap.TextHeight(spaced);
                    QRect box(at.center().x() - bw / 2, at.center().y() - bh / 2, bw, bh);
                    if (std::abs(at.dx()) - 2 * ArrowSize() <= bw) box.translate(0, -bh);
                    const QRect grown = box.adjusted(-g, -g, g, g);
                    if (std::none_of(strokes.begin(), strokes.end(),
                                     [&](const auto& s) {
                                         const int pen = (s.second + 1) / 2;
                                         return LineMeetsRect(s.first, grown.adjusted(-pen, -pen, pen, pen));
                                     }) &&
                        std::none_of(boxes.begin(), boxes.end(),
                                     [&](const QRect& r) { return r.intersects(grown); }))
                        return std::vector<QRect>{box};
                }
                const double w = Bitmap.TextWidth(text), th = Bitmap.TextHeight(text);
                const double u0 = std::min(local(member.p1()).x(), local(member.p2()).x()),
                             u1 = std::max(local(member.p1()).x(), local(member.p2()).x());
                const double lo = u0 + ArrowSize() + margin, hi = u1 - ArrowSize() - margin;
                if (hi - lo < w) return std::nullopt;
                const double off = (g + 1) / 2 + 1;
                for (const double v0 : {t + off, t - off - th, t - th / 2})
                    if (const auto u = band(lo, hi, w, v0, v0 + th)) {
                        if (t != ls &&
                            !Placement.AlongClear(Bitmap, PictureSize(), {at, w, th, g, ArrowSize()}, 0))
                            return std::nullopt;
                        // Its cell in upright pieces a height long each.
                        std::vector<QRect> pieces;
                        const int n = std::max(1, int(std::ceil(w / th)));
                        for (int k = 0; k < n; ++k) {
                            QRectF piece;
                            for (const double du : {*u + w * k / n, *u + w * (k + 1) / n})
                                for (const double dv : {v0, v0 + th})
                                    piece |= QRectF(origin + du * along + dv * toward, QSizeF(0.001, 0.001));
                            pieces.push_back(piece.toAlignedRect());
                        }
                        return pieces;
                    }
                return std::nullopt;
            };
            // Whether a line crosses a place held, grown by the white kept about it (a letter may
            // be set anywhere about its place).
            auto crosses = [&](const QLine& stroke) {
                for (size_t k = f.held; k < Placement.Blocks.size(); ++k) {
                    const int grow = k < f.held + f.letters ? h / 2 : 2 * g + 1;
                    if (LineMeetsRect(stroke, Placement.Blocks[k].adjusted(-grow, -grow, grow, grow)))
                        return true;
                }
                return false;
            };
            auto fits = [&](int t, std::vector<QRect>& places) {
                for (const auto& [member, text] : lines) {
                    const QLine at(moved(member.p1(), t), moved(member.p2(), t));
                    if (t != ls) {
                        if (std::min(at.y1(), at.y2()) < f.yTop - ls) return false;
                        for (size_t k = 0; k < f.members.size(); ++k)
                            if (k != f.member && Cross(at, f.members[k])) return false;
                        if (crosses(at) || crosses(QLine(member.p1(), at.p1())) ||
                            crosses(QLine(member.p2(), at.p2())))
                            return false;
                    }
                    const auto place = room(member, t, text);
                    if (!place) return false;
                    // A value keeps off the lines chosen before.
                    for (const QRect& piece : *place)
                        for (const QLine& other : f.chosen)
                            if (LineMeetsRect(other,
                                              piece.adjusted(-2 * g - 1, -2 * g - 1, 2 * g + 1, 2 * g + 1)))
                                return false;
                    places.insert(places.end(), place->begin(), place->end());
                    Placement.Blocks.insert(Placement.Blocks.end(), place->begin(), place->end());
                    for (const QRect& r : *place)
                        addBox(r);
                }
                return true;
            };
            const size_t before = Placement.Blocks.size(), nearCount = near.size(), boxCount = boxes.size();
            bool fitted = !slants;
            for (int t = ls; slants && t <= 5 * ls; t += std::max(2, h / 2)) {
                std::vector<QRect> places;
                const bool found = fits(t, places);
                Placement.Blocks.resize(before);
                near.resize(nearCount), boxes.resize(boxCount);
                if (!found) continue;
                by = t, fitted = true;
                Placement.Blocks.insert(Placement.Blocks.end(), places.begin(), places.end());
                break;
            }
            Bitmap.SetFont(font);
            if (!fitted) ++f.roomless;
            for (const auto& [member, text] : lines) {
                const QLine at(moved(member.p1(), by), moved(member.p2(), by));
                f.chosen.insert(f.chosen.end(),
                                {at, QLine(member.p1(), at.p1()), QLine(member.p2(), at.p2())});
            }
            return;
        }
        SetPen(clBlack, lu1);
        auto offset = [&](QPoint e) {
            const QPoint o = moved(e, by);
            Bitmap.Line(e.x(), e.y(), o.x(), o.y());
            return o;
        };
        auto dimension = [&](QPoint from, QPoint to, const QString& text) {
            if (from.x() > to.x()) std::swap(from, to);
            DrawDimension(from.x(), from.y(), to.x(), to.y(), text, 3, false, false);
        };
        const QPoint s1 = offset(start), q1 = offset(p1);
        dimension(s1, q1, lines[0].second);
        if (lines.size() > 1) dimension(q1, offset(p2), lines[1].second);

        // Inclination.
        if (angle != 0) {
            // The horizontal is not the value's own: it keeps clear of it.
            if (tension && kind == lkTieback) p2.ry() += (3 * lu2) / 2;
            if (tension) Bitmap.Line(p2.x(), p2.y(), p2.x() - 4 * ls, p2.y());
            const int open = BeginStep(); // the arc and the value
            if (tension) {
                DrawAngle(p2.x(), p2.y(), 3 * ls, angle, false);
            } else {
                DrawAngle(p2.x(), p2.y(), 3 * ls, angle, true);
            }
            Bitmap.SetTag(open);
        }
        // Below the picture nothing is drawn: the height grows at most to it.
        if (p2.y() + ls > OutH) OutH = std::min(p2.y() + ls, H);
        return;
    }

    // Waler against the excavation face.
    if (level.Waler.HasWaler) {
        int h = fs - lu2;
        int top = start.y() - h / 2;
        if (tension) top += RoundPx(sa * fs / 2);
        if (kind == lkRaker) {
            h = RoundPx(std::fabs(fs / ca2 / 2) + lu2 / 2.0);
            top = start.y();
        }
        const int bottom = top + h;
        SetPen(clBlack, lu2);
        if (level.Waler.TwoChannels) {
            const int mid = f.xL - fs / 2;
            Bitmap.Polyline({{f.xL - fs, top}, {mid - lu1, top}, {mid - lu1, bottom}, {f.xL - fs, bottom}});
            Bitmap.Polyline({{f.xL, top}, {mid + lu1, top}, {mid + lu1, bottom}, {f.xL, bottom}});
        } else {
            Bitmap.Polyline({{f.xL - fs, top}, {f.xL, top}, {f.xL, bottom}, {f.xL - fs, bottom}});
        }
        Layout.Boxes[key + ".Waler"] = QRect(QPoint(f.xL - fs, top), QPoint(f.xL - 1, bottom));
    }

    // The member.
    const int barWidth = tension
                             ? RoundPx(double(d.LevelBarSize(i)) * Scale / (d.Units == usSI ? 1000.0 : 12.0))
                             : RoundPx(1.5 * lu1);
    SetPen(clBlack, std::max(1, barWidth));
    if (kind != lkStrut) {
        Bitmap.Line(start.x(), start.y(), p1.x(), p1.y());
    } else if (level.Waler.HasWaler) {
        Bitmap.Line(start.x(), start.y(), start.x() - fs, start.y());
    }
    switch (kind) {
    case lkTieback:
        if (bond > 0) {
            const int w = RoundPx(std::max(0.5 * double(d.UnitVal(0.3L, 1.0L)) * Scale, 1.5 * lu2));
            SetPen(kExcavationHatch, w);
            Bitmap.Line(p1.x(), p1.y(), p2.x(), p2.y());
        }
        break;
    case lkTieRod:
        SetPen(clBlack, lu1);
        Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
        if (level.TieRodAnchorage == 1) {
            Bitmap.Rectangle(p1.x(), p1.y() - fs, p1.x() + fs, std::max(f.yExc, p1.y() + fs));
            const int in = fs / 4;
            Bitmap.SetBrushStyle(TBrushStyle::Clear);
            Bitmap.Rectangle(p1.x() + in, p1.y() - fs + in, p1.x() + fs - in,
                             std::max(f.yExc, p1.y() + fs) - in);
            Bitmap.SetBrushStyle(TBrushStyle::Solid);
        } else {
            Bitmap.Rectangle(p1.x(), p1.y() - fs, p1.x() + fs, p1.y() + fs);
        }
        break;
    case lkStrut: {
        SetPen(clBlack, lu1);
        const int top = p1.y() - fs / 2, bottom = top + fs;
        Bitmap.Polyline({{p1.x() + ls, top}, {start.x(), top}, {start.x(), bottom}, {p1.x() + ls, bottom}});
        Bitmap.MoveTo(p1.x() + ls, top);
        DashedLineTo(p1.x(), top, 0);
        Bitmap.MoveTo(p1.x() + ls, bottom);
        DashedLineTo(p1.x(), bottom, 0);
        break;
    }
    case lkRaker: {
        SetPen(clBlack, lu1);
        Bitmap.Line(start.x(), start.y() + RoundPx(std::fabs(fs / ca2 / 2)), p2.x() + RoundPx(fs / sa2 / 2),
                    p2.y());
        Bitmap.Line(p2.x() - ls, p2.y(), p2.x() + 4 * ls, p2.y());
        const int deep = RoundPx(1.5 * ls);
        Bitmap.SetBrush(TBrush{kExcavationHatch, TBrushStyle::BDiagonal});
        Bitmap.SetPenStyle(TPenStyle::Clear);
        Bitmap.Polygon({{p2.x() - ls, p2.y()},
                        {p2.x() + 4 * ls, p2.y()},
                        {p2.x() + 4 * ls, p2.y() + deep / 2},
                        {p2.x() + 3 * ls, p2.y() + deep},
                        {p2.x(), p2.y() + deep}});
        Bitmap.SetPenStyle(TPenStyle::Solid);
        Bitmap.SetBrush(TBrush{clWhite, TBrushStyle::Solid});
        break;
    }
    default:
        break;
    }
}

} // namespace vantrel
