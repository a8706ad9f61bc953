#include "ui/EditAnchor.h"

#include "drawing/DiagramDraw.h"
#include "drawing/ImgZoom.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFontInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>
#include <cstdlib>

#include "model/BeamShapes.h"
#include "platform/Dialogs.h"
#include "platform/NumberFormat.h"
#include "ui/Computations.h"
#include "ui/Globals.h"
#include "ui/Tables.h"
#include "ui/UserDefinedI.h"
#include "ui/UserDefinedO.h"

namespace vantrel {

namespace {

// The drawing layer's strut sections and enlarged view, unless a test installs its own.
SectionPictures& Pictures() {
    static SectionPictures pictures{
        [](QImage& image, const TKdData& data, int kind, const TAnchLevel& level) {
            DrawToGraphic(image, data, kind, &level);
        },
        [](const QImage& image, QWidget* parent) { ShowGraphicZoom(image, parent); }};
    return pictures;
}

// Field-limit entries of the editor's numbers.
enum : int {
    kTagMemberSize = 150,
    kTagArea = 151,
    kTagPerimeter = 152,
    kTagTipArea = 153,
    kTagE = 154,
    kTagInertia = 155,
    kTagLoad = 156,
    kTagMoment = 157,
    kTagFy = 158,
    kTagK = 159,
    kTagLength = 160,
    kTagCb = 161,
    kTagCmx = 162,
    kTagFc = 163,
};

// The unbraced lengths are read with a floor of 1.0 and no upper limit: the check uses 1.0 for
// anything shorter.
constexpr double kMinUnbracedLength = 1.0;

const QString kUserDefined = QStringLiteral("User Defined");

// The value of the level each numeric edit shows (Edit<number>), on all three member pages.
constexpr std::pair<int, Ext TAnchLevel::*> kLevelEdits[] = {
    {2, &TAnchLevel::MemberWidth},
    {8, &TAnchLevel::MemberLength},
    {3, &TAnchLevel::MemberArea},
    {6, &TAnchLevel::MemberPerimeter},
    {7, &TAnchLevel::MemberTipArea},
    {4, &TAnchLevel::MemberE},
    {5, &TAnchLevel::MemberInertia},
    {11, &TAnchLevel::TestLoad},
    {1, &TAnchLevel::Mx},
    {9, &TAnchLevel::My},
    {10, &TAnchLevel::Fy},
    {12, &TAnchLevel::Kx},
    {13, &TAnchLevel::Ky},
    {14, &TAnchLevel::Lx},
    {15, &TAnchLevel::Ly},
    {16, &TAnchLevel::Lb},
    {17, &TAnchLevel::Cb},
    {18, &TAnchLevel::Cmx},
    {21, &TAnchLevel::TestLoad},
    {19, &TAnchLevel::Mx},
    {20, &TAnchLevel::Fy},
    {22, &TAnchLevel::Kx},
    {23, &TAnchLevel::Lx},
    {25, &TAnchLevel::Cmx},
    {24, &TAnchLevel::Fc},
};

// The field hints. Their coefficients are written as the edits write numbers, with the locale's
// decimal separator: each "%.Nf" takes the next value.
QString LengthHint(const char* name, const char* axis) {
    return platform::FormatFixedText("'%1' is the actual unbraced length of member for column-type (axial "
                                     "compression) buckling about %2.\nNote: for input values of %1 <=%.1f', "
                                     "this program will use a value =%.1f'. ",
                                     {1.0, 1.0})
        .arg(QLatin1String(name), QLatin1String(axis));
}

QString EffectiveLengthHint(const char* name, const char* axis) {
    return platform::FormatFixedText(
               "'%1' is the effective length factor about the %2 for an axially loaded compression "
               "member.  Typical values are as follows:\n\n"
               "Column end conditions (bottom-top): recommended value\n"
               "Fixed-Fixed: %.2f\nFixed-Pinned: %.2f\nFixed-Slider: %.1f\nPinned-Pinned: %.1f\n"
               "Fixed-Free: %.1f\nPinned-Slider: %.1f\n\n"
               "Fixed = rotation fixed, translation fixed\nPinned = rotation free, translation fixed\n"
               "Slider = rotation fixed, translation free\nFree = rotation free, translation free",
               {0.65, 0.80, 1.2, 1.0, 2.1, 2.0})
        .arg(QLatin1String(name), QLatin1String(axis));
}

const QString kLoadHint = QStringLiteral(
    "'P' is the applied axial load on the member, which may be either a compression or tension load.");

QString CbHint() {
    return platform::FormatFixedText(
        "'Cb' is the allowable stress bending coefficient dependent on the moment gradient, for "
        "bending about the X-axis (major axis).\n\nCb = %.2f+%.2f*(Mx1/Mx2)+%.1f*(Mx1/Mx2)^2 <= %.1f\n\n"
        "where Mx1 is the smaller and Mx2 the larger bending moment at the ends of the unbraced length; "
        "Mx1/Mx2 is positive for reverse curvature and negative for single curvature bending.\n\n"
        "Cb = %.1f when the bending moment at any point within the unbraced length is larger than at both "
        "ends of this length, for members of frames braced against sidesway when computing Fbx for use in "
        "interaction equation H1-1, and (conservatively) for cantilevers.",
        {1.75, 1.05, 0.3, 2.3, 1.0});
}

QString CmxHint() {
    return platform::FormatFixedText(
        "'Cmx' is the coefficient applied to the X-axis (major axis) bending term in the "
        "interaction equation (H1-1) and is dependent upon column curvature caused by applied moments.\n\n"
        "A. Compression members in frames subject to sidesway: Cmx = %.2f\n"
        "B. Rotationally restrained compression members in frames braced against sidesway and not subject to "
        "transverse loading between their supports: Cmx = %.1f-%.1f*(Mx1/Mx2)\n"
        "C. Compression members in frames braced against sidesway and subject to transverse loading between "
        "their supports: Cmx = %.2f for members whose ends are restrained against rotation, %.1f for members "
        "whose ends are unrestrained against rotation.",
        {0.85, 0.6, 0.4, 0.85, 1.0});
}

QString LbHint() {
    return platform::FormatFixedText("'Lb' is the laterally unbraced length of the compression flange, for "
                                     "lateral-torsional buckling in bending about the X-axis (major axis).\n"
                                     "Note: for input values of Lb <=%.1f', this program will use a value "
                                     "=%.1f'. ",
                                     {1.0, 1.0});
}

QStringList ToList(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& t : texts)
        list << QString::fromStdString(t);
    return list;
}

} // namespace

