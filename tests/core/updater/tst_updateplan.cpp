#include "data/DrawRecord.h"
#include "updater/UpdatePlan.h"
#include "updater/UpdaterTexts.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestUpdatePlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void collectNewEntries_data();
    void collectNewEntries();
    void repeatedWalksCollectEachDrawOnce();
    void listAttempts_data();
    void listAttempts();
    void entriesToDownload_data();
    void entriesToDownload();
    void checkFetchedDraw_data();
    void checkFetchedDraw();
    void newestStoredKey_data();
    void newestStoredKey();
    void thaiDateIsSevenHoursAhead();
};

void TestUpdatePlan::collectNewEntries_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("newest");
    QTest::addColumn<QStringList>("collected");
    QTest::addColumn<bool>("stopped");

    const QStringList page {u"25530916"_s, u"25530901xyz"_s, u"25530816"_s, u"25530801"_s};
    QTest::newRow("two new") << page << u"25530816"_s << QStringList({u"25530916"_s, u"25530901xyz"_s}) << true;
    QTest::newRow("none new") << page << u"25530916"_s << QStringList() << true;
    QTest::newRow("older entry stops the walk") << page << u"25530905"_s << QStringList({u"25530916"_s}) << true;
    QTest::newRow("only newer listed") << page << u"25530716"_s << page << false;
    QTest::newRow("empty list") << QStringList() << u"25530716"_s << QStringList() << false;
    QTest::newRow("nothing stored: all new") << page << QString() << page << true;
    QTest::newRow("keys compare as numbers")
        << QStringList({u"25600101"_s, u"25591216"_s}) << u"25591216"_s << QStringList({u"25600101"_s}) << true;
    QTest::newRow("same key twice") << QStringList({u"25530916"_s, u"25530916abc"_s, u"25530816"_s}) << u"25530816"_s
                                    << QStringList({u"25530916"_s}) << true;
}

void TestUpdatePlan::collectNewEntries()
{
    QFETCH(QStringList, listed);
    QFETCH(QString, newest);
    QFETCH(QStringList, collected);
    QFETCH(bool, stopped);

    QStringList result;
    QCOMPARE(UpdatePlan::collectNewEntries(listed, newest, result).stopped, stopped);
    QCOMPARE(result, collected);
}

void TestUpdatePlan::repeatedWalksCollectEachDrawOnce()
{
    const QStringList page {u"25530916"_s, u"25530901"_s};
    QStringList collected;
    for (int attempt = 0; attempt < UpdatePlan::maxListAttempts; ++attempt) {
        QVERIFY(!UpdatePlan::collectNewEntries(page, u"25530816"_s, collected).stopped);
    }
    QCOMPARE(collected, page);
}

void TestUpdatePlan::listAttempts_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("attempts");
    QTest::newRow("nothing stored") << 0 << 1;
    QTest::newRow("one line") << 1 << 1;
    QTest::newRow("two lines") << 2 << 2;
    QTest::newRow("three lines") << 3 << 3;
    QTest::newRow("many lines") << 1500 << 3;
}

void TestUpdatePlan::listAttempts()
{
    QFETCH(int, stored);
    QFETCH(int, attempts);
    QCOMPARE(UpdatePlan::listAttempts(stored), attempts);
}

void TestUpdatePlan::entriesToDownload_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("storedLines");
    QTest::addColumn<QStringList>("entries");

    const QStringList page {u"25530916xyz"_s, u"25530901"_s, u"25530816"_s};
    QTest::newRow("empty file") << page << QStringList() << page;
    QTest::newRow("stored draws skipped") << page << QStringList({u"25530901,123456,111,222,333,444,55"_s})
                                          << QStringList({u"25530916xyz"_s, u"25530816"_s});
    QTest::newRow("key with a suffix is stored") << page << QStringList({u"25530916,123456,111,222,333,444,55"_s})
                                                 << QStringList({u"25530901"_s, u"25530816"_s});
    QTest::newRow("listed twice") << QStringList({u"25530916"_s, u"25530916b"_s}) << QStringList()
                                  << QStringList({u"25530916"_s});
}

void TestUpdatePlan::entriesToDownload()
{
    QFETCH(QStringList, listed);
    QFETCH(QStringList, storedLines);
    QFETCH(QStringList, entries);
    QCOMPARE(UpdatePlan::entriesToDownload(listed, UpdatePlan::storedKeys(storedLines)), entries);
}

