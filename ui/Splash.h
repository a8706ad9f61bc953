#pragma once
// The splash window shown while the main window is created: frameless, on top, centred; it
// closes itself after 2000 ms or at a click, and closing frees it.

#include <QWidget>

class QLabel;
class QTimer;

namespace vantrel::ui {

class TfrmSplash : public QWidget {
    Q_OBJECT
  public:
    explicit TfrmSplash(QWidget* parent = nullptr);
    QTimer* Timer() const { return Timer1; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QLabel* Image1;
    QLabel* Label1;
    QTimer* Timer1;
};

// The picture of the splash window (500 x 327).
QPixmap SplashPicture();

} // namespace vantrel::ui
