#pragma once

// One control or row a line, as the design tables have them.
// clang-format off

#include "core/author.h"
#include "forms/controls.h"
#include "forms/form.h"

// The About box as designed: texts, colours and places, in tab order.
namespace about_design {

using namespace forms;

inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kGrey = 0x808080;

inline constexpr WindowDesign kWindow{
    .caption = "",
    .client = {2340, 1935, 5730, 7725},
    .style = WindowStyle::FixedDialog,
};

inline const ButtonDesign kCmdOK{"cmdOK", "OK", {4320, 6540, 1260, 345}};
// A picture box sizes itself to its picture; an image stretches it.
struct PictureDesign {
  const char* name;
  Twips position;
  bool autoSize;
  const char* picture;
  const char* accessibleName;
  const char* description;
};

inline const PictureDesign kPicIcon{"picIcon", {240, 240, 540, 540}, true, ":/about/icon.png", "Program icon",
                                    "A resistor with coloured bands"};
inline const ButtonDesign kCmdSysInfo{"cmdSysInfo", "&System Info...", {4320, 7080, 1245, 345}};
inline const LabelDesign kLblDescription{
    .name = "lblDescription",
    .caption = "This software package consists of 3 seperate programs. Resistor Decoder, Antenna Calculator, and a "
               "cool little game called Mystery Number.",
    .position = {1080, 900, 3705, 915},
    .fore = kBlack,
    .wordWrap = true,
};
// The credit: these pieces around the maker's name and the web address.
inline constexpr const char* kDisclaimerBefore = "Written " AUTHOR_CREDIT " at ";
inline constexpr const char* kDisclaimerAfter = ", makers of small tools for the hobby bench. Visit us at ";
inline const LabelDesign kLblDisclaimer{
    .name = "lblDisclaimer",
    .position = {240, 6600, 3870, 825},
    .fore = kBlack,
    .wordWrap = true,
};
inline const LabelDesign kLblTitle{
    .name = "lblTitle",
    .position = {2280, 240, 1065, 195},
    .font = kWindowFontBold,
    .fore = kBlack,
    .align = Align::Center,
    .autoSize = true,
};
inline const LabelDesign kLblVersion{
    .name = "lblVersion",
    .position = {2520, 540, 525, 195},
    .align = Align::Center,
    .autoSize = true,
};
inline const ButtonDesign kCommand1{"Command1", "License Agreement", {2040, 2160, 1695, 375}};
inline const PictureDesign kImage1{"Image1", {360, 2880, 4965, 3405}, false, ":/about/logo.png", "Maker's logo",
                                   "An antenna, a resistor and the maker's name"};

inline const LineDesign kLine1_0{"Line1(0)", 60, 2040, 5700, 2040, 2, kWhite};
inline const LineDesign kLine1_1{"Line1(1)", 60, 4620, 5624, 4620, 1, kGrey};
inline const LineDesign kLine1_2{"Line1(2)", 0, 0, 5549, 0, 2, kWhite};
inline const LineDesign kLine1_3{"Line1(3)", 0, 0, 5549, 0, 2, kWhite};
inline const LineDesign kLine2{"Line2", 60, 2640, 5700, 2640, 2, kWhite};

inline constexpr const char* kUnavailable = "System Information Is Unavailable At This Time";

}  // namespace about_design
// clang-format on
