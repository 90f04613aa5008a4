#include "run/ScriptDialogs.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
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
const QString kStop = QStringLiteral("停止");
constexpr int kInformation = 64;

// The 停止 button of every script dialog; the window behind stays blocked,
// the small running window does not.
QPushButton* AddStopButton(QDialog& dialog, QPushButton* button, const StopScript& stop)
{
    button->setObjectName(kStop);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, stop] {
        stop();
        dialog.reject();
    });
    return button;
}

// Shows the dialog over its window and waits until it is answered. Not
// QDialog::exec: a nested event loop returns at once once the program was
// asked to end, and this one must wait for the user all the same.
int RunModal(QDialog& dialog)
{
    dialog.setWindowModality(Qt::WindowModal);
    dialog.show();
    while (dialog.isVisible()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return dialog.result();
}

// Esc as the standard box has it, decided before 停止 joins the buttons:
// Cancel, else the only button, else No.
QAbstractButton* EscapeButton(const QMessageBox& box)
{
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel)) return cancel;
    if (box.buttons().size() == 1) return box.buttons().first();
    return box.button(QMessageBox::No);
}

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

int ShowMsgBox(QWidget* parent, const QString& prompt, int style, const QString& title, const StopScript& stop)
{
    QMessageBox box(IconFor(style), title.isEmpty() ? kDefaultTitle : title, prompt, QMessageBox::NoButton, parent);
    const std::vector<Button> buttons = ButtonsFor(style);
    for (const Button& b : buttons) box.addButton(b.first);
    const std::size_t preferred = std::size_t((style & kDefaultMask) >> 8);
    box.setDefaultButton(buttons[preferred < buttons.size() ? preferred : 0].first);
    // As on Windows: Esc and the close box answer Cancel, or OK when it is
    // the only button.
    if (QAbstractButton* escape = EscapeButton(box)) box.setEscapeButton(escape);
    AddStopButton(box, box.addButton(kStop, QMessageBox::ActionRole), stop);
    RunModal(box);
    for (const Button& b : buttons)
        if (box.clickedButton() == box.button(b.first)) return b.second;
    return buttons.front().second;
}

std::optional<QString> ShowInputBox(QWidget* parent, const QString& prompt, const QString& title,
                                    const QString& defaultText, const StopScript& stop)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title.isEmpty() ? kDefaultTitle : title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // Naming the buttons makes the dialog build its button row now.
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (auto* box = dialog.findChild<QDialogButtonBox*>())
        AddStopButton(dialog, box->addButton(kStop, QDialogButtonBox::ActionRole), stop);
    if (RunModal(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

void ShowEcho(QWidget* parent, const QString& text, const StopScript& stop)
{
    ShowMsgBox(parent, text, kInformation, QStringLiteral("Quillon"), stop);
}

ScriptDialogs Defaults() { return {ShowMsgBox, ShowInputBox, ShowEcho}; }

}  // namespace

ScriptDialogs& TheScriptDialogs()
{
    static ScriptDialogs dialogs = Defaults();
    return dialogs;
}

void RestoreDefaultScriptDialogs() { TheScriptDialogs() = Defaults(); }
