#pragma once

#include <QList>
#include <QString>

/// One cell of the first sheet of an .xlsx file, as the file stores it.
struct XlsxCell
{
    /// The cell's type: "s" for a shared text; empty for a number.
    QString type;
    QString text;

    bool operator==(const XlsxCell&) const = default;
};

/// The stored cells of the first sheet of an .xlsx file, row by row, read from its XML through the `unzip` program;
/// empty cells are not stored, so the cells after one move left. Nothing when the file cannot be read.
QList<QList<XlsxCell>> readXlsxCells(const QString& path);
