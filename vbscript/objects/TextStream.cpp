#include "vbscript/objects/TextStream.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "common/textcodec/TextCodec.h"
#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/NativeObject.h"
#include "vbscript/Vm.h"
#include "vbscript/objects/FsPaths.h"

namespace vbs::fsys {
namespace {

constexpr std::size_t kChunk = 1 << 20;     // bytes read per system call
constexpr std::size_t kFlushAt = 1 << 18;   // bytes buffered before a write

enum class Enc { Gbk, Utf16, Utf8 };

// Where read text comes from.
class Source {
public:
    virtual ~Source() = default;
    // Appends decoded text; false once nothing is left.
    virtual bool pull(std::u16string& out) = 0;
};

// Where written text goes.
class Sink {
public:
    virtual ~Sink() = default;
    virtual void put(std::u16string_view text) = 0;
    // Makes everything written final; raises on failure.
    virtual void commit() = 0;
};

void appendLatin1(std::u16string& out, std::string_view bytes)
{
    for (unsigned char c : bytes) out += static_cast<char16_t>(c);
}

// Every GBK byte pair decoded once (0: not GBK), a row per lead byte, so
// text that is not GBK as a whole costs no conversion call per character.
const std::vector<char16_t>& gbkPairs()
{
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(1 << 16, 0);
        auto pair = [](int lead, int trail) { return std::string{static_cast<char>(lead), static_cast<char>(trail)}; };
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            std::string row;
            std::vector<int> trails;
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F) continue;
                row += pair(lead, trail);
                trails.push_back(trail);
            }
            auto text = textcodec::DecodeGbk(row);
            for (std::size_t i = 0; i < trails.size(); ++i) {
                int code = lead << 8 | trails[i];
                if (text && text->size() == trails.size()) {
                    t[code] = (*text)[i];
                } else if (auto one = textcodec::DecodeGbk(pair(lead, trails[i])); one && one->size() == 1) {
                    t[code] = (*one)[0];
                }
            }
        }
        return t;
    }();
    return table;
}

// The reverse: a character's GBK pair, 0 when the table has none.
const std::vector<std::uint16_t>& gbkCodes()
{
    static const std::vector<std::uint16_t> table = [] {
        std::vector<std::uint16_t> t(1 << 16, 0);
        std::vector<bool> twice(1 << 16, false);
        const std::vector<char16_t>& pairs = gbkPairs();
        for (std::size_t code = 0; code < pairs.size(); ++code) {
            if (!pairs[code]) continue;
            if (t[pairs[code]]) twice[pairs[code]] = true;
            t[pairs[code]] = static_cast<std::uint16_t>(code);
        }
        for (std::size_t c = 0; c < t.size(); ++c) {
            if (!twice[c]) continue;  // two pairs decode to c: the converter says which one it writes
            auto r = textcodec::EncodeGbk(std::u16string(1, static_cast<char16_t>(c)));
            t[c] = r.ok() && r.bytes.size() == 2
                       ? static_cast<std::uint16_t>(static_cast<unsigned char>(r.bytes[0]) << 8 |
                                                    static_cast<unsigned char>(r.bytes[1]))
                       : 0;
        }
        return t;
    }();
    return table;
}

// Bytes that are not GBK become U+FFFD instead of failing the read.
void decodeGbkLoose(std::u16string& out, std::string_view bytes)
{
    const std::vector<char16_t>& pairs = gbkPairs();
    std::size_t i = 0;
    while (i < bytes.size()) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out += c;
            ++i;
        } else if (i + 1 < bytes.size() && pairs[c << 8 | static_cast<unsigned char>(bytes[i + 1])]) {
            out += pairs[c << 8 | static_cast<unsigned char>(bytes[i + 1])];
            i += 2;
        } else {
            out += u'\uFFFD';
            ++i;
        }
    }
}

