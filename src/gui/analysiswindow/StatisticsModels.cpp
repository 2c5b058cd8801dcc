#include "StatisticsModels.h"

#include "analysis/StatisticsTexts.h"
#include "data/DataTexts.h"
#include "data/DrawRecord.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"

#include <QColor>
#include <QFont>
#include <QPalette>

#include <limits>

namespace StatisticsFormat {

QString number(int number)
{
    return QString::number(number).rightJustified(2, u'0');
}

QString share(double share)
{
    return QString::number(share * 100.0, 'f', 2) + u'%';
}

QString decimal(double value)
{
    return QString::number(value, 'f', 2);
}

QString signedDecimal(double value)
{
    // A difference that rounds to nothing shows no sign.
    const QString text = decimal(value);
    if (text == u"0.00" || text == u"-0.00") {
        return QStringLiteral("0.00");
    }
    return value > 0 ? u'+' + text : text;
}

QString pValue(double p)
{
    return p < 0.001 ? QStringLiteral("< 0.001") : QStringLiteral("= ") + QString::number(p, 'f', 3);
}

} // namespace StatisticsFormat

namespace {

bool isTopLevel(const QModelIndex& parent)
{
    return !parent.isValid();
}

// Digits only, two lines a cell: a compact Latin face keeps both lines inside the small cells, where the Thai faces'
// tall lines would not fit.
QFont gridFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.5);
    return font;
}

QVariant rightAligned()
{
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
}

} // namespace

// PairListModel

void PairListModel::setTable(const PairTable& table, const QStringList& lines)
{
    beginResetModel();
    m_table = table;
    m_lastDrawTitles.clear();
    for (const NumberStat& stat : m_table.numbers) {
        m_lastDrawTitles.append(stat.lastDrawIndex >= 0 && stat.lastDrawIndex < lines.size()
                ? drawTitle(lines.at(stat.lastDrawIndex))
                : QString());
    }
    endResetModel();
}

int PairListModel::rowCount(const QModelIndex& parent) const
{
    return isTopLevel(parent) ? int(m_table.numbers.size()) : 0;
}

int PairListModel::columnCount(const QModelIndex& parent) const
{
    return isTopLevel(parent) ? ColumnCount : 0;
}

QVariant PairListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int number = index.row();
    const NumberStat& stat = m_table.numbers[static_cast<std::size_t>(number)];
    if (role == Qt::TextAlignmentRole) {
        return index.column() == LastDrawColumn ? QVariant() : rightAligned();
    }
    if (role == kSortRole) {
        switch (index.column()) {
        case NumberColumn:
        case ExpectedColumn:
            return number;
        case CountColumn:
        case ShareColumn:
            return stat.count;
        case LastDrawColumn:
        case GapColumn:
            // Never drawn sorts after the longest gap.
            return stat.lastDrawIndex < 0 ? std::numeric_limits<int>::max() : stat.lastDrawIndex;
        default:
            return {};
        }
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    switch (index.column()) {
    case NumberColumn:
        return StatisticsFormat::number(number);
    case CountColumn:
        return QString::number(stat.count);
    case ShareColumn:
        return StatisticsFormat::share(m_table.share(number));
    case ExpectedColumn:
        return StatisticsFormat::decimal(m_table.expected());
    case LastDrawColumn:
        return m_lastDrawTitles.value(number);
    case GapColumn:
        return stat.lastDrawIndex < 0 ? StatisticsTexts::neverDrawn().toString() : QString::number(stat.lastDrawIndex);
    default:
        return {};
    }
}

QVariant PairListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case NumberColumn:
        return StatisticsTexts::numberColumn().toString();
    case CountColumn:
        return StatisticsTexts::countColumn().toString();
    case ShareColumn:
        return StatisticsTexts::shareColumn().toString();
    case ExpectedColumn:
        return StatisticsTexts::expectedColumn().toString();
    case LastDrawColumn:
        return StatisticsTexts::lastDrawColumn().toString();
    case GapColumn:
        return StatisticsTexts::gapColumn().toString();
    default:
        return {};
    }
}

// PairGridModel

void PairGridModel::setTable(const PairTable& table)
{
    beginResetModel();
    m_table = table;
    m_highest = 0;
    for (const NumberStat& stat : m_table.numbers) {
        m_highest = std::max(m_highest, stat.count);
    }
    endResetModel();
}

int PairGridModel::rowCount(const QModelIndex& parent) const
{
    return isTopLevel(parent) ? 10 : 0;
}

int PairGridModel::columnCount(const QModelIndex& parent) const
{
    return isTopLevel(parent) ? 10 : 0;
}

