#include "shell/license.h"

namespace {
const forms::WindowDesign kWindow{
    .caption = "License",
    .client = {0, 0, 8985, 4980},
    .style = forms::WindowStyle::SizableNoMinMax,
    .placed = false,
};
}  // namespace

License::License() : FormOf(kWindow) {}
