// Member check and interaction tables: rows, captions, values and units in both systems.

#include <QTreeWidget>

#include "platform/Dialogs.h"
#include "tests/ui/dialog_test_support.h"
#include "ui/Tables.h"

namespace vantrel {
namespace {

struct Row {
    const char* caption;
    const char* value; // null: heading row
};

std::vector<Row> RowsOf(const TfrmTable& table) {
    std::vector<Row> rows;
    static std::vector<QByteArray> keep; // texts live as long as the test
    for (int r = 0; r < table.RowCount(); ++r) {
        keep.push_back(table.Cell(r, 0).toUtf8());
        const char* caption = keep.back().constData();
        const QString value = table.Cell(r, 1);
        keep.push_back(value.toUtf8());
        rows.push_back({caption, value.isEmpty() ? nullptr : keep.back().constData()});
    }
    return rows;
}

void ExpectRows(const TfrmTable& table, const std::vector<Row>& expected) {
    const auto rows = RowsOf(table);
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_STREQ(rows[i].caption, expected[i].caption) << i;
        if (expected[i].value)
            EXPECT_STREQ(rows[i].value ? rows[i].value : "(empty)", expected[i].value) << expected[i].caption;
        else
            EXPECT_EQ(rows[i].value, nullptr) << expected[i].caption;
    }
}

class TablesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TShapeRes& r = level.Result;
        r.KLrX = 45.678L;
        r.KLrY = 88.001L;
        r.Fcr = 21.456L;
        r.Pa = 123.6L;
        r.PUtil = 0.4149L;
        r.Lp = 9.875L;
        r.Lr = kNaN;
        r.LbOverRts = 60.0L;
        r.Fbx = 12.3L;
        r.MxAllow = 456.4L;
        r.MxUtil = 0.25L;
        r.Fby = 1.5L;
        r.MyAllow = 99.4999999999L; // 10 significant digits: 99.50000000, shown as 100
        r.MyUtil = 0.0L;
        level.CombinedRatio = 0.66666L;
    }
    TKdData data;
    TAnchLevel level;
    TfrmTable table;
};

TEST_F(TablesTest, MemberCheckOfAnIShapeInBothSystems) {
    level.MemberKind = 0;
    FillMemberCheckTable(table, data, level);
    EXPECT_EQ(table.ListView1()->columnCount(), 2);
    EXPECT_EQ(table.windowTitle(), QStringLiteral("Table of Test Results"));
    ExpectRows(table, {{"For Axial Compression:", nullptr},
                       {"Kx*Lx/rx", "45.68"},
                       {"Kx*Lx/ry", "88.00"},
                       {"Fcr", "21.46 ksi"},
                       {"Pa", "124 kip"},
                       {"Putil", "0.41"},
                       {"For X-axis Bending:", nullptr},
                       {"Lc", "9.88 ft"},
                       {"Lu", "N.A."},
                       {"Lb/rt", "60.00"},
                       {"fbx", "12.30 ksi"},
                       {"Mxn/omega", "456 kip-ft"},
                       {"Mxutil", "0.25"},
                       {"For Y-axis Bending:", nullptr},
                       {"fby", "1.50 ksi"},
                       {"Myn/omega", "100 kip-ft"},
                       {"Myutil", "0.00"},
                       {"Combined Utilization Ratio", "0.667"}});

    data.SetUnits(usSI);
    FillMemberCheckTable(table, data, level);
    ASSERT_EQ(table.RowCount(), 18);
    EXPECT_EQ(table.Cell(3, 1), QStringLiteral("21.46 MPa"));
    EXPECT_EQ(table.Cell(4, 1), QStringLiteral("124 KN"));
    EXPECT_EQ(table.Cell(7, 1), QStringLiteral("9.88 m"));
    EXPECT_EQ(table.Cell(11, 1), QStringLiteral("456 KN-m"));
}

