// Dense matrix routines: inversion by full-pivot Gauss-Jordan, product, vector conversions.

#include <gtest/gtest.h>

#include <cmath>

#include "model/MatrixCalc.h"

using namespace vantrel;
using namespace vantrel::MatrixCalc;

namespace {

void ExpectMatrixNear(const TMatrix& expected, const TMatrix& actual, long double tol, const char* what) {
    ASSERT_EQ(expected.size(), actual.size()) << what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(expected[i].size(), actual[i].size()) << what;
        for (std::size_t j = 0; j < expected[i].size(); ++j) {
            EXPECT_NEAR(static_cast<double>(expected[i][j]), static_cast<double>(actual[i][j]),
                        static_cast<double>(tol))
                << what << " at (" << i << ", " << j << ")";
        }
    }
}

TMatrix Identity(int n) {
    TMatrix m;
    NewMatrix(n, n, m);
    for (int i = 0; i < n; ++i)
        m[i][i] = 1.0L;
    return m;
}

// A x AInv must give the identity; this holds whatever the inverse's entries are.
void ExpectInverseMultipliesBack(const TMatrix& a, const TMatrix& aInv, long double tol, const char* what) {
    TMatrix product;
    ASSERT_TRUE(MultiplyMatrix(a, aInv, product)) << what;
    ExpectMatrixNear(Identity(static_cast<int>(a.size())), product, tol, what);
    ASSERT_TRUE(MultiplyMatrix(aInv, a, product)) << what;
    ExpectMatrixNear(Identity(static_cast<int>(a.size())), product, tol, what);
}

bool AllNaN(const TMatrix& m) {
    for (const TVector& row : m) {
        for (const Ext v : row) {
            if (!std::isnan(v)) return false;
        }
    }
    return true;
}

} // namespace

// Matrices whose inverse and determinant are known in closed form.
TEST(MatrixInvert, KnownInverses) {
    struct Case {
        const char* what;
        TMatrix a;
        TMatrix inverse;
        Ext det;
    };
    const Case cases[] = {
        {"identity 3x3", Identity(3), Identity(3), 1.0L},
        // Diagonal: reciprocals on the diagonal, det = 2 x 4.
        {"diagonal", {{2, 0}, {0, 4}}, {{0.5L, 0}, {0, 0.25L}}, 8.0L},
        // Permutation: its own inverse; the first pivot is the 1 at row 0, column 1, so both the
        // column interchange and its unscrambling are exercised. det = -1.
        {"permutation", {{0, 1}, {1, 0}}, {{0, 1}, {1, 0}}, -1.0L},
        // [[a, b], [c, d]]^-1 = [[d, -b], [-c, a]] / (ad - bc), ad - bc = -2; first pivot 4 sits at
        // (1, 1), so a row and a column interchange happen at once.
        {"general 2x2", {{1, 2}, {3, 4}}, {{-2, 1}, {1.5L, -0.5L}}, -2.0L},
        // Textbook 3x3 with an integer inverse (adjugate / det, det = 1).
        {"general 3x3", {{1, 2, 3}, {0, 1, 4}, {5, 6, 0}}, {{-24, 18, 5}, {20, -15, -4}, {-5, 4, 1}}, 1.0L},
        // Second-difference matrix tridiag(-1, 2, -1) of order 4, symmetric positive definite:
        // (K^-1)ij = min(i, j) (n + 1 - max(i, j)) / (n + 1) with 1-based i, j; det = n + 1 = 5.
        {"SPD 4x4",
         {{2, -1, 0, 0}, {-1, 2, -1, 0}, {0, -1, 2, -1}, {0, 0, -1, 2}},
         {{0.8L, 0.6L, 0.4L, 0.2L},
          {0.6L, 1.2L, 0.8L, 0.4L},
          {0.4L, 0.8L, 1.2L, 0.6L},
          {0.2L, 0.4L, 0.6L, 0.8L}},
         5.0L},
    };
    for (const Case& c : cases) {
        TMatrix inv;
        EXPECT_TRUE(InvertMatrix(c.a, inv)) << c.what;
        ExpectMatrixNear(c.inverse, inv, 1e-15L, c.what);
        ExpectInverseMultipliesBack(c.a, inv, 1e-15L, c.what);

        TMatrix inPlace = c.a;
        Ext det = 0;
        const int last = static_cast<int>(c.a.size()) - 1;
        EXPECT_TRUE(InvertInPlace(inPlace, 0, last, last, det)) << c.what;
        EXPECT_NEAR(static_cast<double>(c.det), static_cast<double>(det), 1e-14) << c.what;
    }
}

