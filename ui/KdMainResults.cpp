// Results of the last calculation as the window shows them: values, pass or fail marks and texts,
// the lagging size and rebar spacing texts, the waler of the selected level, the roll-up of the
// marks into each result section's caption bar, the logo fit.
//
// A comparison with an undefined (NaN) value is false, so an undefined result never passes; a
// division is done only by a divisor that is neither 0 nor infinite.

#include "ui/KdMain.h"

#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>

#include <algorithm>
#include <cmath>
#include <functional>

#include "model/KdClasses.h"
#include "platform/NumberFormat.h"
#include "ui/Globals.h"
#include "ui/Widgets.h"

namespace vantrel::ui {

namespace {

Ext Mag(Ext v) {
    return std::fabs(v);
}

} // namespace

void TfrmKdMain::ShowMark(const char* image, bool pass) {
    if (auto* label = Ctl<QLabel>(image)) SetToggleImage(pass, label);
}

// A check is judged only on defined values: an undefined one (a wall without levels has no design
// moment or shear, a pier no design point) shows "N.A." with no mark, which the section's own mark
// then leaves out.
bool TfrmKdMain::ShowVerdict(const char* image, std::initializer_list<Ext> values, bool pass) {
    const bool known = std::none_of(values.begin(), values.end(), [](Ext v) { return IsNaN(v); });
    SetShown(image, known);
    ShowMark(image, pass);
    return known;
}

// A pass text in the button text colour, a fail text in red.
void TfrmKdMain::ShowPassText(const char* label, bool pass, const char* passText, const char* failText) {
    auto* l = Ctl<QLabel>(label);
    if (!l) return;
    l->setText(QLatin1String(pass ? passText : failText));
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, pass ? palette.color(QPalette::ButtonText) : QColor(Qt::red));
    l->setPalette(palette);
}

// --- Computed values among the inputs ----------------------------------------------------------

// The vertical loads on the pile, its embedment and the bond soil's load transfer are results of
// the calculation shown in the input column; they are written after it, so that a typed value
// shows the design it gives at once.
void TfrmKdMain::ShowCalculatedInputs() {
    const TKdData& d = Data();
    ShowNumber("Edit_Ax2", d.VerticalAxialComponent);
    ShowNumber("Edit_Ax3", d.TotalVerticalLoad);
    ShowNumber("Edit_Ax5", d.Anchors.Embedment);
    ShowNumber("Edit_120", d.AllowLoadTransfer);
}

// --- Pile, lagging and pier (refresh step 21) -------------------------------------------------

void TfrmKdMain::ShowUserPressurePoints() {
    const TKdData& d = Data();
    for (int i = 0; i < 8; ++i) {
        const std::string n = "Edit_6" + std::to_string(i + 1);
        ShowNumber((n + "x").c_str(), d.LoadingSidePoints[static_cast<size_t>(i)].X);
        ShowNumber((n + "w").c_str(), d.LoadingSidePoints[static_cast<size_t>(i)].W);
    }
    for (int i = 0; i < 4; ++i) {
        const std::string n = "Edit_7" + std::to_string(i + 1);
        ShowNumber((n + "x").c_str(), d.PassiveSidePoints[static_cast<size_t>(i)].X);
        ShowNumber((n + "w").c_str(), d.PassiveSidePoints[static_cast<size_t>(i)].W);
    }
}

void TfrmKdMain::ShowPileResults() {
    const TKdData& d = Data();
    const TAnchor& a = d.Anchors;
    const bool sheet = d.PileType == ptSheet;

    ShowNumber("Edit_RAx1", d.AllowableAxialLoad);
    ShowVerdict("Image35", {d.TotalVerticalLoad, d.AllowableAxialLoad},
                Mag(d.TotalVerticalLoad) < Mag(d.AllowableAxialLoad));
    ShowNumber("Edit_R102", d.BeamDiagonal);
    ShowMark("Image8", d.IsClearGapWide());
    SetShown("Image8", d.Installation != 1 && !sheet);
    ShowNumber("Edit_R20", a.Slenderness);
    // Sheet piles, pipes and rebar cages get no member check: no slenderness, and no mark that
    // would report the missing check as a failure.
    ShowVerdict("Image2", {a.Slenderness}, a.Slenderness <= 200.0L);
    ShowNumber("Edit_R121prov", d.SectionModulusProvided);
    ShowNumber("Edit_R121req", d.SectionModulusRequired);
    ShowVerdict("Image34", {d.SectionModulusRequired, d.SectionModulusProvided},
                Mag(d.SectionModulusRequired) <= Mag(d.SectionModulusProvided));

    ShowLaggingResults();
}

