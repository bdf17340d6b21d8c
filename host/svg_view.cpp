#include "svg_view.h"

#include "host.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

namespace stand_in {

namespace {

struct Point {
    double x, y;
};

// A cabinet projection: x to the right, y up, z receding up and to the right.
Point project(const Vertex& v)
{
    const double depth = 0.5, cos30 = 0.8660254037844386, sin30 = 0.5;
    return {v.x + depth * cos30 * v.z, -(v.y + depth * sin30 * v.z)};
}

bool is_selected(const Host& host, Surface* surface)
{
    const Selection& selection = host.selection;
    return std::find(selection.surfaces.begin(), selection.surfaces.end(), surface) != selection.surfaces.end() ||
           std::find(selection.objects.begin(), selection.objects.end(), host_surface(surface)->owner) !=
               selection.objects.end();
}

std::vector<Point> outline(const Surface* surface)
{
    std::vector<Point> points;
    for (const List* node = surface->vertices; node != nullptr; node = node->next) {
        const Point p = project(*static_cast<const SurfaceVertex*>(node->data)->vertex);
        if (std::isfinite(p.x) && std::isfinite(p.y))
            points.push_back(p);
    }
    return points;
}

}  // namespace

bool write_view_svg(Host& host, const std::string& path, std::string& error)
{
    const double size = 600, margin = 20;
    double low_x = std::numeric_limits<double>::infinity(), low_y = low_x;
    double high_x = -low_x, high_y = -low_x;
    const std::vector<Surface*> surfaces = host.scene.surfaces();
    for (Surface* surface : surfaces) {
        for (const Point& p : outline(surface)) {
            low_x = std::min(low_x, p.x), high_x = std::max(high_x, p.x);
            low_y = std::min(low_y, p.y), high_y = std::max(high_y, p.y);
        }
    }
    const double extent = std::max({high_x - low_x, high_y - low_y, 1e-30});
    const double scale = std::isfinite(extent) ? (size - 2 * margin) / extent : 1;

    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << size << "\" height=\"" << size
        << "\" viewBox=\"0 0 " << size << " " << size << "\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    // Selected surfaces last, so that they are drawn on top.
    for (bool selected : {false, true}) {
        for (Surface* surface : surfaces) {
            if (is_selected(host, surface) != selected)
                continue;
            const bool face = host_surface(surface)->type == face_surface_type;
            svg << (face ? "<polygon" : "<polyline") << " points=\"";
            for (const Point& p : outline(surface))
                svg << margin + (p.x - low_x) * scale << "," << margin + (p.y - low_y) * scale << " ";
            svg << "\" fill=\"" << (!face ? "none" : selected ? "#f08080" : "#dde3ea") << "\" fill-opacity=\"0.8\""
                << " stroke=\"" << (selected ? "#c00000" : "#404850") << "\" stroke-width=\"" << (selected ? 2.5 : 1)
                << "\"><title>" << describe(surface) << "</title>" << (face ? "</polygon>\n" : "</polyline>\n");
        }
    }
    svg << "</svg>\n";

    std::ofstream out(path);
    if (!(out << svg.str())) {
        error = "cannot write the view to " + path;
        return false;
    }
    return true;
}

}  // namespace stand_in
