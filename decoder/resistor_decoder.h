#pragma once

#include <array>
#include <optional>

#include "decoder/band_rules.h"
#include "forms/controls.h"
#include "forms/form.h"

struct ResistorDecoderControls : bands::OptionValues {
  explicit ResistorDecoderControls(forms::FormWindow& window);

  forms::InfoMenu menu;

  // Option buttons by their number, 1..29.
  QRadioButton* Option(int option) const { return options[option - 1]; }
  bool Value(int option) const override { return Option(option)->isChecked(); }

  // Copies what the rules show into the controls, leaving unchanged ones be.
  void Present();

  std::array<forms::Label*, 3> bandvalue;
  std::array<QFrame*, 3> frames;  // Frame1, Frame2, Frame3
  std::array<forms::Label*, 3> Label9;
  forms::Label* first;
  forms::Label* second;
  forms::Label* third;
  forms::Label* readout;
  forms::Label* Label7;
  QTimer* Timer1;
  std::array<QRadioButton*, bands::kOptionCount> options;
  // What the rules show; it starts blank with every load.
  bands::BandDisplay display;
};

// The resistor colour-code decoder: three groups of colour choices, a drawing
// of the resistor in those colours and its value as text.
class ResistorDecoder : public forms::FormOf<ResistorDecoderControls> {
 public:
  ResistorDecoder();

  void Option1_Click() { Option_Click(1); }
  void Option2_Click() { Option_Click(2); }
  void Option3_Click() { Option_Click(3); }
  void Option4_Click() { Option_Click(4); }
  void Option5_Click() { Option_Click(5); }
  void Option6_Click() { Option_Click(6); }
  void Option7_Click() { Option_Click(7); }
  void Option8_Click() { Option_Click(8); }
  void Option9_Click() { Option_Click(9); }
  void Option10_Click() { Option_Click(10); }
  void Option11_Click() { Option_Click(11); }
  void Option12_Click() { Option_Click(12); }
  void Option13_Click() { Option_Click(13); }
  void Option14_Click() { Option_Click(14); }
  void Option15_Click() { Option_Click(15); }
  void Option16_Click() { Option_Click(16); }
  void Option17_Click() { Option_Click(17); }
  void Option18_Click() { Option_Click(18); }
  void Option19_Click() { Option_Click(19); }
  void Option20_Click() { Option_Click(20); }
  void Option21_Click() { Option_Click(21); }
  void Option22_Click() { Option_Click(22); }
  void Option23_Click() { Option_Click(23); }
  void Option24_Click() { Option_Click(24); }
  void Option25_Click() { Option_Click(25); }
  void Option26_Click() { Option_Click(26); }
  void Option27_Click() { Option_Click(27); }
  void Option28_Click() { Option_Click(28); }
  void Option29_Click() { Option_Click(29); }
  void Timer1_Timer();
  void mnuHelp_Click();
  void mnuAbout_Click();

  // The form-level values; they outlive an unload.
  const bands::DecoderValues& Values() const { return values_; }

 private:
  void Connect(ResistorDecoderControls& ui) override;
  void Form_Load() override;
  void Option_Click(int option);

  bands::DecoderValues values_;
  // The band of the latest choice, until the refresh has said its readout.
  std::optional<int> chosenBand_;
};
