#include "analysis/AnalysisTexts.h"
#include "analysiswindow/FilterBox.h"
#include "analysiswindow/Form2.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/Form1.h"
#include "widgets/Twips.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Newest first, as the results file holds them. Three August draws, two of them on a Monday.
const QStringList kLines {
    u"25530816,123456,111,222,333,444,55"_s, // Monday 16 August 2010
    u"25530801,987654,111,222,333,444,35"_s, // Sunday
    u"25530716,070307,111,222,333,444,07"_s, // Friday 16 July
    u"25530616,450745,111,222,333,444,53"_s, // Wednesday 16 June
    u"25520817,654321,111,222,333,444,05"_s, // Monday 17 August 2009
    u"25520716,111111,111,222,333,444,19"_s, // Thursday 16 July
};

QStringList texts(const QTreeView* list, int row)
{
    QStringList cells;
    const QAbstractItemModel* model = list->model();
    for (int column = 0; row < model->rowCount() && column < model->columnCount(); ++column) {
        cells.append(model->index(row, column).data().toString());
    }
    return cells;
}

int rowCount(const QTreeView* list)
{
    return list->model()->rowCount();
}

QString columnTitle(const QTreeView* list, int column)
{
    return list->model()->headerData(column, Qt::Horizontal).toString();
}

QStringList frequencyRow(const QString& title, const QList<std::pair<int, int>>& digitCounts)
{
    QStringList cells {title};
    for (int digit = 0; digit <= 9; ++digit) {
        int count = 0;
        for (const auto& [d, c] : digitCounts) {
            if (d == digit) {
                count = c;
            }
        }
        cells.append(QString::number(count));
    }
    return cells;
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void filterBoxes_data();
    void filterBoxes();
    void tableColumns();
    void baseSetFrozenWhenOpened();
    void typicalRequest();
    void nothingSelected();
    void analysisTwice();
    void clickDuringRunIgnored();
    void destroyedDuringRun();

private:
    // Selects the draws of the main window whose titles `select` accepts and opens the analysis window from the main
    // window's button.
    void open(const std::function<bool(int index, const QString& title)>& select);
    template<typename T>
    T* child(const QString& name) const
    {
        return m_form2 ? m_form2->findChild<T*>(name) : nullptr;
    }
    void choose(const QString& box, const QString& text);
    void clickAnalyse();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Form1> m_form1;
    QPointer<Form2> m_form2;
};

void TestForm2::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QFile file(m_dir->filePath(u"db.dll"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray content = kLines.join(u"\r\n"_s).toLatin1() + "\r\n";
    QCOMPARE(file.write(content), content.size());
    file.close();
    m_form1 = std::make_unique<Form1>(Form1Config {m_dir->path(), {}});
    m_form1->load();
    QCOMPARE(m_form1->list2(), kLines);
}

void TestForm2::cleanup()
{
    // The main window closes its analysis window with it.
    m_form1.reset();
    QVERIFY(m_form2.isNull());
    m_dir.reset();
}

void TestForm2::open(const std::function<bool(int index, const QString& title)>& select)
{
    auto* draws = m_form1->findChild<QListView*>(u"ListBox2"_s);
    QVERIFY(draws);
    for (int i = 0; i < draws->model()->rowCount(); ++i) {
        const QModelIndex item = draws->model()->index(i, 0);
        draws->selectionModel()->select(
            item, select(i, item.data().toString()) ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    }
    m_form1->findChild<QPushButton*>(u"PushButton5"_s)->click();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<Form2*>(window)) {
            QVERIFY(m_form2.isNull());
            m_form2 = form;
        }
    }
    QVERIFY(m_form2 && m_form2->isVisible());
}

void TestForm2::choose(const QString& box, const QString& text)
{
    auto* combo = child<QComboBox>(box);
    QVERIFY(combo);
    const int index = combo->findText(text);
    QVERIFY(index >= 0);
    combo->setCurrentIndex(index);
}

