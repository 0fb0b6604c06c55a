#include "plan_examples.h"

#include <gtest/gtest.h>

#include "convert_program.h"

namespace kalvor::test {

namespace fs = std::filesystem;

// Counts of links (road and barrier segments together), generated barriers
// and receivers in each example's report.
const PlanExample kPlanExamples[5] = {
    {"hfanoise", "hfanoise", "example.dat", "example_laybarr.txt", 4, 22, 6, 3, 4},
    {"hfcnoise", "hfcnoise", "tai_po_road.txt", nullptr, 4, 11, 3, 0, 4},
    {"roadnoise", "roadnoise", "SHATIN.MAS", nullptr, 3, 12, 3, 0, 5},
    {"soundplan", "soundplan", "STRA.001", nullptr, 4, 15, 4, 2, 13},
    {"tnia", "tnia", "example.xlsx", nullptr, 4, 7, 3, 0, 4},
};

void PrintTo(const PlanExample& example, std::ostream* out) {
  *out << example.folder;
}

fs::path convert_example(const ScratchDir& scratch, const PlanExample& example) {
  const fs::path folder = scratch / example.folder;
  fs::copy(fs::path(KALVOR_EXAMPLES_DIR) / example.folder, folder, fs::copy_options::recursive);
  const fs::path report = scratch / (std::string(example.folder) + "-report.txt");
  std::string extra;
  if (example.layout_barrier)
    extra = "--layout-barrier " + shell_quoted((folder / example.layout_barrier).string());
  EXPECT_EQ(convert_with_kalvor_convert(example.format, folder / example.input, report, extra)
                .exit_status,
            0);
  return report;
}

}  // namespace kalvor::test
