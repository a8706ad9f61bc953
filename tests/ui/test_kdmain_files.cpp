// Project file commands: New, Open, Save, Save As, the offer to save, the logo, the manual, with
// the dialogs answered by the test.

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTimer>
#include <QtTest/QTest>

#include <algorithm>
#include <stdexcept>

#include "KdCycleFixture.h"
#include "model/ProjectFile.h"
#include "tests/update/TestHttpServer.h"
#include "update/CheckUpdates.h"
#include "update/WebUpdate.h"

using namespace vantrel;
using vantrel::testing::KdCycleTest;

namespace {

class KdFiles : public KdCycleTest {
  protected:
    QString WriteFile(const QString& name, const QByteArray& bytes) {
        const QString path = scratch_->filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray Jpeg(int width, int height, Qt::GlobalColor colour = Qt::darkCyan) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
        return bytes;
    }
    void MakeModified() {
        Type("Edit_16", QStringLiteral("21"));
        Tab();
        ASSERT_TRUE(W().Modified());
    }
    std::string Local(const QString& path) { return QFile::encodeName(path).toStdString(); }
    Ext SavedHeight(const QString& path) {
        TKdData saved;
        saved.LoadFromFile(Local(path));
        return saved.ShoredHeight;
    }
    void ShowAgain() {
        W().show();
        QApplication::setActiveWindow(&W());
        Settle();
    }
    QAction* Menu(const char* name) { return W().findChild<QAction*>(QLatin1String(name)); }
    int Offers() const {
        return static_cast<int>(std::count_if(messages.begin(), messages.end(), [](const auto& m) {
            return m.text == "File is not saved. Do you want to save it now?";
        }));
    }
};

} // namespace

TEST_F(KdFiles, NewAsksNothingWhenUnmodified) {
    ASSERT_FALSE(W().Modified());
    W().ANew->trigger();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(W().windowTitle(), "Quarnel Vantrel");
}

TEST_F(KdFiles, OfferToSaveCancelNoYes) {
    MakeModified();
    // Cancel keeps the project and its changes.
    answer = QMessageBox::Cancel;
    W().ANew->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "File is not saved. Do you want to save it now?");
    EXPECT_EQ(messages[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(D().ShoredHeight, 21.0L);
    EXPECT_TRUE(W().Modified());

    // Yes on an untitled project asks for a name; cancelling that cancels New.
    answer = QMessageBox::Yes;
    W().ANew->trigger();
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_TRUE(fileRequests[0].save);
    EXPECT_EQ(D().ShoredHeight, 21.0L);
    EXPECT_TRUE(W().Modified());

    // Yes with a name saves, then New goes on.
    const QString path = scratch_->filePath(QStringLiteral("offer.kpw"));
    fileAnswers.push_back(path);
    W().ANew->trigger();
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(W().Modified());
    EXPECT_NE(D().ShoredHeight, 21.0L);
    EXPECT_EQ(W().windowTitle(), "Quarnel Vantrel");

    // No discards the changes.
    MakeModified();
    answer = QMessageBox::No;
    W().ANew->trigger();
    EXPECT_FALSE(W().Modified());
    EXPECT_NE(D().ShoredHeight, 21.0L);
}

TEST_F(KdFiles, SaveAsCaptionHeaderAndOpen) {
    MakeModified();
    const QString path = scratch_->filePath(QStringLiteral("wall"));
    fileAnswers.push_back(path);
    W().ASaveAs->trigger();
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_EQ(fileRequests[0].filter, "Quarnel Vantrel files (*.kpw);;All Files (*)");
    EXPECT_EQ(fileRequests[0].defaultSuffix, "kpw");
    EXPECT_EQ(fileRequests[0].folder, W().ProjectFolder());
    EXPECT_EQ(W().windowTitle(), "Quarnel Vantrel - wall.kpw");
    EXPECT_FALSE(W().Modified());
    QFile saved(path + QStringLiteral(".kpw"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    // The header: the title as a short string, then the format version.
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 15u);
    EXPECT_EQ(bytes.mid(1, 15), "Quarnel Vantrel");

    // Open it again in a fresh project.
    W().ANew->trigger();
    EXPECT_EQ(W().windowTitle(), "Quarnel Vantrel");
    fileAnswers.push_back(path + QStringLiteral(".kpw"));
    W().AOpen->trigger();
    EXPECT_EQ(D().ShoredHeight, 21.0L);
    EXPECT_EQ(Edit("Edit_16")->text().toDouble(), 21.0);
    EXPECT_EQ(W().windowTitle(), "Quarnel Vantrel - wall.kpw");
    EXPECT_FALSE(W().Modified());
}

TEST_F(KdFiles, OpenOfAForeignOrDamagedFileLeavesTheProject) {
    // A titled project with a change of its own, saved by the offer before the open goes on.
    const QString named = scratch_->filePath(QStringLiteral("named.kpw"));
    fileAnswers.push_back(named);
    W().ASaveAs->trigger();
    ASSERT_EQ(W().windowTitle(), "Quarnel Vantrel - named.kpw");
    TKdData valid;
    valid.LoadFromFile(Local(named));
    const std::vector<uint8_t> image = EncodeProject(valid);
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"notes.kpw", QByteArray(200, 'x')},
        {"cut.kpw",
         QByteArray(reinterpret_cast<const char*>(image.data()), static_cast<qsizetype>(image.size() / 2))},
        {"empty.kpw", QByteArray()},
    };
    for (const auto& f : files) {
        MakeModified();
        answer = QMessageBox::No; // the offer: discard the change, then open
        fileAnswers.push_back(WriteFile(QString::fromLatin1(f.name), f.bytes));
        const Ext height = D().ShoredHeight;
        const QString shown = Edit("Edit_16")->text();
        messages.clear();
        W().AOpen->trigger();
        ASSERT_EQ(messages.size(), 2u) << f.name; // the offer, then the error
        EXPECT_EQ(messages.back().text, "Wrong file format") << f.name;
        EXPECT_EQ(D().ShoredHeight, height) << "the project stays: " << f.name;
        EXPECT_EQ(Edit("Edit_16")->text(), shown) << "the window stays: " << f.name;
        EXPECT_FALSE(W().Modified()) << f.name;
        EXPECT_EQ(W().windowTitle(), "Quarnel Vantrel") << "the project is untitled: " << f.name;
        EXPECT_TRUE(W().FileName().isEmpty());
    }
}

