#include "DrawFilter.h"

#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"

namespace {

constexpr std::array<DigitStage, 7> kDigitStages {{
    {&AnalysisCriteria::firstPrizeHundreds, 13, 1},
    {&AnalysisCriteria::firstPrizeTens, 14, 1},
    {&AnalysisCriteria::firstPrizeUnits, 15, 1},
    {&AnalysisCriteria::firstPrizeTensUnits, 14, 2},
    {&AnalysisCriteria::firstPrizeLeadingPair, 10, 2},
    {&AnalysisCriteria::twoDigitUnits, 0, 1},
    {&AnalysisCriteria::twoDigitTens, 33, 1},
}};

constexpr qsizetype kMinimumLineLength = 9;
constexpr qsizetype kTwoDigitTensPosition = 33;

/// The key a stage reads, or a null view when the line does not reach that far.
QStringView stageKey(QStringView line, const DigitStage& stage)
{
    if (stage.position == 0) {
        return line.isEmpty() ? QStringView() : line.right(1);
    }
    if (line.size() < stage.position - 1 + stage.digits) {
        return {};
    }
    return line.mid(stage.position - 1, stage.digits);
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

/// Whether the key's characters are digits that write `wanted`: "07" writes 7, " 7" and "7x" write nothing.
bool keyWrites(QStringView key, int wanted)
{
    if (key.isEmpty()) {
        return false;
    }
    int value = 0;
    for (const QChar c : key) {
        if (!isDigit(c)) {
            return false;
        }
        value = value * 10 + (c.unicode() - u'0');
    }
    return value == wanted;
}

void countPlace(DigitCountRow& row, QChar c)
{
    if (isDigit(c)) {
        ++row[static_cast<std::size_t>(c.unicode() - u'0')];
    }
}

} // namespace

const std::array<DigitStage, 7>& digitStages()
{
    return kDigitStages;
}

QString digitsText(int value, qsizetype digits)
{
    return QString::number(value).rightJustified(digits, u'0');
}

bool isAnalysableLine(QStringView line)
{
    return line.size() >= kMinimumLineLength && weekdayNumber(line) != 0;
}

QStringList filterDraws(const QStringList& baseSet, const AnalysisCriteria& criteria)
{
    // Stage 1, the day of the week. Lines that cannot be analysed stop here whether or not a day is chosen.
    QStringList passing;
    passing.reserve(baseSet.size());
    for (const QString& line : baseSet) {
        if (line.size() < kMinimumLineLength) {
            continue;
        }
        const int weekday = weekdayNumber(line);
        if (weekday == 0) {
            continue;
        }
        if (criteria.weekday && weekday != *criteria.weekday) {
            continue;
        }
        passing.append(line);
    }

    // Stages 2 to 8, each over what the one before let through; a stage not in use lets every line pass.
    for (const DigitStage& stage : kDigitStages) {
        const std::optional<int>& wanted = criteria.*stage.criterion;
        if (!wanted) {
            continue;
        }
        QStringList next;
        next.reserve(passing.size());
        for (const QString& line : std::as_const(passing)) {
            if (keyWrites(stageKey(line, stage), *wanted)) {
                next.append(line);
            }
        }
        passing = std::move(next);
    }
    return passing;
}

QStringList drawTableRow(QStringView line)
{
    QStringList cells;
    cells.reserve(7);
    cells.append(drawTitle(line, MonthNaming::AnalysisWindow));
    cells.append(ResultsFile::numberFields(line));
    return cells;
}

DigitCounts countTwoDigitPlaces(const QStringList& lines)
{
    DigitCounts counts;
    for (const QString& line : lines) {
        if (line.size() >= kTwoDigitTensPosition) {
            countPlace(counts.tensPlace, line.at(kTwoDigitTensPosition - 1));
        }
    }
    for (const QString& line : lines) {
        if (!line.isEmpty()) {
            countPlace(counts.unitsPlace, line.back());
        }
    }
    return counts;
}
