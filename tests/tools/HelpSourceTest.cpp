// The help-source format: what a person writes and what ends up in the rows.
#include "HelpSource.h"
#include "HelpTables.h"

#include <gtest/gtest.h>

#include <functional>

using namespace mkmdb;

namespace {
std::string ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const SourceError& e) {
        return e.what();
    }
    return "(no error)";
}
}  // namespace

TEST(CategoryText, BodiesKeepInnerLinesAndLoseOuterBlankOnes)
{
    auto entries = ParseCategoryText(
        "\xEF\xBB\xBF# 注释\r\n\r\n== 1 Len \r\n\r\n第一行\r\n\r\n\t第三行\r\n\r\n== -2   Mid  Left\n\\==不是条目\n\\\\==两个反斜杠\n\\x\n== 2147483647 空\n",
        "f.txt");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].id, 1);
    EXPECT_EQ(entries[0].keyword, u"Len");
    EXPECT_EQ(entries[0].text, u"第一行\r\n\r\n\t第三行");
    EXPECT_EQ(entries[1].id, -2);
    EXPECT_EQ(entries[1].keyword, u"Mid  Left");
    EXPECT_EQ(entries[1].text, u"==不是条目\r\n\\==两个反斜杠\r\n\\x");
    EXPECT_EQ(entries[2].id, 2147483647);
    EXPECT_EQ(entries[2].text, u"");
}

TEST(CategoryText, MistakesNameTheFileAndLine)
{
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"说明文字\n== 1 Len\n", "f.txt:1: text before the first"},
        {"== 1 Len\nx\n==1 Mid\n", "f.txt:3: an entry line reads"},
        {"== Len\n", "f.txt:1: an entry line reads"},
        {"== 1\n", "f.txt:1: an entry line reads"},
        {"== 2147483648 Len\n", "f.txt:1: an entry line reads"},
        {"== 1x Len\n", "f.txt:1: an entry line reads"},
        {"== 1 Len\n\xE4\xB8\n", "f.txt:2: not valid UTF-8"},
        {"== 1 \xC0\xAF\n", "f.txt:1: not valid UTF-8"},
        {"== 1 Len\n\xF0\x9F\x98\x80\n", "f.txt:2: character outside the Basic Multilingual Plane"},
        {"== 1 Len\na\x01z\n", "f.txt:2: control character"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ErrorOf([&] { ParseCategoryText(c.text, "f.txt"); }).rfind(c.message, 0), 0u)
            << c.text << " -> " << ErrorOf([&] { ParseCategoryText(c.text, "f.txt"); });
    }
    std::string longKeyword = "== 1 " + std::string(256, 'k') + "\n";
    EXPECT_NE(ErrorOf([&] { ParseCategoryText(longKeyword, "f.txt"); }).find("255"), std::string::npos);
    EXPECT_EQ(ParseCategoryText("== 1 " + std::string(255, 'k') + "\n", "f.txt").at(0).keyword.size(), 255u);
}

TEST(CategoryFileName, IdThenName)
{
    struct Case {
        const char* file;
        std::int32_t id;
        const char16_t* name;
    } good[] = {
        {"01-字符串函数.txt", 1, u"字符串函数"},
        {"-3-测试.txt", -3, u"测试"},
        {"-2147483648-最小.txt", -2147483648, u"最小"},
        {"7-日期-时间 (旧).txt", 7, u"日期-时间 (旧)"},
    };
    for (const Case& c : good) {
        HelpCategory category = ParseCategoryFileName(c.file);
        EXPECT_EQ(category.id, c.id) << c.file;
        EXPECT_EQ(category.name, c.name) << c.file;
    }
    for (const char* bad : {"字符串函数.txt", "01字符串函数.txt", "01-.txt", "x-名.txt", "2147483648-名.txt", "--1-名.txt"}) {
        EXPECT_NE(ErrorOf([&] { ParseCategoryFileName(bad); }).find("is named \"<id>-<name>.txt\""), std::string::npos) << bad;
    }
}

TEST(HelpTables, CategoryNamesMustMakeDistinctValidTables)
{
    auto category = [](std::u16string name) { return HelpCategory{1, std::move(name), {}, "f.txt"}; };
    struct Case {
        std::vector<HelpCategory> categories;
        const char* message;
    } cases[] = {
        {{category(u"a.b")}, "cannot contain"},
        {{category(u"a[1]")}, "cannot contain"},
        {{category(u"感叹!")}, "cannot contain"},
        {{category(u" 前导空格")}, "cannot start with a space"},
        {{category(u"MSysAccess")}, "system tables"},
        {{category(u"msysobjects")}, "system tables"},
        {{category(u"函数索引目录")}, "index table"},
        {{category(std::u16string(65, u'名'))}, "at most 64"},
        {{category(u"Strings"), category(u"strings")}, "both named"},
        {{category(u"字符串"), category(u"字符串")}, "both named"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(ErrorOf([&] { MakeHelpTables(c.categories); }).find(c.message), std::string::npos) << c.message;
    }
    EXPECT_EQ(MakeHelpTables({category(std::u16string(64, u'名')), category(u"a b-c(d)")}).size(), 3u);
}

// Whatever a person types, parsing ends in entries or in a SourceError.
TEST(CategoryText, ArbitraryInputNeverEscapesAsAnotherError)
{
    const std::vector<std::string> pieces = {"==", " ", "1", "-", "\n", "\r\n", "\\", "中", "\xFF", "#", "\xE4\xB8", "\t", "x",
                                             "2147483648", "\x01"};
    unsigned x = 12345;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = 0; i < 24; ++i) {
            x = x * 1103515245u + 12345u;
            text += pieces[(x >> 16) % pieces.size()];
        }
        try {
            ParseCategoryText(text, "f.txt");
        } catch (const SourceError&) {
        } catch (const std::exception& e) {
            ADD_FAILURE() << "unexpected " << e.what() << " for " << testing::PrintToString(text);
        }
    }
}