TEST_F(KdFiles, SaveFailureNamesTheFileAndKeepsTheFlag) {
    MakeModified();
    const QString path = scratch_->filePath(QStringLiteral("missing/folder/wall.kpw"));
    fileAnswers.push_back(path);
    W().ASaveAs->trigger();
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back().text.contains(QStringLiteral("wall.kpw")));
    EXPECT_TRUE(W().Modified());
    EXPECT_TRUE(W().FileName().isEmpty());
    EXPECT_EQ(W().windowTitle(), "Quarnel Vantrel");
}

TEST_F(KdFiles, LogoButtonsAndPicture) {
    auto* clear = C<QWidget>("Button3");
    auto* logo = C<QLabel>("Logo");
    EXPECT_EQ(logo->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(clear->isEnabled());
    const auto shows = [&](Qt::GlobalColor colour) {
        const QColor shown = logo->grab().toImage().pixelColor(logo->width() / 2, logo->height() / 2);
        const QColor want(colour);
        return !logo->pixmap().isNull() && std::abs(shown.red() - want.red()) < 8 &&
               std::abs(shown.green() - want.green()) < 8 && std::abs(shown.blue() - want.blue()) < 8;
    };
    const auto holds = [&](const QByteArray& jpeg) {
        return QByteArray(reinterpret_cast<const char*>(D().Logo.data()),
                          static_cast<qsizetype>(D().Logo.size())) == jpeg;
    };
    const QByteArray cyan = Jpeg(300, 100);
    fileAnswers.push_back(WriteFile(QStringLiteral("logo.jpg"), cyan));
    QTest::mouseClick(C<QWidget>("Button1"), Qt::LeftButton);
    EXPECT_TRUE(W().Modified());
    EXPECT_TRUE(clear->isEnabled());
    EXPECT_TRUE(holds(cyan));
    EXPECT_TRUE(shows(Qt::darkCyan));
    // A commit keeps the file's bytes as they are.
    Type("Edit_16", QStringLiteral("19"));
    Tab();
    EXPECT_TRUE(holds(cyan));

    // A file that is not a JPEG: a message, the old logo and flag stay.
    W().SetModified(false);
    fileAnswers.push_back(WriteFile(QStringLiteral("fake.jpg"), QByteArray("\xFF\xD8 not really", 13)));
    QTest::mouseClick(C<QWidget>("Button1"), Qt::LeftButton);
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back().text.contains(QStringLiteral("fake.jpg")));
    EXPECT_FALSE(W().Modified());
    EXPECT_TRUE(holds(cyan));

    // A click on the picture chooses another; it is saved with the project and shown again.
    const QByteArray red = Jpeg(120, 100, Qt::darkRed);
    fileAnswers.push_back(WriteFile(QStringLiteral("red.jpg"), red));
    QTest::mouseClick(logo, Qt::LeftButton);
    EXPECT_TRUE(holds(red));
    EXPECT_TRUE(shows(Qt::darkRed));
    const QString path = scratch_->filePath(QStringLiteral("logo.kpw"));
    fileAnswers.push_back(path);
    Menu("ASaveAs")->trigger();
    Menu("ANew")->trigger();
    EXPECT_TRUE(D().Logo.empty());
    fileAnswers.push_back(path);
    Menu("AOpen")->trigger();
    EXPECT_TRUE(holds(red));
    EXPECT_TRUE(shows(Qt::darkRed));

    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_TRUE(D().Logo.empty());
    EXPECT_TRUE(logo->pixmap().isNull());
    EXPECT_TRUE(W().Modified());
    EXPECT_FALSE(clear->isEnabled());

    // Another logo chosen with the button (which keeps the focus, so the offer to save commits
    // nothing), then dropped: the file's logo shows again.
    answer = QMessageBox::No;
    fileAnswers.push_back(path);
    Menu("AOpen")->trigger();
    fileAnswers.push_back(WriteFile(QStringLiteral("cyan.jpg"), cyan));
    Click("Button1");
    EXPECT_TRUE(shows(Qt::darkCyan));
    fileAnswers.push_back(path);
    Menu("AOpen")->trigger();
    EXPECT_TRUE(holds(red));
    EXPECT_TRUE(shows(Qt::darkRed));
}

