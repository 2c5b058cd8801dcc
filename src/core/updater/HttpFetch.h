#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringView>
#include <QTimer>
#include <QUrl>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

/// Whether `url` is an address on the web: valid, http or https, with a host. Addresses given by the user or read
/// from an answer or a file are opened or asked only then.
bool isWebAddress(const QUrl& url);

/// What to ask: the address and headers, and for a POST its body. The fetch sets the limits on the request itself.
struct HttpRequest
{
    enum class Method {
        Get,
        Post,
    };

    static HttpRequest get(QNetworkRequest request) { return {std::move(request), Method::Get, {}}; }
    static HttpRequest post(QNetworkRequest request, QByteArray body)
    {
        return {std::move(request), Method::Post, std::move(body)};
    }

    QNetworkRequest request;
    Method method = Method::Get;
    QByteArray body; ///< sent with a POST
};

/// How long and how much one fetch may take. A server that trickles its answer, or sends without end, is cut off.
struct HttpLimits
{
    std::chrono::milliseconds transferTimeout {30000}; ///< the longest wait for any byte
    std::chrono::milliseconds overallTimeout {60000}; ///< the whole answer must have come within this time
    int maxRedirects = 10;
    qint64 maxBytes = 8 * 1024 * 1024; ///< the transfer stops as soon as more than this has come
};

/// Why a fetch failed, in the terms the user is told.
enum class HttpError {
    None,
    Cancelled,
    Timeout,
    TooLarge,
    Refused,
    HostNotFound,
    CannotConnect,
    Tls,
    HttpStatus, ///< the server answered, with a status outside 2xx
    Other,
};

/// The outcome of one fetch.
struct HttpResult
{
    int status = 0; ///< the HTTP status; 0 when no answer came
    QByteArray body; ///< the whole answer; only when the fetch succeeded
    QByteArray contentType; ///< as the server sent it
    QUrl url; ///< where the answer came from, after redirects
    HttpError error = HttpError::None;
    QString message; ///< in Thai; empty on success
    QString detail; ///< the network layer's own words (English), for whoever needs to look deeper; may be empty

    bool ok() const { return error == HttpError::None; }
    /// The failure as the user reads it: what could not be had, then why, then the detail, each on its own line.
    QString failureText(QStringView what) const;
};

/// One HTTP request with limits, on a shared network manager (whose cookies it uses). Starts when constructed;
/// `finished` is emitted once, also after `cancel`.
class HttpFetch final : public QObject
{
    Q_OBJECT

public:
    HttpFetch(QNetworkAccessManager& manager, const HttpRequest& request, const HttpLimits& limits,
        QObject* parent = nullptr);
    ~HttpFetch() override;

    /// Ends the fetch at once, as cancelled; `finished` has been emitted when this returns.
    void cancel();
    bool isFinished() const { return m_finished; }
    /// The outcome; meaningful once finished.
    const HttpResult& result() const { return m_result; }
    /// Waits, letting events run, until the fetch has ended, and gives its outcome.
    const HttpResult& waitForResult();

Q_SIGNALS:
    void finished();

private:
    void take();
    /// Reads what has come, no more than one byte past the size limit; true once the limit is passed.
    bool readAvailable();
    void stop(bool& reason);
    void finish();

    QPointer<QNetworkReply> m_reply;
    HttpLimits m_limits;
    QTimer m_deadline;
    HttpResult m_result;
    QByteArray m_received;
    bool m_cancelled = false;
    bool m_tooLarge = false;
    bool m_timedOut = false;
    bool m_finished = false;
};