TEST_F(TablesTest, MemberCheckOfAPipe) {
    level.MemberKind = 1;
    data.SetUnits(usSI);
    FillMemberCheckTable(table, data, level);
    ExpectRows(table, {{"For Axial Compression:", nullptr},
                       {"Kx*Lx/rx", "45.68"},
                       {"Fcr", "21.46 MPa"},
                       {"Pa", "124 KN"},
                       {"Putil", "0.41"},
                       {"For X-axis Bending:", nullptr},
                       {"fbx", "12.30 MPa"},
                       {"Mn/omega", "456 KN-m"},
                       {"Mxutil", "0.25"},
                       {"Combined Utilization Ratio", "0.667"}});
    // The table never cuts a caption: the first column is at least as wide as set and fits its texts.
    EXPECT_GE(table.ListView1()->columnWidth(0), 140);
    EXPECT_GE(table.ListView1()->columnWidth(0), table.ListView1()->fontMetrics().horizontalAdvance(
                                                     QStringLiteral("Combined Utilization Ratio")));
}

TEST_F(TablesTest, InteractionTableColumnsRowsAndUnits) {
    for (size_t i = 0; i < data.Interaction.size(); ++i) {
        TInteractionPoint& p = data.Interaction[i];
        p.c = 10.0L + i;
        p.Eps1 = 0.0021L;
        p.Fc = 1234.6L;
        p.PhiMn = i == 8 ? kNaN : 500.4L;
    }
    struct Case {
        int units;
        const char* c;
        const char* fc;
        const char* phiMn;
    };
    for (const Case& u :
         {Case{0, "c, in", "Fc, kip", "PhiMn, k-ft"}, Case{1, "c, mm", "Fc, KN", "PhiMn, KN.m"}}) {
        FillInteractionTable(table, data, u.units);
        QTreeWidget* list = table.ListView1();
        ASSERT_EQ(list->columnCount(), 10);
        QStringList captions;
        for (int c = 0; c < 10; ++c)
            captions << list->headerItem()->text(c);
        EXPECT_EQ(captions, QStringList({"", "no axial", "", "", "balanced", "", "", "", "", "above Pmax"}));
        ASSERT_EQ(table.RowCount(), 17);
        EXPECT_EQ(table.Cell(0, 0), QString::fromLatin1(u.c));
        EXPECT_EQ(table.Cell(10, 0), QString::fromLatin1(u.fc));
        EXPECT_EQ(table.Cell(16, 0), QString::fromLatin1(u.phiMn));
        EXPECT_EQ(table.Cell(7, 0), QStringLiteral("Theta, rad"));
        // Point k in column k + 1, with the row's decimals and no unit.
        EXPECT_EQ(table.Cell(0, 1), QStringLiteral("10.00"));
        EXPECT_EQ(table.Cell(0, 9), QStringLiteral("18.00"));
        EXPECT_EQ(table.Cell(1, 5), QStringLiteral("0.002"));
        EXPECT_EQ(table.Cell(10, 2), QStringLiteral("1235"));
        EXPECT_EQ(table.Cell(16, 8), QStringLiteral("500"));
        EXPECT_EQ(table.Cell(16, 9), QStringLiteral("N.A."));
        EXPECT_EQ(list->headerItem()->textAlignment(5) & Qt::AlignHorizontal_Mask, int(Qt::AlignHCenter));
    }
}

TEST_F(TablesTest, ShownModallyThroughTheSeam) {
    int shown = 0;
    platform::ScopedModalHandler handler([&](QDialog& dialog) {
        auto* t = dynamic_cast<TfrmTable*>(&dialog);
        EXPECT_NE(t, nullptr);
        if (t) shown += t->RowCount();
        // A single fixed border: dragging an edge leaves the window as it is.
        const QSize size = dialog.size();
        dialog.resize(size + QSize(200, 100));
        EXPECT_EQ(dialog.size(), size);
        return int(QDialog::Accepted);
    });
    ShowInteractionTable(data, 0);
    ShowMemberCheckTable(data, level);
    EXPECT_EQ(shown, 17 + 18);
}

} // namespace
} // namespace vantrel
