#pragma once
// The one document being edited: its own file, whether it changed since it
// was last stored, and how that file is stored. The window owns it; the
// text itself lives in the code editor.
#include "textcodec/TextCodec.h"

#include <QString>

struct Document {
    // The user changed the text since it was last known to be stored or new.
    bool DocumentModified = false;
    // The next 保存 asks for a file name (armed by 新建).
    bool AskNameOnNextSave = false;
    // The document's own file; empty while it has none (at start-up, after 新建).
    QString Path;
    // How that file was stored; saving keeps it.
    textcodec::ScriptEncoding Encoding = textcodec::ScriptEncoding::Gbk;
};
