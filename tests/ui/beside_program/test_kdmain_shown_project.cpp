// Showing a project never changes it. The window after start, New, Open and a typed level count is
// checked against a fresh model of the file, loaded and calculated with no window: every input and
// result, every level row, the caption; against a second window that opened the same file first,
// control by control; and an untouched Save As writes the very bytes of the file.

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

#include <functional>
#include <map>

#include "model/ProjectFile.h"
#include "platform/ProgramFolder.h"
#include "tests/model/project_compare.h"
#include "tests/model/reference_projects.h"
#include "tests/model/result_dump.h"
#include "tests/ui/KdCycleFixture.h"
#include "ui/Globals.h"

// Texts read as texts in the messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace vantrel;
using vantrel::testing::KdCycleTest;

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// Every named input and read-out of a window as text: values, lists, checks, what is shown and
// what may be typed. Pictures and positions are left out.
std::map<QString, QString> Controls(const QWidget& window) {
    std::map<QString, QString> shown;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
        QString state = w->isHidden() ? QStringLiteral("hidden ") : QString();
        if (!w->isEnabled()) state += QStringLiteral("disabled ");
        if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
            state += (edit->isReadOnly() ? QStringLiteral("computed ") : QString()) + edit->text();
        } else if (const auto* list = qobject_cast<const QComboBox*>(w)) {
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            state += QString::number(list->currentIndex()) + QLatin1Char(' ') + list->currentText() +
                     QStringLiteral(" of ") + items.join(QLatin1Char('|'));
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            state += button->isChecked() ? QStringLiteral("checked") : QString();
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            state += label->text();
        } else if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
            state +=
                QString::number(tabs->count()) + QLatin1Char('/') + QString::number(tabs->currentIndex());
        } else {
            continue;
        }
        shown[name] = state;
    }
    return shown;
}

// A file written by our own code from a project changed by `edit`.
using ProjectChange = std::function<void(TKdData&)>;

void Levels(TKdData& d, std::initializer_list<std::tuple<int, Ext, Ext>> levels) {
    d.Anchors.LevelCount = static_cast<int32_t>(levels.size());
    d.ResizeAnchorLevels();
    size_t i = 0;
    for (const auto& [kind, height, angle] : levels) {
        TAnchLevel& level = d.Anchors.Levels[i++];
        level.Kind = kind;
        level.HeightFromPrevious = height;
        level.Angle = angle;
    }
}

void EvenLevels(TKdData& d, int count, Ext height, int kind = lkTieback) {
    d.Anchors.LevelCount = count;
    d.ResizeAnchorLevels();
    for (TAnchLevel& level : d.Anchors.Levels) {
        level.Kind = kind;
        level.HeightFromPrevious = height;
        level.Angle = kind == lkStrut ? 0.0L : kind == lkRaker ? 30.0L : 25.0L;
    }
}

class KdShownProject : public KdCycleTest {
  protected:
    QString Make(const char* name, uint8_t units, const ProjectChange& edit) {
        TKdData d = vantrel::testing::DemoProject(units);
        edit(d);
        d.Calculate(); // the file holds the results as the program stores them
        const QString path = scratch_->filePath(QString::fromLatin1(name) + QStringLiteral(".kpw"));
        d.SaveToFile(QFile::encodeName(path).toStdString());
        return path;
    }
    static QString Demo(uint8_t units) { return QString::fromStdString(vantrel::testing::DemoFile(units)); }

    static TKdData Fresh(const QString& path) {
        TKdData m;
        m.LoadFromFile(QFile::encodeName(path).toStdString());
        m.Calculate();
        return m;
    }

    void Open(ui::TfrmKdMain& window, const QString& path) {
        fileAnswers.push_back(path);
        window.AOpen->trigger();
        Settle();
        ASSERT_EQ(window.FileName(), path);
    }

