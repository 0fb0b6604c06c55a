// Text and number rules shared by the library and every converter.
#pragma once

#include <string>
#include <string_view>

#include "quillan/export.h"
#include "quillan/value.h"

namespace quillan {

// Numeric test: optional blanks, optional sign, digits with at most one ".",
// an optional exponent (e/E, optional sign, digits), optional blanks, and at
// least one digit before the exponent. "" and "1,234" are not numeric.
QUILLAN_EXPORT bool is_numeric_text(std::string_view text);

// Leading-number rule: skip leading blanks, read the longest prefix of the
// numeric form above; 0 when there is none ("12abc" -> 12, "abc" -> 0).
QUILLAN_EXPORT double leading_number(std::string_view text);

// The value written with `decimals` decimals: first taken to 15 significant
// digits, then rounded half away from zero; "-" kept on negative values that
// round to zero ("-0.0"), none on negative zero itself.
QUILLAN_EXPORT std::string format_fixed(double value, int decimals);

// "#0.0": a numeric value with one decimal, any other value unchanged as text.
QUILLAN_EXPORT std::string one_decimal(const Value& value);

// Rounding to `decimals` decimals with halves to even, after taking the value
// to 15 significant digits (0.25 -> 0.2, 0.35 -> 0.4, 0.45 -> 0.4).
QUILLAN_EXPORT double round_half_even(double value, int decimals);

// The shortest text of at most 15 significant digits ("101", "1.5").
QUILLAN_EXPORT std::string number_to_text(double value);

// Blanks (code 32) only; tabs are ordinary characters.
QUILLAN_EXPORT std::string trim(std::string_view text);
QUILLAN_EXPORT std::string trim_left(std::string_view text);
QUILLAN_EXPORT std::string trim_right(std::string_view text);

// ASCII letters to upper case; other bytes unchanged.
QUILLAN_EXPORT std::string to_upper(std::string_view text);

}  // namespace quillan
