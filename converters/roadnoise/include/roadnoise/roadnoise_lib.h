// The RoadNoise converter: reads a RoadNoise master file and the companion
// files it names (flows, road segments, barrier lines, receivers) and writes
// the exchange report directly.
#pragma once

#include <string>
#include <string_view>

#include "job/job_details.h"
#include "quillan/varnik.h"
#include "reading/line_reader.h"
#include "report/exchange_report.h"

namespace kalvor {

namespace roadnoise {
struct SegmentRecord;
struct BarrierPoints;
struct LinePoints;
struct ReceiverRecord;
class FlowTable;
class KeywordValue;
}  // namespace roadnoise

class RoadNoise_Lib {
 public:
  RoadNoise_Lib();
  ~RoadNoise_Lib();
  RoadNoise_Lib(const RoadNoise_Lib&) = delete;
  RoadNoise_Lib& operator=(const RoadNoise_Lib&) = delete;

  // Converts the project whose master file is the job's input path into the
  // exchange report at the job's output path. Every conversion starts afresh.
  void Convert_From_RoadNoise(JobDetails& frmMain);

 private:
  // Everything one conversion reads, keeps and counts (roadnoise_run.h).
  struct Run;

  void RoadNoise_Consultant_Info(JobDetails& frmMain, report::Writer& out);
  void read_master_file(reading::LineReader& master, report::Writer& out);
  void take_cutoff_values(const std::string& line);
  void note_companion_files(const std::string& line, long line_number);
  void write_project_header(report::Writer& out);
  void require_companion(std::string_view extension) const;
  reading::LineReader companion_reader(std::string_view extension);
  void translate_barrier_files(report::Writer& out);

  void RoadNoise_Print_Roads(reading::LineReader& in, report::Writer& out);
  void RoadNoise_Get_Flow(const std::string& flow_number);
  const roadnoise::FlowTable& flow_table();
  void start_road_link(const roadnoise::SegmentRecord& record, const std::string& file,
                       report::Writer& out);
  void set_carriageway(int code);
  void set_surface(int code, const std::string& texture);
  void write_road_link_head(report::Writer& out);

  void RoadNoise_Print_Barriers(reading::LineReader& in, report::Writer& out);
  void RoadNoise_Print_HSE_Barriers(reading::LineReader& in, report::Writer& out);
  void RoadNoise_Print_Line_Barriers(reading::LineReader& in, report::Writer& out);
  void take_barrier_columns(const std::string& line, long line_number);
  void begin_barrier_link(const std::string& type, report::Writer& out);
  void write_barrier_row(roadnoise::BarrierPoints& points, const std::string& file,
                         report::Writer& out);
  void write_line_row(roadnoise::LinePoints& points, bool ground_line, const std::string& file,
                      report::Writer& out);
  std::string line_barrier_type(bool ground_line, const roadnoise::KeywordValue& ground,
                                const std::string& file) const;

  void RoadNoise_Print_NSRs(reading::LineReader& in, report::Writer& out);
  void write_receiver(const roadnoise::ReceiverRecord& record, const std::string& receiver_id,
                      const std::string& file, report::Writer& out);

  quillan::Varnik lib_;
  Run* run_ = nullptr;
};

}  // namespace kalvor
