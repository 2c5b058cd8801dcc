#include "SmallDisk.h"
#include "data/SaveWhole.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace Qt::StringLiterals;

/// Every file the program saves is written whole or not at all, and never through a link or over what is not a file.
class TestSaveWhole : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusedOrFailedSaveChangesNothing_data();
    void refusedOrFailedSaveChangesNothing();
};

void TestSaveWhole::refusedOrFailedSaveChangesNothing_data()
{
    QTest::addColumn<QString>("standing"); // what stands at the path
    QTest::addColumn<qint64>("room");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("syncError");
    QTest::addColumn<QString>("reason");

    const QString full = u"ดิสก์เต็ม (No space left on device)"_s;
    // A write smaller than any buffer fails as surely as a large one.
    QTest::newRow("full disk, small file") << u"file"_s << 0LL << ENOSPC << 0 << full;
    QTest::newRow("disk fills on the last byte") << u"file"_s << 4095LL << ENOSPC << 0 << full;
    QTest::newRow("quota used up") << u"file"_s << 10LL << EDQUOT << 0 << u"ดิสก์เต็ม (Disk quota exceeded)"_s;
    QTest::newRow("input/output error") << u"file"_s << 0LL << EIO << 0 << u"Input/output error"_s;
    QTest::newRow("sync finds the disk full") << u"file"_s << -1LL << 0 << ENOSPC << full;
    QTest::newRow("link to /dev/full") << u"link"_s << -1LL << 0 << 0 << u"ไม่ใช่แฟ้มปกติ แต่เป็นลิงก์ไปยัง /dev/full"_s;
    QTest::newRow("directory") << u"directory"_s << -1LL << 0 << 0 << u"ไม่ใช่แฟ้มปกติ"_s;
    QTest::newRow("named pipe") << u"pipe"_s << -1LL << 0 << 0 << u"ไม่ใช่แฟ้มปกติ"_s;
    QTest::newRow("device node, for the superuser") << u"device"_s << -1LL << 0 << 0 << u"ไม่ใช่แฟ้มปกติ"_s;
}

void TestSaveWhole::refusedOrFailedSaveChangesNothing()
{
    QFETCH(QString, standing);
    QFETCH(qint64, room);
    QFETCH(int, error);
    QFETCH(int, syncError);
    QFETCH(QString, reason);

    const QTemporaryDir directory;
    const QString path = directory.filePath(u"out.png"_s);
    const QByteArray native = QFile::encodeName(path);
    if (standing == u"file") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old, whole") == 10);
    } else if (standing == u"link") {
        QVERIFY(QFile::link(u"/dev/full"_s, path));
    } else if (standing == u"directory") {
        QVERIFY(QDir().mkdir(path));
    } else if (standing == u"pipe") {
        QCOMPARE(::mkfifo(native.constData(), 0600), 0);
    } else if (::mknod(native.constData(), S_IFCHR | 0600, makedev(1, 7)) != 0) {
        QSKIP("only the superuser makes device nodes");
    }
    struct stat before
    {
    };
    QCOMPARE(::lstat(native.constData(), &before), 0);

    Status saved = Status::success();
    {
        const SmallDisk disk(room < 0 ? 1 << 20 : room, error, syncError);
        saved = saveWhole(path, QByteArray(4096, 'n'));
    }

    QCOMPARE(saved.error(), u"บันทึกแฟ้ม %1 ไม่ได้: %2"_s.arg(path, reason));
    struct stat after
    {
    };
    QCOMPARE(::lstat(native.constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    if (standing == u"file") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old, whole"));
    }
    // The new file is gone with the failure.
    QCOMPARE(QDir(directory.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList {u"out.png"_s});
}

QTEST_GUILESS_MAIN(TestSaveWhole)
#include "tst_savewhole.moc"
