// The refresh: the one procedure that makes the window show the project. It copies every stored
// input back into its control, decides what is visible, editable or enabled for the chosen wall,
// sets the unit captions, runs the design calculation, shows every result, keeps the per-level
// rows in step with the levels and re-stacks the sections. It only writes the model into the
// window: lists, check boxes and tabs are set under signal blockers and the focus-out commit is
// suspended, so a refresh never commits or marks the project modified. The one re-entry is the
// nested commit of SyncLevelRows after it rebuilt the rows.

#include "ui/KdMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>

#include <cmath>

#include "model/KdClasses.h"
#include "ui/Globals.h"
#include "ui/Widgets.h"

namespace vantrel::ui {

// --- Writing helpers --------------------------------------------------------------------------

void TfrmKdMain::ShowNumber(const char* name, Ext value, bool noClamp) {
    if (auto* edit = Ctl<QLineEdit>(name)) SetNumber(edit, value, noClamp);
}

void TfrmKdMain::SelectItem(const char* name, int index) {
    if (auto* combo = Ctl<QComboBox>(name)) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : (combo->count() > 0 ? 0 : -1));
    }
}

void TfrmKdMain::SetChecked(const char* name, bool checked) {
    if (auto* box = Ctl<QAbstractButton>(name)) {
        const QSignalBlocker blocker(box);
        box->setChecked(checked);
    }
}

void TfrmKdMain::SetShown(const char* name, bool shown) {
    if (QWidget* w = Control(QLatin1String(name))) w->setVisible(shown);
}

// A row of the layout: its value, the caption before it and the unit after it.
void TfrmKdMain::SetRowShown(const char* value, bool shown) {
    const QString name = QLatin1String(value);
    for (const QString& part : {name, QStringLiteral("lbl") + name, QStringLiteral("unit") + name})
        if (QWidget* w = Control(part)) w->setVisible(shown);
}

void TfrmKdMain::SetLabel(const char* name, const QString& text) {
    if (auto* label = Ctl<QLabel>(name)) label->setText(text);
}

// An expanded section takes the height of its visible contents again.
void TfrmKdMain::RefitSection(const char* name) {
    if (QWidget* section = Control(QLatin1String(name)); section && Tag(section) == 0) {
        section->resize(section->width(), SectionContentHeight(section) + 8);
        ArrangeColumn(FindParentScrollBox(section));
    }
}

// Every expanded section of both columns takes the height of its visible contents again: a choice
// that shows more rows (a rebar cage's, the user's pressure points) grows its section, one that
// hides rows shrinks it.
void TfrmKdMain::RefitSections() {
    for (QScrollArea* box : {ScrollBox1, ScrollBox2}) {
        if (!box || !box->widget()) continue;
        for (QObject* child : box->widget()->children()) {
            auto* section = qobject_cast<QWidget*>(child);
            if (!section || section->isWindow() || Tag(section) != 0 || !FindSectionCaptionBar(section))
                continue;
            if (const int height = SectionContentHeight(section) + 8; section->height() != height)
                section->resize(section->width(), height);
        }
        ArrangeColumn(box);
    }
}

// --- UpdateForm -------------------------------------------------------------------------------

