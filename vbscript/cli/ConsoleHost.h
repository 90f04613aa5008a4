#pragma once
// vbsrun's host: Echo and MsgBox print to stdout, InputBox asks on stderr
// and reads a line from stdin, all in the console's encoding. In batch mode
// (//B, or WScript.Interactive = False) dialogs neither show nor wait: they
// give their default answer at once.
#include <string>

#include "ConsoleStreams.h"
#include "vbscript/Host.h"

namespace vbsrun {

class Watchdog;

// The button a dialog answers with when no one clicks: the default button
// the flags name (vbDefaultButton2 and so on), else the first.
int defaultButton(int buttons);

class ConsoleHost : public vbs::Host {
public:
    ConsoleHost(ConsoleOutput& out, ConsoleInput& in, bool interactive, Watchdog* watchdog)
        : out_(out), in_(in), interactive_(interactive), watchdog_(watchdog)
    {
    }
    void setUsage(std::u16string text) { usage_ = std::move(text); }

    void echo(std::u16string_view text) override;
    int msgBox(std::u16string_view prompt, int buttons, std::u16string_view title) override;
    std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                           std::u16string_view defaultText) override;
    void writeOut(std::u16string_view text) override;
    void writeErr(std::u16string_view text) override;
    std::optional<std::u16string> readLine() override;
    std::optional<std::u16string> readText() override;
    bool interactive() const override { return interactive_; }
    void setInteractive(bool on) override { interactive_ = on; }
    std::int32_t timeout() const override;
    void setTimeout(std::int32_t seconds) override;
    std::u16string usage() const override { return usage_; }

private:
    ConsoleOutput& out_;
    ConsoleInput& in_;
    bool interactive_;
    Watchdog* watchdog_;  // null: no time limit can be set
    std::u16string usage_;
};

}  // namespace vbsrun
