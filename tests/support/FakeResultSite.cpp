#include "FakeResultSite.h"

#include "data/ThaiCalendar.h"
#include "updater/HtmlCharset.h"

#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace {

QString font(const QString& size, const QString& face, const QString& text)
{
    return u"<font size=\""_s + size + u"\" face=\""_s + face + u"\">"_s + text + u"</font>"_s;
}

QString arial2(const QString& text)
{
    return font(u"2"_s, u"Arial"_s, text);
}

// A form value as the page's charset encoded it, back to text.
QString decodeFormValue(QByteArray value, FakeResultSite::Charset charset)
{
    value.replace('+', ' ');
    const QByteArray bytes = QByteArray::fromPercentEncoding(value);
    if (charset == FakeResultSite::Charset::Utf8) {
        return QString::fromUtf8(bytes);
    }
    QStringDecoder decoder("windows-874");
    return decoder.isValid() ? QString(decoder.decode(bytes)) : HtmlCharset::decode(bytes, HtmlCharset::Charset::Thai);
}

} // namespace

FakeResultSite::FakeResultSite(QList<DrawRecord> draws, QObject* parent)
    : QObject(parent)
    , m_draws(std::move(draws))
    , m_server([this](const FakeHttpRequest& request) { return answer(request); })
{ }

void FakeResultSite::setCharset(Charset charset, CharsetDeclaration declaration)
{
    m_charset = charset;
    m_declaration = declaration;
}

void FakeResultSite::setListFault(ResultSiteFault fault, int delayMs)
{
    m_listFault = {fault, delayMs};
}

void FakeResultSite::setDrawFault(const QString& key, ResultSiteFault fault, int delayMs)
{
    m_drawFaults.insert(key, {fault, delayMs});
}

QUrl FakeResultSite::resultPageUrl() const
{
    QUrl url = m_server.baseUrl();
    url.setPath(u"/detail.php"_s);
    url.setQuery(u"link=result_text"_s);
    return url;
}

QByteArray FakeResultSite::charsetLabel() const
{
    return m_charset == Charset::Thai ? "windows-874" : "UTF-8";
}

QByteArray FakeResultSite::encode(const QString& text) const
{
    if (m_charset == Charset::Utf8) {
        return text.toUtf8();
    }
    // Encoded by the platform's own codec, apart from the client's decoder under test.
    QStringEncoder encoder("windows-874");
    return encoder.isValid() ? QByteArray(encoder(text)) : HtmlCharset::encode(text, HtmlCharset::Charset::Thai);
}

