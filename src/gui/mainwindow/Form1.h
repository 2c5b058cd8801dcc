#pragma once

#include "data/PrizeTable.h"
#include "data/ResultsFile.h"
#include "updater/DrawSource.h"
#include "updater/ResultsUpdate.h"
#include "widgets/Skin.h"

#include <QDate>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class CheckResultWindow;
class Clock;
class Form2;
class GloApiSource;
class StatisticsWindow;
struct StatisticsSource;
class QAction;
class QGroupBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QTreeView;
class TextTableModel;
class TicketWindow;

/// What the main window needs from outside: where its files live and where the updater gets draws from.
struct Form1Config
{
    /// The program's directory: `Graphic/Normalblue.ini` is read from here, and `db.dll` unless `resultsFile` says
    /// otherwise.
    QString programDirectory;
    /// Makes the source the updater reads draws from; empty when the program has no updater source.
    std::function<std::unique_ptr<DrawSource>()> makeDrawSource;
    /// The clock the updater's pauses read; null for the system's clock. It must outlive the window.
    const Clock* clock = nullptr;
    /// Makes the source the check against the lottery office asks; empty when the program has none.
    std::function<std::unique_ptr<GloApiSource>()> makeCheckSource = {};
    /// The results file the window reads and the updater writes; empty for `db.dll` in the program's directory.
    QString resultsFile {};
    /// Why the results file must not be written, told to the user when an update or a full download starts; empty
    /// when it may be written.
    QString resultsFileProblem {};
};

/// The main window: the latest stored draw, the catalogue of stored draws, the draw selection and the report.
class Form1 final : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(Form1Config config, QWidget* parent = nullptr);
    ~Form1() override;

    /// The load step: skin, report columns, read the results file, latest draw, catalogue. Runs once, before the
    /// window is first shown.
    void load();

    /// Hidden ordered lists the handlers work with. `List2` holds every line of the results file, item i being the
    /// draw that `ListBox2` shows as item i.
    const QStringList& list1() const { return List1; }
    const QStringList& list2() const { return List2; }
    const QStringList& list3() const { return List3; }
    const QStringList& listBox1() const { return ListBox1; }

    /// The number of draws in the catalogue (items of `ListBox2`, the same as of `List2`).
    int drawCount() const;
    /// Whether the user has draw `index` of the catalogue selected now.
    bool isDrawSelected(int index) const;
    /// The indexes of the draws the user has selected in the catalogue now, in ascending order. Read in one pass;
    /// callers that need the whole selection take this rather than asking `isDrawSelected` draw by draw.
    QList<int> selectedDrawIndexes() const;
    /// The lines of the selected draws, in catalogue order.
    QStringList selectedLines() const;

    const ResultsFile& resultsFile() const { return m_resultsFile; }

    /// Starts the update, as the update button does (`--update-now`).
    void startUpdate() { UpdateDatabase(); }
    /// Opens the ticket checker, as its item of the catalogue's context menu does (`--tickets`).
    void openTicketChecker() { showTicketWindow(); }
    /// Opens the statistics window on the selected draws, or on every draw when none is selected, as its item of the
    /// context menus does (`--statistics`, at start, when none is).
    void openStatistics() { showStatisticsOfSelection(); }

    /// Whether an update or a full download is under way.
    bool updaterRunning() const { return m_updaterRunning; }

Q_SIGNALS:
    /// The progress dialog of the update or the full download now says this.
    void updaterProgressed(const QString& text);

