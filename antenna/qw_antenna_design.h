#pragma once

#include "shell/forms/controls.h"
#include "shell/forms/form.h"
#include "shell/author.h"

// The window as designed: texts, colours and places, in tab order.
namespace qw_antenna_design {

using namespace forms;

inline constexpr WindowDesign kWindow{
    .caption = "Quarter Wave Antenna " AUTHOR_CREDIT,
    .backColor = 0x79594D,
    .client = {5610, 4335, 5970, 2040},
    .style = WindowStyle::Sizable,
};

inline constexpr const char* kHelp = "Simply enter desired operating frequency in MHZ and the calculator will give you your antenna length in feet";

}  // namespace qw_antenna_design
