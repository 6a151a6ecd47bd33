#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "game/mn_random.h"
#include "game/mn_state.h"

namespace mystery {

// Sound cues the game asks for.
enum Cue : std::int16_t {
  kCueGuess = 1,
  kCueStart = 2,
  kCueGameOver = 3,
  kCueCheat = 4,
  kCueRightGuess = 5,
};

// Asks the shell to play a sound cue by its id.
using CueRequest = std::function<void(std::int16_t cue)>;

inline constexpr std::int16_t kEnterKey = 13;

// Bitmap resources of the title plaque.
inline constexpr std::int16_t kPlaqueNormal = 1;
inline constexpr std::int16_t kPlaquePressed = 2;

// The rules of the Mystery Number game: the game values, the display fields
// and one operation per window event. Only the tick notices the end of a
// round or of a game; the other operations change values and leave the
// display to the next tick.
class Game {
 public:
  Game(std::unique_ptr<RandomSource> random, CueRequest cue);

  GameValues& Values() { return values_; }
  const GameValues& Values() const { return values_; }
  Display& Fields() { return display_; }
  const Display& Fields() const { return display_; }

  void SetRandomSource(std::unique_ptr<RandomSource> random) { random_ = std::move(random); }
  void SetCueRequest(CueRequest cue) { cue_ = std::move(cue); }

  // The window was loaded: its controls stand as designed.
  void Load();
  void Tick();
  void Start();
  // A character typed into the guess box; only Enter during a round counts.
  void KeyPress(std::int16_t keyCode);
  void AddPoint();
  void CheatSwitch();
  void MarkersSwitch();

  // A mouse button pressed or released on the plaque: the bitmap to show now,
  // if any.
  std::optional<std::int16_t> PlaquePress();
  std::optional<std::int16_t> PlaqueRelease();

 private:
  void Request(Cue cue) { cue_(cue); }
  // The range and the round bonus, from the round number.
  void DeriveRangeAndBonus();
  void ShowMarkers();

  GameValues values_;
  Display display_;
  std::unique_ptr<RandomSource> random_;
  CueRequest cue_;
};

// The rating caption for a score.
const char* RatingFor(std::int16_t points);

}  // namespace mystery
