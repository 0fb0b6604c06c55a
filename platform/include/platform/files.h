// File system services the converters need beyond line I/O: existence,
// deletion, modification times, the current time and text encodings.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace kalvor::platform {

bool file_exists(const std::string& path);
// The folder part of a path; "." for a bare file name.
std::string folder_of(const std::string& path);
// Deletes a file; a file that is not there is no error.
void delete_file(const std::string& path);

struct LocalDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// Last-modification time of a file in local time, or nothing when the file
// cannot be examined.
std::optional<LocalDateTime> modification_time(const std::string& path);
LocalDateTime now();

// "dd/mm/yyyy", "HH:MM" and the "yyyymmddhhmmss" stamp.
std::string format_date(const LocalDateTime& t);
std::string format_time(const LocalDateTime& t);
std::string format_stamp(const LocalDateTime& t);

// UTF-8 to Windows-1252; a character it cannot hold becomes "?".
std::string utf8_to_windows1252(std::string_view utf8);
// The characters of a UTF-8 text that Windows-1252 cannot hold (and that
// utf8_to_windows1252 writes as "?"), each once, in the order they first
// appear; bytes that are not UTF-8 are among them. Empty when the text
// converts unchanged.
std::string characters_outside_windows1252(std::string_view utf8);
// Appends one character, given by its code point, as UTF-8.
void append_utf8(std::string& out, char32_t code_point);
// Windows-1252 to UTF-8 (for showing report texts on a terminal or window).
std::string windows1252_to_utf8(std::string_view text);
// A message for a UTF-8 terminal or window. Messages carry paths in the file
// system's own spelling (UTF-8) and, at times, quoted input lines in
// Windows-1252: a text that is valid UTF-8 is shown as it is, any other is
// read as Windows-1252.
std::string message_to_utf8(std::string_view text);

}  // namespace kalvor::platform
