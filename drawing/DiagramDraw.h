// The engineering drawings of a project: the wall cross section, the pile plan view, the guardrail
// detail and the two strut member sections. Each is drawn by a TDiagramDraw that lives for one
// drawing, reads the project (never writes it) and hands back one picture.
//
// Every drawing is laid out in units derived from the picture size (a grid of 11 columns by 38
// rows, lines that thicken every 700 pixels) so the same code serves the window, the enlarged view
// and the printed report.
#pragma once

#include "drawing/Canvas.h"
#include "drawing/LabelPlacement.h"
#include "model/KdClasses.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace vantrel {

enum TDiagramKind : int {
    dkCrossSection = 0,
    dkPilePlanView = 1,
    dkGuardrail = 2,
    dkFlangedSection = 3,
    dkPipeSection = 4,
};

// What the cross section shows from the main window: the soil name of the soil type selector and
// the unit captions of the surcharge, water and axial load rows.
struct TCrossSectionTexts {
    QString SoilName;
    QString UniformUnit; // uniform surcharge
    QString StripUnit;
    QString LineUnit;
    QString PointUnit;
    QString WaterUnit;
    QString AxialUnit;
    // The soil name of the project's soil type and the captions of its unit system.
    static TCrossSectionTexts Defaults(const TKdData& data);
};

// One label as it was set: the cell it covered where its drawing asked for it, the move that
// cleared it, what it labels and the leader drawn to it, if any.
struct TPlacedLabel {
    QRect Asked;
    QPoint Shift;
    QPoint Anchor;             // the point it labels, where a leader ends; null for a caption
    std::vector<QLine> Target; // the strokes it stands by: a dimension line, an arc's chords, a tick
    QLine Leader;              // from the label (to its bend, when bent); null when none was drawn
    bool Value = false;        // the value of a dimension (one stroke) or an angle (its arc's chords)
    QLine Bend{};              // a bent leader's second piece, from its bend to what it labels
};

// Named positions of a drawing (pixels unless the name says otherwise), for tests and callers that
// place things over a picture.
struct TDiagramLayout {
    std::map<std::string, double> Values;
    std::map<std::string, QRect> Boxes;
    std::vector<TPlacedLabel> Placed; // every label, in the order it was set
    double Value(const std::string& name, double fallback = -1e300) const {
        const auto it = Values.find(name);
        return it == Values.end() ? fallback : it->second;
    }
    bool Has(const std::string& name) const { return Values.count(name) != 0; }
};

// The fills of a member's or pile's section: steel, and concrete (a pier, a filled pipe); the ties
// or spiral of a rebar cage.
inline constexpr TColor kSteel = 0x0000BF;
inline constexpr TColor kTies = 0x000080;
inline constexpr TColor kConcrete = 0xC7C7C7;
// The hatches of the soil a cross section retains and of the ground below the excavation.
inline constexpr TColor kRetainedHatch = 0x0002CBE8;
inline constexpr TColor kExcavationHatch = 0x005EA3FF;

// Drawing colours: what lines and hatches use, and what a label must not take as its background.
bool IsDrawingColor(TColor c);
// White on dark colours (R + G + B below 385), black on light ones.
TColor ContrastColor(TColor c);
// The contrast ratio of two colours by their relative luminance (1 for equal colours, 21 for black
// on white); text reads against its background from kReadable on.
double ContrastRatio(TColor a, TColor b);
inline constexpr double kReadable = 3.0;
// Whether a straight line between two points meets a rectangle.
bool LineMeetsRect(const QLine& line, const QRect& rect);
// Rounding to the nearest integer with halves to the even neighbour; a value that is not finite or
// lies beyond the canvas's reach gives a coordinate the canvas leaves out.
int RoundPx(double v);
// A length in pixels is drawable when it is finite and within reach of the canvas.
bool Reachable(double v);

