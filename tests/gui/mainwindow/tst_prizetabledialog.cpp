#include "data/PrizeTable.h"
#include "mainwindow/PrizeTableDialog.h"
#include "widgets/BrowserLinks.h"

#include <QFile>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace Qt::StringLiterals;

/// The window of one draw's whole prize table: its buttons, its keys, its print.
class TestPrizeTableDialog : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonsAndTitle();
    void opensTheOfficesSheet_data();
    void opensTheOfficesSheet();
    void tellsTheEra();
    void printsTheTable();
    void ctrlWCloses();

private:
    static DrawPrizes partialDraw()
    {
        return partialPrizes({u"25690816"_s, u"004615"_s, u"429"_s, u"731"_s, u"094"_s, u"937"_s, u"53"_s});
    }
};

void TestPrizeTableDialog::buttonsAndTitle()
{
    PrizeTableDialog dialog(partialDraw());
    QCOMPARE(dialog.windowTitle(), u"ผลรางวัลงวด 16 สิงหาคม 2569"_s);
    QCOMPARE(dialog.findChild<QPushButton*>(u"printButton"_s)->text(), u"พิมพ์..."_s);
    QCOMPARE(dialog.findChild<QPushButton*>(u"closeButton"_s)->text(), u"ปิด"_s);
}

void TestPrizeTableDialog::opensTheOfficesSheet_data()
{
    QTest::addColumn<QString>("pdfUrl");
    QTest::addColumn<bool>("offered");

    QTest::newRow("the office's sheet")
        << u"https://api.glo.or.th/utility/file/download/66d2225a-2ca8-4bb8-a131-e6a239ba76f3"_s << true;
    QTest::newRow("none known") << QString() << false;
    // A store is a file anyone may change: only a web address is opened.
    QTest::newRow("a local file") << u"file:///etc/passwd"_s << false;
}

void TestPrizeTableDialog::opensTheOfficesSheet()
{
    QFETCH(QString, pdfUrl);
    QFETCH(bool, offered);

    DrawPrizes draw = partialDraw();
    draw.pdfUrl = pdfUrl;
    PrizeTableDialog dialog(draw);
    auto* button = dialog.findChild<QPushButton*>(u"officeSheetButton"_s);
    QCOMPARE(button != nullptr, offered);
    if (!offered) {
        return;
    }
    QCOMPARE(button->text(), u"ใบผลรางวัลของสำนักงานสลากฯ..."_s);
    QList<QUrl> opened;
    BrowserLinks::setOpenerForTests([&opened](const QUrl& url) {
        opened.append(url);
        return true;
    });
    button->click();
    BrowserLinks::setOpenerForTests({});
    QCOMPARE(opened, QList<QUrl> {QUrl(pdfUrl)});
}

void TestPrizeTableDialog::tellsTheEra()
{
    // The amounts of a draw sold in pairs are per ticket; before 2010 none is known.
    const QString pair =
        u"ถึงงวด 16 สิงหาคม 2560 สลากเป็นคู่ 2 ใบ ใบละ 40 บาท เงินรางวัลที่แสดงเป็นของสลาก 1 ใบ สลาก 1 คู่ได้เงินรางวัล 2 เท่า"_s;
    const QString unknown = u"ไม่ทราบจำนวนเงินรางวัลของงวดก่อน 01 มีนาคม 2553 จึงแสดงเฉพาะชื่อรางวัล"_s;
    const QString y2016 = PrizeTableDialog::tableHtml(
        partialPrizes({u"25590116"_s, u"111111"_s, u"222"_s, u"333"_s, u"444"_s, u"555"_s, u"66"_s}));
    QVERIFY(y2016.contains(pair) && !y2016.contains(unknown));
    QVERIFY(y2016.contains(u"รางวัลละ 3,000,000 บาท"_s));
    const QString y2007 = PrizeTableDialog::tableHtml(
        partialPrizes({u"25500116"_s, u"422605"_s, u"123"_s, u"456"_s, u"789"_s, u"012"_s, u"54"_s}));
    QVERIFY(y2007.contains(unknown) && !y2007.contains(u"รางวัลละ"_s));
    QVERIFY(!PrizeTableDialog::tableHtml(partialDraw()).contains(pair));
}

void TestPrizeTableDialog::printsTheTable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"table.pdf"_s);
    PrizeTableDialog dialog(partialDraw());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    dialog.print(printer);

    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QVERIFY(bytes.size() > 1000);
}

void TestPrizeTableDialog::ctrlWCloses()
{
    auto* dialog = new PrizeTableDialog(partialDraw());
    QPointer<PrizeTableDialog> alive(dialog);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QTest::keyClick(dialog->findChild<QTextBrowser*>(), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!dialog->isVisible());
    // It goes away with its window.
    QTRY_VERIFY(alive.isNull());
}

QTEST_MAIN(TestPrizeTableDialog)
#include "tst_prizetabledialog.moc"