void TfrmKdMain::UpdateForm() {
    const BusyScope busy(busy_);
    TKdData& d = Data();
    const bool sheet = d.PileType == ptSheet;

    // 1. Tables.
    d.LoadRebarTable();
    d.LoadAngleTable();

    // 2. Project texts and logo.
    if (auto* e = Ctl<QLineEdit>("Edit28")) e->setText(FromProjectText(d.Organization));
    if (auto* e = Ctl<QLineEdit>("Edit33")) e->setText(FromProjectText(d.ProjectName));
    if (auto* e = Ctl<QLineEdit>("Edit27")) e->setText(FromProjectText(d.JobNumber));
    if (auto* e = Ctl<QLineEdit>("Edit29")) e->setText(FromProjectText(d.DesignedBy));
    if (auto* date = Ctl<QDateEdit>("DateTimePicker1")) {
        const QSignalBlocker blocker(date);
        date->setDate(DateFromProject(d.Date));
    }
    ShowLogo();

    // 3. Pressure method.
    const bool userPressure = d.PressureMethod == 1;
    for (const char* name : {"Panel19", "Label200", "Label201", "Edit_35", "Label144", "Label142"})
        SetShown(name, userPressure);

    // 4. Lagging blocks by lagging type.
    ShowLaggingBlocks();

    // 5. Guardrail results follow the guardrail design.
    if (QWidget* guardrail = Control(QStringLiteral("Panel39"));
        guardrail && guardrail->isHidden() == d.UseGuardrail) {
        guardrail->setVisible(d.UseGuardrail);
        ArrangeColumn(ScrollBox2);
    }

    // 6. Pile section blocks of the structural data.
    ShowPileSectionBlocks();

    // 7. Lagging sections: soldier beams only.
    SetShown("Panel21", d.PileType == ptSoldierBeam);
    SetShown("Panel24", d.PileType == ptSoldierBeam && d.LaggingType != ltNone);

    // 8. Computed edits of the wall.
    if (auto* e = Ctl<QLineEdit>("Edit_18")) SetEditReadOnly(e, d.Installation == 1 || sheet);
    if (auto* e = Ctl<QLineEdit>("Edit_17")) SetEditReadOnly(e, d.PileType == ptTangent || sheet);

    // 9. Options.
    SelectItem("ComboBox1", d.Units);
    SelectItem("ComboBox2", d.PressureMethod);
    SelectItem("ComboBox3", d.Installation);
    SelectItem("ComboBox4", d.PileType);
    OfferPileSections();
    SelectItem("ComboBox12", d.PileSection);

    // 10. General and load inputs.
    ShowNumber("Edit_16", d.ShoredHeight);
    // The commit's own limits hold the spacing of tangent, secant and sheet piles, the bearing of
    // the pier, the cover, the deflection, the footing depths and the inner points of a diagram:
    // their edits show what the project stores, not the field's limit.
    ShowNumber("Edit_17", d.PileSpacing, d.PileType != ptSoldierBeam);
    // A driven pile's width is its section's flange, whatever the field takes as typed.
    ShowNumber("Edit_18", d.TributaryWidth(), d.Installation == 1 || sheet);
    if (sheet) ShowNumber("Edit_18a", d.GetShape().D / d.UnitVal(100.0L, 12.0L), true);
    ShowNumber("Edit_5", d.SoilRecords[0].UnitWeight);
    ShowNumber("Edit_35", d.IgnorePassive, true);
    ShowNumber("Edit_Ax1", d.AxialLoad);
    SetShown("Panel65", !sheet);
    SetShown("Panel66", !sheet);
    ShowNumber("Edit_Ax4", d.TributaryWidth());
    ShowNumber("Edit_Ax6", d.AllowSkinFriction, true);
    ShowNumber("Edit_Ax7", d.AllowEndBearing, true);
    ShowNumber("Edit_22", d.SteelE);

    // The waler tab in use lies within the levels; both tab controls follow.
    const int walerLevel = SyncLevelTabs();

    // 11. Lists whose source changed are emptied, then the empty lists refilled.
    if (ListIndex("ComboBox8", d.ShapeFamily) != d.ShapeFamily) ClearList("ComboBox5");
    if (ListIndex("ComboBox13", d.RebarStandard) != d.RebarStandard) {
        ClearList("ComboBox14");
        ClearList("ComboBox16");
    }
    const TWaler* waler = walerLevel >= 0 && walerLevel < d.Anchors.UsedLevels()
                              ? &d.Anchors.Levels[static_cast<size_t>(walerLevel)].Waler
                              : nullptr;
    if (waler && ListIndex("ComboBox24", waler->ShapeFamily) != waler->ShapeFamily) ClearList("ComboBox23");
    SelectItem("ComboBox13", d.RebarStandard);
    if (waler) SelectItem("ComboBox24", waler->ShapeFamily);
    EmptyStaleLists(waler ? waler->ShapeFamily : ListIndex("ComboBox24", 0));
    FillSectionLists(true);

    // 12. Pile section row; a custom section selects the last item ("User Defined" of sheet piles).
    SelectItem("ComboBox8", d.ShapeFamily);
    if (auto* rows = Ctl<QComboBox>("ComboBox5")) {
        SelectPileRow();
        const bool custom = d.CurrentShapeIndex() == -1;
        SetShown("SpeedButton1", custom);
        if (const QWidget* family = Control(QStringLiteral("ComboBox8"))) {
            const QWidget* button = Control(QStringLiteral("SpeedButton1"));
            rows->resize(family->width() - (custom && button ? button->width() : 0), rows->height());
        }
    }

    // 13. Strengths.
    ShowNumber("Edit_23", d.SteelFy);
    ShowNumber("Edit_25", d.ConcreteFc);
    SetChecked("CheckBox1", d.PipeFilledWithConcrete);

    // 14. Lagging inputs.
    SelectItem("ComboBox7", d.LaggingType);
    ShowNumber("Edit_29", d.TimberFb);
    ShowNumber("Edit_30", d.TimberFv);
    ShowNumber("Edit_31", d.TimberFcPerp);
    ShowNumber("Edit_32", d.LaggingSizeFactor);
    ShowNumber("Edit_33", d.LaggingFlatUseFactor);
    ShowNumber("Edit_34", d.ArchingFactor);
    SelectItem("ComboBox9", d.LaggingConcreteSet == 0 ? 0 : 1);
    ShowNumber("Edit_86", d.TimberFb);
    ShowNumber("Edit_87", d.TimberFv);
    ShowNumber("Edit_88", d.TimberE);
    SetChecked("CheckBox2", d.SouthernPine);
    SelectItem("ComboBox11", d.LumberGrade);

    // 15. Bond: the load transfer is typed only for the user-defined soil.
    SelectItem("ComboBox21", d.BondSoilType);
    if (auto* transfer = Ctl<QLineEdit>("Edit_120")) {
        const auto* soil = Ctl<QComboBox>("ComboBox21");
        SetEditReadOnly(transfer, !(soil && soil->count() > 0 && soil->currentIndex() == soil->count() - 1));
    }

    // 16. Waler section of the level in the tab.
    if (waler)
        if (auto* rows = Ctl<QComboBox>("ComboBox23")) {
            const QSignalBlocker blocker(rows);
            rows->setCurrentIndex(waler->ShapeRow >= 0 && waler->ShapeRow < rows->count()
                                      ? waler->ShapeRow
                                      : rows->count() - 1);
        }

    // 18. Unit captions.
    SetUnits();

    // 19. The design, then the values of the input column that it gives.
    d.Calculate();
    ShowCalculatedInputs();

    // 20. Walers; 21. results of the pile, lagging and pier.
    ShowWalerResults();
    for (const char* tabs : {"TabControl1", "TabControl2"})
        if (QWidget* w = Control(QLatin1String(tabs))) w->update();
    ShowUserPressurePoints();
    ShowPileResults();

    // 22. Pier inputs.
    SelectItem("ComboBox15", d.TieOrSpiral);
    ShowNumber("Edit_81", d.VerticalBarCount, true);
    ShowNumber("Edit_82", d.ClearCover, true);
    ShowNumber("Edit_83", d.CalculatedPitch);
    ShowNumber("Edit_84", d.PitchOverride);
    ShowNumber("Edit_85", d.VerticalSteelPercent);
    SetChecked("RadioButton1", d.ConcretePlacement == 0);
    SetChecked("RadioButton2", d.ConcretePlacement == 1);
    ShowSpacingMessage();
    for (const auto& [list, number] :
         {std::pair{"ComboBox14", d.VerticalBarSize}, std::pair{"ComboBox16", d.LateralBarSize}})
        if (auto* combo = Ctl<QComboBox>(list)) {
            const QSignalBlocker blocker(combo);
            SelectComboItemByNumber(combo, number);
        }

    // 23. Guardrail inputs.
    SetChecked("CheckBox4", d.UseGuardrail);
    SelectItem("ComboBox17", d.GuardrailAngle);
    ShowNumber("Edit_89", d.GuardrailLength);
    ShowNumber("Edit_90", d.GuardrailBracing);
    ShowGuardrailSpacingList();
    ShowNumber("Edit_92", d.GuardrailLoad);
    ShowNumber("Edit_93", d.GuardrailPointLoad);
    ShowNumber("Edit_94", d.GuardrailCompressionFactor);
    ShowNumber("Edit_95", d.GuardrailBendingFactor);
    if (QWidget* section = Control(QStringLiteral("Panel36")))
        EnableSectionControls(section, d.UseGuardrail, Control(QStringLiteral("CheckBox4")));

    // 24. Guardrail, support and pile results.
    ShowSupportResults();

    // 25. Earth pressure inputs.
    ShowEarthPressureInputs();

    // 26. Support inputs.
    ShowNumber("Edit_101", d.Anchors.LevelCount, d.Anchors.LevelCount == 0);
    ShowNumber("Edit_96", d.Anchors.SheetPileSpacingStep);
    ShowAnchorSpacingList();
    ShowAnchorSpacingRows(sheet);
    ShowNumber("Edit_AnchXLast", d.LowestLevelHeight(), true);
    ShowNumber("Edit_102", d.ShoredHeight);
    ShowNumber("Edit_103", d.Anchors.LoadingHeight, true);
    // The embedment ratio the design uses, also where a short wall lifts it above the list's items.
    if (auto* ratio = Ctl<QComboBox>("ComboBox19"); ratio && ratio->lineEdit()) {
        const QSignalBlocker blocker(ratio);
        SetNumber(ratio->lineEdit(), d.Anchors.EmbedmentRatio, true);
        // The item that reads as the ratio is the chosen one, none when no item does; choosing
        // it writes its own text, which the edit shows already (none clears it).
        if (const int item = ratio->findText(ratio->lineEdit()->text()); item != ratio->currentIndex()) {
            ratio->setCurrentIndex(item);
            SetNumber(ratio->lineEdit(), d.Anchors.EmbedmentRatio, true);
        }
    }
    ShowNumber("Edit_104", d.Anchors.Embedment, true);
    ShowNumber("Edit_119", d.Anchors.Lb, true);
    ShowNumber("Edit_105", d.Anchors.Cb);
    ShowNumber("Edit_106", d.Anchors.TotalVerticalLoad);
    ShowNumber("Edit_107", d.Anchors.K);
    if (auto* deflection = Ctl<QLineEdit>("Edit_108")) {
        SetEditReadOnly(deflection, sheet);
        SetNumber(deflection, d.Anchors.MaxDeflection, true);
    }
    for (const auto& [list, value] : {std::pair{"ComboBox20", d.Anchors.TestLoadFactor},
                                      std::pair{"ComboBox26", d.CornerBraces.TestLoadFactor}})
        if (auto* combo = Ctl<QComboBox>(list)) {
            const QSignalBlocker blocker(combo);
            SelectComboItemByValue(combo, value);
        }

    // 27. Earth pressure and surcharges.
    ShowSurchargeInputs();

    // 28. Basal heave.
    SetChecked("CheckBox6", d.UseBasalHeave);
    if (QWidget* section = Control(QStringLiteral("Panel15")))
        EnableSectionControls(section, d.UseBasalHeave, Control(QStringLiteral("CheckBox6")));
    SelectItem("ComboBox22", d.BasalCondition);
    ShowNumber("Edit_BH1", d.BasalCohesion);
    ShowNumber("Edit_BH2", d.BasalNc);
    ShowNumber("Edit_BH3", d.BasalUnitWeight);
    ShowNumber("Edit_BH4", d.BasalHeight);
    ShowBasalFifthInput(d.BasalCondition);
    ShowBasalHeaveResult();
    SetShown("Panel61", d.UseBasalHeave);

    // 29. Corner braces.
    SetChecked("CheckBox5", d.UseCornerBraces);
    if (QWidget* section = Control(QStringLiteral("Panel54")))
        EnableSectionControls(section, d.UseCornerBraces, Control(QStringLiteral("CheckBox5")));
    if (QWidget* row = Control(QStringLiteral("Panel57")))
        EnableSectionControls(row, d.UseCornerBraces, nullptr);

    // 30. Rows. After a nested commit for rows that came or went nothing is left to refresh.
    if (SyncLevelRows(false) || SyncLevelRows(true)) return;
    // The excavation bottom takes the letter after the last row; a wall without levels keeps row
    // A (disabled), so its bottom is B.
    SetLabel("labAnchLast", QString(QChar(65 + std::max(1, d.Anchors.LevelCount))));

    // 31. The heights and the stacking of the sections, then their status marks over the sections
    // as now shown.
    RefitSections();
    RestackPanels();
    UpdateResultStatus();

    // 32. Pictures (the guardrail page follows the guardrail design).
    ShowPageTabs();
    RedrawPictures();
}

