// KdWalk: a seeded random walk through the real window. Each step is one thing a user does, chosen
// at random among the controls that are shown and enabled: an item chosen from a list, a number
// typed into an input (inside its limits with more decimals than it shows, just past a limit,
// exactly a limit, 0, a negative one) and left with Tab or Enter, a level count, a check box, Tab,
// a click on a section caption, a "View ..." window opened and closed. After every step:
//   1. every shown numeric input reads, as its field formats it, what the project holds;
//   2. one more commit with nothing typed leaves the project, results included, as it was;
//   3. Save As, then a fresh model of that file, gives the project the window holds.
// Save As commits the focused input first, so one Save As from H serves 2 and 3.
// A failure prints the seed and the steps that led to it. The seeds run in four blocks of
// KDWALK_SEEDS (5) seeds of KDWALK_STEPS (30) steps from KDWALK_FIRST_SEED (1); larger numbers
// run a longer walk. Replay one seed n: KDWALK_FIRST_SEED=n KDWALK_SEEDS=1 and the filter */0.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QtTest/QTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <sstream>

#include "tests/model/result_dump.h"
#include "tests/ui/KdCycleFixture.h"
#include "ui/Globals.h"
#include "ui/Widgets.h"

using namespace vantrel;
using vantrel::testing::KdCycleTest;

