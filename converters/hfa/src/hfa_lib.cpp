#include "hfa/hfa_lib.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "hfa_run.h"
#include "job/active_run.h"
#include "platform/files.h"
#include "platform/scratch_folder.h"
#include "quillan/text.h"
#include "reading/channels.h"
#include "reading/input_file.h"
#include "reading/line_reader.h"
#include "reading/record_loop.h"
#include "report/exchange_report.h"

namespace kalvor {

namespace channel = hfa::channel;
namespace suffix = hfa::suffix;

namespace hfa {

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  return out;
}

double value_of(const std::string& field) {
  return quillan::leading_number(field);
}

std::string join_from(const std::vector<std::string>& fields, std::size_t first) {
  std::string out;
  for (std::size_t i = first; i < fields.size(); ++i) {
    if (i > first) out += ' ';
    out += fields[i];
  }
  return quillan::trim(out);
}

void input_error(const std::string& input_path, const std::string& what) {
  throw ConversionError("The HFANoise input file " + input_path + ": " + what);
}

void input_error(const std::string& input_path, long line_number, const std::string& what) {
  throw ConversionError(reading::line_message(kInputRole + (" " + input_path), line_number, what));
}

}  // namespace hfa

namespace {

// Status texts of the ordering phase, one per temporary file.
constexpr const char* kOrderingRoadsA2B =
    "Creating temporary files for further processing ... (Road A->B)";
constexpr const char* kOrderingRoadsB2A =
    "Creating temporary files for further processing ... (Road B->A)";
constexpr const char* kOrderingBarriers =
    "Creating temporary files for further processing ... (Barrier)";
constexpr const char* kOrderingReceivers =
    "Creating temporary files for further processing ... (Receiver)";

// Progress of the translation phase: it starts at a quarter of the bar.
constexpr double kTranslationStart = 25;
constexpr double kTranslationShare = 25;

double step_for(long records) {
  return kTranslationShare / (static_cast<double>(records) + 1);
}

// Moves the bar by `step` after each record.
auto advancing_by(JobDetails& job, double step) {
  return [&job, step](long) { job.advance_progress(step); };
}

}  // namespace

HFA_Lib::HFA_Lib() = default;
HFA_Lib::~HFA_Lib() = default;

void HFA_Lib::Convert_From_HFANoise(JobDetails& frmMain) {
  Run c(frmMain);
  const ActiveRun active(run_, c);
  const reading::ChannelsClosedOnFailure channels(lib_);
  c.input_path = frmMain.text(control::InputPath);
  c.output_path = frmMain.text(control::OutputPath);
  c.layout_barrier_path = quillan::trim(frmMain.text(control::LayoutBarrierFile));
  const auto scratch = platform::ScratchFolder::near(platform::folder_of(c.output_path));
  c.scratch_folder = scratch.path();
  const bool with_layout_barriers = !c.layout_barrier_path.empty();

  split_input(frmMain);
  order_temporary_files(frmMain);
  frmMain.set_status("Processing...");
  frmMain.set_progress(0);
  open_file_handler(piece(suffix::MiscPiece), 1, channel::MiscPiece);
  HFANoise_Misc_Info(frmMain, channel::MiscPiece);
  close_file_handler(channel::MiscPiece);
  if (with_layout_barriers) {
    HFANoise_CreateCheckIndexForLayBar(c.layout_barrier_path, channel::LayoutBarrierInput);
  }
  translate_records(frmMain, with_layout_barriers);
  if (with_layout_barriers) generate_layout_barriers(frmMain);
  assemble_report(frmMain, with_layout_barriers);
  lib_.close_ALL_file_handler();
}

void HFA_Lib::open_file_handler(const std::string& absolute_path, const quillan::Value& io_type,
                                int file_handler) {
  lib_.open_file_handler(absolute_path, io_type, file_handler, false);
}

void HFA_Lib::close_file_handler(int IFileNo) {
  lib_.close_file_handler(IFileNo);
}

std::string HFA_Lib::temp(const char* suffix) const {
  return run_->scratch_folder + "/temp" + suffix;
}

