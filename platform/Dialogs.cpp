#include "platform/Dialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>

#include <utility>

#include "platform/Version.h"

namespace vantrel::platform {

namespace {
MessageHandler& messageHandler() {
    static MessageHandler handler;
    return handler;
}
FileHandler& fileHandler() {
    static FileHandler handler;
    return handler;
}
ModalHandler& modalHandler() {
    static ModalHandler handler;
    return handler;
}
UrlHandler& urlHandler() {
    static UrlHandler handler;
    return handler;
}
QString programTitle() { return QString::fromLatin1(ApplicationTitle()); }
} // namespace

QMessageBox::StandardButton ShowMessage(const MessageRequest& request) {
    if (messageHandler()) return messageHandler()(request);
    QMessageBox box(request.icon, request.title, request.text, request.buttons, request.parent);
    if (request.defaultButton != QMessageBox::NoButton) box.setDefaultButton(request.defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowError(QWidget* parent, const QString& text) {
    ShowMessage({parent, QMessageBox::Critical, programTitle(), text, QMessageBox::Ok, QMessageBox::Ok});
}

void ShowInfo(QWidget* parent, const QString& text) {
    ShowMessage({parent, QMessageBox::Information, programTitle(), text, QMessageBox::Ok, QMessageBox::Ok});
}

QMessageBox::StandardButton AskQuestion(QWidget* parent, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) {
    return ShowMessage({parent, QMessageBox::Question, programTitle(), text, buttons, defaultButton});
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    return std::exchange(messageHandler(), std::move(handler));
}

QString AskFileName(const FileRequest& request) {
    if (fileHandler()) return fileHandler()(request);
    QFileDialog dialog(request.parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.defaultSuffix.isEmpty()) dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

FileHandler SetFileHandler(FileHandler handler) { return std::exchange(fileHandler(), std::move(handler)); }

int ExecModal(QDialog& dialog) {
    if (modalHandler()) return modalHandler()(dialog);
    return dialog.exec();
}

ModalHandler SetModalHandler(ModalHandler handler) { return std::exchange(modalHandler(), std::move(handler)); }

bool OpenUrl(const QUrl& url) {
    if (urlHandler()) return urlHandler()(url);
    return QDesktopServices::openUrl(url);
}

UrlHandler SetUrlHandler(UrlHandler handler) { return std::exchange(urlHandler(), std::move(handler)); }

} // namespace vantrel::platform
