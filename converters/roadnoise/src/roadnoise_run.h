// The state of one RoadNoise conversion, built at its entry.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "flow_table.h"
#include "keyword_record.h"
#include "roadnoise/roadnoise_lib.h"

namespace kalvor {

namespace roadnoise {

// A companion file named by the master file.
struct NamedFile {
  std::string path;
  long master_line = 0;
};

// The values of the road link record being written.
struct RoadLinkValues {
  std::string link_id, category, flow, speed, gradient_correction, heavy_vehicles;
  std::string flow_direction, dual_carriageway, vertical_separation;
  std::string surface_type, texture_depth;
};

}  // namespace roadnoise

struct RoadNoise_Lib::Run {
  explicit Run(JobDetails& job) : job(job) {}

  JobDetails& job;
  std::string master_path;
  std::string master_folder;
  std::string project_title;
  // The cut-off values the header shows unless the master file sets them.
  std::string cutoff_angle = "1", cutoff_distance = "1000", cutoff_reflection = "20";
  roadnoise::NamedFile flow_file;
  std::map<std::string, roadnoise::NamedFile, std::less<>> companions;
  std::optional<roadnoise::FlowTable> flows;
  long line_counter = 0;
  long link_number = 0;
  roadnoise::RoadLinkValues road;
  // Carried from one barrier file to the next.
  std::string saved_link_id;
  std::string barrier_type;
  roadnoise::KeywordValue foa{"FOA"}, wba{"WBA"};
};

}  // namespace kalvor
