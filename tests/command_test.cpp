// The command's walk over the scene and what it asks of the host.
#include "lists.h"
#include "plugin_under_test.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

using stand_in::HostCall;
using stand_in::Scene;
using stand_in::SelectMode;

namespace stand_in {
void PrintTo(const HostCall& call, std::ostream* out)
{
    *out << call.function << "(";
    for (size_t i = 0; i < call.arguments.size(); ++i)
        *out << (i ? ", " : "") << '"' << call.arguments[i] << '"';
    *out << ")";
}
}  // namespace stand_in

namespace {

const std::vector<Vertex> flat_quad = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
const std::vector<Vertex> bent_quad = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}};

Surface* add(Scene& scene, Object* owner, bool planar)
{
    return scene.add_surface(owner, 0, planar ? flat_quad : bent_quad);
}

// R has r1 (bent) and r2 (flat) and the children A and B; A has a1 (bent)
// and the child A1 with a11 (bent); B has b1 (bent).
struct WorkedScene {
    Surface *r1, *r2, *a1, *a11, *b1;

    explicit WorkedScene(Scene& scene)
    {
        Object* root = scene.world();
        root->name = "R";
        r1 = add(scene, root, false);
        r2 = add(scene, root, true);
        Object* a = scene.add_object(root, "A");
        Object* b = scene.add_object(root, "B");
        a1 = add(scene, a, false);
        Object* a_child = scene.add_object(a, "A1");
        a11 = add(scene, a_child, false);
        b1 = add(scene, b, false);
    }
};

std::vector<HostCall> without_addresses(std::vector<HostCall> calls, std::string& found_head)
{
    for (HostCall& call : calls) {
        if (call.function == "list_add_item_head" || call.function == "list_free") {
            if (found_head.empty())
                found_head = call.arguments[0];
            EXPECT_EQ(call.arguments[0], found_head) << call.function << " was given another list head";
            call.arguments[0] = "&found";
        }
    }
    return calls;
}

TEST(SelectCommand, WalksPreOrderAndCallsTheHostInOrder)
{
    HostWithPlugin plugin;
    WorkedScene scene(plugin.host.scene);
    std::vector<HostCall> calls;
    plugin.host.call_log = &calls;

    plugin.select_non_planar();

    std::string found_head;
    const std::vector<HostCall> expected = {
        {"orrim_get_world", {}},
        {"orrim_object_get_surfacelist", {"R"}},
        {"surface_get_type", {"R:1"}},
        {"list_add_item_head", {"&found", "R:1"}},
        {"surface_get_type", {"R:2"}},
        {"object_get_kids", {"R"}},
        {"orrim_object_get_surfacelist", {"A"}},
        {"surface_get_type", {"A:1"}},
        {"list_add_item_head", {"&found", "A:1"}},
        {"object_get_kids", {"A"}},
        {"orrim_object_get_surfacelist", {"A1"}},
        {"surface_get_type", {"A1:1"}},
        {"list_add_item_head", {"&found", "A1:1"}},
        {"object_get_kids", {"A1"}},
        {"orrim_object_get_surfacelist", {"B"}},
        {"surface_get_type", {"B:1"}},
        {"list_add_item_head", {"&found", "B:1"}},
        {"object_get_kids", {"B"}},
        {"add_undoable_change_selection", {"select non-planar surfaces"}},
        {"clear_selection", {}},
        {"orrim_selection_select_by_surfaces", {"[B:1, A1:1, A:1, R:1]"}},
        {"list_count", {"[B:1, A1:1, A:1, R:1]"}},
        {"list_free", {"&found"}},
        {"display_message", {"non-planar surfaces detected: %d", "non-planar surfaces detected: 4"}},
        {"redraw_all", {}},
    };
    EXPECT_EQ(without_addresses(calls, found_head), expected);
    EXPECT_EQ(plugin.host.selection.surfaces,
              (std::vector<Surface*>{scene.b1, scene.a11, scene.a1, scene.r1}));
}