// UTF-8 after a mark, U+FFFD for each byte that does not fit.
void decodeUtf8Loose(std::u16string& out, std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        int len = c < 0x80 ? 1 : c >= 0xF0 && c < 0xF5 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
        if (len && c >= 0xF5) len = 0;
        char32_t cp = len == 1 ? c : len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
        bool ok = len > 0 && i + len <= bytes.size();
        for (int k = 1; ok && k < len; ++k) {
            unsigned char t = static_cast<unsigned char>(bytes[i + k]);
            ok = (t & 0xC0) == 0x80;
            cp = cp << 6 | (t & 0x3F);
        }
        ok = ok && !(len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) && !(len == 4 && (cp < 0x10000 || cp > 0x10FFFF));
        if (!ok) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += static_cast<std::size_t>(len);
    }
}

class FileSource : public Source {
public:
    FileSource(int fd, int format) : fd_(fd), format_(format) {}
    ~FileSource() override { ::close(fd_); }

    bool pull(std::u16string& out) override
    {
        std::string bytes = std::move(carry_);
        carry_.clear();
        std::size_t had = bytes.size();
        bytes.resize(had + kChunk);
        ssize_t n;
        do n = ::read(fd_, bytes.data() + had, kChunk);
        while (n < 0 && errno == EINTR);
        if (n < 0) raise(ferr::DeviceIO);
        bytes.resize(had + static_cast<std::size_t>(n));
        bool last = n == 0;
        if (!started_) {
            if (bytes.size() < 3 && !last) { carry_ = std::move(bytes); return true; }
            start(bytes);
        }
        if (bytes.empty()) return !last;
        decode(bytes, last, out);
        return true;
    }

private:
    void start(std::string& bytes)
    {
        started_ = true;
        std::string_view b = bytes;
        if (b.starts_with("\xFF\xFE") && format_ != TristateTrue) enc_ = Enc::Utf16;
        else if (b.starts_with("\xEF\xBB\xBF") && format_ != TristateTrue) enc_ = Enc::Utf8;
        else enc_ = format_ == TristateTrue ? Enc::Utf16 : Enc::Gbk;
        if (enc_ == Enc::Utf16 && b.starts_with("\xFF\xFE")) bytes.erase(0, 2);
        if (enc_ == Enc::Utf8) bytes.erase(0, 3);
    }

    void decode(std::string& bytes, bool last, std::u16string& out)
    {
        std::size_t cut = bytes.size();
        switch (enc_) {
        case Enc::Utf16:
            cut &= ~std::size_t{1};
            break;
        case Enc::Utf8:
            if (!last) {  // stop before a sequence the next chunk completes
                std::size_t k = cut;
                while (k > 0 && cut - k < 4 && (static_cast<unsigned char>(bytes[k - 1]) & 0xC0) == 0x80) --k;
                if (k > 0 && static_cast<unsigned char>(bytes[k - 1]) >= 0xC0) cut = k - 1;
            }
            break;
        case Enc::Gbk:
            if (!last) {
                std::size_t i = 0;
                while (i < bytes.size()) {
                    unsigned char c = static_cast<unsigned char>(bytes[i]);
                    if (c < 0x81 || c == 0xFF) ++i;
                    else if (i + 1 < bytes.size()) i += 2;
                    else break;
                }
                cut = i;
            }
            break;
        }
        std::string_view piece(bytes.data(), cut);
        carry_.assign(bytes, cut, std::string::npos);
        if (enc_ == Enc::Utf16) {
            std::size_t base = out.size();
            out.resize(base + piece.size() / 2);
            for (std::size_t i = 0; i < piece.size() / 2; ++i)
                out[base + i] = static_cast<char16_t>(static_cast<unsigned char>(piece[2 * i]) |
                                                      static_cast<unsigned char>(piece[2 * i + 1]) << 8);
            if (last && !carry_.empty()) { out += u'\uFFFD'; carry_.clear(); }
            return;
        }
        std::size_t ascii = 0;
        while (ascii < piece.size() && static_cast<unsigned char>(piece[ascii]) < 0x80) ++ascii;
        appendLatin1(out, piece.substr(0, ascii));
        piece.remove_prefix(ascii);
        if (piece.empty()) return;
        if (enc_ == Enc::Utf8) {
            if (auto text = textcodec::DecodeUtf8(piece)) out += *text;
            else decodeUtf8Loose(out, piece);
        } else if (auto text = textcodec::DecodeGbk(piece)) {
            out += *text;
        } else {
            decodeGbkLoose(out, piece);
        }
        if (last && !carry_.empty()) {  // an unfinished character at the very end
            out += u'\uFFFD';
            carry_.clear();
        }
    }

