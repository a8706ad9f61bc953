// The pictures of the main window: the three drawings and the two chart pictures, redrawn at the
// end of every refresh and whenever the layout or the shown page changes.

#include <QLabel>
#include <QPixmap>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

#include "drawing/DiagramDraw.h"
#include "drawing/Graphs.h"
#include "drawing/GraphsDialog.h"
#include "ui/KdMain.h"

namespace vantrel::ui {

void TfrmKdMain::RedrawPictures() {
    if (!FData) return;
    const TCrossSectionTexts texts = CrossSectionTexts();
    static constexpr struct {
        const char* name;
        int kind;
    } kDrawings[] = {{"imgDiag", dkCrossSection}, {"imgDiag2", dkPilePlanView}, {"imgDiag3", dkGuardrail}};
    for (const auto& drawing : kDrawings) {
        if (auto* image = Find<QLabel>(QLatin1String(drawing.name)))
            DrawToImage(*image, Data(), drawing.kind, nullptr, &texts);
    }
    RenderChartImage(Find<QLabel>(QStringLiteral("imgDiag4")), 16);
    RenderChartImage(Find<QLabel>(QStringLiteral("imgDiag5")), 18);
}

// The chart pictures cost a chart each, so they are drawn only while a page of earth pressures or
// of settlement is the one showing (in the wide layout on the drawing pages, else on the result
// pages). The picture is fitted into its page keeping its proportions and centred; the read-out
// keeps the hit points twice, as shown and at scale 1 for the enlarged view.
void TfrmKdMain::RenderChartImage(QLabel* target, int kind) {
    if (!target || !FData || !target->parentWidget()) return;
    const QTabWidget* pages = WideLayout() ? PageControl1 : PageControl2;
    const QWidget* page = pages ? pages->currentWidget() : nullptr;
    const QString shown = page ? page->objectName() : QString();
    const bool chartPage =
        WideLayout() ? (shown == QLatin1String("TabSheet9") || shown == QLatin1String("TabSheet11"))
                     : (shown == QLatin1String("TabSheet3") || shown == QLatin1String("TabSheet10"));
    if (!chartPage) return;

    const ChartPicture chart = RenderChartPicture(Data(), static_cast<TChartKind>(kind));
    // A renderer that produced nothing leaves the previous picture: a scale from a zero size would
    // be infinite.
    if (chart.picture.isNull() || chart.picture.width() <= 0 || chart.picture.height() <= 0) return;

    const QRect room = target->parentWidget()->contentsRect();
    const double scale = std::min(static_cast<double>(room.width()) / chart.picture.width(),
                                  static_cast<double>(room.height()) / chart.picture.height());
    if (!(scale > 0) || !std::isfinite(scale)) return;
    const int width = static_cast<int>(std::lround(chart.picture.width() * scale));
    const int height = static_cast<int>(std::lround(chart.picture.height() * scale));
    target->setGeometry(room.left() + (room.width() - width) / 2, room.top() + (room.height() - height) / 2,
                        width, height);
    target->setPixmap(QPixmap::fromImage(
        chart.picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));

    ChartReadOut& store = ChartStore(kind);
    store.picture = chart.picture;
    store.scale1 = chart.hits;
    store.shown = ScaleHitPoints(chart.hits, scale);
    ClearReadOut(kind);
}

} // namespace vantrel::ui
