#pragma once
// Text encodings of the files the programs read and write. Plain C++ so that
// the script runner (no Qt) and the editor decode script files the same way.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace textcodec {

// Strict GBK: nullopt when the bytes are not valid GBK.
std::optional<std::u16string> DecodeGbk(std::string_view bytes);
std::optional<std::u16string> DecodeUtf8(std::string_view bytes);
// GB18030, GBK's superset that holds every character (a console's locale may ask for it).
std::optional<std::u16string> DecodeGb18030(std::string_view bytes);

struct EncodeResult {
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::string bytes;
    // Index (in UTF-16 units) of the first character the target cannot hold.
    std::size_t failedAt = kNone;
    bool ok() const { return failedAt == kNone; }
};

// Never substitutes: text GBK cannot hold is a failure, not a '?'.
EncodeResult EncodeGbk(std::u16string_view text);
// Fails only on a lone surrogate.
EncodeResult EncodeUtf8(std::u16string_view text);
EncodeResult EncodeGb18030(std::u16string_view text);

// How a script file was stored, so that saving writes it back the same way.
enum class ScriptEncoding { Gbk, Utf8, Utf8Bom, Utf16Le, Utf16Be };

struct DecodedScript {
    std::u16string text;
    ScriptEncoding encoding = ScriptEncoding::Gbk;
};

// Which encoding to try first for bytes without a mark. Chinese UTF-8 text
// is often also valid GBK (but rarely the other way round), so a reader
// that mostly sees UTF-8 files, like the command-line runner, asks for it.
enum class Unmarked { GbkFirst, Utf8First };

// A byte-order mark decides; without one GBK and UTF-8 are tried in the
// order asked for. nullopt when the bytes fit none of them.
std::optional<DecodedScript> DecodeScriptFile(std::string_view bytes, Unmarked order = Unmarked::GbkFirst);
EncodeResult EncodeScriptFile(std::u16string_view text, ScriptEncoding encoding);

}  // namespace textcodec
