#pragma once
// A host that records what a script shows and answers dialogs from a queue.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "vbscript/Engine.h"

struct TestHost : vbs::Host {
    std::vector<std::u16string> echoes;
    std::vector<std::u16string> boxes;
    std::deque<std::optional<std::u16string>> answers;
    int button = 1;

    void echo(std::u16string_view text) override { echoes.emplace_back(text); }
    int msgBox(std::u16string_view prompt, int, std::u16string_view) override
    {
        boxes.emplace_back(prompt);
        return button;
    }
    std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view,
                                           std::u16string_view) override
    {
        boxes.emplace_back(prompt);
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

inline std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }
