// The road of an input into the project. A change marks the project modified; a commit copies
// every input of the window into the project (ReadInputs) and ends with the refresh that
// recomputes the design and shows it (UpdateForm).
//
// Commit triggers: a drop-down list, check box or radio button commits when the user chooses
// (activated, clicked); typed edits, the date and the editable embedment ratio only mark the
// project modified and commit when the focus leaves them. The focus-out is watched by an event
// filter rather than editingFinished, which Qt sends only when the text changed. Focus moving to a
// pop-up, a menu or another window is not leaving the input, and nothing commits while a commit or
// a refresh runs (the refresh hides and rebuilds controls, which moves the focus).

#include "ui/KdMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>

#include <cmath>
#include <exception>
#include <functional>
#include <optional>
#include <array>
#include <utility>

#include "model/KdClasses.h"
#include "platform/Dialogs.h"
#include "ui/Globals.h"
#include "ui/Widgets.h"

namespace vantrel::ui {

namespace {

// A control whose choice commits at once.
bool CommitsAtOnce(const QWidget* w) {
    if (const auto* combo = qobject_cast<const QComboBox*>(w)) return !combo->isEditable();
    return qobject_cast<const QCheckBox*>(w) != nullptr || qobject_cast<const QRadioButton*>(w) != nullptr;
}

bool IsInput(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w) ||
           qobject_cast<const QDateEdit*>(w);
}

constexpr int kDayZeroYear = 1899; // day 0 of the project date is 1899-12-30
const QDate kDayZero(kDayZeroYear, 12, 30);

} // namespace

// Watches the inputs for the focus leaving them.
class CommitFilter : public QObject {
  public:
    explicit CommitFilter(TfrmKdMain& window) : window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut)
            window_.InputFocusOut(static_cast<QWidget*>(watched), static_cast<QFocusEvent*>(event)->reason());
        return false;
    }

  private:
    TfrmKdMain& window_;
};

// --- Wiring -----------------------------------------------------------------------------------

void TfrmKdMain::ConnectInput(QWidget* w) {
    if (!w || w->property("vantrelCommitWired").toBool()) return;
    // The line edits inside combo boxes and date editors belong to their owner.
    if (qobject_cast<QLineEdit*>(w) &&
        (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractSpinBox*>(w->parentWidget())))
        return;
    if (!IsInput(w)) return;
    w->setProperty("vantrelCommitWired", true);
    if (!commitFilter_) commitFilter_ = std::make_unique<CommitFilter>(*this);
    w->installEventFilter(commitFilter_.get());

    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { ComboBox1Change(edit); });
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        connect(combo, &QComboBox::activated, this, [this, combo] { ComboBox1Change(combo); });
        if (combo->isEditable() && combo->lineEdit())
            connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                    [this, combo] { ComboBox1Change(combo); });
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
        connect(check, &QCheckBox::clicked, this, [this, check] { ComboBox1Change(check); });
    } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
        connect(radio, &QRadioButton::clicked, this, [this, radio] { ComboBox1Change(radio); });
    } else if (auto* date = qobject_cast<QDateEdit*>(w)) {
        // Program writes go under a signal blocker, so a date change here is the user's.
        connect(date, &QDateEdit::dateChanged, this, [this, date] { ComboBox1Change(date); });
    }
}

void TfrmKdMain::ConnectInputs(QWidget* container) {
    ConnectInput(container);
    for (QWidget* w : container->findChildren<QWidget*>())
        ConnectInput(w);
}

// --- Triggers ---------------------------------------------------------------------------------

void TfrmKdMain::ComboBox1Change(QWidget* sender) {
    if (busy_ > 0) return; // a program write that slipped past its signal blocker
    if (sender == Control(QStringLiteral("ComboBox1")) && !ConfirmUnitSwitch()) return;
    SetModified(true);
    if (CommitsAtOnce(sender)) ComboBox1Exit(sender);
}

void TfrmKdMain::InputFocusOut(QWidget* w, Qt::FocusReason reason) {
    if (busy_ > 0 || closing_) return;
    // A pop-up list, a menu or another window took the focus: the input has not been left.
    if (reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason ||
        reason == Qt::ActiveWindowFocusReason)
        return;
    if (!w->window()->isVisible() || w->isHidden()) return;
    // A computed edit holds nothing typed.
    if (const auto* edit = qobject_cast<const QLineEdit*>(w); edit && edit->isReadOnly()) return;
    ComboBox1Exit(w);
}

void TfrmKdMain::ComboBox1Exit(QWidget* /*sender*/) {
    if (busy_ > 0) return;
    try {
        ShowInputHint(nullptr, QString());
        ReadInputs();
    } catch (const std::exception& e) {
        // Nothing may cross the event loop; the calculation itself never throws.
        platform::ShowError(this, QString::fromLocal8Bit(e.what()));
    }
}

// Save and Print take the value being typed: Qt's tool buttons and short-cuts leave the focus where
// it is, so the input is committed first. The offer to save commits it for New, Open and Exit.
void TfrmKdMain::ActionList1Execute(QAction* action) {
    if (action == ASave || action == ASaveAs || action == APrint) CommitFocusedInput();
}

