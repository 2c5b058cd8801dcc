#pragma once

#include "data/Result.h"
#include "updater/HtmlDocument.h"
#include "updater/HttpFetch.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>

class QEventLoop;

/// A headless web page client: loads pages, keeps their cookies, parses them and submits their forms as a browser
/// would. No page is ever shown.
class PageClient final : public QObject
{
    Q_OBJECT

public:
    struct Limits
    {
        int transferTimeoutMs = 30000; ///< a load that receives nothing for this long fails
        int maxRedirects = 10;
        qint64 maxBytes = 8 * 1024 * 1024; ///< the load stops as soon as more than this has come
        int overallTimeoutMs = 60000; ///< the whole page must have come within this time
        int maxNesting = 400; ///< a page nested deeper is refused unparsed
        int parseTimeoutMs = 2000; ///< a page whose parsing takes longer is refused
    };

    explicit PageClient(QObject* parent = nullptr);
    ~PageClient() override;

    void setLimits(const Limits& limits) { m_limits = limits; }
    const Limits& limits() const { return m_limits; }

    /// Starts loading the address; the current document is dropped at once.
    void navigate(const QUrl& url);
    /// Submits the form of a submit button as a browser does when it is pressed; fails when the element is no
    /// submit button inside a form. The load runs as after `navigate`.
    Status press(const HtmlElement& button);

    /// True while a load is under way (the page is being received or parsed).
    bool busy() const { return !m_fetch.isNull() || m_parseLoop; }
    /// Waits, letting events run, until the load under way ends, and gives its outcome. Ends the load early
    /// (as a failure) once `stop` says so.
    Status waitUntilLoaded(const std::function<bool()>& stop = {});
    /// The outcome of the last load that ended.
    const Status& lastLoad() const { return m_lastLoad; }
    /// The page of the last load that succeeded; null while a load runs or after one failed.
    HtmlDocument* document() const { return m_document.get(); }

    /// Ends the load under way, if any, as a failure.
    void abort();

Q_SIGNALS:
    void loadFinished();

private:
    void start(HttpRequest::Method method, const QUrl& url, const QByteArray& body);
    void onFetched(HttpFetch* fetch);
    /// Parses a received page away from the window's thread, events running meanwhile; null with a failure when
    /// the page nests too deeply, takes too long or the load was aborted.
    QString parse(QByteArrayView body, QByteArrayView contentType, const QUrl& address);

    QNetworkAccessManager m_manager; ///< keeps the cookies for as long as the client
    QPointer<HttpFetch> m_fetch; ///< the page being received
    std::shared_ptr<HtmlDocument> m_document;
    QEventLoop* m_parseLoop = nullptr; ///< the wait for a page being parsed
    Status m_lastLoad = Status::success();
    Limits m_limits;
    bool m_aborted = false; ///< the parse under way was abandoned
};
