#include "common/Gbk.h"

#include "textcodec/TextCodec.h"

std::optional<QString> DecodeGbk(const QByteArray& bytes)
{
    auto text = textcodec::DecodeGbk(std::string_view(bytes.constData(), size_t(bytes.size())));
    if (!text) return std::nullopt;
    return QString::fromStdU16String(*text);
}

GbkEncoding EncodeGbk(const QString& text)
{
    textcodec::EncodeResult r = textcodec::EncodeGbk(text.toStdU16String());
    GbkEncoding result;
    if (!r.ok()) {
        result.failedAt = qsizetype(r.failedAt);
        return result;
    }
    result.bytes = QByteArray(r.bytes.data(), qsizetype(r.bytes.size()));
    return result;
}
