#include "TextCodec.h"

#include <iconv.h>

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

std::u16string FromUtf16Le(std::string_view bytes)
{
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
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
    return FromUtf16Le(c.out);
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

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

std::optional<DecodedScript> DecodeScriptFile(std::string_view bytes, Unmarked order)
{
    auto make = [](std::optional<std::u16string> text, ScriptEncoding enc) -> std::optional<DecodedScript> {
        if (!text) return std::nullopt;
        return DecodedScript{std::move(*text), enc};
    };
    if (bytes.starts_with(kUtf8Bom)) return make(DecodeUtf8(bytes.substr(3)), ScriptEncoding::Utf8Bom);
    if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        std::string_view body = bytes.substr(2);
        if (body.size() % 2 != 0) return std::nullopt;
        if (bytes.starts_with(kUtf16LeBom)) return DecodedScript{FromUtf16Le(body), ScriptEncoding::Utf16Le};
        std::string swapped(body);
        for (std::size_t i = 0; i < swapped.size(); i += 2) std::swap(swapped[i], swapped[i + 1]);
        return DecodedScript{FromUtf16Le(swapped), ScriptEncoding::Utf16Be};
    }
    if (order == Unmarked::Utf8First)
        if (auto utf8 = DecodeUtf8(bytes)) return DecodedScript{std::move(*utf8), ScriptEncoding::Utf8};
    if (auto gbk = DecodeGbk(bytes)) return DecodedScript{std::move(*gbk), ScriptEncoding::Gbk};
    return make(DecodeUtf8(bytes), ScriptEncoding::Utf8);
}

EncodeResult EncodeScriptFile(std::u16string_view text, ScriptEncoding encoding)
{
    EncodeResult result;
    switch (encoding) {
    case ScriptEncoding::Gbk: return EncodeGbk(text);
    case ScriptEncoding::Utf8: return EncodeUtf8(text);
    case ScriptEncoding::Utf8Bom:
        result = EncodeUtf8(text);
        if (result.ok()) result.bytes.insert(0, kUtf8Bom);
        break;
    case ScriptEncoding::Utf16Le: result.bytes = std::string(kUtf16LeBom) + ToUtf16(text, false); break;
    case ScriptEncoding::Utf16Be: result.bytes = std::string(kUtf16BeBom) + ToUtf16(text, true); break;
    }
    return result;
}

}  // namespace textcodec