// Step 17, and the index the waler steps read: the tab of the selected level brought within the
// levels when their number dropped, both tab controls equal.
int TfrmKdMain::SyncLevelTabs() {
    const int count = std::max(0, Data().Anchors.LevelCount);
    auto* inputControl = Ctl<TabControl>("TabControl1");
    auto* resultControl = Ctl<TabControl>("TabControl2");
    QTabBar* inputs = inputControl ? inputControl->Tabs() : nullptr;
    QTabBar* results = resultControl ? resultControl->Tabs() : nullptr;
    int selected = inputs ? inputs->currentIndex() : 0;
    for (QTabBar* tabs : {inputs, results}) {
        if (!tabs) continue;
        const QSignalBlocker blocker(tabs);
        while (tabs->count() > count)
            tabs->removeTab(tabs->count() - 1);
        while (tabs->count() < count)
            tabs->addTab(QString(QChar(65 + tabs->count())));
    }
    if (selected >= count) selected = count - 1;
    if (selected < 0 && count > 0) selected = 0;
    for (QTabBar* tabs : {inputs, results})
        if (tabs) {
            const QSignalBlocker blocker(tabs);
            tabs->setCurrentIndex(selected);
        }
    walerTab_ = selected;
    return selected;
}

void TfrmKdMain::ShowGuardrailSpacingList() {
    const TKdData& d = Data();
    auto* list = Ctl<QComboBox>("ComboBox18");
    if (!list) return;
    const Ext base = GuardrailSpacingBase();
    const int tag = list->property("tag").toInt();
    const int digits =
        tag >= 1 && tag <= kFieldLimitCount ? d.FieldLimits[static_cast<size_t>(tag)].Digits : 2;
    const QSignalBlocker blocker(list);
    list->clear();
    for (int k = 1; k <= 2; ++k)
        list->addItem(FormatFloat(base * k, 8, digits));
    // The stored spacing is the base times 1 or 2 (see ReadInputs).
    const Ext doubled = 2.0L * base;
    const bool twice = std::fabs(d.GuardrailSpacing - doubled) <= 1e-9L * std::fabs(doubled);
    list->setCurrentIndex(twice ? 1 : 0);
}

