#include "ConsoleStreams.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

#include "Text.h"
#include "textcodec/TextCodec.h"

namespace vbsrun {
namespace {

std::string codesetOf(const char* locale)
{
    std::string name(locale);
    std::size_t dot = name.find('.');
    if (dot == std::string::npos) return "";
    std::string set;
    for (char c : name.substr(dot + 1, name.find('@', dot) - dot - 1))
        if (c != '-' && c != '_') set += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return set;
}

bool isSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Encodes what the encoder can, a "?" for each character it refuses.
template <class Encoder>
std::string encodeWithFallback(std::u16string_view text, Encoder enc)
{
    std::string out;
    while (!text.empty()) {
        auto r = enc(text);
        if (r.ok()) return out + r.bytes;
        std::size_t bad = r.failedAt;
        out += enc(text.substr(0, bad)).bytes;
        out += '?';
        bool pair = bad + 1 < text.size() && text[bad] < 0xDC00 && isSurrogate(text[bad]) && isSurrogate(text[bad + 1]);
        text.remove_prefix(bad + (pair ? 2 : 1));
    }
    return out;
}

std::string encodeUtf16Le(std::u16string_view text)
{
    std::string out(text.size() * 2, '\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[2 * i] = static_cast<char>(text[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return out;
}

std::u16string decodeUtf16Le(std::string_view bytes)
{
    std::u16string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (bytes.size() % 2) out += u'\uFFFD';
    return out;
}

bool sameFile(int a, int b)
{
    struct stat sa, sb;
    if (::fstat(a, &sa) != 0 || ::fstat(b, &sb) != 0) return false;
    if (S_ISCHR(sa.st_mode) && S_ISCHR(sb.st_mode)) return sa.st_rdev == sb.st_rdev;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

ConsoleEncoding encodingFromLocale(const char* lcAll, const char* lcCtype, const char* lang)
{
    const char* locale = "";
    for (const char* v : {lcAll, lcCtype, lang})
        if (v && *v) { locale = v; break; }
    std::string set = codesetOf(locale);
    if (set == "gb18030") return ConsoleEncoding::Gb18030;
    bool gbk = set == "gbk" || set == "gb2312" || set == "cp936" || set == "euccn";
    return gbk ? ConsoleEncoding::Gbk : ConsoleEncoding::Utf8;
}

ConsoleEncoding encodingFromEnvironment()
{
    return encodingFromLocale(std::getenv("LC_ALL"), std::getenv("LC_CTYPE"), std::getenv("LANG"));
}

std::string encode(std::u16string_view text, ConsoleEncoding enc)
{
    switch (enc) {
    case ConsoleEncoding::Utf16Le: return encodeUtf16Le(text);
    case ConsoleEncoding::Gbk: return encodeWithFallback(text, textcodec::EncodeGbk);
    case ConsoleEncoding::Gb18030: return encodeWithFallback(text, textcodec::EncodeGb18030);
    case ConsoleEncoding::Utf8: break;
    }
    return encodeWithFallback(text, textcodec::EncodeUtf8);
}

std::u16string decode(std::string_view bytes, ConsoleEncoding enc)
{
    if (enc == ConsoleEncoding::Utf16Le) return decodeUtf16Le(bytes);
    auto first = enc == ConsoleEncoding::Gbk       ? textcodec::DecodeGbk
                 : enc == ConsoleEncoding::Gb18030 ? textcodec::DecodeGb18030
                                                   : textcodec::DecodeUtf8;
    auto second = enc == ConsoleEncoding::Utf8 ? textcodec::DecodeGb18030 : textcodec::DecodeUtf8;
    if (auto t = first(bytes)) return *t;
    if (auto t = second(bytes)) return *t;
    return std::u16string(bytes.begin(), bytes.end());
}

FlushPolicy flushPolicyFor(int outFd, int errFd)
{
    FlushPolicy p;
    p.flushOutEachWrite = ::isatty(outFd) == 1;
    p.flushOutBeforeErr = sameFile(outFd, errFd);
    return p;
}

void ConsoleOutput::out(std::u16string_view text)
{
    std::cout << encode(text, enc_);
    if (policy_.flushOutEachWrite) std::cout.flush();
}

void ConsoleOutput::err(std::u16string_view text)
{
    if (policy_.flushOutBeforeErr) std::cout.flush();
    std::cerr << encode(text, enc_);
    std::cerr.flush();
}

void ConsoleOutput::errUtf8(std::string_view text) { err(fromUtf8(text)); }
void ConsoleOutput::outUtf8(std::string_view text) { out(fromUtf8(text)); }

void ConsoleOutput::flush()
{
    std::cout.flush();
    std::cerr.flush();
}

bool ConsoleInput::fill()
{
    if (eof_) return false;
    char chunk[1 << 16];
    ssize_t n;
    do n = ::read(0, chunk, sizeof chunk);
    while (n < 0 && errno == EINTR);
    if (n <= 0) {
        eof_ = true;
        return false;
    }
    buf_.append(chunk, static_cast<std::size_t>(n));
    return true;
}

std::optional<std::u16string> ConsoleInput::readPiece()
{
    bool wide = enc_ == ConsoleEncoding::Utf16Le;
    std::size_t scan = 0;
    for (;;) {
        std::size_t end = std::string::npos;
        if (wide) {
            for (std::size_t i = scan & ~std::size_t{1}; i + 1 < buf_.size(); i += 2)
                if (buf_[i] == '\n' && buf_[i + 1] == '\0') { end = i + 2; break; }
        } else if (std::size_t nl = buf_.find('\n', scan); nl != std::string::npos) {
            end = nl + 1;
        }
        if (end == std::string::npos) {
            scan = buf_.size();
            if (fill()) continue;
            if (buf_.empty()) return std::nullopt;
            end = buf_.size();  // the last line, without a line end
        }
        std::u16string text = decode(std::string_view(buf_).substr(0, end), enc_);
        buf_.erase(0, end);
        return text;
    }
}

std::optional<std::u16string> ConsoleInput::readLine()
{
    auto piece = readPiece();
    if (!piece) return std::nullopt;
    if (!piece->empty() && piece->back() == u'\n') piece->pop_back();
    if (!piece->empty() && piece->back() == u'\r') piece->pop_back();
    return piece;
}

}  // namespace vbsrun
