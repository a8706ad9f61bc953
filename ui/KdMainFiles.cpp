// Commands on the project as a whole: New, Open, Save, Save As, the offer to save unsaved
// changes, the logo, the user's manual, the web site and Print. The window keeps two pieces of
// state for them, the modified flag and the file name, which drive the caption.

#include "ui/KdMain.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QUrl>

#include <exception>

#include "model/KdClasses.h"
#include "model/ProjectFile.h"
#include "platform/Dialogs.h"
#include "platform/Version.h"
#include "ui/Globals.h"

namespace vantrel::ui {

namespace {

const char* const kProjectFilter = "Quarnel Vantrel files (*.kpw);;All Files (*)";
const char* const kLogoFilter = "JPEG files (*.jpg *.jpeg)";
const char* const kManualName = "Vantrel Software End User's Manual.pdf";

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString Message(const std::exception& e) {
    return QString::fromLocal8Bit(e.what());
}

TfrmKdMain::PrintHandler& PrintEntry() {
    static TfrmKdMain::PrintHandler handler;
    return handler;
}

} // namespace

TfrmKdMain::PrintHandler TfrmKdMain::SetPrintHandler(PrintHandler handler) {
    PrintHandler previous = std::move(PrintEntry());
    PrintEntry() = std::move(handler);
    return previous;
}

// --- Modified flag and caption ----------------------------------------------------------------

void TfrmKdMain::NewProjectAtStart() {
    ConnectInputs(ScrollBox1->widget());
    ConnectWalerTabs();
    ANewExecute();
}

void TfrmKdMain::SetModified(bool value) {
    FModified = value;
    if (auto* clear = Ctl<QWidget>("Button3")) clear->setEnabled(!Data().Logo.empty());
}

void TfrmKdMain::SetCaption() {
    const QString title = QString::fromLatin1(platform::ApplicationTitle());
    setWindowTitle(FFileName.isEmpty() ? title
                                       : title + QStringLiteral(" - ") + QFileInfo(FFileName).fileName());
}

bool TfrmKdMain::QuerySaveChanges(bool forgetOnNo) {
    if (!FModified) return true;
    // The value being typed belongs to the project that is offered for saving.
    CommitFocusedInput();
    switch (platform::AskQuestion(this, QStringLiteral("File is not saved. Do you want to save it now?"),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        ASaveExecute(); // may show the save dialog; cancelling it keeps the project modified
        return !FModified;
    case QMessageBox::No:
        if (forgetOnNo) SetModified(false);
        return true;
    default:
        return false;
    }
}

bool TfrmKdMain::OfferToSave(bool forgetOnNo) {
    bool goOn = false;
    RunGuarded([&] { goOn = QuerySaveChanges(forgetOnNo); });
    return goOn;
}

// --- New and Open -----------------------------------------------------------------------------

void TfrmKdMain::ANewExecute() {
    if (!QuerySaveChanges()) return;
    TKdData& d = Data();
    d.NewProject(false);
    FillSectionLists(false);

    FFileName.clear();
    for (const char* text : {"Edit28", "Edit33", "Edit27", "Edit29"})
        if (auto* edit = Ctl<QLineEdit>(text)) edit->clear();
    if (auto* logo = Ctl<QLabel>("Logo")) logo->clear();
    shownLogo_.clear();
    FitLogo();
    if (auto* date = Ctl<QDateEdit>("DateTimePicker1")) {
        const QSignalBlocker blocker(date);
        date->setDate(QDate::currentDate());
    }
    if (auto* units = Ctl<QComboBox>("ComboBox1")) {
        const QSignalBlocker blocker(units);
        units->setCurrentIndex(0);
    }
    // Every numeric edit starts from its field's minimum until the refresh writes the project.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        const int tag = edit->property("tag").toInt();
        if (tag >= 1 && tag <= kFieldLimitCount) SetNumber(edit, d.FieldLimits[tag].Min, false);
    }
    SetSectionExpanded(Control(QStringLiteral("Panel3")), true);
    SetSectionExpanded(Control(QStringLiteral("Panel44")), true);
    ClearList("ComboBox5");
    ClearList("ComboBox23");

    UpdateForm();
    ReadInputs();
    ForgetTyping();
    SetModified(false);
    if (auto* units = Ctl<QComboBox>("ComboBox1"); units && isVisible() && units->isEnabled())
        units->setFocus();
    SetCaption();
}

// What was typed for the project shown before cannot come back by undo into this one, nor what a
// choice switched away from in it. An edit the refresh left alone (its text was already the same)
// still holds its undo history; setting its text anew clears it.
void TfrmKdMain::ForgetTyping() {
    sheetAway_.reset();
    drivenAway_.reset();
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        if (edit->isUndoAvailable() || edit->isRedoAvailable()) {
            const QSignalBlocker blocker(edit);
            edit->setText(edit->text());
        }
}

// The open and save dialogs of project files: they start in the project folder with the current
// file's name (none while untitled), list project files and add the project suffix.
platform::FileRequest TfrmKdMain::ProjectFileRequest(bool save) {
    platform::FileRequest request;
    request.parent = this;
    request.save = save;
    request.title = save ? QStringLiteral("Save") : QStringLiteral("Open");
    request.folder = FProjectFolder;
    request.fileName = FFileName;
    request.filter = QString::fromLatin1(kProjectFilter);
    request.defaultSuffix = QStringLiteral("kpw");
    return request;
}

void TfrmKdMain::AOpenExecute() {
    if (!QuerySaveChanges()) return;
    const QString chosen = platform::AskFileName(ProjectFileRequest(false));
    if (chosen.isEmpty()) return;

    SetSectionExpanded(Control(QStringLiteral("Panel3")), true);
    SetSectionExpanded(Control(QStringLiteral("Panel44")), true);
    try {
        // The whole file is read into a fresh project; the current one is replaced only when
        // everything was read.
        Data().LoadFromFile(LocalPath(chosen));
        FFileName = chosen;
        ClearList("ComboBox5");
        ClearList("ComboBox23");
        FillSectionLists(false);
        UpdateForm();
        ReadInputs();
        ForgetTyping();
        SetModified(false);
    } catch (const std::exception& e) {
        // The project, the window and the modified flag stay as they were; only the name goes.
        FFileName.clear();
        platform::ShowError(this, Message(e));
    }
    if (auto* units = Ctl<QComboBox>("ComboBox1"); units && units->isVisible() && units->isEnabled())
        units->setFocus();
    SetCaption();
}

// --- Save -------------------------------------------------------------------------------------

void TfrmKdMain::ASaveExecute() {
    if (FFileName.isEmpty()) {
        ASaveAsExecute();
        return;
    }
    SaveTo(FFileName);
}

bool TfrmKdMain::SaveTo(const QString& fileName) {
    try {
        // Written beside the old file and renamed over it: a failed save leaves the old file.
        Data().SaveToFile(LocalPath(fileName));
    } catch (const std::exception& e) {
        platform::ShowError(this, Message(e));
        return false;
    }
    SetModified(false);
    return true;
}

void TfrmKdMain::ASaveAsExecute() {
    QString chosen = platform::AskFileName(ProjectFileRequest(true));
    if (chosen.isEmpty()) return;
    // A pattern such as "*.kpw" selects files in the dialog; it is never a name to write under.
    const QString name = QFileInfo(chosen).fileName();
    if (name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'))) {
        platform::ShowError(
            this, QStringLiteral("\"%1\" is not a file name: a name may not hold * or ?.").arg(name));
        return;
    }
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".kpw");
    // The project takes the new name once it is saved under it.
    if (SaveTo(chosen)) FFileName = chosen;
    SetCaption();
}

