#include "project_file.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "job/job_details.h"
#include "quillan/services.h"
#include "reading/input_file.h"

namespace kalvor::soundplan {

ProjectFile::ProjectFile(std::string path, std::vector<std::uint8_t> bytes)
    : path_(std::move(path)), bytes_(std::move(bytes)) {}

ProjectFile ProjectFile::load(const std::string& path) {
  reading::require_readable("the SoundPLAN project file", path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ConversionError("Cannot open the SoundPLAN project file " + path + ".");
  if (auto* observer = quillan::current_file_observer()) observer->opened_for_input(path);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
  if (in.bad()) throw ConversionError(path + ": the project file cannot be read to its end.");
  return ProjectFile(path, std::move(bytes));
}

std::optional<Record> ProjectFile::next_record() {
  const long size = static_cast<long>(bytes_.size());
  if (damaged_ || position_ > size) return std::nullopt;
  const long start = position_;
  // Length field, type character and content must all lie inside the file.
  if (start + 1 > size) {
    damaged_ = true;
    return std::nullopt;
  }
  const std::span<const std::uint8_t> all(bytes_);
  FieldReader length_field(all.subspan(start - 1, 2));
  const long length = length_field.int16();
  const long last_byte = start + 1 + length;
  if (length <= 0 || length > kMaxRecordLength || last_byte > size) {
    damaged_ = true;
    return std::nullopt;
  }
  position_ = last_byte + 1;
  const auto type = static_cast<unsigned char>(bytes_[start + 1]);
  const char upper = static_cast<char>(type >= 'a' && type <= 'z' ? type - 'a' + 'A' : type);
  return Record{upper, all.subspan(start + 2, length - 1), ++records_read_, start};
}

std::string ProjectFile::describe_damage() const {
  return "The SoundPLAN project file " + path_ + ", record " + std::to_string(records_read_ + 1) +
         " at byte " + std::to_string(position_) + ": expected a record length from 1 to " +
         std::to_string(kMaxRecordLength) + " that ends within the file's " +
         std::to_string(bytes_.size()) + " bytes";
}

std::string ProjectFile::describe(const Record& record) const {
  return "The SoundPLAN project file " + path_ + ", record " + std::to_string(record.number) +
         " at byte " + std::to_string(record.position);
}

std::span<const std::uint8_t> FieldReader::take(std::size_t count) {
  if (count > content_.size() - read_) throw ShortRecord{};
  auto field = content_.subspan(read_, count);
  read_ += count;
  return field;
}

std::uint8_t FieldReader::byte() {
  return take(1)[0];
}

std::int16_t FieldReader::int16() {
  auto b = take(2);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | (b[1] << 8)));
}

double FieldReader::real() {
  auto b = take(8);
  std::uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | b[i];
  const double value = std::bit_cast<double>(bits);
  if (!std::isfinite(value))
    throw ConversionError("expected a finite number, found NaN or infinity");
  return value;
}

std::string FieldReader::chars(std::size_t count) {
  auto b = take(count);
  return std::string(b.begin(), b.end());
}

std::string FieldReader::counted_text() {
  return chars(byte());
}

void FieldReader::skip(std::size_t count) {
  take(count);
}

}  // namespace kalvor::soundplan
