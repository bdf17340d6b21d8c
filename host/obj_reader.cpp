#include "obj_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace stand_in {

namespace {

// Statements of free-form geometry and of display and rendering: they carry
// no polygon, so they are skipped, and counted for one warning.
const char* const skipped_statements[] = {
    "cstype", "deg",   "bmat",    "step",     "curv",     "curv2",      "surf",      "parm",
    "trim",   "hole",  "scrv",    "sp",       "end",      "con",        "mg",        "bevel",
    "c_interp", "d_interp", "lod", "usemap", "maplib", "shadow_obj", "trace_obj", "ctech",
    "stech",
};

// Statements that matter to a renderer, not to a selection: accepted silently.
const char* const ignored_statements[] = {"vt", "vn", "vp", "s", "usemtl", "mtllib"};

bool is_one_of(std::string_view word, const char* const* first, const char* const* last)
{
    for (; first != last; ++first)
        if (word == *first)
            return true;
    return false;
}

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

// The words of one statement, up to a '#' that starts a comment (even glued
// to the word before it).
class Words {
public:
    explicit Words(std::string_view text) : rest_(text) {}

    bool next(std::string_view& word)
    {
        size_t start = 0;
        while (start < rest_.size() && is_blank(rest_[start]))
            ++start;
        if (start == rest_.size() || rest_[start] == '#')
            return false;
        size_t end = start;
        while (end < rest_.size() && !is_blank(rest_[end]) && rest_[end] != '#')
            ++end;
        word = rest_.substr(start, end - start);
        rest_.remove_prefix(end);
        return true;
    }

private:
    std::string_view rest_;
};

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// The single-precision number nearest to the decimal text. A magnitude too
// small for single precision rounds to zero; one too large is an error.
std::string parse_coordinate(std::string_view text, float& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    const std::from_chars_result result = std::from_chars(first, last, value);
    if (result.ptr != last || (result.ec != std::errc() && result.ec != std::errc::result_out_of_range))
        return quoted(text) + " is not a number";
    if (result.ec == std::errc::result_out_of_range) {
        double magnitude = 0;
        std::from_chars(first, last, magnitude);
        if (!(std::fabs(magnitude) < 1.0))
            return quoted(text) + " is outside the range of single precision";
        value = std::signbit(magnitude) ? -0.0f : 0.0f;
    }
    return "";
}

// Indices are kept in 32 bits: a file with more vertices than that is refused.
constexpr long most_indices = 0x7fffffffL;

bool parse_index(std::string_view text, long& value)
{
    const char* last = text.data() + text.size();
    const std::from_chars_result result = std::from_chars(text.data(), last, value);
    return result.ec == std::errc() && result.ptr == last && value != 0 && value >= -most_indices &&
           value <= most_indices;
}

// A face, line or point statement whose vertex indices are resolved once the
// whole file has been read: an index may name a vertex defined later.
struct PendingElement {
    std::int32_t type;
    std::int32_t group;
    std::int32_t line;
    std::int32_t vertices_before;  // vertices defined before the statement: where negative indices count from
    std::uint32_t corner_count;
    std::size_t first_corner;      // into the parser's corner indices, as the file wrote them
};

struct ElementKind {
    const char* keyword;
    int type;
    size_t fewest;
    const char* what;
};

const ElementKind element_kinds[] = {
    {"f", face_surface_type, 2, "a face"},
    {"fo", face_surface_type, 2, "a face"},
    {"l", line_surface_type, 2, "a line"},
    {"p", point_surface_type, 1, "a point element"},
};

class ObjParser {
public:
    // Room for what a text of this many lines and bytes can hold at most:
    // reserved, not touched, so the vectors never move while they grow.
    ObjParser(size_t lines, size_t bytes)
    {
        vertices_.reserve(lines);
        elements_.reserve(lines);
        corners_.reserve(bytes / 2);
        advise_huge_pages(vertices_.data(), vertices_.capacity() * sizeof(Vertex));
        advise_huge_pages(elements_.data(), elements_.capacity() * sizeof(PendingElement));
        advise_huge_pages(corners_.data(), corners_.capacity() * sizeof(std::int32_t));
    }

