#pragma once

#include "shell/forms/controls.h"
#include "shell/forms/form.h"
#include "shell/author.h"

// The window as designed: texts, colours and places, in tab order.
namespace mn_game_design {

using namespace forms;

inline constexpr WindowDesign kWindow{
    .caption = "Mystery Number..... " AUTHOR_CREDIT,
    .backColor = 0x8C6636,
    .client = {4470, 2535, 8535, 4275},
    .style = WindowStyle::Sizable,
};

inline constexpr const char* kHelp = "";

}  // namespace mn_game_design
