// What each converter must find in its input to be reading its own format.
//
// Each check answers an empty text when the input shows the format's
// structure, else what is missing. An input that cannot be read at all
// passes: the converter reports it in its own words.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace kalvor::structure {

// The name prefixes of a SoundPLAN project's files, compared without case.
inline constexpr std::array<std::string_view, 4> kSoundPlanPrefixes = {"STRA.", "BEUG.", "REFL.",
                                                                       "IMIS."};

// A line holding "---" (a section opening) or the "Number of Links" count.
std::string missing_in_hfanoise(const std::filesystem::path& input);
// A second line holding at least the ten switches, the first eight numbers.
std::string missing_in_hfcnoise(const std::filesystem::path& input);
// A "READ" line or a line naming a companion file.
std::string missing_in_roadnoise(const std::filesystem::path& input);
// A STRA/BEUG/REFL/IMIS file in the project folder (the input itself when
// it is a folder, else the input's folder).
std::string missing_in_soundplan(const std::filesystem::path& input);

// Whether the input holds the structure `missing` looks for.
inline bool shows(std::string (*missing)(const std::filesystem::path&),
                  const std::filesystem::path& input) {
  return missing(input).empty();
}

}  // namespace kalvor::structure
