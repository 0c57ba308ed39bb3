// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace nuperako {

// The program's plugins hold the parts a run may never need (the sound cues,
// the batch's plot), so that starting does not load their libraries. A plugin
// is NAME.so beside the running executable (the build tree) or in the
// installed plugin folder; it is loaded on the first request and stays loaded.
//
// The exported function SYMBOL of plugin NAME, or null where the plugin is
// missing, cannot be loaded or lacks the function.
void *pluginSymbol(const std::string &name, const char *symbol);

template <class Function>
Function *pluginFunction(const std::string &name, const char *symbol)
{
    // A plugin exports plain functions; POSIX guarantees the conversion.
    return reinterpret_cast<Function *>(pluginSymbol(name, symbol));
}

} // namespace nuperako
