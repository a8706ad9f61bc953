#include "report/ReportDriver.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "model/KdClasses.h"
#include "report/PanelPrinter.h"
#include "report/ReportHost.h"
#include "report/ReportTables.h"

namespace vantrel::report {

namespace {

const QString kArial = QStringLiteral("Arial");
// Pictures end this far above the page's bottom edge, clear of the footer's text.
constexpr double kPictureBottomGap = 0.51;

void Heading(ReportWriter& w, const QString& text, double size, double after) {
    w.SelectFont(kArial, size);
    w.SetBold(true);
    w.WriteAligned(text, w.PageWidth() / 2, Align::Center);
    w.SelectFont(kArial, after);
}

void Margins(ReportWriter& w, double left, double right, double top, double bottom) {
    w.MarginLeft = left, w.MarginRight = right, w.MarginTop = top, w.MarginBottom = bottom;
}

// Chart pictures lose a 2-pixel strip at their left edge, where the chart's frame would print.
QByteArray ChartData(QImage image) {
    image = image.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, std::min(2, image.width()), image.height(), Qt::white);
    painter.end();
    return BitmapData(image);
}

double Aspect(const QImage& image) {
    return static_cast<double>(image.height()) / image.width();
}

QString CaptionOr(const ReportHost& host, const char* name, const char* fallback) {
    const QWidget* w = host.Control(QLatin1String(name));
    return w ? ShownText(w) : QLatin1String(fallback);
}

QString ValueOr(const ReportHost& host, const char* name, const std::string& fallback) {
    const QWidget* w = host.Control(QLatin1String(name));
    return w ? ShownText(w) : QString::fromStdString(fallback);
}

QString ProjectDate(const ReportHost& host) {
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (const auto* picker =
            qobject_cast<const QDateTimeEdit*>(host.Control(QStringLiteral("DateTimePicker1"))))
        return picker->date().toString(format);
    const double days = host.Project().Date;
    return QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(days))).toString(format);
}

// Switches a waler tab control level by level and puts the tab and the section caption back.
class WalerTabsGuard {
  public:
    WalerTabsGuard(ReportHost& host, int tabControl, const QString& captionLabel)
        : host_(host), tabControl_(tabControl), kept_(host.WalerTab(tabControl)),
          caption_(qobject_cast<QLabel*>(host.Control(captionLabel))) {}
    ~WalerTabsGuard() {
        try {
            if (caption_) caption_->setText(QStringLiteral("Waler Design"));
            host_.SelectWalerTab(tabControl_, kept_);
        } catch (...) {
            // Restoring the window must not hide the error that ended the report.
        }
    }
    WalerTabsGuard(const WalerTabsGuard&) = delete;
    WalerTabsGuard& operator=(const WalerTabsGuard&) = delete;

    void ShowLevel(int level) {
        if (caption_)
            caption_->setText(QStringLiteral("Waler Design - Level ") + QChar(QLatin1Char('A' + level % 26)));
        host_.SelectWalerTab(tabControl_, level);
    }

  private:
    ReportHost& host_;
    int tabControl_;
    int kept_;
    QLabel* caption_;
};

class Driver {
  public:
    Driver(ReportHost& host, ReportWriter& w)
        : host_(host), w_(w), printer_(host, w), data_(host.Project()) {}

    void Run() {
        TitlePage();
        Inputs();
        Results();
        Settlement();
        if (data_.UseGuardrail) Guardrail();
        w_.PageBreak();
        PrintTestResultsTable(w_, host_.EarthPressureTable());
        Charts();
        NotesAndReferences();
    }

  private:
    double Wp() const { return w_.PageWidth() - w_.MarginLeft - w_.MarginRight; }

