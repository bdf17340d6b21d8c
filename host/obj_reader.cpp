#include "obj_reader.h"

#include <charconv>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace stand_in {

namespace {

struct Element {
    std::string group;
    int type;
    std::vector<Vertex> corners;
};

// The single-precision number nearest to the decimal text.
bool parse_coordinate(const std::string& text, float& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    const std::from_chars_result result = std::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last;
}

bool parse_index(const std::string& text, long& value)
{
    const char* last = text.data() + text.size();
    const std::from_chars_result result = std::from_chars(text.data(), last, value);
    return result.ec == std::errc() && result.ptr == last && value != 0;
}

class ObjParser {
public:
    // Returns an empty string, or what is wrong with the line.
    std::string parse_line(const std::string& line)
    {
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword) || keyword[0] == '#')
            return "";
        std::vector<std::string> fields;
        for (std::string field; words >> field;) {
            if (field[0] == '#')
                break;
            fields.push_back(field);
        }
        if (keyword == "v")
            return vertex(fields);
        if (keyword == "f")
            return element(fields, face_surface_type, 3, "a face");
        if (keyword == "l")
            return element(fields, line_surface_type, 2, "a line");
        if (keyword == "o" || keyword == "g")
            return group(fields);
        // Normals, texture coordinates, materials and smoothing groups do not
        // matter to a selection.
        if (keyword == "vn" || keyword == "vt" || keyword == "vp" || keyword == "s" || keyword == "usemtl" ||
            keyword == "mtllib")
            return "";
        return "unknown statement \"" + keyword + "\"";
    }

    // One object per group that holds something, in the order the groups
    // are first used; the same name again continues the same object.
    void add_to_scene(Scene& scene) const
    {
        std::map<std::string, Object*> objects;
        for (const Element& element : elements_) {
            Object*& owner = objects[element.group];
            if (owner == nullptr)
                owner = scene.add_object(scene.world(), element.group);
            scene.add_surface(owner, element.type, element.corners);
        }
    }

private:
    std::string vertex(const std::vector<std::string>& fields)
    {
        if (fields.size() < 3 || fields.size() > 4)
            return "a vertex needs three coordinates";
        Vertex v{};
        float* coordinates[3] = {&v.x, &v.y, &v.z};
        for (int i = 0; i < 3; ++i) {
            if (!parse_coordinate(fields[i], *coordinates[i]))
                return "\"" + fields[i] + "\" is not a number";
        }
        vertices_.push_back(v);
        return "";
    }

    std::string element(const std::vector<std::string>& fields, int type, size_t fewest, const char* what)
    {
        if (fields.size() < fewest)
            return std::string(what) + " needs at least " + std::to_string(fewest) + " vertices";
        if (fields.size() > 65535)
            return std::string(what) + " has more vertices than a surface can hold";
        Element element{group_name_, type, {}};
        for (const std::string& field : fields) {
            // "v", "v/vt", "v//vn" or "v/vt/vn": only the position matters.
            long index = 0;
            if (!parse_index(field.substr(0, field.find('/')), index))
                return "\"" + field + "\" is not a vertex index";
            const long position = index > 0 ? index - 1 : static_cast<long>(vertices_.size()) + index;
            if (position < 0 || position >= static_cast<long>(vertices_.size()))
                return "vertex index " + std::to_string(index) + " refers to no vertex defined before it";
            element.corners.push_back(vertices_[static_cast<size_t>(position)]);
        }
        elements_.push_back(std::move(element));
        return "";
    }

    std::string group(const std::vector<std::string>& fields)
    {
        if (fields.empty())
            return "a group needs a name";
        std::string name = fields[0];
        for (size_t i = 1; i < fields.size(); ++i)
            name += " " + fields[i];
        group_name_ = name;
        return "";
    }

    std::vector<Vertex> vertices_;
    std::vector<Element> elements_;
    std::string group_name_ = "default";
};

}  // namespace

bool read_obj(std::istream& in, const std::string& file_name, Scene& scene, std::string& error)
{
    // Nothing goes into the scene before the whole file has been read.
    ObjParser parser;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string problem = parser.parse_line(line);
        if (!problem.empty()) {
            error = file_name + ":" + std::to_string(number) + ": " + problem;
            return false;
        }
    }
    parser.add_to_scene(scene);
    return true;
}

bool read_obj_file(const std::string& path, Scene& scene, std::string& error)
{
    std::ifstream in(path);
    if (!in) {
        error = "cannot read the scene file " + path;
        return false;
    }
    return read_obj(in, path, scene, error);
}

}  // namespace stand_in