// A value typed for one project cannot come back by undo into the next one, also where the next
// one shows the same text.
TEST_F(KdFiles, OpenLeavesNothingToUndo) {
    QLineEdit* height = Edit("Edit_16");
    const QString before = height->text();
    const int decimals = before.size() - before.indexOf('.') - 1;
    const QString typed = QString::number(before.toDouble() + 1.0, 'f', decimals);
    Type("Edit_16", typed);
    Tab();
    ASSERT_EQ(height->text(), typed);
    const QString path = scratch_->filePath(QStringLiteral("typed.kpw"));
    fileAnswers.push_back(path);
    W().ASaveAs->trigger();
    fileAnswers.push_back(path);
    W().AOpen->trigger();
    height->setFocus(Qt::TabFocusReason);
    Settle();
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(height->text(), typed);
}

TEST_F(KdFiles, SaveAsNeverWritesUnderAPattern) {
    MakeModified();
    // The dialog accepted as it opens, then with names typed that hold a wildcard.
    QString typed;
    platform::ScopedFileHandler dialog([&](const platform::FileRequest& r) {
        EXPECT_TRUE(r.fileName.isEmpty());
        EXPECT_TRUE(r.filter.contains(QStringLiteral("(*.kpw)")));
        const QString name = typed.isEmpty() ? r.fileName : typed;
        return name.isEmpty() ? QString() : QDir(r.folder).filePath(name); // Save needs a name
    });
    for (const QString& name : {QString(), QStringLiteral("*.kpw"), QStringLiteral("wall?.kpw")}) {
        typed = name;
        messages.clear();
        Menu("ASaveAs")->trigger();
        EXPECT_TRUE(QDir(W().ProjectFolder()).entryList(QDir::Files).isEmpty()) << name.toStdString();
        EXPECT_EQ(messages.size(), name.isEmpty() ? 0u : 1u) << "a named refusal says why";
        EXPECT_EQ(W().windowTitle(), "Quarnel Vantrel");
        EXPECT_TRUE(W().Modified());
    }
}

TEST_F(KdFiles, CloseButtonAndExitSaveTheValueBeingTyped) {
    const QString path = scratch_->filePath(QStringLiteral("typed.kpw"));
    answer = QMessageBox::Yes;
    fileAnswers.push_back(path);
    for (const bool exitMenu : {false, true}) {
        const QString typed = exitMenu ? QStringLiteral("28") : QStringLiteral("27");
        Type("Edit_16", typed); // no Tab
        if (exitMenu)
            Menu("AExit")->trigger();
        else
            W().close();
        Settle();
        EXPECT_FALSE(W().isVisible());
        EXPECT_EQ(SavedHeight(path), typed.toDouble()) << "the file holds the typed value";
        ShowAgain();
    }
    // An error inside the offer keeps the window open and says why.
    Type("Edit_16", QStringLiteral("29"));
    {
        platform::ScopedMessageHandler failing([&](const platform::MessageRequest& r) {
            messages.push_back(r);
            if (r.text.startsWith(QStringLiteral("File is not saved"))) throw std::runtime_error("No answer");
            return QMessageBox::Ok;
        });
        EXPECT_FALSE(W().close());
    }
    EXPECT_TRUE(W().isVisible());
    EXPECT_EQ(messages.back().text, "No answer");
    EXPECT_TRUE(W().Modified());
    EXPECT_EQ(SavedHeight(path), 28.0L);
}

