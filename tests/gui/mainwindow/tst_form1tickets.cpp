#include "Form1OfficeFixture.h"
#include "TestData.h"
#include "mainwindow/Form1.h"
#include "mainwindow/PrizeTableDialog.h"
#include "mainwindow/TicketWindow.h"
#include "updater/GloApiSource.h"
#include "widgets/Dialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QStringList actionTexts(const QWidget* widget)
{
    QStringList texts;
    for (const QAction* action : widget->actions()) {
        texts.append(action->text());
    }
    return texts;
}

} // namespace

/// The ticket checker and the full prize tables, as the main window leads to them and tells of them after an update.
class TestForm1Tickets : public QObject, Form1OfficeFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void menusAndShortcut();
    void reportRowShowsItsWholeTable();
    void updateGoesOnWhenTheTablesCannotBeStored();
    void ticketCheckerAsksForTheUpdate();

private:
    /// A program directory with a results file, the bundled prize store and a main window over them.
    void start(const QByteArray& results, bool bundledStore);
    QString path(const QString& name) const { return m_dir->filePath(name); }
};

void TestForm1Tickets::init()
{
    setUpOffice();
}

void TestForm1Tickets::cleanup()
{
    tearDownOffice();
}

void TestForm1Tickets::start(const QByteArray& results, bool bundledStore)
{
    startForm(&results, bundledStore);
    QVERIFY(m_form && QTest::qWaitForWindowExposed(m_form.get()));
}

