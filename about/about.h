#pragma once

#include "forms/controls.h"
#include "forms/form.h"

class QPushButton;

struct AboutControls {
  explicit AboutControls(forms::FormWindow& window);
  QPushButton* cmdOK;
  forms::Picture* picIcon;
  QPushButton* cmdSysInfo;
  forms::Label* lblDescription;
  forms::Label* lblDisclaimer;
  forms::Label* lblTitle;
  forms::Label* lblVersion;
  QPushButton* Command1;
  forms::Picture* Image1;
  forms::FormWindow& window;
};

// The About box shared by every window of the bundle: names the application,
// opens the terms of use and starts the system-information viewer.
class About : public forms::FormOf<AboutControls> {
 public:
  About();

  void cmdOK_Click();
  void cmdSysInfo_Click();
  void Command1_Click();
  // Starts the system-information viewer, or says that there is none.
  void StartSysInfo();

 private:
  void Connect(AboutControls& ui) override;
  void Form_Load() override;
};
