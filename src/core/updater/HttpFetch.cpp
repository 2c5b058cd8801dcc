#include "HttpFetch.h"

#include "updater/NetworkTexts.h"
#include "updater/UpdaterTexts.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

QString messageOf(HttpError error, int status)
{
    switch (error) {
    case HttpError::None:
        return {};
    case HttpError::Cancelled:
        return UpdaterTexts::cancelled().toString();
    case HttpError::Timeout:
        return NetworkTexts::timedOut().toString();
    case HttpError::TooLarge:
        return NetworkTexts::tooLarge().toString();
    case HttpError::Refused:
        return NetworkTexts::refused().toString();
    case HttpError::HostNotFound:
        return NetworkTexts::hostNotFound().toString();
    case HttpError::CannotConnect:
        return NetworkTexts::cannotConnect().toString();
    case HttpError::Tls:
        return NetworkTexts::tls().toString();
    case HttpError::HttpStatus:
        return NetworkTexts::httpStatus().toString().arg(status);
    case HttpError::Other:
        break;
    }
    return NetworkTexts::other().toString();
}

// How the network layer's error is told to the user, for an answer that came with `status` (0: none).
HttpError errorOf(int status, QNetworkReply::NetworkError networkError)
{
    const bool answered = status != 0;
    const bool redirectRefused =
        networkError == QNetworkReply::TooManyRedirectsError || networkError == QNetworkReply::InsecureRedirectError;
    if (answered && (status < 200 || status > 299) && !redirectRefused) {
        return HttpError::HttpStatus;
    }
    switch (networkError) {
    case QNetworkReply::NoError:
        return answered ? HttpError::None : HttpError::Other;
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        // Nobody here cancelled the transfer: its time limit ran out.
        return HttpError::Timeout;
    case QNetworkReply::ConnectionRefusedError:
        return HttpError::Refused;
    case QNetworkReply::HostNotFoundError:
        return HttpError::HostNotFound;
    case QNetworkReply::SslHandshakeFailedError:
        return HttpError::Tls;
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::BackgroundRequestNotAllowedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
    case QNetworkReply::UnknownProxyError:
        // Once part of an answer has come, the connection was made: what failed was receiving the rest.
        return answered ? HttpError::Other : HttpError::CannotConnect;
    default:
        return HttpError::Other;
    }
}

} // namespace

QString HttpResult::failureText(QStringView what) const
{
    QString text = what.toString();
    for (const QString& line : {message, detail}) {
        if (!line.isEmpty()) {
            text += u'\n' + line;
        }
    }
    return text;
}

HttpFetch::HttpFetch(
    QNetworkAccessManager& manager, const HttpRequest& request, const HttpLimits& limits, QObject* parent)
    : QObject(parent)
    , m_limits(limits)
{
    QNetworkRequest sent = request.request;
    sent.setTransferTimeout(static_cast<int>(limits.transferTimeout.count()));
    sent.setMaximumRedirectsAllowed(limits.maxRedirects);
    // A redirect from https to plain http is refused, whatever the manager's own policy.
    sent.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply =
        request.method == HttpRequest::Method::Post ? manager.post(sent, request.body) : manager.get(sent);
    m_reply = reply;

    // A length announced beyond the limit stops the transfer before the body comes at all.
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > m_limits.maxBytes) {
            stop(m_tooLarge);
        }
    });
    // The answer is taken as it comes, so that the size limit stops the transfer as soon as it is passed.
    connect(reply, &QNetworkReply::readyRead, this, &HttpFetch::take);
    connect(reply, &QNetworkReply::finished, this, &HttpFetch::finish);
    // An answer that trickles in, a byte now and then, would otherwise hold the fetch as long as the server likes.
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { stop(m_timedOut); });
    m_deadline.start(limits.overallTimeout);
}

HttpFetch::~HttpFetch()
{
    if (m_reply && !m_finished) {
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void HttpFetch::cancel()
{
    stop(m_cancelled);
}

const HttpResult& HttpFetch::waitForResult()
{
    if (!m_finished) {
        QEventLoop loop;
        connect(this, &HttpFetch::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return m_result;
}

void HttpFetch::take()
{
    if (!m_finished && !m_tooLarge && readAvailable()) {
        stop(m_tooLarge);
    }
}

bool HttpFetch::readAvailable()
{
    // An aborted reply is closed and has nothing more to give.
    if (m_reply && m_reply->isReadable()) {
        m_received += m_reply->read(qMin(m_reply->bytesAvailable(), m_limits.maxBytes + 1 - m_received.size()));
    }
    return m_received.size() > m_limits.maxBytes;
}

void HttpFetch::stop(bool& reason)
{
    if (m_finished) {
        return;
    }
    reason = true;
    if (m_reply) {
        m_reply->abort();
    }
    // The reply says it has finished when aborted; should it not, the fetch ends here all the same.
    finish();
}

void HttpFetch::finish()
{
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_deadline.stop();
    if (!m_tooLarge && readAvailable()) {
        m_tooLarge = true;
    }
    QNetworkReply::NetworkError networkError = QNetworkReply::UnknownNetworkError;
    if (m_reply) {
        m_result.status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        m_result.contentType = m_reply->rawHeader("Content-Type");
        m_result.url = m_reply->url();
        networkError = m_reply->error();
    }

    if (m_cancelled) {
        m_result.error = HttpError::Cancelled;
    } else if (m_tooLarge) {
        m_result.error = HttpError::TooLarge;
    } else if (m_timedOut) {
        m_result.error = HttpError::Timeout;
    } else {
        m_result.error = errorOf(m_result.status, networkError);
        // Qt's words for a transfer it ended itself ("Operation canceled") would mislead.
        if (m_result.error != HttpError::None && m_result.error != HttpError::Timeout && m_reply) {
            m_result.detail = m_reply->errorString();
        }
    }
    m_result.message = messageOf(m_result.error, m_result.status);
    if (m_result.ok()) {
        m_result.body = std::exchange(m_received, QByteArray());
    }

    if (m_reply) {
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->deleteLater();
    }
    Q_EMIT finished();
}

bool isWebAddress(const QUrl& url)
{
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}