    // The window shows the model m: the same project and results, its level rows, nothing to undo.
    void ExpectShows(const TKdData& m, const std::string& what, bool typed = false) {
        SCOPED_TRACE(what);
        const std::string differences = vantrel::testing::CompareResultDumps(
            vantrel::testing::DumpProject(m), vantrel::testing::DumpProject(D()), 1e-12L);
        EXPECT_EQ(differences, "");
        const TAnchor& a = m.Anchors;
        const int count = a.UsedLevels();
        EXPECT_EQ(W().Control(QStringLiteral("pnlAnch%1").arg(std::max(count, 1) + 1)), nullptr);
        // Row A of a project without levels has nothing to edit; with levels, the corner row
        // follows the corner braces.
        for (const char* name : {"cmbAnchType1", "Edit_AnchX1", "Edit_AnchAng1", "sbAnchEdit1"})
            EXPECT_EQ(C<QWidget>(name)->isEnabled(), count > 0) << name;
        if (count == 0) {
            for (const char* name : {"cmbCornerType1", "Edit_CornerAng1", "sbCornerEdit1"})
                EXPECT_FALSE(C<QWidget>(name)->isEnabled()) << name;
        }
        for (int n = 1; n <= count; ++n) {
            const auto i = static_cast<size_t>(n - 1);
            const TAnchLevel& level = a.Levels[i];
            EXPECT_EQ(RowCombo("cmbAnchType", n)->currentIndex(), level.Kind) << "level " << n;
            ExpectText("Edit_AnchX", n, level.HeightFromPrevious, m);
            ExpectText("Edit_AnchAng", n, level.Angle, m);
            ExpectText("Edit_RDpth", n, m.LevelDepth(n - 1), m);
            ExpectText("Edit_RUTBL", n, a.FreeLengths[i], m);
            ExpectText("Edit_RTL", n, a.TestLoads[i], m);
            EXPECT_TRUE(
                RowEdit("Edit_RTBF", n)->text().startsWith(Format("Edit_RTBF", n, a.LevelLoads[i], m)));
        }
        for (const auto& [name, value] :
             {std::pair{"Edit_Ax2", m.VerticalAxialComponent}, std::pair{"Edit_Ax3", m.TotalVerticalLoad},
              std::pair{"Edit_R114", a.CombinedUtilization}, std::pair{"Edit_R116", a.MaxMoment},
              std::pair{"Edit_R117", a.MaxDeflectionResult}, std::pair{"Edit_R119req", a.ModulusRequired}})
            EXPECT_EQ(Edit(name)->text(), Format(name, 0, value, m)) << name;
        // Nothing typed for another project comes back by undo.
        for (const QLineEdit* edit : W().findChildren<QLineEdit*>())
            EXPECT_TRUE(typed || !edit->isUndoAvailable()) << edit->objectName().toStdString();
    }

    // An untouched Save As stores the project as the file holds it.
    void ExpectSaveAsKeeps(const QString& path) {
        const QString copy = scratch_->filePath(QStringLiteral("saved as.kpw"));
        QFile::remove(copy);
        fileAnswers.push_back(copy);
        W().ASaveAs->trigger();
        Settle();
        ASSERT_EQ(W().FileName(), copy);
        TKdData opened, saved;
        opened.LoadFromFile(QFile::encodeName(path).toStdString());
        saved.LoadFromFile(QFile::encodeName(copy).toStdString());
        vantrel::testing::ExpectSameStoredFields(opened, saved);
        EXPECT_EQ(vantrel::testing::CompareResultDumps(vantrel::testing::DumpProject(Fresh(path)),
                                                       vantrel::testing::DumpProject(Fresh(copy)), 1e-12L),
                  "");
        EXPECT_EQ(Bytes(copy), Bytes(path));
    }

    QLineEdit* RowEdit(const char* prefix, int n) {
        return Edit(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(n).toLatin1().constData());
    }
    QComboBox* RowCombo(const char* prefix, int n) {
        return Combo(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(n).toLatin1().constData());
    }
    // The value as an edit of that field shows it in a window of m's units.
    QString Format(const char* prefix, int n, Ext value, const TKdData& m) {
        QLineEdit* shown = n > 0 ? RowEdit(prefix, n) : Edit(prefix);
        QLineEdit scratch;
        scratch.setProperty("tag", shown->property("tag"));
        ui::SetEditValue(&scratch, false, value, m.FieldLimits);
        return scratch.text();
    }
    void ExpectText(const char* prefix, int n, Ext value, const TKdData& m) {
        EXPECT_EQ(RowEdit(prefix, n)->text(), Format(prefix, n, value, m)) << prefix << n;
    }
};

// A diagram at thirds of a 20 ft wall: no point falls on a number its edits show.
void ThirdsDiagram(TKdData& d, Ext pressurePsf) {
    d.UnfactoredPoints = {TPressurePoint{0, 0}, {20.0L / 3, pressurePsf}, {40.0L / 3, pressurePsf}, {20, 0}};
}

} // namespace