void TfrmKdMain::ShowLaggingResults() {
    const TKdData& d = Data();
    const TLaggingResults& r = d.LaggingResults;
    ShowNumber("Edit_R21", d.LaggingSoilPressure);
    ShowNumber("Edit_R31", d.LaggingSoilPressure);
    ShowNumber("Edit_R22", d.LaggingMoment);
    ShowNumber("Edit_R23", d.LaggingAreaRequired);
    ShowNumber("Edit_R24", d.LaggingModulusRequired);
    ShowNumber("Edit_R26", r.M / d.UnitVal(1000.0L, 1.0L));
    ShowNumber("Edit_R27", r.V);
    ShowNumber("Edit_R28adj", r.FbPrime);
    ShowNumber("Edit_R28act", r.fb);
    ShowNumber("Edit_R29adj", r.FvPrime);
    ShowNumber("Edit_R29act", r.fv);
    ShowNumber("Edit_R30", r.Deflection);

    const QString size = LaggingSizeText();
    if (auto* e = Ctl<QLineEdit>("Edit_R25")) e->setText(size);
    ShowMark("Image24", size != QLatin1String("None"));
    SetLabel("Label207", platform::FormatFixedText(d.ConcreteFacingText()));
    SetLabel("Label209", platform::FormatFixedText(d.ConcreteStrengthText()));

    // The timber marks only while the timber block shows.
    if (IsShown("Panel24") && IsShown("Panel35")) {
        ShowMark("Image25", SafeDiv(r.fb, r.FbPrime) <= 1.0L);
        ShowMark("Image26", SafeDiv(r.fv, r.FvPrime) <= 1.0L);
        // At most the clear span between the piles / 180.
        const Ext clearSpan = (d.PileSpacing - d.TributaryWidth()) * d.UnitVal(1000.0L, 12.0L);
        ShowMark("Image27", SafeDiv(r.Deflection, clearSpan / 180.0L) <= 1.0L);
    }
}

QString TfrmKdMain::LaggingSizeText() const {
    const TKdData& d = Data();
    const bool si = d.Units == usSI;
    switch (d.LaggingType) {
    case ltTimber: {
        if (!d.LaggingResults.LaggingPass) return QStringLiteral("None");
        const int thickness = si ? d.LaggingResults.NominalThicknessSI : d.LaggingResults.NominalThickness;
        return QString::number(thickness) + (si ? QStringLiteral("mm timber") : QStringLiteral("x12 timber"));
    }
    case ltSteelPlate: {
        // Plate thicknesses by the required section modulus per foot (in^3) or metre (mm^3); the
        // SI limits are the English ones x 16387. Extended constants: a limit is met exactly.
        struct Step {
            Ext english, si;
            const char *inch, *mm;
        };
        static const Step steps[] = {{0.781L, 12798.0L, "5/8", "16"}, {1.125L, 18435.0L, "3/4", "19"},
                                     {2.0L, 32774.0L, "1.0", "26"},   {2.53L, 41459.0L, "1.25", "32"},
                                     {4.5L, 73741.0L, "1.50", "38"},  {8.0L, 131097.0L, "2.0", "51"}};
        const Ext required = d.LaggingModulusRequired;
        for (const Step& s : steps)
            if (required <= (si ? s.si : s.english))
                return platform::LocaleNumbersIn(QLatin1String(si ? s.mm : s.inch)) +
                       (si ? QStringLiteral(" mm steel plate") : QStringLiteral(" inch steel plate"));
        return QStringLiteral("None");
    }
    default:
        return QString();
    }
}

// --- Rebar cage spacing message ---------------------------------------------------------------

