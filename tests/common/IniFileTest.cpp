#include "common/Gbk.h"
#include "common/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QByteArray Gbk(const char* utf8) { return EncodeGbk(QString::fromUtf8(utf8)).bytes; }

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(IniFile, ReadingToleratesLineBreaksBlanksAndCase)
{
    IniFile ini = IniFile::Parse(Gbk("; 注释\n[界面]\n  左边 =  120.9 \r\nWidth=5\n[Other]\nkey=v\n"));
    EXPECT_EQ(ini.Value("界面", "左边"), "120.9");
    EXPECT_EQ(ini.Value("界面", "width"), "5");
    EXPECT_EQ(ini.Value("other", "KEY"), "v");
    EXPECT_FALSE(ini.Value("界面", "key"));  // keys belong to their section
    EXPECT_FALSE(ini.Value("缺少", "左边"));
    EXPECT_FALSE(IniFile::Load("/no/such/file.ini").Value("界面", "左边"));
}

TEST(IniFile, WritingKeepsEverythingElseByteForByte)
{
    const QByteArray before = Gbk("; 设置\r\n[其他]\r\n名字 = 值\r\n\r\n[界面]\r\n左边=1\r\n# 注释\r\n顶边=2\r\n\r\n[尾]\r\nx=y");
    IniFile ini = IniFile::Parse(before);
    ini.SetValue("界面", "左边", "800");
    ini.SetValue("界面", "皮肤", "QQ皮肤");
    const QByteArray after =
        Gbk("; 设置\r\n[其他]\r\n名字 = 值\r\n\r\n[界面]\r\n左边=800\r\n# 注释\r\n顶边=2\r\n皮肤=QQ皮肤\r\n\r\n[尾]\r\nx=y");
    EXPECT_EQ(ini.Bytes(), after);
}

TEST(IniFile, MissingSectionIsAddedAtTheEndWithTheFilesLineBreaks)
{
    IniFile ini = IniFile::Parse("[a]\nk=v");
    ini.SetValue("界面", "宽度", "400");
    EXPECT_EQ(ini.Bytes(), "[a]\nk=v\n" + Gbk("[界面]\n宽度=400\n"));

    IniFile empty;
    empty.SetValue("界面", "宽度", "400");
    EXPECT_EQ(empty.Bytes(), Gbk("[界面]\r\n宽度=400\r\n"));
}

TEST(IniFile, LinesThatAreNotGbkAreKeptAsTheyWere)
{
    const QByteArray odd("\xFF\xFE odd line");
    IniFile ini = IniFile::Parse("[s]\n" + odd + "\nk=1\n");
    ini.SetValue("s", "k", "2");
    EXPECT_EQ(ini.Bytes(), "[s]\n" + odd + "\nk=2\n");
}

TEST(IniFile, SaveReplacesAtomicallyAndRefusesTextGbkCannotHold)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.ini");
    IniFile ini;
    ini.SetValue("界面", "皮肤", "蓝色皮肤");
    ASSERT_TRUE(ini.Save(path));
    const QByteArray saved = ReadAll(path);
    EXPECT_EQ(saved, Gbk("[界面]\r\n皮肤=蓝色皮肤\r\n"));

    ini.SetValue("界面", "皮肤", QString::fromUtf8("\xF0\x9F\x98\x80"));  // an emoji
    EXPECT_FALSE(ini.Save(path));
    EXPECT_EQ(ReadAll(path), saved);
    EXPECT_FALSE(ini.Save(dir.filePath("no/such/folder/s.ini")));
}
