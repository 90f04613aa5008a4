#include "common/Manifest.h"

#include <QFile>

#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

namespace {

// A manifest is a few hundred bytes; anything this big is not one.
constexpr qint64 kLargestManifest = 1 << 20;

// The manifest comes from the network; a bad one is reported by the caller's
// own message, not by libxml2 on standard error.
void Quiet(void*, const char*, ...) {}

void PrepareLibxml()
{
    static const bool prepared = [] {
        xmlInitParser();
        xmlSetGenericErrorFunc(nullptr, Quiet);
        // Publishers declare gb2312 but editors save GBK; GBK is the superset,
        // so characters outside GB2312 still decode.
        xmlAddEncodingAlias("GBK", "GB2312");
        return true;
    }();
    (void)prepared;
}

// "@n" with n >= 1, nothing else.
int StepIndex(const QString& step)
{
    if (step.size() < 2 || step[0] != u'@') return 0;
    bool ok = false;
    int n = step.mid(1).toInt(&ok);
    if (!ok || n < 1 || !step[1].isDigit()) return 0;
    return n;
}

xmlNode* NthChildElement(xmlNode* parent, int n)
{
    for (xmlNode* child = parent->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && --n == 0) return child;
    }
    return nullptr;
}

}  // namespace

struct XmlReader::Document {
    xmlDoc* doc = nullptr;
    ~Document() { xmlFreeDoc(doc); }
};

XmlReader::XmlReader() = default;
XmlReader::~XmlReader() = default;

bool XmlReader::Load(const QString& path)
{
    document_.reset();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestManifest) return false;
    return LoadBytes(file.read(kLargestManifest + 1));
}

bool XmlReader::LoadBytes(const QByteArray& bytes)
{
    document_.reset();
    if (bytes.isEmpty() || bytes.size() > kLargestManifest) return false;
    PrepareLibxml();
    // No network, no external entities: the manifest comes from the internet.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlDoc* doc = xmlReadMemory(bytes.constData(), int(bytes.size()), "up.xml", nullptr, options);
    if (!doc) return false;
    document_ = std::make_unique<Document>();
    document_->doc = doc;
    return true;
}

QString XmlReader::Value(const QString& nodePath, const QString& name) const
{
    if (!document_ || nodePath.isEmpty()) return {};
    xmlNode* node = reinterpret_cast<xmlNode*>(document_->doc);
    for (const QString& step : nodePath.split(u'/')) {
        int n = StepIndex(step);
        if (n == 0) return {};
        node = NthChildElement(node, n);
        if (!node) return {};
    }
    const QByteArray key = name.toUtf8();
    xmlChar* value = xmlGetNoNsProp(node, reinterpret_cast<const xmlChar*>(key.constData()));
    if (!value) return {};
    QString text = QString::fromUtf8(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

bool HasManifestFirstLine(const QByteArray& body)
{
    qsizetype end = body.size();
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] == '\n' || body[i] == '\r') {
            end = i;
            break;
        }
    }
    return QByteArrayView(body.constData(), end) == QByteArrayView(kManifestFirstLine);
}

QString ReadManifestValue(const QString& path, const char* name)
{
    XmlReader reader;
    if (!reader.Load(path)) return {};
    return reader.Value(QString::fromUtf8(kUpdateEntryPath), QString::fromUtf8(name));
}
