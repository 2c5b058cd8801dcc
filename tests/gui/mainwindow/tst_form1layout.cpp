#include "Form1Fixture.h"
#include "ShownTexts.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

class TestForm1Layout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void controlGeometry_data();
    void controlGeometry();
    void captions_data();
    void captions();
    void fonts();
    void workButtonsLieOutsideTheClientArea();
    void keepsItsSize();
    void minimisingIsLeftAlone();
    void tabOrder();
    void monthMenuItems();
    void chooseDrawsPopsUpTheMenu();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Form1> m_form;
};

void TestForm1Layout::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_form = startForm1(*m_dir, "25530816,123456,111,222,333,444,55\r\n25530801,1,2,3,4,5,6\r\n");
    QVERIFY(m_form);
}

void TestForm1Layout::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("pixels");

    // Twips over 15, rounded to the nearest pixel.
    QTest::newRow("GroupBox1") << u"GroupBox1"_s << u"Form1"_s << QRect(8, 8, 777, 73);
    QTest::newRow("GroupBox2") << u"GroupBox2"_s << u"Form1"_s << QRect(8, 88, 777, 369);
    QTest::newRow("Label1") << u"Label1"_s << u"GroupBox1"_s << QRect(240, 24, 425, 33);
    QTest::newRow("Label2") << u"Label2"_s << u"GroupBox1"_s << QRect(8, 16, 265, 41);
    QTest::newRow("PushButton4") << u"PushButton4"_s << u"GroupBox1"_s << QRect(672, 24, 97, 30);
    QTest::newRow("ListBox2") << u"ListBox2"_s << u"GroupBox2"_s << QRect(8, 16, 161, 321);
    QTest::newRow("ListViewReport") << u"ListViewReport"_s << u"GroupBox2"_s << QRect(176, 16, 593, 345);
    QTest::newRow("PushButton6") << u"PushButton6"_s << u"GroupBox2"_s << QRect(16, 340, 73, 23);
    QTest::newRow("PushButton7") << u"PushButton7"_s << u"GroupBox2"_s << QRect(96, 340, 73, 23);
    QTest::newRow("PushButton8") << u"PushButton8"_s << u"Form1"_s << QRect(344, 464, 105, 30);
    QTest::newRow("PushButton3") << u"PushButton3"_s << u"Form1"_s << QRect(456, 464, 105, 30);
    QTest::newRow("PushButton5") << u"PushButton5"_s << u"Form1"_s << QRect(568, 464, 105, 30);
    QTest::newRow("PushButton9") << u"PushButton9"_s << u"Form1"_s << QRect(680, 464, 105, 30);
    QTest::newRow("PushButton1") << u"PushButton1"_s << u"Form1"_s << QRect(912, 48, 97, 49);
    QTest::newRow("PushButton2") << u"PushButton2"_s << u"Form1"_s << QRect(1040, 80, 113, 41);
    QTest::newRow("StatusBar1") << u"StatusBar1"_s << u"Form1"_s << QRect(0, 501, 792, 25);
}

void TestForm1Layout::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, pixels);

    auto* widget = m_form->findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(widget->geometry(), pixels);
}

void TestForm1Layout::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    for (const ShownTexts::Caption& entry : ShownTexts::kCaptions) {
        if (entry.window == u"Form1") {
            QTest::newRow(qPrintable(entry.control.toString())) << entry.control.toString() << entry.text.toString();
        }
    }
    QTest::newRow("PushButton8") << u"PushButton8"_s << ShownTexts::kCheckAtPrefix + QStringLiteral(VARENTA_SITE_NAME);
    // The frames have no title.
    QTest::newRow("GroupBox1") << u"GroupBox1"_s << QString();
    QTest::newRow("GroupBox2") << u"GroupBox2"_s << QString();
}

void TestForm1Layout::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QString shown;
    if (name == m_form->objectName()) {
        shown = m_form->windowTitle();
    } else if (auto* button = m_form->findChild<QPushButton*>(name)) {
        shown = button->text();
    } else if (auto* label = m_form->findChild<QLabel*>(name)) {
        shown = label->text();
    } else if (auto* frame = m_form->findChild<QGroupBox*>(name)) {
        shown = frame->title();
    } else if (auto* menu = m_form->findChild<QMenu*>(name)) {
        shown = menu->title();
    } else if (auto* item = m_form->findChild<QAction*>(name)) {
        shown = item->text();
    } else {
        QFAIL(qPrintable(u"no control "_s + name));
    }
    QCOMPARE(shown, caption);
}

