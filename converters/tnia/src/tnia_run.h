// The state of one TNIA conversion, built at its entry: the open workbook,
// the indexes of its worksheets and the values carried from row to row.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "quillan/value.h"
#include "quillan/workbook.h"
#include "report/exchange_report.h"
#include "sheet_index.h"
#include "tnia/tnia_lib.h"

namespace kalvor {

struct TNIA_Lib::Run {
  explicit Run(JobDetails& job) : job(job) {}

  JobDetails& job;
  std::string workbook_path;
  std::string pieces;  // the private folder and the start of the piece names
  std::unique_ptr<quillan::Workbook> workbook;
  long current_row = 0;  // of worksheet 1
  long road_link_no = 0, barrier_link_no = 0, receiver_no = 0, segment_no = 0;
  Value previous_id, current_id;
  report::DateTimeText date_time;
  double progress = 0, road_step = 0, barrier_step = 0, receiver_step = 0;
  // The current road link's width and the previous node, as the segment
  // rows of roads (formatted) and barriers (rounded) need them.
  Value road_width;
  Value node_x, node_y, node_z;
  double barrier_height = 0;
  std::map<int, tnia::FirstRowIndex> feature_rows;  // by attribute worksheet
  std::optional<tnia::RowGroups> level_rows;
};

}  // namespace kalvor
