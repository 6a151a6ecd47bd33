#include "shell/sysinfo_seams.h"

// A platform without a registry: no value is ever found, so neither the file
// test nor the start of a program is ever reached.
namespace sysinfo {
namespace {

class NoRegistry : public Registry {
 public:
  long Open(RegKey, const std::string&, std::uint32_t, RegKey& key) override {
    key = 0;
    return kFileNotFound;
  }
  long Query(RegKey, const std::string&, std::uint32_t&, char*, std::uint32_t&) override { return kFileNotFound; }
  long Close(RegKey) override { return kSuccess; }
};

class NoFiles : public FileTest {
 public:
  bool IsOrdinaryFile(const std::string&) override { return false; }
};

class NoPrograms : public ProgramStarter {
 public:
  bool Start(const std::string&) override { return false; }
};

}  // namespace

Seams SystemSeams() {
  static NoRegistry registry;
  static NoFiles files;
  static NoPrograms programs;
  return {registry, files, programs};
}

}  // namespace sysinfo
