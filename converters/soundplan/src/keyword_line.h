// Keyword lines ("S" records): blank-separated fields, the first one the key.
#pragma once

#include <string>
#include <vector>

#include "quillan/text.h"
#include "quillan/varnik.h"

namespace kalvor::soundplan {

// The fields of a keyword line; none for a line of blanks only.
inline std::vector<std::string> keyword_fields(quillan::Varnik& lib, const std::string& text) {
  if (quillan::trim(text).empty()) return {};
  return lib.split_inputline(text, " ");
}

}  // namespace kalvor::soundplan