void TestForm1Layout::fonts()
{
    auto fontOf = [this](const QString& name) { return m_form->findChild<QWidget*>(name)->font(); };
    QCOMPARE(m_form->font().family(), u"Tahoma"_s);
    QCOMPARE(m_form->font().pointSizeF(), 8.25);
    QCOMPARE(fontOf(u"Label1"_s).pointSizeF(), 18.0);
    QCOMPARE(fontOf(u"Label2"_s).pointSizeF(), 18.0);
    QCOMPARE(fontOf(u"ListBox2"_s).pointSizeF(), 9.75);
    QCOMPARE(fontOf(u"ListViewReport"_s).pointSizeF(), 9.75);
    QCOMPARE(fontOf(u"ListViewReport"_s).family(), u"Tahoma"_s);
    QCOMPARE(fontOf(u"PushButton1"_s).family(), u"MS Sans Serif"_s);
    QCOMPARE(fontOf(u"PushButton1"_s).pointSizeF(), 8.25);
    // A button's caption may be set smaller than its font where the stand-in font runs too wide, never larger.
    for (const QString& name : {u"PushButton3"_s, u"PushButton5"_s, u"PushButton8"_s, u"PushButton9"_s}) {
        const QFont font = fontOf(name);
        QCOMPARE(font.family(), u"Tahoma"_s);
        QVERIFY2(font.pointSizeF() <= 9.75 && font.pointSizeF() >= 7.0, qPrintable(name));
    }
}

void TestForm1Layout::workButtonsLieOutsideTheClientArea()
{
    for (const QString& name : {u"PushButton1"_s, u"PushButton2"_s}) {
        auto* button = m_form->findChild<QPushButton*>(name);
        QVERIFY(button->x() >= m_form->width());
    }
}

void TestForm1Layout::keepsItsSize()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QCOMPARE(m_form->size(), QSize(792, 526));
    m_form->resize(1000, 700);
    QTRY_COMPARE(m_form->size(), QSize(792, 526));
    m_form->resize(300, 200);
    QTRY_COMPARE(m_form->size(), QSize(792, 526));
    QVERIFY(!m_form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

void TestForm1Layout::minimisingIsLeftAlone()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->showMinimized();
    QCoreApplication::processEvents();
    QVERIFY(m_form->isMinimized());
    m_form->showNormal();
    QTRY_VERIFY(!m_form->isMinimized());
    QCOMPARE(m_form->size(), QSize(792, 526));
}

void TestForm1Layout::tabOrder()
{
    // The work buttons take no focus; the chain starts at the first visible control.
    const QStringList expected {u"PushButton4"_s, u"ListBox2"_s, u"ListViewReport"_s, u"PushButton5"_s,
        u"PushButton3"_s, u"PushButton6"_s, u"PushButton7"_s, u"PushButton8"_s, u"PushButton9"_s};
    QStringList order;
    QWidget* widget = m_form->findChild<QWidget*>(expected.first());
    for (int step = 0; step < 200 && order.size() < expected.size(); ++step) {
        if (widget->focusPolicy() & Qt::TabFocus && expected.contains(widget->objectName())) {
            order.append(widget->objectName());
        }
        widget = widget->nextInFocusChain();
    }
    QCOMPARE(order, expected);
}

void TestForm1Layout::monthMenuItems()
{
    auto* menu = m_form->findChild<QMenu*>(u"nmuselect"_s);
    QVERIFY(menu);
    const QList<QAction*> items = menu->actions();
    const QStringList names {u"nmuall"_s, u"nmujan"_s, u"nmufeb"_s, u"nmumarch"_s, u"nmuapril"_s, u"nmumay"_s,
        u"nmujune"_s, u"nmujuly"_s, u"nmuaugust"_s, u"nmusep"_s, u"nmuoct"_s, u"nmunov"_s, u"nmudec"_s};
    QCOMPARE(items.size(), 13);
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i]->objectName(), names[i]);
        QCOMPARE(items[i]->text(), ShownTexts::caption(u"Form1", names[i]).toString());
        QVERIFY(!items[i]->isCheckable());
        QVERIFY(items[i]->isEnabled());
        QVERIFY(items[i]->isVisible());
        QVERIFY(items[i]->shortcut().isEmpty());
    }
}

void TestForm1Layout::chooseDrawsPopsUpTheMenu()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    auto* menu = m_form->findChild<QMenu*>(u"nmuselect"_s);
    auto* button = m_form->findChild<QPushButton*>(u"PushButton7"_s);
    QVERIFY(!menu->isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    QTRY_VERIFY(!menu->isVisible());
}

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
