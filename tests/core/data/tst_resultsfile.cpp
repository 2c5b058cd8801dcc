#include "SmallDisk.h"
#include "TestData.h"
#include "data/ResultsFile.h"
#include "data/ResultsFileLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(DrawRecord)

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

} // namespace

class TestResultsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void readLines_data();
    void readLines();
    void readMissingFileGivesNoLine();
    void readCallsBackOncePerLine();
    void readFailureIsReported_data();
    void readFailureIsReported();
    void rewriteReplacesContent();
    void rewriteKeepsADrawAnotherWriterStored();
    void unchangedRewriteKeepsBackup_data();
    void unchangedRewriteKeepsBackup();
    void refusedOrFailedRewriteReplacesNothing_data();
    void refusedOrFailedRewriteReplacesNothing();
    void fullTmpfsReplacesNothing_data();
    void fullTmpfsReplacesNothing();
    void rewriteKeepsEveryByteRead();
    void rewriteFailureKeepsOldFile();
    void appendAddsAfterContent();
    void appendStartsOnANewLine_data();
    void appendStartsOnANewLine();
    void rewriteKeepsPreviousFileAsBackup();
    void rewriteKeepsByteOrderMark();
    void parseDrawLine_data();
    void parseDrawLine();
    void formatIsTheInverseOfParseForWellFormedLines();
    void bundledFileRoundTrips();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath(u"db.dll"_s); }
};

void TestResultsFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestResultsFile::readLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("crlf") << QByteArray("A\r\nB\r\nC\r\n") << QStringList {u"A"_s, u"B"_s, u"C"_s};
    QTest::newRow("mixed ends") << QByteArray("A\r\nB\nC\r\n") << QStringList {u"A"_s, u"B"_s, u"C"_s};
    QTest::newRow("last line without end") << QByteArray("A\r\nB") << QStringList {u"A"_s, u"B"_s};
    QTest::newRow("blank lines are no draws") << QByteArray("A\r\n\r\n  \r\nB\r\n\r\n") << QStringList {u"A"_s, u"B"_s};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("lone CR inside a line stays") << QByteArray("A\rB\r\n") << QStringList {u"A\rB"_s};
    QTest::newRow("byte-order mark is no part of the first key") << QByteArray("\xEF\xBB\xBF"
                                                                               "25690801,1\r\n25690716,2\r\n")
                                                                 << QStringList {u"25690801,1"_s, u"25690716,2"_s};
    QTest::newRow("bytes above 127 map one to one")
        << QByteArray("2553\xa1\xff,1\r\n") << QStringList {QString::fromLatin1("2553\xa1\xff,1")};
}

void TestResultsFile::readLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QVERIFY(writeBytes(path(), bytes));
    const auto read = ResultsFile(path()).readResultsFile();
    QVERIFY2(read.ok(), qPrintable(read.error()));
    QCOMPARE(read.value(), lines);
}

void TestResultsFile::readMissingFileGivesNoLine()
{
    const auto read = ResultsFile(path()).readResultsFile();
    QVERIFY(read.ok());
    QVERIFY(read.value().isEmpty());
    QVERIFY2(!QFile::exists(path()), "reading must not create the file");
}

void TestResultsFile::readCallsBackOncePerLine()
{
    QVERIFY(writeBytes(path(), "A\r\nB\r\nC\r\n"));
    int calls = 0;
    const auto read = ResultsFile(path()).readResultsFile([&calls] { ++calls; });
    QVERIFY(read.ok());
    QCOMPARE(calls, 3);
}

void TestResultsFile::readFailureIsReported_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("directory") << u"directory"_s;
    QTest::newRow("named pipe") << u"fifo"_s;
    QTest::newRow("link to /dev/zero") << u"device"_s;
    QTest::newRow("larger than the limit") << u"huge"_s;
}

void TestResultsFile::readFailureIsReported()
{
    // Nothing but a regular file of sane size is read; none of these may block or fill the memory.
    QFETCH(QString, kind);
    if (kind == u"directory") {
        QVERIFY(QDir(m_dir->path()).mkdir(u"db.dll"_s));
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path()).constData(), 0600), 0);
    } else if (kind == u"device") {
        QVERIFY(QFile::link(u"/dev/zero"_s, path()));
    } else {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(ResultsFile::maxFileBytes + 1));
    }
    const auto read = ResultsFile(path()).readResultsFile();
    QVERIFY(!read.ok());
    QVERIFY(read.error().contains(u"db.dll"_s));
}

