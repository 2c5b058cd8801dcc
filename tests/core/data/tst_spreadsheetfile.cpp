#include "XlsxContent.h"
#include "data/SpreadsheetFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

/// Tables saved as CSV and as Excel workbooks.
class TestSpreadsheetFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void csvQuoting_data();
    void csvQuoting();
    void csvOfAnEmptyTableIsTheHeader();
    void xlsxCellsAreText_data();
    void xlsxCellsAreText();
    void writeFailureIsTold_data();
    void writeFailureIsTold();
};

void TestSpreadsheetFile::csvQuoting_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QByteArray>("field");

    QTest::newRow("leading zeros") << u"007"_s << QByteArray("\"007\"");
    QTest::newRow("empty") << QString() << QByteArray("\"\"");
    QTest::newRow("quote doubled") << u"say \"55\""_s << QByteArray("\"say \"\"55\"\"\"");
    QTest::newRow("line end kept inside") << u"a\r\nb"_s << QByteArray("\"a\r\nb\"");
    QTest::newRow("Thai") << u"ไม่เคยออก"_s << QByteArray("\"ไม่เคยออก\"");
}

void TestSpreadsheetFile::csvQuoting()
{
    QFETCH(QString, cell);
    QFETCH(QByteArray, field);

    const SheetTable table {{u"A"_s, u"B"_s}, {{cell, u"x"_s}}};
    QCOMPARE(SpreadsheetFile::csvBytes(table), "\xEF\xBB\xBF\"A\",\"B\"\r\n" + field + ",\"x\"\r\n");
}

void TestSpreadsheetFile::csvOfAnEmptyTableIsTheHeader()
{
    const SheetTable table {{u"งวด"_s}, {}};
    QCOMPARE(SpreadsheetFile::csvBytes(table), QByteArray("\xEF\xBB\xBF\"งวด\"\r\n"));
}

void TestSpreadsheetFile::xlsxCellsAreText_data()
{
    QTest::addColumn<QString>("cell");

    QTest::newRow("first prize with a leading zero") << u"087523"_s;
    QTest::newRow("Thai with marks above and below") << u"16 สิงหาคม 2553"_s;
    QTest::newRow("characters XML escapes") << u"<a & \"b\">"_s;
    QTest::newRow("a formula stays text") << u"=1+1"_s;
}

void TestSpreadsheetFile::xlsxCellsAreText()
{
    QFETCH(QString, cell);

    QTemporaryDir directory;
    const QString path = directory.filePath(u"cells.xlsx"_s);
    QVERIFY(SpreadsheetFile::writeXlsx({{u"รางวัลที่ 1"_s, u"วันที่"_s}, {{cell, u"x"_s}}}, path).ok());

    // Every cell a shared text, the header included.
    QCOMPARE(readXlsxCells(path),
        (QList<QList<XlsxCell>> {{{u"s"_s, u"รางวัลที่ 1"_s}, {u"s"_s, u"วันที่"_s}}, {{u"s"_s, cell}, {u"s"_s, u"x"_s}}}));
}

void TestSpreadsheetFile::writeFailureIsTold_data()
{
    QTest::addColumn<bool>("xlsx");
    QTest::addColumn<bool>("link");
    QTest::newRow("csv into a missing folder") << false << false;
    QTest::newRow("xlsx into a missing folder") << true << false;
    QTest::newRow("csv over a link") << false << true;
    QTest::newRow("xlsx over a link") << true << true;
}

void TestSpreadsheetFile::writeFailureIsTold()
{
    QFETCH(bool, xlsx);
    QFETCH(bool, link);

    QTemporaryDir directory;
    const QString name = xlsx ? u"out.xlsx"_s : u"out.csv"_s;
    const QString path = directory.filePath(link ? name : u"missing/"_s + name);
    const QString target = directory.filePath(u"profile"_s);
    if (link) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("the user's own\n") == 15);
        file.close();
        QVERIFY(QFile::link(target, path));
    }
    const auto write = xlsx ? &SpreadsheetFile::writeXlsx : &SpreadsheetFile::writeCsv;
    const Status written = write({{u"A"_s}, {{u"1"_s}}}, path);
    QVERIFY(!written.ok());
    QVERIFY2(written.error().startsWith(u"บันทึกแฟ้ม %1 ไม่ได้: %2"_s.arg(path, QString())), qPrintable(written.error()));
    if (link) {
        QCOMPARE(written.error(), u"บันทึกแฟ้ม %1 ไม่ได้: ไม่ใช่แฟ้มปกติ แต่เป็นลิงก์ไปยัง %2"_s.arg(path, target));
        QVERIFY(QFileInfo(path).isSymLink());
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("the user's own\n"));
    } else {
        QVERIFY(!QFile::exists(path));
    }
}

QTEST_GUILESS_MAIN(TestSpreadsheetFile)
#include "tst_spreadsheetfile.moc"
