#include "ui/Globals.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QSignalBlocker>
#include <QVariant>

#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <sstream>
#include <stdexcept>

#include "platform/Folders.h"
#include "platform/NumberFormat.h"
#include "platform/Version.h"

namespace vantrel::ui {

int Tag(const QObject* object) {
    return object ? object->property("tag").toInt() : 0;
}

void SetTag(QObject* object, int tag) {
    if (object) object->setProperty("tag", tag);
}

// --- Numbers --------------------------------------------------------------------------------

QString FormatFloat(Ext value, int precision, int digits) {
    if (std::isnan(value)) return QStringLiteral("N.A.");
    if (std::isinf(value)) return QStringLiteral("N.A.");
    // Round to `precision` significant digits first, then show `digits` decimals.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Le", precision - 1, value);
    const double rounded = std::strtod(buf, nullptr);
    if (std::fabs(rounded) >= std::pow(10.0, precision)) {
        QLocale locale;
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        return locale.toString(rounded, 'e', precision - 1);
    }
    return platform::FormatFixed(rounded, digits);
}

namespace {
// Reads `text` written in `locale`. Qt's reading decides whether it is a number at all; the same
// digits are then read once more in the classic notation as a long double (whatever the process's
// C locale), so that no precision is lost between the text and the extended value.
bool ReadNumberIn(const QLocale& locale, const QString& text, Ext& value) {
    bool ok = false;
    const double v = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(v)) return false;
    value = v;
    QString plain = text;
    plain.remove(locale.groupSeparator());
    plain.replace(locale.decimalPoint(), QStringLiteral("."));
    plain.replace(locale.negativeSign(), QStringLiteral("-"));
    plain.replace(locale.positiveSign(), QStringLiteral("+"));
    plain.replace(locale.exponential(), QStringLiteral("e"), Qt::CaseInsensitive);
    std::istringstream stream(plain.toStdString());
    stream.imbue(std::locale::classic());
    Ext precise = 0;
    stream >> precise; // a whole reading ends at the end of the text
    // Only a reading of the very same number replaces the double.
    if (!stream.fail() && stream.eof() && std::fabs(precise - v) <= 1e-12L * std::fabs(precise))
        value = precise;
    return true;
}
} // namespace

bool ParseNumber(const QString& text, Ext& value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    const QString t = text.trimmed();
    return ReadNumberIn(locale, t, value) || ReadNumberIn(QLocale::c(), t, value);
}

namespace {
const TFieldLimit* limitOf(const QObject* edit, const TFieldLimitTable& limits) {
    const int tag = Tag(edit);
    if (tag < 1 || tag > kFieldLimitCount) return nullptr;
    return &limits[tag];
}

Ext clampTo(const TFieldLimit& limit, Ext v) {
    if (!limit.HasLimit()) return v;
    if (v < limit.Min) return limit.Min;
    if (v > limit.Max) return limit.Max;
    return v;
}
} // namespace

void SetEditValue(QLineEdit* edit, bool noClamp, Ext value, const TFieldLimitTable& limits,
                  const QString& suffix) {
    if (!edit) return;
    int digits = 2;
    if (const TFieldLimit* limit = limitOf(edit, limits)) {
        digits = limit->Digits;
        if (!noClamp) value = clampTo(*limit, value);
    }
    const QString text =
        (std::isnan(value) ? QStringLiteral("N.A.") : FormatFloat(value, 10, digits)) + suffix;
    if (edit->text() == text) return;
    const QSignalBlocker block(edit);
    edit->setText(text);
}

int EditDigits(const QObject* edit, const TFieldLimitTable& limits) {
    const TFieldLimit* limit = limitOf(edit, limits);
    return limit ? limit->Digits : 2;
}

Ext ShownLimit(Ext limit, bool lower, Ext lo, Ext hi, int digits) {
    if (!std::isfinite(limit) || digits < 0 || digits > 15) return limit;
    const Ext scale = std::pow(10.0L, static_cast<Ext>(digits));
    const Ext scaled = limit * scale;
    const Ext nearest = std::nearbyint(scaled);
    // A limit that has the shown decimals already, but for the noise of its arithmetic, reads
    // back as the shown number: that number is the one to keep.
    if (std::fabs(scaled - nearest) <= 1e-9L * std::max(1.0L, std::fabs(scaled))) return nearest / scale;
    const Ext inward = (lower ? std::ceil(scaled) : std::floor(scaled)) / scale;
    return inward >= lo && inward <= hi ? inward : limit;
}

Ext AsShown(Ext value, int digits) {
    if (!std::isfinite(value)) return value;
    Ext shown = value;
    if (!ParseNumber(FormatFloat(value, 10, digits), shown)) return value;
    return shown == 0 ? 0.0L : shown; // "-0.00" is zero
}

