#include "documents/ScriptDialogs.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <array>
#include <utility>

namespace {

// MsgBox's values: buttons in the low bits, then the icon and the default.
constexpr int kButtonsMask = 0x7;
constexpr int kIconMask = 0x70;
constexpr int kDefaultMask = 0x300;
const QString kDefaultTitle = QStringLiteral("VBScript");

using Button = std::pair<QMessageBox::StandardButton, int>;  // Qt's button, vb value

std::vector<Button> ButtonsFor(int style)
{
    constexpr int vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7;
    switch (style & kButtonsMask) {
    case 1: return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
    case 2: return {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
    case 3: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
    case 4: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
    case 5: return {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
    default: return {{QMessageBox::Ok, vbOK}};
    }
}

QMessageBox::Icon IconFor(int style)
{
    switch (style & kIconMask) {
    case 16: return QMessageBox::Critical;
    case 32: return QMessageBox::Question;
    case 48: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int ShowMsgBox(QWidget* parent, const QString& prompt, int style, const QString& title)
{
    QMessageBox box(IconFor(style), title.isEmpty() ? kDefaultTitle : title, prompt, QMessageBox::NoButton, parent);
    const std::vector<Button> buttons = ButtonsFor(style);
    for (const Button& b : buttons) box.addButton(b.first);
    const std::size_t preferred = std::size_t((style & kDefaultMask) >> 8);
    box.setDefaultButton(buttons[preferred < buttons.size() ? preferred : 0].first);
    // As on Windows: Esc and the close box answer Cancel, or OK when it is
    // the only button; boxes without either cannot be closed that way.
    box.exec();
    for (const Button& b : buttons)
        if (box.clickedButton() == box.button(b.first)) return b.second;
    return buttons.front().second;
}

std::optional<QString> ShowInputBox(QWidget* parent, const QString& prompt, const QString& title,
                                    const QString& defaultText)
{
    bool ok = false;
    QString text = QInputDialog::getText(parent, title.isEmpty() ? kDefaultTitle : title, prompt, QLineEdit::Normal,
                                         defaultText, &ok);
    if (!ok) return std::nullopt;
    return text;
}

void ShowEcho(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QStringLiteral("Quillon"), text);
}

ScriptDialogs Defaults() { return {ShowMsgBox, ShowInputBox, ShowEcho}; }

}  // namespace

ScriptDialogs& TheScriptDialogs()
{
    static ScriptDialogs dialogs = Defaults();
    return dialogs;
}

void RestoreDefaultScriptDialogs() { TheScriptDialogs() = Defaults(); }
