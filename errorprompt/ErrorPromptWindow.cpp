#include "errorprompt/ErrorPromptWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

constexpr int kArgumentCount = 3;
// The outer frame is 328 x 298 at 50, 50; this is its client area with a
// usual title bar and border.
constexpr QSize kClientSize(312, 260);

template <typename T>
T* Placed(T* widget, const char16_t* name, QRect geometry)
{
    widget->setObjectName(QString::fromUtf16(name));
    widget->setGeometry(geometry);
    return widget;
}

void AddLabel(QWidget* parent, const char16_t* name, const char16_t* text, QRect geometry)
{
    Placed(new QLabel(QString::fromUtf16(text), parent), name, geometry);
}

QLineEdit* AddLineBox(QWidget* parent, const char16_t* name, QRect geometry)
{
    auto* box = Placed(new QLineEdit(parent), name, geometry);
    box->setReadOnly(true);
    return box;
}

}  // namespace

ErrorPromptWindow::ErrorPromptWindow(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Korvane1.0"));
    move(50, 50);
    setFixedSize(kClientSize);
    AddLabel(this, u"标签1", u"错误代码:", {8, 16, 104, 24});
    code_ = AddLineBox(this, u"编辑框_错误代码", {8, 48, 288, 24});
    AddLabel(this, u"标签3", u"错误模块:", {8, 80, 104, 24});
    module_ = AddLineBox(this, u"编辑框_错误模块", {8, 112, 288, 24});
    AddLabel(this, u"标签2", u"错误文本:", {8, 154, 104, 24});
    text_ = Placed(new QPlainTextEdit(this), u"编辑框_错误文本", {8, 192, 288, 56});
    text_->setReadOnly(true);
}

bool ErrorPromptWindow::Fill(const QStringList& arguments)
{
    if (arguments.size() != kArgumentCount) return false;
    // The editor sends code, text, module; the window shows code, module, text.
    code_->setText(arguments[0]);
    text_->setPlainText(arguments[1]);
    module_->setText(arguments[2]);
    return true;
}
