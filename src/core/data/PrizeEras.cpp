#include "PrizeEras.h"

#include "data/DrawKeys.h"
#include "data/PrizeTexts.h"

#include <QFile>
#include <QLoggingCategory>

#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(erasLog, "varenta.prizeeras")

// The column of each prize kind in the table of eras.
struct KindColumn
{
    const char16_t* name;
    PrizeKind kind;
};
constexpr std::array<KindColumn, 10> kindColumns {{{u"first", PrizeKind::First}, {u"near_first", PrizeKind::NearFirst},
    {u"second", PrizeKind::Second}, {u"third", PrizeKind::Third}, {u"fourth", PrizeKind::Fourth},
    {u"fifth", PrizeKind::Fifth}, {u"last_three", PrizeKind::LastThree}, {u"front_three", PrizeKind::FrontThree},
    {u"back_three", PrizeKind::BackThree}, {u"last_two", PrizeKind::LastTwo}}};

// One line of comma-separated fields; a field in double quotes may hold commas and doubled quotes. False when a
// quote is left open.
bool splitCsvLine(QStringView line, QStringList& fields)
{
    fields.clear();
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c != u'"') {
                field += c;
            } else if (i + 1 < line.size() && line.at(i + 1) == u'"') {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields.append(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.append(field);
    return !quoted;
}

bool isDrawKey(const QString& text)
{
    return text.size() == 8 && DrawKeys::isDrawEntry(text);
}

bool readUnit(const QString& text, TicketUnit& unit)
{
    if (text == u"unknown") {
        unit = TicketUnit::Unknown;
    } else if (text.startsWith(u"pair of")) {
        unit = TicketUnit::PairOfTickets;
    } else if (text.startsWith(u"single")) {
        unit = TicketUnit::SingleTicket;
    } else {
        return false;
    }
    return true;
}

// A whole number of baht, or nothing when the field is empty; false when it is neither.
bool readBaht(const QString& text, std::optional<qint64>& baht)
{
    baht.reset();
    if (text.isEmpty()) {
        return true;
    }
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0 || !isAsciiDigits(text)) {
        return false;
    }
    baht = value;
    return true;
}

} // namespace

bool PrizeEra::covers(QStringView drawKey) const
{
    return drawKey.size() == 8 && drawKey >= QStringView(firstDraw) &&
        (lastDraw.isEmpty() || drawKey <= QStringView(lastDraw));
}

Result<PrizeEras> PrizeEras::parse(const QByteArray& csv)
{
    const QStringList lines = QString::fromUtf8(csv).split(u'\n');
    const auto failure = [](qsizetype lineIndex) {
        return Result<PrizeEras>::failure(PrizeTexts::erasUnreadable().toString().arg(lineIndex + 1));
    };
    QStringList fields;
    if (lines.isEmpty() || !splitCsvLine(QStringView(lines.first()).trimmed(), fields)) {
        return failure(0);
    }
    const QStringList header = fields;
    const auto column = [&header](QStringView name) { return header.indexOf(name); };
    const qsizetype firstColumn = column(u"first_draw");
    const qsizetype lastColumn = column(u"last_draw");
    const qsizetype unitColumn = column(u"ticket_unit");
    const qsizetype priceColumn = column(u"unit_price_baht");
    const qsizetype notesColumn = column(u"notes");
    std::array<qsizetype, kindColumns.size()> kindIndex {};
    for (size_t k = 0; k < kindColumns.size(); ++k) {
        kindIndex[k] = column(QStringView(kindColumns[k].name));
        if (kindIndex[k] < 0) {
            return failure(0);
        }
    }
    if (firstColumn < 0 || lastColumn < 0 || unitColumn < 0 || priceColumn < 0 || notesColumn < 0) {
        return failure(0);
    }

    PrizeEras eras;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringView line = QStringView(lines.at(i)).trimmed();
        if (line.isEmpty()) {
            continue;
        }
        if (!splitCsvLine(line, fields) || fields.size() != header.size()) {
            return failure(i);
        }
        PrizeEra era;
        era.firstDraw = fields.at(firstColumn);
        era.lastDraw = fields.at(lastColumn);
        era.notes = fields.at(notesColumn);
        std::optional<qint64> price;
        if (!isDrawKey(era.firstDraw) || (!era.lastDraw.isEmpty() && !isDrawKey(era.lastDraw)) ||
            (!era.lastDraw.isEmpty() && era.lastDraw < era.firstDraw) || !readUnit(fields.at(unitColumn), era.unit) ||
            !readBaht(fields.at(priceColumn), price)) {
            return failure(i);
        }
        era.ticketPrice = static_cast<int>(price.value_or(0));
        for (size_t k = 0; k < kindColumns.size(); ++k) {
            std::optional<qint64> amount;
            if (!readBaht(fields.at(kindIndex[k]), amount)) {
                return failure(i);
            }
            if (amount) {
                era.amounts[kindColumns[k].kind] = *amount;
            }
        }
        // Each era begins after the one before ended; only the last one may still last.
        if (!eras.m_eras.isEmpty()) {
            const PrizeEra& before = eras.m_eras.constLast();
            if (before.lastDraw.isEmpty() || era.firstDraw <= before.lastDraw) {
                return failure(i);
            }
        }
        eras.m_eras.append(std::move(era));
    }
    if (eras.m_eras.isEmpty()) {
        return failure(lines.size() - 1);
    }
    return eras;
}

const PrizeEras& PrizeEras::bundled()
{
    static const PrizeEras eras = [] {
        QFile file(u":/varenta/prize-eras.csv"_s);
        if (!file.open(QIODevice::ReadOnly)) {
            qCCritical(erasLog) << "the table of prize eras is missing from the program";
            return PrizeEras();
        }
        Result<PrizeEras> parsed = parse(file.readAll());
        if (!parsed) {
            qCCritical(erasLog) << parsed.error();
            return PrizeEras();
        }
        return std::move(parsed).value();
    }();
    return eras;
}

const PrizeEra* PrizeEras::eraOf(QStringView drawKey) const
{
    for (const PrizeEra& era : m_eras) {
        if (era.covers(drawKey)) {
            return &era;
        }
    }
    return nullptr;
}

std::map<PrizeKind, qint64> PrizeEras::amountsOf(QStringView drawKey) const
{
    const PrizeEra* era = eraOf(drawKey);
    return era ? era->amounts : std::map<PrizeKind, qint64>();
}

QString PrizeEras::answerAmountsFrom() const
{
    return m_eras.isEmpty() ? QString() : m_eras.constLast().firstDraw;
}

std::map<PrizeKind, qint64> PrizeEras::amountsToKeep(
    QStringView drawKey, const std::map<PrizeKind, qint64>& answered) const
{
    const PrizeEra* era = eraOf(drawKey);
    if (!era) {
        return {};
    }
    return drawKey < QStringView(answerAmountsFrom()) || answered.empty() ? era->amounts : answered;
}
