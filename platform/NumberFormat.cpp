#include "platform/NumberFormat.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace vantrel::platform {

QString FormatFixed(double value, int digits) {
    if (!std::isfinite(value)) return QStringLiteral("N.A.");
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'f', digits);
    // A small negative value rounds to zero: its sign would say something the number does not.
    if (text.startsWith(locale.negativeSign()) && locale.toDouble(text.mid(1)) == 0.0) text.remove(0, 1);
    return text;
}

namespace {
QString Compose(std::string_view format, std::span<const double> values) {
    return QString::fromStdString(ComposeNumbers(
        format, values, [](double v, int digits) { return FormatFixed(v, digits).toStdString(); }));
}
} // namespace

QString FormatFixedText(const char* format, std::initializer_list<double> values) {
    return Compose(format, std::span<const double>(values.begin(), values.size()));
}

QString FormatFixedText(const TNumberText& text) {
    return Compose(text.Format, text.Values);
}

QString LocaleNumbersIn(const QString& text) {
    // A decimal stands alone: not inside a name ("W410X46.1"), a version or a date ("1.18.0").
    static const QRegularExpression decimal(QStringLiteral("(?<![\\w.,])\\d+(\\.)\\d+(?!\\.?\\d)"));
    const QString point = QLocale().decimalPoint();
    QString result = text;
    // From the end, so that a separator longer than the point leaves the earlier offsets valid.
    QList<qsizetype> points;
    for (auto it = decimal.globalMatch(text); it.hasNext();)
        points.prepend(it.next().capturedStart(1));
    for (const qsizetype at : points)
        result.replace(at, 1, point);
    return result;
}

} // namespace vantrel::platform