void TfrmKdMain::ShowSpacingMessage() {
    const TKdData& d = Data();
    const Ext pitch = d.PitchOverride, calculated = d.CalculatedPitch;
    QString text = QStringLiteral("Spacing Good");
    if (d.TieOrSpiral == 1) {
        if (d.Units == usSI) {
            if (pitch < 25.0L || pitch > 75.0L) text = QStringLiteral("Must be between 25 and 75 mm");
        } else if (pitch < 1.0L || pitch > 3.0L) {
            text = QStringLiteral("Must be between 1 and 3 in");
        }
    } else if (std::nearbyint(10.0L * pitch) > std::nearbyint(10.0L * calculated)) {
        const bool si = d.Units == usSI;
        const Ext diameter = d.TributaryWidth() * d.UnitVal(1000.0L, 12.0L);
        text = QStringLiteral("Must be less than 16db, 48dl and Pier Diameter (%1%2")
                   .arg(FormatFloat(diameter, 8, 0), si ? QStringLiteral("mm)") : QStringLiteral("in)"));
    }
    SetLabel("Label249", text);
}

// --- Guardrail, support and pile results (refresh step 24) ------------------------------------

void TfrmKdMain::ShowSupportResults() {
    const TKdData& d = Data();
    const TAnchor& a = d.Anchors;
    const TGuardrailResults& g = d.Gr;
    const bool sheet = d.PileType == ptSheet;

    ShowNumber("Edit_R32a", g.GrAllowCompression);
    ShowNumber("Edit_R32", g.GrLoad);
    ShowVerdict("Image19", {g.GrAllowCompression, g.GrLoad}, g.GrAllowCompression >= g.GrLoad);
    ShowNumber("Edit_R33", g.GrMyLimit);
    ShowNumber("Edit_R34", g.GrMnLtb);
    ShowNumber("Edit_R35a", g.GrAllowMoment);
    ShowNumber("Edit_R35", g.GrMoment);
    ShowVerdict("Image20", {g.GrAllowMoment, g.GrMoment}, g.GrAllowMoment >= g.GrMoment);
    ShowNumber("Edit_R36a", g.GrAllowY);
    ShowNumber("Edit_R36", g.GrStressY);
    ShowVerdict("Image22", {g.GrAllowY, g.GrStressY}, g.GrAllowY >= g.GrStressY);
    ShowNumber("Edit_R37a", g.GrAllowX);
    ShowNumber("Edit_R37", g.GrStressX);
    ShowVerdict("Image23", {g.GrAllowX, g.GrStressX}, g.GrAllowX >= g.GrStressX);

    for (int i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i + 1);
        ShowNumber(("Edit_R101x" + n).c_str(), a.DiagramPoints[static_cast<size_t>(i)].Depth);
        ShowNumber(("Edit_R101w" + n).c_str(), a.DiagramPoints[static_cast<size_t>(i)].Load);
    }
    ShowNumber("Edit_R110", a.SumOfReactions);
    ShowNumber("Edit_R111", a.SumOfLoads);
    ShowNumber("Edit_R112", a.BucklingCheck);
    ShowNumber("Edit_R113", a.AxialCheck);
    ShowNumber("Edit_R114", a.CombinedUtilization);
    ShowVerdict("Image4", {a.CombinedUtilization}, Mag(a.CombinedUtilization) <= 100.0L);
    ShowNumber("Edit_R115", a.MaxShear);
    ShowNumber("Edit_R115at", a.MaxShearDepth);
    ShowNumber("Edit_R116", a.MaxMoment);
    ShowNumber("Edit_R116at", a.MaxMomentDepth);
    ShowNumber("Edit_R117", a.MaxDeflectionResult);
    ShowNumber("Edit_R117at", a.MaxDeflectionDepth);
    ShowVerdict("Image3", {a.MaxDeflectionResult, a.MaxDeflection},
                Mag(a.MaxDeflectionResult) <= a.MaxDeflection);

    // The member check of the pile; an undefined check has no verdict either.
    const auto verdict = [this](const char* label, bool known, bool pass, const char* passText,
                                const char* failText) {
        ShowPassText(label, pass, passText, failText);
        if (!known) SetLabel(label, QString());
    };
    ShowNumber("Edit_R118req", a.ShearAreaRequired);
    ShowNumber("Edit_R118prov", a.ShearAreaProvided);
    const bool shearPass = a.ShearAreaProvided >= a.ShearAreaRequired;
    verdict("Label28", ShowVerdict("Image29", {a.ShearAreaRequired, a.ShearAreaProvided}, shearPass),
            shearPass, "(Adequate for Shear)", "(Not Adequate for Shear)");
    const Ext zx = ProvidedZx();
    ShowNumber("Edit_R119req", a.ModulusRequired);
    ShowNumber("Edit_R119prov", zx);
    const bool bendingPass = a.ModulusRequired <= zx;
    verdict("Label29", ShowVerdict("Image31", {a.ModulusRequired, zx}, bendingPass), bendingPass,
            "(Adequate for Bending)", "(Not Adequate for Bending)");
    ShowNumber("Edit_R120", a.UtilizedIx);
    const bool deflectionPass = a.UtilizedIx <= 100.0L;
    verdict("Label30", ShowVerdict("Image32", {a.UtilizedIx}, deflectionPass), deflectionPass,
            "(Adequate for Deflection)", "(Not Adequate for Deflection)");

    // The drilled pier: Pd is the pier's largest design axial strength.
    const Ext pd = d.Pier.PmaxPier;
    ShowNumber("Edit_R81", d.FactoredAxial);
    ShowNumber("Edit_R82", d.FactoredMoment);
    ShowNumber("Edit_R84", d.MomentCapacity);
    const auto utilisation = [](Ext value, Ext divisor) {
        return divisor == 0.0L || std::isinf(divisor) || IsNaN(divisor) ? kNaN : value * 100.0L / divisor;
    };
    ShowNumber("Edit_R81ut", utilisation(d.FactoredAxial, pd), true);
    ShowNumber("Edit_R82ut", utilisation(d.FactoredMoment, d.MomentCapacity), true);
    ShowVerdict("Image13", {d.FactoredAxial, pd}, Mag(d.FactoredAxial) <= Mag(pd));
    ShowVerdict("Image14", {d.FactoredMoment, d.MomentCapacity},
                Mag(d.FactoredMoment) <= Mag(d.MomentCapacity));
    ShowNumber("Edit_R85prov", d.SectionModulusProvided);
    ShowNumber("Edit_R85req", d.SectionModulusRequired);
    ShowVerdict("Image16", {d.SectionModulusRequired, d.SectionModulusProvided},
                Mag(d.SectionModulusRequired) <= Mag(d.SectionModulusProvided));

    // Blocks that apply to this pile.
    SetShown("Panel51", d.PileSection == psIBeam);
    QWidget* check = Control(QStringLiteral("Panel63"));
    QWidget* sheetCheck = Control(QStringLiteral("Panel64"));
    if (check && sheetCheck) {
        sheetCheck->move(sheetCheck->x(), check->y());
        sheetCheck->setVisible(sheet);
        check->setVisible(!sheet);
        // The links follow the check shown, and the design block ends under them.
        const QWidget* shown = sheet ? sheetCheck : check;
        const int links = check->y() + shown->height() + 4;
        for (const char* name : {"Label392", "Label396", "Label397"})
            if (QWidget* link = Control(QLatin1String(name))) link->move(link->x(), links);
        if (QWidget* design = Control(QStringLiteral("Panel49")))
            if (const QWidget* link = Control(QStringLiteral("Label392")))
                design->resize(design->width(), shown->height() + check->y() + link->height() * 3);
    }
    SetShown("Panel23", d.PileSection == psRebarCage && !sheet);
    SetShown("Panel30", false);
}

