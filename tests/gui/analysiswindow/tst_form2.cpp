#include "ShownTexts.h"
#include "analysiswindow/FilterBox.h"
#include "analysiswindow/Form2.h"
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

// Filter boxes by name, each with the entry chosen in it.
using Choices = QList<std::pair<QString, QString>>;

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void filterBoxes_data();
    void filterBoxes();
    void choicesAreValues_data();
    void choicesAreValues();
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
    QTest::addColumn<QStringList>("firstItems");
    QTest::addColumn<QString>("lastItem");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("firstValue");

    const QString notChosen = ShownTexts::kNotChosen.toString();
    const auto& days = ShownTexts::kDayNames;
    QTest::newRow("cmbday") << u"cmbday"_s << QStringList {notChosen, days[0].toString(), days[1].toString()}
                            << days[6].toString() << 8 << 1;
    const QStringList boxes {
        u"ComboBox1"_s, u"ComboBox2"_s, u"ComboBox3"_s, u"ComboBox4"_s, u"ComboBox5"_s, u"ComboBox6"_s, u"ComboBox7"_s};
    for (const QString& box : boxes) {
        const bool pairs = box == u"ComboBox4"_s || box == u"ComboBox5"_s;
        QTest::newRow(qPrintable(box)) << box
                                       << (pairs ? QStringList {notChosen, u"00"_s, u"01"_s, u"02"_s}
                                                 : QStringList {notChosen, u"0"_s, u"1"_s})
                                       << (pairs ? u"99"_s : u"9"_s) << (pairs ? 101 : 11) << 0;
    }
}

void TestForm2::filterBoxes()
{
    QFETCH(QString, name);
    QFETCH(QStringList, firstItems);
    QFETCH(QString, lastItem);
    QFETCH(int, count);
    QFETCH(int, firstValue);

    open([](int, const QString&) { return false; });
    auto* box = child<FilterBox>(name);
    QVERIFY(box);
    const QString initial = ShownTexts::caption(u"Form2", name).toString();
    QVERIFY(!initial.isEmpty());

    QCOMPARE(box->count(), count);
    for (int i = 0; i < firstItems.size(); ++i) {
        QCOMPARE(box->itemText(i), firstItems[i]);
    }
    QCOMPARE(box->itemText(count - 1), lastItem);
    QVERIFY(!box->isEditable());

    // Nothing is chosen by the load: the box shows its initial text and sets no condition.
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(box->placeholderText(), initial);
    QCOMPARE(box->accessibleName(), initial);
    QVERIFY(!box->chosenValue());

    // A screen reader names the box by its initial text and can open its list.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), initial);
    QVERIFY(accessible->actionInterface());
    QVERIFY(accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));

    // Keyboard choice: the first entry down from the initial text is "not chosen", which sets no condition either.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentText(), firstItems[0]);
    QVERIFY(!box->chosenValue());
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentText(), firstItems[1]);
    QCOMPARE(box->chosenValue(), std::optional<int>(firstValue));
    QCOMPARE(accessible->text(QAccessible::Value), firstItems[1]);
    QCOMPARE(box->font().pointSizeF(), 9.75);
}

