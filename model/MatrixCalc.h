#pragma once
// Small dense linear algebra for the beam analysis of the pile: dynamic vectors and matrices of
// extended floats, inversion by Gauss-Jordan elimination with full pivoting, a product, and
// conversions between a vector and a one-column matrix. No state, no dependence on the project.

#include <vector>

#include "model/Numeric.h"

namespace vantrel {

using TVector = std::vector<Ext>;
using TIntVector = std::vector<int>;
using TMatrix = std::vector<TVector>;

namespace MatrixCalc {

// Rows x Cols zeros.
void NewMatrix(int rows, int cols, TMatrix& m);
// B becomes a deep copy of A (value semantics make this a plain copy).
void CopyMatrix(const TMatrix& a, TMatrix& b);
// M becomes Length(V) x 1.
void VectorToColumn(const TVector& v, TMatrix& m);
// One-row matrix: V becomes that row; otherwise V(i) = M(i, 0).
void ColumnToVector(const TMatrix& m, TVector& v);
Ext SumVector(const TVector& v);
// C = A x B. Returns false (C untouched) when the column count of A differs from the row count of B.
bool MultiplyMatrix(const TMatrix& a, const TMatrix& b, TMatrix& c);
// AInv = inverse of A. Returns false when A is singular or ill-conditioned (a zero or
// near-zero pivot); AInv is then filled with NaN so that nothing downstream passes as valid.
bool InvertMatrix(const TMatrix& a, TMatrix& aInv);
// In-place inversion over rows lo..hi and columns lo..hiCol, determinant in det. Returns false
// (and stops) at a zero or near-zero pivot; returns true without work when hi > hiCol.
bool InvertInPlace(TMatrix& m, int lo, int hi, int hiCol, Ext& det);
// Work arrays of the inversion, kept by a caller that inverts again and again so that the
// inversion allocates nothing once they have grown to the largest order.
struct TInversionScratch {
    TIntVector PivotRow, PivotCol;
    TVector Factor;
};
bool InvertInPlace(TMatrix& m, int lo, int hi, int hiCol, Ext& det, TInversionScratch& scratch);
void SwapExtended(Ext& a, Ext& b);

} // namespace MatrixCalc
} // namespace vantrel
