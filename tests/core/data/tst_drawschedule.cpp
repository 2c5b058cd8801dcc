#include "data/DrawSchedule.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"

#include <QDate>
#include <QTest>

using namespace Qt::StringLiterals;

using DateList = QList<QDate>;

class TestDrawSchedule : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyBundledDrawIsPredicted();
    void heldOn_data();
    void heldOn();
    void outlook_data();
    void outlook();
};

void TestDrawSchedule::everyBundledDrawIsPredicted()
{
    const Result<QStringList> lines = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
    QVERIFY(lines);
    QList<QDate> bundled;
    for (const QString& line : lines.value()) {
        bundled.append(gregorianDate(line.left(8)));
    }
    std::sort(bundled.begin(), bundled.end());
    QCOMPARE(bundled.size(), 756);
    QCOMPARE(bundled.constFirst(), QDate(1995, 1, 16));
    QCOMPARE(bundled.constLast(), QDate(2026, 8, 16));

    const QList<QDate> predicted = DrawSchedule::usualDrawDates(bundled.constFirst(), bundled.constLast());
    // Told apart date by date, so that a failure names the draw.
    for (const QDate& date : std::as_const(bundled)) {
        QVERIFY2(predicted.contains(date), qPrintable(u"not predicted: "_s + date.toString(Qt::ISODate)));
    }
    for (const QDate& date : predicted) {
        QVERIFY2(bundled.contains(date), qPrintable(u"no such draw: "_s + date.toString(Qt::ISODate)));
    }
    QCOMPARE(predicted, bundled);
}

void TestDrawSchedule::heldOn_data()
{
    QTest::addColumn<QDate>("nominal");
    QTest::addColumn<QDate>("held");

    QTest::newRow("an ordinary 1st") << QDate(2026, 9, 1) << QDate(2026, 9, 1);
    QTest::newRow("no draw day") << QDate(2026, 9, 2) << QDate();
    QTest::newRow("new year 2024 on 30 dec") << QDate(2024, 1, 1) << QDate(2023, 12, 30);
    QTest::newRow("new year 2025 on 2 jan") << QDate(2025, 1, 1) << QDate(2025, 1, 2);
    QTest::newRow("16 jan 2015 kept") << QDate(2015, 1, 16) << QDate(2015, 1, 16);
    QTest::newRow("teachers' day 2016") << QDate(2016, 1, 16) << QDate(2016, 1, 17);
    QTest::newRow("labour day 2027") << QDate(2027, 5, 1) << QDate(2027, 5, 2);
    QTest::newRow("16 may 1997 kept") << QDate(1997, 5, 16) << QDate(1997, 5, 16);
    QTest::newRow("16 jul 2019 a day early") << QDate(2019, 7, 16) << QDate(2019, 7, 15);
    QTest::newRow("16 apr 2020 called off") << QDate(2020, 4, 16) << QDate();
    QTest::newRow("1 jun 2020 held") << QDate(2020, 6, 1) << QDate(2020, 6, 1);
    QTest::newRow("1 aug 2023 a day early") << QDate(2023, 8, 1) << QDate(2023, 7, 31);
}

void TestDrawSchedule::heldOn()
{
    QFETCH(QDate, nominal);
    QFETCH(QDate, held);
    QCOMPARE(DrawSchedule::heldOn(nominal), held);
}

void TestDrawSchedule::outlook_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<DateList>("office");
    QTest::addColumn<QDate>("next");
    QTest::addColumn<int>("behind");
    QTest::addColumn<bool>("fromOffice");

    const QStringList bundledNewest {u"25690816"_s, u"25690801"_s, u"25690716"_s};
    QTest::newRow("up to date on the day after a draw")
        << bundledNewest << QDate(2026, 8, 17) << DateList() << QDate(2026, 9, 1) << 0 << false;
    QTest::newRow("a draw day: today's draw is next, not missing")
        << bundledNewest << QDate(2026, 9, 1) << DateList() << QDate(2026, 9, 1) << 0 << false;
    QTest::newRow("the day after a missed draw")
        << bundledNewest << QDate(2026, 9, 2) << DateList() << QDate(2026, 9, 16) << 1 << false;
    QTest::newRow("new year 2024 fell on 30 dec 2023")
        << QStringList {u"25661216"_s} << QDate(2024, 1, 10) << DateList() << QDate(2024, 1, 17) << 1 << false;
    QTest::newRow("the draws called off in 2020 are not missing")
        << QStringList {u"25630401"_s} << QDate(2020, 5, 20) << DateList() << QDate(2020, 6, 1) << 0 << false;
    QTest::newRow("the clock is behind the file")
        << QStringList {u"25691216"_s} << QDate(2026, 12, 1) << DateList() << QDate(2027, 1, 2) << 0 << false;
    QTest::newRow("texts that are no key are passed over")
        << QStringList {u"2569xx16"_s, u"25690801,932479"_s, QString()} << QDate(2026, 8, 10) << DateList()
        << QDate(2026, 8, 16) << 0 << false;
    QTest::newRow("nothing stored") << QStringList() << QDate(2026, 8, 10) << DateList() << QDate(2026, 8, 16) << 0
                                    << false;

    // The office moved the draw of 16 September to the 17th and lists the draws up to 1 October.
    const DateList office {QDate(2026, 10, 1), QDate(2026, 9, 17), QDate(2026, 9, 1), QDate(2026, 8, 16)};
    QTest::newRow("the office's date comes first")
        << bundledNewest << QDate(2026, 9, 10) << office << QDate(2026, 9, 17) << 1 << true;
    QTest::newRow("no draw on the usual day the office moved")
        << QStringList {u"25690901"_s} << QDate(2026, 9, 17) << office << QDate(2026, 9, 17) << 0 << true;
    QTest::newRow("the usual schedule after the office's list")
        << QStringList {u"25691001"_s} << QDate(2026, 10, 5) << office << QDate(2026, 10, 16) << 0 << false;
    QTest::newRow("a list of past draws only")
        << bundledNewest << QDate(2026, 9, 20) << DateList {QDate(2026, 1, 2), QDate(2026, 9, 1)} << QDate(2026, 10, 1)
        << 2 << false;
}

void TestDrawSchedule::outlook()
{
    QFETCH(QStringList, stored);
    QFETCH(QDate, today);
    QFETCH(DateList, office);
    QFETCH(QDate, next);
    QFETCH(int, behind);
    QFETCH(bool, fromOffice);

    const DrawSchedule::Outlook found = DrawSchedule::outlook(stored, today, office);
    QCOMPARE(found.nextDraw, next);
    QCOMPARE(found.behind, behind);
    QCOMPARE(found.nextFromOffice, fromOffice);
}

QTEST_GUILESS_MAIN(TestDrawSchedule)
#include "tst_drawschedule.moc"
