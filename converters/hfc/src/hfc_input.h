// Reading an HFCNoise input file line by line through the library's channels,
// with every complaint naming the file, the line and what was expected there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quillan/varnik.h"

namespace kalvor::hfc {

class InputReader {
 public:
  InputReader(quillan::Varnik& lib, int channel, std::string path)
      : lib_(lib), channel_(channel), path_(std::move(path)) {}

  bool at_end();
  // The next line; a file that ends here fails, naming what was `expected`.
  std::string next(std::string_view expected);
  // The blank-separated fields of the next line, which must have at least one.
  std::vector<std::string> next_fields(std::string_view expected);

  // Fails with a message about the line read last.
  [[noreturn]] void fail(std::string_view problem) const;

 private:
  quillan::Varnik& lib_;
  int channel_;
  std::string path_;
  long line_number_ = 0;
};

// The blank-separated fields of a line; none for an empty or blank line.
std::vector<std::string> fields_of(quillan::Varnik& lib, const std::string& line);

// A switch field: 0 or False is false, any other number or True is true.
bool truth_value(const InputReader& in, const std::string& field, std::string_view what);

// A field that must be a number; its value.
double number_in(const InputReader& in, const std::string& field, std::string_view what);

// A count of segments: a number, rounded to a whole one with halves to even,
// that must not be negative.
long segment_count(const InputReader& in, const std::string& field);

}  // namespace kalvor::hfc