TEST(SelectCommand, ReplacesTheSelectionAsOneUndoableChange)
{
    HostWithPlugin plugin;
    WorkedScene scene(plugin.host.scene);
    plugin.host.selection.surfaces = {scene.r2};
    const long nodes_before = stand_in::live_list_nodes();

    plugin.select_non_planar();

    EXPECT_EQ(plugin.host.selection.surfaces,
              (std::vector<Surface*>{scene.b1, scene.a11, scene.a1, scene.r1}));
    ASSERT_EQ(plugin.host.undo_history.size(), 1u);
    EXPECT_EQ(plugin.host.undo_history[0].description, "select non-planar surfaces");
    EXPECT_EQ(plugin.host.undo_history[0].before.surfaces, std::vector<Surface*>{scene.r2});
    EXPECT_EQ(plugin.host.messages, std::vector<std::string>{"non-planar surfaces detected: 4"});
    EXPECT_EQ(plugin.host.redraw_count, 1);
    EXPECT_EQ(stand_in::live_list_nodes(), nodes_before);

    ASSERT_TRUE(stand_in::undo(plugin.host));
    EXPECT_EQ(plugin.host.selection.surfaces, std::vector<Surface*>{scene.r2});
}

struct NothingFoundCase {
    const char* name;
    std::function<void(Scene&)> build;
};

const NothingFoundCase nothing_found_cases[] = {
    {"empty_scene", [](Scene&) {}},
    {"objects_without_surfaces",
     [](Scene& scene) { scene.add_object(scene.add_object(scene.world(), "A"), "A1"); }},
    {"only_planar_surfaces",
     [](Scene& scene) {
         add(scene, scene.world(), true);
         add(scene, scene.add_object(scene.world(), "A"), true);
     }},
    {"only_unmeasured_surfaces",
     [](Scene& scene) { scene.add_surface(scene.world(), stand_in::line_surface_type, bent_quad); }},
};

class NothingFound : public testing::TestWithParam<NothingFoundCase> {};

TEST_P(NothingFound, OnlyShowsTheMessage)
{
    HostWithPlugin plugin;
    GetParam().build(plugin.host.scene);
    Object* chosen = plugin.host.scene.add_object(plugin.host.scene.world(), "chosen");
    plugin.host.selection.objects = {chosen};
    const stand_in::Selection before = plugin.host.selection;
    const long nodes_before = stand_in::live_list_nodes();
    std::vector<HostCall> calls;
    plugin.host.call_log = &calls;

    plugin.select_non_planar();

    EXPECT_EQ(plugin.host.messages, std::vector<std::string>{"No non-planar surfaces found"});
    EXPECT_TRUE(plugin.host.selection == before);
    EXPECT_TRUE(plugin.host.undo_history.empty());
    EXPECT_EQ(plugin.host.redraw_count, 0);
    EXPECT_EQ(stand_in::live_list_nodes(), nodes_before);
    for (const HostCall& call : calls) {
        EXPECT_NE(call.function, "list_add_item_head");
        EXPECT_NE(call.function, "list_count");
        EXPECT_NE(call.function, "list_free");
    }
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().function, "display_message");
    EXPECT_EQ(calls.back().arguments[0], "No non-planar surfaces found");
}

INSTANTIATE_TEST_SUITE_P(Scenes, NothingFound, testing::ValuesIn(nothing_found_cases),
                         [](const testing::TestParamInfo<NothingFoundCase>& info) { return info.param.name; });

TEST(SelectCommand, InObjectModeSelectsTheObjectsButCountsTheSurfaces)
{
    HostWithPlugin plugin(SelectMode::object);
    WorkedScene scene(plugin.host.scene);
    add(plugin.host.scene, stand_in::host_surface(scene.a1)->owner, false);

    plugin.select_non_planar();

    std::vector<std::string> names;
    for (const Object* object : plugin.host.selection.objects)
        names.push_back(object->name);
    EXPECT_EQ(names, (std::vector<std::string>{"B", "A1", "A", "R"}));
    EXPECT_TRUE(plugin.host.selection.surfaces.empty());
    EXPECT_EQ(plugin.host.messages, std::vector<std::string>{"non-planar surfaces detected: 5"});
}

TEST(SelectCommand, InVertexModeSelectsTheSurfaces)
{
    HostWithPlugin plugin(SelectMode::vertex);
    WorkedScene scene(plugin.host.scene);
    plugin.select_non_planar();
    EXPECT_EQ(plugin.host.selection.surfaces.size(), 4u);
    EXPECT_TRUE(plugin.host.selection.objects.empty());
}

