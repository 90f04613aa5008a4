#include "core/StatusBar.h"

#include <QLabel>

#include <algorithm>
#include <array>

namespace {
struct PanelSpec {
    int width;  // -1: the rest of the bar
    const char16_t* text;
    const char16_t* widest = nullptr;  // the longest text it must show whole
};
constexpr std::array<PanelSpec, 8> kPanels{{
    {280, u""},
    {50, u"总行数:"},
    {50, u"", u"0000000"},
    {50, u"当前行:"},
    {50, u"", u"0000000"},
    {60, u"光标坐标:"},
    {-1, u""},
    {0, u"", u"UTF-16LE 无BOM · CRLF"},
}};
// The frame and a little air around the text.
constexpr int kPanelPadding = 10;

int PanelWidth(const PanelSpec& spec, const QLabel& panel)
{
    if (!spec.widest) return spec.width;
    return std::max(spec.width, panel.fontMetrics().horizontalAdvance(QString::fromUtf16(spec.widest)) + kPanelPadding);
}
}  // namespace

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    for (const PanelSpec& spec : kPanels) {
        auto* panel = new QLabel(QString::fromUtf16(spec.text), this);
        panel->setObjectName(QStringLiteral("面板%1").arg(panels_.size()));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (panels_.size() == kFormatPanel) {
            // At the right edge and kept whole when the window is narrow.
            panel->setFixedWidth(PanelWidth(spec, *panel));
            addPermanentWidget(panel);
        } else if (spec.width >= 0) {
            panel->setFixedWidth(PanelWidth(spec, *panel));
            addWidget(panel);
        } else {
            addWidget(panel, 1);
        }
        panels_.append(panel);
    }
}

QString StatusBar::PanelText(int index) const
{
    QLabel* panel = Panel(index);
    return panel ? panel->text() : QString();
}

void StatusBar::SetPanelText(int index, const QString& text)
{
    if (QLabel* panel = Panel(index)) panel->setText(text);
}

QLabel* StatusBar::Panel(int index) const
{
    return index >= 0 && index < panels_.size() ? panels_[index] : nullptr;
}
