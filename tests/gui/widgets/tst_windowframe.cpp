#include "widgets/WindowFrame.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QWidget>

using namespace Qt::StringLiterals;

class TestWindowFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fixedSizeSpringsBack_data();
    void fixedSizeSpringsBack();
    void minimisingIsLeftAlone();
    void maximiseIsNotOffered();
    void centredWhenFirstShown();
    void statusBarPanels();
    void programIconHasTwoSizes();
    void iconComesAfterTheFirstPaint();
    void workAfterTheFirstPaintRunsOnce();
};

void TestWindowFrame::fixedSizeSpringsBack_data()
{
    QTest::addColumn<QSize>("clientTwips");
    QTest::addColumn<QSize>("pixels");
    QTest::newRow("main window") << QSize(11880, 7890) << QSize(792, 526);
    QTest::newRow("analysis window") << QSize(9510, 5880) << QSize(634, 392);
}

void TestWindowFrame::fixedSizeSpringsBack()
{
    QFETCH(QSize, clientTwips);
    QFETCH(QSize, pixels);
    QWidget window;
    applyFixedClientSize(&window, clientTwips);
    QCOMPARE(window.size(), pixels);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), pixels);

    window.resize(pixels + QSize(200, 100));
    QCOMPARE(window.size(), pixels);
    window.resize(QSize(50, 40));
    QCOMPARE(window.size(), pixels);
    window.setGeometry(QRect(window.pos(), QSize(1000, 900)));
    QTRY_COMPARE(window.size(), pixels);
}

void TestWindowFrame::minimisingIsLeftAlone()
{
    QWidget window;
    applyFixedClientSize(&window, QSize(11880, 7890));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    window.setWindowState(Qt::WindowMinimized);
    QVERIFY(window.windowState().testFlag(Qt::WindowMinimized));
    QCoreApplication::processEvents();
    QVERIFY(window.windowState().testFlag(Qt::WindowMinimized));

    window.setWindowState(Qt::WindowNoState);
    window.showNormal();
    QTRY_COMPARE(window.size(), QSize(792, 526));
    QVERIFY(!window.windowState().testFlag(Qt::WindowMinimized));
}

void TestWindowFrame::maximiseIsNotOffered()
{
    QWidget window;
    applyFixedClientSize(&window, QSize(9510, 5880));
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(window.isWindow());
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(!window.windowState().testFlag(Qt::WindowMaximized));
    QCOMPARE(window.size(), QSize(634, 392));
}

void TestWindowFrame::centredWhenFirstShown()
{
    QWidget window;
    applyFixedClientSize(&window, QSize(9510, 5880));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QRect available = window.screen()->availableGeometry();
    const QPoint offset = window.frameGeometry().center() - available.center();
    QVERIFY2(qAbs(offset.x()) <= 2 && qAbs(offset.y()) <= 40,
        qPrintable(u"off centre by %1,%2"_s.arg(offset.x()).arg(offset.y())));
}

void TestWindowFrame::statusBarPanels()
{
    QWidget window;
    applyFixedClientSize(&window, QSize(11880, 7890));
    QWidget* bar = createStatusBar(&window, 11880, 7890);
    QCOMPARE(bar->objectName(), u"StatusBar1"_s);
    QCOMPARE(bar->geometry(), QRect(0, 501, 792, 25));

    const auto panels = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    QCOMPARE(panels.size(), 3);
    QCOMPARE(panels[0]->text(), u"โปรแกรมVarenta V1.0"_s);
    QCOMPARE(panels[1]->text(), QStringLiteral(VARENTA_CONTACT_LINE));
    QVERIFY(panels[2]->text().isEmpty());
    QCOMPARE(panels[0]->geometry(), QRect(0, 0, 236, 25));
    QCOMPARE(panels[1]->x(), 236);
    // The second panel runs past the window's right edge, so the third is never seen.
    QVERIFY(panels[1]->geometry().right() >= bar->width());
    QVERIFY(panels[2]->x() >= bar->width());
    for (const QLabel* panel : panels) {
        QCOMPARE(panel->frameShadow(), QFrame::Sunken);
        QVERIFY(panel->alignment().testFlag(Qt::AlignLeft));
    }
}

void TestWindowFrame::programIconHasTwoSizes()
{
    const QIcon icon = programIcon();
    QVERIFY(!icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    QVERIFY(sizes.contains(QSize(32, 32)));
    QVERIFY(sizes.contains(QSize(64, 64)));
}

void TestWindowFrame::iconComesAfterTheFirstPaint()
{
    QWidget window;
    applyFixedClientSize(&window, QSize(9510, 5880));
    QVERIFY(window.windowIcon().isNull());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.windowIcon().cacheKey(), programIcon().cacheKey());
}

void TestWindowFrame::workAfterTheFirstPaintRunsOnce()
{
    QWidget window;
    int runs = 0;
    afterFirstPaint(&window, [&runs] { ++runs; });
    QCoreApplication::processEvents();
    QCOMPARE(runs, 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(runs, 1);
    window.update();
    window.repaint();
    QCoreApplication::processEvents();
    QCOMPARE(runs, 1);
}

QTEST_MAIN(TestWindowFrame)
#include "tst_windowframe.moc"
