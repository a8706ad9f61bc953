// What an engineer sees first when walking through the window: every drawing and chart page shows
// its picture whole, inside the page, in the narrow and in the wide layout.

#include <QAction>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTreeWidget>

#include "KdCycleFixture.h"
#include "KdMainFixture.h"
#include "model/KdClasses.h"
#include "ui/Computations.h"
#include "ui/Globals.h"

namespace vantrel::testing {
namespace {

class KdMainReview : public KdMainTest {
  protected:
    // Shows every page of the page control in turn and checks that its picture lies inside the
    // part of the page that shows, with a picture drawn no larger than itself.
    void ExpectPicturesInsidePages(const char* pagesName) {
        auto* pages = Get<QTabWidget>(pagesName);
        ASSERT_NE(pages, nullptr);
        int checked = 0;
        for (int i = 0; i < pages->count(); ++i) {
            if (!pages->isTabVisible(i)) continue;
            pages->setCurrentIndex(i);
            Spin(50);
            QWidget* page = pages->widget(i);
            for (QLabel* picture : page->findChildren<QLabel*>()) {
                if (!picture->objectName().startsWith(QLatin1String("imgDiag"))) continue;
                SCOPED_TRACE(picture->objectName().toStdString());
                const QRect onPage(picture->mapTo(page, QPoint(0, 0)), picture->size());
                EXPECT_TRUE(page->rect().contains(onPage))
                    << "picture " << onPage.width() << "x" << onPage.height() << " on a page "
                    << page->width() << "x" << page->height();
                EXPECT_EQ(page->size(), pages->currentWidget()->parentWidget()->size());
                const QSize drawn = picture->pixmap().size();
                EXPECT_LE(drawn.width(), picture->width());
                EXPECT_LE(drawn.height(), picture->height());
                ++checked;
            }
        }
        EXPECT_GE(checked, 4);
    }
};

TEST_F(KdMainReview, NarrowLayoutPicturesFitTheirPages) {
    Window().resize(866, 720);
    Window().show();
    Spin(100);
    ASSERT_FALSE(Window().WideLayout());
    ExpectPicturesInsidePages("PageControl2");
}

TEST_F(KdMainReview, WideLayoutPicturesFitTheirPagesAfterResize) {
    Window().resize(1500, 900);
    Window().show();
    Spin(100);
    ASSERT_TRUE(Window().WideLayout());
    Window().resize(1400, 800);
    Spin(100);
    ExpectPicturesInsidePages("PageControl1");
}

class KdMainReviewCycle : public KdCycleTest {};

// A sheet pile gets no member check: its slenderness reads "N.A." and carries no mark, so the
// results are not reported as failing for a check that was never made. An I-beam keeps its mark.
TEST_F(KdMainReviewCycle, SlendernessMarkOnlyWhereThereIsACheck) {
    Choose("ComboBox4", 3); // Sheet Pile
    Settle();
    EXPECT_EQ(Edit("Edit_R20")->text(), QStringLiteral("N.A."));
    EXPECT_TRUE(C<QLabel>("Image2")->isHidden());
    Choose("ComboBox4", 0); // Soldier Beam
    Settle();
    ASSERT_FALSE(std::isnan(double(D().Anchors.Slenderness)));
    EXPECT_FALSE(C<QLabel>("Image2")->isHidden());
    EXPECT_EQ(ui::Tag(C<QLabel>("Image2")), D().Anchors.Slenderness <= 200.0L ? 0 : 1);
}

// Turning levels into a strut and a raker adds rows to the strut calculations; "Static Check"
// stays below the last of them instead of covering it.
TEST_F(KdMainReviewCycle, StaticCheckStaysBelowTheStrutRows) {
    Type("Edit_101", "2");
    Tab();
    Settle();
    for (const char* list : {"cmbAnchType1", "cmbAnchType2"}) {
        Choose(list, 3); // Raker
        Settle();
        QWidget* strutBlock = W().Control(QStringLiteral("Panel59"));
        QWidget* staticCheck = W().Control(QStringLiteral("Panel50"));
        ASSERT_TRUE(strutBlock && staticCheck);
        ASSERT_FALSE(strutBlock->isHidden());
        int lastRowBottom = 0;
        for (QWidget* row : strutBlock->findChildren<QWidget*>())
            if (row->objectName().startsWith(QLatin1String("pnlStrutR")) && !row->isHidden())
                lastRowBottom = std::max(
                    lastRowBottom, row->mapTo(strutBlock->parentWidget(), QPoint(0, row->height())).y());
        EXPECT_GT(lastRowBottom, strutBlock->y());
        EXPECT_GE(staticCheck->y(), lastRowBottom) << list;
    }
}

// A strut without structural design is not checked: its utilizations read "N.A." without marks and
// the results are not reported as failing for it; with the design on, every mark shows.
TEST_F(KdMainReviewCycle, StrutWithoutDesignHasNoFailMarks) {
    Choose("cmbAnchType1", 2); // Strut
    Settle();
    ASSERT_FALSE(D().Anchors.Levels[0].StructuralDesign);
    for (const char* mark : {"imgRStrutP1", "imgRStrutMx1", "imgRStrutMy1", "imgRStrutComb1"})
        EXPECT_TRUE(W().Control(QLatin1String(mark))->isHidden()) << mark;
    EXPECT_EQ(Edit("Edit_RStrutP1")->text(), QStringLiteral("N.A."));

    D().Anchors.Levels[0].StructuralDesign = true;
    W().ReadInputs();
    Settle();
    for (const char* mark : {"imgRStrutP1", "imgRStrutMx1", "imgRStrutMy1", "imgRStrutComb1"})
        EXPECT_FALSE(W().Control(QLatin1String(mark))->isHidden()) << mark;
}

// A value typed and not yet confirmed goes into the file when the project is saved under a new
// name, and into the file offered by New ("save it now?" answered Yes) too.
TEST_F(KdMainReviewCycle, TypedValueIsSavedBySaveAsAndByNew) {
    const QString first = scratch_->path() + QStringLiteral("/typed.kpw");
    Type("Edit_16", QStringLiteral("24"));
    fileAnswers.push_back(first);
    W().findChild<QAction*>(QStringLiteral("ASaveAs"))->trigger();
    Settle();
    EXPECT_DOUBLE_EQ(double(D().ShoredHeight), 24.0);
    TKdData saved;
    saved.LoadFromFile(first.toStdString());
    EXPECT_DOUBLE_EQ(double(saved.ShoredHeight), 24.0);

    Type("Edit_16", QStringLiteral("26"));
    answer = QMessageBox::Yes; // save before the new project
    W().findChild<QAction*>(QStringLiteral("ANew"))->trigger();
    Settle();
    TKdData offered;
    offered.LoadFromFile(first.toStdString());
    EXPECT_DOUBLE_EQ(double(offered.ShoredHeight), 26.0);
}

// The result tables show every column heading whole, in both unit systems; the window is as wide
// as the columns it shows.
TEST(KdMainReviewTables, HeadingsAreNotCut) {
    for (const int units : {0, 1}) {
        TKdData data;
        data.SetUnits(units);
        for (const bool byLevel : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "units " << units << " by level " << byLevel);
            auto form = CreateComputationsForm(data, byLevel);
            QTreeWidget* list = form->List();
            const QFontMetrics heading(list->header()->font());
            int columns = 0;
            for (int c = 0; c < list->columnCount(); ++c) {
                const QString caption = list->headerItem()->text(c);
                if (!caption.isEmpty()) {
                    EXPECT_GT(list->columnWidth(c), heading.horizontalAdvance(caption) + 2)
                        << caption.toStdString();
                }
                columns += c == 0 ? form->Table().columns[0].width : list->columnWidth(c);
            }
            const int screen = QGuiApplication::primaryScreen()->availableGeometry().width();
            EXPECT_EQ(form->width(), std::min(screen, columns + 8 + 30));
        }
    }
}

} // namespace
} // namespace vantrel::testing
