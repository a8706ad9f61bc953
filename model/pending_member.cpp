// Temporary placeholders so the model links while this part is written; delete this file
// when the real definitions land.

#include "model/KdClasses.h"

namespace vantrel {

void TKdData::CheckLevel(int) {}
void TKdData::CheckLevelMember(TAnchLevel&, int) {}
void TKdData::CheckLevelMember(TAnchLevel&, int, const TAnchor&) {}
void TKdData::SelectMemberRow(TAnchLevel&, int) const {}
void TKdData::DesignGuardrail() {}
void TKdData::DesignWaler(int) {}
bool TKdData::WalerIndexOutOfRange(int) const { return false; }
bool TKdData::CheckLagging(int) { return false; }
void TKdData::BasalHeaveCheck() {}

} // namespace vantrel
