#pragma once
// The "Graphs" window: the pictures of one chart renderer in a grid of 200 x 357 cells (or one
// enlarged chart, the three waler charts stacked, the settlement chart) with a status bar that reads
// out the chart values under the mouse. Shown modally through platform::ExecModal.

#include <QDialog>

#include <array>

#include "drawing/Graphs.h"

class QGridLayout;
class QLayout;
class QLabel;
class QStatusBar;
class QVBoxLayout;

namespace vantrel {

class TfrmGraphs : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmGraphs(QWidget* parent = nullptr);

    // Entry operations: render the charts, then lay the window out for them.
    void ShowPileGraphs(const TKdData& data, TChartKind kind);
    void ShowEarthPressures(const TKdData& data, TChartKind kind);
    void ShowWalerGraphs(const TKdData& data, TChartKind kind, int levelIndex);
    void ShowSettlement(const TKdData& data, TChartKind kind, bool forImage);

    const TGraphsRenderer& Renderer() const { return renderer_; }
    QLabel* ImageLabel(int image) const { return images_[static_cast<size_t>(image - 1)]; }
    QStatusBar* StatusBar() const { return statusBar_; }
    // The read-out for the mouse at (x, y) over picture `image`: shown in the status bar.
    void Image1MouseMove(int image, int x, int y);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildView();

    TGraphsRenderer renderer_;
    QWidget* grid_ = nullptr;
    QGridLayout* gridLayout_ = nullptr;
    QWidget* stack_ = nullptr;
    QVBoxLayout* stackLayout_ = nullptr;
    std::array<QLabel*, TGraphsRenderer::kImages> images_{};
    QStatusBar* statusBar_ = nullptr;
};

// The frame the chart windows share: object name, caption, an 11-pixel font and a column without
// margins that makes the window fit its visible content; picture labels at the top left; the one-panel
// status bar of the read-outs; placement centred on the owner's window.
QVBoxLayout* SetUpPictureWindow(QDialog& dialog, const char* name, const char* title);
QLabel* NewPictureLabel(QWidget* parent, const QString& name);
QStatusBar* NewReadOutBar(QWidget* parent, const char* name);
void CentreOnOwner(QDialog& dialog);

// Openers of the main window: a chart window for one use, shown modally and freed. The result is
// the dialog's result code.
int OpenPileGraphs(const TKdData& data, TChartKind kind, QWidget* parent = nullptr);
int OpenEarthPressures(const TKdData& data, TChartKind kind, QWidget* parent = nullptr);
int OpenWalerGraphs(const TKdData& data, int levelIndex, QWidget* parent = nullptr);

// An off-screen chart picture for the main window's chart pages: kind 16 (all earth pressure
// components) or 18 (settlement), on white, with its earth pressure hit points at scale 1.
struct ChartPicture {
    QImage picture;
    TEPGrPoints hits;
};
ChartPicture RenderChartPicture(const TKdData& data, TChartKind kind, bool forImage = false);

} // namespace vantrel
