#include "FakeGloApi.h"
#include "TestData.h"
#include "data/PrizeStore.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QByteArray changedStored = "25690816,004615,428,731,094,937,53";
const QByteArray changedOffice = "25690816,004615,429,731,094,937,53";
const QByteArray unknown = "25690801,123456,111,222,333,444,55";
const QByteArray missing = "25690716,654321,999,888,777,666,11";
const QByteArray agreeing = "25690701,222222,101,202,303,404,22";
// A draw whose answer carries the office's whole table.
const QByteArray withTable = "25580816,033363,781,227,624,648,40";

QByteArray fileOf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(GloFault)

/// `varenta --check`, the real program run as a script would run it, against a fake of the lottery office's API.
class TestCheckCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void exitCodes_data();
    void exitCodes();
    void unusableAnswersFail_data();
    void unusableAnswersFail();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeGloApi> m_api;
    QProcess m_process;
};

void TestCheckCommand::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // db.dll is read from the program's own directory, so the program is copied into one of ours.
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_EXECUTABLE), m_dir->filePath(u"varenta"_s)));
    m_api = std::make_unique<FakeGloApi>();
    QVERIFY(m_api->listen());
    m_api->addDrawLines(
        {QString::fromLatin1(changedOffice), QString::fromLatin1(missing), QString::fromLatin1(agreeing)});
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    // No display at all: the check must not need one.
    m_process.setProcessEnvironment(environmentWithoutDisplay());
    m_process.setProgram(m_dir->filePath(u"varenta"_s));
}

void TestCheckCommand::cleanup()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
    m_api.reset();
}

void TestCheckCommand::exitCodes_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArrayList>("output");
    QTest::addColumn<QStringList>("tables"); // the draws of the prize store afterwards

    const QByteArray all = fileOf({changedStored, unknown, agreeing});
    QTest::newRow("agrees") << all << QStringList {u"--from=25690701"_s, u"--to=25690710"_s} << 0
                            << QByteArrayList {"checked 1 draws from 25690701 to 25690710: 1 agree, 0 differ, 0 "
                                               "missing from the file, 0 unknown to the office, 0 unusable answers\n"}
                            << QStringList();
    QTest::newRow("agrees, with the office's whole table")
        << fileOf({withTable}) << QStringList() << 0
        << QByteArrayList {"checked 1 draws from 25580816 to 25580816: 1 agree, 0 differ, 0 missing from the file, 0 "
                           "unknown to the office, 0 unusable answers\n"}
        << QStringList {u"25580816"_s};
    QTest::newRow("differs, missing, unknown")
        << all << QStringList() << 1
        << QByteArrayList {"differs\t25690816\t" + changedStored + "\t" + changedOffice + "\tthreeDigit1\n",
               "missing\t25690716\t\t" + missing + "\t\n", "unknown\t25690801\t" + unknown + "\t\t\n",
               "checked 3 draws from 25690701 to 25690816: 1 agree, 1 differ, 1 missing from the file, 1 unknown "
               "to the office, 0 unusable answers\n"}
        << QStringList();
    QTest::newRow("the office out of reach")
        << all << QStringList {u"--api-base=http://127.0.0.1:1"_s} << 2 << QByteArrayList {} << QStringList();
    QTest::newRow("the page source") << all << QStringList {u"--source=page"_s} << 2 << QByteArrayList {}
                                     << QStringList();
    QTest::newRow("no draw stored") << QByteArray() << QStringList() << 2 << QByteArrayList {} << QStringList();
    QTest::newRow("a period that is no date")
        << all << QStringList {u"--from=25691301"_s} << 2 << QByteArrayList {} << QStringList();
}

void TestCheckCommand::exitCodes()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArrayList, output);
    QFETCH(QStringList, tables);

    QFile file(m_dir->filePath(u"db.dll"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
    file.close();

    m_process.setArguments(QStringList {u"--check"_s, u"--api-base="_s + m_api->baseUrl().toString()} + arguments);
    m_process.start();
    QVERIFY(m_process.waitForStarted());
    // The fake answers from this process's event loop, which must keep running meanwhile.
    QTRY_COMPARE_WITH_TIMEOUT(m_process.state(), QProcess::NotRunning, 60000);

    const QByteArray standardError = m_process.readAllStandardError();
    QCOMPARE(m_process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(m_process.exitCode() == exitCode, standardError.constData());
    QCOMPARE(m_process.readAllStandardOutput(), output.join());
    if (exitCode == 2) {
        QVERIFY(!standardError.isEmpty());
    }
    // The check never writes the results file; the prize store gains the tables of the draws that agree.
    QFile after(m_dir->filePath(u"db.dll"_s));
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), content);
    QVERIFY(!QFile::exists(m_dir->filePath(u"db.dll.bak"_s)));
    const QString storePath = m_dir->filePath(u"prizes.sqlite"_s);
    QCOMPARE(QFile::exists(storePath), !tables.isEmpty());
    if (!tables.isEmpty()) {
        PrizeStore store(storePath);
        QVERIFY(store.open().ok());
        QCOMPARE(store.drawKeys().value(), tables);
    }
}

void TestCheckCommand::unusableAnswersFail_data()
{
    QTest::addColumn<GloFault>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("refused") << GloFault::StatusFalse << u"เว็บไซต์สำนักงานสลากฯ แจ้งว่าไม่สำเร็จ"_s;
    QTest::newRow("no JSON") << GloFault::Truncated << u"อ่านข้อมูลจากเว็บไซต์สำนักงานสลากฯ ไม่ได้"_s;
    QTest::newRow("another date") << GloFault::OtherDate
                                  << u"ผลสลากที่ได้รับเป็นของงวด 01 กันยายน 2558 ไม่ใช่งวด 01 กรกฎาคม 2569 ที่ขอ"_s;
}

void TestCheckCommand::unusableAnswersFail()
{
    QFETCH(GloFault, fault);
    QFETCH(QString, reason);
    QFile file(m_dir->filePath(u"db.dll"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(fileOf({agreeing})) > 0);
    file.close();
    m_api->failAlways(FakeGloApi::resultPath, fault);

    m_process.setArguments({u"--check"_s, u"--api-base="_s + m_api->baseUrl().toString()});
    m_process.start();
    QVERIFY(m_process.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(m_process.state(), QProcess::NotRunning, 60000);

    // A draw of 2026 cannot be unknown to the office: an answer it cannot use fails the check, never agrees.
    QCOMPARE(m_process.exitCode(), 2);
    QCOMPARE(QString::fromUtf8(m_process.readAllStandardOutput()),
        u"unusable\t25690701\t"_s + QString::fromLatin1(agreeing) + u"\t\t"_s + reason +
            u"\nchecked 1 draws from 25690701 to 25690701: 0 agree, 0 differ, 0 missing from the file, 0 unknown to "
            u"the office, 1 unusable answers\n"_s);
}

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "tst_checkcommand.moc"