void TestForm2::clickAnalyse()
{
    auto* button = child<QPushButton>(u"PushButton1"_s);
    QVERIFY(button);
    QSignalSpy finished(m_form2.data(), &Form2::analysisFinished);
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(finished.size(), 1);
}

void TestForm2::filterBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("initialIndex");
    QTest::addColumn<QStringList>("firstItems");
    QTest::addColumn<QString>("lastItem");
    QTest::addColumn<int>("count");

    const QString notChosen = AnalysisTexts::notChosen().toString();
    const auto& days = ThaiDayNames::names();
    QTest::newRow("cmbday") << u"cmbday"_s << 0 << QStringList {notChosen, days[0].toString(), days[1].toString()}
                            << days[6].toString() << 8;
    const QStringList boxes {
        u"ComboBox1"_s, u"ComboBox2"_s, u"ComboBox3"_s, u"ComboBox4"_s, u"ComboBox5"_s, u"ComboBox6"_s, u"ComboBox7"_s};
    for (int i = 0; i < boxes.size(); ++i) {
        const bool pairs = boxes[i] == u"ComboBox4"_s || boxes[i] == u"ComboBox5"_s;
        QTest::newRow(qPrintable(boxes[i]))
            << boxes[i] << i + 1
            << (pairs ? QStringList {notChosen, u"00"_s, u"01"_s, u"02"_s} : QStringList {notChosen, u"0"_s, u"1"_s})
            << (pairs ? u"99"_s : u"9"_s) << (pairs ? 101 : 11);
    }
}

void TestForm2::filterBoxes()
{
    QFETCH(QString, name);
    QFETCH(int, initialIndex);
    QFETCH(QStringList, firstItems);
    QFETCH(QString, lastItem);
    QFETCH(int, count);

    open([](int, const QString&) { return false; });
    auto* box = child<FilterBox>(name);
    QVERIFY(box);
    const QString initial = AnalysisTexts::filterBoxInitialTexts()[static_cast<std::size_t>(initialIndex)].toString();

    QCOMPARE(box->count(), count);
    for (int i = 0; i < firstItems.size(); ++i) {
        QCOMPARE(box->itemText(i), firstItems[i]);
    }
    QCOMPARE(box->itemText(count - 1), lastItem);
    QVERIFY(!box->isEditable());

    // Nothing is chosen by the load: the box shows its initial text, and that is what the filter reads.
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(box->shownText(), initial);
    QCOMPARE(box->placeholderText(), initial);
    QCOMPARE(box->accessibleName(), initial);
    QCOMPARE(m_form2->filterBoxTexts()[static_cast<std::size_t>(initialIndex)], initial);

    // A screen reader names the box by its initial text and can open its list.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), initial);
    QVERIFY(accessible->actionInterface());
    QVERIFY(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));

    // Keyboard choice: the first entry down from the initial text is "not chosen".
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->shownText(), firstItems[0]);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->shownText(), firstItems[1]);
    QCOMPARE(accessible->text(QAccessible::Value), firstItems[1]);
    QCOMPARE(box->font().pointSizeF(), 9.75);
}

