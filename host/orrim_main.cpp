// orrim: the stand-in host as a program. It loads the plug-in, builds a scene,
// chooses "Select non-planar surfaces" from the Tools menu and prints what
// the host shows and the selection it ends with.
#include "builtin_scene.h"
#include "host.h"
#include "module_loader.h"
#include "obj_reader.h"
#include "svg_view.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif

using namespace stand_in;

namespace {

const char usage[] =
    "usage: orrim [options] [scene.obj]\n"
    "  --mode surface|vertex|object  the select mode (default surface)\n"
    "  --host-version V              the version the host reports (default 4.0)\n"
    "  --module FILE                 the plug-in module (default: the one beside orrim)\n"
    "  --command STRING              run this command string instead of choosing the menu item\n"
    "  --undo                        undo once afterwards and show the selection again\n"
    "  --svg FILE                    draw the view to FILE as SVG\n";

struct Options {
    std::string module;
    std::string scene_file;
    std::string command;
    std::string svg_file;
    SelectMode mode = SelectMode::surface;
    double version = 4.0;
    bool undo = false;
};

std::string directory_of_program()
{
#if defined(_WIN32)
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/") + 1);
#else
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0)
        return "./";
    std::string program(path, static_cast<size_t>(length));
    return program.substr(0, program.find_last_of('/') + 1);
#endif
}

bool parse_version(const std::string& text, double& version)
{
    char* end = nullptr;
    version = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0';
}

// Returns 0 when the options are good, else the exit status.
int parse_options(int argc, char** argv, Options& options)
{
    options.module = directory_of_program() + "select_nonplanar.p";
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool has_value = i + 1 < argc;
        if (option == "--help") {
            std::fputs(usage, stdout);
            return -1;
        } else if (option == "--undo") {
            options.undo = true;
        } else if (option == "--mode" && has_value) {
            if (!parse_select_mode(argv[++i], options.mode)) {
                std::fprintf(stderr, "orrim: unknown select mode \"%s\"\n%s", argv[i], usage);
                return 2;
            }
        } else if (option == "--host-version" && has_value) {
            if (!parse_version(argv[++i], options.version)) {
                std::fprintf(stderr, "orrim: \"%s\" is not a version number\n%s", argv[i], usage);
                return 2;
            }
        } else if (option == "--module" && has_value) {
            options.module = argv[++i];
        } else if (option == "--command" && has_value) {
            options.command = argv[++i];
        } else if (option == "--svg" && has_value) {
            options.svg_file = argv[++i];
        } else if (option.rfind("--", 0) != 0 && options.scene_file.empty()) {
            options.scene_file = option;
        } else {
            std::fprintf(stderr, "orrim: unexpected argument \"%s\"\n%s", option.c_str(), usage);
            return 2;
        }
    }
    return 0;
}

void print_tools_menu(const Host& host)
{
    std::printf("Tools menu:\n");
    for (const MenuItem& item : host.tools_menu)
        std::printf("  %s  [%s]  %s\n", item.label.c_str(), item.command.c_str(), item.description.c_str());
}

void print_selection(const Host& host, const char* heading)
{
    const std::vector<std::string> lines = describe(host.selection);
    std::printf("%s (%s mode): %zu %s\n", heading, select_mode_name(host.select_mode), lines.size(),
                host.select_mode == SelectMode::object ? "objects" : "surfaces");
    for (const std::string& line : lines)
        std::printf("  %s\n", line.c_str());
}

int fail(const std::string& error)
{
    std::fflush(stdout);
    std::fprintf(stderr, "orrim: %s\n", error.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (const int status = parse_options(argc, argv, options))
        return status < 0 ? 0 : status;

    Host host;
    host.version = options.version;
    host.select_mode = options.mode;
    std::string error, warning;
    if (options.scene_file.empty())
        build_builtin_scene(host.scene);
    else if (!read_obj_file(options.scene_file, host.scene, error, warning))
        return fail(error);
    if (!warning.empty())
        std::fprintf(stderr, "orrim: %s\n", warning.c_str());

    LoadedModule module;
    if (!start_module(host, options.module, module, error))
        return fail(error);
    print_tools_menu(host);

    const Outcome outcome = options.command.empty() ? choose_menu_item(host, "Select non-planar surfaces")
                                                    : run_command_string(host, options.command);
    int status = 0;
    if (!outcome.ok) {
        status = fail(outcome.error);
    } else {
        for (const std::string& message : host.messages)
            std::printf("Message: %s\n", message.c_str());
        print_selection(host, "Selection");
        if (options.undo) {
            if (undo(host))
                print_selection(host, "After undo, selection");
            else
                std::printf("Nothing to undo\n");
        }
        if (!options.svg_file.empty() && !write_view_svg(host, options.svg_file, error))
            status = fail(error);
    }
    stop_module(host, module);
    return status;
}
