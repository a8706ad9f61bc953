#include "report/PanelPrinter.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QWidget>

#include <algorithm>
#include <functional>

#include "model/KdClasses.h"
#include "report/ReportHost.h"

namespace vantrel::report {

namespace {

const QColor kRed(0xFF, 0, 0);
const QColor kCaptionShade(0xA6, 0xCA, 0xF0); // the caption bars' colour
constexpr double kNext = -1;

bool Visible(const QWidget* w) {
    return w && !w->isHidden();
}
bool EnabledOwn(const QWidget* w) {
    return !w->testAttribute(Qt::WA_Disabled);
}

// Status marks are picture labels named "img..." or holding a pixmap.
bool IsImage(const QWidget* w) {
    const auto* label = qobject_cast<const QLabel*>(w);
    return label && (label->objectName().startsWith(QLatin1String("img")) || !label->pixmap().isNull());
}
bool IsLabel(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) && !IsImage(w);
}
// Edits and drop-down lists hold values; so does the project's date picker, whose date an engineer
// expects beside its caption.
bool IsValue(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QDateTimeEdit*>(w);
}

QString RemoveMnemonics(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

QString SingleAmpersand(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

bool ExactlyBold(const QWidget* w) {
    const QFont f = w->font();
    return f.bold() && !f.italic() && !f.underline() && !f.strikeOut();
}

QString Numbered(const char* prefix, int n, const char* suffix = "") {
    return QLatin1String(prefix) + QLatin1String(suffix) + QString::number(n + 1);
}

} // namespace

QString ShownText(const QWidget* control) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->buddy() ? RemoveMnemonics(label->text()) : label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return RemoveMnemonics(button->text());
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) return combo->currentText();
    if (const auto* date = qobject_cast<const QDateTimeEdit*>(control)) return date->text();
    return {};
}

QString FlattenLineBreaks(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    out.remove(QChar(0));
    return out;
}

QString SplitPart(const QString& text, int n) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    const QStringList parts = text.split(breaks);
    if (n < 0 || n >= parts.size()) return {};
    QString part = parts[n];
    while (part.startsWith(QLatin1Char(' ')))
        part.remove(0, 1);
    return part;
}

int ControlTag(const QWidget* control) {
    return control ? control->property("tag").toInt() : 0;
}

// --- Collecting ------------------------------------------------------------------------------

QWidget* PanelPrinter::Find(const QString& name) const {
    return host_.Control(name);
}
QString PanelPrinter::TextOf(const QString& name) const {
    return ShownText(Find(name));
}
bool PanelPrinter::Shown(const QString& name) const {
    return Visible(Find(name));
}

void PanelPrinter::InsertByRow(std::vector<Entry>& list, QWidget* control, int offset) {
    const int top = control->geometry().top() + offset;
    auto it = std::find_if(list.begin(), list.end(), [top](const Entry& e) { return e.top >= top; });
    list.insert(it, Entry{control, top});
}

void PanelPrinter::CollectPanelControls(QWidget* panel, int offset) {
    if (!panel) return;
    const QObjectList& children = panel->children();
    // Captions stand at most 20 pixels right of the left-most value control of the panel.
    int m = -1;
    for (QObject* o : children) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && IsValue(w) && Visible(w)) m = m < 0 ? w->x() : std::min(m, w->x());
    }
    m = std::max(m, 0);
    const bool onPanel2 = panel->objectName() == QLatin1String("Panel2");
    for (QObject* o : children) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w) continue;
        if (IsValue(w)) {
            if (Visible(w)) InsertByRow(values_, w, offset);
        } else if (IsImage(w)) {
            InsertByRow(images_, w, offset);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            if (Visible(w) && EnabledOwn(w) && !label->wordWrap() && !w->property("clickHandler").toBool() &&
                w->objectName() != QLatin1String("labAnchLast"))
                InsertByRow(w->x() <= m + 20 ? captions_ : others_, w, offset);
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            if (w->objectName() != QLatin1String("CheckBox4") && (!onPanel2 || check->isChecked()))
                InsertByRow(captions_, w, offset);
        } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
            if (radio->isChecked()) InsertByRow(captions_, w, offset);
        }
    }
}

