#include "ui/SectionEditor.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

SectionEditor::SectionEditor(const TKdData& data, const QString& title, const std::vector<Row>& rows,
                             int columns, QSize clientSize, QWidget* parent)
    : EditorDialog(parent), data_(data) {
    setWindowTitle(title);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Bevel1"));
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* grid = new QGridLayout(panel);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    const bool si = data.Units == usSI;
    const int perColumn = (static_cast<int>(rows.size()) + columns - 1) / columns;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const Row& row = rows[static_cast<size_t>(i)];
        const int r = i % perColumn;
        const int c = (i / perColumn) * 4;

        auto* caption = new QLabel(QString::fromUtf8(row.caption), panel);
        caption->setObjectName(QStringLiteral("lbl") + QString::fromLatin1(row.edit));
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QString::fromLatin1(row.edit));
        edit->setFixedWidth(80);
        edit->setAlignment(Qt::AlignRight);
        ui::SetTag(edit, kSectionFieldTag);
        ui::AcceptNumbersOnly(edit);
        caption->setBuddy(edit);
        if (!row.stored) {
            ui::SetReadOnlyLook(edit, true);
            edit->setFocusPolicy(Qt::NoFocus);
        } else {
            edit->installEventFilter(this);
        }
        auto* unit = new QLabel(QString::fromUtf8(si ? row.unitSI : row.unitEnglish), panel);
        unit->setObjectName(QStringLiteral("lblUnit") + QString::fromLatin1(row.edit));

        grid->addWidget(caption, r, c);
        grid->addWidget(edit, r, c + 1);
        grid->addWidget(unit, r, c + 2);
        if (c > 0) grid->setColumnMinimumWidth(c - 1, 16);
    }
    grid->setRowStretch(perColumn, 1);

    LayOut(panel, QStringLiteral("OK"), QStringLiteral("Cancel"));

    resize(clientSize.expandedTo(minimumSizeHint()));
    setFixedSize(size());
}

QLineEdit* SectionEditor::Edit(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name));
}

QLabel* SectionEditor::UnitLabel(const char* editName) const {
    return findChild<QLabel*>(QStringLiteral("lblUnit") + QString::fromLatin1(editName));
}

void SectionEditor::FieldLeft(QLineEdit* edit) {
    const Ext value = ui::GetEditValue(edit, 0, 0, data_.FieldLimits);
    ui::SetEditValue(edit, false, value, data_.FieldLimits);
}

bool SectionEditor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) FieldLeft(edit);
    }
    return EditorDialog::eventFilter(watched, event);
}

} // namespace vantrel
