#include "LocalHttpServer.h"
#include "TestData.h"
#include "data/ThaiCalendar.h"
#include "updater/PageClient.h"
#include "updater/UpdaterTexts.h"

#include <QStringEncoder>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QByteArray savedPage(const QString& name)
{
    return testDataFile(u"resultpage/"_s + name);
}

FakeHttpResponse html(const QByteArray& body, const QByteArray& contentType = "text/html")
{
    FakeHttpResponse response;
    response.body = body;
    response.contentType = contentType;
    return response;
}

} // namespace

class TestPageClient : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void submitsFormAtTheServer_data();
    void submitsFormAtTheServer();
    void decodesByServerCharset();
    void followsRedirects();
    void loadFailures_data();
    void loadFailures();
    void abortEndsTheWait();
    void deeplyNestedPageIsRefused_data();
    void deeplyNestedPageIsRefused();
};

void TestPageClient::submitsFormAtTheServer_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("post");
    QTest::addColumn<QByteArray>("formData");

    QStringEncoder thai("windows-874");
    const QByteArray note = QByteArray(thai(ThaiDayNames::forWeekday(2))).toPercentEncoding();
    const QByteArray b1 = QByteArray(thai(ThaiDayNames::forWeekday(3))).toPercentEncoding();
    const QByteArray noteUtf8 = ThaiDayNames::forWeekday(2).toUtf8().toPercentEncoding();
    const QByteArray b1Utf8 = ThaiDayNames::forWeekday(3).toUtf8().toPercentEncoding();
    const QByteArray middle = "&c2=2&r=b&select_round=25530801xyz&kind=third&t=line1%0D%0Aline2&B1=";

    QTest::newRow("POST windows-874") << u"result-windows874.html"_s << true
                                      << "link=result_text&note=" + note + middle + b1;
    QTest::newRow("GET windows-874") << u"result-windows874.html"_s << false
                                     << "link=result_text&note=" + note + middle + b1;
    QTest::newRow("POST UTF-8") << u"result-utf8.html"_s << true
                                << "link=result_text&note=" + noteUtf8 + middle + b1Utf8;
    QTest::newRow("GET UTF-8") << u"result-utf8.html"_s << false
                               << "link=result_text&note=" + noteUtf8 + middle + b1Utf8;
}

void TestPageClient::submitsFormAtTheServer()
{
    QFETCH(QString, file);
    QFETCH(bool, post);
    QFETCH(QByteArray, formData);

    QByteArray page = savedPage(file);
    if (!post) {
        page.replace("method=\"post\"", "method=\"get\"");
    }
    LocalHttpServer server([&page](const FakeHttpRequest& request) {
        FakeHttpResponse response = html(page);
        if (request.body.isEmpty() && !request.target.contains("select_round")) {
            response.headers.append(qMakePair("Set-Cookie"_ba, "session=abc; Path=/"_ba));
        }
        return response;
    });
    QVERIFY(server.listen());
    QUrl address = server.baseUrl();
    address.setPath(u"/lotto/detail.php"_s);
    address.setQuery(u"link=result_text"_s);

    PageClient client;
    client.navigate(address);
    QVERIFY(client.busy());
    QVERIFY(!client.document());
    QVERIFY(client.waitUntilLoaded().ok());
    QVERIFY(!client.busy());
    HtmlDocument* document = client.document();
    QVERIFY(document);
    QVERIFY(document->setSelectValue(document->elementByName(u"select_round"_s), u"25530801xyz"_s));
    QVERIFY(client.press(document->elementByName(u"B1"_s)).ok());
    QVERIFY(client.busy());
    QVERIFY(client.waitUntilLoaded().ok());

    QCOMPARE(server.requestCount(), 2);
    const FakeHttpRequest submitted = server.requests().at(1);
    QCOMPARE(submitted.path, "/lotto/detail.php"_ba);
    QCOMPARE(submitted.headers.value("cookie"), "session=abc"_ba);
    if (post) {
        QCOMPARE(submitted.method, "POST"_ba);
        QCOMPARE(submitted.target, "/lotto/detail.php?link=result_text"_ba);
        QCOMPARE(submitted.headers.value("content-type"), "application/x-www-form-urlencoded"_ba);
        QCOMPARE(submitted.body, formData);
    } else {
        QCOMPARE(submitted.method, "GET"_ba);
        QCOMPARE(submitted.target, "/lotto/detail.php?" + formData);
        QVERIFY(submitted.body.isEmpty());
    }
}

void TestPageClient::decodesByServerCharset()
{
    // The page says nothing of its charset; the server does.
    QByteArray page = savedPage(u"result-windows874.html"_s);
    page.replace("charset=windows-874", "");
    LocalHttpServer server([&page](const FakeHttpRequest&) { return html(page, "text/html; charset=TIS-620"); });
    QVERIFY(server.listen());
    PageClient client;
    client.navigate(server.baseUrl());
    QVERIFY(client.waitUntilLoaded().ok());
    QCOMPARE(client.document()->elementsByTagName(u"option"_s).at(2).innerText(), drawTitle(u"25530816"));
    QCOMPARE(client.document()->charset(), HtmlCharset::Charset::Thai);
}

