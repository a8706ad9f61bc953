#include "ui/UserDefinedI.h"

namespace vantrel {

namespace {

// Units as the member I-shape rows hold them (SI rows in mm and powers of ten of mm, not cm).
const std::vector<SectionField<TIShape>>& IShapeFields() {
    static const std::vector<SectionField<TIShape>> fields = {
        {"Edit1", "A", "in^2", "mm^2", &TIShape::A},
        {"Edit2", "d", "in", "mm", &TIShape::D},
        {"Edit3", "tw", "in", "mm", &TIShape::Tw},
        {"Edit4", "bf", "in", "mm", &TIShape::Bf},
        {"Edit5", "tf", "in", "mm", &TIShape::Tf},
        {"Edit6", "r_ts", "in", "mm", &TIShape::Rts},
        {"Edit7", "Zx", "in^3", "10^3 mm^3", &TIShape::Zx},
        {"Edit8", "Ix", "in^4", "10^6 mm^4", &TIShape::Ix},
        {"Edit9", "Sx", "in^3", "10^3 mm^3", &TIShape::Sx},
        {"Edit10", "rx", "in", "mm", &TIShape::Rx},
        {"Edit11", "ly", "in^4", "10^6 mm^4", &TIShape::Iy},
        {"Edit12", "Sy", "in^3", "10^3 mm^3", &TIShape::Sy},
        {"Edit13", "ry", "in", "mm", &TIShape::Ry},
        {"Edit14", "Zy", "in^3", "10^3 mm^3", &TIShape::Zy},
        {"Edit15", "J", "in^4", "10^3 mm^4", &TIShape::J},
        {"Edit16", "Cw", "in^6", "10^9 mm^6", &TIShape::Cw},
        {"Edit17", "h0", "in", "mm", &TIShape::H0},
        {"Edit18", "W", "plf", "kg/m", &TIShape::W},
    };
    return fields;
}

} // namespace

TfrmUserDefinedI::TfrmUserDefinedI(const TKdData& data, const TIShape& shape, QWidget* parent)
    : SectionRecordEditor(data, shape, QStringLiteral("User Defined I-Shape"), IShapeFields(), 3,
                          QSize(508, 218), parent) {
    setObjectName(QStringLiteral("frmUserDefinedI"));
    LoadForm();
}

bool EditUserDefinedIShape(const TKdData& data, TAnchLevel& level, QWidget* parent) {
    return EditSectionRecord<TfrmUserDefinedI>(data, level.IShape, parent);
}

} // namespace vantrel
