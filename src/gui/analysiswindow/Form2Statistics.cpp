#include "Form2.h"
#include "analysis/StatisticsTexts.h"
#include "widgets/TableExport.h"

#include <QAction>
#include <QTreeView>

void Form2::setUpStatisticsActions()
{
    auto* showStatistics = new QAction(StatisticsTexts::showStatisticsItem().toString(), this);
    showStatistics->setObjectName(QStringLiteral("actionShowStatistics"));
    showStatistics->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    showStatistics->setShortcutContext(Qt::WindowShortcut);
    connect(showStatistics, &QAction::triggered, this, [this] { Q_EMIT statisticsRequested(); });
    addAction(showStatistics);

    const std::array<std::pair<QAbstractItemView*, QString>, 2> tables {{
        {ListView1, QStringLiteral("analysis-draws.csv")},
        {ListViewReport, QStringLiteral("analysis-digits.csv")},
    }};
    for (const auto& [view, fileName] : tables) {
        view->addAction(showStatistics);
        view->setContextMenuPolicy(Qt::ActionsContextMenu);
        TableExport::attach(view, fileName);
    }
}
