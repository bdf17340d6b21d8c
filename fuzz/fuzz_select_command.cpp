// Builds a random scene from the fuzzer's input, runs "Select non-planar
// surfaces" through the stand-in host, and checks the result: every surface
// reported exactly when the MPFR reference says it is not planar, in the
// reverse of the walk's pre-order, with the right count and no list node left.
#include "../tests/oracle/reference_planarity.h"
#include "host.h"
#include "lists.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <functional>
#include <string>
#include <unordered_map>

extern "C" int OrrimPluginInit(void);

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_select_command: %s\n", what);
        std::abort();
    }
}

// Mostly values near which roundings decide, sometimes any bit pattern.
float coordinate(FuzzedDataProvider& input)
{
    static const float palette[] = {0.0f, 1.0f, -1.0f, 0.5f, 2.0f, 200.0f, 140.0f, 0.00001f, -0.00001f,
                                    1e-30f, 2e19f, 3e38f, 1e-45f, 128.0f, 0.1f, 1e6f};
    switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: {
        const std::uint32_t bits = input.ConsumeIntegral<std::uint32_t>();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    case 1: return static_cast<float>(input.ConsumeIntegralInRange<int>(-300, 300)) / 2;
    default: {
        float value = palette[input.ConsumeIntegralInRange<size_t>(0, std::size(palette) - 1)];
        for (int ulps = input.ConsumeIntegralInRange<int>(-3, 3); ulps != 0; ulps += ulps > 0 ? -1 : 1)
            value = std::nextafter(value, (ulps > 0 ? 1 : -1) * std::numeric_limits<float>::infinity());
        return value;
    }
    }
}

PlanarityCase random_surface(FuzzedDataProvider& input)
{
    PlanarityCase c;
    c.type = input.ConsumeIntegralInRange<int>(0, 7) == 0 ? input.ConsumeIntegralInRange<int>(1, 3) : 0;
    const size_t corners = input.ConsumeIntegralInRange<size_t>(0, 12);
    for (size_t i = 0; i < corners; ++i) {
        // Repeating an earlier corner makes coincident and collinear points.
        if (i > 0 && input.ConsumeIntegralInRange<int>(0, 5) == 0)
            c.corners.push_back(c.corners[input.ConsumeIntegralInRange<size_t>(0, i - 1)]);
        else
            c.corners.push_back({coordinate(input), coordinate(input), coordinate(input)});
    }
    c.vertex_count = static_cast<unsigned short>(corners);
    return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const long nodes_before = stand_in::live_list_nodes();
    stand_in::Host host;
    stand_in::ActiveHost scope(host);
    host.select_mode = input.ConsumeBool() ? stand_in::SelectMode::surface : stand_in::SelectMode::vertex;
    check(OrrimPluginInit() == 0, "the plug-in refused a version 4 host");

    std::vector<Object*> objects = {host.scene.world()};
    std::unordered_map<const Surface*, int> reference_verdict;
    while (input.remaining_bytes() > 0 && objects.size() < 64) {
        if (input.ConsumeIntegralInRange<int>(0, 3) == 0) {
            Object* parent = objects[input.ConsumeIntegralInRange<size_t>(0, objects.size() - 1)];
            objects.push_back(host.scene.add_object(parent, "o" + std::to_string(objects.size())));
        } else {
            const PlanarityCase c = random_surface(input);
            Object* owner = objects[input.ConsumeIntegralInRange<size_t>(0, objects.size() - 1)];
            reference_verdict[host.scene.add_surface(owner, c.type, c.corners, c.vertex_count)] =
                reference_is_planar(c);
        }
    }

    std::vector<Surface*> expected;
    std::function<void(Object*)> visit = [&](Object* object) {
        for (List* node = object->surfaces; node; node = node->next) {
            Surface* surface = static_cast<Surface*>(node->data);
            if (reference_verdict.at(surface) == 0)
                expected.insert(expected.begin(), surface);
        }
        for (List* node = object->kids; node; node = node->next)
            visit(static_cast<Object*>(node->data));
    };
    visit(host.scene.world());

    check(stand_in::choose_menu_item(host, "Select non-planar surfaces").ok, "the menu item did not run");
    check(host.selection.surfaces == expected, "the selection differs from the reference's verdicts");
    const std::string message = expected.empty() ? "No non-planar surfaces found"
                                                 : "non-planar surfaces detected: " + std::to_string(expected.size());
    check(host.messages == std::vector<std::string>{message}, "wrong message");
    check(host.undo_history.size() == (expected.empty() ? 0u : 1u), "wrong number of undoable changes");
    check(stand_in::live_list_nodes() == nodes_before, "list nodes left behind");
    return 0;
}
