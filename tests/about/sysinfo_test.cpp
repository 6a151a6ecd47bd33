#include "about/sysinfo.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace sysinfo;

const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

struct StoredValue {
  std::uint32_t type;
  std::string data;
};

// A registry as an ordinary user sees it: keys under HKEY_LOCAL_MACHINE that
// may be read but not changed.
class MemoryRegistry : public Registry {
 public:
  void Set(const std::string& key, const std::string& name, std::uint32_t type, std::string data) {
    keys_[key][name] = {type, std::move(data)};
  }
  void SetText(const std::string& key, const std::string& name, const std::string& text) {
    Set(key, name, kRegSz, text + '\0');
  }

  long Open(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& key) override {
    opened.push_back(subKey);
    key = 0;
    if (root != kLocalMachine || !keys_.contains(subKey)) return kFileNotFound;
    if ((access & ~kKeyRead) != 0) return kAccessDenied;
    key = nextHandle_++;
    handles_[key] = subKey;
    return kSuccess;
  }

  long Query(RegKey key, const std::string& valueName, std::uint32_t& type, char* data, std::uint32_t& size) override {
    const auto& values = keys_.at(handles_.at(key));
    const auto found = values.find(valueName);
    if (found == values.end()) return kFileNotFound;
    const StoredValue& value = found->second;
    type = value.type;
    const std::uint32_t capacity = size;
    size = static_cast<std::uint32_t>(value.data.size());
    if (value.data.size() > capacity) return kMoreData;
    value.data.copy(data, value.data.size());
    return kSuccess;
  }

  long Close(RegKey key) override {
    closed.push_back(key);
    return handles_.erase(key) == 1 ? kSuccess : 6;  // ERROR_INVALID_HANDLE
  }

  bool AllOpenedKeysClosed() const { return handles_.empty(); }

  std::vector<std::string> opened;
  std::vector<RegKey> closed;

 private:
  std::map<std::string, std::map<std::string, StoredValue>> keys_;
  std::map<RegKey, std::string> handles_;
  RegKey nextHandle_ = 0x100;
};

class MemoryFiles : public FileTest {
 public:
  bool IsOrdinaryFile(const std::string& path) override {
    asked.push_back(path);
    return existing.contains(path);
  }
  std::set<std::string> existing;
  std::vector<std::string> asked;
};

class MemoryPrograms : public ProgramStarter {
 public:
  bool Start(const std::string& path) override {
    started.push_back(path);
    return startable.contains(path);
  }
  std::set<std::string> startable;
  std::vector<std::string> started;
};

class GetKeyValueTest : public ::testing::Test {
 protected:
  bool Read(const std::string& name, std::string& text) {
    return GetKeyValue(registry, kLocalMachine, "SOFTWARE\\Test", name, text);
  }
  MemoryRegistry registry;
};

struct ValueCase {
  const char* what;
  std::uint32_t type;
  std::string data;
  bool found;
  std::string text;  // starting as "before"
};

TEST_F(GetKeyValueTest, ReadsEachKindOfValue) {
  const ValueCase cases[] = {
      {"text ending in NUL", kRegSz, std::string("C:\\Tools\\viewer.exe\0", 20), true, "C:\\Tools\\viewer.exe"},
      {"text without final NUL", kRegSz, "C:\\Tools", true, "C:\\Tools"},
      {"text with an inner NUL", kRegSz, std::string("ab\0cd", 5), true, std::string("ab\0cd", 5)},
      {"one NUL only", kRegSz, std::string(1, '\0'), true, ""},
      {"exactly 1024 bytes", kRegSz, std::string(1023, 'x') + '\0', true, std::string(1023, 'x')},
      {"1025 bytes", kRegSz, std::string(1024, 'x') + '\0', false, ""},
      {"double word", kRegDword, std::string("\x2A\x00\x00\x00", 4), true, "&h0000002A"},
      {"double word, high bit set", kRegDword, std::string("\x78\x56\x34\xF2", 4), true, "&hF2345678"},
      {"expandable text", kRegExpandSz, std::string("%SystemRoot%\0", 13), true, "before"},
      {"binary", kRegBinary, "\x01\x02", true, "before"},
  };
  for (const ValueCase& c : cases) {
    registry.Set("SOFTWARE\\Test", c.what, c.type, c.data);
    std::string text = "before";
    EXPECT_EQ(Read(c.what, text), c.found) << c.what;
    EXPECT_EQ(text, c.text) << c.what;
  }
  EXPECT_TRUE(registry.AllOpenedKeysClosed());
}

