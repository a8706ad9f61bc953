// Temporary placeholders so the model links while this part is written; delete this file
// when the real definitions land.

#include "model/KdClasses.h"

namespace vantrel {

void TKdData::LoadShapeTable(int, TArrSteelShapes& table) const { table.clear(); }
void TKdData::ConvertShapeRow(const TSteelShape& siRow, TSteelShape& row) { row = siRow; }
int TKdData::CurrentShapeIndex() const { return PileType == ptSheet ? SheetIndex : ShapeIndex; }
bool TKdData::GetShape(TSteelShape& shape) const { shape = CustomSection; return true; }
TSteelShape TKdData::GetShape() const { return CustomSection; }
void TKdData::PipeAsShape(const TOShape&, TSteelShape& shape) const { shape = TSteelShape{}; }
void TKdData::SetShapeIndex(int index) { if (PileType == ptSheet) SheetIndex = index; else ShapeIndex = index; }
void TKdData::SetCustomShape(const TSteelShape& shape) { CustomSection = shape; }
void TKdData::SetShapeFamily(uint8_t family) { ShapeFamily = family; }
void TKdData::SetPileType(int pileType) { PileType = pileType; }
void TKdData::LoadRebarTable() {}
TRebarRow TKdData::GetRebar(int) const { return RebarTable[0]; }
std::string TKdData::BarLabel(int) const { return std::string(); }
void TKdData::LoadAngleTable() {}
bool TKdData::GetAngle(TGRShape& angle) const { angle = TGRShape{}; return false; }
TAnchorBarTable TKdData::GetAnchorBars() const { return TAnchorBarTable{}; }
void TKdData::LoadChannelTable() {}
void TKdData::LoadOShapesForPile() {}
int TKdData::ConvertUSBarNumber(int number, bool) { return number; }

} // namespace vantrel
