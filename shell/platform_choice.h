#pragma once

#include <string>

// Which windowing platform Qt is asked for. The windows are placed and raised
// as designed, and only X11 lets a program do both: under a Wayland desktop
// the X server that serves older programs (XWayland) is preferred.
namespace platform {

// Given QT_QPA_PLATFORM and DISPLAY as the environment holds them (null when
// unset): the platform list to ask Qt for, or empty text to leave Qt's own
// choice alone. A platform the user names always stands; with none named and
// an X display given, X11 comes first and Wayland serves where the X server
// cannot be reached.
std::string PreferredPlatform(const char* qpaPlatform, const char* display);

}  // namespace platform
