// The label search: obstacles, the row sweep and the choice of a place (see LabelPlacement.h).

#include "drawing/LabelPlacement.h"

#include "drawing/DiagramDraw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <tuple>

namespace vantrel {

namespace {

using Interval = std::pair<int, int>; // moves dx from first to second

// The label's box widened by the gap: what must not meet an obstacle.
struct Band {
    int Left, Right, Top, Bottom;
};

// std::floor and std::ceil to an int, without the library call where the value is well within
// an int's range (the searches take them in every row read of every slanting stroke).
int FloorInt(double v) {
    if (!(v > -1e9 && v < 1e9)) return int(std::floor(v));
    const int i = int(v);
    return i - (v < i);
}
int CeilInt(double v) {
    if (!(v > -1e9 && v < 1e9)) return int(std::ceil(v));
    const int i = int(v);
    return i + (v > i);
}

// The pixel nearest a coordinate well within a picture, as RoundPx gives it (ties to even, the
// default rounding), without the library call: the search along a line rounds every cell it tries.
int NearestPx(double v) {
    constexpr double kShift = 6755399441055744.0; // 1.5 * 2^52: the sum keeps no fraction
    return int((v + kShift) - kShift);
}

// Whether the segment from a0 to a1 meets the rectangle [x0, x1] x [y0, y1] of its frame.
bool SegmentMeets(QPointF a0, QPointF a1, double x0, double x1, double y0, double y1) {
    double t0 = 0, t1 = 1;
    bool within = true;
    for (const auto& [from, delta, lo, hi] :
         {std::tuple{a0.x(), a1.x() - a0.x(), x0, x1}, std::tuple{a0.y(), a1.y() - a0.y(), y0, y1}}) {
        if (std::abs(delta) < 1e-9) {
            within = within && from >= lo && from <= hi;
            continue;
        }
        double ta = (lo - from) / delta, tb = (hi - from) / delta;
        if (ta > tb) std::swap(ta, tb);
        t0 = std::max(t0, ta), t1 = std::min(t1, tb);
    }
    return within && t0 <= t1;
}

// One obstacle: in the rows of moves DyLo..DyHi it blocks the moves DxLo..DxHi, or, for a
// slanting stroke, the columns its pixels reach within the band of that row.
struct Obstacle {
    int DyLo, DyHi;
    int DxLo = 0, DxHi = 0;
    bool Slants = false;
    double Slope = 0; // columns per row of a slanting stroke
    // A slanting stroke measured for the band once: a point of its centre line, the band's rows
    // and columns.
    int X1 = 0, Y1 = 0, TopOff = 0, BottomOff = 0, LoOff = 0, HiOff = 0;
    double Across = 0; // the columns its pixels reach either side of the centre line in a row

    // `slope` and `across` as the stroke's span holds them.
    void SetStroke(const TSegmentRecord& s, const Band& b, double slope, double across) {
        Slants = true;
        Slope = slope;
        X1 = s.Line.x1(), Y1 = s.Line.y1();
        TopOff = b.Top, BottomOff = b.Bottom;
        LoOff = -b.Right, HiOff = -b.Left;
        Across = across;
    }
    Interval Blocked(int dy) const {
        if (!Slants) return {DxLo, DxHi};
        // The columns its centre line, drawn on beyond its ends, crosses in the band's rows, within
        // the columns the stroke spans: its round ends lie within both.
        double xa = X1 + (TopOff + dy - Y1) * Slope, xb = X1 + (BottomOff + dy - Y1) * Slope;
        if (xa > xb) std::swap(xa, xb);
        return {std::max(DxLo, FloorInt(xa - Across) + LoOff), std::min(DxHi, CeilInt(xb + Across) + HiOff)};
    }
};

// The steel of the picture's rows as runs of columns, each row read once when first needed.
class SteelRows {
  public:
    SteelRows(const TCanvas& picture, int x0, int x1) : Picture(picture), X0(std::max(0, x0)), X1(x1) {
        X1 = std::min(X1, picture.Width() - 1);
    }
    // Blocks the moves that bring the band, moved dy, onto the steel.
    void Block(const Band& b, int dy, std::vector<Interval>& blocked) {
        for (int y = std::max(0, b.Top + dy); y <= std::min(Picture.Height() - 1, b.Bottom + dy); ++y)
            for (const auto& [x0, x1] : Row(y))
                blocked.emplace_back(x0 - b.Right, x1 - b.Left);
    }

