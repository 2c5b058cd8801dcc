#include "Form1Fixture.h"
#include "analysiswindow/Form2.h"
#include "analysiswindow/StatisticsWindow.h"
#include "widgets/TableExport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Newest first, as the results file holds them. Two of the draws fell on a Monday.
const QByteArray kFile = "25530816,123456,111,222,333,444,55\r\n" // Monday 16 August 2010
                         "25530801,987654,111,222,333,444,35\r\n" // Sunday
                         "25530716,070307,111,222,333,444,07\r\n" // Friday
                         "25530616,450745,111,222,333,444,53\r\n" // Wednesday
                         "25520817,654321,111,222,333,444,05\r\n" // Monday 17 August 2009
                         "25520716,111111,111,222,333,444,19\r\n"; // Thursday

QStringList row(const QAbstractItemView* view, int row)
{
    QStringList cells;
    const QAbstractItemModel* model = view->model();
    for (int column = 0; column < model->columnCount(); ++column) {
        cells.append(model->index(row, column).data().toString());
    }
    return cells;
}

QStringList actionTexts(const QWidget* widget)
{
    QStringList texts;
    for (const QAction* action : widget->actions()) {
        texts.append(action->text());
    }
    return texts;
}

// The texts of the statistics' own items, in their order; other features add items of their own to the same menus.
QStringList statisticsItems(const QWidget* widget)
{
    static const QStringList ours {u"ดูสถิติ..."_s, u"คัดลอก"_s, u"ส่งออก CSV..."_s, u"ส่งออก Excel..."_s};
    QStringList texts = actionTexts(widget);
    texts.removeIf([](const QString& text) { return !ours.contains(text); });
    return texts;
}

