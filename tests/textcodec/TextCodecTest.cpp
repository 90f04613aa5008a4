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

namespace {
std::string Utf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes;
    for (char16_t c : text) {
        char hi = char(c >> 8), lo = char(c & 0xFF);
        bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return bytes;
}
}  // namespace

TEST(ScriptFile, EncodingIsDetectedAndWrittenBackByteForByte)
{
    struct Case {
        const char* name;
        std::string bytes;
        ScriptEncoding encoding;
        std::u16string text;
    };
    const std::u16string sample = u"WScript.Echo \"十六位无BOM\"\r\n";
    const Case cases[] = {
        {"gbk", kGbkChinese + "\r\n", ScriptEncoding::Gbk, u"中文\r\n"},
        {"plain ascii", "msgbox 1", ScriptEncoding::Gbk, u"msgbox 1"},
        {"empty", "", ScriptEncoding::Gbk, u""},
        {"utf-8 without mark", "\xE4\xB8\xAD\xE6\x96\x87\xF0\x9F\x98\x80", ScriptEncoding::Utf8, u"中文\U0001F600"},
        {"utf-8 with mark", "\xEF\xBB\xBF" + kUtf8Chinese, ScriptEncoding::Utf8Bom, u"中文"},
        {"utf-16le", std::string("\xFF\xFE\x2D\x4E\x61\x00", 6), ScriptEncoding::Utf16Le, u"中a"},
        {"utf-16be", std::string("\xFE\xFF\x4E\x2D\x00\x61", 6), ScriptEncoding::Utf16Be, u"中a"},
        // Without a mark. "苹果香蕉" in UTF-8 is valid GBK too ("鑻规灉棣欒晧"): UTF-8 wins.
        {"ambiguous utf-8", "WScript.Echo \"\xE8\x8B\xB9\xE6\x9E\x9C\xE9\xA6\x99\xE8\x95\x89\"", ScriptEncoding::Utf8,
         u"WScript.Echo \"苹果香蕉\""},
        {"gbk stays gbk", kGbkChinese, ScriptEncoding::Gbk, u"中文"},
        {"gbk with a nul", std::string("x = \"\xD6\xD0\0\xCE\xC4\"\r\ny = 1", 17), ScriptEncoding::Gbk,
         std::u16string(u"x = \"中\0文\"\r\ny = 1", 15)},
        {"ascii with a nul", std::string("a\0b", 3), ScriptEncoding::Gbk, std::u16string(u"a\0b", 3)},
        {"utf-16le without mark", Utf16(sample, false), ScriptEncoding::Utf16LeNoBom, sample},
        {"utf-16be without mark", Utf16(sample, true), ScriptEncoding::Utf16BeNoBom, sample},
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

// Encodings the user picks for a file that fits none of the detected ones.
TEST(ScriptFile, PickedEncodingsReadAndWriteTheirBytes)
{
    struct Case {
        ScriptEncoding encoding;
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {ScriptEncoding::Gb18030, "\x81\x30\x81\x30", u"\u0080"},
        {ScriptEncoding::Big5, "\xA4\xA4\xA4\xE5", u"中文"},
        {ScriptEncoding::Latin1, "caf\xE9", u"café"},
        {ScriptEncoding::ShiftJis, "\x82\xA0", u"あ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ScriptEncodingName(c.encoding)));
        EXPECT_FALSE(DecodeScriptFile(c.bytes) && DecodeScriptFile(c.bytes)->text == c.text);
        auto text = DecodeScriptFileAs(c.bytes, c.encoding);
        ASSERT_TRUE(text);
        EXPECT_EQ(*text, c.text);
        EXPECT_EQ(EncodeScriptFile(*text, c.encoding).bytes, c.bytes);
    }
    EXPECT_FALSE(DecodeScriptFileAs("\xFF", ScriptEncoding::ShiftJis));
    EXPECT_FALSE(EncodeScriptFile(u"中", ScriptEncoding::Latin1).ok());
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
