// A loosely typed value: empty, number, text, Boolean or list.
//
// The routines of Varnik take their arguments as such values, so a caller may
// pass a number where a text is expected and the other way round, as the
// converters do when they hand fields of input lines straight on.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "quillan/export.h"

namespace quillan {

class QUILLAN_EXPORT Value {
 public:
  enum class Kind { Empty, Number, Text, Boolean, List };
  using List = std::vector<Value>;

  Value() = default;
  Value(double number) : data_(number) {}
  Value(int number) : data_(static_cast<double>(number)) {}
  Value(long number) : data_(static_cast<double>(number)) {}
  Value(long long number) : data_(static_cast<double>(number)) {}
  Value(std::string text) : data_(std::move(text)) {}
  Value(std::string_view text) : data_(std::string(text)) {}
  Value(const char* text) : data_(std::string(text)) {}
  Value(bool flag) : data_(flag) {}
  Value(List list) : data_(std::move(list)) {}

  Kind kind() const { return static_cast<Kind>(data_.index()); }
  bool is_empty() const { return kind() == Kind::Empty; }
  bool is_number() const { return kind() == Kind::Number; }
  bool is_text() const { return kind() == Kind::Text; }
  bool is_boolean() const { return kind() == Kind::Boolean; }
  bool is_list() const { return kind() == Kind::List; }

  // True for a number, and for a text that passes the numeric test.
  bool is_numeric() const;

  // The number this value stands for: a number as it is, a text by the
  // leading-number rule (0 when it starts with no number), True as -1,
  // False and empty as 0. A list is a type mismatch.
  double to_number() const;

  // The text form: a text as it is, a number in its shortest form of at most
  // 15 significant digits ("101", "1.5", "-0.25"), "True"/"False", "" for
  // empty. A list is a type mismatch.
  std::string to_text() const;

  // Direct access; the wrong kind is a type mismatch.
  double number() const;
  const std::string& text() const;
  bool boolean() const;
  const List& list() const;
  List& list();

  // Loose equality: numbers by value, texts exactly, Booleans by value, and
  // empty equals the empty text. A number never equals a text.
  bool loosely_equals(const Value& other) const;

 private:
  std::variant<std::monostate, double, std::string, bool, List> data_;
};

// A point of the plan geometry: the list (X, Y).
QUILLAN_EXPORT Value make_point(double x, double y);

}  // namespace quillan
