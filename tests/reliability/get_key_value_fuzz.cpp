// GetKeyValue over a registry that holds one value of any type and any bytes,
// and answers as the Windows registry does (ERROR_MORE_DATA when the value
// does not fit). The text read is what the type calls for, a failure leaves
// it empty, and only a value of no bytes at all is refused.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "about/sysinfo.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

class OneValueRegistry : public sysinfo::Registry {
 public:
  long openResult = sysinfo::kSuccess;
  std::uint32_t type = 0;
  std::string data;
  int openKeys = 0;

  long Open(sysinfo::RegKey, const std::string&, std::uint32_t, sysinfo::RegKey& key) override {
    if (openResult != sysinfo::kSuccess) return openResult;
    key = 0x1234;
    ++openKeys;
    return sysinfo::kSuccess;
  }
  long Query(sysinfo::RegKey, const std::string&, std::uint32_t& valueType, char* out, std::uint32_t& size) override {
    valueType = type;
    const bool fits = data.size() <= size;
    size = static_cast<std::uint32_t>(data.size());
    if (!fits) return sysinfo::kMoreData;
    std::memcpy(out, data.data(), data.size());
    return sysinfo::kSuccess;
  }
  long Close(sysinfo::RegKey key) override {
    if (key == 0x1234) --openKeys;
    return sysinfo::kSuccess;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size < 2) return 0;
  OneValueRegistry registry;
  const long openResults[] = {sysinfo::kSuccess, sysinfo::kSuccess, sysinfo::kFileNotFound, sysinfo::kAccessDenied};
  registry.openResult = openResults[bytes[0] % 4];
  registry.type = bytes[1] % 8;
  // Data beyond the first kilobyte only ever comes as repeats, to reach past the buffer cheaply.
  registry.data.assign(reinterpret_cast<const char*>(bytes + 2), size - 2);
  if (!registry.data.empty() && bytes[1] & 0x80)
    registry.data = std::string(registry.data.size() * 300, registry.data[0]);

  std::string text = "before";
  bool found = false;
  try {
    found = sysinfo::GetKeyValue(registry, sysinfo::kLocalMachine, "SOFTWARE\\Kelvaro", "PATH", text);
  } catch (const sysinfo::LookupError&) {
    Check(registry.openResult == sysinfo::kSuccess && registry.data.empty());
    Check(registry.openKeys == 0);
    return 0;
  }
  Check(registry.openKeys == 0);
  const bool readable = registry.openResult == sysinfo::kSuccess && registry.data.size() <= 1024;
  Check(found == readable);
  if (!found) {
    Check(text.empty());
  } else if (registry.type == sysinfo::kRegSz) {
    std::string expected = registry.data;
    if (!expected.empty() && expected.back() == '\0') expected.pop_back();
    Check(text == expected);
  } else if (registry.type == sysinfo::kRegDword) {
    Check(text.size() == 10 && text.compare(0, 2, "&h") == 0);
  } else {
    Check(text == "before");
  }
  return 0;
}
