#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "core/runtime_error.h"
#include "resources/resources.h"
#include "sound/module1.h"
#include "sound/player.h"
#include "sound/sdl_audio.h"
#include "sound/wave_image.h"
#include "support/window_test.h"

// What the player sends to the audio device, recorded by SDL's "disk" driver
// in the device's format, which is the cues' own: 8-bit unsigned, where 0x80
// is rest.
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t kRest = 0x80;

void Cue(std::int16_t id) {
  Module1::soundCueId = id;
  Module1::PlaySoundCue();
}

// The samples of a cue, without the rest it starts from: in a recording
// those can't be told from the silence before the cue.
Bytes Heard(int id) {
  const Bytes file = resources::LoadResData(id, "WAV");
  const auto samples = wave::Read(file)->samples;
  const auto first = std::find_if(samples.begin(), samples.end(), [](auto s) { return s != kRest; });
  return {first, samples.end()};
}

Bytes TrimRest(Bytes bytes) {
  const auto notRest = [](auto s) { return s != kRest; };
  bytes.erase(bytes.begin(), std::find_if(bytes.begin(), bytes.end(), notRest));
  bytes.erase(std::find_if(bytes.rbegin(), bytes.rend(), notRest).base(), bytes.end());
  return bytes;
}

bool StartsWith(const Bytes& whole, const Bytes& part) {
  return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

class Playback : public ::testing::Test {
 protected:
  // Each test starts and ends with the player shut down: a device left open
  // plays the next test's cues into the wrong recording, and a player that
  // found no output keeps the next cues silent for a while.
  Playback() : recording_(QDir(dir_.path()).canonicalPath() + "/played.raw") {
    player::ShutDown();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", recording_.toLocal8Bit().constData(), 1);
  }
  ~Playback() override { player::ShutDown(); }

  // Lets the device play in real time until the recording has grown by at
  // least `bytes` (the driver writes through a buffer, so a little late).
  void PlayFor(qint64 bytes) {
    const qint64 until = QFileInfo(recording_).size() + bytes;
    QDeadlineTimer giveUp(20000);
    while (QFileInfo(recording_).size() < until && !giveUp.hasExpired()) {
      ProcessEvents();
      QThread::msleep(10);
    }
    ASSERT_GE(QFileInfo(recording_).size(), until) << "the device stopped playing";
  }

  // Whether the device has the recording open: the driver closes it when the
  // device is closed.
  bool DeviceHoldsRecording() const {
    std::error_code error;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd", error)) {
      if (std::filesystem::read_symlink(fd.path(), error) == recording_.toStdString()) return true;
    }
    return false;
  }

  // Lets the device play until the recording holds the first `bytes` of cue
  // `id`: counted from when the cue starts, which a loaded machine delays.
  void PlayUntilHeard(int id, std::size_t bytes) {
    const Bytes cue = Heard(id);
    const QByteArray opening(reinterpret_cast<const char*>(cue.data()), qsizetype(bytes));
    const auto heard = [&] {
      QFile file(recording_);
      return file.open(QIODevice::ReadOnly) && file.readAll().contains(opening);
    };
    QDeadlineTimer giveUp(20000);
    while (!heard() && !giveUp.hasExpired()) {
      ProcessEvents();
      QThread::msleep(10);
    }
    ASSERT_TRUE(heard()) << "cue " << id << " was not heard from its first sample";
  }

  Bytes Recording() {
    player::ShutDown();  // closes and flushes the recording
    QFile file(recording_);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
  }

  QTemporaryDir dir_;
  QString recording_;
};

TEST_F(Playback, OfTwoCuesInOneHandlerOnlyTheLastIsHeardFromItsFirstSample) {
  Cue(1);
  Cue(5);
  PlayUntilHeard(5, 8192);
  const Bytes played = TrimRest(Recording());
  const Bytes right = Heard(5);
  ASSERT_GE(played.size(), 8192u);
  EXPECT_TRUE(StartsWith(right, played)) << "the recording is not the right-answer cue from its start";
}

TEST_F(Playback, ACueCutsTheOneInProgressAndStartsFromItsFirstSample) {
  Cue(4);
  PlayUntilHeard(4, 4096);
  Cue(2);
  PlayUntilHeard(2, 8192);
  const Bytes played = Recording();

  const Bytes warble = Heard(4), jingle = Heard(2);
  const Bytes opening(jingle.begin(), jingle.begin() + 2048);
  const auto start = std::search(played.begin(), played.end(), opening.begin(), opening.end());
  ASSERT_NE(start, played.end()) << "the second cue never started from its first sample";
  const Bytes after = TrimRest({start, played.end()}), before = TrimRest({played.begin(), start});
  EXPECT_TRUE(StartsWith(jingle, after)) << "the second cue did not play on";
  EXPECT_GE(before.size(), 4096u) << "the first cue did not play";
  EXPECT_LT(before.size(), warble.size()) << "the first cue was not cut";
  EXPECT_TRUE(StartsWith(warble, before)) << "something else played before the second cue";
}

