#include "drawing/GraphsDialog.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/Dialogs.h"

namespace vantrel {

QVBoxLayout* SetUpPictureWindow(QDialog& dialog, const char* name, const char* title) {
    dialog.setObjectName(name);
    dialog.setWindowTitle(title);
    QFont f = dialog.font();
    f.setPixelSize(11);
    dialog.setFont(f);
    auto* column = new QVBoxLayout(&dialog);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    // The window takes the size of its pictures: a picture larger than the screen is not scaled down.
    column->setSizeConstraint(QLayout::SetFixedSize);
    return column;
}

QLabel* NewPictureLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QStatusBar* NewReadOutBar(QWidget* parent, const char* name) {
    auto* bar = new QStatusBar(parent);
    bar->setObjectName(name);
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(TGraphsRenderer::kStatusBarHeight);
    return bar;
}

void CentreOnOwner(QDialog& dialog) {
    if (!dialog.parentWidget()) return;
    const QRect owner = dialog.parentWidget()->window()->frameGeometry();
    const QRect frame = dialog.frameGeometry();
    dialog.move(owner.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

TfrmGraphs::TfrmGraphs(QWidget* parent) : QDialog(parent) {
    QVBoxLayout* outer = SetUpPictureWindow(*this, "frmGraphs", "Graphs");
    grid_ = new QWidget(this);
    grid_->setObjectName("GridPanel1");
    gridLayout_ = new QGridLayout(grid_);
    gridLayout_->setContentsMargins(0, 0, 0, 0);
    gridLayout_->setSpacing(0);
    stack_ = new QWidget(this);
    stackLayout_ = new QVBoxLayout(stack_);
    stackLayout_->setContentsMargins(0, 0, 0, 0);
    stackLayout_->setSpacing(0);
    outer->addWidget(grid_);
    outer->addWidget(stack_);
    for (int i = 1; i <= TGraphsRenderer::kImages; ++i) {
        QLabel* label = NewPictureLabel(this, QStringLiteral("Image%1").arg(i));
        label->setMouseTracking(true);
        label->installEventFilter(this);
        images_[static_cast<size_t>(i - 1)] = label;
    }
    statusBar_ = NewReadOutBar(this, "StatusBar1");
    outer->addWidget(statusBar_);
    BuildView();
}

void TfrmGraphs::ShowPileGraphs(const TKdData& data, TChartKind kind) {
    renderer_.ShowPileGraphs(data, kind);
    BuildView();
}

void TfrmGraphs::ShowEarthPressures(const TKdData& data, TChartKind kind) {
    renderer_.ShowEarthPressures(data, kind);
    BuildView();
}

void TfrmGraphs::ShowWalerGraphs(const TKdData& data, TChartKind kind, int levelIndex) {
    renderer_.ShowWalerGraphs(data, kind, levelIndex);
    BuildView();
}

void TfrmGraphs::ShowSettlement(const TKdData& data, TChartKind kind, bool forImage) {
    renderer_.ShowSettlement(data, kind, forImage);
    BuildView();
}

void TfrmGraphs::BuildView() {
    for (QLabel* label : images_) {
        gridLayout_->removeWidget(label);
        stackLayout_->removeWidget(label);
    }
    const bool grid = renderer_.GridVisible();
    grid_->setVisible(grid);
    stack_->setVisible(!grid);
    for (int c = 0; c < 4; ++c)
        gridLayout_->setColumnMinimumWidth(c, c < renderer_.GridColumns() ? TGraphsRenderer::kCellWidth : 0);
    for (int r = 0; r < 2; ++r)
        gridLayout_->setRowMinimumHeight(r, TGraphsRenderer::kCellHeight);
    for (int i = 1; i <= TGraphsRenderer::kImages; ++i) {
        const TGraphsRenderer::Picture& p = renderer_.GetPicture(i);
        QLabel* label = ImageLabel(i);
        label->setPixmap(p.image.isNull() ? QPixmap() : QPixmap::fromImage(p.image));
        label->setFixedSize(p.size);
        if (grid) {
            gridLayout_->addWidget(label, p.row, p.column, Qt::AlignLeft | Qt::AlignTop);
            label->setVisible(p.visible && p.column < renderer_.GridColumns());
        } else {
            label->setParent(stack_);
            label->setVisible(p.visible);
        }
    }
    if (!grid)
        for (int i : renderer_.StackedPictures())
            stackLayout_->addWidget(ImageLabel(i));
    statusBar_->clearMessage();
}

void TfrmGraphs::Image1MouseMove(int image, int x, int y) {
    const QString text = renderer_.ReadOut(image, x, y);
    if (text.isEmpty())
        statusBar_->clearMessage();
    else
        statusBar_->showMessage(text);
}

bool TfrmGraphs::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        for (int i = 1; i <= TGraphsRenderer::kImages; ++i) {
            if (watched == ImageLabel(i)) {
                const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
                Image1MouseMove(i, pos.x(), pos.y());
                return false;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmGraphs::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Placed centred on the main window, then kept on the screen.
    CentreOnOwner(*this);
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(KeepOnScreen(frameGeometry(), screen->availableGeometry()));
}

namespace {
template <typename Fill> int OpenChart(QWidget* parent, Fill fill) {
    TfrmGraphs form(parent);
    fill(form);
    return platform::ExecModal(form);
}
} // namespace

int OpenPileGraphs(const TKdData& data, TChartKind kind, QWidget* parent) {
    return OpenChart(parent, [&](TfrmGraphs& f) { f.ShowPileGraphs(data, kind); });
}

int OpenEarthPressures(const TKdData& data, TChartKind kind, QWidget* parent) {
    return OpenChart(parent, [&](TfrmGraphs& f) { f.ShowEarthPressures(data, kind); });
}

int OpenWalerGraphs(const TKdData& data, int levelIndex, QWidget* parent) {
    return OpenChart(parent, [&](TfrmGraphs& f) { f.ShowWalerGraphs(data, 17, levelIndex); });
}

ChartPicture RenderChartPicture(const TKdData& data, TChartKind kind, bool forImage) {
    TGraphsRenderer r;
    r.SetChartColor(clWhite);
    if (kind == 18)
        r.ShowSettlement(data, 18, forImage);
    else
        r.ShowEarthPressures(data, kind);
    ChartPicture out;
    out.picture = r.Image(1);
    r.ScaleHitPoints(out.hits, 1.0);
    return out;
}

} // namespace vantrel