SectionPictures SetSectionPictures(SectionPictures pictures) {
    return std::exchange(Pictures(), std::move(pictures));
}

// ---------------------------------------------------------------------------------------------
// Layout

TfrmEditAnchor::TfrmEditAnchor(TKdData& data, int index, int kind, const TAnchLevel& level, QWidget* parent)
    : EditorDialog(parent), data_(data), kind_(kind), index_(index), level_(level) {
    setObjectName(QStringLiteral("frmEditAnchor"));
    setWindowTitle(kind >= 4 ? QStringLiteral("Edit Corner Brace") : QStringLiteral("Edit Anchor"));

    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    BuildTendonPage();
    BuildPilePage();
    BuildIShapePage();
    BuildPipePage();

    LayOut(pages_, QStringLiteral("&OK"), QStringLiteral("&Cancel"));
    pages_->setCurrentIndex(0);

    if (data_.Units == usSI) SetMetricLabels();
    LoadForm();
    UpdateForm();
    FitFormToPage();
}

TfrmEditAnchor::~TfrmEditAnchor() {
    busy_ = true;
}

QComboBox* TfrmEditAnchor::AddCombo(const char* name, const QStringList& items) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(name == std::string_view("ComboBox4") ? 22 : 14);
    comboBox_[QString::fromLatin1(name).mid(8).toInt()] = combo;
    return combo;
}

void TfrmEditAnchor::CommitOn(QComboBox* combo) {
    connect(combo, &QComboBox::activated, this, [this, combo] { Edit2Exit(combo); });
}

QLineEdit* TfrmEditAnchor::AddEdit(QGridLayout* grid, int row, int column, const char* name,
                                   const char* caption, int tag, const char* unit, bool readOnly,
                                   const QString& hint) {
    auto* label = new QLabel(QString::fromUtf8(caption));
    label->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(name));
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(72);
    edit->setAlignment(Qt::AlignRight);
    ui::SetTag(edit, tag);
    ui::AcceptNumbersOnly(edit);
    ui::SetReadOnlyLook(edit, readOnly);
    edit->setProperty("hint", hint);
    edit->installEventFilter(this);
    label->setBuddy(edit);
    auto* unitLabel = new QLabel(QString::fromUtf8(unit));
    unitLabel->setObjectName(QStringLiteral("lblUnit") + QString::fromLatin1(name));
    unitLabel->setMinimumWidth(40);
    grid->addWidget(label, row, column);
    grid->addWidget(edit, row, column + 1);
    grid->addWidget(unitLabel, row, column + 2);
    return edit;
}

void TfrmEditAnchor::BuildTendonPage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto* grid = new QGridLayout(page);
    const auto addRow = [&](int row, const char* labelName, const char* caption, QComboBox* combo) {
        auto* label = new QLabel(QString::fromLatin1(caption));
        label->setObjectName(QString::fromLatin1(labelName));
        label->setBuddy(combo);
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
    };
    auto* tendon = AddCombo("ComboBox1", ToList(Texts::TendonType));
    auto* bars = AddCombo("ComboBox2", {});
    auto* grades = AddCombo("ComboBox3", {});
    auto* anchorage = AddCombo("ComboBox4", ToList(Texts::TieRodAnchorage));
    addRow(0, "Label1", "Anchor Type", tendon);
    addRow(1, "Label2", "Threaded Bar Size", bars);
    addRow(2, "Label5", "Grade", grades);
    addRow(3, "Label6", "Anchor Type", anchorage);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(2, 1);
    connect(tendon, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(bars, &QComboBox::activated, this, [this] { ComboBox2Change(); });
    pages_->addTab(page, QString());
}