QString FakeResultSite::pageText(const DrawRecord* shown, ResultSiteFault fault) const
{
    QString html = u"<!DOCTYPE html>\n<html><head>"_s;
    if (m_declaration == CharsetDeclaration::Meta) {
        html += u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset="_s +
            QString::fromLatin1(charsetLabel()) + u"\">"_s;
    }
    html += u"<title>glo</title></head>\n<body>\n"_s;
    // Font elements that look like number elements but are not.
    html += font(u"3"_s, u"Arial"_s, u"Government Lottery Office"_s) + u'\n';
    html += font(u"2"_s, u"arial"_s, u"999999"_s) + u'\n';
    html += u"<font size=\"2\">888888</font>\n"_s;

    if (m_method == FormMethod::Post) {
        html += u"<form name=\"form1\" method=\"post\" action=\"detail.php?link=result_text\">\n"_s;
    } else {
        html += u"<form name=\"form1\" method=\"get\" action=\"detail.php\">\n"_s;
    }
    html += u"<input type=\"hidden\" name=\"link\" value=\"result_text\">\n"_s;
    if (fault != ResultSiteFault::NoSelector) {
        html += u"<select name=\"select_round\" size=\"1\">\n<option value=\"\">--</option>\n"_s;
        for (const DrawRecord& draw : m_draws) {
            const bool chosen = shown && draw.drawDate == shown->drawDate;
            html += u"<option value=\""_s + draw.drawDate + m_optionSuffix + u'"' +
                (chosen ? u" selected"_s : QString()) + u'>' + drawTitle(draw.drawDate) + u"</option>\n"_s;
        }
        html += u"</select>\n"_s;
    }
    if (fault != ResultSiteFault::NoButton) {
        // The button's caption is Thai, so that its value goes back in the page's charset.
        html += u"<input type=\"submit\" name=\"B1\" value=\""_s + ThaiDayNames::forWeekday(2) + u"\">\n"_s;
    }
    html += u"<input type=\"checkbox\" name=\"unchecked\" value=\"1\">\n</form>\n"_s;

    if (!shown) {
        return html + u"</body></html>\n"_s;
    }
    html += u"<p>"_s + drawCaption(shown->drawDate) + u"</p>\n<table>\n"_s;
    QStringList numbers;
    numbers << u" "_s + shown->firstPrize + u" "_s;
    // Numbers of other prizes, which the reader skips.
    numbers << u"101010"_s << u"202020"_s << u"303030"_s << u"404040"_s << u"505050"_s;
    numbers << u"  "_s + shown->threeDigit1 + u"  "_s + shown->threeDigit2 + u" "_s + shown->threeDigit3 + u"\n    "_s +
            shown->threeDigit4 + u" "_s;
    numbers << u" "_s + shown->twoDigit;
    numbers << u"777"_s;
    if (fault == ResultSiteFault::FewNumbers) {
        numbers = numbers.mid(0, 5);
    }
    for (const QString& number : std::as_const(numbers)) {
        html += u"<tr><td><b>"_s + arial2(number) + u"</b></td><td>"_s + font(u"2"_s, u"Tahoma"_s, u"x"_s) +
            u"</td></tr>\n"_s;
    }
    return html + u"</table>\n</body></html>\n"_s;
}

QByteArray FakeResultSite::page(const DrawRecord* shown, ResultSiteFault fault) const
{
    if (!shown && !m_draws.isEmpty()) {
        shown = &m_draws.first();
    }
    return encode(pageText(shown, fault));
}

FakeHttpResponse FakeResultSite::answer(const FakeHttpRequest& request)
{
    FakeHttpResponse response;
    if (request.path != "/detail.php") {
        response.status = 404;
        response.body = "<html><body>Not Found</body></html>";
        return response;
    }
    QByteArray form = request.method == "POST" ? request.body : QByteArray();
    if (const qsizetype query = request.target.indexOf('?'); query >= 0 && request.method != "POST") {
        form = request.target.mid(query + 1);
    }
    std::optional<QString> chosen;
    for (const QByteArray& pair : form.split('&')) {
        const qsizetype equals = pair.indexOf('=');
        if (equals > 0 && pair.left(equals) == "select_round") {
            chosen = decodeFormValue(pair.mid(equals + 1), m_charset);
        }
    }

    Misbehaviour misbehaviour;
    const DrawRecord* shown = nullptr;
    if (!chosen) {
        ++m_listLoads;
        misbehaviour = m_listFault;
    } else {
        m_chosenValues.append(*chosen);
        // A value that no option has shows the newest draw, as a server that ignores it would.
        for (const DrawRecord& draw : std::as_const(m_draws)) {
            if (draw.drawDate + m_optionSuffix == *chosen) {
                shown = &draw;
            }
        }
        if (shown) {
            misbehaviour = m_drawFaults.value(shown->drawDate);
        }
    }

    response.delayMs = misbehaviour.delayMs;
    switch (misbehaviour.fault) {
    case ResultSiteFault::NotFound:
        response.status = 404;
        response.body = "<html><body>Not Found</body></html>";
        return response;
    case ResultSiteFault::ServerError:
        response.status = 500;
        response.body = "<html><body>Internal Server Error</body></html>";
        return response;
    case ResultSiteFault::DropConnection:
        response.dropConnection = true;
        return response;
    default:
        break;
    }
    response.body = page(shown, misbehaviour.fault);
    response.contentType =
        m_declaration == CharsetDeclaration::Header ? "text/html; charset=" + charsetLabel() : QByteArray("text/html");
    response.headers.append(qMakePair("Set-Cookie"_ba, "PHPSESSID=fake; path=/"_ba));
    return response;
}
