#include "TicketLookup.h"

TicketLookup::TicketLookup(const QString& storePath, const QString& bundledStorePath, const QStringList& resultLines)
    : m_store(storePath)
    , m_bundledStorePath(bundledStorePath)
    , m_resultLines(resultLines)
{ }

Status TicketLookup::load()
{
    if (m_store.path().isEmpty()) {
        m_checker.emplace(m_resultLines, QString());
    } else if (const Status opened = m_store.openSeeded(m_bundledStorePath); opened) {
        m_checker.emplace(m_store, m_resultLines);
    } else {
        m_checker.emplace(m_resultLines, opened.error());
    }
    // A store that opened but cannot be read is left aside by the checker itself.
    return m_checker->load();
}

QString TicketLookup::notice() const
{
    QStringList parts;
    if (!m_store.notice().isEmpty()) {
        parts.append(m_store.notice());
    }
    if (m_checker && !m_checker->storeProblem().isEmpty()) {
        parts.append(m_checker->storeProblem());
    }
    return parts.join(u'\n');
}
