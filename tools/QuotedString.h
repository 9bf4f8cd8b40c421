#pragma once

#include <string>
#include <string_view>

// A caption or address as the tool prints it: in double quotes, with \\ \" \t
// \r \n for those bytes and \xHH (lowercase) for every other byte below 0x20
// or from 0x7F up, so that any byte string prints on one line and can be read
// back unambiguously.
std::string QuoteBytes(std::string_view bytes);
