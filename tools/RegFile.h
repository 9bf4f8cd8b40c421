#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A REGEDIT4 file that sets the value "MenuData" under
// HKEY_CURRENT_USER\Software\Vellinor to data as binary, laid out as the
// registry editor writes one: CR LF line ends, the bytes as lowercase hex
// pairs separated by commas, a line continued with a backslash before it
// would pass 80 columns, continuation lines indented by two spaces. Importing
// it preloads a menu, so that a first start needs no network.
std::string MakeMenuRegFile(const std::vector<std::uint8_t>& data);
