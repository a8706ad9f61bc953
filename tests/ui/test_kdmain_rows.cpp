// Per-level rows: built and freed with the level count for all seven kinds, the rows shown by
// condition, the tendon texts and force suffixes, the focus through a rebuild.

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QLineEdit>

#include "KdCycleFixture.h"
#include "report/ReportDriver.h"
#include "tests/model/reference_projects.h"
#include "tests/report/FakeReportHost.h"
#include "ui/KdMainReport.h"
#include "model/ProjectFile.h"
#include "ui/Widgets.h"

using namespace vantrel;
using vantrel::testing::KdCycleTest;

namespace {

class KdRows : public KdCycleTest {
  protected:
    void SetLevels(int count) {
        Type("Edit_101", QString::number(count));
        Tab();
        ASSERT_EQ(D().Anchors.LevelCount, count);
    }
    bool Exists(const char* prefix, int n) {
        return W().FindNumberedComponent(QString::fromLatin1(prefix), n) != nullptr;
    }
    QWidget* Row(const char* name) { return W().Control(QString::fromLatin1(name)); }
};

const char* const kPrefixes[] = {"pnlAnch",   "pnlCorner",  "pnlAnchR",  "pnlBondR",
                                 "pnlStrutR", "pnlCornerR", "pnlStrutRC"};

} // namespace

TEST_F(KdRows, OneThreeOneLevelsForEveryKind) {
    SetLevels(1);
    for (const char* prefix : kPrefixes) {
        EXPECT_TRUE(Exists(prefix, 1)) << prefix;
        EXPECT_FALSE(Exists(prefix, 2)) << prefix;
    }
    SetLevels(3);
    for (const char* prefix : kPrefixes)
        for (int n = 1; n <= 3; ++n)
            EXPECT_TRUE(Exists(prefix, n)) << prefix << n;
    EXPECT_EQ(C<QLabel>("labAnch3")->text(), "C");
    EXPECT_EQ(C<QLabel>("labCornerR2")->text(), "B");
    EXPECT_EQ(C<QLabel>("labBondR3")->text(), "Level C Bond Length");
    // The rows stack: B under A, C under B.
    EXPECT_EQ(Row("pnlAnch2")->y(), Row("pnlAnch1")->y() + Row("pnlAnch1")->height());
    EXPECT_EQ(Row("pnlAnch3")->y(), Row("pnlAnch2")->y() + Row("pnlAnch2")->height());
    EXPECT_EQ(ui::TfrmKdMain::SectionOf(Row("pnlAnch3")), W().Control(QStringLiteral("Panel41")));
    // The block below the rows follows the last one.
    EXPECT_EQ(W().Control(QStringLiteral("Panel43"))->y(), Row("pnlAnch3")->y() + Row("pnlAnch3")->height());

    SetLevels(1);
    for (const char* prefix : kPrefixes) {
        EXPECT_TRUE(Exists(prefix, 1)) << prefix;
        EXPECT_FALSE(Exists(prefix, 2)) << prefix;
        EXPECT_FALSE(Exists(prefix, 3)) << prefix;
    }
    EXPECT_EQ(W().findChild<QWidget*>(QStringLiteral("Edit_AnchX3")), nullptr)
        << "a freed row's names vanish at once";
    SetLevels(3);
    EXPECT_EQ(C<QLabel>("labAnch2")->text(), "B");
    EXPECT_EQ(C<QLabel>("labAnch3")->text(), "C");
}

TEST_F(KdRows, NewRowsAreInputsLikeRowOne) {
    SetLevels(2);
    Type("Edit_AnchAng2", QStringLiteral("35"));
    EXPECT_TRUE(W().Modified());
    Tab();
    EXPECT_EQ(D().Anchors.Levels[1].Angle, 35.0L);
    Choose("cmbAnchType2", lkStrut);
    EXPECT_EQ(D().Anchors.Levels[1].Kind, lkStrut);
    EXPECT_TRUE(Edit("Edit_AnchAng2")->isReadOnly());
}

