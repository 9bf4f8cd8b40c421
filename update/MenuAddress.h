#pragma once

#include <string>

// The address of the menu file: the machine policy's "MenuUrl" when an
// organisation set it to an http or https address, otherwise the address this
// program was built with. Anything else there (a path, a bare name, another
// scheme) is ignored: the menu is fetched over http or https only.
std::string MenuAddress();