void TfrmKdMain::CommitFocusedInput() {
    // The window's own focus: another window (the update dialog) may be the active one.
    QWidget* focused = focusWidget();
    if (!focused) return;
    // The focus of an editable combo box or a date editor may sit in its inner line edit.
    if (!focused->property("vantrelCommitWired").toBool() && focused->parentWidget() &&
        focused->parentWidget()->property("vantrelCommitWired").toBool())
        focused = focused->parentWidget();
    if (focused->property("vantrelCommitWired").toBool()) ComboBox1Exit(focused);
}

// --- Reading helpers --------------------------------------------------------------------------

Ext TfrmKdMain::ReadNumber(QLineEdit* edit, Ext min, Ext max) {
    if (editTrace_) editTrace_->read.insert(edit);
    return GetEditValue(edit, min, max, Data().FieldLimits);
}

void TfrmKdMain::ReadNumber(const char* name, Ext& field) {
    if (auto* edit = Ctl<QLineEdit>(name); edit && !KeepsStored(edit, field, false, 0, 0)) field = ReadNumber(edit);
}

void TfrmKdMain::ReadNumber(const char* name, double& field) {
    if (auto* edit = Ctl<QLineEdit>(name); edit && !KeepsStored(edit, field, false, 0, 0))
        field = static_cast<double>(ReadNumber(edit));
}

// An edit that still shows the stored value as its field formats it keeps that value while it lies
// within the limits (the caller's own, or its field's): a commit changes what was typed and what
// new limits change, and a number with more decimals than its edit shows (a file's, a computed
// one made an input) stays as it is held.
bool TfrmKdMain::KeepsStored(const QLineEdit* edit, Ext stored, bool own, Ext lo, Ext hi) const {
    if (std::isnan(stored) || edit->text() != FormatFloat(stored, 10, EditDigits(edit, Data().FieldLimits)))
        return false;
    if (!own) {
        const int tag = Tag(edit);
        if (tag < 1 || tag > kFieldLimitCount || !Data().FieldLimits[static_cast<size_t>(tag)].HasLimit())
            return true;
        lo = Data().FieldLimits[static_cast<size_t>(tag)].Min;
        hi = Data().FieldLimits[static_cast<size_t>(tag)].Max;
    }
    return stored >= std::min(lo, hi) && stored <= hi;
}

Ext TfrmKdMain::ReadBetween(QLineEdit* edit, Ext lo, Ext hi) {
    // The caller's limits are real limits, 0 included (the shared reader takes 0 as "none"), and
    // replace the field's own: below lo gives lo, otherwise above hi gives hi, each as the edit
    // shows it. The edit shows what is stored.
    if (editTrace_) editTrace_->read.insert(edit);
    // Limits that cross (a wall too low for the field's least deflection, pressure points too
    // close for two between them) leave one value, the upper limit: the stricter deflection, the
    // inner points at the end.
    if (hi < lo) lo = hi;
    QString text = edit->text();
    text.remove(QLocale().groupSeparator());
    Ext typed = 0;
    if (!ParseNumber(text, typed)) typed = 0;
    const int digits = EditDigits(edit, Data().FieldLimits);
    Ext value = AsShown(typed, digits);
    if (value < lo)
        value = ShownLimit(lo, true, lo, hi, digits);
    else if (value > hi)
        value = ShownLimit(hi, false, lo, hi, digits);
    if (value != typed) SetNumber(edit, value, true);
    return value;
}

void TfrmKdMain::ReadBetween(QLineEdit* edit, Ext& field, Ext lo, Ext hi) {
    if (edit && !KeepsStored(edit, field, true, lo, hi)) field = ReadBetween(edit, lo, hi);
}

void TfrmKdMain::ReadBetween(const char* name, Ext& field, Ext lo, Ext hi) {
    ReadBetween(Ctl<QLineEdit>(name), field, lo, hi);
}

void TfrmKdMain::ReadBetween(const char* name, double& field, Ext lo, Ext hi) {
    if (auto* edit = Ctl<QLineEdit>(name); edit && !KeepsStored(edit, field, true, lo, hi))
        field = static_cast<double>(ReadBetween(edit, lo, hi));
}

int TfrmKdMain::ListIndex(const char* name, int fallback) const {
    const auto* combo = Ctl<QComboBox>(name);
    return combo && combo->currentIndex() >= 0 ? combo->currentIndex() : fallback;
}

bool TfrmKdMain::Checked(const char* name, bool fallback) const {
    if (const auto* box = Ctl<QAbstractButton>(name)) return box->isChecked();
    return fallback;
}

QString TfrmKdMain::Text(const char* name) const {
    const auto* edit = Ctl<QLineEdit>(name);
    return edit ? edit->text() : QString();
}

// The two inner X of a group of four pressure points: the first and last X stay, the second lies
// within (first + 0.01, last - 0.02) and the third within (second + 0.01, last - 0.01).
void TfrmKdMain::ReadInnerPoints(TPressurePoint* group, const char* second, const char* third) {
    ReadBetween(second, group[1].X, group[0].X + 0.01L, group[3].X - 0.02L);
    ReadBetween(third, group[2].X, group[1].X + 0.01L, group[3].X - 0.01L);
}

// --- ReadInputs -------------------------------------------------------------------------------

