#include "update/WebUpdate.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>

#include <sys/stat.h>
#include <zip.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

namespace vantrel {

namespace {

// Upper-cases character by character, so that positions found in the result are positions in the
// original line (full case mapping would turn one character into two, e.g. "ß" into "SS").
QString UpperSameLength(const QString& text) {
    QString upper = text;
    for (QChar& c : upper)
        c = c.toUpper();
    return upper;
}

// The text from `start` up to the next double quote within 255 characters; false when there is none.
bool QuotedText(const QString& line, qsizetype start, QString& text) {
    if (start > line.size()) return false;
    const qsizetype end = line.indexOf(QLatin1Char('"'), start);
    if (end < 0 || end - start > 255) return false;
    text = line.mid(start, end - start);
    return true;
}

// A dotted version part as an integer; text that is not a number counts as 0.
long long VersionPart(const QStringList& parts, qsizetype index) {
    if (index >= parts.size()) return 0;
    bool ok = false;
    const long long value = parts[index].trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

bool HasControlCharacter(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return true;
    return false;
}

// The last part of a path written with either kind of separator.
QString LastPathPart(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

// Proxies as the desktop configures them, but never for the machine itself.
class SystemProxyFactory : public QNetworkProxyFactory {
  public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        const QString host = query.peerHostName();
        if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 ||
            QHostAddress(host).isLoopback())
            return {QNetworkProxy(QNetworkProxy::NoProxy)};
        return systemProxyForQuery(query);
    }
};

// A zip entry name that stays inside the folder it is unpacked into: relative, no drive, no "..",
// no backslash (another system's separator) and no control character. Checked on the raw bytes of
// the name: a converted name would show control bytes as printable characters.
bool SafeEntryName(const QByteArray& name) {
    if (name.isEmpty() || name.startsWith('/')) return false;
    if (name.size() >= 2 && name[1] == ':') return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || c == '\\') return false;
    }
    for (const QByteArray& part : name.split('/'))
        if (part == "..") return false;
    return true;
}

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

struct ZipEntry {
    zip_uint64_t index = 0;
    QString name;
    zip_uint64_t size = 0;
    mode_t mode = 0; // Unix mode when the package records one, else 0
};

bool Refuse(QString* error, const QString& why) {
    if (error) *error = why;
    return false;
}

ProgramLauncher& launcher() {
    static ProgramLauncher handler;
    return handler;
}
ProgramTerminator& terminator() {
    static ProgramTerminator handler;
    return handler;
}

} // namespace

// --- Module functions ---------------------------------------------------------------------------

bool GetMetaContent(const QString& line, QString& name, QString& content) {
    const QString upper = UpperSameLength(line);
    const qsizetype meta = upper.indexOf(QLatin1String("META NAME"));
    if (meta < 0) return false;
    const qsizetype value = upper.indexOf(QLatin1String("CONTENT="));
    if (value < 0) return false;
    // META NAME=" is 11 characters, CONTENT=" 9.
    return QuotedText(line, meta + 11, name) && QuotedText(line, value + 9, content);
}

QDate VerDateToDate(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n <= 0) return {};
    const QDate date(n / 10000, (n / 100) % 100, n % 100);
    return date.isValid() ? date : QDate();
}

bool DeleteFolder(const QString& folder) {
    QString path = folder;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QFileInfo info(path);
    if (info.isSymLink()) return QFile::remove(path);
    if (!info.exists()) return true;
    if (!info.isDir()) return QFile::remove(path);
    return QDir(path).removeRecursively();
}

QString FindExeInFolder(const QString& folder) {
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries)
        if (entry.fileName().endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
            return entry.absoluteFilePath();
    return {};
}

