#pragma once
// Skins: the calls into the skin engine and the bookkeeping of CurrentSkin.
#include <QString>

#include <functional>

// The name of the skin last applied (a folder under 皮肤).
extern QString CurrentSkin;

// The skin engine library, loaded once from the program folder by its file
// name. Without it the program runs unskinned and the calls do nothing.
struct SkinEngine {
    std::function<void()> attach;
    std::function<void(const QString& skinFile, const QString& password)> attachEx;
};
SkinEngine& TheSkinEngine();

QString SkinFilePath(const QString& name);

// A skin menu command: the engine first, then CurrentSkin.
void ApplySkin(const QString& name);

// At start-up, with the name read from the settings.
void ApplyStartupSkin(const QString& name);

void ReleaseCurrentSkin();
