#include "shell/platform_choice.h"

namespace platform {

std::string PreferredPlatform(const char* qpaPlatform, const char* display) {
  const bool named = qpaPlatform && *qpaPlatform;
  const bool xDisplay = display && *display;
  if (named || !xDisplay) return {};
  return "xcb;wayland";
}

}  // namespace platform
