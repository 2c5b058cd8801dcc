#pragma once

#include "analysis/DrawFilter.h"

#include <QStringList>
#include <QWidget>

class FilterBox;
class QPushButton;
class QTreeView;
class TextTableModel;

/// The analysis window: filters the draws chosen in the main window and counts the digits of their two-digit prize.
class Form2 final : public QWidget
{
    Q_OBJECT

public:
    /// `baseSet`: the raw lines of the draws chosen in the main window when the window is opened, in the main
    /// window's order.
    explicit Form2(QStringList baseSet, QWidget* parent = nullptr);
    ~Form2() override;

    /// The set-up step: table columns, filter boxes, and the base set given when the window was made.
    void load();

    /// The base set (`List1`): the raw lines of the draws chosen in the main window when the window was opened, in
    /// the main window's order. `List3` holds the matching lines of the last analysis.
    const QStringList& list1() const { return List1; }
    const QStringList& list3() const { return List3; }

    /// The criteria the last analysis filtered with: what picked `list3()`, whatever the boxes show since.
    const AnalysisCriteria& lastAnalysisCriteria() const { return m_lastAnalysisCriteria; }

    /// True while an analysis fills its tables; a click on "วิเคราะห์" then does nothing.
    bool isAnalysing() const { return m_analysing; }

Q_SIGNALS:
    /// An analysis has filled both tables.
    void analysisFinished();
    /// The user asked for the statistics of the draws the last analysis matched (`list3()`).
    void statisticsRequested();

private:
    void setUpDrawTableColumns();
    void setUpFrequencyTableColumns();
    void fillFilterBoxes();
    /// What the eight filter boxes ask now, read from the values of their chosen entries.
    AnalysisCriteria chosenCriteria() const;
    void takeBaseSet();
    void analyse();
    void fillFrequencyTable(const DigitCounts& counts);
    // The statistics and export actions (Form2Statistics.cpp).
    void setUpStatisticsActions();

    QStringList m_baseSet;
    bool m_analysing = false;
    AnalysisCriteria m_lastAnalysisCriteria;

    QTreeView* ListView1 = nullptr;
    QTreeView* ListViewReport = nullptr;
    /// The rows of `ListView1` and of `ListViewReport`.
    TextTableModel* m_drawRows = nullptr;
    TextTableModel* m_frequencyRows = nullptr;
    QStringList List4;
    QStringList List3;
    QStringList List2;
    QStringList List1;
    QPushButton* PushButton1 = nullptr;
    FilterBox* cmbday = nullptr;
    FilterBox* ComboBox1 = nullptr;
    FilterBox* ComboBox2 = nullptr;
    FilterBox* ComboBox3 = nullptr;
    FilterBox* ComboBox4 = nullptr;
    FilterBox* ComboBox5 = nullptr;
    FilterBox* ComboBox6 = nullptr;
    FilterBox* ComboBox7 = nullptr;
    QWidget* StatusBar1 = nullptr;
};
