#include "updater/Clock.h"
#include "updater/PageDrawSource.h"
#include "updater/SourceOptions.h"

#include <QCommandLineParser>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPageSourceOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resultPage_data();
    void resultPage();
};

void TestPageSourceOptions::resultPage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QUrl>("page");

    QTest::newRow("default") << QStringList {u"--source=page"_s} << true
                             << QUrl(u"http://www.glo.or.th/detail.php?link=result_text"_s);
    QTest::newRow("given") << QStringList {u"--source=page"_s, u"--result-page=http://127.0.0.1:8080/r.php?a=1"_s}
                           << true << QUrl(u"http://127.0.0.1:8080/r.php?a=1"_s);
    QTest::newRow("https") << QStringList {u"--source=page"_s, u"--result-page"_s, u"https://example.test/x"_s} << true
                           << QUrl(u"https://example.test/x"_s);
    QTest::newRow("not on the web") << QStringList {u"--source=page"_s, u"--result-page=file:///etc/passwd"_s} << false
                                    << QUrl();
    QTest::newRow("no host") << QStringList {u"--source=page"_s, u"--result-page=http://"_s} << false << QUrl();
}

void TestPageSourceOptions::resultPage()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, ok);
    QFETCH(QUrl, page);

    QCommandLineParser parser;
    SourceOptions::addTo(parser);
    QVERIFY(parser.parse(QStringList {u"varenta"_s} + arguments));
    const Result<SourceOptions> options = SourceOptions::read(parser);
    QCOMPARE(options.ok(), ok);
    if (!ok) {
        QVERIFY(options.error().contains(u"--result-page"_s));
        return;
    }
    QCOMPARE(options.value().kind, SourceOptions::Kind::Page);
    QCOMPARE(options.value().resultPage, page);
    const DrawSourceFactory factory = makeDrawSourceFactory(options.value(), Clock::system());
    const std::unique_ptr<DrawSource> source = factory();
    QVERIFY(dynamic_cast<PageDrawSource*>(source.get()));
}

QTEST_GUILESS_MAIN(TestPageSourceOptions)
#include "tst_pagesourceoptions.moc"