    int fd_;
    int format_;
    Enc enc_ = Enc::Gbk;
    bool started_ = false;
    std::string carry_;  // bytes of a character the next chunk completes
};

class FileSink : public Sink {
public:
    // temp: written instead of target and renamed over it on commit.
    FileSink(int fd, std::u16string target, std::string temp, bool unicode, bool mark)
        : fd_(fd), target_(std::move(target)), temp_(std::move(temp)), unicode_(unicode)
    {
        if (mark) out_ = "\xFF\xFE";
    }
    ~FileSink() override
    {
        try {
            commit();
        } catch (...) {  // released without Close: a failure here has no one to report to
        }
    }

    void put(std::u16string_view text) override
    {
        if (unicode_) {
            std::size_t base = out_.size();
            out_.resize(base + text.size() * 2);
            for (std::size_t i = 0; i < text.size(); ++i) {
                out_[base + 2 * i] = static_cast<char>(text[i] & 0xFF);
                out_[base + 2 * i + 1] = static_cast<char>(text[i] >> 8);
            }
        } else {
            std::size_t ascii = 0;
            while (ascii < text.size() && text[ascii] < 0x80) ++ascii;
            std::size_t base = out_.size();
            out_.resize(base + ascii);
            for (std::size_t i = 0; i < ascii; ++i) out_[base + i] = static_cast<char>(text[i]);
            if (ascii < text.size()) putGbk(text, ascii, base);
        }
        if (out_.size() >= kFlushAt) flush();
    }

    void commit() override
    {
        if (fd_ < 0) return;
        int fd = fd_;
        bool ok = !failed_;
        int e = 0;
        if (ok) {
            try {
                flush();
            } catch (...) {
                ok = false;
            }
        }
        e = errno_;
        fd_ = -1;
        if (::close(fd) != 0 && ok) { ok = false; e = errno; }
        if (!temp_.empty()) {
            if (ok && ::rename(temp_.c_str(), native(target_).c_str()) != 0) { ok = false; e = errno; }
            if (!ok) ::unlink(temp_.c_str());  // the old file stays as it was
        }
        if (!ok) raiseErrno(e ? e : EIO, target_);
    }

private:
    // The rest of text from i; base is where this Write began, dropped again
    // when a character does not fit.
    void putGbk(std::u16string_view text, std::size_t i, std::size_t base)
    {
        const std::vector<std::uint16_t>& codes = gbkCodes();
        for (; i < text.size(); ++i) {
            char16_t c = text[i];
            if (c < 0x80) {
                out_ += static_cast<char>(c);
            } else if (std::uint16_t code = codes[c]) {
                out_ += static_cast<char>(code >> 8);
                out_ += static_cast<char>(code & 0xFF);
            } else {
                std::size_t len = c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() ? 2 : 1;
                auto r = textcodec::EncodeGbk(text.substr(i, len));
                if (!r.ok()) {
                    out_.resize(base);
                    unencodable(text, i);
                }
                out_ += r.bytes;
                i += len - 1;
            }
        }
    }

    [[noreturn]] void unencodable(std::u16string_view text, std::size_t at)
    {
        std::size_t len = at + 1 < text.size() && text[at] >= 0xD800 && text[at] < 0xDC00 ? 2 : 1;
        throw ScriptError{err::InvalidCall, {}, {}, 0, 0,
                          u"：GBK 无法表示字符 '" + std::u16string(text.substr(at, len)) + u"'（" + target_ + u"）"};
    }

    void flush()
    {
        std::size_t done = 0;
        while (done < out_.size()) {
            ssize_t n = ::write(fd_, out_.data() + done, out_.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                failed_ = true;
                errno_ = errno;
                out_.clear();
                raiseErrno(errno_, target_);
            }
            done += static_cast<std::size_t>(n);
        }
        out_.clear();
    }

