#include "platform/desktop_gio.h"

#include <gio/gio.h>

#include <memory>

namespace platform {

namespace {

// GLib objects and errors released when they go out of scope.
struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using File = std::unique_ptr<GFile, ObjectUnref>;

struct ErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using Error = std::unique_ptr<GError, ErrorFree>;

DWORD FromGioError(const GError* error) {
    if (error == nullptr || error->domain != G_IO_ERROR) {
        return ERROR_GEN_FAILURE;
    }
    switch (error->code) {
        case G_IO_ERROR_NOT_FOUND:
            return ERROR_FILE_NOT_FOUND;
        case G_IO_ERROR_PERMISSION_DENIED:
            return ERROR_ACCESS_DENIED;
        case G_IO_ERROR_NOT_SUPPORTED:
            return ERROR_NOT_SUPPORTED;
        case G_IO_ERROR_NO_SPACE:
            return ERROR_DISK_FULL;
        case G_IO_ERROR_FILENAME_TOO_LONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case G_IO_ERROR_READ_ONLY:
            return ERROR_WRITE_PROTECT;
        default:
            return ERROR_GEN_FAILURE;
    }
}

}  // namespace

DWORD MoveToTrash(const std::string& path) {
    const File file(g_file_new_for_path(path.c_str()));
    GError* raw = nullptr;
    if (g_file_trash(file.get(), nullptr, &raw)) {
        return ERROR_SUCCESS;
    }
    const Error error(raw);
    return FromGioError(error.get());
}

DWORD LaunchDefaultApplication(const std::string& path) {
    const File file(g_file_new_for_path(path.c_str()));
    const std::unique_ptr<char, decltype(&g_free)> uri(g_file_get_uri(file.get()), g_free);
    GError* raw = nullptr;
    if (g_app_info_launch_default_for_uri(uri.get(), nullptr, &raw)) {
        return ERROR_SUCCESS;
    }
    const Error error(raw);
    // GIO answers "not supported" when no application is registered for the
    // type, and "failed" when it finds none to launch.
    if (error->domain == G_IO_ERROR &&
        (error->code == G_IO_ERROR_NOT_SUPPORTED || error->code == G_IO_ERROR_FAILED)) {
        return ERROR_NO_ASSOCIATION;
    }
    return FromGioError(error.get());
}

DWORD StartProgram(const std::vector<std::string>& argv, const std::string& folder) {
    std::vector<char*> pointers;
    for (const std::string& argument : argv) {
        pointers.push_back(const_cast<char*>(argument.c_str()));
    }
    pointers.push_back(nullptr);
    GError* raw = nullptr;
    // Without G_SPAWN_DO_NOT_REAP_CHILD GLib starts the program through an
    // intermediate child, so no zombie is left however long it runs.
    if (g_spawn_async(folder.empty() ? nullptr : folder.c_str(), pointers.data(), nullptr,
                      G_SPAWN_DEFAULT, nullptr, nullptr, nullptr, &raw)) {
        return ERROR_SUCCESS;
    }
    const Error error(raw);
    if (error->domain == G_SPAWN_ERROR) {
        switch (error->code) {
            case G_SPAWN_ERROR_CHDIR:
                return ERROR_PATH_NOT_FOUND;
            case G_SPAWN_ERROR_NOENT:
                return ERROR_FILE_NOT_FOUND;
            case G_SPAWN_ERROR_ACCES:
            case G_SPAWN_ERROR_PERM:
                return ERROR_ACCESS_DENIED;
            case G_SPAWN_ERROR_NOMEM:
                return ERROR_NOT_ENOUGH_MEMORY;
            default:
                break;
        }
    }
    return ERROR_GEN_FAILURE;
}

bool SplitCommandLine(const std::string& text, std::vector<std::string>& arguments) {
    arguments.clear();
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        return true;  // GLib calls an empty line an error; here it is no arguments
    }
    gint count = 0;
    gchar** parsed = nullptr;
    if (!g_shell_parse_argv(text.c_str(), &count, &parsed, nullptr)) {
        return false;
    }
    for (gint i = 0; i < count; ++i) {
        arguments.emplace_back(parsed[i]);
    }
    g_strfreev(parsed);
    return true;
}

}  // namespace platform
