#pragma once
// What the printed report asks of the main window. The report prints the texts of the window's
// controls as shown, so the window must hold the current project when the report runs.

#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

#include "report/ComputationsTable.h"

class QWidget;

namespace vantrel {
class TKdData;
}

namespace vantrel::report {

class ReportHost {
  public:
    virtual ~ReportHost() = default;

    virtual const TKdData& Project() const = 0;
    // Commits the input being typed, so the window and the project agree.
    virtual void CommitInput() = 0;

    // The section panels of the input scroll box (`ScrollBox1`) and of the result scroll box
    // (`ScrollBox2`), sorted by tab order, hidden ones included. The panels keep their controls
    // at absolute positions (Left, Top, Width, Height within their parent).
    virtual std::vector<QWidget*> InputSections() const = 0;
    virtual std::vector<QWidget*> ResultSections() const = 0;
    // A control of the window by object name, or nullptr.
    virtual QWidget* Control(const QString& name) const = 0;
    // The text of a section's caption bar.
    virtual QString SectionCaption(QWidget* panel) const = 0;

    // A drawing rendered into an image of `size` pixels: 0 cross section, 1 pile plan view,
    // 2 guardrail detail.
    virtual QImage Diagram(int kind, QSize size) = 0;
    // The pictures of a chart form in print mode, element i being `Image`(i + 1); a null image
    // for a picture the form does not show. Kinds: 18 surface settlement (halved), 7 every earth
    // pressure component in its own picture, 0 the pile charts.
    virtual std::vector<QImage> ChartPictures(int kind) = 0;
    // The earth pressure table as the table window shows it.
    virtual ComputationsTable EarthPressureTable() const;

    // Waler tab controls: 1 the inputs' `TabControl1`, 2 the results' `TabControl2`. Selecting a
    // tab switches it with its signals blocked and refreshes the waler section for that level
    // (`ShowWalerResults`), storing nothing.
    virtual int WalerTab(int tabControl) const = 0;
    virtual void SelectWalerTab(int tabControl, int index) = 0;

    // Width and height in pixels of the window's logo picture control (0 x 0: the logo's own).
    virtual QSize LogoSize() const { return {}; }
};

} // namespace vantrel::report
