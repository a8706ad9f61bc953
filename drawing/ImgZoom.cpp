#include "drawing/ImgZoom.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QStatusBar>
#include <QVBoxLayout>

#include "drawing/GraphsDialog.h"
#include "platform/Dialogs.h"

namespace vantrel {

TfrmImgZoom::TfrmImgZoom(QWidget* parent) : QDialog(parent) {
    QVBoxLayout* layout = SetUpPictureWindow(*this, "frmImgZoom", "Image");
    image1_ = NewPictureLabel(this, "Image1");
    image1_->setFixedSize(105, 105);
    layout->addWidget(image1_);
    statusBar_ = NewReadOutBar(this, "EPStatusBar1");
    statusBar_->hide();
    layout->addWidget(statusBar_);
}

void TfrmImgZoom::SetPicture(const QImage& image) {
    image1_->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
    image1_->setFixedSize(image.size());
    statusBar_->clearMessage(); // a read-out belongs to the picture it was read from
}

void TfrmImgZoom::SetChartHits(const TEPGrPoints& hits) {
    hits_ = hits;
    readOut_ = true;
    image1_->setMouseTracking(true);
    image1_->installEventFilter(this);
    statusBar_->show();
}

void TfrmImgZoom::Image1MouseMove(int x, int y) {
    if (!readOut_) return;
    const QString text = ChartZoomReadOut(hits_, x, y);
    if (text.isEmpty())
        statusBar_->clearMessage();
    else
        statusBar_->showMessage(text);
}

bool TfrmImgZoom::eventFilter(QObject* watched, QEvent* event) {
    if (watched == image1_ && event->type() == QEvent::MouseMove) {
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        Image1MouseMove(pos.x(), pos.y());
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmImgZoom::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(*this);
}

namespace {
void ShowZoom(const QImage& image, const TEPGrPoints* hits, QWidget* parent) {
    TfrmImgZoom form(parent);
    form.SetPicture(image);
    if (hits) form.SetChartHits(*hits);
    platform::ExecModal(form);
}
} // namespace

void ShowImageZoom(const QImage& image, QWidget* parent) {
    ShowZoom(image, nullptr, parent);
}
void ShowGraphicZoom(const QImage& graphic, QWidget* parent) {
    ShowZoom(graphic, nullptr, parent);
}
void ShowChartZoom(const QImage& image, const TEPGrPoints& hits, QWidget* parent) {
    ShowZoom(image, &hits, parent);
}

} // namespace vantrel
