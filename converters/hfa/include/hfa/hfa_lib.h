// The HFANoise converter: turns an HFANoise input file (and optionally a
// layout-barrier file) into the exchange report.
//
// The input is split into temporary files by record kind and driving
// direction, each file is put into chain order, the ordered files are
// translated record by record into piece files, layout
// barriers are generated from the road piece when asked for, and the pieces
// are joined into the report. Temporary and piece files live in a folder
// private to the conversion, beside the report (or in the system's temporary
// folder when the report's folder takes none), which goes with the
// conversion, however it ends. The SoundPLAN converter runs this converter on
// the HFANoise file it writes.
//
// One object serves many conversions; each conversion starts from a fresh
// state.
#pragma once

#include <string>

#include "job/job_details.h"
#include "quillan/varnik.h"

namespace kalvor {

namespace hfa {
struct IndexedLine;
}  // namespace hfa

class HFA_Lib {
 public:
  HFA_Lib();
  ~HFA_Lib();
  HFA_Lib(const HFA_Lib&) = delete;
  HFA_Lib& operator=(const HFA_Lib&) = delete;

  void Convert_From_HFANoise(JobDetails& frmMain);

  // Steps that keep no state of their own between calls, so they can also be
  // run on their own: putting a temporary file's lines into chain order, and
  // merging the left and right layout-barrier pieces by link number.
  void rearrange_input_text_by_col(JobDetails& frmMain, const std::string& IFileAbsoluteName,
                                   int Output_FileID, double MaxNode, double MinNode,
                                   long NumOfNodes);
  void HFANoise_SortLB(const std::string& LLB_IFilePath, int LLB_IFileID,
                       const std::string& RLB_IFilePath, int RLB_IFileID, int LB_OFileID);

 private:
  // Everything one conversion reads, keeps and counts (hfa_run.h).
  struct Run;

  void open_file_handler(const std::string& absolute_path, const quillan::Value& io_type,
                         int file_handler);
  void close_file_handler(int IFileNo);

  // Splitting.
  void Divide_HFA_Input_File(JobDetails& frmMain, int InputFileNo, long& num_of_barriers,
                             long& num_of_NSRs);
  void Divide_Road_into_A2B_and_B2A(int InputFileNo, int A2BFileNo, int B2AFileNo,
                                    long& num_of_roads_a2b, long& num_of_roads_b2a);
  void handle_link_line(const std::string& line, long line_no, long& num_of_barriers,
                        long& num_of_NSRs);
  void handle_node_line(const std::string& line, long line_no);
  void handle_layout_line(const std::string& line, long line_no);

  // Record translation: each Print operation translates one line of its
  // ordered file and returns false at the end of it.
  void HFANoise_Misc_Info(JobDetails& frmMain, int OFileID);
  bool HFANoise_Print_Roads(int IFileID, int OFileID, int roadflow, bool WithLayBar);
  bool HFANoise_Print_Barriers(int IFileID, int OFileID);
  void HFANoise_Print_NSRs_Headings(int OFileID);
  bool HFANoise_Print_NSRs(int IFileID, int OFileID);
  bool HFANoise_Get_Node(const std::string& node, int end);
  void take_node(const std::string& node, int end, const std::string& line, const char* what);
  void HFANoise_Get_Layout(const std::string& layout);
  void write_road_link_head(int OFileID, int roadflow, bool WithLayBar);

  // Layout barriers.
  void HFANoise_CreateCheckIndexForLayBar(const std::string& LB_IFilePath, int LB_IFileID);
  bool HFANoise_GenerateLayoutBarrier(int Road_IFileID, int Road_OFileID,
                                      const std::string& LB_IFilePath, int LB_IFileID,
                                      int LLB_OFileID, int RLB_OFileID);
  bool HFANoise_CheckIndexForLayBar(const std::string& layout) const;
  const hfa::IndexedLine* HFANoise_GetLayBarData(const std::string& LB_IFilePath,
                                                 double layout) const;
  void HFANoise_MergeLB(const std::string& first_path, int first_id, const std::string& second_path,
                        int second_id, int OFileID, double& expected);

  // The phases of a conversion.
  void split_input(JobDetails& frmMain);
  void order_temporary_files(JobDetails& frmMain);
  void translate_records(JobDetails& frmMain, bool with_layout_barriers);
  void generate_layout_barriers(JobDetails& frmMain);
  void assemble_report(JobDetails& frmMain, bool with_layout_barriers);

  std::string temp(const char* suffix) const;
  std::string piece(const char* suffix) const;

  quillan::Varnik lib_;
  Run* run_ = nullptr;
};

}  // namespace kalvor
