#pragma once

#include "analysis/Statistics.h"
#include "data/Result.h"

#include <QStringList>
#include <QWidget>

class DigitPlaceModel;
class DrawListModel;
class PairGridModel;
class PairListModel;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QRadioButton;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

/// The draws the statistics window shows and how they were chosen.
struct StatisticsSource
{
    /// Raw lines, newest draw first.
    QStringList lines;
    /// Where the draws come from, in a sentence for the user.
    QString origin;
    /// The filters that chose them, one "name: value" text each; empty when none was used.
    QStringList filters;
};

/// The statistics window: the 00-99 table, the digits by place with their test, charts and the number search over
/// one set of draws. It only reads the lines it is given.
class StatisticsWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit StatisticsWindow(QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    /// Shows a new set of draws in place of the one shown; the search and the chosen tab stay.
    void showDraws(StatisticsSource source);

    const StatisticsSource& source() const { return m_source; }
    const DrawStatistics& statistics() const { return m_statistics; }

    /// Which two-digit number the tables and charts show ("2 ตัวล่าง" or "2 ตัวบน").
    PairSource pairSource() const { return m_pairSource; }
    void setPairSource(PairSource source);

    /// Runs the number search for a pattern as the user types it.
    void search(const QString& pattern);

    /// The set's description as the window and the printed page state it: origin, range of draws, filters.
    QStringList descriptionLines() const;

    /// Paints the one-page summary that printing and the PDF give into `page` of a painter's device.
    void paintSummary(QPainter& painter, const QRect& page) const;
    /// Writes the one-page summary as a PDF file.
    Status savePdf(const QString& path);
    /// Writes the chart shown as a PNG image.
    Status saveChartPng(const QString& path);

private:
    QWidget* buildNumbersTab();
    QWidget* buildPlacesTab();
    QWidget* buildChartsTab();
    QWidget* buildSearchTab();
    QTableView* makeTable(const QString& name, const QString& fileName);

    void refresh();
    void refreshChart();
    QString placeTestText(PlaceStat const& place, QStringView placeName) const;

    void printSummary();
    void askAndSavePdf();
    void askAndSavePng();

    StatisticsSource m_source;
    DrawStatistics m_statistics;
    PairSource m_pairSource = PairSource::TwoDigitPrize;

    QLabel* m_description = nullptr;
    QRadioButton* m_lowerButton = nullptr;
    QRadioButton* m_upperButton = nullptr;
    QTabWidget* m_tabs = nullptr;

    PairGridModel* m_gridModel = nullptr;
    PairListModel* m_listModel = nullptr;
    QSortFilterProxyModel* m_sortedList = nullptr;
    QLabel* m_countedLabel = nullptr;

    DigitPlaceModel* m_placeModel = nullptr;
    QLabel* m_tensTest = nullptr;
    QLabel* m_unitsTest = nullptr;

    QComboBox* m_chartChoice = nullptr;
    QChartView* m_chartView = nullptr;

    QLineEdit* m_patternEdit = nullptr;
    QLabel* m_searchMessage = nullptr;
    DrawListModel* m_searchModel = nullptr;
    QString m_lastPattern;
};
