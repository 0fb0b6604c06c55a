// Running the RoadNoise converter on a project copied from tests/data.
#pragma once

#include <filesystem>
#include <string>

#include "fake_job.h"
#include "golden.h"
#include "quillan/varnik.h"
#include "roadnoise/roadnoise_lib.h"

namespace kalvor::test {

// A job for the master file `master` that writes `report`, with the project
// details of fill_project_details and the master file as the dialog file.
inline void prepare_job(FakeJob& job, const std::filesystem::path& master,
                        const std::filesystem::path& report) {
  job.fill_project_details();
  job.select_format("roadnoise");
  job.set_text(control::InputPath, master.string());
  job.set_text(control::OutputPath, report.string());
  job.set_text(control::DialogFileName, master.string());
}

// Copies tests/data/roadnoise/<name> into `scratch` and dates its master file
// 14/03/2026 09:05, the date every expected report shows.
inline std::filesystem::path copy_project(ScratchDir& scratch, const std::string& name,
                                          const std::string& master) {
  std::filesystem::path folder = scratch.copy_in("roadnoise/" + name);
  set_modification_time(folder / master, 2026, 3, 14, 9, 5);
  return folder / master;
}

// Channels are process-wide; a failed conversion leaves its channels open, as
// the convert command would close them afterwards.
inline void close_all_channels() {
  quillan::Varnik().close_ALL_file_handler();
}

}  // namespace kalvor::test
