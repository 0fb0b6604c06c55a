// Splitting the input file into temporary files and putting them in order.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "chain_order.h"
#include "hfa/hfa_lib.h"
#include "hfa_run.h"
#include "quillan/text.h"

namespace kalvor {

using hfa::lower;
using hfa::value_of;
namespace channel = hfa::channel;

namespace {

// Sections of the input file, counted from 1 by their "---" lines. An empty
// node section leaves the count where it was, so the next section is read as
// nodes.
constexpr int kLinkSection = 1;
constexpr int kFirstNodeLine = 2;
constexpr int kNodeSection = 3;
constexpr int kLayoutSection = 4;

constexpr const char* kSectionMark = "---";

// Fields of a link line, counted from 0.
constexpr std::size_t kLinkDescription = 4;
constexpr std::size_t kLinkInclude = 5;
// Layout number and flow decide whether a layout line is kept.
constexpr std::size_t kLayoutFilterFields = 2;

bool is_receiver_kind(const std::string& kind) {
  return kind == "receiver" || kind == "sp_rec";
}

// Fields the translation reads from a line of each kind.
std::size_t fields_translated(const std::string& kind) {
  if (kind == "road") return hfa::min_fields::Road;
  if (is_receiver_kind(kind)) return hfa::min_fields::Receiver;
  if (kind == "barrier") return hfa::min_fields::Barrier;
  if (kind == "building") return hfa::min_fields::Building;
  return hfa::min_fields::Link;
}

void widen(quillan::Varnik& lib, hfa::NodeRange& range, const std::string& value) {
  lib.check_max_min_value(value, range.max, range.min);
}

}  // namespace

void HFA_Lib::Divide_HFA_Input_File(JobDetails& frmMain, int InputFileNo, long& num_of_barriers,
                                    long& num_of_NSRs) {
  Run& c = *run_;
  for (hfa::NodeRange* range :
       {&c.all_roads, &c.roads_a2b, &c.roads_b2a, &c.barriers, &c.receivers, &c.layouts}) {
    *range = hfa::NodeRange{};
  }
  frmMain.set_status("Creating temporary files for further processing ...");

  long line_no = 0;
  auto next_line = [&] {
    ++line_no;
    return quillan::trim(lib_.GetLine(InputFileNo));
  };
  while (!lib_.CheckEOF(InputFileNo) && c.title.empty()) c.title = next_line();
  c.soundplan_derived = lower(c.title) == "soundplan -> kalvor";

  int section = 0;
  while (!lib_.CheckEOF(InputFileNo)) {
    std::string line = next_line();
    if (line.find(kSectionMark) == std::string::npos) continue;
    ++section;
    // A section ends at its first empty line, or with the file.
    while (!lib_.CheckEOF(InputFileNo)) {
      line = next_line();
      if (line.empty()) break;
      if (section == kLinkSection) {
        handle_link_line(line, line_no, num_of_barriers, num_of_NSRs);
      } else if (section == kFirstNodeLine || section == kNodeSection) {
        section = kNodeSection;
        handle_node_line(line, line_no);
      } else if (section == kLayoutSection) {
        handle_layout_line(line, line_no);
      }
      frmMain.process_events();
    }
  }
}

void HFA_Lib::handle_link_line(const std::string& line, long line_no, long& num_of_barriers,
                               long& num_of_NSRs) {
  Run& c = *run_;
  std::vector<std::string> fields = lib_.split_inputline(line, " ");
  if (fields.size() < hfa::min_fields::Link) {
    hfa::input_error(c.input_path, line_no,
                     "a link line needs at least 6 fields (link, A-node, "
                     "B-node, layout, description, include flag), found " +
                         std::to_string(fields.size()));
  }
  if (lower(fields[kLinkInclude]) != "yes") return;
  const std::string kind = lower(fields[kLinkDescription]);
  // Every line whose two nodes differ is translated later; it must carry the
  // fields its kind needs.
  const std::size_t needed = fields_translated(kind);
  if (fields.size() < needed && value_of(fields[1]) != value_of(fields[2])) {
    hfa::input_error(c.input_path, line_no,
                     "a \"" + fields[kLinkDescription] + "\" line needs at least " +
                         std::to_string(needed) + " fields, found " +
                         std::to_string(fields.size()));
  }
  if (kind == "road") {
    lib_.PrintLine(channel::Roads, line, true);
    widen(lib_, c.all_roads, fields[1]);
    widen(lib_, c.all_roads, fields[2]);
    widen(lib_, c.layouts, fields[3]);
  } else if (is_receiver_kind(kind)) {
    lib_.PrintLine(channel::Receivers, line, true);
    widen(lib_, c.receivers, fields[1]);
    ++num_of_NSRs;
  } else {
    lib_.PrintLine(channel::Barriers, line, true);
    widen(lib_, c.barriers, fields[1]);
    widen(lib_, c.barriers, fields[2]);
    ++num_of_barriers;
  }
}

// Node lines are kept only when their number lies within the node numbers
// that the links use.
void HFA_Lib::handle_node_line(const std::string& line, long line_no) {
  Run& c = *run_;
  double max_node = 0, min_node = 9999;
  for (const hfa::NodeRange* range : {&c.all_roads, &c.barriers, &c.receivers}) {
    max_node = std::max(max_node, range->max.to_number());
    min_node = std::min(min_node, range->min.to_number());
  }
  std::vector<std::string> fields = lib_.split_inputline(line, " ");
  const double node = value_of(fields[0]);
  if (node < min_node || node > max_node) return;
  lib_.PrintLine(channel::Nodes, line, true);
  c.node_input_lines.push_back(line_no);
}

// Layout lines are kept when some road uses their number and their flow is
// not zero.
void HFA_Lib::handle_layout_line(const std::string& line, long line_no) {
  Run& c = *run_;
  std::vector<std::string> fields = lib_.split_inputline(line, " ");
  const double layout = value_of(fields[0]);
  if (layout < c.layouts.min.to_number() || layout > c.layouts.max.to_number()) return;
  if (fields.size() < kLayoutFilterFields) {
    hfa::input_error(c.input_path, line_no,
                     "a layout line needs at least " + std::to_string(hfa::min_fields::Layout) +
                         " fields, found " + std::to_string(fields.size()));
  }
  if (value_of(fields[1]) == 0) return;
  lib_.PrintLine(channel::Layouts, line, true);
  c.layout_input_lines.push_back(line_no);
}

void HFA_Lib::Divide_Road_into_A2B_and_B2A(int InputFileNo, int A2BFileNo, int B2AFileNo,
                                           long& num_of_roads_a2b, long& num_of_roads_b2a) {
  Run& c = *run_;
  c.roads_a2b = hfa::NodeRange{};
  c.roads_b2a = hfa::NodeRange{};
  while (!lib_.CheckEOF(InputFileNo)) {
    const std::string line = quillan::trim(lib_.GetLine(InputFileNo));
    if (line.empty()) continue;
    std::vector<std::string> fields = lib_.split_inputline(line, " ");
    // Only link lines with all their fields were written to the road file.
    if (fields.size() < hfa::min_fields::Link)
      throw std::logic_error("a line of the road file has lost fields: \"" + line + "\"");
    // A road whose layout is not found runs A to B.
    c.layout.direction.clear();
    if (quillan::is_numeric_text(fields[3])) HFANoise_Get_Layout(fields[3]);
    if (lower(c.layout.direction) == "b->a") {
      std::swap(fields[1], fields[2]);
      for (const std::string& field : fields) {
        lib_.PrintLine(B2AFileNo, quillan::trim(field) + "  ", false);
      }
      lib_.PrintLine(B2AFileNo, "", true);
      ++num_of_roads_b2a;
      widen(lib_, c.roads_b2a, fields[1]);
      widen(lib_, c.roads_b2a, fields[2]);
    } else {
      lib_.PrintLine(A2BFileNo, line, true);
      ++num_of_roads_a2b;
      widen(lib_, c.roads_a2b, fields[1]);
      widen(lib_, c.roads_a2b, fields[2]);
    }
    c.job.process_events();
  }
}

void HFA_Lib::rearrange_input_text_by_col(JobDetails& frmMain, const std::string& IFileAbsoluteName,
                                          int Output_FileID, double MaxNode, double MinNode,
                                          long NumOfNodes) {
  std::vector<std::string> lines;
  std::vector<hfa::NodeRow> rows;
  open_file_handler(IFileAbsoluteName, 0, channel::Reordered);
  while (!lib_.CheckEOF(channel::Reordered)) {
    std::string line = quillan::trim(lib_.GetLine(channel::Reordered));
    if (line.empty()) continue;
    std::vector<std::string> fields = lib_.split_inputline(line, " ");
    if (fields.size() < 3) {
      throw ConversionError(IFileAbsoluteName + ": the line \"" + line +
                            "\" has no A-node and B-node fields");
    }
    rows.push_back({value_of(fields[1]), value_of(fields[2])});
    lines.push_back(std::move(line));
  }
  close_file_handler(channel::Reordered);

  // The bar sweeps once per pass over the node range, as a scan of the whole
  // file per visited node would move it.
  const double range = MaxNode < MinNode ? 1 : MaxNode - MinNode + 1;
  double visit_step =
      100.0 / (static_cast<double>(NumOfNodes) + 1) / range * static_cast<double>(NumOfNodes);
  if (!std::isfinite(visit_step)) visit_step = 0;
  frmMain.set_progress(0);
  auto on_visit = [&frmMain, visit_step] {
    frmMain.process_events();
    const double next = frmMain.progress() + visit_step;
    frmMain.set_progress(static_cast<float>(next > 100 ? 0 : next));
  };
  const hfa::OrderMode mode = Output_FileID == channel::SortedReceivers ? hfa::OrderMode::Receivers
                                                                        : hfa::OrderMode::Chains;
  hfa::ChainOrder order(rows, mode, on_visit);
  for (std::size_t row : order.run(MinNode, MaxNode)) {
    lib_.PrintLine(Output_FileID, lines[row], true);
  }
  frmMain.set_progress(100);
}

}  // namespace kalvor
