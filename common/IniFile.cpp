#include "common/IniFile.h"

#include "common/Gbk.h"

#include <QFile>
#include <QSaveFile>

namespace {

std::optional<QString> SectionName(const QString& text)
{
    QString t = text.trimmed();
    if (t.size() < 2 || !t.startsWith(u'[') || !t.endsWith(u']')) return std::nullopt;
    return t.mid(1, t.size() - 2).trimmed();
}

bool IsComment(const QString& text)
{
    QString t = text.trimmed();
    return t.startsWith(u';') || t.startsWith(u'#');
}

// The key of a "key = value" line, or nothing.
std::optional<QString> KeyOf(const QString& text)
{
    if (IsComment(text)) return std::nullopt;
    int eq = text.indexOf(u'=');
    if (eq < 0) return std::nullopt;
    return text.left(eq).trimmed();
}

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

IniFile IniFile::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return Parse(file.readAll());
}

IniFile IniFile::Parse(const QByteArray& bytes)
{
    IniFile ini;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype lf = bytes.indexOf('\n', start);
        qsizetype end = lf < 0 ? bytes.size() : lf;
        qsizetype textEnd = end > start && bytes[end - 1] == '\r' ? end - 1 : end;
        Line line;
        line.raw = bytes.mid(start, textEnd - start);
        line.eol = bytes.mid(textEnd, (lf < 0 ? end : lf + 1) - textEnd);
        line.text = DecodeGbk(line.raw);
        ini.lines_.append(line);
        start = lf < 0 ? bytes.size() : lf + 1;
    }
    return ini;
}

int IniFile::SectionStart(const QString& section) const
{
    for (int i = 0; i < lines_.size(); ++i) {
        if (!lines_[i].text) continue;
        if (auto name = SectionName(*lines_[i].text); name && SameName(*name, section)) return i;
    }
    return -1;
}

int IniFile::SectionEnd(int start) const
{
    int i = start + 1;
    while (i < lines_.size() && !(lines_[i].text && SectionName(*lines_[i].text))) ++i;
    return i;
}

int IniFile::KeyLine(int start, int end, const QString& key) const
{
    for (int i = start + 1; i < end; ++i) {
        if (!lines_[i].text) continue;
        if (auto k = KeyOf(*lines_[i].text); k && SameName(*k, key)) return i;
    }
    return -1;
}

std::optional<QString> IniFile::Value(const QString& section, const QString& key) const
{
    int start = SectionStart(section);
    if (start < 0) return std::nullopt;
    int line = KeyLine(start, SectionEnd(start), key);
    if (line < 0) return std::nullopt;
    const QString& text = *lines_[line].text;
    return text.mid(text.indexOf(u'=') + 1).trimmed();
}

QByteArray IniFile::Eol() const
{
    for (const Line& l : lines_)
        if (!l.eol.isEmpty()) return l.eol;
    return QByteArrayLiteral("\r\n");
}

void IniFile::SetValue(const QString& section, const QString& key, const QString& value)
{
    const QString text = key + u'=' + value;
    int start = SectionStart(section);
    if (start < 0) {
        if (!lines_.isEmpty() && lines_.last().eol.isEmpty()) lines_.last().eol = Eol();
        lines_.append({{}, u'[' + section + u']', Eol()});
        lines_.append({{}, text, Eol()});
        return;
    }
    int end = SectionEnd(start);
    int line = KeyLine(start, end, key);
    if (line >= 0) {
        lines_[line].text = text;
        lines_[line].raw.clear();
        return;
    }
    // After the section's last key, before the blank lines that end it.
    int at = end;
    while (at > start + 1 && lines_[at - 1].text && lines_[at - 1].text->trimmed().isEmpty()) --at;
    if (lines_[at - 1].eol.isEmpty()) lines_[at - 1].eol = Eol();
    lines_.insert(at, {{}, text, Eol()});
}

std::optional<QByteArray> IniFile::Bytes() const
{
    QByteArray bytes;
    for (const Line& l : lines_) {
        if (l.raw.isEmpty() && l.text && !l.text->isEmpty()) {
            GbkEncoding encoded = EncodeGbk(*l.text);
            if (!encoded.ok()) return std::nullopt;
            bytes += encoded.bytes;
        } else {
            bytes += l.raw;
        }
        bytes += l.eol;
    }
    return bytes;
}

bool IniFile::Save(const QString& path) const
{
    auto bytes = Bytes();
    if (!bytes) return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size() && file.commit();
}
