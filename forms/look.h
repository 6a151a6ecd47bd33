#pragma once

namespace forms {

// Gives every window the light look its colours were chosen against, whatever
// the desktop's theme: the Fusion style, and a fixed palette for every colour
// a window's design leaves to the system (default text, a button's face, the
// About box's background, menus, message boxes). Colours a design names are
// set on their controls and stay as they are. Call once, after the
// application object exists.
void UseDesignedLook();

}  // namespace forms
