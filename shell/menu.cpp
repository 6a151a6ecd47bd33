#include "shell/menu.h"

#include "about/about.h"
#include "about/license.h"
#include "antenna/qw_antenna.h"
#include "core/author.h"
#include "decoder/resistor_decoder.h"
#include "forms/handler.h"
#include "forms/project.h"
#include "game/mn_game.h"
#include "shell/menu_design.h"

using forms::Instance;

MenuControls::MenuControls(forms::FormWindow& window)
    : Label1(forms::MakeLabel(window.Client(), menu_design::kLabel1)),
      MsyNum(forms::MakeButton(window.Client(), menu_design::kMsyNum)),
      ResDecoder(forms::MakeButton(window.Client(), menu_design::kResDecoder)),
      QWAnt(forms::MakeButton(window.Client(), menu_design::kQWAnt)),
      Quit(forms::MakeButton(window.Client(), menu_design::kQuit)),
      menu(forms::AddInfoMenu(window)) {}

Menu::Menu() : FormOf(menu_design::kWindow) {}

void Menu::Connect(MenuControls& ui) {
  // Each tool button is the one member of its control group; the index rides along.
  forms::On(ui.MsyNum, &QPushButton::clicked, [this] { MsyNum_Click(0); });
  forms::On(ui.ResDecoder, &QPushButton::clicked, [this] { ResDecoder_Click(1); });
  forms::On(ui.QWAnt, &QPushButton::clicked, [this] { QWAnt_Click(2); });
  forms::On(ui.Quit, &QPushButton::clicked, [this] { Quit_Click(); });
  forms::On(ui.menu.mnuHelp, &QAction::triggered, [this] { mnuHelp_Click(); });
  forms::On(ui.menu.mnuAbout, &QAction::triggered, [this] { mnuAbout_Click(); });
}

void Menu::MsyNum_Click(std::int16_t) { Instance<MNGame>().Show(); }

void Menu::ResDecoder_Click(std::int16_t) { Instance<ResistorDecoder>().Show(); }

void Menu::QWAnt_Click(std::int16_t) { Instance<QWAntenna>().Show(); }

void Menu::Quit_Click() {
  // The fixed order of the exit; the program ends once nothing is loaded.
  Instance<MNGame>().Unload();
  Instance<QWAntenna>().Unload();
  Instance<ResistorDecoder>().Unload();
  Instance<About>().Unload();
  Instance<License>().Unload();
  Instance<Menu>().Unload();
}

void Menu::mnuHelp_Click() {
  forms::MsgBox(QString::fromUtf8(menu_design::kHelp) + QString::fromUtf8(author::kContactEmail) +
                QString::fromUtf8(menu_design::kHelpEnd));
}

void Menu::mnuAbout_Click() { Instance<About>().Show(); }
