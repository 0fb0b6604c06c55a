// The keyword records shared by every RoadNoise file: the keyword rule that
// finds a value on a line, the value a keyword keeps until it occurs again,
// and a reader that counts lines so errors can name the line at fault.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "job/job_details.h"
#include "quillan/varnik.h"

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
  bool empty() const { return text_.empty(); }

  // The value as a number, for comparisons and sums: 0 when empty (also when
  // the keyword never occurred); a text that is not a number ends the
  // conversion with a message naming the file, the line and the keyword.
  double number(const std::string& file) const;

 private:
  const char* keyword_;
  std::string text_;
  long line_ = 0;
};

// A text file of keyword records read line by line on its channel.
class RecordReader {
 public:
  RecordReader(quillan::Varnik& lib, JobDetails& job, int channel, std::string path)
      : lib_(lib), job_(job), channel_(channel), path_(std::move(path)) {}

  bool at_end() { return lib_.CheckEOF(channel_); }
  // The next line as read; pending window events run first.
  std::string next_line();
  // The line that follows a "TEXT" line: the name it announces.
  std::string name_line();

  long line_number() const { return line_number_; }
  const std::string& path() const { return path_; }

 private:
  quillan::Varnik& lib_;
  JobDetails& job_;
  int channel_;
  std::string path_;
  long line_number_ = 0;
};

// Opens a file for text input on `channel`; a file that cannot be opened ends
// the conversion with a message naming it, what it is and why.
void open_input(quillan::Varnik& lib, const std::string& path, int channel,
                const std::string& what);
// Creates (or empties) a file for text output on `channel`.
void open_output(quillan::Varnik& lib, const std::string& path, int channel,
                 const std::string& what);

}  // namespace kalvor::roadnoise
