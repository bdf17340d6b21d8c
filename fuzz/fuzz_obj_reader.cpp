// Feeds the fuzzer's bytes to the OBJ reader as a file's text, and checks
// what it must always hold: a refused file leaves the scene empty and names
// what is wrong; an accepted one gives surfaces whose vertex count is the
// length of their vertex list, each in an object under the world.
#include "obj_reader.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_obj_reader: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    stand_in::Scene scene;
    std::string error, warning;
    const bool read = stand_in::read_obj_text(text, "fuzz.obj", scene, error, warning);
    if (!read) {
        check(error.rfind("fuzz.obj", 0) == 0, "an error that does not name the file");
        check(scene.surfaces().empty() && scene.object_count() == 1, "a refused file left something in the scene");
        return 0;
    }
    check(error.empty(), "an accepted file with an error");
    for (Surface* surface : scene.surfaces()) {
        size_t nodes = 0;
        for (const List* node = surface->vertices; node != nullptr; node = node->next)
            ++nodes;
        check(nodes == surface->vertex_count, "a surface whose vertex count is not its list's length");
        check(stand_in::host_surface(surface)->owner->parent == scene.world(), "a surface outside the world's objects");
    }
    return 0;
}
