#pragma once

#include <cstdint>
#include <vector>

#include "core/form_value.h"

// The program's standard module: the one place that plays sound cues.
namespace Module1 {

// Id of the sound to play next (1 to 5). Empty at start; callers store a
// 16-bit id, then call PlaySoundCue. The value stays after the call.
extern FormValue soundCueId;

// The complete WAV image last requested. The player reads it while the sound
// plays on after PlaySoundCue has returned, so it lives until the next cue.
extern std::vector<std::uint8_t> soundBuffer;

// Starts the sound named by soundCueId in the background and returns at once;
// a cue in progress stops. A missing sound raises RuntimeError 326, an empty
// one RuntimeError 9. When nothing can be played, nothing is heard.
void PlaySoundCue();

}  // namespace Module1
