#include "update/UpdateCheck.h"

#include "common/Manifest.h"
#include "common/ProgramFolder.h"
#include "common/ProgramNames.h"
#include "core/Prompts.h"
#include "update/HttpFetch.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>

#include <cmath>

namespace {

const QString kPromptTitle = QStringLiteral("更新");
const QString kServerBusy = QStringLiteral("服务器忙,你稍后升级!");
const QString kLatestVersion = QStringLiteral("当前为最新版本");
// The first path segment is 在线更新 in GBK, percent-encoded byte by byte.
constexpr char kManifestPath[] = "/%D4%DA%CF%DF%B8%FC%D0%C2/up.xml";

bool WriteManifest(const QString& path, const QByteArray& body)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(body) != body.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace

QString ManifestUrl()
{
    const QString custom = qEnvironmentVariable(kManifestUrlVariable);
    if (!custom.isEmpty()) return custom;
    return QStringLiteral("http://") + QString::fromLatin1(kUpdateHost) + QString::fromLatin1(kManifestPath);
}

double ManifestVersion(const QString& text)
{
    bool ok = false;
    const float version = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(version)) return std::nan("");
    return double(version);
}

void CheckForUpdate(QWidget* window, const MayEndProgram& mayEndProgram, const EndProgramFn& endProgram)
{
    const QString editor = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    CheckForUpdate(window, editor, mayEndProgram, endProgram);
}

void CheckForUpdate(QWidget* window, const QString& editorFileName, const MayEndProgram& mayEndProgram,
                    const EndProgramFn& endProgram)
{
    const QByteArray body = HttpFetch(ManifestUrl());
    if (!HasManifestFirstLine(body)) {
        UserPrompts().inform(window, kPromptTitle, kServerBusy);
        return;
    }
    const QString local = ProgramPath(kManifestFile);
    if (!WriteManifest(local, body)) return;

    const double version = ManifestVersion(ReadManifestValue(local, kManifestVersionName));
    // A NaN compares false, so a missing or broken version is "not newer".
    if (!(version - CurrentVersion > VersionEpsilon)) {
        UserPrompts().inform(window, kPromptTitle, kLatestVersion);
        return;
    }
    // Ending the editor must not lose the document: the save question first.
    if (mayEndProgram && !mayEndProgram()) return;
    // One argv entry, so a file name with spaces arrives whole.
    const QString upgrader = ProgramPath(QStringLiteral("/") + kUpgraderProgram);
    if (QProcess::startDetached(upgrader, {editorFileName}, ProgramFolder())) endProgram();
}
