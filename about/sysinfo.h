#pragma once

#include <stdexcept>
#include <string>

#include "about/sysinfo_seams.h"

// Finds the system-information viewer through two registry values and starts it.
namespace sysinfo {

// A value that cannot be read as text at all: one of zero length.
class LookupError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct RegistryValue {
  RegKey root;
  std::string subKey;
  std::string valueName;
};

// Where the viewer is looked for: first its full path, then its folder.
struct ViewerLocation {
  RegistryValue fullPath;
  RegistryValue folder;
};

inline const ViewerLocation kMsInfo{
    {kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"},
    {kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"},
};

// The viewer's file name in the folder of the second value.
inline constexpr const char* kViewerFile = "\\MSINFO32.EXE";

// Reads one value as text. A REG_SZ gives its text, a REG_DWORD "&h" and eight
// hex digits; any other type succeeds and leaves valueText as it was. On
// failure valueText becomes empty. Throws LookupError on a zero-length value.
bool GetKeyValue(Registry& registry, RegKey root, const std::string& subKeyPath, const std::string& valueName,
                 std::string& valueText);

// Locates the viewer and starts it; false when it cannot be found or started.
bool StartSysInfo(const Seams& seams, const ViewerLocation& where = kMsInfo);

}  // namespace sysinfo
