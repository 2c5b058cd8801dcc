#include "TestData.h"
#include "data/ResultsLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

const QByteArray bundledBytes = "25690816,004615,429,731,094,937,53\r\n";
const QByteArray userBytes = "25690901,111111,111,222,333,444,55\r\n25690816,004615,429,731,094,937,53\r\n";

// How the user's data directory behaves.
enum class DataDirectory { Usable, NotWritable, TooLong };
// What the program's directory holds under the file's name.
enum class Bundled { Nothing, File, Directory };
// Where the chosen file is.
enum class Where { ProgramDirectory, UserDirectory };

} // namespace

Q_DECLARE_METATYPE(DataDirectory)
Q_DECLARE_METATYPE(Where)
Q_DECLARE_METATYPE(Bundled)

/// Which results file the program works on, and what the choice leaves on disk.
class TestResultsLocation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void choice_data();
    void choice();
    void defaultDataDirectoryIsTheApplications();
    void relativeXdgDataHomeIsIgnored_data();
    void relativeXdgDataHomeIsIgnored();
    void readOnlyRunsCreateNothing_data();
    void readOnlyRunsCreateNothing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestResultsLocation::initTestCase()
{
    QCoreApplication::setApplicationName(u"Varenta"_s);
    QStandardPaths::setTestModeEnabled(true);
}

void TestResultsLocation::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestResultsLocation::choice_data()
{
    QTest::addColumn<bool>("programWritable");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<Bundled>("bundled");
    QTest::addColumn<DataDirectory>("dataDirectory");
    QTest::addColumn<QByteArray>("userFileBefore");
    QTest::addColumn<Where>("where");
    QTest::addColumn<QByteArray>("chosenContent");
    QTest::addColumn<QString>("problem");

    const QByteArray none;
    const auto usable = DataDirectory::Usable;
    const QString cannotWrite = u"บันทึกผลรางวัลงวดใหม่ไม่ได้ เพราะสร้างหรือเขียนโฟลเดอร์ข้อมูลของคุณไม่ได้:\n"_s;

    QTest::newRow("portable: beside the program")
        << true << false << Bundled::File << usable << none << Where::ProgramDirectory << bundledBytes << QString();
    QTest::newRow("portable, user file elsewhere ignored") << true << false << Bundled::File << usable << userBytes
                                                           << Where::ProgramDirectory << bundledBytes << QString();
    QTest::newRow("read-only: first start copies the bundled file")
        << false << false << Bundled::File << usable << none << Where::UserDirectory << bundledBytes << QString();
    QTest::newRow("read-only: the user's file is kept")
        << false << false << Bundled::File << usable << userBytes << Where::UserDirectory << userBytes << QString();
    QTest::newRow("read-only, nothing bundled: the update creates the user's file")
        << false << false << Bundled::Nothing << usable << none << Where::UserDirectory << QByteArray("<unreadable>")
        << QString();
    QTest::newRow("marked shared though writable")
        << true << true << Bundled::File << usable << none << Where::UserDirectory << bundledBytes << QString();
    QTest::newRow("data directory not writable: bundled draws, told")
        << false << false << Bundled::File << DataDirectory::NotWritable << none << Where::ProgramDirectory
        << bundledBytes << cannotWrite;
    QTest::newRow("data directory not writable: the user's own draws, told")
        << false << false << Bundled::File << DataDirectory::NotWritable << userBytes << Where::UserDirectory
        << userBytes << cannotWrite;
    const QString tooLong = u"บันทึกผลรางวัลงวดใหม่ไม่ได้ เพราะโฟลเดอร์ข้อมูลยาวเกินไป:\n"_s;
    QTest::newRow("data directory too long for the prize store: bundled draws, told")
        << false << false << Bundled::File << DataDirectory::TooLong << none << Where::ProgramDirectory << bundledBytes
        << tooLong;
    QTest::newRow("data directory too long: the user's own draws, told")
        << false << false << Bundled::File << DataDirectory::TooLong << userBytes << Where::UserDirectory << userBytes
        << tooLong;
    QTest::newRow("bundled file unreadable: nothing to copy, told")
        << false << false << Bundled::Directory << usable << none << Where::ProgramDirectory
        << QByteArray("<unreadable>") << u"บันทึกผลรางวัลงวดใหม่ไม่ได้ เพราะคัดลอกฐานข้อมูลไปยังแฟ้มนี้ไม่ได้:\n"_s;
}

