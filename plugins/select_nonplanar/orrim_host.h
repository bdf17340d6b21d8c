/* The host application's interface as this plug-in uses it: the scene records
 * it reads directly and the fifteen functions it imports by name from the
 * host executable. Everything is cdecl with C linkage; pointers are 32-bit on
 * the real (32-bit x86 Windows) target and natural elsewhere. */
#ifndef ORRIM_HOST_H
#define ORRIM_HOST_H

#if defined(_WIN32) && defined(__i386__)
#define ORRIM_CDECL __cdecl
#else
#define ORRIM_CDECL
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct List {
    void* data;
    struct List* next;
} List;

typedef struct Vertex {
    float x, y, z;
} Vertex;

typedef struct SurfaceVertex {
    Vertex* vertex;
} SurfaceVertex;

/* Only the leading fields are read; the host's own fields follow them. */
typedef struct Surface {
    List* vertices;
    unsigned short vertex_count;
} Surface;

/* Opaque to the plug-in: only handed back to the host. */
typedef struct Object Object;

typedef void (ORRIM_CDECL* command_handler)(void);

double  ORRIM_CDECL orrim_get_version_number(void);
void    ORRIM_CDECL orrim_add_command(const char* name, command_handler handler);
void    ORRIM_CDECL orrim_add_tools_menu_item(const char* label, const char* command, const char* description);
Object* ORRIM_CDECL orrim_get_world(void);
List*   ORRIM_CDECL orrim_object_get_surfacelist(Object* object);
List*   ORRIM_CDECL object_get_kids(Object* object);
int     ORRIM_CDECL surface_get_type(Surface* surface);
void    ORRIM_CDECL list_add_item_head(List** head, void* item);
int     ORRIM_CDECL list_count(List* head);
void    ORRIM_CDECL list_free(List** head);
void    ORRIM_CDECL display_message(const char* format, ...);
void    ORRIM_CDECL add_undoable_change_selection(const char* description);
void    ORRIM_CDECL clear_selection(void);
void    ORRIM_CDECL orrim_selection_select_by_surfaces(List* surfaces);
void    ORRIM_CDECL redraw_all(void);

#ifdef __cplusplus
}

#include <cstddef>
#include <cstdint>

/* The host lays its records out for a 32-bit process; the plug-in reads them
 * at these byte offsets. */
#if UINTPTR_MAX == 0xffffffffu
static_assert(offsetof(List, data) == 0, "List.data at 0");
static_assert(offsetof(List, next) == 4, "List.next at 4");
static_assert(offsetof(Surface, vertices) == 0, "Surface.vertices at 0");
static_assert(offsetof(Surface, vertex_count) == 4, "Surface.vertex_count at 4");
static_assert(offsetof(SurfaceVertex, vertex) == 0, "SurfaceVertex.vertex at 0");
#endif
static_assert(offsetof(Vertex, x) == 0, "Vertex.x at 0");
static_assert(offsetof(Vertex, y) == 4, "Vertex.y at 4");
static_assert(offsetof(Vertex, z) == 8, "Vertex.z at 8");
static_assert(sizeof(unsigned short) == 2 && sizeof(int) == 4 && sizeof(float) == 4,
              "host integer and float widths");
#endif

#endif
