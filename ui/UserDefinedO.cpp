#include "ui/UserDefinedO.h"

#include <QLineEdit>

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
    : SectionRecordEditor(data, shape, QStringLiteral("User Defined Hollow Shape"), PipeFields(), 2,
                          QSize(335, 218), parent) {
    setObjectName(QStringLiteral("frmUserDefinedO"));
    LoadForm();
}

void TfrmUserDefinedO::Loaded() {
    ShowInsideDiameter(Shape().OD, Shape().T);
}

void TfrmUserDefinedO::FieldLeft(QLineEdit* edit) {
    SectionRecordEditor::FieldLeft(edit);
    ShowInsideDiameter(ui::GetEditValue(Edit("Edit2"), 0, 0, data_.FieldLimits),
                       ui::GetEditValue(Edit("Edit4"), 0, 0, data_.FieldLimits));
}

void TfrmUserDefinedO::ShowInsideDiameter(Ext od, Ext t) {
    ui::SetEditValue(Edit("Edit3"), false, od - 2.0L * t, data_.FieldLimits);
}

bool EditUserDefinedHollow(const TKdData& data, TAnchLevel& level, QWidget* parent) {
    return EditSectionRecord<TfrmUserDefinedO>(data, level.OShape, parent);
}

} // namespace vantrel
