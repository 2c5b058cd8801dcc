#pragma once

#include <QElapsedTimer>

#include <chrono>

/// Lets pending window events run during long work on the user-interface thread, so that the window is served, but
/// not more often than every `interval` of work: the first call lets them run, later calls only once `interval`
/// has passed since they last ran. Events may close windows: the caller checks afterwards that what it works on
/// still exists.
class EventPacer final
{
public:
    explicit EventPacer(std::chrono::milliseconds interval = std::chrono::milliseconds(20));

    /// Lets pending events run if this is the first call or `interval` has passed since they last ran.
    void letEventsRun();

private:
    std::chrono::milliseconds m_interval;
    QElapsedTimer m_sinceLastRun;
};
