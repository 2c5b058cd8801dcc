#pragma once

#include <QDateTime>

#include <chrono>

/// Where the updater reads the time. Tests put a clock of their own in its place.
class Clock
{
public:
    virtual ~Clock() = default;

    virtual QDateTime now() const = 0;

    /// How often a pause looks at the clock again while it lets events run.
    virtual std::chrono::milliseconds pollInterval() const { return std::chrono::milliseconds(50); }

    /// The clock of the system.
    static const Clock& system();
};