void TestResultsLocation::choice()
{
    QFETCH(bool, programWritable);
    QFETCH(bool, marked);
    QFETCH(Bundled, bundled);
    QFETCH(DataDirectory, dataDirectory);
    QFETCH(QByteArray, userFileBefore);
    QFETCH(Where, where);
    QFETCH(QByteArray, chosenContent);
    QFETCH(QString, problem);

    const QDir root(m_dir->path());
    QVERIFY(root.mkdir(u"program"_s));
    const QString program = root.filePath(u"program"_s);
    const QString bundledFile = QDir(program).filePath(u"db.dll"_s);
    if (bundled == Bundled::File) {
        QVERIFY(writeBytes(bundledFile, bundledBytes));
    } else if (bundled == Bundled::Directory) {
        QVERIFY(QDir(program).mkdir(u"db.dll"_s));
    }
    if (marked) {
        QVERIFY(writeBytes(QDir(program).filePath(u"per-user-data"_s), "shared\n"));
    }
    QString data = root.filePath(u"home/.local/share/Varenta"_s);
    if (dataDirectory == DataDirectory::TooLong) {
        // Each name may be long; the whole path is what SQLite cannot take.
        data = root.filePath(QString(240, u'a') + u'/' + QString(240, u'b') + u"/Varenta"_s);
    }
    const QString userFile = QDir(data).filePath(u"db.dll"_s);
    if (!userFileBefore.isNull()) {
        QVERIFY(QDir().mkpath(data));
        QVERIFY(writeBytes(userFile, userFileBefore));
    }
    // The seam stands in for permission bits, which the superuser (as in CI) would not feel.
    const auto writable = [&](const QString& directory) {
        if (directory == program) {
            return programWritable;
        }
        return directory == data && dataDirectory == DataDirectory::Usable && QFileInfo(directory).isDir();
    };

    const ResultsLocation::Choice chosen = ResultsLocation::chooseDataFile(program, u"db.dll"_s, data, writable);

    QCOMPARE(chosen.path, where == Where::UserDirectory ? userFile : bundledFile);
    QCOMPARE(chosen.perUser, where == Where::UserDirectory);
    QCOMPARE(readBytes(chosen.path), chosenContent);
    QCOMPARE(chosen.problem.left(problem.size()), problem);
    QCOMPARE(chosen.problem.isEmpty(), problem.isEmpty());
    if (!problem.isEmpty()) {
        QVERIFY2(chosen.problem.contains(QDir::toNativeSeparators(data)), qPrintable(chosen.problem));
    }
    // The bundled file is only ever read.
    QCOMPARE(readBytes(bundledFile), bundled == Bundled::File ? bundledBytes : QByteArray("<unreadable>"));
    // A portable copy leaves the user's data directory alone.
    if (where == Where::ProgramDirectory && userFileBefore.isNull() && bundled != Bundled::Directory) {
        QVERIFY(!QFileInfo::exists(userFile));
    }
    if (where == Where::UserDirectory && problem.isEmpty() && bundled == Bundled::File) {
        QVERIFY(QFileInfo(userFile).permissions().testFlag(QFileDevice::WriteOwner));
    }
}