// The window main opens shows the demo New starts from, and saving it untouched stores the demo.
TEST_F(KdShownProject, StartShowsTheDemoAsItsFileHoldsIt) {
    TKdData demo(platform::ProgramFolder());
    demo.NewProject(false);
    demo.Calculate();
    ExpectShows(demo, "start");
    // The English demo's level A lies 5 ft below the top.
    EXPECT_EQ(demo.Anchors.Levels[0].HeightFromPrevious, 5.0L);

    const QString copy = scratch_->filePath(QStringLiteral("start.kpw"));
    fileAnswers.push_back(copy);
    W().ASaveAs->trigger();
    Settle();
    TKdData saved;
    saved.LoadFromFile(QFile::encodeName(copy).toStdString());
    vantrel::testing::ExpectSameStoredFields(demo, saved);
}

// Projects of other level counts, kinds, units, sections and diagrams opened one after another,
// with New between them, as a user goes from job to job.
TEST_F(KdShownProject, OpenOneProjectAfterAnotherShowsEachAsItsFileHoldsIt) {
    const auto driven = [](TKdData& d) {
        d.Installation = 1;
        d.SteelFy = d.UnitVal(345.0L, 50.0L);
    };
    const auto cage = [](TKdData& d) {
        d.Installation = 0;
        d.PileSection = psRebarCage;
        d.SetShapeIndex(150);
        const bool si = d.Units == usSI;
        d.VerticalBarSize = TKdData::ConvertUSBarNumber(7, si);
        d.LateralBarSize = TKdData::ConvertUSBarNumber(5, si);
        d.VerticalBarCount = 10;
        d.SteelFy = d.UnitVal(345.0L, 50.0L);
    };
    struct Step {
        const char* name;
        QString file; // empty: File > New
    };
    const std::vector<Step> walk = {
        {"three levels of three kinds",
         Make("three", usEnglish,
              [](TKdData& d) {
                  Levels(d, {{lkTieback, 4, 20}, {lkStrut, 9, 0}, {lkRaker, 7, 30}});
              })},
        {"New after three levels", QString()},
        {"one level", Make("one", usEnglish,
                           [](TKdData& d) {
                               Levels(d, {{lkTieback, 6, 15}});
                           })},
        {"six struts", Make("six", usEnglish,
                            [](TKdData& d) {
                                d.ShoredHeight = 30.0L;
                                d.Anchors.LoadingHeight = 30.0L;
                                EvenLevels(d, 6, 4.0L, lkStrut);
                            })},
        {"eight tiebacks",
         Make("eight", usEnglish, [](TKdData& d) { d = vantrel::testing::EightLevelProject(); })},
        {"no levels", Make("none", usEnglish, [](TKdData& d) { EvenLevels(d, 0, 0.0L); })},
        {"English demo", Demo(usEnglish)},
        {"two rakers, driven", Make("driven", usEnglish,
                                    [&](TKdData& d) {
                                        Levels(d, {{lkRaker, 6, 35}, {lkRaker, 7, 25}});
                                        driven(d);
                                    })},
        {"drilled rebar cage", Make("cage", usEnglish, cage)},
        {"user-defined soil", Make("user soil", usEnglish,
                                   [](TKdData& d) {
                                       d.Anchors.SoilType = 10;
                                       d.UnfactoredPoints = {TPressurePoint{0, 0}, {4, 650}, {16, 650}, {20, 0}};
                                   })},
        {"user diagram under a standard soil",
         Make("diagram", usEnglish, [](TKdData& d) { ThirdsDiagram(d, 2200.0L / 3); })},
        {"SI demo", Demo(usSI)},
        {"SI three levels",
         Make("si three", usSI,
              [](TKdData& d) {
                  Levels(d, {{lkTieRod, 1.5L, 10}, {lkTieback, 2.5L, 20}, {lkStrut, 2.0L, 0}});
              })},
        {"SI one level", Make("si one", usSI,
                              [](TKdData& d) {
                                  Levels(d, {{lkTieback, 1.8L, 25}});
                              })},
        {"SI eight levels", Make("si eight", usSI,
                                 [](TKdData& d) {
                                     d.ShoredHeight = 10.0L;
                                     d.Anchors.LoadingHeight = 10.0L;
                                     EvenLevels(d, 8, 1.0L);
                                 })},
        {"SI driven", Make("si driven", usSI, driven)},
        {"SI rebar cage", Make("si cage", usSI, cage)},
        {"New after SI", QString()},
    };

    for (const Step& step : walk) {
        SCOPED_TRACE(step.name);
        if (step.file.isEmpty()) {
            // The ratio typed again as it stands, which New's demo shows alike: nothing of it
            // comes back by undo.
            TKdData demo(platform::ProgramFolder());
            demo.SetUnits(D().Units);
            QComboBox* ratio = Combo("ComboBox19");
            Type(ratio, ratio->currentText());
            Tab();
            ASSERT_TRUE(ratio->lineEdit()->isUndoAvailable());
            answer = QMessageBox::No;
            W().ANew->trigger();
            Settle();
            answer = QMessageBox::Ok;
            demo.NewProject(false);
            demo.Calculate();
            ExpectShows(demo, step.name);
            continue;
        }
        Open(W(), step.file);
        const TKdData m = Fresh(step.file);
        ExpectShows(m, step.name);
        EXPECT_EQ(W().windowTitle(), QStringLiteral("Quarnel Vantrel - ") + QFileInfo(step.file).fileName());

        // A window that opened the file as its first project shows every control alike.
        {
            ui::TfrmKdMain first;
            first.show();
            Open(first, step.file);
            const auto expected = Controls(first);
            const auto actual = Controls(W());
            for (const auto& [name, state] : expected) {
                const auto found = actual.find(name);
                EXPECT_TRUE(found != actual.end() && found->second == state)
                    << name.toStdString() << ": " << state.toStdString() << " | "
                    << (found != actual.end() ? found->second.toStdString() : "missing");
            }
            EXPECT_EQ(expected.size(), actual.size());
        }
        QApplication::setActiveWindow(&W());
        Settle();

        ExpectSaveAsKeeps(step.file);
    }
}

