#include "TestData.h"
#include "data/DrawKeys.h"
#include "updater/HtmlDocument.h"
#include "updater/ResultPage.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray savedPage(const QString& name)
{
    return testDataFile(u"resultpage/"_s + name);
}

QString numberFont(const QString& text)
{
    return u"<font size=\"2\" face=\"Arial\">"_s + text + u"</font>"_s;
}

// A page with these number texts in matching font elements, among others that do not match.
QString pageWith(const QStringList& numbers, const QString& extra = {})
{
    QString html = u"<html><body><font size=\"2\" face=\"Tahoma\">x</font>"_s + extra;
    for (const QString& number : numbers) {
        html += u"<div>"_s + numberFont(number) + u"<font size=\"3\" face=\"Arial\">y</font></div>"_s;
    }
    return html + u"</body></html>"_s;
}

QStringList eight(const QString& first, const QString& three, const QString& two)
{
    return {first, u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, three, two};
}

} // namespace

class TestResultPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void isDrawEntry_data();
    void isDrawEntry();
    void listDrawEntries_data();
    void listDrawEntries();
    void extractDrawNumbers_data();
    void extractDrawNumbers();
    void extractFromSavedPages_data();
    void extractFromSavedPages();
};

void TestResultPage::isDrawEntry_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("entry");

    QTest::newRow("key") << u"25530816"_s << true;
    QTest::newRow("key and more") << u"25530816xyz"_s << true;
    QTest::newRow("year 2560 has no 255") << u"25600101"_s << true;
    QTest::newRow("leap day 2555 (2012)") << u"25550229"_s << true;
    QTest::newRow("no leap day 2554 (2011)") << u"25540229"_s << false;
    QTest::newRow("month 13") << u"25531301"_s << false;
    QTest::newRow("day 32") << u"25530132"_s << false;
    QTest::newRow("day 0") << u"25530100"_s << false;
    QTest::newRow("255 but no date") << u"2553xxxx"_s << false;
    QTest::newRow("255 inside") << u"x2550816"_s << false;
    QTest::newRow("seven digits") << u"2553081"_s << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("Thai digits") << u"\u0e52\u0e55\u0e55\u0e53\u0e50\u0e58\u0e51\u0e56"_s << false;
}

void TestResultPage::isDrawEntry()
{
    QFETCH(QString, value);
    QFETCH(bool, entry);
    QCOMPARE(DrawKeys::isDrawEntry(value), entry);
}

void TestResultPage::listDrawEntries_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("no option") << u"<p>nothing</p>"_s << QStringList();
    QTest::newRow("document order, every select")
        << u"<select name=a><option value=25530801>x<option value=x>y</select>"
           "<select name=b><option value=25600816>z<option>25530716</option></select>"_s
        << QStringList({u"25530801"_s, u"25600816"_s, u"25530716"_s});
    QTest::newRow("value not text") << u"<select><option value=\"--\">25530816</option></select>"_s << QStringList();
}

void TestResultPage::listDrawEntries()
{
    QFETCH(QString, html);
    QFETCH(QStringList, entries);
    QCOMPARE(ResultPage::ListDrawEntries(HtmlDocument(html)), entries);
}