class TDiagramDraw {
  public:
    explicit TDiagramDraw(const TKdData& data, const TCrossSectionTexts* texts = nullptr);

    // Draws diagram `kind` at the canvas's current size, then crops to OutW x OutH.
    void Draw(int kind);

    // --- layout units (valid once a diagram has set W and H) ---
    int LineUnit() const;
    int LineUnit2() const { return 2 * LineUnit(); }
    int ArrowSize() const;
    int LineSpacing() const;
    int FontSize() const;
    int ScaledFont(double factor) const;
    int PercentX(double p) const;
    int PercentY(double p) const;
    int GridX(double v) const;
    int GridY(double v) const;

    // --- primitives (on Bitmap) ---
    // What a label labels, as the strokes it must stand by: a dimension line, the chords of an
    // arc, a tick. A label without one stands by its anchor.
    using TTarget = std::vector<QLine>;
    // Labels held back are set in the order of their ranks, each rank in the order asked: a level's
    // letter first, as it has but one place by its tick; then dimension values and angles, which
    // stand by their lines; then texts by a reference line; captions last, as they may stand
    // anywhere.
    enum TLabelRank { lrLetter, lrDimension, lrReference, lrCaption };
    // Every label is set where its diagram puts it when that place is clear; where it would meet a
    // label drawn before it or the steel, or reach out of the picture, it moves the least distance
    // that clears it. Returns the box as drawn. A box held back may name what it labels: the point
    // its leader ends at and the strokes it stands by (a caption of the whole drawing names none),
    // and its rank.
    QRect DrawTextBox(int left, int top, int right, int bottom, const QString& text, int align, bool frame,
                      TColor fill, int rise = -1, QPoint anchor = QPoint(), const TTarget& target = {},
                      TLabelRank rank = lrCaption);
    static QString FormatValue(double value, int decimals, const QString& unitText);
    void DrawArrowHead(int x, int y, double angle, int len);
    void DrawArrowLine(int x1, int y1, int x2, int y2, int len, bool atStart, bool atEnd);
    void DrawAngle(int x, int y, int r, double angleDeg, bool toRight);
    // Returns the label's box.
    QRect DrawDimension(int x1, int y1, int x2, int y2, const QString& text, int mode, bool outside,
                        bool transparent);
    void DrawCircle(int x, int y, int r);
    void DashDotLineTo(int x, int y, bool dashDot, int n);
    // Text with superscripts ("m^3"); it counts as a label that later labels keep clear of.
    void TextOutSuper(int x, int y, const QString& s);
    // A label at (x, y), or at the nearest clear place; returns its cell (where it was asked for
    // while labels are held back). `anchor` is where its leader ends if it must move far
    // (the middle of the label when not given).
    QRect DrawLabel(int x, int y, const QString& s, QPoint anchor = QPoint());
    // A text of several lines, `step` apart from (x, y) down, set as one label: its lines move
    // together and keep their order. Returns the cells of its lines.
    QRect DrawLabelLines(int x, int y, const QStringList& lines, int step, QPoint anchor,
                         const TTarget& target = {}, TLabelRank rank = lrCaption);
    // The box on the picture that the glyphs of s cover when drawn at (x, y) in the current font,
    // turned by the font's angle.
    QRect TextInk(int x, int y, const QString& s) const;
    // The cell of s drawn at (x, y): its advance by the font's height (raised superscripts
    // included), turned by the font's angle. Labels keep their cells apart.
    QRect TextCell(int x, int y, const QString& s) const;
    // The least move that takes a label covering `box` clear of the labels drawn so far, of the
    // steel and the blocks, and (with Placement.AvoidLines) of every stroke not tagged `tag`,
    // inside the picture: (0, 0) when it is clear where it stands.
    // A label that must stay by its line moves at most `rise` up or down while a place there is clear.
    QPoint ClearShift(const QRect& box, int tag = 0, int rise = -1);
    // Labels asked for while HoldLabels is set wait until PlaceLabels, which sets them in the order
    // asked, when every line of the drawing is known; one set far from its place gets a leader.
    void PlaceLabels();
    // The six points of a straight line with a zig-zag break symbol of size q in its middle:
    // horizontal at y1 when x2 > x1, else vertical at x1.
    static std::array<QPoint, 6> BreakLinePoints(int x1, int y1, int x2, int y2, int q);
    void DrawBreakLine(int x1, int y1, int x2, int y2);

