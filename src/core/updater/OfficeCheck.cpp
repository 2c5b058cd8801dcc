#include "OfficeCheck.h"

#include "data/DrawKeys.h"
#include "data/ThaiCalendar.h"
#include "updater/CheckTexts.h"
#include "updater/GloApiSource.h"
#include "updater/GloApiTexts.h"
#include "updater/ResultsUpdate.h"
#include "updater/UpdatePlan.h"

#include <algorithm>

using Outcome = DrawCheck::Outcome;
using OfficeRecord = DrawCheck::OfficeRecord;

OfficeCheck::OfficeCheck(GloApiSource& source)
    : m_source(source)
{ }

void OfficeCheck::cancel()
{
    m_cancelled = true;
    m_source.cancel();
}

Result<Outcome> OfficeCheck::run(const QStringList& allLines, const DrawCheck::Scope& scope, const Progress& progress)
{
    const auto cancelledResult = [] { return Result<Outcome>::failure(CheckTexts::cancelled().toString()); };
    if (m_cancelled) {
        return cancelledResult();
    }
    const QDate first = gregorianDate(scope.firstKey);
    const QDate last = gregorianDate(scope.lastKey);
    QList<int> years;
    if (first.isValid() && last.isValid()) {
        // The lottery's first draw was held in 1939; beyond next year no draw can be listed yet.
        const int newestYear = std::min(last.year(), UpdatePlan::thaiDate(m_source.clock().now()).year() + 1);
        const int oldestYear = std::max(first.year(), 1939);
        for (int year = newestYear; year >= oldestYear; --year) {
            years.append(year);
        }
    }

    int done = 0;
    int total = static_cast<int>(years.size() + scope.lines.size());
    const auto report = [&](const QString& text) {
        if (progress) {
            progress({done, total, text});
        }
    };

    // The office's draws of the period first, so that the number of steps is known before the draws are asked.
    QStringList officeKeys;
    for (const int year : std::as_const(years)) {
        report(CheckTexts::listingYear().toString().arg(year + 543));
        const Result<QList<QDate>> dates = m_source.officeDrawDates(year);
        if (m_cancelled) {
            return cancelledResult();
        }
        if (!dates) {
            return Result<Outcome>::failure(dates.error());
        }
        for (const QDate& date : dates.value()) {
            officeKeys.append(drawDateOf(date));
        }
        ++done;
    }
    const QStringList missing = DrawCheck::missingKeys(officeKeys, allLines, scope);
    total += static_cast<int>(missing.size());

    QStringList usedLines;
    QList<OfficeRecord> answers;
    QList<DrawCheck::OfficeTable> tables;
    QList<DrawCheck::Unusable> unusable;
    for (qsizetype i = 0; i < scope.lines.size(); ++i) {
        const QString key = DrawKeys::drawKey(scope.lines.at(i));
        report(CheckTexts::checkingDraw().toString().arg(drawTitle(key)).arg(i + 1).arg(scope.lines.size()));
        const Result<Answer> answer = officeRecord(key);
        if (m_cancelled) {
            return cancelledResult();
        }
        if (!answer) {
            return Result<Outcome>::failure(answer.error());
        }
        if (answer.value().unusable.isEmpty()) {
            usedLines.append(scope.lines.at(i));
            answers.append(answer.value().record);
            tables.append(answer.value().table);
        } else {
            unusable.append({scope.lines.at(i), answer.value().unusable});
        }
        ++done;
    }
    Outcome outcome = DrawCheck::compare(usedLines, answers, tables);
    outcome.checked = static_cast<int>(scope.lines.size());
    outcome.unusable = std::move(unusable);

    for (qsizetype i = 0; i < missing.size(); ++i) {
        const QString& key = missing.at(i);
        report(CheckTexts::fetchingMissing().toString().arg(drawTitle(key)).arg(i + 1).arg(missing.size()));
        const Result<Answer> answer = officeRecord(key);
        if (m_cancelled) {
            return cancelledResult();
        }
        if (!answer) {
            return Result<Outcome>::failure(answer.error());
        }
        // Listed but without a usable result: nothing the file could take.
        if (answer.value().record) {
            outcome.missing.append(*answer.value().record);
            if (answer.value().table) {
                outcome.officeTables.insert(answer.value().record->drawDate, *answer.value().table);
            }
        }
        ++done;
    }
    return outcome;
}

Result<OfficeCheck::Answer> OfficeCheck::officeRecord(const QString& key)
{
    const QDate date = gregorianDate(key);
    if (!date.isValid()) {
        // A line without a calendar date names no draw the office could know.
        return Answer();
    }
    const Result<GloApiSource::OfficeDraw> answer = m_source.officeDraw(date);
    const auto unusable = [](QString reason) { return Answer {OfficeRecord(), std::move(reason), {}}; };
    if (!answer) {
        // No answer at all (the office not reached) ends the check; an answer that is no JSON is this draw's.
        return answer.error() == GloApiTexts::unreadable() ? unusable(answer.error())
                                                           : Result<Answer>::failure(answer.error());
    }
    const GloApiJson::DrawAnswer& read = answer.value().draw;
    if (!read.date.isValid()) {
        // Before 1 Mar 2010 the office keeps no draws: whatever it answers, it does not know the draw. Since then
        // only its answer that there was no draw on the day says so.
        if (key < ResultsUpdate::firstFullTableKey || !read.refused) {
            return Answer();
        }
        return unusable(GloApiTexts::unsuccessful().toString());
    }
    if (read.date != date) {
        return unusable(
            GloApiTexts::otherDrawAnswered().toString().arg(drawTitle(drawDateOf(read.date)), drawTitle(key)));
    }
    if (read.incomplete) {
        return unusable(GloApiTexts::notComplete().toString().arg(drawTitle(key)));
    }
    if (!read.record) {
        return unusable(read.record.error());
    }
    if (const Status checked =
            UpdatePlan::checkFetchedDraw(read.record.value(), key, UpdatePlan::thaiDate(m_source.clock().now()));
        !checked) {
        return unusable(checked.error());
    }
    // A table that is not whole, or is another draw's, is no table of this draw; the draw is checked all the same.
    const std::optional<FetchedPrizeTable>& fetched = answer.value().table;
    const bool tableUsable = fetched && fetched->error.isEmpty() && fetched->drawKey == key;
    return Answer {OfficeRecord(read.record.value()), QString(),
        tableUsable ? DrawCheck::OfficeTable(fetched->prizes) : DrawCheck::OfficeTable()};
}
