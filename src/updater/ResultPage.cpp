#include "ResultPage.h"

#include "updater/DrawKeys.h"
#include "updater/HtmlDocument.h"

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
    QString compact = text.toString();
    compact.remove(u' ');
    const qsizetype size = compact.size();
    // Each piece takes what the text has of it: first 3, characters 4 to 6, the last 6 without the last 3, last 3.
    const QString first = compact.left(3);
    const QString second = compact.left(6).mid(3);
    const QString lastSix = compact.right(6);
    const QString third = lastSix.left(std::max<qsizetype>(0, lastSix.size() - 3));
    const QString fourth = compact.right(std::min<qsizetype>(3, size));
    return {first, second, third, fourth};
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
