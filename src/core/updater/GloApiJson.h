#pragma once

#include "data/DrawRecord.h"
#include "data/Result.h"

#include <QByteArray>
#include <QDate>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringView>

/// Reading the answers of the lottery office's JSON API. Pure functions: bytes in, draws or messages out.
namespace GloApiJson {

/// The draw under one draw object (its `date` "YYYY-MM-DD" and its `data`): the first prize, the three-digit
/// numbers of `last3f` then of `last3b`, each list in ascending `round` order, and the two-digit number. Every
/// number must be text of exactly its width in ASCII digits, and there is one first prize and one two-digit number;
/// anything else is a failure, never a partial record.
/// A draw whose numbers are still placeholders ("xxxxxx", "XXX", "-") or missing (fewer than it must have) is
/// not complete yet: `incomplete` is then set, when given.
Result<DrawRecord> drawFromObject(const QJsonObject& draw, bool* incomplete = nullptr);

/// What one answer says about a draw: the date it carries (invalid when it carries none) and the draw read from
/// it, or why it could not be read.
struct DrawAnswer
{
    QDate date;
    Result<DrawRecord> record = Result<DrawRecord>::failure(QString());
    bool incomplete = false; ///< the draw is still being published
    bool refused = false; ///< the answer reports no success: it says nothing of whether there was a draw
};

/// The answer of getLatestLottery: the newest draw, under `response`. Fails when the answer is no JSON, reports
/// no success or carries no readable date; a date with unreadable numbers is a success whose `record` failed.
Result<DrawAnswer> readLatestLottery(const QByteArray& body);

/// The answer of getLotteryResult, the draw under `response.result`. Fails only when the answer is no JSON; an
/// answer without success or without a draw gives an invalid `date` (no draw on the date asked), and is `refused`
/// when it reports no success.
Result<DrawAnswer> readLotteryResult(const QByteArray& body);

/// The draw dates of `year` in an answer of getPeriodsByYear, oldest first, each once. Read tolerantly: any list
/// under `response` or `response.result` whose items are dates or objects with a `date`; dates outside `year`
/// are left out. Fails when the answer is no JSON or reports no success; may give an empty list.
Result<QList<QDate>> readPeriodsByYear(const QByteArray& body, int year);

} // namespace GloApiJson
