#pragma once
// GBK at the edge of the programs: files and settings are GBK on disk,
// text inside is QString.
#include <QByteArray>
#include <QString>

#include <optional>

std::optional<QString> DecodeGbk(const QByteArray& bytes);

struct GbkEncoding {
    QByteArray bytes;
    qsizetype failedAt = -1;  // index of the first character GBK cannot hold
    bool ok() const { return failedAt < 0; }
};

// Never substitutes '?': a character GBK cannot hold fails the whole text.
GbkEncoding EncodeGbk(const QString& text);