TEST(MatrixInvert, LeavesItsArgumentUnchanged) {
    const TMatrix a = {{1, 2}, {3, 4}};
    const TMatrix before = a;
    TMatrix inv;
    ASSERT_TRUE(InvertMatrix(a, inv));
    EXPECT_EQ(before, a);
}

// Stiffness of a chain of eight springs, the first tied to the ground: node i joins node i+1 by
// spring k(i+1), so K(i,i) = k(i) + k(i+1), K(i,i+1) = -k(i+1). Its inverse is the flexibility,
// F(i,j) = sum of 1/k(m) for m = 1..min(i,j) (a unit force at j stretches every spring between
// the ground and the lower of the two nodes). Stiffnesses spread over nine decades as the beam
// analysis mixes rotations and deflections.
TEST(MatrixInvert, SpringChainStiffnessGivesFlexibility) {
    const Ext k[8] = {1.0e6L, 2.5e3L, 40.0L, 7.0e4L, 0.5L, 3.0e2L, 1.2e5L, 8.0L};
    const int n = 8;
    TMatrix stiffness;
    NewMatrix(n, n, stiffness);
    for (int i = 0; i < n; ++i) {
        stiffness[i][i] = k[i] + (i + 1 < n ? k[i + 1] : 0.0L);
        if (i + 1 < n) stiffness[i][i + 1] = stiffness[i + 1][i] = -k[i + 1];
    }
    TMatrix flexibility;
    NewMatrix(n, n, flexibility);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            for (int m = 0; m <= std::min(i, j); ++m)
                flexibility[i][j] += 1.0L / k[m];
        }
    }

    // The condition number is about (1e6 / 0.5) x n^2, near 1e8; with extended roundoff of 1e-19
    // the entries are good to about 1e-11 relative.
    TMatrix inv;
    ASSERT_TRUE(InvertMatrix(stiffness, inv));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            EXPECT_NEAR(1.0, static_cast<double>(inv[i][j] / flexibility[i][j]), 1e-11) << i << ", " << j;
        }
    }
    ExpectInverseMultipliesBack(stiffness, inv, 1e-12L, "spring chain");
}

// The pivot test is relative to the matrix's own scale: a tiny but well-conditioned matrix inverts,
// a matrix singular on paper (or to within roundoff of extended precision) is reported.
TEST(MatrixInvert, PivotThresholdFollowsScale) {
    TMatrix inv;
    // 1e-30 I has the inverse 1e30 I.
    TMatrix tiny = Identity(3);
    for (int i = 0; i < 3; ++i)
        tiny[i][i] = 1e-30L;
    ASSERT_TRUE(InvertMatrix(tiny, inv));
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(1.0, static_cast<double>(inv[i][i] / 1e30L), 1e-15);

    // [[1, 1], [1, 1 + e]]^-1 = [[1 + e, -1], [-1, 1]] / e: condition number about 4 / e.
    const Ext e = 1e-10L;
    ASSERT_TRUE(InvertMatrix({{1, 1}, {1, 1 + e}}, inv));
    EXPECT_NEAR(1.0, static_cast<double>(inv[0][0] / ((1 + e) / e)), 1e-8);
    EXPECT_NEAR(1.0, static_cast<double>(inv[0][1] / (-1 / e)), 1e-8);
    EXPECT_NEAR(1.0, static_cast<double>(inv[1][1] / (1 / e)), 1e-8);
}

