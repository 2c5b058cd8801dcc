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
    void withoutAStoreTheResultsLineIsChecked_data();
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
    // The newest draw is in the results file only: each ticket's lines say what could not be checked.
    const QString partialOthers = u"ตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว รางวัลอื่นของงวดนี้ตรวจไม่ได้"_s;
    const QString partialNone = u"ไม่ถูกรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว รางวัลอื่นของงวดนี้ตรวจไม่ได้"_s;
    QTest::newRow("the newest draw, checked by its results line")
        << QStringList {u"--ticket=004615,111111"_s} << 0
        << u"งวด 16 สิงหาคม 2569\n004615 รางวัลที่ 1 6,000,000 บาท\n004615 "_s + partialOthers + u"\n111111 "_s +
            partialNone + u'\n'
        << QString();
    QTest::newRow("none won what could be checked")
        << QStringList {u"--ticket=111111,123456"_s, u"--draw=25690816"_s} << 3
        << u"งวด 16 สิงหาคม 2569\n111111 "_s + partialNone + u"\n123456 "_s + partialNone + u'\n' << QString();
    // The notes of each era are the core's business; here the command prints them and tells the eras apart.
    const QString unknown = u"ไม่ทราบจำนวนเงินรางวัลของงวดก่อน 01 มีนาคม 2553 จึงแสดงเฉพาะชื่อรางวัล\n"_s;
    const QString pair =
        u"ถึงงวด 16 สิงหาคม 2560 สลากเป็นคู่ 2 ใบ ใบละ 40 บาท เงินรางวัลที่แสดงเป็นของสลาก 1 ใบ สลาก 1 คู่ได้เงินรางวัล 2 เท่า\n"_s;
    const QString series = u"ตั้งแต่งวด 01 มีนาคม 2553 ถึงงวด 16 กรกฎาคม 2558 รางวัลที่ 1 ของสลากบางชุดได้เงินรางวัลมากกว่าที่แสดง "
                           u"ซึ่งดูจากเลขสลาก 6 หลักไม่ได้\n"_s;
    QTest::newRow("before 2010, a first prize without its amount")
        << QStringList {u"--ticket=838739"_s, u"--draw=25500116"_s} << 0
        << u"งวด 16 มกราคม 2550\n"_s + unknown + u"838739 รางวัลที่ 1 ไม่ทราบจำนวนเงิน\n838739 "_s + partialOthers + u'\n'
        << QString();
    QTest::newRow("16 Feb 2010, the last draw without amounts")
        << QStringList {u"--ticket=111111"_s, u"--draw=25530216"_s} << 3
        << u"งวด 16 กุมภาพันธ์ 2553\n"_s + unknown + u"111111 "_s + partialNone + u'\n' << QString();
    QTest::newRow("1 Mar 2010, the first draw with amounts")
        << QStringList {u"--ticket=111111"_s, u"--draw=25530301"_s} << 1
        << u"งวด 01 มีนาคม 2553\n"_s + pair + series + u"111111 ไม่ถูกรางวัล\n"_s << QString();
    QTest::newRow("five digits") << QStringList {u"--ticket=53607"_s} << 2 << QString()
                                 << u"\"53607\" มี 5 หลัก เลขสลากต้องมี 6 หลัก\n"_s;
    QTest::newRow("Thai digits") << QStringList {u"--ticket=536077,๕๓๖๐๗๗"_s} << 2 << QString()
                                 << u"\"๕๓๖๐๗๗\" เป็นเลขไทย กรุณาพิมพ์เป็นเลขอารบิก 0-9\n"_s;
    QTest::newRow("letters") << QStringList {u"--ticket=abcdef"_s} << 2 << QString()
                             << u"\"abcdef\" มีอักขระที่ไม่ใช่ตัวเลข\n"_s;
    QTest::newRow("no ticket") << QStringList {u"--ticket="_s} << 2 << QString() << u"ไม่มีเลขสลากให้ตรวจ\n"_s;
    QTest::newRow("130,000 digits, quoted by their beginning")
        << QStringList {u"--ticket="_s + QString(130000, u'5')} << 2 << QString()
        << u"\"555555555555555555555555…\" มี 130000 หลัก เลขสลากต้องมี 6 หลัก\n"_s;
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

void TestTicketCommand::withoutAStoreTheResultsLineIsChecked_data()
{
    QTest::addColumn<QByteArray>("store");
    QTest::addColumn<QString>("err");

    // No store: an empty one is made. A damaged one is set aside, said on standard error, and made anew.
    QTest::newRow("no store") << QByteArray() << QString();
    QTest::newRow("a damaged store") << QByteArray(4096, 'x')
                                     << u"แฟ้มตารางรางวัล %1 ใช้ไม่ได้ (ไม่ใช่แฟ้มฐานข้อมูล SQLite: file is not a database) "
                                        u"จึงย้ายไปเก็บไว้เป็น %1.damaged-"_s;
}

void TestTicketCommand::withoutAStoreTheResultsLineIsChecked()
{
    QFETCH(QByteArray, store);
    QFETCH(QString, err);

    // A program directory with the results file but no bundled prize store.
    QTemporaryDir dir;
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_EXECUTABLE), dir.filePath(u"varenta"_s)));
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_BUNDLED_DB), dir.filePath(u"db.dll"_s)));
    if (!store.isEmpty()) {
        QVERIFY(writeBytes(dir.filePath(u"prizes.sqlite"_s), store));
    }
    QProcess process;
    process.start(dir.filePath(u"varenta"_s), {u"--ticket=536077"_s, u"--draw=25690502"_s});
    QVERIFY(process.waitForFinished(20000));
    // Without the bundled tables the draw is checked by its results line alone, and the first prize still wins
    // what its era paid.
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()),
        u"งวด 02 พฤษภาคม 2569\n536077 รางวัลที่ 1 6,000,000 บาท\n"
        u"536077 ตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว รางวัลอื่นของงวดนี้ตรวจไม่ได้\n"_s);
    const QString said = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(
        err.isEmpty() ? said.isEmpty() : said.contains(err.arg(dir.filePath(u"prizes.sqlite"_s))), qPrintable(said));
}

QTEST_GUILESS_MAIN(TestTicketCommand)
#include "tst_ticketcommand.moc"
