// Unit captions: one table (the English and SI captions of the section tables) drives every unit
// caption, the unit-bearing section caption, the items of the lagging concrete strength list and
// the unit of the shared basal heave input.
//
// The unit switch: a project's numbers are relabelled, not converted (20 ft becomes 20 m), and the
// commit then brings each input within the new system's limits, which switching back cannot undo.
// Before a switch changes a value the user is asked, with the values that would change.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

#include "platform/Dialogs.h"
#include "platform/NumberFormat.h"
#include "ui/Globals.h"
#include "ui/KdMain.h"
#include "ui/KdMainLayout.h"

namespace vantrel::ui {

namespace {

// The level rows of the input column: row 1 is in the layout, row n is its copy with n in place
// of the 1 of every name.
constexpr const char* kInputRowPanels[] = {"pnlAnch1", "pnlCorner1"};

bool InLevelRow(const ControlLayout& c) {
    for (const char* panel : kInputRowPanels)
        if (c.parent == panel) return true;
    return false;
}

// A caption as one line, without the unit that a column heading carries after its last comma
// ("Ht. from Prev, ft").
QString PlainCaption(const QWidget* window, const ControlLayout& label) {
    const auto* shown = window->findChild<const QLabel*>(QString::fromStdString(label.name));
    QString text = shown ? shown->text() : QString::fromStdString(label.text);
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!label.english.empty())
        if (const int comma = text.lastIndexOf(QLatin1String(", ")); comma > 0) text.truncate(comma);
    return text.simplified();
}

bool IsCaption(const ControlLayout& c) {
    return c.kind == Ctl::Label || c.kind == Ctl::Note;
}

// The caption of a value in a section table: the label at the left of it on its row, else (and in
// a level row, whose label is its letter) the heading of its column: the nearest label above it
// that starts where it starts.
QString CaptionOf(const QWidget* window, const SectionLayout& s, size_t at) {
    const ControlLayout& value = s.controls[at];
    const ControlLayout* caption = nullptr;
    for (const ControlLayout& c : s.controls)
        if (!InLevelRow(value) && IsCaption(c) && c.parent == value.parent && c.y >= value.y &&
            c.y < value.y + value.h && c.x + c.w <= value.x && (!caption || c.x > caption->x))
            caption = &c;
    for (size_t i = at; !caption && i-- > 0;)
        if (IsCaption(s.controls[i]) && s.controls[i].x == value.x) caption = &s.controls[i];
    return caption ? PlainCaption(window, *caption) : QString::fromStdString(value.name);
}

} // namespace

