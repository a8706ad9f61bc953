#include "ui/UserDefinedSheet.h"

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
    : SectionRecordEditor(data, shape, QStringLiteral("User Defined Sheet Pile"), SheetFields(), 1,
                          QSize(214, 186), parent) {
    setObjectName(QStringLiteral("frmUserDefinedSheet"));
    LoadForm();
}

bool EditUserDefinedSheet(TKdData& data, QWidget* parent) {
    TSteelShape shape = data.GetShape();
    if (!EditSectionRecord<TfrmUserDefinedSheet>(data, shape, parent)) return false;
    data.SetCustomShape(shape);
    return true;
}

} // namespace vantrel
