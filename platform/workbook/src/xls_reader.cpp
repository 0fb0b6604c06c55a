// .xls: a BIFF8 workbook in an OLE2 compound file. libgsf opens the container
// and hands over the Workbook stream; its records are read here, in one pass
// over the workbook globals (code page, worksheets, shared strings) and one
// pass over each worksheet's cells. Every length in the file is checked
// before it is used.
#include <array>
#include <bit>
#include <fstream>
#include <optional>

#include "biff_bytes.h"
#include "compound_file.h"
#include "memory_workbook.h"
#include "readers.h"

namespace kalvor::platform::detail {

namespace {

namespace record {
constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kWsBool = 0x0081;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kRString = 0x00D6;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kString = 0x0207;
constexpr std::uint16_t kArray = 0x0221;
constexpr std::uint16_t kTable = 0x0236;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kSharedFormula = 0x04BC;
constexpr std::uint16_t kBof = 0x0809;
}  // namespace record

constexpr std::uint16_t kBiff8 = 0x0600;
constexpr std::uint16_t kGlobalsSubstream = 0x0005;
constexpr std::uint16_t kWorksheetSubstream = 0x0010;
constexpr std::uint8_t kWorksheetOrDialog = 0;
constexpr std::uint16_t kDialogSheetFlag = 0x0010;  // in WSBOOL
constexpr std::uint8_t kRichTextFlag = 0x08;
constexpr std::uint8_t kPhoneticFlag = 0x04;
constexpr std::uint8_t kHighByteFlag = 0x01;

[[noreturn]] void damaged(const std::string& what) {
  throw ReadFailure("it is damaged: " + what);
}

struct Record {
  std::uint16_t type = 0;
  std::string_view body;
};

// The records of the Workbook stream from a given offset on.
class RecordStream {
 public:
  RecordStream(std::string_view stream, std::size_t offset) : stream_(stream), position_(offset) {
    if (offset > stream.size()) damaged("a worksheet starts past the end of the workbook stream");
  }

  // The next record; nothing at the end of the stream.
  std::optional<Record> next() {
    if (position_ == stream_.size()) return std::nullopt;
    if (stream_.size() - position_ < 4) damaged("a record is cut short");
    const auto byte = [&](std::size_t i) {
      return static_cast<std::uint8_t>(stream_[position_ + i]);
    };
    Record r;
    r.type = static_cast<std::uint16_t>(byte(0) | (byte(1) << 8));
    const std::size_t length = byte(2) | (byte(3) << 8);
    position_ += 4;
    if (length > stream_.size() - position_)
      damaged("a record's length points past the end of the workbook stream");
    r.body = stream_.substr(position_, length);
    position_ += length;
    return r;
  }

  // The record with the CONTINUE records that follow it.
  RecordBytes continued(const Record& first) {
    std::vector<std::string_view> segments{first.body};
    while (next_is(record::kContinue)) segments.push_back(next()->body);
    return RecordBytes(std::move(segments));
  }

 private:
  bool next_is(std::uint16_t type) const {
    return stream_.size() - position_ >= 4 &&
           static_cast<std::uint8_t>(stream_[position_]) == (type & 0xFF) &&
           static_cast<std::uint8_t>(stream_[position_ + 1]) == (type >> 8);
  }

