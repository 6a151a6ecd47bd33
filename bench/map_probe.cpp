// Starts a program and tells how long it took from exec to the first top-level
// window being mapped, without polling: map events of the root window are
// selected before the program starts, and a watcher process waits for them.
//
//   map_probe REPORT PROGRAM [ARGS...]
//
// The program replaces the probe (same pid, so the caller can measure and end
// it); the watcher writes "<milliseconds>\n" to REPORT at the first map, or
// "timeout\n" after 60 s.
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

namespace {

double Milliseconds(const timespec& from, const timespec& to) {
  return (to.tv_sec - from.tv_sec) * 1e3 + (to.tv_nsec - from.tv_nsec) / 1e6;
}

// True when a top-level window other than a popup is mapped within the limit.
bool WaitForFirstMap(Display* display, int limitMs) {
  const int fd = ConnectionNumber(display);
  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && !event.xmap.override_redirect) return true;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const int left = limitMs - static_cast<int>(Milliseconds(start, now));
    if (left <= 0) return false;
    pollfd wait{fd, POLLIN, 0};
    poll(&wait, 1, left);
  }
}

void Report(const char* path, const char* text) {
  if (FILE* out = std::fopen(path, "w")) {
    std::fputs(text, out);
    std::fclose(out);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s REPORT PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "map_probe: cannot open the display\n");
    return 2;
  }
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  // The program must not inherit the watcher's connection.
  fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);

  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  const pid_t program = getpid();
  if (fork() == 0) {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != program) _exit(1);
    if (!WaitForFirstMap(display, 60000)) {
      Report(argv[1], "timeout\n");
      _exit(1);
    }
    timespec mapped{};
    clock_gettime(CLOCK_MONOTONIC, &mapped);
    char line[32];
    std::snprintf(line, sizeof line, "%.1f\n", Milliseconds(start, mapped));
    Report(argv[1], line);
    _exit(0);
  }
  execv(argv[2], argv + 2);
  std::perror("map_probe: exec");
  return 127;
}
