#include "SteppingClock.h"
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "mainwindow/DrawGlance.h"
#include "mainwindow/PrizeTableDialog.h"
#include "mainwindow/TicketResultsModel.h"
#include "mainwindow/TicketWindow.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSemaphore>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <atomic>
#include <limits>

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

// The whole table of 16 Aug 2026, the newest draw, which the bundled store lacks: the numbers of its results line
// and made-up others, with an amount no prize table of the office could hold for its front three and last two.
DrawPrizes absurdTable()
{
    DrawPrizes table;
    table.drawKey = u"25690816"_s;
    table.numbers = {{PrizeKind::First, u"004615"_s, 1}, {PrizeKind::NearFirst, u"004614"_s, 1},
        {PrizeKind::NearFirst, u"004616"_s, 2}, {PrizeKind::FrontThree, u"429"_s, 1},
        {PrizeKind::FrontThree, u"731"_s, 2}, {PrizeKind::BackThree, u"094"_s, 1}, {PrizeKind::BackThree, u"937"_s, 2},
        {PrizeKind::LastTwo, u"53"_s, 1}};
    const std::array<std::pair<PrizeKind, int>, 4> others {
        {{PrizeKind::Second, 5}, {PrizeKind::Third, 10}, {PrizeKind::Fourth, 50}, {PrizeKind::Fifth, 100}}};
    int next = 900000;
    for (const auto& [kind, count] : others) {
        for (int round = 1; round <= count; ++round) {
            table.numbers.append({kind, QString::number(next++), round});
        }
    }
    table.amounts = {{PrizeKind::First, 6000000}, {PrizeKind::NearFirst, 100000}, {PrizeKind::Second, 200000},
        {PrizeKind::Third, 80000}, {PrizeKind::Fourth, 40000}, {PrizeKind::Fifth, 20000},
        {PrizeKind::FrontThree, std::numeric_limits<qint64>::max()}, {PrizeKind::BackThree, 4000},
        {PrizeKind::LastTwo, std::numeric_limits<qint64>::max()}};
    return table;
}

