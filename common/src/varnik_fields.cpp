// Field splitting, fixed-width formatting and the small helpers of Varnik.
#include <string>
#include <vector>

#include "channels.h"
#include "quillan/services.h"
#include "quillan/text.h"
#include "quillan/varnik.h"

namespace quillan {

namespace {

enum class Alignment { Left, Right, None };

Alignment alignment_of(const Value& LRalign) {
  if (LRalign.is_numeric()) {
    double n = LRalign.to_number();
    if (n == 0.0) return Alignment::Left;
    if (n == 1.0) return Alignment::Right;
    return Alignment::None;
  }
  std::string upper = to_upper(LRalign.to_text());
  if (upper == "L") return Alignment::Left;
  if (upper == "R") return Alignment::Right;
  return Alignment::None;
}

void require_list_from_zero(const Value::List& list) {
  if (list.empty())
    throw Error(ErrorCode::SubscriptOutOfRange, "Subscript out of range: the list is empty");
}

}  // namespace

void Varnik::check_max_min_value(const Value& inputvalue, Value& MaxNode, Value& MinNode) {
  if (!inputvalue.is_numeric()) return;
  double v = inputvalue.to_number();
  if (v > MaxNode.to_number()) MaxNode = v;
  if (v < MinNode.to_number()) MinNode = v;
}

double Varnik::GetPIValue() const {
  return 3.14159265358979;
}

Value::List Varnik::get_inputline_partition(const Value& inputline, const Value& sep) {
  std::string line = inputline.to_text();
  std::size_t found = line.find(sep.to_text());
  if (found == std::string::npos) return {Value(line), Value(""), Value()};
  // The first part takes the separator's first character with it.
  std::size_t p = found + 1;
  return {Value(trim(line.substr(0, p))), Value(trim(line.substr(p))), Value()};
}

std::string Varnik::format_output(const Value& LRalign, Value& emptyspace,
                                  const Value& decimalplace, Value& inputnum, bool StringOutput) {
  if (!StringOutput && inputnum.is_numeric())
    inputnum = format_fixed(inputnum.to_number(), static_cast<int>(decimalplace.to_number()));
  std::string text = inputnum.to_text();
  long blanks = static_cast<long>(emptyspace.to_number()) - static_cast<long>(text.size());
  if (blanks < 0) blanks = 0;
  emptyspace = blanks;
  std::string padding(static_cast<std::size_t>(blanks), ' ');
  switch (alignment_of(LRalign)) {
    case Alignment::Left:
      return trim(text) + padding;
    case Alignment::Right:
      return padding + trim(text);
    case Alignment::None:
      break;
  }
  return "";
}

void Varnik::check_result(const Value& IResult, const Value& EqualTo, const Value& ErrMsg) {
  if (!IResult.loosely_equals(EqualTo)) return;
  if (Host* host = current_host()) host->show_message(ErrMsg.to_text(), kLibraryTitle);
}

std::vector<std::string> Varnik::split_inputline(const Value& inputline, const Value& sep) {
  std::string line = inputline.to_text();
  std::string separator = sep.to_text();
  std::vector<std::string> pieces;
  if (separator.empty()) {
    pieces.push_back(line);
  } else {
    std::size_t start = 0;
    for (std::size_t at; (at = line.find(separator, start)) != std::string::npos;
         start = at + separator.size())
      pieces.push_back(line.substr(start, at - start));
    pieces.push_back(line.substr(start));
  }
  std::vector<std::string> fields = RemoveEmptyFields(pieces, pieces.size());
  if (fields.empty())
    throw Error(ErrorCode::SubscriptOutOfRange,
                "Subscript out of range: no field in the line \"" + line + "\"");
  return fields;
}

std::vector<std::string> Varnik::RemoveEmptyFields(const std::vector<std::string>& fields,
                                                   std::size_t count) {
  std::vector<std::string> kept;
  kept.reserve(count);
  for (std::size_t i = 0; i < count && i < fields.size(); ++i)
    if (!fields[i].empty()) kept.push_back(fields[i]);
  return kept;
}

void Varnik::initial_array_flag(Value::List& array_name, const Value& init_value) {
  require_list_from_zero(array_name);
  array_name[0] = init_value;
  std::size_t upper = array_name.size() - 1;
  for (std::size_t i = 1; i < upper; ++i) array_name[i] = init_value;
}

bool Varnik::check_array_flag_one_match(const Value::List& array_name, const Value& check_value) {
  require_list_from_zero(array_name);
  std::size_t upper = array_name.size() - 1;
  for (std::size_t i = 1; i < upper; ++i)
    if (array_name[i].loosely_equals(check_value)) return true;
  return false;
}

void Varnik::ReplaceChar(const Value& IFileID, const Value& OFileID, const Value& ichar,
                         const Value& wchar) {
  std::string from = ichar.to_text();
  std::string to = wchar.to_text();
  while (!CheckEOF(IFileID)) {
    if (Host* host = current_host()) host->process_events();
    std::FILE* in = detail::readable(static_cast<long>(IFileID.to_number())).file;
    char c = static_cast<char>(getc_unlocked(in));
    PrintLine(OFileID, from.size() == 1 && c == from[0] ? Value(to) : Value(std::string(1, c)),
              false);
  }
}

}  // namespace quillan
