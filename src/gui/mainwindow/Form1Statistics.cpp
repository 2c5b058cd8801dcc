#include "Form1.h"
#include "analysis/Statistics.h"
#include "analysis/StatisticsTexts.h"
#include "analysiswindow/Form2.h"
#include "analysiswindow/StatisticsWindow.h"
#include "widgets/TableExport.h"
#include "widgets/WindowFrame.h"

#include <QAction>
#include <QListView>
#include <QTreeView>

void Form1::setUpStatisticsActions()
{
    auto* showStatistics = new QAction(StatisticsTexts::showStatisticsItem().toString(), this);
    showStatistics->setObjectName(QStringLiteral("actionShowStatistics"));
    showStatistics->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    showStatistics->setShortcutContext(Qt::WindowShortcut);
    connect(showStatistics, &QAction::triggered, this, [this] { showStatisticsOfSelection(); });
    addAction(showStatistics);

    for (QAbstractItemView* view : std::initializer_list<QAbstractItemView*> {ListBox2, ListViewReport}) {
        view->addAction(showStatistics);
        view->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    TableExport::attach(ListViewReport, QStringLiteral("report.csv"));
}

void Form1::connectStatistics(Form2* analysisWindow)
{
    connect(analysisWindow, &Form2::statisticsRequested, this, [this, analysisWindow] {
        showStatistics({analysisWindow->list3(), StatisticsTexts::fromAnalysis().toString(),
            filterDescriptions(analysisWindow->lastAnalysisCriteria())});
    });
}

void Form1::showStatisticsOfSelection()
{
    StatisticsSource source;
    source.lines = selectedLines();
    if (source.lines.isEmpty()) {
        source.lines = List2;
        source.origin = StatisticsTexts::fromAllDraws().toString();
    } else {
        source.origin = StatisticsTexts::fromSelection().toString();
    }
    showStatistics(std::move(source));
}

void Form1::showStatistics(StatisticsSource source)
{
    if (!m_statisticsWindow) {
        // A window of its own, owned by this one so that it closes with the program.
        m_statisticsWindow = new StatisticsWindow(this);
    }
    m_statisticsWindow->showDraws(std::move(source));
    WindowFrame::bringToFront(m_statisticsWindow);
}