bool TfrmKdMain::ConfirmUnitSwitch() {
    auto* units = Ctl<QComboBox>("ComboBox1");
    const int chosen = units ? units->currentIndex() : -1;
    if (chosen < 0 || chosen == Data().Units) return true;

    // The numeric inputs in tab order, with their captions; a value of a level row names its level.
    struct Input {
        QPointer<QLineEdit> edit;
        QString caption;
        Ext shown;
        int digits;
    };
    std::vector<Input> inputs;
    const int levels = Data().Anchors.UsedLevels();
    for (const SectionLayout& s : InputSectionLayouts())
        for (size_t i = 0; i < s.controls.size(); ++i) {
            const ControlLayout& c = s.controls[i];
            if (c.kind != Ctl::Edit && c.kind != Ctl::ComboEdit) continue;
            const QString caption = CaptionOf(this, s, i);
            const bool perLevel = InLevelRow(c);
            const QString base =
                QString::fromStdString(perLevel ? c.name.substr(0, c.name.size() - 1) : c.name);
            for (int n = 1; n <= (perLevel ? levels : 1); ++n) {
                QWidget* w = Control(perLevel ? base + QString::number(n) : base);
                auto* edit = qobject_cast<QLineEdit*>(w);
                if (auto* combo = qobject_cast<QComboBox*>(w)) edit = combo->lineEdit();
                if (!edit) continue;
                Ext shown = 0;
                QString text = edit->text();
                text.remove(QLocale().groupSeparator());
                if (!ParseNumber(text, shown)) continue;
                inputs.push_back({edit,
                                  perLevel
                                      ? QStringLiteral("Level %1, %2").arg(QChar(u'A' + n - 1)).arg(caption)
                                      : caption,
                                  shown, EditDigits(edit, Data().FieldLimits)});
            }
        }

    // A trial commit on a copy of the project shows what the switch stores: the same reading, limits
    // and rounding as the commit itself. The project and the window's own memory stay aside.
    std::unique_ptr<TKdData> project = std::exchange(FData, std::make_unique<TKdData>(*FData));
    const uint8_t applied = unitsApplied_;
    const auto sheetAway = sheetAway_;
    const auto drivenAway = drivenAway_;
    EditTrace trace;
    editTrace_ = &trace;
    bool failed = false;
    try {
        ReadInputs();
    } catch (const std::exception&) {
        failed = true; // the commit itself reports it
    }
    editTrace_ = nullptr;

    // A value changes when the commit reads its edit and stores another number than the project's
    // (relabelled, with the defaults of the other system swapped in): clamped to a limit or rounded
    // to the field's decimals. It is named with the number the user sees now.
    QStringList changed;
    for (const Input& in : inputs) {
        if (!in.edit || !trace.read.contains(in.edit) || in.edit->isReadOnly()) continue;
        const Ext relabelled = trace.written.value(in.edit, in.shown);
        Ext stored = 0;
        QString text = in.edit->text();
        text.remove(QLocale().groupSeparator());
        if (!ParseNumber(text, stored) || !std::isfinite(relabelled)) continue;
        if (std::fabs(stored - relabelled) <= 1e-9L * std::max(1.0L, std::fabs(relabelled))) continue;
        changed << QStringLiteral("%1: %2 \u2192 %3")
                       .arg(in.caption, platform::FormatFixed(static_cast<double>(in.shown), in.digits),
                            platform::FormatFixed(static_cast<double>(stored),
                                                  EditDigits(in.edit, Data().FieldLimits)));
    }
    if (!failed && changed.isEmpty()) {
        // Nothing changes but the labels: the trial was the commit.
        ShowInputHint(nullptr, QString());
        SetModified(true);
        return false;
    }

    // Put the project back, and the window with it, before asking.
    FData = std::move(project);
    unitsApplied_ = applied;
    sheetAway_ = sheetAway;
    drivenAway_ = drivenAway;
    {
        const QSignalBlocker blocker(units);
        units->setCurrentIndex(Data().Units);
    }
    FillSectionLists(false);
    UpdateForm();
    if (failed) return true;

    constexpr int kListed = 10;
    const QString system = units->itemText(chosen);
    QString text = QStringLiteral("The limits of %1 change these values:\n\n").arg(system);
    for (int i = 0; i < std::min<int>(kListed, changed.size()); ++i)
        text += QStringLiteral("    ") + changed[i] + QLatin1Char('\n');
    if (changed.size() > kListed) text += QStringLiteral("    and %1 more\n").arg(changed.size() - kListed);
    text += QStringLiteral("\nThe other values keep their numbers in the new units: they are relabelled, not "
                           "converted.\n\nChange the units to %1?")
                .arg(system);
    if (platform::AskQuestion(this, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) !=
        QMessageBox::Yes)
        return false;
    const QSignalBlocker blocker(units);
    units->setCurrentIndex(chosen);
    return true;
}

void TfrmKdMain::SetUnits() {
    auto* units = Find<QComboBox>(QStringLiteral("ComboBox1"));
    const bool english = !units || units->currentText() != QLatin1String("SI");
    auto* concrete = Find<QComboBox>(QStringLiteral("ComboBox9"));
    const int concreteIndex = concrete ? concrete->currentIndex() : -1;

    for (const auto* layouts : {&InputSectionLayouts(), &ResultSectionLayouts()}) {
        for (const SectionLayout& s : *layouts) {
            if (!s.captionSI.empty())
                if (auto* caption = qobject_cast<QLabel*>(Control(QString::fromStdString(s.captionLabel))))
                    caption->setText(QString::fromStdString(english ? s.caption : s.captionSI));
            for (const ControlLayout& c : s.controls) {
                if (c.english.empty()) continue;
                if (auto* label = qobject_cast<QLabel*>(Control(QString::fromStdString(c.name))))
                    label->setText(QString::fromStdString(english ? c.english : c.si));
            }
        }
    }

    if (concrete) {
        const QSignalBlocker block(concrete);
        concrete->clear();
        concrete->addItems(english ? QStringList{platform::FormatFixed(3.0, 1), platform::FormatFixed(4.5, 1)}
                                   : QStringList{QStringLiteral("21"), QStringLiteral("32")});
        concrete->setCurrentIndex(concreteIndex);
    }

    // The shared basal heave input holds the surcharge for H/B > 1 and the excavation width for
    // H/B < 1.
    if (auto* unit = Find<QLabel>(QStringLiteral("unitEdit_BH5"))) {
        auto* condition = Find<QComboBox>(QStringLiteral("ComboBox22"));
        const bool width = condition && condition->currentIndex() == 1;
        unit->setText(width ? (english ? QStringLiteral("ft") : QStringLiteral("m"))
                            : (english ? QStringLiteral("psf") : QStringLiteral("kPa")));
    }
}

} // namespace vantrel::ui
