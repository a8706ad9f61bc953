#pragma once
// Shared pieces of the update tests: private data, configuration and temporary folders, a
// recording installer launcher and program terminator, information pages and zip packages.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <optional>
#include <vector>

#include "tests/update/TestHttpServer.h"
#include "update/WebUpdate.h"

namespace vantrel::test {

// Sets an environment variable for the lifetime of a scope.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) previous_ = qgetenv(name);
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (previous_)
            qputenv(name_, *previous_);
        else
            qunsetenv(name_);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name_;
    std::optional<QByteArray> previous_;
};

struct LaunchCall {
    QString program;
    QStringList arguments;
};

// Every test runs with its data, configuration and temporary folders in a scratch folder, and with
// an installer launcher and program terminator that only record.
class UpdateTestBase : public ::testing::Test {
  protected:
    UpdateTestBase()
        : dataHome_("XDG_DATA_HOME", QFile::encodeName(Mkdir("data"))),
          configHome_("XDG_CONFIG_HOME", QFile::encodeName(Mkdir("config"))),
          tmp_("TMPDIR", QFile::encodeName(Mkdir("tmp"))),
          launcher_([this](const QString& program, const QStringList& arguments) {
              launches.push_back({program, arguments});
              return launchSucceeds;
          }),
          terminator_([this] { ++terminations; }) {}

    QString Mkdir(const QString& name) {
        QDir(scratch_.path()).mkpath(name);
        return scratch_.filePath(name);
    }
    QString Scratch(const QString& name) const { return scratch_.filePath(name); }

    static QByteArray Page(const std::vector<std::pair<const char*, QString>>& tags) {
        QByteArray page = "<html>\r\n<head>\r\n<title>Vantrel</title>\r\n";
        for (const auto& [name, value] : tags)
            page += "<meta name=\"" + QByteArray(name) + "\" content=\"" + value.toUtf8() + "\">\r\n";
        page += "</head>\r\n<body>Current release</body>\r\n</html>\r\n";
        return page;
    }
    static CannedResponse Ok(const QByteArray& body) {
        CannedResponse response;
        response.body = body;
        return response;
    }

    std::vector<LaunchCall> launches;
    bool launchSucceeds = true;
    int terminations = 0;
    TestHttpServer server;

  private:
    QTemporaryDir scratch_;
    ScopedEnv dataHome_;
    ScopedEnv configHome_;
    ScopedEnv tmp_;
    ScopedProgramLauncher launcher_;
    ScopedProgramTerminator terminator_;
};

// One entry of a zip package made for a test.
struct ZipItem {
    QByteArray name;
    QByteArray data;
    unsigned mode = 0100644; // Unix mode; S_IFLNK makes a symlink whose target is `data`
    bool directory = false;
};

inline QByteArray MakeZip(const QString& path, const std::vector<ZipItem>& items) {
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) return {};
    for (const ZipItem& item : items) {
        zip_int64_t index;
        if (item.directory) {
            index = zip_dir_add(archive, item.name.constData(), ZIP_FL_ENC_RAW);
        } else {
            zip_source_t* source = zip_source_buffer(archive, item.data.constData(), item.data.size(), 0);
            index = zip_file_add(archive, item.name.constData(), source, ZIP_FL_ENC_RAW | ZIP_FL_OVERWRITE);
            if (index < 0) zip_source_free(source);
        }
        if (index >= 0) zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX, item.mode << 16);
    }
    zip_close(archive); // the item buffers outlive this call
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

} // namespace vantrel::test
