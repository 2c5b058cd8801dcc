#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

/// `varenta --ticket=...`, run as a user would run it: the real program in a directory with the bundled files.
class TestTicketCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void exitCodesAndLines_data();
    void exitCodesAndLines();
    void withoutAStoreTheResultsLineIsChecked();

private:
    QTemporaryDir m_dir;
};

void TestTicketCommand::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_EXECUTABLE), m_dir.filePath(u"varenta"_s)));
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_BUNDLED_DB), m_dir.filePath(u"db.dll"_s)));
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_BUNDLED_PRIZES), m_dir.filePath(u"prizes.sqlite"_s)));
    QFile::setPermissions(m_dir.filePath(u"prizes.sqlite"_s), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void TestTicketCommand::exitCodesAndLines_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("first prize and last two") << QStringList {u"--ticket=536077,318543"_s, u"--draw=25690502"_s} << 0
                                              << u"งวด 02 พฤษภาคม 2569\n"
                                                 u"536077 รางวัลที่ 1 6,000,000 บาท\n"
                                                 u"318543 รางวัลเลขหน้า 3 ตัว 4,000 บาท\n"
                                                 u"318543 รางวัลเลขท้าย 2 ตัว 2,000 บาท\n"_s
                                              << QString();
    QTest::newRow("one wins, one does not")
        << QStringList {u"--ticket=111111,536076"_s, u"--draw=25690502"_s} << 0
        << u"งวด 02 พฤษภาคม 2569\n111111 ไม่ถูกรางวัล\n536076 รางวัลข้างเคียงรางวัลที่ 1 100,000 บาท\n"_s << QString();
    QTest::newRow("none wins") << QStringList {u"--ticket=111111"_s, u"--draw=25690502"_s} << 1
                               << u"งวด 02 พฤษภาคม 2569\n111111 ไม่ถูกรางวัล\n"_s << QString();
    QTest::newRow("the newest draw, checked by its results line")
        << QStringList {u"--ticket=004615"_s} << 0 << u"งวด 16 สิงหาคม 2569\n004615 รางวัลที่ 1 ไม่ทราบจำนวนเงิน\n"_s
        << u"งวด 16 สิงหาคม 2569 ไม่มีตารางรางวัลเต็ม จึงตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว\n"_s;
    QTest::newRow("five digits") << QStringList {u"--ticket=53607"_s} << 2 << QString()
                                 << u"\"53607\" มี 5 หลัก เลขสลากต้องมี 6 หลัก\n"_s;
    QTest::newRow("Thai digits") << QStringList {u"--ticket=536077,๕๓๖๐๗๗"_s} << 2 << QString()
                                 << u"\"๕๓๖๐๗๗\" เป็นเลขไทย กรุณาพิมพ์เป็นเลขอารบิก 0-9\n"_s;
    QTest::newRow("letters") << QStringList {u"--ticket=abcdef"_s} << 2 << QString()
                             << u"\"abcdef\" มีอักขระที่ไม่ใช่ตัวเลข\n"_s;
    QTest::newRow("no ticket") << QStringList {u"--ticket="_s} << 2 << QString() << u"ไม่มีเลขสลากให้ตรวจ\n"_s;
    QTest::newRow("unknown draw") << QStringList {u"--ticket=536077"_s, u"--draw=25690503"_s} << 2 << QString()
                                  << u"ไม่มีงวด 25690503 ในฐานข้อมูล\n"_s;
}

void TestTicketCommand::exitCodesAndLines()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcess process;
    // No display: the command must not need one.
    process.setProcessEnvironment(environmentWithoutDisplay());
    process.start(m_dir.filePath(u"varenta"_s), arguments);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), out);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), err);
    QCOMPARE(process.exitCode(), exitCode);
}

void TestTicketCommand::withoutAStoreTheResultsLineIsChecked()
{
    // A program directory with the results file but no prize store: the store starts empty.
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_EXECUTABLE), dir.filePath(u"varenta"_s)));
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_BUNDLED_DB), dir.filePath(u"db.dll"_s)));
    QProcess process;
    process.start(dir.filePath(u"varenta"_s), {u"--ticket=536077"_s, u"--draw=25690502"_s});
    QVERIFY(process.waitForFinished(20000));
    // Without the bundled tables the draw is checked by its results line alone, and the first prize still wins.
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(process.readAllStandardError().contains("ไม่มีตารางรางวัลเต็ม"));
}

QTEST_GUILESS_MAIN(TestTicketCommand)
#include "tst_ticketcommand.moc"
