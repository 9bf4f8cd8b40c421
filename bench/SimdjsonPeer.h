#pragma once

#include "menu/MenuData.h"

#include <simdjson.h>

#include <string>

// The second JSON peer: reads a bookmark list with simdjson's DOM, builds
// menu's tree from it and numbers the sites, the same work as parsing and
// numbering a menu text. The parser is the caller's, kept from run to run as
// simdjson intends; its depth limit decides how deep a list it takes. Returns
// an empty string, or why no tree was built.
std::string BuildMenuWithSimdjson(simdjson::dom::parser& parser,
                                  const simdjson::padded_string& json, CMenuData& menu);
