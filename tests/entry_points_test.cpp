// The four entry points: the version gate, the registrations and the texts.
#include "plugin_under_test.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#define dup _dup
#define dup2 _dup2
#define fileno _fileno
#else
#include <unistd.h>
#endif

using stand_in::HostCall;

namespace {

const char refusal[] = "plugin_select_non_planar: this plugins requires Orrim 4\n";
const char info[] =
    "Adds an item to the tools menu.\n\nSelects non-planar surfaces in Surface and Vertex select mode.  "
    "In other select modes, the objects containing the surfaces will be selected.";

// What the plug-in writes to standard output while it runs.
std::string standard_output_of(int (*entry_point)(void), int& result)
{
    std::fflush(stdout);
    std::FILE* capture = std::tmpfile();
    const int saved = dup(fileno(stdout));
    dup2(fileno(capture), fileno(stdout));
#if defined(_WIN32)
    // The bytes the plug-in wrote, without text-mode newline translation.
    const int mode = _setmode(fileno(stdout), _O_BINARY);
#endif
    result = entry_point();
    std::fflush(stdout);
#if defined(_WIN32)
    _setmode(fileno(stdout), mode);
#endif
    dup2(saved, fileno(stdout));
    std::rewind(capture);
    std::string text;
    for (int c; (c = std::fgetc(capture)) != EOF;)
        text += static_cast<char>(c);
    std::fclose(capture);
    return text;
}

struct VersionCase {
    const char* name;
    double version;
    bool accepted;
};

const double infinity = std::numeric_limits<double>::infinity();

const VersionCase version_cases[] = {
    {"exactly_4_0", 4.0, true},
    {"4_1", 4.1, true},
    {"5_0", 5.0, true},
    {"positive_infinity", infinity, true},
    {"3_99", 3.99, false},
    {"just_below_4", std::nextafter(4.0, 0.0), false},
    {"zero", 0.0, false},
    {"minus_one", -1.0, false},
    {"negative_infinity", -infinity, false},
    {"not_a_number", std::numeric_limits<double>::quiet_NaN(), false},
};

class VersionGate : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionGate, RegistersOrRefuses)
{
    stand_in::Host host;
    stand_in::ActiveHost scope(host);
    host.version = GetParam().version;
    std::vector<HostCall> calls;
    host.call_log = &calls;

    int result = 0;
    const std::string output = standard_output_of(plugin_under_test().init, result);

    if (GetParam().accepted) {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(output, "");
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[1].function, "orrim_add_command");
        EXPECT_EQ(calls[1].arguments[0], "plugin_select_non_planar");
        EXPECT_EQ(calls[2], (HostCall{"orrim_add_tools_menu_item",
                                      {"Select non-planar surfaces", "orrim plugin_select_non_planar",
                                       "Select surfaces that are non-planar"}}));
        ASSERT_EQ(host.tools_menu.size(), 1u);
        EXPECT_TRUE(stand_in::run_command_string(host, host.tools_menu[0].command).ok);
        EXPECT_EQ(host.messages, std::vector<std::string>{"No non-planar surfaces found"});
    } else {
        EXPECT_EQ(result, -1);
        EXPECT_EQ(output, refusal);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_TRUE(host.commands.empty());
        EXPECT_TRUE(host.tools_menu.empty());
    }
    EXPECT_EQ(calls[0].function, "orrim_get_version_number");
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionGate, testing::ValuesIn(version_cases),
                         [](const testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

TEST(EntryPoints, EveryStartRegistersAgain)
{
    stand_in::Host host;
    stand_in::ActiveHost scope(host);
    EXPECT_EQ(plugin_under_test().init(), 0);
    EXPECT_EQ(plugin_under_test().init(), 0);
    ASSERT_EQ(host.commands.size(), 2u);
    EXPECT_EQ(host.commands[0].handler, host.commands[1].handler);
    EXPECT_EQ(host.tools_menu.size(), 2u);
}

TEST(EntryPoints, TextsAndExitAreTheSameInEveryState)
{
    const PluginEntryPoints& plugin = plugin_under_test();
    const char* about = plugin.about();
    const char* info_text = plugin.info();
    EXPECT_EQ(std::string(info_text), info);
    EXPECT_FALSE(std::string(about).empty());
    EXPECT_EQ(std::string(about).find('\n'), std::string::npos);

    stand_in::Host refusing;
    refusing.version = 3.0;
    {
        stand_in::ActiveHost scope(refusing);
        int result = 0;
        standard_output_of(plugin.init, result);
        EXPECT_EQ(result, -1);
    }
    EXPECT_EQ(plugin.about(), about);
    EXPECT_EQ(plugin.info(), info_text);
    EXPECT_EQ(plugin.exit(), 0);

    stand_in::Host accepting;
    stand_in::ActiveHost scope(accepting);
    EXPECT_EQ(plugin.init(), 0);
    EXPECT_EQ(plugin.exit(), 0);
    EXPECT_EQ(plugin.exit(), 0);
    EXPECT_EQ(plugin.about(), about);
    EXPECT_EQ(plugin.info(), info_text);
    EXPECT_EQ(std::string(plugin.info()), info);
    // Exit leaves the registrations to the host.
    EXPECT_EQ(accepting.commands.size(), 1u);
    EXPECT_EQ(accepting.tools_menu.size(), 1u);
}

}  // namespace
