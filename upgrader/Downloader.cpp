#include "upgrader/Downloader.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <QUrl>

#include <curl/curl.h>

#include <deque>

namespace {

constexpr long kMostRedirects = 5;
constexpr int kInformation = 0;
constexpr int kFailure = 1;

QString TimeText() { return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")); }

bool AllowedFileType(const QString& file, const QString& types)
{
    const QString suffix = QFileInfo(file).suffix();
    if (suffix.isEmpty()) return true;
    for (const QString& type : types.split(u'|', Qt::SkipEmptyParts)) {
        if (type.compare(u'.' + suffix, Qt::CaseInsensitive) == 0) return true;
    }
    return false;
}

bool IsFtp(const QString& url) { return url.startsWith(QStringLiteral("ftp://"), Qt::CaseInsensitive); }

QString Bytes(qint64 n) { return QString::number(n) + QStringLiteral(" 字节"); }

}  // namespace

// One transfer, as the worker thread sees it. Nothing here is touched by the
// owner's thread; what the owner needs goes through the atomics or Deliver.
struct Downloader::Job {
    Downloader* owner = nullptr;
    DownloadRequest request;
    quint64 generation = 0;

    CURL* curl = nullptr;
    QFile file;
    QByteArray pending;
    QCryptographicHash hash{QCryptographicHash::Sha256};
    bool begun = false;
    bool stalled = false;
    bool writeFailed = false;
    qint64 total = 0;
    qint64 received = 0;
    qint64 reportedBytes = 0;
    qint64 loggedBytes = 0;
    QElapsedTimer clock;
    qint64 lastActivityMs = 0;
    qint64 lastReportMs = 0;
    std::deque<std::pair<qint64, qint64>> samples;  // (ms, bytes) within the report interval

    void Log(int kind, const QString& message, int result = 0)
    {
        auto log = request.log;
        const QString time = TimeText();
        const qint64 bytes = received;
        owner->Deliver(generation, [log, kind, time, message, result, bytes] {
            if (log) log(kind, time, message, result, bytes);
        }, false);
    }

    void Event(int code, int result = 0)
    {
        auto event = request.event;
        const qint64 t = total, r = received, rate = qint64(owner->rate_.load());
        const bool last = code == kDownloadComplete || code == kDownloadFailed;
        owner->Deliver(generation, [event, code, t, r, rate, result] {
            if (event) event(code, t, r, rate, result);
        }, last);
    }

    void Reset()
    {
        pending.clear();
        hash.reset();
        begun = stalled = writeFailed = false;
        total = received = reportedBytes = loggedBytes = 0;
        samples.clear();
        owner->total_ = 0;
        owner->received_ = 0;
        owner->rate_ = 0;
        clock.start();
        lastActivityMs = lastReportMs = 0;
    }

    bool Flush()
    {
        if (pending.isEmpty()) return true;
        const bool ok = file.write(pending) == pending.size();
        pending.clear();
        return ok;
    }

    void MeasureRate(qint64 now)
    {
        samples.emplace_back(now, received);
        const qint64 window = qMax(1, request.reportIntervalMs);
        while (samples.size() > 2 && now - samples[1].first >= window) samples.pop_front();
        const auto& [since, bytes] = samples.front();
        if (now > since) owner->rate_ = double(received - bytes) * 1000.0 / double(now - since);
    }

    void ReportProgress(qint64 now, bool force)
    {
        if (received == reportedBytes) return;
        const bool stepReached = received - reportedBytes >= qMax(1, request.progressStep);
        if (!force && !stepReached && now - lastReportMs < request.reportIntervalMs) return;
        reportedBytes = received;
        lastReportMs = now;
        Event(kDownloadProgress);
    }

