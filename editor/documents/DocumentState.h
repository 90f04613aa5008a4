#pragma once
// The program-wide state of the one document being edited.
#include "textcodec/TextCodec.h"

#include <QString>

// The user changed the text since it was last known to be stored or new.
extern bool DocumentModified;
// The next 保存 asks for a file name (armed by 新建).
extern bool AskNameOnNextSave;
// The document's own file; empty while it has none (at start-up, after 新建).
extern QString DocumentPath;
// How that file was stored; saving keeps it.
extern textcodec::ScriptEncoding DocumentEncoding;

void ResetDocumentState();
