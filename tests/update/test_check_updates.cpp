// The update dialog driven as a user would: through its buttons and the message boxes it raises,
// against the local HTTP server.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "platform/Version.h"
#include "tests/update/UpdateTestSupport.h"
#include "update/CheckUpdates.h"
#include "update/UpdateAddress.h"
#include "update/WebUpdate.h"

namespace vantrel {
namespace {

using test::CannedResponse;

const QString kAbortQuestion = QStringLiteral("Are you sure you want to abort downloading?");
const QString kErrorWeb = QStringLiteral("Error accessing data from the web!");
const QString kErrorExecute = QStringLiteral("Error executing downloaded file!");
const QString kInstallQuestion = QStringLiteral(
    "There is new version of software available for \ndownload at the www.quarnel.com website.\n\n"
    "Do you want to install new version? Program will be restarted.");
const QString kMajorWarning = QStringLiteral(
    "There is new major version of software available.\nMajor updates are not free. Please visit our website "
    "for more information.");

template <typename W = QWidget> W* Child(QWidget& dialog, const char* name) {
    return dialog.findChild<W*>(QLatin1String(name));
}

// What the window showed when it closed or when the check was over.
struct Outcome {
    bool closedByItself = false;
    QString label6;
    bool label6Visible = false;
    QString closeCaption;
    bool progressVisible = false;
};

class CheckUpdates_Dialog : public test::UpdateTestBase {
  protected:
    CheckUpdates_Dialog()
        : messageHandler_([this](const platform::MessageRequest& request) {
              messages.push_back(request);
              if (request.text == kInstallQuestion) return installAnswer;
              if (request.text == kAbortQuestion) return abortAnswer;
              return QMessageBox::Ok;
          }),
          modalHandler_([this](QDialog& dialog) { return Drive(static_cast<TfrmCheckUpdates&>(dialog)); }) {}

    // Shows the dialog and runs its event loop until it closes or its check is over.
    int Drive(TfrmCheckUpdates& form) {
        dialog = &form;
        form.SetAppVersion(appVersion);
        form.Updater().TransferTimeoutMs = 3000;
        if (onShown) onShown(form);
        form.show();
        QEventLoop loop;
        QObject::connect(&form, &QDialog::finished, &loop, &QEventLoop::quit);
        // The outcome is on screen once the start timer has fired and the check has returned.
        QTimer* timer1 = form.findChild<QTimer*>("Timer1");
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!timer1->isActive() && !form.Updater().Busy()) loop.quit();
        });
        poll.start(10);
        QTimer::singleShot(10000, &loop, [&] {
            ADD_FAILURE() << "the dialog neither closed nor finished its check";
            loop.quit();
        });
        loop.exec();
        outcome.closedByItself = !form.isVisible();
        outcome.label6 = Child<QLabel>(form, "Label6")->text();
        outcome.label6Visible = Child<QLabel>(form, "Label6")->isVisible();
        outcome.closeCaption = Child<QPushButton>(form, "CloseBtn")->text();
        outcome.progressVisible = Child<QProgressBar>(form, "mbTBXProgressBar1")->isVisible();
        if (form.isVisible()) form.reject();
        return form.result();
    }

    void Run(bool silent, std::function<bool()> querySave = {}) {
        ShowCheckUpdates(nullptr, silent, server.Url("/vtr.html"), std::move(querySave));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Offer(const QString& version, const QByteArray& package = "MZ installer") {
        server.Route("/vtr.html", Ok(Page({{"mxProduct", "Vantrel"},
                                           {"mxVersion", version},
                                           {"mxDownload", "/setup.exe"},
                                           {"mxClientSideName", "setup.exe"}})));
        server.Route("/setup.exe", Ok(package));
    }

    QStringList MessageTexts() const {
        QStringList texts;
        for (const platform::MessageRequest& m : messages)
            texts << m.text;
        return texts;
    }
    QString DownloadFolder() const { return Scratch("data") + "/Vantrel/Update/"; }

    QString appVersion = "2.3.1";
    QMessageBox::StandardButton installAnswer = QMessageBox::Yes;
    QMessageBox::StandardButton abortAnswer = QMessageBox::Yes;
    std::vector<platform::MessageRequest> messages;
    std::function<void(TfrmCheckUpdates&)> onShown;
    QPointer<TfrmCheckUpdates> dialog;
    Outcome outcome;

  private:
    platform::ScopedMessageHandler messageHandler_;
    platform::ScopedModalHandler modalHandler_;
};