// Tickets 000000 to 099999, one a line.
QString hundredThousandTickets()
{
    QStringList tickets;
    tickets.reserve(100000);
    for (int i = 0; i < 100000; ++i) {
        tickets.append(QString::number(i).rightJustified(6, u'0'));
    }
    return tickets.join(u'\n');
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
    void checksWithoutAUsableStore_data();
    void checksWithoutAUsableStore();
    void sumsThatWouldOverflow();
    void checksAHundredThousandTickets();
    void cancelsALongCheck();
    void glance_data();
    void glance();
    void glanceOpensTheWholeTable();
    void schedule_data();
    void schedule();
    void theOfficesDatesComeFirst();
    void choosesADrawByDate();
    void fitsASmallScreen();

private:
    /// The window over the bundled files, on `today` in Thailand.
    void open(QDate today, const Clock* clock = nullptr, std::function<void(qsizetype)> whileChecking = {});
    /// Checks `input` against the draw picked by its key ("" for every draw) and waits for the results.
    void check(const QString& input, const QString& draw);
    QLabel* label(const QString& name) const { return m_window->findChild<QLabel*>(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_lines;
    std::unique_ptr<TicketWindow> m_window;
};

void TestTicketWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const Result<QStringList> lines = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
    QVERIFY(lines);
    m_lines = lines.value();
    open(QDate(2026, 8, 20));
}

void TestTicketWindow::open(QDate today, const Clock* clock, std::function<void(qsizetype)> whileChecking)
{
    m_window.reset();
    // The user's store does not exist yet: the window puts the bundled one in its place.
    m_window = std::make_unique<TicketWindow>(TicketWindowConfig {m_dir->filePath(u"prizes.sqlite"_s),
        QStringLiteral(VARENTA_BUNDLED_PRIZES), m_lines, today, clock, std::move(whileChecking)});
    m_window->show();
}

void TestTicketWindow::check(const QString& input, const QString& draw)
{
    auto* picker = m_window->findChild<QComboBox*>(u"drawPicker"_s);
    picker->setCurrentIndex(draw.isEmpty() ? 0 : picker->findData(draw));
    QVERIFY(picker->currentIndex() >= 0);
    m_window->findChild<QPlainTextEdit*>(u"ticketInput"_s)->setPlainText(input);
    QSignalSpy finished(m_window.get(), &TicketWindow::checkFinished);
    m_window->findChild<QPushButton*>(u"checkButton"_s)->click();
    QVERIFY(finished.wait(60000));
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
    const QString others = u"ตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว รางวัลอื่นของงวดนี้ตรวจไม่ได้"_s;
    const QString none = u"ไม่ถูกรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว รางวัลอื่นของงวดนี้ตรวจไม่ได้"_s;
    QTest::newRow("before 2010, without amounts")
        << u"838739\n111111"_s << u"25500116"_s
        << QStringList {u"838739 | 16 มกราคม 2550 | รางวัลที่ 1 ("_s + others + u") | ไม่ทราบ"_s,
               u"111111 | 16 มกราคม 2550 | "_s + none + u" | "_s}
        << u"ตรวจ 2 ใบ ถูกรางวัล 1 ใบ\n"
           u"งวด 16 มกราคม 2550 ไม่มีตารางรางวัลเต็ม จึงตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว\n"
           u"ไม่ทราบจำนวนเงินรางวัลของงวดก่อน 01 มีนาคม 2553 จึงแสดงเฉพาะชื่อรางวัล"_s;
    QTest::newRow("the newest draw, which the store lacks")
        << u"111111"_s << u"25690816"_s << QStringList {u"111111 | 16 สิงหาคม 2569 | "_s + none + u" | "_s}
        << u"ตรวจ 1 ใบ ถูกรางวัล 0 ใบ\n"
           u"งวด 16 สิงหาคม 2569 ไม่มีตารางรางวัลเต็ม จึงตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว"_s;
    QTest::newRow("1 Mar 2010, a pair of tickets and series prizes")
        << u"111111"_s << u"25530301"_s << QStringList {u"111111 | 01 มีนาคม 2553 | ไม่ถูกรางวัล | "_s}
        << u"ตรวจ 1 ใบ ถูกรางวัล 0 ใบ\n"
           u"ถึงงวด 16 สิงหาคม 2560 สลากเป็นคู่ 2 ใบ ใบละ 40 บาท เงินรางวัลที่แสดงเป็นของสลาก 1 ใบ สลาก 1 คู่ได้เงินรางวัล 2 เท่า\n"
           u"ตั้งแต่งวด 01 มีนาคม 2553 ถึงงวด 16 กรกฎาคม 2558 รางวัลที่ 1 ของสลากบางชุดได้เงินรางวัลมากกว่าที่แสดง "
           u"ซึ่งดูจากเลขสลาก 6 หลักไม่ได้"_s;
}

void TestTicketWindow::checks()
{
    QFETCH(QString, input);
    QFETCH(QString, draw);
    QFETCH(QStringList, rows);
    QFETCH(QString, note);

    check(input, draw);
    QCOMPARE(rowTexts(*m_window->resultsModel()), rows);
    QCOMPARE(label(u"ticketNote"_s)->text(), note);
}

void TestTicketWindow::checksEveryDraw()
{
    check(u"354809 ๑๒๓๔๕๖"_s, QString());

    // Each draw where the ticket won, newest first, on its own; 354809 was drawn twice on 1 Aug 2019.
    const QStringList rows = rowTexts(*m_window->resultsModel());
    QVERIFY2(rows.contains(u"354809 | 01 สิงหาคม 2562 | รางวัลที่ 5 20,000 + รางวัลที่ 5 20,000 | 40,000"_s),
        qPrintable(rows.join(u'\n')));
    QVERIFY(rows.first().startsWith(u"354809 | "_s));
    QCOMPARE(rows.last(), u"๑๒๓๔๕๖ | บรรทัด 1 | \"๑๒๓๔๕๖\" เป็นเลขไทย กรุณาพิมพ์เป็นเลขอารบิก 0-9 | "_s);
    // The draws without a full table are checked by their results lines too, and their rows say so.
    QVERIFY2(rows.contains(u"354809 | 01 ธันวาคม 2545 | รางวัลเลขท้าย 3 ตัว (ตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว "
                           u"รางวัลอื่นของงวดนี้ตรวจไม่ได้) | ไม่ทราบ"_s),
        qPrintable(rows.join(u'\n')));
    QCOMPARE(rows.size(), 11);
    // No sum across draws, a ticket belongs to one draw; the notes of the eras of the draws won in.
    QCOMPARE(label(u"ticketNote"_s)->text(),
        u"ตรวจ 1 ใบ ถูกรางวัล 1 ใบ\n"
        u"ตรวจกับทุกงวดที่มีตารางรางวัลเต็ม (386 งวด) และอีก 370 งวดที่ไม่มีตารางรางวัลเต็ม ตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว "
        u"และเลขท้าย 2 ตัว\n"
        u"ถึงงวด 16 สิงหาคม 2560 สลากเป็นคู่ 2 ใบ ใบละ 40 บาท เงินรางวัลที่แสดงเป็นของสลาก 1 ใบ สลาก 1 คู่ได้เงินรางวัล 2 เท่า\n"
        u"ตั้งแต่งวด 01 มีนาคม 2553 ถึงงวด 16 กรกฎาคม 2558 รางวัลที่ 1 ของสลากบางชุดได้เงินรางวัลมากกว่าที่แสดง "
        u"ซึ่งดูจากเลขสลาก 6 หลักไม่ได้\n"
        u"ไม่ทราบจำนวนเงินรางวัลของงวดก่อน 01 มีนาคม 2553 จึงแสดงเฉพาะชื่อรางวัล"_s);
}

void TestTicketWindow::checksWithoutAUsableStore_data()
{
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("noticeStart");

    // A damaged store is set aside and made anew from the bundled tables; one SQLite cannot open is done without.
    QTest::newRow("damaged") << true << u"536077 | 02 พฤษภาคม 2569 | รางวัลที่ 1 | 6,000,000"_s
                             << u"แฟ้มตารางรางวัล %1 ใช้ไม่ได้ (ไม่ใช่แฟ้มฐานข้อมูล SQLite"_s;
    QTest::newRow("path too long")
        << false
        << u"536077 | 02 พฤษภาคม 2569 | รางวัลที่ 1 (ตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว "
           u"รางวัลอื่นของงวดนี้ตรวจไม่ได้) | 6,000,000"_s
        << u"ที่อยู่ของแฟ้มตารางรางวัล %1 ยาว"_s;
}

void TestTicketWindow::checksWithoutAUsableStore()
{
    QFETCH(bool, damaged);
    QFETCH(QString, row);
    QFETCH(QString, noticeStart);

    QString path = m_dir->filePath(u"prizes.sqlite"_s);
    if (damaged) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096);
    } else {
        path = m_dir->filePath(QString(250, u'a') + u'/' + QString(250, u'b') + u"/prizes.sqlite"_s);
    }
    m_window = std::make_unique<TicketWindow>(
        TicketWindowConfig {path, QStringLiteral(VARENTA_BUNDLED_PRIZES), m_lines, QDate(2026, 8, 20)});
    m_window->show();
    const QString notice = label(u"ticketNote"_s)->text();
    QVERIFY2(notice.startsWith(noticeStart.arg(path)), qPrintable(notice));
    QVERIFY(m_window->findChild<QPushButton*>(u"checkButton"_s)->isEnabled());

    check(u"536077"_s, u"25690502"_s);
    QCOMPARE(rowTexts(*m_window->resultsModel()), QStringList {row});
    QVERIFY(label(u"ticketNote"_s)->text().startsWith(notice));
}

