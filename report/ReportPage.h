#pragma once
// The report's page layer: a writer with margins, a cursor, fonts, tab stops with shading, columns,
// lines and pictures that records every page as a list of items, and one renderer that paints a
// recorded page with QPainter on any device (printer, print preview, PDF writer, image).
//
// Lengths are inches from the top-left page corner, y downward; font sizes are points. The cursor
// is the baseline of the current line. A line is 1.2 x the font size high, whatever font is
// installed, so the page layout does not depend on the machine.

#include <QByteArray>
#include <QColor>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>
#include <functional>
#include <map>
#include <tuple>
#include <variant>
#include <vector>

class QPainter;
class QImage;

namespace vantrel::report {

enum class Align { Left, Center, Right };

// --- Recorded page items ---------------------------------------------------------------------
struct TextItem {
    QPointF anchor; // x where the text starts, is centred or ends; y its baseline
    QString text;
    QString family;
    double size = 10; // points
    bool bold = false;
    QColor color = Qt::black;
    Align align = Align::Left;
};
struct LineItem {
    QPointF from, to;
};
struct ShadeItem {
    QRectF rect;
    QColor color;
};
struct PictureItem {
    QRectF rect;
    QByteArray data; // the stored picture, decoded only when painted
    QString type;    // "JPG" or "BMP"
    bool transparent = false;
};
using PageItem = std::variant<TextItem, LineItem, ShadeItem, PictureItem>;

struct ReportPageData {
    std::vector<PageItem> items;
};

struct ReportDocument {
    QSizeF pageSize{8.5, 11.0}; // inches
    std::vector<ReportPageData> pages;
};

// --- Writer ----------------------------------------------------------------------------------
struct TabStop {
    double pos = 0; // left edge in column 1, inches from the page's left edge
    Align align = Align::Left;
    double width = 0;
    int shade = 0; // percent of TabShadeColor mixed with white
};

inline constexpr double kTabAfterPrevious = -32768; // AddTab position: right after the previous tab

class ReportWriter {
  public:
    using PageHandler = std::function<void(ReportWriter&)>;

    explicit ReportWriter(QSizeF pageSize = QSizeF(8.5, 11.0));

    // Margins and page.
    double MarginLeft = 0, MarginRight = 0, MarginTop = 0, MarginBottom = 0;
    double ColumnTop = 0;
    QColor TabShadeColor = QColor(0xA6, 0xCA, 0xF0);
    bool TransparentPictures = false;
    double PageWidth() const { return pageSize_.width(); }
    double PageHeight() const { return pageSize_.height(); }
    int PageNumber() const { return static_cast<int>(doc_.pages.size()); }

    // Runs once for every finished page with the whole writing state saved and restored around it.
    void SetFooter(PageHandler footer) { footer_ = std::move(footer); }
    // Called whenever a page is begun (status read-outs).
    void SetPageStarted(std::function<void(int)> started) { pageStarted_ = std::move(started); }

    // Font.
    void SelectFont(const QString& family, double size);
    void SetBold(bool bold) { bold_ = bold; }
    bool Bold() const { return bold_; }
    void SetTextColor(const QColor& color) { color_ = color; }
    double FontSize() const { return size_; }
    double LineHeight() const { return 1.2 * size_ / 72.0; }
    double TextWidth(const QString& text) const;

    // Cursor.
    double CursorX() const { return x_; }
    double CursorY() const { return y_; }
    void MoveCursor(double x, double y) {
        x_ = x;
        y_ = y;
    }
    // The y below which body text does not go: the bottom margin, and with a footer at least 0.6 in
    // above the page's edge so the footer's rule never crosses the last line.
    double BottomLine() const;
    int RemainingLines() const;
    // The lowest point of anything written on the current page (its top margin when empty).
    double DeepestWritten() const;

    // Text.
    void WriteAligned(const QString& text, double x, Align align);
    void Write(const QString& text);
    void WriteLine(const QString& text);
    void WriteAcross(const QString& text, Align align);
    void WriteWrapped(const QString& text, double left, double right);
    void LineBreak();
    void PageBreak();

    // Columns.
    void UseColumns(int count, double gap);
    void SingleColumn() { UseColumns(1, 0); }
    void ColumnBreak();
    int Column() const { return column_; }
    int ColumnCount() const { return columns_; }
    double ColumnLeft(int column) const;
    double ColumnWidth() const;

    // Tabs.
    void AddTab(double pos, Align align, double width, int shadePercent);
    void RemoveTabs() {
        tabs_.clear();
        tabIndex_ = 0;
    }
    void WriteCell(const QString& text);
    void StoreTabs(int slot);
    void RecallTabs(int slot);
    double TabLeft(int n) const;
    double TabRight(int n) const;
    const std::vector<TabStop>& Tabs() const { return tabs_; }

    // Graphics.
    void DrawPicture(double x1, double y1, double x2, double y2, const QByteArray& data, const QString& type);
    void DrawLine(double x1, double y1, double x2, double y2);

    // Runs the footer on the last page and hands over the pages written.
    ReportDocument Finish();
    const ReportDocument& Document() const { return doc_; }

  private:
    struct State;
    void StartPage();
    void FinishPage();
    void ToNextColumnOrPage();
    double ColumnShift() const { return ColumnLeft(column_) - ColumnLeft(0); }
    void AddText(double x, const QString& text, Align align);
    std::vector<PageItem>& Items() { return doc_.pages.back().items; }

    QSizeF pageSize_;
    ReportDocument doc_;
    PageHandler footer_;
    std::function<void(int)> pageStarted_;
    bool inFooter_ = false;
    QString family_ = QStringLiteral("Arial");
    double size_ = 10;
    bool bold_ = false;
    QColor color_ = Qt::black;
    double x_ = 0, y_ = 0;
    int columns_ = 1;
    double columnGap_ = 0;
    int column_ = 0;
    std::vector<TabStop> tabs_;
    size_t tabIndex_ = 0;
    std::array<std::vector<TabStop>, 10> storedTabs_{};
    mutable std::map<std::tuple<QString, double, bool>, QFontMetricsF> metrics_;
};

// --- Rendering -------------------------------------------------------------------------------
// The stored picture as an image: "JPG" and "BMP" data are decoded; a transparent BMP loses the
// colour of its top-left pixel. Anything else, or damaged data, gives a null image (nothing drawn).
QImage DecodeReportPicture(const QByteArray& data, const QString& type, bool transparent);

// Paints page `index` (from 0) with the page's top-left corner at the device's origin.
void RenderPage(const ReportDocument& doc, int index, QPainter& painter);

// Bitmap data of an image as the report stores drawings and charts ("BMP").
QByteArray BitmapData(const QImage& image);

} // namespace vantrel::report
