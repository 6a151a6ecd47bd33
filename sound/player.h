#pragma once

#include <cstdint>
#include <span>

// Plays one WAV image at a time in the background, through SDL's audio when
// the system has it. SDL is loaded at the first request, so a run without
// sound costs nothing.
namespace player {

// Stops the sound in progress at once and starts `image` from its first
// sample when control is back in the event loop, so that of several requests
// made in one handler only the last is heard. `image` must stay alive until
// the next request or ShutDown. Never reports a failure: what cannot be
// played is not heard. Without an application object nothing plays.
void Play(std::span<const std::uint8_t> image);

// Stops the sound in progress, and a request not yet started, at once: once
// it returns, nothing reads the image any more.
void Stop();

// Stops playback and releases the audio device; the next request opens it
// again. Runs by itself when the application object goes away. Waits for a
// sound server at most half a second: one that does not answer is left
// behind, so that the program still ends.
void ShutDown();

}  // namespace player
