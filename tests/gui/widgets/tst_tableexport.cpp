#include "DialogRecorder.h"
#include "Form1Fixture.h"
#include "XlsxContent.h"
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
    void reportAsExcel();
    void selectedRowsAsTsv();
    void writeFailureIsTold();

private:
    /// The report of a main window over `kFile` with every draw shown; null when the window could not start.
    const QAbstractItemView* showAllDraws();
    QString path(const QString& name) const { return m_directory->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_directory;
    std::unique_ptr<Form1> m_form;
};

void TestTableExport::cleanup()
{
    TableExport::setSaveFileNameHandlerForTests({});
    m_form.reset();
    m_directory.reset();
}

const QAbstractItemView* TestTableExport::showAllDraws()
{
    m_directory = std::make_unique<QTemporaryDir>();
    m_form = startForm1(*m_directory, kFile);
    if (!m_form) {
        return nullptr;
    }
    m_form->findChild<QAction*>(u"nmuall"_s)->trigger();
    m_form->findChild<QPushButton*>(u"PushButton3"_s)->click();
    return m_form->findChild<QAbstractItemView*>(u"ListViewReport"_s);
}

void TestTableExport::reportAsCsvIsByteExact()
{
    const QAbstractItemView* report = showAllDraws();
    QVERIFY(report);
    QCOMPARE(report->model()->rowCount(), 4);

    QCOMPARE(SpreadsheetFile::csvBytes(TableExport::sheetOf(*report->model())), kReportCsv);

    // Through the context menu, into the file the user names.
    QString offered;
    TableExport::setSaveFileNameHandlerForTests([&](const QString& suggested) {
        offered = suggested;
        return path(u"report.csv"_s);
    });
    viewAction(report, u"actionExportCsv"_s)->trigger();
    QCOMPARE(offered, u"report.csv"_s);
    QFile file(path(u"report.csv"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), kReportCsv);
}

void TestTableExport::reportAsExcel()
{
    const QAbstractItemView* report = showAllDraws();
    QVERIFY(report);
    QCOMPARE(viewAction(report, u"actionExportXlsx"_s)->text(), u"ส่งออก Excel..."_s);

    QString offered;
    TableExport::setSaveFileNameHandlerForTests([&](const QString& suggested) {
        offered = suggested;
        return path(u"report.xlsx"_s);
    });
    viewAction(report, u"actionExportXlsx"_s)->trigger();
    QCOMPARE(offered, u"report.xlsx"_s);

    const QList<QList<XlsxCell>> cells = readXlsxCells(path(u"report.xlsx"_s));
    QCOMPARE(cells.size(), 5);
    QCOMPARE(cells.at(4).at(2), (XlsxCell {u"s"_s, u"007"_s}));
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
    const DialogRecorder dialogs;
    const auto model = makeModel({u"A"_s}, {{u"1"_s}});
    QTableView view;
    view.setModel(model.get());
    TableExport::attach(&view, u"table.csv"_s);
    const QString path = directory.filePath(u"missing/table.xlsx"_s);
    TableExport::setSaveFileNameHandlerForTests([&](const QString&) { return path; });

    viewAction(&view, u"actionExportXlsx"_s)->trigger();
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().icon, Dialogs::Icon::Warning);
    QVERIFY(dialogs.messages.first().text.startsWith(u"บันทึกแฟ้ม %1 ไม่ได้: %2"_s.arg(path, QString())));
    QVERIFY(!QFile::exists(path));
}

QTEST_MAIN(TestTableExport)
#include "tst_tableexport.moc"
