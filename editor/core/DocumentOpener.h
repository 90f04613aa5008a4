#pragma once
// Opens a help document the way the desktop would, without depending on one:
// the desktop's opener (xdg-open) first, then a CHM viewer started directly,
// and when neither is there a message that names what to install.
#include <QString>

#include <functional>

// onFailure gets the message for the user; it may come after this returns,
// once the desktop's opener has given up.
void OpenDocumentWithDesktop(const QString& path, std::function<void(const QString& message)> onFailure);
