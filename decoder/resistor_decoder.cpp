#include "decoder/resistor_decoder.h"

#include "shell/forms/handler.h"
#include "shell/forms/project.h"
#include "shell/about.h"
#include "decoder/resistor_decoder_design.h"

ResistorDecoderControls::ResistorDecoderControls(forms::FormWindow& window) : menu(forms::AddInfoMenu(window)) {}

ResistorDecoder::ResistorDecoder() : FormOf(resistor_decoder_design::kWindow) {}

void ResistorDecoder::Connect(ResistorDecoderControls& ui) {
  forms::On(ui.menu.mnuHelp, &QAction::triggered, [this] { mnuHelp_Click(); });
  forms::On(ui.menu.mnuAbout, &QAction::triggered, [this] { mnuAbout_Click(); });
}

void ResistorDecoder::mnuHelp_Click() { forms::MsgBox(QString::fromUtf8(resistor_decoder_design::kHelp)); }

void ResistorDecoder::mnuAbout_Click() { forms::Instance<About>().Show(); }
