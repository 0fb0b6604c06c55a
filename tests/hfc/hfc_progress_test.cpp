// The progress bar follows the record counts of head line 3 and stays within
// 0 to 100 whatever those counts say.
#include <gtest/gtest.h>

#include <algorithm>

#include "hfc_conversion.h"
#include "hfc_model_lines.h"

namespace kalvor::test {
namespace {

std::vector<float> progress_with_counts(const std::string& counts_line) {
  auto model = small_model();
  // A second road, so that the road phase has two steps.
  model.insert(model.begin() + 14, {"R2", "0", "c", "d", "1", "2", "3", "h", "1 2 3 0 5 0"});
  auto conversion = HfcConversion::of_text(file_of(with_line(model, 3, counts_line)));
  conversion.run();
  return conversion.job.progress_values;
}

TEST(HfcProgress, RestartsForBarriersAndContinuesForReceivers) {
  // Two roads, one barrier and one receiver: a quarter each.
  EXPECT_EQ((std::vector<float>{25, 50, 25, 100}), progress_with_counts("2 1 1"));
}

TEST(HfcProgress, StaysWithinBoundsWhenCountsAreMissingOrWrong) {
  for (const char* counts :
       {"", "2 1", "0 0 0", "1 0 0", "-5 1 1", "abc def ghi", "1e308 1e308 1e308"}) {
    const auto values = progress_with_counts(counts);
    EXPECT_EQ(4u, values.size()) << counts;
    for (float v : values) {
      EXPECT_GE(v, 0.0f) << counts;
      EXPECT_LE(v, 100.0f) << counts;
    }
  }
}

TEST(HfcProgress, CountsBeyondSixteenBits) {
  const auto values = progress_with_counts("40000 40000 40000");
  ASSERT_EQ(4u, values.size());
  // The receiver follows all 80000 roads and barriers.
  EXPECT_FLOAT_EQ(static_cast<float>(80001.0 / 120000 * 100), values.back());
}

}  // namespace
}  // namespace kalvor::test
