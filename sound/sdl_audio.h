#pragma once

#include <optional>

#include <SDL2/SDL_audio.h>
#include <SDL2/SDL_hints.h>
#include <SDL2/SDL.h>

namespace player {

// The few SDL functions the player calls, looked up in a library loaded at
// run time: the program has no link-time tie to SDL.
struct SdlAudio {
  decltype(&SDL_SetHint) SetHint;
  decltype(&SDL_InitSubSystem) InitSubSystem;
  decltype(&SDL_QuitSubSystem) QuitSubSystem;
  decltype(&SDL_OpenAudioDevice) OpenAudioDevice;
  decltype(&SDL_CloseAudioDevice) CloseAudioDevice;
  decltype(&SDL_PauseAudioDevice) PauseAudioDevice;
  decltype(&SDL_LockAudioDevice) LockAudioDevice;
  decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice;
  decltype(&SDL_GetAudioDeviceStatus) GetAudioDeviceStatus;
  // SDL frees what it keeps per thread (its error text) only for threads it
  // made itself; the player's own thread hands it back with this.
  decltype(&SDL_TLSCleanup) TLSCleanup;
};

inline constexpr const char* kSdlLibrary = "libSDL2-2.0.so.0";

// Loads `library` and finds the functions; nothing when either fails. The
// library stays loaded for the rest of the process.
std::optional<SdlAudio> LoadSdlAudio(const char* library);

// ALSA reports a missing sound card on stderr by itself; the program has no
// use for those lines. Harmless where ALSA is not installed.
void SilenceAlsa();

}  // namespace player