    void TitlePage() {
        Margins(w_, 1.0, 1.0, 1.0, 1.0);
        w_.TransparentPictures = true;
        w_.MoveCursor(w_.MarginLeft, w_.MarginTop);
        const double pw = w_.PageWidth(), ph = w_.PageHeight();
        w_.SelectFont(kArial, 14);
        w_.SetBold(true);
        w_.WriteAligned(QStringLiteral("Vantrel Analysis"), pw / 2, Align::Center);
        w_.LineBreak();
        const double y0 = w_.CursorY();
        w_.LineBreak();
        w_.RemoveTabs();
        w_.SelectFont(kArial, 9);
        w_.AddTab(1.0, Align::Left, 1.0, 0);
        w_.AddTab(2.0, Align::Left, pw - 3.0, 0);
        const std::pair<QString, QString> lines[] = {
            {CaptionOr(host_, "Label57", "Organization"), ValueOr(host_, "Edit28", data_.Organization)},
            {CaptionOr(host_, "Label59", "Project Name"), ValueOr(host_, "Edit33", data_.ProjectName)},
            {CaptionOr(host_, "Label58", "Design by"), ValueOr(host_, "Edit29", data_.DesignedBy)},
            {CaptionOr(host_, "Label55", "Job #"), ValueOr(host_, "Edit27", data_.JobNumber)},
            {CaptionOr(host_, "Label56", "Date"), ProjectDate(host_)},
        };
        double y1 = y0;
        for (const auto& [caption, value] : lines) {
            w_.WriteCell(caption + QStringLiteral(": "));
            w_.SetBold(true);
            w_.WriteCell(value);
            w_.SetBold(false);
            y1 = w_.CursorY();
            w_.LineBreak();
        }
        w_.RemoveTabs();

        if (!data_.Logo.empty()) {
            const QByteArray jpeg(reinterpret_cast<const char*>(data_.Logo.data()),
                                  static_cast<qsizetype>(data_.Logo.size()));
            QSize size = host_.LogoSize();
            if (size.isEmpty()) size = QImage::fromData(jpeg).size();
            if (!size.isEmpty()) {
                const double x2 = pw - w_.MarginLeft;
                w_.DrawPicture(x2 - (y1 - y0) * size.width() / size.height(), y0, x2, y1, jpeg,
                               QStringLiteral("JPG"));
            }
        }

        // Cross section, cut at a sixth-and-a-bit above the bottom margin and centred when tall.
        const double wp = Wp();
        const int width = static_cast<int>(std::lround(wp * 200));
        const int height = width * 13 / 16;
        const QImage section = host_.Diagram(0, QSize(width, height));
        // The drawing may come back cropped to what it drew: its own proportions count.
        const QSize drawn = section.isNull() ? QSize(width, height) : section.size();
        double x1 = w_.MarginLeft, x2 = pw - w_.MarginRight;
        const double ya = w_.CursorY() + 0.2;
        double yb = ya + (x2 - x1) * drawn.height() / drawn.width();
        const double limit = (ph - w_.MarginTop - w_.MarginBottom) - 0.15 * ph;
        if (yb > limit) {
            yb = limit;
            x2 = x1 + (yb - ya) * drawn.width() / drawn.height();
            const double shift = (wp - (x2 - x1)) / 2;
            x1 += shift, x2 += shift;
        }
        if (!section.isNull()) w_.DrawPicture(x1, ya, x2, yb, BitmapData(section), QStringLiteral("BMP"));
        w_.MoveCursor(w_.MarginLeft, yb);

        // Pile plan view down to the bottom margin.
        const int planWidth = static_cast<int>(std::lround(wp * 300));
        const int planHeight = static_cast<int>(std::lround(planWidth * (ph - w_.MarginBottom - yb) / wp));
        if (planHeight > 0) {
            const QImage plan = host_.Diagram(1, QSize(planWidth, planHeight));
            const double left = w_.MarginLeft, right = pw - w_.MarginRight;
            if (!plan.isNull())
                w_.DrawPicture(left, yb, right, yb + (right - left) * plan.height() / plan.width(),
                               BitmapData(plan), QStringLiteral("BMP"));
        }
    }

    void SectionPageHeading(const QString& text) {
        w_.UseColumns(2, 0.2);
        w_.ColumnTop = 0;
        Heading(w_, text, 12, 9);
        w_.LineBreak();
        w_.LineBreak();
        w_.ColumnTop = w_.CursorY();
        w_.MoveCursor(w_.CursorX(), w_.ColumnTop);
    }

    void BreakColumn() {
        w_.ColumnBreak();
        w_.MoveCursor(w_.CursorX(), w_.ColumnTop);
    }

    void PrintWalerSections(const QString& panelName, int tabControl, const QString& captionLabel) {
        QWidget* panel = host_.Control(panelName);
        WalerTabsGuard guard(host_, tabControl, captionLabel);
        for (int j = 0; j < data_.Anchors.UsedLevels(); ++j) {
            if (!data_.Anchors.Levels[j].Waler.HasWaler) continue;
            guard.ShowLevel(j);
            printer_.PrintPanel(panel);
        }
    }

