// The host loading a module file and starting it.
#include "module_loader.h"
#include "plugin_under_test.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using stand_in::LoadedModule;

const char* plugin_module_path();

namespace {

struct BadModuleCase {
    const char* name;
    std::string path;
    const char* error_part;
};

std::string text_file()
{
    const std::string path = testing::TempDir() + "not_a_module.p";
    std::FILE* file = std::fopen(path.c_str(), "w");
    std::fputs("this is text, not a module\n", file);
    std::fclose(file);
    return path;
}

class BadModule : public testing::TestWithParam<BadModuleCase> {};

TEST_P(BadModule, IsRefusedWithAReason)
{
    stand_in::Host host;
    LoadedModule module;
    std::string error;
    EXPECT_FALSE(stand_in::start_module(host, GetParam().path, module, error));
    EXPECT_NE(error.find(GetParam().error_part), std::string::npos) << error;
    EXPECT_EQ(module.handle, nullptr);
    EXPECT_TRUE(host.commands.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadModule,
    testing::Values(BadModuleCase{"missing", testing::TempDir() + "no_such_module.p", "cannot read the module file"},
                    BadModuleCase{"text_file", text_file(), "is not a module that can be loaded"},
                    BadModuleCase{"lacks_an_entry_point", INCOMPLETE_MODULE_PATH, "has no entry point OrrimPluginInfo"}),
    [](const testing::TestParamInfo<BadModuleCase>& info) { return info.param.name; });

TEST(ModuleLoading, ARefusedStartLeavesNothingRegistered)
{
    stand_in::Host host;
    host.version = 3.5;
    LoadedModule module;
    std::string error;
    EXPECT_FALSE(stand_in::start_module(host, plugin_module_path(), module, error));
    EXPECT_NE(error.find("refused to start"), std::string::npos) << error;
    EXPECT_TRUE(host.commands.empty());
    EXPECT_TRUE(host.tools_menu.empty());
}

TEST(ModuleLoading, RunsTheCommandFromItsMenuItem)
{
    stand_in::Host host;
    Surface* bent = host.scene.add_surface(host.scene.world(), 0, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}});
    LoadedModule module;
    std::string error;
    ASSERT_TRUE(stand_in::start_module(host, plugin_module_path(), module, error)) << error;

    const stand_in::Outcome outcome = stand_in::choose_menu_item(host, "Select non-planar surfaces");
    EXPECT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(host.selection.surfaces, std::vector<Surface*>{bent});
    EXPECT_FALSE(stand_in::run_command_string(host, "orrim plugin_unknown").ok);
    EXPECT_FALSE(stand_in::choose_menu_item(host, "No such item").ok);
    stand_in::stop_module(host, module);
    EXPECT_EQ(module.handle, nullptr);
}

}  // namespace
