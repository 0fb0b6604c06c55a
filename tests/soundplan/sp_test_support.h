// Helpers shared by the SoundPLAN tests: a project folder made from a
// description, and a job pointing at it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "fake_job.h"
#include "golden.h"
#include "project_writer.h"

namespace kalvor::test {

// A scratch folder holding the project of a description, and a job whose
// input path names a file of that folder.
struct SoundPlanProject {
  explicit SoundPlanProject(const std::string& description) {
    write_project(description, dir.path());
    job.fill_project_details();
    job.set_text(control::InputPath, (dir / "chosen.sp").string());
    job.set_text(control::OutputPath, (dir / "report.txt").string());
  }
  std::string intermediate() const { return read_file(dir / "SP2HFA.txt"); }
  std::string layout_barrier() const { return read_file(dir / "SP2HFA_laybarr.txt"); }

  ScratchDir dir;
  FakeJob job;
};

// The lines of a text with CR LF line ends.
inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The data lines of the link, node or layout section of an intermediate file
// (the lines between the section's dashed heading and the next empty line).
inline std::vector<std::string> section(const std::string& intermediate, int number) {
  std::vector<std::string> rows;
  int seen = 0;
  bool inside = false;
  for (const auto& line : lines_of(intermediate)) {
    if (inside && line.empty()) break;
    if (inside) rows.push_back(line);
    if (line.find("----") != std::string::npos && ++seen == number) inside = true;
  }
  return rows;
}

inline std::vector<std::string> message_texts(const FakeJob& job) {
  std::vector<std::string> texts;
  for (const auto& m : job.messages) texts.push_back(m.text);
  return texts;
}

}  // namespace kalvor::test