protected:
    /// Closing the window during an update or a full download cancels it; nothing half-done is written.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMonthMenu();
    void setUpTabOrder();
    void connectHandlers();

    void applySkin();
    void setUpReportColumns();
    void readCatalogue();
    void showResultsFileInUse();

    // Draw selection. Each of these changes the selection of `ListBox2` in one step.
    void popUpMonthMenu();
    void selectAllDraws();
    /// Adds the draws whose key is of `month` (1 to 12) to the selection.
    void selectDrawsOfMonth(int month);
    void clearSelection();

    // The results report.
    void showReport();

    // Leading out of the window.
    void ShowAnalysisWindow();
    void OpenLotteryOfficeSite();
    void OpenPublisherPage();

    // The updater's handlers (Form1Update.cpp).
    void UpdateDatabase();
    void DownloadAllDraws();
    using Flow = ResultsUpdate::Outcome (ResultsUpdate::*)(const UpdateProgressHandler&);
    /// Runs the update or the full download from `source` with the progress dialog up; the dialog's cancel and
    /// closing the window stop it.
    ResultsUpdate::Outcome runUpdater(DrawSource& source, Flow flow);
    /// As after start-up: `List2` and `Label1` follow the file's new lines.
    void takeNewFile(const QStringList& lines);
    const Clock& updaterClock() const;
    /// The updater's date in Thailand.
    QDate today() const;

    // The check against the lottery office (Form1Check.cpp).
    void setUpCheckActions();
    void CheckAgainstOffice();
    /// Writes the office's values of `chosen` into the file, which must still hold `checkedFile`, and their full
    /// prize tables from `officeTables` into the prize store.
    Status applyOfficeValues(const QStringList& checkedFile, const QList<DrawRecord>& chosen,
        const QHash<QString, DrawPrizes>& officeTables);
    // The ticket checker and the full prize tables (Form1Tickets.cpp).
    void setUpTicketActions();
    void showTicketWindow();
    void showPrizeTable(const QString& drawKey);
    // The statistics window (Form1Statistics.cpp).
    void setUpStatisticsActions();
    void connectStatistics(Form2* analysisWindow);
    void showStatisticsOfSelection();
    void showStatistics(StatisticsSource source);

    Form1Config m_config;
    ResultsFile m_resultsFile;
    Skin SkinFramework;

    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QListView* ListBox2 = nullptr;
    QTreeView* ListViewReport = nullptr;
    /// The rows of `ListBox2` (one column: the titles of `m_titles`) and of `ListViewReport`.
    TextTableModel* m_catalogue = nullptr;
    TextTableModel* m_report = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QPushButton* PushButton3 = nullptr;
    QPushButton* PushButton4 = nullptr;
    QPushButton* PushButton5 = nullptr;
    QPushButton* PushButton6 = nullptr;
    QPushButton* PushButton7 = nullptr;
    QPushButton* PushButton8 = nullptr;
    QPushButton* PushButton9 = nullptr;
    QWidget* StatusBar1 = nullptr;

    QMenu* nmuselect = nullptr;
    QAction* nmuall = nullptr;
    /// `nmujan` to `nmudec`, in calendar order.
    std::array<QAction*, 12> m_monthItems {};

    QStringList List1;
    QStringList List2;
    QStringList List3;
    /// The report's list of one line's pieces. The report cuts each row's cells as the table shows it, so this stays
    /// empty; it is kept as one of the window's named work lists.
    QStringList List4;
    QStringList ListBox1;
    /// The text of each item of `ListBox2`: the title of the draw at the same index of `List2`.
    QStringList m_titles;
    /// The month of each item of `ListBox2`, from the key of its draw: 1 to 12, or 0 for a key that has none. Taken
    /// with the titles, so that the month menu always selects by the months the titles show.
    QList<int> m_months;
    /// Why the results file could not be read at start-up; empty when it was read whole or did not exist.
    QString m_readFailure;

    /// Set while the report is being built: the events let through meanwhile must not start a second build.
    bool m_reportRunning = false;
    /// The catalogue index of the draw each report row shows.
    QList<int> m_reportDraws;
    QPointer<Form2> m_analysisWindow;
    QPointer<CheckResultWindow> m_checkWindow;
    QPointer<TicketWindow> m_ticketWindow;
    QPointer<StatisticsWindow> m_statisticsWindow;

    /// Set while an update or a full download runs: the events let through meanwhile must not start another.
    bool m_updaterRunning = false;
    /// Set when the window is closed during an update or a full download.
    bool m_updaterCancelled = false;
    /// Stops the update, the full download or the check under way; empty when none runs.
    std::function<void()> m_cancelWork;
    /// Set when the user cancelled the work in the progress dialog (not by closing the window).
    bool m_cancelledByUser = false;
};