TEST_F(GetKeyValueTest, AMissingKeyOrValueEmptiesTheText) {
  registry.SetText("SOFTWARE\\Test", "there", "x");
  std::string text = "before";
  EXPECT_FALSE(Read("missing", text));
  EXPECT_EQ(text, "");
  text = "before";
  EXPECT_FALSE(GetKeyValue(registry, kLocalMachine, "SOFTWARE\\Nowhere", "there", text));
  EXPECT_EQ(text, "");
  EXPECT_TRUE(registry.AllOpenedKeysClosed());
}

TEST_F(GetKeyValueTest, OpensTheKeyReadOnlySoOrdinaryUsersFindIt) {
  registry.SetText("SOFTWARE\\Test", "PATH", "C:\\viewer.exe");
  std::string text;
  EXPECT_TRUE(Read("PATH", text));
  EXPECT_EQ(text, "C:\\viewer.exe");
}

TEST_F(GetKeyValueTest, AZeroLengthValueIsAnErrorAfterTheKeyIsClosed) {
  registry.Set("SOFTWARE\\Test", "empty", kRegBinary, "");
  std::string text = "before";
  EXPECT_THROW(Read("empty", text), LookupError);
  EXPECT_EQ(registry.closed.size(), 1u);
  EXPECT_TRUE(registry.AllOpenedKeysClosed());
}

class StartSysInfoTest : public ::testing::Test {
 protected:
  bool Start() { return StartSysInfo({registry, files, programs}); }
  MemoryRegistry registry;
  MemoryFiles files;
  MemoryPrograms programs;
};

TEST_F(StartSysInfoTest, TheFullPathIsStartedWithoutAFileTest) {
  registry.SetText(kPathKey, "PATH", "C:\\Program Files\\Tools\\viewer.exe");
  registry.SetText(kFolderKey, "MSINFO", "C:\\Other");
  programs.startable = {"C:\\Program Files\\Tools\\viewer.exe"};
  EXPECT_TRUE(Start());
  EXPECT_EQ(programs.started, std::vector<std::string>{"C:\\Program Files\\Tools\\viewer.exe"});
  EXPECT_TRUE(files.asked.empty());
  EXPECT_EQ(registry.opened, std::vector<std::string>{kPathKey});
}

TEST_F(StartSysInfoTest, AFullPathThatStartsNothingFailsWithoutTryingTheFolder) {
  registry.SetText(kPathKey, "PATH", "C:\\gone.exe");
  registry.SetText(kFolderKey, "MSINFO", "C:\\Tools");
  files.existing = {"C:\\Tools\\MSINFO32.EXE"};
  programs.startable = {"C:\\Tools\\MSINFO32.EXE"};
  EXPECT_FALSE(Start());
  EXPECT_EQ(programs.started, std::vector<std::string>{"C:\\gone.exe"});
  EXPECT_EQ(registry.opened, std::vector<std::string>{kPathKey});
}

TEST_F(StartSysInfoTest, TheFolderIsUsedWhenItHoldsTheViewer) {
  registry.SetText(kFolderKey, "MSINFO", "C:\\Common Files\\MSInfo");
  files.existing = {"C:\\Common Files\\MSInfo\\MSINFO32.EXE"};
  programs.startable = files.existing;
  EXPECT_TRUE(Start());
  EXPECT_EQ(files.asked, std::vector<std::string>{"C:\\Common Files\\MSInfo\\MSINFO32.EXE"});
  EXPECT_EQ(programs.started, std::vector<std::string>{"C:\\Common Files\\MSInfo\\MSINFO32.EXE"});
}

