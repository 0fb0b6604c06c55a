#include "roadnoise/keyword_record.h"

#include "quillan/text.h"

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
    throw ConversionError(file + ", line " + std::to_string(line_) + ": the value \"" + text_ +
                          "\" of keyword " + keyword_ + " is not a number");
  }
  return quillan::leading_number(text_);
}

std::string RecordReader::next_line() {
  job_.process_events();
  ++line_number_;
  return lib_.GetLine(channel_);
}

std::string RecordReader::name_line() {
  if (at_end()) {
    throw ConversionError(path_ + ", line " + std::to_string(line_number_) +
                          ": a \"TEXT\" line must be followed by a name line, but the file ends");
  }
  return next_line();
}

namespace {
void open_channel(quillan::Varnik& lib, const std::string& path, int io_type, int channel,
                  const std::string& what) {
  try {
    lib.open_file_handler(path, io_type, channel, false);
  } catch (const quillan::Error& e) {
    throw ConversionError("Cannot open the " + what + " " + path + ": " +
                          quillan::describe(e.code()));
  }
}
}  // namespace

void open_input(quillan::Varnik& lib, const std::string& path, int channel,
                const std::string& what) {
  open_channel(lib, path, 0, channel, what);
}

void open_output(quillan::Varnik& lib, const std::string& path, int channel,
                 const std::string& what) {
  open_channel(lib, path, 1, channel, what);
}

}  // namespace kalvor::roadnoise
