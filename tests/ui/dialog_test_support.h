#pragma once
// Driving dialogs in tests as a user would: find controls by object name, choose list items, type
// into edits, press keys and move the focus.

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

namespace vantrel::testing {

template <typename T> T* Find(const QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << "no control " << name;
    return widget;
}

inline QString TextOf(const QWidget& parent, const char* name) {
    if (auto* edit = parent.findChild<QLineEdit*>(QString::fromLatin1(name))) return edit->text();
    if (auto* label = parent.findChild<QLabel*>(QString::fromLatin1(name))) return label->text();
    ADD_FAILURE() << "no text control " << name;
    return {};
}

// Chooses an item as the user does: selection, then the "activated" signal of a user's choice.
inline void Choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

inline void ChooseText(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << "no item " << text.toStdString();
    Choose(combo, index);
}

inline void SendFocus(QWidget* widget, QEvent::Type type, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent event(type, reason);
    QApplication::sendEvent(widget, &event);
}

// Types into an edit and leaves it with Tab, as the focus change tells the dialog.
inline void TypeAndLeave(QLineEdit* edit, const QString& text) {
    SendFocus(edit, QEvent::FocusIn);
    edit->setText(text);
    SendFocus(edit, QEvent::FocusOut);
}

inline void PressKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

} // namespace vantrel::testing
