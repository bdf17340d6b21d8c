#include "summary_reporter.h"

#include <algorithm>

namespace bench {

namespace {

double counter(const benchmark::BenchmarkReporter::Run& run, const char* name)
{
    const auto found = run.counters.find(name);
    return found == run.counters.end() ? 0.0 : double(found->second);
}

}  // namespace

// Runs are named "walk/<scene>", "chain/<scene>" or "command/<scene>".
void SummaryReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0)
            continue;
        const std::string name = run.benchmark_name();
        const size_t slash = name.find('/');
        if (slash == std::string::npos)
            continue;
        const std::string kind = name.substr(0, slash), scene = name.substr(slash + 1);
        if (kind != "walk" && kind != "chain" && kind != "command")
            continue;
        if (scenes_.count(scene) == 0)
            scene_order_.push_back(scene);
        Timing& timing = scenes_[scene];
        const double ns = run.real_accumulated_time / double(run.iterations) * 1e9;
        (kind == "walk" ? timing.walk_ns : kind == "chain" ? timing.chain_ns : timing.command_ns) = ns;
        timing.vertices = counter(run, "vertices");
        timing.faces = counter(run, "faces");
    }
}

void SummaryReporter::print_summary(std::FILE* out) const
{
    std::fprintf(out, "\n%-36s %10s %10s %11s %11s %7s %11s %11s %7s\n", "scene", "vertices", "faces", "walk ns/v",
                 "command ns/v", "ratio", "command ns/f", "chain ns/f", "floor");
    for (const std::string& scene : scene_order_) {
        const Timing& timing = scenes_.at(scene);
        if (timing.walk_ns == 0 || timing.command_ns == 0 || timing.vertices == 0)
            continue;
        const double faces = std::max(1.0, timing.faces);
        std::fprintf(out, "%-36s %10.0f %10.0f %11.2f %11.2f %7.2f %11.2f %11.2f %7.2f\n", scene.c_str(),
                     timing.vertices, timing.faces, timing.walk_ns / timing.vertices,
                     timing.command_ns / timing.vertices, timing.command_ns / timing.walk_ns,
                     timing.command_ns / faces, timing.chain_ns / faces, timing.chain_ns / timing.walk_ns);
    }
}

}  // namespace bench
