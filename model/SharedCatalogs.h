#pragma once
// The section catalogs, each built once for the whole program on its first use (under the
// thread-safe initialisation of function-local statics) and never changed afterwards, so that
// any number of projects and threads may read them. Projects refer to them through
// TSharedTable; the functions that fill a vector (TKdData::LoadShapeTable, BeamShapes::LoadIShapes
// and their kin) copy them.

#include <cstdint>

#include "model/SectionTypes.h"

namespace vantrel::Catalogs {

// The value make() gives, made on the first call and kept for the life of the program; every
// lambda is a type of its own, so each place that calls this keeps its own value.
template <class Make> const auto& BuiltOnce(Make make) {
    static const auto value = make();
    return value;
}

// Rolled I-shapes of a pile or waler: 1 Australian, 2 British, 3 European, any other family the
// North American W and HP shapes; SI rows in the cm-based layout, English rows in inches.
const TArrSteelShapes& PileSections(int family, bool si);
const TArrSteelShapes& SheetPiles(bool si);
// Channels of double-channel walers.
const TArrSteelShapes& Channels(bool si);
// Member catalogs of struts and rakers (BeamShapes).
const TArrIShapes& MemberIShapes(uint8_t family, bool si);
const TArrOShapes& MemberOShapes(uint8_t family, bool si);

} // namespace vantrel::Catalogs
