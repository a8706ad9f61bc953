#pragma once
// Exact solution of a continuous beam with a free overhang at its top, written independently of
// the model to check the beam analysis of the pile.
//
// The beam runs from depth 0 (free end) to its last support; pinned supports at the given depths.
// The load is piecewise linear through the given points (two points at one depth make a step).
// Support moments come from the three-moment equation (Clapeyron) with the overhang moment as the
// moment over the first support; the simple-span end rotations it needs are integrated exactly
// (3-point Gauss-Legendre on every piece between breakpoints is exact for the quartic integrands).
//
// Conventions, matching the values the pile analysis reports: the load acts in +v; reactions are
// positive against the load; shear V(x) = integral of the load above x less the reactions above x;
// moment M(x) = integral of V (positive over the supports, i.e. minus the sagging moment);
// EI v'' = M; deflection v and slope v' in the direction of the load.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace beamcheck {

using Real = long double;

struct LoadPoint {
    Real x; // depth
    Real w; // load per unit depth
};

class ContinuousBeam {
  public:
    ContinuousBeam(std::vector<Real> supports, std::vector<LoadPoint> load, Real ei)
        : s_(std::move(supports)), load_(std::move(load)), ei_(ei) {
        breaks_.push_back(0.0L);
        for (const LoadPoint& p : load_)
            breaks_.push_back(p.x);
        for (Real x : s_)
            breaks_.push_back(x);
        std::sort(breaks_.begin(), breaks_.end());
        Solve();
    }

    const std::vector<Real>& Reactions() const { return reactions_; }

    // Integral of the load over [a, b].
    Real LoadArea(Real a, Real b) const {
        return LoadIntegral(a, b, [](Real) { return 1.0L; });
    }

    Real Shear(Real x, bool belowSupport) const {
        Real v = LoadArea(0.0L, x);
        for (std::size_t j = 0; j < s_.size(); ++j) {
            if (s_[j] < x || (belowSupport && s_[j] == x)) v -= reactions_[j];
        }
        return v;
    }

    Real Moment(Real x) const {
        Real m = LoadIntegral(0.0L, x, [x](Real t) { return x - t; });
        for (std::size_t j = 0; j < s_.size(); ++j) {
            if (s_[j] < x) m -= reactions_[j] * (x - s_[j]);
        }
        return m;
    }

    Real Slope(Real x) const {
        if (x < s_.front())
            return Slope(s_.front()) - Integrate(x, s_.front(), [&](Real t) { return Moment(t); }) / ei_;
        const auto span = SpanAround(x);
        const Real a = span.first, b = span.second;
        const Real len = b - a;
        const Real chord = Integrate(a, b, [&](Real t) { return (b - t) * Moment(t); }) / len;
        return (Integrate(a, x, [&](Real t) { return Moment(t); }) - chord) / ei_;
    }

    Real Deflection(Real x) const {
        if (x < s_.front()) {
            const Real x0 = s_.front();
            return -Slope(x0) * (x0 - x) +
                   Integrate(x, x0, [&](Real t) { return (t - x) * Moment(t); }) / ei_;
        }
        const auto span = SpanAround(x);
        const Real a = span.first, b = span.second;
        const Real len = b - a;
        const Real chord = Integrate(a, b, [&](Real t) { return (b - t) * Moment(t); }) / len;
        return (Integrate(a, x, [&](Real t) { return (x - t) * Moment(t); }) - (x - a) * chord) / ei_;
    }

  private:
    Real LoadAt(std::size_t piece, Real x) const {
        const LoadPoint& p = load_[piece];
        const LoadPoint& q = load_[piece + 1];
        return p.w + (q.w - p.w) * (x - p.x) / (q.x - p.x);
    }

    // Integral of w(t) g(t) over [a, b] for a weight g linear in t (exact: the product is quadratic
    // on every load piece, and Simpson's rule integrates it exactly).
    Real LoadIntegral(Real a, Real b, const std::function<Real(Real)>& g) const {
        Real sum = 0.0L;
        for (std::size_t i = 0; i + 1 < load_.size(); ++i) {
            const Real lo = std::max(a, load_[i].x);
            const Real hi = std::min(b, load_[i + 1].x);
            if (!(hi > lo)) continue;
            const Real mid = (lo + hi) / 2.0L;
            sum += (hi - lo) / 6.0L *
                   (LoadAt(i, lo) * g(lo) + 4.0L * LoadAt(i, mid) * g(mid) + LoadAt(i, hi) * g(hi));
        }
        return sum;
    }

