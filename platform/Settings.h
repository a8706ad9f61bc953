#pragma once
// The program's settings of the current user (organisation "Quarnel", application "Vantrel"):
// "AutoUpdates" and the window position under "WinPos/". Reading never creates anything; a value
// that is missing or of the wrong type (text where a number belongs) reads as absent, so the
// caller keeps its default.

#include <QString>

#include <optional>

namespace vantrel::platform {

std::optional<bool> ReadBoolSetting(const QString& key);
std::optional<int> ReadIntSetting(const QString& key);
void WriteBoolSetting(const QString& key, bool value);
void WriteIntSetting(const QString& key, int value);
void RemoveSetting(const QString& key);
// Writes the settings file in INI form to `file` instead of the user's settings, for the life of
// the object (tests). Scopes nest.
class ScopedSettingsFile {
  public:
    explicit ScopedSettingsFile(const QString& file);
    ~ScopedSettingsFile();
    ScopedSettingsFile(const ScopedSettingsFile&) = delete;
    ScopedSettingsFile& operator=(const ScopedSettingsFile&) = delete;

  private:
    QString previous_;
};

} // namespace vantrel::platform
