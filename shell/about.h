#pragma once

#include "shell/forms/controls.h"
#include "shell/forms/form.h"

struct AboutControls {
  explicit AboutControls(forms::FormWindow& window);
  forms::FormWindow& window;
};

// The About box shared by every window of the bundle.
class About : public forms::FormOf<AboutControls> {
 public:
  About();

 private:
  void Connect(AboutControls& ui) override;
  void Form_Load() override;
};