void TfrmKdMain::ReadInputs() {
    const BusyScope busy(busy_);
    TKdData& d = Data();
    // Blocks that a choice of this commit may hide or show: each is read only when it showed the
    // project before the commit and still belongs to the choice after it. A block switched away
    // keeps what the project stores; one switched back shows it again.
    const bool pressurePointsShown = IsShown("Panel19");
    const bool cageShown = IsShown("Panel29");
    const bool beamShown = IsShown("Panel27");
    const ShownBlocks blocksShown = GatedBlocksShown();
    // The ends of the user's pressure diagrams, which the calculation moves with the wall.
    const auto diagramEnds = [&d] {
        return std::array<Ext, 3>{d.LoadingSidePoints[3].X, d.LoadingSidePoints[7].X, d.UnfactoredPoints[3].X};
    };
    const std::array<Ext, 3> endsBefore = diagramEnds();

    // 1. Project information. The logo is the model's own JPEG: choosing or clearing it stores it
    // at once, and a commit never re-encodes it.
    d.Organization = ToProjectText(Text("Edit28"));
    d.ProjectName = ToProjectText(Text("Edit33"));
    d.JobNumber = ToProjectText(Text("Edit27"));
    d.DesignedBy = ToProjectText(Text("Edit29"));
    if (const auto* date = Ctl<QDateEdit>("DateTimePicker1"))
        d.Date = static_cast<double>(kDayZero.daysTo(date->date()));

    // 2. Unit system. The lists and captions are rebuilt for a new system at once; the refresh
    // shows the project's numbers with the new system's limits, which the steps below read.
    d.SetUnits(static_cast<uint8_t>(ListIndex("ComboBox1", d.Units)));
    if (d.Units != unitsApplied_) {
        // What a sheet pile overrode was a number of the other system.
        sheetAway_.reset();
        FillSectionLists(false);
        try {
            UpdateForm();
        } catch (const std::exception&) {
            // The commit below refreshes the window once more.
        }
        unitsApplied_ = d.Units;
    }

    // 3. Lists whose source is about to change.
    const int walerTab = tabIndex("TabControl1");
    TWaler* selectedWaler = walerTab >= 0 && walerTab < static_cast<int>(d.Anchors.Levels.size())
                                ? &d.Anchors.Levels[static_cast<size_t>(walerTab)].Waler
                                : nullptr;
    const int family = ListIndex("ComboBox8", d.ShapeFamily);
    const int pileType = ListIndex("ComboBox4", d.PileType);
    const int standard = ListIndex("ComboBox13", d.RebarStandard);
    const int walerFamily = ListIndex("ComboBox24", selectedWaler ? selectedWaler->ShapeFamily : 0);
    if (family != d.ShapeFamily || pileType != d.PileType) ClearList("ComboBox5");
    if (standard != d.RebarStandard || ListIndex("ComboBox12", d.PileSection) != d.PileSection) {
        ClearList("ComboBox14");
        ClearList("ComboBox16");
    }
    if (selectedWaler && walerFamily != selectedWaler->ShapeFamily) ClearList("ComboBox23");

    // 4. What changes against the project.
    const bool pressureMethodChanged = ListIndex("ComboBox2", d.PressureMethod) != d.PressureMethod;
    bool installationChanged = ListIndex("ComboBox3", d.Installation) != d.Installation;
    bool pileSectionChanged = ListIndex("ComboBox12", d.PileSection) != d.PileSection;
    const bool pileTypeChanged = pileType != d.PileType;
    (void)pressureMethodChanged;
    // A pile made a sheet pile is remembered as it was; switched back to its own type, it is
    // given back what the sheet pile overrode (steps 7, 8, 14 and 24).
    if (pileTypeChanged && pileType == ptSheet)
        sheetAway_ = SheetAway{d.PileType, d.Installation, d.PileSection, d.Anchors.AnchorSpacingItem,
                               d.PileSpacing, d.Anchors.MaxDeflection};
    std::optional<SheetAway> sheetBack;
    if (pileTypeChanged && d.PileType == ptSheet && sheetAway_ && sheetAway_->pileType == pileType)
        sheetBack = sheetAway_;
    if (pileTypeChanged && pileType != ptSheet) sheetAway_.reset();

    // 5. Family, bar standard, pile type and waler family; then the lists emptied above.
    d.SetShapeFamily(static_cast<uint8_t>(family));
    d.RebarStandard = standard;
    const bool leavesSheet = pileTypeChanged && d.PileType == ptSheet;
    d.SetPileType(pileType);
    // The section a sheet pile's row overrode is the selected row of the pile it becomes again.
    if (leavesSheet) d.SetShapeIndex(d.CurrentShapeIndex());
    if (selectedWaler) selectedWaler->ShapeFamily = static_cast<uint8_t>(walerFamily);
    FillSectionLists(true);

    // 6. Pressure method.
    d.PressureMethod = ListIndex("ComboBox2", d.PressureMethod);

    // 7. Installation: a sheet pile is driven.
    const bool sheet = d.PileType == ptSheet;
    if (pileTypeChanged && sheet) {
        installationChanged = d.Installation != 1 || installationChanged;
        d.Installation = 1;
    } else {
        d.Installation = ListIndex("ComboBox3", d.Installation);
        if (sheetBack && d.Installation == 1) {
            installationChanged = installationChanged || sheetBack->installation != 1;
            d.Installation = sheetBack->installation;
        }
    }

    // 8. Pile sections offered by the installation: a rebar cage is drilled.
    const int oldSection = d.PileSection;
    // A drilled rebar cage made driven is an I-beam; drilled again, it is the cage once more
    // unless another section was chosen meanwhile.
    std::optional<int> sectionBack;
    if (sheetBack)
        sectionBack = sheetBack->pileSection;
    else if (installationChanged && d.Installation == 0 && drivenAway_ && oldSection == psIBeam)
        sectionBack = drivenAway_;
    if (installationChanged) drivenAway_.reset();
    if (installationChanged && d.Installation == 1 && !sheet && oldSection == psRebarCage)
        drivenAway_ = psRebarCage;
    if (auto* sections = Ctl<QComboBox>("ComboBox12")) {
        if (sectionBack) d.PileSection = *sectionBack;
        OfferPileSections();
        if (sectionBack) SelectItem("ComboBox12", d.PileSection);
        d.PileSection = !sheet && sections->isEnabled() ? std::max(0, sections->currentIndex()) : psIBeam;
    } else if (sheet) {
        d.PileSection = psIBeam;
    }
    pileSectionChanged = pileSectionChanged || d.PileSection != oldSection;

    // 9. Visibility and captions of the structural data.
    ShowPileTypeRows();

    // 10. A new section kind offers other rows, from the first. A new pile type shows the row it
    // stores: a sheet pile its row of the sheet table, any other pile its beam or pipe row.
    if (pileSectionChanged) {
        ClearList("ComboBox5");
        FillSectionLists(true);
    }
    if (pileTypeChanged) SelectPileRow();

    // 11. A new installation has its own bearing width.
    if (installationChanged)
        if (auto* width = Ctl<QLineEdit>("Edit_18")) SetNumber(width, d.TributaryWidth(), false);

    // 12. The default yield strength follows the section kind: 60 ksi reinforcing steel for a
    // rebar cage, 50 ksi structural steel otherwise.
    if (pileSectionChanged)
        if (auto* fy = Ctl<QLineEdit>("Edit_23")) {
            const Ext typed = ReadNumber(fy);
            if (d.PileSection == psRebarCage && typed == 50.0L)
                SetNumber(fy, 60.0L, false);
            else if (oldSection == psRebarCage && d.PileSection != psRebarCage && typed == 60.0L)
                SetNumber(fy, 50.0L, false);
        }

    // 13. Shored height.
    ReadNumber("Edit_16", d.ShoredHeight);
    const Ext H = d.ShoredHeight;

    // 14. The pile spacing follows the width and the section (after step 19).

    // 15. Pile width or pier diameter, an input of drilled piles only.
    if (d.Installation == 0 && !sheet) ReadNumber("Edit_18", d.PileWidth);

    // 16. Soil.
    ReadNumber("Edit_5", d.SoilRecords[0].UnitWeight);
    if (d.SoilInputMode != 0 && d.PressureMethod != 1) d.SoilRecords[2].Surcharge = 1.0L;
    if (d.PressureMethod == 1) ReadNumber("Edit_35", d.IgnorePassive);

    // 17. Loads on the pile; the pier's bearing while its block is shown.
    ReadNumber("Edit_Ax1", d.AxialLoad);
    if (IsShown("Panel65")) ReadPierBearing();

    // 18. User-defined pressure diagrams, read while they are shown.
    if (pressurePointsShown && d.PressureMethod == 1) ReadPressurePoints();

    // 19. Steel and the pile section, whose row is read while the beam block shows it and the pile
    // is no rebar cage: a cage keeps the row it stores.
    ReadNumber("Edit_22", d.SteelE);
    if (beamShown) ReadPileRow();
    // 19a. Pile spacing by pile type, read once the width and the section that limit it are: a
    // tangent wall is two widths, a secant one 1.33 to 1.67. A spacing given back goes through its
    // edit like a typed one.
    if (sheetBack && d.PileType != ptTangent)
        if (auto* spacing = Ctl<QLineEdit>("Edit_17")) SetNumber(spacing, sheetBack->pileSpacing, true);
    ReadPileSpacing();

    ReadNumber("Edit_23", d.SteelFy);
    ReadNumber("Edit_25", d.ConcreteFc);
    d.PipeFilledWithConcrete = Checked("CheckBox1", d.PipeFilledWithConcrete);

    // 20. Lagging. The lagging concrete strength is read whenever its list is shown.
    d.LaggingType = ListIndex("ComboBox7", d.LaggingType);
    ReadNumber("Edit_34", d.ArchingFactor);
    if (IsShown("pnlLagging")) {
        ReadNumber("Edit_29", d.TimberFb);
        ReadNumber("Edit_30", d.TimberFv);
        ReadNumber("Edit_31", d.TimberFcPerp);
        ReadNumber("Edit_32", d.LaggingSizeFactor);
        ReadNumber("Edit_33", d.LaggingFlatUseFactor);
    } else {
        ReadNumber("Edit_86", d.TimberFb);
        ReadNumber("Edit_87", d.TimberFv);
        ReadNumber("Edit_88", d.TimberE);
        d.SouthernPine = Checked("CheckBox2", d.SouthernPine);
        d.LumberGrade = ListIndex("ComboBox11", d.LumberGrade);
    }
    if (IsShown("ComboBox9")) d.LaggingConcreteSet = ListIndex("ComboBox9", d.LaggingConcreteSet);

    // 21. Pier reinforcement, read while the rebar cage block shows it and the pile stays a cage:
    // the cover's limit follows the pier, and another pile keeps the cage it stores.
    if (cageShown && d.PileSection == psRebarCage && !sheet) ReadPierReinforcement();

    // 22. Guardrail. The spacing is the base the list shows times 1 or 2: the pile spacing, or
    // 8 ft (2.5 m) for sheet piles.
    d.UseGuardrail = Checked("CheckBox4", d.UseGuardrail);
    d.GuardrailAngle = ListIndex("ComboBox17", d.GuardrailAngle);
    ReadNumber("Edit_89", d.GuardrailLength);
    ReadNumber("Edit_92", d.GuardrailLoad);
    ReadNumber("Edit_93", d.GuardrailPointLoad);
    if (Ctl<QComboBox>("ComboBox18"))
        d.GuardrailSpacing = GuardrailSpacingBase() * static_cast<Ext>(ListIndex("ComboBox18", 0) + 1);

    // 23. The user-defined earth pressure diagram of the support system, read only while it is
    // shown and the soil type stays: a project of a standard soil keeps the diagram it stores.
    // The edits show ksf, the project holds psf. Then the soil type itself.
    const int soilType = ListIndex("ComboBox6", d.Anchors.SoilType);
    if (soilType == d.Anchors.SoilType && IsShown("Panel4")) ReadSoilDiagram();
    d.Anchors.SoilType = soilType;

    // 24. The support system. Rows are read for the levels they showed; a level a raised count
    // adds starts from the defaults of a new level.
    const int levelsShown = d.Anchors.UsedLevels();
    // A project stored without levels (a cantilever, which a file may hold) keeps none while its
    // "0" stands; a count typed lies within the field's 1 to 8.
    if (auto* levels = Ctl<QLineEdit>("Edit_101")) {
        Ext shown = -1;
        const bool keepsNone = d.Anchors.LevelCount == 0 && ParseNumber(levels->text(), shown) && shown == 0;
        if (!keepsNone) d.Anchors.LevelCount = static_cast<int32_t>(std::nearbyint(ReadNumber(levels)));
    }
    ReadNumber("Edit_96", d.Anchors.SheetPileSpacingStep);
    // The deflection and spacing multiple given back go through their controls like typed ones.
    if (sheetBack) {
        if (auto* deflection = Ctl<QLineEdit>("Edit_108")) SetNumber(deflection, sheetBack->maxDeflection, true);
        SelectItem("ComboBox25", sheetBack->anchorSpacingItem - 1);
    }
    // The spacing multiple 1..5 of the chosen "Anchor Spacing" item; sheet piles use the step.
    d.Anchors.AnchorSpacingItem = sheet ? 1 : ListIndex("ComboBox25", d.Anchors.AnchorSpacingItem - 1) + 1;
    ReadBetween("Edit_103", d.Anchors.LoadingHeight, H, 1.25L * H);
    // Embedment ratio: at most 0.65, and at least the ratio of the least embedment (8 ft, 2.5 m);
    // on a short wall the least embedment governs.
    if (auto* ratio = Ctl<QComboBox>("ComboBox19"); ratio && ratio->lineEdit()) {
        const Ext least = SafeDiv(d.UnitVal(2.5L, 8.0L), H);
        ReadBetween(ratio->lineEdit(), d.Anchors.EmbedmentRatio, least, MaxOf(0.65L, least));
    }
    ReadNumber("Edit_105", d.Anchors.Cb);
    ReadNumber("Edit_107", d.Anchors.K);
    const Ext deflectionScale = d.UnitVal(1000.0L, 12.0L) * H;
    if (sheet) {
        d.Anchors.MaxDeflection = deflectionScale / 120.0L;
    } else if (auto* deflection = Ctl<QLineEdit>("Edit_108")) {
        const int tag = deflection->property("tag").toInt();
        const Ext least =
            tag >= 1 && tag <= kFieldLimitCount ? d.FieldLimits[static_cast<size_t>(tag)].Min : 0.0L;
        ReadBetween(deflection, d.Anchors.MaxDeflection, least, deflectionScale / 240.0L);
    }
    if (auto* factor = Ctl<QComboBox>("ComboBox20")) d.Anchors.TestLoadFactor = GetComboItemValue(factor);

    // 25. The spacing row that applies.
    ShowAnchorSpacingRows(sheet);

    // 26. Corner braces.
    if (auto* factor = Ctl<QComboBox>("ComboBox26"))
        d.CornerBraces.TestLoadFactor = GetComboItemValue(factor);

    // 27. Surcharges of the support system; a footing lies between the top and the excavation.
    TAnchor& a = d.Anchors;
    ReadNumber("Edit_112", a.UniformSurcharge);
    ReadNumber("Edit_113", a.WaterDepth);
    ReadNumber("Edit_114", a.SurchargeK);
    ReadNumber("Edit_115", a.Kh);
    a.StripLoadOn = Checked("CBStripAnch", a.StripLoadOn);
    a.LineLoadOn = Checked("CBLine", a.LineLoadOn);
    a.PointLoadOn = Checked("CBPoint", a.PointLoadOn);
    ReadNumber("Edit_Sq", a.StripLoad);
    ReadNumber("Edit_Sa", a.StripOffset);
    ReadNumber("Edit_Sb", a.StripWidth);
    ReadBetween("Edit_Sd", a.StripDepth, 0.0L, H);
    ReadNumber("Edit_Lq", a.LineLoad);
    ReadNumber("Edit_Lx", a.LineOffset);
    ReadBetween("Edit_Ld", a.LineDepth, 0.0L, H);
    ReadNumber("Edit_Pq", a.PointLoad);
    ReadNumber("Edit_Px", a.PointOffset);
    ReadBetween("Edit_Pd", a.PointDepth, 0.0L, H);

    // 28. The levels, with their rows.
    d.ResizeAnchorLevels();
    for (int n = 1; n <= std::min(d.Anchors.LevelCount, levelsShown); ++n) {
        ReadAnchorRow(d.Anchors.Levels[static_cast<size_t>(n - 1)], n);
        ReadCornerRow(d.CornerBraces.Levels[static_cast<size_t>(n - 1)], n);
    }

    // 29. Bond length; the load transfer is an input of the user-defined soil only.
    d.BondSoilType = ListIndex("ComboBox21", d.BondSoilType);
    if (const auto* transfer = Ctl<QLineEdit>("Edit_120"); transfer && !transfer->isReadOnly())
        ReadNumber("Edit_120", d.AllowLoadTransfer);

    // 30. Walers.
    ReadWalerInputs();

    // 31. Basal heave. The fifth input holds the excavation width for "H/B < 1" and the surcharge
    // for "H/B > 1"; a new condition shows its own stored value before the edit is read.
    d.UseBasalHeave = Checked("CheckBox6", d.UseBasalHeave);
    const int condition = ListIndex("ComboBox22", d.BasalCondition);
    if (condition != d.BasalCondition) ShowBasalFifthInput(condition);
    d.BasalCondition = condition;
    ReadNumber("Edit_BH1", d.BasalCohesion);
    ReadNumber("Edit_BH2", d.BasalNc);
    ReadNumber("Edit_BH3", d.BasalUnitWeight);
    ReadNumber("Edit_BH5", condition == 1 ? d.BasalWidth : d.BasalSurcharge);

    // 32. Corner braces in use.
    d.UseCornerBraces = Checked("CheckBox5", d.UseCornerBraces);

    // 33. A choice from a list, check box or radio button computes at once.
    if (CommitsAtOnce(QApplication::focusWidget())) d.Calculate();

    // 34. Show it all.
    UpdateForm();

    // 35. A block this commit shows again shows its stored values as its edits and lists take
    // them (the limits and tables of the units now in use), and the inner points of a diagram
    // were read within the ends of the wall before this commit moved it: they are read once more,
    // for their limits, so that the project holds what the window shows.
    const ShownBlocks after = GatedBlocksShown();
    const bool moved = diagramEnds() != endsBefore;
    const bool sheetNow = d.PileType == ptSheet;
    bool again = false;
    const auto readAgain = [&again](bool read, const std::function<void()>& reader) {
        if (!read) return;
        reader();
        again = true;
    };
    readAgain(after.pressurePoints && d.PressureMethod == 1 && (!blocksShown.pressurePoints || moved),
              [this] { ReadPressurePoints(); });
    readAgain(after.cage && !blocksShown.cage && d.PileSection == psRebarCage && !sheetNow,
              [this] { ReadPierReinforcement(); });
    readAgain(after.soilDiagram && (!blocksShown.soilDiagram || moved), [this] { ReadSoilDiagram(); });
    readAgain(after.pierBearing && !blocksShown.pierBearing, [this] { ReadPierBearing(); });
    // A section row shown again gives the width that the spacing and the guardrail follow.
    readAgain(after.beam && !blocksShown.beam, [this, &d] {
        ReadPileRow();
        ReadPileSpacing();
        if (Ctl<QComboBox>("ComboBox18"))
            d.GuardrailSpacing = GuardrailSpacingBase() * static_cast<Ext>(ListIndex("ComboBox18", 0) + 1);
    });
    readAgain(after.loadTransfer && !blocksShown.loadTransfer,
              [this, &d] { ReadNumber("Edit_120", d.AllowLoadTransfer); });
    if (again) UpdateForm();
}