namespace {

int EnvInt(const char* name, int fallback) {
    bool ok = false;
    const int v = qEnvironmentVariableIntValue(name, &ok);
    return ok && v > 0 ? v : fallback;
}

using Getter = std::function<Ext(const TKdData&, int level)>;

// What each numeric input of the main window stores: the value its edit shows.
struct Field {
    QString name; // a row's prefix ends in the level number
    Getter stored;
};

const TWaler& SelectedWaler(const TKdData& d, int tab) {
    return d.Anchors.Levels[static_cast<size_t>(std::clamp(tab, 0, d.Anchors.UsedLevels() - 1))].Waler;
}

#define WALK_FIELD(name, expr) {QStringLiteral(name), [](const TKdData& d, int) -> Ext { return (expr); }}
#define WALK_WALER(name, member) \
    {QStringLiteral(name), [](const TKdData& d, int tab) -> Ext { return SelectedWaler(d, tab).member; }}

std::vector<Field> Fields() {
    std::vector<Field> fields = {
        WALK_FIELD("Edit_16", d.ShoredHeight), WALK_FIELD("Edit_17", d.PileSpacing),
        WALK_FIELD("Edit_18", d.TributaryWidth()), WALK_FIELD("Edit_5", d.SoilRecords[0].UnitWeight),
        WALK_FIELD("Edit_35", d.IgnorePassive), WALK_FIELD("Edit_112", d.Anchors.UniformSurcharge),
        WALK_FIELD("Edit_113", d.Anchors.WaterDepth), WALK_FIELD("Edit_114", d.Anchors.SurchargeK),
        WALK_FIELD("Edit_115", d.Anchors.Kh), WALK_FIELD("Edit_Sq", d.Anchors.StripLoad),
        WALK_FIELD("Edit_Sa", d.Anchors.StripOffset), WALK_FIELD("Edit_Sb", d.Anchors.StripWidth),
        WALK_FIELD("Edit_Sd", d.Anchors.StripDepth), WALK_FIELD("Edit_Lq", d.Anchors.LineLoad),
        WALK_FIELD("Edit_Lx", d.Anchors.LineOffset), WALK_FIELD("Edit_Ld", d.Anchors.LineDepth),
        WALK_FIELD("Edit_Pq", d.Anchors.PointLoad), WALK_FIELD("Edit_Px", d.Anchors.PointOffset),
        WALK_FIELD("Edit_Pd", d.Anchors.PointDepth), WALK_FIELD("Edit_81", d.VerticalBarCount),
        WALK_FIELD("Edit_82", d.ClearCover), WALK_FIELD("Edit_84", d.PitchOverride),
        WALK_FIELD("Edit_22", d.SteelE), WALK_FIELD("Edit_23", d.SteelFy), WALK_FIELD("Edit_25", d.ConcreteFc),
        WALK_FIELD("Edit_Ax1", d.AxialLoad), WALK_FIELD("Edit_Ax6", d.AllowSkinFriction),
        WALK_FIELD("Edit_Ax7", d.AllowEndBearing), WALK_FIELD("Edit_101", d.Anchors.LevelCount),
        WALK_FIELD("Edit_103", d.Anchors.LoadingHeight), WALK_FIELD("Edit_96", d.Anchors.SheetPileSpacingStep),
        WALK_FIELD("Edit_105", d.Anchors.Cb), WALK_FIELD("Edit_107", d.Anchors.K),
        WALK_FIELD("Edit_108", d.Anchors.MaxDeflection), WALK_FIELD("Edit_BH1", d.BasalCohesion),
        WALK_FIELD("Edit_BH2", d.BasalNc), WALK_FIELD("Edit_BH3", d.BasalUnitWeight),
        WALK_FIELD("Edit_BH5", d.BasalCondition == 1 ? d.BasalWidth : d.BasalSurcharge),
        WALK_FIELD("Edit_34", d.ArchingFactor), WALK_FIELD("Edit_86", d.TimberFb),
        WALK_FIELD("Edit_87", d.TimberFv), WALK_FIELD("Edit_88", d.TimberE),
        WALK_FIELD("Edit_89", d.GuardrailLength), WALK_FIELD("Edit_92", d.GuardrailLoad),
        WALK_FIELD("Edit_93", d.GuardrailPointLoad), WALK_FIELD("Edit_120", d.AllowLoadTransfer),
        WALK_FIELD("ComboBox19", d.Anchors.EmbedmentRatio),
        WALK_WALER("Edit_Wa", Wa), WALK_WALER("Edit_Wb", Wb), WALK_WALER("Edit_Wc", Wc),
        WALK_WALER("Edit_WLeft", WLeft), WALK_WALER("Edit_WFy", Fy),
    };
    for (int i = 0; i < 8; ++i) {
        const QString n = QString::number(i + 1);
        const auto at = static_cast<size_t>(i);
        fields.push_back({"Edit_6" + n + "x", [at](const TKdData& d, int) { return d.LoadingSidePoints[at].X; }});
        fields.push_back({"Edit_6" + n + "w", [at](const TKdData& d, int) { return d.LoadingSidePoints[at].W; }});
        if (i >= 4) continue;
        fields.push_back({"Edit_7" + n + "x", [at](const TKdData& d, int) { return d.PassiveSidePoints[at].X; }});
        fields.push_back({"Edit_7" + n + "w", [at](const TKdData& d, int) { return d.PassiveSidePoints[at].W; }});
        fields.push_back({"Edit_EPx" + n, [at](const TKdData& d, int) { return d.UnfactoredPoints[at].X; }});
        // The edits show ksf, the project holds psf.
        fields.push_back({"Edit_EPw" + n, [at](const TKdData& d, int) {
                              return d.UnfactoredPoints[at].W / d.UnitVal(1.0L, 1000.0L);
                          }});
    }
    for (int n = 1; n <= 8; ++n) {
        const auto at = static_cast<size_t>(n - 1);
        const QString row = QString::number(n);
        fields.push_back({"Edit_AnchX" + row,
                          [at](const TKdData& d, int) { return d.Anchors.Levels[at].HeightFromPrevious; }});
        fields.push_back({"Edit_AnchAng" + row, [at](const TKdData& d, int) { return d.Anchors.Levels[at].Angle; }});
        fields.push_back(
            {"Edit_CornerAng" + row, [at](const TKdData& d, int) { return d.CornerBraces.Levels[at].Angle; }});
    }
    return fields;
}

#undef WALK_FIELD
#undef WALK_WALER

// The inputs whose edit may show another number than the project holds, each with its reason.
struct Exception {
    const char* name;
    const char* reason;
    std::function<bool(const TKdData&, const TFieldLimit&)> applies; // the limit of its field
};
const std::vector<Exception>& Exceptions() {
    static const std::vector<Exception> list = {
        {"ComboBox19",
         "a range narrower than one shown step keeps its limit: on a wall lower than the least "
         "embedment / 0.65 (12.3 ft, 3.85 m) the ratio is the least embedment / H, which two decimals "
         "cannot show",
         [](const TKdData& d, const TFieldLimit&) { return d.UnitVal(2.5L, 8.0L) / d.ShoredHeight > 0.65L; }},
        {"Edit_108",
         "the same on a wall so low that H / 240 lies under the field's least deflection (10 ft, "
         "3 m): the deflection is H / 240",
         [](const TKdData& d, const TFieldLimit& limit) {
             return d.UnitVal(1000.0L, 12.0L) * d.ShoredHeight / 240.0L < limit.Min;
         }},
    };
    return list;
}

QString TextIn(QWidget* control) {
    if (auto* combo = qobject_cast<QComboBox*>(control)) return combo->lineEdit() ? combo->lineEdit()->text() : "";
    auto* edit = qobject_cast<QLineEdit*>(control);
    return edit ? edit->text() : QString();
}

class KdWalk : public KdCycleTest {
  protected:
    struct Walker {
        std::mt19937 random;
        std::vector<std::string> steps;
        int Below(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random); }
        bool Coin() { return Below(2) == 1; }
    };