void TestForm2::tableColumns()
{
    open([](int, const QString&) { return false; });
    auto* draws = child<QTreeView>(u"ListView1"_s);
    auto* frequency = child<QTreeView>(u"ListViewReport"_s);
    QVERIFY(draws && frequency);
    QVERIFY(!draws->rootIsDecorated() && !frequency->rootIsDecorated());

    QCOMPARE(draws->model()->columnCount(), 7);
    QCOMPARE(columnTitle(draws, 0), u"งวดที่ "_s);
    QCOMPARE(columnTitle(draws, 1), u"รางวัลที่ 1"_s);
    QCOMPARE(columnTitle(draws, 2), u"3 ตัวครั้งที่1"_s);
    QCOMPARE(columnTitle(draws, 6), u"2 ตัว"_s);
    QCOMPARE(draws->columnWidth(0), twipsToPixels(2000));
    QCOMPARE(draws->columnWidth(5), twipsToPixels(1200));
    QCOMPARE(draws->columnWidth(6), twipsToPixels(9255 - 8000));

    QCOMPARE(frequency->model()->columnCount(), 11);
    QCOMPARE(columnTitle(frequency, 0), u"หลัก/เลข"_s);
    QCOMPARE(columnTitle(frequency, 1), u"0"_s);
    QCOMPARE(columnTitle(frequency, 10), u"9"_s);
    QCOMPARE(frequency->columnWidth(0), twipsToPixels(1200));
    QCOMPARE(frequency->columnWidth(9), twipsToPixels(800));
    QCOMPARE(frequency->columnWidth(10), twipsToPixels(9255 - 8400));

    QCOMPARE(m_form2->size(), twipsSize(9510, 5880));
    QCOMPARE(m_form2->windowTitle(), AnalysisTexts::windowTitle().toString());
    QVERIFY(!m_form2->windowIcon().isNull());

    // The tables stay empty until the first analysis; the analysis leaves the columns as they are.
    QCOMPARE(rowCount(draws), 0);
    QCOMPARE(rowCount(frequency), 0);
    clickAnalyse();
    QCOMPARE(rowCount(frequency), 2);
    QCOMPARE(draws->columnWidth(0), twipsToPixels(2000));
    QCOMPARE(draws->columnWidth(6), twipsToPixels(9255 - 8000));
    QCOMPARE(frequency->columnWidth(10), twipsToPixels(9255 - 8400));
}

void TestForm2::baseSetFrozenWhenOpened()
{
    open([](int index, const QString&) { return index == 0 || index == 2 || index == 5; });
    QCOMPARE(m_form2->list1(), (QStringList {kLines[0], kLines[2], kLines[5]}));

    // Later choices in the main window, and opening the window again while it is open, leave the base set alone.
    m_form1->findChild<QPushButton*>(u"PushButton6"_s)->click();
    auto* draws = m_form1->findChild<QListView*>(u"ListBox2"_s);
    draws->selectionModel()->select(draws->model()->index(1, 0), QItemSelectionModel::Select);
    m_form1->findChild<QPushButton*>(u"PushButton5"_s)->click();
    QCOMPARE(m_form2->list1(), (QStringList {kLines[0], kLines[2], kLines[5]}));
    clickAnalyse();
    auto* table = child<QTreeView>(u"ListView1"_s);
    QCOMPARE(rowCount(table), 3);
    QCOMPARE(texts(table, 1).at(1), u"070307"_s);

    // Closed and opened again, the window takes the selection of that moment.
    m_form2->close();
    QTRY_VERIFY(m_form2.isNull());
    open([](int index, const QString&) { return index == 1; });
    QCOMPARE(m_form2->list1(), QStringList {kLines[1]});
}

void TestForm2::typicalRequest()
{
    const QString august = ThaiMonthNames::months()[7].menuSearch.toString();
    open([&august](int, const QString& title) { return title.contains(august); });
    QCOMPARE(m_form2->list1(), (QStringList {kLines[0], kLines[1], kLines[4]}));

    choose(u"cmbday"_s, ThaiDayNames::names()[1].toString());
    clickAnalyse();

    auto* draws = child<QTreeView>(u"ListView1"_s);
    auto* frequency = child<QTreeView>(u"ListViewReport"_s);
    const QString augustName = ThaiMonthNames::months()[7].analysisWindow.toString();
    QCOMPARE(rowCount(draws), 2);
    QCOMPARE(texts(draws, 0),
        (QStringList {
            u"16 "_s + augustName + u" 2553"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s}));
    QCOMPARE(texts(draws, 1),
        (QStringList {
            u"17 "_s + augustName + u" 2552"_s, u"654321"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"05"_s}));

    const auto& rows = AnalysisTexts::frequencyRowTitles();
    QCOMPARE(rowCount(frequency), 2);
    QCOMPARE(texts(frequency, 0), frequencyRow(rows[0].toString(), {{5, 1}, {0, 1}}));
    QCOMPARE(texts(frequency, 1), frequencyRow(rows[1].toString(), {{5, 2}}));
    QCOMPARE(m_form2->list3(), (QStringList {kLines[0], kLines[4]}));
    QVERIFY(m_form2->list2().isEmpty());
}