// The blocks that ReadInputs reads only while they show the project (see its first step).
TfrmKdMain::ShownBlocks TfrmKdMain::GatedBlocksShown() const {
    const auto* transfer = Ctl<QLineEdit>("Edit_120");
    return {IsShown("Panel19"), IsShown("Panel29"), IsShown("Panel27"), IsShown("Panel4"), IsShown("Panel65"),
            transfer && !transfer->isReadOnly()};
}

// The pile section row, read while the beam block shows it and the pile is no rebar cage: a cage
// keeps the row it stores. The last row of the sheet piles is the user's own section.
void TfrmKdMain::ReadPileRow() {
    TKdData& d = Data();
    const bool sheet = d.PileType == ptSheet;
    if (const auto* rows = Ctl<QComboBox>("ComboBox5");
        rows && rows->currentIndex() >= 0 && (sheet || d.PileSection != psRebarCage)) {
        const bool custom = sheet && rows->currentIndex() == rows->count() - 1;
        d.SetShapeIndex(custom ? -1 : rows->currentIndex());
    }
}

// The pile spacing by pile type: a tangent wall is two widths, a secant one 1.33 to 1.67, a sheet
// pile wall 1.
void TfrmKdMain::ReadPileSpacing() {
    TKdData& d = Data();
    switch (d.PileType) {
    case ptTangent:
        d.PileSpacing = 2.0L * d.TributaryWidth();
        break;
    case ptSecant:
        ReadBetween("Edit_17", d.PileSpacing, 1.33L * d.TributaryWidth(), 1.67L * d.TributaryWidth());
        break;
    case ptSheet:
        d.PileSpacing = 1.0L;
        break;
    default:
        ReadNumber("Edit_17", d.PileSpacing);
        break;
    }
}

