// Checks the plug-in against cases and verdicts saved by the native oracle,
// through the stand-in host and the real command: on Windows, the DLL.
#include "case_file.h"
#include "verdicts_through_host.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CASE_FILE\n", argv[0]);
        return 2;
    }
    std::vector<PlanarityCase> cases;
    std::vector<int> expected;
    if (!read_case_file(argv[1], cases, expected)) {
        std::printf("cannot read the case file %s; the native oracle writes it\n", argv[1]);
        return 77;  // skipped
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
