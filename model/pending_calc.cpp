// Temporary placeholders so the model links while this part is written; delete this file
// when the real definitions land.

#include "model/KdClasses.h"

namespace vantrel {

void TKdData::Calculate() {}
void TKdData::DesignSystem() {}

} // namespace vantrel
