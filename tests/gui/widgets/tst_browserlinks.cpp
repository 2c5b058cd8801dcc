#include "widgets/BrowserLinks.h"
#include "widgets/Dialogs.h"
#include "widgets/WidgetTexts.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestBrowserLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void opens_data();
    void opens();
};

void TestBrowserLinks::cleanup()
{
    Dialogs::setMessageHandlerForTests({});
    BrowserLinks::setOpenerForTests({});
}

void TestBrowserLinks::opens_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("browserOpens");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("opened");

    QTest::newRow("opened") << u"https://www.example.org/"_s << true << true << true;
    QTest::newRow("browser refuses") << u"https://www.example.org/"_s << false << true << false;
    QTest::newRow("not an address") << u"no address"_s << true << false << false;
    QTest::newRow("empty") << QString() << true << false << false;
}

void TestBrowserLinks::opens()
{
    QFETCH(QString, address);
    QFETCH(bool, browserOpens);
    QFETCH(bool, asked);
    QFETCH(bool, opened);

    QList<QUrl> requests;
    QList<Dialogs::Message> messages;
    BrowserLinks::setOpenerForTests([&](const QUrl& url) {
        requests.append(url);
        return browserOpens;
    });
    Dialogs::setMessageHandlerForTests([&](const Dialogs::Message& message) { messages.append(message); });

    QCOMPARE(BrowserLinks::openInDefaultBrowser(nullptr, address), opened);
    QCOMPARE(requests.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(requests[0], QUrl(address));
    }
    QCOMPARE(messages.size(), opened ? 0 : 1);
    if (!opened) {
        QVERIFY(messages[0].text.startsWith(WidgetTexts::browserFailed()));
        QVERIFY(messages[0].text.endsWith(address));
    }
}

QTEST_MAIN(TestBrowserLinks)
#include "tst_browserlinks.moc"
