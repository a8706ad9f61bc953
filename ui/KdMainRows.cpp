// Per-level rows. The layout holds row 1 of every kind; rows 2, 3 ... are copies of it built when
// the number of support levels grows, named by the kind's prefix followed by the level number,
// and freed when it drops. Row 1 always stays, also for a project without levels.

#include "ui/KdMain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

#include "model/KdClasses.h"
#include "ui/Globals.h"
#include "ui/SectionLists.h"
#include "ui/Widgets.h"

namespace vantrel::ui {

struct TfrmKdMain::RowKind {
    const char* panel;
    const char* block; // the section or sub-panel the rows sit in
    std::vector<const char*> controls;
};

namespace {

using RowKind = TfrmKdMain::RowKind;

// The seven row kinds, in the order they are built.
const RowKind kAnchorRow{
    "pnlAnch", "Panel41", {"labAnch", "cmbAnchType", "Edit_AnchX", "Edit_AnchAng", "sbAnchEdit"}};
const RowKind kCornerRow{
    "pnlCorner", "Panel54", {"labCorner", "cmbCornerType", "Edit_CornerX", "Edit_CornerAng", "sbCornerEdit"}};
const RowKind kAnchorResultRow{
    "pnlAnchR", "Panel44", {"labAnchR", "labAnchRText", "Edit_RDpth", "Edit_RTBF", "Edit_RUTBL", "Edit_RTL"}};
const RowKind kBondResultRow{"pnlBondR", "Panel12", {"labBondR", "labBondUnR", "Edit_RBnd"}};
const RowKind kStrutResultRow{"pnlStrutR",
                              "Panel59",
                              {"labStrutR", "Edit_RStrutP", "Edit_RStrutMx", "Edit_RStrutMy",
                               "Edit_RStrutComb", "imgRStrutP", "imgRStrutMx", "imgRStrutMy",
                               "imgRStrutComb"}};
const RowKind kCornerResultRow{
    "pnlCornerR", "Panel56", {"labCornerR", "Edit_RDpthCorner", "Edit_RTBFCorner", "Edit_RTLCorner"}};
const RowKind kCornerStrutResultRow{"pnlStrutRC",
                                    "Panel14",
                                    {"labStrutRC", "Edit_RStrutPC", "Edit_RStrutMxC", "Edit_RStrutMyC",
                                     "Edit_RStrutCombC", "imgRStrutPC", "imgRStrutMxC", "imgRStrutMyC",
                                     "imgRStrutCombC"}};

const RowKind* const kAllRows[] = {&kAnchorRow,           &kCornerRow,      &kAnchorResultRow,
                                   &kBondResultRow,       &kStrutResultRow, &kCornerResultRow,
                                   &kCornerStrutResultRow};

// Marks a control whose commit triggers are connected; a copy is wired on its own.
constexpr const char* kWiredProperty = "vantrelCommitWired";

QString Numbered(const char* prefix, int n) {
    return QLatin1String(prefix) + QString::number(n);
}

QString Letter(int n) {
    return QString(QChar(64 + n));
}

int Bottom(const QWidget* w) {
    return w->y() + w->height();
}

// A new control like `proto`, for another row.
QWidget* CloneControl(const QWidget* proto, QWidget* parent) {
    QWidget* copy = nullptr;
    if (const auto* label = qobject_cast<const QLabel*>(proto)) {
        auto* l = new QLabel(parent);
        l->setAlignment(label->alignment());
        l->setWordWrap(label->wordWrap());
        l->setScaledContents(label->hasScaledContents());
        l->setTextFormat(label->textFormat());
        if (!label->pixmap().isNull()) l->setPixmap(label->pixmap());
        l->setText(label->text());
        copy = l;
    } else if (const auto* combo = qobject_cast<const QComboBox*>(proto)) {
        auto* c = new QComboBox(parent);
        c->setEditable(combo->isEditable());
        for (int i = 0; i < combo->count(); ++i)
            c->addItem(combo->itemText(i));
        copy = c;
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(proto)) {
        auto* e = new QLineEdit(parent);
        e->setAlignment(edit->alignment());
        e->setReadOnly(edit->isReadOnly());
        e->setMaxLength(edit->maxLength());
        copy = e;
    } else if (const auto* tool = qobject_cast<const QToolButton*>(proto)) {
        auto* b = new QToolButton(parent);
        b->setAutoRaise(tool->autoRaise());
        b->setIcon(tool->icon());
        b->setIconSize(tool->iconSize());
        b->setText(tool->text());
        b->setToolButtonStyle(tool->toolButtonStyle());
        copy = b;
    } else {
        copy = new QWidget(parent);
    }
    copy->setGeometry(proto->geometry());
    copy->setFont(proto->font());
    copy->setPalette(proto->palette());
    copy->setAutoFillBackground(proto->autoFillBackground());
    copy->setStyleSheet(proto->styleSheet());
    copy->setToolTip(proto->toolTip());
    copy->setFocusPolicy(proto->focusPolicy());
    copy->setCursor(proto->cursor());
    for (const QByteArray& property : proto->dynamicPropertyNames())
        if (property != kWiredProperty)
            copy->setProperty(property.constData(), proto->property(property.constData()));
    copy->setVisible(!proto->isHidden());
    return copy;
}

} // namespace

// --- Look-up ----------------------------------------------------------------------------------

bool TfrmKdMain::RowExists(const char* prefix, int n) const {
    return RowControl(prefix, n) != nullptr;
}

// The highest-numbered visible row among prefix1, prefix2 ... up to the first missing number.
QWidget* TfrmKdMain::LastVisibleRow(const char* prefix) const {
    QWidget* last = nullptr;
    for (int n = 1;; ++n) {
        QWidget* row = RowControl(prefix, n);
        if (!row) break;
        if (!row->isHidden()) last = row;
    }
    return last;
}

// --- Building and freeing ---------------------------------------------------------------------

QWidget* TfrmKdMain::BuildRow(const RowKind& kind, int n, bool alwaysVisible) {
    if (QWidget* existing = RowControl(kind.panel, n)) return existing;
    QWidget* first = RowControl(kind.panel, 1);
    if (!first || n <= 1) return nullptr;
    auto* panel = new QFrame(first->parentWidget());
    panel->hide();
    panel->setObjectName(Numbered(kind.panel, n));
    panel->setGeometry(first->geometry());
    panel->setProperty("tag", n);
    if (const auto* frame = qobject_cast<const QFrame*>(first)) panel->setFrameShape(frame->frameShape());
    panel->setAutoFillBackground(first->autoFillBackground());
    panel->setPalette(first->palette());

    // Below the previous row, or the nearest earlier visible one for the rows shown by condition.
    QWidget* above = nullptr;
    for (int k = n - 1; k >= 1 && !above; --k) {
        QWidget* row = RowControl(kind.panel, k);
        if (row && (alwaysVisible || !row->isHidden())) above = row;
    }
    if (above) panel->move(panel->x(), Bottom(above));

    // Controls like row 1's, in its tab order after the previous row.
    QWidget* previousLast = nullptr;
    for (int k = n - 1; k >= 1 && !previousLast; --k)
        previousLast = LastFocusable(RowControl(kind.panel, k));
    for (const char* name : kind.controls) {
        const QWidget* proto = RowControl(name, 1);
        if (!proto) continue;
        QWidget* copy = CloneControl(proto, panel);
        copy->setObjectName(Numbered(name, n));
        if (auto* edit = qobject_cast<QLineEdit*>(copy)) SetNumber(edit, 0.0L, false);
        if (copy->focusPolicy() != Qt::NoFocus) {
            if (previousLast) QWidget::setTabOrder(previousLast, copy);
            previousLast = copy;
        }
    }
    FControls.insert(panel->objectName(), panel);
    for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        FControls.insert(w->objectName(), w);
    ConnectInputs(panel);
    return panel;
}

QWidget* TfrmKdMain::LastFocusable(QWidget* row) const {
    if (!row) return nullptr;
    QWidget* last = nullptr;
    for (QWidget* w : row->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->focusPolicy() != Qt::NoFocus) last = w;
    return last;
}

void TfrmKdMain::FreeRow(QWidget* panel) {
    // Hidden and out of the window at once, so its names vanish from every look-up; deleted once
    // the event that freed it is over.
    FControls.remove(panel->objectName());
    for (QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        FControls.remove(w->objectName());
    panel->hide();
    panel->setParent(nullptr);
    freedRows_.rows.removeIf([](const QPointer<QWidget>& row) { return row.isNull(); }); // deleted
    freedRows_.rows.append(QPointer<QWidget>(panel));
    panel->deleteLater();
}

// --- SyncLevelRows ----------------------------------------------------------------------------

bool TfrmKdMain::SyncLevelRows(bool results) {
    TKdData& d = Data();
    const int count = std::max(0, d.Anchors.LevelCount);
    const int rows = std::max(count, 1); // row 1 of the layout always stays
    const char* prefix = results ? kAnchorResultRow.panel : kAnchorRow.panel;
    const auto matches = [&] { return RowExists(prefix, rows) && !RowExists(prefix, rows + 1); };

    if (!matches()) {
        // Only the rows that come or go are built or freed, inputs and results at once so that
        // one nested commit shows them all; every other widget repaints only where it changed.
        const QPointer<QWidget> active = QApplication::focusWidget();
        for (const RowKind* kind : kAllRows)
            for (int n = std::max(rows + 1, 2); QWidget* surplus = RowControl(kind->panel, n); ++n)
                FreeRow(surplus);
        int kept = 1;
        while (kept < rows && RowExists(kAnchorRow.panel, kept + 1))
            ++kept;
        for (int n = kept + 1; n <= rows; ++n) {
            CreateAnchorRow(n);
            CreateCornerRow(n);
            CreateAnchorResultRow(n);
            CreateBondResultRow(n);
            CreateStrutResultRow(n);
            CreateCornerResultRow(n);
            CreateCornerStrutResultRow(n);
        }
        // The rows that stay still show the project the window showed before (another project
        // after Open or New, the same one after a typed level count): the nested commit reads
        // them, so they first show this project's levels.
        for (int n = 1; n <= std::min(kept, rows); ++n) {
            UpdateAnchorRow(n);
            UpdateCornerRow(n);
        }
        for (const char* stacked : {kAnchorRow.panel, kAnchorResultRow.panel})
            for (int n = kept + 1; n <= rows; ++n) {
                QWidget* above = RowControl(stacked, n - 1);
                if (QWidget* row = RowControl(stacked, n); row && above)
                    row->move(row->x(), above->y() + above->height());
            }
        // The control that had the focus gets it back once the rebuild is over, unless the user
        // has moved the focus since.
        const QPointer<QWidget> afterRebuild = QApplication::focusWidget();
        QTimer::singleShot(0, this, [this, active, afterRebuild] {
            if (QApplication::focusWidget() != afterRebuild.data()) return;
            if (active && active != afterRebuild && active->window() == this && active->isVisible() &&
                active->isEnabled() && active->focusPolicy() != Qt::NoFocus)
                active->setFocus(Qt::OtherFocusReason);
        });
        // The new rows are read and shown by a second commit, which refreshes the whole window; a
        // layout without row 1 of a kind cannot match, and must not recurse.
        if (matches()) {
            ReadInputs();
            return true;
        }
    } else {
        for (int n = 1; n <= rows; ++n) {
            if (results) {
                UpdateAnchorResultRow(n);
                UpdateBondResultRow(n);
                UpdateStrutResultRow(n);
                UpdateCornerResultRow(n);
                UpdateCornerStrutResultRow(n);
            } else {
                UpdateAnchorRow(n);
                UpdateCornerRow(n);
            }
        }
    }

    // The blocks first: "Static Check" goes below the strut block, which must already be as
    // high as its rows (a level that just became a strut or raker adds a row to it).
    ShowLevelBlocks();
    PlaceRowFollowers(results);
    return false;
}

void TfrmKdMain::PlaceRowFollowers(bool results) {
    const TKdData& d = Data();
    if (!results) {
        if (QWidget* last = LastVisibleRow(kAnchorRow.panel))
            if (QWidget* below = Control(QStringLiteral("Panel43"))) {
                const bool moved = below->y() != Bottom(last);
                below->move(below->x(), Bottom(last));
                if (QWidget* lastInput = LastFocusable(last)) QWidget::setTabOrder(lastInput, below);
                if (moved) RefitSection("Panel41");
            }
        if (QWidget* last = LastVisibleRow(kCornerRow.panel))
            if (QWidget* below = Control(QStringLiteral("Panel57"))) {
                const bool moved = below->y() != Bottom(last);
                below->move(below->x(), Bottom(last));
                if (QWidget* lastInput = LastFocusable(last)) QWidget::setTabOrder(lastInput, below);
                if (moved) RefitSection("Panel54");
            }
        return;
    }

    QWidget* panel59 = Control(QStringLiteral("Panel59"));
    QWidget* panel50 = Control(QStringLiteral("Panel50"));
    QWidget* panel51 = Control(QStringLiteral("Panel51"));
    QWidget* panel49 = Control(QStringLiteral("Panel49"));
    bool moved = false;
    if (QWidget* last = LastVisibleRow(kAnchorResultRow.panel); last && panel50) {
        int top = Bottom(last);
        if (panel59 && !panel59->isHidden()) {
            panel59->move(panel59->x(), top);
            top = Bottom(panel59);
        }
        moved = panel50->y() != top;
        panel50->move(panel50->x(), top);
    }
    if (panel50 && panel51) panel51->move(panel51->x(), Bottom(panel50));
    if (panel51 && panel49) panel49->move(panel49->x(), panel51->isHidden() ? panel51->y() : Bottom(panel51));
    if (moved) RefitSection("Panel44");
    for (const char* section : {"Panel12", "Panel44", "Panel56"})
        RefitSection(section);
    (void)d;
}

void TfrmKdMain::ShowLevelBlocks() {
    const TKdData& d = Data();
    bool anyTendon = false, anyStrut = false, anyCorner = false;
    for (int i = 0; i < d.Anchors.UsedLevels(); ++i) {
        const int kind = d.Anchors.Levels[static_cast<size_t>(i)].Kind;
        anyTendon = anyTendon || kind <= lkTieRod;
        anyStrut = anyStrut || kind > lkTieRod;
    }
    for (int i = 0; i < d.CornerBraces.UsedLevels(); ++i)
        anyCorner = anyCorner || d.CornerBraces.Levels[static_cast<size_t>(i)].Kind > lkUnused;
    SetShown("Panel12", anyTendon);
    SetShown("Panel6", anyTendon);
    SetShown("Panel59", anyStrut);
    SetShown("Panel48", d.CountWalerLevels() > 0);
    SetShown("Panel56", anyCorner && d.UseCornerBraces);

    if (QWidget* panel59 = Control(QStringLiteral("Panel59")); panel59 && !panel59->isHidden())
        if (QWidget* last = LastVisibleRow(kStrutResultRow.panel))
            panel59->resize(panel59->width(), Bottom(last));
    QWidget* panel56 = Control(QStringLiteral("Panel56"));
    QWidget* panel14 = Control(QStringLiteral("Panel14"));
    if (panel56 && panel14 && !panel56->isHidden() && !panel14->isHidden()) {
        if (QWidget* last = LastVisibleRow(kCornerResultRow.panel)) panel14->move(panel14->x(), Bottom(last));
        if (QWidget* last = LastVisibleRow(kCornerStrutResultRow.panel))
            panel14->resize(panel14->width(), Bottom(last));
        RefitSection("Panel56");
    }
}

// --- Builders ---------------------------------------------------------------------------------

void TfrmKdMain::CreateAnchorRow(int n) {
    if (QWidget* row = BuildRow(kAnchorRow, n, true)) row->setVisible(true);
    UpdateAnchorRow(n);
}

void TfrmKdMain::CreateCornerRow(int n) {
    if (QWidget* row = BuildRow(kCornerRow, n, true)) row->setVisible(true);
    UpdateCornerRow(n);
}

void TfrmKdMain::CreateAnchorResultRow(int n) {
    if (QWidget* row = BuildRow(kAnchorResultRow, n, true)) row->setVisible(true);
    UpdateAnchorResultRow(n);
}

void TfrmKdMain::CreateBondResultRow(int n) {
    BuildRow(kBondResultRow, n, false);
    UpdateBondResultRow(n);
}

void TfrmKdMain::CreateStrutResultRow(int n) {
    BuildRow(kStrutResultRow, n, false);
    UpdateStrutResultRow(n);
}

void TfrmKdMain::CreateCornerResultRow(int n) {
    BuildRow(kCornerResultRow, n, false);
    UpdateCornerResultRow(n);
}

void TfrmKdMain::CreateCornerStrutResultRow(int n) {
    BuildRow(kCornerStrutResultRow, n, false);
    UpdateCornerStrutResultRow(n);
}

// --- Writers ----------------------------------------------------------------------------------

namespace {

const TAnchLevel* LevelAt(const TAnchor& system, int n) {
    return n >= 1 && n <= system.UsedLevels() ? &system.Levels[static_cast<size_t>(n - 1)] : nullptr;
}

} // namespace

void TfrmKdMain::SetRowText(const char* prefix, int n, const QString& text) {
    if (auto* label = FindRowControl<QLabel>(prefix, n)) label->setText(text);
}

void TfrmKdMain::ShowRowNumber(const char* prefix, int n, Ext value, bool noClamp) {
    if (auto* edit = FindRowControl<QLineEdit>(prefix, n)) SetNumber(edit, value, noClamp);
}

// Row placement of the kinds shown by condition: below the nearest earlier visible row of the
// kind, else where the layout puts row 1.
void TfrmKdMain::PlaceConditionalRow(const char* prefix, int n, bool visible) {
    QWidget* row = RowControl(prefix, n);
    if (!row) return;
    QWidget* first = RowControl(prefix, 1);
    if (!first->property("layoutTop").isValid()) first->setProperty("layoutTop", first->y());
    int top = first->property("layoutTop").toInt();
    for (int k = n - 1; k >= 1; --k) {
        QWidget* above = RowControl(prefix, k);
        if (above && !above->isHidden()) {
            top = Bottom(above);
            break;
        }
    }
    row->move(row->x(), top);
    row->setVisible(visible);
}

void TfrmKdMain::UpdateAnchorRow(int n) {
    const TKdData& d = Data();
    SetRowText(kAnchorRow.controls[0], n, Letter(n));
    // Row 1 of a project without levels shows the level a level count of 1 would add.
    const TAnchLevel* stored = LevelAt(d.Anchors, n);
    const TAnchLevel added = stored ? TAnchLevel{} : d.NewLevel(true);
    const TAnchLevel* level = stored ? stored : &added;
    if (auto* type = FindRowControl<QComboBox>("cmbAnchType", n)) {
        const QSignalBlocker blocker(type);
        type->setCurrentIndex(level->Kind);
    }
    if (auto* edit = FindRowControl<QAbstractButton>("sbAnchEdit", n)) edit->setProperty("tag", level->Kind);
    // The commit's own limits hold the distance and the angle.
    ShowRowNumber("Edit_AnchX", n, level->HeightFromPrevious, true);
    if (auto* angle = FindRowControl<QLineEdit>("Edit_AnchAng", n)) {
        // A strut is horizontal: its angle is computed, not typed.
        SetEditReadOnly(angle, level->Kind == lkStrut);
        SetNumber(angle, level->Angle, true);
    }
    // A row without a level has nothing to edit until a level count is typed.
    for (const char* name : {"cmbAnchType", "Edit_AnchX", "Edit_AnchAng", "sbAnchEdit"})
        if (QWidget* control = RowControl(name, n)) control->setEnabled(stored != nullptr);
}

void TfrmKdMain::UpdateCornerRow(int n) {
    const TKdData& d = Data();
    if (QWidget* row = RowControl(kCornerRow.panel, n))
        EnableSectionControls(row, d.UseCornerBraces, nullptr);
    SetRowText(kCornerRow.controls[0], n, Letter(n));
    const TAnchLevel* stored = LevelAt(d.CornerBraces, n);
    const TAnchLevel added = stored ? TAnchLevel{} : d.NewLevel(false);
    const TAnchLevel* corner = stored ? stored : &added;
    if (auto* type = FindRowControl<QComboBox>("cmbCornerType", n)) {
        const QSignalBlocker blocker(type);
        type->setCurrentIndex(corner->Kind == lkStrut ? 1 : 0);
    }
    const bool used = d.UseCornerBraces && corner->Kind > lkUnused;
    if (auto* edit = FindRowControl<QAbstractButton>("sbCornerEdit", n)) {
        edit->setProperty("tag", 4);
        edit->setEnabled(used);
    }
    if (auto* x = FindRowControl<QLineEdit>("Edit_CornerX", n)) {
        SetNumber(x, d.LevelDepth(n - 1), false);
        x->setEnabled(used);
    }
    if (auto* angle = FindRowControl<QLineEdit>("Edit_CornerAng", n)) {
        SetNumber(angle, corner->Angle, false);
        angle->setEnabled(used);
    }
    if (!stored)
        if (QWidget* row = RowControl(kCornerRow.panel, n)) EnableSectionControls(row, false, nullptr);
}

QString TfrmKdMain::TendonText(const TAnchLevel& level) const {
    const QString count = level.BarCount >= 0 ? QString::number(level.BarCount) : QStringLiteral("N.A.");
    if (level.TendonType == ttStrand)
        return QStringLiteral("%1 Strands\nGrade %2").arg(count).arg(level.Grade);
    const TAnchorBarTable bars = Data().GetAnchorBars();
    const QString name = level.BarSize >= 0 && level.BarSize < static_cast<int>(bars.size())
                             ? QString::fromLatin1(bars[static_cast<size_t>(level.BarSize)].Name.c_str())
                             : QString();
    return QStringLiteral("%1 %2 bars\nGrade %3").arg(count, lists::TextBeforeBlank(name)).arg(level.Grade);
}

void TfrmKdMain::UpdateAnchorResultRow(int n) {
    const TKdData& d = Data();
    SetRowText("labAnchR", n, Letter(n));
    const TAnchLevel* level = LevelAt(d.Anchors, n);
    SetRowText("labAnchRText", n, level && level->Kind <= lkTieRod ? TendonText(*level) : QString());
    const TAnchor& a = d.Anchors;
    const auto i = static_cast<size_t>(n - 1);
    // A row without a level (row 1 of a project without levels) or without results shows none,
    // rather than those of the project shown before.
    const bool loads = level && a.LevelLoads.size() > i;
    const auto entry = [&](const TVector& values) { return loads && values.size() > i ? values[i] : kNaN; };
    ShowRowNumber("Edit_RDpth", n, loads ? d.LevelDepth(n - 1) : kNaN);
    if (auto* force = FindRowControl<QLineEdit>("Edit_RTBF", n))
        SetEditValue(force, false, entry(a.LevelLoads), d.FieldLimits,
                     !loads                    ? QString()
                     : level->Kind <= lkTieRod ? QStringLiteral(" (T)")
                                               : QStringLiteral(" (C)"));
    ShowRowNumber("Edit_RUTBL", n, entry(a.FreeLengths));
    ShowRowNumber("Edit_RTL", n, entry(a.TestLoads));
}

void TfrmKdMain::UpdateBondResultRow(int n) {
    const TKdData& d = Data();
    const TAnchLevel* level = LevelAt(d.Anchors, n);
    PlaceConditionalRow("pnlBondR", n, level && level->Kind <= lkTieRod);
    SetRowText("labBondR", n, QStringLiteral("Level %1 Bond Length").arg(Letter(n)));
    SetRowText("labBondUnR", n, ListIndex("ComboBox1", 0) == 0 ? QStringLiteral("ft") : QStringLiteral("m"));
    ShowRowNumber("Edit_RBnd", n, level ? level->BondLength : kNaN);
}

void TfrmKdMain::ShowStrutRow(const TAnchor& system, int n, const char* suffix, const char* prefix) {
    const auto name = [suffix](const char* base) { return std::string(base) + suffix; };
    const TAnchLevel* level = LevelAt(system, n);
    const bool visible = level && (suffix[0] == 'C' ? level->Kind > lkUnused : level->Kind > lkTieRod);
    PlaceConditionalRow(prefix, n, visible);
    SetRowText(name("labStrutR").c_str(), n, Letter(n));
    const bool pipe = level && level->MemberKind == 1;
    const Ext values[] = {level ? level->Result.PUtil : kNaN, level ? level->Result.MxUtil : kNaN,
                          level && !pipe ? level->Result.MyUtil : kNaN, level ? level->CombinedRatio : kNaN};
    const char* edits[] = {"Edit_RStrutP", "Edit_RStrutMx", "Edit_RStrutMy", "Edit_RStrutComb"};
    const char* images[] = {"imgRStrutP", "imgRStrutMx", "imgRStrutMy", "imgRStrutComb"};
    for (int k = 0; k < 4; ++k) {
        ShowRowNumber(name(edits[k]).c_str(), n, values[k]);
        // A pipe has no weak axis: its My mark passes.
        const bool pass = (k == 2 && pipe) || values[k] <= 0.99L;
        if (auto* image = FindRowControl<QLabel>(name(images[k]).c_str(), n)) {
            SetToggleImage(pass, image);
            // A member without structural design is not checked: "N.A." and no mark, rather than
            // a failure that turns the whole results red.
            image->setVisible(level && level->StructuralDesign);
        }
    }
}

void TfrmKdMain::UpdateStrutResultRow(int n) {
    ShowStrutRow(Data().Anchors, n, "", "pnlStrutR");
}

void TfrmKdMain::UpdateCornerResultRow(int n) {
    const TKdData& d = Data();
    const TAnchLevel* corner = LevelAt(d.CornerBraces, n);
    PlaceConditionalRow("pnlCornerR", n, corner && corner->Kind > lkUnused);
    SetRowText("labCornerR", n, Letter(n));
    const bool level = n <= d.Anchors.UsedLevels();
    const auto i = static_cast<size_t>(n - 1);
    const auto entry = [&](const TVector& values) { return level && values.size() > i ? values[i] : kNaN; };
    ShowRowNumber("Edit_RDpthCorner", n, level ? d.LevelDepth(n - 1) : kNaN);
    ShowRowNumber("Edit_RTBFCorner", n, entry(d.CornerBraces.LevelLoads));
    ShowRowNumber("Edit_RTLCorner", n, entry(d.CornerBraces.TestLoads));
}

void TfrmKdMain::UpdateCornerStrutResultRow(int n) {
    ShowStrutRow(Data().CornerBraces, n, "C", "pnlStrutRC");
}

} // namespace vantrel::ui