    // An input section prints when the window shows it and the project uses it: lagging, corner
    // braces, basal heave and walers only when there are any.
    bool InputPrints(const QWidget* panel) const {
        const QString name = panel->objectName();
        if (panel->isHidden() || name == QLatin1String("Panel36")) return false;
        if (name == QLatin1String("Panel21")) return data_.LaggingType != ltNone;
        if (name == QLatin1String("Panel54")) return data_.CountCornerBraces() > 0;
        if (name == QLatin1String("Panel15")) return data_.UseBasalHeave;
        if (name == QLatin1String("Panel16")) return data_.CountWalerLevels() > 0;
        return true;
    }

    void Inputs() {
        Margins(w_, 0.5, 0.5, 0.5, 0.5);
        w_.PageBreak();
        SectionPageHeading(QStringLiteral("Inputs"));
        // The column rules count only the sections that print, not every panel of the list: one
        // that prints nothing would leave its column empty when a break falls before it.
        std::vector<QWidget*> panels;
        for (QWidget* p : host_.InputSections())
            if (InputPrints(p)) panels.push_back(p);
        const int n = static_cast<int>(panels.size());
        int countdown = 0;
        int page = w_.PageNumber();
        for (int i = 0; i < n; ++i) {
            if (--countdown == 0 || (n - i == 2 && w_.RemainingLines() < 15)) BreakColumn();
            if (panels[i]->objectName() == QLatin1String("Panel16"))
                PrintWalerSections(QStringLiteral("Panel16"), 1, QStringLiteral("Label84"));
            else
                printer_.PrintPanel(panels[i]);
            // After a section that ran onto a new page, the sections still to come are shared
            // between the two columns of that page.
            if (w_.PageNumber() != page) {
                page = w_.PageNumber();
                countdown = (n - i) / 2;
            }
        }
    }

    void Results() {
        w_.RemoveTabs();
        w_.SingleColumn();
        w_.PageBreak();
        SectionPageHeading(QStringLiteral("Results"));
        std::vector<QWidget*> panels;
        for (QWidget* p : host_.ResultSections())
            if (!p->isHidden() && p->objectName() != QLatin1String("Panel39")) panels.push_back(p);
        const int n = static_cast<int>(panels.size());
        deepest_ = w_.MarginTop;
        int page = w_.PageNumber();
        // With few sections the main results stand alone in the left column.
        int countdown = data_.CountWalerLevels() - 1 + n < 6 ? 2 : 0;
        for (int i = 0; i < n; ++i) {
            if (--countdown == 0) {
                deepest_ = std::max(deepest_, w_.DeepestWritten());
                BreakColumn();
            }
            if (panels[i]->objectName() == QLatin1String("Panel48"))
                PrintWalerSections(QStringLiteral("Panel48"), 2, QStringLiteral("Label101"));
            else
                printer_.PrintPanel(panels[i]);
            if (w_.PageNumber() != page) {
                deepest_ = w_.MarginTop;
                page = w_.PageNumber();
                countdown = std::min((n - i) / 2, 3);
            }
            deepest_ = std::max(deepest_, w_.DeepestWritten());
        }
    }

