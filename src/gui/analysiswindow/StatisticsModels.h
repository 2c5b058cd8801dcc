#pragma once

#include "analysis/Statistics.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

/// The role under which the statistics models give a cell's value for sorting (a number where the cell shows one).
constexpr int kSortRole = Qt::UserRole;

/// The numbers 00 to 99 of one source: count, share, expected count, last draw and gap. One row per number.
class PairListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { NumberColumn, CountColumn, ShareColumn, ExpectedColumn, LastDrawColumn, GapColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    /// Shows `table`, counted over `lines` (newest first), whose titles name the last draws.
    void setTable(const PairTable& table, const QStringList& lines);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    PairTable m_table;
    QStringList m_lastDrawTitles;
};

/// The numbers 00 to 99 as a 10 x 10 grid: tens down, units across, each cell shaded by its count.
class PairGridModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(const PairTable& table);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    PairTable m_table;
    int m_highest = 0;
};

/// The digits 0 to 9 of the tens and the units place: count, expected count and difference for each.
class DigitPlaceModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setPlaces(const DigitPlaces& places);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    DigitPlaces m_places;
};

/// Draws as the report shows them: title and the six numbers, one row per line; and, for the number search, a last
/// column that says where in each draw the number came out.
class DrawListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    /// `foundIn`: for each line, where the number searched came out ("3 ตัวบน").
    void setLines(QStringList lines, QStringList foundIn);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_lines;
    QStringList m_foundIn;
};

/// Figures as the window writes them: counts whole, shares as percentages, expected counts and differences with
/// two decimals.
namespace StatisticsFormat {
QString number(int number);
QString share(double share);
QString decimal(double value);
QString signedDecimal(double value);
/// "= 0.072", or "< 0.001" for the smallest values.
QString pValue(double p);
} // namespace StatisticsFormat
