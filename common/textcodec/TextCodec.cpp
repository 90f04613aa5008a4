#include "TextCodec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace textcodec {
namespace {

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using Converter = std::unique_ptr<void, IconvCloser>;

Converter Open(const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return Converter{};
    return Converter{cd};
}

struct Conversion {
    std::string out;
    std::size_t consumed = 0;  // input bytes converted before a failure
    bool ok = false;
};

// Converts until the first byte sequence the target refuses.
Conversion Convert(const char* to, const char* from, std::string_view in)
{
    Conversion result;
    Converter cd = Open(to, from);
    if (!cd) return result;
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    std::string buffer(in.size() * 2 + 16, '\0');
    while (true) {
        char* dst = buffer.data();
        std::size_t dstLeft = buffer.size();
        std::size_t rc = iconv(static_cast<iconv_t>(cd.get()), &src, &srcLeft, &dst, &dstLeft);
        result.out.append(buffer.data(), buffer.size() - dstLeft);
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        result.consumed = in.size() - srcLeft;
        return result;
    }
    result.consumed = in.size();
    result.ok = true;
    return result;
}

std::u16string FromUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned first = static_cast<unsigned char>(bytes[2 * i]), second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return text;
}

std::string ToUtf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
        bytes.push_back(bigEndian ? hi : lo);
        bytes.push_back(bigEndian ? lo : hi);
    }
    return bytes;
}

std::optional<std::u16string> DecodeVia(const char* from, std::string_view bytes)
{
    Conversion c = Convert("UTF-16LE", from, bytes);
    if (!c.ok) return std::nullopt;
    return FromUtf16(c.out, false);
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

enum class Form { Iconv, Utf16Le, Utf16Be };

struct EncodingInfo {
    ScriptEncoding encoding;
    std::string_view name;
    const char* charset;  // for Form::Iconv
    Form form;
    std::string_view mark;
};

constexpr EncodingInfo kEncodings[] = {
    {ScriptEncoding::Gbk, "GBK", "GBK", Form::Iconv, ""},
    {ScriptEncoding::Utf8, "UTF-8", "UTF-8", Form::Iconv, ""},
    {ScriptEncoding::Utf8Bom, "UTF-8 BOM", "UTF-8", Form::Iconv, kUtf8Bom},
    {ScriptEncoding::Utf16Le, "UTF-16LE", nullptr, Form::Utf16Le, kUtf16LeBom},
    {ScriptEncoding::Utf16Be, "UTF-16BE", nullptr, Form::Utf16Be, kUtf16BeBom},
    {ScriptEncoding::Utf16LeNoBom, "UTF-16LE 无BOM", nullptr, Form::Utf16Le, ""},
    {ScriptEncoding::Utf16BeNoBom, "UTF-16BE 无BOM", nullptr, Form::Utf16Be, ""},
    {ScriptEncoding::Gb18030, "GB18030", "GB18030", Form::Iconv, ""},
    {ScriptEncoding::Big5, "Big5", "BIG5", Form::Iconv, ""},
    {ScriptEncoding::Latin1, "Latin-1", "ISO-8859-1", Form::Iconv, ""},
    {ScriptEncoding::ShiftJis, "Shift-JIS", "CP932", Form::Iconv, ""},
};

const EncodingInfo& Info(ScriptEncoding encoding)
{
    for (const EncodingInfo& info : kEncodings)
        if (info.encoding == encoding) return info;
    return kEncodings[0];
}

// Mostly ASCII text in UTF-16 has a zero in every other byte; GBK or UTF-8
// text with a stray NUL does not. A zero low byte (U+4E00, U+0000) is rare.
std::optional<ScriptEncoding> Utf16ByZeros(std::string_view bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0) return std::nullopt;
    const std::size_t sample = std::min<std::size_t>(bytes.size(), 1u << 16) & ~std::size_t(1);
    std::size_t zerosEven = 0, zerosOdd = 0;
    for (std::size_t i = 0; i < sample; ++i)
        if (bytes[i] == '\0') ++(i % 2 == 0 ? zerosEven : zerosOdd);
    const std::size_t pairs = sample / 2;
    auto dominant = [pairs](std::size_t many, std::size_t few) { return many * 4 >= pairs && few * 4 < many; };
    if (dominant(zerosOdd, zerosEven)) return ScriptEncoding::Utf16LeNoBom;
    if (dominant(zerosEven, zerosOdd)) return ScriptEncoding::Utf16BeNoBom;
    return std::nullopt;
}

bool HasMultiByte(std::string_view bytes)
{
    for (char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80) return true;
    return false;
}

}  // namespace

std::optional<std::u16string> DecodeGbk(std::string_view bytes) { return DecodeVia("GBK", bytes); }
std::optional<std::u16string> DecodeUtf8(std::string_view bytes) { return DecodeVia("UTF-8", bytes); }
std::optional<std::u16string> DecodeGb18030(std::string_view bytes) { return DecodeVia("GB18030", bytes); }

static EncodeResult EncodeVia(const char* to, std::u16string_view text)
{
    Conversion c = Convert(to, "UTF-16LE", ToUtf16(text, false));
    EncodeResult result;
    if (!c.ok) {
        result.failedAt = c.consumed / 2;
        return result;
    }
    result.bytes = std::move(c.out);
    return result;
}

EncodeResult EncodeGbk(std::u16string_view text) { return EncodeVia("GBK", text); }
EncodeResult EncodeUtf8(std::u16string_view text) { return EncodeVia("UTF-8", text); }
EncodeResult EncodeGb18030(std::u16string_view text) { return EncodeVia("GB18030", text); }

std::string_view ScriptEncodingName(ScriptEncoding encoding) { return Info(encoding).name; }

std::optional<std::u16string> DecodeScriptFileAs(std::string_view bytes, ScriptEncoding encoding)
{
    const EncodingInfo& info = Info(encoding);
    if (!bytes.starts_with(info.mark)) return std::nullopt;
    std::string_view body = bytes.substr(info.mark.size());
    if (info.form == Form::Iconv) return DecodeVia(info.charset, body);
    if (body.size() % 2 != 0) return std::nullopt;
    return FromUtf16(body, info.form == Form::Utf16Be);
}

std::optional<DecodedScript> DecodeScriptFile(std::string_view bytes)
{
    auto as = [bytes](ScriptEncoding encoding) -> std::optional<DecodedScript> {
        auto text = DecodeScriptFileAs(bytes, encoding);
        if (!text) return std::nullopt;
        return DecodedScript{std::move(*text), encoding};
    };
    if (bytes.starts_with(kUtf8Bom)) return as(ScriptEncoding::Utf8Bom);
    if (bytes.starts_with(kUtf16LeBom)) return as(ScriptEncoding::Utf16Le);
    if (bytes.starts_with(kUtf16BeBom)) return as(ScriptEncoding::Utf16Be);
    if (auto utf16 = Utf16ByZeros(bytes)) return as(*utf16);
    if (HasMultiByte(bytes))
        if (auto utf8 = as(ScriptEncoding::Utf8)) return utf8;
    return as(ScriptEncoding::Gbk);
}

EncodeResult EncodeScriptFile(std::u16string_view text, ScriptEncoding encoding)
{
    const EncodingInfo& info = Info(encoding);
    EncodeResult result;
    if (info.form == Form::Iconv) result = EncodeVia(info.charset, text);
    else result.bytes = ToUtf16(text, info.form == Form::Utf16Be);
    if (result.ok()) result.bytes.insert(0, info.mark);
    return result;
}

}  // namespace textcodec
