#pragma once

#include <string>

// The address of the menu file: the machine policy's "MenuUrl" when an
// organisation set one, otherwise the address this program was built with.
std::string MenuAddress();