bool ExtractZip(const QString& zipFile, const QString& folder, QString* error) {
    int openError = 0;
    std::unique_ptr<zip_t, ZipCloser> archive(
        zip_open(QFile::encodeName(zipFile).constData(), ZIP_RDONLY, &openError));
    if (!archive) return Refuse(error, QStringLiteral("not a zip package"));

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0 || count > kMaxZipEntries) return Refuse(error, QStringLiteral("too many entries"));

    // Every entry is checked before anything is written.
    std::vector<ZipEntry> entries;
    zip_uint64_t totalBytes = 0;
    for (zip_uint64_t i = 0; i < static_cast<zip_uint64_t>(count); ++i) {
        const char* raw = zip_get_name(archive.get(), i, ZIP_FL_ENC_RAW);
        if (!raw || !SafeEntryName(QByteArray(raw)))
            return Refuse(error, QStringLiteral("unsafe entry name"));
        const char* converted = zip_get_name(archive.get(), i, ZIP_FL_ENC_GUESS);
        ZipEntry entry;
        entry.index = i;
        entry.name = QString::fromUtf8(converted ? converted : raw);
        if (!SafeEntryName(entry.name.toUtf8()) || HasControlCharacter(entry.name))
            return Refuse(error, QStringLiteral("unsafe entry name"));

        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            return Refuse(error, QStringLiteral("unreadable entry"));
        entry.size = stat.size;
        totalBytes += stat.size;
        if (stat.size > static_cast<zip_uint64_t>(kMaxZipBytes) ||
            totalBytes > static_cast<zip_uint64_t>(kMaxZipBytes))
            return Refuse(error, QStringLiteral("package too large"));

        zip_uint8_t opsys = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive.get(), i, 0, &opsys, &attributes) == 0 &&
            opsys == ZIP_OPSYS_UNIX) {
            entry.mode = static_cast<mode_t>(attributes >> 16);
            if (S_ISLNK(entry.mode)) return Refuse(error, QStringLiteral("link in package"));
        }
        entries.push_back(std::move(entry));
    }

    const QDir root(folder);
    for (const ZipEntry& entry : entries) {
        const QString target = root.absoluteFilePath(entry.name);
        if (entry.name.endsWith(QLatin1Char('/'))) {
            if (!root.mkpath(entry.name)) return Refuse(error, QStringLiteral("cannot create folder"));
            continue;
        }
        if (!QDir().mkpath(QFileInfo(target).absolutePath()))
            return Refuse(error, QStringLiteral("cannot create folder"));
        std::unique_ptr<zip_file_t, ZipFileCloser> in(zip_fopen_index(archive.get(), entry.index, 0));
        if (!in) return Refuse(error, QStringLiteral("unreadable entry"));
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return Refuse(error, QStringLiteral("cannot write"));
        char buffer[65536];
        zip_uint64_t written = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(in.get(), buffer, sizeof buffer);
            if (n < 0) return Refuse(error, QStringLiteral("damaged entry"));
            if (n == 0) break;
            written += static_cast<zip_uint64_t>(n);
            if (written > entry.size) return Refuse(error, QStringLiteral("damaged entry"));
            if (out.write(buffer, n) != n) return Refuse(error, QStringLiteral("cannot write"));
        }
        if (!out.flush()) return Refuse(error, QStringLiteral("cannot write"));
        out.close();
        // Modes from the package, without set-id, sticky or write bits for others.
        const mode_t mode = entry.mode ? (entry.mode & 0755) : 0644;
        ::chmod(QFile::encodeName(target).constData(), mode);
    }
    return true;
}

bool LaunchProgram(const QString& program, const QStringList& arguments) {
    if (launcher()) return launcher()(program, arguments);
    return QProcess::startDetached(program, arguments, QFileInfo(program).absolutePath());
}

void TerminateProgram() {
    if (terminator()) {
        terminator()();
        return;
    }
    // Leaves every event loop, so the windows close in the ordinary way.
    QCoreApplication::exit(0);
}

ProgramLauncher SetProgramLauncher(ProgramLauncher handler) {
    return std::exchange(launcher(), std::move(handler));
}

ProgramTerminator SetProgramTerminator(ProgramTerminator handler) {
    return std::exchange(terminator(), std::move(handler));
}

// --- Product information -------------------------------------------------------------------------

