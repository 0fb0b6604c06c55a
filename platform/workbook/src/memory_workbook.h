// The workbook both readers fill: every worksheet's cells held in memory.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "quillan/value.h"
#include "quillan/workbook.h"

namespace kalvor::platform::detail {

// The largest worksheet a spreadsheet program writes.
inline constexpr long kMaxRow = 1048576;
inline constexpr long kMaxColumn = 16384;

// A reader's complaint about the file's content; open_workbook adds the path.
class ReadFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Sheet {
  std::string name;
  std::unordered_map<std::uint64_t, quillan::Value> cells;
};

class MemoryWorkbook final : public quillan::Workbook {
 public:
  explicit MemoryWorkbook(std::vector<Sheet> sheets) : sheets_(std::move(sheets)) {}

  int sheet_count() const override { return static_cast<int>(sheets_.size()); }
  quillan::Value cell(const quillan::Value& sheet, long row, long column) const override;

 private:
  const Sheet& sheet_at(const quillan::Value& sheet) const;

  std::vector<Sheet> sheets_;
};

// Collects the worksheets and cells a reader finds. Texts arrive as UTF-8 and
// are kept in Windows-1252. The number of cells is limited, so a small but
// hostile file cannot make the program take all the memory there is.
class WorkbookBuilder {
 public:
  static constexpr std::size_t kMaxCells = 10'000'000;

  void add_sheet(const std::string& utf8_name);
  void set_number(long row, long column, double number);
  void set_text(long row, long column, const std::string& utf8_text);
  void set_boolean(long row, long column, bool flag);

  std::unique_ptr<quillan::Workbook> finish();

 private:
  void set(long row, long column, quillan::Value value);

  std::vector<Sheet> sheets_;
  std::size_t cell_count_ = 0;
};

// The key of a cell in Sheet::cells.
std::uint64_t cell_key(long row, long column);

}  // namespace kalvor::platform::detail
