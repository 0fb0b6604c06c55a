// A small valid HFCNoise model, line by line, for tests that break one line.
#pragma once

#include <string>
#include <vector>

namespace kalvor::test {

// Lines 1 to 21: head, road R1 (lines 5 to 14), "Barriers:" (15), barrier
// B1 (16 to 19), "Receivers:" (20), receiver N1 (21).
inline std::vector<std::string> small_model() {
  return {"Small model",
          "0 1 0 0 0 0 0 0 0 0",
          "1 1 1",
          "head line 4",
          "R1 N",
          "1",
          "c",
          "d",
          "100",
          "50",
          "10",
          "h",
          "818000 836000 5 1 7 0",
          "818010 836010 5 1 7 0",
          "Barriers:",
          "B1 A",
          "1",
          "818000 836000 0 5 3 0",
          "818000 836010 0 5 3 0",
          "Receivers:",
          "N1      818010 836000 818000 836000 818000 836010 4"};
}

// The lines joined, each ended by CR LF.
inline std::string file_of(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// The model with line `number` (counted from 1) replaced.
inline std::vector<std::string> with_line(std::vector<std::string> lines, std::size_t number,
                                          const std::string& text) {
  lines.at(number - 1) = text;
  return lines;
}

// The model's first `count` lines only.
inline std::vector<std::string> first_lines(std::vector<std::string> lines, std::size_t count) {
  lines.resize(count);
  return lines;
}

}  // namespace kalvor::test
