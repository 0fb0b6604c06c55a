#include "keyword_record.h"

#include <filesystem>

#include "job/job_details.h"
#include "quillan/text.h"
#include "reading/line_reader.h"

namespace kalvor::roadnoise {

namespace {
// A keyword's value starts after the keyword and one separator character.
constexpr std::size_t kValueOffset = 4;
constexpr std::size_t kValueWidth = 8;
}  // namespace

std::optional<std::string> keyword_value(std::string_view line, std::string_view keyword) {
  const auto position = line.find(keyword);
  if (position == std::string_view::npos) return std::nullopt;
  const auto start = position + kValueOffset;
  if (start >= line.size()) return std::string();
  return quillan::trim(line.substr(start, kValueWidth));
}

bool KeywordValue::take(std::string_view line, long line_number) {
  auto value = keyword_value(line, keyword_);
  if (!value) return false;
  text_ = std::move(*value);
  line_ = line_number;
  return true;
}

void KeywordValue::take_over(const KeywordValue& other) {
  text_ = other.text_;
  line_ = other.line_;
}

double KeywordValue::number(const std::string& file) const {
  if (text_.empty()) return 0;
  if (!quillan::is_numeric_text(text_)) {
    throw ConversionError(reading::line_message(
        file, line_, "the value \"" + text_ + "\" of keyword " + keyword_ + " is not a number"));
  }
  return quillan::leading_number(text_);
}

const std::string& KeywordValue::number_text(const std::string& file) const {
  number(file);
  return text_;
}

int KeywordValue::code(const std::string& file, int last, std::string_view meanings) const {
  const double value = number(file);
  for (int code = 0; code <= last; ++code)
    if (value == code) return code;
  throw ConversionError(
      reading::line_message(file, line_,
                            "the value \"" + text_ + "\" of keyword " + keyword_ +
                                " is not one of its codes: " + std::string(meanings)));
}

std::string companion_role(const std::string& master_path, std::string_view what, long line) {
  return "the RoadNoise " + std::string(what) + " named in line " + std::to_string(line) + " of " +
         std::filesystem::path(master_path).filename().string();
}

}  // namespace kalvor::roadnoise
