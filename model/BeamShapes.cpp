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
        return si ? BuiltOnce([] { return MakeTable<TIShape>(MemberBritishSI); })
                  : BuiltOnce([] { return MakeTable<TIShape>(MemberBritishEnglish); });
    case sfEuropean:
        return si ? BuiltOnce([] { return MakeTable<TIShape>(MemberEuropeanSI); })
                  : BuiltOnce([] { return MakeTable<TIShape>(MemberEuropeanEnglish); });
    default:
        return si ? BuiltOnce([] { return MakeTable<TIShape>(MemberWHPSI); })
                  : BuiltOnce([] { return MakeTable<TIShape>(MemberWHPEnglish); });
    }
}

const TArrOShapes& MemberOShapes(uint8_t family, bool si) {
    using namespace CatalogData;
    if (family == sfBritish) {
        return si ? BuiltOnce([] { return MakeTable<TOShape>(MemberEuropeanCHSSI); })
                  : BuiltOnce([] { return MakeTable<TOShape>(MemberEuropeanCHSEnglish); });
    }
    return si ? BuiltOnce([] { return MakeTable<TOShape>(MemberPipeSI); })
              : BuiltOnce([] { return MakeTable<TOShape>(MemberPipeEnglish); });
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
