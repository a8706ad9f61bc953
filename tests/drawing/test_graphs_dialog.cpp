// The "Graphs" window and the enlarged view, driven through the modal seam: pictures and their sizes,
// the status bar read-out under the mouse, openers freeing their windows.

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QStatusBar>

#include <gtest/gtest.h>

#include "drawing/GraphsDialog.h"
#include "drawing/ImgZoom.h"
#include "platform/Dialogs.h"
#include "tests/drawing/ChartProject.h"

namespace vantrel {
namespace {

using platform::ScopedModalHandler;
using testing::ChartProject;

void MoveMouse(QWidget* w, int x, int y) {
    QMouseEvent e(QEvent::MouseMove, QPointF(x, y), w->mapToGlobal(QPointF(x, y)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

QString StatusText(QStatusBar* bar) {
    return bar->currentMessage();
}

TEST(Graphs_Dialog, PileChartsWindowReadsOutUnderTheMouse) {
    const TKdData data = ChartProject();
    QPointer<QDialog> seen;
    int calls = 0;
    ScopedModalHandler modal([&](QDialog& d) {
        ++calls;
        seen = &d;
        auto& f = dynamic_cast<TfrmGraphs&>(d);
        EXPECT_EQ(f.windowTitle(), "Graphs");
        for (int i = 1; i <= 8; ++i) {
            QLabel* label = f.findChild<QLabel*>(QStringLiteral("Image%1").arg(i));
            EXPECT_EQ(label, f.ImageLabel(i));
            EXPECT_EQ(!label->isHidden(), i <= 6) << i;
            if (i <= 6) {
                EXPECT_EQ(label->size(), QSize(200, 357));
            }
        }
        EXPECT_FALSE(f.findChild<QWidget*>("GridPanel1")->isHidden());
        QStatusBar* bar = f.findChild<QStatusBar*>("StatusBar1");
        EXPECT_EQ(bar, f.StatusBar());
        // Over a point of the shear chart, then off every point.
        const THitPoint& p = f.Renderer().PileHits()[2][0];
        MoveMouse(f.ImageLabel(2), p.X, p.Y);
        EXPECT_EQ(StatusText(bar), QString::asprintf("  Shear: %.2f    Distance: %.2f", p.YValue, p.XValue));
        MoveMouse(f.ImageLabel(2), 2, 2);
        EXPECT_TRUE(StatusText(bar).isEmpty());
        // The same pixel over the moment chart reads the moment chart's own points or nothing.
        MoveMouse(f.ImageLabel(3), p.X, p.Y);
        EXPECT_FALSE(StatusText(bar).startsWith("  Shear"));
        return QDialog::Accepted;
    });
    EXPECT_EQ(OpenPileGraphs(data, 0), QDialog::Accepted);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(seen.isNull()); // freed after closing
}

TEST(Graphs_Dialog, LayoutsOfTheOtherKinds) {
    const TKdData data = ChartProject();
    struct Expect {
        std::vector<int> shown;
        QSize size;
        bool grid;
    } expect;
    ScopedModalHandler modal([&](QDialog& d) {
        auto& f = dynamic_cast<TfrmGraphs&>(d);
        EXPECT_EQ(!f.findChild<QWidget*>("GridPanel1")->isHidden(), expect.grid);
        for (int i = 1; i <= 8; ++i) {
            const bool shown = std::find(expect.shown.begin(), expect.shown.end(), i) != expect.shown.end();
            EXPECT_EQ(!f.ImageLabel(i)->isHidden(), shown) << i;
            if (shown) {
                EXPECT_EQ(f.ImageLabel(i)->size(), expect.size) << i;
            }
        }
        f.adjustSize();
        if (!expect.grid) {
            // The window fits its pictures and the status bar.
            const int n = static_cast<int>(expect.shown.size());
            EXPECT_EQ(f.size(), QSize(expect.size.width(), n * expect.size.height() + 19));
        }
        return QDialog::Rejected;
    });
    expect = {{1, 2, 3, 4, 5, 6, 7, 8}, QSize(200, 357), true};
    EXPECT_EQ(OpenEarthPressures(data, 7), QDialog::Rejected);
    expect = {{7}, QSize(400, 714), false};
    OpenEarthPressures(data, 11);
    expect = {{1}, QSize(400, 714), false};
    OpenEarthPressures(data, 16);
    expect = {{4}, QSize(400, 714), false};
    OpenPileGraphs(data, 4);
    expect = {{1, 2, 3}, QSize(357, 200), false};
    OpenWalerGraphs(data, 1);
}

TEST(Graphs_Dialog, CombinedChartReadsOutEveryComponentInOnePicture) {
    const TKdData data = ChartProject();
    ScopedModalHandler modal([&](QDialog& d) {
        auto& f = dynamic_cast<TfrmGraphs&>(d);
        const THitPoint& total = f.Renderer().PressureHits()[7][60];
        MoveMouse(f.ImageLabel(1), total.X, total.Y);
        EXPECT_EQ(StatusText(f.StatusBar()),
                  QString::asprintf("  Total Backfill Earth Pressure: %.2f    Distance: %.2f", total.YValue,
                                    total.XValue));
        return QDialog::Accepted;
    });
    OpenEarthPressures(data, 16);
}

TEST(Graphs_Dialog, OffScreenChartPictureOnWhite) {
    const TKdData data = ChartProject();
    const ChartPicture ep = RenderChartPicture(data, 16);
    EXPECT_EQ(ep.picture.size(), QSize(400, 714));
    EXPECT_EQ(ep.picture.pixel(3, 3) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(ep.hits[3].size(), 61u);
    const ChartPicture st = RenderChartPicture(data, 18, true);
    EXPECT_EQ(st.picture.size(), QSize(267, 150));
    EXPECT_EQ(st.hits[0].size(), 11u);
    EXPECT_TRUE(st.hits[1].empty());
}

class ImgZoom_View : public ::testing::Test {
  protected:
    struct Seen {
        QSize image;
        bool statusShown = false;
        QString title;
        QString readOut;
    } seen;
    QPoint probe{-100, -100};
    ScopedModalHandler modal{[this](QDialog& d) {
        auto& f = dynamic_cast<TfrmImgZoom&>(d);
        seen.title = f.windowTitle();
        seen.image = f.findChild<QLabel*>("Image1")->size();
        seen.statusShown = !f.findChild<QStatusBar*>("EPStatusBar1")->isHidden();
        MoveMouse(f.Image1(), probe.x(), probe.y());
        seen.readOut = f.StatusBar()->currentMessage();
        return QDialog::Accepted;
    }};
};

TEST_F(ImgZoom_View, PicturesAtNaturalSizeWithoutReadOut) {
    QImage big(3000, 2000, QImage::Format_RGB32);
    big.fill(Qt::white);
    ShowGraphicZoom(big);
    EXPECT_EQ(seen.title, "Image");
    EXPECT_EQ(seen.image, QSize(3000, 2000)); // larger than any screen, not scaled down
    EXPECT_FALSE(seen.statusShown);
    QImage sketch(120, 80, QImage::Format_RGB32);
    sketch.fill(Qt::gray);
    probe = QPoint(10, 10);
    ShowImageZoom(sketch);
    EXPECT_EQ(seen.image, QSize(120, 80));
    EXPECT_FALSE(seen.statusShown);
    EXPECT_TRUE(seen.readOut.isEmpty());
}

TEST_F(ImgZoom_View, ChartPictureReadOut) {
    const ChartPicture ep = RenderChartPicture(ChartProject(), 16);
    const THitPoint& p = ep.hits[3][20]; // apparent earth pressure, alone at 500 psf
    probe = QPoint(p.X, p.Y);
    ShowChartZoom(ep.picture, ep.hits);
    EXPECT_EQ(seen.image, QSize(400, 714));
    EXPECT_TRUE(seen.statusShown);
    EXPECT_EQ(seen.readOut,
              QString::asprintf("  Apparent Earth Pressure: %.2f    Distance: %.2f", 500.0, p.XValue));
    probe = QPoint(1, 1);
    ShowChartZoom(ep.picture, ep.hits);
    EXPECT_TRUE(seen.readOut.isEmpty());
}

TEST(ImgZoom_ReadOut, LastArrayWinsAndSettlementFillsArrayZeroAlone) {
    TEPGrPoints hits;
    hits[0] = {{10, 10, 1, 2}};
    hits[1] = {{12, 12, 3, 4}};
    hits[6] = {{14, 14, 5, 6}};
    EXPECT_EQ(ChartZoomReadOut(hits, 12, 12), "  Seismic Pressure: 6.00    Distance: 5.00");
    EXPECT_EQ(ChartZoomReadOut(hits, 5, 5), "  Strip Surcharge: 2.00    Distance: 1.00");
    EXPECT_TRUE(ChartZoomReadOut(hits, 30, 30).isEmpty());
    // A pressure chart without a uniform surcharge still reads out as pressures.
    hits[1].clear();
    EXPECT_EQ(ChartZoomReadOut(hits, 6, 6), "  Strip Surcharge: 2.00    Distance: 1.00");
    // Array 0 alone: the settlement chart.
    hits[6].clear();
    EXPECT_EQ(ChartZoomReadOut(hits, 10, 10), "  Settlement: 2.00    Distance: 1.00");
}

} // namespace
} // namespace vantrel
