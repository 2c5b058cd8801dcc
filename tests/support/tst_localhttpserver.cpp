#include "LocalHttpServer.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLocalHttpServer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersGetAndPost();
    void delayedAnswerArrivesLater();
    void droppedConnectionIsAnError();

private:
    QNetworkReply* waitFor(QNetworkReply* reply);
    QNetworkAccessManager m_manager;
};

QNetworkReply* TestLocalHttpServer::waitFor(QNetworkReply* reply)
{
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished()) {
        finished.wait(5000);
    }
    return reply;
}

void TestLocalHttpServer::answersGetAndPost()
{
    LocalHttpServer server([](const FakeHttpRequest& request) {
        FakeHttpResponse response;
        response.body = request.method + ' ' + request.path + ' ' + request.body;
        response.headers.append(qMakePair("X-Test"_ba, "yes"_ba));
        return response;
    });
    QVERIFY(server.listen());

    QUrl url = server.baseUrl();
    url.setPath(u"/detail.php"_s);
    url.setQuery(u"link=result_text"_s);
    std::unique_ptr<QNetworkReply> get(waitFor(m_manager.get(QNetworkRequest(url))));
    QCOMPARE(get->error(), QNetworkReply::NoError);
    QCOMPARE(get->readAll(), "GET /detail.php "_ba);
    QCOMPARE(get->rawHeader("X-Test"), "yes"_ba);

    QNetworkRequest postRequest(url);
    postRequest.setHeader(QNetworkRequest::ContentTypeHeader, u"application/x-www-form-urlencoded"_s);
    std::unique_ptr<QNetworkReply> post(waitFor(m_manager.post(postRequest, "a=1&b=2"_ba)));
    QCOMPARE(post->readAll(), "POST /detail.php a=1&b=2"_ba);

    QCOMPARE(server.requestCount(), 2);
    const auto requests = server.requests();
    QCOMPARE(requests[0].target, "/detail.php?link=result_text"_ba);
    QCOMPARE(requests[1].headers.value("content-type"), "application/x-www-form-urlencoded"_ba);
}

void TestLocalHttpServer::delayedAnswerArrivesLater()
{
    LocalHttpServer server([](const FakeHttpRequest&) {
        FakeHttpResponse response;
        response.body = "late";
        response.delayMs = 200;
        return response;
    });
    QVERIFY(server.listen());
    std::unique_ptr<QNetworkReply> reply(m_manager.get(QNetworkRequest(server.baseUrl())));
    // The server does not block while it waits: the request is counted before the answer comes.
    QTRY_COMPARE(server.requestCount(), 1);
    QVERIFY(!reply->isFinished());
    waitFor(reply.get());
    QCOMPARE(reply->readAll(), "late"_ba);
}

void TestLocalHttpServer::droppedConnectionIsAnError()
{
    LocalHttpServer server([](const FakeHttpRequest&) {
        FakeHttpResponse response;
        response.dropConnection = true;
        return response;
    });
    QVERIFY(server.listen());
    std::unique_ptr<QNetworkReply> reply(waitFor(m_manager.get(QNetworkRequest(server.baseUrl()))));
    QVERIFY(reply->isFinished());
    QVERIFY(reply->error() != QNetworkReply::NoError);
}

QTEST_GUILESS_MAIN(TestLocalHttpServer)
#include "tst_localhttpserver.moc"
