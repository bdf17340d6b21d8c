#include "case_file.h"

#include <cstdio>
#include <cstring>

// Each record: verdict (1 byte), type (4), vertex_count (2), number of
// corners (2), then x, y, z of each corner (4 each).
namespace {

const char magic[8] = {'P', 'L', 'A', 'N', 'A', 'R', '0', '1'};

void put(std::FILE* file, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        std::fputc(static_cast<int>((value >> (8 * i)) & 0xff), file);
}

bool get(std::FILE* file, std::uint32_t& value, int bytes)
{
    value = 0;
    for (int i = 0; i < bytes; ++i) {
        const int c = std::fgetc(file);
        if (c == EOF)
            return false;
        value |= static_cast<std::uint32_t>(c) << (8 * i);
    }
    return true;
}

std::uint32_t bits_of(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float float_of(std::uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

bool write_case_file(const std::string& path, const std::vector<PlanarityCase>& cases, const std::vector<int>& verdicts)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    std::fwrite(magic, 1, sizeof magic, file);
    put(file, static_cast<std::uint32_t>(cases.size()), 4);
    for (size_t i = 0; i < cases.size(); ++i) {
        const PlanarityCase& c = cases[i];
        put(file, verdicts[i] ? 1 : 0, 1);
        put(file, static_cast<std::uint32_t>(c.type), 4);
        put(file, c.vertex_count, 2);
        put(file, static_cast<std::uint32_t>(c.corners.size()), 2);
        for (const Vertex& v : c.corners) {
            put(file, bits_of(v.x), 4);
            put(file, bits_of(v.y), 4);
            put(file, bits_of(v.z), 4);
        }
    }
    return std::fclose(file) == 0;
}

bool read_case_file(const std::string& path, std::vector<PlanarityCase>& cases, std::vector<int>& verdicts)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    char header[sizeof magic];
    std::uint32_t count = 0;
    bool ok = std::fread(header, 1, sizeof header, file) == sizeof header &&
              std::memcmp(header, magic, sizeof magic) == 0 && get(file, count, 4);
    for (std::uint32_t i = 0; ok && i < count; ++i) {
        std::uint32_t verdict = 0, type = 0, vertex_count = 0, corners = 0;
        ok = get(file, verdict, 1) && get(file, type, 4) && get(file, vertex_count, 2) && get(file, corners, 2);
        PlanarityCase c;
        c.type = static_cast<int>(type);
        c.vertex_count = static_cast<unsigned short>(vertex_count);
        for (std::uint32_t k = 0; ok && k < corners; ++k) {
            std::uint32_t x = 0, y = 0, z = 0;
            ok = get(file, x, 4) && get(file, y, 4) && get(file, z, 4);
            c.corners.push_back({float_of(x), float_of(y), float_of(z)});
        }
        cases.push_back(std::move(c));
        verdicts.push_back(static_cast<int>(verdict));
    }
    std::fclose(file);
    return ok;
}
