#pragma once
// A stand-in for the main window as the report sees it: a project, offscreen section panels with
// controls at absolute positions, synthetic drawings and chart pictures, and waler tabs that record
// how they are switched.

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/KdClasses.h"
#include "report/ReportHost.h"
#include "report/ReportPage.h"

namespace vantrel::report::testing {

// Builds one section panel row by row; rows are 24 pixels apart, captions at x 8, values at 160,
// units at 244.
class PanelBuilder {
  public:
    PanelBuilder(QWidget* parent, const QString& name, const QString& caption = QString()) {
        panel_ = new QWidget(parent);
        panel_->setObjectName(name);
        panel_->setProperty("caption", caption.isEmpty() ? name : caption);
        panel_->setGeometry(0, 0, 330, 600);
    }
    QWidget* panel() const { return panel_; }
    int y() const { return y_; }
    PanelBuilder& At(int y) {
        y_ = y;
        return *this;
    }

    template <typename W> W* Add(const QString& name, int x, int y, int w = 80, int h = 21) {
        auto* widget = new W(panel_);
        widget->setObjectName(name);
        widget->setGeometry(x, y, w, h);
        return widget;
    }
    QLabel* Label(const QString& name, const QString& text, int x, int y, int w = 140) {
        auto* l = Add<QLabel>(name, x, y, w, 16);
        l->setText(text);
        return l;
    }
    QLineEdit* Edit(const QString& name, const QString& text, int x, int y) {
        auto* e = Add<QLineEdit>(name, x, y);
        e->setText(text);
        return e;
    }
    QComboBox* Combo(const QString& name, const QString& text, int x, int y) {
        auto* c = Add<QComboBox>(name, x, y);
        c->addItem(text);
        return c;
    }
    QLabel* Image(const QString& name, int tag, int x, int y) {
        auto* i = Add<QLabel>(name, x, y, 16, 16);
        i->setProperty("tag", tag);
        return i;
    }
    // caption | value | unit on the next row; empty names leave the control out.
    PanelBuilder& Row(const QString& captionName, const QString& caption, const QString& editName = QString(),
                      const QString& value = QString(), const QString& unit = QString()) {
        Label(captionName, caption, 8, y_ + 3);
        if (!editName.isEmpty()) Edit(editName, value, 160, y_);
        if (!unit.isEmpty()) Label(captionName + QStringLiteral("Unit"), unit, 244, y_ + 3, 40);
        y_ += 24;
        return *this;
    }
    PanelBuilder& Check(const QString& name, const QString& text, bool checked) {
        auto* c = Add<QCheckBox>(name, 8, y_, 200);
        c->setText(text);
        c->setChecked(checked);
        y_ += 24;
        return *this;
    }

  private:
    QWidget* panel_ = nullptr;
    int y_ = 8;
};

class FakeReportHost : public ReportHost {
  public:
    FakeReportHost() : root_(std::make_unique<QWidget>()) {
        root_->setObjectName(QStringLiteral("frmKdMain"));
        box1_ = new QWidget(root_.get());
        box1_->setObjectName(QStringLiteral("ScrollBox1"));
        box2_ = new QWidget(root_.get());
        box2_->setObjectName(QStringLiteral("ScrollBox2"));
    }

    TKdData data;
    std::vector<QWidget*> inputs, results;
    int commits = 0;
    int tabs[3] = {0, 0, 0};
    std::vector<std::pair<int, int>> tabCalls;
    std::vector<std::pair<int, QSize>> diagramCalls;
    std::vector<int> chartCalls;
    QSize chartSize{450, 620};
    bool showInteraction = false;
    QSize crossSectionCrop; // size the cross section comes back at, when set
    int failOnChartKind = -1;

