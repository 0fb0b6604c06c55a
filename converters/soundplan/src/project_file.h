// One numbered SoundPLAN project file ("STRA.001", "IMIS.012" ...) and the
// reading of its binary records.
//
// A file is a sequence of records: a signed 16-bit length L (little-endian),
// one type character, and L - 1 bytes of content. The next record is found by
// the length alone, whatever the translator reads of the content. Every field
// is read little-endian with an explicit width, independent of the host.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvor::soundplan {

// Records of 500 bytes or more are not written by the modelling tool; such a
// length means the file is damaged.
inline constexpr long kMaxRecordLength = 499;

struct Record {
  char type;  // upper-cased
  std::span<const std::uint8_t> content;
  long number;    // 1, 2, 3 ... in file order
  long position;  // byte position of its length field, from 1
};

class ProjectFile {
 public:
  ProjectFile(std::string path, std::vector<std::uint8_t> bytes);

  // Reads the whole file; a file that cannot be read is a ConversionError.
  static ProjectFile load(const std::string& path);

  const std::string& path() const { return path_; }

  // The next record, or nothing at the end of the file or when the framing
  // is damaged (a length of 0 or less, of 500 or more, or a record running
  // past the end of the file); damaged() then tells which.
  std::optional<Record> next_record();
  bool damaged() const { return damaged_; }

  // "The SoundPLAN project file <path>, record <n> at byte <p>", for messages.
  std::string describe(const Record& record) const;
  // What is wrong with the record at which a damaged file stopped.
  std::string describe_damage() const;

 private:
  std::string path_;
  std::vector<std::uint8_t> bytes_;
  long position_ = 1;
  long records_read_ = 0;
  bool damaged_ = false;
};

// Thrown when a record is shorter than the fields its type promises.
struct ShortRecord {};

// Reads the content fields of one record in order.
class FieldReader {
 public:
  explicit FieldReader(std::span<const std::uint8_t> content) : content_(content) {}

  std::uint8_t byte();
  std::int16_t int16();
  // An IEEE double; a NaN or an infinity is a ConversionError.
  double real();
  std::string chars(std::size_t count);
  // A 1-byte count n followed by n characters.
  std::string counted_text();
  void skip(std::size_t count);
  // The bytes not read yet.
  std::span<const std::uint8_t> rest() const { return content_.subspan(read_); }

 private:
  std::span<const std::uint8_t> take(std::size_t count);

  std::span<const std::uint8_t> content_;
  std::size_t read_ = 0;
};

}  // namespace kalvor::soundplan
