// Result tables: the node table by level, the earth pressure table and the table window.

#include <QGuiApplication>
#include <QScreen>
#include <QTreeWidget>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "model/KdClasses.h"
#include "platform/Dialogs.h"
#include "ui/Computations.h"

namespace vantrel {
namespace {

QStringList Captions(const ComputationsTable& t) {
    QStringList out;
    for (const ComputationsColumn& c : t.columns)
        out << c.caption;
    return out;
}

class Computations : public ::testing::Test {
  protected:
    Computations() {
        // Three segments whose node n of segment s holds depth s + n / 100 and easily told values.
        data.Anchors.PileNodes.assign(3, TArrAnchOne{});
        for (int s = 0; s < 3; ++s)
            for (int n = 0; n < kSpanNodes; ++n) {
                TAnchNode& node = data.Anchors.PileNodes[s].Nodes[n];
                node.Depth = s + n / 100.0L;
                node.Shear = -1.234567L;
                node.Moment = 98.7654L;
                node.Slope2 = 0.0001234L;
                node.Deflection2 = 0.12345L;
            }
        for (int i = 0; i < kPressureRows; ++i) {
            TPressureRow& r = data.Anchors.PressureTable[i];
            r.Depth = i * 0.5L;
            r.Strip = 1.005L, r.Uniform = 2, r.PoreWater = 3, r.ApparentEarth = 4, r.LineLoad = 5;
            r.PointLoad = 6, r.Seismic = 7, r.Total = 28.125L, r.PileLoad = 0.225L;
        }
    }
    TKdData data;
};

TEST_F(Computations, NodeTableByLevelInBothUnitSystems) {
    struct Case {
        uint8_t units;
        QStringList captions;
        QString deflection;
    };
    const Case cases[] = {
        {usEnglish,
         {"", "Node #", "Depth, ft", "Shear, k", "Moment, k-ft", "Slope, rad.", "Defl, inch"},
         "0.123"},
        {usSI, {"", "Node #", "Depth, m", "Shear, kN", "Moment, kN-m", "Slope, rad.", "Defl, mm"}, "0.12"},
    };
    for (const Case& c : cases) {
        data.Units = c.units;
        ComputationsTable t;
        t.FillNodeTableByLevel(data);
        EXPECT_EQ(t.caption, "Table of Test Results");
        EXPECT_EQ(Captions(t), c.captions);
        EXPECT_EQ(t.columns[0].width, 1);
        ASSERT_EQ(t.rows.size(), 3u * (1 + kSpanNodes));
        for (int s = 0; s < 3; ++s) {
            const ComputationsRow& heading = t.rows[s * (1 + kSpanNodes)];
            EXPECT_EQ(heading.cells.value(1), QStringLiteral("Level ") + QChar('A' + s));
            EXPECT_EQ(heading.data, 1);
        }
        // Segment B, node 50: numbering restarts in every segment.
        const ComputationsRow& row = t.rows[(1 + kSpanNodes) + 1 + 50];
        EXPECT_EQ(row.cells, (QStringList{"", "50", "1.50", "-1.23", "98.77", "0.00012", c.deflection}));
    }
}

TEST_F(Computations, EarthPressureTableHasSixtyOneRowsWithUnits) {
    data.Anchors.PressureTable[3].Seismic = std::numeric_limits<long double>::quiet_NaN();
    for (uint8_t units : {usEnglish, usSI}) {
        data.Units = units;
        ComputationsTable t;
        t.FillEarthPressureTable(data);
        EXPECT_EQ(t.caption, "Earth Pressures Analysis");
        const QString p = units == usSI ? "kPa" : "psf";
        EXPECT_EQ(Captions(t),
                  (QStringList{"", "#", units == usSI ? "Depth, m" : "Depth, ft", "Strip Load, " + p,
                               "Unif. Surch, " + p, "Pore Water, " + p, "App. Earth, " + p, "Line Load, " + p,
                               "Point Load, " + p, "Seism. Load, " + p,
                               units == usSI ? "Total per m, kPa/m" : "Total per ft, psf/ft",
                               units == usSI ? "Total per Pile, kN/m" : "Total per Pile, k/ft"}));
        ASSERT_EQ(t.rows.size(), 61u);
        EXPECT_EQ(t.rows[60].cells.value(1), "60");
        EXPECT_EQ(t.rows[2].cells, (QStringList{"", "2", "1.00", "1.00", "2.00", "3.00", "4.00", "5.00",
                                                "6.00", "7.00", "28.13", "0.23"}));
        EXPECT_EQ(t.rows[3].cells.value(9), "N.A.");
    }
}

TEST_F(Computations, ValueRowsAndRows) {
    ComputationsTable t;
    t.AddValueRow("Depth", "ft", 2, 12.345);
    t.AddValueRow("Undefined", "ft", 2, std::nan(""));
    t.AddValueRow("Blank", "ft", 2, kEmptyCell);
    t.AddValueRow("Negative zero", "in", 1, -0.04);
    t.AddRow("Heading", {QStringLiteral("Bar"), 2.5, 7}, 1);
    t.AddRow("Plain", {QStringLiteral("x")});
    ASSERT_EQ(t.rows.size(), 6u);
    EXPECT_EQ(t.rows[0].cells, (QStringList{"Depth", "12.35 ft"}));
    EXPECT_EQ(t.rows[1].cells, (QStringList{"Undefined", "N.A."}));
    EXPECT_EQ(t.rows[2].cells, (QStringList{"Blank", ""}));
    EXPECT_EQ(t.rows[3].cells, (QStringList{"Negative zero", "0.0 in"}));
    EXPECT_EQ(t.rows[4].cells, (QStringList{"Heading", "Bar", "2.500", "7.000"}));
    EXPECT_EQ(t.rows[4].data, 1);
    EXPECT_EQ(t.rows[5].data, 0);
}

TEST_F(Computations, WindowColumnsWidthAndBoldHeadings) {
    TfrmComputations form;
    const int before = form.width();
    form.SetColumns("Bar Sizes", {"Bar", "Area", "Weight", "Strength"}, {Qt::AlignLeft, Qt::AlignRight});
    EXPECT_EQ(form.windowTitle(), "Bar Sizes");
    // Columns beyond the second take column 1's width (100) and widen the window by it.
    EXPECT_EQ(form.width(), before + 200);
    ASSERT_EQ(form.List()->columnCount(), 4);
    EXPECT_EQ(form.List()->headerItem()->text(3), "Strength");
    EXPECT_EQ(form.List()->columnWidth(3), 100);
    EXPECT_EQ(form.Table().columns[2].alignment, Qt::AlignRight); // the last alignment for the rest
    form.AddRow("#4", {0.2, 0.668, 60}, 1);
    form.AddRow("#5", {0.31, 1.043, 60});
    ASSERT_EQ(form.List()->topLevelItemCount(), 2);
    EXPECT_TRUE(form.List()->topLevelItem(0)->font(0).bold());
    EXPECT_FALSE(form.List()->topLevelItem(1)->font(0).bold());
    EXPECT_EQ(form.List()->topLevelItem(1)->text(2), "1.043");
    EXPECT_GT(form.RowHeight(), 0);
    form.SetColumnWidth(0, 220);
    form.SetColumnWidth(4, 999); // no such column: nothing changes
    EXPECT_EQ(form.List()->columnWidth(0), 220);
    EXPECT_EQ(form.Table().columns[0].width, 220);
    ASSERT_EQ(form.Table().columns.size(), 4u);
    form.FitWidth();
    EXPECT_EQ(form.width(), form.Table().TotalWidth() + 8 + 30);
    // A table wider than the screen is cut to the screen's width (and scrolls).
    QStringList many;
    for (int i = 0; i < 40; ++i)
        many << QString::number(i);
    form.SetColumns("Wide", many);
    form.FitWidth();
    EXPECT_EQ(form.width(), QGuiApplication::primaryScreen()->availableGeometry().width());
}

TEST_F(Computations, FormIsCreatedFilledAndShownModally) {
    auto byLevel = CreateComputationsForm(data, true);
    EXPECT_FALSE(byLevel->isVisible());
    EXPECT_EQ(byLevel->windowTitle(), "Table of Test Results");
    EXPECT_EQ(byLevel->List()->topLevelItemCount(), 3 * (1 + kSpanNodes));
    EXPECT_EQ(byLevel->width(), 1 + 60 + 60 + 4 * 80 + 8 + 30);

    QString shown;
    int rows = 0;
    platform::ScopedModalHandler modal([&](QDialog& d) {
        shown = d.windowTitle();
        rows = d.findChild<QTreeWidget*>("ListView1")->topLevelItemCount();
        return 0;
    });
    ShowComputations(data, false);
    EXPECT_EQ(shown, "Earth Pressures Analysis");
    EXPECT_EQ(rows, 61);
}

} // namespace
} // namespace vantrel
