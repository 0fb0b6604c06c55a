#include "reading/line_reader.h"

#include <cctype>

namespace kalvor::reading {

bool LineReader::at_end() {
  return lib_.CheckEOF(channel_);
}

std::string LineReader::next_line() {
  if (job_) job_->process_events();
  ++line_number_;
  return lib_.GetLine(channel_);
}

std::string LineReader::next(std::string_view expected) {
  if (at_end()) {
    ++line_number_;
    fail("the file ends where " + std::string(expected) + " was expected");
  }
  return next_line();
}

void LineReader::fail(std::string_view problem) const {
  throw ConversionError(line_message(file_, line_number_, problem));
}

namespace {

// Control characters of a quoted line shown as "\xNN": a NUL would end the
// message where it is printed, and a line end would break it.
std::string printable(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte != 0x7F) {
      out += ch;
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

}  // namespace

std::string line_message(std::string_view file, long line_number, std::string_view problem) {
  std::string text(file);
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text + ", line " + std::to_string(line_number) + ": " + printable(problem);
}

}  // namespace kalvor::reading
