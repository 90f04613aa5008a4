#include "common/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(ProgramFolder, IsTheFolderOfTheRunningProgram)
{
    QString exe = QCoreApplication::applicationFilePath();
    EXPECT_EQ(ProgramFolder(), QFileInfo(exe).absolutePath());
    EXPECT_FALSE(ProgramFolder().endsWith(u'/'));
    EXPECT_EQ(ProgramPath("/数据库/软件设置.ini"), ProgramFolder() + "/数据库/软件设置.ini");
}

TEST(ProgramFolder, TestsCanLayOutAFolderOfTheirOwn)
{
    SetProgramFolderForTests("/tmp/某 文件夹/");
    EXPECT_EQ(ProgramFolder(), "/tmp/某 文件夹");
    SetProgramFolderForTests({});
    EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath());
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