void PanelPrinter::Collect(QWidget* panel) {
    const QString name = panel->objectName();
    auto top = [this](const char* n) {
        const QWidget* w = Find(QLatin1String(n));
        return w ? w->y() : 0;
    };
    auto add = [this, &top](const char* n, bool onlyShown) {
        QWidget* w = Find(QLatin1String(n));
        if (w && (!onlyShown || Visible(w))) CollectPanelControls(w, top(n));
    };
    const TKdData& data = host_.Project();
    if (name == QLatin1String("Panel21")) {
        CollectPanelControls(panel, 0);
        if (data.LaggingType == ltTimber) add("pnlLagging2", false);
    } else if (name == QLatin1String("Panel24")) {
        if (Shown(QStringLiteral("Panel34")))
            CollectPanelControls(Find(QStringLiteral("Panel34")), 0);
        else if (Shown(QStringLiteral("Panel35")))
            CollectPanelControls(Find(QStringLiteral("Panel35")), 0);
        const QWidget* p35 = Find(QStringLiteral("Panel35"));
        CollectPanelControls(panel, p35 ? p35->y() + p35->height() : 0);
    } else if (name == QLatin1String("Panel10")) {
        if (Shown(QStringLiteral("Panel27"))) CollectPanelControls(Find(QStringLiteral("Panel27")), 0);
        add("Panel28", false);
        add("Panel29", true);
    } else if (name == QLatin1String("Panel45")) {
        CollectPanelControls(panel, 0);
        add("Panel1", true);
        add("Panel4", true);
        add("Panel2", false);
    } else if (name == QLatin1String("Panel41")) {
        CollectPanelControls(panel, 0);
        add("Panel43", false);
    } else if (name == QLatin1String("Panel44")) {
        CollectPanelControls(panel, 0);
        add("Panel59", true);
        add("Panel50", false);
        add("Panel51", true);
        add("Panel49", false);
        for (const char* sub : {"Panel63", "Panel64"}) {
            QWidget* w = Find(QLatin1String(sub));
            if (Visible(w)) CollectPanelControls(w, top("Panel49") + w->y());
        }
    } else if (name == QLatin1String("Panel16")) {
        CollectPanelControls(Find(QStringLiteral("Panel18")), 0);
        add("Panel68", true);
        add("Panel70", true);
        add("Panel69", true);
    } else if (name == QLatin1String("Panel48")) {
        CollectPanelControls(Find(QStringLiteral("Panel53")), 0);
    } else if (name == QLatin1String("Panel54")) {
        CollectPanelControls(panel, 0);
        add("Panel57", false);
    } else if (name == QLatin1String("Panel56")) {
        CollectPanelControls(panel, 0);
        add("Panel14", false);
    } else if (name == QLatin1String("Panel32")) {
        CollectPanelControls(panel, 0);
        add("Panel65", false);
    } else {
        CollectPanelControls(panel, 0);
    }
}

// --- Row look-ups ----------------------------------------------------------------------------