QAction* action(const QWidget* window, const QString& name)
{
    for (QAction* action : window->actions()) {
        if (action->objectName() == name) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

class TestStatisticsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fromMainWindowSelection();
    void fromMainWindowNothingSelected();
    void fromAnalysisWindowReplacesContent();
    void contextMenus();
    void digitsByPlaceAndTest();
    void testGivenOnEnoughDraws();
    void upperPairs();
    void search_data();
    void search();
    void copySelectedRows();
    void savePdfAndChart();
    void fitsASmallScreenAndClosesWithEsc();

private:
    StatisticsWindow* window() const { return m_form->findChild<StatisticsWindow*>(); }
    QAbstractItemView* view(const QString& name) const { return window()->findChild<QAbstractItemView*>(name); }
    QString label(const QString& name) const { return window()->findChild<QLabel*>(name)->text(); }
    void select(QAbstractItemView* list, const QList<int>& rows);

    std::unique_ptr<QTemporaryDir> m_directory;
    std::unique_ptr<Form1> m_form;
};

void TestStatisticsWindow::init()
{
    m_directory = std::make_unique<QTemporaryDir>();
    m_form = startForm1(*m_directory, kFile);
    QVERIFY(m_form);
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestStatisticsWindow::cleanup()
{
    m_form.reset();
    m_directory.reset();
    TableExport::setSaveFileNameHandlerForTests({});
}

void TestStatisticsWindow::select(QAbstractItemView* list, const QList<int>& rows)
{
    for (const int row : rows) {
        list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::Select);
    }
}

void TestStatisticsWindow::fromMainWindowSelection()
{
    select(m_form->findChild<QAbstractItemView*>(u"ListBox2"_s), {0, 4});
    QTest::keyClick(m_form.get(), Qt::Key_T, Qt::ControlModifier);

    QVERIFY(window());
    QVERIFY(window()->isVisible());
    QCOMPARE(window()->windowTitle(), u"สถิติ - 2 งวด"_s);
    QVERIFY(label(u"descriptionLabel"_s).startsWith(u"งวดที่เลือกไว้ในหน้าต่างหลัก\n"_s));
    QVERIFY(label(u"descriptionLabel"_s).contains(u"ตั้งแต่งวด 17 สิงหาคม 2552 ถึงงวด 16 สิงหาคม 2553"_s));

    // Sorted by number, one row a number.
    const QAbstractItemView* list = view(u"numberListView"_s);
    QCOMPARE(list->model()->rowCount(), 100);
    QCOMPARE(row(list, 55), (QStringList {u"55"_s, u"1"_s, u"50.00%"_s, u"0.02"_s, u"16 สิงหาคม 2553"_s, u"0"_s}));
    QCOMPARE(row(list, 5), (QStringList {u"05"_s, u"1"_s, u"50.00%"_s, u"0.02"_s, u"17 สิงหาคม 2552"_s, u"1"_s}));
    QCOMPARE(row(list, 35), (QStringList {u"35"_s, u"0"_s, u"0.00%"_s, u"0.02"_s, QString(), u"ไม่เคยออก"_s}));

    // The grid: tens down, units across.
    const QAbstractItemView* grid = view(u"numberGridView"_s);
    QCOMPARE(grid->model()->index(5, 5).data().toString(), u"55\n1"_s);
    QCOMPARE(grid->model()->index(0, 5).data().toString(), u"05\n1"_s);
    QCOMPARE(grid->model()->index(3, 5).data().toString(), u"35\n0"_s);
}

void TestStatisticsWindow::fromMainWindowNothingSelected()
{
    action(m_form.get(), u"actionShowStatistics"_s)->trigger();
    QCOMPARE(window()->windowTitle(), u"สถิติ - 6 งวด"_s);
    QCOMPARE(label(u"descriptionLabel"_s),
        u"ทุกงวดที่เก็บไว้ (ไม่ได้เลือกงวดใด)\nตั้งแต่งวด 16 กรกฎาคม 2552 ถึงงวด 16 สิงหาคม 2553\nตัวกรอง: ไม่มี"_s);
    QCOMPARE(label(u"countedLabel"_s), u"2 ตัวล่าง: นับได้ 6 จาก 6 งวด ค่าคาดหมายของแต่ละเลขคือ 0.06 ครั้ง"_s);
}

void TestStatisticsWindow::fromAnalysisWindowReplacesContent()
{
    action(m_form.get(), u"actionShowStatistics"_s)->trigger();
    QCOMPARE(window()->windowTitle(), u"สถิติ - 6 งวด"_s);

    m_form->findChild<QAction*>(u"nmuall"_s)->trigger();
    m_form->findChild<QPushButton*>(u"PushButton5"_s)->click();
    Form2* analysis = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* form2 = qobject_cast<Form2*>(widget)) {
            analysis = form2;
        }
    }
    QVERIFY(analysis);
    auto* day = analysis->findChild<QComboBox*>(u"cmbday"_s);
    day->setCurrentIndex(day->findText(u"จันทร์"_s));
    analysis->findChild<QPushButton*>(u"PushButton1"_s)->click();
    QCOMPARE(analysis->list3().size(), 2);

    analysis->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(analysis));
    QTest::keyClick(analysis, Qt::Key_T, Qt::ControlModifier);

    QCOMPARE(m_form->findChildren<StatisticsWindow*>().size(), 1);
    QCOMPARE(window()->windowTitle(), u"สถิติ - 2 งวด"_s);
    QCOMPARE(label(u"descriptionLabel"_s),
        u"งวดที่ตรงกับการวิเคราะห์ครั้งล่าสุดในหน้าต่างวิเคราะห์\nตั้งแต่งวด 17 สิงหาคม 2552 ถึงงวด 16 สิงหาคม "
        u"2553\nตัวกรอง: วัน: จันทร์"_s);
    QCOMPARE(row(view(u"numberListView"_s), 5).at(1), u"1"_s);
    QCOMPARE(row(view(u"numberListView"_s), 35).at(1), u"0"_s);

    // The results file is only read.
    QFile file(m_directory->filePath(u"db.dll"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), kFile);
}

