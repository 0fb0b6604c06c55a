// The line layouts of the intermediate HFANoise input file that the
// translators write into the temporary files.
#pragma once

#include <string>

#include "quillan/value.h"
#include "quillan/varnik.h"

namespace kalvor::soundplan {

// One right-aligned column of `width` characters with `decimals` decimals
// (texts are aligned unchanged). A number that is not finite is a
// ConversionError.
std::string column(quillan::Varnik& lib, int width, int decimals, const quillan::Value& value);

// A count as it follows the count labels: one blank in front of a
// non-negative number.
std::string count_text(long count);

std::string node_line(quillan::Varnik& lib, long node, double x, double y, double z, double h);

// Link number, A-node, B-node, layout, description and the include flag "Yes":
// the columns every link line begins with.
std::string link_head(quillan::Varnik& lib, long link, const quillan::Value& a_node,
                      const quillan::Value& b_node, const quillan::Value& layout,
                      const std::string& description);

// `blanks` blanks and the text label; empty when that is all blank, so the
// line then ends right after its last column.
std::string label_tail(int blanks, const std::string& label);

// The label as one line of text: carriage returns and line feeds, which would
// break the line-based intermediate file, become blanks.
std::string single_line(std::string text);

}  // namespace kalvor::soundplan