TEST_F(KdRows, StrutRowsShowOnlyForStrutsAndRakers) {
    SetLevels(3);
    Choose("cmbAnchType1", lkTieback);
    Choose("cmbAnchType2", lkStrut);
    Choose("cmbAnchType3", lkTieRod);
    EXPECT_TRUE(Row("pnlStrutR1")->isHidden());
    EXPECT_FALSE(Row("pnlStrutR2")->isHidden());
    EXPECT_TRUE(Row("pnlStrutR3")->isHidden());
    EXPECT_EQ(C<QLabel>("labStrutR2")->text(), "B");
    // The only strut row sits where the layout puts the first one.
    EXPECT_EQ(Row("pnlStrutR2")->y(), Row("pnlStrutR1")->property("layoutTop").toInt());
    EXPECT_FALSE(W().Control(QStringLiteral("Panel59"))->isHidden());
    // Bond rows: tiebacks and tie rods.
    EXPECT_FALSE(Row("pnlBondR1")->isHidden());
    EXPECT_TRUE(Row("pnlBondR2")->isHidden());
    EXPECT_FALSE(Row("pnlBondR3")->isHidden());
    EXPECT_EQ(Row("pnlBondR3")->y(), Row("pnlBondR1")->y() + Row("pnlBondR1")->height());
    // Forces: tension for tendons, compression for braces.
    EXPECT_TRUE(Edit("Edit_RTBF1")->text().endsWith(" (T)"));
    EXPECT_TRUE(Edit("Edit_RTBF2")->text().endsWith(" (C)"));
    EXPECT_TRUE(Edit("Edit_RTBF3")->text().endsWith(" (T)"));
}

TEST_F(KdRows, CornerRowsFollowTheCornerBraces) {
    SetLevels(2);
    Click("CheckBox5");
    if (!D().UseCornerBraces) Click("CheckBox5");
    Choose("cmbCornerType2", 1);
    EXPECT_EQ(D().CornerBraces.Levels[1].Kind, lkStrut);
    EXPECT_EQ(D().CornerBraces.Levels[0].Kind, lkUnused);
    EXPECT_TRUE(Row("pnlCornerR1")->isHidden());
    EXPECT_FALSE(Row("pnlCornerR2")->isHidden());
    EXPECT_FALSE(Row("pnlStrutRC2")->isHidden());
    EXPECT_FALSE(W().Control(QStringLiteral("Panel56"))->isHidden());
    EXPECT_TRUE(W().Control(QStringLiteral("sbCornerEdit2"))->isEnabled());
    EXPECT_FALSE(W().Control(QStringLiteral("sbCornerEdit1"))->isEnabled());
    Click("CheckBox5");
    ASSERT_FALSE(D().UseCornerBraces);
    EXPECT_FALSE(W().Control(QStringLiteral("cmbCornerType2"))->isEnabled())
        << "rows disabled without corner braces";
    EXPECT_TRUE(W().Control(QStringLiteral("Panel56"))->isHidden());
}

TEST_F(KdRows, TendonTexts) {
    SetLevels(2);
    TAnchLevel& a = D().Anchors.Levels[0];
    a.Kind = lkTieback;
    a.TendonType = ttThreadedBar;
    a.BarSize = 1; // "#7 - 7/8\"" in English units
    a.Grade = 75;
    TAnchLevel& b = D().Anchors.Levels[1];
    b.Kind = lkTieRod;
    b.TendonType = ttThreadedBar;
    b.BarSize = 9; // "3\"": no blank in the name
    b.Grade = 150;
    W().UpdateForm();
    const int barsA = D().Anchors.Levels[0].BarCount, barsB = D().Anchors.Levels[1].BarCount;
    EXPECT_EQ(C<QLabel>("labAnchRText1")->text(), QStringLiteral("%1 #7 bars\nGrade 75").arg(barsA));
    EXPECT_EQ(C<QLabel>("labAnchRText2")->text(), QStringLiteral("%1 3\" bars\nGrade 150").arg(barsB));

    D().Anchors.Levels[0].TendonType = ttStrand;
    D().Anchors.Levels[0].Grade = 270;
    D().Anchors.Levels[1].Kind = lkStrut;
    W().UpdateForm();
    EXPECT_EQ(C<QLabel>("labAnchRText1")->text(),
              QStringLiteral("%1 Strands\nGrade 270").arg(D().Anchors.Levels[0].BarCount));
    EXPECT_EQ(C<QLabel>("labAnchRText2")->text(), "") << "a strut has no tendon";
}

TEST_F(KdRows, SiBarNameAndUnitOfBondRows) {
    answer = QMessageBox::Yes; // the values the other system's limits change
    Choose("ComboBox1", usSI);
    TAnchLevel& a = D().Anchors.Levels[0];
    a.Kind = lkTieback;
    a.TendonType = ttThreadedBar;
    a.BarSize = 1; // "#7 - 22 mm"
    a.Grade = 75;
    W().UpdateForm();
    EXPECT_TRUE(C<QLabel>("labAnchRText1")->text().endsWith(" #7 bars\nGrade 75"));
    EXPECT_EQ(C<QLabel>("labBondUnR1")->text(), "m");
}