void TestStatisticsWindow::contextMenus()
{
    const QStringList tableItems {u"ดูสถิติ..."_s, u"คัดลอก"_s, u"ส่งออก CSV..."_s, u"ส่งออก Excel..."_s};
    const auto* catalogue = m_form->findChild<QAbstractItemView*>(u"ListBox2"_s);
    const auto* report = m_form->findChild<QAbstractItemView*>(u"ListViewReport"_s);
    QCOMPARE(catalogue->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(statisticsItems(catalogue), QStringList {u"ดูสถิติ..."_s});
    QCOMPARE(statisticsItems(report), tableItems);

    Form2 analysis(m_form->list2());
    for (const QString& name : {u"ListView1"_s, u"ListViewReport"_s}) {
        const auto* table = analysis.findChild<QAbstractItemView*>(name);
        QCOMPARE(table->contextMenuPolicy(), Qt::ActionsContextMenu);
        QCOMPARE(actionTexts(table), tableItems);
    }
    QCOMPARE(action(&analysis, u"actionShowStatistics"_s)->shortcut(), QKeySequence(u"Ctrl+T"_s));

    action(m_form.get(), u"actionShowStatistics"_s)->trigger();
    for (const QString& name : {u"numberGridView"_s, u"numberListView"_s, u"placesView"_s, u"searchResultsView"_s}) {
        QCOMPARE(actionTexts(view(name)), (QStringList {u"คัดลอก"_s, u"ส่งออก CSV..."_s, u"ส่งออก Excel..."_s}));
    }
}

void TestStatisticsWindow::digitsByPlaceAndTest()
{
    action(m_form.get(), u"actionShowStatistics"_s)->trigger();
    const QAbstractItemView* places = view(u"placesView"_s);
    QCOMPARE(places->model()->headerData(1, Qt::Horizontal).toString(), u"หลักสิบ: ออก"_s);
    QCOMPARE(places->model()->headerData(6, Qt::Horizontal).toString(), u"หลักหน่วย: ส่วนต่าง"_s);
    // Two-digit prizes 55 35 07 53 05 19: tens 5 twice, units 5 three times; n/10 = 0.6.
    QCOMPARE(row(places, 5), (QStringList {u"5"_s, u"2"_s, u"0.60"_s, u"+1.40"_s, u"3"_s, u"0.60"_s, u"+2.40"_s}));
    QCOMPARE(row(places, 2), (QStringList {u"2"_s, u"0"_s, u"0.60"_s, u"-0.60"_s, u"0"_s, u"0.60"_s, u"-0.60"_s}));
    QCOMPARE(
        label(u"tensTestLabel"_s), u"หลักสิบ: ไม่ได้ทดสอบ\nจำนวนงวดน้อยเกินไปที่จะทดสอบ เพราะค่าคาดหมายของแต่ละเลขต่ำกว่า 5 ครั้ง"_s);
}

void TestStatisticsWindow::testGivenOnEnoughDraws()
{
    // 100 draws, each number once: every digit ten times in each place.
    StatisticsSource source;
    for (int i = 0; i < 100; ++i) {
        source.lines.append(u"25530816,1234"_s + QString::number(i).rightJustified(2, u'0') + u",111,222,333,444,"_s +
            QString::number(i).rightJustified(2, u'0'));
    }
    StatisticsWindow statistics;
    statistics.showDraws(source);
    QCOMPARE(statistics.findChild<QLabel*>(u"unitsTestLabel"_s)->text(),
        u"หลักหน่วย: ไคสแควร์ = 0.00 (องศาอิสระ 9) ค่า p = 1.000\n"
        u"ความต่างจากค่าคาดหมายในหลักนี้อยู่ในระดับที่ความบังเอิญอธิบายได้ ไม่มีหลักฐานว่าเลขใดออกบ่อยกว่าเลขอื่น"_s);

    // 100 draws of 42: far beyond chance.
    source.lines = QStringList(100, u"25530816,123442,111,222,333,444,42"_s);
    statistics.showDraws(source);
    QCOMPARE(statistics.windowTitle(), u"สถิติ - 100 งวด"_s);
    QCOMPARE(statistics.findChild<QLabel*>(u"tensTestLabel"_s)->text(),
        u"หลักสิบ: ไคสแควร์ = 900.00 (องศาอิสระ 9) ค่า p < 0.001\n"
        u"ความต่างจากค่าคาดหมายในหลักนี้มากเกินกว่าที่ความบังเอิญจะอธิบายได้ (ค่า p ต่ำกว่า 0.05) "
        u"แต่ก็ไม่ได้บอกว่างวดหน้าจะออกเลขใด"_s);
}

void TestStatisticsWindow::upperPairs()
{
    action(m_form.get(), u"actionShowStatistics"_s)->trigger();
    window()->findChild<QRadioButton*>(u"upperPairButton"_s)->click();
    QCOMPARE(window()->pairSource(), PairSource::FirstPrizeLastTwo);
    // First prizes 123456 987654 070307 450745 654321 111111.
    QCOMPARE(row(view(u"numberListView"_s), 7).mid(0, 2), (QStringList {u"07"_s, u"1"_s}));
    QCOMPARE(row(view(u"numberListView"_s), 55).mid(0, 2), (QStringList {u"55"_s, u"0"_s}));
    QCOMPARE(row(view(u"placesView"_s), 5).mid(0, 2), (QStringList {u"5"_s, u"2"_s}));
    QVERIFY(label(u"countedLabel"_s).startsWith(u"2 ตัวบน: "_s));
}

void TestStatisticsWindow::search_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("at");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("two-digit") << u"5?"_s << u"5? (2 ตัวล่าง) ออกใน 2 งวด จากทั้งหมด 6 งวด"_s << 0
                               << QStringList {u"16 สิงหาคม 2553"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s,
                                      u"55"_s, u"2 ตัวล่าง"_s};
    QTest::newRow("three-digit, found as 3 ตัวบน")
        << u"?07"_s << u"?07 (เลข 3 ตัว หรือ 3 ตัวบน) ออกใน 1 งวด จากทั้งหมด 6 งวด"_s << 0
        << QStringList {
               u"16 กรกฎาคม 2553"_s, u"070307"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"07"_s, u"3 ตัวบน"_s};
    QTest::newRow("three-digit, in both") << u"111"_s << u"111 (เลข 3 ตัว หรือ 3 ตัวบน) ออกใน 6 งวด จากทั้งหมด 6 งวด"_s << 5
                                          << QStringList {u"16 กรกฎาคม 2552"_s, u"111111"_s, u"111"_s, u"222"_s,
                                                 u"333"_s, u"444"_s, u"19"_s, u"เลข 3 ตัว, 3 ตัวบน"_s};
    QTest::newRow("first prize") << u"0?0?0?"_s << u"0?0?0? (รางวัลที่ 1) ออกใน 1 งวด จากทั้งหมด 6 งวด"_s << 0
                                 << QStringList {u"16 กรกฎาคม 2553"_s, u"070307"_s, u"111"_s, u"222"_s, u"333"_s,
                                        u"444"_s, u"07"_s, u"รางวัลที่ 1"_s};
    QTest::newRow("bad") << u"5x"_s << u"ใช้ได้เฉพาะตัวเลข 0-9 และ ? หรือ * เท่านั้น แต่พบ \"x\""_s << 0 << QStringList();
}

