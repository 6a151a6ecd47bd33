#include "sound/module1.h"

#include <utility>

#include "core/numbers.h"
#include "core/runtime_error.h"
#include "resources/resources.h"
#include "sound/player.h"

namespace Module1 {

FormValue soundCueId;
std::vector<std::uint8_t> soundBuffer;

void PlaySoundCue() {
  const int id = numbers::ToInt16(soundCueId.IsText() ? numbers::Read(soundCueId.Text()) : soundCueId.Number());
  // The image that may still be playing goes only after the new request has
  // stopped it.
  std::vector<std::uint8_t> previous = std::exchange(soundBuffer, resources::LoadResData(id, "WAV"));
  if (soundBuffer.empty()) {
    // No new request stops it here, so the old image stops before it goes.
    player::Stop();
    throw RuntimeError(RuntimeError::kSubscriptOutOfRange, "Subscript out of range");
  }
  player::Play(soundBuffer);
}

}  // namespace Module1
