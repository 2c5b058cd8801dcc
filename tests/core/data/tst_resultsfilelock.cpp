#include "data/ResultsFile.h"
#include "data/ResultsFileLock.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString writerRunning = u"มีโปรแกรมอีกตัวหนึ่งกำลังอัพเดทฐานข้อมูลอยู่"_s;

// This test program run as another copy of the program: holds the lock of the results file it is given, says so,
// and keeps it until its input closes.
int holdLock(const QString& resultsPath)
{
    const auto lock = ResultsFileLock::acquire(resultsPath);
    if (!lock) {
        return 1;
    }
    std::fputs("held\n", stdout);
    std::fflush(stdout);
    char c = 0;
    while (::read(STDIN_FILENO, &c, 1) > 0) { }
    return 0;
}

} // namespace

/// One writer of a results file at a time, among the copies of the program.
class TestResultsFileLock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void secondHolderInOneProgramIsRefused();
    void anotherProgramsLock_data();
    void anotherProgramsLock();

private:
    QString path() const { return m_dir->filePath(u"db.dll"_s); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestResultsFileLock::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestResultsFileLock::secondHolderInOneProgramIsRefused()
{
    {
        const auto first = ResultsFileLock::acquire(path());
        QVERIFY2(first.ok(), qPrintable(first.error()));
        QVERIFY(QFile::exists(m_dir->filePath(u"db.dll.lock"_s)));
        QCOMPARE(ResultsFileLock::acquire(path()).error(), writerRunning);
        // The program that holds the lock writes under it.
        QVERIFY(ResultsFile(path()).rewriteResultsFile({u"25690816,004615,429,731,094,937,53"_s}).ok());
    }
    QVERIFY(!QFile::exists(m_dir->filePath(u"db.dll.lock"_s)));
    QVERIFY(ResultsFileLock::acquire(path()).ok());
}

void TestResultsFileLock::anotherProgramsLock_data()
{
    QTest::addColumn<bool>("killed");
    QTest::newRow("held by a running program: refused") << false;
    QTest::newRow("left by a killed program: taken over") << true;
}

void TestResultsFileLock::anotherProgramsLock()
{
    QFETCH(bool, killed);

    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {u"--hold-lock"_s, path()});
    QVERIFY(other.waitForReadyRead());
    QCOMPARE(other.readLine(), QByteArray("held\n"));
    if (killed) {
        other.kill();
        QVERIFY(other.waitForFinished());
    }

    const auto lock = ResultsFileLock::acquire(path());
    QCOMPARE(lock.ok(), killed);
    if (killed) {
        return;
    }
    QCOMPARE(lock.error(), writerRunning);
    // A rewrite waits a moment for the other writer, then gives up and writes nothing.
    QCOMPARE(ResultsFile(path()).rewriteResultsFile({u"25690816,004615,429,731,094,937,53"_s}).error(), writerRunning);
    QVERIFY(!QFile::exists(path()));

    // Once the other program is done, the lock is free again.
    other.closeWriteChannel();
    QVERIFY(other.waitForFinished());
    QCOMPARE(other.exitCode(), 0);
    QVERIFY(ResultsFileLock::acquire(path()).ok());
}

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--hold-lock") == 0) {
        return holdLock(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication application(argc, argv);
    TestResultsFileLock test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_resultsfilelock.moc"
