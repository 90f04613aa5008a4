// Each standard error raised by a minimal script, with where it is reported.
#include <gtest/gtest.h>

#include "TestHost.h"

namespace {

struct ErrorCase {
    const char16_t* script;
    int number;
    int line;
    int column;
};

class ErrorTable : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorTable, ReportsNumberAndPosition)
{
    const ErrorCase& c = GetParam();
    TestHost host;
    vbs::Engine engine(host);
    EXPECT_FALSE(engine.execute(c.script));
    EXPECT_EQ(engine.errorNumber(), c.number);
    EXPECT_EQ(engine.errorLine(), c.line);
    EXPECT_EQ(engine.errorColumn(), c.column);
}

const ErrorCase kRuntime[] = {
    {u"x = \"a\" * 2", 13, 1, 1},
    {u"Foo 1", 13, 1, 1},
    {u"Dim a(2): a(3) = 1", 9, 1, 11},
    {u"a = Array(1)\nx = a(0, 0)", 9, 2, 1},
    {u"x = 1 \\ 0", 11, 1, 1},
    {u"x = 5 Mod 0", 11, 1, 1},
    {u"x = 1 / 0", 11, 1, 1},
    {u"x = 0 / 0", 6, 1, 1},
    {u"x = CInt(40000)", 6, 1, 1},
    {u"x = 2147483647\nx = CLng(x + 1)", 6, 2, 1},
    {u"x = Sqr(-1)", 5, 1, 1},
    {u"x = Mid(\"abc\", 0)", 5, 1, 1},
    {u"Set x = 5", 424, 1, 1},
    {u"x.Foo", 424, 1, 1},
    {u"Class C\nEnd Class\nSet o = New C\n  o.Missing", 438, 4, 3},
    {u"Option Explicit\ny = 1", 500, 2, 1},
    {u"Function F()\n  F = F()\nEnd Function\nx = F()", 28, 2, 3},
    {u"x = CStr(Null)", 94, 1, 1},
    {u"Sub S(a)\nEnd Sub\nS 1, 2", 450, 3, 1},
    {u"Dim a(2)\nReDim a(3)", 10, 2, 1},
    {u"Set d = CreateObject(\"No.Such.Class\")", 429, 1, 1},
    {u"For Each x In 5\nNext", 451, 1, 1},
    {u"Dim o\nSet o = Nothing\nx = o", 91, 3, 1},
    {u"Set p = LoadPicture(\"a.bmp\")", 481, 1, 1},
    {u"Set o = New Missing", 506, 1, 1},
    {u"x = Eval(\"1 +\")", 1023, 1, 1},
    {u"Err.Raise 1000", 1000, 1, 1},
    {u"Const c = 1\nc = 2", 501, 2, 1},
    {u"x = 1\n.Prop = 2", 505, 2, 1},
    {u"x = WScript.StdIn.ReadLine", 62, 1, 1},
    {u"WScript.StdOut.ReadLine", 54, 1, 1},
    {u"s = String(300000000, \"a\")", 14, 1, 1},
    {u"ReDim a(100000000)", 7, 1, 1},
    {u"x = Chr(70000)", 5, 1, 1},
    {u"Dim a(1)\nErase a\nx = a(2)", 9, 3, 1},
    {u"x = Me", 438, 1, 1},
};
INSTANTIATE_TEST_SUITE_P(Runtime, ErrorTable, ::testing::ValuesIn(kRuntime));

const ErrorCase kCompile[] = {
    {u"x = 1\nWend", 1002, 2, 1},
    {u"x = (1 + 2", 1006, 1, 11},
    {u"Dim 5", 1010, 1, 5},
    {u"If x Then\n  y = 1", 1014, 2, 8},
    {u"x = 1 2", 1025, 1, 7},
    {u"x = \"abc", 1033, 1, 9},
    {u"x = 1 $ 2", 1032, 1, 7},
    {u"For i = 1 To\nNext", 1023, 1, 13},
    {u"Dim a\nDim a", 1041, 2, 5},
    {u"Exit Do", 1039, 1, 1},
    {u"Next", 1055, 1, 1},
    {u"Loop", 1038, 1, 1},
    {u"Dim Class", 1010, 1, 5},
    {u"Sub S()\nEnd Sub\nDim S", 1041, 3, 5},
    {u"Sub S(a, b)\nEnd Sub\nS(1, 2)", 1044, 3, 8},
    {u"Do\nx = 1", 1019, 2, 6},
    {u"Select x\nEnd Select", 1021, 1, 8},
    {u"Const c = x", 1045, 1, 11},
    {u"Class C\nPublic Default Property Let P(v)\nEnd Property\nEnd Class", 1058, 2, 33},
};
INSTANTIATE_TEST_SUITE_P(Compile, ErrorTable, ::testing::ValuesIn(kCompile));

struct TextCase {
    const char16_t* script;
    const char16_t* text;
};

class ErrorText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ErrorText, NamesKindNumberAndDescription)
{
    TestHost host;
    vbs::Engine engine(host);
    EXPECT_FALSE(engine.execute(GetParam().script));
    EXPECT_EQ(engine.errorText(), GetParam().text);
}

const TextCase kTexts[] = {
    {u"x = 1\ny = 2\nz = \"a\" - 1", u"第 3 行，第 1 列：运行时错误 13：类型不匹配"},
    {u"x = 1 +", u"第 1 行，第 8 列：编译错误 1023：缺少表达式"},
    {u"Wend", u"第 1 行，第 1 列：编译错误 1002：语法错误"},
    {u"Err.Raise 1000, \"MyApp\", \"出错了\"", u"第 1 行，第 1 列：运行时错误 1000：出错了（来源：MyApp）"},
    {u"Err.Raise 9", u"第 1 行，第 1 列：运行时错误 9：下标越界"},
};
INSTANTIATE_TEST_SUITE_P(Texts, ErrorText, ::testing::ValuesIn(kTexts));

}  // namespace
