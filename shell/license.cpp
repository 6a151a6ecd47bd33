#include "shell/license.h"

#include "author.h"
#include "shell/forms/accessibility.h"
#include "shell/license_design.h"

using namespace license_design;

LicenseControls::LicenseControls(forms::FormWindow& window) : Label1(forms::MakeLabel(window.Client(), kLabel1)) {
  window.setFont(forms::ToFont(kLicenseFont));
  Label1->SetCaption(QString::fromUtf8(kTermsBefore) + QString::fromUtf8(author::kContactEmail) +
                     QString::fromUtf8(kTermsAfter));
  // The terms are the window's one stop of the keyboard, read line by line.
  forms::ReadLineByLine(Label1);
}

License::License() : FormOf(kWindow) {}
