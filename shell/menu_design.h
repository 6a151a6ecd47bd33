#pragma once

// One control or row a line, as the design tables have them.
// clang-format off

#include "forms/controls.h"
#include "forms/form.h"

// The launcher as designed: texts, colours and places, in tab order.
namespace menu_design {

using namespace forms;

inline constexpr WindowDesign kWindow{
    .caption = "Menu Tool",
    .backColor = 0x008080,
    .client = {6315, 1770, 3660, 3045},
    .style = WindowStyle::Sizable,
    .icon = ":/icons/kelvaro.png",
};

inline const LabelDesign kLabel1{
    .name = "Label1",
    .caption = "Please select desired program",
    .position = {120, 60, 3375, 330},
    .font = {"Arial Black", 9.75, false},
    .fore = 0xFF8000,
    .back = 0x004040,
    .border = Border::Single,
    .align = Align::Center,
    .autoSize = true,
};
inline const ButtonDesign kMsyNum{"MsyNum", "Mystery Number Game", {540, 1620, 2475, 315}, kWindowFontBold, 0xC0C0C0};
inline const ButtonDesign kResDecoder{"ResDecoder", "Quillo's Resistor Decoder", {540, 660, 2475, 315}, kWindowFontBold};
inline const ButtonDesign kQWAnt{"QWAnt", "Quarter Wave Antenna ", {540, 1140, 2475, 315}, kWindowFontBold};
inline const ButtonDesign kQuit{"Quit", "Exit to Windows", {1020, 2520, 1575, 435}, kWindowFontBold};

inline constexpr const char* kHelp =
    "Simply select the program you wish to run. Each program has a help menu for your convienience. The programs "
    "are all email ware. If you like or use any of these programs, email me at the address at the end of this "
    "message. I want to hear from you! Positive or negative comments, suggestions etc... If you find any bugs in "
    "any of these programs, please let me know by contacting me at:   ";
inline constexpr const char* kHelpEnd = "    ENJOY!";

}  // namespace menu_design
// clang-format on