// A cue whose sound turns out empty raises error 9 after the image of the cue
// in progress has been replaced. That image goes with the error, so the cue
// stops first: the device, still open, reads nothing freed (AddressSanitizer
// reports a use after free otherwise) and plays on in rest.
TEST_F(Playback, AnEmptySoundStopsTheCueInProgressBeforeItsImageGoes) {
  Cue(4);
  PlayUntilHeard(4, 4096);
  Module1::soundCueId = std::int16_t{9};  // the test's empty sound
  EXPECT_THROW(Module1::PlaySoundCue(), RuntimeError);
  EXPECT_TRUE(Module1::soundBuffer.empty());
  PlayFor(8192);
  const Bytes before = TrimRest(Recording()), warble = Heard(4);
  EXPECT_GE(before.size(), 4096u) << "the first cue did not play";
  EXPECT_LT(before.size(), warble.size()) << "the first cue was not stopped";
  EXPECT_TRUE(StartsWith(warble, before)) << "something other than the first cue and rest was played";
}

// Once a cue has ended the device is let go (the recording is closed), and
// the next cue opens it afresh (a new recording).
TEST_F(Playback, TheDeviceIsLetGoAfterACueAndOpenedAgainForTheNext) {
  Cue(4);
  PlayFor(4096);
  QDeadlineTimer giveUp(30000);
  while (DeviceHoldsRecording() && !giveUp.hasExpired()) {
    ProcessEvents();
    QThread::msleep(20);
  }
  ASSERT_FALSE(DeviceHoldsRecording()) << "the device was not let go";
  const Bytes warble = Heard(4);
  {
    QFile file(recording_);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(StartsWith(TrimRest({bytes.begin(), bytes.end()}), TrimRest(warble)));
  }

  QFile::remove(recording_);
  Cue(2);
  PlayUntilHeard(2, 4096);
  EXPECT_TRUE(StartsWith(Heard(2), TrimRest(Recording())));
}

TEST_F(Playback, SoundLeavesInterruptAndTerminationToTheProgram) {
  Cue(3);
  PlayFor(4096);
  for (int signal : {SIGINT, SIGTERM}) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signal;
  }
}

// Where there is nothing to play on, every cue still returns, the game goes
// on, and nothing is written anywhere.
class NoSound : public ::testing::Test {
 protected:
  NoSound() {
    fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int sink = open(errors_.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(sink, STDERR_FILENO);
    close(sink);
  }

  std::string Printed() {
    fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    QFile file(errors_);
    if (!file.open(QIODevice::ReadOnly)) return "(no record)";
    return file.readAll().toStdString();
  }

  void PlayEveryCue() {
    for (std::int16_t id : {1, 5, 3, 4, 4, 2}) {
      Cue(id);
      ProcessEvents();
    }
    // The player thread tries its output in the background: give it the time.
    EXPECT_TRUE(QTest::qWaitFor([] { return dlopen(player::kSdlLibrary, RTLD_NOW | RTLD_NOLOAD) != nullptr; }, 5000));
    QTest::qWait(300);
    player::ShutDown();
  }

  QTemporaryDir dir_;
  QString errors_ = dir_.filePath("stderr.txt");
  int saved_ = -1;
};

TEST_F(NoSound, WithoutAnyBackEndNothingIsPrinted) {
  setenv("SDL_AUDIODRIVER", "kelvaro-no-such-driver", 1);
  PlayEveryCue();
  EXPECT_EQ(Printed(), "");
}

// ALSA with nothing to open reports that on stderr unless it is told not to.
TEST_F(NoSound, AnAlsaWithoutDevicesPrintsNothing) {
  const QString config = dir_.filePath("asound.conf");
  QFile(config).open(QIODevice::WriteOnly);
  setenv("SDL_AUDIODRIVER", "alsa", 1);
  setenv("ALSA_CONFIG_PATH", config.toLocal8Bit().constData(), 1);
  PlayEveryCue();
  EXPECT_EQ(Printed(), "");
}

TEST(SdlLibrary, AMissingLibraryIsNoLibrary) {
  EXPECT_FALSE(player::LoadSdlAudio("libkelvaro-no-such-library.so.0"));
  EXPECT_TRUE(player::LoadSdlAudio(player::kSdlLibrary));
}

}  // namespace
