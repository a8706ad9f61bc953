// Temporary placeholders so the model links while this part is written; delete this file
// when the real definitions land.

#include "model/KdClasses.h"

namespace vantrel {

void TKdData::BuildPressureTable(TAnchor&) {}
void TKdData::LevelLoadsFromReactions(TAnchor&) {}
void TKdData::CountTendons() {}
void TKdData::CornerBraceLoads() {}
void TKdData::DesignBond() {}

} // namespace vantrel
