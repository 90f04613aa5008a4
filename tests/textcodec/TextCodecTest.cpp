#include "textcodec/TextCodec.h"

#include <gtest/gtest.h>

#include <random>

using namespace textcodec;

namespace {
// "中文" in GBK and UTF-8.
const std::string kGbkChinese = "\xD6\xD0\xCE\xC4";
const std::string kUtf8Chinese = "\xE4\xB8\xAD\xE6\x96\x87";
}  // namespace

TEST(Gbk, DecodesAndEncodesChinese)
{
    auto text = DecodeGbk(kGbkChinese + "\r\nx");
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, u"中文\r\nx");
    EncodeResult back = EncodeGbk(*text);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.bytes, kGbkChinese + "\r\nx");
}

TEST(Gbk, RejectsTruncatedAndInvalidBytes)
{
    EXPECT_FALSE(DecodeGbk("a\xD6"));     // lead byte without trail
    EXPECT_FALSE(DecodeGbk("\xFF\xFF"));  // not a GBK code
}

TEST(Gbk, EncodingNamesTheFirstCharacterItCannotHold)
{
    // The Korean syllable and the emoji are outside GBK; nothing is substituted.
    EncodeResult r = EncodeGbk(u"ab中\uD55Cc\U0001F600");
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.failedAt, 3u);
    EXPECT_TRUE(r.bytes.empty());
}

TEST(ScriptFile, EncodingIsDetectedAndWrittenBackByteForByte)
{
    struct Case {
        const char* name;
        std::string bytes;
        ScriptEncoding encoding;
        std::u16string text;
    };
    const Case cases[] = {
        {"gbk", kGbkChinese + "\r\n", ScriptEncoding::Gbk, u"中文\r\n"},
        {"plain ascii", "msgbox 1", ScriptEncoding::Gbk, u"msgbox 1"},
        {"empty", "", ScriptEncoding::Gbk, u""},
        {"utf-8 without mark", "\xE4\xB8\xAD\xE6\x96\x87\xF0\x9F\x98\x80", ScriptEncoding::Utf8, u"中文\U0001F600"},
        {"utf-8 with mark", "\xEF\xBB\xBF" + kUtf8Chinese, ScriptEncoding::Utf8Bom, u"中文"},
        {"utf-16le", std::string("\xFF\xFE\x2D\x4E\x61\x00", 6), ScriptEncoding::Utf16Le, u"中a"},
        {"utf-16be", std::string("\xFE\xFF\x4E\x2D\x00\x61", 6), ScriptEncoding::Utf16Be, u"中a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto decoded = DecodeScriptFile(c.bytes);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->encoding, c.encoding);
        EXPECT_EQ(decoded->text, c.text);
        EncodeResult back = EncodeScriptFile(decoded->text, decoded->encoding);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(back.bytes, c.bytes);
    }
}

// "苹果" in UTF-8 is also valid GBK ("鑻规灉"): the order decides, and GBK
// files stay GBK when UTF-8 comes first.
TEST(ScriptFile, UnmarkedOrderDecidesBetweenValidReadings)
{
    const std::string utf8 = "\xE8\x8B\xB9\xE6\x9E\x9C";
    const std::string gbk = "\xD6\xD0\xCE\xC4";  // 中文
    EXPECT_EQ(DecodeScriptFile(utf8)->text, u"鑻规灉");
    auto first = DecodeScriptFile(utf8, Unmarked::Utf8First);
    EXPECT_EQ(first->text, u"苹果");
    EXPECT_EQ(first->encoding, ScriptEncoding::Utf8);
    auto legacy = DecodeScriptFile(gbk, Unmarked::Utf8First);
    EXPECT_EQ(legacy->text, u"中文");
    EXPECT_EQ(legacy->encoding, ScriptEncoding::Gbk);
}

TEST(ScriptFile, RefusesBytesThatAreNeitherGbkNorUtf8)
{
    EXPECT_FALSE(DecodeScriptFile("\xFF\xFF\x80"));
    EXPECT_FALSE(DecodeScriptFile(std::string("\xFF\xFE\x41", 3)));  // odd UTF-16 body
    EXPECT_FALSE(DecodeScriptFile("\xEF\xBB\xBF\xC3"));              // broken UTF-8 after a mark

    std::mt19937 random(7);
    std::string noise(4096, '\0');
    for (char& b : noise) b = static_cast<char>(random());
    noise[0] = '\x80';  // no mark
    EXPECT_FALSE(DecodeScriptFile(noise));
}
