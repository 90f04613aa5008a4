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
// The last four are never guessed: the user picks them for a file that is
// none of the others.
enum class ScriptEncoding {
    Gbk,
    Utf8,
    Utf8Bom,
    Utf16Le,
    Utf16Be,
    Utf16LeNoBom,
    Utf16BeNoBom,
    Gb18030,
    Big5,
    Latin1,
    ShiftJis,
};

// The name the user sees ("GBK", "UTF-8", "UTF-16LE 无BOM", ...).
std::string_view ScriptEncodingName(ScriptEncoding encoding);

struct DecodedScript {
    std::u16string text;
    ScriptEncoding encoding = ScriptEncoding::Gbk;
};

// A byte-order mark decides. Without one: UTF-16 when the bytes show the NUL
// pattern of mostly ASCII UTF-16 text; then UTF-8 when the bytes are valid
// UTF-8 and hold at least one multi-byte sequence (Chinese UTF-8 text is
// often valid GBK too, rarely the other way round); else GBK. nullopt when
// the bytes fit none of them. NUL bytes are text like any other.
std::optional<DecodedScript> DecodeScriptFile(std::string_view bytes);
// Reads the bytes in the one encoding given, mark included where it has one;
// nullopt when they are not valid in it.
std::optional<std::u16string> DecodeScriptFileAs(std::string_view bytes, ScriptEncoding encoding);
EncodeResult EncodeScriptFile(std::u16string_view text, ScriptEncoding encoding);

}  // namespace textcodec
