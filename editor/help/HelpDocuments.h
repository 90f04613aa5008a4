#pragma once
// The two help documents in 帮助文档, opened with the desktop's registered
// viewer; the program keeps no handle to it.

// The VBScript guide: menu 帮助文档, F1 and the toolbar's 帮助.
void OpenScriptGuide();
// The program's own help: menu 软件帮助.
void OpenProgramHelp();