void TestResultsLocation::defaultDataDirectoryIsTheApplications()
{
    const QDir root(m_dir->path());
    QVERIFY(root.mkdir(u"program"_s));
    const QString program = root.filePath(u"program"_s);
    QVERIFY(writeBytes(QDir(program).filePath(u"prizes.sqlite"_s), "bundled"));
    QVERIFY(QFile::setPermissions(QDir(program).filePath(u"prizes.sqlite"_s), QFileDevice::ReadOwner));
    QVERIFY(writeBytes(QDir(program).filePath(u"per-user-data"_s), "shared\n"));
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY2(data.endsWith(u"/.qttest/share/Varenta"_s), qPrintable(data));
    QDir(data).removeRecursively();

    const ResultsLocation::Choice chosen = ResultsLocation::chooseDataFile(program, u"prizes.sqlite"_s);

    QCOMPARE(chosen.path, QDir(data).filePath(u"prizes.sqlite"_s));
    QVERIFY(chosen.perUser);
    QCOMPARE(readBytes(chosen.path), QByteArray("bundled"));
    QVERIFY(QFileInfo(chosen.path).permissions().testFlag(QFileDevice::WriteOwner));
    QVERIFY(QDir(data).removeRecursively());
}

void TestResultsLocation::relativeXdgDataHomeIsIgnored_data()
{
    QTest::addColumn<QByteArray>("xdgDataHome");
    QTest::addColumn<QString>("below");

    QTest::newRow("empty") << QByteArray() << u".local/share/Varenta"_s;
    QTest::newRow("relative") << QByteArray("share") << u".local/share/Varenta"_s;
    QTest::newRow("absolute") << QFile::encodeName(QDir::tempPath()) + "/xdg" << u"../xdg/Varenta"_s;
}

void TestResultsLocation::relativeXdgDataHomeIsIgnored()
{
    QFETCH(QByteArray, xdgDataHome);
    QFETCH(QString, below);

    // The real lookup, not the test mode's, in a home of the test's own: nothing of the user's is touched.
    const QByteArray saved[] = {qgetenv("HOME"), qgetenv("XDG_DATA_HOME")};
    QStandardPaths::setTestModeEnabled(false);
    qputenv("HOME", QFile::encodeName(QDir::temp().filePath(u"home"_s)));
    qputenv("XDG_DATA_HOME", xdgDataHome);
    const QString directory = ResultsLocation::userDataDirectory();
    QStandardPaths::setTestModeEnabled(true);
    qputenv("HOME", saved[0]);
    qputenv("XDG_DATA_HOME", saved[1]);

    QCOMPARE(directory, QDir::cleanPath(QDir::temp().filePath(u"home/"_s + below)));
}

void TestResultsLocation::readOnlyRunsCreateNothing_data()
{
    QTest::addColumn<bool>("shared");
    QTest::addColumn<bool>("userHasFile");
    QTest::addColumn<Where>("where");

    QTest::newRow("portable copy") << false << true << Where::ProgramDirectory;
    QTest::newRow("shared, the user has a file") << true << true << Where::UserDirectory;
    QTest::newRow("shared, no user file yet") << true << false << Where::ProgramDirectory;
}

// The command-line checks only read: they take the user's file where it exists and never make one.
void TestResultsLocation::readOnlyRunsCreateNothing()
{
    QFETCH(bool, shared);
    QFETCH(bool, userHasFile);
    QFETCH(Where, where);

    const QDir root(m_dir->path());
    QVERIFY(root.mkdir(u"program"_s));
    const QString program = root.filePath(u"program"_s);
    const QString data = root.filePath(u"data"_s);
    QVERIFY(writeBytes(QDir(program).filePath(u"db.dll"_s), bundledBytes));
    if (shared) {
        QVERIFY(writeBytes(QDir(program).filePath(u"per-user-data"_s), "shared\n"));
    }
    if (userHasFile) {
        QVERIFY(root.mkdir(u"data"_s));
        QVERIFY(writeBytes(QDir(data).filePath(u"db.dll"_s), userBytes));
    }

    const QString path = ResultsLocation::existingDataFile(program, u"db.dll"_s, data);

    QCOMPARE(path, QDir(where == Where::UserDirectory ? data : program).filePath(u"db.dll"_s));
    QCOMPARE(QFileInfo::exists(data), userHasFile);
}

QTEST_GUILESS_MAIN(TestResultsLocation)
#include "tst_resultslocation.moc"
