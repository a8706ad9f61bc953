#pragma once
// Editor of a user-defined I-shape member of a support level.

#include "ui/SectionEditor.h"

namespace vantrel {

class TfrmUserDefinedI : public SectionEditor {
    Q_OBJECT
  public:
    TfrmUserDefinedI(const TKdData& data, const TIShape& shape, QWidget* parent = nullptr);

    void LoadForm();
    void StoreForm();
    const TIShape& Shape() const { return shape_; }

  private:
    TIShape shape_;
};

// Edits the level's I-shape; on OK the level holds the values typed. True when OK was pressed.
bool EditUserDefinedIShape(const TKdData& data, TAnchLevel& level, QWidget* parent = nullptr);

} // namespace vantrel
