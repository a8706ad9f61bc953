#pragma once
// Member catalogs of struts and rakers: rolled I-shapes and circular hollow sections, each in an
// English and an SI version (units of TIShape and TOShape).

#include <cstdint>

#include "model/SectionTypes.h"

namespace vantrel::BeamShapes {

// British UB and UC for family 2, European IPE and HE for family 3, else American W, M, S and HP.
// The vector receives a copy of the catalog; the shared table refers to it.
void LoadIShapes(uint8_t family, bool si, TArrIShapes& shapes);
void LoadIShapes(uint8_t family, bool si, TIShapeTable& shapes);
// European hot-finished and cold-formed CHS for family 2, else American round HSS and pipe.
void LoadOShapes(uint8_t family, bool si, TArrOShapes& shapes);
void LoadOShapes(uint8_t family, bool si, TOShapeTable& shapes);

} // namespace vantrel::BeamShapes
