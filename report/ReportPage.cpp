#include "report/ReportPage.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace vantrel::report {

namespace {

// Text is measured at 1200 dots per inch, the resolution of the PDF writer, so the widths used
// for the layout hardly depend on hinting.
constexpr double kMeasureDpi = 1200.0;
// Inner padding of a tab cell, inches.
constexpr double kCellPad = 0.03;
// A line box reaches from 0.8 line heights above the baseline to 0.2 below it.
constexpr double kAscentShare = 0.8;
constexpr double kDescentShare = 0.2;

QFont MakeFont(const QString& family, double size, bool bold) {
    QFont font(family);
    font.setPointSizeF(size);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

const QPaintDevice* MeasureDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dpm = static_cast<int>(std::lround(kMeasureDpi / 0.0254));
        image.setDotsPerMeterX(dpm);
        image.setDotsPerMeterY(dpm);
        return image;
    }();
    return &device;
}

QColor ShadeOf(const QColor& color, int percent) {
    const double f = std::clamp(percent, 0, 100) / 100.0;
    auto mix = [f](int c) { return static_cast<int>(std::lround(255 - (255 - c) * f)); };
    return QColor(mix(color.red()), mix(color.green()), mix(color.blue()));
}

} // namespace

struct ReportWriter::State {
    double ml, mr, mt, mb, columnTop;
    QColor shade;
    QString family;
    double size;
    bool bold;
    QColor color;
    double x, y;
    int columns;
    double gap;
    int column;
    std::vector<TabStop> tabs;
    size_t tabIndex;
};

ReportWriter::ReportWriter(QSizeF pageSize) : pageSize_(pageSize) {
    doc_.pageSize = pageSize;
    StartPage();
}

void ReportWriter::SelectFont(const QString& family, double size) {
    family_ = family;
    size_ = size;
    bold_ = false;
    color_ = Qt::black;
}

double ReportWriter::TextWidth(const QString& text) const {
    // Metrics are kept per font for the life of the writer; the report uses a handful of sizes.
    const auto key = std::make_tuple(family_, size_, bold_);
    auto it = metrics_.find(key);
    if (it == metrics_.end())
        it = metrics_.emplace(key, QFontMetricsF(MakeFont(family_, size_, bold_), MeasureDevice())).first;
    return it->second.horizontalAdvance(text) / kMeasureDpi;
}

double ReportWriter::BottomLine() const {
    const double bottom = PageHeight() - MarginBottom;
    return footer_ && !inFooter_ ? std::min(bottom, PageHeight() - 0.6) : bottom;
}

int ReportWriter::RemainingLines() const {
    const double free = BottomLine() - y_;
    if (free < 0) return 0;
    return static_cast<int>(std::trunc(free / LineHeight())) + 1;
}

double ReportWriter::DeepestWritten() const {
    double deepest = MarginTop;
    for (const PageItem& item : doc_.pages.back().items) {
        if (const auto* t = std::get_if<TextItem>(&item))
            deepest = std::max(deepest, t->anchor.y() + kDescentShare * 1.2 * t->size / 72.0);
        else if (const auto* l = std::get_if<LineItem>(&item))
            deepest = std::max({deepest, l->from.y(), l->to.y()});
        else if (const auto* s = std::get_if<ShadeItem>(&item))
            deepest = std::max(deepest, s->rect.bottom());
        else if (const auto* p = std::get_if<PictureItem>(&item))
            deepest = std::max(deepest, p->rect.bottom());
    }
    return deepest;
}

void ReportWriter::AddText(double x, const QString& text, Align align) {
    if (text.isEmpty()) return;
    Items().push_back(TextItem{QPointF(x, y_), text, family_, size_, bold_, color_, align});
}

void ReportWriter::WriteAligned(const QString& text, double x, Align align) {
    AddText(x, text, align);
}

void ReportWriter::Write(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('\t'));
    for (int i = 0; i < parts.size(); ++i) {
        if (i > 0 && tabIndex_ < tabs_.size()) x_ = tabs_[tabIndex_++].pos + ColumnShift();
        AddText(x_, parts[i], Align::Left);
        x_ += TextWidth(parts[i]);
    }
}

void ReportWriter::WriteLine(const QString& text) {
    Write(text);
    LineBreak();
}

