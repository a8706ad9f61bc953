#pragma once
// The chart renderer: every chart of the program (pile loading, shear, moment, slope and deflection,
// the rebar cage interaction diagram, the earth pressure components, the waler charts and the surface
// settlement) drawn off-screen into up to eight pictures, with the pixel of every plotted point kept
// as a hit point so that a mouse position over a picture turns back into chart values.
//
// One renderer serves one use, like the chart window it feeds: create it, optionally switch it to
// print sizes, run one entry operation, then read the pictures and hit points (or show them in the
// "Graphs" window, GraphsDialog.h).
//
// Chart kinds: 0 all pile charts, 1 loading, 2 shear, 3 moment, 4 slope, 5 deflection, 6 rebar cage
// interaction, 7 all earth pressure components each in its own picture, 8 to 15 one component each
// (Strip, Uniform, Pore Water, Apparent Earth, Line Load, Point Load, Seismic, Total), 16 all
// components in one chart, 17 waler shear, moment and deflection of one level, 18 surface settlement.

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <bitset>
#include <cstdint>
#include <vector>

#include "drawing/Chart.h"
#include "model/KdClasses.h"

namespace vantrel {

using TChartKind = uint8_t;

// One data point as drawn in a picture: its pixel and its two chart values.
struct THitPoint {
    int X = 0;
    int Y = 0;
    double XValue = 0; // depth or distance (the axial load in the interaction chart)
    double YValue = 0; // the charted value
    bool operator==(const THitPoint&) const = default;
};
using TGrPointArr = std::vector<THitPoint>;
// One hit array per earth pressure component (Strip .. Total); element 0 also carries the
// settlement curve.
using TEPGrPoints = std::array<TGrPointArr, 8>;

// The first point within 5 pixels of (x, y) in both directions; false (outputs untouched) when none.
bool FindHitPoint(const TGrPointArr& points, int x, int y, double& xValue, double& yValue);

// Turns a picture a quarter turn counter-clockwise: source pixel (x, y) goes to (y, W - 1 - x), so the
// top row of the source becomes the left column of the result, read from the bottom up.
void RotateBitmap90(const QImage& source, QImage& dest);

// Copies every hit array with its pixels multiplied by factor and rounded, values unchanged.
TEPGrPoints ScaleHitPoints(const TEPGrPoints& source, double factor);

// Increments and vertical limits of a chart from the extents of its active series.
struct SeriesExtents {
    bool empty = true; // a series without points counts with 0 as its extremes
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};
struct AxisScaling {
    double horizIncrement = 0; // 0: the chart's own choice
    double vertIncrement = 0;
    double vertMin = 0, vertMax = 0;
};
// The horizontal increment of a range: 5 x 10^e times the nearest integer to v / 25 of the range
// normalised to 10..100 (v), 0 below v = 12.5.
double HorizontalIncrement(double rangeX);
// A fifth of the range, rounded to an integer; when that is 0 the maximum rounded to 2 decimals.
double VerticalIncrement(double rangeY, double maxY);
AxisScaling ComputeAxisScaling(const std::vector<SeriesExtents>& series);

// Where a window of the given frame must move to lie on the screen's available area.
QPoint KeepOnScreen(const QRect& frame, const QRect& screen);

// The text of the value under the mouse for the enlarged view of a chart picture: the earth pressure
// components when any array past the first holds points, else the settlement curve of array 0.
QString ChartZoomReadOut(const TEPGrPoints& hits, int x, int y);
// The read-out over an earth pressure picture: the eight components tested in order, the last one
// with a point there winning; empty without one.
QString PressureReadOut(const TEPGrPoints& hits, int x, int y);
// The read-out over a settlement picture; empty without a point there.
QString SettlementReadOut(const TGrPointArr& hits, int x, int y);

// What one rendered chart showed: kept for every render so that tests and reviewers can read the
// titles, scales, legend and value labels back.
struct RenderedChart {
    int kind = 0;
    int image = 0; // 1 .. 8
    QSize size;
    bool rotated = false;
    QString horizTitle, vertTitle;
    double horizIncrement = 0, vertIncrement = 0; // as set by the axis scaling
    double vertMin = 0, vertMax = 0;              // fixed limits of the vertical axis
    double drawnHorizMin = 0, drawnHorizMax = 0;  // limits as drawn
    double drawnVertMin = 0, drawnVertMax = 0;
    QStringList legend; // empty when the legend is hidden
    QStringList marks;  // value labels drawn after the chart
    std::vector<double> markValues;
    // Where the value labels and the tick labels of every axis landed on the chart as drawn
    // (before any quarter turn).
    std::vector<QRect> markBoxes, labelBoxes;
    QRect plot; // the back wall
};

class TGraphsRenderer {
  public:
    static constexpr int kImages = 8;
    static constexpr int kCellWidth = 200;
    static constexpr int kCellHeight = 357;
    static constexpr int kStatusBarHeight = 19;

    // One picture of the chart window. Pictures sit in a grid of 200 x 357 cells until a single
    // chart takes the whole window.
    struct Picture {
        QImage image;
        QSize size{kCellWidth, kCellHeight};
        bool visible = true;
        int row = 0, column = 0; // grid cell
    };

