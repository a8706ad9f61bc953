// Project file commands: New, Open, Save, Save As, the offer to save, the logo, the manual, with
// the dialogs answered by the test.

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include "KdCycleFixture.h"
#include "model/ProjectFile.h"

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
    QByteArray Jpeg(int width, int height) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
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

TEST_F(KdFiles, LogoChooseClearAndBadFile) {
    auto* clear = C<QWidget>("Button3");
    EXPECT_FALSE(clear->isEnabled());
    const QByteArray jpeg = Jpeg(300, 100);
    fileAnswers.push_back(WriteFile(QStringLiteral("logo.jpg"), jpeg));
    W().Button1Click();
    EXPECT_TRUE(W().Modified());
    EXPECT_TRUE(clear->isEnabled());
    EXPECT_EQ(
        QByteArray(reinterpret_cast<const char*>(D().Logo.data()), static_cast<qsizetype>(D().Logo.size())),
        jpeg);
    EXPECT_FALSE(C<QLabel>("Logo")->pixmap().isNull());
    // A commit keeps the file's bytes as they are.
    Type("Edit_16", QStringLiteral("19"));
    Tab();
    EXPECT_EQ(
        QByteArray(reinterpret_cast<const char*>(D().Logo.data()), static_cast<qsizetype>(D().Logo.size())),
        jpeg);

    // A file that is not a JPEG: a message, the old logo and flag stay.
    W().SetModified(false);
    fileAnswers.push_back(WriteFile(QStringLiteral("fake.jpg"), QByteArray("\xFF\xD8 not really", 13)));
    W().Button1Click();
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back().text.contains(QStringLiteral("fake.jpg")));
    EXPECT_FALSE(W().Modified());
    EXPECT_EQ(D().Logo.size(), static_cast<size_t>(jpeg.size()));

    W().Button3Click();
    EXPECT_TRUE(D().Logo.empty());
    EXPECT_TRUE(C<QLabel>("Logo")->pixmap().isNull());
    EXPECT_TRUE(W().Modified());
    EXPECT_FALSE(clear->isEnabled());
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
