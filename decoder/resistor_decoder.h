#pragma once

#include "shell/forms/controls.h"
#include "shell/forms/form.h"

struct ResistorDecoderControls {
  explicit ResistorDecoderControls(forms::FormWindow& window);
  forms::InfoMenu menu;
};

class ResistorDecoder : public forms::FormOf<ResistorDecoderControls> {
 public:
  ResistorDecoder();

  void mnuHelp_Click();
  void mnuAbout_Click();

 private:
  void Connect(ResistorDecoderControls& ui) override;
};
