#include "about/sysinfo_viewer.h"

#include <string_view>

namespace sysinfo {
namespace {

struct Candidate {
  std::string_view program;
  // A file under a data folder that only a version knowing the page installs;
  // empty when the program needs no page named.
  std::string_view pageFile;
  std::vector<std::string> arguments;
};

// GNOME Settings 46 and later show the details in the System panel's About
// page; earlier versions in a panel of its own.
const std::vector<Candidate> kGnome{
    {"gnome-control-center", "applications/gnome-about-panel.desktop", {"system", "about"}},
    {"gnome-control-center", "applications/gnome-info-overview-panel.desktop", {"info-overview"}},
};
const std::vector<Candidate> kKde{{"kinfocenter", "", {}}};
// Debian 13 ships hardinfo2 (its hardinfo package only pulls it in); Debian 12 hardinfo.
const std::vector<Candidate> kGeneral{{"hardinfo2", "", {}}, {"hardinfo", "", {}}, {"cpu-x", "", {}}};

// What execvp and the XDG base directory rules take when nothing is set.
constexpr std::string_view kDefaultPath = "/bin:/usr/bin";
constexpr std::string_view kDefaultDataDirs = "/usr/local/share:/usr/share";

std::vector<std::string_view> Split(std::string_view list) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = list.find(':', start);
    parts.push_back(list.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// Only absolute folders: a relative one would depend on where the program was started.
std::vector<std::string_view> Folders(const char* list, std::string_view fallback) {
  std::vector<std::string_view> folders;
  for (std::string_view folder : Split(list && *list ? list : fallback)) {
    if (folder.starts_with('/')) folders.push_back(folder);
  }
  return folders;
}

std::string Join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.ends_with('/')) path += '/';
  return path.append(name);
}

bool Names(const char* currentDesktop, std::string_view desktop) {
  if (!currentDesktop) return false;
  for (std::string_view name : Split(currentDesktop)) {
    if (name == desktop) return true;
  }
  return false;
}

}  // namespace

std::optional<Viewer> ChooseViewer(const char* currentDesktop, const char* searchPath, const char* dataDirs,
                                   const Installed& installed) {
  std::vector<const Candidate*> candidates;
  const std::vector<Candidate>* own = Names(currentDesktop, "GNOME") ? &kGnome
                                      : Names(currentDesktop, "KDE") ? &kKde
                                                                     : nullptr;
  if (own) {
    for (const Candidate& candidate : *own) candidates.push_back(&candidate);
  }
  for (const Candidate& candidate : kGeneral) candidates.push_back(&candidate);

  const auto programFolders = Folders(searchPath, kDefaultPath);
  const auto dataFolders = Folders(dataDirs, kDefaultDataDirs);
  const auto hasPage = [&](const Candidate& candidate) {
    if (candidate.pageFile.empty()) return true;
    for (std::string_view folder : dataFolders) {
      if (installed.isFile(Join(folder, candidate.pageFile))) return true;
    }
    return false;
  };
  for (const Candidate* candidate : candidates) {
    if (!hasPage(*candidate)) continue;
    for (std::string_view folder : programFolders) {
      std::string program = Join(folder, candidate->program);
      if (installed.isProgram(program)) return Viewer{std::move(program), candidate->arguments};
    }
  }
  return std::nullopt;
}

}  // namespace sysinfo