TEST_F(KdFiles, UpdateOfferSavesTheTypedValueAndNoKeepsItMarked) {
    test::TestHttpServer server;
    test::CannedResponse page;
    page.body = "<meta name=\"mxProduct\" content=\"Vantrel\">\n<meta name=\"mxVersion\" content=\"2.4.0\">\n"
                "<meta name=\"mxDownload\" content=\"/setup.exe\">\n";
    server.Route("/vtr.html", page);
    // No installer on the server: the update fails and the program goes on.
    const ScopedProgramLauncher launcher([](const QString&, const QStringList&) { return false; });
    const ScopedProgramTerminator terminator([] { ADD_FAILURE() << "the program may not end"; });
    QMessageBox::StandardButton offerAnswer = QMessageBox::Yes;
    const platform::ScopedMessageHandler answers([&](const platform::MessageRequest& r) {
        messages.push_back(r);
        if (r.text.startsWith(QStringLiteral("There is new version"))) return QMessageBox::Yes;
        return r.text.startsWith(QStringLiteral("File is not saved")) ? offerAnswer : QMessageBox::Ok;
    });
    const platform::ScopedModalHandler modal([](QDialog& dialog) {
        auto& form = dynamic_cast<TfrmCheckUpdates&>(dialog);
        form.SetAppVersion(QStringLiteral("2.3.1"));
        form.show();
        EXPECT_TRUE(vantrel::testing::SpinUntil([&] {
            return !form.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive() && !form.Updater().Busy();
        }));
        form.reject();
        return form.result();
    });
    struct Opener {
        ui::TfrmKdMain::UpdateOpener previous = ui::TfrmKdMain::UpdateDialogOpener();
        ~Opener() { ui::TfrmKdMain::UpdateDialogOpener() = previous; }
    } restore;
    W().Timer1->stop(); // only the command runs the check here, not the start-up timer
    ui::TfrmKdMain::UpdateDialogOpener() = [&](QWidget* parent, bool silent, std::function<bool()> offer) {
        ShowCheckUpdates(parent, silent, server.Url("/vtr.html"), std::move(offer));
    };

    // Yes: the typed value is saved.
    const QString path = scratch_->filePath(QStringLiteral("update.kpw"));
    fileAnswers.push_back(path);
    Type("Edit_16", QStringLiteral("28")); // no Tab
    Menu("ACheckUpdates")->trigger();
    EXPECT_EQ(Offers(), 1);
    EXPECT_EQ(SavedHeight(path), 28.0L);
    EXPECT_FALSE(W().Modified());

    // No, then the update fails: the change stays marked and Exit asks again.
    offerAnswer = QMessageBox::No;
    ShowAgain();
    Type("Edit_16", QStringLiteral("27"));
    Menu("ACheckUpdates")->trigger();
    EXPECT_EQ(Offers(), 2);
    EXPECT_EQ(D().ShoredHeight, 27.0L);
    EXPECT_TRUE(W().Modified());
    offerAnswer = QMessageBox::Cancel;
    Menu("AExit")->trigger();
    EXPECT_EQ(Offers(), 3);
    EXPECT_TRUE(W().isVisible());
    EXPECT_EQ(SavedHeight(path), 28.0L);
}

TEST_F(KdFiles, ManualBesideTheProgram) {
    const QString manual =
        QCoreApplication::applicationDirPath() + QStringLiteral("/Vantrel Software End User's Manual.pdf");
    ASSERT_FALSE(QFileInfo::exists(manual));
    W().AHelp->trigger();
    EXPECT_TRUE(openedUrls.empty()) << "no manual, nothing happens";
    {
        QFile file(manual);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n");
    }
    W().AHelp->trigger();
    QFile::remove(manual);
    ASSERT_EQ(openedUrls.size(), 1u);
    EXPECT_EQ(openedUrls[0], QUrl::fromLocalFile(manual));
    W().AWeb->trigger();
    ASSERT_EQ(openedUrls.size(), 2u);
    EXPECT_EQ(openedUrls[1].scheme().left(4), "http");
}

TEST_F(KdFiles, PrintCommitsThenCallsTheReport) {
    int printed = 0;
    Ext heightAtPrint = 0;
    const auto previous = ui::TfrmKdMain::SetPrintHandler([&](ui::TfrmKdMain& w) {
        ++printed;
        heightAtPrint = w.Data().ShoredHeight;
    });
    Type("Edit_16", QStringLiteral("26"));
    W().APrint->trigger();
    ui::TfrmKdMain::SetPrintHandler(previous);
    EXPECT_EQ(printed, 1);
    EXPECT_EQ(heightAtPrint, 26.0L);
}