void TfrmEditAnchor::BuildPilePage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto* grid = new QGridLayout(page);

    const auto helpButton = [&](const char* name, int tag) {
        auto* button = new QToolButton;
        button->setObjectName(QString::fromLatin1(name));
        button->setText(QStringLiteral("?"));
        button->setToolTip(QStringLiteral("Typical values"));
        ui::SetTag(button, tag);
        connect(button, &QToolButton::clicked, this, [this, tag] { SpeedButton1Click(tag); });
        return button;
    };
    const auto listRow = [&](int row, const char* caption, QComboBox* combo, QToolButton* button) {
        auto* label = new QLabel(QString::fromUtf8(caption));
        label->setBuddy(combo);
        grid->addWidget(label, row, 0);
        auto* box = new QHBoxLayout;
        box->addWidget(combo, 1);
        if (button) box->addWidget(button);
        grid->addLayout(box, row, 1);
        CommitOn(combo);
    };
    listRow(0, "Pile && Soil Interface", AddCombo("ComboBox5", {"Rough Steel", "Smooth Steel"}),
            helpButton("SpeedButton1", 1));
    listRow(1, "Pile Type",
            AddCombo("ComboBox6", {"Jetted Pile", "Pile - small displ.", "Pile - large displ."}),
            helpButton("SpeedButton2", 2));
    listRow(2, "Shape", AddCombo("ComboBox9", {"I/H Shape", "Pipe Shape"}), nullptr);
    chkUseReinforcement_ = new QCheckBox(QStringLiteral("Structural Design Analysis"));
    chkUseReinforcement_->setObjectName(QStringLiteral("chkUseReinforcement"));
    connect(chkUseReinforcement_, &QCheckBox::clicked, this, [this] { Edit2Exit(chkUseReinforcement_); });
    grid->addWidget(chkUseReinforcement_, 3, 1);
    grid->setColumnMinimumWidth(2, 24);

    AddEdit(grid, 0, 3, "Edit2", "Width", kTagMemberSize, "ft", false);
    AddEdit(grid, 1, 3, "Edit8", "Length", kTagMemberSize, "ft", false);
    AddEdit(grid, 2, 3, "Edit3", "Cross Section Area", kTagArea, "in²", true);
    AddEdit(grid, 3, 3, "Edit6", "Pile Perimeter", kTagPerimeter, "ft", true);
    AddEdit(grid, 4, 3, "Edit7", "Tip Area", kTagTipArea, "ft²", true);
    AddEdit(grid, 5, 3, "Edit4", "Modulus of Elasticity (E)", kTagE, "ksi", false);
    AddEdit(grid, 6, 3, "Edit5", "Moment of Inertia (I)", kTagInertia, "in⁴", true);
    // The width caption reads "Width" or "Diameter"; the length row exists for I/H members only.
    findChild<QLabel*>(QStringLiteral("lblEdit2"))->setObjectName(QStringLiteral("Label3"));
    findChild<QLabel*>(QStringLiteral("lblEdit8"))->setObjectName(QStringLiteral("Label17"));
    findChild<QLabel*>(QStringLiteral("lblUnitEdit8"))->setObjectName(QStringLiteral("Label18"));
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(6, 1);
    pages_->addTab(page, QStringLiteral("Pile Properties"));
}

