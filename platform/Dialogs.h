#pragma once
// Every modal thing the program asks of the desktop goes through these seams: message boxes, file
// dialogs, modal windows and opening a document or web page. The program uses the real ones; tests
// install handlers that answer at once, so no test ever waits on a dialog or leaves the machine.

#include <QMessageBox>
#include <QString>
#include <QUrl>

#include <functional>

class QDialog;
class QWidget;

namespace vantrel::platform {

// --- Message boxes -------------------------------------------------------------------------
struct MessageRequest {
    QWidget* parent = nullptr;
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};
using MessageHandler = std::function<QMessageBox::StandardButton(const MessageRequest&)>;

// Shows a modal message box (or asks the installed handler) and returns the button pressed.
QMessageBox::StandardButton ShowMessage(const MessageRequest& request);
// Shorthands with the program's title "Quarnel Vantrel".
void ShowError(QWidget* parent, const QString& text);
void ShowInfo(QWidget* parent, const QString& text);
QMessageBox::StandardButton AskQuestion(QWidget* parent, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
// Replaces the message box; an empty handler restores the real one. Returns the previous handler.
MessageHandler SetMessageHandler(MessageHandler handler);

// --- File dialogs --------------------------------------------------------------------------
struct FileRequest {
    QWidget* parent = nullptr;
    bool save = false;          // save dialog (asks before overwriting) or open dialog
    QString title;
    QString folder;             // starting folder
    QString fileName;           // proposed name (save)
    QString filter;             // "Name (*.ext);;All Files (*)"
    QString defaultSuffix;      // appended by the save dialog when the name has none
};
// Answers the chosen path, or an empty string when the user cancelled.
using FileHandler = std::function<QString(const FileRequest&)>;
QString AskFileName(const FileRequest& request);
FileHandler SetFileHandler(FileHandler handler);

// --- Modal windows -------------------------------------------------------------------------
// Runs a dialog modally (QDialog::exec) and returns its result code. Tests install a handler that
// fills the dialog's controls by object name and accepts or rejects it instead of blocking.
using ModalHandler = std::function<int(QDialog&)>;
int ExecModal(QDialog& dialog);
ModalHandler SetModalHandler(ModalHandler handler);

// --- Documents and web pages ---------------------------------------------------------------
// Opens a file or an address with the desktop's default application; false when nothing opened it.
using UrlHandler = std::function<bool(const QUrl&)>;
bool OpenUrl(const QUrl& url);
UrlHandler SetUrlHandler(UrlHandler handler);

// Installs a handler for the lifetime of a scope and puts the previous one back afterwards.
template <typename Handler, Handler (*Set)(Handler)>
class ScopedHandler {
public:
    explicit ScopedHandler(Handler handler) : previous_(Set(std::move(handler))) {}
    ~ScopedHandler() { Set(std::move(previous_)); }
    ScopedHandler(const ScopedHandler&) = delete;
    ScopedHandler& operator=(const ScopedHandler&) = delete;

private:
    Handler previous_;
};
using ScopedMessageHandler = ScopedHandler<MessageHandler, &SetMessageHandler>;
using ScopedFileHandler = ScopedHandler<FileHandler, &SetFileHandler>;
using ScopedModalHandler = ScopedHandler<ModalHandler, &SetModalHandler>;
using ScopedUrlHandler = ScopedHandler<UrlHandler, &SetUrlHandler>;

} // namespace vantrel::platform
