#pragma once

// One control or row a line, as the design tables have them.
// clang-format off

#include "forms/controls.h"
#include "forms/form.h"

// The terms-of-use window as designed.
namespace license_design {

using namespace forms;

inline constexpr WindowDesign kWindow{
    .caption = "License",
    .client = {0, 0, 8985, 4980},
    .style = WindowStyle::SizableNoMinMax,
    .placed = false,
};

inline constexpr FontSpec kLicenseFont{"MS Sans Serif", 9.75, true};

// The terms end with the contact address and a word of thanks; these are the
// pieces around the address.
inline constexpr const char* kTermsBefore =
    "Kelvaro #1 is free to use. You may run these programs on as many computers as you like, at home, at "
    "school or at your club, for as long as you like, without paying anything. Use them to learn, to build, "
    "to check your work and to have some fun. The programs are offered as they are, without warranty of any "
    "kind, express or implied, including but not limited to the warranties of merchantability and fitness "
    "for a particular purpose. This is hobby software: it has been tested with care, but it may still hold "
    "mistakes, and every value it shows is meant as a guide only. The author and Quillo Workbench cannot be "
    "held responsible for any loss or damage, direct or indirect, that comes from using or not being able to "
    "use them, including burned parts, wrong antennas or lost games. Always check a value with a meter "
    "before you trust it with your project. You may copy these programs and give them to anyone, free of "
    "charge, provided that you pass them on complete and unchanged, with this agreement and the help texts, "
    "and that you do not sell them or bundle them with anything that is sold. You may not take the programs "
    "apart, change them or offer them as your own work. The sounds, pictures and texts that come with the "
    "programs are part of them and are covered by this agreement as well. If you find the programs useful, a "
    "short note telling us what you built with them is all the payment we ask. Using the programs means that "
    "you accept these terms; if you do not, please delete them. Questions, bug reports, ideas and kind words "
    "are always welcome at ";
inline constexpr const char* kTermsAfter = ". Thank you for trying Kelvaro #1, and happy building!";

inline const LabelDesign kLabel1{
    .name = "Label1",
    .position = {0, 0, 9015, 4995},
    .font = kLicenseFont,
    .back = 0xFFFFFF,
    .border = Border::Single,
    .align = Align::Center,
    .wordWrap = true,
};

}  // namespace license_design
// clang-format on
