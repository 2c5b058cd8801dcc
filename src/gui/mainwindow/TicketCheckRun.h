#pragma once

#include "data/TicketBatch.h"
#include "mainwindow/TicketResultsModel.h"

#include <QObject>
#include <QStringList>

#include <atomic>
#include <functional>

class QThread;

/// The check of the tickets typed into the ticket checker, on a thread of its own, so that the window keeps
/// answering (and can cancel) while a hundred thousand pasted tickets are checked. The thread opens the prize store
/// with a connection of its own, splits the input, checks it and makes the rows of the results; the window only
/// puts them in place.
class TicketCheckRun final : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QString input; ///< as typed or pasted
        QString drawKey; ///< empty: every draw
        QString storePath; ///< the user's prize store, already in place; empty: the results file alone
        QStringList resultLines; ///< the lines of the results file
    };
    /// Called on the run's thread each time it reports progress, with how many pieces of input it has checked.
    using ThreadHook = std::function<void(qsizetype done)>;

    TicketCheckRun(Request request, ThreadHook hook, QObject* parent);
    /// Cancels the run and waits for its thread.
    ~TicketCheckRun() override;

    void start();
    /// Asks the run to stop after the ticket it is checking; `finished` follows with what it checked so far.
    void cancel();

    /// What the run found; complete once `finished` has come.
    const TicketBatch& batch() const { return m_batch; }
    QList<TicketResultsModel::Row> takeRows() { return std::move(m_rows); }

Q_SIGNALS:
    /// Sent from the run's thread, about a hundred times in a run.
    void progressed(qsizetype done, qsizetype total);
    void finished();

private:
    void run();

    const Request m_request;
    const ThreadHook m_hook;
    QThread* m_thread = nullptr;
    std::atomic<bool> m_stop {false};
    TicketBatch m_batch;
    QList<TicketResultsModel::Row> m_rows;
};