void TestStatisticsWindow::search()
{
    QFETCH(QString, pattern);
    QFETCH(QString, message);
    QFETCH(int, at);
    QFETCH(QStringList, shown);

    action(m_form.get(), u"actionShowStatistics"_s)->trigger();
    auto* edit = window()->findChild<QLineEdit*>(u"patternEdit"_s);
    edit->setText(pattern);
    window()->findChild<QPushButton*>(u"searchButton"_s)->click();
    QCOMPARE(label(u"searchMessage"_s), message);
    const QAbstractItemView* results = view(u"searchResultsView"_s);
    if (shown.isEmpty()) {
        QCOMPARE(results->model()->rowCount(), 0);
    } else {
        QCOMPARE(row(results, at), shown);
    }
}

void TestStatisticsWindow::copySelectedRows()
{
    action(m_form.get(), u"actionShowStatistics"_s)->trigger();
    QAbstractItemView* list = view(u"numberListView"_s);
    select(list, {55, 5});
    QApplication::setActiveWindow(window());
    list->setFocus();
    QTRY_VERIFY(list->hasFocus());
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
        u"05\t1\t16.67%\t0.06\t17 สิงหาคม 2552\t4\n55\t1\t16.67%\t0.06\t16 สิงหาคม 2553\t0\n"_s);
}

