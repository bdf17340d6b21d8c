// The scene: a tree of objects under one world object, each with its own
// surfaces and children kept in the host's List chains, exactly as a plug-in
// reads them.
#pragma once

#include "orrim_host.h"
#include "records.h"

#include <deque>
#include <string>
#include <vector>

struct Object {
    std::string name;
    Object* parent = nullptr;
    List* surfaces = nullptr;
    List* kids = nullptr;
    List* last_surface = nullptr;
    List* last_kid = nullptr;
    int surface_total = 0;
};

namespace stand_in {

// The type code of surfaces that are faces; others (lines, say) are not
// measured for planarity.
constexpr int face_surface_type = 0;
constexpr int line_surface_type = 1;
constexpr int point_surface_type = 2;

// The host's full surface record: the fields the plug-in reads come first.
struct HostSurface {
    Surface record;
    int type;
    Object* owner;
    int face_number;  // 1-based position in the owner's surface list
};

inline HostSurface* host_surface(Surface* surface)
{
    return reinterpret_cast<HostSurface*>(surface);
}

inline const HostSurface* host_surface(const Surface* surface)
{
    return reinterpret_cast<const HostSurface*>(surface);
}

// "object:face", the way the host names a surface to the user.
std::string describe(const Surface* surface);

class Scene {
public:
    Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    Object* world() { return &objects_.front(); }

    Object* add_object(Object* parent, std::string name);

    // A surface whose vertex_count is the number of its corners.
    Surface* add_surface(Object* owner, int type, const std::vector<Vertex>& corners);
    // A surface whose vertex_count says something else than its list holds.
    Surface* add_surface(Object* owner, int type, const std::vector<Vertex>& corners,
                         unsigned short vertex_count);

    // Every surface in the order it was added.
    std::vector<Surface*> surfaces();
    size_t object_count() const { return objects_.size(); }

    // Moves every list node, surface-vertex record and vertex into fresh
    // storage, each to a slot taken in shuffled order, the way a heap that
    // has long been in use leaves them. The scene reads the same as before;
    // objects and surface records stay where they are.
    void scatter(unsigned seed);

private:
    List* new_node(void* data);

    std::deque<Object> objects_;
    Records<HostSurface> surfaces_;
    Records<Vertex> vertices_;
    Records<SurfaceVertex> surface_vertices_;
    Records<List> nodes_;
};

}  // namespace stand_in
