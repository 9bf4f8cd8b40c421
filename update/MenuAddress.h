#pragma once

#include <string>

// The address of the menu file: the computer's "MenuUrl" policy when it is an
// http or https address, otherwise the user's when that is one, otherwise the
// address this program was built with. Anything else there (a path, a bare
// name, another scheme) is ignored: the menu is fetched over http or https
// only.
std::string MenuAddress();
