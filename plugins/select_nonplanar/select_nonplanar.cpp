// Select non-planar surfaces: a plug-in that adds a Tools-menu command which
// selects every surface of the scene that does not lie in one plane.
//
// Plain procedural code with C linkage. It keeps no state of its own: the
// scene, the selection, the undo history and the menus all belong to the host.

#include "orrim_host.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

// The arithmetic runs on the SSE unit (SSE2 on 32-bit x86), whose control
// register the command sets for itself and hands back.
#if !defined(__SSE2__)
#error "select_nonplanar computes with SSE2"
#endif
#include <xmmintrin.h>

#if defined(_WIN32)
#include <windows.h>
#define ORRIM_PLUGIN_EXPORT
#else
#define ORRIM_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

namespace {

const double minimum_host_version = 4.0;

// An absolute distance in model units: the double nearest to 0.00001.
const double planar_tolerance = 0.00001;

// The SSE control and status register as the planarity test needs it: round
// to nearest with ties to even, subnormals neither flushed to zero nor read
// as zero, every exception masked (a not-a-number or an overflow is part of
// the test, never a trap), and no exception flag set.
const unsigned int exact_arithmetic_csr = 0x1f80;

// How many of an object's next surfaces the walk follows at once ahead of the
// planarity test (see "Surfaces in flight" below).
enum { surfaces_in_flight = 8 };

const char refusal_message[] = "plugin_select_non_planar: this plugins requires Orrim 4\n";
const char command_name[] = "plugin_select_non_planar";
const char menu_item_label[] = "Select non-planar surfaces";
const char menu_item_command[] = "orrim plugin_select_non_planar";
const char menu_item_description[] = "Select surfaces that are non-planar";
const char about_text[] = "Selects the surfaces of the scene that do not lie in one plane.";
const char info_text[] =
    "Adds an item to the tools menu.\n\n"
    "Selects non-planar surfaces in Surface and Vertex select mode.  "
    "In other select modes, the objects containing the surfaces will be selected.";

const char undo_description[] = "select non-planar surfaces";
const char none_found_message[] = "No non-planar surfaces found";
const char found_message[] = "non-planar surfaces detected: %d";
const char walk_failed_message[] =
    "Select non-planar surfaces: not enough memory to walk the scene; the selection is unchanged";

}  // namespace

