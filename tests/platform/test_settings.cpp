// Settings of the current user: values of the wrong type read as absent.

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/Settings.h"

namespace vantrel::testing {
namespace {

TEST(PlatformSettings, WrongTypesReadAsMissing) {
    QTemporaryDir dir;
    const QString file = dir.path() + "/s.ini";
    platform::ScopedSettingsFile scope(file);
    {
        QSettings s(file, QSettings::IniFormat);
        s.setValue("Text", "wide");
        s.setValue("Number", 42);
        s.setValue("Spaced", " 17 ");
        s.setValue("List", QStringList{"1", "2"});
        s.setValue("Flag", true);
        s.setValue("Real", "2.5");
    }
    EXPECT_EQ(platform::ReadIntSetting("Text"), std::nullopt);
    EXPECT_EQ(platform::ReadIntSetting("Number"), 42);
    EXPECT_EQ(platform::ReadIntSetting("Spaced"), 17);
    EXPECT_EQ(platform::ReadIntSetting("List"), std::nullopt);
    EXPECT_EQ(platform::ReadIntSetting("Real"), std::nullopt);
    EXPECT_EQ(platform::ReadIntSetting("Missing"), std::nullopt);
    EXPECT_EQ(platform::ReadBoolSetting("Flag"), true);
    EXPECT_EQ(platform::ReadBoolSetting("Number"), std::nullopt);
    EXPECT_EQ(platform::ReadBoolSetting("Text"), std::nullopt);
    platform::WriteIntSetting("WinPos/Left", -40);
    platform::WriteBoolSetting("AutoUpdates", false);
    EXPECT_EQ(platform::ReadIntSetting("WinPos/Left"), -40);
    EXPECT_EQ(platform::ReadBoolSetting("AutoUpdates"), false);
    platform::RemoveSetting("WinPos");
    EXPECT_EQ(platform::ReadIntSetting("WinPos/Left"), std::nullopt);
}

} // namespace
} // namespace vantrel::testing
