// The program folder and the demo example projects the build places there.

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

#include "model/KdClasses.h"
#include "platform/ProgramFolder.h"

using namespace vantrel;

TEST(ProgramFolder, IsTheExecutablesFolderWithASeparator) {
    const std::string folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(QFileInfo(QString::fromStdString(folder)).canonicalFilePath(),
              QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath());
}

TEST(ProgramFolder, BuildPlacesTheDemoProjectsBesideTheProgram) {
    const std::string folder = std::string(VANTREL_BINARY_DIR) + "/";
    for (const char* name : {"ENGLISH UNITS DEMO EXAMPLE.kpw", "SI UNITS DEMO EXAMPLE.kpw"}) {
        EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(folder + name))) << name;
    }
    // A new project in that folder starts from the demo (a 20 ft wall), not from the built-in
    // defaults (a 5 ft wall), and clears the demo's project texts.
    const TKdData project(folder);
    EXPECT_EQ(project.ShoredHeight, 20.0L);
    EXPECT_TRUE(project.Organization.empty());
    EXPECT_EQ(project.Anchors.LevelCount, 2);
}
