// The update component against a local HTTP server: page reading, version comparison, download,
// unpacking, starting the installer, and every way these can fail.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QtEndian>

#include <stdexcept>

#include <gtest/gtest.h>

#include "tests/update/UpdateTestSupport.h"
#include "update/WebUpdate.h"

namespace vantrel {
namespace {

using test::CannedResponse;
using test::ZipItem;

// --- Pure functions -----------------------------------------------------------------------------

TEST(WebUpdate_Defaults, OptionObjectsAndProperties) {
    TmxWebUpdate update;
    EXPECT_EQ(update.Options, uoRunUpdate | uoTerminate);
    EXPECT_EQ(update.Version(), "1.1");
    update.SetInplace(true);
    EXPECT_FALSE(update.Inplace());
    EXPECT_FALSE(update.Busy());
    EXPECT_EQ(update.ProductInfo().Version, "1.0");
    EXPECT_EQ(update.ProductInfo().URL(), "");
    EXPECT_EQ(update.ProductInfo().VersionFormat, TmxVersionFormat::vfStandard);
    const TmxTagInfo& tags = update.TagInfo();
    const QStringList names = {tags.Author,      tags.Email,           tags.ClientFileName, tags.Download,
                               tags.ProductName, tags.Redirection,     tags.RunParameters,  tags.Version,
                               tags.VerDate,     tags.DownloadInplace, tags.InplaceUtil};
    EXPECT_EQ(names, QStringList({"mxAuthor", "mxEmail", "mxClientSideName", "mxDownload", "mxProduct",
                                  "mxRedirection", "mxRunParameters", "mxVersion", "mxVerDate",
                                  "mxDownloadInplace", "mxInplaceUtil"}));
    EXPECT_EQ(update.InfoCaption().CheckForUpdate, "C&heck for updates in the future");
}

TEST(WebUpdate_Url, SchemeAddedWhenMissing) {
    const struct {
        const char* given;
        const char* stored;
    } cases[] = {
        {"www.quarnel.com/updates/vtr/vtr.html", "http://www.quarnel.com/updates/vtr/vtr.html"},
        {"http://host/a", "http://host/a"},
        {"HTTP://host/a", "HTTP://host/a"},
        {"https://host:8443/a", "https://host:8443/a"},
        {"HttpS://host/a", "HttpS://host/a"},
        {"ftp://host/a", "http://ftp://host/a"},
    };
    for (const auto& c : cases) {
        TmxProductInfo info;
        info.SetURL(QString::fromLatin1(c.given));
        EXPECT_EQ(info.URL(), QString::fromLatin1(c.stored)) << c.given;
    }
}

TEST(WebUpdate_Meta, LinesReadOrIgnored) {
    const struct {
        QString line;
        bool found;
        const char* name;
        QString content;
    } cases[] = {
        {"<META NAME=\"mxVersion\" CONTENT=\"2.4.0\">", true, "mxVersion", "2.4.0"},
        {"  <meta name=\"mxProduct\" content=\"Vantrel Pro\">", true, "mxProduct", "Vantrel Pro"},
        // Character-wise upper-casing keeps positions: "ß" does not become "SS".
        {"<p>ß</p><meta name=\"mxAuthor\" content=\"Straße\">", true, "mxAuthor", "Straße"},
        {"<meta name=\"mxVersion\">", false, "", ""},
        {"<meta name=\"mxVersion\" content=\"2.4.0>", false, "", ""},
        {"<meta name=\"mxVersion content=\"2.4.0\">", true, "mxVersion content=", "2.4.0"},
        {"<meta http-equiv=\"refresh\" content=\"5\">", false, "", ""},
        {"<meta name=\"mxVersion\" content=\"" + QString(300, 'x') + "\">", false, "", ""},
    };
    for (const auto& c : cases) {
        QString name;
        QString content;
        EXPECT_EQ(GetMetaContent(c.line, name, content), c.found) << c.line.toStdString();
        if (c.found) {
            EXPECT_EQ(name, QString::fromLatin1(c.name));
            EXPECT_EQ(content, c.content);
        }
    }

    // Tag names are compared exactly; the first matching tag takes the value.
    TmxWebUpdate update;
    update.ParseInfo(
        {"<meta name=\"MXVERSION\" content=\"9.9\">", "<meta name=\"mxProduct\" content=\"Vantrel\">",
         "<meta name=\"mxVerDate\" content=\"20260315\">", "<meta name=\"mxEmail\" content=\"a@b\">"});
    EXPECT_EQ(update.Page().Version, "");
    EXPECT_EQ(update.Page().ProductName, "Vantrel");
    EXPECT_EQ(update.Page().VerDate, QDate(2026, 3, 15));
    EXPECT_EQ(update.Page().Email, "a@b");
}

TEST(WebUpdate_Dates, VerDateToDate) {
    const struct {
        const char* text;
        QDate date;
    } cases[] = {
        {"20260315", QDate(2026, 3, 15)},
        {"19991231", QDate(1999, 12, 31)},
        {"2026-03-15", QDate()},
        {"20261340", QDate()},
        {"", QDate()},
        {"abc", QDate()},
        {"20240229", QDate(2024, 2, 29)},
        {"20230229", QDate()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VerDateToDate(QString::fromLatin1(c.text)), c.date) << c.text;
}

TEST(WebUpdate_Versions, ThreeFormats) {
    using F = TmxVersionFormat;
    const struct {
        F format;
        const char* installed;
        const char* offered;
        bool newer;
    } cases[] = {
        {F::vfStandard, "2.9.5", "2.10.0", true}, {F::vfStandard, "2.9", "2.10", true},
        {F::vfStandard, "2.3.1", "2.3.1", false}, {F::vfStandard, "2.3.1", "2.4.0", true},
        {F::vfStandard, "2.3.1", "2.3", false},   {F::vfStandard, "2.3", "2.3.1", true},
        {F::vfStandard, "2.3", "2.3.0", false},   {F::vfStandard, "3.0.0", "2.99.99", false},
        {F::vfStandard, "1.x.0", "1.0.1", true},  {F::vfStandard, "1.2.0", "1.beta", false},
        {F::vfString, "2.9", "2.10", false},      {F::vfString, "2.3.1", "2.3.2", true},
        {F::vfString, "b", "a", false},           {F::vfNumber, "1.5", "1.25", false},
        {F::vfNumber, "1.25", "1.5", true},       {F::vfNumber, "1.5", "x", false},
        {F::vfNumber, "1.5", "1,6", false},       {F::vfNumber, "2", "2.0", false},
    };
    // The decimal point is "." whatever the user's locale.
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const auto& c : cases) {
        TmxWebUpdate update;
        int noUpdate = 0;
        update.OnNoUpdateFound = [&] { ++noUpdate; };
        update.ProductInfo().VersionFormat = c.format;
        update.ProductInfo().Version = QString::fromLatin1(c.installed);
        update.ParseInfo(
            {QStringLiteral("<meta name=\"mxVersion\" content=\"%1\">").arg(QString::fromLatin1(c.offered))});
        EXPECT_EQ(update.IsNewVersion(), c.newer) << c.installed << " / " << c.offered;
        EXPECT_EQ(noUpdate, c.newer ? 0 : 1) << c.installed << " / " << c.offered;
    }
    QLocale::setDefault(previous);
}

// --- Against the local server ---------------------------------------------------------------------

class WebUpdate_Check : public test::UpdateTestBase {
  protected:
    WebUpdate_Check() {
        update.ProductInfo().SetURL(server.Url("/vtr.html"));
        update.ProductInfo().Version = "2.3.1";
        update.TransferTimeoutMs = 3000;
        update.OnBeforeGetInfo = [this] { events << "BeforeGetInfo"; };
        update.OnAfterGetInfo = [this] { events << "AfterGetInfo"; };
        update.OnNoUpdateFound = [this] { events << "NoUpdateFound"; };
        update.OnDownloadError = [this] { events << "DownloadError"; };
        update.OnCannotExecute = [this] { events << "CannotExecute"; };
        update.OnUpdateAvailable = [this](const QString& have, const QString& get, bool& can) {
            events << "UpdateAvailable " + have + " " + get;
            can = canUpdate;
        };
        update.OnAfterShowInfo = [this](bool) { events << "AfterShowInfo"; };
        update.OnBeforeDownload = [this](const QString&) { events << "BeforeDownload"; };
        update.OnAfterDownload = [this](const QString& file) { events << "AfterDownload " + file; };
        update.OnDownload = [this](std::int64_t total, std::int64_t done) {
            ++progressCalls;
            lastTotal = total;
            maxPiece = std::max(maxPiece, done - lastDone);
            lastDone = done;
        };
        update.OnGetClientFileName = [this](QString& file) { file = Folder() + QFileInfo(file).fileName(); };
    }

