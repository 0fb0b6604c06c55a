// The HFCNoise conversion driver, the header block and the receiver table.
#include "hfc/hfc_lib.h"

#include <algorithm>

#include "bearing.h"
#include "hfc_input.h"
#include "hfc_run.h"
#include "job/active_run.h"
#include "quillan/error.h"
#include "quillan/text.h"
#include "reading/channels.h"
#include "reading/input_file.h"
#include "reading/record_loop.h"
#include "report/exchange_report.h"

namespace kalvor {

namespace {

constexpr int kInputChannel = 1;
constexpr int kReportChannel = 2;

// Head line 2: the switch fields and how many fields it needs.
constexpr std::size_t kFacadeField = 1;
constexpr std::size_t kOppositeFacadeField = 2;
constexpr std::size_t kRoadLevelField = 8;
constexpr std::size_t kBarrierLevelField = 9;
constexpr std::size_t kSwitchFieldCount = kBarrierLevelField + 1;

// Receiver lines: the name stands in the first characters, then the fields.
constexpr std::size_t kReceiverNameLength = 8;
constexpr std::size_t kReceiverFieldCount = 7;

constexpr const char* kInputRole = "the HFCNoise input file";

// Per cent of the records done. The counts of head line 3 serve only the
// progress bar and may be missing, zero, absurdly large or too small, so the
// share is kept within 0 to 100 and shows 0 when it cannot be told.
double progress_percent(double done, double total) {
  const double percent = total > 0 ? done / total * 100.0 : 0.0;
  if (!(percent >= 0.0)) return 0.0;  // also a share of infinite counts
  return std::min(percent, 100.0);
}

}  // namespace

void HFC_Lib::Convert_From_HFCNoise(JobDetails& frmMain) {
  Run run(frmMain);
  const ActiveRun active(run_, run);
  const reading::ChannelsClosedOnFailure channels(lib_);
  write_report(frmMain);
}

void HFC_Lib::write_report(JobDetails& frmMain) {
  frmMain.set_status("Processing...");

  const std::string input_path = frmMain.text(control::InputPath);
  reading::open_input(lib_, kInputChannel, kInputRole, input_path);
  lib_.open_file_handler(frmMain.text(control::OutputPath), "Output", kReportChannel, false);
  reading::LineReader in(lib_, kInputChannel, std::string(kInputRole) + " " + input_path);
  report::Writer out(lib_, kReportChannel, report::kHfcLabels);

  HFCNoise_Misc_Info(frmMain, in, out);
  out.empty_line();
  out.road_section_heading();
  out.empty_line();
  run_record_phase(&HFC_Lib::HFCNoise_Print_Roads, in, out);
  run_record_phase(&HFC_Lib::HFCNoise_Print_Barriers, in, out);
  HFCNoise_Print_NSRs_Headings(out);
  reading::for_each_record(
      run_->job, [&] { return HFCNoise_Print_NSRs(in, out); },
      [this](long rows) {
        show_progress(run_->roads_and_barriers_count + static_cast<double>(rows));
      });

  close_file_handler(kReportChannel);
  close_file_handler(kInputChannel);
  lib_.close_ALL_file_handler();
}

void HFC_Lib::close_file_handler(int channel) {
  lib_.close_file_handler(channel);
}

void HFC_Lib::HFCNoise_Misc_Info(JobDetails& frmMain, reading::LineReader& in,
                                 report::Writer& out) {
  run_->project_title = quillan::trim(in.next("the project title (head line 1)"));
  read_switches(in);
  read_record_counts(in);
  in.next("head line 4");

  out.consultant_block(report::consultant_from(frmMain));
  report::ProjectSettings settings;
  settings.title = run_->project_title;
  settings.date_time = report::header_date_time(frmMain);
  settings.coordinate_system = quillan::trim(frmMain.text(control::Coordinate));
  settings.year_of_traffic_flow = quillan::trim(frmMain.text(control::YearTrafficFlow));
  settings.multiple_screening = report::kNo;
  settings.opposite_facade = report::yes_no(run_->opposite_facade);
  // HFCNoise has fixed cut-off values.
  settings.cutoff_angle = quillan::one_decimal(1);
  settings.cutoff_distance = report::kNotApplicable;
  settings.cutoff_reflection = quillan::one_decimal(15);
  out.project_block(settings);
}

void HFC_Lib::read_switches(reading::LineReader& in) {
  const auto fields = hfc::next_fields(lib_, in, "the switches (head line 2)");
  if (fields.size() < kSwitchFieldCount)
    in.fail("expected at least " + std::to_string(kSwitchFieldCount) +
            " fields of switches on head line 2, found " + std::to_string(fields.size()));
  run_->facade_correction =
      hfc::truth_value(in, fields[kFacadeField], "the facade correction switch (field 2)");
  run_->opposite_facade = hfc::truth_value(in, fields[kOppositeFacadeField],
                                           "the opposite facade effect switch (field 3)");
  run_->road_level_switch =
      hfc::truth_value(in, fields[kRoadLevelField], "the road level switch (field 9)");
  run_->barrier_level_switch =
      hfc::truth_value(in, fields[kBarrierLevelField], "the barrier level switch (field 10)");
}

void HFC_Lib::read_record_counts(reading::LineReader& in) {
  const auto fields =
      hfc::fields_of(lib_, quillan::trim(in.next("the record counts (head line 3)")));
  if (fields.size() < 3) return;
  const auto count = [](const std::string& field) {
    return quillan::round_half_even(quillan::leading_number(field), 0);
  };
  const double roads = count(fields[0]);
  const double barriers = count(fields[1]);
  const double receivers = count(fields[2]);
  run_->roads_and_barriers_count = roads + barriers;
  run_->record_count_total = roads + barriers + receivers;
}

// Translates the records of one phase; the bar counts them from 0.
void HFC_Lib::run_record_phase(bool (HFC_Lib::*translate_next)(reading::LineReader&,
                                                               report::Writer&),
                               reading::LineReader& in, report::Writer& out) {
  reading::for_each_record(
      run_->job, [&] { return (this->*translate_next)(in, out); },
      [this](long records) { show_progress(static_cast<double>(records)); });
}

void HFC_Lib::show_progress(double records_done) {
  run_->job.set_progress(
      static_cast<float>(progress_percent(records_done, run_->record_count_total)));
}

void HFC_Lib::HFCNoise_Print_NSRs_Headings(report::Writer& out) {
  // The barrier phase wrote the section heading and the empty line below it.
  out.line(report::kReceiverHeading1);
  out.line(report::kReceiverHeading2);
}

bool HFC_Lib::HFCNoise_Print_NSRs(reading::LineReader& in, report::Writer& out) {
  while (!in.at_end()) {
    const std::string line = quillan::trim(in.next("a receiver line"));
    if (line.empty()) continue;
    ++run_->receiver_row;
    read_receiver(in, line);
    write_receiver(out, run_->receiver_row);
    return true;
  }
  return false;
}

// The name is the first characters of the line; all seven fields after it
// must be there, as a shorter line has no position of its own.
void HFC_Lib::read_receiver(reading::LineReader& in, const std::string& line) {
  run_->receiver_name = quillan::trim(line.substr(0, kReceiverNameLength));
  const auto fields =
      hfc::fields_of(lib_, quillan::trim(line.substr(std::min(line.size(), kReceiverNameLength))));
  if (fields.size() < kReceiverFieldCount)
    in.fail("expected a receiver name of up to " + std::to_string(kReceiverNameLength) +
            " characters and then " + std::to_string(kReceiverFieldCount) +
            " fields (Y X of the left limit, Y X of the receiver, Y X of the right limit, Z), "
            "found " +
            std::to_string(fields.size()) + " fields");
  constexpr const char* kFieldNames[] = {
      "Y of the left limit",  "X of the left limit",  "Y of the receiver", "X of the receiver",
      "Y of the right limit", "X of the right limit", "Z of the receiver"};
  for (std::size_t i = 0; i < kReceiverFieldCount; ++i)
    hfc::number_in(in, fields[i], kFieldNames[i]);
  run_->receiver = {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]};
}

// The bearing from the receiver to a view-limit point; a point on the
// receiver itself has no direction and shows N/A.
quillan::Value HFC_Lib::view_bearing(const std::string& point_x, const std::string& point_y) const {
  const auto number = [](const std::string& field) { return quillan::leading_number(field); };
  const auto& r = run_->receiver;
  const auto bearing = hfc::bearing_to(number(r.x), number(r.y), number(point_x), number(point_y),
                                       lib_.GetPIValue());
  return bearing ? report::Value(*bearing) : report::Value(report::kNotApplicable);
}

void HFC_Lib::write_receiver(report::Writer& out, long row) {
  report::ReceiverRow r;
  r.number = row;
  r.name = run_->receiver_name;
  r.x = run_->receiver.x;
  r.y = run_->receiver.y;
  r.z = run_->receiver.z;
  r.h = report::kNotApplicable;
  r.bearing_left = view_bearing(run_->receiver.left_x, run_->receiver.left_y);
  r.bearing_right = view_bearing(run_->receiver.right_x, run_->receiver.right_y);
  r.facade = report::yes_no(run_->facade_correction);
  out.receiver(r);
}

}  // namespace kalvor