    ui::TfrmKdMain& Win() { return *walk_; }
    TKdData& Data() { return walk_->Data(); }

    template <class T> std::vector<T*> Shown() {
        std::vector<T*> found;
        for (T* w : walk_->findChildren<T*>()) {
            if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
            if (!w->isVisibleTo(walk_.get()) || !w->isEnabled()) continue;
            found.push_back(w);
        }
        std::sort(found.begin(), found.end(), [](T* a, T* b) { return a->objectName() < b->objectName(); });
        return found;
    }

    // A number for an input with this field limit: inside with more decimals than it shows, past
    // a limit, exactly a limit, 0 or negative.
    static QString NumberFor(Walker& w, const TFieldLimit& limit) {
        const int digits = limit.Digits;
        const Ext step = std::pow(10.0L, -static_cast<Ext>(digits));
        const Ext lo = limit.HasLimit() ? limit.Min : 0.0L;
        const Ext hi = limit.HasLimit() ? limit.Max : 1000.0L;
        std::uniform_real_distribution<double> inside(static_cast<double>(lo), static_cast<double>(hi));
        const auto text = [](Ext v, int decimals) { return QString::number(static_cast<double>(v), 'f', decimals); };
        switch (w.Below(8)) {
        case 0:
        case 1:
        case 2: return text(inside(w.random), digits + 1 + w.Below(3));
        case 3: return text(lo - step * (1 + w.Below(3)), digits + w.Below(2));
        case 4: return text(hi + step * (1 + w.Below(3)), digits + w.Below(2));
        case 5: return text(w.Coin() ? lo : hi, digits);
        case 6: return QStringLiteral("0");
        default: return text(-inside(w.random), digits + w.Below(3));
        }
    }

    std::string Name(const QWidget* w) { return w->objectName().toStdString(); }