  std::string_view stream_;
  std::size_t position_;
};

Record first_record(RecordStream& records) {
  const auto bof = records.next();
  if (!bof) damaged("the workbook stream is empty");
  return *bof;
}

// The BOF record's substream kind; a BIFF version other than 8 is refused.
std::uint16_t substream_kind(const Record& bof) {
  RecordBytes bytes(bof.body);
  if (bof.type != record::kBof || bytes.u16() != kBiff8)
    throw ReadFailure("it is not an Excel 97-2003 (BIFF8) workbook");
  return bytes.u16();
}

struct SheetEntry {
  std::string name;
  std::uint32_t offset = 0;
};

struct Globals {
  EightBitCharacters narrow;
  std::vector<SheetEntry> sheets;
  std::vector<std::string> strings;
};

// One XLUnicodeRichExtendedString of the shared-string table; its rich-text
// runs and phonetic block are skipped.
std::string shared_string(RecordBytes& bytes, const EightBitCharacters& narrow) {
  const std::uint16_t count = bytes.u16();
  const std::uint8_t flags = bytes.u8();
  const std::uint16_t runs = (flags & kRichTextFlag) ? bytes.u16() : 0;
  const std::uint32_t phonetic = (flags & kPhoneticFlag) ? bytes.u32() : 0;
  std::string text = bytes.characters(count, (flags & kHighByteFlag) != 0, narrow);
  bytes.skip(std::size_t{4} * runs);
  bytes.skip(phonetic);
  return text;
}

std::vector<std::string> shared_strings(RecordBytes bytes, const EightBitCharacters& narrow) {
  bytes.u32();  // references to the table in the whole workbook
  const std::uint32_t unique = bytes.u32();
  std::vector<std::string> strings;
  for (std::uint32_t i = 0; i < unique && !bytes.at_end(); ++i)
    strings.push_back(shared_string(bytes, narrow));
  return strings;
}

// BOUNDSHEET8: where the sheet's substream starts, its visibility (hidden
// sheets are read too), its kind and its name.
void add_sheet_entry(const Record& r, Globals& globals) {
  RecordBytes bytes(r.body);
  SheetEntry entry;
  entry.offset = bytes.u32();
  bytes.u8();  // visibility
  const std::uint8_t kind = bytes.u8();
  const std::uint8_t length = bytes.u8();
  const bool wide = (bytes.u8() & kHighByteFlag) != 0;
  entry.name = bytes.characters(length, wide, globals.narrow);
  if (kind == kWorksheetOrDialog) globals.sheets.push_back(std::move(entry));
}

Globals read_globals(std::string_view stream) {
  RecordStream records(stream, 0);
  if (substream_kind(first_record(records)) != kGlobalsSubstream)
    throw ReadFailure("it is not an Excel 97-2003 (BIFF8) workbook");
  Globals globals;
  while (const auto r = records.next()) {
    switch (r->type) {
      case record::kEof:
        return globals;
      case record::kFilePass:
        throw ReadFailure("it is encrypted; save it without a password to open");
      case record::kCodePage:
        globals.narrow.use_code_page(RecordBytes(r->body).u16());
        break;
      case record::kBoundSheet:
        add_sheet_entry(*r, globals);
        break;
      case record::kSst:
        globals.strings = shared_strings(records.continued(*r), globals.narrow);
        break;
      default:
        break;
    }
  }
  damaged("the workbook globals have no end");
}

// RK: a 30-bit integer or the high 30 bits of a double, perhaps times 100.
double rk_number(std::uint32_t rk) {
  const double value = (rk & 0x02) ? static_cast<double>(static_cast<std::int32_t>(rk) >> 2)
                                   : std::bit_cast<double>(std::uint64_t{rk & 0xFFFFFFFCu} << 32);
  return (rk & 0x01) ? value / 100 : value;
}

std::string error_text(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return "#NULL!";
    case 0x07:
      return "#DIV/0!";
    case 0x0F:
      return "#VALUE!";
    case 0x17:
      return "#REF!";
    case 0x1D:
      return "#NAME?";
    case 0x24:
      return "#NUM!";
    case 0x2A:
      return "#N/A";
    case 0x2B:
      return "#GETTING_DATA";
    default:
      damaged("a cell holds an unknown error code");
  }
}

struct CellAddress {
  long row = 0;
  long column = 0;
};

CellAddress cell_address(RecordBytes& bytes) {
  const long row = bytes.u16() + 1L;
  const long column = bytes.u16() + 1L;
  return {row, column};
}

std::string describe(const CellAddress& at) {
  return "row " + std::to_string(at.row) + ", column " + std::to_string(at.column);
}

// The cells of one worksheet substream, from its BOF to its EOF. Charts
// embedded in the worksheet bring their own BOF/EOF pairs; their records are
// passed over.
class SheetReader {
 public:
  SheetReader(const Globals& globals, const SheetEntry& entry, WorkbookBuilder& out)
      : globals_(globals), entry_(entry), out_(out) {}

  void read(RecordStream records) {
    if (substream_kind(first_record(records)) != kWorksheetSubstream) return;  // a chart or macro
    int depth = 0;
    while (const auto r = records.next()) {
      if (r->type == record::kBof) {
        ++depth;
      } else if (r->type == record::kEof) {
        if (depth-- == 0) return finish();
      } else if (depth == 0) {
        handle(*r, records);
      }
    }
    damaged("worksheet \"" + entry_.name + "\" has no end");
  }

 private:
  void handle(const Record& r, RecordStream& records) {
    if (pending_text_ && r.type != record::kString && r.type != record::kSharedFormula &&
        r.type != record::kArray && r.type != record::kTable)
      missing_formula_text();
    RecordBytes bytes(r.body);
    if (r.type == record::kWsBool) dialog_ = (bytes.u16() & kDialogSheetFlag) != 0;
    if (dialog_) return;
    switch (r.type) {
      case record::kNumber:
        number_cell(bytes);
        break;
      case record::kRk:
        rk_cell(bytes);
        break;
      case record::kMulRk:
        mulrk_cells(bytes, r.body.size());
        break;
      case record::kLabelSst:
        shared_string_cell(bytes);
        break;
      case record::kLabel:
      case record::kRString:
        text_cell(bytes);
        break;
      case record::kBoolErr:
        boolerr_cell(bytes);
        break;
      case record::kFormula:
        formula_cell(bytes);
        break;
      case record::kString:
        formula_text(records.continued(r));
        break;
      default:
        break;  // BLANK, MULBLANK, formats, row heights, merged ranges ...
    }
  }

  // A dialog sheet takes no worksheet position and its cells are not read;
  // a worksheet is added at its first cell, or at its end when it has none.
  WorkbookBuilder& sheet() {
    if (!added_) out_.add_sheet(entry_.name);
    added_ = true;
    return out_;
  }

