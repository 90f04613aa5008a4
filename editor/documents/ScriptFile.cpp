#include "documents/ScriptFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdlib>

#include <unistd.h>

namespace {

QString FromUtf16(const std::u16string& text) { return QString::fromStdU16String(text); }

ScriptFileContent Content(QString text, ScriptEncoding encoding)
{
    LineEnd lineEnd = DominantLineEnd(text);
    return {std::move(text), encoding, lineEnd};
}

std::string_view View(const QByteArray& bytes) { return {bytes.constData(), size_t(bytes.size())}; }

// errno right after the failed call; Qt keeps the error text only in English.
FileFailure LastFailure(const QFileDevice& file, int error)
{
    if (file.error() == QFileDevice::ResourceError) return {FileFailure::DiskFull, file.errorString()};
    return FailureFromErrno(error, file.errorString());
}

// What is wrong with the path itself, before the file is touched.
FileFailure PathFailure(const QString& path)
{
    if (QFileInfo(path).isDir()) return {FileFailure::IsFolder, {}};
    if (!QFileInfo(QFileInfo(path).absolutePath()).isDir()) return {FileFailure::FolderMissing, {}};
    return {};
}

// Why a new file cannot be made in a folder: errno of a real try (0: it can).
// The save file's own errno is gone by the time it reports.
int CreateError(const QString& path)
{
    QByteArray probe = QFile::encodeName(QFileInfo(path).absolutePath() + QStringLiteral("/.quillon-XXXXXX"));
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return errno;
    ::close(fd);
    ::unlink(probe.constData());
    return 0;
}

ScriptWriteResult Unencodable(const QString& text, qsizetype index)
{
    ScriptWriteResult r;
    r.status = ScriptWriteResult::Unencodable;
    bool pair = index + 1 < text.size() && text[index].isHighSurrogate() && text[index + 1].isLowSurrogate();
    r.unencodableCharacter = text.mid(index, pair ? 2 : 1);
    r.unencodableLine = int(text.left(index).count(u'\n')) + 1;
    return r;
}

ScriptWriteResult WriteFailed(FileFailure failure)
{
    ScriptWriteResult r;
    r.status = ScriptWriteResult::WriteFailed;
    r.failure = std::move(failure);
    return r;
}

}  // namespace

LineEnd DominantLineEnd(const QString& text)
{
    qsizetype crlf = 0, lf = 0, cr = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++crlf, ++i;
        else if (text[i] == u'\n') ++lf;
        else if (text[i] == u'\r') ++cr;
    }
    if (lf > crlf && lf >= cr) return LineEnd::Lf;
    if (cr > crlf && cr > lf) return LineEnd::Cr;
    return LineEnd::CrLf;
}

QString LineEndName(LineEnd lineEnd)
{
    switch (lineEnd) {
    case LineEnd::Lf: return QStringLiteral("LF");
    case LineEnd::Cr: return QStringLiteral("CR");
    case LineEnd::CrLf: break;
    }
    return QStringLiteral("CRLF");
}

FileFailure FailureFromErrno(int error, const QString& detail)
{
    switch (error) {
    case ENOENT: return {FileFailure::NotFound, {}};
    case ENOTDIR: return {FileFailure::FolderMissing, {}};
    case EACCES:
    case EPERM:
    case EROFS: return {FileFailure::PermissionDenied, {}};
    case ENOSPC:
    case EDQUOT: return {FileFailure::DiskFull, {}};
    case EISDIR: return {FileFailure::IsFolder, {}};
    default: return {FileFailure::Other, detail};
    }
}

QString FailureText(const FileFailure& failure)
{
    switch (failure.reason) {
    case FileFailure::None: return {};
    case FileFailure::NotFound: return QStringLiteral("文件不存在。");
    case FileFailure::FolderMissing: return QStringLiteral("文件夹不存在。");
    case FileFailure::PermissionDenied: return QStringLiteral("没有权限（拒绝访问）。");
    case FileFailure::DiskFull: return QStringLiteral("磁盘已满。");
    case FileFailure::IsFolder: return QStringLiteral("这是一个文件夹，不是文件。");
    case FileFailure::NotText:
        return failure.detail.isEmpty() ? QStringLiteral("文件不是 GBK、UTF-8 或 UTF-16 编码的文本。") : failure.detail;
    case FileFailure::Other: break;
    }
    return failure.detail.isEmpty() ? QStringLiteral("未知错误。") : QStringLiteral("系统错误：") + failure.detail;
}

ScriptReadResult ReadScriptFile(const QString& path)
{
    ScriptReadResult result;
    result.failure = PathFailure(path);
    if (result.failure.reason != FileFailure::None) return result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.failure = LastFailure(file, errno);
        return result;
    }
    errno = 0;
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.failure = LastFailure(file, errno);
        result.bytes.clear();
        return result;
    }
    auto decoded = textcodec::DecodeScriptFile(View(result.bytes));
    if (!decoded) {
        result.failure = {FileFailure::NotText, {}};
        return result;
    }
    result.content = Content(FromUtf16(decoded->text), decoded->encoding);
    return result;
}

std::optional<ScriptFileContent> DecodeScriptBytes(const QByteArray& bytes, ScriptEncoding encoding)
{
    auto text = textcodec::DecodeScriptFileAs(View(bytes), encoding);
    if (!text) return std::nullopt;
    return Content(FromUtf16(*text), encoding);
}

ScriptWriteResult WriteScriptFile(const QString& path, const QString& text, ScriptEncoding encoding)
{
    textcodec::EncodeResult encoded = textcodec::EncodeScriptFile(text.toStdU16String(), encoding);
    if (!encoded.ok()) return Unencodable(text, qsizetype(encoded.failedAt));
    if (FileFailure failure = PathFailure(path); failure.reason != FileFailure::None) return WriteFailed(failure);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        const int error = CreateError(path);
        return WriteFailed(error ? FailureFromErrno(error, file.errorString()) : FileFailure{FileFailure::Other, file.errorString()});
    }
    errno = 0;
    const qint64 size = qint64(encoded.bytes.size());
    if (file.write(encoded.bytes.data(), size) != size) return WriteFailed(LastFailure(file, errno));
    if (!file.commit()) return WriteFailed(LastFailure(file, errno));
    return {};
}
