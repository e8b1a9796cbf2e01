#pragma once

// Whether anyone sees what the renderers draw. A headless run (the simulation) says no
// before it makes its play windows; renderers made then let the timers that only pace
// their frames and ticks expire quietly (ClockTimer::setQuietExpiry), keeping every timer
// start and stop of real play, so the clock fires the rest in the same order as ever.
namespace Headless {
void setActive(bool active);
bool active();
} // namespace Headless