std::string HFA_Lib::piece(const char* suffix) const {
  return run_->scratch_folder + "/report" + suffix;
}

// Splits the input by record kind, then the roads by driving direction, and
// builds the node and layout look-ups from the finished temporary files.
void HFA_Lib::split_input(JobDetails& frmMain) {
  Run& c = *run_;
  long num_of_barriers = 0, num_of_NSRs = 0;
  reading::open_input(lib_, channel::Input, hfa::kInputRole, c.input_path);
  open_file_handler(temp(suffix::Roads), 1, channel::Roads);
  open_file_handler(temp(suffix::Barriers), 1, channel::Barriers);
  open_file_handler(temp(suffix::Receivers), 1, channel::Receivers);
  open_file_handler(temp(suffix::Nodes), 1, channel::Nodes);
  open_file_handler(temp(suffix::Layouts), 1, channel::Layouts);
  Divide_HFA_Input_File(frmMain, channel::Input, num_of_barriers, num_of_NSRs);
  for (int ch : {channel::Layouts, channel::Nodes, channel::Receivers, channel::Barriers,
                 channel::Roads, channel::Input}) {
    close_file_handler(ch);
  }
  c.node_index.load(lib_, temp(suffix::Nodes), channel::Nodes);
  c.layout_index.load(lib_, temp(suffix::Layouts), channel::Layouts);

  long num_of_roads_a2b = 0, num_of_roads_b2a = 0;
  open_file_handler(temp(suffix::Roads), 0, channel::Roads);
  open_file_handler(temp(suffix::RoadsA2B), 1, channel::RoadsA2B);
  open_file_handler(temp(suffix::RoadsB2A), 1, channel::RoadsB2A);
  Divide_Road_into_A2B_and_B2A(channel::Roads, channel::RoadsA2B, channel::RoadsB2A,
                               num_of_roads_a2b, num_of_roads_b2a);
  for (int ch : {channel::RoadsB2A, channel::RoadsA2B, channel::Roads}) close_file_handler(ch);

  c.num_of_roads_a2b = num_of_roads_a2b;
  c.num_of_roads_b2a = num_of_roads_b2a;
  c.num_of_barriers = num_of_barriers;
  c.num_of_NSRs = num_of_NSRs;
}

void HFA_Lib::order_temporary_files(JobDetails& frmMain) {
  Run& c = *run_;
  frmMain.set_progress(0);
  struct Job {
    const char* status;
    const char* sorted;
    int channel;
    const char* source;
    const hfa::NodeRange& range;
    long count;
  };
  const Job jobs[] = {
      {kOrderingRoadsA2B, suffix::SortedRoadsA2B, channel::SortedRoadsA2B, suffix::RoadsA2B,
       c.roads_a2b, c.num_of_roads_a2b},
      {kOrderingRoadsB2A, suffix::SortedRoadsB2A, channel::SortedRoadsB2A, suffix::RoadsB2A,
       c.roads_b2a, c.num_of_roads_b2a},
      {kOrderingBarriers, suffix::SortedBarriers, channel::SortedBarriers, suffix::Barriers,
       c.barriers, c.num_of_barriers},
      {kOrderingReceivers, suffix::SortedReceivers, channel::SortedReceivers, suffix::Receivers,
       c.receivers, c.num_of_NSRs},
  };
  for (const Job& job : jobs) {
    frmMain.set_status(job.status);
    open_file_handler(temp(job.sorted), 1, job.channel);
    rearrange_input_text_by_col(frmMain, temp(job.source), job.channel, job.range.max.to_number(),
                                job.range.min.to_number(), job.count);
    close_file_handler(job.channel);
  }
}

