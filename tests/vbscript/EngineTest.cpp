// The host interface: callbacks, reset, stop, limits and host-set names.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "TestHost.h"

namespace {

TEST(Engine, EchoJoinsArgumentsAndShowsBooleansAsNumbers)
{
    TestHost host;
    vbs::Engine engine(host);
    ASSERT_TRUE(engine.execute(u"WScript.Echo 1, \"a\", True, False, 2.5\nWScript.Echo\nMsgBox True & \"\""));
    ASSERT_EQ(host.echoes.size(), 2u);
    EXPECT_EQ(host.echoes[0], u"1 a -1 0 2.5");
    EXPECT_EQ(host.echoes[1], u"");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0], u"True");
}

TEST(Engine, DialogsGoThroughTheHost)
{
    TestHost host;
    host.answers = {u"张三", std::nullopt};
    host.button = 7;
    vbs::Engine engine(host);
    ASSERT_TRUE(engine.execute(u"a = InputBox(\"名字？\")\nb = InputBox(\"再来\")\n"
                               u"r = MsgBox(\"继续？\", vbYesNo)\n"
                               u"WScript.Echo a, IsEmpty(b), r = vbNo"));
    EXPECT_EQ(host.boxes, (std::vector<std::u16string>{u"名字？", u"再来", u"继续？"}));
    EXPECT_EQ(host.echoes.at(0), u"张三 -1 -1");
}

TEST(Engine, StateSurvivesExecuteUntilReset)
{
    TestHost host;
    vbs::Engine engine(host);
    ASSERT_TRUE(engine.execute(u"Dim x\nx = 5\nFunction Twice(n)\nTwice = n * 2\nEnd Function"));
    ASSERT_TRUE(engine.execute(u"WScript.Echo Twice(x)"));
    engine.reset();
    ASSERT_TRUE(engine.execute(u"WScript.Echo IsEmpty(x)"));
    EXPECT_EQ(host.echoes, (std::vector<std::u16string>{u"10", u"-1"}));
    EXPECT_FALSE(engine.execute(u"WScript.Echo Twice(1)"));
}

TEST(Engine, StopFromAnotherThreadEndsAnEndlessLoop)
{
    for (const char16_t* script : {u"Do\nLoop", u"While True\nWend", u"Sub S()\nS2\nEnd Sub\nSub S2()\nS\nEnd Sub\nDo: x = x + 1: Loop",
                                   u"WScript.Sleep 100000",
                                   u"Function F(n)\nIf n < 2 Then\nF = n\nElse\nF = F(n - 1) + F(n - 2)\nEnd If\nEnd Function\nx = F(80)"}) {
        TestHost host;
        vbs::Engine engine(host);
        std::thread stopper([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            engine.requestStop();
        });
        EXPECT_FALSE(engine.execute(script));
        stopper.join();
        EXPECT_EQ(engine.errorText(), u"脚本已被停止");
    }
}

TEST(Engine, RecursionLimitRaisesOutOfStackSpace)
{
    TestHost host;
    vbs::Engine engine(host);
    engine.setRecursionLimit(100);
    const char16_t* def = u"Function Depth(n)\nIf n = 0 Then Depth = 0 Else Depth = 1 + Depth(n - 1)\nEnd Function\n";
    ASSERT_TRUE(engine.execute(std::u16string(def) + u"WScript.Echo Depth(90)"));
    EXPECT_FALSE(engine.execute(u"WScript.Echo Depth(150)"));
    EXPECT_EQ(engine.errorNumber(), 28);
    ASSERT_TRUE(engine.execute(u"On Error Resume Next\nx = Depth(150)\nWScript.Echo Err.Number"));
    EXPECT_EQ(host.echoes, (std::vector<std::u16string>{u"90", u"28"}));
}

TEST(Engine, ScriptNamesAndArgumentsComeFromTheHost)
{
    TestHost host;
    vbs::Engine engine(host);
    engine.setScriptName(u"a.vbs", u"/home/u/a.vbs");
    engine.setArguments({u"one", u"二"});
    ASSERT_TRUE(engine.execute(u"WScript.Echo WScript.ScriptName, WScript.ScriptFullName, WScript.Arguments.Count\n"
                               u"For Each a In WScript.Arguments: WScript.Echo a: Next\n"
                               u"WScript.Echo WScript.Arguments(1)"));
    EXPECT_EQ(host.echoes, (std::vector<std::u16string>{u"a.vbs /home/u/a.vbs 2", u"one", u"二", u"二"}));
}

TEST(Engine, QuitEndsTheRunWithItsCode)
{
    TestHost host;
    vbs::Engine engine(host);
    EXPECT_TRUE(engine.execute(u"WScript.Echo 1\nWScript.Quit 3\nWScript.Echo 2"));
    EXPECT_EQ(engine.quitCode(), 3);
    EXPECT_EQ(host.echoes.size(), 1u);
    EXPECT_TRUE(engine.execute(u"x = 1"));
    EXPECT_FALSE(engine.quitCode().has_value());
}

TEST(Engine, ResetFreesObjectCyclesWithoutTerminateCode)
{
    TestHost host;
    vbs::Engine engine(host);
    ASSERT_TRUE(engine.execute(u"Class C\nPublic Other\nPrivate Sub Class_Terminate()\nWScript.Echo \"bye\"\nEnd Sub\nEnd Class\n"
                               u"Set a = New C : Set b = New C\nSet a.Other = b : Set b.Other = a\n"
                               u"Set a = Nothing : Set b = Nothing\nWScript.Echo \"cycle left\""));
    engine.reset();
    // The reference engine never releases a cycle, so no terminate runs.
    EXPECT_EQ(host.echoes, (std::vector<std::u16string>{u"cycle left"}));
}

TEST(Engine, ALaterRunStoresWhereAnEarlierOneHadFixedArrays)
{
    TestHost host;
    vbs::Engine engine(host);
    // The first run leaves the value stack where its fixed arrays lived; the
    // next one's frames reuse those slots and must store into them freely.
    ASSERT_TRUE(engine.execute(u"Sub F()\nDim a(1), b(1), c(1), d(1), e(1), f(1), g(1), h(1)\nEnd Sub\nF"));
    for (bool afterReset : {false, true}) {
        if (afterReset) engine.reset();
        EXPECT_TRUE(engine.execute(u"Function getVT(v)\ngetVT = nm(t)\nEnd Function\nFunction nm(t)\nEnd Function\n"
                                   u"Dim x(3)\nWScript.Echo \"[\" & getVT(x) & getVT(x) & \"]\""));
    }
    EXPECT_EQ(host.echoes, (std::vector<std::u16string>{u"[]", u"[]"}));
}

TEST(Engine, EmptyScriptSucceeds)
{
    TestHost host;
    vbs::Engine engine(host);
    EXPECT_TRUE(engine.execute(u""));
    EXPECT_TRUE(engine.errorText().empty());
}

}  // namespace