void ReportWriter::WriteAcross(const QString& text, Align align) {
    const double saved = y_;
    y_ = PageHeight() - MarginBottom - kDescentShare * LineHeight();
    const double left = MarginLeft, right = PageWidth() - MarginRight;
    AddText(align == Align::Left ? left : align == Align::Right ? right : (left + right) / 2, text, align);
    y_ = saved;
}

void ReportWriter::WriteWrapped(const QString& text, double left, double right) {
    const double width = right - left;
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& paragraph : normalized.split(QLatin1Char('\n'))) {
        QString line;
        auto flush = [&] {
            x_ = left;
            AddText(left, line, Align::Left);
            LineBreak();
            line.clear();
        };
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && TextWidth(candidate) > width) {
                flush();
                line = word;
            } else {
                line = candidate;
            }
        }
        flush();
    }
}

void ReportWriter::LineBreak() {
    tabIndex_ = 0;
    if (y_ + LineHeight() > BottomLine()) {
        ToNextColumnOrPage();
        return;
    }
    y_ += LineHeight();
    x_ = ColumnLeft(column_);
}

void ReportWriter::ToNextColumnOrPage() {
    tabIndex_ = 0;
    if (column_ + 1 < columns_) {
        ++column_;
    } else {
        FinishPage();
        StartPage();
        column_ = 0;
    }
    x_ = ColumnLeft(column_);
    // Columns start at the column top; ColumnTop stays as the last two-column part left it, so a
    // page that single-column text runs onto starts at the top margin.
    y_ = columns_ > 1 ? std::max(ColumnTop, MarginTop) : MarginTop;
}

void ReportWriter::ColumnBreak() {
    ToNextColumnOrPage();
}

void ReportWriter::PageBreak() {
    FinishPage();
    StartPage();
    column_ = 0;
    tabIndex_ = 0;
    x_ = MarginLeft;
    y_ = MarginTop;
}

void ReportWriter::StartPage() {
    doc_.pages.emplace_back();
    if (pageStarted_) pageStarted_(PageNumber());
}

void ReportWriter::FinishPage() {
    if (!footer_ || inFooter_) return;
    const State saved{MarginLeft, MarginRight, MarginTop, MarginBottom, ColumnTop, TabShadeColor,
                      family_,    size_,       bold_,     color_,       x_,        y_,
                      columns_,   columnGap_,  column_,   tabs_,        tabIndex_};
    inFooter_ = true;
    footer_(*this);
    inFooter_ = false;
    MarginLeft = saved.ml, MarginRight = saved.mr, MarginTop = saved.mt, MarginBottom = saved.mb;
    ColumnTop = saved.columnTop, TabShadeColor = saved.shade;
    family_ = saved.family, size_ = saved.size, bold_ = saved.bold, color_ = saved.color;
    x_ = saved.x, y_ = saved.y;
    columns_ = saved.columns, columnGap_ = saved.gap, column_ = saved.column;
    tabs_ = saved.tabs, tabIndex_ = saved.tabIndex;
}

void ReportWriter::UseColumns(int count, double gap) {
    columns_ = std::max(1, count);
    columnGap_ = columns_ > 1 ? gap : 0;
    column_ = 0;
}

double ReportWriter::ColumnWidth() const {
    return (PageWidth() - MarginLeft - MarginRight - (columns_ - 1) * columnGap_) / columns_;
}

double ReportWriter::ColumnLeft(int column) const {
    return MarginLeft + column * (ColumnWidth() + columnGap_);
}

void ReportWriter::AddTab(double pos, Align align, double width, int shadePercent) {
    if (pos == kTabAfterPrevious) pos = tabs_.empty() ? MarginLeft : tabs_.back().pos + tabs_.back().width;
    tabs_.push_back(TabStop{pos, align, width, shadePercent});
}

void ReportWriter::WriteCell(const QString& text) {
    if (tabIndex_ >= tabs_.size()) {
        // No stop left: the text follows the cursor.
        AddText(x_, text, Align::Left);
        x_ += TextWidth(text);
        return;
    }
    const TabStop& tab = tabs_[tabIndex_++];
    const double left = tab.pos + ColumnShift();
    if (tab.shade > 0) {
        const double lh = LineHeight();
        Items().push_back(ShadeItem{QRectF(left, y_ - kAscentShare * lh, tab.width, lh),
                                    ShadeOf(TabShadeColor, tab.shade)});
    }
    switch (tab.align) {
    case Align::Left:
        AddText(left + kCellPad, text, Align::Left);
        break;
    case Align::Center:
        AddText(left + tab.width / 2, text, Align::Center);
        break;
    case Align::Right:
        AddText(left + tab.width - kCellPad, text, Align::Right);
        break;
    }
    x_ = left + tab.width;
}

