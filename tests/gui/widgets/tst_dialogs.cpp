#include "widgets/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boxTitles_data();
    void boxTitles();
};

void TestDialogs::boxTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");
    QTest::newRow("the update's closing box") << u"อัพเดทข้อมูล"_s << u"อัพเดทข้อมูล"_s;
    QTest::newRow("no title of its own") << QString() << u"Varenta V1.0"_s;
}

void TestDialogs::boxTitles()
{
    QFETCH(QString, title);
    QFETCH(QString, shown);
    QString seen;
    QTimer::singleShot(0, this, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen = box->windowTitle();
        box->accept();
    });
    Dialogs::showMessage(nullptr, {Dialogs::Icon::Information, title, u"done"_s});
    QCOMPARE(seen, shown);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
