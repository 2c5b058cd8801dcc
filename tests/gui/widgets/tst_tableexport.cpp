#include "Form1Fixture.h"
#include "widgets/TableExport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The example rows of the results file's description: a draw, the same draw with blanks around its first prize and
// with an eighth piece, and a draw whose numbers begin with zeros.
const QByteArray kFile = "25530816,123456,111,222,333,444,55\r\n"
                         "25530816, 123456 ,111,222,333,444,55\r\n"
                         "25530816,123456,111,222,333,444,55,99\r\n"
                         "25530801,012345,007,022,333,444,05\r\n";

// UTF-8 with its byte-order mark, every field quoted, CR LF after every line.
const QByteArray kReportCsv = "\xEF\xBB\xBF"
                              "\"งวดที่ \",\"รางวัลที่ 1\",\"3 ตัวครั้งที่1\",\"3 ตัวครั้งที่2\",\"3 ตัวครั้งที่3\","
                              "\"3 ตัวครั้งที่4\",\"2 ตัว\"\r\n"
                              "\"16 สิงหาคม 2553\",\"123456\",\"111\",\"222\",\"333\",\"444\",\"55\"\r\n"
                              "\"16 สิงหาคม 2553\",\"123456\",\"111\",\"222\",\"333\",\"444\",\"55\"\r\n"
                              "\"16 สิงหาคม 2553\",\"123456\",\"111\",\"222\",\"333\",\"444\",\"55\"\r\n"
                              "\"01 สิงหาคม 2553\",\"012345\",\"007\",\"022\",\"333\",\"444\",\"05\"\r\n";

std::unique_ptr<QStandardItemModel> makeModel(const QStringList& header, const QList<QStringList>& rows)
{
    auto model = std::make_unique<QStandardItemModel>(int(rows.size()), int(header.size()));
    model->setHorizontalHeaderLabels(header);
    for (int row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < rows[row].size(); ++column) {
            model->setItem(row, column, new QStandardItem(rows[row][column]));
        }
    }
    return model;
}

QAction* viewAction(const QAbstractItemView* view, const QString& name)
{
    for (QAction* action : view->actions()) {
        if (action->objectName() == name) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

class TestTableExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void reportAsCsvIsByteExact();
    void quoting_data();
    void quoting();
    void emptyTableGivesTheHeader();
    void selectedRowsAsTsv();
    void writeFailureIsTold();
};

void TestTableExport::cleanup()
{
    TableExport::setSaveFileNameHandlerForTests({});
}

void TestTableExport::reportAsCsvIsByteExact()
{
    QTemporaryDir directory;
    const std::unique_ptr<Form1> form = startForm1(directory, kFile);
    QVERIFY(form);
    form->findChild<QAction*>(u"nmuall"_s)->trigger();
    form->findChild<QPushButton*>(u"PushButton3"_s)->click();
    const auto* report = form->findChild<QAbstractItemView*>(u"ListViewReport"_s);
    QCOMPARE(report->model()->rowCount(), 4);

    QCOMPARE(TableExport::csvBytes(*report->model()), kReportCsv);

    // Through the context menu, into the file the user names.
    QString offered;
    TableExport::setSaveFileNameHandlerForTests([&](const QString& suggested) {
        offered = suggested;
        return directory.filePath(u"report.csv"_s);
    });
    viewAction(report, u"actionExportCsv"_s)->trigger();
    QCOMPARE(offered, u"report.csv"_s);
    QFile file(directory.filePath(u"report.csv"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), kReportCsv);
}

void TestTableExport::quoting_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QByteArray>("field");

    QTest::newRow("plain") << u"55"_s << QByteArray("\"55\"");
    QTest::newRow("leading zeros") << u"007"_s << QByteArray("\"007\"");
    QTest::newRow("empty") << QString() << QByteArray("\"\"");
    QTest::newRow("comma") << u"1,2"_s << QByteArray("\"1,2\"");
    QTest::newRow("quote doubled") << u"say \"55\""_s << QByteArray("\"say \"\"55\"\"\"");
    QTest::newRow("line end kept inside") << u"a\r\nb"_s << QByteArray("\"a\r\nb\"");
    QTest::newRow("Thai") << u"ไม่เคยออก"_s << QByteArray("\"ไม่เคยออก\"");
}

void TestTableExport::quoting()
{
    QFETCH(QString, cell);
    QFETCH(QByteArray, field);

    const auto model = makeModel({u"A"_s, u"B"_s}, {{cell, u"x"_s}});
    QCOMPARE(TableExport::csvBytes(*model), "\xEF\xBB\xBF\"A\",\"B\"\r\n" + field + ",\"x\"\r\n");
}

void TestTableExport::emptyTableGivesTheHeader()
{
    const auto model = makeModel({u"เลข"_s}, {});
    QCOMPARE(TableExport::csvBytes(*model), QByteArray("\xEF\xBB\xBF\"เลข\"\r\n"));
}

void TestTableExport::selectedRowsAsTsv()
{
    const auto model = makeModel({u"A"_s, u"B"_s}, {{u"00"_s, u"a"_s}, {u"01"_s, u"b\tc"_s}, {u"02"_s, u"d\ne"_s}});
    QTableView view;
    view.setModel(model.get());
    QCOMPARE(TableExport::selectedRowsAsTsv(view), QString());

    // Rows come in the table's order, whatever the order of selecting; one selected cell takes its whole row.
    view.selectionModel()->select(model->index(2, 1), QItemSelectionModel::Select);
    view.selectionModel()->select(model->index(0, 0), QItemSelectionModel::Select);
    QCOMPARE(TableExport::selectedRowsAsTsv(view), u"00\ta\n02\td e\n"_s);

    view.selectionModel()->select(model->index(1, 0), QItemSelectionModel::Select);
    QCOMPARE(TableExport::selectedRowsAsTsv(view).split(u'\n').at(1), u"01\tb c"_s);
}

void TestTableExport::writeFailureIsTold()
{
    QTemporaryDir directory;
    const auto model = makeModel({u"A"_s}, {{u"1"_s}});
    const Status written = TableExport::writeCsv(*model, directory.filePath(u"missing/out.csv"_s));
    QVERIFY(!written.ok());
    QVERIFY(written.error().startsWith(u"บันทึกแฟ้ม "_s));
    QVERIFY(!QFile::exists(directory.filePath(u"missing/out.csv"_s)));
}

QTEST_MAIN(TestTableExport)
#include "tst_tableexport.moc"