    size_t OnData(const char* data, size_t n)
    {
        if (owner->cancel_) return 0;
        const qint64 now = clock.elapsed();
        lastActivityMs = now;
        if (!begun) {
            begun = true;
            curl_off_t length = -1;
            curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
            total = length > 0 ? qint64(length) : 0;
            owner->total_ = total;
            Log(kInformation, QStringLiteral("开始接收，文件大小 ") + (total > 0 ? Bytes(total) : QStringLiteral("未知")));
            Event(kDownloadBegun);
        }
        pending.append(data, qsizetype(n));
        hash.addData(QByteArrayView(data, qsizetype(n)));
        received += qint64(n);
        owner->received_ = received;
        if (pending.size() >= request.writeChunk && !Flush()) {
            writeFailed = true;
            return 0;
        }
        MeasureRate(now);
        const qint64 logStep = qint64(qMax(1, request.logStepKb)) * 1024;
        if (received - loggedBytes >= logStep) {
            loggedBytes = received;
            Log(kInformation, QStringLiteral("已接收 ") + Bytes(received));
        }
        ReportProgress(now, false);
        return n;
    }

    // Why this attempt failed, for the log; empty when it succeeded.
    QString Attempt(int& result);

    static size_t DataArrived(char* data, size_t size, size_t count, void* user)
    {
        return static_cast<Job*>(user)->OnData(data, size * count);
    }
    // Headers and FTP replies show that the server is alive.
    static size_t HeaderArrived(char*, size_t size, size_t count, void* user)
    {
        auto* job = static_cast<Job*>(user);
        job->lastActivityMs = job->clock.elapsed();
        return size * count;
    }
    static int Tick(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        return static_cast<Job*>(user)->OnTick();
    }

