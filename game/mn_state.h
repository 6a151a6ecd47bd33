#pragma once

#include <cstdint>
#include <string>

// What the Mystery Number game remembers and what its window shows.
namespace mystery {

// #RRGGBB, as the window designs write colours.
using Rgb = std::uint32_t;

inline constexpr Rgb kRed = 0xFF0000;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBlack = 0x000000;

// The game values of the window instance; all 0 when the program starts and
// kept for as long as it runs, whether the window is loaded or not.
struct GameValues {
  std::int16_t roundBonus = 0;
  std::int16_t rangeTop = 0;
  std::int16_t highMark = 0;
  std::int16_t lowMark = 0;
  std::int16_t mysteryValue = 0;
  std::int16_t lastGuess = 0;
  std::int16_t points = 0;
  std::int16_t roundNumber = 0;
  std::int16_t logoState = 0;
};

// The control properties the rules read and write. A fresh Display is the
// window as designed; the window copies it into its controls after each event.
struct Display {
  bool startEnabled = true;
  std::string startCaption = "Start New Game";
  std::string guessText;
  std::string hiLo;
  std::string progress;
  std::string mystery;
  std::string pointAward;
  std::string rating;
  bool ratingVisible = true;
  Rgb ratingBack = kWhite;
  Rgb ratingFore = kBlack;
  std::string scoreBox;
  bool scoreBoxVisible = true;
  std::string roundBox;
  bool roundBoxVisible = true;
  std::string narrowed;
  bool narrowedVisible = true;
  bool cheatChecked = false;
  bool cheatMChecked = false;
  bool cheatMVisible = true;
  bool pointsPlusVisible = true;
  bool cheatPicVisible = false;

  bool operator==(const Display&) const = default;
};

}  // namespace mystery
