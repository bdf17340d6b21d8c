// The console report, followed by a table that sets the command beside the
// bare list walk on each scene, and the walk of the surface lists alone (the
// chain no walk can overlap) beside both.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void print_summary(std::FILE* out) const;

private:
    struct Timing {
        double walk_ns = 0;     // per run of the whole scene
        double command_ns = 0;
        double chain_ns = 0;
        double vertices = 0;
        double faces = 0;
    };
    std::vector<std::string> scene_order_;
    std::map<std::string, Timing> scenes_;
};

}  // namespace bench
