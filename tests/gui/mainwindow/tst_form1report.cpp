#include "Form1Fixture.h"
#include "ShownTexts.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

const QByteArray catalogue("25530816,123456,111,222,333,444,55\r\n" // complete
                           "25530801,654321,001,002,003,004,05,99\r\n" // a piece too many
                           "25530716,111111,222,333,444\r\n" // four pieces
                           "2553\r\n" // too short to have fields
                           "25530616, 123456 , 1 ,2,3,4,5\r\n" // blanks around the pieces
                           "25530601\r\n"); // the date alone

QString title(const char* day, int month, const char* year)
{
    return QLatin1StringView(day) + u' ' + ShownTexts::kMonthNames[static_cast<std::size_t>(month - 1)] + u' ' +
        QLatin1StringView(year);
}

QList<QStringList> expectedRows()
{
    return {
        {title("16", 8, "2553"), u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s},
        {title("01", 8, "2553"), u"654321"_s, u"001"_s, u"002"_s, u"003"_s, u"004"_s, u"05"_s},
        {title("16", 7, "2553"), u"111111"_s, u"222"_s, u"333"_s, u"444"_s, QString(), QString()},
        {u"2553"_s, QString(), QString(), QString(), QString(), QString(), QString()},
        {title("16", 6, "2553"), u"123456"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s},
        {title("01", 6, "2553"), QString(), QString(), QString(), QString(), QString(), QString()},
    };
}

} // namespace

using IndexList = QList<int>;

class TestForm1Report : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void rows_data();
    void rows();
    void clickingTwiceGivesTheRowsOnce();
    void clickDuringABuildIsIgnored();
    void selectionChangedDuringABuild_data();
    void selectionChangedDuringABuild();
    void severalRowsAreCopied();

private:
    void select(const IndexList& indexes);
    QList<QStringList> reportRows() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Form1> m_form;
    QListView* m_list = nullptr;
    QTreeView* m_report = nullptr;
    QPushButton* m_show = nullptr;
};

void TestForm1Report::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_form = startForm1(*m_dir, catalogue);
    QVERIFY(m_form);
    m_list = m_form->findChild<QListView*>(u"ListBox2"_s);
    m_report = m_form->findChild<QTreeView*>(u"ListViewReport"_s);
    m_show = m_form->findChild<QPushButton*>(u"PushButton3"_s);
    QVERIFY(m_list && m_report && m_show);
    QCOMPARE(m_list->model()->rowCount(), 6);
}

void TestForm1Report::select(const IndexList& indexes)
{
    for (const int i : indexes) {
        m_list->selectionModel()->select(m_list->model()->index(i, 0), QItemSelectionModel::Select);
    }
}

QList<QStringList> TestForm1Report::reportRows() const
{
    QList<QStringList> rows;
    const QAbstractItemModel* model = m_report->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column) {
            cells.append(model->index(row, column).data().toString());
        }
        rows.append(cells);
    }
    return rows;
}

void TestForm1Report::rows_data()
{
    QTest::addColumn<IndexList>("selected");
    QTest::addColumn<IndexList>("rows");

    QTest::newRow("nothing selected") << IndexList() << IndexList();
    QTest::newRow("all, in catalogue order") << IndexList {5, 4, 3, 2, 1, 0} << IndexList {0, 1, 2, 3, 4, 5};
    QTest::newRow("complete line") << IndexList {0} << IndexList {0};
    QTest::newRow("pieces after the sixth are not shown") << IndexList {1} << IndexList {1};
    QTest::newRow("four pieces leave two empty cells") << IndexList {2} << IndexList {2};
    QTest::newRow("a short line gives empty cells") << IndexList {3} << IndexList {3};
    QTest::newRow("blanks are trimmed") << IndexList {4} << IndexList {4};
    QTest::newRow("the date alone") << IndexList {5} << IndexList {5};
    QTest::newRow("newest first whatever the order of choosing") << IndexList {4, 0} << IndexList {0, 4};
}

void TestForm1Report::rows()
{
    QFETCH(IndexList, selected);
    QFETCH(IndexList, rows);

    select(selected);
    m_show->click();

    QList<QStringList> expected;
    for (const int i : std::as_const(rows)) {
        expected.append(expectedRows()[i]);
    }
    QCOMPARE(reportRows(), expected);
}

