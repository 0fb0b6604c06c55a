// The keyword records shared by every RoadNoise file: the keyword rule that
// finds a value on a line and the value a keyword keeps until it occurs again.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalvor::roadnoise {

// True when `line` holds `token` anywhere (plain, case-sensitive search).
inline bool contains(std::string_view line, std::string_view token) {
  return line.find(token) != std::string_view::npos;
}

// The value of a keyword on a line: the text of at most 8 characters that
// starts 4 characters after the keyword's first letter, trimmed. Nothing when
// the line does not hold the keyword; only its first occurrence counts.
std::optional<std::string> keyword_value(std::string_view line, std::string_view keyword);

// One keyword's value as it carries over from line to line, with the line it
// was last read from (0 while the keyword has not occurred).
class KeywordValue {
 public:
  explicit KeywordValue(const char* keyword) : keyword_(keyword) {}

  // Takes the keyword's value when `line` holds it; true if it did.
  bool take(std::string_view line, long line_number);
  // Takes over another keyword's value (a segment end becoming the next start).
  void take_over(const KeywordValue& other);
  void set(std::string text) { text_ = std::move(text); }

  const std::string& text() const { return text_; }
  long line() const { return line_; }
  bool empty() const { return text_.empty(); }

  // The value as a number, for comparisons and sums: 0 when empty (also when
  // the keyword never occurred); a text that is not a number ends the
  // conversion with a message naming the file (its role and path), the line
  // and the keyword.
  double number(const std::string& file) const;
  // The text of a value the report shows in a number column: empty, or a
  // number as written. Any other text ends the conversion as number() does.
  const std::string& number_text(const std::string& file) const;
  // The value as one of the codes 0 to `last` (0 when empty). Any other
  // value ends the conversion with a message listing the codes' `meanings`,
  // since it would leave the previous link's value in the report.
  int code(const std::string& file, int last, std::string_view meanings) const;

 private:
  const char* keyword_;
  std::string text_;
  long line_ = 0;
};

// How messages name a companion file of the master file: "the RoadNoise flow
// file named in line 7 of SHATIN.MAS".
std::string companion_role(const std::string& master_path, std::string_view what, long line);

// What the line after a "TEXT" line holds, for messages.
inline constexpr std::string_view kNameLine = "the name line that a \"TEXT\" line announces";

}  // namespace kalvor::roadnoise