// The left column of a structural design page: family, member type and size lists (the size
// with the edit button of a user-defined section), an optional check box, the section picture and
// the link to the detailed results.
TfrmEditAnchor::SectionColumn TfrmEditAnchor::BuildSectionColumn(QGridLayout* grid, std::array<int, 3> lists,
                                                                 const char* button, QCheckBox* extra,
                                                                 const char* picture, const char* details) {
    auto* listGrid = new QGridLayout;
    const char* captions[] = {"Shapes", "Member Type", "Beam Size"};
    const QStringList items[] = {ToList(Texts::ShapeFamily), {QStringLiteral("Beam-Column")}, {}};
    QComboBox* combos[3] = {};
    for (int row = 0; row < 3; ++row) {
        combos[row] =
            AddCombo(QStringLiteral("ComboBox%1").arg(lists[static_cast<size_t>(row)]).toLatin1().constData(),
                     items[row]);
        auto* label = new QLabel(QString::fromLatin1(captions[row]));
        label->setBuddy(combos[row]);
        listGrid->addWidget(label, row, 0);
        CommitOn(combos[row]);
    }
    listGrid->addWidget(combos[0], 0, 1);
    listGrid->addWidget(combos[1], 1, 1);

    SectionColumn column;
    column.edit = new QToolButton;
    column.edit->setObjectName(QString::fromLatin1(button));
    column.edit->setText(QStringLiteral("..."));
    column.edit->setToolTip(QStringLiteral("Edit the user defined section"));
    connect(column.edit, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    auto* sizeBox = new QHBoxLayout;
    sizeBox->setSpacing(0);
    sizeBox->addWidget(combos[2], 1);
    sizeBox->addWidget(column.edit);
    listGrid->addLayout(sizeBox, 2, 1);
    if (extra) listGrid->addWidget(extra, 3, 1);

    column.picture = new QLabel;
    column.picture->setObjectName(QString::fromLatin1(picture));
    column.picture->setFixedSize(250, 120);
    column.picture->setScaledContents(true);
    column.picture->setCursor(Qt::PointingHandCursor);
    column.picture->installEventFilter(this);
    auto* link = new QLabel(QStringLiteral("View Detailed Results"));
    link->setObjectName(QString::fromLatin1(details));
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(QStringLiteral("color: #0000ff; text-decoration: underline;"));
    link->installEventFilter(this);

    auto* left = new QVBoxLayout;
    left->addLayout(listGrid);
    left->addWidget(column.picture);
    left->addWidget(link);
    left->addStretch(1);
    grid->addLayout(left, 0, 0, 7, 1);
    grid->setColumnMinimumWidth(1, 12);
    return column;
}

void TfrmEditAnchor::BuildIShapePage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet3"));
    auto* grid = new QGridLayout(page);
    const SectionColumn column =
        BuildSectionColumn(grid, {7, 8, 10}, "SpeedButton3", nullptr, "Image1", "Label38");
    speedButton3_ = column.edit;
    image1_ = column.picture;

    AddEdit(grid, 0, 2, "Edit11", "Test Load, P", kTagLoad, "kips", true, kLoadHint);
    AddEdit(grid, 1, 2, "Edit1", "Moment Load, Mx", kTagMoment, "kips-ft", false,
            QStringLiteral(
                "'Mx' is the applied flexural bending moment about the X-axis (major axis) of the member."));
    AddEdit(grid, 2, 2, "Edit9", "Moment Load, My", kTagMoment, "kips-ft", false,
            QStringLiteral(
                "'My' is the applied flexural bending moment about the Y-axis (minor axis) of the member."));
    AddEdit(grid, 3, 2, "Edit10", "Yield Strength, Fy", kTagFy, "ksi", false);
    AddEdit(grid, 4, 2, "Edit12", "Effective Length, Kx", kTagK, "", false,
            EffectiveLengthHint("Kx", "X-axis (major axis)"));
    AddEdit(grid, 5, 2, "Edit13", "Effective Length, Ky", kTagK, "", false,
            EffectiveLengthHint("Ky", "Y-axis (minor axis)"));
    grid->setColumnMinimumWidth(5, 12);
    AddEdit(grid, 0, 6, "Edit14", "Unbraced Length, Lx", kTagLength, "ft", false,
            LengthHint("Lx", "X-axis (major axis)"));
    AddEdit(grid, 1, 6, "Edit15", "Unbraced Length, Ly", kTagLength, "ft", true,
            LengthHint("Ly", "Y-axis (minor axis)"));
    AddEdit(grid, 2, 6, "Edit16", "Unbraced Length, Lb", kTagLength, "ft", false, LbHint());
    AddEdit(grid, 3, 6, "Edit17", "Stress Bend. Coeff, Cb", kTagCb, "", false, CbHint());
    AddEdit(grid, 4, 6, "Edit18", "X-axis Bend. Coeff, Cmx", kTagCmx, "", false, CmxHint());
    grid->setRowStretch(6, 1);
    pages_->addTab(page, QStringLiteral("Structural Design"));
}

void TfrmEditAnchor::BuildPipePage() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet4"));
    auto* grid = new QGridLayout(page);
    checkBox1_ = new QCheckBox(QStringLiteral("Concrete Filled"));
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    connect(checkBox1_, &QCheckBox::clicked, this, [this] { Edit2Exit(checkBox1_); });
    const SectionColumn column =
        BuildSectionColumn(grid, {11, 12, 13}, "SpeedButton4", checkBox1_, "Image2", "Label53");
    speedButton4_ = column.edit;
    image2_ = column.picture;

    AddEdit(grid, 0, 2, "Edit21", "Test Load, P", kTagLoad, "kips", true,
            kLoadHint + QStringLiteral("\nSign convention:  + = compression,  -  = tension"));
    AddEdit(grid, 1, 2, "Edit19", "Moment Load, Mr", kTagMoment, "kips-ft", false,
            QStringLiteral("'Mr' is the max applied resultant flexural bending moment about any axis.\n"
                           "Note: the value input MUST BE positive (+)."));
    AddEdit(grid, 2, 2, "Edit20", "Yield Strength, Fy", kTagFy, "ksi", false);
    AddEdit(grid, 3, 2, "Edit22", "Effective Length, K", kTagK, "", false,
            EffectiveLengthHint("K", "X-axis (major axis)"));
    grid->setColumnMinimumWidth(5, 12);
    AddEdit(grid, 0, 6, "Edit23", "Unbraced Length, L", kTagLength, "ft", false,
            LengthHint("L", "X-axis (major axis)"));
    AddEdit(grid, 1, 6, "Edit25", "X-axis Bend. Coeff, Cmx", kTagCmx, "", false, CmxHint());
    AddEdit(grid, 2, 6, "Edit24", "Conc. Compr. Str, F'c", kTagFc, "ksi", false);
    grid->setRowStretch(6, 1);
    pages_->addTab(page, QStringLiteral("Structural Design"));
}