TEST_F(CheckUpdates_Dialog, InitialWindow) {
    TfrmCheckUpdates form;
    const QString url =
        "http://127.0.0.1:1/updates/a/rather/long/path/to/the/information/page/of/vantrel/vtr.html";
    form.Updater().ProductInfo().SetURL(url);
    EXPECT_EQ(form.AppVersion(), platform::ProgramVersion());
    form.show();
    EXPECT_EQ(form.windowTitle(), "Check for updates");
    EXPECT_EQ(form.size(), QSize(465, 332));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.Updater().objectName(), "wupd");
    EXPECT_EQ(form.Updater().Options, uoRunUpdate | uoTerminate | uoOverwrite);
    EXPECT_FALSE(form.Silent());

    const struct {
        const char* name;
        QString text;
        bool visible;
        bool bold;
    } labels[] = {
        {"Label1", "Check for updates", true, true},
        {"Label2", "Checking...", true, true},
        {"Label5", "Current version: " + platform::ProgramVersion(), true, true},
        {"Label6", "New version:", false, true},
        {"Label3", "0 / 0 KB", false, false},
    };
    for (const auto& l : labels) {
        QLabel* label = Child<QLabel>(form, l.name);
        ASSERT_NE(label, nullptr) << l.name;
        EXPECT_EQ(label->text(), l.text) << l.name;
        EXPECT_EQ(label->isVisible(), l.visible) << l.name;
        EXPECT_EQ(label->font().bold(), l.bold) << l.name;
    }
    EXPECT_EQ(Child<QLabel>(form, "Label1")->font().pixelSize(), 19);
    QLabel* label4 = Child<QLabel>(form, "Label4");
    EXPECT_NE(label4->text(), url);
    EXPECT_TRUE(label4->text().contains(QChar(0x2026)));
    EXPECT_TRUE(label4->text().startsWith("http://127.0.0.1:1/"));
    EXPECT_TRUE(label4->text().endsWith("vtr.html"));
    EXPECT_EQ(label4->toolTip(), url);
    EXPECT_FALSE(Child<QProgressBar>(form, "mbTBXProgressBar1")->isVisible());
    EXPECT_EQ(Child<QPushButton>(form, "CloseBtn")->text(), "&Cancel");
    EXPECT_EQ(Child<QWidget>(form, "Panel1")->height(), 301);
    QTimer* timer = form.findChild<QTimer*>("Timer1");
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 500);
    for (const char* name : {"Panel1", "Image1", "Label1", "Shape1", "Label2", "Label4", "Label5", "Label6",
                             "Label3", "mbTBXProgressBar1", "CloseBtn"})
        EXPECT_TRUE(Child<QWidget>(form, name)->property("tag").isValid()) << name;

    // The navy bar under the title and the picture at the left.
    const QImage shot = form.grab().toImage();
    const QRect bar = Child<QWidget>(form, "Shape1")->geometry();
    EXPECT_EQ(shot.pixelColor(bar.center()), QColor(0, 0, 128));
    const QRect image = Child<QWidget>(form, "Image1")->geometry();
    EXPECT_EQ(shot.pixelColor(image.center()).blue() > 100, true);
    timer->stop(); // no check from this window
}

TEST_F(CheckUpdates_Dialog, TimerStartsTheCheckOnce) {
    Offer("2.3.1");
    std::size_t requestsAtShow = 99;
    onShown = [&](TfrmCheckUpdates&) { requestsAtShow = server.Requests().size(); };
    Run(false);
    EXPECT_EQ(requestsAtShow, 0u);
    EXPECT_EQ(server.Count("/vtr.html"), 1);
    EXPECT_TRUE(dialog.isNull()); // freed when it closed
}

TEST_F(CheckUpdates_Dialog, NoUpdateInteractiveAndSilent) {
    for (const bool silent : {false, true}) {
        Offer("2.3.1");
        outcome = {};
        Run(silent);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(outcome.closedByItself, silent);
        if (!silent) {
            EXPECT_EQ(outcome.label6, "You have the latest version");
            EXPECT_TRUE(outcome.label6Visible);
            EXPECT_EQ(outcome.closeCaption, "&Close");
        }
    }
}

TEST_F(CheckUpdates_Dialog, OneErrorMessageForTwoErrors) {
    // The missing page fails, and then the page names no version: one message, the window stays.
    Run(false);
    EXPECT_EQ(MessageTexts(), QStringList({kErrorWeb}));
    EXPECT_FALSE(outcome.closedByItself);
    messages.clear();
    Run(true);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(outcome.closedByItself);
}