  void finish() {
    if (pending_text_) missing_formula_text();
    if (!dialog_ && !added_) out_.add_sheet(entry_.name);
  }

  void number_cell(RecordBytes& bytes) {
    const CellAddress at = cell_address(bytes);
    bytes.u16();  // format
    sheet().set_number(at.row, at.column, bytes.f64());
  }

  void rk_cell(RecordBytes& bytes) {
    const CellAddress at = cell_address(bytes);
    bytes.u16();
    sheet().set_number(at.row, at.column, rk_number(bytes.u32()));
  }

  // Row, first column, (format, RK) per column, last column.
  void mulrk_cells(RecordBytes& bytes, std::size_t length) {
    if (length < 6 || (length - 6) % 6 != 0) damaged("a MULRK record has a wrong length");
    const CellAddress first = cell_address(bytes);
    const std::size_t count = (length - 6) / 6;
    for (std::size_t i = 0; i < count; ++i) {
      bytes.u16();
      sheet().set_number(first.row, first.column + static_cast<long>(i), rk_number(bytes.u32()));
    }
    if (bytes.u16() + 1L != first.column + static_cast<long>(count) - 1)
      damaged("a MULRK record's last column does not match its cells");
  }

  void shared_string_cell(RecordBytes& bytes) {
    const CellAddress at = cell_address(bytes);
    bytes.u16();
    const std::uint32_t index = bytes.u32();
    if (index >= globals_.strings.size())
      damaged("a cell names shared string " + std::to_string(index) + ", which does not exist");
    sheet().set_text(at.row, at.column, globals_.strings[index]);
  }

  // LABEL and RSTRING: the text stands in the record (RSTRING's formatting
  // runs follow it and are not needed).
  void text_cell(RecordBytes& bytes) {
    const CellAddress at = cell_address(bytes);
    bytes.u16();
    sheet().set_text(at.row, at.column, bytes.unicode_string(globals_.narrow));
  }

  void boolerr_cell(RecordBytes& bytes) {
    const CellAddress at = cell_address(bytes);
    bytes.u16();
    const std::uint8_t value = bytes.u8();
    if (bytes.u8() != 0)
      sheet().set_text(at.row, at.column, error_text(value));
    else
      sheet().set_boolean(at.row, at.column, value != 0);
  }

  // FORMULA: its cached result is a number, or, marked by 0xFFFF in the top
  // two bytes, a text in the following STRING record, a Boolean, an error
  // or the empty text.
  void formula_cell(RecordBytes& bytes) {
    const CellAddress at = cell_address(bytes);
    bytes.u16();
    std::array<std::uint8_t, 8> result;
    for (auto& b : result) b = bytes.u8();
    if (result[6] != 0xFF || result[7] != 0xFF) {
      std::uint64_t bits = 0;
      for (std::size_t i = 0; i < 8; ++i) bits |= std::uint64_t{result[i]} << (8 * i);
      sheet().set_number(at.row, at.column, std::bit_cast<double>(bits));
      return;
    }
    switch (result[0]) {
      case 0:
        sheet();
        pending_text_ = at;
        break;
      case 1:
        sheet().set_boolean(at.row, at.column, result[2] != 0);
        break;
      case 2:
        sheet().set_text(at.row, at.column, error_text(result[2]));
        break;
      case 3:
        sheet().set_text(at.row, at.column, "");
        break;
      default:
        damaged("the formula in " + describe(at) + " has a result of unknown kind");
    }
  }

  void formula_text(RecordBytes bytes) {
    if (!pending_text_) return;  // a STRING record without its formula says nothing
    sheet().set_text(pending_text_->row, pending_text_->column,
                     bytes.unicode_string(globals_.narrow));
    pending_text_.reset();
  }

  [[noreturn]] void missing_formula_text() const {
    damaged("the text result of the formula in " + describe(*pending_text_) + " of worksheet \"" +
            entry_.name + "\" is missing");
  }

  const Globals& globals_;
  const SheetEntry& entry_;
  WorkbookBuilder& out_;
  bool dialog_ = false;
  bool added_ = false;
  std::optional<CellAddress> pending_text_;
};

std::string read_file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw ReadFailure("the file cannot be opened for reading");
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    throw ReadFailure("the file cannot be read to its end");
  return bytes;
}

}  // namespace

std::unique_ptr<quillan::Workbook> read_xls_bytes(std::string_view file) {
  const std::string stream = workbook_stream(file);
  const Globals globals = read_globals(stream);
  WorkbookBuilder builder;
  for (const SheetEntry& entry : globals.sheets)
    SheetReader(globals, entry, builder).read(RecordStream(stream, entry.offset));
  return builder.finish();
}

std::unique_ptr<quillan::Workbook> read_xls(const std::string& path) {
  return read_xls_bytes(read_file_bytes(path));
}

}  // namespace kalvor::platform::detail
