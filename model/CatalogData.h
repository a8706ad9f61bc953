#pragma once
// The large section catalogs as compiled constant tables. Their source is resources/catalogs
// (one CSV per catalog and unit system, see the README there); cmake/Catalogs.cmake turns the CSV
// files into the definitions below. A row holds the name and the values in the field order of its
// row type in model/SectionTypes.h.

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

#include "model/SectionTypes.h"

namespace vantrel::CatalogData {

template <std::size_t N> struct RawRow {
    const char* Name;
    Ext Values[N];
};
using SteelRow = RawRow<13>; // TSteelShape
using IRow = RawRow<18>;     // TIShape
using ORow = RawRow<11>;     // TOShape

// Pile sections. English in; SI in the cm-based layout of TSteelShape (North American rows from
// the same database as the English table; Australian, British and European exist in SI only).
extern const std::span<const SteelRow> NorthAmericanPilesEnglish; // W27 .. W12, then HP
extern const std::span<const SteelRow> NorthAmericanPilesSI;
extern const std::span<const SteelRow> AustralianPiles; // UB, then UC
extern const std::span<const SteelRow> BritishPiles;    // UB
extern const std::span<const SteelRow> EuropeanPiles;   // IPE A, plain, O, R, V
// Channels of double-channel walers, K1 = 0.
extern const std::span<const SteelRow> ChannelsEnglish;
extern const std::span<const SteelRow> ChannelsSI;

// Member catalogs of struts and rakers (units of TIShape and TOShape).
extern const std::span<const IRow> MemberWHPEnglish; // W, M, S, HP
extern const std::span<const IRow> MemberWHPSI;
extern const std::span<const IRow> MemberBritishEnglish; // UB, then UC
extern const std::span<const IRow> MemberBritishSI;
extern const std::span<const IRow> MemberEuropeanEnglish; // IPE, then HE
extern const std::span<const IRow> MemberEuropeanSI;
extern const std::span<const ORow> MemberPipeEnglish; // round HSS, then pipe
extern const std::span<const ORow> MemberPipeSI;
extern const std::span<const ORow> MemberEuropeanCHSEnglish; // hot-finished, then cold-formed
extern const std::span<const ORow> MemberEuropeanCHSSI;

namespace detail {
template <typename Row, std::size_t N, std::size_t... I>
Row MakeRow(const RawRow<N>& raw, std::index_sequence<I...>) {
    return Row{raw.Name, raw.Values[I]...};
}
} // namespace detail

// The rows of a compiled table as working rows of type Row.
template <typename Row, std::size_t N> std::vector<Row> MakeTable(std::span<const RawRow<N>> rows) {
    std::vector<Row> table;
    table.reserve(rows.size());
    for (const RawRow<N>& raw : rows)
        table.push_back(detail::MakeRow<Row>(raw, std::make_index_sequence<N>{}));
    return table;
}

} // namespace vantrel::CatalogData
