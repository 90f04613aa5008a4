// WshExec: a running command with its StdIn, StdOut and StdErr. All three
// pipes are served by one poll loop on the script's thread, so a script that
// reads only StdOut while the command floods StdErr (or writes much to StdIn
// of a command that answers on StdOut) cannot deadlock: whatever the command
// writes meanwhile is kept in memory.
#include "vbscript/objects/ShellExec.h"

#include <memory>
#include <poll.h>
#include <unistd.h>

#include "common/textcodec/TextCodec.h"
#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/NativeObject.h"
#include "vbscript/Vm.h"
#include "vbscript/objects/Process.h"

namespace vbs {

std::u16string decodeSystemText(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c >= 0x80) { out.clear(); break; }
        out += static_cast<char16_t>(c);
    }
    if (out.size() == bytes.size()) return out;  // plain ASCII, the usual case
    if (auto t = textcodec::DecodeUtf8(bytes)) return *std::move(t);
    if (auto t = textcodec::DecodeGbk(bytes)) return *std::move(t);
    for (unsigned char c : bytes) out += static_cast<char16_t>(c);
    return out;
}

std::string encodeSystemText(std::u16string_view text)
{
    std::string ascii;
    ascii.reserve(text.size());
    for (char16_t c : text) {
        if (c >= 0x80) break;
        ascii += static_cast<char>(c);
    }
    if (ascii.size() == text.size()) return ascii;
    auto r = textcodec::EncodeUtf8(text);
    if (r.ok()) return std::move(r.bytes);
    std::u16string fixed(text);
    for (auto& c : fixed)
        if (c >= 0xD800 && c <= 0xDFFF) c = u'?';
    return textcodec::EncodeUtf8(fixed).bytes;
}

namespace {

// Length of the part of b that holds only whole UTF-8 sequences, leaving out
// a sequence cut off at the end.
std::size_t wholeUtf8Prefix(std::string_view b)
{
    std::size_t n = b.size();
    for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
        unsigned char c = static_cast<unsigned char>(b[n - back]);
        if ((c & 0xC0) == 0x80) continue;  // continuation byte
        std::size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return len > back ? n - back : n;
    }
    return n;
}

struct OutPipe {
    explicit OutPipe(int* f) : fd(f) {}
    int* fd;
    std::string raw;      // bytes not yet decoded
    std::u16string text;  // decoded, not yet read
    bool eof = false;

    // Whole lines are decoded together, so the UTF-8/GBK choice sees them entire.
    void decodeLines()
    {
        std::size_t nl = raw.rfind('\n');
        if (nl == std::string::npos) return;
        text += decodeSystemText(std::string_view(raw).substr(0, nl + 1));
        raw.erase(0, nl + 1);
    }
    void decodeAll()
    {
        if (raw.empty()) return;
        text += decodeSystemText(raw);
        raw.clear();
    }
    // For Read(n) on a line not finished yet: what is surely UTF-8 already.
    void decodeUtf8Prefix()
    {
        std::size_t n = wholeUtf8Prefix(raw);
        if (auto t = textcodec::DecodeUtf8(std::string_view(raw).substr(0, n))) {
            text += *t;
            raw.erase(0, n);
        }
    }
};

class ExecState {
public:
    ExecState(Vm& vm, process::Child child) : vm_(vm), child_(child), out_(&child_.out), err_(&child_.err) {}
    ~ExecState() { process::release(child_); }
    ExecState(const ExecState&) = delete;
    ExecState& operator=(const ExecState&) = delete;

    OutPipe& pipe(bool err) { return err ? err_ : out_; }
    process::Child& child() { return child_; }

    // Takes in what the pipes hold, waiting up to timeoutMs for news. With
    // wantInput, also returns early when StdIn can take more bytes.
    void pump(int timeoutMs, bool wantInput = false)
    {
        pollfd fds[3];
        OutPipe* owners[3];
        int n = 0;
        for (OutPipe* p : {&out_, &err_})
            if (*p->fd >= 0) {
                fds[n] = {*p->fd, POLLIN, 0};
                owners[n++] = p;
            }
        if (wantInput && child_.in >= 0) {
            fds[n] = {child_.in, POLLOUT, 0};
            owners[n++] = nullptr;
        }
        if (n == 0) return;
        if (::poll(fds, static_cast<nfds_t>(n), timeoutMs) <= 0) return;
        for (int i = 0; i < n; ++i)
            if (owners[i] && fds[i].revents) drain(*owners[i]);
    }

