// The SoundPLAN converter.
//
// A SoundPLAN project is a folder of numbered binary files: roads ("STRA."),
// absorbing barriers ("BEUG."), reflecting objects ("REFL.") and receivers
// ("IMIS."), each under the numbers 001 to 999. The converter translates them
// into an HFANoise input file "SP2HFA.txt" and a layout-barrier file
// "SP2HFA_laybarr.txt" in a folder private to the conversion, and lets the
// HFANoise converter turn those into the exchange report. The project folder
// is only read: files of any name there are the user's.
#pragma once

#include <functional>
#include <string>

#include "job/job_details.h"
#include "quillan/value.h"
#include "quillan/varnik.h"

namespace kalvor {

namespace soundplan {
class ProjectFile;
struct Record;
}  // namespace soundplan

class SoundPlan_Lib {
 public:
  SoundPlan_Lib();
  ~SoundPlan_Lib();

  // Converts the project of the job's input path (a folder, or a file in the
  // project folder) into the
  // report at the job's output path. The input path, the layout-barrier file
  // and switch are borrowed for the HFANoise stage and given back afterwards,
  // also when the conversion fails.
  void Convert_From_SoundPlan(JobDetails& frmMain);

  struct IntermediateFiles {
    std::string input;           // "SP2HFA.txt"
    std::string layout_barrier;  // "SP2HFA_laybarr.txt"
  };
  // The first stage alone: writes both intermediate files into `folder` and
  // leaves them there (for diagnosis and tests).
  IntermediateFiles Write_SP2HFA_Files(JobDetails& frmMain, const std::string& folder);

  // The text behind IndexStr in IStr, in its GetPos-th "/" field. ReturnFlag
  // tells whether IndexStr was found.
  std::string GetRoadPara(const std::string& IStr, const std::string& IndexStr, int GetPos,
                          bool& ReturnFlag);

  void open_file_handler(const quillan::Value& absolute_path, const quillan::Value& io_type,
                         const quillan::Value& file_handler, bool IsBinary);
  void close_file_handler(const quillan::Value& IFileNo);

  // Translators of one project file each; they append lines to the open
  // temporary files and raise the counters shared by the whole conversion.
  void SP2HFA_Road(soundplan::ProjectFile& IFile, int OLinkFileID, int ONodeFileID,
                   int OLayoutFileID, int OLayBarrFileID, long& NumOfLinks, long& NumOfNodes,
                   long& NumOfLayout);
  void SP2HFA_Barrier(soundplan::ProjectFile& IFile, int OLinkFileID, int ONodeFileID,
                      long& NumOfLinks, long& NumOfNodes, const std::string& BarrType);
  void SP2HFA_Receiver(soundplan::ProjectFile& IFile, int OLinkFileID, int ONodeFileID,
                       long& NumOfLinks, long& NumOfNodes);

 private:
  class RoadTranslation;
  // The state of the conversion under way (soundplan_run.h).
  struct Run;
  struct Counters {
    long links = 0, nodes = 0, layouts = 0;
  };

  // Hands every record of the file to `handle`. A damaged file, or a record
  // shorter than its fields, fails the conversion, naming the file and the
  // byte at which the bad record starts: a report without the rest of the
  // file's roads would look complete.
  void translate_records(soundplan::ProjectFile& file,
                         const std::function<void(const soundplan::Record&)>& handle);
  // Runs `translate` on every existing file kind.001 to kind.999, in number
  // order.
  void translate_numbered_files(const std::string& folder, const std::string& kind,
                                const std::function<void(soundplan::ProjectFile&)>& translate);
  // Gathers the records of the project into temporary files in `folder`.
  void translate_project(const std::string& project, const std::string& folder, Counters& counters);
  void write_intermediate_input(const std::string& folder, const Counters& counters);
  void write_intermediate_layout_barrier(const std::string& folder);
  void copy_lines(const std::string& path, int channel, int output_channel);
  IntermediateFiles write_intermediate_files(const std::string& folder);
  void hand_over_to_hfanoise(const IntermediateFiles& files);

  quillan::Varnik lib_;
  Run* run_ = nullptr;
};

}  // namespace kalvor
