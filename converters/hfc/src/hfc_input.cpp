#include "hfc_input.h"

#include <cmath>
#include <limits>

#include "job/job_details.h"
#include "quillan/text.h"

namespace kalvor::hfc {

namespace {
std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}
}  // namespace

std::vector<std::string> next_fields(quillan::Varnik& lib, reading::LineReader& in,
                                     std::string_view expected) {
  auto fields = fields_of(lib, in.next(expected));
  if (fields.empty()) in.fail("the line is empty; expected " + std::string(expected));
  return fields;
}

std::vector<std::string> fields_of(quillan::Varnik& lib, const std::string& line) {
  if (quillan::trim(line).empty()) return {};
  return lib.split_inputline(line, " ");
}

bool truth_value(const reading::LineReader& in, const std::string& field, std::string_view what) {
  if (quillan::is_numeric_text(field)) return quillan::leading_number(field) != 0.0;
  const std::string word = quillan::to_upper(field);
  if (word == "TRUE") return true;
  if (word == "FALSE") return false;
  in.fail("expected " + std::string(what) + " as a number or True/False, found " + quoted(field));
}

double number_in(const reading::LineReader& in, const std::string& field, std::string_view what) {
  if (!quillan::is_numeric_text(field))
    in.fail("expected " + std::string(what) + " as a number, found " + quoted(field));
  return quillan::leading_number(field);
}

long segment_count(const reading::LineReader& in, const std::string& field) {
  const double count = quillan::round_half_even(number_in(in, field, "the number of segments"), 0);
  // The count only bounds a loop that reads one node line per step, so any
  // count the file cannot hold ends at its last line; it must merely fit.
  if (!(count >= 0) || count > static_cast<double>(std::numeric_limits<long>::max() / 2))
    in.fail("expected the number of segments as a whole number of 0 or more, found " +
            quoted(field));
  return static_cast<long>(count);
}

}  // namespace kalvor::hfc
