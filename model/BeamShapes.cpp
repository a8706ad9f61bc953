// Member catalogs of struts and rakers.

#include "model/BeamShapes.h"

#include "model/CatalogData.h"
#include "model/KdClasses.h"
#include "model/SharedCatalogs.h"

namespace vantrel {

namespace Catalogs {

using CatalogData::MakeTable;

const TArrIShapes& MemberIShapes(uint8_t family, bool si) {
    using namespace CatalogData;
    switch (family) {
    case sfBritish:
        if (si) {
            static const TArrIShapes table = MakeTable<TIShape>(MemberBritishSI);
            return table;
        } else {
            static const TArrIShapes table = MakeTable<TIShape>(MemberBritishEnglish);
            return table;
        }
    case sfEuropean:
        if (si) {
            static const TArrIShapes table = MakeTable<TIShape>(MemberEuropeanSI);
            return table;
        } else {
            static const TArrIShapes table = MakeTable<TIShape>(MemberEuropeanEnglish);
            return table;
        }
    default:
        if (si) {
            static const TArrIShapes table = MakeTable<TIShape>(MemberWHPSI);
            return table;
        } else {
            static const TArrIShapes table = MakeTable<TIShape>(MemberWHPEnglish);
            return table;
        }
    }
}

const TArrOShapes& MemberOShapes(uint8_t family, bool si) {
    using namespace CatalogData;
    if (family == sfBritish) {
        if (si) {
            static const TArrOShapes table = MakeTable<TOShape>(MemberEuropeanCHSSI);
            return table;
        } else {
            static const TArrOShapes table = MakeTable<TOShape>(MemberEuropeanCHSEnglish);
            return table;
        }
    }
    if (si) {
        static const TArrOShapes table = MakeTable<TOShape>(MemberPipeSI);
        return table;
    } else {
        static const TArrOShapes table = MakeTable<TOShape>(MemberPipeEnglish);
        return table;
    }
}

} // namespace Catalogs

namespace BeamShapes {

void LoadIShapes(uint8_t family, bool si, TArrIShapes& shapes) {
    shapes = Catalogs::MemberIShapes(family, si);
}

void LoadIShapes(uint8_t family, bool si, TIShapeTable& shapes) {
    shapes = TIShapeTable::Of(Catalogs::MemberIShapes(family, si));
}

void LoadOShapes(uint8_t family, bool si, TArrOShapes& shapes) {
    shapes = Catalogs::MemberOShapes(family, si);
}

void LoadOShapes(uint8_t family, bool si, TOShapeTable& shapes) {
    shapes = TOShapeTable::Of(Catalogs::MemberOShapes(family, si));
}

} // namespace BeamShapes

} // namespace vantrel
