#include "scene.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>

namespace stand_in {

namespace {

// Fresh storage whose slots are handed out in a shuffled order.
template <typename T>
class ShuffledSlots {
public:
    ShuffledSlots(size_t count, std::mt19937_64& random) : storage_(count), order_(count)
    {
        std::iota(order_.begin(), order_.end(), size_t{0});
        std::shuffle(order_.begin(), order_.end(), random);
    }

    T* take(const T& value)
    {
        if (next_ == order_.size())
            throw std::logic_error("scatter: the scene holds more records than its storage");
        T* slot = &storage_[order_[next_++]];  // one chunk: found at once
        *slot = value;
        return slot;
    }

    Records<T>& storage() { return storage_; }

private:
    Records<T> storage_;
    std::vector<size_t> order_;
    size_t next_ = 0;
};

}  // namespace

void Scene::scatter(unsigned seed)
{
    std::mt19937_64 random(seed);
    ShuffledSlots<List> nodes(nodes_.size(), random);
    ShuffledSlots<SurfaceVertex> surface_vertices(surface_vertices_.size(), random);
    ShuffledSlots<Vertex> vertices(vertices_.size(), random);

    // A copy of the list in scattered nodes; copy_item gives each node's data.
    auto copy_list = [&nodes](const List* head, List*& last, auto copy_item) {
        List* copy = nullptr;
        last = nullptr;
        for (const List* node = head; node != nullptr; node = node->next) {
            List* scattered = nodes.take(List{copy_item(node->data), nullptr});
            if (last == nullptr)
                copy = scattered;
            else
                last->next = scattered;
            last = scattered;
        }
        return copy;
    };
    auto copy_corner = [&](void* data) -> void* {
        const Vertex* vertex = static_cast<const SurfaceVertex*>(data)->vertex;
        return surface_vertices.take(SurfaceVertex{vertices.take(*vertex)});
    };
    auto copy_surface = [&](void* data) {
        Surface* surface = static_cast<Surface*>(data);
        List* last = nullptr;
        surface->vertices = copy_list(surface->vertices, last, copy_corner);
        return data;
    };

    for (Object& object : objects_) {
        object.kids = copy_list(object.kids, object.last_kid, [](void* kid) { return kid; });
        object.surfaces = copy_list(object.surfaces, object.last_surface, copy_surface);
    }
    nodes_.swap(nodes.storage());
    surface_vertices_.swap(surface_vertices.storage());
    vertices_.swap(vertices.storage());
}

}  // namespace stand_in
