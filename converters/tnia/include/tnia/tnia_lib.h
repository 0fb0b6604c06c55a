// The TNIA v2.0 workbook converter: reads the six worksheets of a workbook
// (geometry, road links, barriers of kinds A/B and O, receivers, receiver
// levels) and writes the exchange report through piece files that it merges,
// filling in which barriers belong to which roads.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "job/job_details.h"
#include "quillan/value.h"
#include "quillan/varnik.h"

namespace kalvor {

namespace tnia {
class RowGroups;
}  // namespace tnia

class TNIA_Lib {
 public:
  void Convert_From_TNIA(JobDetails& frmMain);

 private:
  using Value = quillan::Value;

  // Which report lines the association merge completes: the road links'
  // associated barriers or the barrier links' associated roads.
  enum class Association { BarriersOfRoads, RoadsOfBarriers };

  // Everything one conversion builds up (tnia_run.h).
  struct Run;

  void open_file_handler(const std::string& absolute_path, int io_type, int file_handler);
  void close_file_handler(int IFileNo);

  void open_workbook(const std::string& path);
  void count_rows();
  template <typename TranslateNextRow>
  void run_pass(double step, TranslateNextRow translate_next_row);
  void assemble_report(const std::string& output);
  void copy_section(const std::string& piece_path, int piece_channel, const std::string& index_path,
                    int index_channel, Association association);
  bool index_lists_links(const std::string& index_path, int index_channel);
  std::string piece(const char* suffix) const;

  void TNIA_Misc_Info(JobDetails& frmMain, int channel);
  bool TNIA_Print_Road_Row(int road_channel, int index_channel);
  bool TNIA_Print_Barrier_Row(int barrier_channel, int index_channel);
  void TNIA_Print_NSRs_Headings(int channel);
  bool TNIA_Print_NSR_Row(int channel);
  void TNIA_Print_NSR_Levels(int channel, const Value& id, const Value& level_key,
                             const Value& facade_flag, double x, double y, double z);
  void TNIA_MergeAssociations(const std::string& piece_path, int piece_channel,
                              const std::string& index_path, int index_channel, int report_channel,
                              Association association);
  const std::vector<long>& TNIA_FindAssociatedRows(const tnia::RowGroups& rows,
                                                   const std::string& id) const;
  std::string TNIA_LookupLinkNumbers(
      const std::unordered_map<std::string, std::string>& link_numbers, const Value& id) const;

  // Row operations' shared steps.
  bool read_feature_id();
  std::string kind_letter();
  void require_known_kind();
  bool starts_new_link() const;
  void write_index_line(int index_channel, long link_no);
  long attribute_row(int sheet, const char* feature);
  Value cell(int sheet, long row, long column);
  Value geometry_cell(long column);
  Value number_cell(int sheet, long row, long column, const char* what);
  std::string formatted(int sheet, long row, long column, const char* what);
  double rounded(int sheet, long row, long column, const char* what);
  void start_road_link(int road_channel, int index_channel);
  std::string road_node_coordinate(long column, const char* what);
  void write_road_segment(int road_channel);
  void start_barrier_link(int barrier_channel, int index_channel, const std::string& kind);
  void write_barrier_segment(int barrier_channel);
  std::unordered_map<std::string, std::string> read_link_numbers(const std::string& index_path,
                                                                 int index_channel);

  quillan::Varnik lib_;
  Run* run_ = nullptr;
};

}  // namespace kalvor
