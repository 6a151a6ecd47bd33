#include "about/sysinfo.h"

#include <array>
#include <cstdio>

namespace sysinfo {
namespace {

constexpr std::uint32_t kBufferSize = 1024;

std::string DwordText(const std::array<char, kBufferSize>& buffer) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(buffer[i]);
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(value));
  return std::string("&h") + digits;
}

// Reads the value from an open key; the caller closes it.
bool ReadValue(Registry& registry, RegKey key, const std::string& valueName, std::string& valueText) {
  std::array<char, kBufferSize> buffer{};
  std::uint32_t size = kBufferSize;
  std::uint32_t type = 0;
  if (registry.Query(key, valueName, type, buffer.data(), size) != kSuccess) {
    valueText.clear();
    return false;
  }
  if (size == 0) throw LookupError("the registry value \"" + valueName + "\" is empty");
  const std::string trimmed(buffer.data(), buffer[size - 1] == '\0' ? size - 1 : size);
  if (type == kRegSz) {
    valueText = trimmed;
  } else if (type == kRegDword) {
    valueText = DwordText(buffer);
  }
  return true;
}

bool Lookup(Registry& registry, const RegistryValue& value, std::string& valueText) {
  return GetKeyValue(registry, value.root, value.subKey, value.valueName, valueText);
}

}  // namespace

bool GetKeyValue(Registry& registry, RegKey root, const std::string& subKeyPath, const std::string& valueName,
                 std::string& valueText) {
  RegKey key = 0;
  // Read rights only: asking for more is refused to ordinary users.
  if (registry.Open(root, subKeyPath, kKeyRead, key) != kSuccess) {
    valueText.clear();
    registry.Close(key);
    return false;
  }
  struct CloseOnExit {
    Registry& registry;
    RegKey key;
    ~CloseOnExit() { registry.Close(key); }
  } closer{registry, key};
  return ReadValue(registry, key, valueName, valueText);
}

bool StartSysInfo(const Seams& seams, const ViewerLocation& where) {
  try {
    std::string viewerPath;
    if (!Lookup(seams.registry, where.fullPath, viewerPath)) {
      // The folder value names no file, so the viewer must be there to be started.
      if (!Lookup(seams.registry, where.folder, viewerPath)) return false;
      if (!seams.files.IsOrdinaryFile(viewerPath + kViewerFile)) return false;
      viewerPath += kViewerFile;
    }
    return seams.programs.Start(viewerPath);
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace sysinfo
