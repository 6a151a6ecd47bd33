#pragma once

#include "forms/controls.h"
#include "forms/form.h"

struct LicenseControls {
  explicit LicenseControls(forms::FormWindow& window);
  forms::Label* Label1;
};

// The terms of use, opened from the About box. No handlers, no values.
class License : public forms::FormOf<LicenseControls> {
 public:
  License();

 private:
  void Connect(LicenseControls&) override {}
};