void TestTicketWindow::sumsThatWouldOverflow()
{
    m_window.reset();
    {
        PrizeStore store(m_dir->filePath(u"prizes.sqlite"_s));
        QVERIFY(store.openSeeded(QStringLiteral(VARENTA_BUNDLED_PRIZES)));
        QVERIFY(store.writeDraws({absurdTable()}));
    }
    open(QDate(2026, 8, 20));
    check(u"429153"_s, u"25690816"_s);
    QCOMPARE(rowTexts(*m_window->resultsModel()),
        QStringList {u"429153 | 16 สิงหาคม 2569 | รางวัลเลขหน้า 3 ตัว 9,223,372,036,854,775,807 + "
                     u"รางวัลเลขท้าย 2 ตัว 9,223,372,036,854,775,807 | มากเกินกว่าจะรวมได้"_s});
    QCOMPARE(label(u"ticketNote"_s)->text(), u"ตรวจ 1 ใบ ถูกรางวัล 1 ใบ รวมเงินรางวัลมากเกินกว่าจะแสดงได้"_s);
}

void TestTicketWindow::checksAHundredThousandTickets()
{
    check(hundredThousandTickets(), u"25690502"_s);
    QCOMPARE(m_window->resultsModel()->rowCount(), 100000);
    QCOMPARE(rowTexts(*m_window->resultsModel()).at(43), u"000043 | 02 พฤษภาคม 2569 | รางวัลเลขท้าย 2 ตัว | 2,000"_s);
    QCOMPARE(label(u"ticketNote"_s)->text(), u"ตรวจ 100000 ใบ ถูกรางวัล 1218 ใบ รวมเงินรางวัล 3,740,000 บาท"_s);
    QVERIFY(m_window->findChild<QPushButton*>(u"checkButton"_s)->isEnabled());
}

