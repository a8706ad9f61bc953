// Temporary placeholders so the model links while this part is written; delete this file
// when the real definitions land.

#include "model/KdClasses.h"

namespace vantrel {

Ext TKdData::FreeLength(int, bool) const { return 0; }
Ext TKdData::MaxFreeProjection(bool) const { return 0; }
Ext TKdData::MaxAnchorDepth() const { return 0; }
Ext TKdData::SurchargeExtent() const { return 0; }
Ext TKdData::DiagramWidth() const { return 0; }
Ext TKdData::SectionDepth() const { return 0; }
Ext TKdData::EffectivePileWidth() const { return 0; }
Ext TKdData::TributaryWidth() const { return 0; }
Ext TKdData::HalfClearGap() const { return 0; }
bool TKdData::IsClearGapWide() const { return false; }
Ext TKdData::LevelBarSize(int) const { return 0; }
std::string TKdData::ConcreteFacingText() const { return std::string(); }
std::string TKdData::ConcreteStrengthText() const { return std::string(); }
bool TKdData::AllWalersPass() const { return false; }
int TKdData::CountWalerLevels() const { return 0; }
int TKdData::CountCornerBraces() const { return 0; }

} // namespace vantrel