void TestResultPage::extractDrawNumbers_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<int>("matches");

    QTest::newRow("plain") << pageWith(eight(u"123456"_s, u"111 222 333 444"_s, u"55"_s))
                           << QStringList({u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s}) << 8;
    QTest::newRow("equal three-digit numbers")
        << pageWith(eight(u"000001"_s, u"777 777 012 012"_s, u"00"_s))
        << QStringList({u"000001"_s, u"777"_s, u"777"_s, u"012"_s, u"012"_s, u"00"_s}) << 8;
    QTest::newRow("extra blanks") << pageWith(eight(u"  123456 "_s, u"   111  222 333    444  "_s, u"  55 "_s))
                                  << QStringList({u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s}) << 8;
    QTest::newRow("line breaks in the source")
        << pageWith(eight(u"\n123456\n"_s, u"111\n  222\n333\t444"_s, u"\n55"_s))
        << QStringList({u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s}) << 8;
    QTest::newRow("blanks inside stay") << pageWith(eight(u"12 3456"_s, u"111222333444"_s, u"5 5"_s))
                                        << QStringList({u"12 3456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"5 5"_s})
                                        << 8;
    QTest::newRow("more than eight") << pageWith(eight(u"123456"_s, u"111 222 333 444"_s, u"55"_s) +
                                            QStringList({u"999999"_s, u"98 76"_s}))
                                     << QStringList({u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s})
                                     << 10;
    QTest::newRow("arial in lower case does not match")
        << pageWith({u"123456"_s}, u"<font size=\"2\" face=\"arial\">1</font>"_s)
        << QStringList({u"123456"_s, QString(), QString(), QString(), QString(), QString()}) << 1;
    QTest::newRow("size in another form does not match")
        << u"<font size=\"+2\" face=\"Arial\">1</font><font size=\" 2\" face=\"Arial\">1</font>"
           "<font face=\"Arial\">1</font><font size=\"2\">1</font>"_s
        << QStringList({QString(), QString(), QString(), QString(), QString(), QString()}) << 0;
    QTest::newRow("fewer than eight") << pageWith({u"123456"_s, u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s,
                                             u"111 222 333 444"_s})
                                      << QStringList({u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, QString()})
                                      << 7;
    // Only exactly four numbers of three digits are taken; anything else gives no three-digit number at all.
    const QStringList noThree {u"123456"_s, QString(), QString(), QString(), QString(), u"55"_s};
    QTest::newRow("short three-digit text") << pageWith(eight(u"123456"_s, u"121 122 13"_s, u"55"_s)) << noThree << 8;
    QTest::newRow("five three-digit numbers")
        << pageWith(eight(u"123456"_s, u"121 122 999 131 132"_s, u"55"_s)) << noThree << 8;
    QTest::newRow("letters among the digits")
        << pageWith(eight(u"123456"_s, u"111 222 333 44x"_s, u"55"_s)) << noThree << 8;
    QTest::newRow("no-break spaces are no blanks")
        << pageWith(eight(u"123456"_s, u"111&nbsp;222 333 444"_s, u"55"_s)) << noThree << 8;
    QTest::newRow("attribute names in capitals")
        << u"<FONT SIZE=2 FACE=Arial>123456</FONT>"_s
        << QStringList({u"123456"_s, QString(), QString(), QString(), QString(), QString()}) << 1;
}

void TestResultPage::extractDrawNumbers()
{
    QFETCH(QString, html);
    QFETCH(QStringList, numbers);
    QFETCH(int, matches);

    const ResultPage::DrawNumbers extracted = ResultPage::ExtractDrawNumbers(HtmlDocument(html));
    QCOMPARE(QStringList({extracted.firstPrize, extracted.threeDigit1, extracted.threeDigit2, extracted.threeDigit3,
                 extracted.threeDigit4, extracted.twoDigit}),
        numbers);
    QCOMPARE(extracted.matchCount, matches);
    QCOMPARE(extracted.complete(), matches >= 8);
}

void TestResultPage::extractFromSavedPages_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("windows-874") << u"result-windows874.html"_s;
    QTest::newRow("UTF-8") << u"result-utf8.html"_s;
}

void TestResultPage::extractFromSavedPages()
{
    QFETCH(QString, file);
    const auto document = HtmlDocument::fromBytes(savedPage(file), {});
    const ResultPage::DrawNumbers numbers = ResultPage::ExtractDrawNumbers(*document);
    QCOMPARE(QStringList({numbers.firstPrize, numbers.threeDigit1, numbers.threeDigit2, numbers.threeDigit3,
                 numbers.threeDigit4, numbers.twoDigit}),
        QStringList({u"123456"_s, u"012"_s, u"345"_s, u"678"_s, u"901"_s, u"07"_s}));
    QCOMPARE(numbers.matchCount, 9);
    QCOMPARE(ResultPage::ListDrawEntries(*document),
        QStringList({u"25600816"_s, u"25530816"_s, u"25530801xyz"_s, u"25530716"_s}));
}

QTEST_GUILESS_MAIN(TestResultPage)
#include "tst_resultpage.moc"