// The Zx the pile check compares with: the beam row's, or for a pipe the pipe row's own modulus.
Ext TfrmKdMain::ProvidedZx() const {
    const TKdData& d = Data();
    if (!IsNaN(d.Anchors.ModulusProvided)) return d.Anchors.ModulusProvided;
    const int index = d.CurrentShapeIndex();
    if (d.PileType != ptSheet && d.PileSection != psIBeam && index >= 0 &&
        index < static_cast<int>(d.PipeShapes.size()))
        return d.PipeShapes[static_cast<size_t>(index)].Z;
    return d.GetShape().Zx;
}

void TfrmKdMain::ShowBasalHeaveResult() {
    const TKdData& d = Data();
    ShowNumber("Edit_RBH1", d.BasalSafetyFactor);
    ShowVerdict("Image28", {d.BasalSafetyFactor}, d.BasalSafetyFactor >= 1.5L);
}

} // namespace vantrel::ui

namespace vantrel::ui {

// --- Lagging result blocks (refresh step 4) ---------------------------------------------------

void TfrmKdMain::ShowLaggingResultBlocks() {
    const int type = Data().LaggingType;
    QWidget* pressure = Control(QStringLiteral("Panel34"));
    QWidget* timber = Control(QStringLiteral("Panel35"));
    if (!pressure || !timber) return;
    timber->move(timber->x(), pressure->y());
    pressure->setVisible(type != ltTimber);
    timber->setVisible(type == ltTimber);
    const auto row = [this](const char* edit, std::initializer_list<const char*> labels, bool shown) {
        SetShown(edit, shown);
        for (const char* label : labels)
            SetShown(label, shown);
    };
    const auto place = [this](const char* edit, std::initializer_list<const char*> labels, int top) {
        if (QWidget* e = Control(QLatin1String(edit))) e->move(e->x(), top);
        for (const char* label : labels)
            if (QWidget* l = Control(QLatin1String(label))) l->move(l->x(), top + 3);
    };
    const auto placeSize = [this, &place](int top) {
        place("Edit_R25", {"Label185"}, top);
        if (QWidget* mark = Control(QStringLiteral("Image24"))) mark->move(mark->x(), top - 2);
    };
    const auto bottom = [](const QWidget* w) { return w->y() + w->height(); };
    const bool concrete = type == ltConcrete;
    for (const char* name : {"Label206", "Label207", "Label208", "Label209"})
        SetShown(name, concrete);
    switch (type) {
    case ltTimber:
        row("Edit_R25", {"Label185", "Image24"}, true);
        placeSize(bottom(timber) + 4);
        break;
    case ltSteelPlate: {
        row("Edit_R23", {"Label184", "Label193"}, false);
        row("Edit_R24", {"Label188", "Label190"}, true);
        row("Edit_R25", {"Label185", "Image24"}, true);
        if (const QWidget* moment = Control(QStringLiteral("Edit_R22"))) {
            place("Edit_R24", {"Label188", "Label190"}, moment->y() + 27);
            if (const QWidget* modulus = Control(QStringLiteral("Edit_R24")))
                pressure->resize(pressure->width(), bottom(modulus) + 2);
        }
        placeSize(bottom(pressure) + 4);
        break;
    }
    case ltConcrete:
        row("Edit_R23", {"Label184", "Label193"}, false);
        row("Edit_R24", {"Label188", "Label190"}, false);
        row("Edit_R25", {"Label185", "Image24"}, false);
        if (const QWidget* moment = Control(QStringLiteral("Edit_R22"))) {
            pressure->resize(pressure->width(), bottom(moment) + 2);
            const int top = bottom(pressure) + 7;
            for (const auto& [name, dy] : {std::pair{"Label206", 0}, std::pair{"Label207", 0},
                                           std::pair{"Label208", 27}, std::pair{"Label209", 27}})
                if (QWidget* l = Control(QLatin1String(name))) l->move(l->x(), top + dy);
        }
        break;
    default:
        break;
    }
}

// --- Walers ------------------------------------------------------------------------------------

void TfrmKdMain::ShowWalerResults() {
    TKdData& d = Data();
    const int levels = d.Anchors.UsedLevels();
    const int inputLevel = tabIndex("TabControl1");
    const int resultLevel = tabIndex("TabControl2");

    // Inputs of the level in the input tabs; a project without levels shows the waler a new level
    // would get, with nothing to edit.
    {
        const bool inTab = inputLevel >= 0 && inputLevel < levels;
        const TAnchLevel added = inTab ? TAnchLevel{} : d.NewLevel(true);
        const TWaler& w = inTab ? d.Anchors.Levels[static_cast<size_t>(inputLevel)].Waler : added.Waler;
        SetChecked("CheckBox3", w.HasWaler);
        SetChecked("CheckBox8", w.TwoSpans);
        SetShown("Image7", !w.TwoSpans);
        SetShown("Image37", w.TwoSpans);
        SetShown("Panel68", !w.TwoSpans);
        SetShown("Panel70", w.TwoSpans);
        QWidget* rest = Control(QStringLiteral("Panel69"));
        if (const QWidget* above = Control(QLatin1String(w.TwoSpans ? "Panel70" : "Panel68")); rest && above)
            rest->move(rest->x(), above->y() + above->height());
        // The level's page ends below the last inputs with twice the margin above the first, and
        // the tab control with the page.
        QWidget* page = Control(QStringLiteral("Panel18"));
        QWidget* tabs = Control(QStringLiteral("TabControl1"));
        if (const QWidget* first = Control(QStringLiteral("CheckBox3")); rest && page && tabs && first) {
            page->resize(page->width(), rest->y() + rest->height() + 2 * first->y());
            tabs->resize(tabs->width(), page->y() + page->height());
        }
        RefitSection("Panel16");
        ShowNumber("Edit_Wa", w.Wa);
        ShowNumber("Edit_Wb", w.Wb);
        ShowNumber("Edit_Wc", w.Wc);
        ShowNumber("Edit_WLeft", w.WLeft);
        ShowNumber("Edit_WRight", w.WLeft);
        ShowNumber("Edit_Wtop", w.WalerDepth);
        ShowNumber("Edit_Wwl", w.WalerLoad);
        SelectItem("ComboBox24", w.ShapeFamily);
        if (auto* rows = Ctl<QComboBox>("ComboBox23")) {
            const QSignalBlocker blocker(rows);
            rows->setCurrentIndex(w.ShapeRow >= 0 && w.ShapeRow < rows->count() ? w.ShapeRow
                                                                                : rows->count() - 1);
        }
        ShowNumber("Edit_WFy", w.Fy);
        ShowNumber("Edit_WE", w.E);
        ShowNumber("Edit_WIx", w.WalerIx);
        // Two channels are a choice of the channel sections only.
        if (QWidget* block = Control(QStringLiteral("Panel18")))
            EnableSectionControls(block, inTab && w.HasWaler, Control(QStringLiteral("CheckBox3")));
        if (QWidget* use = Control(QStringLiteral("CheckBox3"))) use->setEnabled(inTab);
        if (QWidget* channels = Control(QStringLiteral("CheckBox7")))
            channels->setEnabled(inTab && w.HasWaler && d.WalerIndexOutOfRange(inputLevel));
        SetChecked("CheckBox7", w.TwoChannels);
    }

    // Results of the level in the result tabs.
    const TWaler* r = resultLevel >= 0 && resultLevel < levels
                          ? &d.Anchors.Levels[static_cast<size_t>(resultLevel)].Waler
                          : nullptr;
    const bool two = r && r->TwoSpans;
    QWidget* v1 = Control(QStringLiteral("Edit_RWV1"));
    QWidget* v2 = Control(QStringLiteral("Edit_RWV2"));
    QWidget* v3 = Control(QStringLiteral("Edit_RWV3"));
    QWidget* v4 = Control(QStringLiteral("Edit_RWV4"));
    QWidget* vmax = Control(QStringLiteral("Edit_RWVmax"));
    QWidget* m1 = Control(QStringLiteral("Edit_RWM1"));
    QWidget* m2 = Control(QStringLiteral("Edit_RWM2"));
    QWidget* m3 = Control(QStringLiteral("Edit_RWM3"));
    QWidget* mmax = Control(QStringLiteral("Edit_RWMmax"));
    QWidget* link = Control(QStringLiteral("Label122"));
    QWidget* locCaption = Control(QStringLiteral("Label419"));
    if (v1 && v2 && v3 && v4 && vmax && m1 && m2 && m3 && mmax) {
        if (!walerStep_) walerStep_ = v2->x() - v1->x(); // the column pitch of the layout
        const int step = walerStep_;
        v4->setVisible(!two);
        m3->setVisible(!two);
        v3->move((two ? vmax : v4)->x() - step, v3->y());
        m2->move((two ? mmax : m3)->x() - step, m2->y());
        v2->move(v3->x() - step, v2->y());
        v1->move(v2->x() - step, v1->y());
        m1->move(m2->x() - step, m1->y());
        // The column headings follow their values.
        for (const auto& [head, value] :
             {std::pair{"Label109", v1}, std::pair{"Label110", v2}, std::pair{"Label107", v3},
              std::pair{"Label108", v4}, std::pair{"Label117", m1}, std::pair{"Label114", m2},
              std::pair{"Label115", m3}})
            if (QWidget* h = Control(QLatin1String(head))) {
                // The heading keeps the offset from its value that the layout gives it.
                if (!h->property("columnOffset").isValid())
                    h->setProperty("columnOffset", h->x() - value->x());
                h->move(value->x() + h->property("columnOffset").toInt(), h->y());
                h->setVisible(!value->isHidden());
            }
    }
    for (const char* name : {"Edit_RWDeflLoc1", "Edit_RWDeflLoc2", "Label419", "Label420"})
        SetShown(name, two);
    if (link && locCaption) link->move(link->x(), locCaption->y() + (two ? 27 : 0));
    if (QWidget* grid = Control(QStringLiteral("Panel53")); grid && link) {
        grid->resize(grid->width(), link->y() + 27);
        if (QWidget* tabs = Control(QStringLiteral("TabControl2")))
            tabs->resize(tabs->width(), grid->y() + grid->height() + 8);
    }
    RefitSection("Panel48");

    // No level in the tab: no results, rather than those of the project shown before.
    const TWaler none = [] {
        TWaler w;
        for (Ext* v : {&w.TotalLength, &w.WalerW, &w.R1, &w.R2, &w.V1, &w.V2, &w.V3, &w.V4, &w.MaxShearW,
                       &w.M1, &w.M2, &w.M3, &w.MaxMomentW, &w.RequiredS, &w.ProvidedS,
                       &w.AllowableDeflectionW, &w.MaxDeflectionW, &w.MaxDeflectionX})
            *v = kNaN;
        return w;
    }();
    {
        const TWaler& shown = r ? *r : none;
        ShowNumber("Edit_RWl", shown.TotalLength);
        ShowNumber("Edit_RWw", shown.WalerW);
        ShowNumber("Edit_RWR1", shown.R1);
        ShowNumber("Edit_RWR2", shown.R2);
        ShowNumber("Edit_RWV1", shown.V1);
        ShowNumber("Edit_RWV2", shown.V2);
        ShowNumber("Edit_RWV3", shown.V3);
        ShowNumber("Edit_RWV4", shown.V4);
        ShowNumber("Edit_RWVmax", shown.MaxShearW);
        ShowNumber("Edit_RWM1", shown.M1);
        ShowNumber("Edit_RWM2", shown.M2);
        ShowNumber("Edit_RWM3", shown.M3);
        ShowNumber("Edit_RWMmax", shown.MaxMomentW);
        ShowNumber("Edit_RWSxReq", shown.RequiredS);
        ShowNumber("Edit_RWSxProv", shown.ProvidedS);
        ShowNumber("Edit_RWDeflReq", shown.AllowableDeflectionW);
        ShowNumber("Edit_RWDeflProv", shown.MaxDeflectionW);
        ShowNumber("Edit_RWDeflLoc1", shown.MaxDeflectionX);
        // The same point measured from the other end.
        ShowNumber("Edit_RWDeflLoc2", shown.TotalLength - shown.MaxDeflectionX);
        ShowMark("Image9", shown.ModulusPass);
        ShowMark("Image33", shown.DeflectionPass);
        ShowPassText("Label120", shown.ModulusPass, "(Waler is Adequate)", "(Redesign the Waler)");
    }
    const bool hasWaler = r && r->HasWaler;
    SetShown("Image9", hasWaler);
    SetShown("Label120", hasWaler);
    if (QWidget* grid = Control(QStringLiteral("Panel53"))) EnableSectionControls(grid, hasWaler, nullptr);

    // The result section shows while any level has a waler, under the corner brace results when
    // they show, else under the support results.
    SetShown("Panel48", d.CountWalerLevels() > 0);
}

// A waler tab chosen by the user. A tab bar reports the change after it happened, so the level
// being left is the one the inputs show (walerTab_): its inputs are stored first, then both tab
// controls show the new level and a commit recomputes with it.
void TfrmKdMain::WalerTabChanged(QTabBar* sender, int index) {
    if (busy_ > 0) return;
    RunGuarded([&] {
        ReadWalerInputs(walerTab_);
        for (const char* name : {"TabControl1", "TabControl2"})
            if (auto* tabs = Ctl<TabControl>(name); tabs && tabs->Tabs() != sender) {
                const QSignalBlocker blocker(tabs->Tabs());
                tabs->Tabs()->setCurrentIndex(index);
            }
        walerTab_ = index;
        TKdData& d = Data();
        if (index >= 0 && index < d.Anchors.UsedLevels()) {
            const TWaler& w = d.Anchors.Levels[static_cast<size_t>(index)].Waler;
            if (ListIndex("ComboBox24", w.ShapeFamily) != w.ShapeFamily) {
                SelectItem("ComboBox24", w.ShapeFamily);
                ClearList("ComboBox23");
                FillSectionLists(true);
            }
        }
        {
            const BusyScope busy(busy_);
            ShowWalerResults();
        }
        ReadInputs();
    });
}

void TfrmKdMain::ConnectWalerTabs() {
    for (const char* name : {"TabControl1", "TabControl2"})
        if (auto* tabs = Ctl<TabControl>(name)) {
            QTabBar* bar = tabs->Tabs();
            connect(bar, &QTabBar::currentChanged, this,
                    [this, bar](int index) { WalerTabChanged(bar, index); });
        }
}

// --- Roll-up of the marks into the result sections ---------------------------------------------

namespace {

struct Rollup {
    bool allPass = true;
    bool anyImage = false;
};

// A pass or fail mark: a plain label holding its picture (pictures and links are other classes).
bool IsStatusMark(const QWidget* w) {
    const auto* label = qobject_cast<const QLabel*>(w);
    return label && label->metaObject() == &QLabel::staticMetaObject && !label->pixmap().isNull();
}

bool IsPanel(const QWidget* w) {
    return w && w->metaObject() == &QFrame::staticMetaObject;
}

} // namespace

void TfrmKdMain::UpdateResultStatus() {
    const TKdData& d = Data();
    const std::function<void(QWidget*, Rollup&)> visit = [&](QWidget* panel, Rollup& flags) {
        for (QObject* child : panel->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (!w) continue;
            if (w->objectName() == QLatin1String("TabControl2")) {
                // The waler section sums up the walers of all levels, not the level in the tab.
                flags.allPass = d.AllWalersPass();
                flags.anyImage = d.CountWalerLevels() > 0;
            } else if (IsStatusMark(w)) {
                if (w->isHidden()) continue;
                flags.anyImage = true;
                flags.allPass = flags.allPass && Tag(w) == 0;
            } else if (IsPanel(w) && w->y() < 5) {
                continue; // the caption bar, whose mark is the sum
            } else if (IsPanel(w) && !w->isHidden()) {
                visit(w, flags);
            }
        }
    };
    // The sections as the refresh last stacked them: the ones shown, each judged by its own marks.
    for (QWidget* section : ResultSections()) {
        Rollup flags;
        visit(section, flags);
        if (auto* mark = Ctl<QLabel>(("img" + section->objectName()).toLatin1().constData())) {
            mark->setVisible(flags.anyImage);
            SetToggleImage(flags.allPass, mark);
        }
    }
}

} // namespace vantrel::ui

