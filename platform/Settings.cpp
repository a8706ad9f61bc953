#include "platform/Settings.h"

#include <QSettings>

#include <memory>
#include <utility>

namespace vantrel::platform {

namespace {
QString& settingsFile() {
    static QString file;
    return file;
}

std::unique_ptr<QSettings> openSettings() {
    if (!settingsFile().isEmpty()) return std::make_unique<QSettings>(settingsFile(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Quarnel"), QStringLiteral("Vantrel"));
}

// The stored text of a scalar value, or nothing for a missing key or a list or map.
std::optional<QString> readText(const QString& key) {
    const auto settings = openSettings();
    if (!settings->contains(key)) return std::nullopt;
    const QVariant v = settings->value(key);
    if (!v.canConvert<QString>() || v.typeId() == QMetaType::QStringList ||
        v.typeId() == QMetaType::QVariantList)
        return std::nullopt;
    return v.toString().trimmed();
}
} // namespace

std::optional<bool> ReadBoolSetting(const QString& key) {
    const auto text = readText(key);
    if (!text) return std::nullopt;
    if (text->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || *text == QLatin1String("1"))
        return true;
    if (text->compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || *text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

std::optional<int> ReadIntSetting(const QString& key) {
    const auto text = readText(key);
    if (!text) return std::nullopt;
    bool ok = false;
    const int value = text->toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

void WriteBoolSetting(const QString& key, bool value) {
    openSettings()->setValue(key, value);
}

void WriteIntSetting(const QString& key, int value) {
    openSettings()->setValue(key, value);
}

void RemoveSetting(const QString& key) {
    openSettings()->remove(key);
}

ScopedSettingsFile::ScopedSettingsFile(const QString& file)
    : previous_(std::exchange(settingsFile(), file)) {}

ScopedSettingsFile::~ScopedSettingsFile() {
    settingsFile() = previous_;
}

} // namespace vantrel::platform