    int fd_;
    std::u16string target_;
    std::string temp_;
    bool unicode_;
    bool failed_ = false;
    int errno_ = 0;
    std::string out_;
};

class HostSource : public Source {
public:
    explicit HostSource(Vm& vm) : vm_(vm) {}
    bool pull(std::u16string& out) override
    {
        auto text = vm_.host().readText();
        if (!text) return false;
        out += *text;
        return true;
    }

private:
    Vm& vm_;
};

class HostSink : public Sink {
public:
    HostSink(Vm& vm, bool err) : vm_(vm), err_(err) {}
    void put(std::u16string_view text) override
    {
        if (err_) vm_.host().writeErr(text);
        else vm_.host().writeOut(text);
    }
    void commit() override {}

private:
    Vm& vm_;
    bool err_;
};

class TextStream : public NativeObject {
public:
    TextStream(std::unique_ptr<Source> in, std::unique_ptr<Sink> out, std::u16string newline)
        : in_(std::move(in)), out_(std::move(out)), newline_(std::move(newline))
    {
    }
    std::u16string typeName() const override { return u"TextStream"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
        switch (id) {
        case kLine: arity(args, 0, 0); result = Value::lng(line_); return;
        case kColumn: arity(args, 0, 0); result = Value::lng(column_); return;
        case kClose: arity(args, 0, 0); close(); return;
        default: break;
        }
        bool reading = id <= kAtEndOfLine;
        if (id < 0 || id > kWriteBlankLines) raise(err::NoSuchMember);
        if (closed_ || (reading ? !in_ : !out_)) raise(ferr::BadFileMode);
        switch (id) {
        case kRead: {
            arity(args, 1, 1);
            std::int32_t n = toLong(args[0]);
            if (n < 0) raise(err::InvalidCall);
            result = Value::str(take(static_cast<std::size_t>(n)));
            return;
        }
        case kReadLine: arity(args, 0, 0); result = Value::str(readLine()); return;
        case kReadAll: {
            arity(args, 0, 0);
            if (atEnd()) raise(ferr::PastEnd);
            while (more()) {}
            result = Value::str(take(buf_.size() - pos_));
            return;
        }
        case kSkip: {
            arity(args, 1, 1);
            std::int32_t n = toLong(args[0]);
            if (n < 0) raise(err::InvalidCall);
            if (atEnd()) raise(ferr::PastEnd);
            for (std::size_t left = static_cast<std::size_t>(n); left > 0 && !atEnd();) {  // without keeping it all
                std::size_t k = std::min(left, buf_.size() - pos_);
                advance(std::u16string_view(buf_).substr(pos_, k));
                pos_ += k;
                left -= k;
            }
            return;
        }
        case kSkipLine: arity(args, 0, 0); readLine(); return;
        case kAtEndOfStream: arity(args, 0, 0); result = Value::boolean(atEnd()); return;
        case kAtEndOfLine:
            arity(args, 0, 0);
            result = Value::boolean(atEnd() || buf_[pos_] == u'\r' || buf_[pos_] == u'\n');
            return;
        case kWrite: arity(args, 1, 1); write(toStr(args[0])); return;
        case kWriteLine: {
            arity(args, 0, 1);
            std::u16string text = args.count ? toStr(args[0]) : std::u16string();
            write(text += newline_);
            return;
        }
        case kWriteBlankLines: {
            arity(args, 1, 1);
            std::int32_t n = toLong(args[0]);
            if (n < 0) raise(err::InvalidCall);
            std::u16string block;
            for (std::int32_t i = 0; i < std::min(n, 4096); ++i) block += newline_;
            for (std::int32_t left = n; left > 0; left -= 4096)  // in blocks: n may be huge
                write(std::u16string_view(block).substr(0, static_cast<std::size_t>(std::min(left, 4096)) * newline_.size()));
            return;
        }
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"read", u"readline", u"readall", u"skip", u"skipline",
                                                u"atendofstream", u"atendofline", u"write", u"writeline",
                                                u"writeblanklines", u"close", u"line", u"column"};
        return names;
    }

private:
    enum {
        kRead, kReadLine, kReadAll, kSkip, kSkipLine, kAtEndOfStream, kAtEndOfLine,
        kWrite, kWriteLine, kWriteBlankLines, kClose, kLine, kColumn,
    };

