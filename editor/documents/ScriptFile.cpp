#include "documents/ScriptFile.h"

#include <QFile>
#include <QSaveFile>

std::optional<ScriptFileContent> ReadScriptFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return std::nullopt;
    auto decoded = textcodec::DecodeScriptFile(std::string_view(bytes.constData(), size_t(bytes.size())));
    if (!decoded) return std::nullopt;
    return ScriptFileContent{QString::fromStdU16String(decoded->text), decoded->encoding};
}

namespace {
ScriptWriteResult Unencodable(const QString& text, qsizetype index)
{
    ScriptWriteResult r;
    r.status = ScriptWriteResult::Unencodable;
    bool pair = index + 1 < text.size() && text[index].isHighSurrogate() && text[index + 1].isLowSurrogate();
    r.unencodableCharacter = text.mid(index, pair ? 2 : 1);
    r.unencodableLine = int(text.left(index).count(u'\n')) + 1;
    return r;
}
}  // namespace

ScriptWriteResult WriteScriptFile(const QString& path, const QString& text, ScriptEncoding encoding)
{
    textcodec::EncodeResult encoded = textcodec::EncodeScriptFile(text.toStdU16String(), encoding);
    if (!encoded.ok()) return Unencodable(text, qsizetype(encoded.failedAt));
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly) &&
                   file.write(encoded.bytes.data(), qint64(encoded.bytes.size())) == qint64(encoded.bytes.size()) &&
                   file.commit();
    ScriptWriteResult r;
    if (!written) r.status = ScriptWriteResult::WriteFailed;
    return r;
}
