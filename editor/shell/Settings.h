#pragma once
// The settings file: window placement and skin, section 界面 of
// 数据库/软件设置.ini in the program folder. When the program folder cannot
// be written (an installed copy), the file lives in the user's configuration
// folder instead, so that nothing the user chose is lost.
#include <QList>
#include <QRect>
#include <QString>

struct WindowSettings {
    int left = 800;
    int top = 400;
    int height = 600;
    int width = 400;
    QString skin = QStringLiteral("QQ皮肤");
    bool placementValid = true;  // false when a stored value was not a number
};

WindowSettings ReadSettings();
void WriteSettings(int left, int top, int height, int width, const QString& skin);

// The file that ReadSettings reads now.
QString SettingsPath();

// A placement that would hide the window (smaller than 100 either way, not a
// number, or off every screen) becomes the default one, moved onto the
// primary screen. screens[0] is the primary screen's available area.
QRect VisiblePlacement(const WindowSettings& settings, const QList<QRect>& screens);
