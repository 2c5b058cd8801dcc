#include "widgets/WindowHabits.h"

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
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");

    QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("Ctrl+W") << int(Qt::Key_W) << int(Qt::ControlModifier);
}

void TestWindowHabits::keysClose()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);

    auto window = std::make_unique<QWidget>();
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