void TmxProductInfo::SetURL(const QString& value) {
    if (value.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        value.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        url_ = value;
    else
        url_ = QStringLiteral("http://") + value;
}

// --- The component -------------------------------------------------------------------------------

TmxWebUpdate::TmxWebUpdate(QObject* owner) : QObject(owner), network_(new QNetworkAccessManager(this)) {
    network_->setProxyFactory(new SystemProxyFactory);
    network_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    connect(network_, &QNetworkAccessManager::authenticationRequired, this,
            [this](QNetworkReply* reply, QAuthenticator* authenticator) {
                // Offer the credentials once; a second request means they were refused.
                if (UserName.isEmpty() || reply->property("vantrelAuthTried").toBool()) return;
                reply->setProperty("vantrelAuthTried", true);
                authenticator->setUser(UserName);
                authenticator->setPassword(Password);
            });
}

TmxWebUpdate::~TmxWebUpdate() {
    abort_ = true;
    if (reply_) reply_->abort();
}

QString TmxWebUpdate::Version() const {
    constexpr unsigned versionWord = (1u << 16) | 1u; // major in the high half, minor in the low
    return QStringLiteral("%1.%2").arg(versionWord >> 16).arg(versionWord & 0xffffu);
}

void TmxWebUpdate::Abort() {
    abort_ = true;
    if (reply_) reply_->abort();
}

bool TmxWebUpdate::CheckForUpdates() {
    if (busy_) return false;
    busy_ = true;
    abort_ = false;
    const std::unique_ptr<bool, void (*)(bool*)> clearBusy(&busy_, [](bool* busy) { *busy = false; });

    DoBeforeGetInfo();
    if (Aborted()) return true;
    GetInfo();
    DoAfterGetInfo();
    // Stopped by the owner while reading: no outcome to report.
    if (Aborted()) return true;
    if (page_.ProductName.isEmpty() || page_.Version.isEmpty()) {
        DoDownloadError();
        success_ = false;
    }
    if (!success_) return true;
    if (!IsNewVersion()) return true;

    bool canUpdate = true;
    if (OnUpdateAvailable) OnUpdateAvailable(productInfo_.Version, page_.Version, canUpdate);
    if (!canUpdate || Aborted()) return true;
    if (!ShowInfo() || Aborted()) return true;

    DownloadUpdate();
    if (!success_ || Aborted()) return true;
    RunUpdate();
    return true;
}

void TmxWebUpdate::RunUpdate() {
    if (!(Options & uoRunUpdate)) return;
    bool started = false;
    if (!clientFile_.isEmpty() && QFileInfo(clientFile_).isFile()) {
        QFile::setPermissions(clientFile_, QFile::permissions(clientFile_) | QFileDevice::ExeOwner);
        started = LaunchProgram(clientFile_, QProcess::splitCommand(page_.RunParameters));
    }
    // The program only ends once the installer runs. When it cannot start, the user is told and keeps
    // working: ending anyway would close the program without installing anything, and the user would
    // have to start the old version again only to find the same update offered.
    if (!started) {
        DoCannotExecute();
        return;
    }
    if (Options & uoTerminate) TerminateProgram();
}

void TmxWebUpdate::GetInfo() {
    page_.Redirection.clear();
    pageUrl_.clear();
    for (int hops = 0;; ++hops) {
        const QString address = page_.Redirection.isEmpty() ? productInfo_.URL() : page_.Redirection;
        const QUrl url = ParseURL(address);
        DownloadFile(address, false, false);
        if (!success_) return;
        pageUrl_ = url;
        ParseInfo(pageLines_);
        if (page_.Redirection.isEmpty()) return;
        // A chain of pages that never ends (or names itself) is a broken page, not a release.
        if (hops + 1 > kMaxRedirections) {
            success_ = false;
            DoDownloadError();
            return;
        }
    }
}

void TmxWebUpdate::ParseInfo(const QStringList& lines) {
    page_ = TmxPageInfo();
    QString name;
    QString value;
    for (const QString& line : lines) {
        if (!GetMetaContent(line, name, value)) continue;
        if (name == tagInfo_.Author)
            page_.Author = value;
        else if (name == tagInfo_.Email)
            page_.Email = value;
        else if (name == tagInfo_.ClientFileName)
            page_.ClientFileName = value;
        else if (name == tagInfo_.Download)
            page_.Download = value;
        else if (name == tagInfo_.ProductName)
            page_.ProductName = value;
        else if (name == tagInfo_.Redirection)
            page_.Redirection = value;
        else if (name == tagInfo_.RunParameters)
            page_.RunParameters = value;
        else if (name == tagInfo_.Version)
            page_.Version = value;
        else if (name == tagInfo_.VerDate)
            page_.VerDate = VerDateToDate(value);
        else if (name == tagInfo_.DownloadInplace)
            page_.DownloadInplace = value;
        else if (name == tagInfo_.InplaceUtil)
            page_.InplaceUtil = value;
    }
}

bool TmxWebUpdate::IsNewVersion() {
    const QString& installed = productInfo_.Version;
    const QString& offered = page_.Version;
    bool newer = false;
    switch (productInfo_.VersionFormat) {
    case TmxVersionFormat::vfStandard: {
        // Part by part; a version that has run out of parts reads 0, so 2.3 equals 2.3.0.
        const QStringList a = installed.split(QLatin1Char('.'));
        const QStringList b = offered.split(QLatin1Char('.'));
        for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
            const long long have = VersionPart(a, i);
            const long long get = VersionPart(b, i);
            if (get != have) {
                newer = get > have;
                break;
            }
        }
        break;
    }
    case TmxVersionFormat::vfString:
        newer = QString::compare(offered, installed, Qt::CaseSensitive) > 0;
        break;
    case TmxVersionFormat::vfNumber: {
        // QString::toDouble reads "." as the decimal point whatever the user's locale.
        bool okHave = false;
        bool okGet = false;
        const double have = installed.trimmed().toDouble(&okHave);
        const double get = offered.trimmed().toDouble(&okGet);
        newer = okHave && okGet && get > have;
        break;
    }
    }
    if (!newer) DoNoUpdateFound();
    return newer;
}

