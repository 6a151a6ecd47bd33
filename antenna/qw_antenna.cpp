#include "antenna/qw_antenna.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "about/about.h"
#include "antenna/qw_antenna_design.h"
#include "forms/accessibility.h"
#include "forms/handler.h"
#include "forms/key_press.h"
#include "forms/project.h"

namespace design = qw_antenna_design;

QWAntennaControls::QWAntennaControls(forms::FormWindow& window)
    : Label1(forms::MakeLabel(window.Client(), design::kLabel1)),
      Command2(forms::MakeButton(window.Client(), design::kCommand2)),
      Label3(forms::MakeLabel(window.Client(), design::kLabel3)),
      Text1(forms::MakeTextBox(window.Client(), design::kText1)),
      Label4(forms::MakeLabel(window.Client(), design::kLabel4)),
      Label2(forms::MakeLabel(window.Client(), design::kLabel2)),
      Label5(forms::MakeLabel(window.Client(), design::kLabel5)),
      menu(forms::AddInfoMenu(window)) {}

QWAntenna::QWAntenna() : FormOf(design::kWindow) {}

void QWAntenna::Connect(QWAntennaControls& ui) {
  forms::OnKeyPress(ui.Text1, [this](std::int16_t& KeyAscii) { Text1_KeyPress(KeyAscii); });
  forms::On(ui.Command2, &QPushButton::clicked, [this] { Command2_Click(); });
  forms::On(ui.menu.mnuHelp, &QAction::triggered, [this] { mnuHelp_Click(); });
  forms::On(ui.menu.mnuAbout, &QAction::triggered, [this] { mnuAbout_Click(); });
}

void QWAntenna::Text1_KeyPress(std::int16_t& KeyAscii) {
  constexpr std::int16_t kEnter = 13;
  if (KeyAscii != kEnter) return;
  const std::string shown = quarter_wave::Calculate(ui().Text1->text().toStdString(),
                                                    QLocale().decimalPoint().toStdString(), values_);
  ui().Label3->SetCaption(QString::fromStdString(shown));
  // Every Enter is answered aloud, the same result again included.
  forms::Announce(forms::SpokenText({ui().Label3}));
}

void QWAntenna::Command2_Click() { forms::Instance<QWAntenna>().Unload(); }

void QWAntenna::mnuHelp_Click() { forms::MsgBox(QString::fromUtf8(design::kHelp)); }

void QWAntenna::mnuAbout_Click() { forms::Instance<About>().Show(); }
