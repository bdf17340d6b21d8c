// Runs surfaces through the plug-in's real command in the stand-in host and
// reads back which of them it reported.
#pragma once

#include "calling_conditions.h"
#include "planarity_case.h"

#include <string>
#include <vector>

// 1 for each case the command left unselected, 0 for each it selected; in
// scenes of at most batch_size surfaces spread over nested objects, the host
// calling the plug-in in the given conditions. What the plug-in did to the
// host's floating-point state, if anything, goes to state_problems.
std::vector<int> verdicts_through_host(const std::vector<PlanarityCase>& cases,
                                       const stand_in::CallingConditions& conditions,
                                       std::vector<std::string>& state_problems, size_t batch_size = 100000);
std::vector<int> verdicts_through_host(const std::vector<PlanarityCase>& cases);

// Runs the cases again in each floating-point state a real host may leave
// (on 32-bit x86 also through a stack misaligned by 4, 8 or 12 bytes) and
// prints how each went. Returns the number of states in which a verdict
// differed or the host's state did not come back.
int check_hostile_hosts(const std::vector<PlanarityCase>& cases, const std::vector<int>& expected);

// Compares the verdicts with the expected ones and prints the first
// differences with their bit patterns. Returns the number of differences.
size_t report_differences(const std::vector<PlanarityCase>& cases, const std::vector<int>& expected,
                          const std::vector<int>& verdicts);