// The user's pressure diagrams, read into a copy and stored whole.
void TfrmKdMain::ReadPressurePoints() {
    TKdData& d = Data();
    auto loading = d.LoadingSidePoints;
    auto passive = d.PassiveSidePoints;
    ReadInnerPoints(&loading[0], "Edit_62x", "Edit_63x");
    ReadInnerPoints(&loading[4], "Edit_66x", "Edit_67x");
    ReadInnerPoints(&passive[0], "Edit_72x", "Edit_73x");
    static const char* const loadingW[] = {"Edit_61w", "Edit_62w", "Edit_63w", "Edit_64w",
                                           "Edit_65w", "Edit_66w", "Edit_67w", "Edit_68w"};
    static const char* const passiveW[] = {"Edit_71w", "Edit_72w", "Edit_73w", "Edit_74w"};
    for (size_t i = 0; i < loading.size(); ++i)
        ReadNumber(loadingW[i], loading[i].W);
    for (size_t i = 0; i < passive.size(); ++i)
        ReadNumber(passiveW[i], passive[i].W);
    d.LoadingSidePoints = loading;
    d.PassiveSidePoints = passive;
}

// The user-defined earth pressure diagram of the support system: the edits show ksf, the project
// holds psf.
void TfrmKdMain::ReadSoilDiagram() {
    TKdData& d = Data();
    auto points = d.UnfactoredPoints;
    ReadInnerPoints(&points[0], "Edit_EPx2", "Edit_EPx3");
    static const char* const pressures[] = {"Edit_EPw1", "Edit_EPw2", "Edit_EPw3", "Edit_EPw4"};
    const Ext psfPerShown = d.UnitVal(1.0L, 1000.0L);
    for (size_t i = 0; i < points.size(); ++i) {
        Ext shown = points[i].W / psfPerShown;
        const Ext before = shown;
        ReadNumber(pressures[i], shown);
        if (shown != before) points[i].W = shown * psfPerShown;
    }
    d.UnfactoredPoints = points;
}

