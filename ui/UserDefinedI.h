#pragma once
// Editor of a user-defined I-shape member of a support level.

#include "ui/SectionEditor.h"

namespace vantrel {

class TfrmUserDefinedI : public SectionRecordEditor<TIShape> {
    Q_OBJECT
  public:
    TfrmUserDefinedI(const TKdData& data, const TIShape& shape, QWidget* parent = nullptr);
};

// Edits the level's I-shape; on OK the level holds the values typed. True when OK was pressed.
bool EditUserDefinedIShape(const TKdData& data, TAnchLevel& level, QWidget* parent = nullptr);

} // namespace vantrel
