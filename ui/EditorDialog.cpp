#include "ui/EditorDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vantrel {

EditorDialog::EditorDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(false);

    hint_ = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
    hint_->setObjectName(QStringLiteral("FieldHint"));
    hint_->setWordWrap(true);
    hint_->setMaximumWidth(370);
    hint_->setMargin(3);
    hint_->setForegroundRole(QPalette::ToolTipText);
    hint_->setBackgroundRole(QPalette::ToolTipBase);
    hint_->setAutoFillBackground(true);
    hint_->setFrameStyle(QFrame::Box | QFrame::Plain);
    hint_->hide();
}

void EditorDialog::ShowFieldHint(QWidget* control, const QString& text) {
    if (text.isEmpty() || !control) {
        hint_->hide();
        return;
    }
    hint_->setText(text);
    hint_->setFixedWidth(qMin(370, hint_->sizeHint().width()));
    hint_->adjustSize();
    // Beside the edit, past its unit caption when it has one, and kept on the screen.
    QPoint at = control->mapToGlobal(QPoint(control->width(), 0));
    if (const auto* unit = window()->findChild<QLabel*>(QStringLiteral("lblUnit") + control->objectName());
        unit && !unit->text().isEmpty() && !unit->isHidden())
        at.setX(std::max(at.x(), unit->mapToGlobal(QPoint(unit->sizeHint().width(), 0)).x()));
    if (const QScreen* screen = control->screen()) {
        const QRect area = screen->availableGeometry();
        // Without room on the right it goes below the edit, so it never covers what is typed.
        if (at.x() + hint_->width() > area.right()) {
            at = control->mapToGlobal(QPoint(0, control->height() + 2));
            at.setX(std::max(area.left(), std::min(at.x(), area.right() - hint_->width())));
        }
        at.setY(std::max(area.top(), std::min(at.y(), area.bottom() - hint_->height())));
    }
    hint_->move(at);
    hint_->show();
}

void EditorDialog::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        if (auto* button = qobject_cast<QPushButton*>(focus)) {
            button->click();
        } else if (focus && qobject_cast<QAbstractButton*>(focus) && !focus->inherits("QCheckBox") &&
                   !focus->inherits("QRadioButton")) {
            static_cast<QAbstractButton*>(focus)->click();
        } else {
            focusNextChild();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void EditorDialog::hideEvent(QHideEvent* event) {
    hint_->hide();
    QDialog::hideEvent(event);
}

void EditorDialog::LayOut(QWidget* body, const QString& okCaption, const QString& cancelCaption) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    int number = 1;
    for (const QString& caption : {okCaption, cancelCaption}) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QStringLiteral("Button%1").arg(number));
        button->setAutoDefault(false);
        button->setDefault(false);
        connect(button, &QPushButton::clicked, this, number == 1 ? &QDialog::accept : &QDialog::reject);
        buttons->addWidget(button);
        ++number;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(body, 1);
    layout->addLayout(buttons);
}

} // namespace vantrel
