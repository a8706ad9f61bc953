// The about box: texts, the link to the home page, OK, and freed after closing.

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

#include "KdMainFixture.h"
#include "platform/Version.h"
#include "ui/About.h"
#include "ui/Globals.h"

namespace vantrel::testing {
namespace {

using AboutBox = KdMainTest;

TEST_F(AboutBox, TextsLinkOkAndFreedAfterClosing) {
    QPointer<QDialog> shown;
    QString title, product, version;
    QSize size;
    int result = -1;
    platform::ScopedModalHandler modal([&](QDialog& d) {
        shown = &d;
        title = d.windowTitle();
        size = d.size();
        product = d.findChild<QLabel*>("Label1")->text();
        version = d.findChild<QLabel*>("Label3")->text();
        // The link opens the home page.
        auto* link = d.findChild<QLabel*>("Label2");
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(link, &release);
        // OK is the default button and closes with OK; Esc answers OK as well.
        auto* ok = d.findChild<QPushButton*>("Button1");
        EXPECT_TRUE(ok->isDefault());
        EXPECT_EQ(ok->text(), "OK");
        d.reject();
        result = d.result();
        return result;
    });
    Window().AAbout->trigger();
    EXPECT_EQ(title, "About");
    EXPECT_EQ(size, QSize(390, 263));
    EXPECT_EQ(product, "Vantrel");
    EXPECT_EQ(version, "Version " + ui::GetAppVersion());
    EXPECT_EQ(result, QDialog::Accepted);
    ASSERT_EQ(openedUrls.size(), 1);
    EXPECT_EQ(openedUrls[0], QUrl(platform::HomePageUrl()));
    EXPECT_TRUE(shown.isNull()); // freed when it closed
}

TEST_F(AboutBox, WebsiteAndManual) {
    Window().AWeb->trigger();
    ASSERT_EQ(openedUrls.size(), 1);
    EXPECT_EQ(openedUrls[0], QUrl(platform::HomePageUrl()));
    // No manual beside the test program: nothing opens.
    Window().AHelp->trigger();
    EXPECT_EQ(openedUrls.size(), 1);
    EXPECT_TRUE(ui::TfrmKdMain::UpdatePageUrl().endsWith("/updates/vtr/vtr.html"));
}

} // namespace
} // namespace vantrel::testing
