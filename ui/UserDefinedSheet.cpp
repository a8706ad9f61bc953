#include "ui/UserDefinedSheet.h"

#include "platform/Dialogs.h"

namespace vantrel {

namespace {

// A sheet pile row holds its values per unit wall length; SI sheet rows are in cm.
const std::vector<SectionField<TSteelShape>>& SheetFields() {
    static const std::vector<SectionField<TSteelShape>> fields = {
        {"Edit2", "Width", "in", "cm", &TSteelShape::D},
        {"Edit3", "Height", "in", "cm", &TSteelShape::Bf},
        {"Edit4", "Thickness", "in", "cm", &TSteelShape::Tw},
        {"Edit8", "Ix", "in^4", "cm^4", &TSteelShape::Ix},
        {"Edit9", "Sx", "in^3", "cm^3", &TSteelShape::Sx},
    };
    return fields;
}

} // namespace

TfrmUserDefinedSheet::TfrmUserDefinedSheet(const TKdData& data, const TSteelShape& shape, QWidget* parent)
    : SectionEditor(data, QStringLiteral("User Defined Sheet Pile"), RowsOf(SheetFields()), 1,
                    QSize(214, 186), parent),
      shape_(shape) {
    setObjectName(QStringLiteral("frmUserDefinedSheet"));
    LoadForm();
}

void TfrmUserDefinedSheet::LoadForm() {
    LoadFields(SheetFields(), shape_);
}

void TfrmUserDefinedSheet::StoreForm() {
    StoreFields(SheetFields(), shape_);
}

bool EditUserDefinedSheet(TKdData& data, QWidget* parent) {
    TfrmUserDefinedSheet dialog(data, data.GetShape(), parent);
    if (platform::ExecModal(dialog) != QDialog::Accepted) return false;
    dialog.StoreForm();
    data.SetCustomShape(dialog.Shape());
    return true;
}

} // namespace vantrel
