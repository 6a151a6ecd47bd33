// How long sound work holds up the event loop: a 1 ms timer stamps every turn
// of the loop while cues are asked for, and the longest gap is printed for the
// first cue (SDL loaded, audio started, device opened), for the idle close (3 s
// after a cue has ended) and for cues while the server is gone. Also tells
// whether SDL was loaded before the first cue, and how long a request itself
// took, with the part of it the thread spent blocked.
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

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The scheduler's account of this thread, in ms: on a CPU, and ready but
// waiting for one. A stretch of time spent in neither the thread spent
// blocked.
struct SchedStat {
  double runningMs = 0, waitingMs = 0;
};

SchedStat ReadSchedStat() {
  SchedStat stat;
  if (std::FILE* f = std::fopen("/proc/thread-self/schedstat", "r")) {
    unsigned long long running = 0, waiting = 0;
    if (std::fscanf(f, "%llu %llu", &running, &waiting) == 2) stat = {running / 1e6, waiting / 1e6};
    std::fclose(f);
  }
  return stat;
}

double BlockedMs(double wallMs, const SchedStat& before, const SchedStat& after) {
  return std::max(0.0, wallMs - (after.runningMs - before.runningMs) - (after.waitingMs - before.waitingMs));
}

struct Turn {
  Clock::time_point at;
  SchedStat stat;
};
std::vector<Turn> turns;

// The longest gap between two turns of the loop in a phase, and the longest
// time of a gap that the thread was blocked.
std::pair<double, double> LongestGapMs(Clock::time_point from, Clock::time_point to) {
  double longest = 0, blocked = 0;
  for (std::size_t i = 1; i < turns.size(); ++i) {
    if (turns[i].at < from || turns[i - 1].at > to) continue;
    const double gap = Ms(turns[i].at - turns[i - 1].at);
    longest = std::max(longest, gap);
    blocked = std::max(blocked, BlockedMs(gap, turns[i - 1].stat, turns[i].stat));
  }
  return {longest, blocked};
}

// How long each request itself held the user-interface thread, and how much
// of that the thread was blocked rather than running or waiting for a CPU.
std::vector<double> cueMs, cueBlockedMs;

void Cue(int id) {
  const SchedStat before = ReadSchedStat();
  const Clock::time_point asked = Clock::now();
  Module1::soundCueId = FormValue(std::int16_t(id));
  Module1::PlaySoundCue();
  const double wall = Ms(Clock::now() - asked);
  cueMs.push_back(wall);
  cueBlockedMs.push_back(BlockedMs(wall, before, ReadSchedStat()));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const pid_t server = argc > 1 ? pid_t(std::atoi(argv[1])) : 0;
  // Every turn's room touched up front: faulting pages in while measuring
  // would count against the loop.
  turns.resize(20000);
  turns.clear();
  QTimer stamp;
  stamp.setTimerType(Qt::PreciseTimer);
  QObject::connect(&stamp, &QTimer::timeout, [] { turns.push_back({Clock::now(), ReadSchedStat()}); });
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
    std::printf("longest event-loop gap, ms (timer period 1 ms), and of a gap the longest blocked:\n");
    const auto phase = [](const char* name, std::pair<double, double> gap) {
      std::printf("  %-20s %6.2f  %6.2f\n", name, gap.first, gap.second);
    };
    phase("no sound yet", LongestGapMs(start + std::chrono::milliseconds(200), first));
    phase("first cue", LongestGapMs(first, first + std::chrono::seconds(2)));
    phase("idle close", LongestGapMs(idle, idle + std::chrono::seconds(3)));
    phase("cues, server gone", LongestGapMs(gone, Clock::now()));
    std::printf("time inside PlaySoundCue, ms: first cue %.3f, later cues at most %.3f\n", cueMs.front(),
                *std::max_element(cueMs.begin() + 1, cueMs.end()));
    std::printf("  of which blocked (not running, not waiting for a CPU), at most %.3f\n",
                *std::max_element(cueBlockedMs.begin(), cueBlockedMs.end()));
    app.quit();
  });
  return app.exec();
}