    TGraphsRenderer();
    // The chart's after-draw hook refers to its renderer: not copied.
    TGraphsRenderer(const TGraphsRenderer&) = delete;
    TGraphsRenderer& operator=(const TGraphsRenderer&) = delete;

    // Entry operations, one per renderer.
    void ShowPileGraphs(const TKdData& data, TChartKind kind);
    void ShowEarthPressures(const TKdData& data, TChartKind kind);
    void ShowWalerGraphs(const TKdData& data, TChartKind kind, int levelIndex);
    void ShowSettlement(const TKdData& data, TChartKind kind, bool forImage);
    // Print sizes (600 x 900 pictures, doubled fonts and lines, white): before the entry operation.
    void PrepareForPrint();
    // The panel colour of the charts (white for the main window's chart pages).
    void SetChartColor(TColor c) { chart_.color = c; }

    // Dest := the earth pressure hit arrays with their pixels multiplied by factor.
    void ScaleHitPoints(TEPGrPoints& dest, double factor) const;

    // The status bar text for the mouse at (x, y) over picture `image` (1 .. 8).
    QString ReadOut(int image, int x, int y) const;

    const Picture& GetPicture(int image) const { return pictures_[static_cast<size_t>(image - 1)]; }
    const QImage& Image(int image) const { return GetPicture(image).image; }
    bool GridVisible() const { return gridVisible_; }
    int GridColumns() const { return gridColumns_; }
    bool PrintMode() const { return printMode_; }
    // The pictures to show in order when the grid is hidden (top to bottom).
    std::vector<int> StackedPictures() const;

    const std::array<TGrPointArr, 7>& PileHits() const { return pileHits_; }
    const TEPGrPoints& PressureHits() const { return pressureHits_; }
    bool IsShown(int kind) const {
        return kind >= 0 && kind < 24 && shownKinds_.test(static_cast<size_t>(kind));
    }
    bool PressureMode() const { return pressureMode_; }
    bool Combined() const { return combined_; }

    chart::Chart& Chart1() { return chart_; }
    const chart::Chart& Chart1() const { return chart_; }
    chart::Series& SeriesN(int n) { return chart_[n - 1]; } // Series1 .. Series12
    const std::vector<RenderedChart>& RenderLog() const { return renderLog_; }

    // Fixed limits and increments from the active series (nullptr: top and right axes).
    void ScaleAxes(chart::Axis* horiz, chart::Axis* vert);

  private:
    const TKdData* data_ = nullptr;
    chart::Chart chart_;
    std::array<Picture, kImages> pictures_;
    bool gridVisible_ = true;
    int gridColumns_ = 4;
    bool printMode_ = false;
    bool pressureMode_ = false;
    bool combined_ = false;
    std::bitset<24> shownKinds_;
    std::array<TGrPointArr, 7> pileHits_;
    TEPGrPoints pressureHits_;
    std::array<int, 8> pressureSeries_{}; // series index of each earth pressure component
    int targetImage_ = 1;
    bool labelMinimum_ = false;
    bool labelMaximum_ = false;
    std::vector<RenderedChart> renderLog_;
    int renderingKind_ = 0;
    AxisScaling lastScaling_;
    std::vector<double> pendingMarks_;
    QStringList pendingMarkTexts_;
    std::vector<QRect> pendingMarkBoxes_;
    // The room across each axis (by AxisId) that its value labels took beyond the tick labels.
    std::array<int, 4> pendingMarkRoom_{};

    Picture& Pic(int image) { return pictures_[static_cast<size_t>(image - 1)]; }
    void HideAll();
    void EnlargeSingle(int image);
    void RenderChartToImage(int image, bool rotated);
    void CollectHitPoints(TGrPointArr& points, const chart::Series& s, bool replace, bool rotated) const;
    void Chart1AfterDraw(chart::AfterDraw& hook);
    void DrawAxisMarks(TCanvas& c, const chart::Axis& axis, bool atMaximum, double value);
    void SetUnitCaptions(const QString& vertTitle, const QString& horizTitle);
    void AddPressureCurve(int component, int image);
    void WalerChart(int image, TGrPointArr& hits, const QString& title, const std::vector<QPointF>& points);
};

// Constant tables of the charts.
extern const char* const PressureSeriesTitles[8];
// The settlement curves: distance ratio 0 to 2 in steps of 0.2, settlement in percent of the wall
// height (negative: down).
extern const double SettlementCurves[3][11];
int SettlementCurveOfSoil(int soilType);
// Settlement ordinate in in (English) or mm (SI) at tabulated value s percent for a wall of height h.
double SettlementOrdinate(double s, double h, bool si);
// The picture image (1 .. 8) of an earth pressure component kind (8 .. 15).
int PressureImage(int kind);

// The analysis nodes of every segment along the pile, in segment and node order.
std::vector<TAnchNode> CollectPileNodes(const TKdData& data);

// The waler chart point sequences of one level (x along the waler, chart value).
std::vector<QPointF> WalerShearPoints(const TWaler& w);
std::vector<QPointF> WalerMomentPoints(const TWaler& w);

} // namespace vantrel
