#include "sound/player.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

#include <QCoreApplication>
#include <QTimer>

#include "core/app_info.h"
#include "sound/sdl_audio.h"
#include "sound/wave_image.h"

// Three threads meet here.
// - The user-interface thread asks for cues (Play) and never calls SDL: it
//   only takes `Shared::lock`, which nobody holds for longer than a copy of
//   one device buffer, so a cue costs it microseconds whatever the sound
//   server does.
// - The player thread, started at the first cue and ended by ShutDown, owns
//   SDL: it loads the library, starts SDL's audio, opens and closes the
//   device, finds out that a server went away and lets the device go when it
//   has been idle. Everything that can block is done there.
// - SDL's audio thread calls Feed, which reads the samples under the lock.
// SDL's own device lock is held around Feed, so `Shared::lock` is never held
// while SDL is called: that order could deadlock.
//
// What the sound lives on: Play clears `playing` before it returns, so once
// Module1 replaces the previous image nothing reads it any more. A request
// becomes `playing` only under the lock and only while it is still the
// latest, so a request that a newer one replaced is never played.
namespace player {
namespace {

using Clock = std::chrono::steady_clock;

// Frames per device buffer: small, so that a new cue cuts the old one quickly
// and starts soon.
constexpr Uint16 kDeviceFrames = 512;
// How long the device stays open after a cue has ended, for the next one.
constexpr auto kIdle = std::chrono::seconds(3);
// After finding no working output, how long cues stay silent before one looks
// again. A server that appears later is heard from then on.
constexpr auto kRetryAfter = std::chrono::seconds(1);
// How long ShutDown waits for the player thread. Closing a device takes
// milliseconds; a sound server that stopped answering would hold the thread,
// and the end of the program with it, for as long as it is stopped.
constexpr auto kEndWait = std::chrono::milliseconds(500);

struct Sound {
  SDL_AudioSpec audio{};
  const Uint8* bytes = nullptr;
  Uint32 length = 0;
};

struct Playing {
  const Uint8* bytes = nullptr;
  Uint32 left = 0;
  Uint8 silence = 0;
};

// What the three threads share; every field under `lock`.
struct Shared {
  std::mutex lock;
  std::condition_variable wake;
  Playing playing;
  // The latest cue, until the device plays it.
  std::optional<Sound> request;
  // Whether the handler that asked for `request` has returned: of several
  // requests made in one handler only the last is heard.
  bool released = false;
  bool quit = false;
  // Set by the player thread as its last act; `ended` tells ShutDown.
  bool done = false;
  std::condition_variable ended;
};

// The player thread's alone.
struct Output {
  bool loadTried = false;
  std::optional<SdlAudio> sdl;
  bool audioReady = false;
  SDL_AudioDeviceID device = 0;
  SDL_AudioSpec deviceSpec{};
  Clock::time_point idleUntil;
  Clock::time_point retryAt;
};

struct Player {
  Shared shared;
  Output output;
  std::thread thread;
  bool releaseQueued = false;  // user-interface thread only
};

// Never destroyed: a thread still running at exit finds it intact. A thread
// that ShutDown left behind keeps its Player; the next cue gets a new one.
Player*& Current() {
  static Player* player = new Player;
  return player;
}

Player& State() { return *Current(); }

void SDLCALL Feed(void* userdata, Uint8* stream, int length) {
  Shared& shared = *static_cast<Shared*>(userdata);
  std::lock_guard lock(shared.lock);
  Playing& playing = shared.playing;
  const Uint32 copied = std::min(playing.left, Uint32(length));
  if (copied) std::memcpy(stream, playing.bytes, copied);
  std::memset(stream + copied, playing.silence, length - copied);
  playing.bytes += copied;
  playing.left -= copied;
}

std::optional<Sound> SoundOf(std::span<const std::uint8_t> image) {
  const auto wave = wave::Read(image);
  if (!wave || wave->format.tag != 1 || wave->format.channels == 0 || wave->format.samplesPerSecond == 0) {
    return std::nullopt;
  }
  Sound sound;
  switch (wave->format.bitsPerSample) {
    case 8:
      sound.audio.format = AUDIO_U8;
      break;
    case 16:
      sound.audio.format = AUDIO_S16LSB;
      break;
    case 32:
      sound.audio.format = AUDIO_S32LSB;
      break;
    default:
      return std::nullopt;
  }
  sound.audio.freq = int(wave->format.samplesPerSecond);
  sound.audio.channels = Uint8(std::min<unsigned>(wave->format.channels, 255));
  const Uint32 frame = sound.audio.channels * (wave->format.bitsPerSample / 8);
  sound.bytes = wave->samples.data();
  sound.length = Uint32(wave->samples.size() / frame * frame);
  return sound;
}

Clock::duration DurationOf(const Sound& sound) {
  const long long bytesPerSecond = sound.audio.freq * sound.audio.channels * SDL_AUDIO_BITSIZE(sound.audio.format) / 8;
  return std::chrono::milliseconds(sound.length * 1000LL / bytesPerSecond);
}

bool SameFormat(const SDL_AudioSpec& a, const SDL_AudioSpec& b) {
  return a.freq == b.freq && a.format == b.format && a.channels == b.channels;
}

// Player thread from here to Run.

void CloseDevice(Output& output) {
  if (!output.device) return;
  output.sdl->CloseAudioDevice(output.device);
  output.device = 0;
}

void StopAudio(Output& output) {
  CloseDevice(output);
  if (output.audioReady) output.sdl->QuitSubSystem(SDL_INIT_AUDIO);
  output.audioReady = false;
}

bool StartAudio(Output& output) {
  if (!output.loadTried) {
    output.loadTried = true;
    output.sdl = LoadSdlAudio(kSdlLibrary);
  }
  if (!output.sdl) return false;
  if (!output.audioReady) {
    // The program keeps its own Ctrl+C and termination behaviour.
    output.sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    output.sdl->SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, app::kTitle.data());
    SilenceAlsa();
    output.audioReady = output.sdl->InitSubSystem(SDL_INIT_AUDIO) == 0;
  }
  return output.audioReady;
}

// An open device for `format`, paused until it has something to play. A
// device whose sound server went away reports itself stopped and stays
// silent; SDL's audio is started afresh rather than fed. When nothing opens, SDL's audio
// is stopped, so that the next try looks through SDL's drivers again: one
// that had no device then may have one now, or a server may have started.
bool ReadyDevice(Output& output, Shared& shared, const SDL_AudioSpec& format) {
  if (output.device && output.sdl->GetAudioDeviceStatus(output.device) == SDL_AUDIO_STOPPED) {
    // SDL's own connection to a server that went away is no use either.
    StopAudio(output);
  }
  if (output.device && !SameFormat(output.deviceSpec, format)) CloseDevice(output);
  if (output.device) return true;
  if (Clock::now() < output.retryAt) return false;
  if (StartAudio(output)) {
    SDL_AudioSpec wanted = format;
    wanted.samples = kDeviceFrames;
    wanted.callback = Feed;
    wanted.userdata = &shared;
    SDL_AudioSpec obtained{};
    // SDL converts to whatever the hardware takes.
    output.device = output.sdl->OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (output.device) {
      output.deviceSpec = obtained;
      return true;
    }
  }
  if (output.sdl) StopAudio(output);
  output.retryAt = Clock::now() + kRetryAfter;
  return false;
}

void Run(Player& player) {
  Shared& shared = player.shared;
  Output& output = player.output;
  std::unique_lock lock(shared.lock);
  while (!shared.quit) {
    if (shared.request) {
      // The device opens while the handler that asked is still running.
      const SDL_AudioSpec format = shared.request->audio;
      lock.unlock();
      const bool ready = ReadyDevice(output, shared, format);
      lock.lock();
      if (!ready) {
        if (shared.request && SameFormat(shared.request->audio, format)) shared.request.reset();
        continue;
      }
      // Meanwhile a newer request may have come, or none may be left.
      if (!shared.request || !SameFormat(shared.request->audio, format)) continue;
      if (!shared.released) {
        shared.wake.wait(lock);
        continue;
      }
      const Sound sound = *std::exchange(shared.request, std::nullopt);
      shared.playing = {sound.bytes, sound.length, output.deviceSpec.silence};
      lock.unlock();
      output.sdl->PauseAudioDevice(output.device, 0);
      output.idleUntil = Clock::now() + DurationOf(sound) + kIdle;
      lock.lock();
    } else if (!output.device) {
      shared.wake.wait(lock);
    } else if (Clock::now() < output.idleUntil) {
      shared.wake.wait_until(lock, output.idleUntil);
    } else {
      // An open device keeps the sound server or card busy even when it only
      // plays silence, so it is let go once the last cue has ended.
      const bool stillPlaying = shared.playing.left > 0;
      lock.unlock();
      if (stillPlaying && output.sdl->GetAudioDeviceStatus(output.device) == SDL_AUDIO_PLAYING) {
        output.idleUntil = Clock::now() + kIdle;
      } else {
        CloseDevice(output);
      }
      lock.lock();
    }
  }
  lock.unlock();
  if (output.sdl) {
    StopAudio(output);
    output.sdl->TLSCleanup();
  }
  lock.lock();
  shared.done = true;
  shared.ended.notify_one();
}

// User-interface thread.
void Release() {
  Player& player = State();
  player.releaseQueued = false;
  {
    std::lock_guard lock(player.shared.lock);
    player.shared.released = true;
  }
  player.shared.wake.notify_one();
}

}  // namespace

