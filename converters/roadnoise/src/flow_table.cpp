#include "flow_table.h"

#include "quillan/text.h"

namespace kalvor::roadnoise {

FlowTable::FlowTable(reading::LineReader& flow_file) : file_(flow_file.file()) {
  FlowRecord current;
  KeywordValue flow_number{"FNO"};
  while (!flow_file.at_end()) {
    const std::string line = quillan::trim(flow_file.next_line());
    if (line.empty()) continue;
    const long n = flow_file.line_number();
    current.flow.take(line, n);
    current.heavy_vehicles.take(line, n);
    current.speed.take(line, n);
    current.gradient_basis.take(line, n);
    flow_number.take(line, n);
    // The first line on which a flow number stands is the one a scan stops at.
    records_.try_emplace(flow_number.text(), current);
  }
}

const FlowRecord* FlowTable::find(const std::string& flow_number) const {
  auto it = records_.find(flow_number);
  return it == records_.end() ? nullptr : &it->second;
}

}  // namespace kalvor::roadnoise