void TfrmKdMain::ShowAnchorSpacingList() {
    const TKdData& d = Data();
    auto* list = Ctl<QComboBox>("ComboBox25");
    if (!list) return;
    const Ext base = d.PileType == ptSheet ? d.Anchors.SheetPileSpacingStep : d.PileSpacing;
    const QLineEdit* spacing = Ctl<QLineEdit>("Edit_17");
    const int tag = spacing ? spacing->property("tag").toInt() : 0;
    const int digits =
        tag >= 1 && tag <= kFieldLimitCount ? d.FieldLimits[static_cast<size_t>(tag)].Digits : 2;
    const QSignalBlocker blocker(list);
    list->clear();
    for (int k = 1; k <= 5; ++k)
        list->addItem(FormatFloat(base * k, 10, digits));
    list->setCurrentIndex(std::clamp(d.Anchors.AnchorSpacingItem - 1, 0, 4));
}

} // namespace vantrel::ui

// ==== input-side helpers of the refresh and the commit ====
namespace vantrel::ui {

// Step 9 of the commit: the rows of the structural data follow the pile type and section.
void TfrmKdMain::ShowPileTypeRows() {
    const TKdData& d = Data();
    const bool sheet = d.PileType == ptSheet;
    SetShown("ComboBox8", !sheet);
    SetShown("ComboBox10", sheet);
    SetRowShown("Edit_25", !sheet);
    struct Captions {
        const char *type, *width, *size, *diagonal, *reinforcement, *family;
    };
    const Captions captions = sheet ? Captions{"Type",
                                               "Sheet Pile Wdith, B",
                                               "Sheet Size",
                                               "Sheet Diagonal Length",
                                               "Sheet Pile Depth, D",
                                               nullptr}
                              : d.PileSection == psPipe
                                  ? Captions{"HSS Type",      "Pile Width or Pier Diameter, B",
                                             "HSS Size",      "HSS Diameter",
                                             "Reinforcement", "O-Pipe"}
                                  : Captions{"Beam Type",     "Pile Width or Pier Diameter, B",
                                             "Beam Size",     "Beam Diagonal Length",
                                             "Reinforcement", "I-Beam"};
    SetLabel("lblBeamType", QLatin1String(captions.type));
    SetLabel("lblPileWidth", QLatin1String(captions.width));
    SetLabel("lblBeamSize", QLatin1String(captions.size));
    SetLabel("Label22", QLatin1String(captions.diagonal));
    SetLabel("lblReinforcement", QLatin1String(captions.reinforcement));
    if (captions.family) SetLabel("lblFamily", QLatin1String(captions.family));
    // The diagonal read-out, the family caption and the section kind are not a sheet pile's; its
    // width shows in the place of the section kind.
    for (const char* name : {"Edit_R102", "Label22", "unitEdit_R102", "Image8", "lblFamily", "ComboBox12"})
        SetShown(name, !sheet);
    SetShown("Edit_18a", sheet);
    SetShown("unitEdit_18a", sheet);
    if (const auto* unit = Ctl<QLabel>("unitEdit_18")) SetLabel("unitEdit_18a", unit->text());
}

// Step 25 of the commit: the spacing row that applies, the rows below closing the gap.
void TfrmKdMain::ShowAnchorSpacingRows(bool sheet) {
    SetRowShown("Edit_96", sheet);
    SetRowShown("ComboBox25", !sheet);
}

void TfrmKdMain::ShowPileSectionBlocks() {
    const TKdData& d = Data();
    QWidget* beam = Control(QStringLiteral("Panel27"));
    QWidget* cage = Control(QStringLiteral("Panel29"));
    QWidget* strengths = Control(QStringLiteral("Panel28"));
    if (!beam || !cage || !strengths) return;
    // A sheet pile is a row of the sheet table whatever section kind is left over.
    const int section = d.PileType == ptSheet ? psIBeam : d.PileSection;
    QWidget* shown = section == psRebarCage ? cage : beam;
    beam->setVisible(shown == beam);
    cage->setVisible(shown == cage);
    shown->move(shown->x(), 33);
    if (shown == beam) {
        SetShown("CheckBox1", section == psPipe);
        const QWidget* last = Control(QLatin1String(section == psPipe ? "CheckBox1" : "Edit_R102"));
        if (last) beam->resize(beam->width(), last->y() + last->height() + (section == psPipe ? 10 : 6));
    }
    strengths->move(strengths->x(), shown->y() + shown->height());
}

void TfrmKdMain::ShowLaggingBlocks() {
    const int type = Data().LaggingType;
    const bool timber = type == ltTimber, plate = type == ltSteelPlate, concrete = type == ltConcrete;
    SetShown("pnlLagging", false);
    SetShown("pnlLagging2", timber);
    if (QWidget* timberInputs = Control(QStringLiteral("pnlLagging2")))
        if (const QWidget* arching = Control(QStringLiteral("Edit_34")))
            timberInputs->move(timberInputs->x(), arching->y() + 26);
    SetShown("Panel24", type != ltNone);
    for (const char* name : {"Edit_34", "Label196"})
        SetShown(name, type != ltNone);
    for (const char* name : {"ComboBox9", "Label202", "Label205"})
        SetShown(name, concrete);
    ShowLaggingResultBlocks();
    (void)plate;
}

void TfrmKdMain::ShowEarthPressureInputs() {
    TKdData& d = Data();
    if (auto* soil = Ctl<QComboBox>("ComboBox6")) {
        const QSignalBlocker blocker(soil);
        SelectComboItemByNumber(soil, d.Anchors.SoilType);
    }
    const auto* soil = Ctl<QComboBox>("ComboBox6");
    const bool user = soil && soil->count() > 0 && soil->currentIndex() == soil->count() - 1;
    QWidget* apparent = Control(QStringLiteral("Panel1"));
    QWidget* points = Control(QStringLiteral("Panel4"));
    QWidget* surcharges = Control(QStringLiteral("Panel2"));
    if (apparent && points && surcharges) {
        apparent->setVisible(!user);
        points->setVisible(user);
        if (user) {
            points->move(points->x(), apparent->y());
            surcharges->move(surcharges->x(), points->y() + points->height() + 8);
        } else {
            surcharges->move(surcharges->x(), apparent->y() + apparent->height());
        }
    }
    if (QWidget* diagram = Control(QStringLiteral("SpeedButton2"))) diagram->setEnabled(!user);
    // The diagram the project stores, also while a standard soil hides it.
    for (int i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i + 1);
        ShowNumber(("Edit_EPx" + n).c_str(), d.UnfactoredPoints[static_cast<size_t>(i)].X, true);
        ShowNumber(("Edit_EPw" + n).c_str(),
                   d.UnfactoredPoints[static_cast<size_t>(i)].W / d.UnitVal(1.0L, 1000.0L));
    }
}

