#include "TestData.h"
#include "data/ThaiCalendar.h"
#include "updater/HtmlCharset.h"
#include "updater/HtmlDocument.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray savedPage(const QString& name)
{
    return testDataFile(u"resultpage/"_s + name);
}

// A form value as a browser sends it from a windows-874 page, made with the platform's own codec.
QByteArray thaiFormValue(const QString& text)
{
    QStringEncoder encoder("windows-874");
    return QByteArray(encoder(text)).toPercentEncoding();
}

QString monthName(int month)
{
    return ThaiMonthNames::months()[static_cast<std::size_t>(month - 1)].mainWindow.toString();
}

} // namespace

class TestHtmlDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodesDeclaredCharset_data();
    void decodesDeclaredCharset();
    void charsetWithoutDeclaration_data();
    void charsetWithoutDeclaration();
    void thaiBytesMapOntoThaiBlock();
    void encodesInPageCharset();
    void elementsByTagNameInDocumentOrder();
    void elementByName();
    void innerText_data();
    void innerText();
    void selectValue();
    void submission_data();
    void submission();
    void noSubmissionWithoutFormOrSubmitButton();
};

void TestHtmlDocument::decodesDeclaredCharset_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<bool>("readable");

    QTest::newRow("windows-874 by the page") << u"result-windows874.html"_s << "text/html"_ba << true;
    QTest::newRow("windows-874 by the server")
        << u"result-windows874.html"_s << "text/html; charset=windows-874"_ba << true;
    QTest::newRow("tis-620 by the server")
        << u"result-windows874.html"_s << "text/html; charset=\"TIS-620\""_ba << true;
    QTest::newRow("UTF-8 by the page") << u"result-utf8.html"_s << QByteArray() << true;
    QTest::newRow("UTF-8 by the server") << u"result-utf8.html"_s << "text/html;charset=utf-8"_ba << true;
    // The server's word wins over the page's.
    QTest::newRow("server overrides page") << u"result-utf8.html"_s << "text/html; charset=windows-874"_ba << false;
}

void TestHtmlDocument::decodesDeclaredCharset()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, contentType);
    QFETCH(bool, readable);

    const QByteArray bytes = savedPage(file);
    QVERIFY(!bytes.isEmpty());
    const auto document = HtmlDocument::fromBytes(bytes, contentType);
    const QList<HtmlElement> options = document->elementsByTagName(u"option"_s);
    QVERIFY(options.size() > 2);
    QCOMPARE(options[2].innerText() == drawTitle(u"25530816"), readable);
    const QString expected = monthName(8) + QChar(0x00A0) + monthName(7) + u"\nx"_s;
    QCOMPARE(document->elementByName(u"thai"_s).innerText() == expected, readable);
}

void TestHtmlDocument::charsetWithoutDeclaration_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("charset");

    const QString august = monthName(8);
    QTest::newRow("valid UTF-8") << (u"<p>"_s + august + u"</p>"_s).toUtf8() << int(HtmlCharset::Charset::Utf8);
    QTest::newRow("ASCII") << "<p>abc</p>"_ba << int(HtmlCharset::Charset::Utf8);
    QStringEncoder encoder("windows-874");
    QTest::newRow("Thai bytes") << QByteArray("<p>" + QByteArray(encoder(august)) + "</p>")
                                << int(HtmlCharset::Charset::Thai);
    QTest::newRow("meta charset") << "<meta charset=\"tis-620\"><p>abc</p>"_ba << int(HtmlCharset::Charset::Thai);
    QTest::newRow("latin-1 by meta") << "<META CHARSET=ISO-8859-1><p>abc</p>"_ba << int(HtmlCharset::Charset::Latin1);
}

void TestHtmlDocument::charsetWithoutDeclaration()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, charset);
    QCOMPARE(int(HtmlCharset::detect(bytes, {})), charset);
}

