// Prints a module's version resource as Windows reads it, one field a line.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

static void print_string(const std::vector<char>& data, const char* name)
{
    const std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(data.data(), path.c_str(), &value, &length) && length > 0)
        std::printf("%s: %s\n", name, static_cast<const char*>(value));
    else
        std::printf("%s: (none)\n", name);
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: version_resource MODULE\n");
        return 2;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
    std::vector<char> data(size);
    if (size == 0 || !GetFileVersionInfoA(argv[1], 0, size, data.data())) {
        std::printf("%s has no version resource (Windows error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && length >= sizeof *fixed) {
        std::printf("file version: %lu.%lu.%lu.%lu\n", fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xffff,
                    fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xffff);
        std::printf("product version: %lu.%lu.%lu.%lu\n", fixed->dwProductVersionMS >> 16,
                    fixed->dwProductVersionMS & 0xffff, fixed->dwProductVersionLS >> 16,
                    fixed->dwProductVersionLS & 0xffff);
        std::printf("file type: %s\n", fixed->dwFileType == VFT_DLL ? "DLL" : "other");
    }
    for (const char* name : {"FileVersion", "ProductVersion", "ProductName", "FileDescription", "OriginalFilename"})
        print_string(data, name);
    return 0;
}
