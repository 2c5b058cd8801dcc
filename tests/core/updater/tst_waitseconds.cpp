#include "updater/Clock.h"
#include "updater/Module1.h"

#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

/// A clock that gives the listed instants, one per reading, and then stays at the last.
class ScriptedClock final : public Clock
{
public:
    explicit ScriptedClock(QList<QDateTime> readings)
        : m_readings(std::move(readings))
    { }

    QDateTime now() const override
    {
        const QDateTime instant = m_readings.value(m_reads, m_readings.constLast());
        ++m_reads;
        return instant;
    }
    std::chrono::milliseconds pollInterval() const override { return std::chrono::milliseconds(0); }

    int reads() const { return m_reads; }

private:
    QList<QDateTime> m_readings;
    mutable int m_reads = 0;
};

QDateTime at(int hour, int minute, int second, int ms = 0)
{
    return QDateTime(QDate(2026, 5, 2), QTime(hour, minute, second, ms), Qt::UTC);
}

} // namespace

class TestWaitSeconds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeSeconds_data();
    void wholeSeconds();
    void noWaitForZeroOrLess_data();
    void noWaitForZeroOrLess();
    void eventsRunDuringTheWait();
    void stopEndsTheWait();
};

void TestWaitSeconds::wholeSeconds_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QList<QDateTime>>("readings");
    QTest::addColumn<int>("reads");

    // The first reading is the start instant; the wait returns at the reading that ends it.
    QTest::newRow("boundary crossed after a fraction")
        << 1.0 << QList<QDateTime>({at(10, 0, 0, 900), at(10, 0, 0, 950), at(10, 0, 1, 0), at(10, 0, 1, 500)}) << 3;
    QTest::newRow("almost a whole second is not yet one")
        << 1.0 << QList<QDateTime>({at(10, 0, 0, 0), at(10, 0, 0, 999), at(10, 0, 1, 0)}) << 3;
    QTest::newRow("two seconds") << 2.0
                                 << QList<QDateTime>(
                                        {at(10, 0, 0, 500), at(10, 0, 1, 999), at(10, 0, 2, 0), at(10, 0, 3)})
                                 << 3;
    QTest::newRow("fraction acts as the next whole number")
        << 2.5 << QList<QDateTime>({at(10, 0, 0), at(10, 0, 2, 999), at(10, 0, 3), at(10, 0, 4)}) << 3;
    QTest::newRow("a small fraction waits one second")
        << 0.1 << QList<QDateTime>({at(10, 0, 0, 100), at(10, 0, 0, 900), at(10, 0, 1, 0)}) << 3;
    QTest::newRow("clock set back lengthens the wait")
        << 1.0 << QList<QDateTime>({at(10, 0, 5), at(10, 0, 3), at(10, 0, 5, 500), at(10, 0, 6), at(10, 0, 9)}) << 4;
    QTest::newRow("clock set forward ends it") << 3.0 << QList<QDateTime>({at(10, 0, 0), at(11, 0, 0)}) << 2;
    QTest::newRow("across midnight") << 1.0
                                     << QList<QDateTime>(
                                            {at(23, 59, 59, 700), QDateTime(QDate(2026, 5, 3), QTime(0, 0), Qt::UTC)})
                                     << 2;
}

void TestWaitSeconds::wholeSeconds()
{
    QFETCH(double, seconds);
    QFETCH(QList<QDateTime>, readings);
    QFETCH(int, reads);

    ScriptedClock clock(readings);
    Module1::WaitSeconds(seconds, clock);
    QCOMPARE(clock.reads(), reads);
}

void TestWaitSeconds::noWaitForZeroOrLess_data()
{
    QTest::addColumn<double>("seconds");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative") << -2.0;
    QTest::newRow("not a number") << std::nan("");
}

void TestWaitSeconds::noWaitForZeroOrLess()
{
    QFETCH(double, seconds);
    ScriptedClock clock({at(10, 0, 0)});
    bool ran = false;
    QTimer::singleShot(0, this, [&ran] { ran = true; });
    Module1::WaitSeconds(seconds, clock);
    QCOMPARE(clock.reads(), 0);
    QVERIFY(!ran);
    QTRY_VERIFY(ran);
}

void TestWaitSeconds::eventsRunDuringTheWait()
{
    // Many readings within the same second: the wait keeps running events until the second is over.
    QList<QDateTime> readings {at(10, 0, 0)};
    for (int i = 0; i < 50; ++i) {
        readings.append(at(10, 0, 0, 10 + i));
    }
    readings.append(at(10, 0, 1));
    ScriptedClock clock(readings);
    bool ran = false;
    QTimer::singleShot(0, this, [&ran] { ran = true; });
    Module1::WaitSeconds(1, clock);
    QVERIFY(ran);
    QCOMPARE(clock.reads(), 52);
}

void TestWaitSeconds::stopEndsTheWait()
{
    ScriptedClock clock({at(10, 0, 0)});
    int asked = 0;
    Module1::WaitSeconds(5, clock, [&asked] { return ++asked == 3; });
    QCOMPARE(asked, 3);
}

QTEST_GUILESS_MAIN(TestWaitSeconds)
#include "tst_waitseconds.moc"