    // Settlement: in the right half below the right column when it fits above the deepest point
    // of the page, otherwise centred below both columns, on a new page when it would not fit.
    void Settlement() {
        const std::vector<QImage> pictures = host_.ChartPictures(18);
        const double pw = w_.PageWidth(), ph = w_.PageHeight();
        const double bottom = ph - kPictureBottomGap;
        deepest_ = std::max({deepest_, w_.DeepestWritten(), w_.CursorY()});
        if (pictures.empty() || pictures.front().isNull()) {
            w_.MoveCursor(w_.MarginLeft, deepest_);
            w_.RemoveTabs();
            w_.SingleColumn();
            return;
        }
        const QImage& picture = pictures.front();
        const double aspect = Aspect(picture);
        // The centred place's height decides: when it fits between the cursor and the deepest
        // point of the page, the picture goes into the right half below the right column.
        double x1 = pw / 4, x2 = pw - pw / 4;
        if ((x2 - x1) * aspect < deepest_ - w_.CursorY()) {
            x1 = pw / 2, x2 = pw - w_.MarginLeft;
        } else {
            w_.MoveCursor(w_.MarginLeft, deepest_);
            if (deepest_ + 0.2 + (x2 - x1) * aspect > bottom && deepest_ > w_.MarginTop) {
                w_.PageBreak();
                deepest_ = w_.MarginTop;
            }
        }
        const double ya = w_.CursorY() + 0.2;
        double yb = ya + (x2 - x1) * aspect;
        if (yb > bottom) { // taller than a page: narrowed about its centre, keeping its proportions
            yb = bottom;
            const double centre = (x1 + x2) / 2, half = (yb - ya) / aspect / 2;
            x1 = centre - half, x2 = centre + half;
        }
        w_.SelectFont(kArial, 12);
        w_.SetBold(true);
        w_.LineBreak();
        w_.WriteAligned(QStringLiteral("Surface Settlement"), (x1 + x2) / 2, Align::Center);
        w_.SelectFont(kArial, 8);
        w_.DrawPicture(x1, ya, x2, yb, ChartData(picture), QStringLiteral("BMP"));
        deepest_ = std::max(deepest_, yb);
        w_.MoveCursor(w_.MarginLeft, deepest_);
        w_.RemoveTabs();
        w_.SingleColumn();
    }

    // Guardrail: both sections side by side, the detail below the longer of the two.
    void Guardrail() {
        const double pw = w_.PageWidth(), ph = w_.PageHeight();
        if (w_.CursorY() > ph / 2) {
            w_.PageBreak();
        } else {
            w_.SelectFont(kArial, 12);
            w_.LineBreak();
        }
        Heading(w_, QStringLiteral("Guardrail Design"), 12, 8);
        w_.LineBreak();
        w_.LineBreak();
        w_.ColumnTop = w_.CursorY();
        w_.UseColumns(2, 0.2);
        printer_.PrintPanel(host_.Control(QStringLiteral("Panel36")));
        BreakColumn();
        printer_.PrintPanel(host_.Control(QStringLiteral("Panel39")));
        w_.SingleColumn();
        double top = std::max(w_.DeepestWritten(), w_.CursorY());
        if (ph - w_.MarginBottom - top < 2.0) {
            w_.PageBreak();
            top = w_.MarginTop;
        }
        const double wp = Wp();
        const int width = static_cast<int>(std::lround(wp * 300));
        const int height =
            static_cast<int>(std::lround(width * std::min(ph - w_.MarginBottom - top, ph / 2) / wp));
        if (height <= 0) return;
        const QImage detail = host_.Diagram(2, QSize(width, height));
        const QSize drawn = detail.isNull() ? QSize(width, height) : detail.size();
        const double x1 = w_.MarginLeft, x2 = pw - w_.MarginRight;
        const double ya = top + 0.2;
        const double yb = std::min(ya + (x2 - x1) * drawn.height() / drawn.width(), ph - kPictureBottomGap);
        if (!detail.isNull() && yb > ya)
            w_.DrawPicture(x1, ya, x2, yb, BitmapData(detail), QStringLiteral("BMP"));
        w_.MoveCursor(w_.MarginLeft, yb);
        w_.RemoveTabs();
    }

    // Width of the pictures of a chart page, from the proportions of the first one; a wide picture
    // is kept to its half of the page, so the two columns never overlap.
    double GridWidth(const QImage& first) const {
        return std::min((w_.PageHeight() - 1.6) / 2 / Aspect(first), w_.PageWidth() / 2 - 0.55);
    }

    // Four pictures in a 2 x 2 grid, their width from the first one's proportions.
    void ChartGrid(const std::vector<QImage>& pictures, size_t first, size_t count) {
        if (first >= pictures.size() || pictures[first].isNull()) return;
        const double pw = w_.PageWidth(), ph = w_.PageHeight();
        const double w = GridWidth(pictures[first]);
        const QRectF places[] = {QRectF(QPointF(0.5, 0.5), QPointF(0.5 + w, ph / 2)),
                                 QRectF(QPointF(pw - w - 0.5, 0.5), QPointF(pw - 0.5, ph / 2)),
                                 QRectF(QPointF(0.5, ph / 2), QPointF(0.5 + w, ph - 0.8)),
                                 QRectF(QPointF(pw - w - 0.5, ph / 2), QPointF(pw - 0.5, ph - 0.8))};
        for (size_t k = 0; k < count && first + k < pictures.size(); ++k) {
            const QImage& picture = pictures[first + k];
            if (!picture.isNull())
                w_.DrawPicture(places[k].left(), places[k].top(), places[k].right(), places[k].bottom(),
                               ChartData(picture), QStringLiteral("BMP"));
        }
    }

