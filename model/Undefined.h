#pragma once
// Whole result records set to "undefined" in one statement.

#include <array>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "model/Numeric.h"

namespace vantrel {

// A record made only of extended values with every value NaN. The record is filled through its
// object representation, which is well defined for a trivially copyable type; the size check
// makes sure no member of another type hides among the extended values.
template <typename T> T AllUndefined() {
    static_assert(std::is_trivially_copyable_v<T> && sizeof(T) % sizeof(Ext) == 0,
                  "AllUndefined needs a record of extended values only");
    Ext values[sizeof(T) / sizeof(Ext)];
    for (Ext& v : values)
        v = kNaN;
    T record;
    std::memcpy(static_cast<void*>(&record), values, sizeof(T));
    return record;
}

// Every record of an array of such records undefined, copied from one array kept undefined: a
// calculation that resets its tables on every run copies bytes instead of storing each value.
template <typename T, std::size_t N> void FillUndefined(std::array<T, N>& records) {
    static const std::array<T, N> undefined = [] {
        std::array<T, N> all;
        all.fill(AllUndefined<T>());
        return all;
    }();
    records = undefined;
}

} // namespace vantrel
