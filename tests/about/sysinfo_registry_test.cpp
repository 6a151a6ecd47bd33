// The lookup against the real Windows registry, file system and process start
// (run under Wine). scripts/wine-test.sh lays out what these tests read:
//   HKLM\Software\KelvaroTest\Values     Text, Dword, Expand, Binary, Empty, Long
//   HKLM\Software\KelvaroTest\FullPath   PATH   = C:\kelvaro probe\viewer.exe
//   HKLM\Software\KelvaroTest\Folder     MSINFO = C:\kelvaro folder
//   HKLM\Software\KelvaroTest\NoViewer   MSINFO = C:\kelvaro empty
// and copies the probe program to C:\kelvaro probe\viewer.exe, to
// C:\kelvaro folder\MSINFO32.EXE and, as a decoy, to C:\kelvaro.exe.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "about/sysinfo.h"

namespace {

using namespace sysinfo;

const std::string kTestKey = "Software\\KelvaroTest";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The viewer runs on its own: wait until it has left its mark.
bool StartedSoon(const std::string& program) {
  for (int i = 0; i < 600; ++i) {
    if (Exists(program + ".started")) return true;
    Sleep(50);
  }
  return false;
}

ViewerLocation TestLocation(const std::string& fullPathKey, const std::string& folderKey) {
  return {{kLocalMachine, kTestKey + "\\" + fullPathKey, "PATH"},
          {kLocalMachine, kTestKey + "\\" + folderKey, "MSINFO"}};
}

TEST(WindowsRegistryTest, TheRootIsHkeyLocalMachine) {
  EXPECT_EQ(kLocalMachine, reinterpret_cast<RegKey>(HKEY_LOCAL_MACHINE));
  EXPECT_EQ(kKeyRead, static_cast<std::uint32_t>(KEY_READ));
}

struct RealValueCase {
  const char* name;
  bool found;
  std::string text;  // starting as "before"
};

TEST(WindowsRegistryTest, ReadsEachKindOfValue) {
  const RealValueCase cases[] = {
      {"Text", true, "C:\\Program Files\\Kelvaro Probe\\viewer.exe"},
      {"Dword", true, "&h0000002A"},
      {"Expand", true, "before"},
      {"Binary", true, "before"},
      {"Long", false, ""},
      {"Missing", false, ""},
  };
  for (const RealValueCase& c : cases) {
    std::string text = "before";
    EXPECT_EQ(GetKeyValue(SystemSeams().registry, kLocalMachine, kTestKey + "\\Values", c.name, text), c.found)
        << c.name;
    EXPECT_EQ(text, c.text) << c.name;
  }
}

TEST(WindowsRegistryTest, AMissingKeyIsNotFound) {
  std::string text = "before";
  EXPECT_FALSE(GetKeyValue(SystemSeams().registry, kLocalMachine, kTestKey + "\\Nowhere", "PATH", text));
  EXPECT_EQ(text, "");
}

TEST(WindowsRegistryTest, AZeroLengthValueIsAnError) {
  std::string text;
  EXPECT_THROW(GetKeyValue(SystemSeams().registry, kLocalMachine, kTestKey + "\\Values", "Empty", text), LookupError);
}

TEST(WindowsFilesTest, OnlyAnOrdinaryFileCounts) {
  FileTest& files = SystemSeams().files;
  EXPECT_TRUE(files.IsOrdinaryFile("C:\\kelvaro folder\\MSINFO32.EXE"));
  EXPECT_FALSE(files.IsOrdinaryFile("C:\\kelvaro folder"));
  EXPECT_FALSE(files.IsOrdinaryFile("C:\\kelvaro folder\\*.EXE"));
  EXPECT_FALSE(files.IsOrdinaryFile("C:\\kelvaro empty\\MSINFO32.EXE"));
}

TEST(WindowsProgramsTest, APathThatNamesNoProgramDoesNotStart) {
  EXPECT_FALSE(SystemSeams().programs.Start("C:\\kelvaro empty\\viewer.exe"));
  EXPECT_FALSE(SystemSeams().programs.Start(""));
}

TEST(WindowsStartSysInfoTest, StartsTheFullPathExactlyEvenWithBlanksInIt) {
  EXPECT_TRUE(StartSysInfo(SystemSeams(), TestLocation("FullPath", "Nowhere")));
  EXPECT_TRUE(StartedSoon("C:\\kelvaro probe\\viewer.exe"));
  // Only one program was started, and it was not the decoy that a split
  // command line would have run.
  EXPECT_FALSE(Exists("C:\\kelvaro.exe.started"));
}

TEST(WindowsStartSysInfoTest, StartsTheViewerInTheFolder) {
  EXPECT_TRUE(StartSysInfo(SystemSeams(), TestLocation("Nowhere", "Folder")));
  EXPECT_TRUE(StartedSoon("C:\\kelvaro folder\\MSINFO32.EXE"));
}

TEST(WindowsStartSysInfoTest, AFolderWithoutTheViewerIsNoViewer) {
  EXPECT_FALSE(StartSysInfo(SystemSeams(), TestLocation("Nowhere", "NoViewer")));
}

}  // namespace
