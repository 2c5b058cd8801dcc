#pragma once

#include <functional>

class Clock;

/// Shared routines of the updater.
namespace Module1 {

/// Waits `seconds` whole seconds while window events run. The start instant and every later reading of the clock
/// are cut to whole seconds, and the wait lasts until their difference reaches `seconds`: so a one-second wait
/// begun just before a second boundary ends as soon as the boundary is crossed, a fractional count acts as the
/// next whole number, and a clock set back lengthens the wait. Zero or less returns at once without running
/// events. The wait sleeps in the event loop between readings; it ends early once `stop` says so.
void WaitSeconds(double seconds, const Clock& clock, const std::function<bool()>& stop = {});

} // namespace Module1
