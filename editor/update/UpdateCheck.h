#pragma once
// The menu command 更新: fetch the manifest, keep it as up.xml, and when the
// server has a newer version start Vantrel and end the editor.
#include <QString>

#include <functional>

class QWidget;

// Asked only once an update is there: true when the editor may end (nothing
// unsaved is lost); false (Cancel on the save question) abandons the update.
using MayEndProgram = std::function<bool()>;
using EndProgramFn = std::function<void()>;

inline constexpr double CurrentVersion = 1.0;
inline constexpr double VersionEpsilon = 1e-07;

// The update server; the environment variable replaces the whole manifest
// address, for tests and private mirrors.
inline constexpr char kUpdateHost[] = "update.quillon.example";
inline constexpr char kManifestUrlVariable[] = "QUILLON_MANIFEST_URL";
QString ManifestUrl();

void CheckForUpdate(QWidget* window, const MayEndProgram& mayEndProgram, const EndProgramFn& endProgram);

// The same check with the editor's executable file name given; the one above
// passes the running program's own.
void CheckForUpdate(QWidget* window, const QString& editorFileName, const MayEndProgram& mayEndProgram,
                    const EndProgramFn& endProgram);

// "1.1" and other number texts as single precision, widened; NaN when the
// text is not a finite number.
double ManifestVersion(const QString& text);
