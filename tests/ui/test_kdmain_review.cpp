// What an engineer sees first when walking through the window: every drawing and chart page shows
// its picture whole, inside the page, in the narrow and in the wide layout.

#include <QLabel>
#include <QPixmap>
#include <QTabWidget>

#include "KdMainFixture.h"

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

} // namespace
} // namespace vantrel::testing