    void close()
    {
        if (closed_) return;
        closed_ = true;
        in_.reset();
        if (out_) {
            std::unique_ptr<Sink> sink = std::move(out_);
            sink->commit();
        }
    }

    // Reads more text into buf_, dropping what was consumed; false at the end.
    bool more()
    {
        if (done_) return false;
        if (pos_ > 0 && pos_ * 2 >= buf_.size()) {
            buf_.erase(0, pos_);
            pos_ = 0;
        }
        std::size_t before = buf_.size();
        while (buf_.size() == before) {
            if (!in_->pull(buf_)) { done_ = true; return buf_.size() != before; }
        }
        if (buf_.size() - pos_ > kMaxStringLength) raise(err::OutOfString);
        return true;
    }

    bool atEnd()
    {
        while (pos_ >= buf_.size())
            if (!more()) return true;
        return false;
    }

    void advance(std::u16string_view text)
    {
        for (char16_t c : text) {
            if (c == u'\n') {
                if (!afterCr_) ++line_;
                column_ = 1;
                afterCr_ = false;
            } else if (c == u'\r') {
                ++line_;
                column_ = 1;
                afterCr_ = true;
            } else {
                ++column_;
                afterCr_ = false;
            }
        }
    }

    std::u16string take(std::size_t n)
    {
        if (atEnd()) raise(ferr::PastEnd);
        while (buf_.size() - pos_ < n && more()) {}
        n = std::min(n, buf_.size() - pos_);
        std::u16string text = buf_.substr(pos_, n);
        pos_ += n;
        advance(text);
        return text;
    }

    std::u16string readLine()
    {
        if (atEnd()) raise(ferr::PastEnd);
        std::size_t scan = pos_;
        for (;;) {
            const char16_t* b = buf_.data();
            std::size_t n = buf_.size(), i = scan;
            while (i < n && b[i] != u'\n' && b[i] != u'\r') ++i;
            if (i == n || (b[i] == u'\r' && i + 1 == n && !done_)) {
                std::size_t offset = i - pos_;
                if (more()) {
                    scan = pos_ + offset;
                    continue;
                }
                if (i == n) {  // the last line has no line end
                    std::u16string text = buf_.substr(pos_);
                    pos_ = buf_.size();
                    column_ += static_cast<std::int32_t>(text.size());
                    afterCr_ = false;
                    return text;
                }
                b = buf_.data();
                n = buf_.size();
                i = pos_ + offset;
            }
            std::u16string text = buf_.substr(pos_, i - pos_);
            std::size_t end = i + 1;
            if (b[i] == u'\n' && afterCr_ && i == pos_) {  // the LF of a CR a Read took
                pos_ = end;
                afterCr_ = false;
                scan = pos_;
                if (atEnd()) return std::u16string();  // AtEndOfStream said there was more
                continue;
            }
            if (b[i] == u'\r' && end < n && b[end] == u'\n') ++end;
            pos_ = end;
            ++line_;
            column_ = 1;
            afterCr_ = false;
            return text;
        }
    }

    void write(std::u16string_view text)
    {
        out_->put(text);
        advance(text);
    }

    std::unique_ptr<Source> in_;
    std::unique_ptr<Sink> out_;
    std::u16string newline_;
    std::u16string buf_;
    std::size_t pos_ = 0;
    bool done_ = false;
    bool closed_ = false;
    bool afterCr_ = false;
    std::int32_t line_ = 1;
    std::int32_t column_ = 1;
};

Value wrap(TextStream* ts) { return Value::object(ts); }

int openOrRaise(const std::u16string& path, int flags, mode_t mode = 0666)
{
    int fd;
    do fd = ::open(native(path).c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) raiseErrno(errno, path);
    return fd;
}

