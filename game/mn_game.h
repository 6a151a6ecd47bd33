#pragma once

#include "shell/forms/controls.h"
#include "shell/forms/form.h"

struct MNGameControls {
  explicit MNGameControls(forms::FormWindow& window);
  forms::InfoMenu menu;
};

class MNGame : public forms::FormOf<MNGameControls> {
 public:
  MNGame();

  void mnuHelp_Click();
  void mnuAbout_Click();

 private:
  void Connect(MNGameControls& ui) override;
};
