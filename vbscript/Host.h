#pragma once
// What a script needs from the program that runs it: output for Echo and
// MsgBox, input for InputBox and StdIn. All calls come from the thread that
// runs the script.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vbs {

class Host {
public:
    virtual ~Host() = default;
    // One WScript.Echo call, arguments already joined.
    virtual void echo(std::u16string_view text) = 0;
    // Returns the button the user chose (vbOK = 1 ... vbNo = 7).
    virtual int msgBox(std::u16string_view prompt, int buttons, std::u16string_view title) = 0;
    // nullopt when the user cancels.
    virtual std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                                   std::u16string_view defaultText) = 0;
    // WScript.StdOut / StdErr / StdIn; a host without a console may ignore them.
    virtual void writeOut(std::u16string_view text) { (void)text; }
    virtual void writeErr(std::u16string_view text) { (void)text; }
    // nullopt at end of input.
    virtual std::optional<std::u16string> readLine() { return std::nullopt; }
    // Standard input as it comes, line ends included (StdIn keeps "\r\n"
    // and a last line without one); nullopt at the end.
    virtual std::optional<std::u16string> readText()
    {
        auto line = readLine();
        if (!line) return std::nullopt;
        return *line + u'\n';
    }

    // WScript.Interactive: false when no one is there to answer dialogs.
    virtual bool interactive() const { return true; }
    virtual void setInteractive(bool on) { (void)on; }
    // WScript.Timeout in seconds, 0 for none; setting it starts the count anew.
    virtual std::int32_t timeout() const { return 0; }
    virtual void setTimeout(std::int32_t seconds) { (void)seconds; }
    // What WScript.Arguments.ShowUsage prints, lines separated by "\n";
    // empty for a plain line naming the script.
    virtual std::u16string usage() const { return {}; }
};

}  // namespace vbs
