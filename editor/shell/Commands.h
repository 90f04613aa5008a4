#pragma once
#include <array>
#include <functional>

// Every command of the editor. A menu item, its hotkey and the toolbar button
// of the same command run the very same handler.
enum class Command {
    NewDocument,
    OpenDocument,
    CloseProgram,
    SaveDocument,
    SaveDocumentAs,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Clear,
    RunScript,
    OpenScriptGuide,
    OpenProgramHelp,
    SkinQQ,
    SkinBlue,
    SkinElegant,
    CheckForUpdate,
    Count
};

// Handlers are attached as the features land; a command without one does
// nothing when chosen.
class CommandTable {
public:
    void Attach(Command command, std::function<void()> handler)
    {
        handlers_[Index(command)] = std::move(handler);
    }
    void Run(Command command) const
    {
        if (const auto& handler = handlers_[Index(command)]) handler();
    }

private:
    static std::size_t Index(Command c) { return static_cast<std::size_t>(c); }
    std::array<std::function<void()>, static_cast<std::size_t>(Command::Count)> handlers_;
};