void TestResultsFile::rewriteReplacesContent()
{
    QVERIFY(writeBytes(path(), "25690816,old\r\n25690801,1\r\n"));
    QVERIFY(ResultsFile(path()).rewriteResultsFile({u"25690816,new"_s, u"25690801,1"_s}).ok());
    QCOMPARE(readBytes(path()), QByteArray("25690816,new\r\n25690801,1\r\n"));
    // A draw the lines leave out is one that another writer stored meanwhile: it stays.
    QVERIFY(ResultsFile(path()).rewriteResultsFile({}).ok());
    QCOMPARE(readBytes(path()), QByteArray("25690816,new\r\n25690801,1\r\n"));
}

void TestResultsFile::rewriteKeepsADrawAnotherWriterStored()
{
    QVERIFY(writeBytes(path(), "25690716,3\r\n"));
    // Two copies of the program read the same file; the second writes first: a newer draw, an older one, and a line
    // without a key, which goes last.
    const QStringList read = ResultsFile(path()).readResultsFile().value();
    QVERIFY(ResultsFile(path()).rewriteResultsFile({u"25690816,2"_s, u"25690716,3"_s, u"25530816,4"_s, u"odd"_s}).ok());
    QVERIFY(ResultsFile(path()).rewriteResultsFile(QStringList {u"25690801,1"_s} + read).ok());
    QCOMPARE(readBytes(path()), QByteArray("25690816,2\r\n25690801,1\r\n25690716,3\r\n25530816,4\r\nodd\r\n"));
}

void TestResultsFile::unchangedRewriteKeepsBackup_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("written");

    QTest::newRow("same lines") << QByteArray("25690816,2\r\n25690716,3\r\n") << false;
    QTest::newRow("same lines after a byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                                      "25690816,2\r\n")
                                                        << false;
    QTest::newRow("LF line ends become CR LF: a change") << QByteArray("25690816,2\n") << true;
}

void TestResultsFile::unchangedRewriteKeepsBackup()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, written);

    QVERIFY(writeBytes(path(), file));
    QVERIFY(writeBytes(m_dir->filePath(u"db.dll.bak"_s), "the way back\r\n"));
    // A file written again is a new file that took the old one's name.
    const auto inode = [this] {
        struct stat status
        {
        };
        return ::stat(QFile::encodeName(path()).constData(), &status) == 0 ? status.st_ino : 0;
    };
    const auto before = inode();
    const ResultsFile results(path());
    QVERIFY(results.rewriteResultsFile(results.readResultsFile().value()).ok());
    QCOMPARE(readBytes(m_dir->filePath(u"db.dll.bak"_s)), written ? file : QByteArray("the way back\r\n"));
    QCOMPARE(inode() != before, written);
}

void TestResultsFile::refusedOrFailedRewriteReplacesNothing_data()
{
    QTest::addColumn<QString>("planted"); // a link or a directory under this name
    QTest::addColumn<qint64>("room");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QString>("reason");

    const QString link = u"ไม่ใช่แฟ้มปกติ แต่เป็นลิงก์ไปยัง <target>"_s;
    const QString full = u"ดิสก์เต็ม (No space left on device)"_s;
    QTest::newRow("link planted as the backup") << u"db.dll.bak"_s << -1LL << u"db.dll.bak"_s << link;
    QTest::newRow("results file is a link") << u"db.dll"_s << -1LL << u"db.dll"_s << link;
    QTest::newRow("directory as the backup") << u"db.dll.bak/"_s << -1LL << u"db.dll.bak"_s << u"ไม่ใช่แฟ้มปกติ"_s;
    QTest::newRow("full disk: no room for the backup") << QString() << 20LL << u"db.dll.bak"_s << full;
    // The backup, written whole, is the file as it was; the file itself stays as it was too.
    QTest::newRow("full disk: room for the backup only") << QString() << 40LL << u"db.dll"_s << full;
}

void TestResultsFile::refusedOrFailedRewriteReplacesNothing()
{
    QFETCH(QString, planted);
    QFETCH(qint64, room);
    QFETCH(QString, failing);
    QFETCH(QString, reason);

    const QByteArray stored("25690816,2\r\n25690716,3\r\n");
    const QString target = m_dir->filePath(u"bashrc"_s);
    QVERIFY(writeBytes(target, planted == u"db.dll" ? stored : QByteArray("export PATH\n")));
    if (planted != u"db.dll") {
        QVERIFY(writeBytes(path(), stored));
    }
    if (planted.endsWith(u'/')) {
        QVERIFY(QDir(m_dir->path()).mkdir(planted));
    } else if (!planted.isEmpty()) {
        QVERIFY(QFile::link(target, m_dir->filePath(planted)));
    } else {
        QVERIFY(writeBytes(m_dir->filePath(u"db.dll.bak"_s), "the way back\r\n"));
    }
    const QByteArray targetBefore = readBytes(target);
    const ResultsFile file(path());
    const QStringList lines = QStringList {u"25690901,1"_s} + file.readResultsFile().value();

    Status written = Status::success();
    {
        const SmallDisk disk(room < 0 ? 1 << 20 : room);
        written = file.rewriteResultsFile(lines);
    }

    QCOMPARE(written.error(),
        u"บันทึกแฟ้ม %1 ไม่ได้: "_s.arg(m_dir->filePath(failing)) + QString(reason).replace(u"<target>"_s, target));
    QCOMPARE(readBytes(path()), stored);
    QCOMPARE(readBytes(target), targetBefore);
    if (planted.isEmpty()) {
        QCOMPARE(readBytes(m_dir->filePath(u"db.dll.bak"_s)),
            failing == u"db.dll" ? stored : QByteArray("the way back\r\n"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), (QStringList {u"bashrc"_s, u"db.dll"_s, u"db.dll.bak"_s}));
    }
}

