#include "data/PrizeTable.h"
#include "mainwindow/PrizeTableDialog.h"

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