    // One wait for more output; a stop request ends the command and the script.
    void waitStep()
    {
        if (vm_.stopRequested()) {
            process::killGroup(child_);
            throw StopScript{};
        }
        pump(50);
    }

    void closeOutput(OutPipe& p)
    {
        if (*p.fd >= 0) ::close(*p.fd);
        *p.fd = -1;
        p.eof = true;
        p.raw.clear();
        p.text.clear();
    }

    void write(std::u16string_view text)
    {
        if (child_.in < 0) raise(err::BadFileMode);
        std::string bytes = encodeSystemText(text);
        std::size_t done = 0;
        while (done < bytes.size()) {
            long n = process::writeSome(child_.in, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                ScriptError e{57, {}, {}};
                e.detail = u"：命令已不再读取标准输入";
                throw e;
            }
            done += static_cast<std::size_t>(n);
            if (done < bytes.size()) {
                if (vm_.stopRequested()) {
                    process::killGroup(child_);
                    throw StopScript{};
                }
                pump(50, true);
            }
        }
    }

    void closeInput()
    {
        if (child_.in >= 0) ::close(child_.in);
        child_.in = -1;
    }

    int terminate()
    {
        process::killGroup(child_);
        return process::waitFor(child_, vm_);
    }

private:
    void drain(OutPipe& p)
    {
        char buf[65536];
        for (;;) {
            ssize_t got = ::read(*p.fd, buf, sizeof buf);
            if (got > 0) {
                if (p.raw.size() + static_cast<std::size_t>(got) > kMaxStringLength) raise(err::OutOfString);
                p.raw.append(buf, static_cast<std::size_t>(got));
                continue;
            }
            if (got < 0 && errno == EINTR) continue;
            if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
            ::close(*p.fd);  // end of output, or an error that ends it
            *p.fd = -1;
            p.eof = true;
            return;
        }
    }

    Vm& vm_;
    process::Child child_;
    OutPipe out_, err_;
};

enum class Which { In, Out, Err };

enum StreamMember {
    sWrite, sWriteLine, sWriteBlankLines, sReadLine, sReadAll, sRead, sSkip, sSkipLine, sAtEndOfStream, sClose,
};
const char16_t* const kStreamNames[] = {u"write", u"writeline", u"writeblanklines", u"readline", u"readall",
                                        u"read", u"skip", u"skipline", u"atendofstream", u"close"};

