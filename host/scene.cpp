#include "scene.h"

namespace stand_in {

std::string describe(const Surface* surface)
{
    const HostSurface* full = host_surface(surface);
    return full->owner->name + ":" + std::to_string(full->face_number);
}

Scene::Scene()
{
    objects_.emplace_back();
    objects_.back().name = "world";
}

List* Scene::new_node(void* data)
{
    return nodes_.push_back(List{data, nullptr});
}

static void append(List*& head, List*& last, List* node)
{
    if (last == nullptr)
        head = node;
    else
        last->next = node;
    last = node;
}

Object* Scene::add_object(Object* parent, std::string name)
{
    objects_.emplace_back();
    Object* object = &objects_.back();
    object->name = std::move(name);
    object->parent = parent;
    append(parent->kids, parent->last_kid, new_node(object));
    return object;
}

Surface* Scene::add_surface(Object* owner, int type, const std::vector<Vertex>& corners)
{
    return add_surface(owner, type, corners, static_cast<unsigned short>(corners.size()));
}

Surface* Scene::add_surface(Object* owner, int type, const std::vector<Vertex>& corners,
                            unsigned short vertex_count)
{
    HostSurface* surface = surfaces_.push_back(HostSurface{{nullptr, vertex_count}, type, owner, ++owner->surface_total});
    List* last = nullptr;
    for (const Vertex& corner : corners) {
        SurfaceVertex* surface_vertex = surface_vertices_.push_back(SurfaceVertex{vertices_.push_back(corner)});
        append(surface->record.vertices, last, new_node(surface_vertex));
    }
    append(owner->surfaces, owner->last_surface, new_node(&surface->record));
    return &surface->record;
}

std::vector<Surface*> Scene::surfaces()
{
    std::vector<Surface*> all;
    all.reserve(surfaces_.size());
    surfaces_.for_each([&all](HostSurface& surface) { all.push_back(&surface.record); });
    return all;
}

}  // namespace stand_in