    QString Folder() { return Mkdir("update") + "/"; }

    // An information page offering 2.4.0 with the package at /setup.zip (or the given file).
    void Offer(const QByteArray& package, const QString& file = "setup.zip",
               const QString& runParameters = {}) {
        server.Route("/vtr.html", Ok(Page({{"mxProduct", "Vantrel"},
                                           {"mxVersion", "2.4.0"},
                                           {"mxDownload", server.Url("/" + file)},
                                           {"mxClientSideName", file},
                                           {"mxRunParameters", runParameters}})));
        server.Route(("/" + file).toUtf8(), Ok(package));
    }
    QByteArray SetupZip() {
        return test::MakeZip(Scratch("made.zip"), {{"readme.txt", "read me"},
                                                   {"B_setup.exe", "MZ second"},
                                                   {"a_setup.Exe", "MZ first", 0100700},
                                                   {"sub/", {}, 040755, true},
                                                   {"sub/0.exe", "MZ nested"}});
    }

    TmxWebUpdate update;
    QStringList events;
    bool canUpdate = true;
    int progressCalls = 0;
    std::int64_t lastTotal = 0;
    std::int64_t lastDone = 0;
    std::int64_t maxPiece = 0;
};

TEST_F(WebUpdate_Check, SameVersionEventsAndRequestHeaders) {
    server.Route("/vtr.html", Ok(Page({{"mxProduct", "Vantrel"}, {"mxVersion", "2.3.1"}})));
    EXPECT_TRUE(update.CheckForUpdates());
    EXPECT_EQ(events, QStringList({"BeforeGetInfo", "AfterGetInfo", "NoUpdateFound"}));
    ASSERT_EQ(server.Requests().size(), 1u);
    const test::LoggedRequest& request = server.Requests()[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.path, "/vtr.html");
    EXPECT_EQ(request.headers.value("user-agent"), "TmxWebUpdate");
    EXPECT_EQ(request.headers.value("accept"), "*/*");
    EXPECT_EQ(request.headers.value("cache-control"), "no-cache");
    EXPECT_EQ(request.headers.value("host"), "127.0.0.1:" + QByteArray::number(server.Port()));
    EXPECT_GT(progressCalls, 0);
    EXPECT_EQ(lastTotal, lastDone);
    EXPECT_FALSE(update.Busy());
    EXPECT_TRUE(launches.empty());
}

TEST_F(WebUpdate_Check, PageFailuresReportErrorsAndDownloadNothing) {
    const QByteArray goodPage =
        Page({{"mxProduct", "Vantrel"}, {"mxVersion", "2.4.0"}, {"mxDownload", "/s.exe"}});
    CannedResponse notFound = Ok(goodPage); // an error page that looks like a release is still an error
    notFound.status = 404;
    notFound.reason = "Not Found";
    CannedResponse serverError = notFound;
    serverError.status = 500;
    CannedResponse truncated = Ok(goodPage);
    truncated.truncateAt = goodPage.size() / 2;
    CannedResponse noLength = Ok(goodPage); // accepted for the page
    noLength.sendLength = false;
    CannedResponse empty = Ok({});
    CannedResponse slow = Ok(goodPage);
    slow.delayMs = 1500;

    const struct {
        const char* name;
        CannedResponse response;
        QStringList expected;
    } cases[] = {
        {"without version", Ok(Page({{"mxProduct", "Vantrel"}})), {"AfterGetInfo", "DownloadError"}},
        {"without product", Ok(Page({{"mxVersion", "2.4.0"}})), {"AfterGetInfo", "DownloadError"}},
        {"404", notFound, {"DownloadError", "AfterGetInfo", "DownloadError"}},
        {"500", serverError, {"DownloadError", "AfterGetInfo", "DownloadError"}},
        {"short page", truncated, {"DownloadError", "AfterGetInfo", "DownloadError"}},
        {"empty page", empty, {"DownloadError", "AfterGetInfo", "DownloadError"}},
        {"timeout", slow, {"DownloadError", "AfterGetInfo", "DownloadError"}},
        {"no length", noLength, {"AfterGetInfo", "UpdateAvailable 2.3.1 2.4.0"}},
    };
    update.TransferTimeoutMs = 500;
    canUpdate = false;
    for (const auto& c : cases) {
        events.clear();
        server.Route("/vtr.html", c.response);
        EXPECT_TRUE(update.CheckForUpdates());
        events.removeFirst(); // BeforeGetInfo
        EXPECT_EQ(events, c.expected) << c.name;
    }
    EXPECT_EQ(server.Count("/s.exe"), 0);
}

TEST_F(WebUpdate_Check, ServerDownAndUnusableAddresses) {
    // A port that was just free: nothing listens there.
    quint16 freePort;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        freePort = probe.serverPort();
    }
    for (const QString& url : {QStringLiteral("http://127.0.0.1:%1/vtr.html").arg(freePort),
                               QStringLiteral("file:///etc/passwd"), QStringLiteral("http://")}) {
        events.clear();
        update.ProductInfo().SetURL(url);
        EXPECT_TRUE(update.CheckForUpdates());
        EXPECT_EQ(events, QStringList({"BeforeGetInfo", "DownloadError", "AfterGetInfo", "DownloadError"}))
            << url.toStdString();
    }
    // An https address is fetched over TLS on its own port, never as plain HTTP.
    update.TransferTimeoutMs = 500;
    events.clear();
    server.Route("/vtr.html", Ok(Page({{"mxProduct", "Vantrel"}, {"mxVersion", "2.4.0"}})));
    update.ProductInfo().SetURL(QStringLiteral("https://127.0.0.1:%1/vtr.html").arg(server.Port()));
    update.CheckForUpdates();
    EXPECT_TRUE(events.contains("DownloadError"));
    EXPECT_EQ(server.Count("/vtr.html"), 0);
}

TEST_F(WebUpdate_Check, FullUpdateUnpacksStartsAndEnds) {
    Offer(SetupZip(), "Setup.ZIP", "/S  /D=C:\\Vantrel");
    EXPECT_TRUE(update.CheckForUpdates());
    const QString unpacked = Folder() + "QuarnelUpdate/";
    const QString exe = QFileInfo(unpacked + "a_setup.Exe").absoluteFilePath();
    EXPECT_EQ(events, QStringList({"BeforeGetInfo", "AfterGetInfo", "UpdateAvailable 2.3.1 2.4.0",
                                   "AfterShowInfo", "BeforeDownload", "AfterDownload " + exe}));
    EXPECT_TRUE(QFile::exists(Folder() + "Setup.ZIP"));
    EXPECT_EQ(update.UnzipFolder(), unpacked);
    QFile nested(unpacked + "sub/0.exe");
    ASSERT_TRUE(nested.open(QIODevice::ReadOnly));
    EXPECT_EQ(nested.readAll(), "MZ nested");
    EXPECT_TRUE(QFileInfo(exe).permissions() & QFileDevice::ExeOwner);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].program, exe);
    EXPECT_EQ(launches[0].arguments, QStringList({"/S", "/D=C:\\Vantrel"}));
    EXPECT_EQ(terminations, 1);
    // Pieces of at most 1025 bytes, the last total being the announced length.
    EXPECT_LE(maxPiece, TmxWebUpdate::kReadSize);
    EXPECT_EQ(lastTotal, lastDone);
    EXPECT_FALSE(update.Busy());
}

