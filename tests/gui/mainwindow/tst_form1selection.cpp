#include "Form1Fixture.h"

#include <QAction>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Titles: 0 and 1 August 2553, 2 July 2553, 3 August 2552, 4 November 2553, 5 a month written as its digits, 6 a
// key cut after its month (titled August 2553), 7 letters where the month stands, 8 a year alone.
const QByteArray catalogue("25530816,123456,111,222,333,444,55\r\n"
                           "25530801,123456,111,222,333,444,55\r\n"
                           "25530716,123456,111,222,333,444,55\r\n"
                           "25520816,123456,111,222,333,444,55\r\n"
                           "25531116,123456,111,222,333,444,55\r\n"
                           "25531301,123456,111,222,333,444,55\r\n"
                           "255308\r\n"
                           "2553ab16,123456,111,222,333,444,55\r\n"
                           "2553\r\n");

} // namespace

using IndexList = QList<int>;

class TestForm1Selection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void steps_data();
    void steps();
    void eachChoiceIsOneSelectionChange_data();
    void eachChoiceIsOneSelectionChange();
    void keysWithoutAMonthAreSelectedOnlyByAll();
    void selectAllOnAnEmptyCatalogue();

private:
    IndexList selectedIndexes() const;
    void run(const QString& step);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Form1> m_form;
};

void TestForm1Selection::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_form = startForm1(*m_dir, catalogue);
    QVERIFY(m_form);
    QCOMPARE(m_form->drawCount(), 9);
}

IndexList TestForm1Selection::selectedIndexes() const
{
    IndexList selected;
    for (int i = 0; i < m_form->drawCount(); ++i) {
        if (m_form->isDrawSelected(i)) {
            selected.append(i);
        }
    }
    return selected;
}

// A step is a menu item's name, a button's name, or "click:i" for the user's own click on draw i.
void TestForm1Selection::run(const QString& step)
{
    if (step.startsWith(u"click:"_s)) {
        auto* list = m_form->findChild<QListView*>(u"ListBox2"_s);
        list->selectionModel()->select(list->model()->index(step.mid(6).toInt(), 0), QItemSelectionModel::Toggle);
    } else if (auto* action = m_form->findChild<QAction*>(step)) {
        action->trigger();
    } else if (auto* button = m_form->findChild<QPushButton*>(step)) {
        button->click();
    } else {
        QFAIL(qPrintable(u"no step "_s + step));
    }
}

void TestForm1Selection::steps_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<IndexList>("selected");

    QTest::newRow("nothing at start") << QStringList() << IndexList();
    QTest::newRow("August in every year") << QStringList {u"nmuaugust"_s} << IndexList {0, 1, 3, 6};
    QTest::newRow("July adds to August") << QStringList {u"nmuaugust"_s, u"nmujuly"_s} << IndexList {0, 1, 2, 3, 6};
    QTest::newRow("November by the end of its name") << QStringList {u"nmunov"_s} << IndexList {4};
    QTest::newRow("a month without draws changes nothing")
        << QStringList {u"click:2"_s, u"nmujan"_s, u"nmudec"_s} << IndexList {2};
    QTest::newRow("month keeps the user's own choice")
        << QStringList {u"click:5"_s, u"nmuaugust"_s} << IndexList {0, 1, 3, 5, 6};
    QTest::newRow("all") << QStringList {u"nmuall"_s} << IndexList {0, 1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("clear after all") << QStringList {u"nmuall"_s, u"PushButton6"_s} << IndexList();
    QTest::newRow("clear then a month") << QStringList {u"nmuall"_s, u"PushButton6"_s, u"nmujuly"_s} << IndexList {2};
    QTest::newRow("the user's click takes one off")
        << QStringList {u"nmuaugust"_s, u"click:1"_s} << IndexList {0, 3, 6};
    QTest::newRow("clicks split all, a month joins the pieces")
        << QStringList {u"nmuall"_s, u"click:1"_s, u"click:3"_s, u"nmunov"_s} << IndexList {0, 2, 4, 5, 6, 7, 8};
    QTest::newRow("a month fills a gap left by a click")
        << QStringList {u"nmuall"_s, u"click:1"_s, u"click:2"_s, u"nmuaugust"_s} << IndexList {0, 1, 3, 4, 5, 6, 7, 8};
}

void TestForm1Selection::steps()
{
    QFETCH(QStringList, steps);
    QFETCH(IndexList, selected);
    for (const QString& step : std::as_const(steps)) {
        run(step);
    }
    QCOMPARE(selectedIndexes(), selected);
    QCOMPARE(m_form->selectedDrawIndexes(), selected);
}

void TestForm1Selection::eachChoiceIsOneSelectionChange_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("changes");

    QTest::newRow("all") << QStringList() << u"nmuall"_s << 1;
    QTest::newRow("a month") << QStringList() << u"nmuaugust"_s << 1;
    QTest::newRow("a month added to another") << QStringList {u"nmujuly"_s} << u"nmuaugust"_s << 1;
    QTest::newRow("clear after all") << QStringList {u"nmuall"_s} << u"PushButton6"_s << 1;
    QTest::newRow("a month already selected") << QStringList {u"nmuaugust"_s} << u"nmuaugust"_s << 0;
}

void TestForm1Selection::eachChoiceIsOneSelectionChange()
{
    QFETCH(QStringList, before);
    QFETCH(QString, step);
    QFETCH(int, changes);
    for (const QString& earlier : std::as_const(before)) {
        run(earlier);
    }
    auto* list = m_form->findChild<QListView*>(u"ListBox2"_s);
    QSignalSpy changed(list->selectionModel(), &QItemSelectionModel::selectionChanged);
    run(step);
    QCOMPARE(changed.count(), changes);
}

void TestForm1Selection::keysWithoutAMonthAreSelectedOnlyByAll()
{
    for (const QString& month : {u"nmujan"_s, u"nmufeb"_s, u"nmumarch"_s, u"nmuapril"_s, u"nmumay"_s, u"nmujune"_s,
             u"nmujuly"_s, u"nmuaugust"_s, u"nmusep"_s, u"nmuoct"_s, u"nmunov"_s, u"nmudec"_s}) {
        run(month);
    }
    QCOMPARE(selectedIndexes(), (IndexList {0, 1, 2, 3, 4, 6}));
    run(u"nmuall"_s);
    QVERIFY(m_form->isDrawSelected(5) && m_form->isDrawSelected(7) && m_form->isDrawSelected(8));
    QVERIFY(!m_form->isDrawSelected(9));
    QVERIFY(!m_form->isDrawSelected(-1));
}

void TestForm1Selection::selectAllOnAnEmptyCatalogue()
{
    auto form = startForm1(*m_dir, QByteArray());
    QCOMPARE(form->drawCount(), 0);
    form->findChild<QAction*>(u"nmuall"_s)->trigger();
    form->findChild<QPushButton*>(u"PushButton6"_s)->click();
    QCOMPARE(form->drawCount(), 0);
}

QTEST_MAIN(TestForm1Selection)
#include "tst_form1selection.moc"
