#include "quillan/value.h"

#include "quillan/error.h"
#include "quillan/text.h"

namespace quillan {

namespace {
[[noreturn]] void mismatch(const char* wanted) {
  throw Error(ErrorCode::TypeMismatch, std::string("Type mismatch: expected ") + wanted);
}
}  // namespace

bool Value::is_numeric() const {
  switch (kind()) {
    case Kind::Number:
      return true;
    case Kind::Text:
      return is_numeric_text(std::get<std::string>(data_));
    default:
      return false;
  }
}

double Value::to_number() const {
  switch (kind()) {
    case Kind::Empty:
      return 0.0;
    case Kind::Number:
      return std::get<double>(data_);
    case Kind::Text:
      return leading_number(std::get<std::string>(data_));
    case Kind::Boolean:
      return std::get<bool>(data_) ? -1.0 : 0.0;
    case Kind::List:
      break;
  }
  mismatch("a number");
}

std::string Value::to_text() const {
  switch (kind()) {
    case Kind::Empty:
      return "";
    case Kind::Number:
      return number_to_text(std::get<double>(data_));
    case Kind::Text:
      return std::get<std::string>(data_);
    case Kind::Boolean:
      return std::get<bool>(data_) ? "True" : "False";
    case Kind::List:
      break;
  }
  mismatch("a text");
}

double Value::number() const {
  if (!is_number()) mismatch("a number");
  return std::get<double>(data_);
}

const std::string& Value::text() const {
  if (!is_text()) mismatch("a text");
  return std::get<std::string>(data_);
}

bool Value::boolean() const {
  if (!is_boolean()) mismatch("a Boolean");
  return std::get<bool>(data_);
}

const Value::List& Value::list() const {
  if (!is_list()) mismatch("a list");
  return std::get<List>(data_);
}

Value::List& Value::list() {
  if (!is_list()) mismatch("a list");
  return std::get<List>(data_);
}

bool Value::loosely_equals(const Value& other) const {
  auto is_blank = [](const Value& v) { return v.is_empty() || (v.is_text() && v.text().empty()); };
  if (is_blank(*this) && is_blank(other)) return true;
  if (kind() != other.kind()) return false;
  switch (kind()) {
    case Kind::Number:
      return number() == other.number();
    case Kind::Text:
      return text() == other.text();
    case Kind::Boolean:
      return boolean() == other.boolean();
    default:
      return false;
  }
}

Value make_point(double x, double y) {
  return Value(Value::List{Value(x), Value(y)});
}

}  // namespace quillan
