#pragma once

#include <cstdint>

#include "antenna/quarter_wave.h"
#include "forms/controls.h"
#include "forms/form.h"

class QLineEdit;
class QPushButton;

struct QWAntennaControls {
  explicit QWAntennaControls(forms::FormWindow& window);
  forms::Label* Label1;
  QPushButton* Command2;
  forms::Label* Label3;
  QLineEdit* Text1;
  forms::Label* Label4;
  forms::Label* Label2;
  forms::Label* Label5;
  forms::InfoMenu menu;
};

// The quarter-wave antenna calculator: a frequency typed and confirmed with
// Enter shows the antenna length in feet.
class QWAntenna : public forms::FormOf<QWAntennaControls> {
 public:
  QWAntenna();

  void Text1_KeyPress(std::int16_t& KeyAscii);
  void Command2_Click();
  void mnuHelp_Click();
  void mnuAbout_Click();

  // The form-level values, kept while the window is closed.
  const quarter_wave::Values& Values() const { return values_; }

 private:
  void Connect(QWAntennaControls& ui) override;

  quarter_wave::Values values_;
};
