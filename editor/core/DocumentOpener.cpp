#include "core/DocumentOpener.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace {

const QString kDesktopOpener = QStringLiteral("xdg-open");
const QStringList kViewers{QStringLiteral("xchm"), QStringLiteral("kchmviewer")};

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// The first viewer found on PATH that starts; false when none does.
bool StartViewer(const QString& path)
{
    for (const QString& viewer : kViewers) {
        const QString program = QStandardPaths::findExecutable(viewer);
        if (!program.isEmpty() && QProcess::startDetached(program, {path})) return true;
    }
    return false;
}

QString MissingMessage(const QString& path, bool openerTried)
{
    const QString why = openerTried ? QStringLiteral("%1 没能打开它，也没有找到 CHM 阅读器 %2。请安装 xchm。")
                                    : QStringLiteral("没有找到 %1，也没有找到 CHM 阅读器 %2。请安装 xdg-utils 或 xchm。");
    return QStringLiteral("无法打开帮助文档 %1：\n").arg(Native(path)) + why.arg(kDesktopOpener, kViewers.join(QStringLiteral(" 或 ")));
}

void FallBack(const QString& path, bool openerTried, const std::function<void(const QString&)>& onFailure)
{
    if (!StartViewer(path)) onFailure(MissingMessage(path, openerTried));
}

}  // namespace

void OpenDocumentWithDesktop(const QString& path, std::function<void(const QString& message)> onFailure)
{
    if (!QFileInfo(path).isFile()) {
        onFailure(QStringLiteral("找不到帮助文档 %1。").arg(Native(path)));
        return;
    }
    const QString opener = QStandardPaths::findExecutable(kDesktopOpener);
    if (opener.isEmpty()) {
        FallBack(path, false, onFailure);
        return;
    }
    // The opener tells by its exit code whether the desktop could open the
    // file; the process deletes itself when it is done.
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments({path});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto done = [process, path, onFailure](bool opened) {
        if (!opened) FallBack(path, true, onFailure);
        process->deleteLater();
    };
    QObject::connect(process, &QProcess::finished, process, [done](int code, QProcess::ExitStatus status) {
        done(status == QProcess::NormalExit && code == 0);
    });
    QObject::connect(process, &QProcess::errorOccurred, process, [done](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) done(false);
    });
    process->start();
}
