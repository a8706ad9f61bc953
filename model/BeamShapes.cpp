// Member catalogs of struts and rakers.

#include "model/BeamShapes.h"

#include "model/CatalogData.h"
#include "model/KdClasses.h"

namespace vantrel::BeamShapes {

using namespace CatalogData;

void LoadIShapes(uint8_t family, bool si, TArrIShapes& shapes) {
    switch (family) {
    case sfBritish:
        shapes = MakeTable<TIShape>(si ? MemberBritishSI : MemberBritishEnglish);
        break;
    case sfEuropean:
        shapes = MakeTable<TIShape>(si ? MemberEuropeanSI : MemberEuropeanEnglish);
        break;
    default:
        shapes = MakeTable<TIShape>(si ? MemberWHPSI : MemberWHPEnglish);
        break;
    }
}

void LoadOShapes(uint8_t family, bool si, TArrOShapes& shapes) {
    if (family == sfBritish) {
        shapes = MakeTable<TOShape>(si ? MemberEuropeanCHSSI : MemberEuropeanCHSEnglish);
    } else {
        shapes = MakeTable<TOShape>(si ? MemberPipeSI : MemberPipeEnglish);
    }
}

} // namespace vantrel::BeamShapes
