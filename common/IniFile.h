#pragma once
// A Windows-style INI file, GBK on disk. Reading tolerates CR LF or LF,
// blanks around "=", and missing files, sections and keys; writing changes
// only the keys it sets and keeps every other line as it was, byte for byte.
#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class IniFile {
public:
    // A missing or unreadable file gives an empty one.
    static IniFile Load(const QString& path);
    static IniFile Parse(const QByteArray& bytes);

    // Section and key names match without regard to case, as on Windows.
    std::optional<QString> Value(const QString& section, const QString& key) const;
    // Replaces the key's value, or adds the key (and the section) at the end
    // of its section.
    void SetValue(const QString& section, const QString& key, const QString& value);

    // False when the text cannot be stored (not GBK) or the file cannot be
    // written; an existing file is then left as it was.
    bool Save(const QString& path) const;
    std::optional<QByteArray> Bytes() const;

private:
    struct Line {
        QByteArray raw;                // as read, without its line break
        std::optional<QString> text;  // decoded, when it is GBK
        QByteArray eol;
    };
    int SectionStart(const QString& section) const;  // index of the header, -1 if missing
    int SectionEnd(int start) const;                  // one past its last line
    int KeyLine(int start, int end, const QString& key) const;
    QByteArray Eol() const;

    QList<Line> lines_;
};