    // Returns an empty string, or what is wrong with the statement.
    std::string parse_statement(std::string_view text, int line)
    {
        Words words(text);
        std::string_view keyword;
        if (!words.next(keyword))
            return "";
        if (keyword == "v")
            return vertex(words);
        for (const ElementKind& kind : element_kinds)
            if (keyword == kind.keyword)
                return element(words, kind, line);
        if (keyword == "o" || keyword == "g")
            return group(words);
        if (is_one_of(keyword, std::begin(ignored_statements), std::end(ignored_statements)))
            return "";
        if (is_one_of(keyword, std::begin(skipped_statements), std::end(skipped_statements))) {
            ++skipped_[std::string(keyword)];
            return "";
        }
        return "unknown statement " + quoted(keyword);
    }

    // Turns every vertex index into a position among the file's vertices;
    // returns the error for the first that names no vertex, with its line.
    // Positive indices count from the first vertex of the file, negative
    // ones back from the newest vertex before the statement.
    std::string resolve(int& line)
    {
        const long total = long(vertices_.size());
        for (const PendingElement& element : elements_) {
            for (size_t i = 0; i < element.corner_count; ++i) {
                std::int32_t& index = corners_[element.first_corner + i];
                const long position = index > 0 ? index - 1 : element.vertices_before + index;
                if (position < 0 || position >= total) {
                    line = element.line;
                    return "vertex index " + std::to_string(index) + " refers to no vertex: the file defines " +
                           std::to_string(total) + (index < 0 ? " and " + std::to_string(element.vertices_before) +
                                                                    " before this line"
                                                              : "");
                }
                index = std::int32_t(position);
            }
        }
        return "";
    }

    // One object per group that holds something, in the order the groups
    // are first used; the same name again continues the same object.
    void add_to_scene(Scene& scene) const
    {
        std::vector<Object*> objects(group_names_.size(), nullptr);
        std::vector<Vertex> corners;
        for (const PendingElement& element : elements_) {
            Object*& owner = objects[size_t(element.group)];
            if (owner == nullptr)
                owner = scene.add_object(scene.world(), group_names_[size_t(element.group)]);
            corners.clear();
            for (size_t i = 0; i < element.corner_count; ++i)
                corners.push_back(vertices_[size_t(corners_[element.first_corner + i])]);
            scene.add_surface(owner, element.type, corners);
        }
    }

    // "skipped 3 curv, 1 cstype", or empty when nothing was skipped.
    std::string skipped_summary() const
    {
        std::string text;
        for (const auto& [keyword, count] : skipped_)
            text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + keyword;
        return text;
    }

private:
    std::string vertex(Words& words)
    {
        float values[7];
        size_t count = 0;
        for (std::string_view word; words.next(word); ++count) {
            if (count == 7)
                return "a vertex has more than 7 numbers (x y z, then w, or r g b)";
            if (std::string problem = parse_coordinate(word, values[count]); !problem.empty())
                return problem;
        }
        if (count < 3)
            return "a vertex needs 3 coordinates, x y z";
        if (count == 5)
            return "a vertex has 5 numbers: x y z and w, or x y z and r g b, not both halves";
        if (long(vertices_.size()) == most_indices)
            return "the file has more vertices than can be numbered (2147483647)";
        vertices_.push_back(Vertex{values[0], values[1], values[2]});
        return "";
    }

    // "v", "v/vt", "v//vn" or "v/vt/vn": only the position matters, but the
    // others must be indices too.
    std::string corner(std::string_view field, long& index)
    {
        const size_t first_slash = field.find('/');
        if (!parse_index(field.substr(0, first_slash), index))
            return quoted(field) + " is not a vertex index";
        if (first_slash == std::string_view::npos)
            return "";
        const std::string_view rest = field.substr(first_slash + 1);
        const size_t second_slash = rest.find('/');
        const std::string_view texture = rest.substr(0, second_slash);
        const std::string_view normal =
            second_slash == std::string_view::npos ? std::string_view() : rest.substr(second_slash + 1);
        long ignored = 0;
        const bool texture_ok = texture.empty() ? second_slash != std::string_view::npos : parse_index(texture, ignored);
        const bool normal_ok = second_slash == std::string_view::npos || parse_index(normal, ignored);
        if (!texture_ok || !normal_ok)
            return quoted(field) + " is not a vertex index (v, v/vt, v//vn or v/vt/vn)";
        return "";
    }

