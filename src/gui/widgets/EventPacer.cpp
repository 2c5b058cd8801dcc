#include "EventPacer.h"

#include <QCoreApplication>

EventPacer::EventPacer(std::chrono::milliseconds interval)
    : m_interval(interval)
{ }

void EventPacer::letEventsRun()
{
    if (m_sinceLastRun.isValid() && m_sinceLastRun.elapsed() < m_interval.count()) {
        return;
    }
    QCoreApplication::processEvents();
    m_sinceLastRun.start();
}
