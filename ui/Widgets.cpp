#include "ui/Widgets.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTabWidgetFrame>

#include <algorithm>

namespace vantrel::ui {

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void ClickLabel::StyleAsLink() {
    setCursor(Qt::PointingHandCursor);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(pal);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

TabControl::TabControl(QWidget* parent) : QWidget(parent), tabs_(new QTabBar(this)) {
    tabs_->setObjectName(QString());
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    tabs_->setGeometry(0, 0, width(), tabs_->sizeHint().height());
}

void TabControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, tabs_->sizeHint().height() - 1, 0, 0);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

SectionColumn::SectionColumn(QWidget* parent) : QWidget(parent) {}

void SectionColumn::AddSection(QWidget* section) {
    section->setParent(this);
    section->installEventFilter(this);
}

void SectionColumn::Arrange() {
    if (arranging_) return;
    arranging_ = true;
    QList<QWidget*> sections;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isHidden() && !w->isWindow()) sections.append(w);
    }
    std::stable_sort(sections.begin(), sections.end(), [](QWidget* a, QWidget* b) {
        return a->property("tabOrder").toInt() < b->property("tabOrder").toInt();
    });
    int top = 0;
    for (QWidget* w : sections) {
        w->setGeometry(0, top, width(), w->height());
        top += w->height() + 10;
    }
    setMinimumHeight(std::max(0, top - 10));
    arranging_ = false;
}

bool SectionColumn::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (watched->parent() == this) Arrange();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SectionColumn::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (QObject* child : children())
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow()) w->resize(width(), w->height());
}

} // namespace vantrel::ui