    // One user action; returns what it was.
    std::string Step(Walker& w) {
        for (;;) {
            switch (w.Below(10)) {
            case 0:
            case 1:
            case 2: { // a list
                std::vector<QComboBox*> lists;
                for (QComboBox* c : Shown<QComboBox>())
                    if (!c->isEditable() && c->count() > 1) lists.push_back(c);
                if (lists.empty()) continue;
                QComboBox* list = lists[static_cast<size_t>(w.Below(static_cast<int>(lists.size())))];
                const int item = w.Below(list->count());
                const std::string what = "choose " + Name(list) + " item " + std::to_string(item) + " \"" +
                                         list->itemText(item).toStdString() + "\"";
                Choose(list, item);
                return what;
            }
            case 3:
            case 4:
            case 5: { // a number typed
                std::vector<QWidget*> inputs;
                for (QLineEdit* e : Shown<QLineEdit>())
                    if (!e->isReadOnly() && (e->property("numeric").toBool() || ui::Tag(e) > 0)) inputs.push_back(e);
                if (auto* ratio = qobject_cast<QComboBox*>(Win().Control(QStringLiteral("ComboBox19")));
                    ratio && ratio->isVisibleTo(walk_.get()) && ratio->isEnabled())
                    inputs.push_back(ratio);
                if (inputs.empty()) continue;
                QWidget* input = inputs[static_cast<size_t>(w.Below(static_cast<int>(inputs.size())))];
                QString number;
                if (input->objectName() == QLatin1String("Edit_101")) {
                    number = QString::number(1 + w.Below(8));
                } else {
                    const int tag = ui::Tag(input);
                    number = NumberFor(w, tag >= 1 && tag <= kFieldLimitCount ? Data().FieldLimits[static_cast<size_t>(tag)]
                                                                           : TFieldLimit{});
                }
                const bool enter = w.Coin();
                Type(input, number);
                enter ? Enter() : Tab();
                return "type " + number.toStdString() + " into " + Name(input) + (enter ? ", Enter" : ", Tab");
            }
            case 6: { // a check box or radio button
                std::vector<QAbstractButton*> boxes;
                for (QAbstractButton* b : Shown<QAbstractButton>())
                    if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b)) boxes.push_back(b);
                if (boxes.empty()) continue;
                QAbstractButton* box = boxes[static_cast<size_t>(w.Below(static_cast<int>(boxes.size())))];
                box->setFocus(Qt::MouseFocusReason);
                Settle();
                QTest::mouseClick(box, Qt::LeftButton);
                Settle();
                return "click " + Name(box);
            }
            case 7: { // Tab
                if (!QApplication::focusWidget()) continue;
                const std::string from = Name(QApplication::focusWidget());
                Tab();
                return "Tab from " + from;
            }
            case 8: { // a section caption
                QList<QWidget*> sections = Win().InputSections();
                sections.append(Win().ResultSections());
                if (sections.empty()) continue;
                QWidget* section = sections[w.Below(static_cast<int>(sections.size()))];
                QWidget* bar = ui::TfrmKdMain::FindSectionCaptionBar(section);
                if (!bar || !bar->isVisibleTo(walk_.get())) continue;
                QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
                Settle();
                return "click the caption of " + Name(section);
            }
            default: { // a "View ..." window opened and closed
                std::vector<QLabel*> links;
                for (QLabel* l : Shown<QLabel>())
                    if (qobject_cast<ui::ClickLabel*>(l) && l->text().startsWith(QLatin1String("View ")))
                        links.push_back(l);
                if (links.empty()) continue;
                QLabel* link = links[static_cast<size_t>(w.Below(static_cast<int>(links.size())))];
                QTest::mouseClick(link, Qt::LeftButton);
                Settle();
                return "open and close " + Name(link) + " \"" + link->text().toStdString() + "\"";
            }
            }
        }
    }

    // Invariant 1: every shown numeric input shows what the project holds.
    std::string ShownDiffers() {
        std::string out;
        const TKdData& d = Data();
        auto* tabs = qobject_cast<ui::TabControl*>(Win().Control(QStringLiteral("TabControl1")));
        const int walerTab = tabs ? tabs->Tabs()->currentIndex() : 0;
        for (const Field& field : fields_) {
            QWidget* control = Win().Control(field.name);
            if (!control || !control->isVisibleTo(walk_.get())) continue;
            // A level row shows a level the project has.
            if (const int level = field.name.right(1).toInt(); field.name.contains(QLatin1String("Anch")) ||
                                                                field.name.contains(QLatin1String("Corner")))
                if (level > d.Anchors.UsedLevels()) continue;
            if (field.name.startsWith(QLatin1String("Edit_W")) && d.Anchors.UsedLevels() == 0) continue;
            if (auto* e = qobject_cast<QLineEdit*>(control); field.name == QLatin1String("Edit_120") && e->isReadOnly())
                continue;
            const int tag = ui::Tag(control);
            const TFieldLimit limit = tag >= 1 && tag <= kFieldLimitCount ? d.FieldLimits[static_cast<size_t>(tag)]
                                                                          : TFieldLimit{};
            const auto exception = std::find_if(Exceptions().begin(), Exceptions().end(), [&](const Exception& x) {
                return field.name == QLatin1String(x.name) && x.applies(d, limit);
            });
            if (exception != Exceptions().end()) continue;
            QLineEdit scratch;
            ui::SetTag(&scratch, ui::Tag(control));
            ui::SetEditValue(&scratch, true, field.stored(d, walerTab), d.FieldLimits);
            if (TextIn(control) != scratch.text())
                out += field.name.toStdString() + " shows " + TextIn(control).toStdString() + ", the project holds " +
                       scratch.text().toStdString() + "\n";
        }
        return out;
    }

    // Invariants 2 and 3: Save As commits the input that has the focus, H with nothing typed in
    // it, which leaves the project as it was; the file it writes holds that project.
    void CommitAndSave(std::string& commitChanged, std::string& fileDiffers) {
        const std::string before = vantrel::testing::DumpProject(Data());
        Win().Control(QStringLiteral("Edit_16"))->setFocus(Qt::TabFocusReason);
        Settle();
        const QString path = scratch_->filePath(QStringLiteral("walk.kpw"));
        QFile::remove(path);
        fileAnswers.push_back(path);
        Win().ASaveAs->trigger();
        Settle();
        const std::string after = vantrel::testing::DumpProject(Data());
        commitChanged = vantrel::testing::CompareResultDumps(before, after, 0.0L);
        if (!QFile::exists(path)) {
            fileDiffers = "Save As wrote no file\n";
            return;
        }
        TKdData fresh;
        fresh.LoadFromFile(QFile::encodeName(path).toStdString());
        fresh.Calculate();
        fileDiffers = vantrel::testing::CompareResultDumps(vantrel::testing::DumpProject(fresh), after, 0.0L);
    }

    // Walks one seed; returns the report of the first broken invariant, empty when none broke.
    std::string Walk(unsigned seed, int stepCount) {
        Walker w{std::mt19937(seed), {}};
        SCOPED_TRACE("KdWalk seed " + std::to_string(seed));
        std::vector<std::string> errors;
        platform::ScopedMessageHandler answers([&](const platform::MessageRequest& r) {
            // A question (the offer to save, a unit switch that changes values) is answered at
            // random; anything else must not be an error.
            if ((r.buttons & QMessageBox::Yes) && (r.buttons & QMessageBox::No)) {
                const bool yes = w.Coin();
                w.steps.push_back(std::string("  answered ") + (yes ? "Yes" : "No") + " to \"" +
                                  r.text.left(60).toStdString() + "\"");
                return yes ? QMessageBox::Yes : QMessageBox::No;
            }
            if (r.icon == QMessageBox::Critical || r.icon == QMessageBox::Warning)
                errors.push_back(r.text.toStdString());
            return QMessageBox::Ok;
        });
        platform::ScopedModalHandler windows([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
        walk_ = std::make_unique<ui::TfrmKdMain>();
        walk_->show();
        walk_->activateWindow();
        QApplication::setActiveWindow(walk_.get());
        Settle();
        std::string broken;
        for (int i = 0; i < stepCount && broken.empty(); ++i) {
            // Questions a step asks are listed after it.
            w.steps.emplace_back();
            const size_t at = w.steps.size() - 1;
            w.steps[at] = Step(w);
            const auto check = [&broken](const char* what, const std::string& found) {
                if (broken.empty() && !found.empty()) broken = std::string(what) + ":\n" + found;
            };
            if (!errors.empty()) check("a message", errors.front());
            check("a shown input is not what the project holds", ShownDiffers());
            std::string commitChanged, fileDiffers;
            CommitAndSave(commitChanged, fileDiffers);
            check("a commit with nothing typed changed the project", commitChanged);
            check("the file Save As wrote is another project", fileDiffers);
        }
        walk_.reset();
        Settle();
        if (broken.empty()) return {};
        std::ostringstream report;
        report << "seed " << seed << " (replay: KDWALK_FIRST_SEED=" << seed << " KDWALK_SEEDS=1 KDWALK_STEPS="
               << stepCount << " --gtest_filter='*KdWalkBlock*/0'), after these steps:\n";
        for (size_t i = 0; i < w.steps.size(); ++i)
            report << "  " << i + 1 << ". " << w.steps[i] << "\n";
        report << broken;
        return report.str();
    }

    std::vector<Field> fields_ = Fields();
    std::unique_ptr<ui::TfrmKdMain> walk_;
};

} // namespace

// The seeds in blocks that run side by side: block b walks seeds first + b x seeds onwards.
class KdWalkBlock : public KdWalk, public ::testing::WithParamInterface<int> {};

TEST_P(KdWalkBlock, EveryStepKeepsWindowProjectAndFileTheSame) {
    const int seeds = EnvInt("KDWALK_SEEDS", 5);
    const int first = EnvInt("KDWALK_FIRST_SEED", 1) + GetParam() * seeds;
    const int steps = EnvInt("KDWALK_STEPS", 30);
    // Every seed is walked; the first three failures are reported whole, the others by seed.
    int failed = 0;
    for (int seed = first; seed < first + seeds; ++seed) {
        const std::string report = Walk(static_cast<unsigned>(seed), steps);
        if (report.empty()) continue;
        if (++failed <= 3)
            ADD_FAILURE() << report;
        else
            ADD_FAILURE() << report.substr(0, report.find('\n'));
    }
}

// 4 blocks of KDWALK_SEEDS (5) seeds of KDWALK_STEPS (30) steps.
INSTANTIATE_TEST_SUITE_P(Seeds, KdWalkBlock, ::testing::Range(0, 4));