TEST_F(WebUpdate_Check, FailureInsideTheTransferIsReported) {
    // A handler that throws in the middle of the download ends the transfer as a failure.
    Offer(QByteArray(8000, 'x'), "setup.exe");
    update.OnDownload = [](std::int64_t, std::int64_t done) {
        if (done > 4000) throw std::runtime_error("disk full");
    };
    EXPECT_TRUE(update.CheckForUpdates());
    EXPECT_EQ(events.mid(events.size() - 2),
              QStringList({"DownloadError", "AfterDownload " + Folder() + "setup.exe"}));
    EXPECT_FALSE(QFile::exists(Folder() + "setup.exe"));
    EXPECT_TRUE(launches.empty());
    EXPECT_FALSE(update.Busy());
}

TEST_F(WebUpdate_Check, OwnerRefusesOrAbortsAndCannotNest) {
    Offer("MZ installer", "setup.exe");
    canUpdate = false;
    EXPECT_TRUE(update.CheckForUpdates());
    EXPECT_EQ(events.last(), "UpdateAvailable 2.3.1 2.4.0");
    EXPECT_EQ(server.Count("/setup.exe"), 0);

    // A check started from inside a running check is refused.
    canUpdate = true;
    bool nested = true;
    update.OnBeforeGetInfo = [&] { nested = update.CheckForUpdates(); };
    // Aborting in the middle of the download leaves no file and reports nothing.
    QByteArray big(64 * 1024, 'x');
    Offer(big, "setup.exe");
    update.OnDownload = [&](std::int64_t, std::int64_t done) {
        if (done > 4000) update.Abort(); // the page is far shorter: this is the installer
    };
    events.clear();
    EXPECT_TRUE(update.CheckForUpdates());
    EXPECT_FALSE(nested);
    EXPECT_FALSE(events.contains("DownloadError"));
    EXPECT_FALSE(QFile::exists(Folder() + "setup.exe"));
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(terminations, 0);
    EXPECT_FALSE(update.Busy());
}

