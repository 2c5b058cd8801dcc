#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QUrl>

#include <functional>

class QTcpServer;
class QTcpSocket;

/// One request as the fake server received it.
struct FakeHttpRequest
{
    QByteArray method;
    QByteArray target; ///< path?query, as sent
    QByteArray path;
    QMap<QByteArray, QByteArray> headers; ///< names in lower case
    QByteArray body;
};

/// The answer a handler gives. Content-Length is set unless left out, and the connection is closed after the answer.
struct FakeHttpResponse
{
    int status = 200;
    QByteArray contentType = "text/html";
    QByteArray body {};
    int delayMs = 0; ///< answer this much later, without blocking the event loop
    bool dropConnection = false; ///< close the connection without any answer
    int trickleMs = 0; ///< send the body one byte at a time, this far apart
    bool omitContentLength = false; ///< no Content-Length: the body ends when the connection closes
    QList<QPair<QByteArray, QByteArray>> headers {};
};

/// A tiny HTTP/1.1 server on 127.0.0.1 (a free port) for tests; each request is answered by the handler.
class LocalHttpServer : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<FakeHttpResponse(const FakeHttpRequest&)>;

    explicit LocalHttpServer(Handler handler, QObject* parent = nullptr);
    ~LocalHttpServer() override;

    /// Starts listening on 127.0.0.1 at a free port.
    bool listen();
    /// "http://127.0.0.1:<port>"
    QUrl baseUrl() const;
    int requestCount() const;
    QList<FakeHttpRequest> requests() const;

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const FakeHttpRequest& request);

    Handler m_handler;
    QTcpServer* m_server = nullptr;
    QList<FakeHttpRequest> m_requests;
};
