#pragma once
// vbsrun's three standard streams: text leaves in the console's encoding and
// arrives from it, and stdout is flushed so that what the user sees keeps
// the order in which the script wrote it.
#include <optional>
#include <string>
#include <string_view>

namespace vbsrun {

enum class ConsoleEncoding { Utf8, Gbk, Gb18030, Utf16Le };

// From the locale's character set (LC_ALL, else LC_CTYPE, else LANG, the
// first one set): GB18030, GBK for GBK and GB2312, UTF-8 otherwise.
ConsoleEncoding encodingFromLocale(const char* lcAll, const char* lcCtype, const char* lang);
ConsoleEncoding encodingFromEnvironment();

// Never fails: a character the encoding cannot hold becomes "?".
std::string encode(std::u16string_view text, ConsoleEncoding enc);
// One line or piece of input; bytes that are not text in the expected
// encoding are tried as the other one, then taken one per byte.
std::u16string decode(std::string_view bytes, ConsoleEncoding enc);

struct FlushPolicy {
    bool flushOutEachWrite = false;  // stdout is a terminal: show each line as it comes
    bool flushOutBeforeErr = false;  // stdout and stderr reach the same place
};
FlushPolicy flushPolicyFor(int outFd, int errFd);

class ConsoleOutput {
public:
    ConsoleOutput(ConsoleEncoding enc, FlushPolicy policy) : enc_(enc), policy_(policy) {}
    void out(std::u16string_view text);
    void err(std::u16string_view text);
    void errUtf8(std::string_view text);  // vbsrun's own messages
    void outUtf8(std::string_view text);
    // Before a read that may block: what was asked must be visible.
    void flush();

private:
    ConsoleEncoding enc_;
    FlushPolicy policy_;
};

// Standard input read in pieces ending at a line end.
class ConsoleInput {
public:
    explicit ConsoleInput(ConsoleEncoding enc) : enc_(enc) {}
    // The next line with its line end (the last may have none); nullopt at the end.
    std::optional<std::u16string> readPiece();
    // The next line without "\n" or "\r\n".
    std::optional<std::u16string> readLine();

private:
    bool fill();
    ConsoleEncoding enc_;
    std::string buf_;
    bool eof_ = false;
};

}  // namespace vbsrun