TEST_F(WebUpdate_Check, DownloadFailuresKeepTheOlderFile) {
    const QByteArray package = "MZ new installer " + QByteArray(5000, 'n');
    CannedResponse notFound = Ok("<html>gone</html>");
    notFound.status = 404;
    CannedResponse noLength = Ok(package);
    noLength.sendLength = false;
    CannedResponse truncated = Ok(package);
    truncated.truncateAt = 3000;
    CannedResponse stalled = Ok(package);
    stalled.stallAt = 2000;
    stalled.stallUntil = [] { return false; }; // outlasts the transfer timeout
    const struct {
        const char* name;
        CannedResponse response;
    } cases[] = {{"404", notFound}, {"no length", noLength}, {"short", truncated}, {"timeout", stalled}};
    update.Options |= uoOverwrite;
    update.TransferTimeoutMs = 500;
    for (const auto& c : cases) {
        Offer(package, "setup.exe");
        server.Route("/setup.exe", c.response);
        QFile old(Folder() + "setup.exe");
        ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
        old.write("old installer");
        old.close();
        events.clear();
        update.CheckForUpdates();
        EXPECT_TRUE(events.contains("DownloadError")) << c.name;
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), "old installer") << c.name;
        old.close();
        EXPECT_EQ(QDir(Folder()).entryList(QDir::Files), QStringList({"setup.exe"})) << c.name;
    }

    // An older package is never unpacked or started after a failed download.
    const QByteArray package2 = SetupZip();
    Offer(package2);
    server.Route("/setup.zip", notFound);
    QFile oldZip(Folder() + "setup.zip");
    ASSERT_TRUE(oldZip.open(QIODevice::WriteOnly));
    oldZip.write(package2);
    oldZip.close();
    update.CheckForUpdates();
    EXPECT_FALSE(QFileInfo::exists(Folder() + "QuarnelUpdate"));
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(terminations, 0);
}

