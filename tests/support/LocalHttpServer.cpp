#include "LocalHttpServer.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace {

const char* const bufferProperty = "fakeHttpBuffer";
const char* const answeredProperty = "fakeHttpAnswered";

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 303:
        return "See Other";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    default:
        return "Status";
    }
}

// Parses one complete request from the front of `buffer`; returns false while more bytes are needed.
bool parseRequest(const QByteArray& buffer, FakeHttpRequest& request)
{
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0) {
        return false;
    }
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    if (lines.isEmpty()) {
        return false;
    }
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    request = FakeHttpRequest();
    request.method = requestLine.value(0);
    request.target = requestLine.value(1);
    const qsizetype query = request.target.indexOf('?');
    request.path = query < 0 ? request.target : request.target.left(query);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) {
            request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
    }
    bool ok = false;
    const qsizetype length = request.headers.value("content-length", "0").toLongLong(&ok);
    const qsizetype bodyStart = headerEnd + 4;
    if (ok && buffer.size() - bodyStart < length) {
        return false;
    }
    request.body = buffer.mid(bodyStart, ok ? length : 0);
    return true;
}

} // namespace

LocalHttpServer::LocalHttpServer(Handler handler, QObject* parent)
    : QObject(parent)
    , m_handler(std::move(handler))
    , m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &LocalHttpServer::onNewConnection);
}

LocalHttpServer::~LocalHttpServer() = default;

bool LocalHttpServer::listen()
{
    return m_server->listen(QHostAddress::LocalHost, 0);
}

QUrl LocalHttpServer::baseUrl() const
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(m_server->serverPort());
    return url;
}

int LocalHttpServer::requestCount() const
{
    return static_cast<int>(m_requests.size());
}

QList<FakeHttpRequest> LocalHttpServer::requests() const
{
    return m_requests;
}

void LocalHttpServer::onNewConnection()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalHttpServer::onReadyRead(QTcpSocket* socket)
{
    if (socket->property(answeredProperty).toBool()) {
        socket->readAll();
        return;
    }
    QByteArray buffer = socket->property(bufferProperty).toByteArray() + socket->readAll();
    socket->setProperty(bufferProperty, buffer);
    FakeHttpRequest request;
    if (!parseRequest(buffer, request)) {
        return;
    }
    socket->setProperty(answeredProperty, true);
    m_requests.append(request);
    answer(socket, request);
}

void LocalHttpServer::answer(QTcpSocket* socket, const FakeHttpRequest& request)
{
    FakeHttpResponse response;
    if (m_handler) {
        response = m_handler(request);
    } else {
        response.status = 404;
    }
    QPointer<QTcpSocket> guard(socket);
    auto send = [guard, response] {
        if (!guard) {
            return;
        }
        if (response.dropConnection) {
            guard->abort();
            guard->deleteLater();
            return;
        }
        QByteArray bytes = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) +
            "\r\nContent-Type: " + response.contentType + "\r\n";
        if (!response.omitContentLength) {
            bytes += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        }
        bytes += "Connection: close\r\n";
        for (const auto& header : response.headers) {
            bytes += header.first + ": " + header.second + "\r\n";
        }
        bytes += "\r\n";
        if (response.trickleMs <= 0) {
            bytes += response.body;
            guard->write(bytes);
            guard->disconnectFromHost();
            return;
        }
        guard->write(bytes);
        auto* timer = new QTimer(guard.data());
        auto sent = std::make_shared<qsizetype>(0);
        QObject::connect(timer, &QTimer::timeout, guard.data(), [guard, timer, sent, body = response.body] {
            if (*sent >= body.size()) {
                timer->stop();
                guard->disconnectFromHost();
                return;
            }
            guard->write(body.mid((*sent)++, 1));
        });
        timer->start(response.trickleMs);
    };
    if (response.delayMs > 0) {
        QTimer::singleShot(response.delayMs, socket, send);
    } else {
        send();
    }
}
