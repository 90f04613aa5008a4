#pragma once
// Vantrel's download component: one file over HTTP, HTTPS or FTP (anonymous
// login) through libcurl, on a worker thread. Events and log lines are
// handed to the callbacks on the thread that owns the Downloader, in the
// order in which they happened.
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

// Event codes of the event callback.
enum DownloadEventCode {
    kDownloadBegun = 3,     // the transfer has begun; the total size is known (0 when the server does not say)
    kDownloadComplete = 4,  // the whole file is on disk and checked
    kDownloadFailed = 5,    // the transfer failed; the log says why and the file is gone
    kDownloadProgress = 16  // more data has arrived
};

// kind (0 information, 1 failure), time "hh:mm:ss", message, libcurl result code, bytes received.
using DownloadLogCallback =
    std::function<void(int kind, const QString& time, const QString& message, int resultCode, qint64 received)>;
// code, total size, bytes received, rate in bytes per second, libcurl result code.
using DownloadEventCallback =
    std::function<void(int code, qint64 totalSize, qint64 received, qint64 rate, int resultCode)>;

struct DownloadRequest {
    int bufferSize = 1;  // bytes libcurl receives at a time (it takes 1024 at least)
    QString sourceUrl;
    QString targetFile;
    QString userName = QStringLiteral("anonymous");  // the FTP login; never sent over HTTP
    QString password = QStringLiteral("vantrel@quillon.example");
    int attempts = 1;           // whole transfers tried before giving up
    int progressStep = 0;       // bytes between progress events (0: every piece that arrives)
    int connectTimeoutMs = 20000;
    int stallTimeoutMs = 20000;     // longest wait for any sign of life from the server
    int responseTimeoutMs = 20000;  // longest wait for an answer on the FTP control connection
    int reportIntervalMs = 1000;    // new bytes are reported at least this often; the rate is measured over it
    int writeChunk = 20480;         // bytes gathered before they are written to the file
    int logStepKb = 1024;           // a log line after every so many kilobytes
    DownloadLogCallback log;
    DownloadEventCallback event;
    QString referer;
    int followRedirects = 1;
    // Extensions the target file may have; a file without one (our executables) is always allowed.
    QString fileTypes = QStringLiteral(".exe|.rar|.zip|.gif|.jpg|.mp3|.rm");
    QString userAgent;  // empty: "Vantrel/" and the program's version
    QString proxy;      // empty: no proxy, whatever the environment says
    QString sha256;     // hex digest the file must have; empty: not checked
};

struct DownloadStatus {
    qint64 totalSize = 0;
    qint64 received = 0;
};

class Downloader : public QObject {
    Q_OBJECT
public:
    Downloader();
    ~Downloader() override;

    // False while a transfer runs: one at a time.
    bool Start(const DownloadRequest& request);
    // Stops a running transfer and waits for it; its file is removed and no
    // further callbacks of it arrive.
    void Cancel();
    bool Running() const { return running_; }

    DownloadStatus Status() const;
    // Bytes per second over the last report interval.
    double Rate() const;

private:
    struct Job;
    void Work(const std::shared_ptr<Job>& job);
    void Deliver(quint64 generation, std::function<void()> call, bool last);
    void Join();

    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<qint64> total_{0};
    std::atomic<qint64> received_{0};
    std::atomic<double> rate_{0};
    quint64 generation_ = 0;  // callbacks of an earlier, cancelled transfer are dropped
    bool running_ = false;
};
