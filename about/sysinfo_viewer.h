#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Which system-information viewer a Linux desktop has: the desktop's own where
// the session names one and has it installed, else a general viewer.
namespace sysinfo {

struct Viewer {
  std::string program;  // an absolute path
  std::vector<std::string> arguments;
};

// What is installed, asked of absolute paths.
struct Installed {
  std::function<bool(const std::string&)> isProgram;  // an executable ordinary file
  std::function<bool(const std::string&)> isFile;
};

// From XDG_CURRENT_DESKTOP, PATH and XDG_DATA_DIRS as the environment holds
// them (null when unset). Programs are looked for along PATH, its absolute
// folders only; the data folders tell which page of GNOME Settings shows the
// system's details. No viewer installed: none.
std::optional<Viewer> ChooseViewer(const char* currentDesktop, const char* searchPath, const char* dataDirs,
                                   const Installed& installed);

}  // namespace sysinfo
