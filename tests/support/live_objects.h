#pragma once

#include <ostream>

// What a long run must give back: widgets and timers alive in the process.
// Timers are counted in every window and under the application object, and
// the single-shot timers that Qt parents to the event dispatcher.
struct LiveObjects {
  int widgets = 0;
  int timers = 0;
  int runningTimers = 0;

  bool operator==(const LiveObjects&) const = default;
};

// Lets deferred deletions run first, so that what is counted is what stays.
LiveObjects CountLiveObjects();

std::ostream& operator<<(std::ostream& out, const LiveObjects& live);
