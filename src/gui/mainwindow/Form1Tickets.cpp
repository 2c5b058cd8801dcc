#include "Form1.h"
#include "data/DrawKeys.h"
#include "data/PrizeStore.h"
#include "data/TicketLookup.h"
#include "data/TicketTexts.h"
#include "mainwindow/PrizeTableDialog.h"
#include "mainwindow/TicketWindow.h"
#include "widgets/Dialogs.h"
#include "widgets/WindowFrame.h"

#include <QAction>
#include <QListView>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {

QAction* makeAction(QWidget* owner, const QString& name, QStringView text)
{
    auto* action = new QAction(text.toString(), owner);
    action->setObjectName(name);
    return action;
}

} // namespace

void Form1::setUpTicketActions()
{
    QAction* check = makeAction(this, u"actionCheckTickets"_s, TicketTexts::checkAction());
    check->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    check->setShortcutContext(Qt::WindowShortcut);
    connect(check, &QAction::triggered, this, [this] { showTicketWindow(); });
    addAction(check);
    ListBox2->addAction(check);

    QAction* catalogueTable = makeAction(this, u"actionShowPrizeTable"_s, TicketTexts::showTableAction());
    connect(catalogueTable, &QAction::triggered, this, [this] {
        const int row = ListBox2->currentIndex().row();
        if (row >= 0 && row < List2.size()) {
            showPrizeTable(DrawKeys::drawKey(List2.at(row)));
        }
    });
    ListBox2->addAction(catalogueTable);
    ListBox2->setContextMenuPolicy(Qt::ActionsContextMenu);

    QAction* reportTable = makeAction(this, u"actionShowReportPrizeTable"_s, TicketTexts::showTableAction());
    connect(reportTable, &QAction::triggered, this, [this] {
        const int row = ListViewReport->currentIndex().row();
        if (row >= 0 && row < m_reportDraws.size() && m_reportDraws.at(row) < List2.size()) {
            showPrizeTable(DrawKeys::drawKey(List2.at(m_reportDraws.at(row))));
        }
    });
    ListViewReport->addAction(reportTable);
    ListViewReport->setContextMenuPolicy(Qt::ActionsContextMenu);

    // The user's store is put in place at the first start; later starts find it there. A copy that fails is tried
    // again, and its message shown, where the store is used.
    const Status seeded =
        seedPrizeStore(prizeStorePath(m_resultsFile.path()), bundledPrizeStorePath(m_config.programDirectory));
    Q_UNUSED(seeded)
}

void Form1::showTicketWindow()
{
    if (m_ticketWindow) {
        WindowFrame::bringToFront(m_ticketWindow);
        return;
    }
    m_ticketWindow = new TicketWindow(
        {prizeStorePath(m_resultsFile.path()), bundledPrizeStorePath(m_config.programDirectory), List2, today()}, this);
    connect(m_ticketWindow, &TicketWindow::updateRequested, this, [this] { startUpdate(); });
    m_ticketWindow->show();
}

void Form1::showPrizeTable(const QString& drawKey)
{
    TicketLookup lookup(prizeStorePath(m_resultsFile.path()), bundledPrizeStorePath(m_config.programDirectory), List2);
    const Status loaded = lookup.load();
    const Result<DrawPrizes> table =
        loaded ? lookup.checker().table(drawKey) : Result<DrawPrizes>::failure(loaded.error());
    if (!table) {
        Dialogs::showMessage(this, {Dialogs::Icon::Warning, TicketTexts::windowTitle().toString(), table.error()});
        return;
    }
    auto* dialog = new PrizeTableDialog(table.value(), this);
    dialog->show();
}
