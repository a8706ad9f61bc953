#pragma once
// TmxWebUpdate: checks the maker's information page for a newer release and, when its owner agrees,
// downloads the update, unpacks it when it is a zip package, starts the installer and ends the
// program. The page is plain HTML whose META lines carry the facts about the current release:
//
//   <meta name="mxProduct" content="Vantrel">
//   <meta name="mxVersion" content="1.19.0">
//   <meta name="mxDownload" content="https://host/updates/vtr/setup.zip">
//
// The component knows nothing of windows: it reports everything through its events. Transfers run on
// the GUI thread in a local event loop, so the window stays responsive and can call Abort().

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <cstdint>
#include <functional>

#include "platform/Dialogs.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace vantrel {

enum TmxUpdateOption : unsigned { uoRunUpdate = 1u << 0, uoTerminate = 1u << 1, uoOverwrite = 1u << 2 };
using TmxUpdateOptions = unsigned; // a set of TmxUpdateOption bits

enum class TmxVersionFormat {
    vfStandard, // dotted integers: 2.10.0 is newer than 2.9.5
    vfString,   // ordinal text comparison
    vfNumber    // one floating-point number, "." as decimal point
};

// Where the information page lives, the installed version and how versions compare.
class TmxProductInfo {
  public:
    const QString& URL() const { return url_; }
    // Puts "http://" in front of an address that names no scheme.
    void SetURL(const QString& value);
    QString Version = QStringLiteral("1.0");
    TmxVersionFormat VersionFormat = TmxVersionFormat::vfStandard;

  private:
    QString url_;
};

// Names of the META tags read from the page.
struct TmxTagInfo {
    QString Author = QStringLiteral("mxAuthor");
    QString Email = QStringLiteral("mxEmail");
    QString ClientFileName = QStringLiteral("mxClientSideName");
    QString Download = QStringLiteral("mxDownload");
    QString ProductName = QStringLiteral("mxProduct");
    QString Redirection = QStringLiteral("mxRedirection");
    QString RunParameters = QStringLiteral("mxRunParameters");
    QString Version = QStringLiteral("mxVersion");
    QString VerDate = QStringLiteral("mxVerDate");
    QString DownloadInplace = QStringLiteral("mxDownloadInplace");
    QString InplaceUtil = QStringLiteral("mxInplaceUtil");
};

// Captions of an information window (kept for owners that show one).
struct TmxInfoCaption {
    QString OkButton = QStringLiteral("&OK");
    QString CancelButton = QStringLiteral("&Cancel");
    QString CheckForUpdate = QStringLiteral("C&heck for updates in the future");
};

// The values read from the information page; they live until the next page is parsed.
struct TmxPageInfo {
    QString Version;
    QString Download;
    QString ClientFileName;
    QString Redirection;
    QString Author;
    QString Email;
    QString ProductName;
    QString RunParameters;
    QDate VerDate; // null when the page gave none or an unreadable one
    QString DownloadInplace;
    QString InplaceUtil;
};

// --- Module functions ---------------------------------------------------------------------------
// Reads one page line of the form <meta name="TAG" content="VALUE">. False when the line carries no
// META NAME, no CONTENT= or lacks a closing quote.
bool GetMetaContent(const QString& line, QString& name, QString& content);
// yyyymmdd as an integer; anything else gives a null date.
QDate VerDateToDate(const QString& text);
// Removes a folder with everything in it; a symlink at the path is removed, never followed.
bool DeleteFolder(const QString& folder);
// The first file at the top of the folder whose name ends in ".exe" (any case), in case-insensitive
// name order, as a full path; empty when there is none.
QString FindExeInFolder(const QString& folder);
// Unpacks a zip package into an existing folder. The package is refused as a whole (nothing is
// written) when an entry could land outside the folder or is a link, or the package is too large;
// `error` then says why.
bool ExtractZip(const QString& zipFile, const QString& folder, QString* error = nullptr);

// Limits on a package before anything of it is unpacked.
inline constexpr int kMaxZipEntries = 10000;
inline constexpr std::int64_t kMaxZipBytes = std::int64_t{2} << 30; // 2 GiB uncompressed

// --- Starting the installer and ending the program -------------------------------------------
// The real ones start a detached process and end the application's event loop with code 0; tests
// install recording handlers so that nothing is spawned and nothing exits.
using ProgramLauncher = std::function<bool(const QString& program, const QStringList& arguments)>;
using ProgramTerminator = std::function<void()>;
bool LaunchProgram(const QString& program, const QStringList& arguments);
void TerminateProgram();
ProgramLauncher SetProgramLauncher(ProgramLauncher launcher);
ProgramTerminator SetProgramTerminator(ProgramTerminator terminator);

using ScopedProgramLauncher = platform::ScopedHandler<ProgramLauncher, &SetProgramLauncher>;
using ScopedProgramTerminator = platform::ScopedHandler<ProgramTerminator, &SetProgramTerminator>;