// The drilled pier's allowable skin friction and end bearing.
void TfrmKdMain::ReadPierBearing() {
    TKdData& d = Data();
    ReadBetween("Edit_Ax6", d.AllowSkinFriction, 0.0L, d.UnitVal(500.0L, 10.0L));
    ReadBetween("Edit_Ax7", d.AllowEndBearing, 0.0L, d.UnitVal(5000.0L, 100.0L));
}

// The pile sections the installation offers: a drilled pile may be a rebar cage, a driven one not.
// A list rebuilt selects the stored section when it is offered, else the first.
void TfrmKdMain::OfferPileSections() {
    const TKdData& d = Data();
    auto* sections = Ctl<QComboBox>("ComboBox12");
    const int wanted = d.Installation == 0 ? 3 : 2;
    if (!sections || sections->count() == wanted) return;
    const QSignalBlocker blocker(sections);
    sections->clear();
    for (int i = 0; i < wanted; ++i)
        sections->addItem(QString::fromStdString(Texts::PileSection[static_cast<size_t>(i)]));
    sections->setCurrentIndex(d.PileSection >= 0 && d.PileSection < wanted ? d.PileSection : 0);
}

// The pile section row the project stores for its pile type; a custom section is the last item.
void TfrmKdMain::SelectPileRow() {
    auto* rows = Ctl<QComboBox>("ComboBox5");
    if (!rows) return;
    const int index = Data().CurrentShapeIndex();
    const QSignalBlocker blocker(rows);
    rows->setCurrentIndex(index >= 0 && index < rows->count() ? index : rows->count() - 1);
}