    void ChartsHeading() {
        w_.MoveCursor(w_.MarginLeft, 0.5);
        Heading(w_, QStringLiteral("Charts"), 12, 10);
    }

    // A chart page of four pictures under the heading "Charts".
    void HeadedChartPage(const std::vector<QImage>& pictures, size_t first) {
        ChartGrid(pictures, first, 4);
        ChartsHeading();
        w_.PageBreak();
    }

    void Charts() {
        w_.PageBreak();
        Margins(w_, 1.0, 1.0, 1.0, 1.0);
        {
            const std::vector<QImage> pressures = host_.ChartPictures(7);
            HeadedChartPage(pressures, 0);
            HeadedChartPage(pressures, 4);
        }
        w_.SingleColumn();
        Margins(w_, 1.0, 1.0, 1.0, 0.5);
        const std::vector<QImage> pile = host_.ChartPictures(0);
        HeadedChartPage(pile, 0);
        chartPage_ = w_.PageNumber();
        ChartGrid(pile, 4, 2);
        // The notes go below half the page when a chart of the top row reaches their column.
        const double notesLeft = w_.PageWidth() / 2 - 0.3;
        const bool interaction = pile.size() > 5 && !pile[4].isNull() && !pile[5].isNull();
        const bool wideFirst = pile.size() > 4 && !pile[4].isNull() && 0.5 + GridWidth(pile[4]) > notesLeft;
        notesBelowCharts_ = interaction || wideFirst;
    }

    // Notes at the right of the last chart page, references below; neither runs over a chart.
    void NotesAndReferences() {
        const double pw = w_.PageWidth(), ph = w_.PageHeight();
        w_.MarginLeft = pw / 2 - 0.3;
        w_.SelectFont(kArial, 10);
        w_.MoveCursor(w_.MarginLeft, notesBelowCharts_ ? ph / 2 + w_.LineHeight() : w_.MarginTop);
        w_.SetBold(true);
        w_.Write(QStringLiteral("NOTES:"));
        w_.LineBreak();
        w_.SetBold(false);
        w_.SelectFont(kArial, 9);
        for (const QString& note : ReportNotes())
            PrintWrappedText(w_, note, w_.MarginLeft, pw - w_.MarginRight / 2);
        w_.LineBreak();
        w_.MarginLeft = 1.0;
        w_.SelectFont(kArial, 12);
        // Below the pile charts at the left, which reach half the page.
        const double top =
            w_.PageNumber() == chartPage_ ? std::max(w_.CursorY(), ph / 2 + w_.LineHeight()) : w_.CursorY();
        w_.MoveCursor(1.0, top);
        // The heading stays with its first entries: at the foot of a page the references start the next.
        if (w_.RemainingLines() < 3) w_.PageBreak();
        w_.SetBold(true);
        w_.Write(QStringLiteral("References:"));
        w_.SelectFont(kArial, 10);
        w_.LineBreak();
        w_.SetBold(false);
        for (const QString& reference : ReportReferences())
            w_.WriteLine(reference);
    }

    ReportHost& host_;
    ReportWriter& w_;
    PanelPrinter printer_;
    const TKdData& data_;
    double deepest_ = 0;
    bool notesBelowCharts_ = false;
    int chartPage_ = 0;
};

} // namespace

ComputationsTable ReportHost::EarthPressureTable() const {
    ComputationsTable table;
    table.FillEarthPressureTable(Project());
    return table;
}

void WriteReport(ReportHost& host, ReportWriter& w) {
    Driver(host, w).Run();
}

ReportDocument BuildReport(ReportHost& host, QSizeF pageSize, std::function<void(int)> pageStarted) {
    ReportWriter w(pageSize);
    if (pageStarted) pageStarted(1);
    w.SetPageStarted(std::move(pageStarted));
    w.SetFooter(PrintFooter);
    WriteReport(host, w);
    return w.Finish();
}

} // namespace vantrel::report
