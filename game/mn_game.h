#pragma once

#include <cstdint>
#include <optional>

#include "forms/controls.h"
#include "forms/form.h"
#include "game/mn_rules.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;

struct MNGameControls {
  explicit MNGameControls(forms::FormWindow& window);
  QPushButton* Start;
  QLineEdit* Guess;
  forms::Label* HiLo;
  QPushButton* Quit;
  QCheckBox* CheatM;
  QPushButton* PointsPlus;
  QCheckBox* Cheat;
  forms::Label* Progress;
  forms::Label* ScoreBox;
  forms::Label* Rating;
  forms::Label* RoundBox;
  forms::Label* PointAward;
  forms::Label* Mystery;
  forms::Label* Narrowed;
  forms::Label* Instruction;
  forms::Picture* Picture1;
  forms::Picture* CheatPic;
  forms::Picture* LogoPic1;
  QWidget* Line1;
  QWidget* Line2;
  QWidget* Line3;
  QTimer* UpdateAll;
  forms::InfoMenu menu;
};

// The Mystery Number game window. The game values live in this instance and
// outlive the window; the controls show the rules' fields.
class MNGame : public forms::FormOf<MNGameControls> {
 public:
  MNGame();

  mystery::Game& Rules() { return game_; }

  void Form_Load() override;
  void UpdateAll_Timer();
  void Start_Click();
  void Guess_KeyPress(std::int16_t& keyCode);
  void PointsPlus_Click();
  void Cheat_Click();
  void CheatM_Click();
  void Picture1_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void Picture1_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  void Quit_Click();
  void mnuHelp_Click();
  void mnuAbout_Click();

 private:
  void Connect(MNGameControls& ui) override;
  // Runs a rule on the fields as the controls hold them now, then shows the
  // fields it changed.
  template <class Rule>
  void Play(Rule rule);
  void ShowFields();
  void ShowPlaque(std::optional<std::int16_t> bitmap);

  mystery::Game game_;
  // A guess was taken since the last tick, whose hint is still to be said.
  bool guessTaken_ = false;
};