TEST_F(WebUpdate_Check, ExistingFileNeedsOverwriteAndLinksAreReplaced) {
    Offer("MZ fresh", "setup.exe");
    const QString target = Folder() + "setup.exe";
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    // Without overwrite: an error, nothing fetched.
    update.CheckForUpdates();
    EXPECT_TRUE(events.contains("DownloadError"));
    EXPECT_EQ(server.Count("/setup.exe"), 0);

    // The owner allows it for this file.
    QString asked;
    update.OnClientFileExists = [&](const QString& file, bool& overwrite) {
        asked = file;
        overwrite = true;
    };
    events.clear();
    update.CheckForUpdates();
    EXPECT_EQ(asked, target);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "MZ fresh");
    old.close();
    ASSERT_EQ(launches.size(), 1u);

    // A link at the name is replaced by the file; what it pointed to stays untouched.
    const QString victim = Scratch("victim.txt");
    QFile victimFile(victim);
    ASSERT_TRUE(victimFile.open(QIODevice::WriteOnly));
    victimFile.write("precious");
    victimFile.close();
    QFile::remove(target);
    ASSERT_TRUE(QFile::link(victim, target));
    update.CheckForUpdates();
    EXPECT_FALSE(QFileInfo(target).isSymLink());
    ASSERT_TRUE(victimFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(victimFile.readAll(), "precious");
}

