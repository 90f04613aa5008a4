#pragma once
// Script files on disk: the encoding their mark or their bytes say (GBK when
// in doubt), or one the user picks; written back the way they were read,
// atomically. Every failure says why.
#include "documents/LineEnd.h"
#include "textcodec/TextCodec.h"

#include <QByteArray>
#include <QString>

#include <optional>

using textcodec::ScriptEncoding;

// The line end most lines of the text use; CR LF when there is none.
LineEnd DominantLineEnd(const QString& text);
QString LineEndName(LineEnd lineEnd);  // "CRLF", "LF", "CR"

struct FileFailure {
    enum Reason {
        None,
        NotFound,
        FolderMissing,
        PermissionDenied,
        DiskFull,
        IsFolder,
        NotText,  // the bytes fit no encoding tried (detail: which one, if picked)
        Other,
    } reason = None;
    QString detail;  // the system's own words, for Other
};

// The reason in a sentence, in Chinese.
QString FailureText(const FileFailure& failure);
// The reason for an errno value.
FileFailure FailureFromErrno(int error, const QString& detail = {});

struct ScriptFileContent {
    QString text;
    ScriptEncoding encoding = ScriptEncoding::Gbk;
    LineEnd lineEnd = LineEnd::CrLf;
};

struct ScriptReadResult {
    std::optional<ScriptFileContent> content;  // nullopt on failure
    FileFailure failure;
    QByteArray bytes;  // what was read, for another try in a picked encoding
};

ScriptReadResult ReadScriptFile(const QString& path);
// The bytes of a read in the one encoding given.
std::optional<ScriptFileContent> DecodeScriptBytes(const QByteArray& bytes, ScriptEncoding encoding);

struct ScriptWriteResult {
    enum Status { Written, Unencodable, WriteFailed } status = Written;
    QString unencodableCharacter;  // with Unencodable: the first such character
    int unencodableLine = 0;       // its line, counted from 1
    FileFailure failure;           // with WriteFailed
    bool ok() const { return status == Written; }
};

// Nothing is written unless the whole text can be stored; a failed write
// leaves an existing file as it was.
ScriptWriteResult WriteScriptFile(const QString& path, const QString& text, ScriptEncoding encoding);
