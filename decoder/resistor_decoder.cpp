#include "decoder/resistor_decoder.h"

#include "about/about.h"
#include "decoder/blank_run_breaks.h"
#include "decoder/resistor_decoder_design.h"
#include "forms/accessibility.h"
#include "forms/handler.h"
#include "forms/project.h"

namespace design = resistor_decoder_design;

ResistorDecoderControls::ResistorDecoderControls(forms::FormWindow& window) : menu(forms::AddInfoMenu(window)) {
  QWidget* client = window.Client();
  for (int i = 0; i < 3; ++i) bandvalue[i] = forms::MakeLabel(client, design::kBandvalue[i]);
  for (int i = 0; i < 3; ++i) frames[i] = forms::MakeFrame(client, design::kFrames[i]);
  forms::MakeLine(client, design::kLine1);
  forms::MakeLine(client, design::kLine2);
  for (int i = 0; i < 3; ++i) Label9[i] = forms::MakeLabel(client, design::kLabel9[i]);
  forms::MakeLine(client, design::kLine3);
  forms::MakeShape(client, design::kShape1);
  first = forms::MakeLabel(client, design::kPatches[0]);
  second = forms::MakeLabel(client, design::kPatches[1]);
  third = forms::MakeLabel(client, design::kPatches[2]);
  forms::MakeLine(client, design::kLine4);
  forms::MakeLine(client, design::kLine5);
  forms::MakeLine(client, design::kLine6);
  forms::MakeLine(client, design::kLine7);
  readout = forms::MakeLabel(client, design::kReadout);
  Label7 = forms::MakeLabel(client, design::kLabel7);
  DrawBlankRunsAsLineBreaks(Label7);
  Timer1 = forms::MakeTimer(client, "Timer1", design::kTimer1Interval);
  // Created in tab order; the buttons of one frame form one exclusive group.
  for (int i = 0; i < bands::kOptionCount; ++i) {
    const design::OptionDesign& option = design::kOptions[i];
    options[i] = forms::MakeOption(frames[option.frame],
                                   {option.name,
                                    option.caption,
                                    {option.left, option.top, option.width, design::kOptionHeight},
                                    design::kBackColor});
    // The band caption a choice gives is read with the choice.
    options[i]->setAccessibleDescription(QString::fromUtf8(bands::BandCaption(i + 1)));
  }
}

void ResistorDecoderControls::Present() {
  forms::Label* const patches[] = {first, second, third};
  for (int band = 0; band < 3; ++band) {
    bandvalue[band]->SetCaption(QString::fromStdString(display.bandvalue[band]));
    if (const bands::Colour* colour = display.patch[band]) {
      patches[band]->SetBackColor(colour->rgb);
      const QString name = QString::fromUtf8(colour->name);
      if (patches[band]->accessibleDescription() != name) patches[band]->setAccessibleDescription(name);
    }
  }
  readout->SetCaption(QString::fromStdString(display.readout));
}

ResistorDecoder::ResistorDecoder() : FormOf(design::kWindow) {}

namespace {
using OptionHandler = void (ResistorDecoder::*)();
constexpr OptionHandler kOptionClicks[bands::kOptionCount] = {
    &ResistorDecoder::Option1_Click,  &ResistorDecoder::Option2_Click,  &ResistorDecoder::Option3_Click,
    &ResistorDecoder::Option4_Click,  &ResistorDecoder::Option5_Click,  &ResistorDecoder::Option6_Click,
    &ResistorDecoder::Option7_Click,  &ResistorDecoder::Option8_Click,  &ResistorDecoder::Option9_Click,
    &ResistorDecoder::Option10_Click, &ResistorDecoder::Option11_Click, &ResistorDecoder::Option12_Click,
    &ResistorDecoder::Option13_Click, &ResistorDecoder::Option14_Click, &ResistorDecoder::Option15_Click,
    &ResistorDecoder::Option16_Click, &ResistorDecoder::Option17_Click, &ResistorDecoder::Option18_Click,
    &ResistorDecoder::Option19_Click, &ResistorDecoder::Option20_Click, &ResistorDecoder::Option21_Click,
    &ResistorDecoder::Option22_Click, &ResistorDecoder::Option23_Click, &ResistorDecoder::Option24_Click,
    &ResistorDecoder::Option25_Click, &ResistorDecoder::Option26_Click, &ResistorDecoder::Option27_Click,
    &ResistorDecoder::Option28_Click, &ResistorDecoder::Option29_Click,
};
}  // namespace

void ResistorDecoder::Connect(ResistorDecoderControls& ui) {
  for (int option = 1; option <= bands::kOptionCount; ++option) {
    // An option's Click comes when it becomes selected, by a click, a key or
    // from code; losing the selection raises nothing.
    QRadioButton* button = ui.Option(option);
    forms::On(button, &QRadioButton::toggled, [this, button, click = kOptionClicks[option - 1]] {
      if (button->isChecked()) (this->*click)();
    });
  }
  forms::On(ui.Timer1, &QTimer::timeout, [this] { Timer1_Timer(); });
  forms::On(ui.menu.mnuHelp, &QAction::triggered, [this] { mnuHelp_Click(); });
  forms::On(ui.menu.mnuAbout, &QAction::triggered, [this] { mnuAbout_Click(); });
}

void ResistorDecoder::Form_Load() {
  // Brown, Black, Brown X10. Nothing is selected as designed, so each
  // selection runs its handling.
  ui().Option(2)->setChecked(true);
  ui().Option(20)->setChecked(true);
  ui().Option(24)->setChecked(true);
  values_.digitSeparator = "";
  values_.leadMark = "";
  // The window opens on these choices; no one made them.
  chosenBand_.reset();
}

void ResistorDecoder::Option_Click(int option) {
  bands::Option_Click(option, ui(), values_, ui().display);
  ui().Present();
  chosenBand_ = design::kOptions[option - 1].frame;
}

void ResistorDecoder::Timer1_Timer() {
  bands::Timer1_Timer(ui(), values_, ui().display);
  ui().Present();
  // The readout that a choice leads to is heard as soon as it shows.
  if (chosenBand_) {
    forms::Announce(forms::SpokenText({ui().bandvalue[*chosenBand_], ui().readout}));
    chosenBand_.reset();
  }
}

void ResistorDecoder::mnuHelp_Click() { forms::MsgBox(QString::fromUtf8(design::kHelp)); }

void ResistorDecoder::mnuAbout_Click() { forms::Instance<About>().Show(); }
