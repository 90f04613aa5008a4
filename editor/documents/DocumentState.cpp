#include "documents/DocumentState.h"

bool DocumentModified = false;
bool AskNameOnNextSave = false;
QString DocumentPath;
textcodec::ScriptEncoding DocumentEncoding = textcodec::ScriptEncoding::Gbk;

void ResetDocumentState()
{
    DocumentModified = false;
    AskNameOnNextSave = false;
    DocumentPath.clear();
    DocumentEncoding = textcodec::ScriptEncoding::Gbk;
}
