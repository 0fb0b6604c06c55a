#include "input_structure.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "quillan/text.h"

namespace fs = std::filesystem;

namespace kalvor::structure {

namespace {

// Lines read while looking for a text format's structure: enough for any
// real model's head, and a bound on what a wrong binary file costs.
constexpr std::size_t kMaxLinesScanned = 100000;

// The first lines of a text file, or nothing when it cannot be opened.
std::optional<std::vector<std::string>> first_lines(const fs::path& file, std::size_t count) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  for (std::string line; lines.size() < count && std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> blank_separated(std::string_view line) {
  std::istringstream words{std::string(line)};
  std::vector<std::string> fields;
  for (std::string field; words >> field;) fields.push_back(field);
  return fields;
}

bool is_number(const std::string& text) {
  std::istringstream in(text);
  double value;
  return (in >> value) && in.peek() == std::char_traits<char>::eof();
}

// A section heading: a rule of dashes (with blanks between the columns'
// rules) holding "---", or the count line above the links. Other text with
// "---" in it, such as a Markdown table, opens no section of a model.
bool starts_section(const std::string& line) {
  const std::string text = quillan::trim(line);
  if (text.starts_with("Number of Links")) return true;
  return text.find("---") != std::string::npos &&
         text.find_first_not_of("- \t") == std::string::npos;
}

bool names_companion_file(const std::string& line) {
  constexpr std::array<std::string_view, 9> kCompanions = {".FLO", ".SEG", ".BAR", ".HSE", ".CON",
                                                           ".PRO", ".BND", ".GND", ".REC"};
  return line.find("READ") != std::string::npos ||
         std::ranges::any_of(kCompanions,
                             [&](std::string_view e) { return line.find(e) != std::string::npos; });
}

bool is_project_file_name(const std::string& name) {
  std::string upper = name;
  std::ranges::transform(upper, upper.begin(),
                         [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return std::ranges::any_of(kSoundPlanPrefixes,
                             [&](std::string_view k) { return upper.starts_with(k); });
}

}  // namespace

std::string missing_in_hfanoise(const fs::path& input) {
  const auto lines = first_lines(input, kMaxLinesScanned);
  if (!lines) return {};
  // The first line with text is the title, whatever it holds: a title with
  // "---" in it opens no section.
  auto rest = std::ranges::find_if(
      *lines, [](const std::string& line) { return !quillan::trim(line).empty(); });
  if (rest != lines->end()) ++rest;
  if (std::any_of(rest, lines->end(), starts_section)) return {};
  return "none of its section headings was found";
}

std::string missing_in_hfcnoise(const fs::path& input) {
  const auto lines = first_lines(input, 4);
  if (!lines) return {};
  if (lines->size() >= 2) {
    const auto switches = blank_separated((*lines)[1]);
    if (switches.size() >= 10 && std::all_of(switches.begin(), switches.begin() + 8, is_number))
      return {};
  }
  return "its second line does not hold the ten switches of an HFCNoise head";
}

std::string missing_in_roadnoise(const fs::path& input) {
  const auto lines = first_lines(input, kMaxLinesScanned);
  if (!lines || std::ranges::any_of(*lines, names_companion_file)) return {};
  return "no READ line and no companion file (.SEG, .FLO, .REC, ...) was found";
}

std::string missing_in_soundplan(const fs::path& input) {
  std::error_code ec;
  const fs::path folder = fs::is_directory(input, ec) ? input : input.parent_path();
  fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, ec);
  if (ec) return {};
  for (const auto& entry : entries)
    if (is_project_file_name(entry.path().filename().string())) return {};
  return "no STRA/BEUG/REFL/IMIS file found";
}

}  // namespace kalvor::structure
