#pragma once
// Editor of the user-defined sheet pile section of the project.

#include "ui/SectionEditor.h"

namespace vantrel {

class TfrmUserDefinedSheet : public SectionRecordEditor<TSteelShape> {
    Q_OBJECT
  public:
    TfrmUserDefinedSheet(const TKdData& data, const TSteelShape& shape, QWidget* parent = nullptr);
};

// Opens the editor on the pile section now selected (the custom section, or the catalog row) and,
// on OK, stores the result as the project's custom section. True when OK was pressed: the caller
// then re-reads its inputs and marks the project modified.
bool EditUserDefinedSheet(TKdData& data, QWidget* parent = nullptr);

} // namespace vantrel
