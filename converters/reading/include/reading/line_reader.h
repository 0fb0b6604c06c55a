// Reading a text input file line by line through the library's channels,
// counting lines so that every complaint names the file, the line and what
// was expected there:
//
//   The HFCNoise input file /data/model.dat, line 12: expected the number of
//   segments as a number, found "x"
#pragma once

#include <string>
#include <string_view>

#include "job/job_details.h"
#include "quillan/varnik.h"

namespace kalvor::reading {

class LineReader {
 public:
  // `file` names the file in messages by its role and path ("the HFCNoise
  // input file /data/model.dat"). With a job, pending window events run
  // before each line.
  LineReader(quillan::Varnik& lib, int channel, std::string file, JobDetails* job = nullptr)
      : lib_(lib), channel_(channel), file_(std::move(file)), job_(job) {}

  bool at_end();
  // The next line as read; the caller has made sure the file goes on.
  std::string next_line();
  // The next line; a file that ends here fails, naming what was `expected`.
  std::string next(std::string_view expected);

  long line_number() const { return line_number_; }
  const std::string& file() const { return file_; }

  // Fails with a message about the line read last.
  [[noreturn]] void fail(std::string_view problem) const;

 private:
  quillan::Varnik& lib_;
  int channel_;
  std::string file_;
  JobDetails* job_;
  long line_number_ = 0;
};

// "<File>, line <n>: <problem>", the file's role starting with a capital.
std::string line_message(std::string_view file, long line_number, std::string_view problem);

}  // namespace kalvor::reading