void TfrmKdMain::ReadPierReinforcement() {
    TKdData& d = Data();
    d.TieOrSpiral = ListIndex("ComboBox15", d.TieOrSpiral);
    if (auto* bars = Ctl<QLineEdit>("Edit_81")) {
        const Ext least = d.TieOrSpiral == 0 ? 4.0L : 6.0L;
        const Ext count = std::nearbyint(ReadBetween(bars, least, std::numeric_limits<Ext>::max()));
        d.VerticalBarCount = count > 1.0e6L ? 1000000 : static_cast<int32_t>(count);
    }
    ReadBetween("Edit_82", d.ClearCover, d.UnitVal(50.0L, 2.0L),
                d.TributaryWidth() * d.UnitVal(1000.0L, 12.0L) / 3.0L);
    ReadNumber("Edit_84", d.PitchOverride);
    if (Ctl<QRadioButton>("RadioButton1")) d.ConcretePlacement = Checked("RadioButton1", true) ? 0 : 1;
    if (auto* vertical = Ctl<QComboBox>("ComboBox14"); vertical && vertical->count() > 0)
        d.VerticalBarSize = GetComboItemNumber(vertical, d.RebarTable);
    if (auto* lateral = Ctl<QComboBox>("ComboBox16"); lateral && lateral->count() > 0)
        d.LateralBarSize = GetComboItemNumber(lateral, d.RebarTable);
}

