// The program started without a usable display says so plainly and ends, instead of aborting.

#include <QProcess>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(ProgramStart, WithoutAUsableDisplayItSaysSoAndEnds) {
    const struct {
        const char* display; // null: no display set at all
        const char* said;
    } cases[] = {{nullptr, "no X11 or Wayland display is set"},
                 // A display number that no X server of this machine serves.
                 {":197", "could not open the display DISPLAY=:197"}};
    for (const auto& c : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        if (c.display) env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(c.display));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(VANTREL_BINARY_DIR "/vantrel"), {});
        ASSERT_TRUE(program.waitForFinished(60000)) << c.said;
        const QString said = QString::fromLocal8Bit(program.readAllStandardError());
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << said.toStdString();
        EXPECT_EQ(program.exitCode(), 2) << said.toStdString();
        EXPECT_TRUE(said.contains(QLatin1String(c.said))) << said.toStdString();
        EXPECT_FALSE(said.contains(QLatin1String("Reinstalling"))) << said.toStdString();
    }
}

} // namespace
} // namespace vantrel
