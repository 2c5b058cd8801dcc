#include "PageClient.h"

#include "updater/UpdaterTexts.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QNetworkReply>
#include <QPromise>
#include <QThreadPool>
#include <QTimer>

using namespace Qt::StringLiterals;

PageClient::PageClient(QObject* parent)
    : QObject(parent)
{
    // Cookies live in the manager's own jar for as long as the client.
    m_manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

PageClient::~PageClient()
{
    abort();
}

void PageClient::navigate(const QUrl& url)
{
    start(QNetworkAccessManager::GetOperation, url, {});
}

Status PageClient::press(const HtmlElement& button)
{
    if (!m_document) {
        return Status::failure(UpdaterTexts::pageNotLoaded().toString());
    }
    const std::optional<FormSubmission> submission = m_document->submission(button);
    if (!submission) {
        return Status::failure(UpdaterTexts::noShowButton().toString());
    }
    start(submission->method == "POST" ? QNetworkAccessManager::PostOperation : QNetworkAccessManager::GetOperation,
        submission->url, submission->body);
    return Status::success();
}

void PageClient::start(QNetworkAccessManager::Operation operation, const QUrl& url, const QByteArray& body)
{
    abort();
    QNetworkRequest request(url);
    request.setMaximumRedirectsAllowed(m_limits.maxRedirects);
    request.setTransferTimeout(m_limits.transferTimeoutMs);
    request.setHeader(QNetworkRequest::UserAgentHeader, u"Mozilla/5.0 (compatible; Varenta/1.0)"_s);
    if (m_document) {
        request.setRawHeader("Referer", m_document->address().toEncoded());
    }
    m_document.reset();
    m_tooLarge = false;
    m_aborted = false;
    m_timedOut = false;
    m_body.clear();
    QNetworkReply* reply = nullptr;
    if (operation == QNetworkAccessManager::PostOperation) {
        request.setHeader(QNetworkRequest::ContentTypeHeader, u"application/x-www-form-urlencoded"_s);
        reply = m_manager.post(request, body);
    } else {
        reply = m_manager.get(request);
    }
    m_reply = reply;
    connect(reply, &QNetworkReply::metaDataChanged, this,
        [this, reply] { checkSize(reply, reply->header(QNetworkRequest::ContentLengthHeader).toLongLong()); });
    // The page is taken as it comes, so that the size limit stops the transfer as soon as it is passed.
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        if (reply == m_reply && !m_tooLarge) {
            m_body += reply->read(qMin(reply->bytesAvailable(), m_limits.maxBytes + 1 - m_body.size()));
            checkSize(reply, m_body.size());
        }
    });
    // A reply that trickles in would hold the load for as long as the server likes.
    QTimer::singleShot(m_limits.overallTimeoutMs, reply, [this, reply] {
        if (reply == m_reply) {
            m_timedOut = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onFinished(reply); });
}

void PageClient::checkSize(QNetworkReply* reply, qint64 bytes)
{
    if (bytes > m_limits.maxBytes && !m_tooLarge) {
        m_tooLarge = true;
        reply->abort();
    }
}

void PageClient::abort()
{
    if (m_reply) {
        m_aborted = true;
        m_reply->abort();
    }
    if (m_parseLoop) {
        m_aborted = true;
        m_parseLoop->quit();
    }
}

QString PageClient::parse(QByteArrayView body, QByteArrayView contentType, const QUrl& address)
{
    const HtmlCharset::Charset charset = HtmlCharset::detect(body, contentType);
    QString text = HtmlCharset::decode(body, charset);
    if (HtmlDocument::nestingDepth(text) > m_limits.maxNesting) {
        return UpdaterTexts::pageTooDeep().toString();
    }
    // The parse runs on a worker thread; when it takes too long its result is dropped there, unseen.
    auto promise = std::make_shared<QPromise<std::shared_ptr<HtmlDocument>>>();
    QFuture<std::shared_ptr<HtmlDocument>> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, text = std::move(text), address, charset] {
        promise->addResult(std::make_shared<HtmlDocument>(text, address, charset));
        promise->finish();
    });
    QEventLoop loop;
    QFutureWatcher<std::shared_ptr<HtmlDocument>> watcher;
    connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(m_limits.parseTimeoutMs, &loop, &QEventLoop::quit);
    watcher.setFuture(future);
    if (!future.isFinished()) {
        m_parseLoop = &loop;
        loop.exec();
        m_parseLoop = nullptr;
    }
    if (m_aborted) {
        return UpdaterTexts::cancelled().toString();
    }
    if (!future.isFinished() || future.resultCount() == 0) {
        return UpdaterTexts::pageTooSlowToRead().toString();
    }
    m_document = future.result();
    return {};
}

void PageClient::onFinished(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_reply) {
        return;
    }
    m_reply.clear();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QString failure;
    if (m_tooLarge) {
        failure = UpdaterTexts::pageTooLarge().toString();
    } else if (m_timedOut) {
        failure = UpdaterTexts::timeLimitPassed().toString();
    } else if (m_aborted) {
        failure = UpdaterTexts::cancelled().toString();
    } else if (status >= 400) {
        failure = UpdaterTexts::httpStatus().toString().arg(status);
    } else if (reply->error() == QNetworkReply::OperationCanceledError ||
        reply->error() == QNetworkReply::TimeoutError) {
        // Nobody here cancelled the load: the transfer time limit ran out.
        failure = UpdaterTexts::timeLimitPassed().toString();
    } else if (reply->error() != QNetworkReply::NoError) {
        failure = reply->errorString();
    }

    if (failure.isEmpty()) {
        QByteArray body = std::exchange(m_body, QByteArray());
        body += reply->read(qMin(reply->bytesAvailable(), m_limits.maxBytes + 1 - body.size()));
        if (body.size() > m_limits.maxBytes) {
            failure = UpdaterTexts::pageTooLarge().toString();
        } else {
            failure = parse(body, reply->rawHeader("Content-Type"), reply->url());
        }
    }
    m_lastLoad = failure.isEmpty() ? Status::success()
                                   : Status::failure(UpdaterTexts::withDetail(UpdaterTexts::pageNotLoaded(), failure));
    Q_EMIT loadFinished();
}

Status PageClient::waitUntilLoaded(const std::function<bool()>& stop)
{
    while (busy()) {
        if (stop && stop()) {
            abort();
            break;
        }
        QEventLoop loop;
        connect(this, &PageClient::loadFinished, &loop, &QEventLoop::quit);
        // Look at `stop` now and then even while the server says nothing.
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return m_lastLoad;
}