TEST_F(CheckUpdates_Dialog, MinorQuestionAndMajorWarning) {
    const struct {
        const char* installed;
        const char* offered;
        QMessageBox::StandardButton answer;
        QString message;
        QMessageBox::StandardButtons buttons;
    } cases[] = {
        {"2.3.1", "2.4.0", QMessageBox::No, kInstallQuestion, QMessageBox::Yes | QMessageBox::No},
        {"2.3.1", "2.3.10", QMessageBox::No, kInstallQuestion, QMessageBox::Yes | QMessageBox::No},
        {"2.3.1", "3.0.0", QMessageBox::Yes, kMajorWarning, QMessageBox::Ok},
        {"1.9", "10.1", QMessageBox::Yes, kMajorWarning, QMessageBox::Ok},
    };
    int saveOffers = 0;
    for (const auto& c : cases) {
        appVersion = c.installed;
        installAnswer = c.answer;
        Offer(c.offered);
        messages.clear();
        Run(true, [&] {
            ++saveOffers;
            return true;
        });
        ASSERT_EQ(messages.size(), 1u) << c.offered;
        EXPECT_EQ(messages[0].text, c.message);
        EXPECT_EQ(messages[0].icon, QMessageBox::Warning);
        EXPECT_EQ(messages[0].buttons, c.buttons);
        EXPECT_TRUE(outcome.closedByItself);
        EXPECT_EQ(outcome.label6, QStringLiteral("New version: %1").arg(c.offered));
    }
    EXPECT_EQ(server.Count("/setup.exe"), 0);
    EXPECT_EQ(saveOffers, 0);
    EXPECT_TRUE(launches.empty());
}

TEST_F(CheckUpdates_Dialog, AcceptedUpdateShowsProgressAndOverwrites) {
    QDir().mkpath(DownloadFolder());
    QFile old(DownloadFolder() + "setup.exe");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old installer");
    old.close();

    const QByteArray package(4096, 'p');
    Offer("2.4.0", package);
    CannedResponse slow = Ok(package);
    slow.stallAt = 2048;
    QString label2;
    QString label3;
    QString label4Tip;
    int progress = -1;
    slow.stallUntil = [&] {
        if (!dialog || Child<QLabel>(*dialog, "Label3")->text() != "2 / 4 KB") return false;
        label2 = Child<QLabel>(*dialog, "Label2")->text();
        label3 = Child<QLabel>(*dialog, "Label3")->text();
        label4Tip = Child<QLabel>(*dialog, "Label4")->toolTip();
        progress = Child<QProgressBar>(*dialog, "mbTBXProgressBar1")->value();
        return true;
    };
    server.Route("/setup.exe", slow);
    Run(false);

    EXPECT_EQ(MessageTexts(), QStringList({kInstallQuestion}));
    EXPECT_EQ(label2, "Downloading...");
    EXPECT_EQ(label3, "2 / 4 KB");
    EXPECT_EQ(progress, 50);
    EXPECT_EQ(label4Tip, DownloadFolder() + "setup.exe");
    EXPECT_FALSE(outcome.progressVisible);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].program, DownloadFolder() + "setup.exe");
    EXPECT_EQ(terminations, 1);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), package);
}

