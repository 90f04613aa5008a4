#include "ConsoleHost.h"

#include "Watchdog.h"

namespace vbsrun {

int defaultButton(int buttons)
{
    // The buttons of each vbOKOnly ... vbCancelTryContinue set, left to right.
    static const int sets[7][3] = {{1}, {1, 2}, {3, 4, 5}, {6, 7, 2}, {6, 7}, {4, 2}, {2, 10, 11}};
    int set = buttons & 7;
    int which = (buttons >> 8) & 3;
    if (set > 6) return 1;
    if (which > 2 || sets[set][which] == 0) which = 0;
    return sets[set][which];
}

void ConsoleHost::echo(std::u16string_view text)
{
    out_.out(std::u16string(text) + u'\n');
}

int ConsoleHost::msgBox(std::u16string_view prompt, int buttons, std::u16string_view)
{
    if (interactive_) echo(prompt);
    return defaultButton(buttons);
}

std::optional<std::u16string> ConsoleHost::inputBox(std::u16string_view prompt, std::u16string_view,
                                                    std::u16string_view defaultText)
{
    if (!interactive_) return std::u16string(defaultText);
    out_.flush();
    out_.err(std::u16string(prompt) + u' ');
    return in_.readLine();
}

void ConsoleHost::writeOut(std::u16string_view text) { out_.out(text); }
void ConsoleHost::writeErr(std::u16string_view text) { out_.err(text); }

std::optional<std::u16string> ConsoleHost::readLine()
{
    out_.flush();
    return in_.readLine();
}

std::optional<std::u16string> ConsoleHost::readText()
{
    out_.flush();
    return in_.readPiece();
}

std::int32_t ConsoleHost::timeout() const { return watchdog_ ? watchdog_->seconds() : 0; }

void ConsoleHost::setTimeout(std::int32_t seconds)
{
    if (watchdog_) watchdog_->arm(seconds);
}

}  // namespace vbsrun
