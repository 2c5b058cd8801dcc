#include "NumberPattern.h"

#include "analysis/StatisticsTexts.h"
#include "data/ResultsFile.h"

namespace {

bool isWildcard(QChar c)
{
    return c == u'?' || c == u'*';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

NumberPattern::NumberPattern(QString text, PatternTarget target)
    : m_text(std::move(text))
    , m_target(target)
{ }

Result<NumberPattern> NumberPattern::parse(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return Result<NumberPattern>::failure(StatisticsTexts::patternEmpty().toString());
    }
    for (const QChar c : trimmed) {
        if (!isDigit(c) && !isWildcard(c)) {
            return Result<NumberPattern>::failure(StatisticsTexts::patternBadCharacter().toString().arg(c));
        }
    }
    switch (trimmed.size()) {
    case 2:
        return NumberPattern(trimmed.toString(), PatternTarget::TwoDigitPrize);
    case 3:
        return NumberPattern(trimmed.toString(), PatternTarget::ThreeDigit);
    case 6:
        return NumberPattern(trimmed.toString(), PatternTarget::FirstPrize);
    default:
        return Result<NumberPattern>::failure(StatisticsTexts::patternBadLength().toString().arg(trimmed.size()));
    }
}

bool NumberPattern::matchesNumber(QStringView number) const
{
    if (number.size() != m_text.size()) {
        return false;
    }
    for (qsizetype i = 0; i < number.size(); ++i) {
        const QChar wanted = m_text.at(i);
        if (!isDigit(number[i]) || (!isWildcard(wanted) && wanted != number[i])) {
            return false;
        }
    }
    return true;
}

bool NumberPattern::matchesLine(QStringView line) const
{
    const DrawRecord record = ResultsFile::parseDrawLine(line);
    switch (m_target) {
    case PatternTarget::TwoDigitPrize:
        return matchesNumber(record.twoDigit);
    case PatternTarget::FirstPrize:
        return matchesNumber(record.firstPrize);
    case PatternTarget::ThreeDigit:
        for (const QString* number :
            {&record.threeDigit1, &record.threeDigit2, &record.threeDigit3, &record.threeDigit4}) {
            if (matchesNumber(*number)) {
                return true;
            }
        }
        return false;
    }
    return false;
}

QList<int> NumberPattern::search(const QStringList& lines) const
{
    QList<int> found;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (matchesLine(lines.at(i))) {
            found.append(int(i));
        }
    }
    return found;
}
