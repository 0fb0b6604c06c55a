// Bounds-checked reading of BIFF8 record bodies. A record whose content runs
// on in CONTINUE records is read as one chain of segments; every read checks
// the length left, and a read past the last segment fails as a damaged
// workbook instead of reading past the data.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalvor::platform::detail {

// The characters that 8-bit ("compressed") string bytes stand for: the
// low byte of UTF-16, unless the workbook names a single-byte code page.
class EightBitCharacters {
 public:
  EightBitCharacters();
  // From a CODEPAGE record: 1200 (UTF-16) keeps the default; a single-byte
  // Windows code page maps bytes 0x80 to 0xFF through it.
  void use_code_page(std::uint16_t code_page);
  char16_t operator[](std::uint8_t byte) const { return table_[byte]; }

 private:
  std::array<char16_t, 256> table_;
};

class RecordBytes {
 public:
  explicit RecordBytes(std::string_view body) : segments_{body} {}
  explicit RecordBytes(std::vector<std::string_view> segments) : segments_(std::move(segments)) {}

  std::uint8_t u8();
  std::uint16_t u16();
  std::uint32_t u32();
  double f64();
  void skip(std::size_t count);
  bool at_end();

  // `count` characters of an XLUnicodeString, 2 bytes each when `wide`,
  // else 1; where they run on into the next segment, it starts with a fresh
  // flags byte that says again how wide they are. The result is UTF-8.
  std::string characters(std::size_t count, bool wide, const EightBitCharacters& narrow);

  // An XLUnicodeString: 16-bit length, flags, characters.
  std::string unicode_string(const EightBitCharacters& narrow);

 private:
  // Moves to the next segment while the current one is used up; false when
  // no segment is left.
  bool find_bytes();
  void need_segment();

  std::vector<std::string_view> segments_;
  std::size_t segment_ = 0;
  std::size_t position_ = 0;
};

// UTF-16 code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf16_to_utf8(std::u16string_view units);

}  // namespace kalvor::platform::detail
