#include "intermediate_lines.h"

#include <cmath>

#include "job/job_details.h"
#include "quillan/text.h"

namespace kalvor::soundplan {

using quillan::Value;

std::string column(quillan::Varnik& lib, int width, int decimals, const Value& value) {
  if (value.is_number() && !std::isfinite(value.number())) {
    throw ConversionError("a value out of the range of numbers was computed");
  }
  Value space(width);
  Value text(value);
  return lib.format_output("R", space, decimals, text, false);
}

std::string count_text(long count) {
  return (count >= 0 ? " " : "") + std::to_string(count);
}

std::string node_line(quillan::Varnik& lib, long node, double x, double y, double z, double h) {
  return " " + column(lib, 4, 0, node) + "  " + column(lib, 11, 2, x) + "   " +
         column(lib, 11, 2, y) + "   " + column(lib, 8, 2, z) + "  " + column(lib, 8, 2, h);
}

std::string link_head(quillan::Varnik& lib, long link, const Value& a_node, const Value& b_node,
                      const Value& layout, const std::string& description) {
  return " " + column(lib, 4, 0, link) + "  " + column(lib, 5, 0, a_node) + "   " +
         column(lib, 5, 0, b_node) + "   " + column(lib, 5, 0, layout) + "  " +
         column(lib, 11, 0, description) + "   " + column(lib, 4, 0, "Yes");
}

std::string label_tail(int blanks, const std::string& label) {
  std::string tail = std::string(static_cast<std::size_t>(blanks), ' ') + label;
  return quillan::trim(tail).empty() ? std::string() : tail;
}

std::string single_line(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace kalvor::soundplan
