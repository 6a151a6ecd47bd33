#pragma once

#include <cstdint>
#include <string>

// What the system-information lookup needs from the platform: the registry,
// a file test and the start of another program. Windows has the real ones;
// on Linux the value that names the viewer is answered with the desktop's own.
namespace sysinfo {

// A registry key handle, wide enough for a Windows HKEY.
using RegKey = std::uintptr_t;

// HKEY_LOCAL_MACHINE: a 32-bit predefined handle, sign-extended as Windows does.
inline constexpr RegKey kLocalMachine = static_cast<RegKey>(static_cast<std::intptr_t>(std::int32_t(0x80000002u)));

inline constexpr long kSuccess = 0;                 // ERROR_SUCCESS
inline constexpr long kFileNotFound = 2;            // ERROR_FILE_NOT_FOUND
inline constexpr long kAccessDenied = 5;            // ERROR_ACCESS_DENIED
inline constexpr long kMoreData = 234;              // ERROR_MORE_DATA
inline constexpr std::uint32_t kKeyRead = 0x20019;  // KEY_READ

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

// Open, query and close with the return codes of the Win32 registry calls.
class Registry {
 public:
  virtual ~Registry() = default;
  virtual long Open(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& key) = 0;
  // Fills at most size bytes of data; size comes back as the value's size.
  virtual long Query(RegKey key, const std::string& valueName, std::uint32_t& type, char* data,
                     std::uint32_t& size) = 0;
  virtual long Close(RegKey key) = 0;
};

class FileTest {
 public:
  virtual ~FileTest() = default;
  // True when path names an ordinary file: not a folder, not hidden, not a system file.
  virtual bool IsOrdinaryFile(const std::string& path) = 0;
};

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Starts exactly the program at path in a normal, active window and does not
  // wait for it; false when it cannot be started.
  virtual bool Start(const std::string& path) = 0;
};

struct Seams {
  Registry& registry;
  FileTest& files;
  ProgramStarter& programs;
};

// The platform's own registry, file test and program start.
Seams SystemSeams();

// Keeps the environment as it is now for the programs the program starts:
// called first thing, so that they get it as the program received it.
void KeepStartEnvironment();

}  // namespace sysinfo