  private:
    const std::vector<Interval>& Row(int y) {
        if (Runs.empty()) Runs.resize(size_t(Picture.Height()));
        auto& runs = Runs[size_t(y)];
        if (runs) return *runs;
        runs.emplace();
        const QRgb steel = qRgb(RedOf(kSteel), GreenOf(kSteel), BlueOf(kSteel)) & 0xFFFFFF;
        const QRgb ties = qRgb(RedOf(kTies), GreenOf(kTies), BlueOf(kTies)) & 0xFFFFFF;
        const auto* line = Picture.ScanLine(y);
        for (int x = X0; x <= X1; ++x) {
            const QRgb c = line[x] & 0xFFFFFF;
            if (c != steel && c != ties) continue;
            if (!runs->empty() && runs->back().second == x - 1)
                runs->back().second = x;
            else
                runs->emplace_back(x, x);
        }
        return *runs;
    }
    const TCanvas& Picture;
    int X0, X1;
    std::vector<std::optional<std::vector<Interval>>> Runs;
};

// The free moves of a row nearest to dx0: dx0 itself when no interval holds it, else the free
// neighbours of the blocked run that does. The run begins as the intervals that hold dx0 and is
// grown by those of `blocked` that meet or touch it, until none is left that does; no sort is
// needed, and the intervals taken are dropped from `blocked`; `run` is left as grown.
void NearestFree(Interval& run, std::vector<Interval>& blocked, int dx0, int dxMin, int dxMax,
                 std::vector<int>& out) {
    out.clear();
    if (run.first > run.second) {
        out.push_back(dx0);
        return;
    }
    Interval* const v = blocked.data();
    size_t n = blocked.size();
    for (bool grown = true; grown;) {
        size_t kept = 0;
        for (size_t i = 0; i < n; ++i) {
            const Interval iv = v[i];
            if (iv.first <= run.second + 1 && iv.second >= run.first - 1)
                run = {std::min(run.first, iv.first), std::max(run.second, iv.second)};
            else
                v[kept++] = iv;
        }
        grown = kept != n;
        n = kept;
    }
    if (run.first - 1 >= dxMin) out.push_back(run.first - 1);
    if (run.second + 1 <= dxMax) out.push_back(run.second + 1);
}

// One direction of the row sweep. It takes the obstacles in the order they come into reach and
// drops those it has passed. A row across the same obstacles as the row read before it offers the
// same moves one row farther, and is passed over; so is a row whose only change is the slant of a
// stroke, until half a label height from the last row read (but for the `Fine` rows nearest no
// move, each read). Beyond `Far` rows from no move, where
// a label is led to its place anyway, rows are read at most every half label height: a narrow gap
// there may be missed, never one near.
class RowSweep {
  public:
    RowSweep(const std::vector<Obstacle>& obstacles, const std::vector<int>& order, std::vector<int>& active,
             bool down, int stride, int far, int fine)
        : All(obstacles), Order(order), Active(active), Down(down), Stride(stride), Far(far), Fine(fine) {
        Active.clear();
    }

    // Whether row dy may offer moves the row read before did not; when it does, the obstacles
    // passed are dropped and Blocked gives the moves of those left.
    bool Read(int dy, bool always) {
        bool changed = !Seen || always || (Slants && (std::abs(dy - Last) >= Stride || std::abs(dy) <= Fine));
        for (; Next < Order.size(); ++Next) {
            const int i = Order[Next];
            const Obstacle& o = All[size_t(i)];
            if (Down ? o.DyLo > dy : o.DyHi < dy) break;
            Active.push_back(i);
            SlantCount += o.Slants;
            Soonest = Down ? std::min(Soonest, o.DyHi) : std::max(Soonest, o.DyLo);
            changed = true;
        }
        if (Seen && (Down ? dy > Leaves : dy < Leaves)) changed = true;
        // Passed over with the same level obstacles as the row read before: its moves are blocked
        // as they were there.
        Same = Seen && !changed && !Slants;
        if (Seen && !always && std::abs(dy) > Far && std::abs(dy - Last) < Stride) changed = false;
        if (!changed) return false;
        Seen = true;
        Last = dy;
        // The obstacles are looked over only when one of them has been passed.
        if (Down ? Soonest < dy : Soonest > dy) {
            Soonest = Down ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
            size_t count = Active.size();
            for (size_t i = 0; i < count;) {
                const Obstacle& o = All[size_t(Active[i])];
                if (Down ? o.DyHi < dy : o.DyLo > dy) { // passed
                    SlantCount -= o.Slants;
                    Active[i] = Active[--count];
                    continue;
                }
                ++i;
                Soonest = Down ? std::min(Soonest, o.DyHi) : std::max(Soonest, o.DyLo);
            }
            Active.resize(count);
        }
        Slants = SlantCount > 0;
        Leaves = Soonest;
        return true;
    }

    // The moves the obstacles of the row last read block: those that hold dx0 joined in `run`
    // (none: first past last), the others put in `blocked`. False when one of them blocks every
    // move from `lo` to `hi` on its own (its moves are then the run); such an obstacle is likely to block the
    // next rows as well, and is asked first there.
    bool Blocked(int dy, int dx0, int lo, int hi, Interval& run, std::vector<Interval>& blocked) {
        if (Blocker >= 0 && !Passed(All[size_t(Blocker)], dy)) {
            const Interval iv = All[size_t(Blocker)].Blocked(dy);
            if (iv.first <= lo && iv.second >= hi) return run = iv, false;
        }
        const size_t count = Active.size();
        blocked.resize(count);
        const int* const active = Active.data();
        Interval* const out = blocked.data();
        size_t n = 0;
        run = {dx0, dx0 - 1};
        for (size_t i = 0; i < count; ++i) {
            const Interval iv = All[size_t(active[i])].Blocked(dy);
            if (iv.first <= lo && iv.second >= hi) {
                Blocker = active[i];
                run = iv;
                return false;
            }
            if (iv.first <= dx0 && iv.second >= dx0)
                run = {std::min(run.first, iv.first), std::max(run.second, iv.second)};
            else if (iv.first <= iv.second)
                out[n++] = iv;
        }
        blocked.resize(n);
        return true;
    }

