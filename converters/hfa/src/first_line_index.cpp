#include "first_line_index.h"

#include "quillan/text.h"

namespace kalvor::hfa {

void FirstLineIndex::load(quillan::Varnik& lib, const std::string& path, int channel) {
  clear();
  lib.open_file_handler(path, 0, channel, false);
  for (long line_number = 1; !lib.CheckEOF(channel); ++line_number) {
    std::string text = quillan::trim(lib.GetLine(channel));
    if (text.empty()) continue;
    std::vector<std::string> fields = lib.split_inputline(text, " ");
    add(std::move(text), std::move(fields), line_number);
  }
  lib.close_file_handler(channel);
}

void FirstLineIndex::clear() {
  lines_.clear();
  first_.clear();
}

void FirstLineIndex::add(std::string text, std::vector<std::string> fields, long line_number) {
  if (fields.empty()) return;
  first_.try_emplace(quillan::leading_number(fields[0]), lines_.size());
  lines_.push_back({std::move(text), std::move(fields), line_number});
}

const IndexedLine* FirstLineIndex::find(double key) const {
  auto it = first_.find(key);
  return it == first_.end() ? nullptr : &lines_[it->second];
}

}  // namespace kalvor::hfa
