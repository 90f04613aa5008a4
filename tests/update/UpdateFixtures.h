#pragma once
// What the update tests share: the local HTTP and FTP servers, manifests
// written by mkupxml's own code, and small file helpers.
#include "UpdateManifest.h"

#include "common/Gbk.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <variant>

inline QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Test text as the manifests hold it: GBK.
inline QByteArray Gbk(const QByteArray& utf8) { return EncodeGbk(QString::fromUtf8(utf8)).bytes; }

inline QString Sha256Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// A manifest as the publisher's tool writes it (GBK, CR LF).
inline QByteArray ManifestFor(const QString& version, const QString& address, const QString& sha256)
{
    auto result = ManifestBytes({version.toStdString(), address.toStdString(), sha256.toStdString()});
    if (auto* bytes = std::get_if<std::string>(&result)) return QByteArray::fromStdString(*bytes);
    qWarning("mkupxml refused the manifest: %s", std::get<ManifestError>(result).message.c_str());
    return {};
}

// servers.py on free ports of 127.0.0.1, serving the files of Root().
class TestServers {
public:
    TestServers()
    {
        process_.setProgram(QStringLiteral(QUILLON_SYSTEM_PYTHON));
        process_.setArguments({QStringLiteral(QUILLON_TEST_SERVERS), root_.path()});
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start();
        if (!process_.waitForStarted(10000)) {
            qWarning("the test servers did not start");
            return;
        }
        QByteArray line;
        while (!line.contains('\n') && process_.waitForReadyRead(20000)) line += process_.readAllStandardOutput();
        const QList<QByteArray> words = line.trimmed().split(' ');
        if (words.size() == 3 && words[0] == "READY") {
            http_ = words[1].mid(5).toInt();
            ftp_ = words[2].mid(4).toInt();
        } else {
            qWarning("the test servers said: %s", line.constData());
        }
    }
    ~TestServers()
    {
        process_.closeWriteChannel();  // the servers end when their input closes
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    bool Ready() const { return http_ > 0 && ftp_ > 0; }
    QString Root() const { return root_.path(); }
    // A file under Root(), with its relative path.
    void Serve(const QString& name, const QByteArray& bytes) const { WriteBytes(root_.filePath(name), bytes); }
    QString Http(const QString& path) const { return QStringLiteral("http://127.0.0.1:%1/").arg(http_) + path; }
    QString Ftp(const QString& path) const { return QStringLiteral("ftp://127.0.0.1:%1/").arg(ftp_) + path; }

private:
    QTemporaryDir root_;
    QProcess process_;
    int http_ = 0;
    int ftp_ = 0;
};

// A port of 127.0.0.1 where nothing listens: one the system just handed out
// and took back.
inline int ClosedPort()
{
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(s);
    return port;
}