    bool Same = false; // whether the row last passed over is blocked as the row last read
    // The run found blocked in the row last read by its obstacles, if any: it stays blocked while
    // they stay (a run remembered from other searches may owe to obstacles of theirs).
    Interval LastRun{1, 0};

  private:
    const std::vector<Obstacle>& All;
    const std::vector<int>& Order;
    std::vector<int>& Active; // the obstacles in reach of the row last read
    bool Down;
    int Stride;
    int Far;
    int Fine; // rows up to this far from no move are read one by one across slanting strokes
    // Whether row dy is beyond an obstacle.
    bool Passed(const Obstacle& o, int dy) const { return Down ? o.DyHi < dy : o.DyLo > dy; }
    size_t Next = 0;
    int SlantCount = 0; // of the active obstacles
    // The nearest row at which an active obstacle is passed.
    int Soonest = Down ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
    int Blocker = -1;    // the obstacle that last blocked a row whole
    int Leaves = 0;      // the nearest row at which an active obstacle is passed, as at the row last read
    bool Slants = false; // whether an active obstacle slants, as at the row last read
    bool Seen = false;
    int Last = 0; // the last row read
};

// Of moves equally far, the one met first walking square rings about no move, each ring's top
// row, bottom row, left column and right column in turn.
std::array<long long, 3> RingOrder(int dx, int dy) {
    const int r = std::max(std::abs(dx), std::abs(dy));
    const int side = dy == -r ? 0 : dy == r ? 1 : dx == -r ? 2 : 3;
    return {r, side, side < 2 ? dx : dy};
}

} // namespace

// The obstacles within reach of a box's moves, and the orders in which the sweeps down and up
// meet them. One is kept for all the searches of a thread, its buffers gathered anew each time.
struct TObstacles {
    std::vector<Obstacle> List;
    std::vector<int> Down, Up;
    // Buffers of the sweep, kept to spare the allocations.
    std::vector<int> ActiveDown, ActiveUp;
    std::vector<Interval> Blocked;
    std::vector<int> Free;

    void Gather(TLabelPlacement& p, const Band& b, int tag, const TMoves& m) {
        List.clear();
        auto add = [&](const QRect& r) {
            const Obstacle o{r.top() - b.Bottom, r.bottom() - b.Top, r.left() - b.Right, r.right() - b.Left};
            if (o.DyHi >= m.DyMin && o.DyLo <= m.DyMax && o.DxHi >= m.DxMin && o.DxLo <= m.DxMax)
                List.push_back(o);
        };
        for (const QRect& l : p.Labels)
            add(l);
        for (const QRect& k : p.Blocks)
            add(k);
        if (p.AvoidLines) {
            p.IndexStrokes();
            // The rows of the picture a stroke in reach meets.
            const int top = m.DyMin + b.Top, bottom = m.DyMax + b.Bottom;
            auto addStrokes = [&](const std::vector<int>& byTop, size_t from) {
                for (size_t k = from; k < byTop.size(); ++k) {
                    const int i = byTop[k];
                    const TLabelPlacement::Span& s = p.Spans[size_t(i)];
                    if (s.Top > bottom) break; // this and every later one below the rows searched
                    const int dxLo = s.Left - b.Right, dxHi = s.Right - b.Left;
                    if (s.Bottom < top || dxHi < m.DxMin || dxLo > m.DxMax) continue;
                    if (tag != 0 && s.Tag == tag) continue;
                    Obstacle& o = List.emplace_back(Obstacle{s.Top - b.Bottom, s.Bottom - b.Top, dxLo, dxHi});
                    if (s.Slants) o.SetStroke(p.Strokes[size_t(i)], b, s.Slope, s.Across);
                }
            };
            // A short stroke that begins more than its greatest height above the rows ends above
            // them too.
            const auto first = std::lower_bound(p.ShortTops.begin(), p.ShortTops.end(), top - p.kTall);
            addStrokes(p.ShortByTop, size_t(first - p.ShortTops.begin()));
            addStrokes(p.TallByTop, 0);
        }
        // Sorted as keys of one word each, the row in the high half (its sign bit flipped, so
        // that the words order as the rows do), the obstacle's index in the low one.
        const size_t n = List.size();
        Keys.resize(n);
        auto order = [&](std::vector<int>& out, auto row) {
            for (size_t i = 0; i < n; ++i)
                Keys[i] = (std::uint64_t(std::uint32_t(row(List[i])) ^ 0x80000000u) << 32) | i;
            std::sort(Keys.begin(), Keys.end());
            out.resize(n);
            for (size_t i = 0; i < n; ++i)
                out[i] = int(std::uint32_t(Keys[i]));
        };
        order(Down, [](const Obstacle& o) { return o.DyLo; });
        order(Up, [](const Obstacle& o) { return -o.DyHi; }); // the lowest first
    }
    std::vector<std::uint64_t> Keys;