void TestTicketWindow::cancelsALongCheck()
{
    // The check is held on its own thread once it has checked a thousand tickets; the window goes on meanwhile.
    QSemaphore held;
    QSemaphore goOn;
    std::atomic<bool> heldOnce {false};
    const SteppingClock clock(std::chrono::seconds(1));
    open(QDate(2026, 8, 20), &clock, [&](qsizetype done) {
        if (done > 0 && !heldOnce.exchange(true)) {
            held.release();
            goOn.acquire();
        }
    });
    auto* picker = m_window->findChild<QComboBox*>(u"drawPicker"_s);
    picker->setCurrentIndex(picker->findData(u"25690502"_s));
    m_window->findChild<QPlainTextEdit*>(u"ticketInput"_s)->setPlainText(hundredThousandTickets());
    QSignalSpy finished(m_window.get(), &TicketWindow::checkFinished);
    m_window->findChild<QPushButton*>(u"checkButton"_s)->click();
    QVERIFY(held.tryAcquire(1, 20000));

    // The progress dialog comes, past its second, and tells how far the check is.
    QTRY_VERIFY(m_window->findChild<QProgressDialog*>(u"updateProgress"_s));
    auto* dialog = m_window->findChild<QProgressDialog*>(u"updateProgress"_s);
    QTRY_VERIFY(dialog->isVisible());
    QTRY_COMPARE(dialog->labelText(), u"กำลังตรวจสลาก 1000 จาก 100000 ใบ"_s);
    QCOMPARE(dialog->windowTitle(), u"ตรวจสลาก"_s);
    QVERIFY(m_window->isChecking());
    QVERIFY(!m_window->findChild<QPushButton*>(u"checkButton"_s)->isEnabled());

    dialog->findChild<QPushButton*>()->click();
    goOn.release();
    QVERIFY(finished.wait(20000));
    QVERIFY(!m_window->isChecking());
    QCOMPARE(m_window->resultsModel()->rowCount(), 1000);
    QCOMPARE(
        label(u"ticketNote"_s)->text(), u"ยกเลิกการตรวจสลากแล้ว\nตรวจ 1000 ใบ ถูกรางวัล 12 ใบ รวมเงินรางวัล 28,000 บาท"_s);
    QTRY_VERIFY(!m_window->findChild<QProgressDialog*>(u"updateProgress"_s));
    QVERIFY(m_window->findChild<QPushButton*>(u"checkButton"_s)->isEnabled());
}

