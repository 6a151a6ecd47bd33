#pragma once

// One control or row a line, as the design tables have them.
// clang-format off

#include "core/author.h"
#include "forms/controls.h"
#include "forms/form.h"

// The window as designed: texts, colours and places, in the order of its
// layout; the option buttons in tab order.
namespace resistor_decoder_design {

using namespace forms;

inline constexpr Rgb kBackColor = 0x9BBDC1;
inline constexpr Rgb kWhite = 0xFFFFFF;

inline constexpr WindowDesign kWindow{
    .caption = "Resistor De-Coder          " AUTHOR_CREDIT,
    .backColor = kBackColor,
    .client = {5175, 1965, 6270, 5745},
    .style = WindowStyle::Sizable,
    .icon = ":/decoder/resistor_decoder.png",
};

// The band captions start empty and narrow and fit their text once set.
inline constexpr FontSpec kBandFont{"Futura Md BT", 12, true};
inline const LabelDesign kBandvalue[] = {
    {.name = "bandvalue(0)", .position = {855, 120, 195, 345}, .font = kBandFont, .back = kWhite,
     .border = Border::Single, .align = Align::Center, .autoSize = true},
    {.name = "bandvalue(1)", .position = {3015, 120, 195, 345}, .font = kBandFont, .back = kWhite,
     .border = Border::Single, .align = Align::Center, .autoSize = true},
    {.name = "bandvalue(2)", .position = {5100, 120, 195, 345}, .font = kBandFont, .back = kWhite,
     .border = Border::Single, .align = Align::Center, .autoSize = true},
};

// Untitled frames, one exclusive group of options each.
inline constexpr FrameDesign kFrames[] = {
    {"Frame1", {0, 600, 1935, 2055}, "First band"},
    {"Frame2", {2160, 600, 1935, 2055}, "Second band"},
    {"Frame3", {4320, 600, 1935, 2055}, "Multiplier"},
};

inline constexpr LineDesign kLine1{"Line1", 2040, 0, 2040, 3120};
inline constexpr LineDesign kLine2{"Line2", 4200, 0, 4200, 3120};

inline const LabelDesign kLabel9[] = {
    {.name = "Label9(0)", .caption = "1st Color", .position = {600, 2760, 825, 255}, .font = kWindowFontBold,
     .back = kWhite, .border = Border::Single, .autoSize = true},
    {.name = "Label9(1)", .caption = "2nd Color", .position = {2640, 2760, 885, 255}, .font = kWindowFontBold,
     .back = kWhite, .border = Border::Single, .autoSize = true},
    {.name = "Label9(2)", .caption = "3rd Color", .position = {4800, 2760, 840, 255}, .font = kWindowFontBold,
     .back = kWhite, .border = Border::Single, .autoSize = true},
};

inline constexpr LineDesign kLine3{"Line3", 0, 3120, 6360, 3120};

// The resistor: a light grey body cross-hatched in dark red, with the three
// band patches over its left half.
inline constexpr ShapeDesign kShape1{"Shape1", {2160, 3480, 1935, 615}, 0xE0E0E0, 0x400000};

// The colours the patches are designed with never show: load sets all three.
inline constexpr Rgb kButtonFace = 0xF0F0F0;
inline const LabelDesign kPatches[] = {
    {.name = "first", .position = {2280, 3480, 255, 615}, .back = 0xC0C0C0, .border = Border::Single,
     .accessibleName = "First band colour"},
    {.name = "second", .position = {2640, 3480, 255, 615}, .back = 0xC0C0C0, .border = Border::Single,
     .accessibleName = "Second band colour"},
    {.name = "third", .position = {3000, 3480, 255, 615}, .back = kButtonFace, .border = Border::Single,
     .accessibleName = "Multiplier colour"},
};

inline constexpr LineDesign kLine4{.name = "Line4", .x1 = 1080, .y1 = 3720, .x2 = 2160, .y2 = 3720, .color = 0x000000};
inline constexpr LineDesign kLine5{.name = "Line5", .x1 = 4080, .y1 = 3720, .x2 = 5160, .y2 = 3720, .color = 0x000000};
inline constexpr LineDesign kLine6{"Line6", 0, 4320, 6360, 4320};
inline constexpr LineDesign kLine7{"Line7", 3120, 5760, 3120, 4320};

inline const LabelDesign kReadout{
    .name = "readout",
    .position = {60, 4800, 2955, 435},
    .font = {"Times New Roman", 15.75, true},
    .back = kWhite,
    .border = Border::Single,
    .align = Align::Center,
};

// The runs of blanks put each tolerance on a line of its own.
inline const LabelDesign kLabel7{
    .name = "Label7",
    .caption = "The 4th band (If any) represents the tolerance of the resistor."
               "          "  // 10
               "No band = 20%"
               "                             "  // 29
               "Silver = 10%"
               "                                 "  // 33
               "Gold = 5%"
               "                                    "  // 36
               "Red = 2%",
    .position = {3180, 4380, 3015, 1335},
    .font = kWindowFontBold,
    .back = kBackColor,
    .wordWrap = true,
};

inline constexpr int kTimer1Interval = 100;

// The option buttons, in tab order. The second band's frame looks like the
// first but numbers its buttons from White down to Black.
struct OptionDesign {
  int frame;  // index into kFrames
  const char* name;
  const char* caption;
  int left, top, width;
};
inline constexpr OptionDesign kOptions[] = {
    {0, "Option1", "Black", 120, 240, 735},
    {0, "Option2", "Brown", 120, 600, 855},
    {0, "Option3", "Red", 120, 960, 855},
    {0, "Option4", "Orange", 120, 1320, 855},
    {0, "Option5", "Yellow", 120, 1680, 855},
    {0, "Option6", "Green", 1080, 240, 735},
    {0, "Option7", "Blue", 1080, 600, 735},
    {0, "Option8", "Violet", 1080, 960, 735},
    {0, "Option9", "Grey", 1080, 1320, 735},
    {0, "Option10", "White", 1080, 1680, 735},
    {1, "Option11", "White", 1080, 1680, 735},
    {1, "Option12", "Grey", 1080, 1320, 735},
    {1, "Option13", "Violet", 1080, 960, 735},
    {1, "Option14", "Blue", 1080, 600, 735},
    {1, "Option15", "Green", 1080, 240, 735},
    {1, "Option16", "Yellow", 120, 1680, 855},
    {1, "Option17", "Orange", 120, 1320, 855},
    {1, "Option18", "Red", 120, 960, 855},
    {1, "Option19", "Brown", 120, 600, 855},
    {1, "Option20", "Black", 120, 240, 735},
    {2, "Option21", "Grey", 120, 240, 735},
    {2, "Option22", "Gold", 120, 600, 735},
    {2, "Option23", "Black", 120, 960, 735},
    {2, "Option24", "Brown", 120, 1320, 855},
    {2, "Option25", "Red", 120, 1680, 735},
    {2, "Option26", "Orange", 960, 240, 855},
    {2, "Option27", "Yellow", 960, 600, 855},
    {2, "Option28", "Green", 960, 960, 855},
    {2, "Option29", "Blue", 960, 1320, 735},
};
inline constexpr int kOptionHeight = 255;

inline constexpr const char* kHelp = "This program displays the resistor value when colors are selected";

}  // namespace resistor_decoder_design
// clang-format on
