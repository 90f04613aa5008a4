#pragma once
#include <QPalette>
#include <QString>

#include <optional>

struct Skin {
    QPalette palette;
    QString styleSheet;
};

// nullopt for a malformed file; error says why.
std::optional<Skin> ParseSkin(const QString& text, QString* error = nullptr);
