#include "about/about.h"

#include <QPushButton>

#include "about/about_design.h"
#include "about/license.h"
#include "about/sysinfo.h"
#include "core/app_info.h"
#include "core/author.h"
#include "forms/accessibility.h"
#include "forms/handler.h"
#include "forms/message_box.h"
#include "forms/pictures.h"
#include "forms/project.h"

namespace {

using namespace about_design;

forms::Picture* MakeAboutPicture(QWidget* parent, const PictureDesign& design) {
  forms::Picture* box = forms::MakePicture(parent, design.name, design.position, design.autoSize);
  box->SetPicture(forms::LoadPicture(QString::fromUtf8(design.picture)));
  box->setAccessibleName(QString::fromUtf8(design.accessibleName));
  box->setAccessibleDescription(QString::fromUtf8(design.description));
  return box;
}

QString Disclaimer() {
  return QString::fromUtf8(kDisclaimerBefore) + QString::fromUtf8(author::kMaker) +
         QString::fromUtf8(kDisclaimerAfter) + QString::fromUtf8(author::kWebAddress);
}

}  // namespace

AboutControls::AboutControls(forms::FormWindow& window)
    : cmdOK(forms::MakeButton(window.Client(), kCmdOK)),
      picIcon(MakeAboutPicture(window.Client(), kPicIcon)),
      cmdSysInfo(forms::MakeButton(window.Client(), kCmdSysInfo)),
      lblDescription(forms::MakeLabel(window.Client(), kLblDescription)),
      lblDisclaimer(forms::MakeLabel(window.Client(), kLblDisclaimer)),
      lblTitle(forms::MakeLabel(window.Client(), kLblTitle)),
      lblVersion(forms::MakeLabel(window.Client(), kLblVersion)),
      Command1(forms::MakeButton(window.Client(), kCommand1)),
      Image1(MakeAboutPicture(window.Client(), kImage1)),
      window(window) {
  // A picture box takes the focus, between "OK" and "System Info...".
  picIcon->setFocusPolicy(Qt::StrongFocus);
  lblDisclaimer->SetCaption(Disclaimer());
  forms::MakeLine(window.Client(), kLine1_0);
  forms::MakeLine(window.Client(), kLine1_1);
  forms::MakeLine(window.Client(), kLine1_2);
  forms::MakeLine(window.Client(), kLine1_3);
  forms::MakeLine(window.Client(), kLine2);
  forms::SetDefaultButton(cmdOK);
  forms::SetCancelButton(cmdOK);
}

About::About() : FormOf(kWindow) {}

void About::Connect(AboutControls& ui) {
  forms::On(ui.cmdOK, &QPushButton::clicked, [this] { cmdOK_Click(); });
  forms::On(ui.cmdSysInfo, &QPushButton::clicked, [this] { cmdSysInfo_Click(); });
  forms::On(ui.Command1, &QPushButton::clicked, [this] { Command1_Click(); });
}

void About::Form_Load() {
  const QString title = QString::fromUtf8(app::kTitle.data(), app::kTitle.size());
  ui().window.SetCaption(QStringLiteral("About ") + title);
  ui().lblVersion->SetCaption(QStringLiteral("Version %1.%2.%3").arg(app::kMajor).arg(app::kMinor).arg(app::kRevision));
  ui().lblTitle->SetCaption(title);
  // What the box says, read with its title whenever a screen reader presents
  // the box, whether the box's activation or its first focus reaches it first.
  ui().window.setAccessibleDescription(forms::SpokenText({ui().lblTitle, ui().lblVersion, ui().lblDescription}));
}

void About::cmdOK_Click() { Unload(); }

void About::cmdSysInfo_Click() { StartSysInfo(); }

void About::Command1_Click() { forms::Instance<License>().Show(); }

void About::StartSysInfo() {
  if (!sysinfo::StartSysInfo(sysinfo::SystemSeams())) forms::MsgBox(QString::fromUtf8(kUnavailable));
}
