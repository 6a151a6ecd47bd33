#include "shell/about.h"

#include "app_info.h"

namespace {
const forms::WindowDesign kWindow{
    .caption = "",
    .client = {2340, 1935, 5730, 7725},
    .style = forms::WindowStyle::FixedDialog,
};
}  // namespace

AboutControls::AboutControls(forms::FormWindow& window) : window(window) {}

About::About() : FormOf(kWindow) {}

void About::Connect(AboutControls&) {}

void About::Form_Load() {
  ui().window.SetCaption(QStringLiteral("About ") + QString::fromUtf8(app::kTitle.data(), app::kTitle.size()));
}