namespace vantrel::ui {

// --- Logo -------------------------------------------------------------------------------------

// The project's JPEG on screen; decoded only when the project holds other bytes than last time.
void TfrmKdMain::ShowLogo() {
    const TKdData& d = Data();
    auto* logo = Ctl<QLabel>("Logo");
    if (!logo) return;
    if (d.Logo.empty()) {
        logo->clear();
        shownLogo_.clear();
    } else if (d.Logo != shownLogo_) {
        QImage picture;
        picture.loadFromData(d.Logo.data(), static_cast<int>(d.Logo.size()), "JPEG");
        if (picture.isNull())
            logo->clear();
        else
            logo->setPixmap(QPixmap::fromImage(picture));
        shownLogo_ = d.Logo;
    }
    FitLogo();
}

// The logo keeps its proportions at the slot's height, at most 173 pixels wide, centred in the
// 173-pixel slot 4 pixels from the right edge of its panel.
void TfrmKdMain::FitLogo() {
    auto* logo = Ctl<QLabel>("Logo");
    if (!logo || !logo->parentWidget()) return;
    constexpr int kSlot = 173;
    const QPixmap picture = logo->pixmap();
    int width = 0;
    if (!picture.isNull() && picture.height() > 0) {
        width = static_cast<int>(
            std::lround(static_cast<double>(picture.width()) * logo->height() / picture.height()));
        width = std::min(width, kSlot);
    }
    logo->setScaledContents(true);
    logo->setGeometry(logo->parentWidget()->width() - width - 4 - (kSlot - width) / 2, logo->y(), width,
                      logo->height());
}

// --- Stacking and pictures ----------------------------------------------------------------------

void TfrmKdMain::RestackPanels() {
    CollectControlsByTabOrder(ScrollBox1, FInputSections);
    CollectControlsByTabOrder(ScrollBox2, FResultSections);
    ArrangeColumn(ScrollBox1);
    ArrangeColumn(ScrollBox2);
}

// The results alone, as the refresh shows them after the calculation.
void TfrmKdMain::ShowResults() {
    const BusyScope busy(busy_);
    ShowCalculatedInputs();
    ShowWalerResults();
    ShowPileResults();
    ShowSpacingMessage();
    ShowSupportResults();
    ShowBasalHeaveResult();
    SyncLevelRows(true);
    UpdateResultStatus();
}

} // namespace vantrel::ui
