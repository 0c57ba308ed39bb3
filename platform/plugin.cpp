// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#include "platform/plugin.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace nuperako {

namespace {

void *openPlugin(const std::string &name)
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (error)
        return nullptr;
    for (const std::filesystem::path &folder : {program, program / NUPERAKO_PLUGIN_DIR}) {
        const std::filesystem::path file = folder / (name + ".so");
        if (std::filesystem::is_regular_file(file, error)) {
            // RTLD_NOW: a plugin with a missing library fails here, not at its first call.
            if (void *handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL))
                return handle;
        }
    }
    return nullptr;
}

} // namespace

void *pluginSymbol(const std::string &name, const char *symbol)
{
    void *handle = openPlugin(name); // a plugin opened before is only counted up again
    return handle != nullptr ? dlsym(handle, symbol) : nullptr;
}

} // namespace nuperako
