#include "update/HttpFetch.h"

#include <curl/curl.h>

#include <memory>

namespace {

struct Body {
    QByteArray bytes;
    qint64 largest = 0;
    bool tooLarge = false;
};

size_t Collect(char* data, size_t size, size_t count, void* user)
{
    auto* body = static_cast<Body*>(user);
    const size_t n = size * count;
    if (body->bytes.size() + qint64(n) > body->largest) {
        body->tooLarge = true;
        return 0;  // aborts the transfer
    }
    body->bytes.append(data, qsizetype(n));
    return n;
}

}  // namespace

QByteArray HttpFetch(const QString& url, const FetchLimits& limits)
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!initialised || url.isEmpty()) return {};
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) return {};

    const QByteArray address = url.toUtf8();
    Body body;
    body.largest = limits.largestBody;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, address.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(limits.connectTimeoutMs));
    // The editor waits for the answer, so the whole exchange is bounded.
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(limits.totalTimeoutMs));
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    // A proxy from the environment may serve the real server, never this machine.
    curl_easy_setopt(c, CURLOPT_NOPROXY, "127.0.0.1,localhost,::1");
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Quillon/1.0");
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &body);
    if (curl_easy_perform(c) != CURLE_OK || body.tooLarge) return {};
    return body.bytes;
}