TEST(MatrixInvert, SingularOrInvalidMatrixIsReported) {
    struct Case {
        const char* what;
        TMatrix a;
    };
    const Case cases[] = {
        {"second row twice the first", {{1, 2}, {2, 4}}},
        {"zero matrix", {{0, 0}, {0, 0}}},
        {"third row the sum of the others", {{1, 2, 3}, {4, 5, 6}, {5, 7, 9}}},
        // Rank one up to a perturbation below extended-precision roundoff.
        {"numerically singular", {{1, 1}, {1, 1 + 1e-19L}}},
        {"undefined entry", {{1, 0}, {0, std::nanl("")}}},
        {"not square", {{1, 0, 0}, {0, 1, 0}}},
        {"ragged rows", {{1, 0}, {0}}},
    };
    for (const Case& c : cases) {
        TMatrix inv = {{7}};
        EXPECT_FALSE(InvertMatrix(c.a, inv)) << c.what;
        EXPECT_EQ(c.a.size(), inv.size()) << c.what;
        EXPECT_TRUE(AllNaN(inv)) << c.what;

        if (c.a.size() == c.a.front().size()) {
            TMatrix inPlace = c.a;
            Ext det = 1;
            const int last = static_cast<int>(c.a.size()) - 1;
            EXPECT_FALSE(InvertInPlace(inPlace, 0, last, last, det)) << c.what;
            EXPECT_TRUE(std::isnan(det)) << c.what;
        }
    }
}

// Columns beyond Hi are carried along by the row operations: [A | b] becomes [A^-1 | A^-1 b].
// 2x + y = 3, x + 3y = 5 has x = 0.8, y = 1.4 (Cramer: (9 - 5) / 5, (10 - 3) / 5).
TEST(MatrixInvert, AugmentedColumnsReceiveTheSolution) {
    TMatrix m = {{2, 1, 3}, {1, 3, 5}};
    Ext det = 0;
    ASSERT_TRUE(InvertInPlace(m, 0, 1, 2, det));
    EXPECT_NEAR(0.8, static_cast<double>(m[0][2]), 1e-15);
    EXPECT_NEAR(1.4, static_cast<double>(m[1][2]), 1e-15);
    EXPECT_NEAR(0.6, static_cast<double>(m[0][0]), 1e-15); // A^-1 = [[3, -1], [-1, 2]] / 5
    EXPECT_NEAR(-0.2, static_cast<double>(m[0][1]), 1e-15);
    EXPECT_NEAR(5.0, static_cast<double>(det), 1e-15);

    // Hi above HiCol: nothing to do, matrix and determinant untouched.
    TMatrix wide = {{1, 2}, {3, 4}, {5, 6}};
    const TMatrix before = wide;
    det = 42;
    EXPECT_TRUE(InvertInPlace(wide, 0, 2, 1, det));
    EXPECT_EQ(before, wide);
    EXPECT_EQ(42.0L, det);
}

TEST(MatrixProduct, ProductAndMismatch) {
    // [[1, 2, 3], [4, 5, 6]] x [[7, 8], [9, 10], [11, 12]] by hand:
    // 1*7 + 2*9 + 3*11 = 58, 1*8 + 2*10 + 3*12 = 64, 4*7 + 5*9 + 6*11 = 139, 4*8 + 5*10 + 6*12 = 154.
    const TMatrix a = {{1, 2, 3}, {4, 5, 6}};
    TMatrix c;
    ASSERT_TRUE(MultiplyMatrix(a, {{7, 8}, {9, 10}, {11, 12}}, c));
    EXPECT_EQ((TMatrix{{58, 64}, {139, 154}}), c);

    // 2x3 by 2x2: the inner sizes differ, C stays as it was.
    TMatrix untouched = {{-1}};
    EXPECT_FALSE(MultiplyMatrix(a, {{1, 0}, {0, 1}}, untouched));
    EXPECT_EQ((TMatrix{{-1}}), untouched);
}

TEST(MatrixVectors, ConversionsAndSum) {
    TMatrix m;
    NewMatrix(2, 3, m);
    EXPECT_EQ((TMatrix{{0, 0, 0}, {0, 0, 0}}), m);

    const TVector v = {1.5L, -2, 4};
    VectorToColumn(v, m);
    EXPECT_EQ((TMatrix{{1.5L}, {-2}, {4}}), m);

    TVector back;
    ColumnToVector(m, back);
    EXPECT_EQ(v, back);
    // A single row is taken as the vector itself.
    ColumnToVector({{1, 2, 3}}, back);
    EXPECT_EQ((TVector{1, 2, 3}), back);

    EXPECT_EQ(3.5L, SumVector(v));
    EXPECT_EQ(0.0L, SumVector({}));

    TMatrix copy;
    CopyMatrix(m, copy);
    copy[0][0] = 9;
    EXPECT_EQ(1.5L, m[0][0]);
}