void TestForm2::choicesAreValues_data()
{
    QTest::addColumn<Choices>("choices");
    QTest::addColumn<AnalysisCriteria>("criteria");

    const QString notChosen = ShownTexts::kNotChosen.toString();
    AnalysisCriteria saturday;
    saturday.weekday = 7;
    AnalysisCriteria pairs;
    pairs.firstPrizeTensUnits = 7;
    pairs.firstPrizeLeadingPair = 99;
    AnalysisCriteria digits;
    digits.firstPrizeHundreds = 1;
    digits.firstPrizeTens = 2;
    digits.firstPrizeUnits = 3;
    digits.twoDigitUnits = 5;
    digits.twoDigitTens = 0;

    QTest::newRow("nothing chosen") << Choices {} << AnalysisCriteria {};
    QTest::newRow("day") << Choices {{u"cmbday"_s, ShownTexts::kDayNames[6].toString()}} << saturday;
    QTest::newRow("pairs") << Choices {{u"ComboBox4"_s, u"07"_s}, {u"ComboBox5"_s, u"99"_s}} << pairs;
    QTest::newRow("single digits") << Choices {{u"ComboBox1"_s, u"1"_s}, {u"ComboBox2"_s, u"2"_s},
                                          {u"ComboBox3"_s, u"3"_s}, {u"ComboBox6"_s, u"5"_s}, {u"ComboBox7"_s, u"0"_s}}
                                   << digits;
    QTest::newRow("not chosen everywhere")
        << Choices {{u"cmbday"_s, notChosen}, {u"ComboBox1"_s, notChosen}, {u"ComboBox2"_s, notChosen},
               {u"ComboBox3"_s, notChosen}, {u"ComboBox4"_s, notChosen}, {u"ComboBox5"_s, notChosen},
               {u"ComboBox6"_s, notChosen}, {u"ComboBox7"_s, notChosen}}
        << AnalysisCriteria {};
}

void TestForm2::choicesAreValues()
{
    QFETCH(Choices, choices);
    QFETCH(AnalysisCriteria, criteria);
    open([](int, const QString&) { return true; });
    for (const auto& [box, text] : std::as_const(choices)) {
        choose(box, text);
    }
    clickAnalyse();
    QCOMPARE(m_form2->lastAnalysisCriteria(), criteria);
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
    QCOMPARE(columnTitle(frequency, 0), ShownTexts::kFrequencyFirstColumn.toString());
    QCOMPARE(columnTitle(frequency, 1), u"0"_s);
    QCOMPARE(columnTitle(frequency, 10), u"9"_s);
    QCOMPARE(frequency->columnWidth(0), twipsToPixels(1200));
    QCOMPARE(frequency->columnWidth(9), twipsToPixels(800));
    QCOMPARE(frequency->columnWidth(10), twipsToPixels(9255 - 8400));

    QCOMPARE(m_form2->size(), twipsSize(9510, 5880));
    QCOMPARE(m_form2->windowTitle(), ShownTexts::caption(u"Form2", u"Form2").toString());
    // The icon follows the window's first paint.
    QTRY_VERIFY(!m_form2->windowIcon().isNull());

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
    open([](int, const QString& title) { return title.contains(ShownTexts::kMonthNames[7]); });
    QCOMPARE(m_form2->list1(), (QStringList {kLines[0], kLines[1], kLines[4]}));

    choose(u"cmbday"_s, ShownTexts::kDayNames[1].toString());
    clickAnalyse();

    auto* draws = child<QTreeView>(u"ListView1"_s);
    auto* frequency = child<QTreeView>(u"ListViewReport"_s);
    const QString augustName = ShownTexts::kAnalysisMonthNames[7].toString();
    QCOMPARE(rowCount(draws), 2);
    QCOMPARE(texts(draws, 0),
        (QStringList {
            u"16 "_s + augustName + u" 2553"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s}));
    QCOMPARE(texts(draws, 1),
        (QStringList {
            u"17 "_s + augustName + u" 2552"_s, u"654321"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"05"_s}));

    const auto& rows = ShownTexts::kFrequencyRows;
    QCOMPARE(rowCount(frequency), 2);
    QCOMPARE(texts(frequency, 0), frequencyRow(rows[0].toString(), {{5, 1}, {0, 1}}));
    QCOMPARE(texts(frequency, 1), frequencyRow(rows[1].toString(), {{5, 2}}));
    QCOMPARE(m_form2->list3(), (QStringList {kLines[0], kLines[4]}));
}

void TestForm2::nothingSelected()
{
    open([](int, const QString&) { return false; });
    QVERIFY(m_form2->list1().isEmpty());
    clickAnalyse();
    QCOMPARE(rowCount(child<QTreeView>(u"ListView1"_s)), 0);
    auto* frequency = child<QTreeView>(u"ListViewReport"_s);
    const auto& rows = ShownTexts::kFrequencyRows;
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
    choose(u"ComboBox6"_s, ShownTexts::kNotChosen.toString());
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
