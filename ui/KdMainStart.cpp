// The project on screen at start, and the project commands in their first form: a new project is
// reset and its texts, unit system and the minimum of every numeric field are shown. The full
// commands (refresh of every control, open, save, print) replace this file.

#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QUrl>

#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Version.h"
#include "ui/Globals.h"
#include "ui/KdMain.h"

namespace vantrel::ui {

void TfrmKdMain::NewProjectAtStart() {
    ANewExecute();
}

void TfrmKdMain::SetModified(bool value) {
    FModified = value;
    auto* logo = Find<QLabel>(QStringLiteral("Logo"));
    if (QWidget* clear = Control(QStringLiteral("Button3")))
        clear->setEnabled(logo && !logo->pixmap().isNull());
}

bool TfrmKdMain::QuerySaveChanges() {
    if (!FModified) return true;
    switch (platform::AskQuestion(this, tr("File is not saved. Do you want to save it now?"),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        ASaveExecute();
        break;
    case QMessageBox::No:
        SetModified(false);
        break;
    default:
        break;
    }
    return !FModified;
}

void TfrmKdMain::ANewExecute() {
    if (!QuerySaveChanges()) return;
    FData->NewProject(false);
    FFileName.clear();
    for (const auto& [name, text] :
         {std::pair{"Edit28", &FData->Organization}, std::pair{"Edit33", &FData->ProjectName},
          std::pair{"Edit27", &FData->JobNumber}, std::pair{"Edit29", &FData->DesignedBy}})
        if (auto* edit = Find<QLineEdit>(QString::fromLatin1(name))) {
            const QSignalBlocker block(edit);
            edit->setText(FromProjectText(*text));
        }
    if (auto* date = Find<QDateEdit>(QStringLiteral("DateTimePicker1"))) {
        const QSignalBlocker block(date);
        date->setDate(DateFromProject(FData->Date));
    }
    if (auto* units = Find<QComboBox>(QStringLiteral("ComboBox1"))) {
        const QSignalBlocker block(units);
        units->setCurrentIndex(FData->Units);
    }
    // Every numeric field starts at its minimum until the project's values are shown.
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        if (Tag(edit) != 0) {
            SetEditValue(edit, false, FData->FieldLimits[Tag(edit)].Min, FData->FieldLimits);
            RightAlignEdit(edit);
        }
    SetUnits();
    SetModified(false);
    setWindowTitle(QString::fromLatin1(platform::ApplicationTitle()));
}

void TfrmKdMain::AOpenExecute() {}
void TfrmKdMain::ASaveExecute() {}
void TfrmKdMain::ASaveAsExecute() {}
void TfrmKdMain::APrintExecute() {}
void TfrmKdMain::ActionList1Execute(QAction*) {}

void TfrmKdMain::AHelpExecute() {
    const QString manual =
        platform::ExecutableFolder() + QStringLiteral("Vantrel Software End User's Manual.pdf");
    if (QFileInfo::exists(manual)) platform::OpenUrl(QUrl::fromLocalFile(manual));
}

void TfrmKdMain::AWebExecute() {
    platform::OpenUrl(QUrl(platform::HomePageUrl()));
}

} // namespace vantrel::ui
