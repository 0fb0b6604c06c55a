// Writes SoundPLAN project files from readable descriptions, for tests.
//
// A description holds one or more files, each opened by a line "file NAME"
// (for example "file STRA.001"); blank lines and lines starting with "#" are
// skipped. Every other line is one record, its first character the record
// type as written into the file (lower case stays lower case):
//
//   I                       identification record
//   K text                  text label
//   S text                  keyword line
//   S text | parameters     keyword line followed by a zero byte, the
//                           parameter text and a closing zero byte
//   S text |~ parameters    the same without the closing zero byte
//   D numbers...            one point; the numbers depend on the file kind:
//                             STRA  x y z h separation width
//                             BEUG  x y z h slope number
//                             REFL  x1 y1 z1 x2 y2 z2 h reflection
//                             IMIS  x y z storeys v1 v2 name...
//   R t hex...              a record of type t with the given content bytes
//   B hex...                raw bytes, written without any record framing
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kalvor::test {

// The bytes of every file of the description, by file name.
struct ProjectFileBytes {
  std::string name;
  std::vector<std::uint8_t> bytes;
};
std::vector<ProjectFileBytes> build_project(const std::string& description);

// Writes the files of the description into `folder`.
void write_project(const std::string& description, const std::filesystem::path& folder);

}  // namespace kalvor::test
