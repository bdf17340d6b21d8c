#include "verdicts_through_host.h"

#include "../plugin_under_test.h"

#include <cstdio>
#include <unordered_map>

std::vector<int> verdicts_through_host(const std::vector<PlanarityCase>& cases, size_t batch_size)
{
    std::vector<int> verdicts(cases.size(), 1);
    for (size_t first = 0; first < cases.size(); first += batch_size) {
        const size_t last = std::min(cases.size(), first + batch_size);
        stand_in::Host host;
        stand_in::ActiveHost scope(host);
        plugin_under_test().init();

        // A few hundred objects in a tree of some depth.
        std::vector<Object*> objects = {host.scene.world()};
        for (size_t i = 0; i < 300; ++i)
            objects.push_back(host.scene.add_object(objects[(i * 7) % objects.size()], "o" + std::to_string(i)));
        std::unordered_map<const Surface*, size_t> index_of;
        for (size_t i = first; i < last; ++i) {
            const PlanarityCase& c = cases[i];
            index_of[host.scene.add_surface(objects[i % objects.size()], c.type, c.corners, c.vertex_count)] = i;
        }

        stand_in::choose_menu_item(host, "Select non-planar surfaces");
        for (const Surface* surface : host.selection.surfaces)
            verdicts[index_of.at(surface)] = 0;
    }
    return verdicts;
}

size_t report_differences(const std::vector<PlanarityCase>& cases, const std::vector<int>& expected,
                          const std::vector<int>& verdicts)
{
    size_t differences = 0;
    for (size_t i = 0; i < cases.size(); ++i) {
        if (expected[i] == verdicts[i])
            continue;
        if (++differences <= 10)
            std::printf("case %zu: the reference says %s, the plug-in %s; %s\n", i,
                        expected[i] ? "planar" : "non-planar", verdicts[i] ? "planar" : "non-planar",
                        describe_bits(cases[i]).c_str());
    }
    return differences;
}
