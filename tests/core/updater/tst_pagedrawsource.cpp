#include "FakeResultSite.h"
#include "SteppingClock.h"
#include "data/ThaiCalendar.h"
#include "updater/NetworkTexts.h"
#include "updater/PageDrawSource.h"
#include "updater/UpdaterTexts.h"

#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QList<DrawRecord> draws {
    {u"25530916"_s, u"654321"_s, u"901"_s, u"902"_s, u"903"_s, u"904"_s, u"09"_s},
    {u"25530901"_s, u"000123"_s, u"777"_s, u"777"_s, u"012"_s, u"345"_s, u"00"_s},
    {u"25530816"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s},
};

} // namespace

class TestPageDrawSource : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listsAndFetches_data();
    void listsAndFetches();
    void listFailures_data();
    void listFailures();
    void drawFailures_data();
    void drawFailures();
    void slowDrawPageIsWaitedFor();
    void cancelEndsAFetch();

private:
    SteppingClock m_clock {std::chrono::milliseconds(250)};
};

void TestPageDrawSource::listsAndFetches_data()
{
    QTest::addColumn<int>("charset");
    QTest::addColumn<int>("declaration");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("suffix");

    using Site = FakeResultSite;
    QTest::newRow("windows-874, POST") << int(Site::Charset::Thai) << int(Site::CharsetDeclaration::Header)
                                       << int(Site::FormMethod::Post) << QString();
    QTest::newRow("windows-874 by meta, GET, suffix")
        << int(Site::Charset::Thai) << int(Site::CharsetDeclaration::Meta) << int(Site::FormMethod::Get) << u"xyz"_s;
    QTest::newRow("UTF-8, GET") << int(Site::Charset::Utf8) << int(Site::CharsetDeclaration::Header)
                                << int(Site::FormMethod::Get) << QString();
    QTest::newRow("UTF-8 by meta, POST, suffix")
        << int(Site::Charset::Utf8) << int(Site::CharsetDeclaration::Meta) << int(Site::FormMethod::Post) << u"-1"_s;
}

void TestPageDrawSource::listsAndFetches()
{
    QFETCH(int, charset);
    QFETCH(int, declaration);
    QFETCH(int, method);
    QFETCH(QString, suffix);

    FakeResultSite site(draws);
    site.setCharset(FakeResultSite::Charset(charset), FakeResultSite::CharsetDeclaration(declaration));
    site.setFormMethod(FakeResultSite::FormMethod(method));
    site.setOptionSuffix(suffix);
    QVERIFY(site.listen());

    PageDrawSource source(site.resultPageUrl(), m_clock);
    const Result<QStringList> listed = source.listDrawEntries();
    QVERIFY2(listed.ok(), qPrintable(listed.error()));
    QCOMPARE(listed.value(), QStringList({u"25530916"_s + suffix, u"25530901"_s + suffix, u"25530816"_s + suffix}));
    // The page's Thai text came through whole.
    QCOMPARE(source.client().document()->elementsByTagName(u"option"_s).at(1).innerText(), drawTitle(u"25530916"));

    for (const DrawRecord& draw : {draws[1], draws[2], draws[0]}) {
        const Result<DrawRecord> fetched = source.fetchDraw(draw.drawDate + suffix, FetchPace::Update);
        QVERIFY2(fetched.ok(), qPrintable(fetched.error()));
        QCOMPARE(fetched.value(), draw);
    }
    QCOMPARE(
        site.chosenValues(), QStringList({u"25530901"_s + suffix, u"25530816"_s + suffix, u"25530916"_s + suffix}));
    QCOMPARE(site.listLoads(), 1);
}

void TestPageDrawSource::listFailures_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("message");

    QTest::newRow("404") << int(ResultSiteFault::NotFound) << NetworkTexts::httpStatus().toString().arg(404);
    QTest::newRow("500") << int(ResultSiteFault::ServerError) << NetworkTexts::httpStatus().toString().arg(500);
    QTest::newRow("dropped") << int(ResultSiteFault::DropConnection) << UpdaterTexts::pageNotLoaded().toString();
    QTest::newRow("no selector") << int(ResultSiteFault::NoSelector) << UpdaterTexts::noDrawSelector().toString();
}

