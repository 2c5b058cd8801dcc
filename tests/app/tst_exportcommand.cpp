#include "TestData.h"
#include "XlsxContent.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

/// The newest `count` lines of the bundled results file, the first of them 16 Aug 2569.
QByteArray bundledNewest(qsizetype count)
{
    return resultBytes(resultLines(fileBytes(QStringLiteral(VARENTA_BUNDLED_DB))).mid(0, count));
}

QStringList cellTexts(const QList<XlsxCell>& cells, qsizetype count)
{
    QStringList texts;
    for (const XlsxCell& cell : cells.mid(0, count)) {
        texts.append(cell.text);
    }
    return texts;
}

} // namespace

/// `varenta --export=...`, run as a user would run it: the real program in a directory of its own, with the bundled
/// prize tables, and no display.
class TestExportCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void savesAPeriodAsExcel();
    void seedsTheUsersPrizeStoreOfASharedInstall();
    void failsWithAMessage_data();
    void failsWithAMessage();

private:
    /// Runs the program in the working directory `m_work`; returns whether it finished.
    bool run(const QStringList& arguments, const QProcessEnvironment& environment = environmentWithoutDisplay());

    std::unique_ptr<QTemporaryDir> m_program;
    std::unique_ptr<QTemporaryDir> m_work;
    QProcess m_process;
};

void TestExportCommand::init()
{
    m_program = std::make_unique<QTemporaryDir>();
    m_work = std::make_unique<QTemporaryDir>();
    QVERIFY(m_program->isValid() && m_work->isValid());
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_EXECUTABLE), m_program->filePath(u"varenta"_s)));
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_BUNDLED_PRIZES), m_program->filePath(u"prizes.sqlite"_s)));
    QFile::setPermissions(m_program->filePath(u"prizes.sqlite"_s), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool TestExportCommand::run(const QStringList& arguments, const QProcessEnvironment& environment)
{
    m_process.setProcessEnvironment(environment);
    m_process.setWorkingDirectory(m_work->path());
    m_process.start(m_program->filePath(u"varenta"_s), arguments);
    return m_process.waitForFinished(30000) && m_process.exitStatus() == QProcess::NormalExit;
}

void TestExportCommand::savesAPeriodAsExcel()
{
    QVERIFY(writeBytes(m_program->filePath(u"db.dll"_s), bundledNewest(10)));

    QVERIFY(run({u"--export=draws.xlsx"_s, u"--from=25690416"_s, u"--to=25690502"_s}));
    QCOMPARE(m_process.readAllStandardError(), QByteArray());
    QCOMPARE(m_process.exitCode(), 0);

    // Written where the user stood; the header, then the draws of the period, newest first, with their full tables.
    const QList<QList<XlsxCell>> rows = readXlsxCells(m_work->filePath(u"draws.xlsx"_s));
    QCOMPARE(rows.size(), 3);
    QCOMPARE(cellTexts(rows.at(1), 12),
        (QStringList {u"25690502"_s, u"02 พฤษภาคม 2569"_s, u"เสาร์"_s, u"536077"_s, u"267"_s, u"318"_s, u"065"_s,
            u"153"_s, u"43"_s, u"6000000"_s, u"536076 536078"_s, u"100000"_s}));
    QCOMPARE(rows.at(2).constFirst().text, u"25690416"_s);
    QCOMPARE(rows.at(2).size(), rows.at(1).size());
}

void TestExportCommand::seedsTheUsersPrizeStoreOfASharedInstall()
{
    // An install for every user: the user's own results file, and no prize store of their own yet.
    QVERIFY(writeBytes(m_program->filePath(u"per-user-data"_s), "shared\n"));
    QVERIFY(writeBytes(m_program->filePath(u"db.dll"_s), bundledNewest(1)));
    const QString userDirectory = m_work->filePath(u"data/Varenta"_s);
    QVERIFY(QDir().mkpath(userDirectory));
    QVERIFY(writeBytes(QDir(userDirectory).filePath(u"db.dll"_s), bundledNewest(10)));
    QProcessEnvironment environment = environmentWithoutDisplay();
    environment.insert(u"XDG_DATA_HOME"_s, m_work->filePath(u"data"_s));

    QVERIFY(run({u"--export=draws.csv"_s}, environment));
    QCOMPARE(m_process.readAllStandardError(), QByteArray());
    QCOMPARE(m_process.exitCode(), 0);

    QVERIFY(QFile::exists(QDir(userDirectory).filePath(u"prizes.sqlite"_s)));
    const QList<QByteArray> lines = fileBytes(m_work->filePath(u"draws.csv"_s)).split('\n');
    // The header, ten draws, and the empty rest after the last line's end.
    QCOMPARE(lines.size(), 12);
    QVERIFY2(lines.at(8).startsWith("\"25690502\",") && lines.at(8).contains(",\"6000000\","), lines.at(8).constData());
}

void TestExportCommand::failsWithAMessage_data()
{
    QTest::addColumn<QByteArray>("results");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("messageStart");

    QTest::newRow("a directory that is not there")
        << bundledNewest(2) << u"missing/draws.xlsx"_s << u"บันทึกแฟ้ม WORK/missing/draws.xlsx ไม่ได้: "_s;
    QTest::newRow("an empty results file") << QByteArray() << u"draws.csv"_s << u"ยังไม่มีงวดในฐานข้อมูล: "_s;
}

void TestExportCommand::failsWithAMessage()
{
    QFETCH(QByteArray, results);
    QFETCH(QString, file);
    QFETCH(QString, messageStart);

    QVERIFY(writeBytes(m_program->filePath(u"db.dll"_s), results));
    QVERIFY(run({u"--export="_s + file}));
    const QString message = QString::fromUtf8(m_process.readAllStandardError());
    // The file is named whole, from the directory the program was run in (WORK).
    QVERIFY2(message.startsWith(QString(messageStart).replace(u"WORK"_s, m_work->path())), qPrintable(message));
    QCOMPARE(m_process.exitCode(), 2);
    QCOMPARE(m_process.readAllStandardOutput(), QByteArray());
    QVERIFY(!QFile::exists(m_work->filePath(file)));
}

QTEST_GUILESS_MAIN(TestExportCommand)
#include "tst_exportcommand.moc"
