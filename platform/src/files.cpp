#include "platform/files.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

namespace kalvor::platform {

bool file_exists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

std::string folder_of(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

void delete_file(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
}

namespace {
LocalDateTime from_time(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string two(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}
}  // namespace

std::optional<LocalDateTime> modification_time(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  return from_time(st.st_mtime);
}

LocalDateTime now() {
  return from_time(std::time(nullptr));
}

std::string format_date(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", t.day, t.month, t.year);
  return buf;
}

std::string format_time(const LocalDateTime& t) {
  return two(t.hour) + ":" + two(t.minute);
}

std::string format_stamp(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

namespace {
// Windows-1252 bytes 0x80..0x9F; 0 where the code page has no character.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char to_windows1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == cp && cp != 0) return static_cast<char>(0x80 + i);
  return '?';
}

}  // namespace

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

namespace {

// Calls `each` with every character of `utf8` and the bytes it was read
// from; a byte that starts no valid UTF-8 sequence is passed alone as
// nothing.
template <class Each>
void for_each_character(std::string_view utf8, Each each) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    int extra = c < 0x80           ? 0
                : (c >> 5) == 0x6  ? 1
                : (c >> 4) == 0xE  ? 2
                : (c >> 3) == 0x1E ? 3
                                   : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= utf8.size()) {
      each(std::optional<char32_t>(), utf8.substr(i, 1));
      ++i;
      continue;
    }
    char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
    bool valid = true;
    for (int k = 1; k <= extra; ++k) {
      unsigned char cc = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((cc & 0xC0) != 0x80) valid = false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if (!valid) {
      each(std::optional<char32_t>(), utf8.substr(i, 1));
      ++i;
      continue;
    }
    const std::size_t length = static_cast<std::size_t>(extra) + 1;
    each(std::optional<char32_t>(cp), utf8.substr(i, length));
    i += length;
  }
}

}  // namespace

std::string utf8_to_windows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for_each_character(utf8, [&](std::optional<char32_t> cp, std::string_view) {
    out += cp ? to_windows1252(*cp) : '?';
  });
  return out;
}

std::string characters_outside_windows1252(std::string_view utf8) {
  std::string found;
  for_each_character(utf8, [&](std::optional<char32_t> cp, std::string_view bytes) {
    const bool held = cp && (*cp == U'?' || to_windows1252(*cp) != '?');
    if (!held && found.find(bytes) == std::string::npos) found += bytes;
  });
  return found;
}

std::string windows1252_to_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    char32_t cp = c;
    if (c >= 0x80 && c < 0xA0) cp = kHighControls[c - 0x80] ? kHighControls[c - 0x80] : U'?';
    append_utf8(out, cp);
  }
  return out;
}

namespace {

// Length of the UTF-8 sequence that a lead byte opens, 0 when it opens none.
std::size_t utf8_sequence_length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool is_valid_utf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = utf8_sequence_length(static_cast<unsigned char>(text[at]));
    if (length == 0 || at + length > text.size()) return false;
    for (std::size_t i = 1; i < length; ++i)
      if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return false;
    at += length;
  }
  return true;
}

}  // namespace

std::string message_to_utf8(std::string_view text) {
  return is_valid_utf8(text) ? std::string(text) : windows1252_to_utf8(text);
}

}  // namespace kalvor::platform