    int OnTick()
    {
        if (owner->cancel_) return 1;
        const qint64 now = clock.elapsed();
        if (now - lastActivityMs > request.stallTimeoutMs) {
            stalled = true;
            return 1;
        }
        ReportProgress(now, false);
        return 0;
    }
};

Downloader::Downloader() { curl_global_init(CURL_GLOBAL_DEFAULT); }

Downloader::~Downloader() { Cancel(); }

void Downloader::Join()
{
    if (worker_.joinable()) worker_.join();
}

bool Downloader::Start(const DownloadRequest& request)
{
    if (running_) return false;
    Join();
    auto job = std::make_shared<Job>();
    job->owner = this;
    job->request = request;
    job->generation = ++generation_;
    cancel_ = false;
    total_ = 0;
    received_ = 0;
    rate_ = 0;
    running_ = true;
    worker_ = std::thread([this, job] { Work(job); });
    return true;
}

void Downloader::Cancel()
{
    cancel_ = true;
    Join();
    ++generation_;
    running_ = false;
}

DownloadStatus Downloader::Status() const { return {total_.load(), received_.load()}; }

double Downloader::Rate() const { return rate_.load(); }

void Downloader::Deliver(quint64 generation, std::function<void()> call, bool last)
{
    // One queue to the owner's thread keeps the order; a generation that has
    // moved on means the transfer was cancelled and its news is stale.
    QMetaObject::invokeMethod(
        this,
        [this, generation, call = std::move(call), last] {
            if (generation != generation_) return;
            if (last) running_ = false;
            call();
        },
        Qt::QueuedConnection);
}

void Downloader::Work(const std::shared_ptr<Job>& job)
{
    Job& j = *job;
    const DownloadRequest& r = j.request;
    QString why;
    int result = 0;
    // A target we refuse to write is not ours to delete either.
    const bool ownTarget = !r.targetFile.isEmpty() && AllowedFileType(r.targetFile, r.fileTypes);
    if (!ownTarget) {
        why = QStringLiteral("不允许的目标文件：") + r.targetFile;
    } else if (r.sourceUrl.trimmed().isEmpty()) {
        why = QStringLiteral("下载地址为空");
    } else {
        const int attempts = qMax(1, r.attempts);
        for (int attempt = 1; attempt <= attempts; ++attempt) {
            j.Log(kInformation, QStringLiteral("连接 ") + r.sourceUrl);
            why = j.Attempt(result);
            if (why.isEmpty() || cancel_) break;
            if (attempt < attempts) j.Log(kFailure, why + QStringLiteral("，重试"), result);
        }
    }
    if (!why.isEmpty() || cancel_) {
        // Nothing half-downloaded is left for anyone to take as the new program.
        if (ownTarget) QFile::remove(r.targetFile);
        if (cancel_) return;
        j.Log(kFailure, QStringLiteral("下载失败：") + why, result);
        j.Event(kDownloadFailed, result);
        return;
    }
    j.Log(kInformation, QStringLiteral("下载完成，共 ") + Bytes(j.received));
    j.Event(kDownloadComplete);
}

QString Downloader::Job::Attempt(int& result)
{
    Job& job = *this;
    const DownloadRequest& r = request;
    Reset();
    job.file.setFileName(r.targetFile);
    if (!job.file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("无法写入文件 ") + r.targetFile;

    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> handle(curl_easy_init(), curl_easy_cleanup);
    if (!handle) return QStringLiteral("无法初始化下载");
    CURL* c = handle.get();
    curl = c;
    void* user = this;
    // Publishers write addresses with Chinese names; on the wire they are percent-encoded.
    const QByteArray url = QUrl(r.sourceUrl.trimmed(), QUrl::TolerantMode).toEncoded();
    const QByteArray agent = r.userAgent.isEmpty() ? QByteArray("Vantrel/" QUILLON_VERSION) : r.userAgent.toUtf8();
    const QByteArray referer = r.referer.toUtf8();
    const QByteArray proxy = r.proxy.toUtf8();
    const QByteArray user8 = r.userName.toUtf8();
    const QByteArray password = r.password.toUtf8();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https,ftp");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, r.followRedirects ? 1L : 0L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, kMostRedirects);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(qMax(1, r.connectTimeoutMs)));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(qMax(1, (r.responseTimeoutMs + 999) / 1000)));
    curl_easy_setopt(c, CURLOPT_BUFFERSIZE, long(qMax(1024, r.bufferSize)));
    curl_easy_setopt(c, CURLOPT_USERAGENT, agent.constData());
    if (!referer.isEmpty()) curl_easy_setopt(c, CURLOPT_REFERER, referer.constData());
    // An empty proxy text switches off the environment's proxy settings too.
    curl_easy_setopt(c, CURLOPT_PROXY, proxy.constData());
    if (IsFtp(r.sourceUrl.trimmed())) {
        curl_easy_setopt(c, CURLOPT_USERNAME, user8.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, DataArrived);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, user);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, HeaderArrived);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, user);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, Tick);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, user);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);

    const CURLcode code = curl_easy_perform(c);
    curl = nullptr;
    result = int(code);
    const bool flushed = job.Flush();
    job.file.close();
    const bool closed = job.file.error() == QFileDevice::NoError;
    if (owner->cancel_) return QStringLiteral("已取消");
    if (job.stalled) return QStringLiteral("超过 %1 毫秒没有收到数据").arg(r.stallTimeoutMs);
    if (job.writeFailed || (code == CURLE_OK && !(flushed && closed)))
        return QStringLiteral("无法写入文件 ") + r.targetFile;
    switch (code) {
    case CURLE_OK: break;
    case CURLE_HTTP_RETURNED_ERROR: {
        long status = 0;
        curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
        return QStringLiteral("服务器返回 %1").arg(status);
    }
    case CURLE_OPERATION_TIMEDOUT: return QStringLiteral("连接超时");
    case CURLE_PARTIAL_FILE:
        return QStringLiteral("文件不完整，收到 %1，应为 %2").arg(Bytes(job.received), Bytes(job.total));
    case CURLE_REMOTE_FILE_NOT_FOUND: return QStringLiteral("服务器上没有这个文件");
    case CURLE_LOGIN_DENIED: return QStringLiteral("服务器拒绝了匿名登录");
    default: return QString::fromUtf8(curl_easy_strerror(code));
    }
    if (job.total > 0 && job.received != job.total)
        return QStringLiteral("文件不完整，收到 %1，应为 %2").arg(Bytes(job.received), Bytes(job.total));
    // An empty file would leave the editor with nothing to run.
    if (job.received == 0) return QStringLiteral("文件是空的");
    if (!r.sha256.isEmpty() && job.hash.result().toHex() != r.sha256.trimmed().toLower().toLatin1())
        return QStringLiteral("文件校验值不符");
    job.ReportProgress(job.clock.elapsed(), true);
    return {};
}
