#include "quillan/text.h"

#include <cmath>
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

// The decimal digits of |value| to 15 significant digits: digits and the
// power of ten of the first digit.
struct Decimal {
  std::string digits;  // 15 digits
  int exponent = 0;    // value = 0.d1d2... * 10^(exponent)
};

Decimal to_decimal(double magnitude) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", magnitude);
  Decimal d;
  std::string s(buf);
  auto e = s.find('e');
  for (std::size_t i = 0; i < e; ++i)
    if (is_digit(s[i])) d.digits += s[i];
  d.exponent = std::atoi(s.c_str() + e + 1) + 1;
  return d;
}

enum class Halves { AwayFromZero, ToEven };

// Rounds the 15-digit decimal of |value| to `decimals` decimals; returns the
// digits before and after the point.
std::pair<std::string, std::string> round_decimal(double magnitude, int decimals, Halves halves) {
  if (magnitude == 0.0 || !std::isfinite(magnitude))
    return {"0", std::string(static_cast<std::size_t>(decimals), '0')};
  Decimal d = to_decimal(magnitude);
  // Place the digits on a fixed grid: integer part and fraction.
  std::string all;                   // digits of value * 10^decimals, plus the rest
  int keep = d.exponent + decimals;  // number of digits kept
  std::string padded = d.digits;
  if (d.exponent < 0) padded = std::string(static_cast<std::size_t>(-d.exponent), '0') + padded;
  int shift = d.exponent < 0 ? 0 : d.exponent;
  keep = shift + decimals;
  if (static_cast<int>(padded.size()) < keep + 1)
    padded +=
        std::string(static_cast<std::size_t>(keep + 1 - static_cast<int>(padded.size())), '0');
  std::string kept = padded.substr(0, static_cast<std::size_t>(keep));
  std::string rest = padded.substr(static_cast<std::size_t>(keep));
  bool round_up = false;
  if (rest[0] > '5') {
    round_up = true;
  } else if (rest[0] == '5') {
    bool beyond = rest.find_first_not_of('0', 1) != std::string::npos;
    if (halves == Halves::AwayFromZero || beyond) {
      round_up = true;
    } else {
      int last = kept.empty() ? 0 : kept.back() - '0';
      round_up = last % 2 == 1;
    }
  }
  if (round_up) {
    int i = static_cast<int>(kept.size()) - 1;
    while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9')
      kept[static_cast<std::size_t>(i--)] = '0';
    if (i < 0)
      kept.insert(kept.begin(), '1');
    else
      ++kept[static_cast<std::size_t>(i)];
  }
  std::size_t int_len = kept.size() - static_cast<std::size_t>(decimals);
  std::string integer = kept.substr(0, int_len);
  std::string fraction = kept.substr(int_len);
  std::size_t nz = integer.find_first_not_of('0');
  integer = nz == std::string::npos ? "0" : integer.substr(nz);
  return {integer, fraction};
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
  std::string prefix(text.substr(i, n));
  return std::strtod(prefix.c_str(), nullptr);
}

std::string format_fixed(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  auto [integer, fraction] = round_decimal(std::fabs(value), decimals, Halves::AwayFromZero);
  // A negative value keeps its sign even when it rounds to zero; -0.0 is
  // not negative.
  std::string out = value < 0 ? "-" : "";
  out += integer;
  if (decimals > 0) out += "." + fraction;
  return out;
}

std::string one_decimal(const Value& value) {
  if (value.is_numeric()) return format_fixed(value.to_number(), 1);
  return value.to_text();
}

double round_half_even(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  auto [integer, fraction] = round_decimal(std::fabs(value), decimals, Halves::ToEven);
  std::string text = integer + (decimals > 0 ? "." + fraction : "");
  double result = std::strtod(text.c_str(), nullptr);
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