// Unit captions in SI: each caption that begins with an English unit takes the SI one (in the
// order below, so "kips-ft" is turned into "KN-m" before the "kips" test).
void TfrmEditAnchor::SetMetricLabels() {
    static const std::pair<QString, QString> kUnits[] = {
        {QStringLiteral("in"), QStringLiteral("m")},    {QStringLiteral("ft"), QStringLiteral("m")},
        {QStringLiteral("ksi"), QStringLiteral("MPa")}, {QStringLiteral("kips-ft"), QStringLiteral("KN-m")},
        {QStringLiteral("kips"), QStringLiteral("KN")},
    };
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label == HintLabel()) continue;
        QString text = label->text();
        for (const auto& [english, si] : kUnits)
            if (text.startsWith(english)) text.replace(text.indexOf(english), english.size(), si);
        label->setText(text);
    }
}

void TfrmEditAnchor::FitFormToPage() {
    // Only the shown pages count for the size: the tendon page alone for a tieback or tie rod, the
    // three member pages for the braces.
    const bool tendon = kind_ < 2;
    for (int i = 0; i < pages_->count(); ++i) {
        const bool counts = tendon ? i == 0 : i > 0;
        pages_->widget(i)->setSizePolicy(counts ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                                         counts ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    }
    layout()->activate();
    const QSize hint = sizeHint();
    setFixedSize(tendon ? hint : hint.expandedTo(QSize(746, 321)));
}

// ---------------------------------------------------------------------------------------------
// Controls and the copy

QLineEdit* TfrmEditAnchor::Edit(int number) const {
    return findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(number));
}

Ext TfrmEditAnchor::Read(int number) const {
    return ui::GetEditValue(Edit(number), 0, 0, data_.FieldLimits);
}

void TfrmEditAnchor::Write(int number, Ext value) const {
    ui::SetEditValue(Edit(number), false, value, data_.FieldLimits);
}

bool TfrmEditAnchor::IShapePageShown() const {
    return pages_->isTabVisible(2);
}

bool TfrmEditAnchor::PipePageShown() const {
    return pages_->isTabVisible(3);
}

void TfrmEditAnchor::LoadForm() {
    if (kind_ < 2)
        LoadTendon();
    else
        LoadStructural();
}

void TfrmEditAnchor::UpdateForm() {
    if (kind_ < 2) {
        ReadTendon();
        return;
    }
    ReadStructural();
    LoadForm();
}

void TfrmEditAnchor::LoadTendon() {
    pages_->tabBar()->hide();
    for (int i = 1; i < pages_->count(); ++i)
        pages_->setTabVisible(i, false);
    pages_->setCurrentIndex(0);

    const bool tieRod = kind_ == 1;
    comboBox_[4]->setVisible(tieRod);
    findChild<QLabel*>(QStringLiteral("Label6"))->setVisible(tieRod);

    FillBarSizes();
    {
        const QSignalBlocker quiet(comboBox_[1]);
        comboBox_[1]->setCurrentIndex(level_.TendonType);
    }
    ComboBox1Change();
    {
        const QSignalBlocker quiet(comboBox_[2]);
        comboBox_[2]->setCurrentIndex(level_.BarSize);
    }
    ComboBox2Change();
    // The stored grade when this bar offers it; otherwise the grade list keeps its own choice.
    const int grade = comboBox_[3]->findText(QStringLiteral("%1 ksi").arg(level_.Grade));
    if (grade >= 0) ui::SelectComboItemByNumber(comboBox_[3], level_.Grade);
    if (tieRod) comboBox_[4]->setCurrentIndex(level_.TieRodAnchorage);
}

void TfrmEditAnchor::ReadTendon() {
    level_.TendonType = comboBox_[1]->currentIndex();
    if (!comboBox_[2]->isHidden() && comboBox_[2]->currentIndex() >= 0)
        level_.BarSize = comboBox_[2]->currentIndex();
    // A grade is taken only from a chosen item: an empty grade list must never turn into a grade.
    if (!comboBox_[3]->isHidden() && comboBox_[3]->currentIndex() >= 0)
        level_.Grade = ui::GetComboItemNumber(comboBox_[3], level_.Grade);
    if (!comboBox_[4]->isHidden()) level_.TieRodAnchorage = comboBox_[4]->currentIndex();
}

void TfrmEditAnchor::ComboBox1Change() {
    level_.TendonType = comboBox_[1]->currentIndex();
    const bool bar = level_.TendonType == ttThreadedBar;
    comboBox_[2]->setVisible(bar);
    comboBox_[3]->setVisible(bar);
    findChild<QLabel*>(QStringLiteral("Label2"))->setVisible(bar);
    findChild<QLabel*>(QStringLiteral("Label5"))->setVisible(bar);
    // A strand has no grade list; coming back to a threaded bar the list is filled again for the
    // bar shown.
    if (bar) FillGrades();
}

void TfrmEditAnchor::ComboBox2Change() {
    if (comboBox_[2]->currentIndex() >= 0) level_.BarSize = comboBox_[2]->currentIndex();
    FillGrades();
}

void TfrmEditAnchor::FillBarSizes() {
    const QSignalBlocker quiet(comboBox_[2]);
    comboBox_[2]->clear();
    for (const TAnchorBars& bar : data_.GetAnchorBars())
        comboBox_[2]->addItem(QString::fromStdString(bar.Name));
}

