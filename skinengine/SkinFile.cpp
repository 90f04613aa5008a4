#include "SkinFile.h"

#include <QMetaEnum>
#include <QStringList>

namespace {

bool SetRole(QPalette& palette, const QString& name, const QString& value)
{
    QPalette::ColorGroup group = QPalette::All;
    QString role = name;
    if (role.startsWith(QStringLiteral("Disabled."))) group = QPalette::Disabled;
    if (role.startsWith(QStringLiteral("Inactive."))) group = QPalette::Inactive;
    if (group != QPalette::All) role = role.mid(role.indexOf(u'.') + 1);
    bool ok = false;
    int r = QMetaEnum::fromType<QPalette::ColorRole>().keyToValue(role.toLatin1().constData(), &ok);
    QColor colour = QColor::fromString(value);
    if (!ok || !colour.isValid()) return false;
    palette.setColor(group, QPalette::ColorRole(r), colour);
    return true;
}

bool IsComment(const QString& line) { return line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'); }

}  // namespace

std::optional<Skin> ParseSkin(const QString& text, QString* error)
{
    auto fail = [&](int lineNumber, const QString& why) -> std::optional<Skin> {
        if (error) *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(why);
        return std::nullopt;
    };
    Skin skin;
    const QStringList lines = text.split(u'\n');
    bool inPalette = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line == QStringLiteral("[style]")) {
            skin.styleSheet = lines.mid(i + 1).join(u'\n');
            return skin;
        }
        if (line == QStringLiteral("[palette]")) {
            inPalette = true;
            continue;
        }
        if (IsComment(line)) continue;
        int eq = line.indexOf(u'=');
        if (!inPalette || eq < 0) return fail(i + 1, QStringLiteral("expected [palette], [style] or role = colour"));
        if (!SetRole(skin.palette, line.left(eq).trimmed(), line.mid(eq + 1).trimmed()))
            return fail(i + 1, QStringLiteral("unknown colour role or colour"));
    }
    return skin;
}