Ext GetEditValue(QLineEdit* edit, Ext min, Ext max, const TFieldLimitTable& limits) {
    if (!edit) return 0;
    QString text = edit->text();
    text.remove(QLocale().groupSeparator());
    Ext converted = 0;
    if (!ParseNumber(text, converted)) converted = 0;
    const int digits = EditDigits(edit, limits);
    Ext value = AsShown(converted, digits);
    if (min == 0 && max == 0)
        if (const TFieldLimit* limit = limitOf(edit, limits); limit && limit->HasLimit()) {
            if (value < limit->Min)
                value = ShownLimit(limit->Min, true, limit->Min, limit->Max, digits);
            else if (value > limit->Max)
                value = ShownLimit(limit->Max, false, limit->Min, limit->Max, digits);
        }
    const Ext hi = max != 0 ? max : std::numeric_limits<Ext>::max();
    if (min != 0 && value < min)
        value = ShownLimit(min, true, min, hi, digits);
    else if (max != 0 && value > max)
        value = ShownLimit(max, false, min != 0 ? min : std::numeric_limits<Ext>::lowest(), max, digits);
    // The edit shows the number that is returned: a caller's own limits are not clamped again to
    // the table's, which would show another number than the one the project stores.
    const bool ownLimits = min != 0 || max != 0;
    if (value != converted) SetEditValue(edit, ownLimits, value, limits);
    return value;
}

namespace {
Ext itemNumber(const QComboBox* combo, int index) {
    Ext v = 0;
    if (index < 0 || index >= combo->count() || !ParseNumber(combo->itemText(index), v)) return 0;
    return v;
}

bool sameValue(Ext a, Ext b) {
    if (a == b) return true;
    return std::fabs(a - b) <= 1e-9L * std::max(std::fabs(a), std::fabs(b));
}
} // namespace

void SelectComboItemByNumber(QComboBox* combo, int n) {
    if (!combo) return;
    const QSignalBlocker block(combo);
    const QString number = QString::number(n);
    for (const QString& form : {QStringLiteral("#") + number, number + QStringLiteral("M"),
                                number + QStringLiteral(" ksi"), number + QStringLiteral(" kN")}) {
        const int index = combo->findText(form, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0) {
            combo->setCurrentIndex(index);
            return;
        }
    }
    if (n < 0) n = 0;
    combo->setCurrentIndex(n < combo->count() ? n : -1);
}

int GetComboItemNumber(const QComboBox* combo, int fallback) {
    QString text = combo ? combo->currentText() : QString();
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

int GetComboItemNumber(const QComboBox* combo, const TRebarTable& rebars) {
    return GetComboItemNumber(combo, rebars[0].Number);
}

void SelectComboItemByValue(QComboBox* combo, Ext value) {
    if (!combo) return;
    const QSignalBlocker block(combo);
    for (int i = 0; i < combo->count(); ++i)
        if (sameValue(itemNumber(combo, i), value)) {
            combo->setCurrentIndex(i);
            return;
        }
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

Ext GetComboItemValue(const QComboBox* combo) {
    if (!combo) return 0;
    Ext v = 0;
    if (!ParseNumber(combo->currentText(), v)) v = 0;
    if (v == 0) v = itemNumber(combo, 0);
    return v;
}

// --- Numeric edits ---------------------------------------------------------------------------

bool RejectsNumberKey(const QLineEdit* edit, const QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1) return false;
    const QChar ch = text.front();
    // Editing keys and short-cuts (Ctrl+C, Ctrl+V, Ctrl+X, backspace) carry control characters.
    if (ch.unicode() < 0x20 || ch.unicode() == 0x7f) return false;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (ch.isDigit() || ch == QLatin1Char('-')) return false;
    const QString decimal = QLocale().decimalPoint();
    if (text != decimal) return true;
    // The separator replaces whatever is selected: ".5" typed over a selected "8.00" is 0.5.
    QString kept = edit->text();
    if (edit->hasSelectedText()) kept.remove(edit->selectionStart(), edit->selectedText().size());
    return kept.contains(decimal);
}

bool FilterNumberKey(QObject* target, const QLineEdit* edit, const QKeyEvent* event) {
    const QString decimal = QLocale().decimalPoint();
    const QString text = event->text();
    if ((event->modifiers() & Qt::KeypadModifier) && text != decimal &&
        (text == QLatin1String(".") || text == QLatin1String(","))) {
        QKeyEvent typed(event->type(), decimal == QLatin1String(",") ? Qt::Key_Comma : Qt::Key_Period,
                        event->modifiers(), decimal, event->isAutoRepeat(), ushort(event->count()));
        QCoreApplication::sendEvent(target, &typed);
        return true;
    }
    return RejectsNumberKey(edit, event);
}

namespace {
class NumberKeyFilter : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && !edit->isReadOnly())
                return FilterNumberKey(edit, edit, static_cast<QKeyEvent*>(event));
        return false;
    }
};
} // namespace