bool TmxWebUpdate::ShowInfo() {
    bool showInfo = true;
    bool checkForUpdate = true;
    if (OnBeforeShowInfo) OnBeforeShowInfo(showInfo, checkForUpdate);
    if (showInfo && OnAfterShowInfo) OnAfterShowInfo(checkForUpdate);
    return true;
}

bool TmxWebUpdate::GetClientFileName(QString& fileName) {
    QString name = LastPathPart(page_.ClientFileName);
    if (page_.ClientFileName.isEmpty()) {
        const QUrl download = ParseURL(page_.Download);
        name = download.isEmpty() ? LastPathPart(page_.Download) : download.fileName();
    }
    // Only a plain file name may come from the page: nothing that climbs out of the update folder.
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        HasControlCharacter(name))
        return false;
    fileName = QDir::temp().absoluteFilePath(name);
    if (OnGetClientFileName) OnGetClientFileName(fileName);
    return !fileName.isEmpty();
}

QUrl TmxWebUpdate::ParseURL(const QString& url) {
    const QString text = url.trimmed();
    if (text.isEmpty()) return {};
    QUrl result;
    if (text.contains(QLatin1String("://")))
        result = QUrl(text, QUrl::StrictMode);
    else if (text.startsWith(QLatin1Char('/')) && pageUrl_.isValid())
        result = pageUrl_.resolved(QUrl(text));
    else
        result = QUrl(QStringLiteral("http://") + text, QUrl::StrictMode);
    const QString scheme = result.scheme().toLower();
    if (!result.isValid() || result.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return {};
    return result;
}

void TmxWebUpdate::DownloadUpdate() {
    success_ = false;
    unzipFolder_.clear();
    QString fileName;
    if (!GetClientFileName(fileName)) {
        DoDownloadError();
        return;
    }
    clientFile_ = fileName;
    const QFileInfo existing(clientFile_);
    if (existing.exists() || existing.isSymLink()) {
        bool overwrite = (Options & uoOverwrite) != 0;
        if (OnClientFileExists) OnClientFileExists(clientFile_, overwrite);
        if (!overwrite) {
            DoDownloadError();
            return;
        }
    }
    DoBeforeDownload(clientFile_);
    DownloadFile(page_.Download, true, true, clientFile_);
    // Unpack only a complete package.
    if (success_ && QFileInfo(clientFile_).suffix().toLower() == QLatin1String("zip")) {
        unzipFolder_ = QFileInfo(clientFile_).absolutePath() + QStringLiteral("/QuarnelUpdate/");
        if (!DeleteFolder(unzipFolder_) || !QDir().mkpath(unzipFolder_) ||
            !ExtractZip(clientFile_, unzipFolder_)) {
            DeleteFolder(unzipFolder_);
            success_ = false;
            clientFile_.clear();
            DoDownloadError();
        } else {
            clientFile_ = FindExeInFolder(unzipFolder_);
        }
    }
    DoAfterDownload(clientFile_);
}

void TmxWebUpdate::DownloadFile(const QString& url, bool requireLength, bool toFile,
                                const QString& fileName) {
    // Inside a check the abort flag belongs to the check, so that an Abort between two transfers
    // is not forgotten.
    if (!busy_) abort_ = false;
    success_ = false;
    total_ = 0;
    downloaded_ = 0;
    bytesRead_ = 0;
    if (Aborted()) return;

    bool failed = false;
    try {
        const QUrl address = ParseURL(url);
        // Once a page came over https, nothing it leads to (another page, the installer that is
        // made executable and started) may come over plain http, where it could be replaced.
        const auto secure = [](const QUrl& u) { return u.scheme().toLower() == QLatin1String("https"); };
        if (address.isEmpty() || (secure(pageUrl_) && !secure(address))) {
            DoDownloadError();
            return;
        }

        std::unique_ptr<QSaveFile> file;
        QByteArray text;
        if (toFile) {
            // QSaveFile writes through a symlink to its target; the update replaces the link itself.
            if (QFileInfo(fileName).isSymLink() && !QFile::remove(fileName)) {
                DoDownloadError();
                return;
            }
            file = std::make_unique<QSaveFile>(fileName);
            if (!file->open(QIODevice::WriteOnly)) {
                DoDownloadError();
                return;
            }
        }

        QNetworkRequest request(address);
        request.setRawHeader("User-Agent", "TmxWebUpdate");
        request.setRawHeader("Accept", "*/*");
        // The length announced must be the length received: no transparent decompression.
        request.setRawHeader("Accept-Encoding", "identity");
        request.setRawHeader("Cache-Control", "no-cache");
        request.setRawHeader("Pragma", "no-cache");
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
        request.setMaximumRedirectsAllowed(kMaxRedirections);
        request.setTransferTimeout(TransferTimeoutMs);

        QNetworkReply* reply = network_->get(request);
        reply_ = reply;
        const std::unique_ptr<QNetworkReply, void (*)(QNetworkReply*)> releaseReply(
            reply, [](QNetworkReply* r) { r->deleteLater(); });

        bool headerChecked = false;
        const auto fail = [&] {
            failed = true;
            // A reply that has already failed runs to its end by itself.
            if (reply->error() == QNetworkReply::NoError && !reply->isFinished()) reply->abort();
        };
        const auto statusOk = [&] {
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            return status >= 200 && status <= 299;
        };
        const auto readAvailable = [&] {
            try {
                if (failed) {
                    reply->skip(reply->bytesAvailable()); // the rest of an error page
                    return;
                }
                if (!headerChecked) {
                    headerChecked = true;
                    if (!statusOk()) {
                        // Not aborted: Qt is about to report the error status itself.
                        failed = true;
                        reply->skip(reply->bytesAvailable());
                        return;
                    }
                    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
                    if (length.isValid()) total_ = length.toLongLong();
                }
                char buffer[kReadSize];
                while (!Aborted() && !failed && reply->bytesAvailable() > 0) {
                    bytesRead_ = reply->read(buffer, kReadSize);
                    if (bytesRead_ <= 0) break;
                    if (file) {
                        if (file->write(buffer, bytesRead_) != bytesRead_) {
                            fail();
                            return;
                        }
                    } else {
                        text.append(buffer, bytesRead_);
                    }
                    downloaded_ += bytesRead_;
                    DoDownload();
                }
            } catch (...) {
                fail();
            }
        };

        QEventLoop loop;
        connect(reply, &QNetworkReply::readyRead, &loop, readAvailable);
        connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished()) loop.exec();
        reply_ = nullptr;

        if (!failed && !Aborted() && reply->error() == QNetworkReply::NoError) readAvailable();
        if (Aborted()) {
            success_ = false;
            return; // the unique QSaveFile discards what was written
        }
        if (!failed) {
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid()) total_ = length.toLongLong();
            failed = reply->error() != QNetworkReply::NoError || !statusOk() ||
                     (requireLength && !length.isValid()) || (length.isValid() && downloaded_ != total_) ||
                     (!toFile && downloaded_ == 0);
        }
        if (!failed && file) failed = !file->commit();
        if (!failed && !toFile)
            pageLines_ = QString::fromUtf8(text).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    } catch (const std::exception&) {
        failed = true;
    }
    success_ = !failed;
    if (failed) DoDownloadError();
}

// --- Events --------------------------------------------------------------------------------------

void TmxWebUpdate::DoDownload() {
    if (OnDownload) OnDownload(total_, downloaded_);
}
void TmxWebUpdate::DoDownloadError() {
    // A copy: the handler may detach itself while it runs.
    if (const TNotifyEvent handler = OnDownloadError) handler();
}
void TmxWebUpdate::DoBeforeDownload(const QString& fileName) {
    if (OnBeforeDownload) OnBeforeDownload(fileName);
}
void TmxWebUpdate::DoAfterDownload(const QString& fileName) {
    if (OnAfterDownload) OnAfterDownload(fileName);
}
void TmxWebUpdate::DoNoUpdateFound() {
    if (OnNoUpdateFound) OnNoUpdateFound();
}
void TmxWebUpdate::DoAfterGetInfo() {
    if (OnAfterGetInfo) OnAfterGetInfo();
}
void TmxWebUpdate::DoBeforeGetInfo() {
    if (OnBeforeGetInfo) OnBeforeGetInfo();
}
void TmxWebUpdate::DoCannotExecute() {
    if (OnCannotExecute) OnCannotExecute();
}

} // namespace vantrel
