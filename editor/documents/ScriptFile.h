#pragma once
// Script files on disk: GBK without a mark, or UTF-8 / UTF-16 as their mark
// or their bytes say; written back the way they were read, atomically.
#include "textcodec/TextCodec.h"

#include <QString>

#include <optional>

using textcodec::ScriptEncoding;

struct ScriptFileContent {
    QString text;
    ScriptEncoding encoding = ScriptEncoding::Gbk;
};

// nullopt when the file cannot be read or its bytes fit no encoding we know.
std::optional<ScriptFileContent> ReadScriptFile(const QString& path);

struct ScriptWriteResult {
    enum Status { Written, Unencodable, WriteFailed } status = Written;
    QString unencodableCharacter;  // with Unencodable: the first such character
    int unencodableLine = 0;       // its line, counted from 1
    bool ok() const { return status == Written; }
};

// Nothing is written unless the whole text can be stored; a failed write
// leaves an existing file as it was.
ScriptWriteResult WriteScriptFile(const QString& path, const QString& text, ScriptEncoding encoding);