void TfrmKdMain::ClearList(const char* name) {
    if (auto* combo = Ctl<QComboBox>(name)) {
        const QSignalBlocker blocker(combo);
        combo->clear();
    }
}

bool TfrmKdMain::IsShown(const char* name) const {
    const QWidget* w = Control(QLatin1String(name));
    return w && !w->isHidden();
}

int TfrmKdMain::tabIndex(const char* name) const {
    const auto* tabs = Ctl<TabControl>(name);
    return tabs ? tabs->Tabs()->currentIndex() : -1;
}

Ext TfrmKdMain::GuardrailSpacingBase() const {
    const TKdData& d = Data();
    return d.PileType == ptSheet ? d.UnitVal(2.5L, 8.0L) : d.PileSpacing;
}

void TfrmKdMain::ShowBasalFifthInput(int condition) {
    const TKdData& d = Data();
    if (auto* label = Ctl<QLabel>("Label172"))
        label->setText(condition == 1 ? QStringLiteral("Width of Excavation, B")
                                      : QStringLiteral("Vertical Uniform Surcharge"));
    if (auto* edit = Ctl<QLineEdit>("Edit_BH5")) {
        edit->setProperty("tag", condition == 1 ? 184 : 183);
        SetNumber(edit, condition == 1 ? d.BasalWidth : d.BasalSurcharge, false);
    }
}

// --- Rows of one level ------------------------------------------------------------------------

void TfrmKdMain::ReadAnchorRow(TAnchLevel& level, int n) {
    const TKdData& d = Data();
    if (const auto* type = FindRowControl<QComboBox>("cmbAnchType", n); type && type->currentIndex() >= 0) {
        // A level made a strut or raker has no tendon: the count of the tieback it was goes, as no
        // file of it holds one (the calculation leaves a strut's count alone).
        const int kind = type->currentIndex();
        if (kind != level.Kind && kind != lkTieback && kind != lkTieRod) level.BarCount = 0;
        level.Kind = kind;
    }
    // The distance below the previous level stays within what is left of the shored height.
    if (auto* x = FindRowControl<QLineEdit>("Edit_AnchX", n)) {
        const Ext above = n > 1 ? d.LevelDepth(n - 2) : 0.0L;
        ReadBetween(x, level.HeightFromPrevious, 0.0L, std::max(0.0L, d.ShoredHeight - above));
    }
    if (auto* angle = FindRowControl<QLineEdit>("Edit_AnchAng", n)) {
        const bool strut = level.Kind == lkStrut;
        SetEditReadOnly(angle, strut);
        if (strut) {
            level.Angle = 0.0L;
        } else {
            const Ext lo = level.Kind == lkTieback ? 15.0L : level.Kind == lkRaker ? 18.7L : 0.0L;
            const Ext hi = level.Kind == lkRaker ? 45.0L : 60.0L;
            ReadBetween(angle, level.Angle, lo, hi);
        }
    }
}

void TfrmKdMain::ReadCornerRow(TAnchLevel& level, int n) {
    if (const auto* type = FindRowControl<QComboBox>("cmbCornerType", n); type && type->currentIndex() >= 0)
        level.Kind = type->currentIndex() == 1 ? lkStrut : lkUnused;
    if (auto* angle = FindRowControl<QLineEdit>("Edit_CornerAng", n); angle && !KeepsStored(angle, level.Angle, false, 0, 0))
        level.Angle = ReadNumber(angle);
}

void TfrmKdMain::ReadWalerInputs() {
    ReadWalerInputs(tabIndex("TabControl1"));
}

void TfrmKdMain::ReadWalerInputs(int levelIndex) {
    TKdData& d = Data();
    // Only a level that exists: the tabs may still count more levels than the project now has.
    if (levelIndex < 0 || levelIndex >= d.Anchors.UsedLevels()) return;
    TWaler& w = d.Anchors.Levels[static_cast<size_t>(levelIndex)].Waler;
    w.HasWaler = Checked("CheckBox3", w.HasWaler);
    w.TwoSpans = Checked("CheckBox8", w.TwoSpans);
    ReadNumber("Edit_Wa", w.Wa);
    ReadNumber("Edit_Wb", w.Wb);
    ReadNumber("Edit_Wc", w.Wc);
    ReadNumber("Edit_WLeft", w.WLeft);
    w.ShapeFamily = static_cast<uint8_t>(ListIndex("ComboBox24", w.ShapeFamily));
    w.ShapeRow = ListIndex("ComboBox23", w.ShapeRow);
    ReadNumber("Edit_WFy", w.Fy);
    w.TwoChannels = Checked("CheckBox7", w.TwoChannels);
}

} // namespace vantrel::ui

namespace vantrel::ui {

void TfrmKdMain::SetNumber(QLineEdit* edit, Ext value, bool noClamp) {
    if (editTrace_ && !editTrace_->written.contains(edit)) editTrace_->written.insert(edit, value);
    SetEditValue(edit, noClamp, value, Data().FieldLimits);
}

} // namespace vantrel::ui
