#pragma once
// Shared set-up of the main window tests: the user's folders and settings in a temporary folder
// (restored afterwards), no message box or link ever opened for real.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "platform/Dialogs.h"
#include "platform/Settings.h"
#include "ui/KdMain.h"

namespace vantrel::testing {

// Runs the event loop for a while (timers, deferred deletes).
inline void Spin(int ms) {
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } while (t.elapsed() < ms);
}

// Runs the event loop until the condition holds (or a generous time has passed, for loaded
// machines); returns the condition.
template <class Pred> bool SpinUntil(Pred done, int maxMs = 5000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < maxMs)
        Spin(2);
    return done();
}

// HOME and the XDG folders point into a temporary folder for the life of the object.
class ScopedUserFolders {
  public:
    ScopedUserFolders() {
        for (const char* name : kNames)
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv("HOME", dir_.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", (dir_.path() + "/data").toLocal8Bit());
        qunsetenv("XDG_DOCUMENTS_DIR");
    }
    ~ScopedUserFolders() {
        for (const auto& s : saved_) {
            if (s.set)
                qputenv(s.name, s.value);
            else
                qunsetenv(s.name);
        }
    }
    QString Path() const { return dir_.path(); }
    QString SettingsFile() const { return dir_.path() + "/settings.ini"; }

  private:
    static constexpr const char* kNames[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR"};
    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    QTemporaryDir dir_;
    std::vector<Saved> saved_;
};

// Every test of the window gets fresh folders and settings and answers every message box with
// Cancel (recorded), so nothing waits on a dialog.
class KdMainTest : public ::testing::Test {
  protected:
    KdMainTest()
        : settings_(folders_.SettingsFile()), messages_([this](const platform::MessageRequest& r) {
              messageTexts.append(r.text);
              return QMessageBox::Cancel;
          }),
          urls_([this](const QUrl& url) {
              openedUrls.append(url);
              return true;
          }) {}

    ui::TfrmKdMain& Window() {
        if (!window_) window_ = std::make_unique<ui::TfrmKdMain>();
        return *window_;
    }
    void CloseWindow() { window_.reset(); }
    template <class T> T* Get(const char* name) {
        T* w = Window().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    ScopedUserFolders folders_;
    platform::ScopedSettingsFile settings_;
    QStringList messageTexts;
    QList<QUrl> openedUrls;

  private:
    platform::ScopedMessageHandler messages_;
    platform::ScopedUrlHandler urls_;
    std::unique_ptr<ui::TfrmKdMain> window_;
};

} // namespace vantrel::testing
