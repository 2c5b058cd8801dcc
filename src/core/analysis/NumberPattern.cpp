#include "NumberPattern.h"

#include "analysis/StatisticsTexts.h"
#include "data/DataTexts.h"
#include "data/ResultsFile.h"
#include "data/TextExcerpt.h"

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
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        if (!isDigit(trimmed[i]) && !isWildcard(trimmed[i])) {
            return Result<NumberPattern>::failure(
                StatisticsTexts::patternBadCharacter().toString().arg(characterAt(trimmed, i)));
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

QList<PatternPlace> NumberPattern::placesIn(QStringView line) const
{
    const DrawRecord record = ResultsFile::parseDrawLine(line);
    QList<PatternPlace> places;
    switch (m_target) {
    case PatternTarget::TwoDigitPrize:
        if (matchesNumber(record.twoDigit)) {
            places.append(PatternPlace::TwoDigitPrize);
        }
        break;
    case PatternTarget::FirstPrize:
        if (matchesNumber(record.firstPrize)) {
            places.append(PatternPlace::FirstPrize);
        }
        break;
    case PatternTarget::ThreeDigit:
        for (const QString* number :
            {&record.threeDigit1, &record.threeDigit2, &record.threeDigit3, &record.threeDigit4}) {
            if (matchesNumber(*number)) {
                places.append(PatternPlace::ThreeDigit);
                break;
            }
        }
        // Followers call the first prize's last three digits "3 ตัวบน" and look for a number there too; a first
        // prize cut short has none.
        if (record.firstPrize.size() == 6 && matchesNumber(QStringView(record.firstPrize).right(3))) {
            places.append(PatternPlace::FirstPrizeLastThree);
        }
        break;
    }
    return places;
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

QString NumberPattern::placeName(PatternPlace place)
{
    switch (place) {
    case PatternPlace::TwoDigitPrize:
        return StatisticsTexts::twoDigitPrize().toString();
    case PatternPlace::ThreeDigit:
        return DataTexts::threeDigits().toString();
    case PatternPlace::FirstPrizeLastThree:
        return StatisticsTexts::firstPrizeLastThree().toString();
    case PatternPlace::FirstPrize:
        return DataTexts::firstPrize().toString();
    }
    return QString();
}
