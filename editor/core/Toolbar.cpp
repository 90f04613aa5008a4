#include "core/Toolbar.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <array>

// Resources of a static library must be registered by hand.
static void RegisterIcons() { Q_INIT_RESOURCE(icons); }

namespace {

struct ButtonSpec {
    const char16_t* caption;  // nullptr: a separator
    int image;
    bool enabled;
};

// Index order is the button's address; 重复 stands before 撤销 here.
constexpr std::array<ButtonSpec, 14> kButtons{{
    {nullptr, -1, true},
    {u"新建", 0, true},
    {u"打开", 1, true},
    {u"保存", 2, true},
    {nullptr, -1, true},
    {u"剪切", 3, false},
    {u"复制", 4, false},
    {u"粘贴", 5, true},
    {u"重复", 7, false},
    {u"撤销", 8, false},
    {u"清空", 9, true},
    {nullptr, -1, true},
    {u"运行", 13, true},
    {u"帮助", 16, true},
}};

// The image list has 17 places; the buttons use these. Our artwork is
// square, so the images are 16 x 16.
const char* ImageFile(int image)
{
    switch (image) {
    case 0: return ":/icons/new.svg";
    case 1: return ":/icons/open.svg";
    case 2: return ":/icons/save.svg";
    case 3: return ":/icons/cut.svg";
    case 4: return ":/icons/copy.svg";
    case 5: return ":/icons/paste.svg";
    case 7: return ":/icons/redo.svg";
    case 8: return ":/icons/undo.svg";
    case 9: return ":/icons/clear.svg";
    case 13: return ":/icons/run.svg";
    case 16: return ":/icons/help.svg";
    default: return nullptr;
    }
}

constexpr QSize kImageSize(16, 16);

QPixmap Render(QSvgRenderer& svg, qreal scale)
{
    QPixmap pixmap(kImageSize * scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    svg.render(&painter);
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

QIcon ImageIcon(int image)
{
    const char* file = ImageFile(image);
    if (!file) return {};
    QSvgRenderer svg{QString::fromLatin1(file)};
    if (!svg.isValid()) return {};
    QIcon icon;
    icon.addPixmap(Render(svg, 1));
    icon.addPixmap(Render(svg, 2));
    return icon;
}

}  // namespace

Toolbar::Toolbar(QWidget* parent) : QToolBar(parent)
{
    RegisterIcons();
    setMovable(false);
    setFloatable(false);
    setIconSize(kImageSize);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ButtonSpec& spec : kButtons) {
        int index = int(buttons_.size());
        QAction* action = spec.caption ? addAction(ImageIcon(spec.image), QString::fromUtf16(spec.caption))
                                       : addSeparator();
        action->setEnabled(spec.enabled);
        connect(action, &QAction::triggered, this, [this, index] { emit ButtonClicked(index); });
        if (QWidget* button = widgetForAction(action)) button->installEventFilter(this);
        buttons_.append(action);
    }
}

QString Toolbar::ButtonCaption(int index) const
{
    QAction* action = ButtonAction(index);
    return action && !action->isSeparator() ? action->text() : QString();
}

bool Toolbar::IsButtonEnabled(int index) const
{
    QAction* action = ButtonAction(index);
    return action && action->isEnabled();
}

void Toolbar::SetButtonEnabled(int index, bool enabled)
{
    if (QAction* action = ButtonAction(index)) action->setEnabled(enabled);
}

QAction* Toolbar::ButtonAction(int index) const
{
    return index >= 0 && index < buttons_.size() ? buttons_[index] : nullptr;
}

bool Toolbar::eventFilter(QObject* watched, QEvent* event)
{
    // The buttons have empty hint texts; Qt would show the caption instead.
    if (event->type() == QEvent::ToolTip) return true;
    return QToolBar::eventFilter(watched, event);
}
