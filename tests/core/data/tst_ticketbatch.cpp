#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "data/TicketBatch.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

/// The check of many tickets at once, against the bundled results file and prize tables.
class TestTicketBatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void checks_data();
    void checks();
    void stopsWhenTold();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<PrizeStore> m_store;
    std::unique_ptr<TicketChecker> m_checker;
};

void TestTicketBatch::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(u"prizes.sqlite"_s);
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_BUNDLED_PRIZES), path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    m_store = std::make_unique<PrizeStore>(path);
    QVERIFY(m_store->open());
    const Result<QStringList> lines = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
    QVERIFY(lines);
    m_checker = std::make_unique<TicketChecker>(*m_store, lines.value());
    QVERIFY(m_checker->load());
}

void TestTicketBatch::checks_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("draw");
    QTest::addColumn<int>("checked");
    QTest::addColumn<int>("winners");
    QTest::addColumn<QStringList>("totals");
    QTest::addColumn<bool>("somePrizesUnchecked");

    QTest::newRow("one draw, a sum within it")
        << u"536077 318543 111111 5360"_s << u"25690502"_s << 3 << 2 << QStringList {u"25690502 6006000"_s} << false;
    QTest::newRow("one draw without a full table")
        << u"004615 111111"_s << u"25690816"_s << 2 << 1 << QStringList {u"25690816 6000000"_s} << true;
    QTest::newRow("none won in a draw without a full table")
        << u"111111"_s << u"25690816"_s << 1 << 0 << QStringList() << true;
    // Every draw: each draw's winnings on their own, newest first, the draws without a full table among them.
    QTest::newRow("every draw") << u"354809"_s << QString() << 1 << 1
                                << QStringList {u"25670201 2000"_s, u"25660601 2000"_s, u"25650502 2000"_s,
                                       u"25630801 4000"_s, u"25620801 40000"_s, u"25590201"_s, u"25560216"_s,
                                       u"25531201"_s, u"25510901 ?"_s, u"25451201 ?"_s}
                                << true;
}

void TestTicketBatch::checks()
{
    QFETCH(QString, input);
    QFETCH(QString, draw);
    QFETCH(int, checked);
    QFETCH(int, winners);
    QFETCH(QStringList, totals);
    QFETCH(bool, somePrizesUnchecked);

    const TicketBatch batch = checkTicketBatch(*m_checker, TicketCheck::splitTickets(input), draw);
    QVERIFY2(batch.failure.isEmpty(), qPrintable(batch.failure));
    QVERIFY(!batch.canceled);
    QCOMPARE(batch.checked, checked);
    QCOMPARE(batch.winners, winners);
    // The amounts of today's era; those of older draws are the store's business.
    QStringList found;
    for (const auto& [key, total] : batch.totals) {
        found.append(total.anyUnknown() ? key + u" ?"_s
                : key >= u"25600901"    ? key + u' ' + QString::number(total.value())
                                        : key);
    }
    QCOMPARE(found, totals);
    QCOMPARE(batch.somePrizesUnchecked, somePrizesUnchecked);
    QCOMPARE(batch.partialDraws, draw.isEmpty() ? 370 : 0);
}

void TestTicketBatch::stopsWhenTold()
{
    QList<qsizetype> told;
    const TicketBatch batch = checkTicketBatch(*m_checker, TicketCheck::splitTickets(u"536077 536076 536078 111111"_s),
        u"25690502"_s, [&told](qsizetype done, qsizetype total) {
            told.append(done * 10 + total);
            return done < 2;
        });
    QVERIFY(batch.canceled);
    QCOMPARE(told, (QList<qsizetype> {4, 14, 24}));
    QCOMPARE(batch.tickets.size(), 2);
    QCOMPARE(batch.checked, 2);
    QCOMPARE(batch.totals.at(u"25690502"_s).value(), qint64(6100000));
}

QTEST_GUILESS_MAIN(TestTicketBatch)
#include "tst_ticketbatch.moc"
