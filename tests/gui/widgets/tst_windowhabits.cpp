#include "widgets/WindowHabits.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

/// The habits of the program's windows besides the two main ones: closed by keys, sized to fit the screen.
class TestWindowHabits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keysClose_data();
    void keysClose();
    void otherKeysDoNotClose();
    void fittedSize_data();
    void fittedSize();
};

void TestWindowHabits::keysClose_data()
{
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("window, Esc") << false << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("window, Ctrl+W") << false << int(Qt::Key_W) << int(Qt::ControlModifier);
    QTest::newRow("dialog, Esc") << true << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("dialog, Ctrl+W") << true << int(Qt::Key_W) << int(Qt::ControlModifier);
}

void TestWindowHabits::keysClose()
{
    QFETCH(bool, dialog);
    QFETCH(int, key);
    QFETCH(int, modifiers);

    std::unique_ptr<QWidget> window = dialog ? std::make_unique<QDialog>() : std::make_unique<QWidget>();
    // The focus inside the window, in a field that takes keys of its own.
    auto* field = new QLineEdit(window.get());
    (new QVBoxLayout(window.get()))->addWidget(field);
    WindowHabits::closeWithKeys(window.get());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    field->setFocus();

    QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(!window->isVisible());
}

void TestWindowHabits::otherKeysDoNotClose()
{
    QWidget window;
    auto* field = new QLineEdit(&window);
    WindowHabits::closeWithKeys(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    field->setFocus();
    QTest::keyClick(field, Qt::Key_W);
    QTest::keyClick(field, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(window.isVisible());
    QCOMPARE(field->text(), QStringLiteral("w"));
}

void TestWindowHabits::fittedSize_data()
{
    QTest::addColumn<QSize>("preferred");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("fitted");

    QTest::newRow("fits as it is") << QSize(940, 660) << QSize(1366, 728) << QSize(940, 660);
    QTest::newRow("too tall for a laptop") << QSize(1100, 760) << QSize(1366, 728) << QSize(1100, 688);
    QTest::newRow("too wide and too tall") << QSize(1600, 900) << QSize(1280, 720) << QSize(1264, 680);
    QTest::newRow("no screen") << QSize(940, 660) << QSize() << QSize(940, 660);
}

void TestWindowHabits::fittedSize()
{
    QFETCH(QSize, preferred);
    QFETCH(QSize, screen);
    QFETCH(QSize, fitted);
    QCOMPARE(WindowHabits::fittedSize(preferred, screen), fitted);
}

QTEST_MAIN(TestWindowHabits)
#include "tst_windowhabits.moc"