void TfrmKdMain::ShowSurchargeInputs() {
    const TKdData& d = Data();
    const TAnchor& a = d.Anchors;
    ShowNumber("Edit_109", a.LoadingHeight, true);
    ShowNumber("Edit_110", a.PileSpacing, true);
    ShowNumber("Edit_112", a.UniformSurcharge);
    ShowNumber("Edit_113", a.WaterDepth);
    ShowNumber("Edit_116", a.ApparentPressure);
    ShowNumber("Edit_117", a.ApparentPressure * a.LoadingHeight);
    ShowNumber("Edit_118", a.ApparentPressure * a.LoadingHeight * a.PileSpacing);
    ShowNumber("Edit_114", a.SurchargeK);
    ShowNumber("Edit_115", a.Kh);
    SetChecked("CBStripAnch", a.StripLoadOn);
    SetChecked("CBLine", a.LineLoadOn);
    SetChecked("CBPoint", a.PointLoadOn);
    ShowNumber("Edit_Sq", a.StripLoad);
    ShowNumber("Edit_Sa", a.StripOffset);
    ShowNumber("Edit_Sb", a.StripWidth);
    ShowNumber("Edit_Sd", a.StripDepth, true);
    ShowNumber("Edit_Lq", a.LineLoad);
    ShowNumber("Edit_Lx", a.LineOffset);
    ShowNumber("Edit_Ld", a.LineDepth, true);
    ShowNumber("Edit_Pq", a.PointLoad);
    ShowNumber("Edit_Px", a.PointOffset);
    ShowNumber("Edit_Pd", a.PointDepth, true);
    if (const auto* bond = Ctl<QComboBox>("ComboBox21")) SetLabel("Label40", bond->currentText());
    const auto enable = [this](std::initializer_list<const char*> names, bool on) {
        for (const char* name : names)
            if (QWidget* w = Control(QLatin1String(name))) w->setEnabled(on);
    };
    enable({"Edit_Sq", "Edit_Sa", "Edit_Sb", "Edit_Sd", "Label340", "Label341", "Label342", "Label343",
            "Label344", "Label345", "Label17", "Label18"},
           a.StripLoadOn);
    enable({"Edit_Lq", "Edit_Lx", "Edit_Ld", "Label335", "Label336", "Label338", "Label339", "Label20",
            "Label21"},
           a.LineLoadOn);
    enable({"Edit_Pq", "Edit_Px", "Edit_Pd", "Label330", "Label332", "Label333", "Label334", "Label25",
            "Label26"},
           a.PointLoadOn);
}

} // namespace vantrel::ui
