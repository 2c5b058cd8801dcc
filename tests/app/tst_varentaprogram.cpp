#include "FakeResultSite.h"
#include "TestData.h"
#include "data/ResultsFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

/// The program itself, started as a user would start it, with the updater pointed at a fake result page.
class TestVarentaProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void updatesFromTheGivenResultPage();
    void refusesAnUnusableAddress();
    void closesWithTheWindowsOpenedAtStart();
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();

private:
    /// A program directory with the program and a results file.
    bool prepare(const QByteArray& results);

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_process;
};

void TestVarentaProgram::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    m_process.setProcessEnvironment(environment);
    m_process.setProgram(m_dir->filePath(u"varenta"_s));
}

void TestVarentaProgram::cleanup()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool TestVarentaProgram::prepare(const QByteArray& results)
{
    // db.dll is read from the program's own directory, so the program is copied into one of ours.
    if (!QFile::copy(QStringLiteral(VARENTA_EXECUTABLE), m_dir->filePath(u"varenta"_s))) {
        return false;
    }
    QFile file(m_dir->filePath(u"db.dll"_s));
    return file.open(QIODevice::WriteOnly) && file.write(results) == results.size();
}

void TestVarentaProgram::updatesFromTheGivenResultPage()
{
    const DrawRecord stored {u"25530816"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s};
    const QByteArray results = ResultsFile::formatDrawLine(stored).toLatin1() + "\r\n";
    QVERIFY(prepare(results));
    FakeResultSite site({stored});
    QVERIFY(site.listen());

    m_process.setArguments(
        {u"--source=page"_s, u"--result-page="_s + site.resultPageUrl().toString(), u"--update-now"_s});
    m_process.start();
    QVERIFY(m_process.waitForStarted());

    // The program came up and loaded the page at the address it was given.
    QTRY_COMPARE_WITH_TIMEOUT(site.listLoads(), 1, 20000);
    QCOMPARE(site.server().requests().constFirst().target, "/detail.php?link=result_text"_ba);
    QCOMPARE(m_process.state(), QProcess::Running);
}

void TestVarentaProgram::refusesAnUnusableAddress()
{
    QVERIFY(prepare({}));
    m_process.setArguments({u"--result-page=ftp://example.test/x"_s});
    m_process.start();
    QVERIFY(m_process.waitForFinished(20000));
    QCOMPARE(m_process.exitCode(), 2);
    QVERIFY(m_process.readAllStandardError().contains("--result-page"));
}

void TestVarentaProgram::closesWithTheWindowsOpenedAtStart()
{
    const DrawRecord stored {u"25530816"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s};
    QVERIFY(prepare(ResultsFile::formatDrawLine(stored).toLatin1() + "\r\n"));
    m_process.setArguments({u"--tickets"_s, u"--statistics"_s, u"--close-after-start"_s});
    m_process.start();
    // The windows opened over the main window close with it, and the program ends.
    QVERIFY(m_process.waitForFinished(20000));
    QCOMPARE(m_process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_process.exitCode(), 0);
}

void TestVarentaProgram::answersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("outputStart");
    QTest::addColumn<QByteArray>("standardError");

    const QByteArray usage = "Usage: varenta [options]\n";
    QTest::newRow("help") << QStringList {u"--help"_s} << 0 << usage << QByteArray();
    QTest::newRow("version") << QStringList {u"--version"_s} << 0 << "Varenta 1.0\n"_ba << QByteArray();
    QTest::newRow("help-all with the check")
        << QStringList {u"--check"_s, u"--help-all"_s} << 0 << usage << QByteArray();
    QTest::newRow("an unknown option in the window's mode")
        << QStringList {u"--bogus"_s} << 2 << QByteArray()
        << "varenta: Unknown option --bogus\nSee varenta --help for the options.\n"_ba;
    // The window itself cannot start without one, and says so instead of aborting.
    QTest::newRow("the window") << QStringList() << 1 << QByteArray()
                                << "varenta: the window needs a desktop session (neither DISPLAY nor WAYLAND_DISPLAY "
                                   "is set); --check, --ticket and --export run without one.\n"_ba;
}

void TestVarentaProgram::answersWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, outputStart);
    QFETCH(QByteArray, standardError);

    QProcess process;
    process.setProcessEnvironment(environmentWithoutDisplay());
    process.start(QStringLiteral(VARENTA_EXECUTABLE), arguments);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QByteArray output = process.readAllStandardOutput();
    QVERIFY2(output.startsWith(outputStart), output.constData());
    QCOMPARE(process.readAllStandardError(), standardError);
    QCOMPARE(process.exitCode(), exitCode);
}

QTEST_GUILESS_MAIN(TestVarentaProgram)
#include "tst_varentaprogram.moc"