void HFA_Lib::translate_records(JobDetails& frmMain, bool with_layout_barriers) {
  Run& c = *run_;
  frmMain.set_progress(static_cast<float>(kTranslationStart));

  frmMain.set_status("Processing... (Road)");
  c.road_link_no = 0;
  const double road_step = step_for(c.num_of_roads_a2b + c.num_of_roads_b2a);
  open_file_handler(piece(suffix::RoadPiece), 1, channel::RoadPiece);
  // The A->B roads, then the B->A roads (roadflow 0 and 1).
  const std::pair<const char*, int> ordered_roads[] = {
      {suffix::SortedRoadsA2B, channel::SortedRoadsA2B},
      {suffix::SortedRoadsB2A, channel::SortedRoadsB2A}};
  for (int roadflow = 0; roadflow < 2; ++roadflow) {
    const int sorted_channel = ordered_roads[roadflow].second;
    open_file_handler(temp(ordered_roads[roadflow].first), 0, sorted_channel);
    reading::for_each_record(
        frmMain,
        [&] {
          return HFANoise_Print_Roads(sorted_channel, channel::RoadPiece, roadflow,
                                      with_layout_barriers);
        },
        advancing_by(frmMain, road_step));
    close_file_handler(sorted_channel);
  }
  report::Writer(lib_, channel::RoadPiece, report::kHfaLabels).empty_line();
  close_file_handler(channel::RoadPiece);

  frmMain.set_status("Processing... (Barrier)");
  c.barrier_link_no = 0;
  const double barrier_step = step_for(c.num_of_barriers);
  open_file_handler(piece(suffix::BarrierPiece), 1, channel::BarrierPiece);
  open_file_handler(temp(suffix::SortedBarriers), 0, channel::SortedBarriers);
  reading::for_each_record(
      frmMain,
      [&] { return HFANoise_Print_Barriers(channel::SortedBarriers, channel::BarrierPiece); },
      advancing_by(frmMain, barrier_step));
  close_file_handler(channel::SortedBarriers);
  close_file_handler(channel::BarrierPiece);

  frmMain.set_status("Processing... (Receiver)");
  c.receiver_no = 0;
  const double receiver_step = step_for(c.num_of_NSRs);
  open_file_handler(piece(suffix::ReceiverPiece), 1, channel::ReceiverPiece);
  HFANoise_Print_NSRs_Headings(channel::ReceiverPiece);
  open_file_handler(temp(suffix::SortedReceivers), 0, channel::SortedReceivers);
  reading::for_each_record(
      frmMain,
      [&] { return HFANoise_Print_NSRs(channel::SortedReceivers, channel::ReceiverPiece); },
      advancing_by(frmMain, receiver_step));
  close_file_handler(channel::SortedReceivers);
  close_file_handler(channel::ReceiverPiece);
}

void HFA_Lib::assemble_report(JobDetails& frmMain, bool with_layout_barriers) {
  Run& c = *run_;
  frmMain.set_status("Formatting Output... ");
  open_file_handler(c.output_path, 1, channel::Report);
  report::Writer report(lib_, channel::Report, report::kHfaLabels);
  lib_.CopyAllContents(piece(suffix::MiscPiece), channel::MiscPiece, channel::Report);
  report.empty_line();
  report.road_section_heading();
  lib_.CopyAllContents(
      piece(with_layout_barriers ? suffix::RoadPieceWithLayoutBarriers : suffix::RoadPiece),
      channel::RoadPiece, channel::Report);
  report.barrier_section_heading();
  lib_.CopyAllContents(piece(suffix::BarrierPiece), channel::BarrierPiece, channel::Report);
  if (with_layout_barriers) {
    open_file_handler(piece(suffix::SortedLayoutBarrierPiece), 1,
                      channel::SortedLayoutBarrierPiece);
    HFANoise_SortLB(piece(suffix::LeftLayoutBarrierPiece), channel::LeftLayoutBarrierPiece,
                    piece(suffix::RightLayoutBarrierPiece), channel::RightLayoutBarrierPiece,
                    channel::SortedLayoutBarrierPiece);
    close_file_handler(channel::SortedLayoutBarrierPiece);
    report.empty_line();
    lib_.CopyAllContents(piece(suffix::SortedLayoutBarrierPiece), channel::BarrierPiece,
                         channel::Report);
  }
  report.empty_line();
  report.receiver_section_heading();
  lib_.CopyAllContents(piece(suffix::ReceiverPiece), channel::ReceiverPiece, channel::Report);
  close_file_handler(channel::Report);
}

}  // namespace kalvor