void TestPageClient::followsRedirects()
{
    LocalHttpServer server([](const FakeHttpRequest& request) {
        if (request.path == "/old") {
            FakeHttpResponse moved;
            moved.status = 302;
            moved.headers.append(qMakePair("Location"_ba, "/new/page.php"_ba));
            return moved;
        }
        return html("<form action=next.php><input type=submit name=B1></form>");
    });
    QVERIFY(server.listen());
    PageClient client;
    client.navigate(server.baseUrl().resolved(QUrl(u"/old"_s)));
    QVERIFY(client.waitUntilLoaded().ok());
    QCOMPARE(client.document()->address().path(), u"/new/page.php"_s);
    // The form's action resolves against the address the page came from.
    QVERIFY(client.press(client.document()->elementByName(u"B1"_s)).ok());
    QVERIFY(client.waitUntilLoaded().ok());
    QCOMPARE(server.requests().constLast().path, "/new/next.php"_ba);
}

void TestPageClient::loadFailures_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("bodyBytes");
    QTest::addColumn<int>("trickleMs");
    QTest::addColumn<bool>("redirectLoop");
    QTest::addColumn<QString>("message"); // its first two lines: what failed, then why

    QTest::newRow("404") << 404 << 100 << 0 << false << u"โหลดหน้าผลรางวัลไม่ได้\nเซิร์ฟเวอร์ตอบกลับด้วยรหัส 404"_s;
    QTest::newRow("too large") << 200 << 300000 << 0 << false << u"โหลดหน้าผลรางวัลไม่ได้\nข้อมูลจากเซิร์ฟเวอร์ใหญ่เกินกำหนด"_s;
    QTest::newRow("trickling reply") << 200 << 100 << 100 << false
                                     << u"โหลดหน้าผลรางวัลไม่ได้\nเซิร์ฟเวอร์ไม่ตอบภายในเวลาที่กำหนด"_s;
    QTest::newRow("redirect loop") << 302 << 0 << 0 << true << u"โหลดหน้าผลรางวัลไม่ได้\nรับข้อมูลจากเซิร์ฟเวอร์ไม่ได้"_s;
}

void TestPageClient::loadFailures()
{
    QFETCH(int, status);
    QFETCH(int, bodyBytes);
    QFETCH(int, trickleMs);
    QFETCH(bool, redirectLoop);
    QFETCH(QString, message);

    LocalHttpServer server([&](const FakeHttpRequest&) {
        FakeHttpResponse response = html(QByteArray(bodyBytes, 'x'));
        response.trickleMs = trickleMs;
        response.status = status;
        if (redirectLoop) {
            response.headers.append(qMakePair("Location"_ba, "/again"_ba));
        }
        return response;
    });
    QVERIFY(server.listen());

    PageClient client;
    // Bytes come more often than the transfer limit, but the whole page takes far longer than its time limit.
    client.setLimits({200, 3, 100000, 600});
    client.navigate(server.baseUrl());
    const Status loaded = client.waitUntilLoaded();
    QVERIFY(!loaded.ok());
    QCOMPARE(loaded.error().section(u'\n', 0, 1), message);
    QVERIFY(!client.document());
    QVERIFY(!client.busy());
    if (redirectLoop) {
        // The client's own redirect limit: the first request and three redirects, perhaps one sent again.
        QVERIFY2(server.requestCount() >= 4 && server.requestCount() <= 8,
            qPrintable(QString::number(server.requestCount())));
    }
}

void TestPageClient::abortEndsTheWait()
{
    LocalHttpServer server([](const FakeHttpRequest&) {
        FakeHttpResponse response = html("late");
        response.delayMs = 5000;
        return response;
    });
    QVERIFY(server.listen());
    PageClient client;
    client.navigate(server.baseUrl());
    QTRY_COMPARE(server.requestCount(), 1);
    bool stop = false;
    QTimer::singleShot(50, this, [&stop] { stop = true; });
    const Status loaded = client.waitUntilLoaded([&stop] { return stop; });
    QVERIFY(!loaded.ok());
    QVERIFY(loaded.error().contains(UpdaterTexts::cancelled()));
    QVERIFY(!client.busy());
}

void TestPageClient::deeplyNestedPageIsRefused_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<bool>("ok");

    auto nested = [](const QByteArray& open, const QByteArray& close, int depth) -> QByteArray {
        return "<html><body>" + open.repeated(depth) + "x" + close.repeated(depth) + "</body></html>";
    };
    QTest::newRow("80,000 nested elements") << nested("<div>", "</div>", 80000) << false;
    QTest::newRow("unclosed font elements") << nested("<font size=2>", "", 1000) << false;
    QTest::newRow("a real page's depth") << nested("<div class=\"a>b\">", "</div>", 60) << true;
    QTest::newRow("many unclosed options and cells")
        << QByteArray("<table><tr>" + QByteArray("<td>1").repeated(2000) + "</table><select>" +
               QByteArray("<option value=25530816>x").repeated(2000) + "</select>")
        << true;
    QTest::newRow("tags in comments and scripts do not count")
        << QByteArray("<!--" + QByteArray("<div>").repeated(1000) + "--><script>" + QByteArray("<b>").repeated(1000) +
               "</script><p>x")
        << true;
}

void TestPageClient::deeplyNestedPageIsRefused()
{
    QFETCH(QByteArray, page);
    QFETCH(bool, ok);
    LocalHttpServer server([&page](const FakeHttpRequest&) { return html(page); });
    QVERIFY(server.listen());

    PageClient client;
    client.navigate(server.baseUrl());
    const Status loaded = client.waitUntilLoaded();
    QCOMPARE(loaded.ok(), ok);
    QCOMPARE(client.document() != nullptr, ok);
    if (!ok) {
        QVERIFY2(loaded.error().contains(UpdaterTexts::pageTooDeep()), qPrintable(loaded.error()));
    }
}

QTEST_GUILESS_MAIN(TestPageClient)
#include "tst_pageclient.moc"