TEST_F(WebUpdate_Check, ClientFileNameIsOnlyTheLastPart) {
    const struct {
        QString clientName;
        QString download;
        QString stored; // empty: refused
    } cases[] = {
        {"../../evil.exe", "/x.exe", "evil.exe"},
        {"..\\..\\evil2.exe", "/x.exe", "evil2.exe"},
        {"", "/files/from-download.exe?lang=en", "from-download.exe"},
        {"..", "/x.exe", ""},
        {".", "/x.exe", ""},
        {"sub/", "/x.exe", ""},
        {"a\x01.exe", "/x.exe", ""},
    };
    update.OnGetClientFileName = nullptr; // the temporary folder (TMPDIR of this test)
    for (const auto& c : cases) {
        server.Route("/vtr.html", Ok(Page({{"mxProduct", "Vantrel"},
                                           {"mxVersion", "2.4.0"},
                                           {"mxDownload", c.download},
                                           {"mxClientSideName", c.clientName}})));
        server.Route("/x.exe", Ok("MZ"));
        server.Route("/files/from-download.exe?lang=en", Ok("MZ"));
        launches.clear();
        events.clear();
        update.CheckForUpdates();
        if (c.stored.isEmpty()) {
            EXPECT_TRUE(events.contains("DownloadError")) << c.clientName.toStdString();
            EXPECT_TRUE(launches.empty());
        } else {
            ASSERT_EQ(launches.size(), 1u) << c.clientName.toStdString();
            EXPECT_EQ(launches[0].program, QDir(Scratch("tmp")).absoluteFilePath(c.stored));
        }
    }
    EXPECT_FALSE(QFile::exists(Scratch("evil.exe")));
    EXPECT_FALSE(QFile::exists(Scratch("../evil.exe")));
}