void TfrmEditAnchor::FillGrades() {
    QComboBox* grades = comboBox_[3];
    const TAnchorBarTable bars = data_.GetAnchorBars();
    const int remembered =
        grades->currentIndex() >= 0 ? ui::GetComboItemNumber(grades, level_.Grade) : level_.Grade;
    const QSignalBlocker quiet(grades);
    grades->clear();
    if (level_.TendonType == ttThreadedBar && level_.BarSize >= 0 &&
        level_.BarSize < static_cast<int>(bars.size())) {
        const TAnchorBars& bar = bars[static_cast<size_t>(level_.BarSize)];
        if (bar.Cap75 != 0.0L) grades->addItem(QStringLiteral("75 ksi"));
        if (bar.Cap80 != 0.0L) grades->addItem(QStringLiteral("80 ksi"));
        if (bar.Cap150 != 0.0L) grades->addItem(QStringLiteral("150 ksi"));
    }
    const int match = grades->findText(QStringLiteral("%1 ksi").arg(remembered));
    grades->setCurrentIndex(match >= 0 ? match : 0);
}

void TfrmEditAnchor::LoadStructural() {
    pages_->tabBar()->show();
    pages_->setTabVisible(0, false);
    pages_->setTabVisible(1, true);
    if (pages_->currentIndex() == 0) pages_->setCurrentIndex(1);

    if (comboBox_[10]->count() == 0) LoadShapeCatalogs();
    data_.CheckLevelMember(level_, index_, kind_ >= 4 ? data_.CornerBraces : data_.Anchors);

    const auto select = [](QComboBox* combo, int index) {
        const QSignalBlocker quiet(combo);
        combo->setCurrentIndex(index);
    };
    select(comboBox_[5], level_.PileSoilInterface);
    select(comboBox_[6], level_.PileInstallation);
    select(comboBox_[9], level_.MemberKind);
    {
        const QSignalBlocker quiet(chkUseReinforcement_);
        chkUseReinforcement_->setChecked(level_.StructuralDesign);
    }

    const bool design = level_.StructuralDesign;
    const bool ishape = level_.MemberKind == 0;
    const bool pipe = level_.MemberKind == 1;
    pages_->setTabVisible(2, design && ishape);
    pages_->setTabVisible(3, design && pipe);

    // With the design on, the member's outline comes from its section.
    ui::SetReadOnlyLook(Edit(2), design);
    ui::SetReadOnlyLook(Edit(8), design);
    findChild<QLabel*>(QStringLiteral("Label3"))
        ->setText(ishape ? QStringLiteral("Width") : QStringLiteral("Diameter"));
    Edit(8)->setVisible(ishape);
    findChild<QLabel*>(QStringLiteral("Label17"))->setVisible(ishape);
    findChild<QLabel*>(QStringLiteral("Label18"))->setVisible(ishape);

    // Member lists of both design pages, each narrowed by its edit button for a user-defined section.
    const auto selectLists = [&](int family, int type, int size, QToolButton* button, bool pipe) {
        select(comboBox_[family], level_.ShapeFamily);
        select(comboBox_[type], level_.MemberType);
        select(comboBox_[size], StoredSectionItem(comboBox_[size], pipe));
        button->setVisible(level_.ShapeRow == -1);
    };
    selectLists(7, 8, 10, speedButton3_, false);
    selectLists(11, 12, 13, speedButton4_, true);
    {
        const QSignalBlocker quiet(checkBox1_);
        checkBox1_->setChecked(level_.ConcreteFilled);
    }
    for (const auto& [number, field] : kLevelEdits)
        Write(number, level_.*field);

    DrawSection();
}

void TfrmEditAnchor::ReadStructural() {
    level_.PileSoilInterface = comboBox_[5]->currentIndex();
    level_.PileInstallation = comboBox_[6]->currentIndex();
    level_.MemberKind = comboBox_[9]->currentIndex();
    level_.StructuralDesign = chkUseReinforcement_->isChecked();

    if (!level_.StructuralDesign) {
        level_.MemberWidth = Read(2);
        level_.MemberLength = Edit(8)->isHidden() ? level_.MemberWidth : Read(8);
    }
    level_.MemberE = Read(4);

    // The chosen row is copied into the level, unless the list still shows a stored section that
    // the catalog has elsewhere or not at all.
    const auto takeRow = [this](QComboBox* list, bool familyKept, bool pipe) {
        if (familyKept && StoredSectionStands(list, pipe) &&
            list->currentIndex() == StoredSectionItem(list, pipe))
            return;
        data_.SelectMemberRow(level_, list->currentIndex());
    };
    const Ext perMemberUnit = data_.UnitVal(1000.0L, 12.0L); // mm per m, in per ft
    if (level_.StructuralDesign && level_.MemberKind == 0) {
        const bool familyKept = comboBox_[7]->currentIndex() == level_.ShapeFamily;
        if (!familyKept) comboBox_[10]->clear();
        level_.ShapeFamily = comboBox_[7]->currentIndex();
        if (comboBox_[10]->count() == 0) LoadShapeCatalogs();
        level_.MemberType = comboBox_[8]->currentIndex();
        takeRow(comboBox_[10], familyKept, false);
        level_.Mx = Read(1);
        level_.My = Read(9);
        level_.Fy = Read(10);
        level_.Kx = Read(12);
        level_.Ky = Read(13);
        level_.Lx = ui::GetEditValue(Edit(14), kMinUnbracedLength, 0, data_.FieldLimits);
        level_.Ly = level_.Lx;
        level_.Lb = Read(16);
        level_.Cb = Read(17);
        level_.Cmx = Read(18);
        if (level_.IShape.Bf != 0.0L) level_.MemberWidth = level_.IShape.Bf / perMemberUnit;
        if (level_.IShape.D != 0.0L) level_.MemberLength = level_.IShape.D / perMemberUnit;
    } else if (level_.StructuralDesign && level_.MemberKind == 1) {
        const bool familyKept = comboBox_[11]->currentIndex() == level_.ShapeFamily;
        if (!familyKept) comboBox_[13]->clear();
        level_.ShapeFamily = comboBox_[11]->currentIndex();
        if (comboBox_[13]->count() == 0) LoadShapeCatalogs();
        level_.MemberType = comboBox_[12]->currentIndex();
        takeRow(comboBox_[13], familyKept, true);
        level_.ConcreteFilled = checkBox1_->isChecked();
        level_.Mx = Read(19);
        level_.Fy = Read(20);
        level_.Kx = Read(22);
        level_.Lx = ui::GetEditValue(Edit(23), kMinUnbracedLength, 0, data_.FieldLimits);
        level_.Cmx = Read(25);
        level_.Fc = Read(24);
        if (level_.OShape.OD != 0.0L) level_.MemberWidth = level_.OShape.OD / perMemberUnit;
    }
}

