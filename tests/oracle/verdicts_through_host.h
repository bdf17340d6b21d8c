// Runs surfaces through the plug-in's real command in the stand-in host and
// reads back which of them it reported.
#pragma once

#include "planarity_case.h"

#include <vector>

// 1 for each case the command left unselected, 0 for each it selected; in
// scenes of at most batch_size surfaces spread over nested objects.
std::vector<int> verdicts_through_host(const std::vector<PlanarityCase>& cases, size_t batch_size = 100000);

// Compares the verdicts with the expected ones and prints the first
// differences with their bit patterns. Returns the number of differences.
size_t report_differences(const std::vector<PlanarityCase>& cases, const std::vector<int>& expected,
                          const std::vector<int>& verdicts);