TEST_F(WebUpdate_Check, UnsafePackagesAreRefusedWhole) {
    const struct {
        const char* name;
        std::vector<ZipItem> items;
    } cases[] = {
        {"parent", {{"setup.exe", "MZ"}, {"../evil.exe", "MZ"}}},
        {"nested parent", {{"setup.exe", "MZ"}, {"sub/../../evil.exe", "MZ"}}},
        {"absolute", {{"setup.exe", "MZ"}, {"/tmp/evil.exe", "MZ"}}},
        {"drive", {{"setup.exe", "MZ"}, {"C:evil.exe", "MZ"}}},
        {"backslash", {{"setup.exe", "MZ"}, {"..\\evil.exe", "MZ"}}},
        {"control", {{"setup.exe", "MZ"}, {"evil\x01.exe", "MZ"}}},
        {"escape", {{"setup.exe", "MZ"}, {"evil\x1b[2J.exe", "MZ"}}},
        // Not UTF-8, so libzip would show the name converted from code page 437, where 0x01 is a smiley.
        {"control in legacy name", {{"setup.exe", "MZ"}, {"evil\x01\x8e.exe", "MZ"}}},
        {"symlink", {{"link", "/etc", 0120777}, {"setup.exe", "MZ"}}},
    };
    update.Options |= uoOverwrite;
    for (const auto& c : cases) {
        Offer(test::MakeZip(Scratch("made.zip"), c.items));
        events.clear();
        const int fetched = server.Count("/setup.zip");
        update.CheckForUpdates();
        EXPECT_EQ(server.Count("/setup.zip"), fetched + 1) << c.name;
        EXPECT_TRUE(events.contains("DownloadError")) << c.name;
        EXPECT_FALSE(QFileInfo::exists(Folder() + "QuarnelUpdate")) << c.name;
        EXPECT_FALSE(QFile::exists(Folder() + "evil.exe")) << c.name;
        EXPECT_FALSE(QFile::exists(Scratch("evil.exe"))) << c.name;
    }
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(terminations, 0);
}

TEST_F(WebUpdate_Check, OldUnpackFolderRemovedButLinkNotFollowed) {
    // A link where the unpack folder goes: the link goes, the folder it named stays whole.
    const QString elsewhere = Mkdir("elsewhere");
    QFile keep(elsewhere + "/keep.txt");
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    ASSERT_TRUE(QFile::link(elsewhere, Folder() + "QuarnelUpdate"));
    Offer(SetupZip());
    update.CheckForUpdates();
    EXPECT_TRUE(QFile::exists(elsewhere + "/keep.txt"));
    EXPECT_FALSE(QFile::exists(elsewhere + "/a_setup.Exe"));
    EXPECT_FALSE(QFileInfo(Folder() + "QuarnelUpdate").isSymLink());
    ASSERT_EQ(launches.size(), 1u);

    // A stale folder from an earlier update is emptied first.
    update.Options |= uoOverwrite;
    QFile stale(Folder() + "QuarnelUpdate/0_old.exe");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    update.CheckForUpdates();
    EXPECT_FALSE(QFile::exists(Folder() + "QuarnelUpdate/0_old.exe"));
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_TRUE(launches[1].program.endsWith("/a_setup.Exe"));
}

TEST_F(WebUpdate_Check, PackageWithoutInstallerCannotExecute) {
    Offer(
        test::MakeZip(Scratch("made.zip"),
                      {{"readme.txt", "no installer"}, {"sub/", {}, 040755, true}, {"sub/inner.exe", "MZ"}}));
    update.CheckForUpdates();
    EXPECT_EQ(events.mid(events.size() - 2), QStringList({"AfterDownload ", "CannotExecute"}));
    EXPECT_TRUE(launches.empty());
    EXPECT_EQ(terminations, 0);

    // An installer the system will not start: the program goes on.
    Offer("MZ", "setup.exe");
    update.Options |= uoOverwrite;
    launchSucceeds = false;
    events.clear();
    update.CheckForUpdates();
    EXPECT_EQ(events.last(), "CannotExecute");
    EXPECT_EQ(launches.size(), 1u);
    EXPECT_EQ(terminations, 0);
}

