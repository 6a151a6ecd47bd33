#include "about/sysinfo_viewer.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using sysinfo::ChooseViewer;

constexpr const char* kPath = "/usr/local/bin:/usr/bin:/bin";
const std::string kGnome48Page = "/usr/share/applications/gnome-about-panel.desktop";
const std::string kGnome43Page = "/usr/share/applications/gnome-info-overview-panel.desktop";
const std::string kSettings = "/usr/bin/gnome-control-center";

struct Case {
  const char* what;
  const char* desktop;
  const char* path;
  const char* dataDirs;
  std::set<std::string> programs;
  std::set<std::string> files;
  std::vector<std::string> expected;  // program and arguments; empty: none found
};

const Case kCases[] = {
    {"GNOME 48 names its page System, About",
     "GNOME",
     kPath,
     nullptr,
     {kSettings},
     {kGnome48Page},
     {kSettings, "system", "about"}},
    {"GNOME 43 names its page info-overview",
     "GNOME",
     kPath,
     nullptr,
     {kSettings},
     {kGnome43Page},
     {kSettings, "info-overview"}},
    {"a desktop derived from GNOME names it after its own",
     "ubuntu:GNOME",
     kPath,
     nullptr,
     {kSettings},
     {kGnome43Page},
     {kSettings, "info-overview"}},
    {"the page found in a later data folder",
     "GNOME",
     kPath,
     "/opt/share:/usr/share/",
     {kSettings},
     {kGnome48Page},
     {kSettings, "system", "about"}},
    {"Settings without a page it is known to have: a general viewer",
     "GNOME",
     kPath,
     nullptr,
     {kSettings, "/usr/bin/hardinfo"},
     {},
     {"/usr/bin/hardinfo"}},
    {"KDE", "KDE", kPath, nullptr, {"/usr/bin/kinfocenter", "/usr/bin/hardinfo"}, {}, {"/usr/bin/kinfocenter"}},
    {"KDE without its viewer: a general one",
     "KDE",
     kPath,
     nullptr,
     {"/usr/bin/hardinfo2"},
     {},
     {"/usr/bin/hardinfo2"}},
    {"another desktop passes the desktops' own by",
     "XFCE",
     kPath,
     nullptr,
     {kSettings, "/usr/bin/kinfocenter", "/usr/bin/cpu-x"},
     {kGnome48Page},
     {"/usr/bin/cpu-x"}},
    {"no desktop named: hardinfo2 before hardinfo",
     nullptr,
     kPath,
     nullptr,
     {"/usr/bin/hardinfo", "/usr/bin/hardinfo2"},
     {},
     {"/usr/bin/hardinfo2"}},
    {"a name only part of which is the desktop's",
     "GNOME-Classic",
     kPath,
     nullptr,
     {kSettings, "/usr/bin/hardinfo"},
     {kGnome48Page},
     {"/usr/bin/hardinfo"}},
    {"the first folder of the search path that has it",
     nullptr,
     "/usr/local/bin:/usr/bin",
     nullptr,
     {"/usr/bin/hardinfo", "/usr/local/bin/hardinfo"},
     {},
     {"/usr/local/bin/hardinfo"}},
    {"relative folders of the search path are never searched",
     nullptr,
     ":.:bin:/usr/bin",
     nullptr,
     {"bin/hardinfo2", "./hardinfo2", "/usr/bin/hardinfo"},
     {},
     {"/usr/bin/hardinfo"}},
    {"no search path: the system's folders",
     nullptr,
     nullptr,
     nullptr,
     {"/usr/bin/hardinfo"},
     {},
     {"/usr/bin/hardinfo"}},
    {"a search path without the viewers' folder finds none",
     "GNOME",
     "/opt/empty",
     nullptr,
     {kSettings, "/usr/bin/hardinfo"},
     {kGnome48Page},
     {}},
    {"nothing installed", "KDE", kPath, nullptr, {}, {}, {}},
};

TEST(SysinfoViewerTest, ChoosesTheDesktopsOwnViewerElseAGeneralOne) {
  for (const Case& c : kCases) {
    const sysinfo::Installed installed{
        [&](const std::string& path) { return c.programs.contains(path); },
        [&](const std::string& path) { return c.files.contains(path); },
    };
    const auto viewer = ChooseViewer(c.desktop, c.path, c.dataDirs, installed);
    std::vector<std::string> found;
    if (viewer) {
      found.push_back(viewer->program);
      found.insert(found.end(), viewer->arguments.begin(), viewer->arguments.end());
    }
    EXPECT_EQ(found, c.expected) << c.what;
  }
}

}  // namespace
