#include "quillan/text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quillan {

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the longest numeric prefix of `s` starting at `pos` (sign,
// digits with at most one ".", optional complete exponent); 0 when the
// prefix holds no mantissa digit.
std::size_t numeric_prefix_length(std::string_view s, std::size_t pos) {
  std::size_t i = pos;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false;
  while (i < s.size() && is_digit(s[i])) ++i, digits = true;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && is_digit(s[i])) ++i, digits = true;
  }
  if (!digits) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && is_digit(s[j])) {
      while (j < s.size() && is_digit(s[j])) ++j;
      i = j;
    }
  }
  return i - pos;
}

std::size_t skip_blanks(std::string_view s, std::size_t i) {
  while (i < s.size() && s[i] == ' ') ++i;
  return i;
}

// |value| taken to 15 significant digits: digits * 10^(exponent - 14), with
// digits a whole number of 15 decimal digits.
struct Decimal {
  std::int64_t digits = 0;
  int exponent = 0;
};

Decimal to_decimal(double magnitude) {
  char buf[48];
  auto written = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
  Decimal d;
  const char* p = buf;
  for (; p < written.ptr && *p != 'e'; ++p)
    if (is_digit(*p)) d.digits = d.digits * 10 + (*p - '0');
  std::from_chars(p + (p[1] == '+' ? 2 : 1), written.ptr, d.exponent);
  return d;
}

constexpr std::int64_t kPowersOfTen[] = {1LL,
                                         10LL,
                                         100LL,
                                         1000LL,
                                         10000LL,
                                         100000LL,
                                         1000000LL,
                                         10000000LL,
                                         100000000LL,
                                         1000000000LL,
                                         10000000000LL,
                                         100000000000LL,
                                         1000000000000LL,
                                         10000000000000LL,
                                         100000000000000LL,
                                         1000000000000000LL};

enum class Halves { AwayFromZero, ToEven };

// |value| to 15 significant digits, rounded to `decimals` decimals: the
// decimal digits of the result times 10^decimals.
std::string rounded_scaled_digits(double magnitude, int decimals, Halves halves) {
  if (magnitude == 0.0 || !std::isfinite(magnitude)) return "0";
  Decimal d = to_decimal(magnitude);
  int dropped = (14 - d.exponent) - decimals;
  if (dropped <= 0)
    return std::to_string(d.digits) + std::string(static_cast<std::size_t>(-dropped), '0');
  if (dropped > 15) return "0";
  std::int64_t unit = kPowersOfTen[dropped];
  std::int64_t kept = d.digits / unit;
  std::int64_t rest = d.digits % unit;
  bool up =
      2 * rest > unit || (2 * rest == unit && (halves == Halves::AwayFromZero || kept % 2 == 1));
  return std::to_string(kept + (up ? 1 : 0));
}

// Inserts the decimal point `decimals` digits from the right.
std::string with_decimal_point(std::string digits, int decimals) {
  if (decimals <= 0) return digits;
  auto places = static_cast<std::size_t>(decimals);
  if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
  digits.insert(digits.size() - places, 1, '.');
  return digits;
}

}  // namespace

bool is_numeric_text(std::string_view text) {
  std::size_t i = skip_blanks(text, 0);
  std::size_t n = numeric_prefix_length(text, i);
  if (n == 0) return false;
  return skip_blanks(text, i + n) == text.size();
}

double leading_number(std::string_view text) {
  std::size_t i = skip_blanks(text, 0);
  std::size_t n = numeric_prefix_length(text, i);
  if (n == 0) return 0.0;
  std::string_view prefix = text.substr(i, n);
  bool negative = prefix.front() == '-';
  if (prefix.front() == '+' || negative) prefix.remove_prefix(1);
  double value = 0.0;
  auto parsed = std::from_chars(prefix.data(), prefix.data() + prefix.size(), value);
  if (parsed.ec == std::errc::result_out_of_range)  // beyond the doubles: as strtod reads it
    value = std::strtod(std::string(prefix).c_str(), nullptr);
  return negative ? -value : value;
}

std::string format_fixed(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  std::string text = with_decimal_point(
      rounded_scaled_digits(std::fabs(value), decimals, Halves::AwayFromZero), decimals);
  // A negative value keeps its sign even when it rounds to zero; -0.0 is
  // not negative.
  return value < 0 ? "-" + text : text;
}

std::string one_decimal(const Value& value) {
  if (value.is_numeric()) return format_fixed(value.to_number(), 1);
  return value.to_text();
}

double round_half_even(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  if (decimals < 0) decimals = 0;
  std::string digits = rounded_scaled_digits(std::fabs(value), decimals, Halves::ToEven);
  double result;
  if (digits.size() <= 15 && decimals <= 15) {
    // Both numbers are exact doubles, so the quotient is correctly rounded.
    std::int64_t scaled = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), scaled);
    result = static_cast<double>(scaled) / static_cast<double>(kPowersOfTen[decimals]);
  } else {
    result = std::strtod(with_decimal_point(digits, decimals).c_str(), nullptr);
  }
  return value < 0 ? -result : result;
}

std::string number_to_text(double value) {
  if (value == 0.0) return "0";
  if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
  double magnitude = std::fabs(value);
  char buf[64];
  if (magnitude >= 1e15 || magnitude < 1e-5) {
    // Scientific form, as "1.5E+20".
    std::snprintf(buf, sizeof buf, "%.14E", value);
    std::string s(buf);
    auto e = s.find('E');
    std::string mantissa = s.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
      mantissa.erase(mantissa.find_last_not_of('0') + 1);
      if (mantissa.back() == '.') mantissa.pop_back();
    }
    int exponent = std::atoi(s.c_str() + e + 1);
    std::snprintf(buf, sizeof buf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return mantissa + buf;
  }
  std::snprintf(buf, sizeof buf, "%.15g", value);
  std::string s(buf);
  if (s.find('e') != std::string::npos) {
    // %g chose an exponent for a value we show plainly: widen it.
    int decimals = 15 - (static_cast<int>(std::floor(std::log10(magnitude))) + 1);
    std::snprintf(buf, sizeof buf, "%.*f", decimals < 0 ? 0 : decimals, value);
    s = buf;
    if (s.find('.') != std::string::npos) {
      s.erase(s.find_last_not_of('0') + 1);
      if (s.back() == '.') s.pop_back();
    }
  }
  return s;
}

std::string trim_left(std::string_view text) {
  std::size_t b = text.find_first_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(text.substr(b));
}

std::string trim_right(std::string_view text) {
  std::size_t e = text.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(text.substr(0, e + 1));
}

std::string trim(std::string_view text) {
  return trim_right(trim_left(text));
}

std::string to_upper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace quillan
