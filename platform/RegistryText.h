#pragma once

#include "platform/RegistryService.h"

#include <string>

// Reads a text value of any length from the key at path. The text ends at its
// first NUL, so a value stored with or without its terminating zero reads the
// same. The value's type is not examined. False when the key or the value
// cannot be read.
bool ReadRegistryText(RegistryRoot root, const std::string& path, const std::string& valueName,
                      std::string& text);
