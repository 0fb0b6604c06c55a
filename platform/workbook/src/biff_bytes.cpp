#include "biff_bytes.h"

#include <glib.h>

#include <algorithm>
#include <bit>

#include "memory_workbook.h"
#include "platform/files.h"

namespace kalvor::platform::detail {

namespace {

constexpr std::uint16_t kUtf16CodePage = 1200;
constexpr std::uint8_t kHighByteFlag = 0x01;

[[noreturn]] void cut_short() {
  throw ReadFailure("it is damaged: a record is cut short");
}

bool is_high_surrogate(char16_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool is_low_surrogate(char16_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

// The character one byte stands for in a single-byte code page, or 0 when
// the system's converter does not know the code page or the byte.
char16_t decode_through(const std::string& charset, std::uint8_t byte) {
  const char in = static_cast<char>(byte);
  gsize written = 0;
  gchar* utf8 = g_convert(&in, 1, "UTF-8", charset.c_str(), nullptr, &written, nullptr);
  if (!utf8) return 0;
  gunichar c = written > 0 ? g_utf8_get_char_validated(utf8, static_cast<gssize>(written)) : 0;
  g_free(utf8);
  return c > 0 && c < 0x10000 ? static_cast<char16_t>(c) : 0;
}

}  // namespace

std::string utf16_to_utf8(std::u16string_view units) {
  std::string out;
  out.reserve(units.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t u = units[i];
    if (is_high_surrogate(u) && i + 1 < units.size() && is_low_surrogate(units[i + 1])) {
      append_utf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else if (is_high_surrogate(u) || is_low_surrogate(u)) {
      append_utf8(out, 0xFFFD);
    } else {
      append_utf8(out, u);
    }
  }
  return out;
}

EightBitCharacters::EightBitCharacters() {
  for (std::size_t b = 0; b < table_.size(); ++b) table_[b] = static_cast<char16_t>(b);
}

void EightBitCharacters::use_code_page(std::uint16_t code_page) {
  *this = EightBitCharacters();
  if (code_page == kUtf16CodePage) return;
  const std::string charset = "CP" + std::to_string(code_page);
  for (std::size_t b = 0x80; b < table_.size(); ++b)
    if (const char16_t c = decode_through(charset, static_cast<std::uint8_t>(b))) table_[b] = c;
}

bool RecordBytes::find_bytes() {
  while (segment_ < segments_.size() && position_ == segments_[segment_].size()) {
    if (segment_ + 1 == segments_.size()) return false;
    ++segment_;
    position_ = 0;
  }
  return segment_ < segments_.size();
}

bool RecordBytes::at_end() {
  return !find_bytes();
}

std::uint8_t RecordBytes::u8() {
  if (!find_bytes()) cut_short();
  return static_cast<std::uint8_t>(segments_[segment_][position_++]);
}

std::uint16_t RecordBytes::u16() {
  const std::uint16_t low = u8();
  return static_cast<std::uint16_t>(low | (u8() << 8));
}

std::uint32_t RecordBytes::u32() {
  const std::uint32_t low = u16();
  return low | (static_cast<std::uint32_t>(u16()) << 16);
}

double RecordBytes::f64() {
  const std::uint64_t low = u32();
  const std::uint64_t bits = low | (static_cast<std::uint64_t>(u32()) << 32);
  return std::bit_cast<double>(bits);
}

void RecordBytes::skip(std::size_t count) {
  while (count > 0) {
    if (!find_bytes()) cut_short();
    const std::size_t here = std::min(count, segments_[segment_].size() - position_);
    position_ += here;
    count -= here;
  }
}

void RecordBytes::need_segment() {
  if (segment_ + 1 >= segments_.size()) cut_short();
  ++segment_;
  position_ = 0;
}

std::string RecordBytes::characters(std::size_t count, bool wide,
                                    const EightBitCharacters& narrow) {
  std::u16string units;
  while (units.size() < count) {
    if (segment_ >= segments_.size()) cut_short();
    if (position_ == segments_[segment_].size()) {
      need_segment();
      wide = (u8() & kHighByteFlag) != 0;
      continue;
    }
    const std::string_view here = segments_[segment_].substr(position_);
    const std::size_t width = wide ? 2 : 1;
    const std::size_t fit = std::min(count - units.size(), here.size() / width);
    if (fit == 0) cut_short();  // half a wide character before the segment's end
    for (std::size_t i = 0; i < fit; ++i) {
      const auto low = static_cast<std::uint8_t>(here[i * width]);
      units += wide ? static_cast<char16_t>(low | (static_cast<std::uint8_t>(here[i * 2 + 1]) << 8))
                    : narrow[low];
    }
    position_ += fit * width;
  }
  return utf16_to_utf8(units);
}

std::string RecordBytes::unicode_string(const EightBitCharacters& narrow) {
  const std::uint16_t count = u16();
  const bool wide = (u8() & kHighByteFlag) != 0;
  return characters(count, wide, narrow);
}

}  // namespace kalvor::platform::detail
