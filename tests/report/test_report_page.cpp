// The report's page layer: positions in inches as recorded, then painted.

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "report/ReportPage.h"
#include "tests/report/FakeReportHost.h"

namespace vantrel::report::testing {
namespace {

constexpr double kEps = 1e-9;

class ReportPage : public ::testing::Test {
  protected:
    ReportPage() {
        w.MarginLeft = w.MarginRight = w.MarginTop = w.MarginBottom = 0.5;
        w.MoveCursor(0.5, 0.5);
        w.SelectFont(QStringLiteral("Arial"), 10);
    }
    ReportWriter w; // US Letter, 8.5 x 11 in
};

TEST_F(ReportPage, LineHeightAndRemainingLines) {
    struct Case {
        double size, y;
        int lines;
    };
    // Line height 1.2 x size / 72: 10 pt = 1/6 in, 9 pt = 0.15 in, 12 pt = 0.2 in. The bottom
    // margin line is at 11 - 0.5 = 10.5 in; lines = trunc(free / height) + 1.
    for (const Case& c :
         {Case{10, 0.5, 61}, Case{9, 0.5, 67}, Case{12, 10.0, 3}, Case{12, 10.5, 1}, Case{9, 10.6, 0}}) {
        w.SelectFont(QStringLiteral("Arial"), c.size);
        w.MoveCursor(0.5, c.y);
        EXPECT_NEAR(w.LineHeight(), 1.2 * c.size / 72, kEps);
        EXPECT_EQ(w.RemainingLines(), c.lines) << c.size << " pt at " << c.y;
    }
}

TEST_F(ReportPage, LineBreaksRunToTheNextColumnThenTheNextPage) {
    w.UseColumns(2, 0.2);
    w.ColumnTop = 1.25;
    // Column width (8.5 - 1.0 - 0.2) / 2 = 3.65; the right column starts at 0.5 + 3.65 + 0.2.
    EXPECT_NEAR(w.ColumnWidth(), 3.65, kEps);
    EXPECT_NEAR(w.ColumnLeft(1), 4.35, kEps);
    w.MoveCursor(0.5, 10.4);
    w.LineBreak();
    EXPECT_EQ(w.Column(), 1);
    EXPECT_NEAR(w.CursorX(), 4.35, kEps);
    EXPECT_NEAR(w.CursorY(), 1.25, kEps);
    EXPECT_EQ(w.PageNumber(), 1);
    w.MoveCursor(4.35, 10.4);
    w.LineBreak();
    EXPECT_EQ(w.PageNumber(), 2);
    EXPECT_EQ(w.Column(), 0);
    EXPECT_NEAR(w.CursorX(), 0.5, kEps);
    EXPECT_NEAR(w.CursorY(), 1.25, kEps); // a page begun by overflow starts at the column top
    w.ColumnBreak();
    EXPECT_EQ(w.Column(), 1);
    w.ColumnBreak();
    EXPECT_EQ(w.PageNumber(), 3);
    w.PageBreak();
    EXPECT_EQ(w.PageNumber(), 4);
    EXPECT_NEAR(w.CursorY(), 0.5, kEps); // an explicit page break starts at the top margin
    // An ordinary break moves one line down to the column's left edge.
    w.MoveCursor(3.0, 2.0);
    w.LineBreak();
    EXPECT_NEAR(w.CursorX(), 0.5, kEps);
    EXPECT_NEAR(w.CursorY(), 2.0 + 1.0 / 6, kEps);
}

TEST_F(ReportPage, TabsAlignCellsMoveWithTheColumnAndShade) {
    w.UseColumns(2, 0.2);
    w.TabShadeColor = QColor(0xA6, 0xCA, 0xF0);
    w.AddTab(0.5, Align::Left, 1.0, 50);
    w.AddTab(kTabAfterPrevious, Align::Center, 1.0, 0);
    w.AddTab(kTabAfterPrevious, Align::Right, 0.8, 0);
    EXPECT_NEAR(w.TabLeft(2), 1.0, kEps);
    EXPECT_NEAR(w.TabRight(3), 2.8, kEps);
    w.MoveCursor(0.5, 2.0);
    w.WriteCell(QStringLiteral("left"));
    w.WriteCell(QStringLiteral("centre"));
    w.WriteCell(QStringLiteral("right"));
    w.WriteCell(QStringLiteral("beyond")); // no stop left: follows the cursor
    w.ColumnBreak();
    w.MoveCursor(w.CursorX(), 3.0);
    w.WriteCell(QStringLiteral("moved"));
    EXPECT_NEAR(w.TabLeft(1), 0.0, kEps); // tab edges count from the current column's left edge

    const ReportDocument& doc = w.Document();
    struct Expect {
        const char* text;
        double x;
        Align align;
    };
    for (const Expect& e : {Expect{"left", 0.53, Align::Left}, Expect{"centre", 2.0, Align::Center},
                            Expect{"right", 3.27, Align::Right}, Expect{"beyond", 3.3, Align::Left},
                            Expect{"moved", 4.38, Align::Left}}) {
        const TextItem* t = FindText(doc, 0, QLatin1String(e.text));
        ASSERT_TRUE(t) << e.text;
        EXPECT_NEAR(t->anchor.x(), e.x, kEps) << e.text;
        EXPECT_EQ(t->align, e.align) << e.text;
    }
    std::vector<ShadeItem> shades;
    for (const PageItem& item : doc.pages[0].items)
        if (const auto* s = std::get_if<ShadeItem>(&item)) shades.push_back(*s);
    ASSERT_EQ(shades.size(), 2u);
    // Half of $F0CAA6 mixed with white: 255 - (255 - c) / 2.
    EXPECT_EQ(shades[0].color, QColor(211, 229, 248));
    EXPECT_NEAR(shades[0].rect.left(), 0.5, kEps);
    EXPECT_NEAR(shades[0].rect.width(), 1.0, kEps);
    EXPECT_NEAR(shades[0].rect.height(), 1.0 / 6, kEps);
    EXPECT_NEAR(shades[1].rect.left(), 4.35, kEps);
}

TEST_F(ReportPage, StoredTabSetsComeBack) {
    w.AddTab(1.0, Align::Left, 2.0, 0);
    w.StoreTabs(1);
    w.RemoveTabs();
    w.AddTab(3.0, Align::Right, 1.0, 0);
    w.AddTab(4.0, Align::Right, 1.0, 0);
    w.StoreTabs(2);
    w.RecallTabs(1);
    ASSERT_EQ(w.Tabs().size(), 1u);
    EXPECT_NEAR(w.Tabs()[0].pos, 1.0, kEps);
    w.RecallTabs(2);
    EXPECT_EQ(w.Tabs().size(), 2u);
    w.RecallTabs(3); // never stored: no tabs
    EXPECT_TRUE(w.Tabs().empty());
}

TEST_F(ReportPage, WriteFollowsTheCursorAndTabCharactersJumpToStops) {
    w.AddTab(3.0, Align::Left, 1.0, 0);
    w.MoveCursor(1.0, 2.0);
    w.Write(QStringLiteral("a\tb"));
    const TextItem* b = FindText(w.Document(), 0, QStringLiteral("b"));
    ASSERT_TRUE(b);
    EXPECT_NEAR(b->anchor.x(), 3.0, kEps);
    EXPECT_GT(w.CursorX(), 3.0);
    w.WriteLine(QStringLiteral("c"));
    EXPECT_NEAR(w.CursorX(), 0.5, kEps);
    // Wrapped text: every line starts at the left position and stays inside the right one.
    w.MoveCursor(1.0, 3.0);
    w.WriteWrapped(QStringLiteral("one two three four five six seven eight nine ten eleven twelve"), 1.0,
                   2.0);
    int lines = 0;
    for (const TextItem* t : Texts(w.Document(), 0)) {
        if (t->anchor.y() < 3.0) continue;
        ++lines;
        EXPECT_NEAR(t->anchor.x(), 1.0, kEps);
        EXPECT_LE(w.TextWidth(t->text), 1.0 + kEps) << t->text.toStdString();
    }
    EXPECT_GE(lines, 3);
    EXPECT_NEAR(w.CursorY(), 3.0 + lines / 6.0, kEps);
}

TEST_F(ReportPage, FooterRunsOncePerPageWithTheWritingStateRestored) {
    std::vector<int> pages;
    std::vector<double> footerY;
    w.SetFooter([&](ReportWriter& f) {
        pages.push_back(f.PageNumber());
        f.SelectFont(QStringLiteral("Arial"), 20);
        f.MarginLeft = 3.0;
        f.UseColumns(3, 0.1);
        f.RemoveTabs();
        f.MoveCursor(7, 7);
        f.WriteAcross(QStringLiteral("foot"), Align::Right);
        footerY.push_back(FindText(f.Document(), f.PageNumber() - 1, QStringLiteral("foot"))->anchor.y());
    });
    // With a footer the body ends 0.6 in above the page's edge.
    EXPECT_NEAR(w.BottomLine(), 10.4, kEps);
    w.SelectFont(QStringLiteral("Arial"), 9);
    w.SetBold(true);
    w.UseColumns(2, 0.2);
    w.AddTab(1.0, Align::Left, 1.0, 0);
    w.MoveCursor(1.5, 4.0);
    w.PageBreak();
    w.MoveCursor(1.5, 4.0);
    w.PageBreak();
    w.MoveCursor(1.5, 4.0);
    EXPECT_NEAR(w.FontSize(), 9, kEps);
    EXPECT_TRUE(w.Bold());
    EXPECT_NEAR(w.MarginLeft, 0.5, kEps);
    EXPECT_EQ(w.ColumnCount(), 2);
    EXPECT_EQ(w.Tabs().size(), 1u);
    const ReportDocument doc = w.Finish();
    EXPECT_EQ(pages, (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(doc.pages.size(), 3u);
    // WriteAcross writes on the last line above the bottom margin (0.5 in): baseline at
    // 11 - 0.5 - 0.2 x line height of 20 pt.
    EXPECT_NEAR(footerY[0], 10.5 - 0.2 * 1.2 * 20 / 72, kEps);
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

TEST_F(ReportPage, PicturesDecodeTransparentOpaqueOrNotAtAll) {
    QImage source(40, 20, QImage::Format_RGB32);
    source.fill(Qt::white);
    source.setPixel(30, 10, qRgb(200, 0, 0));
    const QByteArray bmp = BitmapData(source);

    const QImage clear = DecodeReportPicture(bmp, QStringLiteral("BMP"), true);
    ASSERT_FALSE(clear.isNull());
    EXPECT_EQ(qAlpha(clear.pixel(5, 5)), 0);     // the top-left colour
    EXPECT_EQ(qAlpha(clear.pixel(30, 10)), 255); // everything else stays
    const QImage opaque = DecodeReportPicture(bmp, QStringLiteral("BMP"), false);
    EXPECT_EQ(qAlpha(opaque.pixel(5, 5)), 255);
    const QImage jpeg = DecodeReportPicture(Encoded(source, "JPG"), QStringLiteral("JPG"), true);
    ASSERT_FALSE(jpeg.isNull());
    EXPECT_EQ(qAlpha(jpeg.pixel(5, 5)), 255); // only bitmaps lose their background
    EXPECT_TRUE(DecodeReportPicture(bmp, QStringLiteral("PNG"), true).isNull());
    EXPECT_TRUE(DecodeReportPicture(bmp.left(30), QStringLiteral("BMP"), true).isNull());
    EXPECT_TRUE(DecodeReportPicture(QByteArray("not a picture"), QStringLiteral("JPG"), true).isNull());
}

TEST_F(ReportPage, RenderedPagePaintsTextsShadesAndPicturesWhereRecorded) {
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    w.TransparentPictures = true;
    w.DrawPicture(1.0, 1.0, 2.0, 2.0, BitmapData(red), QStringLiteral("BMP")); // all one colour: clear
    w.TransparentPictures = false;
    w.DrawPicture(3.0, 1.0, 4.0, 2.0, BitmapData(red), QStringLiteral("BMP"));
    w.DrawPicture(5.0, 1.0, 6.0, 2.0, QByteArray("damaged"), QStringLiteral("BMP"));
    w.AddTab(1.0, Align::Left, 2.0, 100);
    w.MoveCursor(1.0, 4.0);
    w.WriteCell(QString());
    w.SelectFont(QStringLiteral("Arial"), 36);
    w.WriteAligned(QStringLiteral("WWW"), 7.0, Align::Right);
    const ReportDocument doc = w.Finish();

    QImage page(850, 1100, QImage::Format_RGB32); // 100 dpi
    page.setDotsPerMeterX(3937);
    page.setDotsPerMeterY(3937);
    page.fill(Qt::white);
    QPainter painter(&page);
    RenderPage(doc, 0, painter);
    painter.end();
    EXPECT_EQ(page.pixel(150, 150), qRgb(255, 255, 255));              // transparent picture
    EXPECT_EQ(page.pixel(350, 150), qRgb(255, 0, 0));                  // opaque picture
    EXPECT_EQ(page.pixel(550, 150), qRgb(255, 255, 255));              // damaged picture: nothing
    EXPECT_EQ(QColor(page.pixel(200, 395)), QColor(0xA6, 0xCA, 0xF0)); // full shade
    // Right-aligned text ends at x = 7 in: ink just left of it, none right of it.
    auto inkBetween = [&](int x0, int x1) {
        for (int x = x0; x < x1; ++x)
            for (int y = 360; y < 402; ++y)
                if (qGray(page.pixel(x, y)) < 128) return true;
        return false;
    };
    EXPECT_TRUE(inkBetween(660, 700));
    EXPECT_FALSE(inkBetween(702, 760));
}

} // namespace
} // namespace vantrel::report::testing
