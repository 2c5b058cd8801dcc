#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <functional>

/// A read-only table of texts behind the program's lists and reports. Its rows are made by a function only when a
/// view asks for them, so that handing a view a hundred thousand rows costs little more than handing it the
/// function: a view with uniform row heights asks only for the rows it shows.
class TextTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    /// The texts of one row, one per column from the first; columns past the end of the list show nothing.
    using RowFunction = std::function<QStringList(int row)>;

    explicit TextTableModel(QObject* parent = nullptr);
    ~TextTableModel() override;

    /// The titles of the columns; the table has one column per title.
    void setColumnTitles(const QStringList& titles);
    const QStringList& columnTitles() const { return m_titles; }

    /// Replaces every row in one step: `count` rows, row r being `rowAt(r)`.
    void setRows(int count, RowFunction rowAt);
    /// Replaces every row in one step by these rows.
    void setRows(const QList<QStringList>& rows);
    /// Removes every row.
    void clear();

    /// The texts of row `row`, as the view shows them.
    QStringList rowTexts(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const QStringList& cachedRow(int row) const;

    QStringList m_titles;
    int m_rowCount = 0;
    RowFunction m_rowAt;
    // A view asks for the cells of one row one after another: the row is made once for all of them.
    mutable int m_cachedRow = -1;
    mutable QStringList m_cachedTexts;
};