    // Those of `from`, gathered over a range of moves that holds `m`, within reach of m: as Gather
    // over m would find them, in the same orders.
    void Take(const TObstacles& from, const TMoves& m) {
        List.clear();
        Down.clear();
        Up.clear();
        Sub.resize(from.List.size());
        auto inReach = [&](const Obstacle& o) {
            return o.DyHi >= m.DyMin && o.DyLo <= m.DyMax && o.DxHi >= m.DxMin && o.DxLo <= m.DxMax;
        };
        for (const int i : from.Down) {
            const Obstacle& o = from.List[size_t(i)];
            if (o.DyLo > m.DyMax) break; // this and every later one below the moves
            if (!inReach(o)) continue;
            Sub[size_t(i)] = int(List.size());
            Down.push_back(int(List.size()));
            List.push_back(o);
        }
        for (const int i : from.Up) {
            const Obstacle& o = from.List[size_t(i)];
            if (o.DyHi < m.DyMin) break; // this and every later one above the moves
            if (inReach(o)) Up.push_back(Sub[size_t(i)]);
        }
    }
    std::vector<int> Sub; // of each obstacle taken from, its index in List
};

TLabelPlacement::TLabelPlacement() = default;
TLabelPlacement::~TLabelPlacement() = default;
TLabelPlacement::TLabelPlacement(TLabelPlacement&&) noexcept = default;
TLabelPlacement& TLabelPlacement::operator=(TLabelPlacement&&) noexcept = default;

bool TLabelPlacement::Holds(const QRect& box, int tag, const TMoves& m) const {
    const auto& k = Prepared;
    return k.Obstacles && Matches(k.Key, box, tag) && k.Key.Blocks.size() == Blocks.size() &&
           m.DxMin >= k.Moves.DxMin && m.DxMax <= k.Moves.DxMax && m.DyMin >= k.Moves.DyMin &&
           m.DyMax <= k.Moves.DyMax;
}

void TLabelPlacement::Prepare(const QRect& box, int tag, const TMoves& m) {
    auto& k = Prepared;
    if (m.Empty() || Holds(box, tag, m)) return;
    if (!k.Obstacles) k.Obstacles = std::make_unique<TObstacles>();
    const Band band{box.left() - Gap, box.right() + Gap, box.top() - Gap, box.bottom() + Gap};
    k.Obstacles->Gather(*this, band, tag, m);
    k.Key = KeyFor(box, tag);
    k.Moves = m;
}

void TLabelPlacement::Clear() {
    Labels.clear();
    Blocks.clear();
    Strokes.clear();
    Spans.clear();
    ShortByTop.clear();
    ShortTops.clear();
    TallByTop.clear();
    AvoidLines = false;
    HasSteel = true;
    Memory = {};
    Prepared.Moves = TMoves{0, -1, 0, -1};
}

TLabelPlacement::RangeRows& TLabelPlacement::Remembered(const QRect& box, int tag, const TMoves& m) {
    auto& k = Memory;
    if (!Matches(k.Key, box, tag)) {
        k.Key = KeyFor(box, tag);
        k.Key.Blocks.clear();
        k.Ranges.clear();
        k.Runs.clear();
    }
    // The rows a block added since reaches are read again.
    for (size_t i = k.Key.Blocks.size(); i < Blocks.size(); ++i) {
        const QRect& r = Blocks[i];
        const int dyLo = r.top() - (box.bottom() + Gap), dyHi = r.bottom() - (box.top() - Gap);
        for (RangeRows& range : k.Ranges)
            for (int dy = std::max(dyLo, range.Moves.DyMin); dy <= std::min(dyHi, range.Moves.DyMax); ++dy)
                range.Rows[size_t(dy - range.Moves.DyMin)][0] = -1;
        k.Key.Blocks.push_back(r);
    }
    for (RangeRows& range : k.Ranges)
        if (range.Moves == m) return range;
    k.Ranges.push_back({m, std::vector<std::array<int, 3>>(size_t(m.DyMax - m.DyMin + 1), {-1, 0, 0})});
    return k.Ranges.back();
}

void TLabelPlacement::HoldRuns(const TMoves& m) {
    auto& k = Memory;
    const int from = k.Runs.empty() ? m.DyMin : std::min(k.RunsFrom, m.DyMin);
    const int to = k.Runs.empty() ? m.DyMax : std::max(k.RunsFrom + int(k.Runs.size()) - 1, m.DyMax);
    if (!k.Runs.empty() && from == k.RunsFrom && to == k.RunsFrom + int(k.Runs.size()) - 1) return;
    std::vector<std::pair<int, int>> runs(size_t(to - from + 1), {1, 0});
    std::copy(k.Runs.begin(), k.Runs.end(), runs.begin() + (k.RunsFrom - from));
    k.Runs = std::move(runs);
    k.RunsFrom = from;
}

void TLabelPlacement::IndexStrokes() {
    // The strokes are measured and sorted once for all the labels of a drawing; a leader drawn
    // since takes its place among them.
    for (size_t i = Spans.size(); i < Strokes.size(); ++i) {
        const QLine& l = Strokes[i].Line;
        const int pen = (Strokes[i].Width + 1) / 2;
        Span& s = Spans.emplace_back(Span{std::min(l.y1(), l.y2()) - pen, std::max(l.y1(), l.y2()) + pen,
                                          std::min(l.x1(), l.x2()) - pen, std::max(l.x1(), l.x2()) + pen,
                                          Strokes[i].Tag, l.dx() != 0 && l.dy() != 0, 0, 0});
        if (s.Slants) {
            s.Slope = double(l.dx()) / l.dy();
            // Its pixels lie within half the pen of the centre line, across it: along a row that
            // is the half pen by the secant of the slant (the columns are then rounded outward).
            s.Across = Strokes[i].Width / 2.0 * std::sqrt(1 + s.Slope * s.Slope);
        }
    }
    for (int i = int(ShortByTop.size() + TallByTop.size()); i < int(Strokes.size()); ++i) {
        const Span& s = Spans[size_t(i)];
        if (s.Bottom - s.Top > kTall) {
            const auto at = std::upper_bound(TallByTop.begin(), TallByTop.end(), s.Top,
                                             [&](int top, int k) { return top < Spans[size_t(k)].Top; });
            TallByTop.insert(at, i);
        } else {
            const auto at = std::upper_bound(ShortTops.begin(), ShortTops.end(), s.Top);
            ShortByTop.insert(ShortByTop.begin() + (at - ShortTops.begin()), i);
            ShortTops.insert(at, s.Top);
        }
    }
}

std::optional<QPoint> TLabelPlacement::NearestClear(const TCanvas& picture, const QRect& box, int tag,
                                                    const TMoves& m, bool any, long long limit) {
    if (m.Empty()) return std::nullopt;
    const Band band{box.left() - Gap, box.right() + Gap, box.top() - Gap, box.bottom() + Gap};
    const int dx0 = std::clamp(0, m.DxMin, m.DxMax);
    // What is gathered is kept for the searches of the same box within the same moves that follow
    // (a place found is tried again alone, a range within the last one searched).
    if (!Holds(box, tag, m)) Prepare(box, tag, m);
    static thread_local TObstacles taken;
    const bool whole = Prepared.Moves == m;
    if (!whole) taken.Take(*Prepared.Obstacles, m);
    TObstacles& obstacles = whole ? *Prepared.Obstacles : taken;
    SteelRows steel(picture, band.Left + m.DxMin, band.Right + m.DxMax);
    std::vector<Interval>& blocked = obstacles.Blocked;
    std::vector<int>& free = obstacles.Free;
    const int stride = std::max(2, box.height() / 2);
    const int far = 3 * box.height();
    // The steel is read from the picture, which changes as labels are drawn: its rows are not kept.
    RangeRows* const rows = HasSteel ? nullptr : &Remembered(box, tag, m);
    if (rows) HoldRuns(m);
    // A search about its place asked for (the ranges near what a label labels span a label height
    // or two) reads every row within a label height of it, where a gap beside a slanting stroke
    // would be missed; a wider one reads them a stride apart there as beyond.
    const int fine = m.DyMax - m.DyMin <= 4 * stride ? stride : 0;
    RowSweep down(obstacles.List, obstacles.Down, obstacles.ActiveDown, true, stride, far, fine),
        up(obstacles.List, obstacles.Up, obstacles.ActiveUp, false, stride, far, fine);
    // The rows are read outward from no move, down and up in turn, until no row left can hold a
    // nearer move than the best found: a move of row k is no nearer than dx0 in that row.
    long long best = -1;
    std::array<long long, 3> bestOrder{};
    std::optional<QPoint> shift;
    const int reach = std::max(std::abs(m.DyMin), std::abs(m.DyMax));
    const long long least = (long long)dx0 * dx0;
    // What is found blocked in a row is remembered, joined to what was if they meet.
    auto remember = [&](int dy, const Interval& run) {
        if (!rows || run.first > run.second) return;
        Interval& was = RememberedRun(dy);
        if (was.first <= was.second && run.first <= was.second + 1 && run.second >= was.first - 1)
            was = {std::min(was.first, run.first), std::max(was.second, run.second)};
        else
            was = run;
    };
    for (int k = 0; k <= reach && (best < 0 || least + (long long)k * k <= best) &&
                    (limit < 0 || least + (long long)k * k < limit);
         ++k)
        for (const int sign : {-1, 1}) {
            const int dy = sign * k;
            if (dy < m.DyMin || dy > m.DyMax || (k == 0 && sign > 0)) continue;
            RowSweep& sweep = dy >= 0 ? down : up;
            if (!sweep.Read(dy, HasSteel)) {
                if (sweep.Same) remember(dy, sweep.LastRun);
                continue;
            }
            sweep.LastRun = {1, 0};
            std::array<int, 3>* const known = rows ? &rows->Rows[size_t(dy - m.DyMin)] : nullptr;
            if (known && (*known)[0] >= 0) {
                free.assign(known->begin() + 1, known->begin() + 1 + (*known)[0]);
            } else {
                // The moves that could be nearer than the best found: the row offers none when
                // one obstacle blocks them all. Only a row read whole is remembered so.
                const bool whole = best < 0 && limit < 0;
                int lo = m.DxMin, hi = m.DxMax;
                if (best >= 0 || limit >= 0) {
                    long long room = std::numeric_limits<long long>::max();
                    if (best >= 0) room = best - (long long)dy * dy;
                    if (limit >= 0) room = std::min(room, limit - 1 - (long long)dy * dy);
                    long long r = (long long)std::sqrt(double(room));
                    while (r * r > room)
                        --r;
                    while ((r + 1) * (r + 1) <= room)
                        ++r;
                    lo = int(std::max<long long>(lo, -r)), hi = int(std::min<long long>(hi, r));
                }
                // A run found blocked before that holds every move wanted: none is free.
                if (known) {
                    const Interval& was = RememberedRun(dy);
                    if (was.first <= lo && was.second >= hi) {
                        if (whole) (*known)[0] = 0;
                        continue;
                    }
                }
                Interval run;
                if (!sweep.Blocked(dy, dx0, lo, hi, run, blocked)) {
                    sweep.LastRun = run;
                    remember(dy, run);
                    if (known && whole) (*known)[0] = 0;
                    continue;
                }
                if (HasSteel) {
                    // The steel's runs that hold dx0 join the run as well.
                    const size_t from = blocked.size();
                    steel.Block(band, dy, blocked);
                    auto held = [dx0](const Interval& iv) { return iv.first <= dx0 && iv.second >= dx0; };
                    for (size_t i = from; i < blocked.size(); ++i)
                        if (held(blocked[i]))
                            run = {std::min(run.first, blocked[i].first),
                                   std::max(run.second, blocked[i].second)};
                    blocked.erase(std::remove_if(blocked.begin() + long(from), blocked.end(), held),
                                  blocked.end());
                }
                NearestFree(run, blocked, dx0, m.DxMin, m.DxMax, free);
                sweep.LastRun = run;
                remember(dy, run);
                if (known) {
                    (*known)[0] = int(free.size());
                    std::copy(free.begin(), free.end(), known->begin() + 1);
                }
            }
            for (const int dx : free) {
                const long long d2 = (long long)dx * dx + (long long)dy * dy;
                const auto o = RingOrder(dx, dy);
                if ((limit < 0 || d2 < limit) && (best < 0 || d2 < best || (d2 == best && o < bestOrder)))
                    best = d2, bestOrder = o, shift = QPoint(dx, dy);
            }
            if (best == 0 || (any && shift)) return shift;
        }
    return shift;
}

QPoint TLabelPlacement::NearestClearWidening(const TCanvas& picture, const QRect& box, int tag,
                                             const TMoves& m) {
    const int whole = std::max({m.DxMax - m.DxMin, m.DyMax - m.DyMin, 1});
    const int dx0 = std::clamp(0, m.DxMin, m.DxMax);
    for (int half = 3 * (box.width() + box.height());; half *= 3) {
        const bool last = half >= whole;
        const TMoves square = last ? m : m.Within({dx0 - half, dx0 + half, -half, half});
        const auto found = NearestClear(picture, box, tag, square);
        if (found && (last || (long long)found->x() * found->x() + (long long)found->y() * found->y() <=
                                  (long long)half * half))
            return *found;
        if (last) return QPoint(dx0, std::clamp(0, m.DyMin, m.DyMax));
    }
}

std::vector<QRect> TAlongPlace::Pieces(double width, double height) const {
    const int pieces = std::max(1, int(std::ceil(width / height)));
    std::vector<QRect> cells;
    for (int i = 0; i < pieces; ++i) {
        const QPointF s = QPointF(Corner) + (width * i / pieces) * Along,
                      t = QPointF(Corner) + (width * (i + 1) / pieces) * Along;
        cells.push_back(QRectF(s, t)
                            .normalized()
                            .united(QRectF(s + height * Down, t + height * Down).normalized())
                            .toAlignedRect());
    }
    return cells;
}

std::optional<TAlongPlace> TLabelPlacement::AlongClear(const TCanvas& picture, QSize size,
                                                       const TAlongText& text, int tag) const {
    // The line from its left end; the text turned to its slope in whole degrees, its cell from the
    // corner `o` along `d` (its width) and `e` (its height, the text's downward direction).
    const QLine& line = text.Line;
    const QPointF p = line.x1() <= line.x2() ? line.p1() : line.p2();
    const QPointF q = line.x1() <= line.x2() ? line.p2() : line.p1();
    const double length = std::hypot(q.x() - p.x(), q.y() - p.y());
    const int degrees = int(std::lround(std::atan2(p.y() - q.y(), q.x() - p.x()) * 180 / std::numbers::pi));
    const double a = degrees * std::numbers::pi / 180;
    const QPointF d(std::cos(a), -std::sin(a)), e(std::sin(a), std::cos(a));
    const QPointF along((q.x() - p.x()) / length, (q.y() - p.y()) / length);
    const double w = text.Width, h = text.Height;
    const int unit = text.LineUnit;
    // A line unit of white from labels and blocks, a pixel more from lines; a pixel beyond the pen
    // of its own line, on whose side no white is asked for.
    const double gap = unit, margin = unit + 1;
    const double off = (unit + 1) / 2 + 1;
    const double lo = text.Arrow + margin, hi = length - text.Arrow - margin - w;
    if (hi < lo) return std::nullopt;
    // Whether the cell at corner o, grown by g, is clear of the upright rectangle rf (separating
    // axes: the upright ones first, as boxes, then the cell's own two).
    auto apart = [&](QPointF o, double g, const QRectF& rf) {
        const QPointF c[4] = {o - g * d - g * e, o + (w + g) * d - g * e, o + (w + g) * d + (h + g) * e,
                              o - g * d + (h + g) * e};
        double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
        for (const QPointF& k : c)
            x0 = std::min(x0, k.x()), x1 = std::max(x1, k.x()), y0 = std::min(y0, k.y()),
            y1 = std::max(y1, k.y());
        if (x1 <= rf.left() || rf.right() <= x0 || y1 <= rf.top() || rf.bottom() <= y0) return true;
        auto gapOn = [&](QPointF axis) {
            double a0 = 1e300, a1 = -1e300;
            for (const QPointF& k : c)
                a0 = std::min(a0, k.x() * axis.x() + k.y() * axis.y()),
                a1 = std::max(a1, k.x() * axis.x() + k.y() * axis.y());
            double b0 = 1e300, b1 = -1e300;
            for (const QPointF& k : {rf.topLeft(), rf.topRight(), rf.bottomLeft(), rf.bottomRight()})
                b0 = std::min(b0, k.x() * axis.x() + k.y() * axis.y()),
                b1 = std::max(b1, k.x() * axis.x() + k.y() * axis.y());
            return a1 <= b0 || b1 <= a0;
        };
        return gapOn(d) || gapOn(e);
    };
    // The strokes that may come near: those within reach of the line's box.
    const int reach = int(w + 2 * h) + 4 * unit;
    const QRect zone = QRect(p.toPoint(), q.toPoint()).normalized().adjusted(-reach, -reach, reach, reach);
    std::vector<const TSegmentRecord*> strokes;
    for (const TSegmentRecord& r : Strokes)
        if ((tag == 0 || r.Tag != tag) && LineMeetsRect(r.Line, zone)) strokes.push_back(&r);
    // So do the labels and blocks: every cell tried, grown by the gap, lies within the zone.
    std::vector<QRectF> taken;
    for (const std::vector<QRect>* rects : {&Blocks, &Labels})
        for (const QRect& r : *rects)
            if (r.intersects(zone)) taken.emplace_back(r.left(), r.top(), r.width(), r.height());
    // The cells are tried in bands: above the line, below it and across it. Of the labels, blocks
    // and strokes, a band asks only those that meet it, and first what stood in the way of the last
    // cell tried on either side of the middle of the stretch.
    const QPointF up(-e.x(), -e.y());
    const double step = std::max(2, unit);
    struct InWay {
        std::vector<QRectF> Taken;
        std::vector<const TSegmentRecord*> Strokes;
        size_t LastTaken[2] = {size_t(-1), size_t(-1)}, LastStroke[2] = {size_t(-1), size_t(-1)};
    };
    // The band of the cells whose corners lie `ua`..`ub` along the line and `sa`..`sb` up from it.
    auto inWay = [&](double ua, double ub, double sa, double sb) {
        // The band in the cells' frame from p: a corner rounded to a pixel moves less than one.
        double d0 = 1e300, d1 = -1e300, e0 = 1e300, e1 = -1e300;
        for (const double u : {ua, ub})
            for (const double sd : {sa, sb}) {
                const QPointF c = u * along + sd * up;
                const double cd = c.x() * d.x() + c.y() * d.y(), ce = c.x() * e.x() + c.y() * e.y();
                d0 = std::min(d0, cd), d1 = std::max(d1, cd), e0 = std::min(e0, ce), e1 = std::max(e1, ce);
            }
        d0 -= 1, d1 += w + 1, e0 -= 1, e1 += h + 1;
        auto frame = [&](QPointF k) {
            const QPointF c = k - p;
            return QPointF(c.x() * d.x() + c.y() * d.y(), c.x() * e.x() + c.y() * e.y());
        };
        InWay in;
        for (const QRectF& r : taken) {
            double a0 = 1e300, a1 = -1e300, b0 = 1e300, b1 = -1e300;
            for (const QPointF& k : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
                const QPointF c = frame(k);
                a0 = std::min(a0, c.x()), a1 = std::max(a1, c.x()), b0 = std::min(b0, c.y()),
                b1 = std::max(b1, c.y());
            }
            const double g = gap + 1;
            if (a1 >= d0 - g && a0 <= d1 + g && b1 >= e0 - g && b0 <= e1 + g) in.Taken.push_back(r);
        }
        for (const TSegmentRecord* r : strokes) {
            const double g = margin + r->Width / 2.0 + 1;
            const QPointF a0 = frame(r->Line.p1()), a1 = frame(r->Line.p2());
            if (SegmentMeets(a0, a1, d0 - g, d1 + g, e0 - g, e1 + g)) in.Strokes.push_back(r);
        }
        return in;
    };
    // `near`: the side of its own line, top (-1) or bottom (1) of the cell, and the margin there;
    // 0: the cell lies across its line, whose pixels it passes over.
    // `in`: its band; `way`: the side of the middle it lies on, the cells tried on either side in
    // turn.
    auto clear = [&](QPointF o, int near, double nearMargin, InWay& in, int way) {
        const QPointF c[4] = {o, o + w * d, o + w * d + h * e, o + h * e};
        double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
        for (const QPointF& k : c)
            x0 = std::min(x0, k.x()), x1 = std::max(x1, k.x()), y0 = std::min(y0, k.y()),
            y1 = std::max(y1, k.y());
        if (x0 < 0 || y0 < 0 || x1 > size.width() || y1 > size.height()) return false;
        // The strokes as drawn whole (a dashed line's gaps are no room), each widened by its pen:
        // clipped to the grown cell in its own frame.
        auto meets = [&](const TSegmentRecord& r) {
            const double g = margin + r.Width / 2.0;
            auto local = [&](QPoint k) {
                const QPointF c = QPointF(k) - o;
                return QPointF(c.x() * d.x() + c.y() * d.y(), c.x() * e.x() + c.y() * e.y());
            };
            const QPointF a0 = local(r.Line.p1()), a1 = local(r.Line.p2());
            return SegmentMeets(a0, a1, -g, w + g, -g, h + g);
        };
        // The cells tried on a side lie side by side: what stood in the last one's way is asked
        // first.
        size_t& t = in.LastTaken[way];
        size_t& k = in.LastStroke[way];
        if (t < in.Taken.size() && !apart(o, gap, in.Taken[t])) return false;
        if (k < in.Strokes.size() && meets(*in.Strokes[k])) return false;
        for (size_t i = 0; i < in.Taken.size(); ++i)
            if (!apart(o, gap, in.Taken[i])) return t = i, false;
        for (size_t i = 0; i < in.Strokes.size(); ++i)
            if (meets(*in.Strokes[i])) return k = i, false;
        // The pixels whose middle lies in the cell grown by the margin: white, or a hatch's lone
        // diagonal.
        const int top = std::max(0, int(std::floor(y0 - 2 * margin))),
                  bottom = std::min(size.height() - 1, int(std::ceil(y1 + 2 * margin)));
        for (int y = top; y <= bottom; ++y) {
            double from = -1e300, to = 1e300;
            // u = (x + 0.5 - o.x) * k.x + (y + 0.5 - o.y) * k.y within [-margin, extent + margin].
            for (const auto& [k, extent] : {std::pair{d, w}, std::pair{e, h}}) {
                const double rest = (y + 0.5 - o.y()) * k.y();
                const double before = k == e && near < 0 ? nearMargin : margin,
                             after = k == e && near > 0 ? nearMargin : margin;
                if (std::abs(k.x()) < 1e-9) {
                    if (rest < -before || rest > extent + after) from = 1e300;
                    continue;
                }
                double u0 = (-before - rest) / k.x() + o.x() - 0.5,
                       u1 = (extent + after - rest) / k.x() + o.x() - 0.5;
                if (u0 > u1) std::swap(u0, u1);
                from = std::max(from, u0), to = std::min(to, u1);
            }
            const int xa = std::max(0, int(std::ceil(from))),
                      xb = std::min(size.width() - 1, int(std::floor(to)));
            const QRgb* row = picture.ScanLine(y);
            for (int x = xa; x <= xb; ++x) {
                const TColor c = FromQRgb(row[x]);
                if (c == clWhite) continue;
                if (near == 0 &&
                    std::abs((x + 0.5 - p.x()) * along.y() - (y + 0.5 - p.y()) * along.x()) <= off)
                    continue;
                if ((c == kRetainedHatch || c == kExcavationHatch) && picture.Pixel(x - 1, y) != c &&
                    picture.Pixel(x + 1, y) != c && picture.Pixel(x, y - 1) != c &&
                    picture.Pixel(x, y + 1) != c)
                    continue;
                return false;
            }
        }
        return true;
    };
    // Nearest its line first, and there above it first; from the middle of its stretch outward.
    // It may stand off its line by less than its height.
    const double farthest = h - 1 - (unit + 1) / 2;
    if (off <= farthest) {
        InWay above = inWay(lo - 0.5, hi + 0.5, off + h, farthest + h),
              below = inWay(lo - 0.5, hi + 0.5, -farthest, -off);
        for (double v = off; v <= farthest; v += step)
            for (const double side : {v + h, -v})
                for (int k = 0; k <= int((hi - lo) / step) + 1; ++k) {
                    const double u = (lo + hi) / 2 + (k % 2 == 0 ? 1 : -1) * ((k + 1) / 2) * step;
                    if (u < lo - 0.5 || u > hi + 0.5) continue;
                    const QPointF exact = p + u * along + side * up;
                    const QPoint o(NearestPx(exact.x()), NearestPx(exact.y()));
                    if (clear(o, side > 0 ? 1 : -1, std::min(margin, v - off), side > 0 ? above : below,
                              k % 2))
                        return TAlongPlace{o, degrees, d, e};
                }
    }
    InWay across = inWay(lo - 0.5, hi + 0.5, h / 2, h / 2);
    for (int k = 0; k <= int((hi - lo) / step) + 1; ++k) {
        const double u = (lo + hi) / 2 + (k % 2 == 0 ? 1 : -1) * ((k + 1) / 2) * step;
        if (u < lo - 0.5 || u > hi + 0.5) continue;
        const QPointF exact = p + u * along + h / 2 * up;
        const QPoint o(NearestPx(exact.x()), NearestPx(exact.y()));
        if (clear(o, 0, margin, across, k % 2)) return TAlongPlace{o, degrees, d, e, true};
    }
    return std::nullopt;
}

} // namespace vantrel