void Play(std::span<const std::uint8_t> image) {
  Player& player = State();
  std::optional<Sound> sound;
  if (QCoreApplication::instance()) sound = SoundOf(image);
  {
    std::lock_guard lock(player.shared.lock);
    player.shared.playing.bytes = nullptr;
    player.shared.playing.left = 0;
    player.shared.request = sound;
    player.shared.released = false;
  }
  if (!sound) return;
  if (!player.thread.joinable()) {
    player.thread = std::thread(Run, std::ref(player));
    qAddPostRoutine(ShutDown);
  }
  player.shared.wake.notify_one();
  if (!player.releaseQueued) {
    player.releaseQueued = true;
    QTimer::singleShot(0, QCoreApplication::instance(), Release);
  }
}

void Stop() {
  Player& player = State();
  std::lock_guard lock(player.shared.lock);
  // The device plays on in rest, as after a cue's end.
  player.shared.playing.bytes = nullptr;
  player.shared.playing.left = 0;
  player.shared.request.reset();
}

void ShutDown() {
  Player& player = State();
  {
    std::lock_guard lock(player.shared.lock);
    // The device plays on until the player thread closes it: in rest, which
    // for 8-bit sound is not 0, as a zero would be heard as a click.
    player.shared.playing.bytes = nullptr;
    player.shared.playing.left = 0;
    player.shared.request.reset();
    player.shared.quit = true;
  }
  if (player.thread.joinable()) {
    player.shared.wake.notify_one();
    qRemovePostRoutine(ShutDown);
    std::unique_lock lock(player.shared.lock);
    if (!player.shared.ended.wait_for(lock, kEndWait, [&] { return player.shared.done; })) {
      // Stuck in a sound server that does not answer: the program ends
      // without it rather than wait, and the thread keeps what it uses.
      lock.unlock();
      player.thread.detach();
      Current() = new Player;
      return;
    }
    lock.unlock();
    player.thread.join();
    player.shared.done = false;
  }
  player.shared.quit = false;
  player.output.retryAt = {};
}

}  // namespace player