void TestPageDrawSource::listFailures()
{
    QFETCH(int, fault);
    QFETCH(QString, message);

    FakeResultSite site(draws);
    site.setListFault(ResultSiteFault(fault));
    QVERIFY(site.listen());
    PageDrawSource source(site.resultPageUrl(), m_clock);
    const Result<QStringList> listed = source.listDrawEntries();
    QVERIFY(!listed.ok());
    QVERIFY2(listed.error().contains(message), qPrintable(listed.error()));
}

void TestPageDrawSource::drawFailures_data()
{
    QTest::addColumn<int>("listFault");
    QTest::addColumn<int>("drawFault");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("message");

    const int none = int(ResultSiteFault::None);
    QTest::newRow("no button") << int(ResultSiteFault::NoButton) << none << u"25530901"_s
                               << UpdaterTexts::noShowButton().toString();
    QTest::newRow("fewer numbers") << none << int(ResultSiteFault::FewNumbers) << u"25530901"_s
                                   << UpdaterTexts::numbersMissing().toString().arg(drawTitle(u"25530901"));
    QTest::newRow("draw page 500") << none << int(ResultSiteFault::ServerError) << u"25530901"_s
                                   << NetworkTexts::httpStatus().toString().arg(500);
    QTest::newRow("draw page dropped") << none << int(ResultSiteFault::DropConnection) << u"25530901"_s
                                       << UpdaterTexts::pageNotLoaded().toString();
    QTest::newRow("draw not listed") << none << none << u"25520101"_s
                                     << UpdaterTexts::drawNotListed().toString().arg(drawTitle(u"25520101"));
}

void TestPageDrawSource::drawFailures()
{
    QFETCH(int, listFault);
    QFETCH(int, drawFault);
    QFETCH(QString, entry);
    QFETCH(QString, message);

    FakeResultSite site(draws);
    site.setListFault(ResultSiteFault(listFault));
    site.setDrawFault(u"25530901"_s, ResultSiteFault(drawFault));
    QVERIFY(site.listen());
    PageDrawSource source(site.resultPageUrl(), m_clock);
    QVERIFY(source.listDrawEntries().ok());
    const Result<DrawRecord> fetched = source.fetchDraw(entry, FetchPace::FullDownload);
    QVERIFY(!fetched.ok());
    QVERIFY2(fetched.error().contains(message), qPrintable(fetched.error()));
}

void TestPageDrawSource::slowDrawPageIsWaitedFor()
{
    // The page of the chosen draw comes long after the settle pause (which the stepping clock ends at once): the
    // numbers must still be those of the chosen draw, not of the page shown before.
    FakeResultSite site(draws);
    site.setDrawFault(u"25530816"_s, ResultSiteFault::None, 300);
    QVERIFY(site.listen());
    PageDrawSource source(site.resultPageUrl(), m_clock);
    QVERIFY(source.listDrawEntries().ok());
    const Result<DrawRecord> fetched = source.fetchDraw(u"25530816"_s, FetchPace::Update);
    QVERIFY2(fetched.ok(), qPrintable(fetched.error()));
    QCOMPARE(fetched.value(), draws[2]);
}

void TestPageDrawSource::cancelEndsAFetch()
{
    FakeResultSite site(draws);
    site.setDrawFault(u"25530816"_s, ResultSiteFault::None, 10000);
    QVERIFY(site.listen());
    PageDrawSource source(site.resultPageUrl(), m_clock);
    QVERIFY(source.listDrawEntries().ok());
    QTimer::singleShot(100, this, [&source] { source.cancel(); });
    const Result<DrawRecord> fetched = source.fetchDraw(u"25530816"_s, FetchPace::Update);
    QVERIFY(!fetched.ok());
    QVERIFY(fetched.error().contains(UpdaterTexts::cancelled()));
    // Every later call fails at once.
    QVERIFY(!source.listDrawEntries().ok());
}

QTEST_GUILESS_MAIN(TestPageDrawSource)
#include "tst_pagedrawsource.moc"
