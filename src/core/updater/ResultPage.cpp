#include "ResultPage.h"

#include "data/DrawKeys.h"
#include "updater/HtmlDocument.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace ResultPage {
namespace {

// Only the space counts as a blank in the number texts.
QString trimSpaces(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') {
        ++begin;
    }
    while (end > begin && text[end - 1] == u' ') {
        --end;
    }
    return text.sliced(begin, end - begin).toString();
}

} // namespace

QStringList ListDrawEntries(const HtmlDocument& document)
{
    QStringList entries;
    for (const HtmlElement& option : document.elementsByTagName(u"option"_s)) {
        const QString value = HtmlDocument::optionValue(option);
        if (DrawKeys::isDrawEntry(value)) {
            entries.append(value);
        }
    }
    return entries;
}

QStringList splitThreeDigitText(QStringView text)
{
    // Blanks only separate the numbers. What is left must be exactly four numbers of three digits; anything else
    // gives no number at all, never a number the page did not show.
    QString compact = text.toString();
    compact.remove(u' ');
    const bool wellFormed = compact.size() == 12 &&
        std::all_of(compact.cbegin(), compact.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!wellFormed) {
        return QStringList(4, QString());
    }
    return {compact.sliced(0, 3), compact.sliced(3, 3), compact.sliced(6, 3), compact.sliced(9, 3)};
}

DrawNumbers ExtractDrawNumbers(const HtmlDocument& document)
{
    DrawNumbers numbers;
    QString firstPrizeText;
    QString threeDigitText;
    QString twoDigitText;
    for (const HtmlElement& font : document.elementsByTagName(u"font"_s)) {
        if (font.attribute("size") != u"2"_s || font.attribute("face") != u"Arial"_s) {
            continue;
        }
        ++numbers.matchCount;
        if (numbers.matchCount == 1) {
            firstPrizeText = font.innerText();
        } else if (numbers.matchCount == 7) {
            threeDigitText = font.innerText();
        } else if (numbers.matchCount == 8) {
            twoDigitText = font.innerText();
        }
    }
    numbers.firstPrize = trimSpaces(firstPrizeText);
    numbers.twoDigit = trimSpaces(twoDigitText);
    const QStringList three = splitThreeDigitText(threeDigitText);
    numbers.threeDigit1 = three[0];
    numbers.threeDigit2 = three[1];
    numbers.threeDigit3 = three[2];
    numbers.threeDigit4 = three[3];
    return numbers;
}

} // namespace ResultPage
