#pragma once
// Reading up.xml: libxml2 parses the GBK document, our own resolver follows
// node paths such as "@1/@1", and values are read by name. The format is
// described in ManifestFormat.h.
#include "common/ManifestFormat.h"

#include <QByteArray>
#include <QString>

#include <memory>

// The local copy of the manifest, relative to the program folder.
inline const QString kManifestFile = QStringLiteral("/up.xml");

class XmlReader {
public:
    XmlReader();
    ~XmlReader();
    XmlReader(const XmlReader&) = delete;
    XmlReader& operator=(const XmlReader&) = delete;

    // False for a missing, oversized or malformed file; the reader is then empty.
    bool Load(const QString& path);
    bool LoadBytes(const QByteArray& bytes);

    // The attribute `name` of the element at `nodePath`: steps separated by
    // "/", each "@n" picking the n-th child element (from 1), starting at the
    // document. Empty when the node or the attribute is missing.
    QString Value(const QString& nodePath, const QString& name) const;

private:
    struct Document;
    std::unique_ptr<Document> document_;
};

// The text before the first line break is exactly kManifestFirstLine.
bool HasManifestFirstLine(const QByteArray& body);

// One value of the update entry of the manifest file; empty when missing.
QString ReadManifestValue(const QString& path, const char* name);
