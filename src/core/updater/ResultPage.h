#pragma once

#include "data/DrawRecord.h"

#include <QString>
#include <QStringList>

class HtmlDocument;

/// What the updater reads off the lottery office's result page. Pure functions over a parsed page.
namespace ResultPage {

/// The page element whose value chooses the draw the page shows next, and the button that shows it.
inline constexpr char16_t drawSelectorName[] = u"select_round";
inline constexpr char16_t showButtonName[] = u"B1";

/// The values of the page's draw entries, in document order (newest first on the result page): every `option`
/// whose value is a draw entry (see `DrawKeys::isDrawEntry`).
QStringList ListDrawEntries(const HtmlDocument& document);

/// The numbers of the draw a page shows, and how many number elements were found. The date stays empty: the page
/// does not say which draw it shows.
struct DrawNumbers : DrawRecord
{
    int matchCount = 0; ///< the page's `font` elements of size "2" and face "Arial"

    bool complete() const { return matchCount >= 8; }
};

/// Reads the 1st (first prize), 7th (the four three-digit numbers, separated by blanks) and 8th (two-digit number)
/// of the page's `font` elements whose `size` is exactly "2" and `face` exactly "Arial". The first prize and the
/// two-digit number are trimmed of spaces; the three-digit text, with every space removed, gives its four numbers
/// only when exactly twelve digits are left, and four empty texts otherwise. Missing texts are empty.
DrawNumbers ExtractDrawNumbers(const HtmlDocument& document);

/// The four numbers of a three-digit text, or four empty texts when it is not exactly twelve digits once its spaces
/// are removed (for tests and the fuzzer).
QStringList splitThreeDigitText(QStringView text);

} // namespace ResultPage