// A level count typed 2 -> 5 -> 1 -> 3 keeps every level that stays and adds new levels.
TEST_F(KdShownProject, TypedLevelCountKeepsTheLevelsThatStay) {
    // The same changes made to the demo without a window: the levels that stay keep their values,
    // new ones take a new level's.
    TKdData expected(platform::ProgramFolder());
    expected.NewProject(false);
    ASSERT_EQ(expected.Anchors.LevelCount, 2);
    for (const int count : {5, 1, 3}) {
        SCOPED_TRACE(count);
        Type("Edit_101", QString::number(count));
        Tab();
        expected.Anchors.LevelCount = count;
        expected.ResizeAnchorLevels();
        const QString path = scratch_->filePath(QStringLiteral("typed %1.kpw").arg(count));
        expected.SaveToFile(QFile::encodeName(path).toStdString());
        ExpectShows(Fresh(path), "typed", true);
    }
}

// A choice switched away and back gives the project back as its file holds it: what the other
// choice hid or overrode, and what it showed, is the file's again. One project holds values a
// switch would lose: bar sizes other than the first, a cover above a driven beam's third, hidden
// diagrams at thirds of the height, a spacing, deflection and spacing multiple of its own; the
// other shows a user-defined soil and pressure diagram.
TEST_F(KdShownProject, ChoiceSwitchedAwayAndBackKeepsTheProject) {
    const QString hidden = Make("switched cage", usEnglish, [](TKdData& d) {
        d.Installation = 0;
        d.PileWidth = 3.0L;
        d.PileSpacing = 7.35L;
        d.GuardrailSpacing = 7.35L;
        d.PileSection = psRebarCage;
        d.VerticalBarSize = 7;
        d.LateralBarSize = 5;
        d.VerticalBarCount = 11;
        d.ClearCover = 6.5L; // a driven W section's third is about 5 in
        d.SteelFy = 65.0L;
        d.Anchors.MaxDeflection = 0.85L;
        d.Anchors.AnchorSpacingItem = 3;
        ThirdsDiagram(d, 2000.0L / 3);
        d.Calculate(); // the outer points of the user pressure lists follow the wall
        auto thirds = [](TPressurePoint* group, Ext pressure) {
            const Ext span = group[3].X - group[0].X;
            ASSERT_GT(span, 0.1L);
            group[1] = {group[0].X + span / 3, pressure};
            group[2] = {group[0].X + 2 * span / 3, pressure};
        };
        thirds(&d.LoadingSidePoints[0], 1000.0L / 3);
        thirds(&d.LoadingSidePoints[4], 500.0L / 3);
        thirds(&d.PassiveSidePoints[0], 2000.0L / 3);
    });
    const QString shown = Make("switched user", usEnglish, [](TKdData& d) {
        d.Anchors.SoilType = 10;
        d.UnfactoredPoints = {TPressurePoint{0, 0}, {4, 650}, {16, 650}, {20, 0}};
        d.PressureMethod = 1;
        // Inner points its edits show as they are, below the embedment of 0.55 H = 11 ft.
        d.LoadingSidePoints[1].X = 6;
        d.LoadingSidePoints[2].X = 14;
        d.LoadingSidePoints[5].X = d.PassiveSidePoints[1].X = 22;
        d.LoadingSidePoints[6].X = d.PassiveSidePoints[2].X = 26;
    });
    const int soil = Fresh(hidden).Anchors.SoilType;
    ASSERT_NE(soil, 10);
    const struct {
        const char* name;
        const QString& file;
        const char* list;
        std::vector<int> choices; // the items chosen one after another, the last the file's own
    } trips[] = {
        {"cage, I-beam, cage", hidden, "ComboBox12", {psIBeam, psRebarCage}},
        {"cage, pipe, cage", hidden, "ComboBox12", {psPipe, psRebarCage}},
        {"drilled cage, driven, drilled", hidden, "ComboBox3", {1, 0}},
        {"soldier beam, sheet pile, soldier beam", hidden, "ComboBox4", {ptSheet, ptSoldierBeam}},
        {"standard soil, user-defined, standard", hidden, "ComboBox6", {10, soil}},
        {"apparent pressure, user-defined, apparent", hidden, "ComboBox2", {1, 0}},
        {"user-defined soil, a standard soil, user-defined", shown, "ComboBox6", {3, 10}},
        {"user-defined pressure, apparent, user-defined", shown, "ComboBox2", {0, 1}},
    };
    for (const auto& trip : trips) {
        SCOPED_TRACE(trip.name);
        Open(W(), trip.file);
        for (const int choice : trip.choices)
            Choose(trip.list, choice);
        ExpectShows(Fresh(trip.file), trip.name);
        ExpectSaveAsKeeps(trip.file);
    }
}