    // Integral of f over [a, b], 3-point Gauss-Legendre on every piece between breakpoints.
    Real Integrate(Real a, Real b, const std::function<Real(Real)>& f) const {
        static const std::array<Real, 3> node = {-0.774596669241483377035853079956L, 0.0L,
                                                 0.774596669241483377035853079956L};
        static const std::array<Real, 3> weight = {5.0L / 9.0L, 8.0L / 9.0L, 5.0L / 9.0L};
        std::vector<Real> cuts{a};
        for (Real x : breaks_) {
            if (x > a && x < b) cuts.push_back(x);
        }
        cuts.push_back(b);
        Real sum = 0.0L;
        for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
            const Real half = (cuts[i + 1] - cuts[i]) / 2.0L;
            const Real mid = (cuts[i + 1] + cuts[i]) / 2.0L;
            for (int k = 0; k < 3; ++k)
                sum += half * weight[k] * f(mid + half * node[k]);
        }
        return sum;
    }

    std::pair<Real, Real> SpanAround(Real x) const {
        for (std::size_t j = 1; j < s_.size(); ++j) {
            if (x <= s_[j]) return {s_[j - 1], s_[j]};
        }
        return {s_[s_.size() - 2], s_.back()};
    }

    void Solve() {
        const std::size_t m = s_.size() - 1; // spans
        // Simple-span reactions and end rotations (times EI) of every span.
        std::vector<Real> rLeft(m), rRight(m), thLeft(m), thRight(m);
        for (std::size_t i = 0; i < m; ++i) {
            const Real a = s_[i];
            const Real b = s_[i + 1];
            const Real len = b - a;
            rLeft[i] = LoadIntegral(a, b, [b](Real t) { return b - t; }) / len;
            rRight[i] = LoadArea(a, b) - rLeft[i];
            const Real ra = rLeft[i];
            auto sagging = [&](Real x) {
                return ra * (x - a) - LoadIntegral(a, x, [x](Real t) { return x - t; });
            };
            thLeft[i] = Integrate(a, b, [&](Real x) { return sagging(x) * (b - x); }) / len;
            thRight[i] = Integrate(a, b, [&](Real x) { return sagging(x) * (x - a); }) / len;
        }
        // Sagging support moments: the overhang hogs the first support, the last one is pinned.
        std::vector<Real> mom(m + 1, 0.0L);
        mom[0] = -LoadIntegral(0.0L, s_[0], [x0 = s_[0]](Real t) { return x0 - t; });
        const std::size_t unknown = m - 1; // inner supports 1..m-1
        if (unknown > 0) {
            std::vector<std::vector<Real>> a(unknown, std::vector<Real>(unknown + 1, 0.0L));
            for (std::size_t r = 0; r < unknown; ++r) {
                const std::size_t i = r + 1;
                const Real li = s_[i] - s_[i - 1];
                const Real lj = s_[i + 1] - s_[i];
                a[r][r] = 2.0L * (li + lj);
                Real rhs = -6.0L * (thRight[i - 1] + thLeft[i]);
                if (r > 0)
                    a[r][r - 1] = li;
                else
                    rhs -= mom[0] * li;
                if (r + 1 < unknown) a[r][r + 1] = lj;
                a[r][unknown] = rhs;
            }
            // Gaussian elimination (the system is diagonally dominant: no pivoting needed).
            for (std::size_t k = 0; k < unknown; ++k) {
                for (std::size_t r = k + 1; r < unknown; ++r) {
                    const Real f = a[r][k] / a[k][k];
                    for (std::size_t c = k; c <= unknown; ++c)
                        a[r][c] -= f * a[k][c];
                }
            }
            for (std::size_t k = unknown; k-- > 0;) {
                Real v = a[k][unknown];
                for (std::size_t c = k + 1; c < unknown; ++c)
                    v -= a[k][c] * mom[c + 1];
                mom[k + 1] = v / a[k][k];
            }
        }
        reactions_.assign(m + 1, 0.0L);
        reactions_[0] = LoadArea(0.0L, s_[0]);
        for (std::size_t i = 0; i < m; ++i) {
            const Real shift = (mom[i + 1] - mom[i]) / (s_[i + 1] - s_[i]);
            reactions_[i] += rLeft[i] + shift;
            reactions_[i + 1] += rRight[i] - shift;
        }
    }

    std::vector<Real> s_;
    std::vector<LoadPoint> load_;
    Real ei_;
    std::vector<Real> breaks_;
    std::vector<Real> reactions_;
};

} // namespace beamcheck