TEST_F(KdRows, ZeroLevelsKeepRowOne) {
    D().Anchors.LevelCount = 0;
    D().ResizeAnchorLevels();
    W().UpdateForm();
    for (const char* prefix : kPrefixes)
        EXPECT_TRUE(Exists(prefix, 1)) << prefix;
    SetLevels(2);
    EXPECT_TRUE(Exists("pnlAnch", 2));
    EXPECT_EQ(C<QLabel>("labAnch2")->text(), "B");
}

// A wall without levels, as a file may hold it, with corner braces on: row A stands disabled in
// both level tables, the excavation bottom is B, and the member checks that have no design values
// show "N.A." without a verdict, in the window and in the report.
TEST_F(KdRows, ProjectWithoutLevels) {
    TKdData project = vantrel::testing::DemoProject(usEnglish);
    project.Anchors.LevelCount = 0;
    project.ResizeAnchorLevels();
    project.UseCornerBraces = true;
    const QString file = scratch_->filePath(QStringLiteral("cantilever.kpw"));
    project.SaveToFile(QFile::encodeName(file).toStdString());
    fileAnswers.push_back(file);
    W().AOpen->trigger();
    ASSERT_EQ(D().Anchors.LevelCount, 0);
    ASSERT_TRUE(D().UseCornerBraces);

    EXPECT_EQ(C<QLabel>("labAnch1")->text(), "A");
    EXPECT_EQ(C<QLabel>("labAnchLast")->text(), "B");
    EXPECT_TRUE(C<QWidget>("CheckBox5")->isEnabled());
    for (const char* name :
         {"cmbAnchType1", "Edit_AnchX1", "Edit_AnchAng1", "cmbCornerType1", "Edit_CornerAng1", "sbCornerEdit1"})
        EXPECT_FALSE(C<QWidget>(name)->isEnabled()) << name;

    const struct {
        const char *value, *mark, *verdict;
    } checks[] = {{"Edit_R117", "Image3", nullptr},
                  {"Edit_R118req", "Image29", "Label28"},
                  {"Edit_R119req", "Image31", "Label29"},
                  {"Edit_R120", "Image32", "Label30"}};
    for (const auto& c : checks) {
        ASSERT_EQ(C<QLineEdit>(c.value)->text(), "N.A.") << c.value;
        EXPECT_FALSE(C<QWidget>(c.mark)->isVisibleTo(&W())) << c.mark;
        if (c.verdict) {
            EXPECT_EQ(C<QLabel>(c.verdict)->text(), "") << c.verdict;
        }
    }
    ui::KdMainReport host(W());
    const report::ReportDocument doc = report::BuildReport(host);
    int verdicts = 0;
    for (int p = 0; p < static_cast<int>(doc.pages.size()); ++p)
        for (const report::TextItem* t : report::testing::Texts(doc, p)) {
            verdicts += t->text.contains(QStringLiteral("Adequate for"));
            EXPECT_FALSE(t->text.contains(QStringLiteral("Not Adequate for"))) << t->text.toStdString();
        }
    EXPECT_EQ(verdicts, 0);
}

TEST_F(KdRows, DeletingTheRowThatHasTheFocus) {
    SetLevels(3);
    Type("Edit_AnchX3", QStringLiteral("1"));
    // The level count drops while the focus sits in a row that goes away.
    D().Anchors.LevelCount = 1;
    D().ResizeAnchorLevels();
    W().UpdateForm();
    Settle();
    EXPECT_FALSE(Exists("pnlAnch", 3));
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == nullptr || focus->window() == &W());
    // The focus comes back to the control that had it when the rows were rebuilt by a commit.
    SetLevels(3);
    Type("Edit_101", QStringLiteral("2"));
    Tab();
    QWidget* next = QApplication::focusWidget();
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), next);
    EXPECT_EQ(D().Anchors.LevelCount, 2);
}

TEST_F(KdRows, LevelTabsFollowTheLevels) {
    SetLevels(3);
    auto* tabs = qobject_cast<ui::TabControl*>(W().Control(QStringLiteral("TabControl1")));
    auto* results = qobject_cast<ui::TabControl*>(W().Control(QStringLiteral("TabControl2")));
    ASSERT_NE(tabs, nullptr);
    ASSERT_NE(results, nullptr);
    ASSERT_EQ(tabs->Tabs()->count(), 3);
    EXPECT_EQ(tabs->Tabs()->tabText(2), "C");
    EXPECT_EQ(results->Tabs()->count(), 3);
    tabs->Tabs()->setCurrentIndex(2);
    SetLevels(1);
    EXPECT_EQ(tabs->Tabs()->count(), 1);
    EXPECT_EQ(tabs->Tabs()->currentIndex(), 0);
    EXPECT_EQ(results->Tabs()->currentIndex(), 0);
}
