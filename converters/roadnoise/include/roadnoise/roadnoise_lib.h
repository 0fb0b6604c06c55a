// The RoadNoise converter: reads a RoadNoise master file and the companion
// files it names (flows, road segments, barrier lines, receivers) and writes
// the exchange report directly.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "job/job_details.h"
#include "quillan/varnik.h"
#include "reading/line_reader.h"
#include "report/exchange_report.h"
#include "roadnoise/flow_table.h"
#include "roadnoise/keyword_record.h"

namespace kalvor {

namespace roadnoise {
struct SegmentRecord;
struct BarrierPoints;
struct LinePoints;
struct ReceiverRecord;
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
  // A companion file named by the master file.
  struct NamedFile {
    std::string path;
    long master_line = 0;
  };

  // The values of the road link record being written. Flow direction,
  // surface type and texture depth keep the previous link's values unless the
  // link's codes set them.
  struct RoadLinkValues {
    std::string link_id, category, flow, speed, gradient_correction, heavy_vehicles;
    std::string flow_direction, dual_carriageway, vertical_separation;
    std::string surface_type, texture_depth;
  };

  void reset(JobDetails& job);
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
  void set_carriageway(double code);
  void set_surface(double code, const std::string& texture);
  void write_road_link_head(report::Writer& out);

  void RoadNoise_Print_Barriers(reading::LineReader& in, report::Writer& out);
  void RoadNoise_Print_HSE_Barriers(reading::LineReader& in, report::Writer& out);
  void RoadNoise_Print_Line_Barriers(reading::LineReader& in, report::Writer& out);
  void take_barrier_columns(const std::string& line, long line_number);
  void begin_barrier_link(const std::string& type, report::Writer& out);
  void write_barrier_row(roadnoise::BarrierPoints& points, report::Writer& out);
  void write_line_row(roadnoise::LinePoints& points, bool ground_line, report::Writer& out);
  std::string line_barrier_type(bool ground_line, const roadnoise::KeywordValue& ground,
                                const std::string& file) const;

  void RoadNoise_Print_NSRs(reading::LineReader& in, report::Writer& out);
  void write_receiver(const roadnoise::ReceiverRecord& record, const std::string& receiver_id,
                      const std::string& file, report::Writer& out);

  quillan::Varnik lib_;
  JobDetails* job_ = nullptr;

  // Conversion state, reset at the start of every conversion.
  std::string master_path_;
  std::string master_folder_;
  std::string project_title_;
  std::string cutoff_angle_, cutoff_distance_, cutoff_reflection_;
  NamedFile flow_file_;
  std::map<std::string, NamedFile, std::less<>> companions_;
  std::optional<roadnoise::FlowTable> flows_;
  long line_counter_ = 0;
  long link_number_ = 0;
  RoadLinkValues road_;
  // Carried from one barrier file to the next within a conversion.
  std::string saved_link_id_;
  std::string barrier_type_;
  roadnoise::KeywordValue foa_{"FOA"}, wba_{"WBA"};
};

}  // namespace kalvor