// The member catalogs of the level's family in the project's units, into the project's member
// tables that picking a row reads, and into both size lists.
void TfrmEditAnchor::LoadShapeCatalogs() {
    const auto family = static_cast<uint8_t>(std::max(0, level_.ShapeFamily));
    const bool si = data_.Units == usSI;
    BeamShapes::LoadIShapes(family, si, data_.MemberIShapes);
    BeamShapes::LoadOShapes(family, si, data_.MemberOShapes);
    std::vector<std::string> names;
    for (const TIShape& row : data_.MemberIShapes)
        names.push_back(row.Name);
    FillShapeList(comboBox_[10], names);
    names.clear();
    for (const TOShape& row : data_.MemberOShapes)
        names.push_back(row.Name);
    FillShapeList(comboBox_[13], names);
}

// A level's section is its own copy of a catalog row. Projects made with catalogs that differ from
// ours (a row more or less, sections we do not list) name another section at the stored row number;
// such a section stands as stored until the user chooses another one. A section of the other unit
// system's catalog at its row is that row after a switch of units.
bool TfrmEditAnchor::StoredSectionStands(const QComboBox* list, bool pipe) const {
    const int row = level_.ShapeRow;
    const QString name = QString::fromStdString(pipe ? level_.OShape.Name : level_.IShape.Name);
    if (row < 0 || name.isEmpty() || (row < list->count() - 1 && list->itemText(row) == name)) return false;
    const auto family = static_cast<uint8_t>(std::max(0, level_.ShapeFamily));
    const bool otherSI = data_.Units != usSI;
    std::string other;
    if (pipe) {
        TArrOShapes rows;
        BeamShapes::LoadOShapes(family, otherSI, rows);
        if (row < static_cast<int>(rows.size())) other = rows[static_cast<size_t>(row)].Name;
    } else {
        TArrIShapes rows;
        BeamShapes::LoadIShapes(family, otherSI, rows);
        if (row < static_cast<int>(rows.size())) other = rows[static_cast<size_t>(row)].Name;
    }
    return QString::fromStdString(other) != name;
}

// The list item that shows the level's section: its row, else for a section that stands as stored
// the item of its name; the last item ("User Defined") for a user-defined section or a name the
// catalog lacks.
int TfrmEditAnchor::StoredSectionItem(const QComboBox* list, bool pipe) const {
    const int last = list->count() - 1;
    const int row = level_.ShapeRow;
    if (!StoredSectionStands(list, pipe)) return row >= 0 && row < last ? row : last;
    const int byName = list->findText(QString::fromStdString(pipe ? level_.OShape.Name : level_.IShape.Name),
                                      Qt::MatchExactly);
    return byName >= 0 && byName < last ? byName : last;
}

// A list filled before keeps its section by name; failing that the level's row ("User Defined"
// for none). A list filled for the first time starts at its first section.
void TfrmEditAnchor::FillShapeList(QComboBox* list, const std::vector<std::string>& names) {
    const QSignalBlocker quiet(list);
    const int oldCount = list->count();
    const QString oldText = list->currentIndex() >= 0 ? list->currentText() : QString();
    list->clear();
    for (const std::string& name : names)
        list->addItem(QString::fromStdString(name));
    list->addItem(kUserDefined);
    if (oldCount == 0) {
        list->setCurrentIndex(0);
        return;
    }
    int index = oldText.isEmpty() ? -1 : list->findText(oldText, Qt::MatchExactly);
    if (index < 0)
        index = level_.ShapeRow < 0 || level_.ShapeRow >= list->count() ? list->count() - 1 : level_.ShapeRow;
    list->setCurrentIndex(index);
}

