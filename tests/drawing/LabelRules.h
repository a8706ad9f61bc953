// The rules every label of a drawing keeps, judged on the picture itself: each drawing is drawn
// twice, as shown and with its texts left unpainted, and what lies under a label is read from the
// pixels of the second, so a line or an arc that no record holds is seen all the same.
//
// A label is one text as drawn (the pieces of a raised exponent count as one); its cell is its
// advance by the font's height, turned with the text (a value written along a slanting line has a
// slanting cell, and every rule reads that cell, not the box about it). The rules:
//   overlap    its cell overlaps no other label's cell by more than a pixel;
//   line       no pixel of a line or an arc that is not its own lies in its cell, and a value set
//              beside its level or plumb dimension line is not struck through by a stroke of it;
//   outside    its glyphs lie whole inside the picture;
//   dimension  a dimension's value stands within a label height of its own dimension line, and on
//              the same side of the pile;
//   two lines  a text of two lines keeps its lines together, in their order;
//   leader     no leader crosses the pile;
//   nearness   every label stands within a label height of what it labels or of its own leader;
//   steel      no label lies on the steel;
//   colour     (plan view) its colour reads against what is under it;
// and in the plan view the pier spacing's value, drawn apart from its line, stays by its line.
#pragma once

#include "DiagramFixtures.h"

#include <string>
#include <vector>

namespace vantrel::testing_drawing {

struct LabelFault {
    std::string Rule;
    std::string Detail;
};

// What was drawn: the picture as shown and its layout.
struct JudgedDrawing {
    QImage Shown;
    TDiagramLayout Layout;
};

// Draws diagram `kind` of `d` at `size` and judges every label on it.
std::vector<LabelFault> JudgeLabels(const TKdData& d, int kind, QSize size, JudgedDrawing* drawn = nullptr);

} // namespace vantrel::testing_drawing