extern "C" {

int surface_is_planar(Surface* surface);
int collect_non_planar_surfaces(Object* object, List** found);
void ORRIM_CDECL select_non_planar_command(void);

// ---------------------------------------------------------------------------
// Planarity test
//
// Every step is rounded exactly where the result depends on it: a double
// temporary for each double-precision operation (so no product is fused into
// a sum), a float temporary wherever the value is held in single precision.

static const Vertex* vertex_of(const List* node)
{
    return static_cast<const SurfaceVertex*>(node->data)->vertex;
}

// One component of the cross product (p1 - p0) x (p2 - p0):
// (a1 - a0) * (b2 - b0) - (a2 - a0) * (b1 - b0), held in single precision.
static float normal_component(float a0, float a1, float a2, float b0, float b1, float b2)
{
    const double da1 = double(a1) - double(a0);
    const double db2 = double(b2) - double(b0);
    const double da2 = double(a2) - double(a0);
    const double db1 = double(b1) - double(b0);
    const double first = da1 * db2;
    const double second = da2 * db1;
    const double component = first - second;
    return float(component);
}

// (ux * x + uy * y) + uz * z in double precision, held in single precision.
static float plane_product_sum(const float unit[3], const Vertex* point)
{
    const double px = double(unit[0]) * double(point->x);
    const double py = double(unit[1]) * double(point->y);
    const double pz = double(unit[2]) * double(point->z);
    const double partial = px + py;
    const double sum = partial + pz;
    return float(sum);
}

int surface_is_planar(Surface* surface)
{
    if (surface->vertex_count < 3)
        return 1;
    if (surface_get_type(surface) != 0)
        return 1;

    const List* first = surface->vertices;
    const Vertex* p0 = vertex_of(first);
    const Vertex* p1 = vertex_of(first->next);
    const Vertex* p2 = vertex_of(first->next->next);

    const float nx = normal_component(p0->y, p1->y, p2->y, p0->z, p1->z, p2->z);
    const float ny = normal_component(p0->z, p1->z, p2->z, p0->x, p1->x, p2->x);
    const float nz = normal_component(p0->x, p1->x, p2->x, p0->y, p1->y, p2->y);

    const double sx = double(nx) * double(nx);
    const double sy = double(ny) * double(ny);
    const double sz = double(nz) * double(nz);
    const double partial = sx + sy;
    const double squared_length = partial + sz;
    const double root = std::sqrt(squared_length);
    const float length = float(root);

    // No usable plane: coincident or collinear plane points (zero), a
    // not-a-number coordinate, or a normal too long for single precision,
    // which would leave every distance zero or not a number.
    if (length == 0.0f || !std::isfinite(length))
        return 0;

    const float unit[3] = {
        float(double(nx) / double(length)),
        float(double(ny) / double(length)),
        float(double(nz) / double(length)),
    };
    const float plane_constant = plane_product_sum(unit, p0);

    for (const List* node = first; node != nullptr; node = node->next) {
        const float d = plane_product_sum(unit, vertex_of(node));
        const double distance = double(d) - double(plane_constant);
        // Written so that a distance that is not a number fails as well. The
        // compiler's own absolute value stays on the SSE unit: the C
        // library's is an x87 routine on 32-bit Windows.
        if (!(__builtin_fabs(distance) <= planar_tolerance))
            return 0;
    }
    return 1;
}

// ---------------------------------------------------------------------------
// Scene walk
//
// Depth first and pre-order: an object's own surfaces, then each child's whole
// subtree in list order. Instead of nesting a call per level, the walk keeps a
// stack of cursors into the child lists of the objects above it, so that a
// tree of any depth fits; a cursor is dropped once its list is used up.

struct CursorStack {
    const List** cursors;
    size_t depth;
    size_t capacity;
};

static int push_cursor(CursorStack* stack, const List* cursor)
{
    if (stack->depth == stack->capacity) {
        const size_t capacity = stack->capacity == 0 ? 64 : stack->capacity * 2;
        void* grown = std::realloc(stack->cursors, capacity * sizeof(*stack->cursors));
        if (grown == nullptr)
            return 0;
        stack->cursors = static_cast<const List**>(grown);
        stack->capacity = capacity;
    }
    stack->cursors[stack->depth++] = cursor;
    return 1;
}

// Takes the next object from the innermost unfinished child list.
static Object* next_object(CursorStack* stack)
{
    if (stack->depth == 0)
        return nullptr;
    const List* node = stack->cursors[stack->depth - 1];
    if (node->next != nullptr)
        stack->cursors[stack->depth - 1] = node->next;
    else
        stack->depth--;
    return static_cast<Object*>(node->data);
}

// ---------------------------------------------------------------------------
// Surfaces in flight
//
// Where a host's records lie scattered over its heap, almost every list node,
// corner record and vertex is a cache miss, and each surface's corners form a
// chain that can only be followed one node at a time. Followed one surface
// after another, those misses would be waited for one by one. So the walk
// keeps the next few surfaces of the object in flight, each in a lane with a
// cursor into its corner list: every round moves each cursor on by one node,
// asking for the next node, the corner record and the vertex before they are
// read, so that the misses of several chains overlap. The planarity test then
// takes the surfaces strictly in list order, each once its whole corner list
// has been asked for.
//
// What it costs: a few pointer reads per corner and a small ring on the
// stack, no allocation. What it reads ahead is only the surface records,
// list nodes and corner records (a surface of fewer than three vertices not
// even those, as the test leaves it); vertices are only asked for, which is a
// hint and never a read. It calls nothing in the host: the type query stays in
// the test, right before each surface's measurement.

// A lane's cursor past the end of its corner list stands on this node, which
// leads only to itself, so that every round does the same steps for every
// lane without a test. Constant: the walk never writes it.
const Vertex no_vertex = {0, 0, 0};
const SurfaceVertex no_corner_record = {const_cast<Vertex*>(&no_vertex)};
const List no_corner = {const_cast<SurfaceVertex*>(&no_corner_record), const_cast<List*>(&no_corner)};

typedef struct {
    Surface* surface;
    const List* corner;                 // next corner node to read
    const SurfaceVertex* corner_record; // asked for last round, its vertex not yet
} SurfaceLane;

typedef struct {
    SurfaceLane lanes[surfaces_in_flight];  // a ring, the oldest surface at first
    unsigned first;
    unsigned count;
    Surface* incoming;         // taken from the list, its record asked for
    const List* next_surface;  // the node after it
} SurfacePipeline;

static SurfaceLane* lane_at(SurfacePipeline* pipeline, unsigned position)
{
    return &pipeline->lanes[(pipeline->first + position) % surfaces_in_flight];
}

// Takes the next surface from the object's list, asking for its record and
// for the list's next node: both are read only at the next take.
static void take_next_surface(SurfacePipeline* pipeline)
{
    const List* node = pipeline->next_surface;
    pipeline->incoming = node != nullptr ? static_cast<Surface*>(node->data) : nullptr;
    pipeline->next_surface = node != nullptr ? node->next : nullptr;
    __builtin_prefetch(pipeline->incoming);
    __builtin_prefetch(pipeline->next_surface);
}

// Fills the free lanes. A surface of fewer than three vertices starts at the
// end of its corners, which the test leaves unread too.
static void fill_lanes(SurfacePipeline* pipeline)
{
    while (pipeline->count < surfaces_in_flight && pipeline->incoming != nullptr) {
        SurfaceLane* lane = lane_at(pipeline, pipeline->count++);
        Surface* surface = pipeline->incoming;
        lane->surface = surface;
        lane->corner = surface->vertex_count >= 3 && surface->vertices != nullptr ? surface->vertices : &no_corner;
        lane->corner_record = &no_corner_record;
        __builtin_prefetch(lane->corner);
        take_next_surface(pipeline);
    }
}

// One round: every lane asks for the vertex of the corner record it read
// last round, then reads its corner node and asks for the next node and
// that node's record.
static void advance_lanes(SurfacePipeline* pipeline)
{
    for (unsigned position = 0; position < pipeline->count; ++position) {
        SurfaceLane* lane = lane_at(pipeline, position);
        __builtin_prefetch(lane->corner_record->vertex);
        lane->corner_record = static_cast<const SurfaceVertex*>(lane->corner->data);
        __builtin_prefetch(lane->corner_record);
        const List* next = lane->corner->next;
        lane->corner = next != nullptr ? next : &no_corner;
        __builtin_prefetch(lane->corner);
    }
}

static int lane_is_ready(const SurfaceLane* lane)
{
    return lane->corner == &no_corner && lane->corner_record == &no_corner_record;
}

// Tests the oldest surfaces whose corners have all been asked for, in list
// order, and frees their lanes.
static void test_ready_surfaces(SurfacePipeline* pipeline, List** found)
{
    while (pipeline->count > 0 && lane_is_ready(lane_at(pipeline, 0))) {
        Surface* surface = lane_at(pipeline, 0)->surface;
        pipeline->first = (pipeline->first + 1) % surfaces_in_flight;
        pipeline->count--;
        if (surface_is_planar(surface) == 0)
            list_add_item_head(found, surface);
    }
}

static void collect_own_surfaces(Object* object, List** found)
{
    SurfacePipeline pipeline;
    pipeline.first = 0;
    pipeline.count = 0;
    pipeline.next_surface = orrim_object_get_surfacelist(object);
    take_next_surface(&pipeline);
    fill_lanes(&pipeline);
    while (pipeline.count > 0) {
        advance_lanes(&pipeline);
        test_ready_surfaces(&pipeline, found);
        fill_lanes(&pipeline);
    }
}

// Prepends every non-planar surface of the subtree to *found. Returns 0 when
// there was no memory for the cursor stack and the walk stopped short.
int collect_non_planar_surfaces(Object* object, List** found)
{
    CursorStack stack = {nullptr, 0, 0};
    int complete = 1;
    while (object != nullptr) {
        collect_own_surfaces(object, found);
        const List* kids = object_get_kids(object);
        if (kids != nullptr && !push_cursor(&stack, kids)) {
            complete = 0;
            break;
        }
        object = next_object(&stack);
    }
    std::free(stack.cursors);
    return complete;
}

// ---------------------------------------------------------------------------
// The floating-point state
//
// The host may run with flush-to-zero, denormals-are-zero or another rounding
// mode in the SSE control register, any of which changes verdicts near the
// tolerance. The walk runs in the state it needs, and the host gets its own
// back, control bits and exception flags alike, before any host code that
// follows the walk. Out of line, so that no arithmetic of the walk is moved
// across the change of state.

[[gnu::noinline]] static unsigned int enter_exact_arithmetic(void)
{
    const unsigned int host_csr = _mm_getcsr();
    _mm_setcsr(exact_arithmetic_csr);
    return host_csr;
}

[[gnu::noinline]] static void restore_host_arithmetic(unsigned int host_csr)
{
    _mm_setcsr(host_csr);
}

// ---------------------------------------------------------------------------
// The command

void ORRIM_CDECL select_non_planar_command(void)
{
    List* found = nullptr;
    Object* world = orrim_get_world();

    const unsigned int host_csr = enter_exact_arithmetic();
    const int complete = collect_non_planar_surfaces(world, &found);
    restore_host_arithmetic(host_csr);

    if (!complete) {
        if (found != nullptr)
            list_free(&found);
        display_message(walk_failed_message);
        return;
    }
    if (found == nullptr) {
        display_message(none_found_message);
        return;
    }

    add_undoable_change_selection(undo_description);
    clear_selection();
    orrim_selection_select_by_surfaces(found);
    const int count = list_count(found);
    list_free(&found);
    display_message(found_message, count);
    redraw_all();
}

// ---------------------------------------------------------------------------
// Entry points

ORRIM_PLUGIN_EXPORT int ORRIM_CDECL OrrimPluginInit(void)
{
    const double version = orrim_get_version_number();
    // Written so that a version that is not a number is refused too.
    if (!(version >= minimum_host_version)) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
        std::printf(refusal_message);
#pragma GCC diagnostic pop
        return -1;
    }
    orrim_add_command(command_name, select_non_planar_command);
    orrim_add_tools_menu_item(menu_item_label, menu_item_command, menu_item_description);
    return 0;
}

ORRIM_PLUGIN_EXPORT int ORRIM_CDECL OrrimPluginExit(void)
{
    return 0;
}

ORRIM_PLUGIN_EXPORT const char* ORRIM_CDECL OrrimPluginAbout(void)
{
    return about_text;
}

ORRIM_PLUGIN_EXPORT const char* ORRIM_CDECL OrrimPluginInfo(void)
{
    return info_text;
}

#if defined(_WIN32)
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        DisableThreadLibraryCalls(instance);
    return TRUE;
}
#endif

}  // extern "C"