void TestForm2::nothingSelected()
{
    open([](int, const QString&) { return false; });
    QVERIFY(m_form2->list1().isEmpty());
    clickAnalyse();
    QCOMPARE(rowCount(child<QTreeView>(u"ListView1"_s)), 0);
    auto* frequency = child<QTreeView>(u"ListViewReport"_s);
    const auto& rows = AnalysisTexts::frequencyRowTitles();
    QCOMPARE(texts(frequency, 0), frequencyRow(rows[0].toString(), {}));
    QCOMPARE(texts(frequency, 1), frequencyRow(rows[1].toString(), {}));
}

void TestForm2::analysisTwice()
{
    open([](int, const QString&) { return true; });
    choose(u"ComboBox6"_s, u"5"_s);
    clickAnalyse();
    auto* draws = child<QTreeView>(u"ListView1"_s);
    auto* frequency = child<QTreeView>(u"ListViewReport"_s);
    QCOMPARE(rowCount(draws), 3);
    const QList<QStringList> first {
        texts(draws, 0), texts(draws, 1), texts(draws, 2), texts(frequency, 0), texts(frequency, 1)};

    clickAnalyse();
    QCOMPARE(rowCount(draws), 3);
    QCOMPARE(rowCount(frequency), 2);
    const QList<QStringList> second {
        texts(draws, 0), texts(draws, 1), texts(draws, 2), texts(frequency, 0), texts(frequency, 1)};
    QCOMPARE(second, first);

    // A changed box takes effect at the next click only; "not chosen" lets every draw through again.
    choose(u"ComboBox6"_s, AnalysisTexts::notChosen().toString());
    QCOMPARE(rowCount(draws), 3);
    clickAnalyse();
    QCOMPARE(rowCount(draws), kLines.size());
}

void TestForm2::clickDuringRunIgnored()
{
    open([](int, const QString&) { return true; });
    auto* button = child<QPushButton>(u"PushButton1"_s);
    auto* draws = child<QTreeView>(u"ListView1"_s);
    QSignalSpy finished(m_form2.data(), &Form2::analysisFinished);

    // The table fill lets events run once per row; a click arriving then finds a run in progress.
    bool clickedDuringRun = false;
    int rowsWhenClicked = -1;
    QTimer::singleShot(0, m_form2.data(), [&] {
        clickedDuringRun = m_form2->isAnalysing();
        rowsWhenClicked = rowCount(draws);
        QTest::mouseClick(button, Qt::LeftButton);
    });
    QTest::mouseClick(button, Qt::LeftButton);

    QTRY_COMPARE(finished.size(), 1);
    QVERIFY(clickedDuringRun);
    QVERIFY(rowsWhenClicked >= 0 && rowsWhenClicked < kLines.size());
    QVERIFY(!m_form2->isAnalysing());
    QCOMPARE(rowCount(draws), kLines.size());
    for (int row = 0; row < kLines.size(); ++row) {
        QCOMPARE(texts(draws, row).at(1), kLines[row].mid(9, 6));
    }
    QCOMPARE(rowCount(child<QTreeView>(u"ListViewReport"_s)), 2);
    // No second run follows later either.
    QCoreApplication::processEvents();
    QCOMPARE(finished.size(), 1);
}

void TestForm2::destroyedDuringRun()
{
    open([](int, const QString&) { return true; });
    Form2* form = m_form2.data();
    const QPointer<Form2> alive(form);
    auto* button = form->findChild<QPushButton*>(u"PushButton1"_s);
    QVERIFY(button);

    // The window goes away while its table fills: the run stops without touching it again.
    QTimer::singleShot(0, this, [form] { delete form; });
    button->click();
    QVERIFY(alive.isNull());
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
