#include "about/license.h"

#include "about/license_design.h"
#include "core/author.h"
#include "forms/accessibility.h"

using namespace license_design;

LicenseControls::LicenseControls(forms::FormWindow& window) : Label1(forms::MakeLabel(window.Client(), kLabel1)) {
  window.setFont(forms::ToFont(kLicenseFont));
  Label1->SetCaption(QString::fromUtf8(kTermsBefore) + QString::fromUtf8(author::kContactEmail) +
                     QString::fromUtf8(kTermsAfter));
  // The terms are the window's one stop of the keyboard, read line by line.
  forms::ReadLineByLine(Label1, [label = Label1] { return label->Lines(); });
}

License::License() : FormOf(kWindow) {}
