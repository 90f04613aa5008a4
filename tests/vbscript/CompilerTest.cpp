// The compiler's operand stack estimate: frames are sized by it, so it must
// never fall short of what the code really pushes.
#include <gtest/gtest.h>

#include "vbscript/Compiler.h"
#include "vbscript/Parser.h"
#include "vbscript/Runtime.h"

namespace {

int mainStackDepth(const std::u16string& source)
{
    vbs::Runtime rt;
    vbs::Program prog = vbs::parseProgram(source);
    return vbs::compileProgram(rt, prog, vbs::Scope{})->maxStack;
}

TEST(Compiler, StackEstimateSurvivesManyFusedComparisons)
{
    std::u16string src = u"a = 1 : b = 2 : c = 3 : d = 4 : e = 5\n";
    for (int i = 0; i < 50; ++i) src += u"If a < b Then x = 1\nIf a < 3 Then x = 2\n";
    src += u"y = a + (b + (c + (d + e)))\n";
    EXPECT_GE(mainStackDepth(src), 5);
}

TEST(Compiler, StackEstimateCoversCallArguments)
{
    EXPECT_GE(mainStackDepth(u"Sub S(p, q, r)\nEnd Sub\nS 1, 2, 3 + x * (y - 1)"), 5);
}

}  // namespace
