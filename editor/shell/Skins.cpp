#include "shell/Skins.h"

#include "common/ProgramFolder.h"

#include <QLibrary>

QString CurrentSkin;

namespace {

const QString kEngineFile = QStringLiteral("/SkinH_EL.so");

SkinEngine LoadEngine()
{
    static QLibrary library;
    library.setFileName(ProgramPath(kEngineFile));
    using Attach = int (*)();
    using AttachEx = int (*)(const char*, const char*);
    auto attach = reinterpret_cast<Attach>(library.resolve("SkinH_Attach"));
    auto attachEx = reinterpret_cast<AttachEx>(library.resolve("SkinH_Attach_Ex"));
    SkinEngine engine{[] {}, [](const QString&, const QString&) {}};
    if (attach) engine.attach = [attach] { attach(); };
    if (attachEx)
        engine.attachEx = [attachEx](const QString& file, const QString& password) {
            attachEx(file.toUtf8().constData(), password.toUtf8().constData());
        };
    return engine;
}

}  // namespace

SkinEngine& TheSkinEngine()
{
    static SkinEngine engine = LoadEngine();
    return engine;
}

QString SkinFilePath(const QString& name)
{
    return ProgramPath(QStringLiteral("/皮肤/") + name + QStringLiteral("/skinh.she"));
}

void ApplySkin(const QString& name)
{
    TheSkinEngine().attachEx(SkinFilePath(name), QString());
    CurrentSkin = name;
}

void ApplyStartupSkin(const QString& name)
{
    CurrentSkin = name;
    TheSkinEngine().attach();
    TheSkinEngine().attachEx(SkinFilePath(CurrentSkin), QString());
}

void ReleaseCurrentSkin() { CurrentSkin = QString(); }
