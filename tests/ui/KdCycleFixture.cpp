// The shown main window of the commit, rows and file command tests; see KdCycleFixture.h.

#include "KdCycleFixture.h"

#include <QCoreApplication>

namespace vantrel::testing {

namespace {

int KeyOf(QChar c) {
    if (c.isDigit()) return Qt::Key_0 + c.digitValue();
    if (c == QLatin1Char('.')) return Qt::Key_Period;
    if (c == QLatin1Char(',')) return Qt::Key_Comma;
    if (c == QLatin1Char('-')) return Qt::Key_Minus;
    if (c.isLetter()) return Qt::Key_A + (c.toUpper().unicode() - 'A');
    return Qt::Key_unknown;
}

} // namespace

void KdCycleTest::SetUp() {
    scratch_ = std::make_unique<QTemporaryDir>();
    messageHandler_ =
        std::make_unique<platform::ScopedMessageHandler>([this](const platform::MessageRequest& r) {
            messages.push_back(r);
            return answer;
        });
    fileHandler_ = std::make_unique<platform::ScopedFileHandler>([this](const platform::FileRequest& r) {
        fileRequests.push_back(r);
        if (fileAnswers.empty()) return QString();
        QString chosen = fileAnswers.front();
        fileAnswers.pop_front();
        return chosen;
    });
    urlHandler_ = std::make_unique<platform::ScopedUrlHandler>([this](const QUrl& url) {
        openedUrls.push_back(url);
        return true;
    });
    window_ = std::make_unique<ui::TfrmKdMain>();
    window_->show();
    window_->activateWindow();
    QApplication::setActiveWindow(window_.get());
    Settle();
    ASSERT_EQ(QApplication::activeWindow(), window_.get());
}

void KdCycleTest::TearDown() {
    window_.reset();
    Settle();
    urlHandler_.reset();
    fileHandler_.reset();
    messageHandler_.reset();
    scratch_.reset();
}

void KdCycleTest::Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void KdCycleTest::Key(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : target, &release);
    Settle();
}

void KdCycleTest::Type(const char* name, const QString& text) {
    Type(Edit(name), text);
}

void KdCycleTest::Type(QWidget* edit, const QString& text) {
    ASSERT_NE(edit, nullptr);
    edit->setFocus(Qt::TabFocusReason);
    Settle();
    ASSERT_EQ(QApplication::focusWidget(), edit)
        << edit->objectName().toStdString() << " focus on "
        << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none");
    if (auto* line = qobject_cast<QLineEdit*>(edit)) line->selectAll();
    if (auto* list = qobject_cast<QComboBox*>(edit); list && list->lineEdit()) list->lineEdit()->selectAll();
    for (const QChar c : text)
        Key(KeyOf(c), Qt::NoModifier, QString(c));
}

void KdCycleTest::Choose(const char* name, int index) {
    Choose(Combo(name), index);
}

void KdCycleTest::Choose(QComboBox* combo, int index) {
    ASSERT_NE(combo, nullptr);
    ASSERT_LT(index, combo->count()) << combo->objectName().toStdString();
    combo->setFocus(Qt::MouseFocusReason);
    Settle();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    Settle();
}

void KdCycleTest::Click(const char* name) {
    auto* button = C<QAbstractButton>(name);
    ASSERT_NE(button, nullptr);
    button->setFocus(Qt::MouseFocusReason);
    button->click();
    Settle();
}

} // namespace vantrel::testing
