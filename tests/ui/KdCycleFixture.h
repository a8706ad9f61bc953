#pragma once
// A main window shown and active, with the user's settings and folders in a scratch folder, and
// message boxes and file dialogs answered by the test. Inputs are driven as a user drives them:
// keys typed into the focused control, Tab and Enter, a choice from a list, a click.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include "KdMainFixture.h"
#include "model/KdClasses.h"
#include "platform/Dialogs.h"
#include "platform/Settings.h"
#include "ui/KdMain.h"

namespace vantrel::testing {

class KdCycleTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    ui::TfrmKdMain& W() { return *window_; }
    TKdData& D() { return window_->Data(); }

    template <class T> T* C(const char* name) {
        auto* control = qobject_cast<T*>(window_->Control(QString::fromLatin1(name)));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QLineEdit* Edit(const char* name) { return C<QLineEdit>(name); }
    QComboBox* Combo(const char* name) { return C<QComboBox>(name); }

    // Keys as the user presses them on the control that has the focus.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString());
    // Focuses the edit, selects its text and types `text` over it.
    void Type(const char* name, const QString& text);
    void Type(QWidget* edit, const QString& text);
    void Tab() { Key(Qt::Key_Tab); }
    void Enter() { Key(Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")); }
    // Picks an item of a list as from its pop-up; the list has the focus.
    void Choose(const char* name, int index);
    void Choose(QComboBox* combo, int index);
    void Click(const char* name);
    // Runs pending events, deferred deletions included.
    static void Settle();

    // Message boxes: every request is recorded and answered with `answer`.
    std::vector<platform::MessageRequest> messages;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    // File dialogs: answered from the queue (an empty queue cancels).
    std::vector<platform::FileRequest> fileRequests;
    std::deque<QString> fileAnswers;
    std::vector<QUrl> openedUrls;

    std::unique_ptr<QTemporaryDir> scratch_;

  private:
    ScopedUserFolders folders_;
    platform::ScopedSettingsFile settings_{folders_.SettingsFile()};
    std::unique_ptr<platform::ScopedMessageHandler> messageHandler_;
    std::unique_ptr<platform::ScopedFileHandler> fileHandler_;
    std::unique_ptr<platform::ScopedUrlHandler> urlHandler_;
    std::unique_ptr<ui::TfrmKdMain> window_;
};

} // namespace vantrel::testing