TEST(SelectCommand, TwoRunsRecordTwoUndoableChanges)
{
    HostWithPlugin plugin;
    WorkedScene scene(plugin.host.scene);
    plugin.select_non_planar();
    const stand_in::Selection first = plugin.host.selection;
    plugin.select_non_planar();

    EXPECT_TRUE(plugin.host.selection == first);
    EXPECT_EQ(plugin.host.messages, std::vector<std::string>(2, "non-planar surfaces detected: 4"));
    ASSERT_EQ(plugin.host.undo_history.size(), 2u);
    EXPECT_TRUE(plugin.host.undo_history[0].before.empty());
    EXPECT_TRUE(plugin.host.undo_history[1].before == first);
    EXPECT_EQ(plugin.host.redraw_count, 2);
}

TEST(SelectCommand, SingleFindUsesTheSameWording)
{
    HostWithPlugin plugin;
    Object* deep = plugin.host.scene.add_object(plugin.host.scene.add_object(plugin.host.scene.world(), "A"), "A1");
    add(plugin.host.scene, deep, false);
    plugin.select_non_planar();
    EXPECT_EQ(plugin.host.messages, std::vector<std::string>{"non-planar surfaces detected: 1"});
}

// A random tree, checked against a plain recursive pre-order walk: the
// selection reads the failing surfaces in the reverse of that order.
TEST(SelectCommand, FoundListIsTheReversePreOrderOfARandomTree)
{
    HostWithPlugin plugin;
    Scene& scene = plugin.host.scene;
    std::mt19937 random(20261211);
    std::vector<Object*> objects = {scene.world()};
    for (int i = 0; i < 3000; ++i) {
        // Favour recent objects so that the tree grows deep as well as wide.
        const size_t back = std::min<size_t>(objects.size() - 1, random() % 8);
        Object* parent = objects[objects.size() - 1 - back];
        objects.push_back(scene.add_object(parent, "o" + std::to_string(i)));
    }
    std::set<Surface*> bent;
    for (int i = 0; i < 6000; ++i) {
        const bool planar = random() % 3 == 0;
        Surface* surface = add(scene, objects[random() % objects.size()], planar);
        if (!planar)
            bent.insert(surface);
    }

    std::vector<Surface*> expected;
    std::function<void(Object*)> visit = [&](Object* object) {
        for (List* node = object->surfaces; node; node = node->next) {
            if (bent.count(static_cast<Surface*>(node->data)))
                expected.insert(expected.begin(), static_cast<Surface*>(node->data));
        }
        for (List* node = object->kids; node; node = node->next)
            visit(static_cast<Object*>(node->data));
    };
    visit(scene.world());

    plugin.select_non_planar();
    EXPECT_EQ(plugin.host.selection.surfaces, expected);
}

// Long vertex lists among short ones in one object, so that the walk's
// look-ahead over the next surfaces' corners runs out in the middle of a
// surface as well as between two: every surface is still tested, once and in
// list order.
TEST(SelectCommand, TestsEverySurfaceAmongLongAndShortVertexLists)
{
    HostWithPlugin plugin;
    Scene& scene = plugin.host.scene;
    std::mt19937 random(7);
    std::vector<Surface*> expected;
    for (int i = 0; i < 400; ++i) {
        const int corners = i % 5 == 0 ? 60 + int(random() % 240) : int(random() % 9);
        // Corners on the plane z = 0; lifting the last one of four or more
        // takes it a whole unit off the plane of the first three.
        std::vector<Vertex> outline;
        for (int k = 0; k < corners; ++k)
            outline.push_back({float(k), float(k * k % 7), 0});
        const bool bent = corners >= 4 && random() % 2 == 0;
        if (bent)
            outline.back().z = 1;
        Surface* surface = scene.add_surface(scene.world(), 0, outline);
        if (bent)
            expected.insert(expected.begin(), surface);
    }

    plugin.select_non_planar();
    EXPECT_EQ(plugin.host.selection.surfaces, expected);
}