void TestTicketWindow::glance_data()
{
    QTest::addColumn<QString>("draw");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("lines");

    const QString partial = u"งวดนี้ไม่มีตารางรางวัลเต็ม แสดงเฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว จากแฟ้มผลรางวัล"_s;
    // The newest draw is in the results file only: what its line holds, with the amounts of its era.
    const QStringList newest {u"รางวัลที่ 1 | 004615 | รางวัลละ 6,000,000 บาท"_s,
        u"รางวัลเลขหน้า 3 ตัว | 429  731 | รางวัลละ 4,000 บาท"_s, u"รางวัลเลขท้าย 3 ตัว | 094  937 | รางวัลละ 4,000 บาท"_s,
        u"รางวัลเลขท้าย 2 ตัว | 53 | รางวัลละ 2,000 บาท"_s, partial};
    QTest::newRow("newest, by default") << QString() << u"ผลรางวัลงวด 16 สิงหาคม 2569"_s << newest;
    QTest::newRow("every draw: the newest") << u"ทุกงวด"_s << u"ผลรางวัลงวด 16 สิงหาคม 2569"_s << newest;
    QTest::newRow("a full table") << u"02 พฤษภาคม 2569"_s << u"ผลรางวัลงวด 02 พฤษภาคม 2569"_s
                                  << QStringList {u"รางวัลที่ 1 | 536077 | รางวัลละ 6,000,000 บาท"_s,
                                         u"รางวัลข้างเคียงรางวัลที่ 1 | 536076  536078 | รางวัลละ 100,000 บาท"_s,
                                         u"รางวัลเลขหน้า 3 ตัว | 267  318 | รางวัลละ 4,000 บาท"_s,
                                         u"รางวัลเลขท้าย 3 ตัว | 065  153 | รางวัลละ 4,000 บาท"_s,
                                         u"รางวัลเลขท้าย 2 ตัว | 43 | รางวัลละ 2,000 บาท"_s};
    QTest::newRow("four last three-digit numbers before Sep 2015")
        << u"16 สิงหาคม 2553"_s << u"ผลรางวัลงวด 16 สิงหาคม 2553"_s
        << QStringList {u"รางวัลที่ 1 | 911097 | รางวัลละ 2,000,000 บาท"_s,
               u"รางวัลข้างเคียงรางวัลที่ 1 | 911096  911098 | รางวัลละ 50,000 บาท"_s,
               u"รางวัลเลขท้าย 3 ตัว | 448  578  689  986 | รางวัลละ 2,000 บาท"_s,
               u"รางวัลเลขท้าย 2 ตัว | 64 | รางวัลละ 1,000 บาท"_s};
}

void TestTicketWindow::glance()
{
    QFETCH(QString, draw);
    QFETCH(QString, title);
    QFETCH(QStringList, lines);

    auto* picker = m_window->findChild<QComboBox*>(u"drawPicker"_s);
    if (!draw.isEmpty()) {
        picker->setCurrentIndex(picker->findText(draw));
        QCOMPARE(picker->currentText(), draw);
    }
    QCOMPARE(m_window->glance()->title(), title);
    QCOMPARE(m_window->glance()->lines(), lines);
}

void TestTicketWindow::glanceOpensTheWholeTable()
{
    m_window->findChild<QPushButton*>(u"glanceTableButton"_s)->click();
    QTRY_COMPARE(m_window->findChildren<PrizeTableDialog*>().size(), 1);
    const QString table =
        m_window->findChildren<PrizeTableDialog*>().constFirst()->findChild<QTextBrowser*>()->toPlainText();
    QVERIFY2(table.contains(u"ผลรางวัลงวด 16 สิงหาคม 2569"_s), qPrintable(table));
}

void TestTicketWindow::schedule_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("behind");

    // The bundled file ends with the draw of 16 Aug 2026.
    QTest::newRow("up to date") << QDate(2026, 8, 20) << u"งวดถัดไป: อังคาร 01 กันยายน 2569"_s << QString();
    QTest::newRow("draw day") << QDate(2026, 9, 1) << u"งวดถัดไป: อังคาร 01 กันยายน 2569"_s << QString();
    QTest::newRow("one draw behind") << QDate(2026, 9, 2) << u"งวดถัดไป: พุธ 16 กันยายน 2569"_s
                                     << u"ฐานข้อมูลยังไม่มีผลรางวัล 1 งวดล่าสุด"_s;
    QTest::newRow("the new year draw") << QDate(2026, 12, 17) << u"งวดถัดไป: เสาร์ 02 มกราคม 2570"_s
                                       << u"ฐานข้อมูลยังไม่มีผลรางวัล 8 งวดล่าสุด"_s;
}

