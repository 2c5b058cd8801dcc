#include "updater/Clock.h"
#include "updater/GloApiSource.h"
#include "updater/SourceOptions.h"

#include <QCommandLineParser>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SourceOptions::Kind)

/// The command-line choice between the lottery office's JSON API and its result page.
class TestApiSourceOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
    void apiKindMakesTheApiSource();
};

void TestApiSourceOptions::read_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<SourceOptions::Kind>("kind");
    QTest::addColumn<QUrl>("apiBase");

    const QUrl office(u"https://www.glo.or.th"_s);
    QTest::newRow("default: the API") << QStringList() << true << SourceOptions::Kind::Api << office;
    QTest::newRow("api") << QStringList {u"--source=api"_s} << true << SourceOptions::Kind::Api << office;
    QTest::newRow("page") << QStringList {u"--source=page"_s} << true << SourceOptions::Kind::Page << office;
    QTest::newRow("other base") << QStringList {u"--api-base=http://127.0.0.1:8080"_s} << true
                                << SourceOptions::Kind::Api << QUrl(u"http://127.0.0.1:8080"_s);
    QTest::newRow("unknown source") << QStringList {u"--source=ftp"_s} << false << SourceOptions::Kind::Api << QUrl();
    QTest::newRow("base not on the web") << QStringList {u"--api-base=ftp://example.org"_s} << false
                                         << SourceOptions::Kind::Api << QUrl();
}

void TestApiSourceOptions::read()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, ok);
    QFETCH(SourceOptions::Kind, kind);
    QFETCH(QUrl, apiBase);

    QCommandLineParser parser;
    SourceOptions::addTo(parser);
    QVERIFY(parser.parse(QStringList {u"varenta"_s} + arguments));
    const Result<SourceOptions> options = SourceOptions::read(parser);
    QCOMPARE(options.ok(), ok);
    if (!ok) {
        QVERIFY(!options.error().isEmpty());
        return;
    }
    QCOMPARE(options.value().kind, kind);
    QCOMPARE(options.value().apiBase, apiBase);
}

void TestApiSourceOptions::apiKindMakesTheApiSource()
{
    const DrawSourceFactory factory = makeDrawSourceFactory(SourceOptions(), Clock::system());
    QVERIFY(factory);
    const std::unique_ptr<DrawSource> source = factory();
    QVERIFY(dynamic_cast<GloApiSource*>(source.get()));
}

QTEST_GUILESS_MAIN(TestApiSourceOptions)
#include "tst_apisourceoptions.moc"
