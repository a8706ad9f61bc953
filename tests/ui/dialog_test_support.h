#pragma once
// Driving dialogs in tests as a user would: find controls by object name, choose list items, type
// into edits, press keys and move the focus.

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
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

// Selects the edit's text and types over it key by key, as the keyboard does.
// On the keypad every key carries the keypad modifier, and "." is the keypad's decimal key.
inline void TypeKeys(QLineEdit* edit, const QString& text, bool keypad = false) {
    edit->selectAll();
    const Qt::KeyboardModifiers modifiers = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    for (const QChar c : text) {
        const int key = c.isDigit()                ? Qt::Key_0 + c.digitValue()
                        : c == QLatin1Char('-')    ? Qt::Key_Minus
                        : c == QLatin1Char(',')    ? Qt::Key_Comma
                                                   : Qt::Key_Period;
        QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(c));
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(c));
        QApplication::sendEvent(edit, &release);
    }
}

// The default locale for the life of the object, the C locale again afterwards.
struct ScopedDefaultLocale {
    explicit ScopedDefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~ScopedDefaultLocale() { QLocale::setDefault(QLocale::c()); }
};

inline void PressKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

} // namespace vantrel::testing
