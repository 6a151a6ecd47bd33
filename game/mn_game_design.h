#pragma once

// One control or row a line, as the design tables have them.
// clang-format off

#include "core/author.h"
#include "forms/controls.h"
#include "forms/form.h"

// The game window as designed: texts, colours and places, in tab order, then
// the other controls.
namespace mn_game_design {

using namespace forms;

inline constexpr Rgb kBackColor = 0x8C6636;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr FontSpec kArialBold{"Arial", 9.75, true};
inline constexpr FontSpec kOrbitBold{"Orbit-B BT", 9.75, true};
inline constexpr FontSpec kTimesBold{"Times New Roman", 15.75, true};

inline constexpr WindowDesign kWindow{
    .caption = "Mystery Number..... " AUTHOR_CREDIT,
    .backColor = kBackColor,
    .client = {4470, 2535, 8535, 4275},
    .style = WindowStyle::Sizable,
    .icon = ":/game/mn_game_icon.png",
};

// A white status line with a single border, its text centred.
constexpr LabelDesign StatusLine(const char* name, Twips position, FontSpec font = kWindowFont) {
  return {.name = name, .position = position, .font = font, .back = kWhite, .border = Border::Single,
          .align = Align::Center};
}

inline const ButtonDesign kStart{"Start", "Start New Game", {480, 840, 1695, 375}, kWindowFontBold, 0xC0C0C0};
inline const TextBoxDesign kGuess{"Guess", {3240, 3300, 735, 375}, kArialBold, Align::Center, 4, "Guess"};
inline const LabelDesign kHiLo{.name = "HiLo",
                               .position = {2880, 3000, 1455, 255},
                               .back = kWhite,
                               .border = Border::Single,
                               .align = Align::Center,
                               .autoSize = true};
inline const ButtonDesign kQuit{"Quit", "Quit Game", {7320, 3720, 1095, 375}, kWindowFontBold};
inline const CheckDesign kCheatM{"CheatM", "Cheat Markers", {6240, 2400, 1335, 255}, kBackColor};
inline const ButtonDesign kPointsPlus{"PointsPlus", "Give me 1 point", {6240, 1920, 1695, 375}, kWindowFontBold};
inline const CheckDesign kCheat{"Cheat", "Let Me Cheat!", {2880, 1980, 1335, 255}, kBackColor};
inline const LabelDesign kProgress = StatusLine("Progress", {60, 360, 2595, 315}, kOrbitBold);
inline const LabelDesign kScoreBox = StatusLine("ScoreBox", {120, 1740, 2535, 255});
inline const LabelDesign kRating = StatusLine("Rating", {120, 2100, 2535, 255});
inline const LabelDesign kRoundBox = StatusLine("RoundBox", {120, 3120, 2535, 255});
inline const LabelDesign kPointAward = StatusLine("PointAward", {120, 3480, 2535, 255});
inline const LabelDesign kMystery = StatusLine("Mystery", {2820, 1080, 5655, 375}, kTimesBold);
inline const LabelDesign kNarrowed = StatusLine("Narrowed", {2820, 2400, 3315, 255});
inline const LabelDesign kInstruction{
    .name = "Instruction",
    .caption = "The object is to guess the computers number as quickly as possible !",
    .position = {0, 0, 8535, 255},
    .font = kWindowFontBold,
    .fore = kWhite,
    .back = 0x000080,
    .border = Border::Single,
    .align = Align::Center,
};

// The plaque sizes itself to its picture, bitmap 1 of the resources.
inline constexpr const char* kPicture1 = "Picture1";
inline constexpr Twips kPicture1Position{4200, 360, 2880, 585};
inline constexpr const char* kPicture1Description = "Mystery Number title plaque";

// Pictures stretched to their boxes.
struct PictureDesign {
  const char* name;
  Twips position;
  const char* picture;
  const char* description;
  bool visible = true;
};
inline const PictureDesign kCheatPic{"CheatPic", {4440, 2880, 2760, 1305}, ":/game/cheater.png", "Cheater", false};
inline const PictureDesign kLogoPic1{"LogoPic1", {120, 3840, 2535, 375}, ":/game/logo_banner.png", author::kMaker};

inline const LineDesign kLine1{"Line1", 2760, 240, 2760, 4320, 3};
inline const LineDesign kLine2{"Line2", 0, 1560, 8520, 1560, 3};
inline const LineDesign kLine3{"Line3", 2760, 2760, 8520, 2760, 3};

inline constexpr const char* kUpdateAll = "UpdateAll";
inline constexpr int kUpdateAllMs = 250;

// Said before the names of the cheating aids when they appear.
inline constexpr const char* kCheatAidsShown = "Shown:";

inline constexpr const char* kHelp =
    "The program is fairly easy to learn. The Computer will guess an increasingly higher number. Your job is to "
    "guess the number as quickly as possible without too much cheating. You start out with 10 points. For each "
    "incorrect guess, you loose a point, for each correct guess you gain a point. You also gain round bonus points "
    "upon completion of the round. If you have any other questions, Email me at: ";
inline constexpr const char* kHelpEnd = "   Enjoy this game!";

}  // namespace mn_game_design
// clang-format on
