#include "Module1.h"

#include "updater/Clock.h"

#include <QEventLoop>
#include <QTimer>

namespace Module1 {
namespace {

qint64 wholeSeconds(const QDateTime& instant)
{
    const qint64 ms = instant.toMSecsSinceEpoch();
    // Floor division: an instant before 1970 still falls into the second that holds it.
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

} // namespace

void WaitSeconds(double seconds, const Clock& clock, const std::function<bool()>& stop)
{
    if (!(seconds > 0)) {
        return;
    }
    const qint64 start = wholeSeconds(clock.now());
    while (static_cast<double>(wholeSeconds(clock.now()) - start) < seconds) {
        if (stop && stop()) {
            return;
        }
        QEventLoop loop;
        QTimer::singleShot(clock.pollInterval(), &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace Module1
