#include "PageClient.h"

#include "ProgramVersion.h"
#include "updater/UpdaterTexts.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>
#include <QTimer>

using namespace Qt::StringLiterals;

PageClient::PageClient(QObject* parent)
    : QObject(parent)
{ }

PageClient::~PageClient()
{
    abort();
}

void PageClient::navigate(const QUrl& url)
{
    start(HttpRequest::Method::Get, url, {});
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
    start(submission->method == "POST" ? HttpRequest::Method::Post : HttpRequest::Method::Get, submission->url,
        submission->body);
    return Status::success();
}

void PageClient::start(HttpRequest::Method method, const QUrl& url, const QByteArray& body)
{
    abort();
    HttpRequest request {QNetworkRequest(url), method, body};
    request.request.setHeader(
        QNetworkRequest::UserAgentHeader, QStringLiteral("Mozilla/5.0 (compatible; Varenta/" VARENTA_VERSION ")"));
    if (m_document) {
        request.request.setRawHeader("Referer", m_document->address().toEncoded());
    }
    if (method == HttpRequest::Method::Post) {
        request.request.setHeader(QNetworkRequest::ContentTypeHeader, u"application/x-www-form-urlencoded"_s);
    }
    m_document.reset();
    m_aborted = false;
    const HttpLimits limits {std::chrono::milliseconds(m_limits.transferTimeoutMs),
        std::chrono::milliseconds(m_limits.overallTimeoutMs), m_limits.maxRedirects, m_limits.maxBytes};
    auto* fetch = new HttpFetch(m_manager, request, limits, this);
    m_fetch = fetch;
    connect(fetch, &HttpFetch::finished, this, [this, fetch] { onFetched(fetch); });
}

void PageClient::abort()
{
    if (m_fetch) {
        m_fetch->cancel();
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

void PageClient::onFetched(HttpFetch* fetch)
{
    fetch->deleteLater();
    if (fetch != m_fetch) {
        return;
    }
    m_fetch.clear();
    // A copy: parsing lets events run, and the fetch is gone once they have.
    const HttpResult fetched = fetch->result();
    if (!fetched.ok()) {
        m_lastLoad = Status::failure(fetched.failureText(UpdaterTexts::pageNotLoaded()));
    } else {
        const QString failure = parse(fetched.body, fetched.contentType, fetched.url);
        m_lastLoad = failure.isEmpty()
            ? Status::success()
            : Status::failure(UpdaterTexts::withDetail(UpdaterTexts::pageNotLoaded(), failure));
    }
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