void TestTicketWindow::schedule()
{
    QFETCH(QDate, today);
    QFETCH(QString, next);
    QFETCH(QString, behind);

    open(today);
    QCOMPARE(label(u"nextDraw"_s)->text(), next);
    QCOMPARE(label(u"drawsBehind"_s)->text(), behind);
    auto* update = m_window->findChild<QPushButton*>(u"updateButton"_s);
    QCOMPARE(update->isVisible(), !behind.isEmpty());
    if (!behind.isEmpty()) {
        QCOMPARE(update->text(), u"อัพเดทฐานข้อมูล"_s);
        QSignalSpy asked(m_window.get(), &TicketWindow::updateRequested);
        update->click();
        QCOMPARE(asked.size(), 1);
    }
}

void TestTicketWindow::theOfficesDatesComeFirst()
{
    // The office listed the draw of 16 Sep 2026 on the 17th.
    m_window.reset();
    {
        PrizeStore store(m_dir->filePath(u"prizes.sqlite"_s));
        QVERIFY(store.openSeeded(QStringLiteral(VARENTA_BUNDLED_PRIZES)));
        QVERIFY(store.writeOfficeDrawDates({QDate(2026, 9, 1), QDate(2026, 9, 17)}));
    }
    open(QDate(2026, 9, 10));
    QCOMPARE(label(u"nextDraw"_s)->text(), u"งวดถัดไป: พฤหัสบดี 17 กันยายน 2569"_s);
    QCOMPARE(label(u"drawsBehind"_s)->text(), u"ฐานข้อมูลยังไม่มีผลรางวัล 1 งวดล่าสุด"_s);
}

void TestTicketWindow::choosesADrawByDate()
{
    auto* picker = m_window->findChild<QComboBox*>(u"drawPicker"_s);
    QVERIFY(m_window->chooseDrawByDate(QDate(2026, 5, 2)));
    QCOMPARE(picker->currentText(), u"02 พฤษภาคม 2569"_s);
    QCOMPARE(m_window->glance()->title(), u"ผลรางวัลงวด 02 พฤษภาคม 2569"_s);

    QVERIFY(!m_window->chooseDrawByDate(QDate(2026, 5, 3)));
    QCOMPARE(picker->currentText(), u"02 พฤษภาคม 2569"_s);
    QCOMPARE(label(u"calendarMessage"_s)->text(), u"ไม่มีงวด 03 พฤษภาคม 2569 ในฐานข้อมูล"_s);

    // Through the calendar: the button opens it on the chosen draw's month; a click on a draw day picks it.
    m_window->findChild<QToolButton*>(u"pickByDateButton"_s)->click();
    auto* calendar = m_window->findChild<QCalendarWidget*>(u"drawCalendarDays"_s);
    QTRY_VERIFY(calendar->isVisible());
    QCOMPARE(calendar->selectedDate(), QDate(2026, 5, 2));
    QCOMPARE(m_window->findChild<QSpinBox*>(u"calendarYear"_s)->value(), 2569);
    QCOMPARE(m_window->findChild<QComboBox*>(u"calendarMonth"_s)->currentText(), u"พฤษภาคม"_s);
    Q_EMIT calendar->clicked(QDate(2026, 4, 16));
    QCOMPARE(picker->currentText(), u"16 เมษายน 2569"_s);
    QVERIFY(!calendar->isVisible());
}

void TestTicketWindow::fitsASmallScreen()
{
    // A 1366x768 laptop screen less a panel, and the window's frame.
    const QSize free(1366 - 16, 768 - 40 - 40);
    QVERIFY2(
        m_window->minimumSizeHint().width() <= free.width() && m_window->minimumSizeHint().height() <= free.height(),
        qPrintable(u"%1x%2"_s.arg(m_window->minimumSizeHint().width()).arg(m_window->minimumSizeHint().height())));
    QVERIFY(m_window->width() <= free.width() && m_window->height() <= free.height());
    // Esc closes it, as every window but the two main ones.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window->findChild<QPlainTextEdit*>(u"ticketInput"_s), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
}

QTEST_MAIN(TestTicketWindow)
#include "tst_ticketwindow.moc"
