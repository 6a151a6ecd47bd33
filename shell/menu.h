#pragma once

#include <cstdint>

#include "forms/controls.h"
#include "forms/form.h"

class QLabel;
class QPushButton;

struct MenuControls {
  explicit MenuControls(forms::FormWindow& window);
  QLabel* Label1;
  QPushButton* MsyNum;
  QPushButton* ResDecoder;
  QPushButton* QWAnt;
  QPushButton* Quit;
  forms::InfoMenu menu;
};

// The launcher: opens the three tools and the About box, and ends the program.
class Menu : public forms::FormOf<MenuControls> {
 public:
  Menu();

  void MsyNum_Click(std::int16_t index);
  void ResDecoder_Click(std::int16_t index);
  void QWAnt_Click(std::int16_t index);
  void Quit_Click();
  void mnuHelp_Click();
  void mnuAbout_Click();

 private:
  void Connect(MenuControls& ui) override;
};
