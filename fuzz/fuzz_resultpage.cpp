// Any bytes as a result page: parsing, listing the draws, reading the numbers and submitting the form.
#include "updater/HtmlDocument.h"
#include "updater/ResultPage.h"

#include <cstddef>
#include <cstdint>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The first byte picks what the server says of the charset.
    static const QByteArray contentTypes[] = {
        {}, "text/html; charset=windows-874", "text/html; charset=UTF-8", "text/html; charset=iso-8859-1"};
    const QByteArray& contentType = contentTypes[size > 0 ? data[0] % 4 : 0];

    auto document =
        HtmlDocument::fromBytes(bytes, contentType, QUrl(u"http://www.glo.or.th/detail.php?link=result_text"_s));
    const QStringList entries = ResultPage::ListDrawEntries(*document);
    const ResultPage::DrawNumbers numbers = ResultPage::ExtractDrawNumbers(*document);
    // What was not found stays empty; the pieces of the three-digit text are at most three characters long.
    const bool consistent = (numbers.matchCount >= 8 || numbers.twoDigit.isEmpty()) &&
        (numbers.matchCount >= 7 || numbers.threeDigit1.isEmpty()) &&
        (numbers.matchCount >= 1 || numbers.firstPrize.isEmpty()) && numbers.threeDigit1.size() <= 3 &&
        numbers.threeDigit2.size() <= 3 && numbers.threeDigit3.size() <= 3 && numbers.threeDigit4.size() <= 3 &&
        !numbers.firstPrize.startsWith(u' ') && !numbers.twoDigit.endsWith(u' ');
    if (!consistent) {
        __builtin_trap();
    }

    const HtmlElement selector = document->elementByName(u"select_round"_s);
    if (!entries.isEmpty()) {
        document->setSelectValue(selector, entries.constLast());
    }
    if (const auto submission = document->submission(document->elementByName(u"B1"_s))) {
        if (submission->method != "GET" && submission->method != "POST") {
            __builtin_trap();
        }
    }
    for (const HtmlElement& element : document->elementsByTagName(u"td"_s)) {
        (void)element.innerText();
    }
    (void)HtmlCharset::encode(document->text(), document->charset());
    return 0;
}
