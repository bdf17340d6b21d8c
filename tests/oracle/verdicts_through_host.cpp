#include "verdicts_through_host.h"

#include "../plugin_under_test.h"
#include "plugin_call.h"

#include <cstdio>
#include <unordered_map>

std::vector<int> verdicts_through_host(const std::vector<PlanarityCase>& cases,
                                       const stand_in::CallingConditions& conditions,
                                       std::vector<std::string>& state_problems, size_t batch_size)
{
    std::vector<int> verdicts(cases.size(), 1);
    for (size_t first = 0; first < cases.size(); first += batch_size) {
        const size_t last = std::min(cases.size(), first + batch_size);
        stand_in::Host host;
        stand_in::ActiveHost scope(host);
        host.calling = conditions;
        stand_in::call_plugin(host, plugin_under_test().init);

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

        if (conditions.floating_point && host.state_after_call != *conditions.floating_point)
            state_problems.push_back("the command returned in " + stand_in::describe(host.state_after_call));
        for (const std::string& function : host.calls_in_foreign_state)
            state_problems.push_back("the command called " + function + " in the plug-in's own state");
    }
    return verdicts;
}

std::vector<int> verdicts_through_host(const std::vector<PlanarityCase>& cases)
{
    std::vector<std::string> state_problems;
    return verdicts_through_host(cases, {}, state_problems);
}

int check_hostile_hosts(const std::vector<PlanarityCase>& cases, const std::vector<int>& expected)
{
    int failing_states = 0;
    int state_number = 0;
    for (const stand_in::NamedFloatingPointState& hostile : stand_in::hostile_floating_point_states()) {
        stand_in::CallingConditions conditions;
        conditions.floating_point = hostile.state;
#if defined(__i386__)
        conditions.stack_misalignment = 4 * (1 + state_number % 3);
#endif
        ++state_number;
        std::vector<std::string> state_problems;
        const std::vector<int> verdicts = verdicts_through_host(cases, conditions, state_problems);
        const size_t differences = report_differences(cases, expected, verdicts);
        std::printf("host state %s (%s), stack misaligned by %d: %zu verdicts differ from the reference\n",
                    hostile.name, stand_in::describe(hostile.state).c_str(), conditions.stack_misalignment,
                    differences);
        for (size_t i = 0; i < state_problems.size() && i < 5; ++i)
            std::printf("    %s\n", state_problems[i].c_str());
        // Printed as it goes: a module that traps ends the program here.
        std::fflush(stdout);
        if (differences != 0 || !state_problems.empty())
            ++failing_states;
    }
    return failing_states;
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