void TestResultsFile::fullTmpfsReplacesNothing_data()
{
    QTest::addColumn<bool>("lockTakenFirst");
    QTest::addColumn<QString>("failing");
    QTest::newRow("the lock cannot be made") << false << u"db.dll.lock"_s;
    QTest::newRow("under a lock taken before") << true << u"db.dll.bak"_s;
}

// The same on a real disk that is full, 100 draws in the file: small writes fail as the large ones do.
void TestResultsFile::fullTmpfsReplacesNothing()
{
    QFETCH(bool, lockTakenFirst);
    QFETCH(QString, failing);

    const SmallTmpfs disk(m_dir->path());
    if (!disk.isMounted()) {
        QSKIP("mounting a small file system needs the superuser");
    }
    const QByteArray first100 = readBytes(QStringLiteral(VARENTA_BUNDLED_DB)).left(100 * 36);
    QVERIFY(writeBytes(path(), first100));
    QVERIFY(writeBytes(m_dir->filePath(u"db.dll.bak"_s), "the way back\r\n"));
    const auto lock = lockTakenFirst ? std::make_optional(ResultsFileLock::acquire(path())) : std::nullopt;
    QVERIFY(disk.fill());

    const ResultsFile file(path());
    const Status written =
        file.rewriteResultsFile(QStringList {u"25690901,111111,222,333,444,555,66"_s} + file.readResultsFile().value());

    QCOMPARE(written.error(), u"บันทึกแฟ้ม %1 ไม่ได้: ดิสก์เต็ม (No space left on device)"_s.arg(m_dir->filePath(failing)));
    QCOMPARE(readBytes(path()), first100);
    QCOMPARE(readBytes(m_dir->filePath(u"db.dll.bak"_s)), QByteArray("the way back\r\n"));
    QCOMPARE(QDir(m_dir->path()).entryList({u"db.dll*"_s}, QDir::Files).size(), lockTakenFirst ? 3 : 2);
}

void TestResultsFile::rewriteKeepsEveryByteRead()
{
    const QByteArray original("25690816,004615,429,731,094,937,53\r\n"
                              "2569\xe0\xb8\x81,odd line \xff\r\n"
                              "2553\n"
                              "25530816, 123456 ,111,222,333,444,55\r\n");
    QVERIFY(writeBytes(path(), original));
    ResultsFile file(path());
    const auto read = file.readResultsFile();
    QVERIFY(read.ok());
    QVERIFY(file.rewriteResultsFile(QStringList {u"25690901,111111,222,333,444,555,66"_s} + read.value()).ok());
    QByteArray expected("25690901,111111,222,333,444,555,66\r\n");
    expected += original;
    expected.replace("2553\n", "2553\r\n");
    QCOMPARE(readBytes(path()), expected);
}

void TestResultsFile::rewriteFailureKeepsOldFile()
{
    QVERIFY(writeBytes(path(), "A\r\n"));
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner);
    const Status status = ResultsFile(path()).rewriteResultsFile({u"B"_s});
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (status.ok()) {
        QSKIP("running as a user whom permissions do not stop (root)");
    }
    QVERIFY(!status.error().isEmpty());
    QCOMPARE(readBytes(path()), QByteArray("A\r\n"));
}

void TestResultsFile::appendAddsAfterContent()
{
    QVERIFY(writeBytes(path(), "A\r\n"));
    QVERIFY(ResultsFile(path()).appendResultsFile({u"B"_s}).ok());
    QCOMPARE(readBytes(path()), QByteArray("A\r\nB\r\n"));
    QVERIFY(ResultsFile(path()).appendResultsFile({u"C"_s, u"D"_s}).ok());
    QCOMPARE(readBytes(path()), QByteArray("A\r\nB\r\nC\r\nD\r\n"));
}