// --- The component -------------------------------------------------------------------------------
class TmxWebUpdate : public QObject {
    Q_OBJECT
  public:
    // Event types; reference arguments may be changed by the handler.
    using TNotifyEvent = std::function<void()>;
    using TDownloadEvent = std::function<void(std::int64_t total, std::int64_t downloaded)>;
    using TDownloadFileEvent = std::function<void(const QString& fileName)>;
    using TGetClientFileNameEvent = std::function<void(QString& fileName)>;
    using TClientFileExistsEvent = std::function<void(const QString& fileName, bool& overwrite)>;
    using TShowInfoEvent = std::function<void(bool& showInfo, bool& checkForUpdate)>;
    using TAfterShowInfoEvent = std::function<void(bool checkForUpdate)>;
    using TUpdateAvailableEvent =
        std::function<void(const QString& actualVersion, const QString& newVersion, bool& canUpdate)>;

    // Redirection pages followed in a row before the check gives up.
    static constexpr int kMaxRedirections = 5;
    // Size of one read from the network.
    static constexpr std::int64_t kReadSize = 1025;

    explicit TmxWebUpdate(QObject* owner = nullptr);
    ~TmxWebUpdate() override;

    TmxTagInfo& TagInfo() { return tagInfo_; }
    TmxProductInfo& ProductInfo() { return productInfo_; }
    TmxInfoCaption& InfoCaption() { return infoCaption_; }
    QString UserName;
    QString Password;
    TmxUpdateOptions Options = uoRunUpdate | uoTerminate;
    // The component's own version, "1.1".
    QString Version() const;
    // In-place updating is not supported: the property reads false whatever is written.
    bool Inplace() const { return false; }
    void SetInplace(bool) {}
    // A transfer that receives nothing for this long fails.
    int TransferTimeoutMs = 30000;

    TDownloadFileEvent OnBeforeDownload;
    TDownloadFileEvent OnAfterDownload;
    TUpdateAvailableEvent OnUpdateAvailable;
    TGetClientFileNameEvent OnGetClientFileName;
    TClientFileExistsEvent OnClientFileExists;
    TShowInfoEvent OnBeforeShowInfo;
    TAfterShowInfoEvent OnAfterShowInfo;
    TNotifyEvent OnBeforeGetInfo;
    TNotifyEvent OnCannotExecute;
    TNotifyEvent OnAfterGetInfo;
    TNotifyEvent OnNoUpdateFound;
    TDownloadEvent OnDownload;
    TNotifyEvent OnDownloadError;

    // The whole cycle: read the page, compare versions, ask the owner, download, start the installer
    // and end the program. False only when a check is already running.
    bool CheckForUpdates();
    // Stops a running transfer and the check around it, without an event.
    void Abort();
    bool Busy() const { return busy_; }

    // Steps of the cycle, usable one by one.
    void GetInfo();
    void ParseInfo(const QStringList& lines);
    bool IsNewVersion();
    void DownloadUpdate();
    // GET of one address into the page lines (toFile false) or into a file. With requireLength the
    // response must announce its length. Sets Success(); a failure other than an abort fires
    // OnDownloadError.
    void DownloadFile(const QString& url, bool requireLength, bool toFile, const QString& fileName = {});

    const TmxPageInfo& Page() const { return page_; }
    const QStringList& PageLines() const { return pageLines_; }
    bool Success() const { return success_; }
    const QString& ClientFile() const { return clientFile_; }
    const QString& UnzipFolder() const { return unzipFolder_; }
    std::int64_t Total() const { return total_; }
    std::int64_t Downloaded() const { return downloaded_; }

  protected:
    virtual void DoDownload();
    virtual void DoDownloadError();
    virtual void DoBeforeDownload(const QString& fileName);
    virtual void DoAfterDownload(const QString& fileName);
    virtual void DoNoUpdateFound();
    virtual void DoAfterGetInfo();
    virtual void DoBeforeGetInfo();
    virtual void DoCannotExecute();
    virtual bool ShowInfo();
    // The local path of the update: the temporary folder and the bare file name from the page; then
    // OnGetClientFileName may change it. False when the page names no usable file.
    virtual bool GetClientFileName(QString& fileName);
    // The address as a URL; relative addresses are taken against the page that named them. An
    // invalid URL or a scheme other than http or https gives an empty URL.
    virtual QUrl ParseURL(const QString& url);

  private:
    bool Aborted() const { return abort_; }
    void RunUpdate();

    TmxProductInfo productInfo_;
    TmxTagInfo tagInfo_;
    TmxInfoCaption infoCaption_;
    bool busy_ = false;
    QString clientFile_;
    QStringList pageLines_;
    bool abort_ = false;
    TmxPageInfo page_;
    QUrl pageUrl_; // the page last read, base of relative addresses
    bool success_ = false;
    std::int64_t total_ = 0;
    std::int64_t bytesRead_ = 0;
    std::int64_t downloaded_ = 0;
    QString unzipFolder_;
    QNetworkAccessManager* network_ = nullptr;
    QPointer<QNetworkReply> reply_;
};

} // namespace vantrel
