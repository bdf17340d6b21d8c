// Checks the plug-in's verdicts on a million hard surfaces against the MPFR
// reference, through the stand-in host and the real command. With --write it
// also saves the cases and the reference's verdicts for another build (the
// Windows DLL) to check. With --hostile it then runs them again in each
// floating-point state a real host may leave.
#include "case_file.h"
#include "hard_cases.h"
#include "reference_planarity.h"
#include "verdicts_through_host.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    size_t count = 1000000;
    std::string write_path;
    bool hostile = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--hostile") == 0)
            hostile = true;
        else if (std::strcmp(argv[i], "--cases") == 0 && i + 1 < argc)
            count = std::strtoul(argv[++i], nullptr, 10);
        else if (std::strcmp(argv[i], "--write") == 0 && i + 1 < argc)
            write_path = argv[++i];
    }

    const auto start = std::chrono::steady_clock::now();
    const std::vector<PlanarityCase> cases = hard_cases(20261211, count);
    std::vector<int> expected;
    expected.reserve(cases.size());
    size_t reported = 0;
    for (const PlanarityCase& c : cases) {
        expected.push_back(reference_is_planar(c));
        reported += expected.back() == 0;
    }
    const std::vector<int> verdicts = verdicts_through_host(cases);
    const size_t differences = report_differences(cases, expected, verdicts);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("%zu surfaces, %zu non-planar by the reference; %.1f s\n", cases.size(), reported, seconds);
    if (!write_path.empty() && !write_case_file(write_path, cases, expected)) {
        std::printf("cannot write %s\n", write_path.c_str());
        return 2;
    }
    if (differences != 0) {
        std::printf("%zu verdicts differ from the reference\n", differences);
        return 1;
    }
    std::printf("every verdict equals the reference's\n");
    if (hostile && check_hostile_hosts(cases, expected) != 0)
        return 1;
    return 0;
}
