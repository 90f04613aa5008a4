#include "shell/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>

namespace {

enum class Level { Menu, Item, Separator, Submenu, SubmenuItem };

struct MenuSpec {
    Level level;
    const char16_t* caption;
    const char* hotkey;  // nullptr: none
    bool enabled;
    Command command;
};

constexpr Command kNone = Command::Count;

// 新建 has Ctrl+O; 打开 has no hotkey.
constexpr std::array<MenuSpec, 26> kMenus{{
    {Level::Menu, u"&F.程序", nullptr, true, kNone},
    {Level::Item, u"新建", "Ctrl+O", true, Command::NewDocument},
    {Level::Item, u"打开", nullptr, true, Command::OpenDocument},
    {Level::Item, u"关闭", nullptr, true, Command::CloseProgram},
    {Level::Item, u"保存", "Ctrl+S", true, Command::SaveDocument},
    {Level::Item, u"另存为", nullptr, true, Command::SaveDocumentAs},
    {Level::Menu, u"&E.编辑", nullptr, true, kNone},
    {Level::Item, u"撤销", "Ctrl+Z", false, Command::Undo},
    {Level::Item, u"重复", "Ctrl+Y", false, Command::Redo},
    {Level::Separator, nullptr, nullptr, true, kNone},
    {Level::Item, u"剪切", "Ctrl+X", false, Command::Cut},
    {Level::Item, u"复制", "Ctrl+C", false, Command::Copy},
    {Level::Item, u"粘贴", "Ctrl+V", true, Command::Paste},
    {Level::Separator, nullptr, nullptr, true, kNone},
    {Level::Item, u"全选", "Ctrl+A", true, Command::SelectAll},
    {Level::Item, u"清空", nullptr, true, Command::Clear},
    {Level::Menu, u"&R.运行", nullptr, true, kNone},
    {Level::Item, u"调试", "F5", true, Command::RunScript},
    {Level::Menu, u"&H.帮助", nullptr, true, kNone},
    {Level::Item, u"帮助文档", "F1", true, Command::OpenScriptGuide},
    {Level::Item, u"软件帮助", nullptr, true, Command::OpenProgramHelp},
    {Level::Submenu, u"皮肤", nullptr, true, kNone},
    {Level::SubmenuItem, u"QQ皮肤", nullptr, true, Command::SkinQQ},
    {Level::SubmenuItem, u"蓝色皮肤", nullptr, true, Command::SkinBlue},
    {Level::SubmenuItem, u"优雅皮肤", nullptr, true, Command::SkinElegant},
    {Level::Item, u"更新", nullptr, true, Command::CheckForUpdate},
}};

}  // namespace

MainMenu::MainMenu(QMenuBar* bar, const CommandTable& commands)
{
    QMenu* menu = nullptr;
    QMenu* submenu = nullptr;
    for (const MenuSpec& spec : kMenus) {
        QString caption = spec.caption ? QString::fromUtf16(spec.caption) : QString();
        switch (spec.level) {
        case Level::Menu: menu = bar->addMenu(caption); continue;
        case Level::Submenu: submenu = menu->addMenu(caption); continue;
        case Level::Separator: menu->addSeparator(); continue;
        case Level::Item:
        case Level::SubmenuItem: break;
        }
        QAction* item = (spec.level == Level::Item ? menu : submenu)->addAction(caption);
        if (spec.hotkey) item->setShortcut(QKeySequence(QString::fromLatin1(spec.hotkey)));
        item->setEnabled(spec.enabled);
        Command command = spec.command;
        QObject::connect(item, &QAction::triggered, item, [&commands, command] { commands.Run(command); });
        items_.insert(command, item);
    }
}