void AcceptNumbersOnly(QLineEdit* edit) {
    if (edit) edit->installEventFilter(new NumberKeyFilter(edit));
}

QColor ReadOnlyColour() {
    return QColor(166, 202, 240);
}

void SetReadOnlyLook(QLineEdit* edit, bool readOnly) {
    if (!edit) return;
    edit->setReadOnly(readOnly);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base,
                     readOnly ? ReadOnlyColour() : QApplication::palette(edit).color(QPalette::Base));
    edit->setPalette(palette);
}

namespace {
// A 16-pixel disc with a white tick (pass, green) or cross (fail, red).
QPixmap DrawMark(bool pass) {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(pass ? QColor(0, 150, 60) : QColor(210, 30, 30));
    g.drawEllipse(1, 1, 14, 14);
    g.setPen(QPen(Qt::white, 2.2));
    if (pass) {
        g.drawPolyline(QPolygonF({{4.5, 8.5}, {7, 11}, {11.5, 5}}));
    } else {
        g.drawLine(QPointF(5, 5), QPointF(11, 11));
        g.drawLine(QPointF(11, 5), QPointF(5, 11));
    }
    return p;
}
} // namespace

QPixmap PassFailPixmap(bool pass) {
    static const QPixmap pictures[2] = {DrawMark(true), DrawMark(false)};
    return pictures[pass ? 0 : 1];
}

void SetToggleImage(bool state, QLabel* image) {
    if (!image) return;
    const QPixmap mark = PassFailPixmap(state);
    if (Tag(image) == (state ? 0 : 1) && image->pixmap().cacheKey() == mark.cacheKey()) return;
    image->setPixmap(mark);
    SetTag(image, state ? 0 : 1);
    image->update();
}

void SetCheckedSilently(QAbstractButton* check, bool checked) {
    if (!check) return;
    const QSignalBlocker block(check);
    check->setChecked(checked);
}

// --- Version ----------------------------------------------------------------------------------

void GetFileVersion(const QString& fileName, int& major, int& minor, int& release, int& build,
                    bool& preRelease) {
    const QString own = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString asked = QFileInfo(fileName).canonicalFilePath();
    if (own.isEmpty() || asked != own)
        throw std::runtime_error("Can't get file version information for " + fileName.toStdString());
    const platform::VersionNumbers v = platform::ProgramVersionNumbers();
    major = v.major, minor = v.minor, release = v.release, build = v.build, preRelease = v.preRelease;
}

QString GetAppVersion() {
    int major = 0, minor = 0, release = 0, build = 0;
    bool preRelease = false;
    GetFileVersion(QCoreApplication::applicationFilePath(), major, minor, release, build, preRelease);
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(release);
}

// --- Folders ----------------------------------------------------------------------------------

QString GetSpecialFolder(int folder) {
    switch (folder) {
    case 5:
        return platform::DocumentsFolder();
    case 26:
        return platform::ApplicationDataFolder();
    default:
        return {};
    }
}

QString GetMyDocumentsFolder() {
    return GetSpecialFolder(5);
}

QString GetAppDataFolder() {
    QString folder = GetSpecialFolder(26);
    if (folder.isEmpty()) return folder;
    folder += QStringLiteral("Vantrel/");
    QDir().mkpath(folder);
    return folder;
}

// --- Project texts ----------------------------------------------------------------------------

namespace {
// Windows-1252 bytes 0x80..0x9F; the five unassigned ones pass through as C1 controls.
constexpr char16_t kHighTable[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QString FromProjectText(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(kHighTable[b - 0x80]) : QChar(b));
    }
    return text;
}

std::string ToProjectText(const QString& text) {
    std::string bytes;
    for (const char32_t u : text.toUcs4()) {
        if (bytes.size() >= static_cast<size_t>(kMaxProjectText)) break;
        char byte = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            byte = static_cast<char>(u);
        } else {
            for (int i = 0; i < 32; ++i)
                if (kHighTable[i] == u) byte = static_cast<char>(0x80 + i);
        }
        bytes.push_back(byte);
    }
    return bytes;
}

QDate DateFromProject(double days) {
    return QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(days)));
}

double DateToProject(const QDate& date) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(date));
}

} // namespace vantrel::ui
