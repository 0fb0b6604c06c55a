// The HFCNoise converter: reads one HFCNoise input file (a four-line head, the
// road records, the barrier records and one line per receiver) and writes the
// exchange report directly, in a single pass over the input.
#pragma once

#include <string>
#include <vector>

#include "job/job_details.h"
#include "quillan/varnik.h"

namespace kalvor {

namespace reading {
class LineReader;
}  // namespace reading

namespace report {
class Writer;
}

class HFC_Lib {
 public:
  void Convert_From_HFCNoise(JobDetails& frmMain);

 private:
  // Everything one conversion reads, keeps and counts (hfc_run.h).
  struct Run;

  void write_report(JobDetails& frmMain);
  void close_file_handler(int channel);

  void HFCNoise_Misc_Info(JobDetails& frmMain, reading::LineReader& in, report::Writer& out);
  void read_switches(reading::LineReader& in);
  void read_record_counts(reading::LineReader& in);
  void run_record_phase(bool (HFC_Lib::*translate_next)(reading::LineReader&, report::Writer&),
                        reading::LineReader& in, report::Writer& out);
  void show_progress(double records_done);

  bool HFCNoise_Print_Roads(reading::LineReader& in, report::Writer& out);
  void read_road_head(const reading::LineReader& in, const std::vector<std::string>& line_a);
  void read_road_node(reading::LineReader& in);
  void write_road_link_head(report::Writer& out, long sub_link);
  void open_road_sub_link(reading::LineReader& in, report::Writer& out);
  void write_road_segment(report::Writer& out, long segment);

  bool HFCNoise_Print_Barriers(reading::LineReader& in, report::Writer& out);
  void read_barrier_node(reading::LineReader& in);
  void write_barrier_link_head(report::Writer& out, long sub_link);
  void write_barrier_segment(report::Writer& out, long segment);

  void HFCNoise_Print_NSRs_Headings(report::Writer& out);
  bool HFCNoise_Print_NSRs(reading::LineReader& in, report::Writer& out);
  void read_receiver(reading::LineReader& in, const std::string& line);
  quillan::Value view_bearing(const std::string& point_x, const std::string& point_y) const;
  void write_receiver(report::Writer& out, long row);

  quillan::Varnik lib_;
  Run* run_ = nullptr;
};

}  // namespace kalvor
