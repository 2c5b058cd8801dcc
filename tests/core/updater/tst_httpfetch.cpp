#include "LocalHttpServer.h"
#include "updater/HttpFetch.h"

#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Where a request goes: the fake server, or an address that fails before any HTTP is spoken.
enum class Address {
    Served,
    ClosedPort,
    NoHostName,
    PlainServerOverTls,
};

// Bytes come more often than the transfer limit allows to wait, yet a trickled answer outlasts the deadline.
const HttpLimits limits {std::chrono::milliseconds(300), std::chrono::milliseconds(1000), 3, 100};

QByteArray bytes(qsizetype count)
{
    return QByteArray(count, 'x');
}

} // namespace

Q_DECLARE_METATYPE(Address)
Q_DECLARE_METATYPE(FakeHttpResponse)
Q_DECLARE_METATYPE(HttpError)

class TestHttpFetch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outcomes_data();
    void outcomes();
    void cancelEndsTheFetchAtOnce();

private:
    QNetworkAccessManager m_manager;
};

void TestHttpFetch::outcomes_data()
{
    QTest::addColumn<Address>("address");
    QTest::addColumn<FakeHttpResponse>("response");
    QTest::addColumn<HttpError>("error");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("detailed"); // whether the network layer's own words come along

    const FakeHttpResponse ok {.body = bytes(10)};
    const Address served = Address::Served;
    // The limit is the largest answer taken, not the first refused.
    QTest::newRow("exactly the size limit, no length given")
        << served << FakeHttpResponse {.body = bytes(limits.maxBytes), .omitContentLength = true} << HttpError::None
        << QString() << false;
    QTest::newRow("404") << served << FakeHttpResponse {.status = 404} << HttpError::HttpStatus
                         << u"เซิร์ฟเวอร์ตอบกลับด้วยรหัส 404"_s << true;
    QTest::newRow("nobody listening") << Address::ClosedPort << ok << HttpError::Refused << u"เซิร์ฟเวอร์ไม่รับการติดต่อ"_s
                                      << true;
    QTest::newRow("no host name") << Address::NoHostName << ok << HttpError::HostNotFound << u"ไม่พบเซิร์ฟเวอร์"_s << true;
    QTest::newRow("connection dropped unanswered") << served << FakeHttpResponse {.dropConnection = true}
                                                   << HttpError::CannotConnect << u"ติดต่อเซิร์ฟเวอร์ไม่ได้"_s << true;
    QTest::newRow("TLS to a plain server")
        << Address::PlainServerOverTls << ok << HttpError::Tls << u"ติดต่อเซิร์ฟเวอร์อย่างปลอดภัยไม่ได้"_s << true;
    QTest::newRow("silent past the transfer limit") << served << FakeHttpResponse {.delayMs = 5000}
                                                    << HttpError::Timeout << u"เซิร์ฟเวอร์ไม่ตอบภายในเวลาที่กำหนด"_s << false;
    QTest::newRow("trickling past the deadline") << served << FakeHttpResponse {.body = bytes(100), .trickleMs = 50}
                                                 << HttpError::Timeout << u"เซิร์ฟเวอร์ไม่ตอบภายในเวลาที่กำหนด"_s << false;
    QTest::newRow("too large, length given") << served << FakeHttpResponse {.body = bytes(100000)}
                                             << HttpError::TooLarge << u"ข้อมูลจากเซิร์ฟเวอร์ใหญ่เกินกำหนด"_s << false;
    // A byte a millisecond: the whole answer would outlast the deadline, so only a stop at the limit passes.
    QTest::newRow("too large, no length given")
        << served << FakeHttpResponse {.body = bytes(100000), .trickleMs = 1, .omitContentLength = true}
        << HttpError::TooLarge << u"ข้อมูลจากเซิร์ฟเวอร์ใหญ่เกินกำหนด"_s << false;
    QTest::newRow("redirect loop") << served
                                   << FakeHttpResponse {.status = 302, .headers = {{"Location"_ba, "/again"_ba}}}
                                   << HttpError::Other << u"รับข้อมูลจากเซิร์ฟเวอร์ไม่ได้"_s << true;
}

void TestHttpFetch::outcomes()
{
    QFETCH(Address, address);
    QFETCH(FakeHttpResponse, response);
    QFETCH(HttpError, error);
    QFETCH(QString, message);
    QFETCH(bool, detailed);

    LocalHttpServer server([&response](const FakeHttpRequest&) { return response; });
    QVERIFY(server.listen());
    QUrl url = server.baseUrl();
    QTcpServer plain;
    if (address == Address::ClosedPort) {
        LocalHttpServer closed {LocalHttpServer::Handler()};
        QVERIFY(closed.listen());
        url = closed.baseUrl();
    } else if (address == Address::NoHostName) {
        // A label longer than names may have: the name is refused before any look-up leaves the machine.
        url = QUrl(u"http://"_s + QString(70, u'a') + u".example/"_s);
    } else if (address == Address::PlainServerOverTls) {
        if (!QSslSocket::supportsSsl()) {
            QSKIP("no TLS backend");
        }
        QVERIFY(plain.listen(QHostAddress::LocalHost));
        connect(&plain, &QTcpServer::newConnection, &plain,
            [&plain] { plain.nextPendingConnection()->write("HTTP/1.1 200 OK\r\n\r\n"); });
        url = u"https://127.0.0.1:%1/"_s.arg(plain.serverPort());
    }

    HttpFetch fetch(m_manager, HttpRequest::get(QNetworkRequest(url)), limits);
    const HttpResult& result = fetch.waitForResult();

    QCOMPARE(result.error, error);
    QCOMPARE(result.message, message);
    QCOMPARE(!result.detail.isEmpty(), detailed);
    QCOMPARE(result.body, result.ok() ? response.body : QByteArray());
    if (!result.ok()) {
        // Thai first, each part on a line of its own.
        QCOMPARE(result.failureText(u"heading"),
            u"heading\n"_s + message + (detailed ? u"\n"_s + result.detail : QString()));
    }
    if (error == HttpError::Other) {
        // The first request and three redirects; the network layer may resend one on a closed connection.
        QVERIFY2(server.requestCount() >= 4 && server.requestCount() <= 8,
            qPrintable(QString::number(server.requestCount())));
    }
}

void TestHttpFetch::cancelEndsTheFetchAtOnce()
{
    LocalHttpServer server([](const FakeHttpRequest&) { return FakeHttpResponse {.delayMs = 60000}; });
    QVERIFY(server.listen());
    HttpFetch fetch(m_manager, HttpRequest::get(QNetworkRequest(server.baseUrl())), HttpLimits {});
    QSignalSpy finished(&fetch, &HttpFetch::finished);
    QTimer::singleShot(50, this, [&fetch] { fetch.cancel(); });

    const HttpResult& result = fetch.waitForResult();

    QCOMPARE(result.error, HttpError::Cancelled);
    QCOMPARE(result.message, u"ยกเลิกแล้ว"_s);
    QVERIFY(result.detail.isEmpty());
    QCOMPARE(server.requestCount(), 1);
    // Said once: a later cancel changes nothing.
    fetch.cancel();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(result.error, HttpError::Cancelled);
}

QTEST_GUILESS_MAIN(TestHttpFetch)
#include "tst_httpfetch.moc"
