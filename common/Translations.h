#pragma once

// Qt's own texts (dialog buttons such as 是/否, the file dialog) in Chinese,
// whatever the system's language: the programs speak Chinese throughout.
void InstallChineseTranslations();
