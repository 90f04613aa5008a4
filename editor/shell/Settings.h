#pragma once
// The settings file: window placement and skin, section 界面 of
// 数据库/软件设置.ini in the program folder. When the program folder cannot
// be written (an installed copy), the file lives in the user's configuration
// folder instead, so that nothing the user chose is lost.
#include <QList>
#include <QRect>
#include <QString>

// The two boundaries the user drags: the help tree's width and the height
// of the page control below the editor.
struct PaneSizes {
    int treeWidth = 160;
    int pageHeight = 168;
};

struct WindowSettings {
    int left = 800;
    int top = 400;
    int height = 600;
    int width = 400;
    QString skin = QStringLiteral("QQ皮肤");
    bool placementValid = true;  // false when a stored value was not a number
    PaneSizes panes;             // a value that is not a number gives the default
};

WindowSettings ReadSettings();
void WriteSettings(int left, int top, int height, int width, const QString& skin, const PaneSizes& panes = {});

// The file that ReadSettings reads now.
QString SettingsPath();

// Where the window goes: the stored placement, or the default one when the
// stored one is not a number or smaller than 100 either way; then moved,
// and shrunk only when the screen is smaller, to lie whole inside the
// available area of the screen that shows most of it (the primary one,
// screens[0], when none does).
QRect VisiblePlacement(const WindowSettings& settings, const QList<QRect>& screens);
