// Dense linear algebra of the beam analysis: Gauss-Jordan inversion with full pivoting.

#include "model/MatrixCalc.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <utility>

namespace vantrel::MatrixCalc {

namespace {

// A pivot is treated as zero when it is not larger than this many units of roundoff of the
// matrix's own scale (its largest element), times its order. A matrix that is singular on paper
// leaves, after elimination in extended precision, pivots of about n * eps * scale; 1000 such
// units keep clear of that noise while still accepting every system whose condition number stays
// below roughly 1e16 / n, i.e. everything that can still be reported to double precision.
constexpr Ext kPivotRoundoffUnits = 1000.0L;

// True when every row of m has the length of its first row.
bool IsRectangular(const TMatrix& m) {
    return std::all_of(m.begin(), m.end(),
                       [&](const TVector& row) { return row.size() == m.front().size(); });
}

std::size_t ColumnCount(const TMatrix& m) {
    return m.empty() ? 0 : m.front().size();
}

void SwapRows(TMatrix& m, int r1, int r2, int lo, int hiCol) {
    for (int j = lo; j <= hiCol; ++j)
        SwapExtended(m[r1][j], m[r2][j]);
}

void SwapColumns(TMatrix& m, int c1, int c2, int lo, int hi) {
    for (int i = lo; i <= hi; ++i)
        SwapExtended(m[i][c1], m[i][c2]);
}

} // namespace

void NewMatrix(int rows, int cols, TMatrix& m) {
    // Rows already there keep their storage.
    m.resize(static_cast<std::size_t>(std::max(rows, 0)));
    for (TVector& row : m)
        row.assign(static_cast<std::size_t>(std::max(cols, 0)), 0.0L);
}

void CopyMatrix(const TMatrix& a, TMatrix& b) {
    b = a;
}

void VectorToColumn(const TVector& v, TMatrix& m) {
    m.assign(v.size(), TVector(1, 0.0L));
    for (std::size_t i = 0; i < v.size(); ++i)
        m[i][0] = v[i];
}

void ColumnToVector(const TMatrix& m, TVector& v) {
    if (m.size() == 1) {
        v = m.front();
        return;
    }
    v.assign(m.size(), 0.0L);
    for (std::size_t i = 0; i < m.size(); ++i)
        v[i] = m[i].empty() ? kNaN : m[i][0];
}

Ext SumVector(const TVector& v) {
    Ext sum = 0.0L;
    for (const Ext x : v)
        sum += x;
    return sum;
}

bool MultiplyMatrix(const TMatrix& a, const TMatrix& b, TMatrix& c) {
    const std::size_t inner = ColumnCount(a);
    if (inner != b.size() || !IsRectangular(a) || !IsRectangular(b)) return false;
    const std::size_t cols = ColumnCount(b);
    TMatrix product(a.size(), TVector(cols, 0.0L));
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (std::size_t j = 0; j < cols; ++j) {
            for (std::size_t k = 0; k < inner; ++k)
                product[i][j] += a[i][k] * b[k][j];
        }
    }
    c = std::move(product);
    return true;
}

bool InvertMatrix(const TMatrix& a, TMatrix& aInv) {
    TMatrix work = a;
    const int n = static_cast<int>(a.size());
    Ext det = 0.0L;
    const bool square = IsRectangular(a) && ColumnCount(a) == a.size();
    if (square && InvertInPlace(work, 0, n - 1, n - 1, det)) {
        aInv = std::move(work);
        return true;
    }
    for (TVector& row : work)
        std::fill(row.begin(), row.end(), kNaN);
    aInv = std::move(work);
    return false;
}

bool InvertInPlace(TMatrix& m, int lo, int hi, int hiCol, Ext& det) {
    TInversionScratch scratch;
    return InvertInPlace(m, lo, hi, hiCol, det, scratch);
}

bool InvertInPlace(TMatrix& m, int lo, int hi, int hiCol, Ext& det, TInversionScratch& scratch) {
    if (hi > hiCol) return true;
    det = kNaN;
    // Every row of the block must reach column hiCol.
    if (lo < 0 || hi >= static_cast<int>(m.size())) return false;
    for (int i = lo; i <= hi; ++i) {
        if (static_cast<int>(m[i].size()) <= hiCol) return false;
    }
    if (hi < lo) {
        det = 1.0L;
        return true;
    }

    Ext scale = 0.0L;
    for (int i = lo; i <= hi; ++i) {
        for (int j = lo; j <= hi; ++j)
            scale = MaxOf(scale, std::fabs(m[i][j]));
    }
    if (!IsFinite(scale)) return false;
    const Ext tolerance =
        kPivotRoundoffUnits * static_cast<Ext>(hi - lo + 1) * std::numeric_limits<Ext>::epsilon() * scale;

    const auto count = static_cast<std::size_t>(hi + 1);
    TIntVector& pivotRow = scratch.PivotRow;
    TIntVector& pivotCol = scratch.PivotCol;
    TVector& factor = scratch.Factor;
    pivotRow.assign(count, 0);
    pivotCol.assign(count, 0);
    factor.assign(count, 0.0L);
    det = 1.0L;

    for (int k = lo; k <= hi; ++k) {
        // Full pivot search over the remaining block; a strictly larger magnitude wins, so a tie
        // keeps the first element in row-major order.
        int pr = k;
        int pc = k;
        Ext pivot = m[k][k];
        for (int i = k; i <= hi; ++i) {
            for (int j = k; j <= hi; ++j) {
                if (std::fabs(m[i][j]) > std::fabs(pivot)) {
                    pivot = m[i][j];
                    pr = i;
                    pc = j;
                }
            }
        }
        pivotRow[k] = pr;
        pivotCol[k] = pc;
        if (!IsFinite(pivot) || std::fabs(pivot) <= tolerance) {
            det = kNaN;
            return false;
        }

        det *= pivot;
        if (pr != k) {
            det = -det;
            SwapRows(m, k, pr, lo, hiCol);
        }
        if (pc != k) {
            det = -det;
            SwapColumns(m, k, pc, lo, hi);
        }

        for (int i = lo; i <= hi; ++i) {
            if (i == k) {
                factor[i] = 0.0L;
                m[k][k] = 1.0L;
            } else {
                factor[i] = m[i][k];
                m[i][k] = 0.0L;
            }
        }
        const Ext reciprocal = 1.0L / pivot;
        for (int j = lo; j <= hiCol; ++j)
            m[k][j] *= reciprocal;
        for (int i = lo; i <= hi; ++i) {
            if (i == k) continue;
            for (int j = lo; j <= hiCol; ++j)
                m[i][j] -= factor[i] * m[k][j];
        }
    }

    // A column interchange of the matrix is a row interchange of its inverse and vice versa;
    // undo them in reverse order of the steps.
    for (int k = hi; k >= lo; --k) {
        if (pivotCol[k] != k) SwapRows(m, k, pivotCol[k], lo, hiCol);
    }
    for (int k = hi; k >= lo; --k) {
        if (pivotRow[k] != k) SwapColumns(m, k, pivotRow[k], lo, hi);
    }
    return true;
}

void SwapExtended(Ext& a, Ext& b) {
    std::swap(a, b);
}

} // namespace vantrel::MatrixCalc
