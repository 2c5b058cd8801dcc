#include "data/TextTableModel.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::StringLiterals;

class TestTextTableModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellsAndTitles_data();
    void cellsAndTitles();
    void rowsAreMadeOnlyWhenAsked();
    void replacingRowsKeepsTheColumnTitles();
};

void TestTextTableModel::cellsAndTitles_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("one text per column") << QStringList {u"a"_s, u"b"_s, u"c"_s}
                                         << QStringList {u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("missing columns are empty") << QStringList {u"a"_s} << QStringList {u"a"_s, QString(), QString()};
    QTest::newRow("texts past the last column are not shown")
        << QStringList {u"a"_s, u"b"_s, u"c"_s, u"d"_s} << QStringList {u"a"_s, u"b"_s, u"c"_s};
}

void TestTextTableModel::cellsAndTitles()
{
    QFETCH(QStringList, row);
    QFETCH(QStringList, shown);

    TextTableModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setColumnTitles({u"x"_s, u"y"_s, u"z"_s});
    model.setRows(2, [row](int) { return row; });

    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), u"z"_s);
    QVERIFY(!model.headerData(3, Qt::Horizontal).isValid());
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column) {
        cells.append(model.index(1, column).data().toString());
    }
    QCOMPARE(cells, shown);
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!model.index(0, 0).data(Qt::EditRole).isValid());
}

void TestTextTableModel::rowsAreMadeOnlyWhenAsked()
{
    TextTableModel model;
    model.setColumnTitles({u"x"_s, u"y"_s});
    QList<int> made;
    model.setRows(100000, [&made](int row) {
        made.append(row);
        return QStringList {QString::number(row), QString::number(row * 2)};
    });
    QVERIFY(made.isEmpty());

    // The cells of one row are asked one after another: the row is made once for them.
    QCOMPARE(model.index(70000, 0).data().toString(), u"70000"_s);
    QCOMPARE(model.index(70000, 1).data().toString(), u"140000"_s);
    QCOMPARE(model.rowTexts(3), (QStringList {u"3"_s, u"6"_s}));
    QCOMPARE(made, (QList<int> {70000, 3}));
    QVERIFY(model.rowTexts(100000).isEmpty());
}

void TestTextTableModel::replacingRowsKeepsTheColumnTitles()
{
    TextTableModel model;
    model.setColumnTitles({u"x"_s});
    model.setRows(3, [](int row) { return QStringList {QString::number(row)}; });

    model.setRows({{u"new"_s}});
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.index(0, 0).data().toString(), u"new"_s);

    model.clear();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnTitles(), QStringList {u"x"_s});
}

QTEST_APPLESS_MAIN(TestTextTableModel)
#include "tst_texttablemodel.moc"