    std::string element(Words& words, const ElementKind& kind, int line)
    {
        PendingElement element{kind.type, current_group(), line, std::int32_t(vertices_.size()), 0, corners_.size()};
        for (std::string_view field; words.next(field); ++element.corner_count) {
            long index = 0;
            if (std::string problem = corner(field, index); !problem.empty()) {
                corners_.resize(element.first_corner);
                return problem;
            }
            corners_.push_back(std::int32_t(index));
        }
        if (element.corner_count < kind.fewest || element.corner_count > 65535) {
            corners_.resize(element.first_corner);
            if (element.corner_count > 65535)
                return std::string(kind.what) + " has more vertices than a surface can hold (65535)";
            return std::string(kind.what) + " needs at least " + std::to_string(kind.fewest) +
                   (kind.fewest == 1 ? " vertex" : " vertices");
        }
        elements_.push_back(element);
        return "";
    }

    // "g" alone is the default group; several names make one group.
    std::string group(Words& words)
    {
        std::string name;
        for (std::string_view word; words.next(word);)
            name += (name.empty() ? "" : " ") + std::string(word);
        group_name_ = name.empty() ? "default" : name;
        group_ = -1;
        return "";
    }

    int current_group()
    {
        if (group_ < 0) {
            const auto found = group_ids_.try_emplace(group_name_, int(group_names_.size()));
            if (found.second)
                group_names_.push_back(group_name_);
            group_ = found.first->second;
        }
        return group_;
    }

    std::vector<Vertex> vertices_;
    std::vector<std::int32_t> corners_;
    std::vector<PendingElement> elements_;
    std::vector<std::string> group_names_;
    std::unordered_map<std::string, int> group_ids_;
    std::string group_name_ = "default";
    int group_ = -1;
    std::map<std::string, long> skipped_;
};

// Text that is no OBJ file at all: UTF-16 (with or without its byte-order
// mark) or binary data. Returns what it is, or an empty string.
std::string not_text(std::string_view text)
{
    if (text.size() >= 2 && ((text[0] == '\xff' && text[1] == '\xfe') || (text[0] == '\xfe' && text[1] == '\xff')))
        return "the file is UTF-16 text, not an OBJ file (OBJ files are 8-bit text)";
    if (text.find('\0') != std::string_view::npos)
        return "the file holds NUL bytes: it is binary data or UTF-16 text, not an OBJ file";
    return "";
}

}  // namespace

bool read_obj_text(std::string_view text, const std::string& file_name, Scene& scene, std::string& error,
                   std::string& warning)
{
    if (std::string problem = not_text(text); !problem.empty()) {
        error = file_name + ": " + problem;
        return false;
    }
    if (text.substr(0, 3) == "\xef\xbb\xbf")
        text.remove_prefix(3);

    // Nothing goes into the scene before the whole file has been read.
    const size_t lines = size_t(std::count(text.begin(), text.end(), '\n')) + 1;
    ObjParser parser(lines, text.size());
    std::string continued;  // a statement that a backslash carries on over lines
    int statement_line = 0;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        const bool carries_on = !line.empty() && line.back() == '\\';
        if (carries_on || !continued.empty()) {
            if (continued.empty())
                statement_line = number;
            continued.append(line.substr(0, line.size() - (carries_on ? 1 : 0)));
            continued.push_back(' ');
            if (carries_on && !text.empty())
                continue;
            line = continued;
        } else {
            statement_line = number;
        }
        const std::string problem = parser.parse_statement(line, statement_line);
        continued.clear();
        if (!problem.empty()) {
            error = file_name + ":" + std::to_string(statement_line) + ": " + problem;
            return false;
        }
    }
    int line = 0;
    if (std::string problem = parser.resolve(line); !problem.empty()) {
        error = file_name + ":" + std::to_string(line) + ": " + problem;
        return false;
    }
    parser.add_to_scene(scene);
    const std::string skipped = parser.skipped_summary();
    warning = skipped.empty() ? "" : file_name + ": skipped what carries no polygon: " + skipped;
    return true;
}

bool read_obj(std::istream& in, const std::string& file_name, Scene& scene, std::string& error)
{
    std::string warning;
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return read_obj_text(text, file_name, scene, error, warning);
}

bool read_obj_file(const std::string& path, Scene& scene, std::string& error, std::string& warning)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the scene file " + path;
        return false;
    }
    in.seekg(0, std::ios::end);
    const size_t size = size_t(in.tellg());
    in.seekg(0, std::ios::beg);
    const std::unique_ptr<char[]> text(new char[size]);
    advise_huge_pages(text.get(), size);
    if (!in.read(text.get(), std::streamsize(size))) {
        error = "cannot read the scene file " + path;
        return false;
    }
    return read_obj_text(std::string_view(text.get(), size), path, scene, error, warning);
}

}  // namespace stand_in
