#include "mainwindow/MainWindowTexts.h"
#include "widgets/Fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <cmath>

using namespace Qt::StringLiterals;

class TestFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void shrunkToFit_data();
    void shrunkToFit();
    void shrunkNoFurtherThanSevenPoints();
    void drawnAsTheNamedFamily_data();
    void drawnAsTheNamedFamily();

private:
    int widthAt(const QString& text, qreal pointSize) const
    {
        QFont font = Fonts::tahoma(pointSize);
        return QFontMetrics(font, &m_device).horizontalAdvance(text);
    }

    QWidget m_device;
};

void TestFonts::initTestCase()
{
    Fonts::installFontSubstitutions();
}

void TestFonts::shrunkToFit_data()
{
    QTest::addColumn<QString>("text");
    // The room, as a share of the text's width at 9.75 pt.
    QTest::addColumn<double>("share");
    const QString site = MainWindowTexts::checkAtPrefix().toString() + u"glo.or.th"_s;
    const QString update = MainWindowTexts::updateVersionButton().toString();
    QTest::newRow("fits as it is") << update << 1.0;
    QTest::newRow("a pixel short") << site << 0.99;
    QTest::newRow("a tenth short") << site << 0.9;
    QTest::newRow("a quarter short") << site << 0.75;
    QTest::newRow("Latin, a fifth short") << u"Check at the lottery office"_s << 0.8;
}

void TestFonts::shrunkToFit()
{
    QFETCH(QString, text);
    QFETCH(double, share);
    const int room = int(widthAt(text, 9.75) * share);

    const QFont fitted = Fonts::shrunkToFit(Fonts::tahoma(9.75), text, room, &m_device);

    const qreal size = fitted.pointSizeF();
    QCOMPARE(fitted.family(), Fonts::tahoma(9.75).family());
    QVERIFY(size >= 7.0 && size <= 9.75);
    // Quarter point steps down from the font's own size.
    QCOMPARE(std::fmod(9.75 - size, 0.25), 0.0);
    QVERIFY2(widthAt(text, size) <= room, qPrintable(QString::number(size)));
    // The largest such size: a quarter point more no longer fits.
    if (size < 9.75) {
        QVERIFY2(widthAt(text, size + 0.25) > room, qPrintable(QString::number(size)));
    }
}

void TestFonts::shrunkNoFurtherThanSevenPoints()
{
    const QFont fitted = Fonts::shrunkToFit(Fonts::tahoma(9.75), u"Check at the lottery office"_s, 5, &m_device);
    QCOMPARE(fitted.pointSizeF(), 7.0);
}

void TestFonts::drawnAsTheNamedFamily_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("named");

    QTest::newRow("Tahoma 8.25") << Fonts::tahoma(8.25) << u"Tahoma"_s;
    QTest::newRow("Tahoma 18") << Fonts::tahoma(18) << u"Tahoma"_s;
    QTest::newRow("MS Sans Serif 8.25") << Fonts::msSansSerif(8.25) << u"MS Sans Serif"_s;
    QFont bold = Fonts::tahoma(9.75);
    bold.setBold(true);
    QTest::newRow("Tahoma 9.75 bold") << bold << u"Tahoma"_s;
}

void TestFonts::drawnAsTheNamedFamily()
{
    // Whichever family is asked for, the text looks as it does in the family the layout names, or in its stand-in
    // where that family is missing.
    QFETCH(QFont, font);
    QFETCH(QString, named);
    QFont asNamed = font;
    asNamed.setFamily(named);
    const QString text = MainWindowTexts::updateVersionButton().toString() + u" 0123456789 Varenta"_s;
    const auto drawn = [&text](const QFont& drawnFont) {
        QImage image(400, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(drawnFont);
        painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
        return image;
    };
    QCOMPARE(QFontInfo(font).family(), QFontInfo(asNamed).family());
    QVERIFY(drawn(font) == drawn(asNamed));
}

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
