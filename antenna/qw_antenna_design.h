#pragma once

// One control or row a line, as the design tables have them.
// clang-format off

#include "core/author.h"
#include "forms/controls.h"
#include "forms/form.h"

// The calculator window as designed: texts, colours and places, in tab order.
namespace qw_antenna_design {

using namespace forms;

inline constexpr WindowDesign kWindow{
    .caption = "Quarter Wave Antenna " AUTHOR_CREDIT,
    .backColor = 0x79594D,
    .client = {5610, 4335, 5970, 2040},
    .style = WindowStyle::Sizable,
    .icon = ":/antenna/qw_antenna.xpm",
};

inline constexpr FontSpec kSansBold12{"MS Sans Serif", 12, true};
inline constexpr FontSpec kArialBlack12{"Arial Black", 12, true};
inline constexpr Rgb kPaleYellow = 0xFFFFC0;

inline const LabelDesign kLabel1{
    .name = "Label1",
    .caption = " Quarter Wave Dipole Calculator ",
    .position = {1500, 0, 2925, 255},
    .font = kWindowFontBold,
    .fore = 0xFFFF00,
    .back = 0xC04000,
    .border = Border::Single,
    .align = Align::Center,
    .autoSize = true,
};
inline const ButtonDesign kCommand2{"Command2", "Quit", {5040, 1620, 825, 315}, {"MS Sans Serif", 9.75, true}};
inline const LabelDesign kLabel3{
    .name = "Label3",
    .position = {2925, 840, 165, 360},
    .font = kSansBold12,
    .fore = 0xFFFFFF,
    .back = 0x000040,
    .border = Border::Single,
    .align = Align::Center,
    .autoSize = true,
};
// The instruction below the box; a screen reader reads it with the box.
inline constexpr const char* kInstruction =
    "Enter frequency in Mhz and press the Calculate button. The antenna length,   in feet, will be displayed.";
inline const TextBoxDesign kText1{
    .name = "Text1",
    .position = {2280, 360, 1455, 405},
    .font = kSansBold12,
    .align = Align::Center,
    .maxLength = 8,
    .accessibleName = "Frequency in MHz",
    .accessibleDescription = kInstruction,
};
inline const LabelDesign kLabel4{
    .name = "Label4",
    .caption = "MHZ",
    .position = {3720, 420, 855, 315},
    .font = kArialBlack12,
    .fore = kPaleYellow,
    .align = Align::Center,
};
inline const LabelDesign kLabel2{
    .name = "Label2",
    .caption = "FREQUENCY =",
    .position = {180, 420, 2115, 345},
    .font = kArialBlack12,
    .fore = kPaleYellow,
    .align = Align::Center,
};
inline const LabelDesign kLabel5{
    .name = "Label5",
    .caption = kInstruction,
    .position = {1560, 1260, 2895, 735},
    .fore = 0x000000,
    .back = 0xB38455,
    .border = Border::Single,
    .wordWrap = true,
};

inline constexpr const char* kHelp =
    "Simply enter desired operating frequency in MHZ and the calculator will give you your antenna length in feet";

}  // namespace qw_antenna_design
// clang-format on