// Objects holding 0 to 40 surfaces of every kind: faces flat and bent of 3 to
// 300 corners, lines, and surfaces of fewer than three vertices, in objects
// nested and side by side. However the walk reads ahead, the host sees what a
// plain walk would make it see: each object's surface list asked for before
// its surfaces, each surface of three or more vertices queried for its type
// in list order right before it is reported or passed, each failing one
// prepended right after its query, the child list after the last surface.
TEST(SelectCommand, CallsTheHostAsAPlainWalkWouldForSurfacesOfEveryKind)
{
    HostWithPlugin plugin;
    Scene& scene = plugin.host.scene;
    std::mt19937 random(11);
    std::vector<Object*> objects = {scene.world()};
    std::set<Surface*> bent;
    for (int surfaces = 0; surfaces <= 40; ++surfaces) {
        Object* parent = objects[random() % objects.size()];
        Object* object = scene.add_object(parent, "o" + std::to_string(surfaces));
        objects.push_back(object);
        for (int i = 0; i < surfaces; ++i) {
            const int kind = int(random() % 6);
            const int corners = kind == 0 ? int(random() % 3) : kind == 1 ? 100 + int(random() % 200) : 3 + int(random() % 6);
            std::vector<Vertex> outline;
            for (int k = 0; k < corners; ++k)
                outline.push_back({float(k), float(k * k % 5), 0});
            const bool is_bent = corners >= 4 && random() % 2 == 0;
            if (is_bent)
                outline.back().z = 1;
            const int type = kind == 2 ? stand_in::line_surface_type : 0;
            Surface* surface = scene.add_surface(object, type, outline);
            if (is_bent && type == 0)
                bent.insert(surface);
        }
    }

    std::vector<HostCall> expected = {{"orrim_get_world", {}}};
    std::function<void(Object*)> visit = [&](Object* object) {
        expected.push_back({"orrim_object_get_surfacelist", {object->name}});
        for (List* node = object->surfaces; node; node = node->next) {
            Surface* surface = static_cast<Surface*>(node->data);
            if (surface->vertex_count >= 3)
                expected.push_back({"surface_get_type", {stand_in::describe(surface)}});
            if (bent.count(surface))
                expected.push_back({"list_add_item_head", {"&found", stand_in::describe(surface)}});
        }
        expected.push_back({"object_get_kids", {object->name}});
        for (List* node = object->kids; node; node = node->next)
            visit(static_cast<Object*>(node->data));
    };
    visit(scene.world());

    std::vector<HostCall> calls;
    plugin.host.call_log = &calls;
    plugin.select_non_planar();

    std::string found_head;
    calls = without_addresses(calls, found_head);
    ASSERT_GT(calls.size(), expected.size());
    calls.resize(expected.size());
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(plugin.host.selection.surfaces.size(), bent.size());
}

// Each object holds the next: a walk that nested a call per level would run
// out of stack long before the bottom.
TEST(SelectCommand, WalksAChainOfAMillionNestedObjects)
{
    HostWithPlugin plugin;
    Scene& scene = plugin.host.scene;
    Surface* top = add(scene, scene.world(), false);
    Object* object = scene.world();
    for (int level = 0; level < 1000000; ++level)
        object = scene.add_object(object, "level");
    Surface* bottom = add(scene, object, false);
    add(scene, object, true);
    const long nodes_before = stand_in::live_list_nodes();

    plugin.select_non_planar();

    EXPECT_EQ(plugin.host.selection.surfaces, (std::vector<Surface*>{bottom, top}));
    EXPECT_EQ(plugin.host.messages, std::vector<std::string>{"non-planar surfaces detected: 2"});
    EXPECT_EQ(stand_in::live_list_nodes(), nodes_before);
}

// Every object's first child goes on down and its second is a leaf with a
// bent surface, so the walk must hold a thousand unfinished child lists.
TEST(SelectCommand, WalksADeepCombOfUnfinishedChildLists)
{
    HostWithPlugin plugin;
    Scene& scene = plugin.host.scene;
    std::vector<Surface*> spine_surfaces, leaf_surfaces;
    Object* object = scene.world();
    for (int level = 0; level < 1000; ++level) {
        Object* spine = scene.add_object(object, "spine");
        spine_surfaces.push_back(add(scene, spine, false));
        leaf_surfaces.push_back(add(scene, scene.add_object(object, "leaf"), false));
        object = spine;
    }
    // The walk meets the spine on the way down and the leaves on the way back
    // up, deepest first; the found list reverses that.
    std::vector<Surface*> expected = leaf_surfaces;
    expected.insert(expected.end(), spine_surfaces.rbegin(), spine_surfaces.rend());

    plugin.select_non_planar();
    EXPECT_EQ(plugin.host.selection.surfaces, expected);
}

}  // namespace
