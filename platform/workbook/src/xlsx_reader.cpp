// .xlsx: the package leads to the workbook part, the workbook part lists the
// worksheets in their order and leads to the shared strings and to each
// worksheet's part.
#include <charconv>
#include <string>
#include <vector>

#include "memory_workbook.h"
#include "readers.h"
#include "xlsx_package.h"

namespace kalvor::platform::detail {

namespace {

struct SheetEntry {
  std::string name;
  std::string relationship_id;
};

const Relationship* find_type(const std::vector<Relationship>& relationships,
                              std::string_view type_end) {
  for (const Relationship& r : relationships)
    if (r.type.ends_with(type_end)) return &r;
  return nullptr;
}

const Relationship* find_id(const std::vector<Relationship>& relationships, std::string_view id) {
  for (const Relationship& r : relationships)
    if (r.id == id) return &r;
  return nullptr;
}

std::string workbook_part(const Package& package) {
  const auto package_relationships = read_relationships(package, "");
  if (const Relationship* document = find_type(package_relationships, "/officeDocument"))
    return document->part;
  if (package.has_part("xl/workbook.xml")) return "xl/workbook.xml";
  throw ReadFailure("its zip package holds no workbook");
}

class WorkbookPartHandler final : public XmlHandler {
 public:
  explicit WorkbookPartHandler(std::vector<SheetEntry>& sheets) : sheets_(sheets) {}
  void start(std::string_view name, const XmlAttributes& attributes) override {
    if (name != "sheet") return;
    const auto sheet_name = attributes.get("name");
    const auto id = attributes.get("relationships", "id");
    if (!sheet_name || !id) throw ReadFailure("the workbook part lists a sheet without its name");
    sheets_.push_back({std::string(*sheet_name), std::string(*id)});
  }
  void end(std::string_view) override {}
  void text(std::string_view) override {}

 private:
  std::vector<SheetEntry>& sheets_;
};

// Text of <t> elements, leaving out phonetic runs (<rPh>), as a string item
// or an inline string shows it.
class RichText {
 public:
  void start(std::string_view name) {
    if (name == "rPh") ++phonetic_depth_;
    if (name == "t" && phonetic_depth_ == 0) collecting_ = true;
  }
  void end(std::string_view name) {
    if (name == "rPh" && phonetic_depth_ > 0) --phonetic_depth_;
    if (name == "t") collecting_ = false;
  }
  void text(std::string_view data) {
    if (collecting_) text_ += data;
  }
  void clear() { text_.clear(); }
  const std::string& value() const { return text_; }

 private:
  std::string text_;
  int phonetic_depth_ = 0;
  bool collecting_ = false;
};

class SharedStringsHandler final : public XmlHandler {
 public:
  explicit SharedStringsHandler(std::vector<std::string>& strings) : strings_(strings) {}
  void start(std::string_view name, const XmlAttributes&) override {
    if (name == "si") {
      in_item_ = true;
      item_.clear();
    } else if (in_item_) {
      item_.start(name);
    }
  }
  void end(std::string_view name) override {
    if (name == "si") {
      in_item_ = false;
      strings_.push_back(item_.value());
    } else if (in_item_) {
      item_.end(name);
    }
  }
  void text(std::string_view data) override {
    if (in_item_) item_.text(data);
  }

 private:
  std::vector<std::string>& strings_;
  RichText item_;
  bool in_item_ = false;
};

long parse_count(std::string_view digits, long limit, const char* what) {
  long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size() || value < 1 || value > limit)
    throw ReadFailure(std::string("a ") + what + " number is not valid: \"" + std::string(digits) +
                      "\"");
  return value;
}

struct CellPosition {
  long row = 0;
  long column = 0;
};

// "B12" -> row 12, column 2.
CellPosition parse_reference(std::string_view reference) {
  std::size_t letters = 0;
  long column = 0;
  while (letters < reference.size() && reference[letters] >= 'A' && reference[letters] <= 'Z') {
    column = column * 26 + (reference[letters] - 'A' + 1);
    if (column > kMaxColumn)
      throw ReadFailure("a cell reference is not valid: \"" + std::string(reference) + "\"");
    ++letters;
  }
  if (letters == 0)
    throw ReadFailure("a cell reference is not valid: \"" + std::string(reference) + "\"");
  return {parse_count(reference.substr(letters), kMaxRow, "row"), column};
}

double parse_number(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw ReadFailure("a number cell holds \"" + std::string(text) + "\"");
  return value;
}

class WorksheetHandler final : public XmlHandler {
 public:
  WorksheetHandler(const std::vector<std::string>& shared, WorkbookBuilder& out)
      : shared_(shared), out_(out) {}

