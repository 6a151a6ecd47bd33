#include "game/mn_game.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "about/about.h"
#include "core/author.h"
#include "forms/accessibility.h"
#include "forms/handler.h"
#include "forms/key_press.h"
#include "forms/mouse.h"
#include "forms/pictures.h"
#include "forms/project.h"
#include "forms/properties.h"
#include "game/mn_game_design.h"
#include "resources/resources.h"
#include "sound/module1.h"

namespace design = mn_game_design;

namespace {

forms::Picture* MakeStretchedPicture(QWidget* parent, const design::PictureDesign& picture) {
  forms::Picture* box = forms::MakePicture(parent, picture.name, picture.position, false);
  box->SetPicture(forms::LoadPicture(QString::fromUtf8(picture.picture)));
  box->setAccessibleName(QString::fromUtf8(picture.description));
  box->setAccessibleDescription(QString::fromUtf8(picture.description));
  box->setVisible(picture.visible);
  return box;
}

forms::Picture* MakePlaque(QWidget* parent) {
  forms::Picture* plaque = forms::MakePicture(parent, design::kPicture1, design::kPicture1Position, true);
  plaque->SetPicture(resources::LoadResPicture(mystery::kPlaqueNormal));
  plaque->setAccessibleName(QString::fromUtf8(design::kPicture1Description));
  plaque->setAccessibleDescription(QString::fromUtf8(design::kPicture1Description));
  // A picture box takes the focus, as the last stop of the tab order.
  plaque->setFocusPolicy(Qt::StrongFocus);
  return plaque;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

void RequestCue(std::int16_t cue) {
  Module1::soundCueId = FormValue(cue);
  Module1::PlaySoundCue();
}

}  // namespace

// Created in tab order, which Qt takes as the focus chain.
MNGameControls::MNGameControls(forms::FormWindow& window)
    : Start(forms::MakeButton(window.Client(), design::kStart)),
      Guess(forms::MakeTextBox(window.Client(), design::kGuess)),
      HiLo(forms::MakeLabel(window.Client(), design::kHiLo)),
      Quit(forms::MakeButton(window.Client(), design::kQuit)),
      CheatM(forms::MakeCheckBox(window.Client(), design::kCheatM)),
      PointsPlus(forms::MakeButton(window.Client(), design::kPointsPlus)),
      Cheat(forms::MakeCheckBox(window.Client(), design::kCheat)),
      Progress(forms::MakeLabel(window.Client(), design::kProgress)),
      ScoreBox(forms::MakeLabel(window.Client(), design::kScoreBox)),
      Rating(forms::MakeLabel(window.Client(), design::kRating)),
      RoundBox(forms::MakeLabel(window.Client(), design::kRoundBox)),
      PointAward(forms::MakeLabel(window.Client(), design::kPointAward)),
      Mystery(forms::MakeLabel(window.Client(), design::kMystery)),
      Narrowed(forms::MakeLabel(window.Client(), design::kNarrowed)),
      Instruction(forms::MakeLabel(window.Client(), design::kInstruction)),
      Picture1(MakePlaque(window.Client())),
      CheatPic(MakeStretchedPicture(window.Client(), design::kCheatPic)),
      LogoPic1(MakeStretchedPicture(window.Client(), design::kLogoPic1)),
      Line1(forms::MakeLine(window.Client(), design::kLine1)),
      Line2(forms::MakeLine(window.Client(), design::kLine2)),
      Line3(forms::MakeLine(window.Client(), design::kLine3)),
      UpdateAll(forms::MakeTimer(window.Client(), design::kUpdateAll, design::kUpdateAllMs)),
      menu(forms::AddInfoMenu(window)) {}

MNGame::MNGame() : FormOf(design::kWindow), game_(std::make_unique<mystery::ClockRandom>(), RequestCue) {}

void MNGame::Connect(MNGameControls& ui) {
  forms::On(ui.UpdateAll, &QTimer::timeout, [this] { UpdateAll_Timer(); });
  forms::On(ui.Start, &QPushButton::clicked, [this] { Start_Click(); });
  forms::OnKeyPress(ui.Guess, [this](std::int16_t& keyCode) { Guess_KeyPress(keyCode); });
  forms::On(ui.PointsPlus, &QPushButton::clicked, [this] { PointsPlus_Click(); });
  forms::On(ui.Cheat, &QCheckBox::clicked, [this] { Cheat_Click(); });
  forms::On(ui.CheatM, &QCheckBox::clicked, [this] { CheatM_Click(); });
  forms::OnMouseDown(ui.Picture1, [this](std::int16_t button, std::int16_t shift, float x, float y) {
    Picture1_MouseDown(button, shift, x, y);
  });
  forms::OnMouseUp(ui.Picture1, [this](std::int16_t button, std::int16_t shift, float x, float y) {
    Picture1_MouseUp(button, shift, x, y);
  });
  forms::On(ui.Quit, &QPushButton::clicked, [this] { Quit_Click(); });
  forms::On(ui.menu.mnuHelp, &QAction::triggered, [this] { mnuHelp_Click(); });
  forms::On(ui.menu.mnuAbout, &QAction::triggered, [this] { mnuAbout_Click(); });
}

template <class Rule>
void MNGame::Play(Rule rule) {
  mystery::Display& fields = game_.Fields();
  fields.guessText = ui().Guess->text().toStdString();
  fields.cheatChecked = ui().Cheat->isChecked();
  fields.cheatMChecked = ui().CheatM->isChecked();
  rule();
  ShowFields();
}

void MNGame::ShowFields() {
  const mystery::Display& f = game_.Fields();
  MNGameControls& c = ui();
  forms::SetEnabled(c.Start, f.startEnabled);
  forms::SetCaption(c.Start, Text(f.startCaption));
  forms::SetText(c.Guess, Text(f.guessText));
  c.HiLo->SetCaption(Text(f.hiLo));
  c.Progress->SetCaption(Text(f.progress));
  c.Mystery->SetCaption(Text(f.mystery));
  c.PointAward->SetCaption(Text(f.pointAward));
  c.Rating->SetCaption(Text(f.rating));
  c.Rating->SetVisible(f.ratingVisible);
  c.Rating->SetBackColor(f.ratingBack);
  c.Rating->SetForeColor(f.ratingFore);
  c.ScoreBox->SetCaption(Text(f.scoreBox));
  c.ScoreBox->SetVisible(f.scoreBoxVisible);
  c.RoundBox->SetCaption(Text(f.roundBox));
  c.RoundBox->SetVisible(f.roundBoxVisible);
  c.Narrowed->SetCaption(Text(f.narrowed));
  c.Narrowed->SetVisible(f.narrowedVisible);
  forms::SetVisible(c.CheatM, f.cheatMVisible);
  forms::SetVisible(c.PointsPlus, f.pointsPlusVisible);
  forms::SetVisible(c.CheatPic, f.cheatPicVisible);
}

void MNGame::Form_Load() {
  guessTaken_ = false;
  Play([this] { game_.Load(); });
}

void MNGame::UpdateAll_Timer() {
  const std::string progress = game_.Fields().progress;
  Play([this] { game_.Tick(); });
  // The tick after a guess answers it; a tick that only repeats the window
  // says nothing.
  if (!guessTaken_) return;
  guessTaken_ = false;
  const MNGameControls& c = ui();
  if (game_.Fields().progress != progress) {
    forms::Announce(forms::SpokenText({c.HiLo, c.Progress, c.ScoreBox}));
  } else {
    forms::Announce(forms::SpokenText({c.HiLo, c.Narrowed}));
  }
}

void MNGame::Start_Click() {
  Play([this] { game_.Start(); });
  forms::Announce(forms::SpokenText({ui().Progress, ui().Mystery}));
}

void MNGame::Guess_KeyPress(std::int16_t& keyCode) {
  guessTaken_ = guessTaken_ || (keyCode == mystery::kEnterKey && !game_.Fields().startEnabled);
  Play([this, keyCode] { game_.KeyPress(keyCode); });
}

void MNGame::PointsPlus_Click() {
  Play([this] { game_.AddPoint(); });
}

void MNGame::Cheat_Click() {
  Play([this] { game_.CheatSwitch(); });
  if (!ui().Cheat->isChecked()) return;
  const MNGameControls& c = ui();
  forms::Announce(QString::fromUtf8(design::kCheatAidsShown) + u' ' +
                  forms::SpokenText({c.CheatM, c.PointsPlus, c.CheatPic, c.Narrowed}));
}

void MNGame::CheatM_Click() {
  Play([this] { game_.MarkersSwitch(); });
  forms::Announce(forms::SpokenText({ui().Narrowed}));
}

void MNGame::Picture1_MouseDown(std::int16_t, std::int16_t, float, float) { ShowPlaque(game_.PlaquePress()); }

void MNGame::Picture1_MouseUp(std::int16_t, std::int16_t, float, float) { ShowPlaque(game_.PlaqueRelease()); }

void MNGame::ShowPlaque(std::optional<std::int16_t> bitmap) {
  if (bitmap) ui().Picture1->SetPicture(resources::LoadResPicture(*bitmap));
}

void MNGame::Quit_Click() { forms::Instance<MNGame>().Unload(); }

void MNGame::mnuHelp_Click() {
  forms::MsgBox(QString::fromUtf8(design::kHelp) + QString::fromUtf8(author::kContactEmail) +
                QString::fromUtf8(design::kHelpEnd));
}

void MNGame::mnuAbout_Click() { forms::Instance<About>().Show(); }