void TestForm1Report::clickingTwiceGivesTheRowsOnce()
{
    select({0, 2});
    m_show->click();
    m_show->click();
    QCOMPARE(reportRows(), (QList<QStringList> {expectedRows()[0], expectedRows()[2]}));

    // The report keeps its rows until the next click, whatever happens to the selection meanwhile.
    m_form->findChild<QPushButton*>(u"PushButton6"_s)->click();
    QCOMPARE(m_report->model()->rowCount(), 2);
    m_show->click();
    QCOMPARE(m_report->model()->rowCount(), 0);
}

void TestForm1Report::clickDuringABuildIsIgnored()
{
    select({0, 1, 2, 3, 4, 5});
    QSignalSpy clicks(m_show, &QPushButton::clicked);
    QSignalSpy fills(m_report->model(), &QAbstractItemModel::rowsInserted);
    // The second click waits in the event queue and arrives while the rows are being built.
    QMetaObject::invokeMethod(m_show, &QPushButton::click, Qt::QueuedConnection);
    m_show->click();

    QCOMPARE(clicks.count(), 2);
    QCOMPARE(fills.count(), 1);
    QCOMPARE(reportRows(), expectedRows());

    // Once the build is over, a click builds again.
    m_show->click();
    QCOMPARE(reportRows(), expectedRows());
}

void TestForm1Report::selectionChangedDuringABuild_data()
{
    QTest::addColumn<IndexList>("selected");
    QTest::addColumn<QString>("midBuild");
    QTest::addColumn<IndexList>("rows");
    QTest::addColumn<IndexList>("selectedAfter");

    // The choices add draws that come after the first selected one: they must wait for the next click.
    QTest::newRow("month chosen") << IndexList {0} << u"nmujuly"_s << IndexList {0} << IndexList {0, 2};
    QTest::newRow("all chosen") << IndexList {0} << u"nmuall"_s << IndexList {0} << IndexList {0, 1, 2, 3, 4, 5};
    QTest::newRow("cleared") << IndexList {0, 2, 5} << u"PushButton6"_s << IndexList {0, 2, 5} << IndexList();
    QTest::newRow("a draw clicked off") << IndexList {0, 1, 2} << u"click:1"_s << IndexList {0, 1, 2}
                                        << IndexList {0, 2};
}

void TestForm1Report::selectionChangedDuringABuild()
{
    QFETCH(IndexList, selected);
    QFETCH(QString, midBuild);
    QFETCH(IndexList, rows);
    QFETCH(IndexList, selectedAfter);

    select(selected);
    if (midBuild.startsWith(u"click:"_s)) {
        const QModelIndex item = m_list->model()->index(midBuild.mid(6).toInt(), 0);
        QMetaObject::invokeMethod(
            m_list, [this, item] { m_list->selectionModel()->select(item, QItemSelectionModel::Toggle); },
            Qt::QueuedConnection);
    } else if (auto* action = m_form->findChild<QAction*>(midBuild)) {
        QMetaObject::invokeMethod(action, &QAction::trigger, Qt::QueuedConnection);
    } else {
        QMetaObject::invokeMethod(m_form->findChild<QPushButton*>(midBuild), &QPushButton::click, Qt::QueuedConnection);
    }
    m_show->click();

    // Every row carries its own draw's cells; the rows are those selected at the click.
    QList<QStringList> expected;
    for (const int i : std::as_const(rows)) {
        expected.append(expectedRows()[i]);
    }
    QCOMPARE(reportRows(), expected);

    IndexList after;
    for (int i = 0; i < m_form->drawCount(); ++i) {
        if (m_form->isDrawSelected(i)) {
            after.append(i);
        }
    }
    QCOMPARE(after, selectedAfter);
}

void TestForm1Report::severalRowsAreCopied()
{
    select({0, 1, 2, 3, 4, 5});
    m_show->click();
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    const auto clickRow = [this](int row, Qt::KeyboardModifiers modifiers) {
        const QRect cell = m_report->visualRect(m_report->model()->index(row, 1));
        QTest::mouseClick(m_report->viewport(), Qt::LeftButton, modifiers, cell.center());
    };

    // Ctrl adds a row to the selection; Ctrl+C copies both.
    clickRow(0, {});
    clickRow(2, Qt::ControlModifier);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(m_report, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
        title("16", 8, "2553") + u"\t123456\t111\t222\t333\t444\t55\n"_s + title("16", 7, "2553") +
            u"\t111111\t222\t333\t444\t\t\n"_s);
}

QTEST_MAIN(TestForm1Report)
#include "tst_form1report.moc"
