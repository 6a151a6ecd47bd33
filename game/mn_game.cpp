#include "game/mn_game.h"

#include "shell/forms/handler.h"
#include "shell/forms/project.h"
#include "shell/about.h"
#include "game/mn_game_design.h"

MNGameControls::MNGameControls(forms::FormWindow& window) : menu(forms::AddInfoMenu(window)) {}

MNGame::MNGame() : FormOf(mn_game_design::kWindow) {}

void MNGame::Connect(MNGameControls& ui) {
  forms::On(ui.menu.mnuHelp, &QAction::triggered, [this] { mnuHelp_Click(); });
  forms::On(ui.menu.mnuAbout, &QAction::triggered, [this] { mnuAbout_Click(); });
}

void MNGame::mnuHelp_Click() { forms::MsgBox(QString::fromUtf8(mn_game_design::kHelp)); }

void MNGame::mnuAbout_Click() { forms::Instance<About>().Show(); }
