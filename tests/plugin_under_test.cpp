#include "plugin_under_test.h"

#include <gtest/gtest.h>

HostWithPlugin::HostWithPlugin(stand_in::SelectMode mode)
{
    host.select_mode = mode;
    EXPECT_EQ(plugin_under_test().init(), 0);
}

void HostWithPlugin::select_non_planar()
{
    const stand_in::Outcome outcome = stand_in::choose_menu_item(host, "Select non-planar surfaces");
    ASSERT_TRUE(outcome.ok) << outcome.error;
}
