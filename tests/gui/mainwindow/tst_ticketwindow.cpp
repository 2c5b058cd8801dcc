#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "mainwindow/TicketResultsModel.h"
#include "mainwindow/TicketWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList rowTexts(const TicketResultsModel& model)
{
    QStringList texts;
    for (const TicketResultsModel::Row& row : model.rows()) {
        texts.append(QStringList {row.ticket, row.draw, row.prizes, row.amount}.join(u" | "));
    }
    return texts;
}

} // namespace

/// The ticket checker window over the bundled results file and prize tables.
class TestTicketWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startsOnTheNewestDraw();
    void checks_data();
    void checks();
    void checksEveryDraw();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TicketWindow> m_window;
};

void TestTicketWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const Result<QStringList> lines = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
    QVERIFY(lines);
    // The user's store does not exist yet: the window puts the bundled one in its place.
    m_window = std::make_unique<TicketWindow>(TicketWindowConfig {
        m_dir->filePath(u"prizes.sqlite"_s), QStringLiteral(VARENTA_BUNDLED_PRIZES), lines.value()});
    m_window->show();
}

void TestTicketWindow::cleanup()
{
    m_window.reset();
}

void TestTicketWindow::startsOnTheNewestDraw()
{
    auto* picker = m_window->findChild<QComboBox*>(u"drawPicker"_s);
    QVERIFY(picker);
    QCOMPARE(m_window->windowTitle(), u"ตรวจสลาก"_s);
    QCOMPARE(picker->itemText(0), u"ทุกงวด"_s);
    QCOMPARE(picker->currentText(), u"16 สิงหาคม 2569"_s);
    QCOMPARE(picker->count(), 1 + 756);
    QVERIFY(QFile::exists(m_dir->filePath(u"prizes.sqlite"_s)));
}

void TestTicketWindow::checks_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("draw");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("note");

    QTest::newRow("2 May 2026")
        << u"536077\n53607, 318543\n111111"_s << u"25690502"_s
        << QStringList {u"536077 | 02 พฤษภาคม 2569 | รางวัลที่ 1 | 6,000,000"_s,
               u"53607 | บรรทัด 2 | \"53607\" มี 5 หลัก เลขสลากต้องมี 6 หลัก | "_s,
               u"318543 | 02 พฤษภาคม 2569 | รางวัลเลขหน้า 3 ตัว 4,000 + รางวัลเลขท้าย 2 ตัว 2,000 | 6,000"_s,
               u"111111 | 02 พฤษภาคม 2569 | ไม่ถูกรางวัล | "_s}
        << u"ตรวจ 3 ใบ ถูกรางวัล 2 ใบ รวมเงินรางวัล 6,006,000 บาท"_s;
    QTest::newRow("a draw without a full table")
        << u"838739"_s << u"25500116"_s << QStringList {u"838739 | 16 มกราคม 2550 | รางวัลที่ 1 | ไม่ทราบ"_s}
        << u"ตรวจ 1 ใบ ถูกรางวัล 1 ใบ\n"
           u"งวด 16 มกราคม 2550 ไม่มีตารางรางวัลเต็ม จึงตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว"_s;
}

void TestTicketWindow::checks()
{
    QFETCH(QString, input);
    QFETCH(QString, draw);
    QFETCH(QStringList, rows);
    QFETCH(QString, note);

    auto* picker = m_window->findChild<QComboBox*>(u"drawPicker"_s);
    picker->setCurrentIndex(picker->findData(draw));
    QVERIFY(picker->currentIndex() >= 0);
    m_window->findChild<QPlainTextEdit*>(u"ticketInput"_s)->setPlainText(input);
    m_window->findChild<QPushButton*>(u"checkButton"_s)->click();

    QCOMPARE(rowTexts(*m_window->resultsModel()), rows);
    QCOMPARE(m_window->findChild<QLabel*>(u"ticketNote"_s)->text(), note);
}

void TestTicketWindow::checksEveryDraw()
{
    auto* picker = m_window->findChild<QComboBox*>(u"drawPicker"_s);
    picker->setCurrentIndex(0);
    m_window->findChild<QPlainTextEdit*>(u"ticketInput"_s)->setPlainText(u"354809 ๑๒๓๔๕๖"_s);
    m_window->findChild<QPushButton*>(u"checkButton"_s)->click();

    // Each draw with a full table where the ticket won, newest first; 354809 was drawn twice on 1 Aug 2019.
    const QStringList rows = rowTexts(*m_window->resultsModel());
    QVERIFY(rows.size() > 2);
    QVERIFY2(rows.contains(u"354809 | 01 สิงหาคม 2562 | รางวัลที่ 5 20,000 + รางวัลที่ 5 20,000 | 40,000"_s),
        qPrintable(rows.join(u'\n')));
    QVERIFY(rows.first().startsWith(u"354809 | "_s));
    QCOMPARE(rows.last(), u"๑๒๓๔๕๖ | บรรทัด 1 | \"๑๒๓๔๕๖\" เป็นเลขไทย กรุณาพิมพ์เป็นเลขอารบิก 0-9 | "_s);
    QVERIFY2(
        m_window->findChild<QLabel*>(u"ticketNote"_s)->text().endsWith(u"\nตรวจกับทุกงวดที่มีตารางรางวัลเต็ม (386 งวด)"_s),
        qPrintable(m_window->findChild<QLabel*>(u"ticketNote"_s)->text()));
    for (const TicketResultsModel::Row& row : m_window->resultsModel()->rows()) {
        QVERIFY2(!row.draw.contains(u"2550"_s), "only draws with a full table");
    }
}

QTEST_MAIN(TestTicketWindow)
#include "tst_ticketwindow.moc"
