// Temporary placeholders so the model links while this part is written; delete this file
// when the real definitions land.

#include <utility>

#include "model/KdClasses.h"

namespace vantrel {

Ext TKdData::LevelDepth(int, const TAnchor&) const { return 0; }
Ext TKdData::LevelDepth(int) const { return 0; }
Ext TKdData::HeightAboveBase(int) const { return 0; }
Ext TKdData::LowestLevelHeight() const { return 0; }
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
Ext TKdData::FailurePlaneDistance(Ext, Ext) const { return 0; }
std::string TKdData::ConcreteFacingText() const { return std::string(); }
std::string TKdData::ConcreteStrengthText() const { return std::string(); }
bool TKdData::AllWalersPass() const { return false; }
int TKdData::CountWalerLevels() const { return 0; }
int TKdData::CountCornerBraces() const { return 0; }
namespace MatrixCalc {
void NewMatrix(int rows, int cols, TMatrix& m) { m.assign(rows, TVector(cols, 0)); }
void CopyMatrix(const TMatrix& a, TMatrix& b) { b = a; }
void VectorToColumn(const TVector&, TMatrix&) {}
void ColumnToVector(const TMatrix&, TVector&) {}
Ext SumVector(const TVector&) { return 0; }
bool MultiplyMatrix(const TMatrix&, const TMatrix&, TMatrix&) { return false; }
bool InvertMatrix(const TMatrix&, TMatrix&) { return false; }
bool InvertInPlace(TMatrix&, int, int, int, Ext&) { return false; }
void SwapExtended(Ext& a, Ext& b) { std::swap(a, b); }
} // namespace MatrixCalc

} // namespace vantrel