void TestHtmlDocument::thaiBytesMapOntoThaiBlock()
{
    QByteArray bytes;
    for (int byte = 0xA1; byte <= 0xFB; ++byte) {
        bytes += static_cast<char>(byte);
    }
    const QString text = HtmlCharset::decode(bytes, HtmlCharset::Charset::Thai);
    QCOMPARE(text.size(), bytes.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t expected = static_cast<char16_t>(0x0E01 + i);
        const bool hole = expected >= 0x0E3B && expected <= 0x0E3E;
        QCOMPARE(text[i].unicode(), hole ? char16_t(0xFFFD) : expected);
    }
    QCOMPARE(HtmlCharset::decode("abc 123", HtmlCharset::Charset::Thai), u"abc 123"_s);
    // The platform's codec, where it has one, agrees.
    QStringDecoder platform("windows-874");
    if (platform.isValid()) {
        QString fromPlatform = platform.decode(bytes);
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] != QChar(0xFFFD)) {
                QCOMPARE(fromPlatform[i], text[i]);
            }
        }
    }
}

void TestHtmlDocument::encodesInPageCharset()
{
    const QString august = monthName(8);
    QStringEncoder encoder("windows-874");
    QCOMPARE(HtmlCharset::encode(august, HtmlCharset::Charset::Thai), QByteArray(encoder(august)));
    QCOMPARE(HtmlCharset::encode(august, HtmlCharset::Charset::Utf8), august.toUtf8());
    // A character the charset lacks goes as a character reference.
    QCOMPARE(HtmlCharset::encode(u"a\u00e9"_s, HtmlCharset::Charset::Thai), "a&#233;"_ba);
}

void TestHtmlDocument::elementsByTagNameInDocumentOrder()
{
    const auto document = HtmlDocument::fromBytes(savedPage(u"result-utf8.html"_s), {});
    QStringList values;
    for (const HtmlElement& option : document->elementsByTagName(u"OPTION"_s)) {
        values.append(HtmlDocument::optionValue(option));
    }
    QCOMPARE(values,
        QStringList({u""_s, u"25600816"_s, u"25530816"_s, u"25530801xyz"_s, u"2553xxxx"_s, u"25531301"_s, u"x2550816"_s,
            u"first one"_s, u"second"_s, u"third"_s, u"25530716"_s}));
    QCOMPARE(document->elementsByTagName(u"font"_s).size(), 12);
    QVERIFY(document->elementsByTagName(u"marquee"_s).isEmpty());
}

void TestHtmlDocument::elementByName()
{
    const auto document = HtmlDocument::fromBytes(savedPage(u"result-windows874.html"_s), {});
    QCOMPARE(document->elementByName(u"select_round"_s).tagName(), u"select"_s);
    QCOMPARE(document->elementByName(u"B1"_s).tagName(), u"input"_s);
    QCOMPARE(document->elementByName(u"B1"_s).attributeText("value"), ThaiDayNames::forWeekday(3));
    QCOMPARE(document->elementByName(u"heading"_s).tagName(), u"h1"_s);
    QVERIFY(document->elementByName(u"b1"_s).isNull());
    QVERIFY(document->elementByName(u"nothing"_s).isNull());
}

void TestHtmlDocument::innerText_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("text");

    QTest::newRow("plain") << u"<p id=e>123456</p>"_s << u"123456"_s;
    QTest::newRow("nested") << u"<p id=e><b>12</b><i>34</i>56</p>"_s << u"123456"_s;
    QTest::newRow("white space runs") << u"<p id=e> 12\n\t 34  </p>"_s << u" 12 34 "_s;
    QTest::newRow("entities") << u"<p id=e>1&amp;2&nbsp;3</p>"_s << u"1&2\u00a03"_s;
    QTest::newRow("line break") << u"<p id=e>a <br> b</p>"_s << u"a\nb"_s;
    QTest::newRow("script left out") << u"<p id=e>a<script>x=1</script>b</p>"_s << u"ab"_s;
    QTest::newRow("empty") << u"<p id=e></p>"_s << QString();
}

void TestHtmlDocument::innerText()
{
    QFETCH(QString, html);
    QFETCH(QString, text);
    const HtmlDocument document(html);
    QCOMPARE(document.elementByName(u"e"_s).innerText(), text);
}