void TestResultsFile::appendStartsOnANewLine_data()
{
    QTest::addColumn<QByteArray>("before"); // null: no file yet
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("LF at the end") << QByteArray("A\n") << QByteArray("A\nB\r\n");
    QTest::newRow("no line end") << QByteArray("A") << QByteArray("A\r\nB\r\n");
    QTest::newRow("empty file") << QByteArray("") << QByteArray("B\r\n");
    QTest::newRow("no file") << QByteArray() << QByteArray("B\r\n");
}

void TestResultsFile::appendStartsOnANewLine()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    if (!before.isNull()) {
        QVERIFY(writeBytes(path(), before));
    }
    QVERIFY(ResultsFile(path()).appendResultsFile({u"B"_s}).ok());
    QCOMPARE(readBytes(path()), after);
}

void TestResultsFile::rewriteKeepsPreviousFileAsBackup()
{
    ResultsFile file(path());
    QVERIFY(file.rewriteResultsFile({u"A"_s}).ok());
    QVERIFY2(!QFile::exists(file.backupPath()), "a new file has no previous one");
    QVERIFY(file.rewriteResultsFile({u"B"_s, u"A"_s}).ok());
    QCOMPARE(readBytes(m_dir->filePath(u"db.dll.bak"_s)), QByteArray("A\r\n"));
    // One generation: the next rewrite replaces the backup.
    QVERIFY(file.rewriteResultsFile({u"C"_s, u"B"_s, u"A"_s}).ok());
    QCOMPARE(readBytes(m_dir->filePath(u"db.dll.bak"_s)), QByteArray("B\r\nA\r\n"));
    QCOMPARE(readBytes(path()), QByteArray("C\r\nB\r\nA\r\n"));
}

void TestResultsFile::rewriteKeepsByteOrderMark()
{
    QVERIFY(writeBytes(path(),
        "\xEF\xBB\xBF"
        "A\r\n"));
    ResultsFile file(path());
    QVERIFY(file.rewriteResultsFile(QStringList {u"B"_s} + file.readResultsFile().value()).ok());
    QCOMPARE(readBytes(path()),
        QByteArray("\xEF\xBB\xBF"
                   "B\r\nA\r\n"));
}

void TestResultsFile::parseDrawLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<DrawRecord>("record");

    const DrawRecord full {u"25530816"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s};
    QTest::newRow("complete") << u"25530816,123456,111,222,333,444,55"_s << full;
    QTest::newRow("blanks around pieces") << u"25530816, 123456 ,111,222,333,444,55"_s << full;
    QTest::newRow("seventh piece ignored") << u"25530816,123456,111,222,333,444,55,99"_s << full;
    QTest::newRow("ninth character not looked at") << u"25530816;123456,111,222,333,444,55"_s << full;
    QTest::newRow("five pieces") << u"25530816,123456,111,222,333,444"_s
                                 << DrawRecord {
                                        u"25530816"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, QString()};
    QTest::newRow("leading zeros stay") << u"25530816,000007,007,070,700,000,05"_s
                                        << DrawRecord {u"25530816"_s, u"000007"_s, u"007"_s, u"070"_s, u"700"_s,
                                               u"000"_s, u"05"_s};
    QTest::newRow("date only") << u"25530816"_s << DrawRecord {u"25530816"_s, {}, {}, {}, {}, {}, {}};
    QTest::newRow("short line") << u"2553"_s << DrawRecord {u"2553"_s, {}, {}, {}, {}, {}, {}};
    QTest::newRow("empty") << QString() << DrawRecord {};
}

void TestResultsFile::parseDrawLine()
{
    QFETCH(QString, line);
    QFETCH(DrawRecord, record);
    QCOMPARE(ResultsFile::parseDrawLine(line), record);
}

void TestResultsFile::formatIsTheInverseOfParseForWellFormedLines()
{
    const QString line = u"25690816,004615,429,731,094,937,53"_s;
    QCOMPARE(ResultsFile::formatDrawLine(ResultsFile::parseDrawLine(line)), line);
    // The writer neither pads nor checks.
    QCOMPARE(ResultsFile::formatDrawLine(DrawRecord {u"1"_s, u"2"_s, {}, {}, {}, {}, u"7"_s}), u"1,2,,,,,7"_s);
}

void TestResultsFile::bundledFileRoundTrips()
{
    const QByteArray bundled = readBytes(QStringLiteral(VARENTA_BUNDLED_DB));
    QVERIFY(!bundled.isEmpty());
    const auto read = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
    QVERIFY(read.ok());
    QCOMPARE(read.value().size(), 756);
    for (const QString& line : read.value()) {
        QCOMPARE(line.size(), 34);
        QCOMPARE(ResultsFile::formatDrawLine(ResultsFile::parseDrawLine(line)), line);
    }
    QVERIFY(ResultsFile(path()).rewriteResultsFile(read.value()).ok());
    QCOMPARE(readBytes(path()), bundled);
}

QTEST_APPLESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
