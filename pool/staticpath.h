// SPDX-FileCopyrightText: 2026 The nuperako developers
// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace nuperako::pool {

// The file of the page's folder that a request's path names, still
// percent-encoded as it came ("/", "/js/main.js"), or none. None for a path
// with "." or ".." steps, hidden names, encoded slashes or backslashes, NUL,
// or that leads outside root through a symbolic link; "/" is index.html.
std::optional<std::filesystem::path> staticFile(const std::filesystem::path &root, std::string_view encodedPath);

// The Content-Type of one of the page's files, by its extension.
std::string_view contentTypeOf(const std::filesystem::path &file);

} // namespace nuperako::pool
