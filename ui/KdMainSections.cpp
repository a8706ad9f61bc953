// Sections that collapse to their caption bar and expand to their contents (one expanded section
// per column), and the behaviour every input shares: entering an input opens its section and
// shows its hint, the key filter of numeric edits, Enter as Tab and the mouse wheel routed to the
// column under the mouse.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

#include "ui/Globals.h"
#include "ui/KdMain.h"
#include "ui/Widgets.h"

namespace vantrel::ui {

namespace {

// A panel is a plain QFrame (labels are frames too, but not panels).
bool IsPanel(const QObject* o) {
    return o && o->metaObject() == &QFrame::staticMetaObject;
}

QWidget* ColumnOf(QWidget* container) {
    if (auto* box = qobject_cast<QScrollArea*>(container)) return box->widget();
    return container;
}

QList<QWidget*> ChildWidgets(const QWidget* parent) {
    QList<QWidget*> list;
    for (QObject* o : parent->children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow()) list.append(w);
    return list;
}

} // namespace

void TfrmKdMain::CollectControlsByTabOrder(QWidget* container, QList<QWidget*>& list) {
    list.clear();
    QWidget* column = ColumnOf(container);
    if (!column) return;
    for (QWidget* w : ChildWidgets(column))
        if (IsPanel(w) && !w->isHidden()) list.append(w);
    std::stable_sort(list.begin(), list.end(), [](QWidget* a, QWidget* b) {
        return a->property("tabOrder").toInt() < b->property("tabOrder").toInt();
    });
}

QWidget* TfrmKdMain::FindSectionCaptionBar(QWidget* section) {
    if (!section) return nullptr;
    QWidget* bar = nullptr;
    for (QWidget* w : ChildWidgets(section))
        if (IsPanel(w) && (!bar || w->y() < bar->y())) bar = w;
    return bar;
}

QString TfrmKdMain::GetSectionCaption(QWidget* section) {
    QWidget* bar = FindSectionCaptionBar(section);
    if (!bar) return {};
    for (QWidget* w : ChildWidgets(bar))
        if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    return {};
}

int TfrmKdMain::SectionContentHeight(QWidget* section) {
    int bottom = 0;
    for (QWidget* w : ChildWidgets(section))
        if (!w->isHidden() || qobject_cast<TabControl*>(w)) bottom = std::max(bottom, w->y() + w->height());
    return bottom;
}

QScrollArea* TfrmKdMain::FindParentScrollBox(QWidget* control) {
    for (QWidget* w = control ? control->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* box = qobject_cast<QScrollArea*>(w)) return box;
    return nullptr;
}

QWidget* TfrmKdMain::SectionOf(QWidget* control) {
    for (QWidget* w = control; w; w = w->parentWidget())
        if (qobject_cast<SectionColumn*>(w->parentWidget())) return w;
    return nullptr;
}

void TfrmKdMain::ArrangeColumn(QScrollArea* scrollBox) {
    if (auto* column = scrollBox ? qobject_cast<SectionColumn*>(scrollBox->widget()) : nullptr)
        column->Arrange();
}

void TfrmKdMain::SlideSectionHeight(QWidget* section, int target) {
    const int step = std::max(section->height(), target) / 5;
    if (step > 0) {
        if (section->height() < target)
            while (section->height() + step < target)
                section->resize(section->width(), section->height() + step);
        else
            while (section->height() - step > target)
                section->resize(section->width(), section->height() - step);
    }
    section->resize(section->width(), target);
    ArrangeColumn(FindParentScrollBox(section));
}

void TfrmKdMain::CollapseOtherSections(QWidget* section) {
    QScrollArea* box = FindParentScrollBox(section);
    if (!box) return;
    for (QWidget* w : ChildWidgets(box->widget()))
        if (w != section && IsPanel(w) && Tag(w) == 0) SetSectionExpanded(w, false);
    box->ensureWidgetVisible(section, 0, 0);
}

void TfrmKdMain::SetSectionExpanded(QWidget* section, bool expand) {
    QWidget* bar = FindSectionCaptionBar(section);
    if (!bar) return;
    if (expand) {
        CollapseOtherSections(section);
        SlideSectionHeight(section, SectionContentHeight(section) + 8);
        SetTag(section, 0);
        ShowSectionTabs(section, true);
        if (QScrollArea* box = FindParentScrollBox(section)) box->ensureWidgetVisible(section, 0, 0);
    } else {
        ShowSectionTabs(section, false);
        SlideSectionHeight(section, bar->y() + bar->height() + 8);
        SetTag(section, 1);
    }
}

void TfrmKdMain::ShowSectionTabs(QWidget* section, bool visible) {
    for (QWidget* w : ChildWidgets(section))
        if (qobject_cast<TabControl*>(w)) {
            w->setVisible(visible);
            return;
        }
}

void TfrmKdMain::EnableSectionControls(QWidget* container, bool enable, QWidget* except) {
    if (!container) return;
    for (QWidget* w : ChildWidgets(container)) {
        if (w == except) continue;
        if (IsPanel(w)) {
            if (w->y() >= 5) EnableSectionControls(w, enable, except);
            continue;
        }
        w->setEnabled(enable);
    }
}

void TfrmKdMain::SetEditReadOnly(QLineEdit* edit, bool readOnly) {
    if (!edit) return;
    SetReadOnlyLook(edit, readOnly);
    // Computed edits take no commit: the commit handlers ask this flag.
    edit->setProperty("input", !readOnly);
}

void TfrmKdMain::RightAlignEdit(QLineEdit* edit) {
    if (edit) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TfrmKdMain::ShowInputHint(QWidget* control, const QString& text) {
    if (text.isEmpty() || !control) {
        FHintWindow->hide();
        return;
    }
    FHintWindow->setMaximumWidth(300);
    FHintWindow->setText(text.trimmed());
    FHintWindow->adjustSize();
    FHintWindow->move(control->mapToGlobal(QPoint(0, control->height())));
    FHintWindow->show();
}

// ---- Events ----------------------------------------------------------------------------------

void TfrmKdMain::CollapsibleCaptionClick(QWidget* sender) {
    QWidget* bar = IsPanel(sender) ? sender : sender->parentWidget();
    QWidget* section = bar ? bar->parentWidget() : nullptr;
    if (!section || FindSectionCaptionBar(section) != bar) return;
    SetSectionExpanded(section, Tag(section) != 0);
}

void TfrmKdMain::EditEnter(QWidget* control) {
    QWidget* section = SectionOf(control);
    if (section && Tag(section) != 0) SetSectionExpanded(section, true);
    const QString hint = control->property("hint").toString();
    if (!hint.isEmpty() && !qobject_cast<QAbstractButton*>(control)) ShowInputHint(control, hint);
}

bool TfrmKdMain::EditKeyPress(QWidget* control, QLineEdit* edit, QKeyEvent* event) {
    return FilterNumberKey(control, edit, event);
}

bool TfrmKdMain::FormKeyPress(QWidget* control, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    if (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QComboBox*>(control) &&
        !qobject_cast<QDateEdit*>(control))
        return false;
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->view()->isVisible()) return false;
    focusNextChild();
    return true;
}

bool TfrmKdMain::FormMouseWheel(QWheelEvent* event) {
    const QPoint at = mapFromGlobal(event->globalPosition().toPoint());
    auto within = [this, at](const QString& name) {
        QWidget* panel = Control(name);
        if (!panel || !panel->isVisible()) return false;
        const QRect r(panel->mapTo(this, QPoint(0, 0)), panel->size());
        return at.x() >= r.left() && at.x() <= r.right() + 1 && at.y() >= r.top() && at.y() <= r.bottom() + 1;
    };
    QScrollArea* target = within(QStringLiteral("Panel9"))    ? ScrollBox1
                          : within(QStringLiteral("Panel37")) ? ScrollBox2
                                                              : nullptr;
    const int delta = event->angleDelta().y();
    if (!target || delta == 0) return false;
    QScrollBar* bar = target->verticalScrollBar();
    if (delta > 0)
        bar->setValue(std::max(0, bar->value() - bar->singleStep()));
    else
        bar->setValue(std::min(bar->maximum(), bar->value() + bar->singleStep()));
    return true;
}

bool TfrmKdMain::eventFilter(QObject* watched, QEvent* event) {
    auto* w = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::Wheel:
        // Every wheel turn over this window goes to the column under the mouse.
        if (w && w->window() == this) return FormMouseWheel(static_cast<QWheelEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        if (w && w->window() == this && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            QWidget* bar = IsPanel(w) ? w : w->parentWidget();
            if (bar && bar->parentWidget() && FindSectionCaptionBar(bar->parentWidget()) == bar &&
                SectionOf(bar) == bar->parentWidget()) {
                CollapsibleCaptionClick(w);
                return true;
            }
        }
        break;
    case QEvent::FocusIn:
        if (w && w->window() == this && SectionOf(w) &&
            (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
             qobject_cast<QAbstractButton*>(w) || qobject_cast<QDateEdit*>(w)))
            EditEnter(w);
        break;
    case QEvent::KeyPress:
        if (w && w->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            QWidget* control = w;
            if (auto* combo = qobject_cast<QComboBox*>(w->parentWidget()); combo && combo->lineEdit() == w)
                control = combo;
            if (SectionOf(control) && FormKeyPress(control, key)) return true;
            if (control->property("numeric").toBool()) {
                QLineEdit* edit = qobject_cast<QLineEdit*>(w);
                if (!edit)
                    if (auto* combo = qobject_cast<QComboBox*>(w)) edit = combo->lineEdit();
                if (edit && !edit->isReadOnly() && EditKeyPress(w, edit, key)) return true;
            }
        }
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace vantrel::ui
