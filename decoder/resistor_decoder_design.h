#pragma once

#include "shell/forms/controls.h"
#include "shell/forms/form.h"
#include "shell/author.h"

// The window as designed: texts, colours and places, in tab order.
namespace resistor_decoder_design {

using namespace forms;

inline constexpr WindowDesign kWindow{
    .caption = "Resistor De-Coder          " AUTHOR_CREDIT,
    .backColor = 0x9BBDC1,
    .client = {5175, 1965, 6270, 5745},
    .style = WindowStyle::Sizable,
};

inline constexpr const char* kHelp = "This program displays the resistor value when colors are selected";

}  // namespace resistor_decoder_design
