#pragma once
// Numeric conventions of the whole model.
//
// * Engineering values are 80-bit x87 extended floats (`Ext`, long double on x86-64); every
//   extended constant is written as a long double literal (1.33L) so that saved bytes and the
//   exact-equality comparisons of the unit switch come out right.
// * NaN means "undefined" and is shown as "N.A.". A calculation step that cannot compute sets
//   its own results to NaN (counts -1 or 0, flags false) and the calculation goes on; no step
//   throws, and floating-point traps are never enabled.
// * "The larger of" and every peak scan go through the helpers below so that a NaN never turns
//   into a finite governing value or a pass.

#include <cmath>
#include <cstdint>
#include <limits>

namespace vantrel {

using Ext = long double;

inline constexpr Ext kNaN = std::numeric_limits<Ext>::quiet_NaN();
inline constexpr Ext kPi = 3.14159265358979323846264338327950288L;
inline constexpr Ext kDegToRad = kPi / 180.0L;

inline bool IsNaN(Ext v) { return std::isnan(v); }
inline bool IsFinite(Ext v) { return std::isfinite(v); }

// The larger of a and b; NaN when either is NaN.
inline Ext MaxOf(Ext a, Ext b) {
    if (std::isnan(a) || std::isnan(b)) return kNaN;
    return a > b ? a : b;
}

// The smaller of a and b; NaN when either is NaN.
inline Ext MinOf(Ext a, Ext b) {
    if (std::isnan(a) || std::isnan(b)) return kNaN;
    return a < b ? a : b;
}

template <typename... Rest>
inline Ext MaxOf(Ext a, Ext b, Ext c, Rest... rest) {
    return MaxOf(MaxOf(a, b), c, rest...);
}

template <typename... Rest>
inline Ext MinOf(Ext a, Ext b, Ext c, Rest... rest) {
    return MinOf(MinOf(a, b), c, rest...);
}

// a / b, or NaN when b is zero or either operand is undefined.
inline Ext SafeDiv(Ext a, Ext b) {
    if (std::isnan(a) || std::isnan(b) || b == 0.0L) return kNaN;
    return a / b;
}

// Square root of a non-negative value; NaN for negative or undefined input.
inline Ext SafeSqrt(Ext a) {
    if (std::isnan(a) || a < 0.0L) return kNaN;
    return std::sqrt(a);
}

// Rounding to the nearest integer with halves to the even neighbour (the default rounding mode).
inline Ext RoundHalfEven(Ext v) { return std::nearbyint(v); }

// Ceiling that tolerates rounding noise: 105.6 / 35.2 is exactly 3 on paper, and 3.0000000001
// from the division must not become 4. Returns -1 for an undefined, non-finite or absurdly large
// quotient.
inline int CeilCount(Ext quotient) {
    // A count beyond any real tendon or bar layout (a damaged project) is undefined too; it must
    // never reach the conversion to int, which is undefined for values outside its range.
    if (!std::isfinite(quotient) || std::fabs(quotient) > 1.0e9L) return -1;
    const Ext nearest = std::nearbyint(quotient);
    if (std::fabs(quotient - nearest) <= 1e-9L * MaxOf(1.0L, std::fabs(quotient))) {
        return static_cast<int>(nearest);
    }
    return static_cast<int>(std::ceil(quotient));
}

// Running peak by absolute value: replaced only by a strictly larger magnitude, so a tie keeps the
// first candidate. Once a NaN is seen the peak stays NaN (an undefined node means an undefined peak).
struct AbsPeak {
    Ext value = 0.0L;
    Ext at = 0.0L;
    bool undefined = false;
    Ext magnitude = 0.0L; // |value|
    void Offer(Ext v, Ext where) {
        if (undefined) return;
        if (std::isnan(v)) {
            undefined = true;
            value = kNaN;
            at = kNaN;
            return;
        }
        const Ext m = std::fabs(v);
        if (m > magnitude) {
            value = v;
            at = where;
            magnitude = m;
        }
    }
};

} // namespace vantrel
