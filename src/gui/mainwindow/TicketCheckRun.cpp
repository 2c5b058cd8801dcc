#include "TicketCheckRun.h"

#include "data/TicketLookup.h"

#include <QThread>

#include <algorithm>

TicketCheckRun::TicketCheckRun(Request request, ThreadHook hook, QObject* parent)
    : QObject(parent)
    , m_request(std::move(request))
    , m_hook(std::move(hook))
{ }

TicketCheckRun::~TicketCheckRun()
{
    if (m_thread) {
        m_stop = true;
        m_thread->wait();
    }
}

void TicketCheckRun::start()
{
    if (m_thread) {
        return;
    }
    m_thread = QThread::create([this] { run(); });
    m_thread->setParent(this);
    // The thread has ended when it says so: what it wrote is then there to read.
    connect(m_thread, &QThread::finished, this, &TicketCheckRun::finished);
    m_thread->start();
}

void TicketCheckRun::cancel()
{
    m_stop = true;
}

void TicketCheckRun::run()
{
    const QList<TicketCheck::TicketEntry> entries = TicketCheck::splitTickets(m_request.input);
    // The store's connection belongs to the thread that opens it: this one has its own. Without a store the draws
    // are checked by their results-file lines.
    TicketLookup lookup(m_request.storePath, QString(), m_request.resultLines);
    if (const Status loaded = lookup.load(); !loaded) {
        m_batch.failure = loaded.error();
        return;
    }
    const TicketChecker& checker = lookup.checker();
    const qsizetype step = std::max<qsizetype>(1, entries.size() / 100);
    m_batch = checkTicketBatch(checker, entries, m_request.drawKey, [this, step](qsizetype done, qsizetype total) {
        if (done % step == 0) {
            Q_EMIT progressed(done, total);
            if (m_hook) {
                m_hook(done);
            }
        }
        return !m_stop;
    });
    m_rows = TicketResultsModel::rowsOf(m_batch);
}