TEST_F(WebUpdate_Check, RedirectionPages) {
    // The first page's values are discarded; a relative address is taken on the same server.
    server.Route("/vtr.html",
                 Ok(Page({{"mxProduct", "Old"}, {"mxAuthor", "Someone"}, {"mxRedirection", "/next.html"}})));
    server.Route("/next.html", Ok(Page({{"mxProduct", "Vantrel"}, {"mxVersion", "2.3.1"}})));
    update.CheckForUpdates();
    EXPECT_EQ(events, QStringList({"BeforeGetInfo", "AfterGetInfo", "NoUpdateFound"}));
    EXPECT_EQ(update.Page().ProductName, "Vantrel");
    EXPECT_EQ(update.Page().Author, "");

    // A page moved on the server (HTTP 302) is followed like a browser would.
    CannedResponse moved = Ok({});
    moved.status = 302;
    moved.reason = "Found";
    moved.headers = {{"Location", "/next.html"}};
    server.Route("/moved.html", moved);
    update.ProductInfo().SetURL(server.Url("/moved.html"));
    events.clear();
    update.CheckForUpdates();
    EXPECT_EQ(events, QStringList({"BeforeGetInfo", "AfterGetInfo", "NoUpdateFound"}));
    EXPECT_EQ(server.Count("/next.html"), 2);

    // A page naming itself: followed five times, then an error.
    server.Route("/self.html", Ok(Page({{"mxProduct", "Vantrel"},
                                        {"mxVersion", "9.0"},
                                        {"mxRedirection", server.Url("/self.html")}})));
    update.ProductInfo().SetURL(server.Url("/self.html"));
    events.clear();
    update.CheckForUpdates();
    EXPECT_EQ(server.Count("/self.html"), 1 + TmxWebUpdate::kMaxRedirections);
    EXPECT_TRUE(events.contains("DownloadError"));
    EXPECT_FALSE(events.join(' ').contains("UpdateAvailable"));
}

TEST(WebUpdate_Files, FindExeAndPackageLimits) {
    QTemporaryDir dir;
    for (const char* name : {"zeta.EXE", "Beta.exe", "alpha.txt", "readme.exe.txt"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkpath("Aaa.exe"); // a folder, not an installer
    EXPECT_EQ(FindExeInFolder(dir.path()), QDir(dir.path()).absoluteFilePath("Beta.exe"));
    QTemporaryDir none;
    EXPECT_EQ(FindExeInFolder(none.path()), "");

    // Too many entries: refused before anything is written.
    std::vector<ZipItem> many;
    for (int i = 0; i <= kMaxZipEntries; ++i)
        many.push_back({"f" + QByteArray::number(i), {}});
    test::MakeZip(dir.filePath("many.zip"), many);
    QTemporaryDir out;
    QString error;
    EXPECT_FALSE(ExtractZip(dir.filePath("many.zip"), out.path(), &error));
    EXPECT_EQ(error, "too many entries");
    EXPECT_TRUE(QDir(out.path()).isEmpty());
    EXPECT_FALSE(ExtractZip(dir.filePath("alpha.txt"), out.path(), &error));

    // Declared sizes over 2 GiB, one entry alone or two together: refused from the directory alone.
    const auto declare = [&](const QString& name, int entries, quint32 size) {
        std::vector<ZipItem> items;
        for (int i = 0; i < entries; ++i)
            items.push_back({"part" + QByteArray::number(i), "MZ"});
        QByteArray bytes = test::MakeZip(dir.filePath(name), items);
        // Uncompressed size: offset 22 of a local header, 24 of a central directory header.
        for (const auto& [signature, offset] :
             {std::pair{QByteArray("PK\x03\x04"), 22}, {QByteArray("PK\x01\x02"), 24}})
            for (qsizetype at = bytes.indexOf(signature); at >= 0; at = bytes.indexOf(signature, at + 4))
                qToLittleEndian<quint32>(size, bytes.data() + at + offset);
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    declare("huge.zip", 1, 0xC0000000u);      // 3 GiB
    declare("twohalves.zip", 2, 0x48000000u); // 1.125 GiB each
    for (const char* name : {"huge.zip", "twohalves.zip"}) {
        EXPECT_FALSE(ExtractZip(dir.filePath(name), out.path(), &error)) << name;
        EXPECT_EQ(error, "package too large") << name;
        EXPECT_TRUE(QDir(out.path()).isEmpty()) << name;
    }

    // Modes are kept without set-id bits or write access for others.
    test::MakeZip(dir.filePath("modes.zip"), {{"run.exe", "MZ", 0106777}, {"doc.txt", "t", 0100666}});
    ASSERT_TRUE(ExtractZip(dir.filePath("modes.zip"), out.path()));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(out.filePath("run.exe")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0755u);
    ASSERT_EQ(::stat(QFile::encodeName(out.filePath("doc.txt")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
}

} // namespace
} // namespace vantrel
