// The bundled examples converted to reports in a scratch folder, for the
// plan tests.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "golden.h"

namespace kalvor::test {

struct PlanExample {
  const char* folder;  // under examples/
  const char* format;  // as kalvor-convert names it
  const char* input;
  const char* layout_barrier;  // or nullptr
  std::size_t roads, segments, barriers, generated, receivers;
};

void PrintTo(const PlanExample& example, std::ostream* out);

extern const PlanExample kPlanExamples[5];

// Converts the example with kalvor-convert into scratch/NAME-report.txt.
std::filesystem::path convert_example(const ScratchDir& scratch, const PlanExample& example);

}  // namespace kalvor::test
