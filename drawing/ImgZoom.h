#pragma once
// The enlarged view "Image": one picture at its natural size (a diagram drawn at screen size, a
// sketch, or a chart picture of the main window). For a chart picture a status bar reads out the
// value of the curve point under the mouse from the chart's hit points.

#include <QDialog>
#include <QImage>

#include "drawing/Graphs.h"

class QLabel;
class QStatusBar;

namespace vantrel {

class TfrmImgZoom : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmImgZoom(QWidget* parent = nullptr);

    void SetPicture(const QImage& image);
    // Switches the read-out on with the hit points of the picture shown (at its pixel scale).
    void SetChartHits(const TEPGrPoints& hits);
    QLabel* Image1() const { return image1_; }
    QStatusBar* StatusBar() const { return statusBar_; }
    void Image1MouseMove(int x, int y);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QLabel* image1_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    TEPGrPoints hits_;
    bool readOut_ = false;
};

// Each shows the picture in a new modal window and frees it when it closes.
void ShowImageZoom(const QImage& image, QWidget* parent = nullptr);
void ShowGraphicZoom(const QImage& graphic, QWidget* parent = nullptr);
void ShowChartZoom(const QImage& image, const TEPGrPoints& hits, QWidget* parent = nullptr);

} // namespace vantrel
