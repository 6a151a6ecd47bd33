#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "about/sysinfo.h"
#include "about/sysinfo_seams.h"
#include "about/sysinfo_viewer.h"

extern char** environ;

// Linux has no registry: the value that names the viewer's full path is
// answered with the desktop's own system-information viewer, found when it is
// asked for, so that a viewer installed while the program runs is found too.
namespace sysinfo {
namespace {

// The environment as the program received it, before it set its own
// preferences (the windowing platform) for Qt.
std::vector<std::string>& StartEnvironment() {
  static std::vector<std::string> environment;
  return environment;
}

const char* StartValue(std::string_view name) {
  for (const std::string& entry : StartEnvironment()) {
    if (entry.size() > name.size() && entry.starts_with(name) && entry[name.size()] == '=') {
      return entry.c_str() + name.size() + 1;
    }
  }
  return nullptr;
}

bool IsOrdinary(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::optional<Viewer> FindViewer() {
  const Installed installed{
      [](const std::string& path) { return IsOrdinary(path) && access(path.c_str(), X_OK) == 0; },
      IsOrdinary,
  };
  return ChooseViewer(StartValue("XDG_CURRENT_DESKTOP"), StartValue("PATH"), StartValue("XDG_DATA_DIRS"), installed);
}

// The viewer found by the last lookup: the registry hands out its path, the
// start adds its arguments.
std::optional<Viewer>& FoundViewer() {
  static std::optional<Viewer> viewer;
  return viewer;
}

constexpr RegKey kViewerKey = 1;

class DesktopRegistry : public Registry {
 public:
  long Open(RegKey root, const std::string& subKey, std::uint32_t, RegKey& key) override {
    key = 0;
    if (root != kMsInfo.fullPath.root || subKey != kMsInfo.fullPath.subKey) return kFileNotFound;
    FoundViewer() = FindViewer();
    if (!FoundViewer()) return kFileNotFound;
    key = kViewerKey;
    return kSuccess;
  }
  long Query(RegKey key, const std::string& valueName, std::uint32_t& type, char* data, std::uint32_t& size) override {
    if (key != kViewerKey || valueName != kMsInfo.fullPath.valueName) return kFileNotFound;
    const std::string& path = FoundViewer()->program;
    const std::uint32_t capacity = size;
    type = kRegSz;
    size = static_cast<std::uint32_t>(path.size() + 1);
    if (size > capacity) return kMoreData;
    path.copy(data, path.size());
    data[path.size()] = '\0';
    return kSuccess;
  }
  long Close(RegKey) override { return kSuccess; }
};

class OrdinaryFiles : public FileTest {
 public:
  bool IsOrdinaryFile(const std::string& path) override { return IsOrdinary(path); }
};

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// The program runs as a grandchild: the child between us ends at once and is
// reaped here, so the viewer is the init process's, outlives us and leaves no
// zombie. Only its exec is waited for, through a pipe that the exec closes.
bool StartDetached(std::vector<std::string> arguments, std::vector<std::string> environment) {
  // Everything the children need is made before the fork: they may not allocate.
  const std::vector<char*> argv = Pointers(arguments);
  const std::vector<char*> envp = Pointers(environment);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child == 0) {
    close(report[0]);
    const pid_t viewer = fork();
    if (viewer > 0) _exit(0);
    if (viewer == 0) {
      // A session of its own, away from our terminal and our process group;
      // a fresh program's signals, and none of our descriptors.
      setsid();
      struct sigaction standard {};
      standard.sa_handler = SIG_DFL;
      for (int signal = 1; signal < NSIG; ++signal) sigaction(signal, &standard, nullptr);
      sigset_t none;
      sigemptyset(&none);
      sigprocmask(SIG_SETMASK, &none, nullptr);
      close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
      execve(argv[0], argv.data(), envp.data());
    }
    // The fork or the exec failed.
    const int error = errno;
    [[maybe_unused]] const ssize_t written = write(report[1], &error, sizeof error);
    _exit(127);
  }
  close(report[1]);
  if (child < 0) {
    close(report[0]);
    return false;
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  return got == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class DetachedPrograms : public ProgramStarter {
 public:
  bool Start(const std::string& path) override {
    if (!path.starts_with('/')) return false;
    std::vector<std::string> arguments{path};
    const std::optional<Viewer>& viewer = FoundViewer();
    if (viewer && viewer->program == path) {
      arguments.insert(arguments.end(), viewer->arguments.begin(), viewer->arguments.end());
    }
    return StartDetached(std::move(arguments), StartEnvironment());
  }
};

}  // namespace

void KeepStartEnvironment() {
  StartEnvironment().clear();
  for (char** entry = environ; *entry; ++entry) StartEnvironment().emplace_back(*entry);
}

Seams SystemSeams() {
  static DesktopRegistry registry;
  static OrdinaryFiles files;
  static DetachedPrograms programs;
  return {registry, files, programs};
}

}  // namespace sysinfo
