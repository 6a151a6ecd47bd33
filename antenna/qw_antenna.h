#pragma once

#include "shell/forms/controls.h"
#include "shell/forms/form.h"

struct QWAntennaControls {
  explicit QWAntennaControls(forms::FormWindow& window);
  forms::InfoMenu menu;
};

class QWAntenna : public forms::FormOf<QWAntennaControls> {
 public:
  QWAntenna();

  void mnuHelp_Click();
  void mnuAbout_Click();

 private:
  void Connect(QWAntennaControls& ui) override;
};
