// The fields and values of an HFCNoise input file's lines, with every
// complaint naming the file, the line and what was expected there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quillan/varnik.h"
#include "reading/line_reader.h"

namespace kalvor::hfc {

// The blank-separated fields of the next line, which must have at least one.
std::vector<std::string> next_fields(quillan::Varnik& lib, reading::LineReader& in,
                                     std::string_view expected);

// The blank-separated fields of a line; none for an empty or blank line.
std::vector<std::string> fields_of(quillan::Varnik& lib, const std::string& line);

// A switch field: 0 or False is false, any other number or True is true.
bool truth_value(const reading::LineReader& in, const std::string& field, std::string_view what);

// A field that must be a number; its value.
double number_in(const reading::LineReader& in, const std::string& field, std::string_view what);

// A count of segments: a number, rounded to a whole one with halves to even,
// that must not be negative.
long segment_count(const reading::LineReader& in, const std::string& field);

}  // namespace kalvor::hfc
