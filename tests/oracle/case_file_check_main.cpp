// Checks the plug-in against cases and verdicts saved by the native oracle,
// through the stand-in host and the real command: on Windows, the DLL. With
// --hostile N, the first N cases go through again in each floating-point state
// a real host may leave, and through a misaligned stack.
#include "case_file.h"
#include "verdicts_through_host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    const bool hostile = argc == 4 && std::strcmp(argv[2], "--hostile") == 0;
    if (argc != 2 && !hostile) {
        std::fprintf(stderr, "usage: %s CASE_FILE [--hostile CASES]\n", argv[0]);
        return 2;
    }
    std::vector<PlanarityCase> cases;
    std::vector<int> expected;
    if (!read_case_file(argv[1], cases, expected)) {
        std::printf("cannot read the case file %s; the native oracle writes it\n", argv[1]);
        return 77;  // skipped
    }
    if (hostile) {
        const size_t count = std::min<size_t>(cases.size(), std::strtoul(argv[3], nullptr, 10));
        cases.resize(count);
        expected.resize(count);
        std::printf("%zu surfaces checked in each host state\n", count);
        return check_hostile_hosts(cases, expected) == 0 ? 0 : 1;
    }
    const size_t differences = report_differences(cases, expected, verdicts_through_host(cases));
    std::printf("%zu surfaces checked\n", cases.size());
    if (differences != 0) {
        std::printf("%zu verdicts differ from the reference\n", differences);
        return 1;
    }
    std::printf("every verdict equals the reference's\n");
    return 0;
}
