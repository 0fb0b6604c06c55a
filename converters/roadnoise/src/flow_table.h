// The traffic records of a RoadNoise flow file, read once per conversion.
//
// A road link names its traffic by flow number. Reading the flow file from
// its start for every link would find the first line whose FNO value equals
// that number, with the FLO, PHV, SPD and BAS values carried over up to that
// line. The table keeps exactly that snapshot for every flow number, so a
// lookup returns what such a scan would.
#pragma once

#include <string>
#include <unordered_map>

#include "keyword_record.h"
#include "reading/line_reader.h"

namespace kalvor::roadnoise {

struct FlowRecord {
  KeywordValue flow{"FLO"};
  KeywordValue heavy_vehicles{"PHV"};
  KeywordValue speed{"SPD"};
  KeywordValue gradient_basis{"BAS"};
};

class FlowTable {
 public:
  // Reads every line of the flow file; lines are trimmed, empty ones skipped.
  explicit FlowTable(reading::LineReader& flow_file);

  // The record of a flow number (compared exactly as text), or nullptr when
  // no line of the file carries it.
  const FlowRecord* find(const std::string& flow_number) const;
  // The flow file's role and path, for messages.
  const std::string& file() const { return file_; }

 private:
  std::string file_;
  std::unordered_map<std::string, FlowRecord> records_;
};

}  // namespace kalvor::roadnoise
