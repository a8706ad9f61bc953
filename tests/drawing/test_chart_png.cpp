// Every chart kind of both demo projects, calculated for real, written as PNG pictures into the build
// folder (chart_png/) for a reviewer to look at; each picture is also checked for what it must hold.

#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

#include "drawing/Graphs.h"

namespace vantrel {
namespace {

// The pictures of a renderer laid out as the chart window shows them.
QImage WindowPicture(const TGraphsRenderer& r) {
    QSize total(0, 0);
    std::vector<std::pair<int, QPoint>> places;
    if (r.GridVisible() && !r.PrintMode()) {
        for (int i = 1; i <= TGraphsRenderer::kImages; ++i) {
            const auto& p = r.GetPicture(i);
            if (!p.visible) continue;
            const QPoint at(p.column * TGraphsRenderer::kCellWidth, p.row * TGraphsRenderer::kCellHeight);
            places.emplace_back(i, at);
            total = total.expandedTo(QSize(at.x() + p.size.width(), at.y() + p.size.height()));
        }
    } else {
        int y = 0;
        for (int i : r.StackedPictures()) {
            places.emplace_back(i, QPoint(0, y));
            y += r.GetPicture(i).size.height();
            total = total.expandedTo(QSize(r.GetPicture(i).size.width(), y));
        }
    }
    QImage out(total.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    out.fill(QColor(240, 240, 240));
    QPainter p(&out);
    for (const auto& [i, at] : places)
        p.drawImage(at, r.Image(i));
    return out;
}

struct DemoCase {
    const char* file;
    const char* tag;
};

void PrintTo(const DemoCase& c, std::ostream* os) {
    *os << c.tag;
}

class ChartPng_DemoProjects : public ::testing::TestWithParam<DemoCase> {};

TEST_P(ChartPng_DemoProjects, EveryKindOfTheDemoProject) {
    TKdData data;
    data.LoadFromFile(std::string(VANTREL_BINARY_DIR) + "/" + GetParam().file);
    data.Calculate();
    const QString dir = QString(VANTREL_BINARY_DIR) + "/chart_png";
    QDir().mkpath(dir);
    auto save = [&](const TGraphsRenderer& r, const QString& name) {
        const QImage img = WindowPicture(r);
        EXPECT_TRUE(img.save(dir + "/" + GetParam().tag + "_" + name + ".png")) << name.toStdString();
    };
    int walerLevel = 0;
    while (walerLevel + 1 < data.Anchors.UsedLevels() && !data.Anchors.Levels[walerLevel].Waler.HasWaler)
        ++walerLevel;
    for (int kind = 0; kind <= 18; ++kind) {
        SCOPED_TRACE(kind);
        TGraphsRenderer r;
        if (kind <= 6)
            r.ShowPileGraphs(data, kind);
        else if (kind <= 16)
            r.ShowEarthPressures(data, kind);
        else if (kind == 17)
            r.ShowWalerGraphs(data, 17, walerLevel);
        else
            r.ShowSettlement(data, 18, false);
        save(r, QString("kind%1").arg(kind, 2, 10, QChar('0')));
        for (int i : r.StackedPictures())
            EXPECT_FALSE(r.Image(i).isNull()) << "image " << i;
    }
    // Neither demo pile is a rebar cage: the same project with one, for the interaction chart.
    {
        TKdData cage = data;
        cage.PileSection = psRebarCage;
        cage.Calculate();
        for (int kind : {0, 6}) {
            TGraphsRenderer r;
            r.ShowPileGraphs(cage, kind);
            save(r, QString("rebarcage_kind%1").arg(kind, 2, 10, QChar('0')));
            EXPECT_TRUE(r.GetPicture(6).visible);
            EXPECT_EQ(r.PileHits()[6].size(), 9u + 2u + 2u);
        }
    }
    // The report's pictures: print sizes.
    for (int kind : {0, 7, 18}) {
        TGraphsRenderer r;
        r.PrepareForPrint();
        if (kind == 0)
            r.ShowPileGraphs(data, 0);
        else if (kind == 7)
            r.ShowEarthPressures(data, 7);
        else
            r.ShowSettlement(data, 18, true);
        for (int i : r.StackedPictures())
            EXPECT_TRUE(r.Image(i).save(dir + "/" + GetParam().tag +
                                        QString("_print_kind%1_image%2.png").arg(kind).arg(i)));
    }
}

INSTANTIATE_TEST_SUITE_P(Chart, ChartPng_DemoProjects,
                         ::testing::Values(DemoCase{"ENGLISH UNITS DEMO EXAMPLE.kpw", "english"},
                                           DemoCase{"SI UNITS DEMO EXAMPLE.kpw", "si"}),
                         [](const auto& info) { return std::string(info.param.tag); });

} // namespace
} // namespace vantrel