    // --- the diagrams ---
    void DrawCrossSection();
    void DrawPilePlanView();
    void DrawGuardrail();
    void DrawFlangedSection();
    void DrawPipeSection();

    const TKdData& Data;
    TAnchLevel Level;
    bool HasLevel = false;
    TCrossSectionTexts Texts;
    int W = 0;
    int H = 0;
    TCanvas Bitmap; // sized by the entry points (or the caller) before a diagram is drawn
    double Scale = 0;
    int OutW = 0;
    int OutH = 0;
    int Kind = 0;
    TDiagramLayout Layout;
    // The labels, blocks and strokes labels keep clear of, and the search for a clear place.
    TLabelPlacement Placement;
    std::vector<QRect> LabelGlyphs; // the glyph boxes of the labels drawn so far
    // Labels whose target lies beside this column (the pile) stay on that side of it, and no
    // leader crosses it; empty: none.
    QRect Divide;
    bool HoldLabels = false;

  private:
    struct HeldLabel {
        QRect Box;      // the cell it covers where it was asked for
        TTarget Target; // what it labels (none: its anchor)
        QPoint Anchor;  // the point it labels, where a leader ends; none (null) for a caption
        int Tag = 0;
        int Reach = 0; // how far from what it labels it may stand without a leader: a label height
        TLabelRank Rank = lrCaption;
        std::function<void(QPoint)> Draw; // draws it moved by the given shift
        // A value that may be written along its slanting line instead of being led to it: sets it
        // there when a place is clear and says whether it did.
        std::function<bool()> Along;
        QMargins Blanks; // the blanks an opaque value's box holds about its text, which reads by
        // its text alone
    };
    std::vector<HeldLabel> Held;
    int LastTag = 0;
    // Sets a label covering `box` with the tag open now: at once, drawn moved by the shift that
    // clears it (returned), or when the labels are placed while they are held (no shift returned).
    QPoint SetLabel(const QRect& box, QPoint anchor, const std::function<void(QPoint)>& draw,
                    const TTarget& target = {}, TLabelRank rank = lrCaption,
                    const std::function<bool()>& along = {}, const QMargins& blanks = {});
    // Writes `text` along the slanting dimension line `line` (left end first), turned to its
    // slope so that it reads from left to right, centred on the line's stretch between its arrows
    // and a line unit beside it, above the line or else below it, where its turned cell is clear
    // of every line, label, block and the steel, whole inside the picture. Says whether it did.
    bool WriteAlong(const QLine& line, const QString& text, QPoint anchor, const TTarget& target);
    // The place of a held label: where it was asked for when clear, else the nearest clear place
    // within a label height of what it labels, else the nearest clear place of the picture, on
    // the side of the divide where what it labels lies, with a leader that crosses no label and
    // not the divide.
    // A leader that no straight line can lay clear of the labels' cells is bent once (`bend`, its
    // second piece, to what it labels) where that keeps it clear.
    QPoint PlaceHeld(const HeldLabel& l, std::optional<QLine>& leader, QLine& bend);
    // What a leader keeps off besides the divide: the cells of the labels, their glyphs, or none.
    enum TLeaderSpace { lsCells, lsGlyphs, lsAny };
    // A leader from `l` standing at `at` to what it labels that keeps off `space` and the divide;
    // none when every one tried meets them (`crossed` is then the first label met, if any).
    std::optional<QLine> Leader(const HeldLabel& l, const QRect& at, QRect& crossed,
                                TLeaderSpace space) const;
    // The points of what `l` labels that a leader from `at` may end at, the likeliest first.
    std::vector<QPoint> LeaderEnds(const HeldLabel& l, const QRect& at) const;
    // A leader from `l` standing at `at` bent once at a right angle, its pieces clear of the
    // labels' cells and the divide, the shortest such: level from the label's side and then
    // plumb to what it labels, or plumb from its top or bottom and then level.
    std::optional<std::pair<QLine, QLine>> BentLeader(const HeldLabel& l, const QRect& at) const;
    // The nearest clear move among `inside` that keeps `l` within its reach of what it labels.
    std::optional<QPoint> NearTarget(const HeldLabel& l, const TMoves& inside);
    // What a letter or a value stays by: what it labels and the other strokes of its step.
    std::vector<QLine> StandsBy(const HeldLabel& l) const;
    // Opens a fresh tag for the strokes and the label of one drawing step unless one is open;
    // returns the tag open before, to be set back when the step ends.
    int BeginStep();
    // The picture as it is cut at the end.
    QSize PictureSize() const;
    // `colour`, or black or white instead when that reads better against what lies under `box`.
    TColor ReadableOn(const QRect& box, TColor colour) const;
    void CommonStart();
    void SetPen(TColor color, int width);
    void HatchRect(int left, int top, int right, int bottom, TColor color);
    // Cross section helpers.
    void DashedLineTo(int x, int y, int piece);
    struct CrossFrame;
    // Level i's member at height yA, in three passes over the levels: 0 draws the member itself;
    // 1, once every member is drawn, chooses how far its length dimensions stand off it; 2 draws
    // them and its inclination.
    void DrawAnchor(CrossFrame& f, int i, int yA, int pass);
    // The chain of the levels' spacings, from the ground over the levels at `yLevel` to the
    // excavation bottom.
    void DrawLevelChain(const CrossFrame& f, const std::vector<int>& yLevel);
    void DrawSurcharges(CrossFrame& f);
    void GrowWidthTo(int right);
    // Plan view helpers.
    struct PlanFrame;
    void DrawPlanRow(const PlanFrame& f);
    // The spacing's value by its dimension line at row `line`, asked for at row `top` below it.
    QRect DrawPlanSpacing(const PlanFrame& f, int line, int top);
    void DrawPlanIBeam(const PlanFrame& f);
    void DrawPlanPipe(const PlanFrame& f);
    void DrawPlanRebarCage(const PlanFrame& f);
    void DrawPlanSheet(const PlanFrame& f);
    void DrawPlanClearGap(const PlanFrame& f);
    void DrawSectionExtents(const PlanFrame& f, int xl, int xr, int yt, int yb);
    void DrawSheetShape(int left, int right, int top, int bottom, int thick, bool az);
};

// Renders diagram `kind` of `data` at `size`; `level` is the support level of kinds 3 and 4 and
// `texts` what the cross section takes from the window (defaults of the unit system when null).
// A 0 x 0 size gives an empty picture; an unknown kind a white one. `layout`, when given, receives
// the named positions of the drawing.
QImage RenderDiagram(const TKdData& data, int kind, QSize size, const TAnchLevel* level = nullptr,
                     const TCrossSectionTexts* texts = nullptr, TDiagramLayout* layout = nullptr);

// Draws diagram `kind` at the size of the label and shows it there.
void DrawToImage(QLabel& image, const TKdData& data, int kind, const TAnchLevel* level = nullptr,
                 const TCrossSectionTexts* texts = nullptr);
// Draws diagram `kind` at the size of `target` and replaces it with the drawing (the cross section
// may come back narrower or shorter than asked, cropped to what it drew).
void DrawToGraphic(QImage& target, const TKdData& data, int kind, const TAnchLevel* level = nullptr,
                   const TCrossSectionTexts* texts = nullptr);

} // namespace vantrel
