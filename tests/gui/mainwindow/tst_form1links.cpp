#include "Form1Fixture.h"
#include "analysiswindow/Form2.h"
#include "widgets/BrowserLinks.h"
#include "widgets/Dialogs.h"
#include "widgets/WidgetTexts.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class TestForm1Links : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void oneAnalysisWindow();
    void analysisWindowOpensAfreshAfterClosing();
    void browserLinks_data();
    void browserLinks();

private:
    static QList<Form2*> analysisWindows();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Form1> m_form;
    QList<Dialogs::Message> m_messages;
    QList<QUrl> m_opened;
};

void TestForm1Links::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_form = startForm1(*m_dir, "25530816,123456,111,222,333,444,55\r\n25530801,654321,001,002,003,004,05\r\n");
    QVERIFY(m_form);
    m_messages.clear();
    m_opened.clear();
    Dialogs::setMessageHandlerForTests([this](const Dialogs::Message& message) { m_messages.append(message); });
}

void TestForm1Links::cleanup()
{
    Dialogs::setMessageHandlerForTests({});
    BrowserLinks::setOpenerForTests({});
    m_form.reset();
    QCOMPARE(analysisWindows().size(), 0);
}

QList<Form2*> TestForm1Links::analysisWindows()
{
    QList<Form2*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Form2*>(widget)) {
            windows.append(window);
        }
    }
    return windows;
}

void TestForm1Links::oneAnalysisWindow()
{
    auto* button = m_form->findChild<QPushButton*>(u"PushButton5"_s);
    button->click();
    QCOMPARE(analysisWindows().size(), 1);
    Form2* first = analysisWindows().constFirst();
    QVERIFY(first->isVisible());
    QVERIFY(first->isWindow());
    QCOMPARE(first->size(), QSize(634, 392));
    first->resize(900, 700);
    QTRY_COMPARE(first->size(), QSize(634, 392));

    button->click();
    button->click();
    QCOMPARE(analysisWindows().size(), 1);
    QCOMPARE(analysisWindows().constFirst(), first);

    // A minimised analysis window comes back when asked for again.
    first->showMinimized();
    QCoreApplication::processEvents();
    button->click();
    QTRY_VERIFY(!first->isMinimized());
    QCOMPARE(analysisWindows().size(), 1);
}

void TestForm1Links::analysisWindowOpensAfreshAfterClosing()
{
    auto* button = m_form->findChild<QPushButton*>(u"PushButton5"_s);
    button->click();
    QPointer<Form2> first = analysisWindows().constFirst();
    QVERIFY(first->close());
    QTRY_VERIFY(first.isNull());
    QCOMPARE(analysisWindows().size(), 0);

    button->click();
    QCOMPARE(analysisWindows().size(), 1);
    QVERIFY(analysisWindows().constFirst()->isVisible());
}

void TestForm1Links::browserLinks_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("browserOpens");

    const QString home = QStringLiteral(VARENTA_HOME_ADDRESS);
    const QString publisher = QStringLiteral(VARENTA_PUBLISHER_PAGE);
    QTest::newRow("lottery office, opened") << u"PushButton8"_s << home << true;
    QTest::newRow("lottery office, no browser") << u"PushButton8"_s << home << false;
    QTest::newRow("publisher, opened") << u"PushButton9"_s << publisher << true;
    QTest::newRow("publisher, no browser") << u"PushButton9"_s << publisher << false;
}

void TestForm1Links::browserLinks()
{
    QFETCH(QString, button);
    QFETCH(QString, address);
    QFETCH(bool, browserOpens);

    BrowserLinks::setOpenerForTests([this, browserOpens](const QUrl& url) {
        m_opened.append(url);
        return browserOpens;
    });
    m_form->findChild<QPushButton*>(button)->click();

    QCOMPARE(m_opened, QList<QUrl> {QUrl(address)});
    if (browserOpens) {
        QVERIFY(m_messages.isEmpty());
    } else {
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages[0].text.startsWith(WidgetTexts::browserFailed()));
        QVERIFY(m_messages[0].text.contains(address));
    }
    // The program goes on: the window is still there and the button works again.
    m_form->findChild<QPushButton*>(button)->click();
    QCOMPARE(m_opened.size(), 2);
}

QTEST_MAIN(TestForm1Links)
#include "tst_form1links.moc"
