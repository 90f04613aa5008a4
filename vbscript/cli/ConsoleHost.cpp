#include "ConsoleHost.h"

#include <cstdio>
#include <iostream>

#include "textcodec/TextCodec.h"

namespace vbsrun {

std::string toUtf8(std::u16string_view text)
{
    auto r = textcodec::EncodeUtf8(text);
    if (r.ok()) return r.bytes;
    // A lone surrogate cannot be written; replace it and keep the rest.
    std::u16string fixed(text);
    for (auto& c : fixed)
        if (c >= 0xD800 && c <= 0xDFFF) c = u'?';
    return textcodec::EncodeUtf8(fixed).bytes;
}

void ConsoleHost::echo(std::u16string_view text)
{
    std::cout << toUtf8(text) << '\n';
}

int ConsoleHost::msgBox(std::u16string_view prompt, int buttons, std::u16string_view)
{
    std::cout << toUtf8(prompt) << '\n';
    // No one to click: the first button of the set counts as chosen.
    switch (buttons & 7) {
    case 2: return 3;      // Abort
    case 3: case 4: return 6;  // Yes
    case 5: return 4;      // Retry
    default: return 1;     // OK
    }
}

std::optional<std::u16string> ConsoleHost::inputBox(std::u16string_view prompt, std::u16string_view,
                                                    std::u16string_view)
{
    std::cout.flush();
    std::cerr << toUtf8(prompt) << ' ';
    std::cerr.flush();
    return readLine();
}

void ConsoleHost::writeOut(std::u16string_view text)
{
    std::cout << toUtf8(text);
}

void ConsoleHost::writeErr(std::u16string_view text)
{
    std::cout.flush();
    std::cerr << toUtf8(text);
}

std::optional<std::u16string> ConsoleHost::readLine()
{
    std::string line;
    if (!std::getline(std::cin, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (auto text = textcodec::DecodeUtf8(line)) return *text;
    if (auto text = textcodec::DecodeGbk(line)) return *text;
    return std::u16string(line.begin(), line.end());
}

}  // namespace vbsrun
