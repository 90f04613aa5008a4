#pragma once
#include <QByteArray>
#include <QString>

struct FetchLimits {
    int connectTimeoutMs = 10000;
    int totalTimeoutMs = 30000;
    qint64 largestBody = 1 << 20;
};

// GET over HTTP or HTTPS, following redirects. The body, or empty on any
// failure: no connection, a time-out, a status of 400 or above, a body
// larger than the limit.
QByteArray HttpFetch(const QString& url, const FetchLimits& limits = {});
