// Times the select command, loaded from its module file into the stand-in
// host, against a bare walk of exactly the lists it reads, on generated
// scenes of 10^3 to 10^7 vertices. After the runs it prints nanoseconds per
// vertex for both, their ratio, and nanoseconds per face.
#include "bench_scenes.h"
#include "host.h"
#include "module_loader.h"
#include "obj_reader.h"
#include "summary_reporter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

namespace {

using bench::Placement;
using bench::ScenePlan;
using bench::Shape;

const char select_command[] = "plugin_select_non_planar";

// One host at a time holds a scene and the started module; the walk and the
// command of one scene run one after the other on the same host.
struct BenchHost {
    std::string key;
    stand_in::Host host;
    stand_in::ActiveHost scope{host};
    stand_in::LoadedModule module;
    bench::SceneSize size;
    std::string error;

    ~BenchHost()
    {
        if (module.handle != nullptr)
            stand_in::stop_module(host, module);
    }
};

std::unique_ptr<BenchHost> current_host;

BenchHost& host_for(const ScenePlan& plan)
{
    const std::string key = plan.name();
    if (current_host && current_host->key == key)
        return *current_host;
    current_host.reset();
    current_host = std::make_unique<BenchHost>();
    BenchHost& bench_host = *current_host;
    bench_host.key = key;
    bench_host.size = bench::build_scene(bench_host.host.scene, plan);
    if (!stand_in::start_module(bench_host.host, stand_in::module_path_or_override(PLUGIN_MODULE_PATH), bench_host.module, bench_host.error))
        return bench_host;

    // The command must find exactly the bent faces, or its time means nothing.
    stand_in::Outcome outcome = stand_in::run_command(bench_host.host, select_command);
    const size_t found = bench_host.host.selection.surfaces.size();
    if (!outcome.ok)
        bench_host.error = outcome.error;
    else if (found != size_t(bench_host.size.bent_faces))
        bench_host.error = "the command found " + std::to_string(found) + " non-planar faces, not " +
                           std::to_string(bench_host.size.bent_faces);
    return bench_host;
}

// The lists the command reads, read the same way: every surface of every
// object in pre-order and every vertex of every surface, with no arithmetic.
void walk_lists(Object* object)
{
    for (const List* node = orrim_object_get_surfacelist(object); node != nullptr; node = node->next) {
        // Copies, so that the values are really loaded: handed the record
        // itself, DoNotOptimize would only take its address.
        Surface surface = *static_cast<const Surface*>(node->data);
        benchmark::DoNotOptimize(surface);
        for (const List* corner = surface.vertices; corner != nullptr; corner = corner->next) {
            Vertex vertex = *static_cast<const SurfaceVertex*>(corner->data)->vertex;
            benchmark::DoNotOptimize(vertex);
        }
    }
    for (const List* kid = object_get_kids(object); kid != nullptr; kid = kid->next)
        walk_lists(static_cast<Object*>(kid->data));
}

// The surface lists alone, node by node: one dependent read per surface, the
// chain that each object's surfaces are reached through. No walk that takes
// the surfaces in list order can be faster.
void walk_surface_chains(Object* object)
{
    for (const List* node = orrim_object_get_surfacelist(object); node != nullptr; node = node->next) {
        void* surface = node->data;
        benchmark::DoNotOptimize(surface);
    }
    for (const List* kid = object_get_kids(object); kid != nullptr; kid = kid->next)
        walk_surface_chains(static_cast<Object*>(kid->data));
}

void report_size(benchmark::State& state, const bench::SceneSize& size)
{
    using benchmark::Counter;
    state.counters["vertices"] = double(size.vertices);
    state.counters["faces"] = double(size.faces);
    state.counters["per_vertex"] = Counter(double(size.vertices), Counter::kIsIterationInvariantRate | Counter::kInvert);
    state.counters["per_face"] = Counter(double(size.faces), Counter::kIsIterationInvariantRate | Counter::kInvert);
}

// Times one of the walks above over the whole scene.
void time_walk(benchmark::State& state, ScenePlan plan, void (*walk)(Object*))
{
    BenchHost& bench_host = host_for(plan);
    if (!bench_host.error.empty()) {
        state.SkipWithError(bench_host.error.c_str());
        return;
    }
    for (auto _ : state)
        walk(orrim_get_world());
    report_size(state, bench_host.size);
}

void select_non_planar(benchmark::State& state, ScenePlan plan)
{
    BenchHost& bench_host = host_for(plan);
    if (!bench_host.error.empty()) {
        state.SkipWithError(bench_host.error.c_str());
        return;
    }
    stand_in::Host& host = bench_host.host;
    for (auto _ : state) {
        stand_in::run_command(host, select_command);
        // Keeps the host's history from growing over thousands of runs.
        host.messages.clear();
        host.undo_history.clear();
    }
    report_size(state, bench_host.size);
}

// Reading an OBJ file of the grid of a million quads, as an exporter writes
// it (each vertex once, shared by up to four faces), from memory into a scene.
void read_obj_grid(benchmark::State& state)
{
    const std::string text = bench::grid_obj_text(1000);
    for (auto _ : state) {
        auto scene = std::make_unique<stand_in::Scene>();
        std::string error, warning;
        if (!stand_in::read_obj_text(text, "grid.obj", *scene, error, warning)) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["MB"] = double(text.size()) / 1e6;
}

void register_scene(const ScenePlan& plan)
{
    const std::string name = plan.name();
    benchmark::RegisterBenchmark(("walk/" + name).c_str(), time_walk, plan, walk_lists)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("chain/" + name).c_str(), time_walk, plan, walk_surface_chains)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("command/" + name).c_str(), select_non_planar, plan)->Unit(benchmark::kMicrosecond);
}

void register_scenes()
{
    for (Placement placement : {Placement::in_order, Placement::scattered}) {
        for (Shape shape : {Shape::quads, Shape::polygons})
            for (long vertices = 1000; vertices <= 10000000; vertices *= 10)
                register_scene(ScenePlan{shape, placement, vertices});
    }
    // A single grid of 1000 x 1000 quads in one object, in order.
    register_scene(ScenePlan{Shape::quads, Placement::in_order, 4000000, 1});
    benchmark::RegisterBenchmark("obj_read/grid/1000000", read_obj_grid)->Unit(benchmark::kMillisecond);
}

// --write_obj=FILE writes the OBJ file of the million-quad grid and stops.
bool write_obj_if_asked(int argc, char** argv, int& status)
{
    const char option[] = "--write_obj=";
    if (argc != 2 || std::strncmp(argv[1], option, sizeof option - 1) != 0)
        return false;
    const char* path = argv[1] + sizeof option - 1;
    std::ofstream out(path, std::ios::binary);
    out << bench::grid_obj_text(1000);
    status = out ? 0 : 1;
    std::fprintf(status ? stderr : stdout, "%s %s\n", status ? "cannot write" : "wrote", path);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    int status = 0;
    if (write_obj_if_asked(argc, argv, status))
        return status;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    register_scenes();
    bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    current_host.reset();
    reporter.print_summary(stdout);
    benchmark::Shutdown();
    return 0;
}
