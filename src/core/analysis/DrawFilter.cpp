#include "DrawFilter.h"

#include "analysis/AnalysisTexts.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"

namespace {

/// A digit stage: which criterion it checks and where its key stands in the raw line (counted from 1).
struct DigitStage
{
    std::optional<QString> AnalysisCriteria::*criterion;
    qsizetype position; ///< 0: the last character of the line
    qsizetype length;
};

// Stages 2 to 8, in the order they are applied.
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
    if (line.size() < stage.position - 1 + stage.length) {
        return {};
    }
    return line.mid(stage.position - 1, stage.length);
}

std::optional<QString> criterionFromText(const QString& text, QStringView initialText)
{
    if (text == AnalysisTexts::notChosen() || text == initialText) {
        return std::nullopt;
    }
    return text;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

void countPlace(DigitCountRow& row, QChar c)
{
    if (isDigit(c)) {
        ++row[static_cast<std::size_t>(c.unicode() - u'0')];
    }
}

} // namespace

AnalysisCriteria criteriaFromBoxTexts(const FilterBoxTexts& texts)
{
    const auto& initial = AnalysisTexts::filterBoxInitialTexts();
    AnalysisCriteria criteria;
    criteria.dayName = criterionFromText(texts[0], initial[0]);
    for (std::size_t stage = 0; stage < kDigitStages.size(); ++stage) {
        criteria.*kDigitStages[stage].criterion = criterionFromText(texts[stage + 1], initial[stage + 1]);
    }
    return criteria;
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
        if (criteria.dayName && ThaiDayNames::names()[static_cast<std::size_t>(weekday - 1)] != *criteria.dayName) {
            continue;
        }
        passing.append(line);
    }

    // Stages 2 to 8, each over what the one before let through; a stage not in use lets every line pass.
    for (const DigitStage& stage : kDigitStages) {
        const std::optional<QString>& wanted = criteria.*stage.criterion;
        if (!wanted) {
            continue;
        }
        QStringList next;
        next.reserve(passing.size());
        for (const QString& line : std::as_const(passing)) {
            const QStringView key = stageKey(line, stage);
            if (!key.isNull() && key == *wanted) {
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
