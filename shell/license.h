#pragma once

#include "shell/forms/form.h"

struct LicenseControls {
  explicit LicenseControls(forms::FormWindow&) {}
};

// The terms of use, opened from the About box.
class License : public forms::FormOf<LicenseControls> {
 public:
  License();

 private:
  void Connect(LicenseControls&) override {}
};