TEST_F(StartSysInfoTest, AFolderWithoutTheViewerStartsNothing) {
  registry.SetText(kFolderKey, "MSINFO", "C:\\Common Files\\MSInfo");
  EXPECT_FALSE(Start());
  EXPECT_EQ(files.asked.size(), 1u);
  EXPECT_TRUE(programs.started.empty());
}

TEST_F(StartSysInfoTest, AFullPathOfAnotherTypeCountsAsFoundButStartsNothing) {
  for (const std::uint32_t type : {kRegExpandSz, kRegBinary}) {
    MemoryRegistry fresh;
    fresh.Set(kPathKey, "PATH", type, std::string("C:\\viewer.exe\0", 14));
    fresh.SetText(kFolderKey, "MSINFO", "C:\\Tools");
    MemoryPrograms tried;
    files.existing = {"C:\\Tools\\MSINFO32.EXE"};
    EXPECT_FALSE(StartSysInfo({fresh, files, tried})) << type;
    EXPECT_EQ(tried.started, std::vector<std::string>{""}) << type;
    EXPECT_EQ(fresh.opened, std::vector<std::string>{kPathKey}) << type;
  }
}

TEST_F(StartSysInfoTest, AnEmptyFullPathValueEndsTheSearch) {
  registry.Set(kPathKey, "PATH", kRegSz, "");
  registry.SetText(kFolderKey, "MSINFO", "C:\\Tools");
  files.existing = {"C:\\Tools\\MSINFO32.EXE"};
  programs.startable = files.existing;
  EXPECT_FALSE(Start());
  EXPECT_TRUE(programs.started.empty());
  EXPECT_TRUE(registry.AllOpenedKeysClosed());
}

TEST_F(StartSysInfoTest, AFolderValueOverTheBufferCountsAsMissing) {
  registry.SetText(kFolderKey, "MSINFO", "C:\\" + std::string(1100, 'd'));
  EXPECT_FALSE(Start());
  EXPECT_TRUE(files.asked.empty());
}

TEST_F(StartSysInfoTest, NoValuesMeansNoViewer) {
  EXPECT_FALSE(Start());
  EXPECT_EQ(registry.opened, (std::vector<std::string>{kPathKey, kFolderKey}));
  EXPECT_TRUE(programs.started.empty());
}

#ifndef _WIN32
// The desktop's viewer stands in for the registry value, found along the search
// path the program was started with: none there, one that runs (true), and an
// executable file that is no program.
TEST(SystemSeamsTest, TheViewerAlongTheSearchPathIsTheValueAndIsStarted) {
  char folderName[] = "/tmp/sysinfo_seams_XXXXXX";
  ASSERT_NE(mkdtemp(folderName), nullptr);
  const std::string folder = folderName;
  const std::string viewer = folder + "/hardinfo2";
  const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  const auto keepPath = [&](const std::string& path) {
    setenv("PATH", path.c_str(), 1);
    unsetenv("XDG_CURRENT_DESKTOP");
    KeepStartEnvironment();
    setenv("PATH", savedPath.c_str(), 1);
  };

  std::string text = "before";
  keepPath(folder);
  EXPECT_FALSE(GetKeyValue(SystemSeams().registry, kLocalMachine, kPathKey, "PATH", text));
  EXPECT_EQ(text, "");
  EXPECT_FALSE(StartSysInfo(SystemSeams()));

  ASSERT_EQ(symlink("/bin/true", viewer.c_str()), 0);
  EXPECT_TRUE(GetKeyValue(SystemSeams().registry, kLocalMachine, kPathKey, "PATH", text));
  EXPECT_EQ(text, viewer);
  EXPECT_FALSE(GetKeyValue(SystemSeams().registry, kLocalMachine, kFolderKey, "MSINFO", text));
  EXPECT_TRUE(StartSysInfo(SystemSeams()));

  ASSERT_EQ(unlink(viewer.c_str()), 0);
  {
    std::ofstream notAProgram(viewer);
    notAProgram << "no program\n";
  }
  ASSERT_EQ(chmod(viewer.c_str(), 0755), 0);
  EXPECT_FALSE(StartSysInfo(SystemSeams())) << "a viewer that cannot be started";

  keepPath(savedPath);
  unlink(viewer.c_str());
  rmdir(folder.c_str());
}
#endif

}  // namespace