QWidget* PanelPrinter::FindValueControl(const QWidget* caption, int n) const {
    if (!caption) return nullptr;
    std::vector<QWidget*> row;
    const int top = caption->y();
    for (const Entry& e : values_) {
        const QRect g = e.control->geometry();
        if (e.control->parentWidget() == caption->parentWidget() && g.top() <= top &&
            top <= g.top() + g.height())
            row.push_back(e.control);
    }
    std::stable_sort(row.begin(), row.end(),
                     [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    return n >= 0 && n < static_cast<int>(row.size()) ? row[n] : nullptr;
}

QWidget* PanelPrinter::FindStatusImage(const QWidget* caption) const {
    const int top = caption->y();
    for (const Entry& e : images_) {
        const QRect g = e.control->geometry();
        if (e.control->parentWidget() == caption->parentWidget() && g.top() <= top &&
            top <= g.top() + g.height())
            return e.control;
    }
    return nullptr;
}

bool PanelPrinter::RowIsFlagged(const QWidget* caption) const {
    if (!IsLabel(caption)) return false;
    const QWidget* image = FindStatusImage(caption);
    return Visible(image) && ControlTag(image) == 1;
}

QWidget* PanelPrinter::FindUnitLabel(const QWidget* caption, int n) const {
    const QWidget* v = FindValueControl(caption, n);
    if (!v) return nullptr;
    const QRect g = v->geometry();
    for (const Entry& e : others_) {
        const QWidget* l = e.control;
        if (l->parentWidget() == v->parentWidget() && g.top() <= l->y() && l->y() <= g.top() + g.height() &&
            ShownText(l).size() < 10 && l->x() < g.left() + g.width() + 10)
            return e.control;
    }
    return nullptr;
}

QString PanelPrinter::FindUnitText(const QWidget* caption, int n) const {
    return ShownText(FindUnitLabel(caption, n));
}

QString PanelPrinter::FindUnitTextAny(const QWidget* caption) const {
    const QString unit = FindUnitText(caption, 0);
    return unit.isEmpty() ? FindUnitText(caption, 1) : unit;
}

QString PanelPrinter::GetRowNote(const QWidget* caption, int n) const {
    const QWidget* v = FindValueControl(caption, n);
    if (!v) return {};
    const QWidget* unit = FindUnitLabel(caption, n);
    const QRect g = v->geometry();
    for (const Entry& e : others_) {
        const QWidget* l = e.control;
        if (l != unit && l->parentWidget() == v->parentWidget() && g.top() - 3 <= l->y() &&
            l->y() <= g.top() + g.height() && l->y() < caption->y())
            return QLatin1Char('^') + ShownText(l);
    }
    return {};
}

QString PanelPrinter::GetRowValue(const QWidget* caption, int n) const {
    if (IsLabel(caption)) return ShownText(FindValueControl(caption, n));
    if (const auto* check = qobject_cast<const QCheckBox*>(caption)) {
        if (caption->parentWidget() && caption->parentWidget()->objectName() == QLatin1String("Panel2"))
            return {};
        return check->isChecked() ? QStringLiteral("Yes") : QStringLiteral("No");
    }
    return {};
}

// --- Writing ---------------------------------------------------------------------------------

void PanelPrinter::SetTabs(std::initializer_list<Tab> tabs) {
    SetTabs(std::vector<Tab>(tabs));
}

void PanelPrinter::SetTabs(const std::vector<Tab>& tabs) {
    w_.RemoveTabs();
    for (const Tab& t : tabs)
        w_.AddTab(t.start < 0 ? kTabAfterPrevious : x0_ + t.start * cw_, t.align, t.width * cw_, 0);
}

void PanelPrinter::Cells(std::initializer_list<QString> cells) {
    for (const QString& c : cells)
        w_.WriteCell(c);
}

void PanelPrinter::EndRow() {
    w_.SetTextColor(Qt::black);
    w_.SetBold(false);
    w_.LineBreak();
}

// Writes `extra` on the current line right after the text of the first cell.
void PanelPrinter::WriteAfterCell(const QString& cellText, const QString& extra) {
    const double left = w_.ColumnLeft(w_.Column()) + w_.TabLeft(1) + 0.03;
    w_.WriteAligned(extra, left + w_.TextWidth(cellText), Align::Left);
}

void PanelPrinter::CaptionBar(QWidget* panel) {
    w_.SelectFont(QStringLiteral("Arial"), 9);
    if (w_.RemainingLines() < static_cast<int>(captions_.size()) + 3) {
        w_.ColumnBreak();
        w_.MoveCursor(w_.CursorX(), w_.ColumnTop);
    }
    w_.TabShadeColor = kCaptionShade;
    w_.RemoveTabs();
    w_.AddTab(x0_, Align::Left, cw_, 50);
    w_.SetBold(true);
    w_.WriteCell(host_.SectionCaption(panel));
    w_.SetBold(false);
    w_.RemoveTabs();
    w_.LineBreak();
}

void PanelPrinter::PrintPanel(QWidget* panel) {
    if (!panel || panel->isHidden()) return;
    cw_ = (w_.PageWidth() - w_.MarginLeft - w_.MarginRight - 0.2) / 2;
    x0_ = w_.MarginLeft;
    values_.clear(), captions_.clear(), others_.clear(), images_.clear();
    Collect(panel);
    CaptionBar(panel);

    const QString name = panel->objectName();
    if (name == QLatin1String("Panel23"))
        PrintCheckTable(QStringLiteral("Label210"), QStringLiteral("Label211"));
    else if (name == QLatin1String("Panel30"))
        PrintCheckTable(QStringLiteral("Label220"), QStringLiteral("Label221"));
    else if (name == QLatin1String("Panel24") && Shown(QStringLiteral("Panel35")))
        PrintTwoValueTable({{0, .85, Align::Left},
                            {.53, .15, Align::Right},
                            {.69, .15, Align::Right},
                            {.85, .15, Align::Left}},
                           QStringLiteral("Label287"), QStringLiteral("Label280"),
                           QStringLiteral("Label282"));
    else if (name == QLatin1String("Panel39"))
        PrintTwoValueTable({{0, .85, Align::Left},
                            {.53, .16, Align::Right},
                            {.70, .16, Align::Right},
                            {.87, .15, Align::Left}},
                           QStringLiteral("Label308"), QStringLiteral("Label306"),
                           QStringLiteral("Label307"));
    else if (name == QLatin1String("Panel19"))
        PrintPressureData();
    else if (name == QLatin1String("Panel48"))
        PrintWalerGrid();
    else
        PrintRows(panel);
    w_.RemoveTabs();
    w_.LineBreak();
}

// Rebar cage and section checks: caption, then one or two values with their units.
void PanelPrinter::PrintCheckTable(const QString& head1, const QString& head2) {
    SetTabs({{0, .85, Align::Left}, {.43, .25, Align::Right}, {.69, .25, Align::Center}});
    Cells({QString(), TextOf(head1), TextOf(head2)});
    EndRow();
    SetTabs({{0, .85, Align::Left},
             {.43, .15, Align::Right},
             {.59, .10, Align::Left},
             {.69, .15, Align::Right},
             {.85, .15, Align::Left}});
    for (const Entry& e : captions_) {
        const QWidget* c = e.control;
        w_.WriteCell(SingleAmpersand(ShownText(c)));
        if (RowIsFlagged(c)) w_.SetTextColor(kRed);
        Cells({GetRowValue(c, 0), FindUnitText(c, 0) + GetRowNote(c, 0)});
        if (FindValueControl(c, 1)) Cells({GetRowValue(c, 1), FindUnitText(c, 1) + GetRowNote(c, 1)});
        EndRow();
    }
}

// Lagging and guardrail results: rows of one or two values under two column headings.
void PanelPrinter::PrintTwoValueTable(const std::vector<Tab>& tabs, const QString& before,
                                      const QString& head1, const QString& head2) {
    for (const Entry& e : captions_) {
        const QWidget* c = e.control;
        SetTabs(tabs);
        if (c->objectName() == before) {
            Cells({QString(), TextOf(head1), TextOf(head2)});
            EndRow();
        }
        const bool two = FindValueControl(c, 1) != nullptr;
        const bool alone = !two && c->objectName() == QLatin1String("Label185");
        if (alone) SetTabs({tabs[0], {.40, .44, Align::Right}, tabs[3]});
        w_.WriteCell(SingleAmpersand(ShownText(c)));
        if (RowIsFlagged(c)) w_.SetTextColor(kRed);
        if (alone)
            Cells({GetRowValue(c, 0)});
        else if (two)
            Cells({GetRowValue(c, 0), GetRowValue(c, 1), FindUnitText(c, 1) + GetRowNote(c, 1)});
        else
            Cells({QString(), GetRowValue(c, 0), FindUnitText(c, 0) + GetRowNote(c, 0)});
        EndRow();
    }
}

// The user-defined pressure diagram: two point tables side by side, then four more points.
void PanelPrinter::PrintPressureData() {
    SetTabs({{0, .5, Align::Center}, {kNext, .5, Align::Center}});
    w_.SetBold(true);
    Cells({TextOf(QStringLiteral("Label160")), TextOf(QStringLiteral("Label161"))});
    w_.LineBreak();
    SetTabs({{0, .25, Align::Center},
             {kNext, .25, Align::Center},
             {kNext, .25, Align::Center},
             {kNext, .25, Align::Center}});
    for (const char* h : {"Label147", "Label156", "Label157", "Label158"})
        w_.WriteCell(TextOf(QLatin1String(h)));
    EndRow();
    auto edit = [this](int n, char xw) {
        return TextOf(QStringLiteral("Edit_%1%2").arg(n).arg(QLatin1Char(xw)));
    };
    for (int k = 1; k <= 4; ++k) {
        Cells({edit(60 + k, 'x'), edit(60 + k, 'w'), edit(70 + k, 'x'), edit(70 + k, 'w')});
        EndRow();
    }
    for (int k = 5; k <= 8; ++k) {
        Cells({edit(60 + k, 'x'), edit(60 + k, 'w')});
        EndRow();
    }
}

// The waler result grid: reactions, shears and moments of the spans side by side. Tokens: "-" an
// empty cell, "-!X" an empty cell while X is hidden, "X?" X only while X is shown, "*X" bold.
void PanelPrinter::PrintWalerGrid() {
    SetTabs({{0, .85, Align::Left},
             {.10, .15, Align::Center},
             {.25, .15, Align::Center},
             {.40, .15, Align::Center},
             {.55, .15, Align::Center},
             {.70, .15, Align::Center},
             {.85, .15, Align::Left}});
    const std::vector<std::vector<const char*>> rows = {
        {"Label96", "-", "-", "-", "-", "Edit_RWl", "Label97"},
        {"Label98", "-", "-", "-", "-", "Edit_RWw", "Label99"},
        {"-", "-", "-", "-", "Label103", "Label104"},
        {"Label100", "-", "-", "-", "Edit_RWR1", "Edit_RWR2", "Label102"},
        {"-", "-!Edit_RWV4", "Label109", "Label110", "Label107", "Label108?", "*Label111"},
        {"Label105", "-!Edit_RWV4", "Edit_RWV1", "Edit_RWV2", "Edit_RWV3", "Edit_RWV4?", "*Edit_RWVmax",
         "Label106"},
        {"-", "-", "-!Edit_RWM3", "Label117", "Label114", "Label115?", "*Label118"},
        {"Label112", "-", "-!Edit_RWM3", "Edit_RWM1", "Edit_RWM2", "Edit_RWM3?", "*Edit_RWMmax", "Label113"},
        {"-", "-", "-", "-", "Label121", "Label123"},
        {"Label116", "-", "-", "-", "Edit_RWSxReq", "Edit_RWSxProv", "Label119"},
        {"Label252", "-", "-", "-", "Edit_RWDeflReq", "Edit_RWDeflProv", "Label253"},
        {"Label419", "-", "-", "-", "Edit_RWDeflLoc1", "Edit_RWDeflLoc2", "Label420"},
    };
    for (const auto& row : rows) {
        const QString first = QLatin1String(row.front());
        if (first == QLatin1String("Label419") && !Shown(QStringLiteral("Edit_RWDeflLoc1"))) continue;
        for (size_t i = 0; i < row.size(); ++i) {
            QString token = QLatin1String(row[i]);
            if (token == QLatin1String("-")) {
                w_.WriteCell(QString());
                continue;
            }
            if (token.startsWith(QLatin1String("-!"))) {
                if (!Shown(token.mid(2))) w_.WriteCell(QString());
                continue;
            }
            if (token.endsWith(QLatin1Char('?'))) {
                token.chop(1);
                if (!Shown(token)) continue;
            }
            const bool bold = token.startsWith(QLatin1Char('*'));
            if (bold) token.remove(0, 1);
            w_.SetBold(bold);
            const QString text = TextOf(token);
            w_.WriteCell(text);
            w_.SetBold(false);
            if (i == 0) {
                const QWidget* caption = Find(token);
                const bool flagged = caption && RowIsFlagged(caption);
                if (token == QLatin1String("Label116")) {
                    if (flagged) w_.SetTextColor(kRed);
                    WriteAfterCell(text, QLatin1Char(' ') + TextOf(QStringLiteral("Label120")));
                } else if (token == QLatin1String("Label252") && flagged) {
                    w_.SetTextColor(kRed);
                }
            }
        }
        EndRow();
    }
}

bool PanelPrinter::RowExists(const QString& captionName) const {
    const QWidget* caption = Find(captionName);
    return caption && Visible(caption->parentWidget());
}

void PanelPrinter::PrintRows(QWidget*) {
    rowTabs_ = {{0, .85, Align::Left}, {.40, .44, Align::Right}, {.85, .15, Align::Left}};
    for (const Entry& e : captions_)
        PrintRow(e.control);
}

void PanelPrinter::PrintPointTable(const QString& h1, const QString& h2, const QString& h3,
                                   const QString& xName, const QString& wName) {
    w_.StoreTabs(1);
    SetTabs({{0, .52, Align::Left}, {.53, .16, Align::Center}, {.70, .16, Align::Center}});
    w_.SetBold(true);
    Cells({TextOf(h1), TextOf(h2), TextOf(h3)});
    EndRow();
    for (int k = 1; k <= 4; ++k) {
        Cells({QString(), TextOf(xName + QString::number(k)), TextOf(wName + QString::number(k))});
        EndRow();
    }
    w_.RecallTabs(1);
}

void PanelPrinter::PrintRow(QWidget* c) {
    const QString name = c->objectName();
    const TKdData& data = host_.Project();
    const QWidget* parent = c->parentWidget();
    if (parent && parent->objectName() == QLatin1String("Panel4")) {
        if (name == QLatin1String("Label77"))
            PrintPointTable(QStringLiteral("Label77"), QStringLiteral("Label71"), QStringLiteral("Label76"),
                            QStringLiteral("Edit_EPx"), QStringLiteral("Edit_EPw"));
        return;
    }
    if (name == QLatin1String("Label329")) {
        PrintAnchorInputTable(false);
    } else if (name == QLatin1String("Label168")) {
        PrintAnchorInputTable(true);
    } else if (name == QLatin1String("Label372")) {
        PrintPointTable(QStringLiteral("Label372"), QStringLiteral("Label359"), QStringLiteral("Label371"),
                        QStringLiteral("Edit_R101x"), QStringLiteral("Edit_R101w"));
        PrintAnchorResultTable(false);
        return;
    } else if (name == QLatin1String("Label128")) {
        PrintAnchorResultTable(true);
        return;
    } else if (name == QLatin1String("Label36")) {
        SetTabs(rowTabs_);
        Cells({ShownText(c), TextOf(QStringLiteral("Label40"))});
        EndRow();
        for (int n = 0; n < data.Anchors.UsedLevels(); ++n)
            PrintBondRow(n);
        w_.LineBreak();
        return;
    } else if (name == QLatin1String("Label80") || name == QLatin1String("Label140")) {
        PrintStrutTable(name == QLatin1String("Label140"));
        return;
    } else if (name == QLatin1String("Label374") || name == QLatin1String("Label382") ||
               name == QLatin1String("Label386")) {
        SetTabs({{0, .65, Align::Left}, {.20, .64, Align::Right}, {.85, .15, Align::Left}});
        w_.WriteCell(ShownText(c));
        if (RowIsFlagged(c)) w_.SetTextColor(kRed);
        Cells({QStringLiteral("%1 %2 @ %3").arg(GetRowValue(c, 0), FindUnitText(c, 0), GetRowValue(c, 1)),
               FindUnitText(c, 1)});
        EndRow();
        return;
    } else if (name == QLatin1String("Label406") || name == QLatin1String("Label407") ||
               name == QLatin1String("Label410") || name == QLatin1String("Label257")) {
        SetTabs({{0, .53, Align::Left},
                 {.53, .15, Align::Right},
                 {.69, .15, Align::Right},
                 {.85, .15, Align::Left}});
        if (name == QLatin1String("Label406")) {
            Cells({QString(), TextOf(QStringLiteral("Label404")), TextOf(QStringLiteral("Label405"))});
            EndRow();
        }
        const QString caption = ShownText(c);
        w_.WriteCell(caption);
        const char* extra = name == QLatin1String("Label406")   ? "Label28"
                            : name == QLatin1String("Label407") ? "Label29"
                            : name == QLatin1String("Label410") ? "Label30"
                                                                : nullptr;
        if (extra) WriteAfterCell(caption, QLatin1Char(' ') + TextOf(QLatin1String(extra)));
        if (RowIsFlagged(c)) w_.SetTextColor(kRed);
        if (name == QLatin1String("Label410"))
            Cells({QString(), GetRowValue(c, 0)});
        else
            Cells({GetRowValue(c, 0), GetRowValue(c, 1)});
        w_.WriteCell(FindUnitTextAny(c));
        EndRow();
        return;
    }

    // Every other caption: a heading row or a value row.
    const bool bold = ExactlyBold(c);
    const QString value = GetRowValue(c, 0);
    const QString unit = FindUnitText(c, 0);
    if (value.isEmpty() && unit.isEmpty()) {
        w_.RemoveTabs();
        w_.SetBold(bold);
        const QString text = SingleAmpersand(ShownText(c));
        if (c->x() < 20)
            w_.WriteAligned(text, w_.CursorX() + 0.03, Align::Left);
        else
            w_.WriteAligned(text, w_.CursorX() + .85 * cw_, Align::Right);
        const char* follower = name == QLatin1String("Label206")   ? "Label207"
                               : name == QLatin1String("Label208") ? "Label209"
                                                                   : nullptr;
        if (follower) {
            const double right =
                w_.CursorX() < w_.PageWidth() / 2 ? x0_ + cw_ : w_.PageWidth() - w_.MarginRight;
            const QString t = TextOf(QLatin1String(follower));
            const QString second = SplitPart(t, 1);
            w_.WriteAligned(SplitPart(t, 0), right, Align::Right);
            if (!second.isEmpty() || t.contains(QLatin1Char('\r')) || t.contains(QLatin1Char('\n'))) {
                w_.LineBreak();
                w_.WriteAligned(second, right, Align::Right);
            }
        }
        w_.SetBold(false);
        rowTabs_ = {{0, .85, Align::Left}, {.60, .24, Align::Right}, {.85, .15, Align::Left}};
        EndRow();
        return;
    }
    QString suffix;
    if (name == QLatin1String("Label22")) {
        const bool wide = data.IsClearGapWide();
        const char* r = wide ? "<" : ">";
        const char* s = wide ? "O.K." : "N.G.";
        const double tw = static_cast<double>(data.TributaryWidth());
        suffix = data.Units == usSI ? QString::asprintf(" (%s%.0f cm - %d cm, %s)", r, tw * 100, 10, s)
                                    : QString::asprintf(" (%s%.0f in - %d in, %s)", r, tw * 12, 4, s);
    }
    SetTabs(rowTabs_);
    w_.SetBold(bold);
    w_.WriteCell(SingleAmpersand(ShownText(c) + suffix));
    if (RowIsFlagged(c)) w_.SetTextColor(kRed);
    Cells({value, unit + GetRowNote(c, 0)});
    EndRow();
}

// --- Per-level tables ------------------------------------------------------------------------

// A table of one row per level: its header (flattened onto one line, or split into
// `headerLines` lines), the rows, then a blank line; the section's row tabs are kept meanwhile.
void PanelPrinter::PrintLevelTable(const std::vector<Tab>& tabs, const QStringList& heads, int headerLines,
                                   bool corner, void (PanelPrinter::*row)(int, bool), bool skipUnused,
                                   const std::function<void()>& after) {
    const TKdData& data = host_.Project();
    w_.StoreTabs(1);
    SetTabs(tabs);
    w_.LineBreak();
    for (int k = 0; k < std::max(1, headerLines); ++k) {
        for (const QString& h : heads)
            w_.WriteCell(headerLines == 0 ? FlattenLineBreaks(TextOf(h)) : SplitPart(TextOf(h), k));
        EndRow();
    }
    const TAnchor& system = corner ? data.CornerBraces : data.Anchors;
    for (int n = 0; n < system.UsedLevels(); ++n)
        if (!(skipUnused && corner && system.Levels[n].Kind == lkUnused)) (this->*row)(n, corner);
    if (after) after();
    w_.LineBreak();
    w_.RecallTabs(1);
}

void PanelPrinter::PrintAnchorInputTable(bool corner) {
    const QStringList heads = corner ? QStringList{"Label133", "Label131", "Label125", "Label126"}
                                     : QStringList{"Label41", "Label27", "Label322", "Label323"};
    PrintLevelTable({{0, .10, Align::Center},
                     {kNext, .30, Align::Center},
                     {kNext, .30, Align::Center},
                     {kNext, .25, Align::Center}},
                    heads, 0, corner, &PanelPrinter::PrintAnchorInputRow, true, [this, corner] {
                        if (corner) return;
                        Cells({TextOf(QStringLiteral("labAnchLast")), QString(),
                               TextOf(QStringLiteral("Edit_AnchXLast"))});
                        EndRow();
                    });
}

void PanelPrinter::PrintAnchorResultTable(bool corner) {
    if (corner)
        PrintLevelTable({{0, .10, Align::Center},
                         {.30, .15, Align::Center},
                         {kNext, .25, Align::Center},
                         {kNext, .20, Align::Center}},
                        {"Label128", "Label129", "Label130", "Label137"}, 2, true,
                        &PanelPrinter::PrintAnchorResultRow, false);
    else
        PrintLevelTable({{0, .10, Align::Center},
                         {kNext, .15, Align::Center},
                         {kNext, .25, Align::Center},
                         {kNext, .20, Align::Center},
                         {kNext, .20, Align::Center}},
                        {"Label79", "Label16", "Label378", "Label379", "Label380"}, 3, false,
                        &PanelPrinter::PrintAnchorResultRow, false);
}

void PanelPrinter::PrintStrutTable(bool corner) {
    const QStringList heads = corner ? QStringList{"Label140", "Label124", "Label136", "Label138", "Label139"}
                                     : QStringList{"Label80", "Label60", "Label61", "Label65", "Label78"};
    PrintLevelTable({{0, .10, Align::Center},
                     {kNext, .20, Align::Center},
                     {kNext, .25, Align::Center},
                     {kNext, .25, Align::Center},
                     {kNext, .20, Align::Center}},
                    heads, 2, corner, &PanelPrinter::PrintStrutRow, true);
}

void PanelPrinter::PrintAnchorInputRow(int n, bool corner) {
    const QString label = corner ? Numbered("labCorner", n) : Numbered("labAnch", n);
    if (!RowExists(label)) return;
    Cells({TextOf(label), TextOf(corner ? Numbered("cmbCornerType", n) : Numbered("cmbAnchType", n)),
           TextOf(corner ? Numbered("Edit_CornerX", n) : Numbered("Edit_AnchX", n)),
           TextOf(corner ? Numbered("Edit_CornerAng", n) : Numbered("Edit_AnchAng", n))});
    EndRow();
}

void PanelPrinter::PrintAnchorResultRow(int n, bool corner) {
    const QString label = corner ? Numbered("labCornerR", n) : Numbered("labAnchR", n);
    if (!RowExists(label)) return;
    w_.WriteCell(TextOf(label));
    if (corner) {
        Cells({TextOf(Numbered("Edit_RDpth", n, "Corner")), TextOf(Numbered("Edit_RTBF", n, "Corner")),
               TextOf(Numbered("Edit_RTL", n, "Corner"))});
        EndRow();
        return;
    }
    Cells({TextOf(Numbered("Edit_RDpth", n)), TextOf(Numbered("Edit_RTBF", n)),
           TextOf(Numbered("Edit_RUTBL", n)), TextOf(Numbered("Edit_RTL", n))});
    EndRow();
    // The bar or strand text of the level, centred under the value cells.
    const QString bar = FlattenLineBreaks(TextOf(Numbered("labAnchRText", n)));
    w_.WriteAligned(bar, w_.CursorX() + (w_.TabLeft(2) + w_.TabRight(5)) / 2, Align::Center);
    EndRow();
}

void PanelPrinter::PrintBondRow(int n) {
    const QString label = Numbered("labBondR", n);
    if (!RowExists(label)) return;
    SetTabs(rowTabs_);
    Cells({TextOf(label), TextOf(Numbered("Edit_RBnd", n)), TextOf(Numbered("labBondUnR", n))});
    EndRow();
}

void PanelPrinter::PrintStrutRow(int n, bool corner) {
    const QString label = corner ? Numbered("labStrutRC", n) : Numbered("labStrutR", n);
    if (!RowExists(label)) return;
    w_.WriteCell(TextOf(label));
    const char* c = corner ? "C" : "";
    for (const char* part : {"P", "Mx", "My", "Comb"}) {
        const QString suffix = QLatin1String(part) + QLatin1String(c) + QString::number(n + 1);
        PrintFlaggedCell(QStringLiteral("Edit_RStrut") + suffix, QStringLiteral("imgRStrut") + suffix);
    }
    EndRow();
}

void PanelPrinter::PrintFlaggedCell(const QString& control, const QString& image) {
    w_.SetTextColor(ControlTag(Find(image)) == 1 ? kRed : QColor(Qt::black));
    w_.WriteCell(TextOf(control));
    w_.SetTextColor(Qt::black);
}

} // namespace vantrel::report
