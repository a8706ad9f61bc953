#include "ui/UserDefinedO.h"

#include <QLineEdit>

#include "platform/Dialogs.h"

namespace vantrel {

namespace {

// Units as the member pipe rows hold them (SI rows in mm and powers of ten of mm, not cm). The
// inside diameter is shown only: it follows from OD and t and is never stored.
const std::vector<SectionField<TOShape>>& PipeFields() {
    static const std::vector<SectionField<TOShape>> fields = {
        {"Edit18", "W", "plf", "kg/m", &TOShape::W},
        {"Edit1", "A", "in^2", "mm^2", &TOShape::A},
        {"Edit2", "OD", "in", "mm", &TOShape::OD},
        {"Edit3", "ID", "in", "mm", nullptr},
        {"Edit4", "t", "in", "mm", &TOShape::T},
        {"Edit5", "Ix=Iy", "in^4", "10^6 mm^4", &TOShape::I},
        {"Edit6", "Sx=Sy", "in^3", "10^3 mm^3", &TOShape::S},
        {"Edit7", "Zx=Zy", "in^3", "10^3 mm^3", &TOShape::Z},
        {"Edit8", "rx=ry", "in", "mm", &TOShape::R},
        {"Edit9", "J", "in^4", "10^3 mm^4", &TOShape::J},
        {"Edit10", "D/t", "", "", &TOShape::DOverT},
    };
    return fields;
}

} // namespace

TfrmUserDefinedO::TfrmUserDefinedO(const TKdData& data, const TOShape& shape, QWidget* parent)
    : SectionEditor(data, QStringLiteral("User Defined Hollow Shape"), RowsOf(PipeFields()), 2,
                    QSize(335, 218), parent),
      shape_(shape) {
    setObjectName(QStringLiteral("frmUserDefinedO"));
    LoadForm();
}

void TfrmUserDefinedO::LoadForm() {
    LoadFields(PipeFields(), shape_);
    ShowInsideDiameter(shape_.OD, shape_.T);
}

void TfrmUserDefinedO::StoreForm() {
    StoreFields(PipeFields(), shape_);
}

void TfrmUserDefinedO::FieldLeft(QLineEdit* edit) {
    SectionEditor::FieldLeft(edit);
    ShowInsideDiameter(editorfields::GetEditValue(Edit("Edit2"), data_.FieldLimits, 0, 0),
                       editorfields::GetEditValue(Edit("Edit4"), data_.FieldLimits, 0, 0));
}

void TfrmUserDefinedO::ShowInsideDiameter(Ext od, Ext t) {
    editorfields::SetEditValue(Edit("Edit3"), data_.FieldLimits, false, od - 2.0L * t);
}

bool EditUserDefinedHollow(const TKdData& data, TAnchLevel& level, QWidget* parent) {
    TfrmUserDefinedO dialog(data, level.OShape, parent);
    if (platform::ExecModal(dialog) != QDialog::Accepted) return false;
    dialog.StoreForm();
    level.OShape = dialog.Shape();
    return true;
}

} // namespace vantrel