void TestUpdatePlan::checkFetchedDraw_data()
{
    QTest::addColumn<DrawRecord>("record");
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QDate>("today");

    const DrawRecord good {u"25530816"_s, u"123456"_s, u"011"_s, u"222"_s, u"333"_s, u"444"_s, u"05"_s};
    const QDate drawDay(2010, 8, 16);
    QTest::newRow("good") << good << QString() << drawDay;
    QTest::newRow("draw day is tomorrow") << good << QString() << drawDay.addDays(-1);
    QTest::newRow("draw day two days ahead")
        << good << UpdaterTexts::futureDrawDate().toString() << drawDay.addDays(-2);
    QTest::newRow("draw day next year") << good << UpdaterTexts::futureDrawDate().toString() << drawDay.addYears(-1);
    auto with = [&good](auto change) {
        DrawRecord record = good;
        change(record);
        return record;
    };
    const QString firstPrize = UpdaterTexts::badFirstPrize().toString();
    const QString three = UpdaterTexts::badThreeDigit().toString();
    const QString two = UpdaterTexts::badTwoDigit().toString();
    const QString date = UpdaterTexts::badDrawDate().toString();
    QTest::newRow("empty first prize") << with([](DrawRecord& r) { r.firstPrize.clear(); }) << firstPrize << drawDay;
    QTest::newRow("short first prize") << with([](DrawRecord& r) { r.firstPrize = u"12345"_s; }) << firstPrize
                                       << drawDay;
    QTest::newRow("comma in first prize")
        << with([](DrawRecord& r) { r.firstPrize = u"123,45"_s; }) << firstPrize << drawDay;
    QTest::newRow("blank in first prize")
        << with([](DrawRecord& r) { r.firstPrize = u"12 456"_s; }) << firstPrize << drawDay;
    QTest::newRow("Thai digits") << with([](DrawRecord& r) {
        r.firstPrize = u"\u0e51\u0e52\u0e53\u0e54\u0e55\u0e56"_s;
    }) << firstPrize << drawDay;
    QTest::newRow("empty three-digit") << with([](DrawRecord& r) { r.threeDigit4.clear(); }) << three << drawDay;
    QTest::newRow("four digits") << with([](DrawRecord& r) { r.threeDigit2 = u"2222"_s; }) << three << drawDay;
    QTest::newRow("line break") << with([](DrawRecord& r) { r.threeDigit3 = u"3\n3"_s; }) << three << drawDay;
    QTest::newRow("empty two-digit") << with([](DrawRecord& r) { r.twoDigit.clear(); }) << two << drawDay;
    QTest::newRow("letters in two-digit") << with([](DrawRecord& r) { r.twoDigit = u"5a"_s; }) << two << drawDay;
    QTest::newRow("another draw's date") << with([](DrawRecord& r) { r.drawDate = u"25530801"_s; }) << date << drawDay;
}

void TestUpdatePlan::checkFetchedDraw()
{
    QFETCH(DrawRecord, record);
    QFETCH(QString, problem);
    QFETCH(QDate, today);
    const Status status = UpdatePlan::checkFetchedDraw(record, u"25530816", today);
    QCOMPARE(status.ok(), problem.isEmpty());
    if (!problem.isEmpty()) {
        QVERIFY2(status.error().contains(problem), qPrintable(status.error()));
    }
}

void TestUpdatePlan::newestStoredKey_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("newest");
    QTest::addColumn<qsizetype>("placeOf25690816");

    QTest::newRow("newest first") << QStringList {u"25690901,1"_s, u"25690801,2"_s} << u"25690901"_s << qsizetype(1);
    QTest::newRow("newest not first") << QStringList {u"25690801,1"_s, u"25690716,2"_s, u"25690901,3"_s}
                                      << u"25690901"_s << qsizetype(0);
    QTest::newRow("unreadable keys passed over")
        << QStringList {u"\u00ef\u00bb\u00bf25690,1"_s, u"25690716,2"_s} << u"25690716"_s << qsizetype(1);
    QTest::newRow("no line") << QStringList() << QString() << qsizetype(0);
    QTest::newRow("all older") << QStringList {u"25690801,1"_s} << u"25690801"_s << qsizetype(0);
    QTest::newRow("all newer") << QStringList {u"25691001,1"_s} << u"25691001"_s << qsizetype(1);
}

void TestUpdatePlan::newestStoredKey()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, newest);
    QFETCH(qsizetype, placeOf25690816);
    QCOMPARE(UpdatePlan::newestStoredKey(lines), newest);
    QCOMPARE(UpdatePlan::insertionIndex(lines, u"25690816"), placeOf25690816);
}

void TestUpdatePlan::thaiDateIsSevenHoursAhead()
{
    QCOMPARE(UpdatePlan::thaiDate(QDateTime(QDate(2026, 12, 6), QTime(16, 59), Qt::UTC)), QDate(2026, 12, 6));
    QCOMPARE(UpdatePlan::thaiDate(QDateTime(QDate(2026, 12, 6), QTime(17, 0), Qt::UTC)), QDate(2026, 12, 7));
}

QTEST_GUILESS_MAIN(TestUpdatePlan)
#include "tst_updateplan.moc"