void TestHtmlDocument::selectValue()
{
    auto document = HtmlDocument::fromBytes(savedPage(u"result-utf8.html"_s), {});
    const HtmlElement select = document->elementByName(u"select_round"_s);
    QCOMPARE(HtmlDocument::optionValue(document->chosenOption(select)), u"25530816"_s);

    QVERIFY(document->setSelectValue(select, u"25530801xyz"_s));
    QCOMPARE(HtmlDocument::optionValue(document->chosenOption(select)), u"25530801xyz"_s);
    // Only an option's whole value can be chosen; otherwise nothing is.
    QVERIFY(!document->setSelectValue(select, u"25530801"_s));
    QVERIFY(document->chosenOption(select).isNull());
    // A select without a marked option submits its first.
    const HtmlElement outside = document->elementByName(u"outside"_s);
    QCOMPARE(HtmlDocument::optionValue(document->chosenOption(outside)), u"25530716"_s);
}

void TestHtmlDocument::submission_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("post");
    QTest::addColumn<QString>("choose");
    QTest::addColumn<QByteArray>("formData");

    const QByteArray note = thaiFormValue(ThaiDayNames::forWeekday(2));
    const QByteArray b1 = thaiFormValue(ThaiDayNames::forWeekday(3));
    const QByteArray noteUtf8 = ThaiDayNames::forWeekday(2).toUtf8().toPercentEncoding();
    const QByteArray b1Utf8 = ThaiDayNames::forWeekday(3).toUtf8().toPercentEncoding();
    const QByteArray rest = "&c2=2&r=b&select_round=";
    const QByteArray tail = "&kind=third&t=line1%0D%0Aline2&B1=";

    QTest::newRow("post windows-874") << u"result-windows874.html"_s << true << QString()
                                      << "link=result_text&note=" + note + rest + "25530816" + tail + b1;
    QTest::newRow("get windows-874") << u"result-windows874.html"_s << false << u"25530801xyz"_s
                                     << "link=result_text&note=" + note + rest + "25530801xyz" + tail + b1;
    QTest::newRow("post UTF-8") << u"result-utf8.html"_s << true << u"25600816"_s
                                << "link=result_text&note=" + noteUtf8 + rest + "25600816" + tail + b1Utf8;
    QTest::newRow("get UTF-8") << u"result-utf8.html"_s << false << QString()
                               << "link=result_text&note=" + noteUtf8 + rest + "25530816" + tail + b1Utf8;
}

void TestHtmlDocument::submission()
{
    QFETCH(QString, file);
    QFETCH(bool, post);
    QFETCH(QString, choose);
    QFETCH(QByteArray, formData);

    QByteArray bytes = savedPage(file);
    if (!post) {
        bytes.replace("method=\"post\"", "method=\"get\"");
    }
    const QUrl address(u"http://example.test/sub/detail.php?link=result_text"_s);
    auto document = HtmlDocument::fromBytes(bytes, {}, address);
    if (!choose.isEmpty()) {
        QVERIFY(document->setSelectValue(document->elementByName(u"select_round"_s), choose));
    }
    const auto submission = document->submission(document->elementByName(u"B1"_s));
    QVERIFY(submission);
    if (post) {
        QCOMPARE(submission->method, "POST"_ba);
        QCOMPARE(submission->url, QUrl(u"http://example.test/sub/detail.php?link=result_text"_s));
        QCOMPARE(submission->body, formData);
    } else {
        QCOMPARE(submission->method, "GET"_ba);
        QCOMPARE(submission->url.toString(QUrl::RemoveQuery), u"http://example.test/sub/detail.php"_s);
        QCOMPARE(submission->url.query(QUrl::FullyEncoded).toLatin1(), formData);
        QVERIFY(submission->body.isEmpty());
    }
}

void TestHtmlDocument::noSubmissionWithoutFormOrSubmitButton()
{
    const auto document = HtmlDocument::fromBytes(savedPage(u"result-utf8.html"_s), {});
    QVERIFY(!document->submission(document->elementByName(u"B3"_s)));
    QVERIFY(!document->submission(document->elementByName(u"outside"_s)));
    QVERIFY(!document->submission(HtmlElement()));
    const HtmlDocument loose(u"<input type=submit name=B1 value=go>"_s);
    QVERIFY(!loose.submission(loose.elementByName(u"B1"_s)));
}

QTEST_GUILESS_MAIN(TestHtmlDocument)
#include "tst_htmldocument.moc"
