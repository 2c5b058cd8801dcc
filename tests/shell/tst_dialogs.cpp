#include "shell/Dialogs.h"

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
    void noDisplayNameIsAppendedToTitles();
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
    Dialogs::setUpProgramIdentity();
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

void TestDialogs::noDisplayNameIsAppendedToTitles()
{
    // Without a display name of its own, Qt's display name is the application's name, and the window system
    // appends nothing to "Varenta V1.0" or "อัพเดทข้อมูล".
    Dialogs::setUpProgramIdentity();
    QCOMPARE(QGuiApplication::applicationName(), u"Varenta"_s);
    QCOMPARE(QGuiApplication::applicationDisplayName(), u"Varenta"_s);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
