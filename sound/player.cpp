#include "sound/player.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <cstring>

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include "app_info.h"
#include "sound/sdl_audio.h"
#include "sound/wave_image.h"

namespace player {
namespace {

// Frames per device buffer: small, so that a new cue cuts the old one quickly.
constexpr Uint16 kDeviceFrames = 512;
// How long the device stays open after a cue has ended, for the next one.
constexpr int kIdleMilliseconds = 3000;

struct Sound {
  SDL_AudioSpec audio{};
  const Uint8* bytes = nullptr;
  Uint32 length = 0;
};

// Shared with SDL's audio thread; touched there only under the device lock.
struct Playing {
  const Uint8* bytes = nullptr;
  Uint32 left = 0;
  Uint8 silence = 0;
};

struct Player {
  bool loadTried = false;
  std::optional<SdlAudio> sdl;
  bool audioReady = false;
  SDL_AudioDeviceID device = 0;
  SDL_AudioSpec deviceSpec{};
  Playing playing;
  std::optional<Sound> pending;
  bool startQueued = false;
  QPointer<QTimer> idleTimer;
};

Player& State() {
  static Player player;
  return player;
}

void SDLCALL Feed(void* userdata, Uint8* stream, int length) {
  Playing& playing = *static_cast<Playing*>(userdata);
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
    case 8: sound.audio.format = AUDIO_U8; break;
    case 16: sound.audio.format = AUDIO_S16LSB; break;
    case 32: sound.audio.format = AUDIO_S32LSB; break;
    default: return std::nullopt;
  }
  sound.audio.freq = int(wave->format.samplesPerSecond);
  sound.audio.channels = Uint8(std::min<unsigned>(wave->format.channels, 255));
  const Uint32 frame = sound.audio.channels * (wave->format.bitsPerSample / 8);
  sound.bytes = wave->samples.data();
  sound.length = Uint32(wave->samples.size() / frame * frame);
  return sound;
}

void Stop(Player& player) {
  if (!player.device) return;
  player.sdl->LockAudioDevice(player.device);
  player.playing.left = 0;
  player.sdl->UnlockAudioDevice(player.device);
}

void CloseDevice(Player& player) {
  if (!player.device) return;
  player.sdl->CloseAudioDevice(player.device);
  player.device = 0;
}

bool ReadyAudio(Player& player) {
  if (!player.loadTried) {
    player.loadTried = true;
    player.sdl = LoadSdlAudio(kSdlLibrary);
    if (player.sdl) qAddPostRoutine(ShutDown);
  }
  if (!player.sdl) return false;
  if (!player.audioReady) {
    // The program keeps its own Ctrl+C and termination behaviour.
    player.sdl->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    player.sdl->SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, app::kTitle.data());
    SilenceAlsa();
    player.audioReady = player.sdl->InitSubSystem(SDL_INIT_AUDIO) == 0;
  }
  return player.audioReady;
}

bool SameFormat(const SDL_AudioSpec& a, const SDL_AudioSpec& b) {
  return a.freq == b.freq && a.format == b.format && a.channels == b.channels;
}

// A device whose sound server went away reports itself stopped and stays
// silent; it is opened afresh rather than fed.
bool OpenDeviceFor(Player& player, const SDL_AudioSpec& format) {
  if (player.device && (player.sdl->GetAudioDeviceStatus(player.device) == SDL_AUDIO_STOPPED ||
                        !SameFormat(player.deviceSpec, format))) {
    CloseDevice(player);
  }
  if (player.device) return true;
  SDL_AudioSpec wanted = format;
  wanted.samples = kDeviceFrames;
  wanted.callback = Feed;
  wanted.userdata = &player.playing;
  SDL_AudioSpec obtained{};
  // SDL converts to whatever the hardware takes.
  player.device = player.sdl->OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (!player.device) return false;
  player.deviceSpec = obtained;
  return true;
}

bool IsPlaying(Player& player) {
  player.sdl->LockAudioDevice(player.device);
  const bool playing = player.playing.left > 0;
  player.sdl->UnlockAudioDevice(player.device);
  return playing;
}

// An open device keeps the sound server or card busy even when it only plays
// silence, so it is let go once the last cue has ended. One timer, restarted
// by every cue, so a burst of cues leaves no pile of waiting timers; a device
// whose server went away stops playing for good and goes at once.
void CloseWhenIdle(int milliseconds) {
  Player& player = State();
  if (!player.idleTimer) {
    player.idleTimer = new QTimer(QCoreApplication::instance());
    player.idleTimer->setSingleShot(true);
    QObject::connect(player.idleTimer, &QTimer::timeout, [] {
      Player& player = State();
      if (!player.device) return;
      if (player.sdl->GetAudioDeviceStatus(player.device) == SDL_AUDIO_PLAYING && IsPlaying(player)) {
        return CloseWhenIdle(kIdleMilliseconds);
      }
      CloseDevice(player);
    });
  }
  player.idleTimer->start(milliseconds);
}

void StartPending() {
  Player& player = State();
  player.startQueued = false;
  const std::optional<Sound> sound = std::exchange(player.pending, std::nullopt);
  if (!sound || !ReadyAudio(player) || !OpenDeviceFor(player, sound->audio)) return;
  player.sdl->LockAudioDevice(player.device);
  player.playing = {sound->bytes, sound->length, player.deviceSpec.silence};
  player.sdl->UnlockAudioDevice(player.device);
  player.sdl->PauseAudioDevice(player.device, 0);
  const int bytesPerSecond = sound->audio.freq * sound->audio.channels * SDL_AUDIO_BITSIZE(sound->audio.format) / 8;
  CloseWhenIdle(int(sound->length * 1000LL / bytesPerSecond) + kIdleMilliseconds);
}

}  // namespace

void Play(std::span<const std::uint8_t> image) {
  Player& player = State();
  Stop(player);
  player.pending = SoundOf(image);
  if (!QCoreApplication::instance()) player.pending.reset();
  if (player.pending && !player.startQueued) {
    player.startQueued = true;
    QTimer::singleShot(0, QCoreApplication::instance(), StartPending);
  }
}

void ShutDown() {
  Player& player = State();
  player.pending.reset();
  if (!player.sdl) return;
  CloseDevice(player);
  player.playing = {};
  if (player.audioReady) player.sdl->QuitSubSystem(SDL_INIT_AUDIO);
  player.audioReady = false;
}

}  // namespace player
