// Where the labels of a drawing go. A label asks for a place; it is set there when that place is
// clear, else at the nearest place that is: a line unit of white from every label set before it,
// off the blocks (the pile) and the steel, off every stroke that is not its own, and whole inside
// the picture.
//
// The search works on moves (dx, dy) of the label's box, in three steps a reader takes one at a
// time:
//   - obstacles: every label, block and stroke within reach blocks, in each row of moves dy, one
//     interval of moves dx (those that bring the box onto it);
//   - the row sweep: the rows of moves are read outward from no move, down and up in turn; each
//     direction takes the obstacles in the order they come into reach and drops those it passed;
//   - the choice: in every row read, the free move nearest to none is a candidate, and the
//     nearest candidate of all rows is the place; a row where one obstacle alone blocks every
//     move nearer than the best found offers none and is passed at once;
//   - the memory: a label searched again over the same range, with only a block added (a place
//     given up), finds each row's free moves as before except in the rows the block reaches, and
//     reads only those again; and a run of moves found blocked in a row stays blocked for the
//     label's later searches over any range, so a row whose wanted moves all lie in it is not
//     read again.
#pragma once

#include "drawing/Canvas.h"

#include <QLine>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vantrel {

struct TObstacles;

// A range of moves of a label's box.
struct TMoves {
    int DxMin = 0, DxMax = 0, DyMin = 0, DyMax = 0;
    bool Empty() const { return DxMin > DxMax || DyMin > DyMax; }
    bool operator==(const TMoves&) const = default;
    TMoves Within(const TMoves& o) const {
        return {std::max(DxMin, o.DxMin), std::min(DxMax, o.DxMax), std::max(DyMin, o.DyMin),
                std::min(DyMax, o.DyMax)};
    }
    // The moves that keep `box` within `distance` of `target` (its edges no farther apart).
    static TMoves Near(const QRect& box, const QRect& target, int distance) {
        return {target.left() - distance - box.right(), target.right() + distance - box.left(),
                target.top() - distance - box.bottom(), target.bottom() + distance - box.top()};
    }
    // The moves that keep `box` whole inside a picture of `size`; a box too large for it keeps its
    // top-left corner in.
    static TMoves Inside(const QRect& box, QSize size) {
        const int dxMin = -box.left(), dyMin = -box.top();
        return {dxMin, std::max(dxMin, size.width() - 1 - box.right()), dyMin,
                std::max(dyMin, size.height() - 1 - box.bottom())};
    }
};

// A text to be written along a slanting line.
struct TAlongText {
    QLine Line;        // the line, either end first
    double Width = 0;  // the text's advance
    double Height = 0; // and its height
    int LineUnit = 1;  // the drawing's line unit: the white kept about the text
    int Arrow = 0;     // the arrows' length at the line's ends, kept clear
};

// Where a text written along a line stands: its cell's corner (where the turned text is drawn),
// its turn in degrees, and the cell's unit directions along its width and down its height.
// `Breaks`: the cell lies across the line, which is broken under it.
struct TAlongPlace {
    QPoint Corner;
    int Degrees = 0;
    QPointF Along, Down;
    bool Breaks = false;
    // The upright boxes that hold its cell of `width` by `height`, a piece a height long each:
    // what later labels keep clear of.
    std::vector<QRect> Pieces(double width, double height) const;
};

class TLabelPlacement {
  public:
    std::vector<QRect> Labels;           // the glyph boxes of the labels set so far
    std::vector<QRect> Blocks;           // what labels keep clear of besides labels and steel (the pile)
    std::vector<TSegmentRecord> Strokes; // the strokes drawn so far, while AvoidLines
    bool AvoidLines = false;
    bool HasSteel = true; // false: the drawing has no steel colour, its pixels need no reading
    int Gap = 1;          // the white kept between a label and its neighbours

    TLabelPlacement();
    ~TLabelPlacement();
    TLabelPlacement(TLabelPlacement&&) noexcept;
    TLabelPlacement& operator=(TLabelPlacement&&) noexcept;

