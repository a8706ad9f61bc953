#include "ui/EditorFields.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVariant>

#include <cmath>
#include <locale>
#include <sstream>

namespace vantrel::editorfields {

namespace {

const char* const kTagProperty = "tag";

const TFieldLimit* LimitOf(const TFieldLimitTable& limits, int tag) {
    if (tag < 1 || tag > kFieldLimitCount) return nullptr;
    return &limits[static_cast<size_t>(tag)];
}

Ext ClampTo(const TFieldLimit& limit, Ext v) {
    if (!limit.HasLimit()) return v;
    if (v < limit.Min) return limit.Min;
    if (v > limit.Max) return limit.Max;
    return v;
}

// The number in `text` in the locale's notation, read to the full extended precision, so that
// "0.85" reads as 0.85L exactly like the model's own constants.
Ext ParseNumber(const QString& text, bool* ok) {
    const QLocale locale;
    QString plain = text.trimmed();
    plain.remove(locale.groupSeparator());
    plain.replace(locale.decimalPoint(), QStringLiteral("."));
    static const QRegularExpression number(QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?$"));
    *ok = number.match(plain).hasMatch();
    if (!*ok) return 0.0L;
    // Read in the classic notation whatever the process's C locale (the application sets it from
    // the desktop).
    std::istringstream stream(plain.toStdString());
    stream.imbue(std::locale::classic());
    Ext value = 0.0L;
    stream >> value;
    *ok = !stream.fail() && std::isfinite(value);
    return *ok ? value : 0.0L;
}

} // namespace

int TagOf(const QWidget* control) {
    return control ? control->property(kTagProperty).toInt() : 0;
}

void SetTag(QWidget* control, int tag) {
    control->setProperty(kTagProperty, tag);
}

QString FormatValue(Ext value, int digits) {
    if (!std::isfinite(static_cast<double>(value))) return QStringLiteral("N.A.");
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(static_cast<double>(value), 'f', digits);
}

void SetEditValue(QLineEdit* edit, const TFieldLimitTable& limits, bool noClamp, Ext value) {
    if (std::isnan(value)) {
        edit->setText(QStringLiteral("N.A."));
        return;
    }
    int digits = 2;
    if (const TFieldLimit* limit = LimitOf(limits, TagOf(edit))) {
        digits = limit->Digits;
        if (!noClamp) value = ClampTo(*limit, value);
    }
    const QSignalBlocker quiet(edit);
    edit->setText(FormatValue(value, digits));
}

Ext GetEditValue(QLineEdit* edit, const TFieldLimitTable& limits, double min, double max) {
    bool ok = false;
    const Ext typed = ParseNumber(edit->text(), &ok);

    Ext value = typed;
    if (min == 0.0 && max == 0.0) {
        if (const TFieldLimit* limit = LimitOf(limits, TagOf(edit))) value = ClampTo(*limit, value);
    }
    if (min != 0.0 && value < min)
        value = min;
    else if (max != 0.0 && value > max)
        value = max;

    if (value != typed || !ok) SetEditValue(edit, limits, false, value);
    return value;
}

void SelectComboItemByNumber(QComboBox* combo, int n) {
    const QString number = QString::number(n);
    for (const QString& text : {QStringLiteral("#") + number, number + QStringLiteral("M"),
                                number + QStringLiteral(" ksi"), number + QStringLiteral(" kN")}) {
        const int index = combo->findText(text, Qt::MatchExactly);
        if (index >= 0) {
            combo->setCurrentIndex(index);
            return;
        }
    }
    combo->setCurrentIndex(n < 0 ? 0 : n);
}

int GetComboItemNumber(const QComboBox* combo, int fallback) {
    QString text = combo->currentText();
    for (const QString& mark :
         {QStringLiteral("#"), QStringLiteral("M"), QStringLiteral("ksi"), QStringLiteral("kN")}) {
        const int at = text.indexOf(mark);
        if (at >= 0) text.remove(at, mark.size());
        text = text.trimmed();
    }
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n != 0 ? n : fallback;
}

void AcceptNumbersOnly(QLineEdit* edit) {
    const QString point = QRegularExpression::escape(QLocale().decimalPoint());
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?\\d*(%1\\d*)?").arg(point)), edit));
}

void SetReadOnlyLook(QLineEdit* edit, bool readOnly) {
    edit->setReadOnly(readOnly);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base,
                     readOnly ? QColor(0xA6, 0xCA, 0xF0) : QApplication::palette(edit).color(QPalette::Base));
    edit->setPalette(palette);
}

} // namespace vantrel::editorfields
