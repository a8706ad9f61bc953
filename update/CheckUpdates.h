#pragma once
// TfrmCheckUpdates: the modal window that runs one update check and talks to the user about it. It
// shows the installed and the offered version, asks before installing, offers to save the open
// project, shows the download progress and reports failures. In silent mode (the check at start-up)
// it closes without a word when there is nothing to install or the page cannot be read.

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace vantrel {

class TmxWebUpdate;

class TfrmCheckUpdates : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmCheckUpdates(QWidget* parent = nullptr);
    ~TfrmCheckUpdates() override;

    TmxWebUpdate& Updater() { return *FUpdater; }
    bool Silent() const { return FSilent; }
    void SetSilent(bool silent) { FSilent = silent; }
    // The main window's offer to save the open project: true to go on, false when the user
    // cancelled. Empty when there is nothing to save.
    void SetQuerySaveChanges(std::function<bool()> querySaveChanges) {
        FQuerySaveChanges = std::move(querySaveChanges);
    }
    // The installed version compared with the page; the program's own unless set.
    const QString& AppVersion() const { return FAppVersion; }
    void SetAppVersion(const QString& version) { FAppVersion = version; }

    // Closing stops a running check quietly.
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    // Escape works like the Cancel button: a running download is only stopped after asking.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Timer1Timer();
    void CloseBtnClick();
    void StartCheck();
    void wupdUpdateAvailable(const QString& actualVersion, const QString& newVersion, bool& canUpdate);
    void wupdAfterShowInfo(bool checkForUpdate);
    void wupdGetClientFileName(QString& fileName);
    void wupdBeforeDownload(const QString& fileName);
    void wupdDownload(std::int64_t total, std::int64_t downloaded);
    void wupdAfterDownload(const QString& fileName);
    void wupdNoUpdateFound();
    void wupdDownloadError();
    void wupdCannotExecute();
    void SetElided(QLabel* label, const QString& text);

    TmxWebUpdate* FUpdater = nullptr;
    bool FSilent = false;
    std::function<bool()> FQuerySaveChanges;
    QString FAppVersion;

    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Shape1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label3 = nullptr;
    QProgressBar* mbTBXProgressBar1 = nullptr;
    QPushButton* CloseBtn = nullptr;
    QTimer* Timer1 = nullptr;
};

// The folder the update is downloaded to: "Vantrel/Update/" under the user's data folder.
QString UpdateDownloadFolder();

// Runs one update check in the modal dialog against the information page at `address`. The
// dialog is freed when it closes, once the check inside it has returned.
void ShowCheckUpdates(QWidget* parent, bool silent, const QString& address,
                      std::function<bool()> querySaveChanges);

} // namespace vantrel
