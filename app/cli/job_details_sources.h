// The six job details of a command-line conversion, from the options, the
// environment (KALVOR_CONSULTANT, ...) and a job file, in that order of
// precedence.
#pragma once

#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kalvor::cli {

struct JobDetail {
  std::string_view key;          // option without "--", job-file key: "consultant"
  std::string_view environment;  // "KALVOR_CONSULTANT"
  std::string_view control;      // the text box that holds it
};

// The details in the order they are asked for.
std::span<const JobDetail> job_details();

// Values by key.
using DetailValues = std::map<std::string, std::string>;

// A job file that cannot be read, a key it does not know, or a detail
// missing from every source: a usage error.
class JobDetailsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads "key = value" lines in INI or TOML syntax: "#" and ";" start a
// comment line, "[section]" lines are skipped, a value may be quoted.
DetailValues read_job_file(const std::string& path);

// Every detail from the first source that gives it a non-blank value:
// `options`, then the environment, then `job_file`'s values, then
// `default_coordinate` for the coordinate system. Throws JobDetailsError
// naming every detail that is still missing.
DetailValues resolve_job_details(const DetailValues& options, const DetailValues& job_file,
                                 const std::string& default_coordinate);

}  // namespace kalvor::cli
