// Cases with their expected verdicts in a binary file: every coordinate as
// its exact bit pattern, little-endian.
#pragma once

#include "planarity_case.h"

#include <string>
#include <vector>

bool write_case_file(const std::string& path, const std::vector<PlanarityCase>& cases,
                     const std::vector<int>& verdicts);
bool read_case_file(const std::string& path, std::vector<PlanarityCase>& cases, std::vector<int>& verdicts);
