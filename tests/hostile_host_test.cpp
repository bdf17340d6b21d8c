// The plug-in in a host that calls it in another floating-point state, or
// (on 32-bit x86) with its stack aligned to only 4 bytes: the same surfaces
// are found, the same messages shown, and the host's state comes back as the
// host set it, before any host code that follows the walk.
#include "plugin_call.h"
#include "plugin_under_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using stand_in::CallingConditions;
using stand_in::Scene;

namespace {

const float tolerance_below = 0.00001f;
const float tolerance_above = std::nextafter(tolerance_below, 1.0f);

// Surfaces whose verdicts turn on the roundings, spread over nested objects.
void build_rounding_sensitive_scene(Scene& scene)
{
    Object* inner = scene.add_object(scene.add_object(scene.world(), "A"), "A1");
    const std::vector<std::vector<Vertex>> outlines = {
        {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, tolerance_below}},
        {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, tolerance_above}},
        {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, -tolerance_above}},
        {{200, 0, 0}, {0, 200, 0}, {140, 140, 140}},
        {{200, 0, 0}, {0, 200, 0}, {20, 80, 120}},
        {{0, 0, 1e-20f}, {1e-19f, 0, 1e-20f}, {0, 1e-19f, 1e-20f}, {1e-19f, 1e-19f, 2e-20f}},
        {{0, 0, 0}, {1e-30f, 0, 0}, {0, 1e-30f, 0}},
        {{0, 0, 200}, {1, 0, 200}, {1, 1, 200}, {0, 1, 200.00002f}},
    };
    for (size_t i = 0; i < outlines.size(); ++i)
        scene.add_surface(i % 2 ? inner : scene.world(), 0, outlines[i]);
}

struct HostileCase {
    std::string name;
    CallingConditions conditions;
};

void PrintTo(const HostileCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<HostileCase> hostile_cases()
{
    std::vector<HostileCase> cases;
    for (const stand_in::NamedFloatingPointState& hostile : stand_in::hostile_floating_point_states())
        cases.push_back({hostile.name, {hostile.state, 0}});
#if defined(__i386__)
    for (int misalignment : {4, 8, 12}) {
        const std::string bytes = std::to_string(misalignment);
        cases.push_back({"stack_off_by_" + bytes, {std::nullopt, misalignment}});
        const stand_in::NamedFloatingPointState& first = stand_in::hostile_floating_point_states().front();
        cases.push_back({std::string(first.name) + "_stack_off_by_" + bytes, {first.state, misalignment}});
    }
#endif
    return cases;
}

// What the command did, to compare with a run in the default conditions.
struct CommandRun {
    std::vector<std::string> selection;
    std::vector<std::string> messages;
    size_t undo_steps;
};

CommandRun run_select_command(stand_in::Host& host, const CallingConditions& conditions)
{
    host.calling = conditions;
    const stand_in::Outcome outcome = stand_in::choose_menu_item(host, "Select non-planar surfaces");
    EXPECT_TRUE(outcome.ok) << outcome.error;
    host.calling = {};
    return CommandRun{stand_in::describe(host.selection), host.messages, host.undo_history.size()};
}

void expect_state_given_back(const stand_in::Host& host, const CallingConditions& conditions)
{
    if (conditions.floating_point) {
        EXPECT_EQ(stand_in::describe(host.state_after_call), stand_in::describe(*conditions.floating_point));
    }
    EXPECT_EQ(host.calls_in_foreign_state, std::vector<std::string>{});
}

class HostileHost : public testing::TestWithParam<HostileCase> {};

TEST_P(HostileHost, FindsTheSameSurfacesAndGivesTheStateBack)
{
    HostWithPlugin reference;
    build_rounding_sensitive_scene(reference.host.scene);
    const CommandRun expected = run_select_command(reference.host, {});
    ASSERT_EQ(expected.messages, std::vector<std::string>{"non-planar surfaces detected: 5"});

    HostWithPlugin plugin;
    build_rounding_sensitive_scene(plugin.host.scene);
    const CommandRun hostile = run_select_command(plugin.host, GetParam().conditions);
    EXPECT_EQ(hostile.selection, expected.selection);
    EXPECT_EQ(hostile.messages, expected.messages);
    EXPECT_EQ(hostile.undo_steps, 1u);
    expect_state_given_back(plugin.host, GetParam().conditions);
}

TEST_P(HostileHost, GivesTheStateBackWhenNothingIsFound)
{
    HostWithPlugin plugin;
    plugin.host.scene.add_surface(plugin.host.scene.world(), 0, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
    const CommandRun run = run_select_command(plugin.host, GetParam().conditions);
    EXPECT_EQ(run.messages, std::vector<std::string>{"No non-planar surfaces found"});
    expect_state_given_back(plugin.host, GetParam().conditions);
}

TEST_P(HostileHost, EntryPointsAnswerAsUsual)
{
    const PluginEntryPoints& plugin = plugin_under_test();
    stand_in::Host host;
    stand_in::ActiveHost scope(host);
    host.calling = GetParam().conditions;
    EXPECT_EQ(stand_in::call_plugin(host, plugin.init), 0);
    EXPECT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(stand_in::call_plugin(host, plugin.about), plugin.about());
    EXPECT_EQ(stand_in::call_plugin(host, plugin.info), plugin.info());
    EXPECT_EQ(stand_in::call_plugin(host, plugin.exit), 0);
    expect_state_given_back(host, GetParam().conditions);
}

INSTANTIATE_TEST_SUITE_P(States, HostileHost, testing::ValuesIn(hostile_cases()),
                         [](const testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

}  // namespace
