#pragma once

#include "data/DrawRecord.h"
#include "data/Result.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <map>

/// The kinds of prize of a draw. The values are the codes the prize store keeps; they never change.
enum class PrizeKind : int {
    First = 1,
    NearFirst = 2, ///< the two numbers beside the first prize
    Second = 3,
    Third = 4,
    Fourth = 5,
    Fifth = 6,
    FrontThree = 7, ///< from 1 Sep 2015
    BackThree = 8, ///< from 1 Sep 2015
    LastThree = 9, ///< the four last-three numbers of the draws before 1 Sep 2015
    LastTwo = 10,
};

namespace PrizeKinds {

/// Every kind, in the order of the lottery office's result sheet.
const std::array<PrizeKind, 10>& all();

/// The kind of a stored code; false when the code is none.
bool fromCode(int code, PrizeKind& kind);

/// The lottery office's Thai name of a prize kind ("รางวัลที่ 1").
QString thaiName(PrizeKind kind);

/// How many digits the numbers of a kind have: 6, 3 or 2.
int digits(PrizeKind kind);

/// How many numbers a draw's full table has of a kind: 1 first prize, 2 beside it, 5 second prizes...
int count(PrizeKind kind);

/// The kinds of a draw's full table, in the order of `all()`: the front and back three-digit prizes from
/// 1 Sep 2015, the four last-three numbers before.
QList<PrizeKind> ofDraw(QStringView drawKey);

} // namespace PrizeKinds

/// Whether a draw had front and back three-digit prizes (from 1 Sep 2015) rather than four last-three numbers.
bool hasFrontThree(QStringView drawKey);

/// One number of a draw's prize table. A number drawn twice for the same prize is there twice, with two rounds.
struct PrizeNumber
{
    PrizeKind kind = PrizeKind::First;
    QString number;
    int round = 0; ///< the order in which the number was drawn for its prize, from 1

    bool operator==(const PrizeNumber&) const = default;
};

/// A draw's prize table: its key, its numbers and each kind's amount in baht per ticket.
struct DrawPrizes
{
    QString drawKey;
    QList<PrizeNumber> numbers;
    std::map<PrizeKind, qint64> amounts; ///< empty when the amounts of the draw's era are not known
    /// The lottery office's own result sheet of the draw (a PDF on its site); empty when not known.
    QString pdfUrl;
    /// Only the first prize, the three-digit and the two-digit numbers are known (a results-file line); their
    /// amounts are those of the draw's era.
    bool partial = false;

    /// The amount of one prize of `kind`; -1 when it is not known.
    qint64 amountOf(PrizeKind kind) const;
    /// The numbers of `kind`, in ascending order.
    QStringList numbersOf(PrizeKind kind) const;

    bool operator==(const DrawPrizes&) const = default;
};

/// The partial table of a results-file draw: its first prize, three-digit and two-digit numbers, with the amounts of
/// the draw's era where they are known.
DrawPrizes partialPrizes(const DrawRecord& record);

/// Whether a table is a draw's whole table: a draw key, and of each kind of that draw (`PrizeKinds::ofDraw`) as
/// many numbers as it has, each of its width in ASCII digits, and no other kind. The Thai reason otherwise.
Status checkFullTable(const DrawPrizes& prizes);

/// Whether a table fetched for the draw `askedKey` can be kept: it is the table of that draw, and its first prize,
/// three-digit and two-digit numbers are those of the draw's results-file line `line`, as the same kinds. The Thai
/// reason otherwise. An answer that carries another draw's date, or numbers the results file does not know, is
/// never taken for the asked draw.
Status checkTableAgainstLine(const DrawPrizes& table, const QString& askedKey, const DrawRecord& line);

/// An amount of baht with thousands separators: "6,000,000".
QString formatBaht(qint64 amount);

/// A draw's full table as a source read it, or why it could not be read (`error` not empty).
struct FetchedPrizeTable
{
    QString drawKey;
    DrawPrizes prizes;
    QString error;
};