// --- Logo -------------------------------------------------------------------------------------

void TfrmKdMain::Button1Click() {
    platform::FileRequest request;
    request.parent = this;
    request.title = QStringLiteral("Open");
    request.folder = FProjectFolder;
    request.filter = QString::fromLatin1(kLogoFilter);
    const QString chosen = platform::AskFileName(request);
    if (chosen.isEmpty()) return;
    std::vector<uint8_t> bytes;
    QImage picture;
    try {
        bytes = ReadWholeFile(LocalPath(chosen), "picture");
    } catch (const std::exception& e) {
        platform::ShowError(this, Message(e));
        return;
    }
    // Decoded before anything changes: a file that is not a readable JPEG keeps the old logo.
    const bool jpeg = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
    if (jpeg) picture.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "JPEG");
    if (!jpeg || picture.isNull()) {
        platform::ShowError(this, QStringLiteral("The picture \"%1\" is not a JPEG image.").arg(chosen));
        return;
    }
    // The project keeps the file's own bytes; only the screen shows the decoded picture.
    Data().SetPicture(bytes);
    if (auto* logo = Ctl<QLabel>("Logo")) logo->setPixmap(QPixmap::fromImage(picture));
    shownLogo_ = bytes; // the refresh decodes a logo only when its bytes are not the ones shown
    FitLogo();
    SetModified(true);
}

void TfrmKdMain::Button3Click() {
    Data().SetPicture({});
    if (auto* logo = Ctl<QLabel>("Logo")) logo->clear();
    shownLogo_.clear();
    FitLogo();
    SetModified(true);
}

// --- Manual, web site, print ------------------------------------------------------------------

QString TfrmKdMain::ManualPath() {
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromLatin1(kManualName);
}

void TfrmKdMain::AHelpExecute() {
    const QString manual = ManualPath();
    if (QFileInfo(manual).isFile()) platform::OpenUrl(QUrl::fromLocalFile(manual));
}

void TfrmKdMain::AWebExecute() {
    platform::OpenUrl(QUrl(platform::HomePageUrl()));
}

void TfrmKdMain::APrintExecute() {
    if (PrintEntry()) {
        PrintEntry()(*this);
        return;
    }
    platform::ShowInfo(this, QStringLiteral("The printed report is not available in this build."));
}

} // namespace vantrel::ui
