#include "job_details_sources.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>

#include "job/job_details.h"
#include "quillan/text.h"

namespace kalvor::cli {

namespace {

constexpr std::array<JobDetail, 6> kDetails = {{
    {"consultant", "KALVOR_CONSULTANT", control::Consultant},
    {"phone", "KALVOR_PHONE", control::Phone},
    {"fax", "KALVOR_FAX", control::Fax},
    {"email", "KALVOR_EMAIL", control::Email},
    {"coordinate", "KALVOR_COORDINATE", control::Coordinate},
    {"year", "KALVOR_YEAR", control::YearTrafficFlow},
}};

bool known_key(const std::string& key) {
  return std::ranges::any_of(kDetails, [&](const JobDetail& d) { return d.key == key; });
}

std::string unquoted(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

bool blank(const std::string& text) {
  return quillan::trim(text).empty();
}

std::string from_environment(const JobDetail& detail) {
  const char* value = std::getenv(std::string(detail.environment).c_str());
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

std::span<const JobDetail> job_details() {
  return kDetails;
}

DetailValues read_job_file(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw JobDetailsError("cannot read the job file " + path);
  DetailValues values;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    const std::string text = quillan::trim(line);
    if (text.empty() || text.front() == '#' || text.front() == ';' || text.front() == '[') continue;
    const auto equals = text.find('=');
    const std::string where = path + " line " + std::to_string(number);
    if (equals == std::string::npos) throw JobDetailsError(where + ": expected \"key = value\"");
    const std::string key = quillan::trim(text.substr(0, equals));
    if (!known_key(key))
      throw JobDetailsError(where + ": unknown key '" + key +
                            "' (the keys are consultant, phone, fax, email, coordinate, year)");
    values[key] = unquoted(quillan::trim(text.substr(equals + 1)));
  }
  return values;
}

DetailValues resolve_job_details(const DetailValues& options, const DetailValues& from_file,
                                 const std::string& default_coordinate) {
  DetailValues resolved;
  std::string missing;
  for (const auto& detail : kDetails) {
    const std::string key(detail.key);
    std::string value;
    if (auto it = options.find(key); it != options.end()) value = it->second;
    if (blank(value)) value = from_environment(detail);
    if (auto it = from_file.find(key); blank(value) && it != from_file.end()) value = it->second;
    if (blank(value) && key == "coordinate") value = default_coordinate;
    if (blank(value)) missing += (missing.empty() ? "--" : ", --") + key;
    resolved[key] = value;
  }
  if (!missing.empty())
    throw JobDetailsError("missing or blank job details: " + missing +
                          " (give them as options, in KALVOR_* variables or in a --job-file)");
  return resolved;
}

}  // namespace kalvor::cli