// A typed number clamped to a limit the commit works out is stored as its edit shows it, so that
// reading the edit again, or opening the file, gives the same project.
TEST_F(KdShownProject, ClampedValuesAreStoredAsShown) {
    // A drilled secant cage of 2.33 ft: S within 3.0989 and 3.8911 ft, a cover of at most
    // 9.32 in; a 20.3 ft wall: L within 20.3 and 25.375 ft, a ratio of at least 8/20.3 = 0.394,
    // a deflection of at most 20.3 x 12 / 240 = 1.015 in.
    const QString file = Make("clamped", usEnglish, [](TKdData& d) {
        d.PileType = ptSecant;
        d.Installation = 0;
        d.PileWidth = 2.33L;
        d.PileSpacing = 3.5L;
        d.PileSection = psRebarCage;
        d.ClearCover = 3.0L;
        d.ShoredHeight = 20.3L;
        d.Anchors.LoadingHeight = 20.3L;
        d.Anchors.MaxDeflection = 1.0L;
    });
    Open(W(), file);
    const struct {
        const char* edit;
        std::function<Ext(const TKdData&)> stored;
        Ext least, greatest;
    } fields[] = {
        {"Edit_17", [](const TKdData& d) { return d.PileSpacing; }, 3.10L, 3.89L},
        {"Edit_82", [](const TKdData& d) { return d.ClearCover; }, 2.0L, 9.3L},
        {"Edit_103", [](const TKdData& d) { return d.Anchors.LoadingHeight; }, 20.3L, 25.37L},
        {"ComboBox19", [](const TKdData& d) { return d.Anchors.EmbedmentRatio; }, 0.40L, 0.65L},
        {"Edit_108", [](const TKdData& d) { return d.Anchors.MaxDeflection; }, 0.5L, 1.01L},
    };
    for (const auto& field : fields) {
        QWidget* control = W().Control(QString::fromLatin1(field.edit));
        ASSERT_NE(control, nullptr) << field.edit;
        auto* combo = qobject_cast<QComboBox*>(control);
        QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(control);
        for (const auto& [typed, expected] : {std::pair{"0.1", field.least}, std::pair{"99", field.greatest}}) {
            SCOPED_TRACE(std::string(field.edit) + " typed " + typed);
            Type(control, QString::fromLatin1(typed));
            Tab();
            Ext shown = 0;
            ASSERT_TRUE(ui::ParseNumber(edit->text(), shown)) << edit->text().toStdString();
            EXPECT_EQ(field.stored(D()), shown);
            EXPECT_NEAR(static_cast<double>(shown), static_cast<double>(expected), 1e-12);
        }
    }
    // Saved and opened again, the project is the one the window holds.
    const QString copy = scratch_->filePath(QStringLiteral("clamped saved.kpw"));
    fileAnswers.push_back(copy);
    W().ASaveAs->trigger();
    Settle();
    EXPECT_EQ(vantrel::testing::CompareResultDumps(vantrel::testing::DumpProject(Fresh(copy)),
                                                   vantrel::testing::DumpProject(D()), 1e-12L),
              "");
}