void TestForm1Tickets::menusAndShortcut()
{
    start(bundledResultsFrom("25690502"), true);
    auto* catalogue = m_form->findChild<QAbstractItemView*>(u"ListBox2"_s);
    auto* report = m_form->findChild<QAbstractItemView*>(u"ListViewReport"_s);
    QVERIFY(catalogue && report);
    QVERIFY(actionTexts(catalogue).contains(u"ตรวจสลาก..."_s));
    QVERIFY(actionTexts(catalogue).contains(u"ดูรางวัลทั้งหมด..."_s));
    QVERIFY(actionTexts(report).contains(u"ดูรางวัลทั้งหมด..."_s));
    QCOMPARE(catalogue->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(report->contextMenuPolicy(), Qt::ActionsContextMenu);

    // Ctrl+K opens the checker from anywhere in the window, once.
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->findChild<QPushButton*>(u"PushButton3"_s)->setFocus();
    QTest::keyClick(m_form.get(), Qt::Key_K, Qt::ControlModifier);
    QTRY_COMPARE(m_form->findChildren<TicketWindow*>().size(), 1);
    TicketWindow* window = m_form->findChildren<TicketWindow*>().constFirst();
    QVERIFY(window->isVisible());
    m_form->findChild<QAction*>(u"actionCheckTickets"_s)->trigger();
    QCOMPARE(m_form->findChildren<TicketWindow*>().size(), 1);

    // From the catalogue: the current entry's whole table.
    catalogue->setCurrentIndex(catalogue->model()->index(0, 0));
    m_form->findChild<QAction*>(u"actionShowPrizeTable"_s)->trigger();
    QTRY_COMPARE(m_form->findChildren<PrizeTableDialog*>().size(), 1);
    const QString table =
        m_form->findChildren<PrizeTableDialog*>().constFirst()->findChild<QTextBrowser*>()->toPlainText();
    QVERIFY2(table.contains(u"ผลรางวัลงวด 02 พฤษภาคม 2569"_s), qPrintable(table));
    QVERIFY(table.contains(u"รางวัลข้างเคียงรางวัลที่ 1"_s));
    QVERIFY(table.contains(u"รางวัลละ 100,000 บาท"_s));
    QVERIFY(table.contains(u"536076"_s));
}

void TestForm1Tickets::reportRowShowsItsWholeTable()
{
    start(bundledResultsFrom("25690502"), true);
    auto* catalogue = m_form->findChild<QAbstractItemView*>(u"ListBox2"_s);
    auto* report = m_form->findChild<QAbstractItemView*>(u"ListViewReport"_s);
    // 1 Apr 2026 and 16 Jan 2007 in the report, in catalogue order.
    const int april = static_cast<int>(m_form->list2().indexOf(QRegularExpression(u"^25690401,.*"_s)));
    const int january2007 = static_cast<int>(m_form->list2().indexOf(QRegularExpression(u"^25500116,.*"_s)));
    QVERIFY(april > 0 && january2007 > april);
    catalogue->selectionModel()->select(catalogue->model()->index(april, 0), QItemSelectionModel::Select);
    catalogue->selectionModel()->select(catalogue->model()->index(january2007, 0), QItemSelectionModel::Select);
    m_form->findChild<QPushButton*>(u"PushButton3"_s)->click();
    QTRY_COMPARE(report->model()->rowCount(), 2);

    report->setCurrentIndex(report->model()->index(1, 0));
    m_form->findChild<QAction*>(u"actionShowReportPrizeTable"_s)->trigger();
    QTRY_COMPARE(m_form->findChildren<PrizeTableDialog*>().size(), 1);
    const QString table =
        m_form->findChildren<PrizeTableDialog*>().constFirst()->findChild<QTextBrowser*>()->toPlainText();
    QVERIFY2(table.contains(u"ผลรางวัลงวด 16 มกราคม 2550"_s), qPrintable(table));
    QVERIFY(table.contains(u"งวดนี้ไม่มีตารางรางวัลเต็ม"_s));
    QVERIFY(table.contains(u"838739"_s));
}

void TestForm1Tickets::updateGoesOnWhenTheTablesCannotBeStored()
{
    start(bundledResultsFrom("25580801"), false);
    // A store of a newer layout: it is read, never written.
    {
        PrizeStore store(path(u"prizes.sqlite"_s));
        QVERIFY(store.open());
    }
    {
        QSqlDatabase newer = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"newer"_s);
        newer.setDatabaseName(path(u"prizes.sqlite"_s));
        QVERIFY(newer.open() && QSqlQuery(newer).exec(u"PRAGMA user_version = 3"_s));
    }
    QSqlDatabase::removeDatabase(u"newer"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);

    m_form->findChild<QPushButton*>(u"PushButton4"_s)->click();

    QCOMPARE(m_dialogs->ends, 1);
    QCOMPARE(fileBytes(path(u"db.dll"_s)), bundledResultsFrom("25580901"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    const QString text = m_dialogs->messages.first().text;
    QVERIFY2(
        text.startsWith(u"ปิดโปรแกรมเพื่ออัพเดทข้อมูล\n\nผลรางวัลอัพเดทแล้ว แต่บันทึกตารางรางวัลทั้งหมดของงวด "_s), qPrintable(text));
    QVERIFY2(text.contains(u"01 กันยายน 2558"_s) && text.contains(u"16 สิงหาคม 2558"_s), qPrintable(text));
}

void TestForm1Tickets::ticketCheckerAsksForTheUpdate()
{
    // The file ends on 1 Aug 2015; the clock stands on 3 May 2026 in Thailand.
    start(bundledResultsFrom("25580801"), true);
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
    m_form->findChild<QAction*>(u"actionCheckTickets"_s)->trigger();
    QTRY_COMPARE(m_form->findChildren<TicketWindow*>().size(), 1);
    TicketWindow* window = m_form->findChildren<TicketWindow*>().constFirst();
    QCOMPARE(window->findChild<QLabel*>(u"drawsBehind"_s)->text(), u"ฐานข้อมูลยังไม่มีผลรางวัล 255 งวดล่าสุด"_s);
    QCOMPARE(window->findChild<QLabel*>(u"nextDraw"_s)->text(), u"งวดถัดไป: เสาร์ 16 พฤษภาคม 2569"_s);

    window->findChild<QPushButton*>(u"updateButton"_s)->click();

    // The main window's update ran: the new draws are written and the program ends, as after its own button.
    QCOMPARE(m_dialogs->ends, 1);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages.first().text, u"ปิดโปรแกรมเพื่ออัพเดทข้อมูล"_s);
    QCOMPARE(fileBytes(path(u"db.dll"_s)), bundledResultsFrom("25580901"));
}

QTEST_MAIN(TestForm1Tickets)
#include "tst_form1tickets.moc"
