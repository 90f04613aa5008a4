#pragma once
// vbsrun's host: Echo and MsgBox print to stdout, InputBox asks on stderr
// and reads a line from stdin. All text leaves as UTF-8.
#include <string>

#include "vbscript/Host.h"

namespace vbsrun {

std::string toUtf8(std::u16string_view text);

class ConsoleHost : public vbs::Host {
public:
    void echo(std::u16string_view text) override;
    int msgBox(std::u16string_view prompt, int buttons, std::u16string_view title) override;
    std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                           std::u16string_view defaultText) override;
    void writeOut(std::u16string_view text) override;
    void writeErr(std::u16string_view text) override;
    std::optional<std::u16string> readLine() override;
};

}  // namespace vbsrun