class ExecStream : public NativeObject {
public:
    ExecStream(std::shared_ptr<ExecState> state, Which which) : state_(std::move(state)), which_(which) {}
    std::u16string typeName() const override { return u"TextStream"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
        bool writing = id == sWrite || id == sWriteLine || id == sWriteBlankLines;
        if (id != sClose && id >= 0 && writing != (which_ == Which::In)) raise(err::BadFileMode);
        switch (id) {
        case sWrite: arity(args, 1, 1); state_->write(toStr(args[0])); return;
        case sWriteLine: arity(args, 0, 1); state_->write((args.count ? toStr(args[0]) : u"") + u"\n"); return;
        case sWriteBlankLines: {
            arity(args, 1, 1);
            std::int32_t n = toLong(args[0]);
            if (n < 0) raise(err::InvalidCall);
            state_->write(std::u16string(static_cast<std::size_t>(n), u'\n'));
            return;
        }
        case sReadLine: arity(args, 0, 0); result = Value::str(readLine()); return;
        case sReadAll: arity(args, 0, 0); result = Value::str(readAll()); return;
        case sRead: arity(args, 1, 1); result = Value::str(read(count(args[0]))); return;
        case sSkip: arity(args, 1, 1); read(count(args[0])); return;
        case sSkipLine: arity(args, 0, 0); readLine(); return;
        case sAtEndOfStream: arity(args, 0, 0); result = Value::boolean(atEnd()); return;
        case sClose:
            arity(args, 0, 0);
            if (which_ == Which::In) state_->closeInput();
            else state_->closeOutput(pipe());
            return;
        default: raise(err::NoSuchMember);
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override { return kStreamNames; }

private:
    std::shared_ptr<ExecState> state_;
    Which which_;

    OutPipe& pipe() { return state_->pipe(which_ == Which::Err); }

    static std::size_t count(const Value& v)
    {
        std::int32_t n = toLong(v);
        if (n < 0) raise(err::InvalidCall);
        return static_cast<std::size_t>(n);
    }

    static std::u16string take(OutPipe& p, std::size_t n)
    {
        n = std::min(n, p.text.size());
        std::u16string s = p.text.substr(0, n);
        p.text.erase(0, n);
        return s;
    }

    std::u16string readLine()
    {
        OutPipe& p = pipe();
        for (;;) {
            std::size_t nl = p.text.find(u'\n');
            if (nl == std::u16string::npos && p.raw.find('\n') != std::string::npos) {
                p.decodeLines();
                continue;
            }
            if (nl == std::u16string::npos && p.eof) {
                p.decodeAll();
                if (p.text.empty()) raise(err::PastEnd);
                nl = p.text.size();
            }
            if (nl != std::u16string::npos) {
                std::u16string line = take(p, nl);
                if (!p.text.empty()) p.text.erase(0, 1);
                if (!line.empty() && line.back() == u'\r') line.pop_back();
                return line;
            }
            state_->waitStep();
        }
    }

    std::u16string readAll()
    {
        OutPipe& p = pipe();
        while (!p.eof) state_->waitStep();
        p.decodeAll();
        return std::move(p.text);
    }

    std::u16string read(std::size_t n)
    {
        OutPipe& p = pipe();
        for (;;) {
            if (p.text.size() < n) p.decodeLines();
            if (p.text.size() < n && p.eof) p.decodeAll();
            if (p.text.size() < n && !p.eof) p.decodeUtf8Prefix();
            if (p.text.size() >= n || p.eof) return take(p, n);
            state_->waitStep();
        }
    }

    bool atEnd()
    {
        OutPipe& p = pipe();
        for (;;) {
            if (!p.text.empty() || !p.raw.empty()) return false;
            if (p.eof) return true;
            state_->waitStep();
        }
    }
};

enum ExecMember { eStatus, eExitCode, eProcessId, eStdIn, eStdOut, eStdErr, eTerminate };
const char16_t* const kExecNames[] = {u"status", u"exitcode", u"processid", u"stdin",
                                      u"stdout", u"stderr", u"terminate"};

class ExecObject : public NativeObject {
public:
    explicit ExecObject(std::shared_ptr<ExecState> state)
        : state_(std::move(state)),
          stdIn_(Value::object(new ExecStream(state_, Which::In))),
          stdOut_(Value::object(new ExecStream(state_, Which::Out))),
          stdErr_(Value::object(new ExecStream(state_, Which::Err)))
    {
    }
    std::u16string typeName() const override { return u"WshExec"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
        arity(args, 0, 0);
        switch (id) {
        case eStatus:
            state_->pump(0);  // a Status loop keeps the pipes flowing
            result = Value::lng(process::tryReap(state_->child()) ? 1 : 0);
            return;
        case eExitCode: result = Value::lng(process::tryReap(state_->child()).value_or(0)); return;
        case eProcessId: result = Value::lng(static_cast<std::int32_t>(state_->child().pid)); return;
        case eStdIn: result = stdIn_; return;
        case eStdOut: result = stdOut_; return;
        case eStdErr: result = stdErr_; return;
        case eTerminate: state_->terminate(); return;
        default: raise(err::NoSuchMember);
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override { return kExecNames; }

private:
    std::shared_ptr<ExecState> state_;  // shared with the streams, which outlive us in a.Exec(c).StdOut
    Value stdIn_, stdOut_, stdErr_;
};

}  // namespace

Value makeExec(Vm& vm, std::u16string_view command)
{
    auto state = std::make_shared<ExecState>(vm, process::spawnShell(encodeSystemText(command), true));
    return Value::object(new ExecObject(std::move(state)));
}

}  // namespace vbs