TEST_F(CheckUpdates_Dialog, CancelWhileReadingThePage) {
    const struct {
        QMessageBox::StandardButton answer;
        bool escape; // Escape instead of the button
    } cases[] = {{QMessageBox::No, false},
                 {QMessageBox::Yes, false},
                 {QMessageBox::No, true},
                 {QMessageBox::Yes, true}};
    for (const auto& [answer, escape] : cases) {
        abortAnswer = answer;
        messages.clear();
        CannedResponse page = Ok(Page({{"mxProduct", "Vantrel"}, {"mxVersion", "2.3.1"}}));
        page.onRequest = [&, escape = escape] {
            if (escape) {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(dialog, &key);
            } else {
                Child<QPushButton>(*dialog, "CloseBtn")->click();
            }
        };
        server.Route("/vtr.html", page);
        Run(false);
        // The window is busy while only the page is read, so the user is asked.
        EXPECT_EQ(MessageTexts(), QStringList({kAbortQuestion}));
        EXPECT_EQ(messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(outcome.closedByItself, answer == QMessageBox::Yes);
        if (answer == QMessageBox::No) {
            EXPECT_EQ(outcome.label6, "You have the latest version");
        }
    }
}

TEST_F(CheckUpdates_Dialog, CancelDuringTheDownloadLeavesNothing) {
    const QByteArray package(8192, 'p');
    Offer("2.4.0", package);
    CannedResponse slow = Ok(package);
    slow.stallAt = 3000;
    slow.stallUntil = [&] {
        if (dialog && Child<QLabel>(*dialog, "Label3")->text() == "3 / 8 KB")
            Child<QPushButton>(*dialog, "CloseBtn")->click();
        return dialog.isNull() || !dialog->isVisible();
    };
    server.Route("/setup.exe", slow);
    Run(false);
    EXPECT_EQ(MessageTexts(), QStringList({kInstallQuestion, kAbortQuestion}));
    EXPECT_TRUE(outcome.closedByItself);
    EXPECT_TRUE(QDir(DownloadFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(terminations, 0);
}

TEST_F(CheckUpdates_Dialog, ClosingTheWindowStopsTheCheckQuietly) {
    CannedResponse page = Ok(Page({{"mxProduct", "Vantrel"}, {"mxVersion", "2.4.0"}}));
    page.onRequest = [&] { dialog->close(); };
    page.delayMs = 50;
    server.Route("/vtr.html", page);
    Run(false);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(outcome.closedByItself);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(CheckUpdates_Dialog, DownloadErrorAndInstallerFailure) {
    // The installer is missing on the server: one message, the window stays open.
    Offer("2.4.0");
    CannedResponse missing = Ok("<html>gone</html>");
    missing.status = 404;
    server.Route("/setup.exe", missing);
    Run(false);
    EXPECT_EQ(MessageTexts(), QStringList({kInstallQuestion, kErrorWeb}));
    EXPECT_FALSE(outcome.closedByItself);
    EXPECT_FALSE(outcome.progressVisible);
    EXPECT_TRUE(launches.empty());

    // The installer does not start: the user is told and the program goes on.
    Offer("2.4.0");
    launchSucceeds = false;
    messages.clear();
    Run(true);
    EXPECT_EQ(MessageTexts(), QStringList({kInstallQuestion, kErrorExecute}));
    EXPECT_EQ(launches.size(), 1u);
    EXPECT_EQ(terminations, 0);
}

TEST_F(CheckUpdates_Dialog, OfferToSaveBeforeUpdating) {
    const struct {
        bool goOn; // false: the user cancelled the offer to save
        int downloads;
        std::size_t launched;
    } cases[] = {{false, 0, 0}, {true, 1, 1}};
    for (const auto& c : cases) {
        Offer("2.4.0");
        int offers = 0;
        const int downloadsBefore = server.Count("/setup.exe");
        launches.clear();
        Run(false, [&] {
            ++offers;
            // Nothing is fetched before the project is safe.
            EXPECT_EQ(server.Count("/setup.exe"), downloadsBefore);
            return c.goOn;
        });
        EXPECT_EQ(offers, 1);
        EXPECT_EQ(server.Count("/setup.exe") - downloadsBefore, c.downloads);
        EXPECT_EQ(launches.size(), c.launched);
        if (!c.goOn) {
            EXPECT_TRUE(outcome.closedByItself);
        }
    }
}

TEST_F(CheckUpdates_Dialog, HttpsPageLeadsNowhereOverHttp) {
    const test::ScopedTrustedTestCertificate trust;
    test::TestHttpServer secure(true);
    server.Route("/vtr.html",
                 Ok(Page({{"mxProduct", "Vantrel"}, {"mxVersion", "2.4.0"}, {"mxDownload", "/setup.exe"}})));
    server.Route("/setup.exe", Ok("MZ installer"));
    secure.Route("/setup.exe", Ok("MZ installer"));
    const struct {
        const char* tag;
        QString address;
        QStringList messages;
        std::size_t launched;
    } cases[] = {
        {"mxDownload", server.Url("/setup.exe"), {kInstallQuestion, kErrorWeb}, 0},
        {"mxRedirection", server.Url("/vtr.html"), {kErrorWeb}, 0},
        {"mxDownload", secure.Url("/setup.exe"), {kInstallQuestion}, 1}, // https all the way
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address.toStdString());
        secure.Route("/vtr.html", Ok(Page({{"mxProduct", "Vantrel"},
                                           {"mxVersion", "2.4.0"},
                                           {c.tag, c.address},
                                           {"mxClientSideName", "setup.exe"}})));
        messages.clear();
        launches.clear();
        const int pagesRead = secure.Count("/vtr.html");
        ShowCheckUpdates(nullptr, false, secure.Url("/vtr.html"), {});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(secure.Count("/vtr.html"), pagesRead + 1);
        EXPECT_EQ(MessageTexts(), c.messages);
        EXPECT_EQ(launches.size(), c.launched);
        EXPECT_EQ(QFileInfo::exists(DownloadFolder() + "setup.exe"), c.launched == 1);
    }
    EXPECT_TRUE(server.Requests().empty()) << "nothing was fetched over http";
}

TEST(CheckUpdates_Address, BuildSettingIsAWebAddress) {
    const QUrl url(UpdateInfoAddress());
    EXPECT_TRUE(url.isValid());
    EXPECT_TRUE(url.scheme() == "http" || url.scheme() == "https");
    EXPECT_FALSE(url.host().isEmpty());
}

} // namespace
} // namespace vantrel
