#pragma once
// A small chart of our own, drawn on the drawings' canvas (TCanvas, a QImage painted without
// antialiasing): line and point series on four axes,
// a white back wall on a coloured panel, an optional legend at the bottom and a hook that runs after
// the chart has drawn itself. It draws the engineering charts of the pile, the earth pressures, the
// walers and the settlement, and it keeps the scale of the last drawing so that every point can be
// turned into the pixel where it landed.
//
// Geometry is drawn aliased: a point's pixel position (XScreen, YScreen) is exactly where its line
// vertex and pointer are, so a hit point probed in the picture lands on its series' colour.
// Values that are not finite are never drawn, never counted in the extents and break the line.

#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "drawing/Canvas.h"

namespace vantrel::chart {

inline constexpr TColor clBtnFace = 0xF0F0F0; // the panel colour of a window on screen
inline constexpr TColor clFuchsia = 0xFF00FF;

enum class AxisId { Left = 0, Top = 1, Right = 2, Bottom = 3 };
inline bool IsHorizontal(AxisId a) {
    return a == AxisId::Top || a == AxisId::Bottom;
}

enum class PointerStyle { Rectangle, Circle, Triangle, DownTriangle, Cross, DiagCross, Star, Diamond };

struct Pointer {
    PointerStyle style = PointerStyle::Rectangle;
    int horizSize = 2; // half width in pixels: the pointer spans 2 x size + 1
    int vertSize = 2;  // half height
    bool visible = true;
    TColor brush = clNone; // clNone: the series colour
    int penWidth = 1;
};

struct Series {
    QString name;       // object name ("Series1")
    bool isLine = true; // line series; false: points only
    TColor color = clBlue;
    int lineWidth = 1;
    Pointer pointer;
    bool active = true;
    QString title;
    bool showInLegend = true;
    AxisId horizAxis = AxisId::Top;
    AxisId vertAxis = AxisId::Right;

    void Clear();
    // Adds a point keeping the X values ascending; a point whose X equals earlier ones goes after
    // them (stable), and a point with an undefined X goes to the end.
    void Add(double x, double y);
    int Count() const { return static_cast<int>(xs.size()); }
    double X(int i) const { return xs[static_cast<size_t>(i)]; }
    double Y(int i) const { return ys[static_cast<size_t>(i)]; }
    bool IsFinitePoint(int i) const;
    // Extremes over the finite points; nullopt when there is none.
    std::optional<std::pair<double, double>> XRange() const;
    std::optional<std::pair<double, double>> YRange() const;

  private:
    std::vector<double> xs, ys;
};

struct Axis {
    bool visible = true;
    bool inverted = false;
    bool automaticMinimum = true;
    bool automaticMaximum = true;
    double minimum = 0;
    double maximum = 0;
    double increment = 0; // 0: the chart chooses; more than 100 steps count as 0 too
    QString title;
    int labelAngle = 0;       // degrees counter-clockwise: 0, 90, 180 or 270
    int labelSize = 0;        // room for the labels across the axis in pixels; 0 automatic
    int labelFontHeight = 11; // character height of the labels in pixels
    int titleFontHeight = 11; // character height of the title in pixels
    TColor labelColor = clBlack;
    TPen tickPen{clGray, 1};
    TPen axisPen{clBlack, 1};
    int tickLength = 4;
    int outerMargin = 0; // extra room beyond the labels and the title, for marks drawn later

    // Sets fixed limits (automatic minimum and maximum off).
    void SetMinMax(double lo, double hi);
    TFont LabelFont() const;
    TFont TitleFont() const;

    // --- the scale of the last drawing (valid after Chart::Draw) ---
    bool drawn = false;  // shown in the last drawing
    double drawnMin = 0; // limits as drawn (equal fixed limits are widened by one unit each way)
    double drawnMax = 1;
    double drawnIncrement = 0;
    int startPos = 0; // pixel of the axis' start and end along its direction (left/right, bottom/top)
    int endPos = 0;
    int axisPos = 0;               // pixel of the axis line across its direction
    int labelPos = 0;              // where the labels begin, seen from the axis line
    int labelExtent = 0;           // room the labels take across the axis, beyond labelPos
    std::vector<QRect> labelBoxes; // where each tick label landed on the picture
    QRect titleBox;                // where the title landed (empty without one)
    // Pixel of value v along the axis (column for a horizontal axis, row for a vertical one).
    int CalcPos(double v) const;
};

// Where the after-draw hook draws: the canvas of the picture and the chart with its scale (axis
// label fonts, tick pens and label positions).
class Chart;
struct AfterDraw {
    TCanvas& canvas;
    const Chart& chart;
};

class Chart {
  public:
    Chart();

    Axis& GetAxis(AxisId id) { return axes_[static_cast<size_t>(id)]; }
    const Axis& GetAxis(AxisId id) const { return axes_[static_cast<size_t>(id)]; }
    static AxisId AxisOf(const Axis& axis, const Chart& chart);

    std::vector<Series> series;
    Series& operator[](int i) { return series[static_cast<size_t>(i)]; }

    TColor color = clBtnFace; // the panel around the back wall
    TColor backWall = clWhite;
    bool bevel = true;
    bool legendVisible = false;
    int legendFontHeight = 11;
    std::function<void(AfterDraw&)> afterDraw;
    // Extra room on each side of the back wall (indexed by AxisId: left, top, right, bottom) for
    // what the after-draw hook writes beyond the axes.
    std::array<int, 4> extraRoom{};

    // Draws the whole chart on the canvas (its size is the picture's size).
    void Draw(TCanvas& canvas);
    // Pixel of point i of a series after the last drawing.
    int XScreen(const Series& s, int i) const;
    int YScreen(const Series& s, int i) const;
    // Entries of the legend as drawn (titles of the active series shown in it).
    QStringList LegendTitles() const;

  private:
    std::array<Axis, 4> axes_;
    void ComputeLimits(Axis& axis, AxisId id) const;
    bool AxisInUse(AxisId id) const;
};

// The text of an axis label: up to `decimals` decimals, trailing zeros dropped, thousands grouped,
// in the separators of the locale ("1,250", "0.05", "-3"; "1.250", "0,05" where the decimal
// separator is a comma).
QString FormatAxisValue(double v, int decimals = 3);
// The decimals an axis needs to show every multiple of its step: at least three, more for a finer step
// (a step of 0.0002 shows four, one of 1e-9 nine), at most fifteen.
int StepDecimals(double step);
// The box a text covers on the picture when the canvas draws it at (x, y) in its current font
// (the top-left corner of the text cell, turned counter-clockwise by the font's angle about it).
QRect TextBox(const TCanvas& canvas, int x, int y, const QString& text);

} // namespace vantrel::chart
