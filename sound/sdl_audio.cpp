#include "sound/sdl_audio.h"

#include <dlfcn.h>

namespace player {
namespace {

template <class Fn>
bool Find(void* library, const char* name, Fn& function) {
  function = reinterpret_cast<Fn>(dlsym(library, name));
  return function != nullptr;
}

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

std::optional<SdlAudio> LoadSdlAudio(const char* library) {
  void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
  if (!handle) return std::nullopt;
  SdlAudio sdl;
  if (Find(handle, "SDL_SetHint", sdl.SetHint) && Find(handle, "SDL_InitSubSystem", sdl.InitSubSystem) &&
      Find(handle, "SDL_QuitSubSystem", sdl.QuitSubSystem) &&
      Find(handle, "SDL_OpenAudioDevice", sdl.OpenAudioDevice) &&
      Find(handle, "SDL_CloseAudioDevice", sdl.CloseAudioDevice) &&
      Find(handle, "SDL_PauseAudioDevice", sdl.PauseAudioDevice) &&
      Find(handle, "SDL_LockAudioDevice", sdl.LockAudioDevice) &&
      Find(handle, "SDL_UnlockAudioDevice", sdl.UnlockAudioDevice) &&
      Find(handle, "SDL_GetAudioDeviceStatus", sdl.GetAudioDeviceStatus) &&
      Find(handle, "SDL_TLSCleanup", sdl.TLSCleanup)) {
    return sdl;
  }
  return std::nullopt;
}

void SilenceAlsa() {
  using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
  if (!alsa) return;
  int (*setHandler)(ErrorHandler) = nullptr;
  if (Find(alsa, "snd_lib_error_set_handler", setHandler)) setHandler(IgnoreAlsaError);
}

}  // namespace player
