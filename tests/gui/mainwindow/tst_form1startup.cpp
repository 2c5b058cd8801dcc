#include "ShownTexts.h"
#include "mainwindow/Form1.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

class TestForm1Startup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void bundledFile();
    void catalogueKeepsFileOrder_data();
    void catalogueKeepsFileOrder();
    void noDrawStored_data();
    void noDrawStored();
    void reportColumns();

private:
    std::unique_ptr<Form1> startWith(const QByteArray* content);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestForm1Startup::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

std::unique_ptr<Form1> TestForm1Startup::startWith(const QByteArray* content)
{
    if (content) {
        QFile file(m_dir->filePath(u"db.dll"_s));
        if (!file.open(QIODevice::WriteOnly) || file.write(*content) != content->size()) {
            return nullptr;
        }
    }
    auto form = std::make_unique<Form1>(Form1Config {m_dir->path(), {}});
    form->load();
    return form;
}

void TestForm1Startup::bundledFile()
{
    QVERIFY(QFile::copy(QStringLiteral(VARENTA_BUNDLED_DB), m_dir->filePath(u"db.dll"_s)));
    auto form = startWith(nullptr);
    auto* label = form->findChild<QLabel*>(u"Label1"_s);
    auto* list = form->findChild<QListView*>(u"ListBox2"_s);
    QVERIFY(label && list);
    const QAbstractItemModel* items = list->model();

    const QString sunday = ShownTexts::kDayNames[0].toString();
    const QString august = ShownTexts::kMonthNames[7].toString();
    QCOMPARE(label->text(), sunday + u" 16 "_s + august + u" 2569"_s);
    QCOMPARE(items->rowCount(), 756);
    QCOMPARE(form->list2().size(), 756);
    QCOMPARE(items->index(0, 0).data().toString(), u"16 "_s + august + u" 2569"_s);
    QCOMPARE(items->index(755, 0).data().toString(), u"16 "_s + ShownTexts::kMonthNames[0] + u" 2538"_s);
    QVERIFY(!list->selectionModel()->hasSelection());
    QVERIFY(form->selectedDrawIndexes().isEmpty());
    QCOMPARE(list->selectionMode(), QAbstractItemView::MultiSelection);
}

void TestForm1Startup::catalogueKeepsFileOrder_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("caption");

    const QString aug = ShownTexts::kMonthNames[7].toString();
    const QString jul = ShownTexts::kMonthNames[6].toString();
    const QString monday = ShownTexts::kDayNames[1].toString();
    const QString unknown = ShownTexts::kUnknownDay.toString();

    QTest::newRow("newest first") << QByteArray("25530816,123456,111,222,333,444,55\r\n25530801,1\r\n25530716,1\r\n")
                                  << QStringList {u"16 "_s + aug + u" 2553"_s, u"01 "_s + aug + u" 2553"_s,
                                         u"16 "_s + jul + u" 2553"_s}
                                  << (monday + u" 16 "_s + aug + u" 2553"_s);
    QTest::newRow("no date order is imposed") << QByteArray("25530716,1\r\n25530816,1\r\n")
                                              << QStringList {u"16 "_s + jul + u" 2553"_s, u"16 "_s + aug + u" 2553"_s}
                                              << (ShownTexts::kDayNames[5] + u" 16 "_s + jul + u" 2553"_s);
    QTest::newRow("month 13 listed with its digits")
        << QByteArray("25531301,1\r\n") << QStringList {u"01 13 2553"_s} << (unknown + u" 01 13 2553"_s);
    QTest::newRow("short lines keep their place")
        << QByteArray("2553\r\n25530816,1\r\n25\n") << QStringList {u"2553"_s, u"16 "_s + aug + u" 2553"_s, u"25"_s}
        << (unknown + u" 2553"_s);
    QTest::newRow("lf only and blank lines") << QByteArray("25530816,1\n\n25530801,1\n")
                                             << QStringList {u"16 "_s + aug + u" 2553"_s, u"01 "_s + aug + u" 2553"_s}
                                             << (monday + u" 16 "_s + aug + u" 2553"_s);
}

void TestForm1Startup::catalogueKeepsFileOrder()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, titles);
    QFETCH(QString, caption);

    auto form = startWith(&content);
    auto* list = form->findChild<QListView*>(u"ListBox2"_s);
    QStringList shown;
    for (int i = 0; i < list->model()->rowCount(); ++i) {
        shown.append(list->model()->index(i, 0).data().toString());
    }
    QCOMPARE(shown, titles);
    QCOMPARE(form->list2().size(), titles.size());
    QCOMPARE(form->findChild<QLabel*>(u"Label1"_s)->text(), caption);
}

void TestForm1Startup::noDrawStored_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << false << QByteArray();
    QTest::newRow("empty") << true << QByteArray();
    QTest::newRow("blank lines only") << true << QByteArray("\r\n\r\n");
}

void TestForm1Startup::noDrawStored()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, content);
    auto form = startWith(fileExists ? &content : nullptr);
    QCOMPARE(form->findChild<QLabel*>(u"Label1"_s)->text(), u"ยังไม่มีงวดในฐานข้อมูล"_s);
    QCOMPARE(form->findChild<QListView*>(u"ListBox2"_s)->model()->rowCount(), 0);
    QVERIFY(form->list2().isEmpty());
    QCOMPARE(QFile::exists(m_dir->filePath(u"db.dll"_s)), fileExists);
}

void TestForm1Startup::reportColumns()
{
    const QByteArray content("25530816,123456,111,222,333,444,55\r\n");
    auto form = startWith(&content);
    auto* report = form->findChild<QTreeView*>(u"ListViewReport"_s);
    QVERIFY(report);
    QCOMPARE(report->model()->columnCount(), 7);
    QCOMPARE(report->model()->rowCount(), 0);
    const auto& titles = ShownTexts::kDrawColumns;
    for (int column = 0; column < 7; ++column) {
        QCOMPARE(report->model()->headerData(column, Qt::Horizontal).toString(),
            titles[static_cast<std::size_t>(column)].toString());
    }
    // 2000 and 1200 twips, and the rest of the 8895-twip table: 895 twips.
    QCOMPARE(report->columnWidth(0), 133);
    QCOMPARE(report->columnWidth(1), 80);
    QCOMPARE(report->columnWidth(6), 60);
}

QTEST_MAIN(TestForm1Startup)
#include "tst_form1startup.moc"
