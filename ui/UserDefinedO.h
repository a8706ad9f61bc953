#pragma once
// Editor of a user-defined circular hollow (pipe) member of a support level.

#include "ui/SectionEditor.h"

namespace vantrel {

class TfrmUserDefinedO : public SectionRecordEditor<TOShape> {
    Q_OBJECT
  public:
    TfrmUserDefinedO(const TKdData& data, const TOShape& shape, QWidget* parent = nullptr);

  protected:
    void Loaded() override;
    void FieldLeft(QLineEdit* edit) override;

  private:
    // ID = OD - 2 t.
    void ShowInsideDiameter(Ext od, Ext t);
};

// Edits the level's pipe; on OK the level holds the values typed. True when OK was pressed.
bool EditUserDefinedHollow(const TKdData& data, TAnchLevel& level, QWidget* parent = nullptr);

} // namespace vantrel
