#include "Form1Fixture.h"
#include "WindowRequests.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kResults = "25690502,536077,267,318,065,153,43\r\n"
                            "25690416,309612,355,108,868,424,77\r\n"
                            "25690401,292514,406,113,851,098,47\r\n";

/// The titles of the windows shown over the main window, in the order they were opened.
QStringList windowsOver(const Form1& form)
{
    QStringList titles;
    for (const QWidget* child : form.findChildren<QWidget*>()) {
        if (child->isWindow() && child->isVisible()) {
            titles.append(child->windowTitle());
        }
    }
    return titles;
}

} // namespace

/// What the window's command line asks of the main window once it is shown.
class TestWindowRequests : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensTheWindowsAsked_data();
    void opensTheWindowsAsked();
};

void TestWindowRequests::opensTheWindowsAsked_data()
{
    QTest::addColumn<bool>("openTickets");
    QTest::addColumn<bool>("openStatistics");
    QTest::addColumn<QStringList>("windows");

    const QString tickets = u"ตรวจสลาก"_s;
    const QString statistics = u"สถิติ - 3 งวด"_s;
    QTest::newRow("the main window alone") << false << false << QStringList();
    QTest::newRow("the ticket checker") << true << false << QStringList {tickets};
    QTest::newRow("the statistics window on every draw") << false << true << QStringList {statistics};
    QTest::newRow("both") << true << true << QStringList {tickets, statistics};
}

void TestWindowRequests::opensTheWindowsAsked()
{
    QFETCH(bool, openTickets);
    QFETCH(bool, openStatistics);
    QFETCH(QStringList, windows);

    const QTemporaryDir dir;
    const std::unique_ptr<Form1> form = startForm1(dir, kResults);
    QVERIFY(form);
    form->show();
    CommandLine::Window options;
    options.openTickets = openTickets;
    options.openStatistics = openStatistics;
    scheduleWindowRequests(*form, options);
    // Nothing happens before the event loop runs; a step queued after the requests runs after all of them.
    QCOMPARE(windowsOver(*form), QStringList());
    bool requestsDone = false;
    QTimer::singleShot(0, form.get(), [&requestsDone] { requestsDone = true; });
    QTRY_VERIFY(requestsDone);

    QCOMPARE(windowsOver(*form), windows);
    QVERIFY(form->isVisible());
}

QTEST_MAIN(TestWindowRequests)
#include "tst_windowrequests.moc"
