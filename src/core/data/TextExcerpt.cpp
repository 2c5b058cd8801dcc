#include "TextExcerpt.h"

#include <QTextBoundaryFinder>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// A character is seldom more than a few code units; boundaries are looked for in a piece this many code units a
// character long, so that a huge text is never read whole.
constexpr qsizetype unitsPerCharacter = 8;

} // namespace

QString textExcerpt(QStringView text, qsizetype maxCharacters)
{
    if (text.size() <= maxCharacters) {
        return text.toString();
    }
    const QString piece = text.left(maxCharacters * unitsPerCharacter).toString();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, piece);
    qsizetype end = 0;
    qsizetype before = 0;
    for (qsizetype characters = 0; characters < maxCharacters; ++characters) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0) {
            break;
        }
        before = end;
        end = next;
    }
    if (end >= text.size()) {
        return text.toString();
    }
    // The end of the piece is a boundary of the piece only, which may lie inside a character of the text.
    if (end == piece.size()) {
        end = before;
    }
    return text.left(end).toString() + u"…"_s;
}

QStringView characterAt(QStringView text, qsizetype index)
{
    if (index < 0 || index >= text.size()) {
        return {};
    }
    const qsizetype from = std::max<qsizetype>(0, index - unitsPerCharacter);
    const qsizetype to = std::min<qsizetype>(text.size(), index + unitsPerCharacter + 1);
    const QString piece = text.sliced(from, to - from).toString();
    const qsizetype at = index - from;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, piece);
    finder.setPosition(at);
    const qsizetype start = finder.isAtBoundary() ? at : std::max<qsizetype>(0, finder.toPreviousBoundary());
    finder.setPosition(at);
    const qsizetype next = finder.toNextBoundary();
    const qsizetype end = next < 0 ? piece.size() : next;
    return text.sliced(from + start, end - start);
}