QVariant PairGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= 10 || index.column() >= 10) {
        return {};
    }
    const int number = index.row() * 10 + index.column();
    const NumberStat& stat = m_table.numbers[static_cast<std::size_t>(number)];
    // Shade from white (never drawn) to a deep blue (the most drawn number of the set).
    const double strength = m_highest == 0 ? 0.0 : double(stat.count) / m_highest;
    switch (role) {
    case Qt::DisplayRole:
        return QString(StatisticsFormat::number(number) + u'\n' + QString::number(stat.count));
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole:
        return QString(StatisticsFormat::number(number) + u": " + StatisticsTexts::countColumn() + u' ' +
            QString::number(stat.count));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::FontRole:
        return gridFont();
    case Qt::BackgroundRole:
        return QColor::fromRgbF(
            float(1.0 - 0.85 * strength), float(1.0 - 0.65 * strength), float(1.0 - 0.25 * strength));
    case Qt::ForegroundRole:
        return QColor(strength > 0.55 ? Qt::white : Qt::black);
    case kSortRole:
        return stat.count;
    default:
        return {};
    }
}

QVariant PairGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    // Rows are the tens digit, columns the units digit.
    return orientation == Qt::Vertical ? QString(QString::number(section) + u'_')
                                       : QString(u'_' + QString::number(section));
}

// DigitPlaceModel

void DigitPlaceModel::setPlaces(const DigitPlaces& places)
{
    beginResetModel();
    m_places = places;
    endResetModel();
}

int DigitPlaceModel::rowCount(const QModelIndex& parent) const
{
    return isTopLevel(parent) ? 10 : 0;
}

int DigitPlaceModel::columnCount(const QModelIndex& parent) const
{
    return isTopLevel(parent) ? 7 : 0;
}

QVariant DigitPlaceModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= 10) {
        return {};
    }
    const int digit = index.row();
    if (role == Qt::TextAlignmentRole) {
        return rightAligned();
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != kSortRole) {
        return {};
    }
    if (index.column() == 0) {
        return role == kSortRole ? QVariant(digit) : QVariant(QString::number(digit));
    }
    const PlaceStat& place = index.column() <= 3 ? m_places.tens : m_places.units;
    const int count = place.counts[static_cast<std::size_t>(digit)];
    switch ((index.column() - 1) % 3) {
    case 0:
        return role == kSortRole ? QVariant(count) : QVariant(QString::number(count));
    case 1:
        return role == kSortRole ? QVariant(place.expected()) : QVariant(StatisticsFormat::decimal(place.expected()));
    default:
        return role == kSortRole ? QVariant(place.difference(digit))
                                 : QVariant(StatisticsFormat::signedDecimal(place.difference(digit)));
    }
}

QVariant DigitPlaceModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (section == 0) {
        return StatisticsTexts::digitColumn().toString();
    }
    const QStringView place = section <= 3 ? StatisticsTexts::tensPlace() : StatisticsTexts::unitsPlace();
    const std::array<QStringView, 3> titles {StatisticsTexts::placeCountColumn(),
        StatisticsTexts::placeExpectedColumn(), StatisticsTexts::placeDifferenceColumn()};
    return titles[static_cast<std::size_t>((section - 1) % 3)].toString().arg(place);
}

// DrawListModel

void DrawListModel::setLines(QStringList lines, QStringList foundIn)
{
    beginResetModel();
    m_lines = std::move(lines);
    m_foundIn = std::move(foundIn);
    endResetModel();
}

int DrawListModel::rowCount(const QModelIndex& parent) const
{
    return isTopLevel(parent) ? int(m_lines.size()) : 0;
}

int DrawListModel::columnCount(const QModelIndex& parent) const
{
    return isTopLevel(parent) ? int(DataTexts::fieldTitles().size()) + 1 : 0;
}

QVariant DrawListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size() || (role != Qt::DisplayRole && role != kSortRole)) {
        return {};
    }
    const QString& line = m_lines.at(index.row());
    if (index.column() == 0) {
        // Titles sort by date, not by their text.
        return role == kSortRole ? QVariant(line.left(8)) : QVariant(drawTitle(line));
    }
    if (index.column() == int(DataTexts::fieldTitles().size())) {
        return m_foundIn.value(index.row());
    }
    return ResultsFile::numberFields(line).value(index.column() - 1);
}

QVariant DrawListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section > int(DataTexts::fieldTitles().size())) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (section == int(DataTexts::fieldTitles().size())) {
        return StatisticsTexts::foundInColumn().toString();
    }
    // The report's first title ends in a blank; a header of its own need not.
    return DataTexts::fieldTitles()[static_cast<std::size_t>(section)].trimmed().toString();
}
