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

  private:
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
        {"user diagram under a standard soil",
         Make("diagram", usEnglish,
              [](TKdData& d) {
                  d.UnfactoredPoints = {TPressurePoint{0, 0}, {5, 720}, {15, 720}, {20, 0}};
              })},
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
            W().ANew->trigger();
            Settle();
            TKdData demo(platform::ProgramFolder());
            demo.SetUnits(D().Units);
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
