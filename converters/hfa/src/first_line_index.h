// Look-up of the node and layout temporary files by the number in field 0.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "quillan/varnik.h"

namespace kalvor::hfa {

struct IndexedLine {
  std::string text;
  std::vector<std::string> fields;
  long line_number = 0;  // in the file it was read from, from 1
};

// Built once from a whole file; answers what a scan from the first line
// would: the first line, in file order, whose field 0 has the value asked for.
class FirstLineIndex {
 public:
  void load(quillan::Varnik& lib, const std::string& path, int channel);
  void clear();
  // Adds a line (with at least one field) after those already indexed.
  void add(std::string text, std::vector<std::string> fields, long line_number);
  // The first line whose field 0 reads as `key`, or nullptr.
  const IndexedLine* find(double key) const;

 private:
  std::vector<IndexedLine> lines_;
  std::unordered_map<double, std::size_t> first_;
};

}  // namespace kalvor::hfa
