// The node sweep of the re-ordering written out as plainly as possible: every
// visited node re-reads all rows and every connection test scans them again.
// Test-only; it is the reference the indexed ordering must agree with.
#pragma once

#include <cstddef>
#include <vector>

#include "chain_order.h"

namespace kalvor::test {

std::vector<std::size_t> literal_order(const std::vector<hfa::NodeRow>& rows, double min_node,
                                       double max_node, hfa::OrderMode mode);

}  // namespace kalvor::test
