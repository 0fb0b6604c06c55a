// What every fuzz target needs: job details held in memory, a scratch folder
// for the files a fuzz input becomes, and a conversion run that accepts a
// clear failure but nothing else.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "job/memory_job.h"

namespace kalvor::fuzz {

// Job details with every project detail filled in; events and messages go
// nowhere. A progress value outside 0 to 100 is a fault and stops the run.
class FuzzJob : public MemoryJob {
 public:
  FuzzJob(const std::string& input, const std::string& output,
          const std::string& layout_barriers = "");

  void set_progress(float value) override;
};

// A folder of this process (named after `target`) for the fuzz input's files,
// removed when the process exits.
const std::filesystem::path& scratch_dir(const char* target);

void write_file(const std::filesystem::path& path, std::string_view bytes);
std::string_view as_text(const std::uint8_t* data, std::size_t size);

// Empties a folder, as a conversion that failed part-way may leave files.
void clear_dir(const std::filesystem::path& dir);

// Runs a conversion whose files are in `dir`. A ConversionError or a library
// error is a fine end for damaged input; anything else escapes and is
// reported by the fuzzer, and so is a temporary file or private folder of
// the conversion left in `dir` however it ended. Every channel is closed
// afterwards, as the convert command does.
void convert_guarded(const std::filesystem::path& dir, const std::function<void()>& convert);

// Stops the fuzzer when a temporary file or private folder of a conversion
// is left in `dir`.
void expect_no_leftovers(const std::filesystem::path& dir);

}  // namespace kalvor::fuzz