void TfrmEditAnchor::DrawSection() {
    const auto draw = [this](QLabel* picture, int kind, bool shown) {
        if (!shown || !Pictures().draw) {
            picture->clear();
            return;
        }
        QImage image(picture->size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        Pictures().draw(image, data_, kind, level_);
        picture->setPixmap(QPixmap::fromImage(image));
    };
    draw(image1_, 3, IShapePageShown());
    draw(image2_, 4, PipePageShown());
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TfrmEditAnchor::Edit2Exit(QWidget* sender) {
    if (busy_) return;
    busy_ = true;
    ShowFieldHint(sender, QString());
    UpdateForm();
    busy_ = false;
}

void TfrmEditAnchor::Edit11Enter(QWidget* sender) {
    const QString hint = sender->property("hint").toString();
    if (!hint.isEmpty()) ShowFieldHint(sender, hint);
}

bool TfrmEditAnchor::eventFilter(QObject* watched, QEvent* event) {
    if (busy_) return EditorDialog::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (qobject_cast<QLineEdit*>(watched)) Edit11Enter(widget);
        break;
    case QEvent::FocusOut: {
        // Leaving an edit commits it; a pop-up list or another window taking the focus does not.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (qobject_cast<QLineEdit*>(watched) && reason != Qt::PopupFocusReason &&
            reason != Qt::ActiveWindowFocusReason && kind_ >= 2)
            Edit2Exit(widget);
        else if (qobject_cast<QLineEdit*>(watched))
            ShowFieldHint(widget, QString());
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            if (watched == image1_ || watched == image2_) {
                Image1Click(watched == image1_ ? 3 : 4);
                return true;
            }
            if (watched->objectName() == QLatin1String("Label38") ||
                watched->objectName() == QLatin1String("Label53")) {
                Label38Click();
                return true;
            }
        }
        break;
    default:
        break;
    }
    return EditorDialog::eventFilter(watched, event);
}

void TfrmEditAnchor::SpeedButton1Click(int tag) {
    TfrmComputations form(this);
    const bool interface = tag == 1;
    form.SetColumns(
        QStringLiteral("Help"),
        interface ? QStringList{QStringLiteral("Pile and Soil Interface"), QStringLiteral("PhiS / Phi")}
                  : QStringList{QStringLiteral("Pile Type"), QStringLiteral("K / K0")});
    const auto row = [&](const char* name, const QString& value) {
        form.AddRow(QString::fromLatin1(name), {value});
    };
    if (interface) {
        row("Rough Concrete", platform::FormatFixed(1.0, 1));
        row("Smooth Concrete", platform::FormatFixedText("%.1f - %.1f", {0.8, 1.0}));
        row("Rough Steel", platform::FormatFixedText("%.1f - %.1f", {0.7, 0.9}));
        row("Smooth Steel", platform::FormatFixedText("%.1f - %.1f", {0.5, 0.7}));
        row("Timber", platform::FormatFixedText("%.1f - %.1f", {0.8, 0.9}));
    } else {
        row("Jetted Pile", QStringLiteral("1/2 - 2/3"));
        row("Pile - small displacement", QStringLiteral("3/4 - 1 1/4"));
        row("Pile - large displacement", QStringLiteral("1 - 2"));
    }
    form.SetColumnWidth(0, 220);
    form.SetColumnWidth(1, 150);
    // Two font heights per row, the heading included, and the list's margin above and below.
    const int fontHeight = std::abs(1 - QFontInfo(form.List()->font()).pixelSize());
    const int rowCount = form.List()->topLevelItemCount();
    form.resize(420, 2 * fontHeight * (rowCount + 1) + 2 * form.layout()->contentsMargins().top());
    platform::ExecModal(form);
}

void TfrmEditAnchor::SpeedButton3Click() {
    bool accepted = false;
    if (IShapePageShown())
        accepted = EditUserDefinedIShape(data_, level_, this);
    else if (PipePageShown())
        accepted = EditUserDefinedHollow(data_, level_, this);
    if (accepted) UpdateForm();
}

void TfrmEditAnchor::Label38Click() {
    ShowMemberCheckTable(data_, level_, this);
}

void TfrmEditAnchor::Image1Click(int kind) {
    if (!Pictures().draw || !Pictures().zoom) return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QImage image(std::max(1, area.width() - 20), std::max(1, area.height() - 100), QImage::Format_RGB32);
    image.fill(Qt::white);
    Pictures().draw(image, data_, kind, level_);
    Pictures().zoom(image, this);
}

// ---------------------------------------------------------------------------------------------

bool EditAnchorLevel(int index, int kind, TKdData& data, QWidget* parent) {
    TArrAnchLevels& levels = kind >= 4 ? data.CornerBraces.Levels : data.Anchors.Levels;
    if (index < 0 || index >= static_cast<int>(levels.size())) return false;
    TfrmEditAnchor dialog(data, index, kind, levels[static_cast<size_t>(index)], parent);
    if (platform::ExecModal(dialog) != QDialog::Accepted) return false;
    dialog.UpdateForm();
    levels[static_cast<size_t>(index)] = dialog.Level();
    return true;
}

} // namespace vantrel