    void Clear();
    // Gathers what stands within reach of `box` moved within `moves`, once for the searches of the
    // same box over ranges within them that follow while nothing is added: each takes its own
    // from those, in the order they were gathered.
    void Prepare(const QRect& box, int tag, const TMoves& moves);
    // The clear move nearest to none among `moves`, if any; `picture` is read for the steel. With
    // `any`, the first clear move found: whether there is one. With a `limit`, only the moves whose
    // squared length is less are wanted: a search that has found one as near elsewhere reads no
    // row beyond it.
    std::optional<QPoint> NearestClear(const TCanvas& picture, const QRect& box, int tag, const TMoves& moves,
                                       bool any = false, long long limit = -1);
    // The same, searched first within a square about no move a few labels wide, then within squares
    // three times as wide until the square holds every move: a place found no farther than a
    // square's half-width needs no wider search. No move is clear: the least move into `moves`.
    QPoint NearestClearWidening(const TCanvas& picture, const QRect& box, int tag, const TMoves& moves);

    // A text written along a slanting line, turned to its slope in whole degrees so that it reads
    // from left to right: where its turned cell is clear of every label, block and stroke (those
    // tagged `tag` aside), of every drawn pixel but a hatch's lone diagonal, and whole inside a
    // picture of `size`. Searched a line unit beside the line, nearest it first and there above
    // it first, from the middle of its stretch between the arrows outward; where no side has
    // room, across the line in a break of it, where the band about the line is narrower.
    std::optional<TAlongPlace> AlongClear(const TCanvas& picture, QSize size, const TAlongText& text,
                                          int tag) const;

  private:
    // The rows and columns a stroke covers, its pen included; its tag, and of a slanting one the
    // columns per row and the columns its pixels reach either side of its centre line in a row.
    struct Span {
        int Top, Bottom, Left, Right;
        int Tag;
        bool Slants;
        double Slope, Across;
    };
    std::vector<Span> Spans;
    // The strokes by their top row: those no taller than kTall rows, with their top rows, and the
    // taller ones (the few long plumb and slanting lines).
    static constexpr int kTall = 48;
    std::vector<int> ShortByTop, ShortTops, TallByTop;
    // Measures and sorts the strokes drawn since the last search.
    void IndexStrokes();

    // What the searches for one label remember of the rows they read: for each range of moves
    // searched, the free moves found in each row. They are kept while the labels and strokes stay
    // as they are; a block added since changes the rows it reaches, and those are read again.
    struct RangeRows {
        TMoves Moves;
        std::vector<std::array<int, 3>> Rows; // from row DyMin on: how many moves (-1: not read), the moves
    };
    // What a search's kept work was read from: the box and tag searched, the gap, whether lines
    // were avoided, how many labels and strokes there were, and the blocks.
    struct StateKey {
        QRect Box;
        int Tag = 0, Gap = 0;
        bool AvoidLines = false;
        size_t Labels = 0, Strokes = 0;
        std::vector<QRect> Blocks;
    };
    // `box` and `tag` as things stand now.
    StateKey KeyFor(const QRect& box, int tag) const {
        return {box, tag, Gap, AvoidLines, Labels.size(), Strokes.size(), Blocks};
    }
    // Whether `k` was read for `box` and `tag` as things stand, but for blocks added since.
    bool Matches(const StateKey& k, const QRect& box, int tag) const {
        return k.Box == box && k.Tag == tag && k.Gap == Gap && k.AvoidLines == AvoidLines &&
               k.Labels == Labels.size() && k.Strokes == Strokes.size() && k.Blocks.size() <= Blocks.size() &&
               std::equal(k.Blocks.begin(), k.Blocks.end(), Blocks.begin());
    }
    struct {
        StateKey Key;
        std::vector<RangeRows> Ranges;
        // Of each row of moves from RunsFrom on, a run of moves dx found blocked in it (none:
        // first past last): whatever range is searched later, a row whose moves wanted all lie
        // in its run offers none of them.
        std::vector<std::pair<int, int>> Runs;
        int RunsFrom = 0;
    } Memory;
    // The rows remembered for `box` searched over `moves`, the others forgotten when what they
    // were read from has changed.
    RangeRows& Remembered(const QRect& box, int tag, const TMoves& moves);
    // The run remembered for row dy, to be read or set: its rows from DyMin to DyMax are held.
    std::pair<int, int>& RememberedRun(int dy) { return Memory.Runs[size_t(dy - Memory.RunsFrom)]; }
    void HoldRuns(const TMoves& moves);
    // What Prepare gathered, and for what: a search of the box over moves within Moves takes its
    // obstacles from it while the labels, blocks and strokes stay as they were.
    struct {
        StateKey Key;
        TMoves Moves{0, -1, 0, -1};
        std::unique_ptr<TObstacles> Obstacles;
    } Prepared;
    bool Holds(const QRect& box, int tag, const TMoves& moves) const;
    friend struct TObstacles;
};

} // namespace vantrel