    QWidget* root() const { return root_.get(); }
    PanelBuilder Input(const QString& name, const QString& caption = QString()) {
        PanelBuilder b(box1_, name, caption);
        inputs.push_back(b.panel());
        return b;
    }
    PanelBuilder Result(const QString& name, const QString& caption = QString()) {
        PanelBuilder b(box2_, name, caption);
        results.push_back(b.panel());
        return b;
    }

    const TKdData& Project() const override { return data; }
    void CommitInput() override { ++commits; }
    std::vector<QWidget*> InputSections() const override { return inputs; }
    std::vector<QWidget*> ResultSections() const override { return results; }
    QWidget* Control(const QString& name) const override {
        return root_->objectName() == name ? root_.get() : root_->findChild<QWidget*>(name);
    }
    QString SectionCaption(QWidget* panel) const override {
        const QString label = panel->property("captionLabel").toString();
        if (!label.isEmpty())
            if (auto* l = qobject_cast<QLabel*>(Control(label))) return l->text();
        return panel->property("caption").toString();
    }
    QImage Diagram(int kind, QSize size) override {
        diagramCalls.emplace_back(kind, size);
        // The cross section may come back cropped to what it drew.
        if (kind == 0 && !crossSectionCrop.isEmpty()) size = crossSectionCrop;
        return Picture(size, kind == 0 ? Qt::darkBlue : kind == 1 ? Qt::darkGreen : Qt::darkRed);
    }
    std::vector<QImage> ChartPictures(int kind) override {
        chartCalls.push_back(kind);
        if (kind == failOnChartKind) throw std::runtime_error("chart failed");
        std::vector<QImage> pictures(8);
        const int count = kind == 18 ? 1 : kind == 7 ? 8 : (showInteraction ? 6 : 5);
        for (int i = 0; i < count; ++i)
            pictures[i] = Picture(chartSize, Qt::black);
        return pictures;
    }
    int WalerTab(int tabControl) const override { return tabs[tabControl]; }
    void SelectWalerTab(int tabControl, int index) override {
        tabs[tabControl] = index;
        tabCalls.emplace_back(tabControl, index);
        // The waler section shows the level chosen, as ShowWalerResults would.
        if (auto* e = qobject_cast<QLineEdit*>(Control(tabControl == 1 ? "Edit_WalerLevel" : "Edit_RWl")))
            e->setText(QStringLiteral("level %1").arg(index + 1));
    }

    // White with a coloured frame and diagonal: white at the top-left corner, as real drawings.
    static QImage Picture(QSize size, QColor ink) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setPen(QPen(ink, 3));
        p.drawRect(QRect(QPoint(10, 10), size - QSize(20, 20)));
        p.drawLine(10, 10, size.width() - 10, size.height() - 10);
        return image;
    }

  private:
    std::unique_ptr<QWidget> root_;
    QWidget* box1_ = nullptr;
    QWidget* box2_ = nullptr;
};

// --- Reading recorded pages ------------------------------------------------------------------
inline std::vector<const TextItem*> Texts(const ReportDocument& doc, int page) {
    std::vector<const TextItem*> out;
    for (const PageItem& item : doc.pages.at(page).items)
        if (const auto* t = std::get_if<TextItem>(&item)) out.push_back(t);
    return out;
}
inline const TextItem* FindText(const ReportDocument& doc, int page, const QString& text) {
    for (const TextItem* t : Texts(doc, page))
        if (t->text == text) return t;
    return nullptr;
}
// Page (from 0) of the first text equal to `text`, or -1.
inline int PageOf(const ReportDocument& doc, const QString& text) {
    for (int p = 0; p < static_cast<int>(doc.pages.size()); ++p)
        if (FindText(doc, p, text)) return p;
    return -1;
}
inline std::vector<const PictureItem*> Pictures(const ReportDocument& doc, int page) {
    std::vector<const PictureItem*> out;
    for (const PageItem& item : doc.pages.at(page).items)
        if (const auto* p = std::get_if<PictureItem>(&item)) out.push_back(p);
    return out;
}

} // namespace vantrel::report::testing
