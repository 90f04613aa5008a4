// Hostile input ends in an error or a result, never a crash or a hang.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

#include "TestHost.h"

namespace {

TEST(Robustness, DeepRecursionWithTheDefaultLimit)
{
    TestHost host;
    vbs::Engine engine(host);
    EXPECT_FALSE(engine.execute(u"Function F(n)\nF = F(n + 1)\nEnd Function\nx = F(0)"));
    EXPECT_EQ(engine.errorNumber(), 28);
    EXPECT_FALSE(engine.execute(u"Sub S()\nExecute \"S\"\nEnd Sub\nS"));
    EXPECT_EQ(engine.errorNumber(), 28);
}

TEST(Robustness, DeeplyNestedSourceIsRejected)
{
    TestHost host;
    vbs::Engine engine(host);
    std::u16string parens = u"x = " + std::u16string(100000, u'(') + u"1" + std::u16string(100000, u')');
    EXPECT_FALSE(engine.execute(parens));
    std::u16string ifs;
    for (int i = 0; i < 20000; ++i) ifs += u"If True Then\n";
    EXPECT_FALSE(engine.execute(ifs));
    std::u16string nots = u"x = " ;
    for (int i = 0; i < 100000; ++i) nots += u"Not ";
    EXPECT_FALSE(engine.execute(nots + u"1"));
}

TEST(Robustness, LargeStringsAndArrays)
{
    TestHost host;
    vbs::Engine engine(host);
    ASSERT_TRUE(engine.execute(u"s = Space(20000000)\nWScript.Echo Len(s & s)\n"
                               u"ReDim a(9999999)\na(9999999) = 1\nWScript.Echo UBound(a), a(9999999)\n"
                               u"ReDim Preserve a(10000000)\nWScript.Echo UBound(a)"));
    EXPECT_EQ(host.echoes, (std::vector<std::u16string>{u"40000000", u"9999999 1", u"10000000"}));
    EXPECT_FALSE(engine.execute(u"Dim b(100000, 100000)"));
    EXPECT_EQ(engine.errorNumber(), 7);
    EXPECT_FALSE(engine.execute(u"s = Space(-1)"));
    EXPECT_FALSE(engine.execute(u"s = Space(2147483647)"));
    EXPECT_EQ(engine.errorNumber(), 14);
    EXPECT_FALSE(engine.execute(u"s = Space(100000000)\nDo\ns = s & s\nLoop"));
    EXPECT_EQ(engine.errorNumber(), 14);
}

TEST(Robustness, LongChainsAreFreedWithoutDeepRecursion)
{
    TestHost host;
    vbs::Engine engine(host);
    ASSERT_TRUE(engine.execute(u"Class Node\nPublic NextNode\nEnd Class\n"
                               u"Dim head : Set head = Nothing\n"
                               u"For i = 1 To 1000000\nSet n = New Node\nSet n.NextNode = head\nSet head = n\nNext\n"
                               u"Set n = Nothing\nSet head = Nothing\n"
                               u"For i = 1 To 1000000\na = Array(a)\nNext\na = Empty\nWScript.Echo \"freed\""));
    EXPECT_EQ(host.echoes.at(0), u"freed");
}

TEST(Robustness, UnterminatedConstructsAreCompileErrors)
{
    const char16_t* cases[] = {
        u"If x Then", u"Do", u"For i = 1 To 2", u"Sub S", u"Function F(", u"Class C", u"x = \"abc",
        u"Select Case x", u"While 1", u"With x", u"x = [abc", u"d = #1/2/2003", u"x = (", u"Call",
        u"Property Get P", u"Class C\nSub S", u"If x Then\nElse\nElse\nEnd If",
    };
    for (const char16_t* c : cases) {
        TestHost host;
        vbs::Engine engine(host);
        EXPECT_FALSE(engine.execute(c));
        EXPECT_GT(engine.errorNumber(), 1000);
    }
}

// Token soup and raw characters; a watchdog stops whatever loops forever.
TEST(Robustness, RandomInputNeverCrashes)
{
    const char16_t* words[] = {u"If", u"Then", u"Else", u"End", u"Do", u"Loop", u"For", u"Each", u"In", u"Next",
                               u"Sub", u"Function", u"Class", u"Dim", u"ReDim", u"Preserve", u"Set", u"New", u"Me",
                               u"Select", u"Case", u"While", u"Wend", u"With", u"Exit", u"Call", u"x", u"y", u"a",
                               u"(", u")", u",", u".", u"=", u"+", u"-", u"*", u"/", u"\\", u"&", u"^", u"<", u">",
                               u"1", u"0", u"\"s\"", u"#1/1/2000#", u"\n", u":", u" _\n", u"Property", u"Get",
                               u"Let", u"Nothing", u"Null", u"Empty", u"On", u"Error", u"Resume", u"Mod", u"Not",
                               u"Execute", u"Eval", u"Array", u"Len", u"Mid", u"Err.Raise", u"'", u"Rem", u"[q]",
                               u"&H", u"1e", u"Step", u"To", u"Until", u"Const", u"Private", u"Public", u"Default"};
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000; ++round) {
        std::u16string src;
        int len = static_cast<int>(rng() % 40);
        bool raw = round % 5 == 0;
        for (int i = 0; i < len; ++i) {
            if (raw) src += static_cast<char16_t>(rng() % 128);
            else src += std::u16string(words[rng() % std::size(words)]) + u" ";
        }
        TestHost host;
        vbs::Engine engine(host);
        std::mutex m;
        std::condition_variable cv;
        bool done = false;
        std::thread watchdog([&] {
            std::unique_lock lock(m);
            if (!cv.wait_for(lock, std::chrono::seconds(1), [&] { return done; })) engine.requestStop();
        });
        engine.execute(src);
        {
            std::lock_guard lock(m);
            done = true;
        }
        cv.notify_one();
        watchdog.join();
    }
}

}  // namespace