void TestStatisticsWindow::savePdfAndChart()
{
    action(m_form.get(), u"actionShowStatistics"_s)->trigger();
    QTemporaryDir out;
    QStringList offered;
    TableExport::setSaveFileNameHandlerForTests([&](const QString& suggested) {
        offered.append(suggested);
        return out.filePath(suggested);
    });
    window()->findChild<QPushButton*>(u"pdfButton"_s)->click();
    window()->findChild<QPushButton*>(u"savePngButton"_s)->click();
    QCOMPARE(offered, (QStringList {u"statistics.pdf"_s, u"chart.png"_s}));

    QFile pdf(out.filePath(u"statistics.pdf"_s));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF-"));
    QFile png(out.filePath(u"chart.png"_s));
    QVERIFY(png.open(QIODevice::ReadOnly));
    QVERIFY(png.readAll().startsWith("\x89PNG\r\n"));
    // The chart is drawn whole even while its tab is not shown.
    const QImage chart(out.filePath(u"chart.png"_s));
    QVERIFY(chart.width() >= 600 && chart.height() >= 400);

    QVERIFY(!window()->savePdf(out.filePath(u"missing/statistics.pdf"_s)).ok());
    // A link where the chart is saved is refused; where it leads stays as it was.
    QVERIFY(QFile::link(out.filePath(u"statistics.pdf"_s), out.filePath(u"linked.png"_s)));
    const Status linked = window()->saveChartPng(out.filePath(u"linked.png"_s));
    QCOMPARE(linked.error(),
        u"บันทึกแฟ้ม %1 ไม่ได้: ไม่ใช่แฟ้มปกติ แต่เป็นลิงก์ไปยัง %2"_s.arg(
            out.filePath(u"linked.png"_s), out.filePath(u"statistics.pdf"_s)));
    QFile stillPdf(out.filePath(u"statistics.pdf"_s));
    QVERIFY(stillPdf.open(QIODevice::ReadOnly));
    QVERIFY(stillPdf.readAll().startsWith("%PDF-"));
}

void TestStatisticsWindow::fitsASmallScreenAndClosesWithEsc()
{
    action(m_form.get(), u"actionShowStatistics"_s)->trigger();
    QVERIFY(window());
    // A 1366x768 laptop screen less a panel, and the window's frame: the window can be made that small.
    const QSize free(1366 - 16, 768 - 40 - 40);
    const QSize least = window()->minimumSizeHint();
    QVERIFY2(least.width() <= free.width() && least.height() <= free.height(),
        qPrintable(u"%1x%2"_s.arg(least.width()).arg(least.height())));
    QApplication::setActiveWindow(window());
    QTRY_COMPARE(QApplication::activeWindow(), window());
    QTest::keyClick(window()->focusWidget() ? window()->focusWidget() : window(), Qt::Key_Escape);
    QVERIFY(!window()->isVisible());
}

QTEST_MAIN(TestStatisticsWindow)
#include "tst_statisticswindow.moc"
