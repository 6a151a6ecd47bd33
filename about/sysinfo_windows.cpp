#include "about/sysinfo_seams.h"

#include <windows.h>

// The real advapi32 registry, file attributes and process start. Texts are
// passed in the system's ANSI code page.
namespace sysinfo {
namespace {

HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

class WindowsRegistry : public Registry {
 public:
  long Open(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& key) override {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyExA(ToHkey(root), subKey.c_str(), 0, access, &opened);
    key = reinterpret_cast<RegKey>(opened);
    return result;
  }
  long Query(RegKey key, const std::string& valueName, std::uint32_t& type, char* data, std::uint32_t& size) override {
    DWORD valueType = 0;
    DWORD valueSize = size;
    const LONG result = RegQueryValueExA(ToHkey(key), valueName.c_str(), nullptr, &valueType,
                                         reinterpret_cast<BYTE*>(data), &valueSize);
    type = valueType;
    size = valueSize;
    return result;
  }
  long Close(RegKey key) override { return RegCloseKey(ToHkey(key)); }
};

class WindowsFiles : public FileTest {
 public:
  bool IsOrdinaryFile(const std::string& path) override {
    // Attributes of exactly this name: no wildcard in it is expanded.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    constexpr DWORD kNotOrdinary = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotOrdinary) == 0;
  }
};

class WindowsPrograms : public ProgramStarter {
 public:
  bool Start(const std::string& path) override {
    // The program is named on its own, so a path with blanks is never split
    // into a shorter program and its arguments; the command line only repeats
    // it, quoted, for the program's own sake.
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
      return false;
    }
    // Nobody watches the viewer once it runs.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }
};

}  // namespace

// A started program inherits the environment, which is left as it was here.
void KeepStartEnvironment() {}

Seams SystemSeams() {
  static WindowsRegistry registry;
  static WindowsFiles files;
  static WindowsPrograms programs;
  return {registry, files, programs};
}

}  // namespace sysinfo
