// How long sound work holds up the event loop: a 1 ms timer stamps every turn
// of the loop while cues are asked for, and the longest gap is printed for the
// first cue (SDL loaded, audio started, device opened), for the idle close (3 s
// after a cue has ended) and for cues while the server is gone. Also tells
// whether SDL was loaded before the first cue.
//
//   cue_probe [SERVER_PID]   (the server is killed with SIGKILL before the last phase)
#include <dlfcn.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <QCoreApplication>
#include <QTimer>

#include "sound/module1.h"
#include "sound/sdl_audio.h"

namespace {

using Clock = std::chrono::steady_clock;
std::vector<Clock::time_point> turns;

double LongestGapMs(Clock::time_point from, Clock::time_point to) {
  double longest = 0;
  for (std::size_t i = 1; i < turns.size(); ++i) {
    if (turns[i] < from || turns[i - 1] > to) continue;
    longest = std::max(longest, std::chrono::duration<double, std::milli>(turns[i] - turns[i - 1]).count());
  }
  return longest;
}

void Cue(int id) {
  Module1::soundCueId = FormValue(std::int16_t(id));
  Module1::PlaySoundCue();
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const pid_t server = argc > 1 ? pid_t(std::atoi(argv[1])) : 0;
  QTimer stamp;
  stamp.setTimerType(Qt::PreciseTimer);
  QObject::connect(&stamp, &QTimer::timeout, [] { turns.push_back(Clock::now()); });
  stamp.start(1);
  Clock::time_point start = Clock::now(), first, idle, gone;
  const bool sdlBefore = dlopen(player::kSdlLibrary, RTLD_NOW | RTLD_NOLOAD) != nullptr;
  QTimer::singleShot(1000, [&] {
    first = Clock::now();
    Cue(4);
  });
  // Cue 4 lasts 3.42 s; the device goes 3 s later.
  QTimer::singleShot(6000, [&] { idle = Clock::now(); });
  QTimer::singleShot(9500, [&] {
    if (server > 0) kill(server, SIGKILL);
    gone = Clock::now();
  });
  for (int n = 0; n < 5; ++n) QTimer::singleShot(10000 + n * 1200, [] { Cue(2); });
  QTimer::singleShot(16500, [&] {
    std::printf("SDL loaded before the first cue: %s\n", sdlBefore ? "yes" : "no");
    std::printf("longest event-loop gap, ms (timer period 1 ms):\n");
    std::printf("  no sound yet         %.2f\n", LongestGapMs(start + std::chrono::milliseconds(200), first));
    std::printf("  first cue            %.2f\n", LongestGapMs(first, first + std::chrono::seconds(2)));
    std::printf("  idle close           %.2f\n", LongestGapMs(idle, idle + std::chrono::seconds(3)));
    std::printf("  cues, server gone    %.2f\n", LongestGapMs(gone, Clock::now()));
    app.quit();
  });
  return app.exec();
}
