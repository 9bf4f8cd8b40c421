#pragma once

#include <string>

// Presses keys through the system's input queue, as a user would, so they go
// to whichever window has the keyboard: a dialog, a message box or a menu.
// A key is a name ("Escape", "Return", "Tab", "Space", "Up", "Down", "Left",
// "Right", "F1".."F12") or a single letter or digit; "Alt+", "Ctrl+" and
// "Shift+" in front hold those keys down meanwhile ("Alt+x").
// Returns false, pressing nothing, when the name is unknown.
bool PressKey(const std::string& key);
