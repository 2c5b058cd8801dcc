#include "mainwindow/Form1.h"
#include "widgets/Dialogs.h"
#include "widgets/Skin.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSkin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void load_data();
    void load();
    void bundledSkin();
    void mainWindowLook_data();
    void mainWindowLook();

private:
    void writeSkin(const QByteArray& content);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSkin::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestSkin::writeSkin(const QByteArray& content)
{
    QVERIFY(QDir(m_dir->path()).mkpath(u"Graphic"_s));
    QFile file(m_dir->filePath(u"Graphic/Normalblue.ini"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

void TestSkin::load_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QColor>("window");

    QTest::newRow("missing") << false << QByteArray() << false << QColor();
    QTest::newRow("empty") << true << QByteArray() << false << QColor();
    QTest::newRow("no colours group") << true << QByteArray("[Fonts]\nFace=Tahoma\n") << false << QColor();
    QTest::newRow("not a colour") << true << QByteArray("[Colors]\nWindow=#dce8f5\nButton=sky\n") << false << QColor();
    QTest::newRow("not a text file") << true << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << false << QColor();
    QTest::newRow("one colour") << true << QByteArray("[Colors]\nWindow=#102030\n") << true << QColor(0x10, 0x20, 0x30);
    QTest::newRow("comments and blanks") << true << QByteArray("; a skin\n[Colors]\n  Window = #dce8f5 \n") << true
                                         << QColor(0xdc, 0xe8, 0xf5);
}

void TestSkin::load()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    QFETCH(bool, loads);
    QFETCH(QColor, window);

    if (exists) {
        writeSkin(content);
    }
    Skin skin;
    const Status status = skin.load(m_dir->filePath(u"Graphic"_s), u"Normalblue.ini"_s);
    QCOMPARE(status.ok(), loads);
    QCOMPARE(skin.isLoaded(), loads);
    if (loads) {
        QCOMPARE(skin.palette().color(QPalette::Window), window);
        QVERIFY(!skin.styleSheet().isEmpty());
    } else {
        QVERIFY(!status.error().isEmpty());
        QVERIFY(skin.styleSheet().isEmpty());
    }
}

void TestSkin::bundledSkin()
{
    Skin skin;
    QVERIFY(skin.load(QStringLiteral(VARENTA_SKIN_DIR), u"Normalblue.ini"_s));
    QCOMPARE(skin.palette().color(QPalette::Window), QColor(u"#dce8f5"_s));
    QCOMPARE(skin.palette().color(QPalette::Highlight), QColor(u"#2f6fb5"_s));
}

void TestSkin::mainWindowLook_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("skinned");

    QTest::newRow("skin") << true << QByteArray("[Colors]\nWindow=#102030\nButton=#405060\n") << true;
    QTest::newRow("missing skin: default look") << false << QByteArray() << false;
    QTest::newRow("broken skin: default look") << true << QByteArray("[Colors]\nWindow=blue-ish\n") << false;
}

void TestSkin::mainWindowLook()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    QFETCH(bool, skinned);

    if (exists) {
        writeSkin(content);
    }
    int messages = 0;
    Dialogs::setMessageHandlerForTests([&messages](const Dialogs::Message&) { ++messages; });
    Form1 form(Form1Config {m_dir->path(), {}});
    form.load();
    Dialogs::setMessageHandlerForTests({});

    QCOMPARE(messages, 0);
    if (skinned) {
        QCOMPARE(form.palette().color(QPalette::Window), QColor(0x10, 0x20, 0x30));
        QCOMPARE(form.palette().color(QPalette::Button), QColor(0x40, 0x50, 0x60));
        QVERIFY(!form.styleSheet().isEmpty());
    } else {
        QCOMPARE(form.palette().color(QPalette::Window), QApplication::palette().color(QPalette::Window));
        QVERIFY(form.styleSheet().isEmpty());
    }
}

QTEST_MAIN(TestSkin)
#include "tst_skin.moc"
