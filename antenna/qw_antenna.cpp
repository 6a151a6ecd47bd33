#include "antenna/qw_antenna.h"

#include "shell/forms/handler.h"
#include "shell/forms/project.h"
#include "shell/about.h"
#include "antenna/qw_antenna_design.h"

QWAntennaControls::QWAntennaControls(forms::FormWindow& window) : menu(forms::AddInfoMenu(window)) {}

QWAntenna::QWAntenna() : FormOf(qw_antenna_design::kWindow) {}

void QWAntenna::Connect(QWAntennaControls& ui) {
  forms::On(ui.menu.mnuHelp, &QAction::triggered, [this] { mnuHelp_Click(); });
  forms::On(ui.menu.mnuAbout, &QAction::triggered, [this] { mnuAbout_Click(); });
}

void QWAntenna::mnuHelp_Click() { forms::MsgBox(QString::fromUtf8(qw_antenna_design::kHelp)); }

void QWAntenna::mnuAbout_Click() { forms::Instance<About>().Show(); }
