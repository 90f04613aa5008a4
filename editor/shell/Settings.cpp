#include "shell/Settings.h"

#include "common/IniFile.h"
#include "common/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const QString kSection = QStringLiteral("界面");
const QString kLeft = QStringLiteral("左边");
const QString kTop = QStringLiteral("顶边");
const QString kHeight = QStringLiteral("高度");
const QString kWidth = QStringLiteral("宽度");
const QString kSkin = QStringLiteral("皮肤");
const QString kTreeWidth = QStringLiteral("帮助树宽度");
const QString kPageHeight = QStringLiteral("选择夹高度");
const QString kRelativePath = QStringLiteral("/数据库/软件设置.ini");
constexpr int kSmallest = 100;

QString ProgramSettingsPath() { return ProgramPath(kRelativePath); }

QString UserSettingsPath()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Quillon/软件设置.ini");
}

bool ProgramFolderWritable()
{
    QFileInfo folder(QFileInfo(ProgramSettingsPath()).path());
    QFileInfo file(ProgramSettingsPath());
    return folder.isDir() && folder.isWritable() && (!file.exists() || file.isWritable());
}

// The leading number of a text, as GetPrivateProfileInt reads it: "120.9"
// is 120; a text without digits is no number.
std::optional<int> WholeNumber(const QString& text)
{
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    long long value = 0;
    int digits = 0;
    for (; i < text.size() && text[i].isDigit() && digits < 10; ++i, ++digits) value = value * 10 + text[i].digitValue();
    if (digits == 0) return std::nullopt;
    return int(std::clamp(negative ? -value : value, (long long)INT_MIN, (long long)INT_MAX));
}

// The left edge is read as a number first and then truncated toward zero.
std::optional<int> TruncatedNumber(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && (text[end].isDigit() || QStringLiteral("+-.eE").contains(text[end]))) ++end;
    for (; end > 0; --end) {
        bool ok = false;
        double value = text.left(end).toDouble(&ok);
        if (ok && std::isfinite(value)) return int(std::clamp(std::trunc(value), double(INT_MIN), double(INT_MAX)));
    }
    return std::nullopt;
}

}  // namespace

QString SettingsPath()
{
    if (!ProgramFolderWritable() && QFileInfo::exists(UserSettingsPath())) return UserSettingsPath();
    return ProgramSettingsPath();
}

WindowSettings ReadSettings()
{
    const IniFile ini = IniFile::Load(SettingsPath());
    WindowSettings s;
    // A missing key, and a present but empty one, give the default.
    auto text = [&](const QString& key) -> std::optional<QString> {
        auto v = ini.Value(kSection, key);
        return v && !v->isEmpty() ? v : std::nullopt;
    };
    auto number = [&](const QString& key, int& target, auto convert) {
        if (auto t = text(key)) {
            if (auto n = convert(*t)) target = *n;
            else s.placementValid = false;
        }
    };
    number(kLeft, s.left, TruncatedNumber);
    number(kTop, s.top, WholeNumber);
    number(kHeight, s.height, WholeNumber);
    number(kWidth, s.width, WholeNumber);
    if (auto skin = text(kSkin)) s.skin = *skin;
    auto size = [&](const QString& key, int& target) {
        if (auto t = text(key))
            if (auto n = WholeNumber(*t); n && *n >= 0) target = *n;
    };
    size(kTreeWidth, s.panes.treeWidth);
    size(kPageHeight, s.panes.pageHeight);
    return s;
}

void WriteSettings(int left, int top, int height, int width, const QString& skin, const PaneSizes& panes)
{
    auto writeTo = [&](const QString& path) {
        IniFile ini = IniFile::Load(path);
        ini.SetValue(kSection, kLeft, QString::number(left));
        ini.SetValue(kSection, kTop, QString::number(top));
        ini.SetValue(kSection, kHeight, QString::number(height));
        ini.SetValue(kSection, kWidth, QString::number(width));
        ini.SetValue(kSection, kSkin, skin);
        ini.SetValue(kSection, kTreeWidth, QString::number(panes.treeWidth));
        ini.SetValue(kSection, kPageHeight, QString::number(panes.pageHeight));
        return ini.Save(path);
    };
    if (ProgramFolderWritable() && writeTo(ProgramSettingsPath())) return;
    QDir().mkpath(QFileInfo(UserSettingsPath()).path());
    writeTo(UserSettingsPath());
}

QRect VisiblePlacement(const WindowSettings& s, const QList<QRect>& screens)
{
    const WindowSettings defaults;
    const bool usable = s.placementValid && s.width >= kSmallest && s.height >= kSmallest;
    QRect placement = usable ? QRect(s.left, s.top, s.width, s.height)
                             : QRect(defaults.left, defaults.top, defaults.width, defaults.height);
    if (screens.isEmpty()) return placement;
    // The screen that shows most of it; the primary one when none does.
    auto shown = [&](const QRect& screen) {
        const QRect part = placement.intersected(screen);
        return qint64(part.width()) * part.height();
    };
    QRect screen = screens.first();
    for (const QRect& candidate : screens)
        if (shown(candidate) > shown(screen)) screen = candidate;
    // Whole on that screen: moved, and shrunk only where the screen is smaller.
    placement.setSize(placement.size().boundedTo(screen.size()));
    placement.moveLeft(std::clamp(placement.left(), screen.left(), screen.right() - placement.width() + 1));
    placement.moveTop(std::clamp(placement.top(), screen.top(), screen.bottom() - placement.height() + 1));
    return placement;
}