void ReportWriter::StoreTabs(int slot) {
    if (slot >= 1 && slot <= 10) storedTabs_[slot - 1] = tabs_;
}

void ReportWriter::RecallTabs(int slot) {
    if (slot >= 1 && slot <= 10) {
        tabs_ = storedTabs_[slot - 1];
        tabIndex_ = 0;
    }
}

double ReportWriter::TabLeft(int n) const {
    if (n < 1 || n > static_cast<int>(tabs_.size())) return 0;
    return tabs_[n - 1].pos - ColumnLeft(0);
}

double ReportWriter::TabRight(int n) const {
    if (n < 1 || n > static_cast<int>(tabs_.size())) return 0;
    return TabLeft(n) + tabs_[n - 1].width;
}

void ReportWriter::DrawPicture(double x1, double y1, double x2, double y2, const QByteArray& data,
                               const QString& type) {
    const QRectF rect = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    if (rect.isEmpty() || data.isEmpty()) return;
    Items().push_back(PictureItem{rect, data, type, TransparentPictures});
}

void ReportWriter::DrawLine(double x1, double y1, double x2, double y2) {
    Items().push_back(LineItem{QPointF(x1, y1), QPointF(x2, y2)});
}

ReportDocument ReportWriter::Finish() {
    FinishPage();
    ReportDocument out = std::move(doc_);
    doc_ = ReportDocument{pageSize_, {}};
    doc_.pages.emplace_back();
    return out;
}

// --- Rendering -------------------------------------------------------------------------------

QImage DecodeReportPicture(const QByteArray& data, const QString& type, bool transparent) {
    if (type != QLatin1String("JPG") && type != QLatin1String("BMP")) return {};
    QImage image;
    if (!image.loadFromData(data, type == QLatin1String("JPG") ? "JPG" : "BMP")) return {};
    if (type == QLatin1String("BMP") && transparent) {
        // Drawings and charts are white at their top-left corner: that colour becomes see-through.
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = image.pixel(0, 0) | 0xFF000000u;
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] | 0xFF000000u) == key) line[x] = 0;
        }
    }
    return image;
}

QByteArray BitmapData(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return bytes;
}

void RenderPage(const ReportDocument& doc, int index, QPainter& painter) {
    if (index < 0 || index >= static_cast<int>(doc.pages.size())) return;
    const QPaintDevice* device = painter.device();
    const double dx = device->logicalDpiX(), dy = device->logicalDpiY();
    auto at = [dx, dy](const QPointF& p) { return QPointF(p.x() * dx, p.y() * dy); };
    auto rect = [&](const QRectF& r) { return QRectF(at(r.topLeft()), at(r.bottomRight())); };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const PageItem& item : doc.pages[index].items) {
        if (const auto* t = std::get_if<TextItem>(&item)) {
            const QFont font = MakeFont(t->family, t->size, t->bold);
            painter.setFont(font);
            painter.setPen(t->color);
            const double w = QFontMetricsF(font, painter.device()).horizontalAdvance(t->text);
            QPointF p = at(t->anchor);
            if (t->align == Align::Center)
                p.rx() -= w / 2;
            else if (t->align == Align::Right)
                p.rx() -= w;
            painter.drawText(p, t->text);
        } else if (const auto* l = std::get_if<LineItem>(&item)) {
            QPen pen(Qt::black);
            pen.setWidthF(0.5 / 72.0 * dx); // half a point
            painter.setPen(pen);
            painter.drawLine(at(l->from), at(l->to));
        } else if (const auto* s = std::get_if<ShadeItem>(&item)) {
            painter.fillRect(rect(s->rect), s->color);
        } else if (const auto* pic = std::get_if<PictureItem>(&item)) {
            const QImage image = DecodeReportPicture(pic->data, pic->type, pic->transparent);
            if (!image.isNull()) painter.drawImage(rect(pic->rect), image);
        }
    }
    painter.restore();
}

} // namespace vantrel::report