  void start(std::string_view name, const XmlAttributes& attributes) override {
    if (name == "row") {
      const auto r = attributes.get("r");
      row_ = r ? parse_count(*r, kMaxRow, "row") : row_ + 1;
      next_column_ = 1;
    } else if (name == "c") {
      start_cell(attributes);
    } else if (in_cell_ && name == "v") {
      in_value_ = true;
    } else if (in_cell_ && name == "is") {
      in_inline_ = true;
    } else if (in_inline_) {
      inline_text_.start(name);
    }
  }

  void end(std::string_view name) override {
    if (name == "c" && in_cell_) {
      finish_cell();
    } else if (name == "v") {
      in_value_ = false;
    } else if (name == "is") {
      in_inline_ = false;
    } else if (in_inline_) {
      inline_text_.end(name);
    }
  }

  void text(std::string_view data) override {
    if (in_value_) value_ += data;
    if (in_inline_) inline_text_.text(data);
  }

 private:
  void start_cell(const XmlAttributes& attributes) {
    if (row_ == 0) throw ReadFailure("a cell stands outside every row");
    const auto reference = attributes.get("r");
    position_ = reference ? parse_reference(*reference) : CellPosition{row_, next_column_};
    const auto type = attributes.get("t");
    type_ = type ? std::string(*type) : "n";
    value_.clear();
    inline_text_.clear();
    in_cell_ = true;
  }

  void finish_cell() {
    in_cell_ = false;
    next_column_ = position_.column + 1;
    const long r = position_.row;
    const long c = position_.column;
    if (type_ == "inlineStr") {
      out_.set_text(r, c, inline_text_.value());
      return;
    }
    if (type_ == "str") {  // a formula's text result, perhaps the empty text
      out_.set_text(r, c, value_);
      return;
    }
    if (value_.empty()) return;  // no cached value: an empty cell
    if (type_ == "s") {
      const long index = parse_index(value_);
      out_.set_text(r, c, shared_[static_cast<std::size_t>(index)]);
    } else if (type_ == "b") {
      out_.set_boolean(r, c, value_ != "0" && value_ != "false");
    } else if (type_ == "n") {
      out_.set_number(r, c, parse_number(value_));
    } else {  // "e" (error such as #N/A), "d" (ISO date)
      out_.set_text(r, c, value_);
    }
  }

  long parse_index(const std::string& text) const {
    long index = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
    if (error != std::errc() || end != text.data() + text.size() || index < 0 ||
        static_cast<std::size_t>(index) >= shared_.size())
      throw ReadFailure("a cell names shared string \"" + text + "\", which does not exist");
    return index;
  }

  const std::vector<std::string>& shared_;
  WorkbookBuilder& out_;
  long row_ = 0;
  long next_column_ = 1;
  CellPosition position_;
  std::string type_;
  std::string value_;
  RichText inline_text_;
  bool in_cell_ = false;
  bool in_value_ = false;
  bool in_inline_ = false;
};

std::vector<std::string> read_shared_strings(const Package& package,
                                             const std::vector<Relationship>& relationships) {
  std::vector<std::string> strings;
  if (const Relationship* shared = find_type(relationships, "/sharedStrings")) {
    SharedStringsHandler handler(strings);
    package.parse(shared->part, handler);
  }
  return strings;
}

}  // namespace

std::unique_ptr<quillan::Workbook> read_xlsx(const std::string& path) {
  Package package(path);
  const std::string workbook = workbook_part(package);
  std::vector<SheetEntry> sheets;
  WorkbookPartHandler workbook_handler(sheets);
  package.parse(workbook, workbook_handler);
  const auto relationships = read_relationships(package, workbook);
  const auto shared = read_shared_strings(package, relationships);

  WorkbookBuilder builder;
  for (const SheetEntry& sheet : sheets) {
    const Relationship* target = find_id(relationships, sheet.relationship_id);
    if (!target) throw ReadFailure("worksheet \"" + sheet.name + "\" has no part");
    // Chart sheets and dialog sheets are no worksheets: they take no position.
    if (!target->type.ends_with("/worksheet")) continue;
    builder.add_sheet(sheet.name);
    WorksheetHandler handler(shared, builder);
    package.parse(target->part, handler);
  }
  return builder.finish();
}

}  // namespace kalvor::platform::detail
