#pragma once

#include "updater/Clock.h"

#include <QDateTime>

#include <chrono>

/// A clock for tests that moves on by a fixed step each time it is read, so that pauses end at once in real time
/// while the code under test still sees the seconds go by. A step of zero stops it.
class SteppingClock final : public Clock
{
public:
    explicit SteppingClock(std::chrono::milliseconds step = std::chrono::milliseconds(100),
        QDateTime start = QDateTime(QDate(2026, 5, 2), QTime(18, 0), Qt::UTC))
        : m_now(std::move(start))
        , m_step(step)
    { }

    /// A date after every draw the tests' files hold, so that none of their draws lies in the future.
    static QDateTime afterTestDraws() { return QDateTime(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC); }

    QDateTime now() const override
    {
        const QDateTime current = m_now;
        m_now = m_now.addMSecs(m_step.count());
        return current;
    }
    std::chrono::milliseconds pollInterval() const override { return std::chrono::milliseconds(0); }

    /// The time, without moving the clock on.
    QDateTime peek() const { return m_now; }
    void setStep(std::chrono::milliseconds step) { m_step = step; }

private:
    mutable QDateTime m_now;
    std::chrono::milliseconds m_step;
};