// A new file with the content still to come: a temporary one beside an
// existing target (renamed over it on commit), else the target itself.
std::unique_ptr<Sink> newFileSink(const std::u16string& path, bool exists, bool unicode)
{
    if (!exists) {
        int fd = openOrRaise(path, O_WRONLY | O_CREAT | O_EXCL);
        return std::make_unique<FileSink>(fd, path, std::string(), unicode, unicode);
    }
    struct stat st;
    std::u16string target = realPath(path);  // replace what a link points at, not the link
    if (::stat(native(target).c_str(), &st) != 0) raiseErrno(errno, path);
    std::string temp = tempBeside(target);
    int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) raiseErrno(errno, path);
    ::fchmod(fd, st.st_mode & 07777);
    return std::make_unique<FileSink>(fd, target, std::move(temp), unicode, unicode);
}

struct stat statOf(const std::u16string& path, bool& exists)
{
    struct stat st{};
    exists = ::stat(native(path).c_str(), &st) == 0;
    if (!exists && errno != ENOENT) raiseErrno(errno, path);
    if (exists && S_ISDIR(st.st_mode)) raisePath(ferr::PermissionDenied, path);
    if (!exists && kindOf(parentPart(path)) != Kind::Folder) raisePath(ferr::PathNotFound, path);
    return st;
}

bool startsWithMark(const std::u16string& path)
{
    int fd = openOrRaise(path, O_RDONLY);
    char b[2] = {};
    ssize_t n = ::read(fd, b, 2);
    ::close(fd);
    return n == 2 && b[0] == '\xFF' && b[1] == '\xFE';
}

}  // namespace

Value openTextFile(std::u16string_view pathView, int ioMode, bool create, int format)
{
    std::u16string path(pathView);
    if (ioMode != ForReading && ioMode != ForWriting && ioMode != ForAppending) raise(err::InvalidCall);
    if (format != TristateFalse && format != TristateTrue && format != TristateUseDefault) raise(err::InvalidCall);
    bool exists;
    struct stat st = statOf(path, exists);
    if (!exists && !create) raisePath(ferr::FileNotFound, path);
    if (ioMode == ForReading) {
        if (!exists) ::close(openOrRaise(path, O_WRONLY | O_CREAT));
        int fd = openOrRaise(path, O_RDONLY);
        return wrap(new TextStream(std::make_unique<FileSource>(fd, format), nullptr, u"\r\n"));
    }
    if (exists && isReadOnlyMode(st.st_mode)) raisePath(ferr::PermissionDenied, path);
    if (ioMode == ForWriting)
        return wrap(new TextStream(nullptr, newFileSink(path, exists, format == TristateTrue), u"\r\n"));
    bool unicode = format == TristateTrue || (format == TristateUseDefault && exists && startsWithMark(path));
    int fd = openOrRaise(path, O_WRONLY | O_APPEND | O_CREAT);
    bool mark = unicode && (!exists || st.st_size == 0);
    return wrap(new TextStream(nullptr, std::make_unique<FileSink>(fd, path, std::string(), unicode, mark), u"\r\n"));
}

Value createTextFile(std::u16string_view pathView, bool overwrite, bool unicode)
{
    std::u16string path(pathView);
    bool exists;
    struct stat st = statOf(path, exists);
    if (exists && !overwrite) raisePath(ferr::FileExists, path);
    if (exists && isReadOnlyMode(st.st_mode)) raisePath(ferr::PermissionDenied, path);
    return wrap(new TextStream(nullptr, newFileSink(path, exists, unicode), u"\r\n"));
}

Value standardStream(Vm& vm, int which)
{
    switch (which) {
    case 0: return wrap(new TextStream(std::make_unique<HostSource>(vm), nullptr, u"\n"));
    case 1: return wrap(new TextStream(nullptr, std::make_unique<HostSink>(vm, false), u"\n"));
    case 2: return wrap(new TextStream(nullptr, std::make_unique<HostSink>(vm, true), u"\n"));
    default: raise(err::InvalidCall);
    }
}

}  // namespace vbs::fsys
