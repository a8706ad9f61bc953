#pragma once
// Small widgets of the main window that Qt does not have as such.

#include <QLabel>
#include <QTabBar>
#include <QWidget>

namespace vantrel::ui {

// A label that reports a left click: links that open a view, caption bars of sections.
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    // Blue, underlined, hand cursor: a link that opens a view or a page.
    void StyleAsLink();

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A tab strip with a content area under it (the level tabs of the waler sections): the children
// placed in it are the same for every tab and show the selected level.
class TabControl : public QWidget {
    Q_OBJECT
  public:
    explicit TabControl(QWidget* parent = nullptr);
    QTabBar* Tabs() const { return tabs_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QTabBar* tabs_;
};

// The content of a section column (ScrollBox1, ScrollBox2): sections are placed top-down in
// their tab order with 10-pixel gaps, at the column's width, whenever one changes its height or
// is shown or hidden.
class SectionColumn : public QWidget {
    Q_OBJECT
  public:
    explicit SectionColumn(QWidget* parent = nullptr);
    // Adds a section panel and watches it.
    void AddSection(QWidget* section);
    // Places the visible sections and sets the column's height.
    void Arrange();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool arranging_ = false;
};

} // namespace vantrel::ui
